#pragma once
// A fresh main window for every test: the headless window system, FormCreate without
// an OpenGL context, and a seeded generator. Plus the checks that the drawn cube and
// the logical cube agree.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "app/handlers.h"
#include "app/state.h"
#include "cube/movequeue.h"
#include "cube/stickers.h"
#include "platform/headless/headless.h"
#include "quad_place.h"
#include "render/model.h"
#include "render/view.h"
#include "solver/solver.h"

namespace apptest {

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HeadlessReset();
    FormCreate();
    SeedRandom(20240611);
  }
  void TearDown() override { FormDestroy(); }
};

inline void Ticks(int n) {
  for (int i = 0; i < n; ++i) Timer1Timer();
}

// Ticks until no turn runs and none will start; returns the ticks taken, or -1 when
// the limit ran out first.
inline int TicksUntilStopped(int limit) {
  for (int n = 1; n <= limit; ++n) {
    Timer1Timer();
    if (Halted && !TurnInProgress) return n;
  }
  return -1;
}

// Ticks until the turn in progress has ended.
inline int TicksUntilTurnEnds(int limit) {
  for (int n = 1; n <= limit; ++n) {
    Timer1Timer();
    if (!TurnInProgress) return n;
  }
  return -1;
}

// Ticks until done() holds; false when it did not within limit ticks.
template <typename Done>
bool TickUntil(Done done, int limit = 20000) {
  for (int i = 0; i < limit; ++i) {
    if (done()) return true;
    Timer1Timer();
  }
  return done();
}

// count random turns by Intermixing at Fast speed, then stopped with the last turn
// complete.
inline void Scramble(int count) {
  Fast1Click();
  Intermixing1Click();
  ASSERT_TRUE(TickUntil([&] { return HistoryLength >= count; }));
  Intermixing1Click();
  ASSERT_TRUE(TickUntil([] { return !TurnInProgress; }));
  ASSERT_TRUE(Halted);
  ASSERT_EQ(HistoryLength, count);
}

inline bool StickersSolved() {
  for (int i = 0; i < StickerCount; ++i)
    if (Stickers[i] != i / 9 + 1) return false;
  return true;
}

inline float Coordinate(const Point3& p, int axis) { return axis == 0 ? p.x : axis == 1 ? p.y : p.z; }

// Cubies whose centre lies beyond +1 (side +1) or -1 (side -1) on an axis.
inline int CubiesBeyond(int axis, int side) {
  int n = 0;
  for (int c = 1; c <= 27; ++c) {
    float v = Coordinate(CubeGeometry[c].Centre, axis);
    if (side > 0 ? v > 1.0f : v < -1.0f) ++n;
  }
  return n;
}

// Between turns every layer holds nine cubies, so whichever layer turns next, the turn
// picks exactly nine.
inline ::testing::AssertionResult LayersComeApartCleanly() {
  for (int axis = 0; axis < 3; ++axis)
    for (int side : {+1, -1})
      if (int n = CubiesBeyond(axis, side); n != 9)
        return ::testing::AssertionFailure() << n << " cubies on side " << side << " of axis " << axis;
  return ::testing::AssertionSuccess();
}

// Largest distance of any cubie centre from its nearest grid place (pitch 2.05).
inline double CentreDrift() {
  double worst = 0;
  for (int c = 1; c <= 27; ++c)
    for (int axis = 0; axis < 3; ++axis) {
      double v = Coordinate(CubeGeometry[c].Centre, axis);
      double grid = std::round(v / 2.05) * 2.05;
      worst = std::fmax(worst, std::fabs(v - grid));
    }
  return worst;
}

// The face, row and column of Stickers that a resting sticker quad stands for; a
// resting quad lands within a few hundredths of its cell's centre.
inline bool LocateQuad(const StickerQuad& q, int& face, int& row, int& col) {
  return quadplace::PlaceOfQuad(q, face, row, col, 0.1);
}

// The drawn cube at rest shows Stickers: every one of the 54 places is covered by
// exactly one present quad, and that quad has the colour of its sticker's number.
inline ::testing::AssertionResult GeometryShowsStickers() {
  int covered[7][4][4] = {};
  int present = 0;
  for (int c = 1; c <= 27; ++c)
    for (int f = 1; f <= 6; ++f) {
      const StickerQuad& q = CubeGeometry[c].Stickers[f];
      if (!q.Present) continue;
      ++present;
      int face = 0, row = 0, col = 0;
      if (!LocateQuad(q, face, row, col))
        return ::testing::AssertionFailure() << "cubie " << c << " quad " << f << " is off the grid";
      ++covered[face][row][col];
      const int k = StickerAt(face, row, col);
      if (k < 1 || k > 6) return ::testing::AssertionFailure() << "colour number " << k;
      for (int ch = 0; ch < 3; ++ch)
        if (q.Colour[ch] != static_cast<float>(FaceColors[k][ch]))
          return ::testing::AssertionFailure()
                 << "cubie " << c << " quad " << f << " at " << face << "/" << row << "," << col
                 << " shows another colour than number " << k;
    }
  if (present != 54) return ::testing::AssertionFailure() << present << " quads present";
  for (int f = 1; f <= 6; ++f)
    for (int r = 1; r <= 3; ++r)
      for (int c = 1; c <= 3; ++c)
        if (covered[f][r][c] != 1)
          return ::testing::AssertionFailure() << "place " << f << "/" << r << "," << c << " covered "
                                               << covered[f][r][c] << " times";
  return ::testing::AssertionSuccess();
}

// The angle between two vectors, in degrees.
inline double AngleBetween(const Point3& a, const Point3& b) {
  double dot = double(a.x) * b.x + double(a.y) * b.y + double(a.z) * b.z;
  double la = VectorLength(a), lb = VectorLength(b);
  double c = dot / (la * lb);
  if (c > 1) c = 1;
  if (c < -1) c = -1;
  return std::acos(c) * 180.0 / M_PI;
}

inline Point3 Cross(const Point3& a, const Point3& b) {
  return Point3{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline double Dot(const Point3& a, const Point3& b) {
  return double(a.x) * b.x + double(a.y) * b.y + double(a.z) * b.z;
}

}  // namespace apptest
