// The cost of the frame key on every tick: taking the key of the state and comparing
// it with the key of the last frame drawn (the whole drawn cube included).

#include <benchmark/benchmark.h>

#include "app/framekey.h"
#include "app/handlers.h"
#include "app/state.h"
#include "platform/headless/headless.h"

namespace {

void BM_FrameKeyUnchanged(benchmark::State& state) {
  HeadlessReset();
  FormCreate();
  RememberDrawnFrame(Headless.ClientWidth, Headless.ClientHeight, CurrentSceneOptions());
  for (auto _ : state) benchmark::DoNotOptimize(FrameNeedsDrawing());
  FormDestroy();
}
BENCHMARK(BM_FrameKeyUnchanged);

void BM_RememberDrawnFrame(benchmark::State& state) {
  HeadlessReset();
  FormCreate();
  for (auto _ : state) RememberDrawnFrame(Headless.ClientWidth, Headless.ClientHeight, CurrentSceneOptions());
  FormDestroy();
}
BENCHMARK(BM_RememberDrawnFrame);

}  // namespace
