// The cost of one tick without its frame: the state step and one animation step of the
// nine turning cubies (the headless redraw only counts).

#include <benchmark/benchmark.h>

#include "app/handlers.h"
#include "app/state.h"
#include "platform/headless/headless.h"
#include "render/model.h"
#include "render/turn.h"

namespace {

void StartWindow() {
  HeadlessReset();
  FormCreate();
  SeedRandom(1);
}

// Random turns at the default speed: most ticks advance a turn, every twentieth or
// fortieth starts one.
void BM_TickTurning(benchmark::State& state) {
  StartWindow();
  Halted = false;
  for (auto _ : state) {
    Timer1Timer();
    benchmark::DoNotOptimize(CubeGeometry[MovingCubies[1]].Centre);
  }
  state.counters["turns"] = HistoryLength;
  FormDestroy();
}
BENCHMARK(BM_TickTurning);

// The fast speed: a turn starts on almost every tick (sticker permutation and the
// choice of the moving cubies included).
void BM_TickStartingTurns(benchmark::State& state) {
  StartWindow();
  SpeedDivisor = 2;
  Halted = false;
  for (auto _ : state) {
    Timer1Timer();
    benchmark::DoNotOptimize(CubeGeometry[MovingCubies[1]].Centre);
    // Keep the history from growing without bound over a long run.
    if (HistoryLength > 100000) ClearHistory();
  }
  FormDestroy();
}
BENCHMARK(BM_TickStartingTurns);

// Nothing turns: the tick's fixed part (arrows, caption, redraw request).
void BM_TickStopped(benchmark::State& state) {
  StartWindow();
  for (auto _ : state) Timer1Timer();
  FormDestroy();
}
BENCHMARK(BM_TickStopped);

}  // namespace
