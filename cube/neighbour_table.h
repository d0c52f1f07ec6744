#pragma once
// The constant table of which stickers share a cubie, readable at compile time, so that
// tables derived from it (the pieces of the validity check) need no start-up.

#include "cube/stickers.h"

// The other stickers of each sticker's cubie, as face/position. A corner's two entries
// are in right-handed order: the sticker's own face, then the first entry's face, then
// the second entry's face form a right-handed triple of outward directions.
struct NeighbourRow {
  FacePos P1[2], P2, P3[2], P4, P6, P7[2], P8, P9[2];
};

inline constexpr NeighbourRow NeighbourTable[7] = {
  {},
  //       p1               p2      p3              p4      p6      p7              p8      p9
  /* 1 */ {{{4, 3}, {6, 1}}, {4, 2}, {{5, 3}, {4, 1}}, {6, 2}, {5, 2}, {{6, 3}, {3, 1}}, {3, 2}, {{3, 3}, {5, 1}}},
  /* 2 */ {{{3, 7}, {6, 9}}, {3, 8}, {{5, 7}, {3, 9}}, {6, 8}, {5, 8}, {{6, 7}, {4, 9}}, {4, 8}, {{4, 7}, {5, 9}}},
  /* 3 */ {{{1, 7}, {6, 3}}, {1, 8}, {{5, 1}, {1, 9}}, {6, 6}, {5, 4}, {{6, 9}, {2, 1}}, {2, 2}, {{2, 3}, {5, 7}}},
  /* 4 */ {{{1, 3}, {5, 3}}, {1, 2}, {{6, 1}, {1, 1}}, {5, 6}, {6, 4}, {{5, 9}, {2, 9}}, {2, 8}, {{2, 7}, {6, 7}}},
  /* 5 */ {{{1, 9}, {3, 3}}, {1, 6}, {{4, 1}, {1, 3}}, {3, 6}, {4, 4}, {{3, 9}, {2, 3}}, {2, 6}, {{2, 9}, {4, 7}}},
  /* 6 */ {{{1, 1}, {4, 3}}, {1, 4}, {{3, 1}, {1, 7}}, {4, 6}, {3, 4}, {{4, 9}, {2, 7}}, {2, 4}, {{2, 1}, {3, 7}}},
};

// The table's list for face 1..6, position 1..9 (the centre's is empty).
constexpr NeighbourList TableNeighbours(int face, int pos) {
  const NeighbourRow& t = NeighbourTable[face];
  switch (pos) {
    case 1: return {2, {t.P1[0], t.P1[1]}};
    case 2: return {1, {t.P2, {}}};
    case 3: return {2, {t.P3[0], t.P3[1]}};
    case 4: return {1, {t.P4, {}}};
    case 6: return {1, {t.P6, {}}};
    case 7: return {2, {t.P7[0], t.P7[1]}};
    case 8: return {1, {t.P8, {}}};
    case 9: return {2, {t.P9[0], t.P9[1]}};
    default: return {0, {}};
  }
}
