#pragma once
// Playing a solution on the cube model and looking at the result.

#include <cstring>
#include <vector>

#include "cube/move.h"
#include "cube/stickers.h"
#include "cube/turns.h"

// Plays the moves on a copy of the stickers through QuarterTurn; true when afterwards
// every face is all in the colour of its centre.
inline bool SolvesCube(const uint8_t (&stickers)[StickerCount], const std::vector<Move>& moves) {
  std::memcpy(Stickers, stickers, StickerCount);
  for (const Move& m : moves) {
    const int quarters = m.Quarters < 0 ? -m.Quarters : m.Quarters;
    for (int q = 0; q < quarters; ++q) QuarterTurn(m.Layer, m.Quarters < 0 ? -1 : 1);
  }
  for (int face = 0; face < 6; ++face)
    for (int pos = 0; pos < 9; ++pos)
      if (Stickers[9 * face + pos] != Stickers[9 * face + 4]) return false;
  return true;
}
