// Builds to steps 1, 2 and 3 on many random scrambles, played the way the timer plays
// them: the goal of the step holds when the build ends, and it ends on the target.

#include <gtest/gtest.h>

#include "solver_play.h"

using namespace solvertest;

namespace {

struct Goal {
  int Target;
  bool (*Holds)();
};

constexpr Goal Goals[] = {{14, CrossDone}, {24, FirstLayerDone}, {34, TwoLayersDone}};

TEST(BuildProperty, EachEarlyTargetReachesItsGoal) {
  for (const Goal& goal : Goals) {
    for (uint32_t seed = 0; seed < 2000; ++seed) {
      Scramble(seed * 7919u + 17u, 20 + seed % 30);
      int passes = PlayBuild(goal.Target);
      ASSERT_TRUE(goal.Holds()) << "target " << goal.Target << " seed " << seed;
      ASSERT_EQ(SolverStep, goal.Target) << "seed " << seed;
      // One pass per sub-step with moves, and the last one may find nothing.
      ASSERT_LE(passes, 13);
    }
  }
  StartSolving();
  SetTargetStep(7);
}

TEST(BuildProperty, BuildOnAFinishedStepPlaysNothing) {
  // After a build to step 3, building to step 1, 2 or 3 again queues nothing at all.
  for (uint32_t seed = 0; seed < 200; ++seed) {
    Scramble(seed);
    PlayBuild(34);
    for (int target : {14, 24, 34}) {
      TargetStep = target;
      StartSolving();
      ClearMoves();
      EXPECT_FALSE(RunSubSteps()) << "seed " << seed;
      EXPECT_EQ(SolverStep, target);
    }
  }
  StartSolving();
  SetTargetStep(7);
}

}  // namespace
