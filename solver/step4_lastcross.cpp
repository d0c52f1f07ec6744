// Step 4 (code 41): the cross of colour 2 on the top face.
//
// The four top edge stickers are face 2 positions 2, 4, 6 and 8 (bordering faces 3,
// 6, 5 and 4). Their pattern picks one of seven cases, each a fixed sequence built
// from X, Y and Z below; one or three stickers up, or all four, append nothing.

#include "cube/movequeue.h"
#include "cube/stickers.h"
#include "solver/lastlayer.h"
#include "solver/solver.h"

namespace {


// Row n, column r: must the top sticker at position 2r show colour 2 (1) or not (0)?
// Row and column 0 unused.
constexpr uint8_t CrossPatterns[8][5] = {
    //  pos:  2  4  6  8
    {0, /**/ 0, 0, 0, 0},
    {0, /*1*/ 0, 0, 0, 0},
    {0, /*2*/ 1, 1, 0, 0},
    {0, /*3*/ 1, 0, 1, 0},
    {0, /*4*/ 0, 0, 1, 1},
    {0, /*5*/ 0, 1, 0, 1},
    {0, /*6*/ 1, 0, 0, 1},
    {0, /*7*/ 0, 1, 1, 0},
};

constexpr Move SequenceX[] = {{6, -1}, {2, -1}, {3, 1}, {2, 1}, {3, -1}, {6, 1}};
// Y(a) and Z(a) are these six turns, after a top pre-turn (2, a) when a ≠ 0.
constexpr Move SequenceY[] = {{3, -1}, {6, 1}, {2, 1}, {6, -1}, {2, -1}, {3, 1}};
constexpr Move SequenceZ[] = {{3, -1}, {2, 1}, {6, 1}, {2, -1}, {6, -1}, {3, 1}};

enum class CrossSeq : uint8_t { Y, Z };

struct CrossCase {
  bool LeadingX;     // X comes first (the case with no top edge up)
  CrossSeq Seq;
  int8_t PreTurn;    // a of Y(a) / Z(a)
};

// Case 1..7; entry 0 unused.
constexpr CrossCase CrossCases[8] = {
    {false, CrossSeq::Y, 0},
    {true, CrossSeq::Y, 0},    // 1: none up      X, Y(0)
    {false, CrossSeq::Z, 2},   // 2: 2 and 4      Z(2)
    {false, CrossSeq::Z, 1},   // 3: 2 and 6      Z(1)
    {false, CrossSeq::Z, 0},   // 4: 6 and 8      Z(0)
    {false, CrossSeq::Z, -1},  // 5: 4 and 8      Z(-1)
    {false, CrossSeq::Y, 1},   // 6: 2 and 8      Y(1)
    {false, CrossSeq::Y, 0},   // 7: 4 and 6      Y(0)
};

}  // namespace

void SolveStep41() {
  bool candidate[8];
  for (int n = 1; n <= 7; ++n) candidate[n] = true;

  for (int r = 1; r <= 4; ++r) {
    const bool up = StickerAtPos(lastlayer::TopFace, 2 * r) == lastlayer::TopFace;
    for (int n = 1; n <= 7; ++n)
      if (up != (CrossPatterns[n][r] == 1)) candidate[n] = false;
  }

  int cross = 0;  // the highest row left; 0 when none describes the pattern
  for (int n = 1; n <= 7; ++n)
    if (candidate[n]) cross = n;
  if (cross == 0) return;

  const CrossCase& c = CrossCases[cross];
  if (c.LeadingX) AddMoves(SequenceX);
  if (c.PreTurn != 0) AddMove(lastlayer::TopFace, c.PreTurn);
  AddMoves(c.Seq == CrossSeq::Y ? std::span<const Move>(SequenceY)
                                           : std::span<const Move>(SequenceZ));
}
