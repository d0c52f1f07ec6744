// Step 3: the four edges of the middle layer. Each sub-step finds one sticker of its
// edge, runs the case of the face it lies on (which mostly brings the edge to the top
// layer above its slot) and then, unless the sticker already sits in its slot on its
// home face, appends the insertion that drops the edge into the slot.
//
// Face 1 has no case; neither has a face outside 1..6, which a failed look-up on a
// hand-edited cube returns: the sub-step then appends only its insertion.

#include "cube/movequeue.h"
#include "cube/stickers.h"
#include "solver/solver.h"

namespace {

// +1 for layers 1, 3, 5; -1 for 2, 4, 6: (F, Sigma(F)) looks anticlockwise from outside.
int Sigma(int face) { return face % 2 == 1 ? 1 : -1; }

Move M(int layer, int quarters) { return Move{static_cast<int8_t>(layer), static_cast<int8_t>(quarters)}; }

// A(F, q): (F, 2), (2, 2), (F, σ(F)·q), (2, 2), (F, 2).
void SeqA(int face, int q) {
  const Move seq[] = {M(face, 2), M(2, 2), M(face, Sigma(face) * q), M(2, 2), M(face, 2)};
  AddMoves(seq);
}

// C(F): (F, 2), (2, 2), (F, 2), (2, 2), (F, 2).
void SeqC(int face) {
  const Move seq[] = {M(face, 2), M(2, 2), M(face, 2), M(2, 2), M(face, 2)};
  AddMoves(seq);
}

// T(p): a turn of face 2 chosen by p, then the insertion at the 3-6 slot from above.
constexpr Move InsertFrom36[] = {{6, -1}, {2, -1}, {3, 1}, {2, 1}, {3, -1}, {6, 1}};
void SeqT(int p) {
  if (p == 2) AddMove(2, -1);
  if (p == 6) AddMove(2, 2);
  if (p == 8) AddMove(2, 1);
  AddMoves(InsertFrom36);
}

// L: the insertion at the 5-4 slot.
constexpr Move Insert54[] = {{2, -1}, {4, -1}, {2, 1}, {4, 1}, {2, 1}, {5, -1}, {2, -1}, {5, 1}};
void SeqL() { AddMoves(Insert54); }

// The looked-up sticker as face and position.
struct Found {
  int F;
  int p;
};

Found LookUp(int colour, int partner) {
  StickerRef ref = FindEdge(colour, partner);
  if (ref.Face == 0) return {0, 0};  // not found
  return {ref.Face, RowColToPos(ref.Row, ref.Col)};
}

// The final insertion is skipped only while the sticker is on its home face off the
// top layer (in its slot, or in sub-steps 31-33 flipped in it and fixed by C).
bool NeedsInsertion(Found s, int homeFace) { return !(s.F == homeFace && s.p != 8); }

}  // namespace

// Edge 6-4: colour 6 into 6/4, colour 4 into 4/6.
void SolveStep31() {
  Found s = LookUp(6, 4);
  const int p = s.p;
  switch (s.F) {
    case 2:
      SeqT(p);
      break;
    case 3:
      if (p == 4) SeqA(3, -1);
      if (p == 6) SeqA(3, 1);
      if (p == 8) AddMove(2, 1);
      if (p != 8) AddMove(2, -1);
      break;
    case 4:
      if (p == 4) SeqA(4, -1);
      if (p == 6) SeqA(4, 1);
      if (p == 8) AddMove(2, -1);
      if (p != 8) AddMove(2, 1);
      break;
    case 5:
      if (p == 4) SeqA(5, -1);
      if (p == 6) SeqA(5, 1);
      if (p != 8) AddMove(2, 2);
      break;
    case 6:
      if (p == 6) SeqC(6);
      if (p == 8) AddMove(2, 2);
      break;
  }
  if (NeedsInsertion(s, 6)) SeqA(6, 1);
}

// Edge 3-6: colour 3 into 3/4, colour 6 into 6/6.
void SolveStep32() {
  Found s = LookUp(3, 6);
  const int p = s.p;
  switch (s.F) {
    case 2:
      SeqT(p);
      AddMove(2, 1);
      break;
    case 3:
      if (p == 6) SeqC(3);
      if (p == 8) AddMove(2, 2);
      break;
    case 4:
      if (p == 4) {
        SeqA(5, 1);
        SeqT(4);
        AddMove(2, 1);
      }
      break;
    case 5:
      if (p == 4) SeqA(5, -1);
      if (p == 6) SeqA(5, 1);
      if (p == 8) AddMove(2, 1);
      if (p != 8) AddMove(2, -1);
      break;
    case 6:
      if (p == 6) {
        SeqA(3, -1);
        SeqT(8);
        AddMove(2, 1);
      }
      if (p == 8) AddMove(2, -1);
      break;
  }
  if (NeedsInsertion(s, 3)) SeqA(3, 1);
}

// Edge 5-3: colour 5 into 5/4, colour 3 into 3/6.
void SolveStep33() {
  Found s = LookUp(5, 3);
  const int p = s.p;
  switch (s.F) {
    case 2:
      SeqT(p);
      AddMove(2, 2);
      break;
    case 3:
      if (p == 6) {
        SeqA(5, -1);
        SeqT(4);
        AddMove(2, 2);
      }
      if (p == 8) AddMove(2, -1);
      break;
    case 4:
      if (p == 4) {
        SeqA(5, 1);
        SeqT(4);
        AddMove(2, 2);
      }
      if (p == 8) AddMove(2, 1);
      break;
    case 5:
      if (p == 6) SeqC(5);
      if (p == 8) AddMove(2, 2);
      break;
    case 6:
      break;
  }
  if (NeedsInsertion(s, 5)) SeqA(5, 1);
}

// Edge 5-4: colour 5 into 5/6, colour 4 into 4/4.
void SolveStep34() {
  Found s = LookUp(5, 4);
  const int p = s.p;
  switch (s.F) {
    case 2:
      SeqT(p);
      break;
    case 3:
      AddMove(2, 1);
      break;
    case 4:
      if (p == 4) {
        SeqL();
        AddMove(2, 2);
      }
      if (p == 8) AddMove(2, -1);
      break;
    case 5:
      break;
    case 6:
      AddMove(2, 2);
      break;
  }
  if (NeedsInsertion(s, 5)) SeqL();
}
