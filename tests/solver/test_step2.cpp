// Step 2, the corners of face 1 (sub-steps 21 to 24).

#include <gtest/gtest.h>

#include "solver_play.h"

using namespace solvertest;

namespace {

Moves PlanOnly(int code) {
  ClearMoves();
  RunSubStep(code);
  return Queued();
}

TEST(Step2, CompleteFirstLayerQueuesNothing) {
  // The last layer turned away: the first layer is still complete.
  ResetStickers();
  QuarterTurn(2, 1);
  QuarterTurn(2, 1);
  QuarterTurn(2, -1);
  for (int code : {21, 22, 23, 24}) EXPECT_TRUE(PlanOnly(code).empty()) << code;
}

TEST(Step2, NegativeHalfTurnIsKept) {
  // Corner 1-4-6 with its colour-1 sticker on 3/3; the sequence ends with a half turn
  // in the negative direction.
  ASSERT_TRUE(StateWithCell(21, 3, 3));
  ClearMoves();
  RunSubStep(21);
  EXPECT_EQ(Queued(), (Moves{{4, 1}, {3, 2}, {2, -1}, {4, -1}, {2, 1}, {3, -2}}));
  ASSERT_EQ(MoveCount, 6);
  EXPECT_FLOAT_EQ(MoveAngles[5], -3.1415927f);
}

TEST(Step2, TwistedCornerInItsSlot) {
  ASSERT_TRUE(StateWithCell(21, 4, 3));
  EXPECT_EQ(PlanOnly(21), (Moves{{4, 1}, {2, 2}, {4, -1}, {6, -1}, {2, 2}, {6, 1}}));
}

TEST(Step2, LongestSequenceOfSubStep24) {
  // Corner 1-3-5 on the last layer with colour 1 up: ten turns, built from the two
  // shared pieces of sub-step 24.
  ASSERT_TRUE(StateWithCell(24, 2, 3));
  EXPECT_EQ(PlanOnly(24), (Moves{{2, -1}, {5, 1}, {2, 1}, {5, -1}, {3, -1}, {2, 2}, {3, 1},
                                 {5, 1}, {2, 2}, {5, -1}}));
}

TEST(Step2, MirroredCornerIsNotFound) {
  // A hand-edited corner whose colours run the wrong way round (1/1 = 1, 4/3 = 6,
  // 6/1 = 4) is not found by its look-up, so sub-step 21 does nothing.
  ResetStickers();
  StickerAtPos(4, 3) = 6;
  StickerAtPos(6, 1) = 4;
  EXPECT_EQ(FindCorner(1, 4, 6).Face, 0);
  EXPECT_TRUE(PlanOnly(21).empty());
}

TEST(Step2Coverage, EveryPossibleCellIsSeen) { CheckCoverage(2); }

class Step2Cells : public ::testing::TestWithParam<CellCase> {};

TEST_P(Step2Cells, PlacesTheCornerAndKeepsTheEarlierPieces) { CheckCell(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Cell, Step2Cells, ::testing::ValuesIn(PossibleCellsOfStep(2)),
                         [](const auto& info) { return CellName(info.param); });

}  // namespace
