#pragma once
// Where the six face maps lie for a client area, and which of their squares a client
// pixel picks. Plain geometry without GL: the drawing (render/facemaps.cpp) places the
// squares from ProjectionLayout and the mouse picks from the same layout, so picking
// needs no rendering context.

// The maps lie in the plane this far in front of the eye (the modelview matrix is the
// identity when they are drawn). A map is 3 x 3 squares, each from -1 to +1 map units
// around its place, on a pitch of SquarePitch.
inline constexpr float MapDistance = 7.0f;
inline constexpr float SquarePitch = 2.2f;

// The values GL is given, hence floats: each map is drawn translated to its centre
// (eye coordinates) and scaled by Scale (eye units per map unit).
struct MapLayout {
  float CentreX[7], CentreY[7];   // [1..6]
  float Scale;
};

// The net for a client area of width x height. Where all of it fits in the view (a
// window at least about 1.47 times as wide as high) it is at its fixed places in the
// upper left; in a narrower window it is scaled down about its top left corner, which
// then lies on the window's left edge, just so far that the whole net fits.
MapLayout ProjectionLayout(int width, int height);

// The sticker number 1..54 under client pixel (x, y) (y grows downwards) when the face
// maps are shown, or -1 when no single square is hit: every square that the 4 x 4
// pixels around the point touch counts, so a click on or next to the gap between two
// squares hits none.
int PickProjectionSticker(int x, int y, int clientWidth, int clientHeight);
