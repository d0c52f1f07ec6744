// One whole frame of the program's window: the context made current, the scene drawn
// at the window's full size, the buffers swapped. The window fills the screen, as the
// maximised program does; the timer is stopped so that only the measured frames draw.

#include <QApplication>
#include <QElapsedTimer>
#include <QOpenGLContext>
#include <QScreen>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "platform/platform.h"
#include "platform/qt/tornelo.h"

namespace {

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void BM_FormPaint(benchmark::State& state) {
  std::vector<double> frames;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    Tornelo->FormPaint();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(took.count());
    frames.push_back(took.count() * 1000.0);
  }
  int width, height;
  SysClientSize(width, height);
  state.counters["median_ms"] = Median(frames);
  state.counters["max_ms"] = *std::max_element(frames.begin(), frames.end());
  state.counters["width"] = width;
  state.counters["height"] = height;
}
BENCHMARK(BM_FormPaint)->UseManualTime()->Iterations(200)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  TTornelo window;
  if (!window.Created()) {
    std::fprintf(stderr, "platform_frame_bench: no OpenGL context\n");
    return 1;
  }
  window.setGeometry(QGuiApplication::primaryScreen()->geometry());
  window.show();
  QElapsedTimer waiting;
  waiting.start();
  while (!window.GLWindow->isExposed() && waiting.elapsed() < 10000)
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  // Let the resize settle before the clock starts.
  while (waiting.elapsed() < 1000) QApplication::processEvents(QEventLoop::AllEvents, 50);
  SysStopTimer();

  const QSurfaceFormat format = window.RenderContext->format();
  std::printf("surface: depth %d, stencil %d, rgba %d/%d/%d/%d, double-buffered %s\n",
              format.depthBufferSize(), format.stencilBufferSize(), format.redBufferSize(),
              format.greenBufferSize(), format.blueBufferSize(), format.alphaBufferSize(),
              format.swapBehavior() == QSurfaceFormat::DoubleBuffer ? "yes" : "no");

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
