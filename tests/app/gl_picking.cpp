// Clicks on the face maps under a real (OSMesa) context: a click picks the square
// under the mouse and steps that sticker's colour.

#include <GL/osmesa.h>

#include <array>
#include <cmath>
#include <vector>

#include "app_fixture.h"
#include "osmesa_window.h"
#include "render/frame.h"

using namespace apptest;

namespace {

constexpr int Width = 1000;   // wide enough that face 6 is all on screen
constexpr int Height = 600;

// Where the face maps lie in eye space, and where a point of them shows on the window.
const double MapCentres[7][2] = {
    {0, 0}, {-2.1, 1.55}, {-2.1, 0.65}, {-2.1, 1.1}, {-1.2, 1.1}, {-1.65, 1.1}, {-2.55, 1.1},
};
constexpr double MapScale = 0.065;
constexpr double SquarePitch = 2.2;
constexpr double MapDistance = 7;

struct Pixel {
  int x, y;   // client coordinates, y downwards
};

Pixel ToClient(double eyeX, double eyeY) {
  const double f = 1 / std::tan(15 * M_PI / 180);
  const double aspect = double(Width) / Height;
  const double ndcX = eyeX / MapDistance * f / aspect;
  const double ndcY = eyeY / MapDistance * f;
  return Pixel{int(std::lround((ndcX + 1) / 2 * Width)), int(std::lround(Height - (ndcY + 1) / 2 * Height))};
}

// The centre of the square of face, row, column.
Pixel SquareCentre(int face, int row, int col) {
  return ToClient(MapCentres[face][0] + MapScale * SquarePitch * (col - 2),
                  MapCentres[face][1] - MapScale * SquarePitch * (row - 2));
}

// Half-way between column 1 and column 2 of a row.
Pixel GapRightOfFirstColumn(int face, int row) {
  return ToClient(MapCentres[face][0] - MapScale * SquarePitch / 2, MapCentres[face][1] - MapScale * SquarePitch * (row - 2));
}

class GlPicking : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Window.Open(Width, Height));
    OsMesaWindow::Announce(Width, Height);
    ASSERT_TRUE(FormCreate());
    SysSetMenuChecked(MenuItem::Proj, true);
  }
  void TearDown() override { FormDestroy(); }

  void Click(MouseButton button, Pixel p) {
    FormMouseDown(button, p.x, p.y);
    EXPECT_TRUE(Dragging);
    FormMouseUp(button, p.x, p.y);
  }

  OsMesaWindow Window;
  std::vector<uint8_t>& Buffer = Window.Buffer;
};

}  // namespace

TEST_F(GlPicking, EveryClickedSquareStepsItsOwnSticker) {
  // Left on every square: every sticker one colour up, so face 6's become 1.
  for (int f = 1; f <= 6; ++f)
    for (int r = 1; r <= 3; ++r)
      for (int c = 1; c <= 3; ++c) Click(MouseButton::Left, SquareCentre(f, r, c));
  for (int f = 1; f <= 6; ++f)
    for (int r = 1; r <= 3; ++r)
      for (int c = 1; c <= 3; ++c) ASSERT_EQ(StickerAt(f, r, c), f % 6 + 1) << f << "/" << r << "," << c;
  EXPECT_TRUE(GeometryShowsStickers());

  // Right on every square: back to the solved cube.
  for (int f = 1; f <= 6; ++f)
    for (int r = 1; r <= 3; ++r)
      for (int c = 1; c <= 3; ++c) Click(MouseButton::Right, SquareCentre(f, r, c));
  EXPECT_TRUE(StickersSolved());

  // Right on a sticker of colour 1: 6.
  Click(MouseButton::Right, SquareCentre(1, 3, 1));
  EXPECT_EQ(StickerAt(1, 3, 1), 6);
  EXPECT_TRUE(GeometryShowsStickers());
}

