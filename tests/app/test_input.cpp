// Keys and the mouse: layer selection, single turns, pause, the counter switch,
// dragging the view, and stepping sticker colours.

#include <cmath>
#include <cstring>

#include "app/framekey.h"
#include "app_fixture.h"
#include "cube/turns.h"
#include "render/maplayout.h"

using namespace apptest;

TEST_F(AppTest, ArrowKeysSelectLayerAndDirectionWithTheCommonEffect) {
  SpeedDivisor = 2;
  SysSetMenuChecked(MenuItem::Fast1, true);
  SysSetMenuChecked(MenuItem::Slow2, true);
  CurrentLayer = 6;

  FormKeyDown(VK_UP);
  EXPECT_EQ(CurrentLayer, 1);
  EXPECT_TRUE(ShowArrows);
  EXPECT_EQ(SpeedDivisor, 40);
  EXPECT_TRUE(SysMenuChecked(MenuItem::Arrows1));
  EXPECT_TRUE(SysMenuChecked(MenuItem::Slow1));
  EXPECT_FALSE(SysMenuChecked(MenuItem::Fast1));
  // The Slow Speed submenu keeps its own mark.
  EXPECT_TRUE(SysMenuChecked(MenuItem::Slow2));
  EXPECT_FALSE(SysMenuChecked(MenuItem::Medium1));

  FormKeyDown(VK_UP);
  EXPECT_EQ(CurrentLayer, 2);
  FormKeyDown(VK_DOWN);
  FormKeyDown(VK_DOWN);
  EXPECT_EQ(CurrentLayer, 6);
  FormKeyDown(VK_DOWN);
  EXPECT_EQ(CurrentLayer, 5);

  FormKeyDown(VK_RIGHT);
  EXPECT_EQ(TurnDirection, -1);
  FormKeyDown(VK_LEFT);
  EXPECT_EQ(TurnDirection, 1);
  FormKeyDown(VK_LEFT);
  EXPECT_EQ(TurnDirection, -1);
  // None of them starts a turn.
  EXPECT_TRUE(Halted);
  EXPECT_FALSE(SingleStep);
}

TEST_F(AppTest, EveryKeyRedrawsAndOnlyItsOwnStateChanges) {
  const int redraws = Headless.Redraws;
  FormKeyDown(0x58);   // X: nothing of its own
  FormKeyDown(VK_C);
  EXPECT_EQ(Headless.Redraws, redraws + 2);
  EXPECT_TRUE(ShowCounter);
  EXPECT_FALSE(ShowArrows);
  EXPECT_FALSE(SysMenuChecked(MenuItem::Arrows1));
  EXPECT_FALSE(Headless.CloseRequested);
  FormKeyDown(VK_C);
  EXPECT_FALSE(ShowCounter);
  FormKeyDown(VK_F1);
  EXPECT_EQ(Headless.HelpShown, 1);
  EXPECT_FALSE(Headless.CloseRequested);
  FormKeyDown(VK_ESCAPE);
  EXPECT_TRUE(Headless.CloseRequested);
  EXPECT_EQ(Headless.Redraws, redraws + 5);
}

TEST_F(AppTest, EnterTurnsTheSelectedLayerAQuarterAndStops) {
  // What layer 3 turned by -1 does to the solved cube.
  QuarterTurn(3, -1);
  uint8_t expected[StickerCount];
  std::memcpy(expected, Stickers, sizeof expected);
  BuildCubeGeometry();

  FormKeyDown(VK_DOWN);
  FormKeyDown(VK_DOWN);
  FormKeyDown(VK_DOWN);
  FormKeyDown(VK_DOWN);   // 1 → 6 → 5 → 4 → 3
  FormKeyDown(VK_LEFT);
  ASSERT_EQ(CurrentLayer, 3);
  ASSERT_EQ(TurnDirection, -1);
  FormKeyDown(VK_RETURN);
  EXPECT_EQ(TicksUntilStopped(100), 20);
  EXPECT_EQ(std::memcmp(Stickers, expected, sizeof expected), 0);
  EXPECT_EQ(HistoryLength, 1);
  EXPECT_FALSE(SingleStep);
  EXPECT_TRUE(GeometryShowsStickers());
  // It stays stopped.
  Ticks(30);
  EXPECT_EQ(HistoryLength, 1);
}

TEST_F(AppTest, PauseHoldsTheTimerAndMarksTheCaption) {
  ASSERT_TRUE(SysTimerRunning());
  FormKeyDown(VK_P);
  EXPECT_TRUE(Paused);
  EXPECT_FALSE(SysTimerRunning());
  EXPECT_EQ(Headless.Caption, "Tornelo  <=PAUSE=>");
  // Moving the mouse does not wake a paused timer.
  FormMouseMove(10, 10);
  EXPECT_FALSE(SysTimerRunning());
  FormKeyDown(VK_P);
  EXPECT_FALSE(Paused);
  EXPECT_TRUE(SysTimerRunning());
  EXPECT_EQ(Headless.Caption, "Tornelo");
  // A menu opened stops it; the mouse over the window starts it again.
  SysStopTimer();
  FormMouseMove(12, 10);
  EXPECT_TRUE(SysTimerRunning());
}

