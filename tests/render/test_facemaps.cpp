// The face maps drawn from Stickers at their places, and picking their squares from the
// same places, checked against GL's own selection of the drawn squares.

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <set>
#include <vector>

#include "gl_fixture.h"
#include "render/facemaps.h"
#include "render/view.h"

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

  // GL's selection of the drawn squares with a 4 x 4 pixel pick region around each of
  // the mouse points (x, y) for x in xs: the sticker number where exactly one square is
  // hit, else -1. The points are picked in one selection run, each under a name of its
  // own below the squares' names.
  static std::vector<int> GlPicks(const std::vector<int>& xs, int y, int width, int height) {
    std::vector<GLuint> buffer(xs.size() * 54 * 5);
    glSelectBuffer(GLsizei(buffer.size()), buffer.data());
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);
    glPushName(0);
    GLint viewport[4] = {0, 0, width, height};
    for (size_t point = 0; point < xs.size(); ++point) {
      glPopName();
      glLoadName(GLuint(point));
      glPushName(0);
      glMatrixMode(GL_PROJECTION);
      glLoadIdentity();
      gluPickMatrix(xs[point], height - y, 4, 4, viewport);
      ApplyPerspective(width, height);
      glMatrixMode(GL_MODELVIEW);
      DrawProjections(ProjectionLayout(width, height), MapMode::Select);
    }
    const GLint records = glRenderMode(GL_RENDER);
    EXPECT_GE(records, 0) << "the selection buffer overflowed";
    std::vector<int> hits(xs.size(), 0), picked(xs.size(), -1);
    const GLuint* record = buffer.data();
    for (GLint r = 0; r < records; record += 3 + record[0], ++r) {
      if (record[0] != 2 || record[4] == 0) continue;   // a point's own name, no square
      const size_t point = record[3];
      picked[point] = ++hits[point] == 1 ? int(record[4]) : -1;
    }
    return picked;
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
  }

  // A client area of no height picks without dividing by zero.
  EXPECT_EQ(PickProjectionSticker(10, 0, BufferWidth, 0), -1);
}

// Whether client pixel (x, y) (y downwards) lies on a face map or within a few pixels
// of one.
bool NearAMap(const MapLayout& layout, int x, int y, int width, int height) {
  const double reach = 3.2 * layout.Scale;
  for (int f = 1; f <= 6; ++f) {
    const WindowPoint low = Project({layout.CentreX[f] - reach, layout.CentreY[f] - reach, -7}, width, height);
    const WindowPoint high = Project({layout.CentreX[f] + reach, layout.CentreY[f] + reach, -7}, width, height);
    if (x >= low.x - 4 && x <= high.x + 4 && height - y >= low.y - 4 && height - y <= high.y + 4) return true;
  }
  return false;
}

// Every other pixel (a checkerboard, so every row and column) on and around the maps,
// gaps included, picks what GL's selection of the drawn squares picks: in a wide
// window, in the window as it opens and in a narrow one.
TEST_F(FaceMapTest, PickingAgreesWithGlSelection) {
  for (const auto& [width, height] : {std::pair{640, 400}, std::pair{544, 375}, std::pair{300, 400}}) {
    SCOPED_TRACE(testing::Message() << width << " x " << height);
    const MapLayout layout = ProjectionLayout(width, height);
    std::set<int> picked;
    int compared = 0, differing = 0;
    for (int y = 0; y < height; ++y) {
      std::vector<int> xs;
      for (int x = y % 2; x < width; x += 2)
        if (NearAMap(layout, x, y, width, height)) xs.push_back(x);
      if (xs.empty()) continue;
      const std::vector<int> gl = GlPicks(xs, y, width, height);
      for (size_t k = 0; k < xs.size(); ++k) {
        const int got = PickProjectionSticker(xs[k], y, width, height);
        picked.insert(got);
        ++compared;
        if (got != gl[k] && ++differing <= 5)
          ADD_FAILURE() << "at " << xs[k] << ", " << y << ": " << got << " for " << gl[k];
      }
    }
    EXPECT_EQ(differing, 0) << "of " << compared;
    EXPECT_EQ(picked.size(), 55u);   // every sticker and -1
  }
}

