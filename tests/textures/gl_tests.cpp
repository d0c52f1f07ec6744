// The loader with real texture objects (OSMesa): what MakeGLTexture leaves behind and
// what OpenGL receives from each reader.

#include <gtest/gtest.h>

#include <GL/osmesa.h>
#include <GL/gl.h>

#include <set>
#include <vector>

#include "pictures.h"
#include "platform/headless/headless.h"
#include "textures/decode.h"
#include "textures/sources.h"
#include "textures/textures.h"

namespace {

class GlTextures : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    const int attributes[] = {OSMESA_FORMAT, OSMESA_RGBA, OSMESA_DEPTH_BITS, 16,
                              OSMESA_PROFILE, OSMESA_COMPAT_PROFILE, 0};
    Context = OSMesaCreateContextAttribs(attributes, nullptr);
    ASSERT_NE(Context, nullptr);
    Frame.assign(64 * 64 * 4, 0);
    ASSERT_TRUE(OSMesaMakeCurrent(Context, Frame.data(), GL_UNSIGNED_BYTE, 64, 64));
  }
  void SetUp() override {
    ASSERT_NE(Context, nullptr);
    HeadlessReset();
    ClearEmbeddedBlocks();
  }
  void TearDown() override { ClearEmbeddedBlocks(); }

  // Kept to the end of the process, like the program's context (OSMesa does not free
  // all of a destroyed context's framebuffer).
  static inline OSMesaContext Context = nullptr;
  static inline std::vector<uint8_t> Frame;
};

GLint BoundTexture() {
  GLint name = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
  return name;
}

GLint TextureParameter(GLenum parameter) {
  GLint value = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, parameter, &value);
  return value;
}

GLint LevelParameter(int level, GLenum parameter) {
  GLint value = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, parameter, &value);
  return value;
}

