// The drawn cube: construction, in-place rotation of the turning layer, drawing of
// one cubie, and the colour table.

#include "render/geometry.h"

#include <GL/gl.h>

#include <cmath>

#include "cube/stickers.h"
#include "textures/textures.h"

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

double FaceColors[7][3] = {
    {0.0, 0.0, 0.0}, {1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 0.7},
    {1.0, 1.0, 1.0}, {1.0, 0.0, 1.0}, {1.0, 1.0, 0.0},
};

double StickerInset = 0.1;
double StickerLift = 0.005;

uint8_t MovingCubies[10];
PointRotation TurnRotate = RotatePointX;

namespace {

// Pitch of the cubie grid: neighbouring bodies (edge 2) are 0.05 apart.
constexpr long double GridPitch = 2.05L;

// Body corners of the template cubie, [1..8].
constexpr Point3 TemplateCorners[9] = {
    {0, 0, 0},
    {1, 1, 1}, {1, 1, -1}, {1, -1, -1}, {1, -1, 1},
    {-1, 1, 1}, {-1, 1, -1}, {-1, -1, -1}, {-1, -1, 1},
};

// A normal written "ca - cb": the difference of the cubie's current corners a and b.
struct CornerDifference {
  int a, b;
};

// Grid index i (0 = k along X, 1 = l along Y, 2 = m along Z) with a sign; the texture
// row or column is 2 + sign * index.
struct GridTerm {
  int index;
  int sign;
};

struct FaceLayout {
  int stickerCorners[4];       // body corners that become sticker corners 1..4
  int axis;                    // 0 = X, 1 = Y, 2 = Z
  int outside;                 // +1 or -1: outer when the grid index on axis is this
  GridTerm cellRow, cellColumn;
  CornerDifference stickerNormal;
  int sideCorners[4];          // the dark side quad
  CornerDifference sideNormal;
};

// Indexed by cube face 1..6 (+X, -X, +Y, -Y, +Z, -Z).
constexpr FaceLayout Faces[7] = {
    {},
    //  sticker corners  axis out  cell row   cell column  normal   side quad     side normal
    {{4, 3, 2, 1}, 0, +1, {1, -1}, {2, -1}, {1, 5}, {4, 3, 2, 1}, {1, 5}},  // 1: (2-l, 2-m)
    {{5, 6, 7, 8}, 0, -1, {1, +1}, {2, -1}, {5, 1}, {5, 6, 7, 8}, {5, 1}},  // 2: (l+2, 2-m)
    {{1, 2, 6, 5}, 1, +1, {0, +1}, {2, -1}, {2, 3}, {1, 2, 6, 5}, {1, 4}},  // 3: (k+2, 2-m)
    {{4, 8, 7, 3}, 1, -1, {2, +1}, {0, -1}, {3, 2}, {4, 8, 7, 3}, {4, 1}},  // 4: (m+2, 2-k)
    {{1, 5, 8, 4}, 2, +1, {1, +1}, {0, -1}, {8, 7}, {1, 5, 8, 4}, {5, 6}},  // 5: (l+2, 2-k)
    {{2, 3, 7, 6}, 2, -1, {0, +1}, {1, -1}, {7, 8}, {2, 3, 7, 6}, {6, 5}},  // 6: (k+2, 2-l)
};

// Texture bounds of the three strips of a face picture.
constexpr float CellLowS[3] = {0.0f, 0.333f, 0.666f};
constexpr float CellHighS[3] = {0.333f, 0.666f, 1.0f};
constexpr float CellLowT[3] = {0.666f, 0.333f, 0.0f};
constexpr float CellHighT[3] = {1.0f, 0.666f, 0.333f};

// Colour of the body sides between stickers.
constexpr float SideGrey = 0.2f;

// A dark side is drawn when the mean of its corners lies at least this far out.
constexpr double SideDistance = 2.5;

float& Coordinate(Point3& p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : p.z; }
float CoordinateOf(const Point3& p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : p.z; }

void Normal(const CubieGeometry& cubie, CornerDifference d) {
  const Point3& a = cubie.Corners[d.a];
  const Point3& b = cubie.Corners[d.b];
  glNormal3f(a.x - b.x, a.y - b.y, a.z - b.z);
}

void Translate(Point3& p, long double cx, long double cy, long double cz) {
  p.x = static_cast<float>(p.x + cx);
  p.y = static_cast<float>(p.y + cy);
  p.z = static_cast<float>(p.z + cz);
}

}  // namespace

