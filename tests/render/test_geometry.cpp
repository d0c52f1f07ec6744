// The drawn cube without GL: construction, point rotations, layer membership and the
// colour conversion of the menu swatches.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

#include "cube/stickers.h"
#include "cube/turns.h"
#include "render/model.h"
#include "render/turn.h"
#include "solved_geometry.h"

namespace {

constexpr float Pi = 3.14159265358979f;

struct GridIndex {
  int k, l, m;
};

GridIndex GridOf(int S) {
  const int n = S - 1;
  return {n / 9 - 1, (n / 3) % 3 - 1, n % 3 - 1};
}

int Kind(int S) {   // 0 core, 1 face centre, 2 edge, 3 corner
  const GridIndex g = GridOf(S);
  return std::abs(g.k) + std::abs(g.l) + std::abs(g.m);
}

Point3 StickerCentre(const StickerQuad& q) {
  Point3 c{0, 0, 0};
  for (int i = 1; i <= 4; ++i) {
    c.x += q.Corners[i].x / 4;
    c.y += q.Corners[i].y / 4;
    c.z += q.Corners[i].z / 4;
  }
  return c;
}

float Component(const Point3& p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : p.z; }

// The outward direction of face 1..6 as (axis, sign).
constexpr int FaceAxis[7] = {0, 0, 0, 1, 1, 2, 2};
constexpr int FaceSign[7] = {0, 1, -1, 1, -1, 1, -1};

// Animates one quarter turn the way the frame timer does: 20 steps of pi / 40.
void AnimateQuarterTurn(int layer, int direction) {
  ASSERT_EQ(ChooseMovingCubies(layer), 9);
  const float step = Pi / 40 * static_cast<float>(direction);
  float remaining = Pi / 2;
  while (remaining > 0) {
    for (int i = 1; i <= 9; ++i) RotateCubie(MovingCubies[i], TurnRotate, step);
    remaining = static_cast<float>(remaining - std::fabs(step));
  }
}

class GeometryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildSolvedGeometry();
  }
  void TearDown() override { SetUp(); }
};

TEST_F(GeometryTest, BuildPlacesStickersAndDarkSidesByCubieKind) {
  int perFace[7] = {};
  for (int S = 1; S <= 27; ++S) {
    const CubieGeometry& cubie = CubeGeometry[S];
    const GridIndex g = GridOf(S);
    int stickers = 0, sides = 0;
    for (int f = 1; f <= 6; ++f) {
      stickers += cubie.Stickers[f].Present;
      perFace[f] += cubie.Stickers[f].Present;
      sides += cubie.SideFlags[f];
    }
    const int kind = Kind(S);
    EXPECT_EQ(stickers, kind) << "cubie " << S;
    EXPECT_EQ(sides, (std::array{0, 1, 4, 6})[kind]) << "cubie " << S;
    const float expected[3] = {2.05f * g.k, 2.05f * g.l, 2.05f * g.m};
    for (int a = 0; a < 3; ++a) EXPECT_NEAR(Component(cubie.Centre, a), expected[a], 1e-6);
  }
  for (int f = 1; f <= 6; ++f) EXPECT_EQ(perFace[f], 9) << "face " << f;

  // An edge cubie draws its two outer sides and the two facing its corner neighbours;
  // a face centre only its outer side.
  const CubieGeometry& edge = CubeGeometry[26];   // (+1, +1, 0)
  EXPECT_TRUE(edge.SideFlags[1] && edge.SideFlags[3] && edge.SideFlags[5] && edge.SideFlags[6]);
  EXPECT_FALSE(edge.SideFlags[2] || edge.SideFlags[4]);
  const CubieGeometry& centre = CubeGeometry[23];   // (+1, 0, 0)
  EXPECT_TRUE(centre.SideFlags[1]);

  for (int i = 0; i < 54; ++i) EXPECT_EQ(Stickers[i], i / 9 + 1);
}

