// Step 5 (code 51): each top edge above the side face of its own colour.
//
// Reads the colours at position 8 of the side faces (the side stickers of the top
// edges) and finds a top-layer offset u and a ring shift v under which they match one
// of three arrangements; then turns the top layer by u and, for the two unsolved
// arrangements, plays the edge sequence W at face nextᵛ(5).

#include "cube/movequeue.h"
#include "cube/stickers.h"
#include "solver/lastlayer.h"
#include "solver/solver.h"

namespace {

using lastlayer::NextN;
using lastlayer::RingFace;
using lastlayer::TopFace;
using lastlayer::Wrap;

// Row k, ring index 1..4 (faces 3, 5, 4, 6): the colour expected at position 8.
// Row and column 0 unused.
constexpr uint8_t EdgeArrangements[4][5] = {
    //      3  5  4  6
    {0, /**/ 0, 0, 0, 0},
    {0, /*1*/ 3, 5, 4, 6},  // solved
    {0, /*2*/ 3, 6, 5, 4},  // face 3 in place, the other three cycled
    {0, /*3*/ 4, 5, 3, 6},  // faces 3 and 4 exchanged
};

// The edge sequence W(F) = (F, s), (2, 2), (F, −s), (2, 1), (F, s), (2, 1), (F, −s),
// s = σ(F), for the four faces F. Indexed by face; 0..2 unused.
constexpr Move EdgeSequence[7][7] = {
    {}, {}, {},
    /* 3 */ {{3, 1}, {2, 2}, {3, -1}, {2, 1}, {3, 1}, {2, 1}, {3, -1}},
    /* 4 */ {{4, -1}, {2, 2}, {4, 1}, {2, 1}, {4, -1}, {2, 1}, {4, 1}},
    /* 5 */ {{5, 1}, {2, 2}, {5, -1}, {2, 1}, {5, 1}, {2, 1}, {5, -1}},
    /* 6 */ {{6, -1}, {2, 2}, {6, 1}, {2, 1}, {6, -1}, {2, 1}, {6, 1}},
};

// The top turn that goes with offset u; 0 for u = 0 (no turn).
constexpr int TopTurnForOffset[4] = {0, -1, -2, 1};

bool RowMatches(const int (&s)[5], int k, int u, int v) {
  for (int j = 1; j <= 4; ++j)
    if (s[Wrap(j + u)] != NextN(EdgeArrangements[k][Wrap(j - v)], v)) return false;
  return true;
}

struct EdgeMatch {
  int Case;  // row 1..3, 0 when none matches
  int U;     // top-layer offset
  int V;     // ring shift
};

// The top-layer offset u is the OUTER loop and the ring shift v the INNER one. The
// order matters: some edge orders match at two (u, v) pairs, and the first one in this
// order decides which turns are played. Without a match the search ends at u = v = 3.
EdgeMatch FindEdgeArrangement(const int (&s)[5]) {
  for (int u = 0; u <= 3; ++u)
    for (int v = 0; v <= 3; ++v)
      for (int k = 1; k <= 3; ++k)
        if (RowMatches(s, k, u, v)) return {k, u, v};
  return {0, 3, 3};
}

}  // namespace

void SolveStep51() {
  int s[5] = {0, 0, 0, 0, 0};
  for (int j = 1; j <= 4; ++j) s[j] = StickerAtPos(RingFace[j], 8);

  const EdgeMatch m = FindEdgeArrangement(s);
  if (TopTurnForOffset[m.U] != 0) AddMove(TopFace, TopTurnForOffset[m.U]);

  const int face = NextN(5, m.V);
  switch (m.Case) {
    case 2:
      AddMoves(EdgeSequence[face]);
      break;
    case 3:
      AddMoves(EdgeSequence[face]);
      AddMove(TopFace, -1);
      AddMoves(EdgeSequence[face]);
      break;
    default:  // case 1 (the solved arrangement) or no match: the top turn alone
      break;
  }
}
