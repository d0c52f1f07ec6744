// Step 3, the middle-layer edges (sub-steps 31 to 34).

#include <gtest/gtest.h>

#include "solver_play.h"

using namespace solvertest;

namespace {

Moves PlanOnly(int code) {
  ClearMoves();
  RunSubStep(code);
  return Queued();
}

// The named sequences, spelt out.
const Moves A61 = {{6, 2}, {2, 2}, {6, -1}, {2, 2}, {6, 2}};
const Moves A51 = {{5, 2}, {2, 2}, {5, 1}, {2, 2}, {5, 2}};
const Moves C6 = {{6, 2}, {2, 2}, {6, 2}, {2, 2}, {6, 2}};
const Moves T4 = {{6, -1}, {2, -1}, {3, 1}, {2, 1}, {3, -1}, {6, 1}};
const Moves L = {{2, -1}, {4, -1}, {2, 1}, {4, 1}, {2, 1}, {5, -1}, {2, -1}, {5, 1}};

Moves Join(std::initializer_list<Moves> parts) {
  Moves out;
  for (const Moves& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST(Step3, TwoLayersDoneQueuesNothing) {
  ResetStickers();
  QuarterTurn(2, -1);
  for (int code : {31, 32, 33, 34}) EXPECT_TRUE(PlanOnly(code).empty()) << code;
}

TEST(Step3, FlippedInSlotGetsOnlyC) {
  ASSERT_TRUE(StateWithCell(31, 6, 6));
  EXPECT_EQ(PlanOnly(31), C6);
}

TEST(Step3, TopLayerOnHomeFaceStillGetsTheInsertion) {
  ASSERT_TRUE(StateWithCell(31, 6, 8));
  EXPECT_EQ(PlanOnly(31), Join({{{2, 2}}, A61}));
}

TEST(Step3, FromTheTopFaceWithoutPreTurn) {
  ASSERT_TRUE(StateWithCell(31, 2, 4));
  Moves moves = PlanOnly(31);
  EXPECT_EQ(moves.size(), 11u);
  EXPECT_EQ(moves, Join({T4, A61}));
}

TEST(Step3, FlippedLastEdgeGetsLTwice) {
  ASSERT_TRUE(StateWithCell(34, 4, 4));
  Moves moves = PlanOnly(34);
  EXPECT_EQ(moves.size(), 17u);
  EXPECT_EQ(moves, Join({L, {{2, 2}}, L}));
}

TEST(Step3, Sub33FromFace6GetsOnlyTheInsertion) {
  ASSERT_TRUE(StateWithCell(33, 6, 8));
  EXPECT_EQ(PlanOnly(33), A51);
}

TEST(Step3, EdgeNotFoundGetsOnlyTheInsertion) {
  // A hand-edited cube without the edges: no case runs, the insertion is still queued.
  std::memset(Stickers, 1, sizeof Stickers);
  EXPECT_EQ(PlanOnly(31), A61);
  EXPECT_EQ(PlanOnly(32), (Moves{{3, 2}, {2, 2}, {3, 1}, {2, 2}, {3, 2}}));
  EXPECT_EQ(PlanOnly(33), A51);
  EXPECT_EQ(PlanOnly(34), L);
}

TEST(Step3Coverage, EveryPossibleCellIsSeen) { CheckCoverage(3); }

class Step3Cells : public ::testing::TestWithParam<CellCase> {};

TEST_P(Step3Cells, PlacesTheEdgeAndKeepsTheEarlierPieces) { CheckCell(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Cell, Step3Cells, ::testing::ValuesIn(PossibleCellsOfStep(3)),
                         [](const auto& info) { return CellName(info.param); });

}  // namespace