TEST_F(GeometryTest, StickerCornersOfTheOuterCorner) {
  const StickerQuad& q = CubeGeometry[27].Stickers[1];
  const float expected[5][3] = {
      {}, {3.055f, 1.15f, 2.95f}, {3.055f, 1.15f, 1.15f}, {3.055f, 2.95f, 1.15f}, {3.055f, 2.95f, 2.95f}};
  for (int i = 1; i <= 4; ++i) {
    EXPECT_NEAR(q.Corners[i].x, expected[i][0], 1e-5);
    EXPECT_NEAR(q.Corners[i].y, expected[i][1], 1e-5);
    EXPECT_NEAR(q.Corners[i].z, expected[i][2], 1e-5);
  }
  EXPECT_FLOAT_EQ(q.Colour[0], 1);
  EXPECT_FLOAT_EQ(q.Colour[1], 0);
  // Hidden faces carry no colour and no corners.
  const StickerQuad& hidden = CubeGeometry[27].Stickers[2];
  EXPECT_FALSE(hidden.Present);
  EXPECT_EQ(hidden.Corners[3].x, 0);
  EXPECT_EQ(hidden.Colour[0], 0);
}

TEST_F(GeometryTest, InsetAndLiftParameters) {
  StickerInset = 1;
  StickerLift = 5;
  BuildCubeGeometry();
  for (int i = 1; i <= 4; ++i) {
    const Point3& p = CubeGeometry[27].Stickers[1].Corners[i];
    EXPECT_NEAR(p.x, 8.05, 1e-5);
    EXPECT_NEAR(p.y, 2.05, 1e-5);
    EXPECT_NEAR(p.z, 2.05, 1e-5);
  }
  const Point3& p = CubeGeometry[1].Stickers[4].Corners[2];   // face -Y of (-1, -1, -1)
  EXPECT_NEAR(p.y, -8.05, 1e-5);
}

// Each sticker is a front-facing quad seen from outside, its normal points outwards,
// and the ninth of the picture it shows matches its place on the face: corner 1 -> 2
// runs along the picture's columns, 2 -> 3 up its rows, cells 1..3 are the top strip.
TEST_F(GeometryTest, StickersFaceOutwardsAndShowTheirCell) {
  for (int S = 1; S <= 27; ++S) {
    const CubieGeometry& cubie = CubeGeometry[S];
    for (int f = 1; f <= 6; ++f) {
      const StickerQuad& q = cubie.Stickers[f];
      EXPECT_GE(q.TextureCell, 1);
      EXPECT_LE(q.TextureCell, 9);
      if (!q.Present) continue;
      const Point3 c = StickerCentre(q);
      EXPECT_NEAR(Component(c, FaceAxis[f]), FaceSign[f] * 3.055f, 1e-5);

      const Point3& c1 = q.Corners[1];
      const Point3& c2 = q.Corners[2];
      const Point3& c3 = q.Corners[3];
      const float s[3] = {c2.x - c1.x, c2.y - c1.y, c2.z - c1.z};
      const float t[3] = {c3.x - c2.x, c3.y - c2.y, c3.z - c2.z};
      const float n[3] = {s[1] * t[2] - s[2] * t[1], s[2] * t[0] - s[0] * t[2], s[0] * t[1] - s[1] * t[0]};
      EXPECT_GT(n[FaceAxis[f]] * FaceSign[f], 0) << "cubie " << S << " face " << f;

      const float centre[3] = {cubie.Centre.x, cubie.Centre.y, cubie.Centre.z};
      float along = 0, up = 0, sl = 0, tl = 0;
      for (int a = 0; a < 3; ++a) {
        along += centre[a] * s[a];
        up += centre[a] * t[a];
        sl += s[a] * s[a];
        tl += t[a] * t[a];
      }
      const int column = 2 + static_cast<int>(std::lround(along / std::sqrt(sl) / 2.05f));
      const int row = 2 - static_cast<int>(std::lround(up / std::sqrt(tl) / 2.05f));
      EXPECT_EQ(q.TextureCell, 3 * (row - 1) + column) << "cubie " << S << " face " << f;
    }
  }
}

