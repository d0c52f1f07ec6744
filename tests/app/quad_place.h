#pragma once
// The face, row and column of Stickers that a resting sticker quad of the drawn cube
// stands for, worked out from the mean of its corners on its own (not with the
// program's recolouring): the oracle of the app suites and of the session fuzzer.

#include <cmath>

#include "render/model.h"

namespace quadplace {

// False when the quad is not cleanly on one face, or lies further than tolerance (in
// cells) from the centre of one cell.
inline bool PlaceOfQuad(const StickerQuad& q, int& face, int& row, int& col, double tolerance) {
  double m[3] = {0, 0, 0};
  for (int i = 1; i <= 4; ++i) {
    m[0] += q.Corners[i].x / 4.0;
    m[1] += q.Corners[i].y / 4.0;
    m[2] += q.Corners[i].z / 4.0;
  }
  int found = 0;
  double r = 0, c = 0;
  const double L = 2.9;
  if (m[0] > L) { ++found; face = 1; r = m[1] / 2 + 2; c = m[2] / 2 + 2; }
  if (m[0] < -L) { ++found; face = 2; r = -m[1] / 2 + 2; c = m[2] / 2 + 2; }
  if (m[1] > L) { ++found; face = 3; r = -m[0] / 2 + 2; c = m[2] / 2 + 2; }
  if (m[1] < -L) { ++found; face = 4; r = -m[0] / 2 + 2; c = -m[2] / 2 + 2; }
  if (m[2] > L) { ++found; face = 5; r = -m[0] / 2 + 2; c = -m[1] / 2 + 2; }
  if (m[2] < -L) { ++found; face = 6; r = -m[0] / 2 + 2; c = m[1] / 2 + 2; }
  if (found != 1) return false;
  row = static_cast<int>(std::lround(r));
  col = static_cast<int>(std::lround(c));
  if (std::fabs(r - row) > tolerance || std::fabs(c - col) > tolerance) return false;
  return row >= 1 && row <= 3 && col >= 1 && col <= 3;
}

}  // namespace quadplace
