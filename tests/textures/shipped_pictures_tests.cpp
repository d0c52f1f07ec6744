// The six face pictures in assets/textures: the size the cube drawing cuts into
// ninths, the face's colour throughout, and a design that shows which way a sticker
// sits, on the whole face and on every ninth.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "pictures.h"
#include "textures/decode.h"
#include "textures/sources.h"

namespace {

const Rgb DefaultColours[7] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 179}, {255, 255, 255}, {255, 0, 255}, {255, 255, 0}};

int Distance(const uint8_t* p, Rgb c) {
  return std::abs(p[0] - c.R) + std::abs(p[1] - c.G) + std::abs(p[2] - c.B);
}

DecodedImage LoadFace(int face) {
  Bytes bytes;
  const std::string path = std::string(TORNELO_TEXTURE_ASSETS) + "/texture" + std::to_string(face) + ".jpg";
  EXPECT_TRUE(ReadFileBytes(path, bytes)) << path;
  DecodedImage image;
  EXPECT_EQ(DecodeJpeg(bytes, image), JpegStatus::Ok) << path;
  return image;
}

// Share of the square (x0, y0, side) whose pixels change by more than a faint amount
// when the square is turned by quarter turns.
double ChangedByTurn(const DecodedImage& image, int x0, int y0, int side, int quarterTurns) {
  auto at = [&](int x, int y) { return &image.Pixels[(static_cast<std::size_t>(y) * image.Width + x) * 4]; };
  int changed = 0;
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      int tx = x, ty = y;
      for (int q = 0; q < quarterTurns; ++q) {
        const int nx = side - 1 - ty;
        ty = tx;
        tx = nx;
      }
      const uint8_t* a = at(x0 + x, y0 + y);
      const uint8_t* b = at(x0 + tx, y0 + ty);
      if (Distance(a, {b[0], b[1], b[2]}) > 120) ++changed;
    }
  return static_cast<double>(changed) / (side * side);
}

TEST(ShippedPictures, AreSquareFacesInTheirFaceColour) {
  for (int face = 1; face <= 6; ++face) {
    SCOPED_TRACE(face);
    const DecodedImage image = LoadFace(face);
    ASSERT_EQ(image.Width, 256);
    ASSERT_EQ(image.Height, 256);
    int own = 0;
    for (int i = 0; i < 256 * 256; ++i) {
      const uint8_t* p = &image.Pixels[static_cast<std::size_t>(i) * 4];
      int nearest = 1;
      for (int c = 2; c <= 6; ++c)
        if (Distance(p, DefaultColours[c]) < Distance(p, DefaultColours[nearest])) nearest = c;
      if (nearest == face && Distance(p, DefaultColours[face]) < 150) ++own;
    }
    EXPECT_GT(own, 256 * 256 / 2);
  }
}

TEST(ShippedPictures, NeitherFaceNorNinthLooksTheSameTurned) {
  const int bounds[3] = {0, 85, 170};
  for (int face = 1; face <= 6; ++face) {
    SCOPED_TRACE(face);
    const DecodedImage image = LoadFace(face);
    ASSERT_EQ(image.Width, 256);
    for (int q = 1; q <= 3; ++q) {
      EXPECT_GT(ChangedByTurn(image, 0, 0, 256, q), 0.10) << q << " quarter turns";
      for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col)
          EXPECT_GT(ChangedByTurn(image, bounds[col], bounds[row], 85, q), 0.02)
              << "ninth " << 3 * row + col + 1 << ", " << q << " quarter turns";
    }
  }
}

}  // namespace