TEST_F(GeometryTest, QuarterTurnMovesCubiesToGridPlaces) {
  AnimateQuarterTurn(1, +1);
  // (+1, +1, 0) goes to (+1, 0, +1): +Y is carried to +Z.
  const CubieGeometry& moved = CubeGeometry[26];
  EXPECT_NEAR(moved.Centre.x, 2.05, 1e-5);
  EXPECT_NEAR(moved.Centre.y, 0, 1e-5);
  EXPECT_NEAR(moved.Centre.z, 2.05, 1e-5);
  // Its +Y sticker now faces +Z and travelled with it.
  EXPECT_NEAR(StickerCentre(moved.Stickers[3]).z, 3.055, 1e-5);
  // The other layers stayed.
  EXPECT_EQ(CubeGeometry[8].Centre.y, 2.05f);

  for (int S = 1; S <= 27; ++S) {
    for (int a = 0; a < 3; ++a) {
      const float v = Component(CubeGeometry[S].Centre, a) / 2.05f;
      EXPECT_NEAR(v, std::round(v), 1e-5) << "cubie " << S;
    }
  }
}

TEST_F(GeometryTest, FourQuarterTurnsRestoreEveryPoint) {
  CubieGeometry before[28];
  std::copy(CubeGeometry, CubeGeometry + 28, before);
  for (int layer = 1; layer <= 6; ++layer) {
    for (int d : {+1, -1}) {
      for (int i = 0; i < 4; ++i) AnimateQuarterTurn(layer, d);
    }
  }
  for (int S = 1; S <= 27; ++S) {
    for (int i = 1; i <= 8; ++i) {
      EXPECT_NEAR(CubeGeometry[S].Corners[i].x, before[S].Corners[i].x, 1e-4);
      EXPECT_NEAR(CubeGeometry[S].Corners[i].y, before[S].Corners[i].y, 1e-4);
      EXPECT_NEAR(CubeGeometry[S].Corners[i].z, before[S].Corners[i].z, 1e-4);
    }
    for (int f = 1; f <= 6; ++f) {
      for (int i = 1; i <= 4; ++i) {
        EXPECT_NEAR(CubeGeometry[S].Stickers[f].Corners[i].x, before[S].Stickers[f].Corners[i].x, 1e-4);
        EXPECT_NEAR(CubeGeometry[S].Stickers[f].Corners[i].z, before[S].Stickers[f].Corners[i].z, 1e-4);
      }
    }
  }
}

// Where a sticker facing direction f at grid place (x, y, z) sits in Stickers.
StickerRef StickerAddress(int f, int x, int y, int z) {
  auto ref = [f](int row, int col) {
    return StickerRef{static_cast<uint8_t>(f), static_cast<uint8_t>(row), static_cast<uint8_t>(col)};
  };
  switch (f) {
    case 1: return ref(y + 2, z + 2);
    case 2: return ref(2 - y, z + 2);
    case 3: return ref(2 - x, z + 2);
    case 4: return ref(2 - x, 2 - z);
    case 5: return ref(2 - x, 2 - y);
    default: return ref(2 - x, y + 2);
  }
}

