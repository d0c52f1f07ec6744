// The drawn cube's model: construction, in-place rotation of the turning layer, the
// colour table and the recolouring from Stickers.

#include "render/model.h"

#include <cmath>
#include <cstring>

#include "cube/stickers.h"
#include "render/turn.h"

CubieGeometry CubeGeometry[28];

const double DefaultFaceColors[7][3] = {
    {0.0, 0.0, 0.0},  // unused
    {1.0, 0.0, 0.0},  // 1 red
    {0.0, 1.0, 0.0},  // 2 green
    {0.0, 0.0, 0.7},  // 3 blue
    {1.0, 1.0, 1.0},  // 4 white
    {1.0, 0.0, 1.0},  // 5 magenta
    {1.0, 1.0, 0.0},  // 6 yellow
};

double FaceColors[7][3];
double StickerInset = DefaultStickerInset;
double StickerLift = DefaultStickerLift;

// Indexed by cube face 1..6 (+X, -X, +Y, -Y, +Z, -Z).
const FaceLayout FaceLayouts[7] = {
    {},
    //  sticker corners  axis out  cell row   cell column  normal   side quad     side normal
    {{4, 3, 2, 1}, 0, +1, {1, -1}, {2, -1}, {1, 5}, {4, 3, 2, 1}, {1, 5}},  // 1: (2-l, 2-m)
    {{5, 6, 7, 8}, 0, -1, {1, +1}, {2, -1}, {5, 1}, {5, 6, 7, 8}, {5, 1}},  // 2: (l+2, 2-m)
    {{1, 2, 6, 5}, 1, +1, {0, +1}, {2, -1}, {2, 3}, {1, 2, 6, 5}, {1, 4}},  // 3: (k+2, 2-m)
    {{4, 8, 7, 3}, 1, -1, {2, +1}, {0, -1}, {3, 2}, {4, 8, 7, 3}, {4, 1}},  // 4: (m+2, 2-k)
    {{1, 5, 8, 4}, 2, +1, {1, +1}, {0, -1}, {8, 7}, {1, 5, 8, 4}, {5, 6}},  // 5: (l+2, 2-k)
    {{2, 3, 7, 6}, 2, -1, {0, +1}, {1, -1}, {7, 8}, {2, 3, 7, 6}, {6, 5}},  // 6: (k+2, 2-l)
};

const FaceFrame FaceFrames[7] = {
    {},
    //  up (row 1)      right (column 3)
    {{0, -1, 0}, {0, 0, 1}},    // 1 (+X): row 1 towards -Y, column 3 towards +Z
    {{0, 1, 0}, {0, 0, 1}},     // 2 (-X): row 1 towards +Y
    {{1, 0, 0}, {0, 0, 1}},     // 3 (+Y): row 1 towards +X (face 1)
    {{1, 0, 0}, {0, 0, -1}},    // 4 (-Y)
    {{1, 0, 0}, {0, -1, 0}},    // 5 (+Z)
    {{1, 0, 0}, {0, 1, 0}},     // 6 (-Z)
};

namespace {

// Pitch of the cubie grid: neighbouring bodies (edge 2) are 0.05 apart.
constexpr long double GridPitch = 2.05L;

// Body corners of the template cubie, [1..8].
constexpr Point3 TemplateCorners[9] = {
    {0, 0, 0},
    {1, 1, 1}, {1, 1, -1}, {1, -1, -1}, {1, -1, 1},
    {-1, 1, 1}, {-1, 1, -1}, {-1, -1, -1}, {-1, -1, 1},
};

// A dark side is drawn when the mean of its corners lies at least this far out.
constexpr double SideDistance = 2.5;

float& Coordinate(Point3& p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : p.z; }

void Translate(Point3& p, long double cx, long double cy, long double cz) {
  p.x = static_cast<float>(p.x + cx);
  p.y = static_cast<float>(p.y + cy);
  p.z = static_cast<float>(p.z + cz);
}

struct SineCosine {
  long double c, s;
};

// Cosine and sine of a turn step in extended precision.
SineCosine SinCos(float angle) {
  const long double a = angle;
  return {std::cos(a), std::sin(a)};
}

}  // namespace

void ResetFaceColors() { std::memcpy(FaceColors, DefaultFaceColors, sizeof FaceColors); }

void ResetStickerShape() {
  StickerInset = DefaultStickerInset;
  StickerLift = DefaultStickerLift;
}

