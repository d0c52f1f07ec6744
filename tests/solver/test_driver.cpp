// The solver driver: the order of the sub-step codes and when a planning pass stops.

#include <gtest/gtest.h>

#include "solver_play.h"

using namespace solvertest;

namespace {

constexpr int RunningOrder[] = {11, 12, 13, 14, 21, 22, 23, 24, 31,
                                32, 33, 34, 41, 51, 61, 71, 72, 73};
constexpr int Targets[] = {14, 24, 34, 41, 51, 61, 73};

// A fresh planning pass, as the planner starts it.
bool Pass(int from, int target) {
  SolverStep = from;
  TargetStep = target;
  ClearMoves();
  return RunSubSteps();
}

class Driver : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetStickers();
    ClearMoves();
  }
  void TearDown() override {
    StartSolving();
    SetTargetStep(7);
    ClearMoves();
  }
};

TEST(DriverTables, NextSubStepWalksTheCodesAndRunsPastTheLast) {
  StartSolving();
  for (int code : RunningOrder) {
    NextSubStep();
    EXPECT_EQ(SolverStep, code);
  }
  NextSubStep();
  EXPECT_EQ(SolverStep, 74);
  NextSubStep();
  EXPECT_EQ(SolverStep, 75);
  StartSolving();
}

TEST(DriverTables, ExactlyTheEighteenCodesAreSubSteps) {
  std::vector<int> codes;
  for (int c = -100; c <= 200; ++c)
    if (IsSubStepCode(c)) codes.push_back(c);
  EXPECT_EQ(codes, std::vector<int>(std::begin(RunningOrder), std::end(RunningOrder)));
}

TEST(DriverTables, BuildToStepItems) {
  for (int item = 1; item <= 7; ++item) EXPECT_EQ(TargetStepForItem(item), Targets[item - 1]);
  EXPECT_EQ(TargetStepForItem(0), 73);
  EXPECT_EQ(TargetStepForItem(8), 73);
}

TEST_F(Driver, RunSubStepIgnoresOtherCodes) {
  QuarterTurn(3, 1);
  for (int code : {0, 10, 15, 20, 35, 40, 42, 74}) {
    RunSubStep(code);
    EXPECT_EQ(MoveCount, 0) << code;
  }
  // ... while a real code on the same cube does queue.
  RunSubStep(13);
  EXPECT_GT(MoveCount, 0);
}

TEST_F(Driver, SolvedCubeQueuesNothingForEveryTarget) {
  for (int target : Targets) {
    EXPECT_FALSE(Pass(10, target)) << target;
    EXPECT_EQ(SolverStep, target);
    EXPECT_EQ(MoveCount, 0);
  }
}

TEST_F(Driver, StopsAtTheFirstSubStepThatQueues) {
  // Edges 1-4 and 1-5 home, edge 1-3 turned away (and 1-6 too is home).
  QuarterTurn(3, 1);
  ClearMoves();
  RunSubStep(13);
  Moves expected = Queued();
  ASSERT_FALSE(expected.empty());
  uint8_t before[StickerCount];
  std::memcpy(before, Stickers, sizeof before);

  EXPECT_TRUE(Pass(10, 73));
  EXPECT_EQ(SolverStep, 13);
  EXPECT_EQ(Queued(), expected);
  // Planning does not turn the cube.
  EXPECT_EQ(std::memcmp(before, Stickers, sizeof before), 0);
}

TEST_F(Driver, OnlyTheFirstQueuingSubStepRuns) {
  // Both edges 1-4 and 1-5 are out of place; the pass stops after 11.
  QuarterTurn(4, 1);
  QuarterTurn(5, 1);
  ClearMoves();
  RunSubStep(11);
  Moves expected = Queued();
  ASSERT_FALSE(expected.empty());
  EXPECT_TRUE(Pass(10, 73));
  EXPECT_EQ(SolverStep, 11);
  EXPECT_EQ(Queued(), expected);
}

TEST_F(Driver, TargetSubStepStillRunsAndItsMovesAreKept) {
  QuarterTurn(3, 1);
  EXPECT_TRUE(Pass(10, 13));
  EXPECT_EQ(SolverStep, 13);
  EXPECT_GT(MoveCount, 0);
}

TEST_F(Driver, StopsAtTheTargetWhenNothingIsQueued) {
  // First layer done, middle layer not: a pass up to 24 finds nothing to do, while a
  // pass up to 34 does.
  uint32_t seed = 0;
  for (;; ++seed) {
    Scramble(seed);
    for (int code : {11, 12, 13, 14, 21, 22, 23, 24}) RunAndPlay(code);
    if (!TwoLayersDone()) break;
  }
  ASSERT_TRUE(FirstLayerDone());
  EXPECT_FALSE(Pass(10, 24));
  EXPECT_EQ(SolverStep, 24);
  EXPECT_EQ(MoveCount, 0);
  EXPECT_TRUE(Pass(10, 34));
  EXPECT_GE(SolverStep, 31);
  EXPECT_LE(SolverStep, 34);
}

TEST_F(Driver, SolvedFirstLayerSkipsToTheFirstLaterSubStepWithMoves) {
  for (uint32_t seed = 0; seed < 50; ++seed) {
    Scramble(seed);
    for (int code : {11, 12, 13, 14, 21, 22, 23, 24}) RunAndPlay(code);
    ASSERT_TRUE(FirstLayerDone());
    // The first code from 31 on whose routine queues something on this cube.
    int first = 74;
    for (int code : RunningOrder) {
      if (code < 31) continue;
      ClearMoves();
      RunSubStep(code);
      if (MoveCount > 0) {
        first = code;
        break;
      }
    }
    bool queued = Pass(10, 73);
    EXPECT_EQ(SolverStep, first) << "seed " << seed;
    EXPECT_EQ(queued, first != 74);
  }
}

TEST_F(Driver, TargetAlreadyPassedRunsOnToTheEnd) {
  // The target was met earlier in the build (or set back during it): the pass does not
  // stop there again and ends past the last code.
  EXPECT_FALSE(Pass(14, 14));
  EXPECT_EQ(SolverStep, 74);
  EXPECT_FALSE(Pass(51, 14));
  EXPECT_EQ(SolverStep, 74);
  // Past the end nothing runs any more.
  QuarterTurn(1, 1);
  EXPECT_FALSE(Pass(74, 73));
  EXPECT_EQ(SolverStep, 75);
  EXPECT_EQ(MoveCount, 0);
}

TEST_F(Driver, TargetSetBackDuringABuildRunsToTheEnd) {
  // "Build to step" changed from 7 to 1 once the build is in step 5.
  for (uint32_t seed = 0; seed < 20; ++seed) {
    Scramble(seed + 1000);
    SetTargetStep(7);
    StartSolving();
    bool changed = false;
    int passes = 0;
    for (;;) {
      ClearMoves();
      bool queued = RunSubSteps();
      if (!queued) break;
      PlayQueue();
      if (SolverStep == TargetStep) break;
      if (!changed && SolverStep >= 51) {
        SetTargetStep(1);
        changed = true;
      }
      ASSERT_LT(++passes, 40) << "seed " << seed;
    }
    if (!changed) continue;  // this cube needed nothing from step 5 on
    EXPECT_EQ(SolverStep, 74) << "seed " << seed;
  }
}

}  // namespace
