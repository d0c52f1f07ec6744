#pragma once
// Shared pieces of the last-layer steps (4 to 7): the ring of side faces around the
// top layer and the turn sign of a face.

#include <cstdint>

namespace lastlayer {

// The top layer is face 2; the side faces follow each other 3 → 5 → 4 → 6 → 3.
constexpr int TopFace = 2;
constexpr int BottomFace = 1;

// Ring index 1..4 → face; index 0 unused.
constexpr int RingFace[5] = {0, 3, 5, 4, 6};

// next(F): the following side face; faces off the ring (1, 2, or a hand-edited colour
// that is no face) map to themselves.
constexpr int Next(int face) {
  switch (face) {
    case 3: return 5;
    case 5: return 4;
    case 4: return 6;
    case 6: return 3;
    default: return face;
  }
}

// nextⁿ(F).
constexpr int NextN(int face, int n) {
  for (int i = 0; i < n; ++i) face = Next(face);
  return face;
}

// Brings a ring index back into 1..4 (one lap either way is all the steps need).
constexpr int Wrap(int x) {
  if (x > 4) return x - 4;
  if (x < 1) return x + 4;
  return x;
}

// σ(F): +1 for an odd face, −1 for an even one.
constexpr int Sign(int face) { return face % 2 == 1 ? 1 : -1; }

}  // namespace lastlayer
