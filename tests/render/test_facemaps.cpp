// The face maps drawn from Stickers, and picking their squares with the selection mode.

#include <GL/gl.h>

#include <cmath>

#include "gl_fixture.h"
#include "render/facemaps.h"

namespace {

// The net around (-2.1, 1.1), 0.45 apart, 7 units ahead; squares of 2 on a pitch of
// 2.2 at a scale of 0.065.
struct MapPlace {
  double x, y;
};
const MapPlace MapCentre[7] = {{}, {-2.1, 1.55}, {-2.1, 0.65}, {-2.1, 1.1}, {-1.2, 1.1}, {-1.65, 1.1}, {-2.55, 1.1}};

// Eye point of a place on face f's map given in map units (x right, y up from the
// map's centre).
Vec3 MapPoint(int f, double x, double y) {
  return {MapCentre[f].x + 0.065 * x, MapCentre[f].y + 0.065 * y, -7};
}

// Centre of the square at row, column (1..3) in map units.
double SquareX(int column) { return 2.2 * (column - 2); }
double SquareY(int row) { return -2.2 * (row - 2); }

class FaceMapTest : public SceneTest {
 protected:
  // Picks at the window point of an eye point, as the mouse handler would pass it.
  int PickAt(const Vec3& eye, int width, int height) {
    const WindowPoint w = Project(eye, width, height);
    const int mouseX = int(std::lround(w.x));
    const int mouseY = height - int(std::lround(w.y));
    return PickProjectionSticker(mouseX, mouseY, width, height);
  }
};

// A sticker the check of the cube named is ringed on its map: white in the gap around
// its square, black just inside its edge; its middle and every other square as before.
TEST_F(FaceMapTest, MarkedStickersAreRingedAndNothingElseChanges) {
  options.Projections = true;
  const Picture plain = Draw();
  const StickerRef named{4, 1, 3};
  MarkStickers(&named, 1);
  const Picture marked = Draw();
  ClearStickerMarks();
  auto at = [](const Picture& p, double x, double y) {
    return p.At(Project(MapPoint(4, SquareX(3) + x, SquareY(1) + y), BufferWidth, BufferHeight));
  };
  const Rgb gap = at(marked, 0, 1.05), inside = at(marked, 0, 0.74), middle = at(marked, 0, 0);
  EXPECT_GT(gap.r + gap.g + gap.b, 2.9);
  EXPECT_LT(inside.r + inside.g + inside.b, 0.1);
  const Rgb before = at(plain, 0, 0);
  EXPECT_NEAR(middle.r, before.r, 1.5 / 255);
  EXPECT_NEAR(middle.g, before.g, 1.5 / 255);
  EXPECT_NEAR(middle.b, before.b, 1.5 / 255);
  const Rgb other = marked.At(Project(MapPoint(4, SquareX(2), SquareY(1) + 0.74), BufferWidth, BufferHeight));
  const Rgb otherBefore = plain.At(Project(MapPoint(4, SquareX(2), SquareY(1) + 0.74), BufferWidth, BufferHeight));
  EXPECT_NEAR(other.r + other.g + other.b, otherBefore.r + otherBefore.g + otherBefore.b, 3 / 255.0);
}

TEST_F(FaceMapTest, MapsShowStickersUnlitInTheirSquares) {
  for (int i = 0; i < StickerCount; ++i) Stickers[i] = uint8_t(1 + (i * 5 + i / 9) % 6);
  options.Projections = true;
  const Picture picture = Draw();
  for (int f = 1; f <= 6; ++f) {
    for (int row = 1; row <= 3; ++row) {
      for (int column = 1; column <= 3; ++column) {
        const Rgb seen = picture.At(Project(MapPoint(f, SquareX(column), SquareY(row)), BufferWidth, BufferHeight));
        const double* expected = FaceColors[StickerAt(f, row, column)];
        EXPECT_NEAR(seen.r, expected[0], 1.5 / 255) << f << "/" << row << "," << column;
        EXPECT_NEAR(seen.g, expected[1], 1.5 / 255) << f << "/" << row << "," << column;
        EXPECT_NEAR(seen.b, expected[2], 1.5 / 255) << f << "/" << row << "," << column;
      }
    }
  }

  // A colour number no table entry belongs to (a damaged cube file) shows black.
  StickerAt(3, 2, 2) = 200;
  const Rgb odd = Draw().At(Project(MapPoint(3, 0, 0), BufferWidth, BufferHeight));
  EXPECT_EQ(odd.r + odd.g + odd.b, 0);

  options.Projections = false;
  const Rgb hidden = Draw().At(Project(MapPoint(1, 0, 0), BufferWidth, BufferHeight));
  EXPECT_EQ(hidden.r + hidden.g + hidden.b, 0);
}

TEST_F(FaceMapTest, PickingNamesTheSquareUnderTheMouse) {
  options.Projections = true;
  for (const auto& [width, height] : {std::pair{640, 400}, std::pair{500, 300}}) {
    SCOPED_TRACE(testing::Message() << width << " x " << height);
    const Picture before = Draw(width, height);

    EXPECT_EQ(PickAt(MapPoint(3, 0, 0), width, height), 23);
    EXPECT_EQ(PickAt(MapPoint(1, SquareX(1), SquareY(1)), width, height), 1);
    EXPECT_EQ(PickAt(MapPoint(6, SquareX(3), SquareY(3)), width, height), 54);
    for (int f = 1; f <= 6; ++f) {
      for (int row = 1; row <= 3; ++row) {
        for (int column = 1; column <= 3; ++column) {
          EXPECT_EQ(PickAt(MapPoint(f, SquareX(column), SquareY(row)), width, height),
                    9 * (f - 1) + 3 * (row - 1) + column);
        }
      }
    }

    // On the gap between two squares both are hit: no single sticker.
    EXPECT_EQ(PickAt(MapPoint(3, 1.1, 0), width, height), -1);
    EXPECT_EQ(PickAt(MapPoint(5, 0, -1.1), width, height), -1);
    // Where the net has no map, beside it and on the cube nothing is hit.
    EXPECT_EQ(PickAt(MapPoint(6, 0, 0.45 / 0.065), width, height), -1);
    EXPECT_EQ(PickAt(MapPoint(4, 4.0, 0), width, height), -1);
    EXPECT_EQ(PickAt({0, 0, -8}, width, height), -1);

    // The next frame sets its own projection again.
    const Picture after = Draw(width, height);
    EXPECT_TRUE(after.Bytes() == before.Bytes());
  }

  // A client area of no height picks without dividing by zero.
  EXPECT_EQ(PickProjectionSticker(10, 0, BufferWidth, 0), -1);
}

}  // namespace
