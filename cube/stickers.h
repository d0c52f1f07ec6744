#pragma once
// The logical cube: 54 sticker colours and the fixed tables that address them.
//
// Faces, layers and colours share one numbering, 1..6: +X, -X, +Y, -Y, +Z, -Z. In the
// solved cube every sticker of face f has colour f. Positions on a face run 1..9,
// row after row (centre 5); rows and columns run 1..3. Everything here is 1-based,
// as the user and the saved-cube file see it.

#include <cstdint>

struct StickerRef {
  uint8_t Face;
  uint8_t Row;
  uint8_t Col;
};

struct RowCol {
  uint8_t Row;
  uint8_t Col;
};

// One entry of a neighbour list: another sticker of the same cubie.
struct FacePos {
  uint8_t Face;
  uint8_t Pos;
};

// Centres have no neighbours, edge stickers one, corner stickers two (in the
// right-handed order of the table in stickers.cpp).
struct NeighbourList {
  uint8_t Count;
  FacePos Entries[2];
};
struct NeighbourListRC {
  uint8_t Count;
  StickerRef Entries[2];
};

// The 54 colour numbers, face after face, row after row: byte 9(f-1) + 3(r-1) + (c-1).
// This is also, byte for byte, the saved-cube file.
constexpr int StickerCount = 54;
extern uint8_t Stickers[StickerCount];

inline uint8_t& StickerAt(int face, int row, int col) {
  return Stickers[9 * (face - 1) + 3 * (row - 1) + (col - 1)];
}
inline uint8_t& StickerAtPos(int face, int pos) { return Stickers[9 * (face - 1) + (pos - 1)]; }

// Indexed [face 1..6][position 1..9] and [face][row 1..3][col 1..3]; index 0 unused.
extern NeighbourList Neighbours[7][10];
extern NeighbourListRC NeighboursRC[7][4][4];

RowCol PosToRowCol(int pos);
uint8_t RowColToPos(int row, int col);

// Fills Neighbours from the constant table and derives NeighboursRC (start-up).
void BuildNeighbourTables();
// Empties both tables (shut-down).
void FreeNeighbourTables();

// Every sticker of face f gets colour f.
void ResetStickers();

// The edge sticker of colour `colour` whose one neighbour has colour `other`; the last
// match in face-row-column order. {0, 0, 0} when nothing matches (hand-edited cubes).
StickerRef FindEdge(int colour, int other);
// The corner sticker of colour `colour` whose first neighbour has `first` and second
// neighbour `second`; the last match. {0, 0, 0} when nothing matches.
StickerRef FindCorner(int colour, int first, int second);