TEST_F(AppTest, DraggingThirtyPixelsTurnsTheViewByMinusTenDegrees) {
  const Point3 up0 = ViewUp, right0 = ViewRight;
  FormMouseDown(MouseButton::Middle, 100, 200);
  EXPECT_TRUE(Dragging);
  const int redraws = Headless.Redraws;
  for (int x = 103; x <= 130; x += 3) FormMouseMove(x, 200);   // ten moves of 3 pixels
  EXPECT_EQ(Headless.Redraws, redraws + 10);
  // ViewRight turned about ViewUp by -10 degrees; ViewUp stayed.
  EXPECT_NEAR(AngleBetween(right0, ViewRight), 10.0, 1e-3);
  EXPECT_LT(Dot(Cross(right0, ViewRight), ViewUp), 0);
  EXPECT_NEAR(AngleBetween(up0, ViewUp), 0.0, 1e-3);

  const Point3 up1 = ViewUp, right1 = ViewRight;
  FormMouseMove(130, 230);
  EXPECT_NEAR(AngleBetween(up1, ViewUp), 10.0, 1e-3);
  EXPECT_LT(Dot(Cross(up1, ViewUp), ViewRight), 0);
  EXPECT_NEAR(AngleBetween(right1, ViewRight), 0.0, 1e-3);

  // A move of no pixels still redraws; after the button is up, moves do nothing.
  FormMouseMove(130, 230);
  EXPECT_EQ(Headless.Redraws, redraws + 12);
  FormMouseUp(MouseButton::Left, 130, 230);
  EXPECT_FALSE(Dragging);
  const Point3 up2 = ViewUp;
  FormMouseMove(300, 300);
  EXPECT_EQ(Headless.Redraws, redraws + 12);
  EXPECT_EQ(std::memcmp(&up2, &ViewUp, sizeof up2), 0);
  EXPECT_EQ(LastMouseX, 130);
}

TEST_F(AppTest, EditStickerStepsTheColourWithWrapAndRecolours) {
  const int s = 23;   // face 3, position 5: the centre
  for (int step = 1; step <= 6; ++step) {
    EditSticker(+1, s);
    EXPECT_EQ(StickerAtPos(3, 5), (3 + step - 1) % 6 + 1);
  }
  StickerAtPos(3, 5) = 6;
  EditSticker(+1, s);
  EXPECT_EQ(StickerAtPos(3, 5), 1);
  EditSticker(-1, s);
  EXPECT_EQ(StickerAtPos(3, 5), 6);
  EXPECT_TRUE(GeometryShowsStickers());

  EditSticker(-1, 1);   // face 1, row 1, column 1
  EXPECT_EQ(StickerAt(1, 1, 1), 6);
  EditSticker(+1, 54);  // face 6, row 3, column 3
  EXPECT_EQ(StickerAt(6, 3, 3), 1);
  EXPECT_TRUE(GeometryShowsStickers());
  EXPECT_EQ(HistoryLength, 0);

  // Numbers outside 1..54 name no sticker.
  uint8_t before[StickerCount];
  std::memcpy(before, Stickers, sizeof before);
  EditSticker(+1, 0);
  EditSticker(-1, 55);
  EXPECT_EQ(std::memcmp(before, Stickers, sizeof before), 0);
}

// L shows and hides the face letters in the frame; a new window starts without them.
TEST_F(AppTest, LShowsAndHidesTheFaceLetters) {
  EXPECT_FALSE(CurrentSceneOptions().FaceLetters);
  FormKeyDown(VK_L);
  EXPECT_TRUE(CurrentSceneOptions().FaceLetters);
  FormKeyDown(VK_L);
  EXPECT_FALSE(CurrentSceneOptions().FaceLetters);
}

// Picking needs no rendering context: a click on the middle of face 3's map steps its
// centre sticker.
TEST_F(AppTest, ClicksOnTheMapsPickWithoutAContext) {
  SysSetMenuChecked(MenuItem::Proj, true);
  const MapLayout layout = ProjectionLayout(Headless.ClientWidth, Headless.ClientHeight);
  const double perEyeUnit = Headless.ClientHeight / 2.0 / (7 * std::tan(15 * M_PI / 180));
  FormMouseDown(MouseButton::Left, int(Headless.ClientWidth / 2.0 + layout.CentreX[3] * perEyeUnit),
                int(Headless.ClientHeight / 2.0 - layout.CentreY[3] * perEyeUnit));
  EXPECT_TRUE(Dragging);
  EXPECT_EQ(StickerAtPos(3, 5), 4);
  EXPECT_TRUE(GeometryShowsStickers());
}

// Keys, drags and sticker edits in the middle of a turn leave the turn alone, and the
// drawn cube agrees with Stickers when it ends.
TEST_F(AppTest, InputDuringATurnKeepsTheCubeConsistent) {
  SpeedDivisor = 40;
  Halted = false;
  for (int turn = 0; turn < 12; ++turn) {
    Ticks(7);
    ASSERT_TRUE(TurnInProgress);
    FormKeyDown(turn % 2 ? VK_UP : VK_DOWN);
    FormKeyDown(VK_LEFT);
    FormKeyDown(VK_RETURN);
    FormMouseDown(MouseButton::Left, 50, 50);
    FormMouseMove(80, 20);
    FormMouseUp(MouseButton::Left, 80, 20);
    // Edit a sticker of the turning layer and one elsewhere.
    EditSticker(+1, 9 * (History[HistoryLength - 1].Layer - 1) + 1 + turn % 9);
    EditSticker(-1, 1 + (turn * 7) % 54);
    TicksUntilTurnEnds(100);
    EXPECT_TRUE(GeometryShowsStickers()) << "turn " << turn;
  }
}
