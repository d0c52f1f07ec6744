// Step 1: the cross on face 1. Each sub-step finds the colour-1 sticker of its edge
// and appends the sequence of the cell (face of that sticker, its position).

#include "cube/stickers.h"
#include "solver/moveseq.h"
#include "solver/solver.h"

namespace {

using namespace cases;

// Sub-step 11: edge 1-4 into 1/2 and 4/2.
constexpr CaseTable Step11Cases = {
    {/* face 1, p2 */ None,
     /*         p4 */ Seq({1, -1}),
     /*         p6 */ Seq({1, 1}),
     /*         p8 */ Seq({1, 2})},
    {/* face 2, p2 */ Seq({2, 2}, {4, 2}),
     /*         p4 */ Seq({2, -1}, {4, 2}),
     /*         p6 */ Seq({2, 1}, {4, 2}),
     /*         p8 */ Seq({4, 2})},
    {/* face 3, p2 */ Seq({3, -1}, {5, -1}, {1, 1}),
     /*         p4 */ Seq({3, 2}, {5, -1}, {1, 1}),
     /*         p6 */ Seq({5, -1}, {1, 1}),
     /*         p8 */ Seq({3, 1}, {5, -1}, {1, 1})},
    {/* face 4, p2 */ Seq({4, 1}, {6, 1}, {1, -1}),
     /*         p4 */ Seq({4, 2}, {6, 1}, {1, -1}),
     /*         p6 */ Seq({6, 1}, {1, -1}),
     /*         p8 */ Seq({4, -1}, {6, 1}, {1, -1})},
    {/* face 5, p2 */ Seq({5, -1}, {4, 1}),
     /*         p4 */ Seq({5, 2}, {4, 1}),
     /*         p6 */ Seq({4, 1}),
     /*         p8 */ Seq({5, 1}, {4, 1})},
    {/* face 6, p2 */ Seq({6, -1}, {4, -1}),
     /*         p4 */ Seq({4, -1}),
     /*         p6 */ Seq({6, 2}, {4, -1}),
     /*         p8 */ Seq({6, 1}, {4, -1})},
};

// Sub-step 12: edge 1-5 into 1/6 and 5/2.
constexpr CaseTable Step12Cases = {
    {/* face 1, p2 */ None,
     /*         p4 */ Seq({4, 1}, {1, 2}, {4, -1}),
     /*         p6 */ ClearQueue,
     /*         p8 */ Seq({4, 1}, {1, 1}, {4, -1})},
    {/* face 2, p2 */ Seq({2, 1}, {5, 2}),
     /*         p4 */ Seq({2, 2}, {5, 2}),
     /*         p6 */ Seq({5, 2}),
     /*         p8 */ Seq({2, -1}, {5, 2})},
    {/* face 3, p2 */ Seq({3, -1}, {5, -1}),
     /*         p4 */ Seq({3, 2}, {5, -1}),
     /*         p6 */ Seq({5, -1}),
     /*         p8 */ Seq({3, 1}, {5, -1})},
    {/* face 4, p2 */ None,
     /*         p4 */ Seq({5, 1}),
     /*         p6 */ Seq({1, 1}, {4, 2}, {1, -1}, {5, 1}),
     /*         p8 */ Seq({1, 1}, {4, 1}, {1, -1}, {5, 1})},
    {/* face 5, p2 */ Seq({5, -1}, {1, 1}, {4, 1}, {1, -1}),
     /*         p4 */ Seq({5, 2}, {1, 1}, {4, 1}, {1, -1}),
     /*         p6 */ Seq({1, 1}, {4, 1}, {1, -1}),
     /*         p8 */ Seq({5, 1}, {1, 1}, {4, 1}, {1, -1})},
    {/* face 6, p2 */ Seq({6, -1}, {1, 1}, {4, -1}, {1, -1}),
     /*         p4 */ Seq({1, 1}, {4, -1}, {1, -1}),
     /*         p6 */ Seq({6, 2}, {1, 1}, {4, -1}, {1, -1}),
     /*         p8 */ Seq({6, 1}, {1, 1}, {4, -1}, {1, -1})},
};

// Sub-step 13: edge 1-3 into 1/8 and 3/2.
constexpr CaseTable Step13Cases = {
    {/* face 1, p2 */ None,
     /*         p4 */ Seq({6, 2}, {2, 1}, {3, 2}),
     /*         p6 */ None,
     /*         p8 */ None},
    {/* face 2, p2 */ Seq({3, 2}),
     /*         p4 */ Seq({2, 1}, {3, 2}),
     /*         p6 */ Seq({2, -1}, {3, 2}),
     /*         p8 */ Seq({2, 2}, {3, 2})},
    {/* face 3, p2 */ Seq({3, 1}, {6, 1}, {2, 1}, {3, 2}),
     /*         p4 */ Seq({6, 1}, {2, 1}, {3, 2}),
     /*         p6 */ Seq({3, 2}, {6, 1}, {2, 1}, {3, 2}),
     /*         p8 */ Seq({3, -1}, {6, 1}, {2, 1}, {3, 2})},
    {/* face 4, p2 */ Seq({1, -1}, {6, 1}, {1, 1}),
     /*         p4 */ Seq({1, -1}, {4, 2}, {6, 1}, {1, 1}),
     /*         p6 */ Seq({1, -1}, {6, 1}, {1, 1}),
     /*         p8 */ Seq({1, -1}, {4, -1}, {6, 1}, {1, 1})},
    {/* face 5, p2 */ Seq({1, 1}, {1, -1}, {3, 1}),
     /*         p4 */ Seq({1, 1}, {1, -1}, {3, 1}),
     /*         p6 */ Seq({1, 1}, {5, 2}, {1, -1}, {3, 1}),
     /*         p8 */ Seq({1, 1}, {5, -1}, {1, -1}, {3, 1})},
    {/* face 6, p2 */ Seq({6, 1}, {3, -1}),
     /*         p4 */ Seq({6, 2}, {3, -1}),
     /*         p6 */ Seq({3, -1}),
     /*         p8 */ Seq({6, -1}, {3, -1})},
};

// Sub-step 14: edge 1-6 into 1/4 and 6/2.
constexpr CaseTable Step14Cases = {
    {/* face 1, p2 */ None,
     /*         p4 */ None,
     /*         p6 */ None,
     /*         p8 */ None},
    {/* face 2, p2 */ Seq({2, -1}, {6, 2}),
     /*         p4 */ Seq({6, 2}),
     /*         p6 */ Seq({2, 2}, {6, 2}),
     /*         p8 */ Seq({2, 1}, {6, 2})},
    {/* face 3, p2 */ None,
     /*         p4 */ Seq({6, -1}),
     /*         p6 */ Seq({3, 2}, {6, -1}, {3, 2}),
     /*         p8 */ Seq({3, -1}, {6, -1}, {3, 1})},
    {/* face 4, p2 */ None,
     /*         p4 */ Seq({4, 2}, {6, 1}, {4, 2}),
     /*         p6 */ Seq({6, 1}),
     /*         p8 */ Seq({4, -1}, {6, 1}, {4, 1})},
    {/* face 5, p2 */ Seq({1, 2}, {1, -1}, {3, 1}, {1, -1}),
     /*         p4 */ Seq({1, 2}, {1, -1}, {3, 1}, {1, -1}),
     /*         p6 */ Seq({1, 2}, {5, 2}, {1, -1}, {3, 1}, {1, -1}),
     /*         p8 */ Seq({1, 2}, {5, -1}, {1, -1}, {3, 1}, {1, -1})},
    {/* face 6, p2 */ Seq({6, 1}, {1, 1}, {3, -1}, {1, -1}),
     /*         p4 */ Seq({6, 2}, {1, 1}, {3, -1}, {1, -1}),
     /*         p6 */ Seq({1, 1}, {3, -1}, {1, -1}),
     /*         p8 */ Seq({6, -1}, {1, 1}, {3, -1}, {1, -1})},
};
}  // namespace

void SolveStep11() { cases::RunEdgeCase(Step11Cases, FindEdge(1, 4)); }
void SolveStep12() { cases::RunEdgeCase(Step12Cases, FindEdge(1, 5)); }
void SolveStep13() { cases::RunEdgeCase(Step13Cases, FindEdge(1, 3)); }
void SolveStep14() { cases::RunEdgeCase(Step14Cases, FindEdge(1, 6)); }