// Random turns applied both to Stickers and to the drawn cubies: the layer chosen by
// the current centres is the one an integer model of the cube names, and every drawn
// sticker ends where Stickers says its colour is.
TEST_F(GeometryTest, DrawnCubeAgreesWithStickersAfterManyTurns) {
  std::array<std::array<int, 3>, 28> place{};
  for (int S = 1; S <= 27; ++S) place[S] = {GridOf(S).k, GridOf(S).l, GridOf(S).m};

  std::mt19937 random(12345);
  for (int turn = 0; turn < 400; ++turn) {
    const int layer = 1 + static_cast<int>(random() % 6);
    const int direction = random() % 2 ? 1 : -1;
    const int axis = (layer - 1) / 2;
    const int side = layer % 2 ? 1 : -1;

    ASSERT_EQ(ChooseMovingCubies(layer), 9);
    const PointRotation expectedRotation[3] = {RotatePointX, RotatePointY, RotatePointZ};
    EXPECT_EQ(TurnRotate, expectedRotation[axis]);
    int expected = 0;
    for (int S = 1; S <= 27; ++S) {
      if (place[S][axis] != side) continue;
      ++expected;
      EXPECT_EQ(MovingCubies[expected], S) << "turn " << turn << " layer " << layer;
      // Rotate the integer place by +90 degrees (right hand) times the direction.
      const int u = (axis + 1) % 3, v = (axis + 2) % 3;
      const int pu = place[S][u], pv = place[S][v];
      place[S][u] = -pv * direction;
      place[S][v] = pu * direction;
    }
    ASSERT_EQ(expected, 9);

    QuarterTurn(layer, direction);
    AnimateQuarterTurn(layer, direction);
  }

  for (int S = 1; S <= 27; ++S) {
    for (int a = 0; a < 3; ++a) EXPECT_NEAR(Component(CubeGeometry[S].Centre, a), 2.05f * place[S][a], 1e-3);
    for (int f = 1; f <= 6; ++f) {
      const StickerQuad& q = CubeGeometry[S].Stickers[f];
      if (!q.Present) continue;
      const Point3 c = StickerCentre(q);
      int facing = 0;
      for (int a = 0; a < 3; ++a) {
        if (Component(c, a) > 2.9f) facing = 2 * a + 1;
        if (Component(c, a) < -2.9f) facing = 2 * a + 2;
      }
      ASSERT_NE(facing, 0);
      const StickerRef ref = StickerAddress(facing, place[S][0], place[S][1], place[S][2]);
      EXPECT_EQ(StickerAt(ref.Face, ref.Row, ref.Col), f) << "cubie " << S << " built face " << f;
    }
  }
}

TEST_F(GeometryTest, ChooseMovingCubiesIgnoresUnknownLayers) {
  MovingCubies[1] = 77;
  EXPECT_EQ(ChooseMovingCubies(0), 0);
  EXPECT_EQ(ChooseMovingCubies(7), 0);
  EXPECT_EQ(MovingCubies[1], 77);
}

TEST_F(GeometryTest, FaceColorRGBRoundsHalvesToEven) {
  EXPECT_EQ(FaceColorRGB(3, 0), 178u << 16);            // 0.7 * 255 is just under 178.5
  EXPECT_EQ(FaceColorRGB(1, 1), 0x0101FFu);
  EXPECT_EQ(FaceColorRGB(4, 0), 0xFFFFFFu);
  FaceColors[2][0] = 0.5;   // 253 * 0.5 = 126.5 -> 126, 255 * 0.5 = 127.5 -> 128
  FaceColors[2][2] = 0.5;
  EXPECT_EQ(FaceColorRGB(2, 2), (128u << 16) | (255u << 8) | 128u);
  EXPECT_EQ(FaceColorRGB(2, 0), (128u << 16) | (255u << 8) | 128u);
  FaceColors[2][0] = 0.3;   // 254 * 0.3 = 76.2
  EXPECT_EQ(FaceColorRGB(2, 1) & 0xFF, 77u);
  // The stored 1.5 / 255 is a little under it: 255 times it is just under 1.5 (though
  // a double product rounds to exactly 1.5) and gives 1, not the even 2.
  FaceColors[2][0] = 1.5 / 255;
  EXPECT_EQ(FaceColorRGB(2, 0) & 0xFF, 1u);
}

}  // namespace
