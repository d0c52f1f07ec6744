#pragma once
// The drawn cube's model, without any drawing: 27 cubies whose points are stored in the
// cube's model space and rotated in place while a layer turns, the colour table they
// are painted from, and the recolouring that makes them show Stickers. Record 0 is the
// template (a unit cubie at the origin); records 1..27 are the cubies, number
// 1 + 9(k+1) + 3(l+1) + (m+1) for grid indices k, l, m in -1..1 along X, Y, Z. Arrays
// below are 1-based like the tables they come from; slot 0 is unused unless said
// otherwise.

#include <cfloat>
#include <cstdint>

#include "cube/stickers.h"
#include "platform/platform.h"

// Colour rounding (FaceColorRGB) and the turn angles are exact only where long double
// carries more bits than double: the products they round are formed in it.
static_assert(LDBL_MANT_DIG > DBL_MANT_DIG,
              "Tornelo's colour and angle rounding needs a long double wider than double");

struct Point3 {
  float x, y, z;
  bool operator==(const Point3&) const = default;
};

struct StickerQuad {
  float Colour[3];        // red, green, blue in 0..1: FaceColors[ColourNumber]
  uint8_t ColourNumber;   // 1..6: the colour of the sticker this quad shows
  bool Present;           // this face of the cubie was outside when the cube was built
  Point3 Corners[5];      // [1..4], in drawing order
  uint8_t TextureCell;    // 1..9: which ninth of the face picture the sticker shows
  bool operator==(const StickerQuad&) const = default;
};

struct CubieGeometry {
  Point3 Centre;
  Point3 Corners[9];      // [1..8] body corners
  StickerQuad Stickers[7];// [1..6] one per cube face direction, as built
  bool SideFlags[7];      // [1..6] body sides drawn dark grey
  bool operator==(const CubieGeometry&) const = default;
};

extern CubieGeometry CubeGeometry[28];

// How each face's map lies on the cube, as RecolorFromStickers addresses Stickers: the
// model direction towards its row 1 (up on the map) and towards its column 3 (right).
// Right x Up points out of the face: a map shows its face as seen from outside.
struct FaceFrame {
  Point3 Up, Right;
};
extern const FaceFrame FaceFrames[7];   // [1..6]

// A normal written "ca - cb": the difference of a cubie's current corners a and b.
struct CornerDifference {
  int a, b;
};

// How the stickers and dark sides of face 1..6 (+X, -X, +Y, -Y, +Z, -Z) are made from
// a cubie's body corners; the drawing reads the corners and normals from here too.
struct FaceLayout {
  int stickerCorners[4];         // body corners that become sticker corners 1..4
  int axis;                      // 0 = X, 1 = Y, 2 = Z
  int outside;                   // +1 or -1: outer when the grid index on axis is this
  // Texture row and column: 2 + sign * grid index (0 = k along X, 1 = l, 2 = m).
  struct GridTerm {
    int index, sign;
  } cellRow, cellColumn;
  CornerDifference stickerNormal;
  int sideCorners[4];            // the dark side quad
  CornerDifference sideNormal;
};
extern const FaceLayout FaceLayouts[7];

// Colour table, [1..6] red, green, blue in 0..1; index = colour number of Stickers.
extern double FaceColors[7][3];
extern const double DefaultFaceColors[7][3];
// FaceColors back to DefaultFaceColors (start-up).
void ResetFaceColors();

// How far stickers are pulled in from the body's edges and lifted off its surface.
inline constexpr double DefaultStickerInset = 0.1;
inline constexpr double DefaultStickerLift = 0.005;
extern double StickerInset;
extern double StickerLift;
// StickerInset and StickerLift back to their defaults (start-up; the end of New's
// assembly sets them itself, step by step).
void ResetStickerShape();

// Rebuilds all of CubeGeometry solved from FaceColors, StickerInset and StickerLift,
// then resets Stickers to the solved cube.
void BuildCubeGeometry();

// Rotate one stored point in place about the X, Y or Z axis through the origin by
// angle radians, counter-clockwise seen from the positive axis.
void RotatePointX(Point3& point, float angle);
void RotatePointY(Point3& point, float angle);
void RotatePointZ(Point3& point, float angle);
using PointRotation = void (*)(Point3& point, float angle);

// Rotates the centre, body corners and present sticker corners of cubie c by angle
// with rotate.
void RotateCubie(int c, PointRotation rotate, float angle);

// Gives every sticker quad the colour number and colour of the sticker of Stickers at
// the place it shows (where it will rest when the turn in progress ends).
void RecolorFromStickers();

// Stickers marked on the face maps (indexed like Stickers): the places a failed check
// of the cube named, shown until the next edit, New or Open.
extern bool MarkedStickers[StickerCount];
void MarkStickers(const StickerRef* refs, int count);
void ClearStickerMarks();

// FaceColors[index] with each channel = lightness + round((255 - lightness) * component),
// halves to even; red in the low byte.
SysColor FaceColorRGB(int index, int lightness);
