#pragma once
// The drawn cube: 27 cubies whose points are stored in the cube's model space and
// rotated in place while a layer turns. Record 0 is the template (a unit cubie at the
// origin); records 1..27 are the cubies, number 1 + 9(k+1) + 3(l+1) + (m+1) for grid
// indices k, l, m in -1..1 along X, Y, Z. Arrays below are 1-based like the tables
// they come from; slot 0 is unused unless said otherwise.

#include <cstdint>

#include "platform/platform.h"

struct Point3 {
  float x, y, z;
};

struct StickerQuad {
  float Colour[3];        // red, green, blue in 0..1
  bool Present;           // this face of the cubie was outside when the cube was built
  Point3 Corners[5];      // [1..4], in drawing order
  uint8_t TextureCell;    // 1..9: which ninth of the face picture the sticker shows
};

struct CubieGeometry {
  Point3 Centre;
  Point3 Corners[9];      // [1..8] body corners
  StickerQuad Stickers[7];// [1..6] one per cube face direction, as built
  bool SideFlags[7];      // [1..6] body sides drawn dark grey
};

extern CubieGeometry CubeGeometry[28];

// Colour table, [1..6] red, green, blue in 0..1; index = colour number of Stickers.
extern double FaceColors[7][3];
extern const double DefaultFaceColors[7][3];

// How far stickers are pulled in from the body's edges and lifted off its surface.
extern double StickerInset;   // 0.1
extern double StickerLift;    // 0.005

// Rebuilds all of CubeGeometry solved from FaceColors, StickerInset and StickerLift,
// then resets Stickers to the solved cube.
void BuildCubeGeometry();

// Rotate one stored point in place about the X, Y or Z axis through the origin by
// angle radians, counter-clockwise seen from the positive axis.
void RotatePointX(Point3& point, float angle);
void RotatePointY(Point3& point, float angle);
void RotatePointZ(Point3& point, float angle);
using PointRotation = void (*)(Point3& point, float angle);

// The nine cubies the current turn moves ([1..9]) and the rotation that moves them.
extern uint8_t MovingCubies[10];
extern PointRotation TurnRotate;
// Chooses MovingCubies and TurnRotate for a turn of layer 1..6 from the cubies'
// current centres (beyond +1.0 or -1.0 on the layer's axis). Returns how many cubies
// were chosen (nine for any cube that only turns have moved).
int ChooseMovingCubies(int layer);
// Rotates the centre, body corners and present sticker corners of cubie c by angle
// with rotate.
void RotateCubie(int c, PointRotation rotate, float angle);

// FaceColors[index] with each channel = lightness + round((255 - lightness) * component),
// halves to even; red in the low byte.
SysColor FaceColorRGB(int index, int lightness);

// Draws cubie S (1..27) with the GL state of the frame; textured draws each sticker
// with the picture of the face it was built on.
void DrawCubie(int S, bool textured);
void DrawSticker(int S, int f, bool textured);
