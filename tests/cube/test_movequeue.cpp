#include <gtest/gtest.h>

#include "cube/movequeue.h"

namespace {

TEST(MoveQueueTest, AnglesAreQuarterTurnsOfPiAsFloats) {
  ClearMoves();
  AddMove(3, -2);
  AddMove(5, 1);
  ASSERT_EQ(MoveCount, 2);
  ASSERT_EQ(MoveLayers.size(), 2u);
  ASSERT_EQ(MoveAngles.size(), 2u);
  EXPECT_EQ(MoveLayers[0], 3);
  EXPECT_FLOAT_EQ(MoveAngles[0], -3.1415927f);
  EXPECT_GT(-MoveAngles[0], 3.0f);  // read back as a half turn
  EXPECT_EQ(MoveLayers[1], 5);
  EXPECT_FLOAT_EQ(MoveAngles[1], 1.5707964f);
}

TEST(MoveQueueTest, TakingMovesWalksTheQueueAndClearLeavesThePosition) {
  ClearMoves();
  RewindMoves();
  AddMove(1, 1);
  AddMove(2, -2);
  QueuedMove m{};
  ASSERT_TRUE(TakeNextMove(m));
  EXPECT_EQ(m.Layer, 1);
  EXPECT_FALSE(m.Last);
  ASSERT_TRUE(TakeNextMove(m));
  EXPECT_EQ(m.Layer, 2);
  EXPECT_FLOAT_EQ(m.Angle, -3.1415927f);
  EXPECT_TRUE(m.Last);
  EXPECT_FALSE(TakeNextMove(m));   // used up: nothing read past the end
  EXPECT_EQ(MovePos, 2);

  ClearMoves();
  EXPECT_EQ(MoveCount, 0);
  EXPECT_TRUE(MoveLayers.empty());
  EXPECT_TRUE(MoveAngles.empty());
  EXPECT_EQ(MovePos, 2);
  EXPECT_FALSE(TakeNextMove(m));

  // A new plan starts again at index 0.
  AddMove(6, -1);
  RewindMoves();
  ASSERT_TRUE(TakeNextMove(m));
  EXPECT_EQ(m.Layer, 6);
  EXPECT_FLOAT_EQ(m.Angle, -1.5707964f);
  EXPECT_TRUE(m.Last);
}

}  // namespace
