// Appending table cells to the move queue.

#include "solver/moveseq.h"

#include "cube/movequeue.h"

namespace cases {

namespace {

// Column of a position in an edge table (p2, p4, p6, p8) or a corner table (p1, p3, p7,
// p9); -1 for any other position.
constexpr int EdgeColumn[10] = {-1, -1, 0, -1, 1, -1, 2, -1, 3, -1};
constexpr int CornerColumn[10] = {-1, 0, -1, 1, -1, -1, -1, 2, -1, 3};

void RunCase(const CaseTable& table, const int (&columns)[10], StickerRef ref) {
  if (ref.Face < 1 || ref.Face > 6) return;
  if (ref.Row < 1 || ref.Row > 3 || ref.Col < 1 || ref.Col > 3) return;
  int p = RowColToPos(ref.Row, ref.Col);
  int column = columns[p];
  if (column < 0) return;
  AppendSeq(table[ref.Face - 1][column]);
}

}  // namespace

void AppendSeq(const MoveSeq& seq) {
  if (seq.Clear) ClearMoves();
  AddMoves(std::span<const Move>(seq.Turns, SeqLength(seq)));
}

void RunEdgeCase(const CaseTable& table, StickerRef ref) { RunCase(table, EdgeColumn, ref); }

void RunCornerCase(const CaseTable& table, StickerRef ref) { RunCase(table, CornerColumn, ref); }

}  // namespace cases
