// Step 6 (code 61): every top corner into its own slot, whatever its twist.
//
// Identifies the corner in each of the four top slots by its colour set, finds a ring
// shift v under which the arrangement matches one of five rows, and plays that row's
// sequence around the faces F, G, H that v selects.

#include "cube/movequeue.h"
#include "cube/stickers.h"
#include "solver/lastlayer.h"
#include "solver/solver.h"

namespace {

using lastlayer::TopFace;
using lastlayer::Wrap;

// The four top corner slots: the face-2 position, the side face read at position 7
// and the side face read at position 9. Slot j holds corner j when solved. Index 0
// unused.
struct CornerSlot {
  uint8_t TopPos;
  uint8_t Side7;
  uint8_t Side9;
};
constexpr CornerSlot CornerSlots[5] = {
    {0, 0, 0},
    {1, 3, 6},  // slot 1: 2/1, 3/7, 6/9   corner {2, 3, 6}
    {3, 5, 3},  // slot 2: 2/3, 5/7, 3/9   corner {2, 3, 5}
    {9, 4, 5},  // slot 3: 2/9, 4/7, 5/9   corner {2, 4, 5}
    {7, 6, 4},  // slot 4: 2/7, 6/7, 4/9   corner {2, 4, 6}
};

// The colour set of corner 1..4, as bit c for colour c. A byte that is no colour (a
// loaded file may hold anything) adds no bit, so its slot matches no corner.
constexpr unsigned ColourBit(int c) { return c >= 1 && c <= 6 ? 1u << c : 0u; }
constexpr unsigned CornerColours[5] = {
    0,
    ColourBit(2) | ColourBit(3) | ColourBit(6),
    ColourBit(2) | ColourBit(3) | ColourBit(5),
    ColourBit(2) | ColourBit(4) | ColourBit(5),
    ColourBit(2) | ColourBit(4) | ColourBit(6),
};

// Row k, slot 1..4: the corner expected there. Row and column 0 unused.
constexpr uint8_t CornerArrangements[6][5] = {
    //     slot 1  2  3  4
    {0, /**/ 0, 0, 0, 0},
    {0, /*1*/ 1, 2, 3, 4},  // solved
    {0, /*2*/ 1, 4, 2, 3},  // slot 1 kept, the other three cycled one way
    {0, /*3*/ 1, 3, 4, 2},  // ... and the other way
    {0, /*4*/ 2, 1, 4, 3},  // slots 1 ↔ 2 and 3 ↔ 4
    {0, /*5*/ 3, 4, 1, 2},  // slots 1 ↔ 3 and 2 ↔ 4
};

// The faces and signs each ring shift v works with: F at ring index wrap(2 + v),
// s = σ(F), G = next(next(F)) opposite F, H = next(F), t = σ(H).
struct ShiftFaces {
  int8_t F, S, G, H, T;
};
constexpr ShiftFaces CornerShiftFaces[4] = {
    //   F   s   G  H   t
    {5, +1, 6, 4, -1},  // v = 0
    {4, -1, 3, 6, -1},  // v = 1
    {6, -1, 5, 3, +1},  // v = 2
    {3, +1, 4, 5, +1},  // v = 3
};

// The case sequences, written with the roles of the faces: Top is layer 2, Bottom
// layer 1; a turn's quarter turns are Turns times s (BySign::S), t (BySign::T) or 1.
enum class Role : uint8_t { Top, Bottom, F, G, H };
enum class BySign : uint8_t { One, S, T };
struct RoleMove {
  Role Layer;
  int8_t Turns;
  BySign Sign;
};

using enum Role;
using enum BySign;

// Case 2: (2, 1), (G, s), (2, −1), (F, s), (2, 1), (G, −s), (2, −1), (F, −s).
constexpr RoleMove CornerCase2[] = {
    {Top, 1, One}, {G, 1, S},  {Top, -1, One}, {F, 1, S},
    {Top, 1, One}, {G, -1, S}, {Top, -1, One}, {F, -1, S},
};
// Case 3: (F, s), (2, 1), (G, s), (2, −1), (F, −s), (2, 1), (G, −s), (2, −1).
constexpr RoleMove CornerCase3[] = {
    {F, 1, S},  {Top, 1, One}, {G, 1, S},  {Top, -1, One},
    {F, -1, S}, {Top, 1, One}, {G, -1, S}, {Top, -1, One},
};
// Case 4: (H, −t); three times (F, −s), (2, 1), (F, s), (2, −1); then (H, t).
constexpr RoleMove CornerCase4[] = {
    {H, -1, T},
    {F, -1, S}, {Top, 1, One}, {F, 1, S}, {Top, -1, One},
    {F, -1, S}, {Top, 1, One}, {F, 1, S}, {Top, -1, One},
    {F, -1, S}, {Top, 1, One}, {F, 1, S}, {Top, -1, One},
    {H, 1, T},
};
// Case 5: twice (F, 2), (G, 2), (1, −1), (F, 2), (G, 2), (2, 2).
constexpr RoleMove CornerCase5[] = {
    {F, 2, One}, {G, 2, One}, {Bottom, -1, One}, {F, 2, One}, {G, 2, One}, {Top, 2, One},
    {F, 2, One}, {G, 2, One}, {Bottom, -1, One}, {F, 2, One}, {G, 2, One}, {Top, 2, One},
};

void AddRoleMoves(std::span<const RoleMove> moves, const ShiftFaces& f) {
  for (const RoleMove& m : moves) {
    int layer = 0;
    switch (m.Layer) {
      case Top: layer = TopFace; break;
      case Bottom: layer = lastlayer::BottomFace; break;
      case F: layer = f.F; break;
      case G: layer = f.G; break;
      case H: layer = f.H; break;
    }
    const int sign = m.Sign == S ? f.S : m.Sign == T ? f.T : 1;
    AddMove(layer, m.Turns * sign);
  }
}

// The identity 1..4 of the corner in a slot, from the colours at its face-2 position,
// at position 7 of Side7 and at position 9 of Side9, in any order and twist; 0 when the
// colour set is none of the four (a hand-edited cube).
int IdentifyCorner(const CornerSlot& slot) {
  const unsigned colours = ColourBit(StickerAtPos(TopFace, slot.TopPos)) |
                           ColourBit(StickerAtPos(slot.Side7, 7)) |
                           ColourBit(StickerAtPos(slot.Side9, 9));
  for (int id = 1; id <= 4; ++id)
    if (colours == CornerColours[id]) return id;
  return 0;
}

// Row k matches at ring shift v when every slot j holds wrap(table[k][wrap(j − v)] + v):
// the row is read v slots back and its corner numbers carried v slots on. (Reading
// wrap(j + v) instead picks other rows and shifts for some arrangements.)
bool RowMatches(const int (&k)[5], int row, int v) {
  for (int j = 1; j <= 4; ++j)
    if (Wrap(CornerArrangements[row][Wrap(j - v)] + v) != k[j]) return false;
  return true;
}

struct CornerMatch {
  int Case;  // row 1..5, 0 when none matches
  int V;     // ring shift
};

CornerMatch FindCornerArrangement(const int (&k)[5]) {
  for (int v = 0; v <= 3; ++v)
    for (int row = 1; row <= 5; ++row)
      if (RowMatches(k, row, v)) return {row, v};
  return {0, 3};
}

}  // namespace

void SolveStep61() {
  int k[5] = {0, 0, 0, 0, 0};
  for (int j = 1; j <= 4; ++j) k[j] = IdentifyCorner(CornerSlots[j]);

  const CornerMatch m = FindCornerArrangement(k);
  const ShiftFaces& f = CornerShiftFaces[m.V];
  switch (m.Case) {
    case 2: AddRoleMoves(CornerCase2, f); break;
    case 3: AddRoleMoves(CornerCase3, f); break;
    case 4: AddRoleMoves(CornerCase4, f); break;
    case 5: AddRoleMoves(CornerCase5, f); break;
    default: break;  // case 1 (the corners are in their slots) or no match: nothing
  }
}
