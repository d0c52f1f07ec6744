// What solving costs. A full build as the frame timer plays it at the fast speed (every
// turn's animation steps included, the frame itself only requested, since the
// headless window draws nothing), and the solver's planning passes on their own: the
// part of a build that runs synchronously inside one tick and delays that tick's frame.
//
// Scrambles come from Intermixing, as in the program: random turns at the fast speed
// from a fresh window, one scramble per seed, the seeds cycling through a fixed set.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "app/handlers.h"
#include "app/state.h"
#include "cube/movequeue.h"
#include "cube/stickers.h"
#include "cube/turns.h"
#include "platform/headless/headless.h"
#include "solver/solver.h"

namespace {

constexpr int SeedCount = 64;
constexpr int TickLimit = 5000;

// A fresh window, scrambled by Intermixing for a seed-dependent number of ticks (about
// twenty to eighty turns), then Intermixing off and the last turn finished.
void StartScrambledWindow(uint32_t seed) {
  HeadlessReset();
  FormCreate();
  SeedRandom(seed);
  Fast1Click();
  Intermixing1Click();
  const int ticks = 30 + static_cast<int>((seed * 37u) % 90u);
  for (int i = 0; i < ticks; ++i) Timer1Timer();
  Intermixing1Click();
  while (TurnInProgress) Timer1Timer();
}

bool Solved() {
  for (int i = 0; i < StickerCount; ++i)
    if (Stickers[i] != i / 9 + 1) return false;
  return true;
}

// ---------------------------------------------------------------------------------
// Full builds through the tick.

void BM_FullBuildThroughTicks(benchmark::State& state) {
  int64_t builds = 0, ticks = 0, turns = 0, passes = 0;
  uint32_t seed = 0;
  bool windowOpen = false;
  for (auto _ : state) {
    state.PauseTiming();
    if (windowOpen) FormDestroy();
    StartScrambledWindow(1 + seed++ % SeedCount);
    windowOpen = true;
    const int historyBefore = HistoryLength;
    const int stopsBefore = Headless.TimerStops;
    state.ResumeTiming();

    Build1Click();
    int n = 0;
    while ((Building || TurnInProgress) && n < TickLimit) {
      Timer1Timer();
      ++n;
    }

    state.PauseTiming();
    if (Building || TurnInProgress || !Solved()) {
      state.SkipWithError("a build did not end with the cube solved");
      break;
    }
    ++builds;
    ticks += n;
    turns += HistoryLength - historyBefore;
    passes += Headless.TimerStops - stopsBefore;   // each planning pass stops the timer
    state.ResumeTiming();
  }
  if (windowOpen) FormDestroy();
  state.SetItemsProcessed(builds);
  if (builds > 0) {
    state.counters["ticks/build"] = static_cast<double>(ticks) / builds;
    state.counters["turns/build"] = static_cast<double>(turns) / builds;
    state.counters["passes/build"] = static_cast<double>(passes) / builds;
  }
  state.counters["ticks/s"] = benchmark::Counter(static_cast<double>(ticks), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FullBuildThroughTicks)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------------------------
// Planning alone. For each scramble, the cube and the solver code that every planning
// pass of its full build starts from, found by playing the build on Stickers the way
// the timer does: plan, apply the queue with QuarterTurn, plan again until a pass
// queues nothing or the last sub-step has been planned.

struct PassStart {
  uint8_t Cube[StickerCount];
  int32_t Step;
};

struct Solve {
  uint8_t Scramble[StickerCount];
  std::vector<PassStart> Passes;
};

void ApplyQueue() {
  for (int i = 0; i < MoveCount; ++i) {
    const int direction = MoveAngles[i] > 0 ? 1 : -1;
    QuarterTurn(MoveLayers[i], direction);
    if (MoveAngles[i] > 3.0f || MoveAngles[i] < -3.0f) QuarterTurn(MoveLayers[i], direction);
  }
}

// Plays a whole build from the current Stickers; calls `onPass` before every pass.
template <typename OnPass>
void PlayBuildOnStickers(OnPass onPass) {
  SetTargetStep(7);
  StartSolving();
  for (;;) {
    onPass();
    ClearMoves();
    if (!RunSubSteps()) break;
    ApplyQueue();
    if (SolverStep == TargetStep) break;
  }
}

const std::vector<Solve>& Solves() {
  static const std::vector<Solve> solves = [] {
    std::vector<Solve> all;
    for (uint32_t seed = 1; seed <= SeedCount; ++seed) {
      StartScrambledWindow(seed);
      Solve s;
      std::memcpy(s.Scramble, Stickers, StickerCount);
      PlayBuildOnStickers([&] {
        PassStart p;
        std::memcpy(p.Cube, Stickers, StickerCount);
        p.Step = SolverStep;
        s.Passes.push_back(p);
      });
      if (!Solved()) s.Passes.clear();   // reported below
      all.push_back(std::move(s));
      FormDestroy();
    }
    // The solver's tables stay built for the passes that follow.
    BuildNeighbourTables();
    return all;
  }();
  return solves;
}

bool SolvesReady(benchmark::State& state) {
  for (const Solve& s : Solves())
    if (s.Passes.empty()) {
      state.SkipWithError("a build played on Stickers did not solve its scramble");
      return false;
    }
  return true;
}

// One planning pass per iteration, cycling through every pass of every solve. Setting
// the cube and the code costs a 54-byte copy and is inside the timing.
void BM_PlanningPass(benchmark::State& state) {
  if (!SolvesReady(state)) return;
  std::vector<const PassStart*> passes;
  for (const Solve& s : Solves())
    for (const PassStart& p : s.Passes) passes.push_back(&p);
  size_t i = 0;
  int64_t moves = 0;
  for (auto _ : state) {
    const PassStart& p = *passes[i];
    if (++i == passes.size()) i = 0;
    std::memcpy(Stickers, p.Cube, StickerCount);
    SolverStep = p.Step;
    SetTargetStep(7);
    ClearMoves();
    benchmark::DoNotOptimize(RunSubSteps());
    moves += MoveCount;
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["moves/pass"] = static_cast<double>(moves) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_PlanningPass)->Unit(benchmark::kMicrosecond);

// Every planning pass of one full solve per iteration, each from the cube it sees in a
// build; the replay of the queues between passes is not timed (it was done beforehand).
// The time per iteration is the planning a full build spreads over its ticks.
void BM_PlanningOfOneSolve(benchmark::State& state) {
  if (!SolvesReady(state)) return;
  const std::vector<Solve>& solves = Solves();
  size_t k = 0;
  int64_t passes = 0;
  for (auto _ : state) {
    const Solve& s = solves[k];
    if (++k == solves.size()) k = 0;
    for (const PassStart& p : s.Passes) {
      std::memcpy(Stickers, p.Cube, StickerCount);
      SolverStep = p.Step;
      SetTargetStep(7);
      ClearMoves();
      benchmark::DoNotOptimize(RunSubSteps());
    }
    passes += static_cast<int64_t>(s.Passes.size());
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["passes/solve"] = static_cast<double>(passes) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_PlanningOfOneSolve)->Unit(benchmark::kMicrosecond);

// The same solve with the replay inside the timing: planning plus the sticker
// permutations of every move, i.e. solving the logical cube with no animation at all.
void BM_SolveOnStickers(benchmark::State& state) {
  if (!SolvesReady(state)) return;
  const std::vector<Solve>& solves = Solves();
  size_t k = 0;
  for (auto _ : state) {
    const Solve& s = solves[k];
    if (++k == solves.size()) k = 0;
    std::memcpy(Stickers, s.Scramble, StickerCount);
    PlayBuildOnStickers([] {});
    benchmark::DoNotOptimize(Stickers);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SolveOnStickers)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
