#pragma once
// An independent model of where each sticker sits in space, written from the layout of
// rows and columns on each face, so the tables of the cube model can be checked against
// geometry rather than against themselves.

#include <array>

#include "cube/stickers.h"

struct StickerPlace {
  std::array<int, 3> Cubie;    // grid position, each -1..1
  std::array<int, 3> Outward;  // unit normal of the face
};

// Where rows and columns run on each face: the axis and the value at row/column 1
// (the value at 3 is its negation).
struct FaceLayout {
  std::array<int, 3> Outward;
  int RowAxis, RowStart;
  int ColAxis, ColStart;
};

inline constexpr FaceLayout FaceLayouts[7] = {
  {},
  /* 1 +X */ {{1, 0, 0}, 1, -1, 2, -1},
  /* 2 -X */ {{-1, 0, 0}, 1, +1, 2, -1},
  /* 3 +Y */ {{0, 1, 0}, 0, +1, 2, -1},
  /* 4 -Y */ {{0, -1, 0}, 0, +1, 2, +1},
  /* 5 +Z */ {{0, 0, 1}, 0, +1, 1, +1},
  /* 6 -Z */ {{0, 0, -1}, 0, +1, 1, -1},
};

inline StickerPlace PlaceOf(int face, int row, int col) {
  const FaceLayout& l = FaceLayouts[face];
  StickerPlace s{};
  s.Outward = l.Outward;
  for (int a = 0; a < 3; ++a) s.Cubie[a] = l.Outward[a];
  s.Cubie[l.RowAxis] = l.RowStart * (2 - row);  // row 1 → start, 2 → 0, 3 → -start
  s.Cubie[l.ColAxis] = l.ColStart * (2 - col);
  return s;
}

inline StickerRef StickerAtPlace(const StickerPlace& p) {
  for (int f = 1; f <= 6; ++f)
    for (int row = 1; row <= 3; ++row)
      for (int col = 1; col <= 3; ++col) {
        StickerPlace q = PlaceOf(f, row, col);
        if (q.Cubie == p.Cubie && q.Outward == p.Outward)
          return {static_cast<uint8_t>(f), static_cast<uint8_t>(row), static_cast<uint8_t>(col)};
      }
  return {0, 0, 0};
}

// +90 degrees about axis (0 = X, 1 = Y, 2 = Z) in the right-hand sense:
// about X, +Y goes to +Z; about Y, +Z goes to +X; about Z, +X goes to +Y.
inline std::array<int, 3> RotateQuarter(std::array<int, 3> v, int axis, int direction) {
  int a = (axis + 1) % 3, b = (axis + 2) % 3;
  std::array<int, 3> r = v;
  r[a] = -direction * v[b];
  r[b] = direction * v[a];
  return r;
}
