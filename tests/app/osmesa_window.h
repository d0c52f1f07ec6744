#pragma once
// An OSMesa context drawing into memory, made current, for the app suites that run the
// program with a real GL context: the headless window reports it as its own.

#include <GL/osmesa.h>

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "platform/headless/headless.h"

class OsMesaWindow {
 public:
  // RGBA pixels, bottom row first, as the frames leave them.
  std::vector<uint8_t> Buffer;

  // Makes the context of width x height current and gives the headless window that
  // client size and an available context; false (with a test failure) when it cannot.
  bool Open(int width, int height) {
    const int attribs[] = {OSMESA_FORMAT, OSMESA_RGBA, OSMESA_DEPTH_BITS, 24,
                           OSMESA_PROFILE, OSMESA_COMPAT_PROFILE, 0};
    Context = OSMesaCreateContextAttribs(attribs, nullptr);
    EXPECT_NE(Context, nullptr);
    if (!Context) return false;
    Buffer.assign(size_t(width) * height * 4, 0);
    const bool current = OSMesaMakeCurrent(Context, Buffer.data(), GL_UNSIGNED_BYTE, width, height);
    EXPECT_TRUE(current);
    return current;
  }
  // The headless window of a new program run, with this context.
  static void Announce(int width, int height) {
    HeadlessReset();
    Headless.ClientWidth = width;
    Headless.ClientHeight = height;
    Headless.RenderContextAvailable = true;
  }
  ~OsMesaWindow() {
    if (!Context) return;
    OSMesaMakeCurrent(nullptr, nullptr, 0, 0, 0);
    OSMesaDestroyContext(Context);
  }

 private:
  OSMesaContext Context = nullptr;
};