TEST_F(GlPicking, ClicksThatHitNoSingleSquareOrAreNotLeftOrRightEditNothing) {
  Click(MouseButton::Middle, SquareCentre(3, 2, 2));
  Click(MouseButton::Left, GapRightOfFirstColumn(3, 2));
  Click(MouseButton::Right, GapRightOfFirstColumn(5, 1));
  Click(MouseButton::Left, Pixel{Width - 5, Height - 5});   // far from the maps
  EXPECT_TRUE(StickersSolved());

  // Without the Projections mark clicks only drag.
  SysSetMenuChecked(MenuItem::Proj, false);
  Click(MouseButton::Left, SquareCentre(3, 2, 2));
  EXPECT_TRUE(StickersSolved());
}

TEST_F(GlPicking, TheFrameShowsTheMapsFromStickers) {
  EditSticker(+1, 9 * 2 + 5);   // face 3 centre: colour 4, white
  PaintFrame(Width, Height);
  glFinish();
  auto colourAt = [&](Pixel p) {
    const uint8_t* px = &Buffer[(size_t(Height - 1 - p.y) * Width + p.x) * 4];
    return std::array<int, 3>{px[0], px[1], px[2]};
  };
  EXPECT_EQ(colourAt(SquareCentre(1, 2, 2)), (std::array<int, 3>{255, 0, 0}));
  EXPECT_EQ(colourAt(SquareCentre(3, 2, 2)), (std::array<int, 3>{255, 255, 255}));
  EXPECT_EQ(colourAt(SquareCentre(6, 1, 1)), (std::array<int, 3>{255, 255, 0}));
}

TEST_F(GlPicking, APaintColourSetsASquareInOneClickAndShowsBesideTheMaps) {
  FormKeyDown(VK_0 + 5);
  Click(MouseButton::Left, SquareCentre(3, 2, 1));
  Click(MouseButton::Left, SquareCentre(3, 2, 1));   // painted twice: still 5
  Click(MouseButton::Left, SquareCentre(5, 1, 1));   // colour 5 already
  EXPECT_EQ(StickerAt(3, 2, 1), 5);
  EXPECT_EQ(StickerAt(5, 1, 1), 5);
  Click(MouseButton::Right, SquareCentre(1, 1, 1));   // the right button still steps back
  EXPECT_EQ(StickerAt(1, 1, 1), 6);
  EXPECT_TRUE(GeometryShowsStickers());

  // The swatch, right of face 1's map: its colour beside its number, framed in white.
  PaintFrame(Width, Height);
  glFinish();
  auto colourAt = [&](Pixel p) {
    const uint8_t* px = &Buffer[(size_t(Height - 1 - p.y) * Width + p.x) * 4];
    return std::array<int, 3>{px[0], px[1], px[2]};
  };
  const double x = MapCentres[5][0], y = MapCentres[1][1];
  EXPECT_EQ(colourAt(ToClient(x - MapScale * 2, y)), (std::array<int, 3>{255, 0, 255}));
  EXPECT_EQ(colourAt(ToClient(x - MapScale * 2.75, y)), (std::array<int, 3>{255, 255, 255}));
  // 5: the top bar lit, light on magenta; the top right one dark.
  EXPECT_EQ(colourAt(ToClient(x, y + MapScale * 1.4)), (std::array<int, 3>{255, 255, 255}));
  EXPECT_EQ(colourAt(ToClient(x + MapScale * 0.7, y + MapScale * 0.8)), (std::array<int, 3>{255, 0, 255}));
  FormKeyDown(VK_0);
  PaintFrame(Width, Height);
  glFinish();
  EXPECT_EQ(colourAt(ToClient(x - MapScale * 2, y)), (std::array<int, 3>{0, 0, 0}));
  Click(MouseButton::Left, SquareCentre(3, 2, 1));   // stepping again
  EXPECT_EQ(StickerAt(3, 2, 1), 6);

  // Hiding the maps goes back to stepping, and the keys choose nothing while they are.
  FormKeyDown(VK_0 + 2);
  ProjClick();
  FormKeyDown(VK_0 + 3);
  ProjClick();
  Click(MouseButton::Left, SquareCentre(3, 2, 1));
  EXPECT_EQ(StickerAt(3, 2, 1), 1);
}
