#pragma once
// The OpenGL frame: projection, the four spot lights, fog, blending, material, and
// the order in which the parts of the scene are drawn (RenderFrame, in render/draw.h).

#include "render/draw.h"
#include "render/model.h"

struct SpotLight {
  bool Enabled;
  float Position[4];      // eye coordinates
  float Direction[3];
  float Diffuse[3];
  float Ambient[3];
};
extern SpotLight LightTable[4];
extern bool FogEnabled;

// Once, with the new context current: clear colour, the quadric, white lights, fog on,
// and the per-frame state set once.
void ContextSetUp();
// Once, before the context goes: deletes the quadric.
void ContextRelease();

// The buffer may no longer hold the last frame drawn (picking clears it): the next
// RenderArrowChange draws nothing and asks for a whole frame.
void ForgetBufferedFrame();

void SetupLighting();
// The scene for a client area of width x height (the face maps are placed for it).
void DrawScene(int width, int height, const SceneOptions& options);
// Multiplies the current matrix by the rotations of ViewRotations (render/view.h).
void ApplyViewOrientation(const Point3& up, const Point3& right);
// The perspective of every frame (render/frustum.h): 30 degrees, width / height,
// 0.01, 10.
void ApplyPerspective(int width, int height);

// The one GLU quadric of the program (the arrows' cones, cylinders and disks).
struct GLUquadric;
extern GLUquadric* SceneQuadric;