void BuildCubeGeometry() {
  CubieGeometry& model = CubeGeometry[0];
  for (int i = 1; i <= 8; ++i) model.Corners[i] = TemplateCorners[i];
  model.Centre = {0, 0, 0};
  for (int f = 1; f <= 6; ++f) {
    StickerQuad& quad = model.Stickers[f];
    quad.Present = false;
    quad.ColourNumber = static_cast<uint8_t>(f);
    for (int c = 0; c < 3; ++c) quad.Colour[c] = static_cast<float>(FaceColors[f][c]);
    for (int i = 0; i < 4; ++i) quad.Corners[i + 1] = TemplateCorners[FaceLayouts[f].stickerCorners[i]];
    model.SideFlags[f] = false;
  }

  int S = 0;
  for (int k = -1; k <= 1; ++k) {
    for (int l = -1; l <= 1; ++l) {
      for (int m = -1; m <= 1; ++m) {
        ++S;
        CubieGeometry& cubie = CubeGeometry[S];
        cubie = model;
        const int grid[3] = {k, l, m};
        for (int f = 1; f <= 6; ++f) {
          const FaceLayout& face = FaceLayouts[f];
          StickerQuad& quad = cubie.Stickers[f];
          const int row = 2 + face.cellRow.sign * grid[face.cellRow.index];
          const int column = 2 + face.cellColumn.sign * grid[face.cellColumn.index];
          quad.TextureCell = static_cast<uint8_t>(3 * (row - 1) + column);
          if (grid[face.axis] == face.outside) {
            quad.Present = true;
            for (int i = 1; i <= 4; ++i) {
              Point3& p = quad.Corners[i];
              for (int axis = 0; axis < 3; ++axis) {
                float& a = Coordinate(p, axis);
                if (axis == face.axis) {
                  a = static_cast<float>(a + face.outside * StickerLift);
                } else if (a != 0) {
                  a = static_cast<float>(a * (1.0 - StickerInset / std::fabs(a)));
                }
              }
            }
          } else {
            quad.Present = false;
            quad.Colour[0] = quad.Colour[1] = quad.Colour[2] = 0;
            for (int i = 1; i <= 4; ++i) quad.Corners[i] = {0, 0, 0};
          }
        }

        const long double cx = GridPitch * k, cy = GridPitch * l, cz = GridPitch * m;
        for (int f = 1; f <= 6; ++f) {
          if (!cubie.Stickers[f].Present) continue;
          for (int i = 1; i <= 4; ++i) Translate(cubie.Stickers[f].Corners[i], cx, cy, cz);
        }
        cubie.Centre = {0, 0, 0};
        Translate(cubie.Centre, cx, cy, cz);
        for (int i = 1; i <= 8; ++i) Translate(cubie.Corners[i], cx, cy, cz);
      }
    }
  }

  for (int c = 1; c <= 27; ++c) {
    CubieGeometry& cubie = CubeGeometry[c];
    for (int s = 1; s <= 6; ++s) {
      cubie.SideFlags[s] = false;
      double mean[3] = {0, 0, 0};
      for (int corner : FaceLayouts[s].sideCorners) {
        const Point3& p = cubie.Corners[corner];
        mean[0] += p.x;
        mean[1] += p.y;
        mean[2] += p.z;
      }
      for (double& v : mean) v /= 4;
      const double distance = std::sqrt(mean[0] * mean[0] + mean[1] * mean[1] + mean[2] * mean[2]);
      if (distance >= SideDistance) cubie.SideFlags[s] = true;
    }
  }

  ResetStickers();
}

namespace {

// One rotation about axis 0 (X), 1 (Y) or 2 (Z) with its cosine and sine.
void RotateAbout(Point3& point, int axis, SineCosine cs) {
  const auto [c, s] = cs;
  float* u = axis == 0 ? &point.y : axis == 1 ? &point.z : &point.x;
  float* v = axis == 0 ? &point.z : axis == 1 ? &point.x : &point.y;
  const long double a = *u, b = *v;
  *u = static_cast<float>(a * c - b * s);
  *v = static_cast<float>(a * s + b * c);
}

int AxisOf(PointRotation rotate) {
  return rotate == RotatePointX ? 0 : rotate == RotatePointY ? 1 : 2;
}

}  // namespace

void RotatePointX(Point3& point, float angle) { RotateAbout(point, 0, SinCos(angle)); }
void RotatePointY(Point3& point, float angle) { RotateAbout(point, 1, SinCos(angle)); }
void RotatePointZ(Point3& point, float angle) { RotateAbout(point, 2, SinCos(angle)); }

