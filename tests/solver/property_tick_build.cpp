// Builds played by the frame timer, the way the program runs them: a fresh window, a
// scramble of random turns from Intermixing at the fast speed, then Build (to the end
// or to a step), ticked until the build is over. Every planned move must be played as
// an animated turn and recorded in History, the build must stop where its target says,
// the cube must reach the goal of that step, and the drawn cube must show Stickers.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "last_layer_fixture.h"
#include "solver_play.h"
#include "tests/app/app_fixture.h"

namespace {

constexpr uint32_t Scrambles = 2000;
// A full build at the fast speed takes a few hundred ticks; far more means it never ends.
constexpr int TickLimit = 5000;

// A window of its own for each scramble, as the program starts.
struct Window {
  explicit Window(uint64_t seed) {
    HeadlessReset();
    FormCreate();
    SeedRandom(seed);
  }
  ~Window() { FormDestroy(); }
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
};

// Random turns at the fast speed for a number of ticks that depends on the seed (a
// couple to about sixty turns), then Intermixing off and the last turn finished.
void ScrambleByIntermixing(uint32_t seed) {
  Fast1Click();
  Intermixing1Click();
  ASSERT_FALSE(Halted);
  apptest::Ticks(3 + static_cast<int>((seed * 37u) % 90u));
  Intermixing1Click();
  ASSERT_TRUE(Halted);
  if (TurnInProgress) {
    ASSERT_GT(apptest::TicksUntilTurnEnds(4), 0);
  }
  ASSERT_FALSE(HeadlessChecked(MenuItem::Intermixing1));
}

struct PlannedMove {
  int Layer;
  float Angle;
};

// What one build did, seen from outside the tick.
struct BuildRun {
  int HistoryBefore = 0;
  std::vector<PlannedMove> Planned;   // every queue a planning pass left, in order
  int Passes = 0;
  int Ticks = 0;        // ticks from the click until the build was over
  int TurnTicks = 0;    // ticks that advanced a turn
};

// A planning pass stops the timer while it computes; the queue it left is recorded.
void RecordPass(BuildRun& run) {
  ++run.Passes;
  for (int i = 0; i < MoveCount; ++i) run.Planned.push_back({MoveLayers[i], MoveAngles[i]});
}

// One tick, recording whether it advanced a turn and whether it planned.
void RecordedTick(BuildRun& run) {
  const bool turning = TurnInProgress;
  const int length = HistoryLength;
  const int stops = Headless.TimerStops;
  Timer1Timer();
  ++run.Ticks;
  // A turn that starts takes its first step in the same tick.
  if (turning || HistoryLength > length) ++run.TurnTicks;
  if (Headless.TimerStops != stops) RecordPass(run);
}

bool BuildOver() { return !Building && !TurnInProgress; }

// Build clicked and the planning pass it runs recorded.
BuildRun StartBuild() {
  BuildRun run;
  run.HistoryBefore = HistoryLength;
  const int stops = Headless.TimerStops;
  Build1Click();
  EXPECT_NE(Headless.TimerStops, stops) << "Build did not plan";
  RecordPass(run);
  return run;
}

void TickUntilOver(BuildRun& run) {
  while (!BuildOver() && run.Ticks < TickLimit) RecordedTick(run);
}

// The bookkeeping every finished build must show: stopped and unmarked, each planned
// move played once, in order, as one recorded turn, each animated for exactly its
// length at the fast speed (a quarter turn one tick, a half turn two) with no idle tick
// between turns, and the drawn cube at rest showing Stickers.
::testing::AssertionResult BuildPlayedItsPlan(const BuildRun& run) {
  if (!BuildOver()) return ::testing::AssertionFailure() << "still building after " << run.Ticks << " ticks";
  if (!Halted) return ::testing::AssertionFailure() << "not halted at the end";
  if (HeadlessChecked(MenuItem::Build1)) return ::testing::AssertionFailure() << "Build still checked";
  const int played = HistoryLength - run.HistoryBefore;
  if (played != static_cast<int>(run.Planned.size()))
    return ::testing::AssertionFailure() << run.Planned.size() << " moves planned in " << run.Passes
                                         << " passes, " << played << " turns recorded";
  int expectedTicks = 0;
  for (int i = 0; i < played; ++i) {
    const PlannedMove& m = run.Planned[i];
    const HistoryEntry& e = History[run.HistoryBefore + i];
    if (e.Layer != m.Layer || e.Angle != -static_cast<double>(m.Angle))
      return ::testing::AssertionFailure() << "turn " << i << " recorded as layer " << int(e.Layer) << " angle "
                                           << e.Angle << ", planned layer " << m.Layer << " angle " << m.Angle;
    expectedTicks += std::fabs(m.Angle) > 3.0f ? 2 : 1;
  }
  if (run.TurnTicks != expectedTicks)
    return ::testing::AssertionFailure() << run.TurnTicks << " ticks animated turns, " << expectedTicks
                                         << " expected";
  if (run.Ticks != run.TurnTicks)
    return ::testing::AssertionFailure() << run.Ticks - run.TurnTicks << " idle ticks during the build";
  return apptest::GeometryShowsStickers();
}

// The goal a build to each target must reach, with everything the earlier steps built.
bool GoalOf(int target) {
  switch (target) {
    case 14: return solvertest::CrossDone();
    case 24: return solvertest::FirstLayerDone();
    case 34: return solvertest::TwoLayersDone();
    case 41: return solvertest::TwoLayersDone() && lltest::TopCross();
    case 51: return GoalOf(41) && lltest::TopEdgesPlaced();
    case 61: return GoalOf(51) && lltest::TopCornersPlaced();
    case 73: return solvertest::Solved();
  }
  return false;
}

struct TargetItem {
  int Target;
  void (*Click)();
  MenuItem Item;
};

constexpr TargetItem StepItems[] = {
    {14, N11Click, MenuItem::N11}, {24, N21Click, MenuItem::N21}, {34, N31Click, MenuItem::N31},
    {41, N41Click, MenuItem::N41}, {51, N51Click, MenuItem::N51}, {61, N61Click, MenuItem::N61},
};

TEST(TickBuild, FullBuildsSolveEveryScramble) {
  int turnsPlayed = 0, longest = 0;
  for (uint32_t seed = 1; seed <= Scrambles; ++seed) {
    Window window(seed);
    ASSERT_NO_FATAL_FAILURE(ScrambleByIntermixing(seed));
    BuildRun run = StartBuild();
    TickUntilOver(run);
    ASSERT_TRUE(BuildPlayedItsPlan(run)) << "seed " << seed;
    ASSERT_TRUE(apptest::StickersSolved()) << "seed " << seed << " ended at " << SolverStep;
    ASSERT_EQ(SolverStep, 73) << "seed " << seed;
    turnsPlayed += static_cast<int>(run.Planned.size());
    longest = std::max(longest, run.Ticks);
  }
  // The scrambles are real ones: the builds have work to do.
  EXPECT_GT(turnsPlayed, static_cast<int>(Scrambles) * 40);
  std::printf("%u full builds, %d solver turns, longest build %d ticks\n", Scrambles, turnsPlayed, longest);
}

// Builds the same cube step by step, each build to the next step, the way a user
// follows the solution: every scramble meets every target.
TEST(TickBuild, BuildsStepByStepStopAtEachStepWithItsGoal) {
  for (uint32_t seed = 1; seed <= Scrambles; ++seed) {
    Window window(seed);
    ASSERT_NO_FATAL_FAILURE(ScrambleByIntermixing(seed));
    for (const TargetItem& step : StepItems) {
      step.Click();
      ASSERT_EQ(TargetStep, step.Target);
      ASSERT_TRUE(HeadlessChecked(step.Item));
      BuildRun run = StartBuild();
      TickUntilOver(run);
      ASSERT_TRUE(BuildPlayedItsPlan(run)) << "target " << step.Target << " seed " << seed;
      ASSERT_EQ(SolverStep, step.Target) << "seed " << seed;
      ASSERT_TRUE(GoalOf(step.Target)) << "target " << step.Target << " seed " << seed;
    }
    N71Click();
    BuildRun run = StartBuild();
    TickUntilOver(run);
    ASSERT_TRUE(BuildPlayedItsPlan(run)) << "seed " << seed;
    ASSERT_EQ(SolverStep, 73) << "seed " << seed;
    ASSERT_TRUE(apptest::StickersSolved()) << "seed " << seed;
  }
}

// One build from the scramble to a step, which runs all the steps before it first.
TEST(TickBuild, BuildsFromTheScrambleToAStepStopThere) {
  for (uint32_t seed = 1; seed <= Scrambles; ++seed) {
    const TargetItem& step = StepItems[seed % 6];
    Window window(seed);
    ASSERT_NO_FATAL_FAILURE(ScrambleByIntermixing(seed));
    step.Click();
    BuildRun run = StartBuild();
    TickUntilOver(run);
    ASSERT_TRUE(BuildPlayedItsPlan(run)) << "target " << step.Target << " seed " << seed;
    ASSERT_EQ(SolverStep, step.Target) << "seed " << seed;
    ASSERT_TRUE(GoalOf(step.Target)) << "target " << step.Target << " seed " << seed;
  }
}

// The target moved while a build plays: to a step already passed, the build runs on
// through the last sub-step and ends past it, solved; to a step still ahead, it stops
// there.
TEST(TickBuild, ChangingTheTargetDuringABuild) {
  int passedCases = 0, aheadCases = 0;
  for (uint32_t seed = 1; seed <= 400; ++seed) {
    Window window(seed);
    ASSERT_NO_FATAL_FAILURE(ScrambleByIntermixing(seed));
    BuildRun run = StartBuild();
    const bool toPassed = seed % 2 == 0;
    // Passed: play on until the build is beyond that step's last code. Ahead: play on
    // into the step before it.
    const TargetItem& changed = toPassed ? StepItems[(seed / 2) % 6] : StepItems[1 + (seed / 2) % 5];
    const int before = toPassed ? changed.Target + 1 : (&changed - 1)->Target;
    while (!BuildOver() && SolverStep < before && run.Ticks < TickLimit) RecordedTick(run);
    if (!Building || SolverStep >= (toPassed ? 74 : changed.Target)) continue;

    changed.Click();
    TickUntilOver(run);
    ASSERT_TRUE(BuildPlayedItsPlan(run)) << "seed " << seed;
    if (toPassed) {
      ++passedCases;
      ASSERT_EQ(SolverStep, 74) << "seed " << seed << " target " << changed.Target;
      ASSERT_TRUE(apptest::StickersSolved()) << "seed " << seed;
    } else {
      ++aheadCases;
      ASSERT_EQ(SolverStep, changed.Target) << "seed " << seed;
      ASSERT_TRUE(GoalOf(changed.Target)) << "seed " << seed << " target " << changed.Target;
    }
  }
  // Most builds still run when the target changes.
  EXPECT_GT(passedCases, 150);
  EXPECT_GT(aheadCases, 150);
}

}  // namespace
