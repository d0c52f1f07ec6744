// The solution window's cost: from a change of the cube to the list worked out again
// (the check, the plan, the cube after every turn), for each method. Sixteen scrambled
// cubes take turns, so every comparison finds a cube it has no list for.

#include <benchmark/benchmark.h>

#include <cstring>

#include "app/handlers.h"
#include "app/solution.h"
#include "app/state.h"
#include "cube/stickers.h"
#include "platform/headless/headless.h"

namespace {

void ScrambledCube(uint64_t seed, uint8_t (&cube)[StickerCount]) {
  SeedRandom(seed);
  Fast1Click();
  Intermixing1Click();
  const int until = HistoryLength + 40;
  while (HistoryLength < until) Timer1Timer();
  Intermixing1Click();
  while (TurnInProgress) Timer1Timer();
  std::memcpy(cube, Stickers, sizeof cube);
}

void BM_RefreshAfterChange(benchmark::State& state) {
  HeadlessReset();
  FormCreate();
  constexpr int Cubes = 16;
  uint8_t cubes[Cubes][StickerCount];
  for (int i = 0; i < Cubes; ++i) ScrambledCube(1 + i, cubes[i]);
  FormKeyDown(VK_F12);
  if (state.range(0) == 1) SolutionKeyDown('2');
  if (!SolutionUnavailable.empty()) {
    state.SkipWithError(SolutionUnavailable.c_str());
    FormDestroy();
    return;
  }
  size_t turns = 0;
  int which = 0;
  for (auto _ : state) {
    std::memcpy(Stickers, cubes[which], StickerCount);
    which = (which + 1) % Cubes;
    FollowSolution();
    turns += SolutionTurns.size();
  }
  state.counters["turns"] = benchmark::Counter(static_cast<double>(turns), benchmark::Counter::kAvgIterations);
  FormDestroy();
}
BENCHMARK(BM_RefreshAfterChange)->Arg(0)->ArgName("shortest")->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RefreshAfterChange)->Arg(1)->ArgName("shortest")->Unit(benchmark::kMicrosecond);

}  // namespace
