#pragma once
// The perspective of every frame: what the drawing gives GL (render/frame.cpp) and what
// the GL-free geometry of the face maps works out where things show on the window.

inline constexpr double FieldOfView = 30.0;   // vertical, degrees
inline constexpr double NearPlane = 0.01;
inline constexpr double FarPlane = 10.0;