void RotateCubie(int c, PointRotation rotate, float angle) {
  // Some forty points turn by the same angle: its cosine and sine are formed once.
  const int axis = AxisOf(rotate);
  const SineCosine cs = SinCos(angle);
  CubieGeometry& cubie = CubeGeometry[c];
  RotateAbout(cubie.Centre, axis, cs);
  for (int i = 1; i <= 8; ++i) RotateAbout(cubie.Corners[i], axis, cs);
  for (int f = 1; f <= 6; ++f) {
    if (!cubie.Stickers[f].Present) continue;
    for (int i = 1; i <= 4; ++i) RotateAbout(cubie.Stickers[f].Corners[i], axis, cs);
  }
}

namespace {

// The six tests that find the face, row and column of a sticker quad from the mean of
// its corners; a later test that holds overrides an earlier one.
constexpr double FaceLimit = 2.9;

// The nearest integer, halves to even.
int R(double v) { return static_cast<int>(std::lrint(v)); }

struct QuadPlace {
  int Face = 0, Row = 0, Col = 0;
};

double Along(const Point3& direction, double mx, double my, double mz) {
  return mx * direction.x + my * direction.y + mz * direction.z;
}

// Rows count down from Up, columns along Right; cells are 2 units apart, the middle one
// on the face's axis. (The directions are unit axes: the sums are exact.)
QuadPlace PlaceOn(int face, double mx, double my, double mz) {
  const FaceFrame& frame = FaceFrames[face];
  return {face, R(-Along(frame.Up, mx, my, mz) / 2 + 2), R(Along(frame.Right, mx, my, mz) / 2 + 2)};
}

void LocateQuad(double mx, double my, double mz, QuadPlace& place) {
  if (mx > FaceLimit) place = PlaceOn(1, mx, my, mz);
  if (mx < -FaceLimit) place = PlaceOn(2, mx, my, mz);
  if (my > FaceLimit) place = PlaceOn(3, mx, my, mz);
  if (my < -FaceLimit) place = PlaceOn(4, mx, my, mz);
  if (mz > FaceLimit) place = PlaceOn(5, mx, my, mz);
  if (mz < -FaceLimit) place = PlaceOn(6, mx, my, mz);
}

bool InRange(int v, int low, int high) { return v >= low && v <= high; }

}  // namespace

void RecolorFromStickers() {
  // A quad that none of the tests places (a layer caught mid-turn) takes the place
  // found for the quad before it in this pass; before the first placed quad such a
  // quad keeps its colour.
  QuadPlace place;
  for (int c = 1; c <= 27; ++c) {
    for (int f = 1; f <= 6; ++f) {
      StickerQuad& quad = CubeGeometry[c].Stickers[f];
      if (!quad.Present) continue;
      double mx = 0, my = 0, mz = 0;
      for (int i = 1; i <= 4; ++i) {
        mx += quad.Corners[i].x;
        my += quad.Corners[i].y;
        mz += quad.Corners[i].z;
      }
      mx /= 4;
      my /= 4;
      mz /= 4;
      PlaceAtTurnEnd(c, mx, my, mz);
      LocateQuad(mx, my, mz, place);
      if (place.Face == 0 || !InRange(place.Row, 1, 3) || !InRange(place.Col, 1, 3)) continue;
      const int k = StickerAt(place.Face, place.Row, place.Col);
      if (!InRange(k, 1, 6)) continue;
      quad.ColourNumber = static_cast<uint8_t>(k);
      for (int ch = 0; ch < 3; ++ch) quad.Colour[ch] = static_cast<float>(FaceColors[k][ch]);
    }
  }
}

bool MarkedStickers[StickerCount];

void MarkStickers(const StickerRef* refs, int count) {
  for (int i = 0; i < count; ++i) {
    const StickerRef& r = refs[i];
    if (r.Face < 1 || r.Face > 6 || r.Row < 1 || r.Row > 3 || r.Col < 1 || r.Col > 3) continue;
    MarkedStickers[9 * (r.Face - 1) + 3 * (r.Row - 1) + (r.Col - 1)] = true;
  }
}

void ClearStickerMarks() {
  for (bool& m : MarkedStickers) m = false;
}

SysColor FaceColorRGB(int index, int lightness) {
  SysColor colour = 0;
  for (int channel = 0; channel < 3; ++channel) {
    // The product of a byte and a double is exact in extended precision (see the
    // static_assert in model.h), so a product just under a half (0.7 * 255) is not
    // rounded up to it before rounding to an integer; nearbyintl takes exact halves to
    // even in the default rounding mode.
    const long double scaled = static_cast<long double>(255 - lightness) * FaceColors[index][channel];
    const long double value = lightness + std::nearbyintl(scaled);
    colour |= (static_cast<SysColor>(value) & 0xFF) << (8 * channel);
  }
  return colour;
}