// A window narrower than the net shows all of it inside, each square where the layout
// that picking reads puts it.
TEST_F(FaceMapTest, InANarrowWindowEverySquareIsDrawnInside) {
  for (int i = 0; i < StickerCount; ++i) Stickers[i] = uint8_t(1 + (i * 5 + i / 9) % 6);
  options.Projections = true;
  for (const auto& [width, height] : {std::pair{480, 400}, std::pair{300, 400}}) {
    SCOPED_TRACE(testing::Message() << width << " x " << height);
    const Picture picture = Draw(width, height);
    const MapLayout layout = ProjectionLayout(width, height);
    for (int f = 1; f <= 6; ++f) {
      for (int row = 1; row <= 3; ++row) {
        for (int column = 1; column <= 3; ++column) {
          const double* expected = FaceColors[StickerAt(f, row, column)];
          auto at = [&](double dx, double dy) {
            return Project({layout.CentreX[f] + layout.Scale * (SquareX(column) + dx),
                            layout.CentreY[f] + layout.Scale * (SquareY(row) + dy), -7},
                           width, height);
          };
          // Inside the window; the net's outer edge may lie on its left edge.
          const WindowPoint low = at(-1, -1), high = at(1, 1);
          EXPECT_TRUE(low.x > -1e-3 && low.y >= 0 && high.x <= width && high.y <= height)
              << f << "/" << row << "," << column;
          // The middle and towards the four corners show the sticker's colour.
          for (const auto& [dx, dy] : {std::pair{0.0, 0.0}, {-0.6, -0.6}, {-0.6, 0.6}, {0.6, -0.6}, {0.6, 0.6}}) {
            const Rgb seen = picture.At(at(dx, dy));
            const double off =
                std::fabs(seen.r - expected[0]) + std::fabs(seen.g - expected[1]) + std::fabs(seen.b - expected[2]);
            EXPECT_LT(off, 3 / 255.0) << f << "/" << row << "," << column << " at " << dx << ", " << dy;
          }
        }
      }
    }
  }
}

// L's face letters: F upright on the front centre of the cube held as the help says
// (Home), in dark cells within a light outline on the sticker's colour; a dark letter
// on the centre square of every map; none with the flag off.
TEST_F(FaceMapTest, FaceLettersAreUprightOnTheHeldCubeAndOnEveryMap) {
  ViewAsHeld(options.SpinAngles);
  options.Projections = true;
  const Picture plain = Draw();
  options.FaceLetters = true;
  const Picture lettered = Draw();
  options.FaceLetters = false;
  EXPECT_TRUE(Draw().Bytes() == plain.Bytes());

  // Glyph cells of the F on face 3 (+Y; its map's up is +X, right +Z): the outline is 9
  // cells high, 64 % of the sticker, and lies just off it.
  const Matrix4 scene = SceneTransform(options);
  const double cell = 2 * 0.64 * (1 - DefaultStickerInset) / 9;
  auto seen = [&](const Picture& p, int row, int column) {
    const Vec3 model{(3 - row) * cell, 3.1, (column - 2) * cell};
    const Rgb c = p.At(Project(Transform(scene, model), BufferWidth, BufferHeight));
    return c.r + c.g + c.b;
  };
  EXPECT_LT(seen(lettered, 0, 1), 0.5);   // the top bar
  EXPECT_LT(seen(lettered, 3, 3), 0.5);   // the middle bar's end
  EXPECT_GT(seen(lettered, 3, 4), 2.5);   // beside it, the outline
  EXPECT_GT(seen(lettered, 6, 1), 2.5);   // beside the stem's foot
  EXPECT_NEAR(seen(lettered, 5, 3), seen(plain, 5, 3), 3 / 255.0);   // clear of the letter

  for (int f = 1; f <= 6; ++f) {
    int dark = 0;
    for (double x = -0.9; x <= 0.9; x += 0.05)
      for (double y = -0.9; y <= 0.9; y += 0.05) {
        const Rgb a = lettered.At(Project(MapPoint(f, x, y), BufferWidth, BufferHeight));
        dark += a.r + a.g + a.b < 0.5;
      }
    EXPECT_GT(dark, 20) << "face " << f;
  }
}

}  // namespace
