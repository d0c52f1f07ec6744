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

TEST(MoveQueueTest, ClearLeavesThePositionAndAppendAfterAZeroCountStartsAtZero) {
  ClearMoves();
  AddMove(1, 1);
  AddMove(2, 1);
  MovePos = 2;
  ClearMoves();
  EXPECT_EQ(MoveCount, 0);
  EXPECT_TRUE(MoveLayers.empty());
  EXPECT_TRUE(MoveAngles.empty());
  EXPECT_EQ(MovePos, 2);

  // The Build command zeroes the count alone; the next append starts again at index 0.
  AddMove(1, 1);
  AddMove(2, 1);
  MoveCount = 0;
  AddMove(6, -1);
  ASSERT_EQ(MoveCount, 1);
  EXPECT_EQ(MoveLayers.size(), 1u);
  EXPECT_EQ(MoveLayers[0], 6);
  EXPECT_FLOAT_EQ(MoveAngles[0], -1.5707964f);
}

}  // namespace
