// Whole builds through the driver, played the way the timer plays them, checked at the
// last-layer targets: 41 leaves the top cross, 51 the top edges above their faces, 61
// the top corners in their slots, 73 a solved cube.

#include <random>

#include "solver/solver.h"
#include "tests/solver/last_layer_fixture.h"

namespace {

using namespace lltest;

// Plan, play the queue, plan again unless the sub-step just played was the target; a
// pass that queues nothing ends the build.
void Build(int target) {
  TargetStep = target;
  StartSolving();
  ClearMoves();
  for (int passes = 0; passes < 40; ++passes) {
    ClearMoves();
    const bool queued = RunSubSteps();
    RewindMoves();
    if (!queued) return;
    PlayQueue();
    if (SolverStep == TargetStep) return;
  }
  ADD_FAILURE() << "the build did not end";
}

void ScrambleRandomly(std::mt19937& rng) {
  ResetAll();
  std::uniform_int_distribution<int> length(15, 40);
  std::uniform_int_distribution<int> layer(1, 6);
  std::uniform_int_distribution<int> turns(0, 3);
  constexpr int kTurns[4] = {1, -1, 2, -2};
  const int n = length(rng);
  for (int i = 0; i < n; ++i) Apply({{layer(rng), kTurns[turns(rng)]}});
}

struct Goal {
  int Target;
  bool (*Holds)();
};

bool CrossGoal() { return FirstTwoLayersIntact() && TopCross(); }
bool EdgesGoal() { return CrossGoal() && TopEdgesPlaced(); }
bool CornersGoal() { return EdgesGoal() && TopCornersPlaced(); }

constexpr Goal kGoals[] = {{41, CrossGoal}, {51, EdgesGoal}, {61, CornersGoal}, {73, Solved}};

class LastLayerBuild : public ::testing::Test {
 protected:
  void SetUp() override { BuildNeighbourTables(); }
  void TearDown() override {
    StartSolving();
    SetTargetStep(7);
    ResetAll();
  }
};

}  // namespace

TEST_F(LastLayerBuild, RandomScramblesReachEachLastLayerTarget) {
  for (const Goal& goal : kGoals) {
    std::mt19937 rng(9000 + goal.Target);
    for (int i = 0; i < 2000; ++i) {
      ScrambleRandomly(rng);
      Build(goal.Target);
      ASSERT_TRUE(goal.Holds()) << "target " << goal.Target << " scramble " << i
                                << " ended at " << SolverStep;
    }
  }
}

// Cubes with only the top layer disturbed: the first three steps find nothing to do
// and the build goes straight to the last-layer steps.
TEST_F(LastLayerBuild, TopLayerStatesAreSolvedByTheLastFourSteps) {
  std::mt19937 rng(4567);
  const std::vector<Moves> gens = CrossGenerators();
  for (int i = 0; i < 2000; ++i) {
    ResetAll();
    ScrambleWith(gens, rng, 10);
    SetTargetStep(3);
    StartSolving();
    ClearMoves();
    ASSERT_FALSE(RunSubSteps()) << "state " << i;
    Build(73);
    ASSERT_TRUE(Solved()) << "state " << i << " ended at " << SolverStep;
  }
}