void BuildCubeGeometry() {
  CubieGeometry& model = CubeGeometry[0];
  for (int i = 1; i <= 8; ++i) model.Corners[i] = TemplateCorners[i];
  model.Centre = {0, 0, 0};
  for (int f = 1; f <= 6; ++f) {
    StickerQuad& quad = model.Stickers[f];
    quad.Present = false;
    for (int c = 0; c < 3; ++c) quad.Colour[c] = static_cast<float>(FaceColors[f][c]);
    for (int i = 0; i < 4; ++i) quad.Corners[i + 1] = TemplateCorners[Faces[f].stickerCorners[i]];
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
          const FaceLayout& face = Faces[f];
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
      for (int corner : Faces[s].sideCorners) {
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

// Cosine and sine of a turn step in extended precision. A turn rotates some two
// hundred points a tick by the same angle, so the last pair is kept.
struct SineCosine {
  long double c, s;
};

SineCosine SinCos(float angle) {
  static float cachedAngle = 0.0f;
  static SineCosine cached{1.0L, 0.0L};
  if (angle != cachedAngle) {
    cachedAngle = angle;
    cached = {std::cos(static_cast<long double>(angle)), std::sin(static_cast<long double>(angle))};
  }
  return cached;
}

}  // namespace

void RotatePointX(Point3& point, float angle) {
  const auto [c, s] = SinCos(angle);
  const long double y = point.y, z = point.z;
  point.y = static_cast<float>(y * c - z * s);
  point.z = static_cast<float>(y * s + z * c);
}

void RotatePointY(Point3& point, float angle) {
  const auto [c, s] = SinCos(angle);
  const long double z = point.z, x = point.x;
  point.z = static_cast<float>(z * c - x * s);
  point.x = static_cast<float>(z * s + x * c);
}

void RotatePointZ(Point3& point, float angle) {
  const auto [c, s] = SinCos(angle);
  const long double x = point.x, y = point.y;
  point.x = static_cast<float>(x * c - y * s);
  point.y = static_cast<float>(x * s + y * c);
}

int ChooseMovingCubies(int layer) {
  // Layers 1 and 2 turn about X, 3 and 4 about Y, 5 and 6 about Z.
  static constexpr PointRotation LayerRotations[3] = {RotatePointX, RotatePointY, RotatePointZ};
  if (layer < 1 || layer > 6) return 0;
  const int axis = (layer - 1) / 2;
  const bool positiveSide = layer % 2 == 1;
  TurnRotate = LayerRotations[axis];

  int count = 0;
  for (int c = 1; c <= 27 && count < 9; ++c) {
    const float v = CoordinateOf(CubeGeometry[c].Centre, axis);
    if (positiveSide ? v > 1.0f : v < -1.0f) MovingCubies[++count] = static_cast<uint8_t>(c);
  }
  return count;
}

void RotateCubie(int c, PointRotation rotate, float angle) {
  CubieGeometry& cubie = CubeGeometry[c];
  rotate(cubie.Centre, angle);
  for (int i = 1; i <= 8; ++i) rotate(cubie.Corners[i], angle);
  for (int f = 1; f <= 6; ++f) {
    if (!cubie.Stickers[f].Present) continue;
    for (int i = 1; i <= 4; ++i) rotate(cubie.Stickers[f].Corners[i], angle);
  }
}

SysColor FaceColorRGB(int index, int lightness) {
  SysColor colour = 0;
  for (int channel = 0; channel < 3; ++channel) {
    // The product of a byte and a double is exact in extended precision, so a product
    // just under a half (0.7 * 255) is not rounded up to it before rounding to an
    // integer; nearbyintl takes exact halves to even in the default rounding mode.
    const long double scaled = static_cast<long double>(255 - lightness) * FaceColors[index][channel];
    const long double value = lightness + std::nearbyintl(scaled);
    colour |= (static_cast<SysColor>(value) & 0xFF) << (8 * channel);
  }
  return colour;
}

void DrawSticker(int S, int f, bool textured) {
  const CubieGeometry& cubie = CubeGeometry[S];
  const StickerQuad& quad = cubie.Stickers[f];
  if (textured) {
    glBindTexture(GL_TEXTURE_2D, TextureNames[f]);
    glColor3f(1, 1, 1);
  } else {
    glColor3fv(quad.Colour);
  }

  const int column = (quad.TextureCell - 1) % 3;
  const int row = (quad.TextureCell - 1) / 3;
  const float sLow = CellLowS[column], sHigh = CellHighS[column];
  const float tLow = CellLowT[row], tHigh = CellHighT[row];
  const float s[5] = {0, sLow, sHigh, sHigh, sLow};
  const float t[5] = {0, tLow, tLow, tHigh, tHigh};

  glBegin(GL_QUADS);
  Normal(cubie, Faces[f].stickerNormal);
  for (int i = 1; i <= 4; ++i) {
    glTexCoord2f(s[i], t[i]);
    const Point3& p = quad.Corners[i];
    glVertex3f(p.x, p.y, p.z);
  }
  glEnd();
}

void DrawCubie(int S, bool textured) {
  const CubieGeometry& cubie = CubeGeometry[S];
  if (textured) glEnable(GL_TEXTURE_2D);
  glPolygonMode(GL_FRONT, GL_FILL);
  glPolygonMode(GL_BACK, GL_POINT);
  for (int f = 1; f <= 6; ++f) {
    if (cubie.Stickers[f].Present) DrawSticker(S, f, textured);
  }

  glDisable(GL_TEXTURE_2D);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glColor3f(SideGrey, SideGrey, SideGrey);
  for (int s = 1; s <= 6; ++s) {
    if (!cubie.SideFlags[s]) continue;
    glBegin(GL_QUADS);
    Normal(cubie, Faces[s].sideNormal);
    for (int corner : Faces[s].sideCorners) {
      const Point3& p = cubie.Corners[corner];
      glVertex3f(p.x, p.y, p.z);
    }
    glEnd();
  }
}
