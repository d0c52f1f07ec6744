// One whole frame of the program's window: the context made current, the scene drawn
// at the window's full size, the buffers swapped; the frames of the arrows moving over
// a still cube; then the frame without the swap, a clear alone and a swap alone. The window fills the screen, as the
// maximised program does; the timer is stopped so that only the measured frames draw.

#include <QApplication>
#include <QElapsedTimer>
#include <QOpenGLContext>
#include <QScreen>

#include <GL/gl.h>
#include <sys/resource.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/framekey.h"
#include "app/handlers.h"
#include "app/state.h"
#include "platform/platform.h"
#include "platform/qt/tornelo.h"

namespace {

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// CPU time of the whole process in milliseconds: the software rasteriser's threads
// included. Unlike the wall-clock time it does not grow when other programs take the
// cores.
double ProcessCpuMs() {
  rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

void BM_FormPaint(benchmark::State& state) {
  std::vector<double> frames;
  const double cpuStart = ProcessCpuMs();
  for (auto _ : state) {
    // A frame after a change: drawn whole and swapped.
    ForgetDrawnFrame();
    const auto start = std::chrono::steady_clock::now();
    Tornelo->FormPaint(true);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    state.SetIterationTime(took.count());
    frames.push_back(took.count() * 1000.0);
  }
  int width, height;
  SysClientSize(width, height);
  state.counters["cpu_ms"] = (ProcessCpuMs() - cpuStart) / static_cast<double>(frames.size());
  state.counters["median_ms"] = Median(frames);
  state.counters["max_ms"] = *std::max_element(frames.begin(), frames.end());
  state.counters["width"] = width;
  state.counters["height"] = height;
}
BENCHMARK(BM_FormPaint)->UseManualTime()->Iterations(200)->Unit(benchmark::kMillisecond);

// The frames of the arrows moving over a still cube, as the ticks draw them: the phase
// steps by 3 degrees a frame, and each frame redraws and shows only where the arrows
// move where the window system can show the back buffer by copying. cpu_ms is what a
// frame costs the process.
void BM_ArrowFrame(benchmark::State& state) {
  ShowArrows = true;
  Tornelo->FormPaint(true);
  const double cpuStart = ProcessCpuMs();
  int frames = 0;
  for (auto _ : state) {
    ArrowPhase += 3;
    if (ArrowPhase >= 72) ArrowPhase = 0;
    Tornelo->FormPaint();
    ++frames;
  }
  Tornelo->MakeCurrent();
  glFinish();
  state.counters["cpu_ms"] = (ProcessCpuMs() - cpuStart) / frames;
  ShowArrows = false;
}
BENCHMARK(BM_ArrowFrame)->UseRealTime()->Iterations(240)->Unit(benchmark::kMillisecond);

// Where the frame's time goes: the frame drawn to the end without the swap, a frame
// that only clears, and the swap alone.
void BM_FrameWithoutSwap(benchmark::State& state) {
  int width, height;
  SysClientSize(width, height);
  Tornelo->MakeCurrent();
  for (auto _ : state) {
    PaintFrame(width, height);
    glFinish();
  }
}
BENCHMARK(BM_FrameWithoutSwap)->UseRealTime()->Iterations(100)->Unit(benchmark::kMillisecond);

void BM_ClearOnly(benchmark::State& state) {
  Tornelo->MakeCurrent();
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glFinish();
  }
}
BENCHMARK(BM_ClearOnly)->UseRealTime()->Iterations(100)->Unit(benchmark::kMillisecond);

void BM_SwapOnly(benchmark::State& state) {
  Tornelo->MakeCurrent();
  for (auto _ : state) {
    Tornelo->RenderContext->swapBuffers(Tornelo->GLWindow);
    glFinish();
  }
}
BENCHMARK(BM_SwapOnly)->UseRealTime()->Iterations(100)->Unit(benchmark::kMillisecond);

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
  Tornelo->MakeCurrent();
  GLint depthBits = 0, stencilBits = 0, alphaBits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depthBits);
  glGetIntegerv(GL_STENCIL_BITS, &stencilBits);
  glGetIntegerv(GL_ALPHA_BITS, &alphaBits);
  std::printf("context: %s, depth %d, stencil %d, alpha %d bits\n",
              reinterpret_cast<const char*>(glGetString(GL_RENDERER)), depthBits, stencilBits, alphaBits);

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
