// The menu commands, run through the headless window: marks, run flags, the timer, New's
// assembly with messages running between its frames, colours, and Build to step.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

#include "app/handlers.h"
#include "app/state.h"
#include "cube/movequeue.h"
#include "cube/stickers.h"
#include "cube/turns.h"
#include "platform/headless/headless.h"
#include "render/model.h"
#include "solver/solver.h"
#include "tests/app/app_fixture.h"

namespace {

using apptest::StickersSolved;

using apptest::Scramble;
using apptest::TickUntil;

class MenuTest : public apptest::AppTest {
 protected:
  // One quarter turn of layer as Enter plays it, to its end.
  static void UserTurn(int layer, int direction) {
    PlaySingleTurn(layer, direction);
    ASSERT_TRUE(apptest::TickUntil([] { return !TurnInProgress && Halted; }));
  }

  static int TimerStarts() { return Headless.TimerStarts; }
};

std::vector<MenuItem> CheckedItems() {
  std::vector<MenuItem> items;
  for (int i = 0; i < static_cast<int>(MenuItem::Count); ++i)
    if (Headless.Checked[i]) items.push_back(static_cast<MenuItem>(i));
  return items;
}

TEST_F(MenuTest, StartUpMarksAndSpeedGroupsAreIndependent) {
  EXPECT_EQ(CheckedItems(), (std::vector<MenuItem>{MenuItem::Slow1, MenuItem::Medium1,
                                                    MenuItem::N71, MenuItem::Texture1}));
  EXPECT_EQ(SpeedDivisor, 40);
  EXPECT_EQ(TargetStep, 73);

  int starts = TimerStarts();
  Fast1Click();
  EXPECT_EQ(SpeedDivisor, 2);
  EXPECT_TRUE(HeadlessChecked(MenuItem::Fast1));
  EXPECT_FALSE(HeadlessChecked(MenuItem::Slow1));
  EXPECT_EQ(TimerStarts(), starts + 1);

  // Slow Speed › Slow while Fast is marked: the speed changes, Fast keeps its mark and
  // the slow-speed commands leave the timer alone.
  starts = TimerStarts();
  Slow2Click();
  EXPECT_EQ(SpeedDivisor, 100);
  EXPECT_TRUE(HeadlessChecked(MenuItem::Fast1));
  EXPECT_TRUE(HeadlessChecked(MenuItem::Slow2));
  EXPECT_FALSE(HeadlessChecked(MenuItem::Medium1));
  Fast2Click();
  EXPECT_EQ(SpeedDivisor, 20);
  EXPECT_TRUE(HeadlessChecked(MenuItem::Fast2));
  EXPECT_FALSE(HeadlessChecked(MenuItem::Slow2));
  Medium1Click();
  EXPECT_EQ(SpeedDivisor, 40);
  EXPECT_EQ(TimerStarts(), starts);

  Slow1Click();
  EXPECT_EQ(SpeedDivisor, 40);
  EXPECT_TRUE(HeadlessChecked(MenuItem::Slow1));
  EXPECT_FALSE(HeadlessChecked(MenuItem::Fast1));

  // Build to step: its own group; the speed marks stay.
  void (*const steps[])() = {N11Click, N21Click, N31Click, N41Click, N51Click, N61Click, N71Click};
  const MenuItem items[] = {MenuItem::N11, MenuItem::N21, MenuItem::N31, MenuItem::N41,
                            MenuItem::N51, MenuItem::N61, MenuItem::N71};
  const int targets[] = {14, 24, 34, 41, 51, 61, 73};
  for (int i = 0; i < 7; ++i) {
    steps[i]();
    EXPECT_EQ(TargetStep, targets[i]);
    for (int j = 0; j < 7; ++j) EXPECT_EQ(HeadlessChecked(items[j]), i == j) << i << " " << j;
  }
  EXPECT_EQ(CheckedItems(), (std::vector<MenuItem>{MenuItem::Slow1, MenuItem::Medium1,
                                                    MenuItem::N71, MenuItem::Texture1}));
}

TEST_F(MenuTest, SimpleCommandsFlipTheirMarkAndState) {
  File1Click();
  EXPECT_FALSE(Headless.TimerRunning);

  Arrows1Click();
  EXPECT_TRUE(ShowArrows);
  EXPECT_TRUE(HeadlessChecked(MenuItem::Arrows1));
  EXPECT_TRUE(Headless.TimerRunning);
  Arrows1Click();
  EXPECT_FALSE(ShowArrows);
  EXPECT_FALSE(HeadlessChecked(MenuItem::Arrows1));

  const int redraws = Headless.Redraws;
  ProjClick();
  EXPECT_TRUE(HeadlessChecked(MenuItem::Proj));
  Texture1Click();
  EXPECT_FALSE(HeadlessChecked(MenuItem::Texture1));
  EXPECT_EQ(Headless.Redraws, redraws + 2);

  File1Click();
  TracingCountdown = 42;
  Tracing1Click();
  EXPECT_TRUE(Tracing);
  EXPECT_EQ(TracingCountdown, 0);
  EXPECT_TRUE(HeadlessChecked(MenuItem::Tracing1));
  EXPECT_TRUE(Headless.TimerRunning);
  Tracing1Click();
  EXPECT_FALSE(Tracing);

  About1Click();
  EXPECT_EQ(Headless.AboutShown, 1);
  EXPECT_FALSE(Headless.CloseRequested);
  Exit1Click();
  EXPECT_TRUE(Headless.CloseRequested);
}

TEST_F(MenuTest, RotationDrawsNewRatesOnEveryClick) {
  Rotation1Click();
  EXPECT_TRUE(Spinning);
  EXPECT_TRUE(HeadlessChecked(MenuItem::Rotation1));
  const float first[3] = {SpinRates[0], SpinRates[1], SpinRates[2]};
  for (float r : first) {
    EXPECT_GE(r, -3.5f);
    EXPECT_LT(r, 3.5f);
  }
  for (int i = 0; i < 10; ++i) Timer1Timer();
  const float reached[3] = {SpinAngles[0], SpinAngles[1], SpinAngles[2]};
  EXPECT_NE(reached[0], 45.0f);

  Rotation1Click();
  EXPECT_FALSE(Spinning);
  EXPECT_FALSE(HeadlessChecked(MenuItem::Rotation1));
  EXPECT_TRUE(SpinRates[0] != first[0] || SpinRates[1] != first[1] || SpinRates[2] != first[2]);
  for (int i = 0; i < 10; ++i) Timer1Timer();
  for (int a = 0; a < 3; ++a) EXPECT_EQ(SpinAngles[a], reached[a]);   // stopped where it was
}

TEST_F(MenuTest, IntermixingHaltsAndResumesABuild) {
  // Build with Intermixing marked does nothing.
  Intermixing1Click();
  EXPECT_TRUE(HeadlessChecked(MenuItem::Intermixing1));
  EXPECT_FALSE(Halted);
  Build1Click();
  EXPECT_FALSE(Building);
  EXPECT_FALSE(HeadlessChecked(MenuItem::Build1));
  Intermixing1Click();
  EXPECT_TRUE(Halted);

  for (int i = 0; i < 8; ++i) QuarterTurn(1 + (i * 5) % 6, i % 2 ? 1 : -1);
  Build1Click();
  ASSERT_TRUE(Building);
  EXPECT_TRUE(HeadlessChecked(MenuItem::Build1));
  EXPECT_FALSE(Halted);
  ASSERT_GT(MoveCount, 0);

  Timer1Timer();
  ASSERT_TRUE(TurnInProgress);
  const int played = HistoryLength;

  // Intermixing during the build: the turn in progress ends, then nothing starts.
  Intermixing1Click();
  EXPECT_TRUE(Halted);
  EXPECT_TRUE(Building);
  ASSERT_TRUE(TickUntil([] { return !TurnInProgress; }));
  for (int i = 0; i < 50; ++i) Timer1Timer();
  EXPECT_FALSE(TurnInProgress);
  EXPECT_EQ(HistoryLength, played);

  // Again: the build goes on from its queue.
  Intermixing1Click();
  EXPECT_FALSE(Halted);
  EXPECT_TRUE(Building);
  Timer1Timer();
  EXPECT_TRUE(TurnInProgress);
  EXPECT_EQ(HistoryLength, played + 1);
  EXPECT_EQ(LastRandomLayer, 0);   // no random turn was drawn
}

TEST_F(MenuTest, BackmixingUndoesTheHistoryAndNeedsOne) {
  // Empty history: only the timer starts.
  File1Click();
  Backmixing1Click();
  EXPECT_FALSE(Backmixing);
  EXPECT_FALSE(HeadlessChecked(MenuItem::Backmixing1));
  EXPECT_TRUE(Halted);
  EXPECT_TRUE(Headless.TimerRunning);

  UserTurn(3, 1);
  UserTurn(5, -1);
  ASSERT_EQ(HistoryLength, 2);
  ASSERT_FALSE(StickersSolved());

  // Not while Intermixing is marked.
  Intermixing1Click();
  Backmixing1Click();
  EXPECT_FALSE(Backmixing);
  Intermixing1Click();
  ASSERT_EQ(HistoryLength, 2);
  Backmixing1Click();
  EXPECT_TRUE(Backmixing);
  EXPECT_TRUE(HeadlessChecked(MenuItem::Backmixing1));
  EXPECT_FALSE(Halted);
  ASSERT_TRUE(TickUntil([] { return Halted && !TurnInProgress; }));
  EXPECT_EQ(HistoryLength, 0);
  EXPECT_FALSE(Backmixing);
  EXPECT_FALSE(HeadlessChecked(MenuItem::Backmixing1));
  EXPECT_TRUE(StickersSolved());
}

TEST_F(MenuTest, IntermixingDuringBackmixingSwitchesToRandomTurns) {
  UserTurn(1, 1);
  UserTurn(2, 1);
  Backmixing1Click();
  Timer1Timer();
  ASSERT_TRUE(Backmixing);
  Intermixing1Click();
  EXPECT_FALSE(Backmixing);
  EXPECT_FALSE(HeadlessChecked(MenuItem::Backmixing1));
  EXPECT_TRUE(HeadlessChecked(MenuItem::Intermixing1));
  EXPECT_FALSE(Halted);
  const int before = HistoryLength;
  ASSERT_TRUE(TickUntil([&] { return HistoryLength == before + 1; }, 200));
  EXPECT_NE(LastRandomLayer, 0);
}

TEST_F(MenuTest, NewWhileATurnAnimatesOnlyTogglesTheItems) {
  UserTurn(4, 1);
  CurrentLayer = 6;
  TurnDirection = 1;
  SingleStep = true;
  Halted = false;
  Timer1Timer();
  ASSERT_TRUE(TurnInProgress);
  uint8_t stickers[StickerCount];
  std::memcpy(stickers, Stickers, sizeof stickers);
  const int history = HistoryLength;
  File1Click();

  New1Click();
  EXPECT_EQ(std::memcmp(stickers, Stickers, sizeof stickers), 0);
  EXPECT_EQ(HistoryLength, history);
  EXPECT_EQ(Headless.ProcessEventsCalls, 0);
  EXPECT_TRUE(Headless.TimerRunning);
  EXPECT_TRUE(SysMenuEnabled(MenuItem::Intermixing1));
  EXPECT_TRUE(SysMenuEnabled(MenuItem::Backmixing1));
}

TEST_F(MenuTest, NewBetweenRandomTurnsRebuildsAndTheTurnsGoOn) {
  Intermixing1Click();
  // Between two turns: the tick that ended one has run, the next has not.
  ASSERT_TRUE(TickUntil([] { return HistoryLength >= 3 && !TurnInProgress; }));
  ASSERT_FALSE(StickersSolved());

  New1Click();
  EXPECT_TRUE(StickersSolved());
  EXPECT_EQ(HistoryLength, 0);
  EXPECT_TRUE(History.empty());
  EXPECT_DOUBLE_EQ(StickerInset, 0.1);
  EXPECT_NEAR(StickerLift, 0.005, 1e-12);
  EXPECT_TRUE(HeadlessChecked(MenuItem::Intermixing1));
  EXPECT_FALSE(Halted);

  Timer1Timer();
  EXPECT_TRUE(TurnInProgress);
  EXPECT_EQ(HistoryLength, 1);
}

TEST_F(MenuTest, NewAssemblesInThirtyOneFramesWithTheMixingCommandsLocked) {
  UserTurn(2, -1);
  struct Frame {
    double Inset, Lift;
    bool IntermixingEnabled, BackmixingEnabled, Solved;
  };
  std::vector<Frame> frames;
  Headless.OnProcessEvents = [&] {
    frames.push_back({StickerInset, StickerLift, SysMenuEnabled(MenuItem::Intermixing1),
                      SysMenuEnabled(MenuItem::Backmixing1), StickersSolved()});
    // Commands that arrive meanwhile: the two mixing commands do nothing at all.
    const int starts = Headless.TimerStarts;
    Intermixing1Click();
    Backmixing1Click();
    EXPECT_FALSE(HeadlessChecked(MenuItem::Intermixing1));
    EXPECT_FALSE(Backmixing);
    EXPECT_TRUE(Halted);
    EXPECT_EQ(Headless.TimerStarts, starts);
  };
  const int redraws = Headless.Redraws;
  New1Click();
  Headless.OnProcessEvents = nullptr;

  ASSERT_EQ(frames.size(), 31u);
  EXPECT_EQ(Headless.Redraws, redraws + 31);
  EXPECT_DOUBLE_EQ(frames.front().Inset, 1.0);
  EXPECT_DOUBLE_EQ(frames.front().Lift, 5.0);
  EXPECT_DOUBLE_EQ(frames[15].Inset, 1 - 0.9 * 15 / 30);
  EXPECT_DOUBLE_EQ(frames[15].Lift, 5 - 4.995 * 15 / 30);
  EXPECT_DOUBLE_EQ(frames.back().Inset, 0.1);
  EXPECT_NEAR(frames.back().Lift, 0.005, 1e-12);
  for (const Frame& f : frames) {
    EXPECT_FALSE(f.IntermixingEnabled);
    EXPECT_FALSE(f.BackmixingEnabled);
    EXPECT_TRUE(f.Solved);
  }
  // The drawn stickers lie on the faces again: a sticker centre is 2.05 + 1 + 0.005 out.
  const StickerQuad& top = CubeGeometry[1 + 9 * 1 + 3 * 2 + 1].Stickers[3];
  double y = 0;
  for (int i = 1; i <= 4; ++i) y += top.Corners[i].y;
  EXPECT_NEAR(y / 4, 3.055, 1e-5);
  EXPECT_TRUE(SysMenuEnabled(MenuItem::Intermixing1));
  EXPECT_TRUE(SysMenuEnabled(MenuItem::Backmixing1));
  EXPECT_EQ(HistoryLength, 0);

  // Enabled again, the commands work.
  Intermixing1Click();
  EXPECT_TRUE(HeadlessChecked(MenuItem::Intermixing1));
}

TEST_F(MenuTest, TicksAmongNewsFramesLeaveCubeAndDrawingInStep) {
  // In the window the frames take long enough for ticks to run between them; under
  // Intermixing each of those ticks may start a turn.
  Intermixing1Click();
  ASSERT_TRUE(TickUntil([] { return HistoryLength >= 2 && !TurnInProgress; }));
  int ticks = 0;
  Headless.OnProcessEvents = [&] {
    Timer1Timer();
    ++ticks;
  };
  New1Click();
  Headless.OnProcessEvents = nullptr;
  EXPECT_EQ(ticks, 31);
  // The turn the last frame's tick started plays on the new cube and is recorded.
  EXPECT_TRUE(TurnInProgress);
  EXPECT_EQ(HistoryLength, 1);

  Intermixing1Click();
  ASSERT_TRUE(TickUntil([] { return !TurnInProgress; }));
  EXPECT_TRUE(apptest::GeometryShowsStickers());
  Backmixing1Click();
  ASSERT_TRUE(TickUntil([] { return Halted && !TurnInProgress; }));
  EXPECT_TRUE(StickersSolved());
  EXPECT_TRUE(apptest::GeometryShowsStickers());

  // A key's single turn started among the frames is dropped with the old cube and
  // leaves the timer halted.
  Headless.OnProcessEvents = [&] {
    if (Headless.ProcessEventsCalls == 40) {
      CurrentLayer = 2;
      SingleStep = true;
      Halted = false;
    }
    Timer1Timer();
  };
  New1Click();
  Headless.OnProcessEvents = nullptr;
  EXPECT_FALSE(TurnInProgress);
  EXPECT_FALSE(SingleStep);
  EXPECT_TRUE(Halted);
  EXPECT_TRUE(StickersSolved());
  EXPECT_EQ(HistoryLength, 0);
  EXPECT_TRUE(apptest::GeometryShowsStickers());
}

TEST_F(MenuTest, AColourFollowsItsStickersWhereverTheyAre) {
  Scramble(12);
  const float old[3] = {static_cast<float>(FaceColors[3][0]), static_cast<float>(FaceColors[3][1]),
                        static_cast<float>(FaceColors[3][2])};
  // The quads that show colour 3 now, after the turns carried them about.
  std::vector<const StickerQuad*> three, others;
  std::vector<std::array<float, 3>> otherColours;
  for (int c = 1; c <= 27; ++c)
    for (int f = 1; f <= 6; ++f) {
      const StickerQuad& q = CubeGeometry[c].Stickers[f];
      if (!q.Present) continue;
      if (std::memcmp(q.Colour, old, sizeof old) == 0) {
        three.push_back(&q);
      } else {
        others.push_back(&q);
        otherColours.push_back({q.Colour[0], q.Colour[1], q.Colour[2]});
      }
    }
  ASSERT_EQ(three.size(), 9u);

  const SysColor chosen = 0x112233;   // red 0x33, green 0x22, blue 0x11
  Headless.ColorAnswers.push_back(chosen);
  N32Click();
  ASSERT_EQ(Headless.ColorDialogStarts.size(), 1u);
  EXPECT_EQ(Headless.ColorDialogStarts[0], SysColor{178u << 16});   // (0, 0, 0.7) as the dialog takes it
  EXPECT_DOUBLE_EQ(FaceColors[3][0], 0x33 / 255.0);
  EXPECT_DOUBLE_EQ(FaceColors[3][1], 0x22 / 255.0);
  EXPECT_DOUBLE_EQ(FaceColors[3][2], 0x11 / 255.0);
  for (const StickerQuad* q : three) {
    EXPECT_FLOAT_EQ(q->Colour[0], 0x33 / 255.0f);
    EXPECT_FLOAT_EQ(q->Colour[1], 0x22 / 255.0f);
    EXPECT_FLOAT_EQ(q->Colour[2], 0x11 / 255.0f);
  }
  for (size_t i = 0; i < others.size(); ++i)
    for (int ch = 0; ch < 3; ++ch) EXPECT_EQ(others[i]->Colour[ch], otherColours[i][ch]);
  // Swatches are lightened by one: 1 + round(254 × channel).
  EXPECT_EQ(Headless.Swatches[3], SysColor{52u | 35u << 8 | 18u << 16});
  EXPECT_EQ(Headless.Swatches[1], SysColor{0x0101FF});   // red (1, 0, 0) untouched

  // Cancelled: the table stays; the swatches are painted again all the same.
  const int paints = Headless.SwatchPaints;
  N12Click();
  EXPECT_EQ(Headless.ColorDialogStarts.back(), SysColor{0x0000FF});
  EXPECT_DOUBLE_EQ(FaceColors[1][0], 1.0);
  EXPECT_DOUBLE_EQ(FaceColors[1][1], 0.0);
  EXPECT_EQ(Headless.SwatchPaints, paints + 6);
}

TEST_F(MenuTest, BuildToStepOneStopsAfterTheCross) {
  Scramble(30);
  ASSERT_FALSE(StickersSolved());
  N11Click();
  Fast1Click();
  Build1Click();
  ASSERT_TRUE(TickUntil([] { return !Building && !TurnInProgress; }));
  EXPECT_EQ(SolverStep, 14);
  EXPECT_TRUE(Halted);
  EXPECT_FALSE(HeadlessChecked(MenuItem::Build1));
  // The cross of face 1: each edge in place with its side colour.
  const int side[] = {0, 0, 4, 0, 6, 0, 5, 0, 3};   // position on face 1 → side face
  for (int p = 2; p <= 8; p += 2) {
    EXPECT_EQ(StickerAtPos(1, p), 1) << p;
    EXPECT_EQ(StickerAtPos(side[p], 2), side[p]) << p;
  }
  // Not a sub-step further: with this scramble the corners are not all home yet.
  bool cornersHome = true;
  for (int p : {1, 3, 7, 9}) cornersHome &= StickerAtPos(1, p) == 1;
  EXPECT_FALSE(cornersHome);

  // Build to the end from here solves the cube.
  N71Click();
  Build1Click();
  ASSERT_TRUE(TickUntil([] { return !Building && !TurnInProgress; }));
  EXPECT_TRUE(StickersSolved());
  EXPECT_EQ(SolverStep, 73);
}

TEST_F(MenuTest, BuildOnASolvedCubeEndsWithinTheClick) {
  Build1Click();
  EXPECT_FALSE(Building);
  EXPECT_TRUE(Halted);
  EXPECT_FALSE(HeadlessChecked(MenuItem::Build1));
  EXPECT_EQ(MoveCount, 0);
}

}  // namespace