// Level 0 of the bound texture as packed R, G, B bytes, bottom row first.
std::vector<uint8_t> LevelZeroRgb() {
  const int w = LevelParameter(0, GL_TEXTURE_WIDTH);
  const int h = LevelParameter(0, GL_TEXTURE_HEIGHT);
  std::vector<uint8_t> pixels(static_cast<std::size_t>(w) * h * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  return pixels;
}

// The state every new texture is left in.
void ExpectFreshTexture(unsigned int name) {
  EXPECT_NE(name, 0u);
  EXPECT_EQ(BoundTexture(), static_cast<GLint>(name));
  EXPECT_EQ(TextureParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
  EXPECT_EQ(TextureParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
  GLint mode = 0;
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
  EXPECT_EQ(mode, GL_MODULATE);
  GLint alignment = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 4);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GlTextures, MakeGLTextureUploadsPaddedRgbRowsAndBuildsMipmaps) {
  // 2 x 2 RGB: rows of 6 bytes, padded to 8 as OpenGL reads them.
  const uint8_t pixels[16] = {10, 20, 30, 40, 50, 60, 0, 0, 70, 80, 90, 100, 110, 120, 0, 0};
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  const unsigned int name = MakeGLTexture(2, 2, GL_RGB, pixels);
  ExpectFreshTexture(name);
  EXPECT_EQ(LevelZeroRgb(), (std::vector<uint8_t>{10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120}));
  EXPECT_EQ(LevelParameter(1, GL_TEXTURE_WIDTH), 1);   // the mipmap chain is there
  EXPECT_EQ(LevelParameter(0, GL_TEXTURE_ALPHA_SIZE), 0);

  const uint8_t rgba[8] = {1, 2, 3, 4, 5, 6, 7, 8};
  const unsigned int second = MakeGLTexture(2, 1, GL_RGBA, rgba);
  ExpectFreshTexture(second);
  EXPECT_NE(second, name);
  EXPECT_GT(LevelParameter(0, GL_TEXTURE_ALPHA_SIZE), 0);
}

TEST_F(GlTextures, ShippedFacePicturesLoadFromTheWorkingDirectory) {
  unsigned int names[7] = {};
  std::set<unsigned int> distinct;
  for (int face = 1; face <= 6; ++face) {
    SCOPED_TRACE(face);
    const std::string file = "texture" + std::to_string(face) + ".jpg";
    ASSERT_TRUE(LoadImageTexture(file, names[face], false));
    ExpectFreshTexture(names[face]);
    distinct.insert(names[face]);
    EXPECT_EQ(LevelParameter(0, GL_TEXTURE_WIDTH), 256);
    EXPECT_EQ(LevelParameter(0, GL_TEXTURE_HEIGHT), 256);

    // What OpenGL holds is the decoded picture, bottom row first.
    Bytes bytes;
    ASSERT_TRUE(ReadFileBytes(file, bytes));
    DecodedImage image;
    ASSERT_EQ(DecodeJpeg(bytes, image), JpegStatus::Ok);
    const std::vector<uint8_t> level = LevelZeroRgb();
    for (std::size_t i = 0; i < 256 * 256; i += 257)
      for (int c = 0; c < 3; ++c) ASSERT_EQ(level[i * 3 + c], image.Pixels[i * 4 + c]) << i;
  }
  EXPECT_EQ(distinct.size(), 6u);
  EXPECT_TRUE(Headless.Messages.empty());
}

TEST_F(GlTextures, EachReaderIsChosenByItsExtensionInAnyCase) {
  const Rgb red{250, 0, 0}, blue{0, 0, 250};
  // Bottom row red, top row blue.
  const Bytes tga = MakeTga(2, 2, 2, 32, {0, 0, 250, 255, 0, 0, 250, 255, 250, 0, 0, 255, 250, 0, 0, 255});
  const Bytes jpeg = MakeJpeg(8, 8, 3, [] {
    Bytes b;
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) b.insert(b.end(), {uint8_t(y < 4 ? 0 : 250), 0, uint8_t(y < 4 ? 250 : 0)});
    return b;
  }());
  TempFile bmpFile("face.Bmp", MakeBmp(2, 2, {red, red, blue, blue}));
  TempFile tgaFile("face.TGA", tga);
  TempFile jpegFile("face.JPG", jpeg);
  for (const std::string& file : {bmpFile.Path, tgaFile.Path, jpegFile.Path}) {
    SCOPED_TRACE(file);
    unsigned int name = 0;
    ASSERT_TRUE(LoadImageTexture(file, name, false));
    ExpectFreshTexture(name);
    const std::vector<uint8_t> level = LevelZeroRgb();
    const int w = LevelParameter(0, GL_TEXTURE_WIDTH);
    const std::size_t top = level.size() - 3;
    EXPECT_NEAR(level[0], 250, 12);   // first row: red
    EXPECT_NEAR(level[2], 0, 12);
    EXPECT_NEAR(level[top], 0, 12);   // last row: blue
    EXPECT_NEAR(level[top + 2], 250, 12);
    EXPECT_GT(w, 0);
  }
  EXPECT_TRUE(Headless.Messages.empty());
}

TEST_F(GlTextures, OddWidth24BitRowsReachOpenGLWhole) {
  // Each row one colour: a row read from the wrong place would mix two colours.
  const Rgb colours[3] = {{250, 0, 0}, {0, 250, 0}, {0, 0, 250}};
  // Widths 1 and 2 reach OpenGL unscaled. The others are scaled to a power of two by
  // the mipmap builder, whose scaler leaves the last row black whatever the input: only
  // the rows before it are compared there.
  for (int width : {1, 2, 3, 5, 7}) {
    std::vector<Rgb> pixels;
    Bytes tgaData;
    for (int y = 0; y < 4; ++y) {
      pixels.insert(pixels.end(), width, colours[y % 3]);
      for (int x = 0; x < width; ++x) tgaData.insert(tgaData.end(), {colours[y % 3].B, colours[y % 3].G, colours[y % 3].R});
    }
    TempFile bmp("odd.bmp", MakeBmp(width, 4, pixels, {.PadByte = 0x77}));
    TempFile tga("odd.tga", MakeTga(2, width, 4, 24, tgaData));
    for (const std::string& file : {bmp.Path, tga.Path}) {
      SCOPED_TRACE(file + " width " + std::to_string(width));
      unsigned int name = 0;
      ASSERT_TRUE(LoadImageTexture(file, name, false));
      ExpectFreshTexture(name);
      const int w = LevelParameter(0, GL_TEXTURE_WIDTH);
      ASSERT_EQ(LevelParameter(0, GL_TEXTURE_HEIGHT), 4);
      const std::vector<uint8_t> level = LevelZeroRgb();
      const int rows = width <= 2 ? 4 : 3;
      for (int y = 0; y < rows; ++y)
        for (int x = 0; x < w; ++x) {
          const uint8_t* p = &level[(static_cast<std::size_t>(y) * w + x) * 3];
          EXPECT_EQ(p[0], colours[y % 3].R) << x << "," << y;
          EXPECT_EQ(p[1], colours[y % 3].G) << x << "," << y;
          EXPECT_EQ(p[2], colours[y % 3].B) << x << "," << y;
        }
    }
  }
}

TEST_F(GlTextures, EmbeddedBlocksLoadByNameAndType) {
  RegisterEmbeddedBlock("FACE", "BMP", MakeBmp(2, 1, {{1, 2, 3}, {4, 5, 6}}));
  RegisterEmbeddedBlock("face", "TGA", MakeTga(10, 2, 1, 24, {0x81, 30, 20, 10}));
  RegisterEmbeddedBlock("face", "JPEG", MakeJpeg(4, 4, 3, Bytes(4 * 4 * 3, 200)));
  unsigned int name = 0;
  ASSERT_TRUE(LoadImageTexture("face.bmp", name, true));
  ExpectFreshTexture(name);
  EXPECT_EQ(LevelZeroRgb(), (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
  ASSERT_TRUE(LoadImageTexture("Face.extra.tga", name, true));
  ExpectFreshTexture(name);
  EXPECT_EQ(LevelZeroRgb(), (std::vector<uint8_t>{10, 20, 30, 10, 20, 30}));
  ASSERT_TRUE(LoadImageTexture("face.jpg", name, true));
  ExpectFreshTexture(name);
  EXPECT_NEAR(LevelZeroRgb()[0], 200, 3);
  EXPECT_TRUE(Headless.Messages.empty());
}

TEST_F(GlTextures, AFailedLoadMakesNoTexture) {
  unsigned int name = 0;
  ASSERT_TRUE(LoadImageTexture("texture1.jpg", name, false));
  const unsigned int kept = name;
  TempFile bad("bad.tga", MakeTga(10, 2, 2, 24, {0xFF, 1, 2, 3}));
  EXPECT_FALSE(LoadImageTexture(bad.Path, name, false));
  EXPECT_EQ(name, kept);
  EXPECT_EQ(BoundTexture(), static_cast<GLint>(kept));
  EXPECT_EQ(Headless.Messages.size(), 1u);
}

}  // namespace
