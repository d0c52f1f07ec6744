#include "cube/stickers.h"

#include <cstring>

#include "cube/neighbour_table.h"

uint8_t Stickers[StickerCount];
NeighbourList Neighbours[7][10];
NeighbourListRC NeighboursRC[7][4][4];

namespace {

void SetCorner(NeighbourList& list, const FacePos (&entries)[2]) {
  list.Count = 2;
  list.Entries[0] = entries[0];
  list.Entries[1] = entries[1];
}

void SetEdge(NeighbourList& list, const FacePos& entry) {
  list.Count = 1;
  list.Entries[0] = entry;
}

}  // namespace

RowCol PosToRowCol(int pos) {
  int col = pos % 3;
  if (col == 0) col = 3;
  int row = pos / 3;
  if (col < 3) row += 1;
  return {static_cast<uint8_t>(row), static_cast<uint8_t>(col)};
}

uint8_t RowColToPos(int row, int col) { return static_cast<uint8_t>(3 * (row - 1) + col); }

void BuildNeighbourTables() {
  FreeNeighbourTables();
  for (int f = 1; f <= 6; ++f) {
    const NeighbourRow& t = NeighbourTable[f];
    NeighbourList* lists = Neighbours[f];
    SetCorner(lists[1], t.P1);
    SetEdge(lists[2], t.P2);
    SetCorner(lists[3], t.P3);
    SetEdge(lists[4], t.P4);
    lists[5].Count = 0;
    SetEdge(lists[6], t.P6);
    SetCorner(lists[7], t.P7);
    SetEdge(lists[8], t.P8);
    SetCorner(lists[9], t.P9);
  }
  for (int f = 1; f <= 6; ++f)
    for (int row = 1; row <= 3; ++row)
      for (int col = 1; col <= 3; ++col) {
        const NeighbourList& from = Neighbours[f][RowColToPos(row, col)];
        NeighbourListRC& to = NeighboursRC[f][row][col];
        to.Count = from.Count;
        for (int l = 0; l < from.Count; ++l) {
          RowCol rc = PosToRowCol(from.Entries[l].Pos);
          to.Entries[l] = {from.Entries[l].Face, rc.Row, rc.Col};
        }
      }
}

void FreeNeighbourTables() {
  std::memset(Neighbours, 0, sizeof Neighbours);
  std::memset(NeighboursRC, 0, sizeof NeighboursRC);
}

void ResetStickers() {
  for (int f = 1; f <= 6; ++f)
    for (int p = 1; p <= 9; ++p) StickerAtPos(f, p) = static_cast<uint8_t>(f);
}

namespace {

uint8_t ColourOf(const StickerRef& s) { return StickerAt(s.Face, s.Row, s.Col); }

// Scans face 1..6, row 1..3, column 1..3 over stickers with `count` neighbours and
// returns the last one that matches.
template <typename Match>
StickerRef LastMatch(int count, Match match) {
  StickerRef found{0, 0, 0};
  for (int f = 1; f <= 6; ++f)
    for (int row = 1; row <= 3; ++row)
      for (int col = 1; col <= 3; ++col) {
        const NeighbourListRC& list = NeighboursRC[f][row][col];
        if (list.Count == count && match(StickerAt(f, row, col), list))
          found = {static_cast<uint8_t>(f), static_cast<uint8_t>(row), static_cast<uint8_t>(col)};
      }
  return found;
}

}  // namespace

StickerRef FindEdge(int colour, int other) {
  return LastMatch(1, [&](uint8_t own, const NeighbourListRC& list) {
    return own == colour && ColourOf(list.Entries[0]) == other;
  });
}

StickerRef FindCorner(int colour, int first, int second) {
  return LastMatch(2, [&](uint8_t own, const NeighbourListRC& list) {
    return own == colour && ColourOf(list.Entries[0]) == first && ColourOf(list.Entries[1]) == second;
  });
}
