// Soak: full builds on many random scrambles of many lengths, played the way the timer
// plays them. Every build to step 1, 2 or 3 reaches that step's goal; every full build
// leaves the cube solved.

#include <gtest/gtest.h>

#include "solver_play.h"

using namespace solvertest;

namespace {

constexpr uint32_t Scrambles = 500000;

TEST(BuildSoak, EarlyTargets) {
  for (uint32_t seed = 0; seed < Scrambles; ++seed) {
    int length = 1 + static_cast<int>(seed % 80);
    Scramble(seed ^ 0x5bd1e995u, length);
    PlayBuild(14);
    ASSERT_TRUE(CrossDone()) << "seed " << seed;
    // Continue from the cross, as a new build with a later target does.
    PlayBuild(24);
    ASSERT_TRUE(FirstLayerDone()) << "seed " << seed;
    PlayBuild(34);
    ASSERT_TRUE(TwoLayersDone()) << "seed " << seed;
  }
}

TEST(BuildSoak, FullBuildSolves) {
  for (uint32_t seed = 0; seed < Scrambles; ++seed) {
    int length = 1 + static_cast<int>(seed % 80);
    Scramble(seed * 2654435761u, length);
    PlayBuild(73);
    ASSERT_TRUE(Solved()) << "seed " << seed << " length " << length << " ended at "
                          << SolverStep;
  }
}

}  // namespace
