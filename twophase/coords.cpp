#include "twophase/coords.h"

#include "twophase/tables.h"

namespace twophase {

int TwistOf(const CubieCube& c) {
  int t = 0;
  for (int i = 0; i < 7; ++i) t = 3 * t + c.Co[i];
  return t;
}

int FlipOf(const CubieCube& c) {
  int f = 0;
  for (int i = 0; i < 11; ++i) f = 2 * f + c.Eo[i];
  return f;
}

int SliceOf(const CubieCube& c) { return RankSlice(c.Ep); }

int CornerPermOf(const CubieCube& c) { return RankPermutation<8>(c.Cp); }

int UDEdgePermOf(const CubieCube& c) { return RankPermutation<8>(c.Ep); }

int SlicePermOf(const CubieCube& c) {
  uint8_t p[4];
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(c.Ep[8 + i] - 8);
  return RankPermutation<4>(p);
}

}  // namespace twophase
