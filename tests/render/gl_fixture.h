#pragma once
// One OSMesa context for the whole drawing suite (created in gl_main.cpp) and a
// fixture that puts the drawn cube, the view and the lights back to start-up.

#include <gtest/gtest.h>

#include <algorithm>

#include "cube/stickers.h"
#include "gl_scene.h"
#include "solved_geometry.h"
#include "textures/textures.h"

// The buffer every test draws into; frames may use a smaller client area inside it.
constexpr int BufferWidth = 640;
constexpr int BufferHeight = 400;

class SceneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildSolvedGeometry();
    ViewUp = {0, 1, 0};
    ViewRight = {1, 0, 0};
    RotateVectorAboutAxis(ViewRight, ViewUp, 95);
    for (SpotLight& light : LightTable) {
      light.Enabled = true;
      std::fill(light.Diffuse, light.Diffuse + 3, 1.0f);
      std::fill(light.Ambient, light.Ambient + 3, 1.0f);
    }
    FogEnabled = true;
    std::fill(TextureNames, TextureNames + 7, 0u);
    options = SceneOptions{};
    options.Texture = false;
  }

  Picture Draw(int width = BufferWidth, int height = BufferHeight) {
    RenderFrame(width, height, options);
    glFinish();
    return Picture(BufferWidth, BufferHeight);
  }

  SceneOptions options;
};
