#pragma once
// Constant move sequences for the table-driven sub-steps: each table cell is one
// sequence of (layer, quarter turns), appended to the move queue exactly as written.
// Consecutive turns of one layer are kept as they are: every turn is animated.

#include <cstdint>

#include "cube/move.h"
#include "cube/stickers.h"

namespace cases {

constexpr int MaxSeqTurns = 10;

struct MoveSeq {
  Move Turns[MaxSeqTurns];   // up to the first with layer 0
  bool Clear;  // empty the queue instead of appending
};

// A sequence written as its turns: Seq({2, 2}, {4, 2}).
constexpr MoveSeq Seq(Move t1, Move t2 = {}, Move t3 = {}, Move t4 = {}, Move t5 = {},
                      Move t6 = {}, Move t7 = {}, Move t8 = {}, Move t9 = {}, Move t10 = {}) {
  return MoveSeq{{t1, t2, t3, t4, t5, t6, t7, t8, t9, t10}, false};
}

// A cell that appends nothing.
constexpr MoveSeq None = {};
// The cell that calls ClearMoves in place of appending.
constexpr MoveSeq ClearQueue = {{}, true};

// Rows: the face holding the looked-up sticker, 1..6 (index face - 1). Columns: that
// sticker's position, in the order p2, p4, p6, p8 for edges and p1, p3, p7, p9 for
// corners.
using CaseTable = MoveSeq[6][4];

// Appends one sequence (or clears the queue for ClearQueue).
void AppendSeq(const MoveSeq& seq);

// Looks up the cell of an edge sticker (positions 2, 4, 6, 8) and appends it. A face
// outside 1..6, as a failed look-up returns, or another position appends nothing.
void RunEdgeCase(const CaseTable& table, StickerRef ref);
// The same for a corner sticker (positions 1, 3, 7, 9).
void RunCornerCase(const CaseTable& table, StickerRef ref);

// Number of turns in a sequence.
constexpr int SeqLength(const MoveSeq& seq) {
  int n = 0;
  while (n < MaxSeqTurns && seq.Turns[n].Layer != 0) ++n;
  return n;
}

}  // namespace cases
