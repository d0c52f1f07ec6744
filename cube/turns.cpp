#include "cube/turns.h"

#include "cube/stickers.h"

namespace {

// A 4-cycle of stickers, face/position: for direction +1 the colour at each sticker
// moves to the next one, and the last one's to the first.
using Cycle = FacePos[4];

// The face's own stickers, direction +1, as position cycles. The centre stays.
// Faces 1, 3, 5: (row, col) → (4 − col, row). Faces 2, 4, 6: (row, col) → (col, 4 − row).
constexpr uint8_t GridCyclesOddFace[2][4] = {{1, 7, 9, 3}, {2, 4, 8, 6}};
constexpr uint8_t GridCyclesEvenFace[2][4] = {{1, 3, 9, 7}, {2, 6, 8, 4}};

// The twelve stickers of the neighbouring faces that lie in each layer, direction +1.
constexpr Cycle RingCycles[7][3] = {
  {},
  /* 1 */ {{{3, 1}, {5, 1}, {4, 1}, {6, 1}}, {{3, 2}, {5, 2}, {4, 2}, {6, 2}}, {{3, 3}, {5, 3}, {4, 3}, {6, 3}}},
  /* 2 */ {{{3, 7}, {5, 7}, {4, 7}, {6, 7}}, {{3, 8}, {5, 8}, {4, 8}, {6, 8}}, {{3, 9}, {5, 9}, {4, 9}, {6, 9}}},
  /* 3 */ {{{1, 7}, {6, 9}, {2, 3}, {5, 1}}, {{1, 8}, {6, 6}, {2, 2}, {5, 4}}, {{1, 9}, {6, 3}, {2, 1}, {5, 7}}},
  /* 4 */ {{{1, 1}, {6, 7}, {2, 9}, {5, 3}}, {{1, 2}, {6, 4}, {2, 8}, {5, 6}}, {{1, 3}, {6, 1}, {2, 7}, {5, 9}}},
  /* 5 */ {{{1, 3}, {3, 3}, {2, 3}, {4, 7}}, {{1, 6}, {3, 6}, {2, 6}, {4, 4}}, {{1, 9}, {3, 9}, {2, 9}, {4, 1}}},
  /* 6 */ {{{1, 1}, {3, 1}, {2, 1}, {4, 9}}, {{1, 4}, {3, 4}, {2, 4}, {4, 6}}, {{1, 7}, {3, 7}, {2, 7}, {4, 3}}},
};

// Moves the colours one step along the cycle a → b → c → d → a (direction +1) or
// backwards (direction −1).
void RotateCycle(uint8_t& a, uint8_t& b, uint8_t& c, uint8_t& d, int direction) {
  if (direction > 0) {
    uint8_t last = d;
    d = c;
    c = b;
    b = a;
    a = last;
  } else {
    uint8_t first = a;
    a = b;
    b = c;
    c = d;
    d = first;
  }
}

}  // namespace

void TurnFaceGrid(int face, int direction) {
  const auto& cycles = (face % 2 == 1) ? GridCyclesOddFace : GridCyclesEvenFace;
  for (const auto& p : cycles)
    RotateCycle(StickerAtPos(face, p[0]), StickerAtPos(face, p[1]), StickerAtPos(face, p[2]),
                StickerAtPos(face, p[3]), direction);
}

void TurnRing(int layer, int direction) {
  for (const Cycle& c : RingCycles[layer])
    RotateCycle(StickerAtPos(c[0].Face, c[0].Pos), StickerAtPos(c[1].Face, c[1].Pos),
                StickerAtPos(c[2].Face, c[2].Pos), StickerAtPos(c[3].Face, c[3].Pos), direction);
}

void QuarterTurn(int layer, int direction) {
  TurnFaceGrid(layer, direction);
  TurnRing(layer, direction);
}
