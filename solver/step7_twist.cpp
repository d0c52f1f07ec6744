// Step 7 (codes 71, 72, 73): the twist of the top corners.
//
// Each sub-step looks at one corner sticker on a side face, at position 7 of face G.
// Colour 2 there, or the colour of the corner's other side face F, means the corner is
// twisted; the sub-step then plays P, (2, −1), Q, (2, 1) or Q, (2, −1), P, (2, 1),
// which twists this corner and the one in the next slot in opposite senses and leaves
// everything else alone. Slot 4 is never looked at: it comes out right.

#include "cube/movequeue.h"
#include "cube/stickers.h"
#include "solver/lastlayer.h"
#include "solver/solver.h"

namespace {

using lastlayer::TopFace;

// With c = σ(F) and d = σ(G):
//   P = (G, −d), (1, 2), (G, d), (F, c), (1, 2), (F, −c)
//   Q = (F, c), (1, 2), (F, −c), (G, −d), (1, 2), (G, d)   (Q undoes P)
struct TwistCorner {
  int8_t F;  // the other side face of the corner
  int8_t G;  // the face of the examined sticker (position 7)
  Move P[6];
  Move Q[6];
};

constexpr TwistCorner TwistCorners[3] = {
    // 71: slot 1 (2/1, 3/7, 6/9)
    {6, 3,
     {{3, -1}, {1, 2}, {3, 1}, {6, -1}, {1, 2}, {6, 1}},
     {{6, -1}, {1, 2}, {6, 1}, {3, -1}, {1, 2}, {3, 1}}},
    // 72: slot 2 (2/3, 5/7, 3/9)
    {3, 5,
     {{5, -1}, {1, 2}, {5, 1}, {3, 1}, {1, 2}, {3, -1}},
     {{3, 1}, {1, 2}, {3, -1}, {5, -1}, {1, 2}, {5, 1}}},
    // 73: slot 3 (2/9, 4/7, 5/9)
    {5, 4,
     {{4, 1}, {1, 2}, {4, -1}, {5, 1}, {1, 2}, {5, -1}},
     {{5, 1}, {1, 2}, {5, -1}, {4, 1}, {1, 2}, {4, -1}}},
};

void TwistSubStep(const TwistCorner& corner) {
  const int x = StickerAtPos(corner.G, 7);
  if (x == TopFace) {  // the top colour lies on face G
    AddMoves(corner.P);
    AddMove(TopFace, -1);
    AddMoves(corner.Q);
    AddMove(TopFace, 1);
  } else if (x == corner.F) {  // twisted the other way
    AddMoves(corner.Q);
    AddMove(TopFace, -1);
    AddMoves(corner.P);
    AddMove(TopFace, 1);
  }
  // Any other colour (G in a solved corner): nothing.
}

}  // namespace

void SolveStep71() { TwistSubStep(TwistCorners[0]); }
void SolveStep72() { TwistSubStep(TwistCorners[1]); }
void SolveStep73() { TwistSubStep(TwistCorners[2]); }
