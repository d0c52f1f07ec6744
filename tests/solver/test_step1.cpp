// Step 1, the cross on face 1 (sub-steps 11 to 14).

#include <gtest/gtest.h>

#include "solver_play.h"

using namespace solvertest;

namespace {

Moves PlanOnly(int code) {
  ClearMoves();
  RunSubStep(code);
  return Queued();
}

TEST(Step1, SolvedCubeQueuesNothing) {
  ResetStickers();
  for (int code : {11, 12, 13, 14}) EXPECT_TRUE(PlanOnly(code).empty()) << code;
}

TEST(Step1, FlippedEdgeInItsSlot) {
  // Edge 1-4 in its slot with the colour-1 sticker on 4/2.
  ASSERT_TRUE(StateWithCell(11, 4, 2));
  EXPECT_EQ(PlanOnly(11), (Moves{{4, 1}, {6, 1}, {1, -1}}));
}

TEST(Step1, CancellingTurnsAreKept) {
  // Edge 1-3 with its colour-1 sticker on 5/4: the first two turns undo each other,
  // and both are still queued (and animated).
  ASSERT_TRUE(StateWithCell(13, 5, 4));
  EXPECT_EQ(PlanOnly(13), (Moves{{1, 1}, {1, -1}, {3, 1}}));
}

TEST(Step1, HalfTurnsAreQueuedAsHalfTurns) {
  // Edge 1-4 on 1/8: one half turn of layer 1, angle π.
  ASSERT_TRUE(StateWithCell(11, 1, 8));
  ClearMoves();
  RunSubStep(11);
  ASSERT_EQ(MoveCount, 1);
  EXPECT_EQ(MoveLayers[0], 1);
  EXPECT_FLOAT_EQ(MoveAngles[0], 3.1415927f);
}

TEST(Step1, HomeEdgeOfSubStep12EmptiesTheQueue) {
  // With edge 1-5 home, sub-step 12 clears the queue rather than appending.
  ResetStickers();
  ClearMoves();
  AddMove(3, 1);
  AddMove(4, -2);
  RunSubStep(12);
  EXPECT_EQ(MoveCount, 0);
  EXPECT_TRUE(MoveLayers.empty());
  EXPECT_TRUE(MoveAngles.empty());
  // Any other home edge leaves a queue alone.
  AddMove(3, 1);
  RunSubStep(11);
  RunSubStep(13);
  RunSubStep(14);
  EXPECT_EQ(MoveCount, 1);
}

TEST(Step1, EdgeNotFoundQueuesNothing) {
  // A hand-edited cube with no 1-4 (or any) edge: the look-up fails, no case runs.
  std::memset(Stickers, 1, sizeof Stickers);
  for (int code : {11, 12, 13, 14}) EXPECT_TRUE(PlanOnly(code).empty()) << code;
}

TEST(Step1Coverage, EveryPossibleCellIsSeen) { CheckCoverage(1); }

class Step1Cells : public ::testing::TestWithParam<CellCase> {};

TEST_P(Step1Cells, PlacesTheEdgeAndKeepsTheEarlierOnes) { CheckCell(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Cell, Step1Cells, ::testing::ValuesIn(PossibleCellsOfStep(1)),
                         [](const auto& info) { return CellName(info.param); });

}  // namespace
