// What one frame of the scene costs at 1920 x 1080 under OSMesa, against a frame that
// only clears the same buffer. Every frame ends with glFinish so the software
// rasteriser has drawn it completely; times are wall-clock, since the rasteriser may
// work on threads of its own.

#include <GL/osmesa.h>
#include <GL/gl.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include "render/frame.h"
#include "render/model.h"
#include "render/view.h"
#include "textures/textures.h"

namespace {

constexpr int Width = 1920;
constexpr int Height = 1080;

SceneOptions StartUpOptions() {
  SceneOptions options;
  options.Texture = false;
  return options;
}

void BM_ClearOnlyFrame(benchmark::State& state) {
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glFinish();
  }
}
BENCHMARK(BM_ClearOnlyFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SceneFrame(benchmark::State& state) {
  const SceneOptions options = StartUpOptions();
  for (auto _ : state) {
    RenderFrame(Width, Height, options);
    glFinish();
  }
}
BENCHMARK(BM_SceneFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SceneFrameTextured(benchmark::State& state) {
  SceneOptions options = StartUpOptions();
  options.Texture = true;
  for (auto _ : state) {
    RenderFrame(Width, Height, options);
    glFinish();
  }
}
BENCHMARK(BM_SceneFrameTextured)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SceneFrameWithFaceMaps(benchmark::State& state) {
  SceneOptions options = StartUpOptions();
  options.Projections = true;
  for (auto _ : state) {
    RenderFrame(Width, Height, options);
    glFinish();
  }
}
BENCHMARK(BM_SceneFrameWithFaceMaps)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SceneFrameWithArrows(benchmark::State& state) {
  SceneOptions options = StartUpOptions();
  options.ShowArrows = true;
  for (auto _ : state) {
    RenderFrame(Width, Height, options);
    glFinish();
  }
}
BENCHMARK(BM_SceneFrameWithArrows)->Unit(benchmark::kMillisecond)->UseRealTime();

// Six 256 x 256 face pictures made the way the loader makes them.
void MakeFacePictures() {
  std::vector<uint8_t> pixels(256 * 256 * 3);
  for (int f = 1; f <= 6; ++f) {
    for (int y = 0; y < 256; ++y) {
      for (int x = 0; x < 256; ++x) {
        uint8_t* p = &pixels[(y * 256 + x) * 3];
        p[0] = uint8_t(x * f);
        p[1] = uint8_t(y);
        p[2] = uint8_t((x ^ y) * f);
      }
    }
    TextureNames[f] = MakeGLTexture(256, 256, GL_RGB, pixels.data());
  }
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  const int attributes[] = {OSMESA_FORMAT, OSMESA_RGBA, OSMESA_DEPTH_BITS, 24, OSMESA_STENCIL_BITS, 8,
                            OSMESA_PROFILE, OSMESA_COMPAT_PROFILE, 0};
  OSMesaContext context = OSMesaCreateContextAttribs(attributes, nullptr);
  std::vector<uint8_t> buffer(size_t(Width) * Height * 4);
  if (context == nullptr || !OSMesaMakeCurrent(context, buffer.data(), GL_UNSIGNED_BYTE, Width, Height)) {
    std::fprintf(stderr, "no OSMesa context\n");
    return 1;
  }
  ContextSetUp();
  BuildCubeGeometry();
  ViewUp = {0, 1, 0};
  ViewRight = {1, 0, 0};
  RotateVectorAboutAxis(ViewRight, ViewUp, 95);
  MakeFacePictures();

  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  ContextRelease();
  OSMesaDestroyContext(context);
  return 0;
}
