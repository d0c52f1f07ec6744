// A real cube entered and built: an impossible one is refused with the reason, a cube
// held another way is solved to its own centres, Build off stops the turns, the colour
// dialog redraws, Ctrl+Z takes back one turn.

#include <cstring>
#include <vector>

#include "app/fixwords.h"
#include "app_fixture.h"
#include "cube/diagnose.h"
#include "cube/turns.h"

using namespace apptest;

namespace {

class RealCubeTest : public AppTest {};

std::vector<uint8_t> CurrentStickers() { return std::vector<uint8_t>(Stickers, Stickers + StickerCount); }

// The edge between faces 1 and 3, turned over in place.
void FlipEdge13() {
  const StickerRef a = FindEdge(1, 3);
  const StickerRef b = FindEdge(3, 1);
  std::swap(StickerAt(a.Face, a.Row, a.Col), StickerAt(b.Face, b.Row, b.Col));
}

bool EveryFaceIsItsCentre() {
  for (int f = 1; f <= 6; ++f)
    for (int p = 1; p <= 9; ++p)
      if (StickerAtPos(f, p) != StickerAtPos(f, 5)) return false;
  return true;
}

TEST_F(RealCubeTest, BuildOnAnImpossibleCubeSaysWhyAndTurnsNothing) {
  Scramble(20);
  FlipEdge13();
  RecolorFromStickers();
  const std::vector<uint8_t> before = CurrentStickers();
  const int history = HistoryLength;
  Build1Click();
  ASSERT_EQ(Headless.Messages.size(), 1u);
  EXPECT_EQ(Headless.Messages[0].Caption, "Tornelo");
  EXPECT_NE(Headless.Messages[0].Text.find("flipped"), std::string::npos) << Headless.Messages[0].Text;
  EXPECT_FALSE(SysMenuChecked(MenuItem::Build1));
  EXPECT_FALSE(Building);
  Ticks(50);
  EXPECT_EQ(CurrentStickers(), before);
  EXPECT_EQ(HistoryLength, history);
  EXPECT_FALSE(TurnInProgress);

  // The flipped edge is one of twelve that mending would do: two stickers are marked.
  const auto marked = [] {
    int n = 0;
    for (bool m : MarkedStickers) n += m;
    return n;
  };
  EXPECT_NE(Headless.Messages[0].Text.find("One of several fixes as small: exchange the colours of face "),
            std::string::npos);
  EXPECT_EQ(marked(), 2);
  FlipEdge13();

  // A wrong sticker: its fix is told with the colours' names, and only that sticker is
  // marked on the face maps, until the next edit.
  const uint8_t was = StickerAtPos(4, 1);
  const uint8_t now = static_cast<uint8_t>(was % 6 + 1);
  StickerAtPos(4, 1) = now;
  Build1Click();
  ASSERT_EQ(Headless.Messages.size(), 2u);
  const char* const Names[7] = {"", "red", "green", "blue", "white", "magenta", "yellow"};
  const std::string fix = "Likely fix: face B row 1 column 1 is colour " + std::to_string(now) + " (" + Names[now] +
                          "); make it colour " + std::to_string(was) + " (" + Names[was] + ").";
  EXPECT_NE(Headless.Messages[1].Text.find(fix), std::string::npos) << Headless.Messages[1].Text;
  EXPECT_EQ(marked(), 1);
  EXPECT_TRUE(MarkedStickers[9 * 3]);
  EditSticker(+1, 1);
  EXPECT_EQ(marked(), 0);
}

TEST(ColourNames, TheDefaultColoursAndCommonPicks) {
  const char* const Names[7] = {"", "red", "green", "blue", "white", "magenta", "yellow"};
  for (int c = 1; c <= 6; ++c) EXPECT_STREQ(NearestColourName(DefaultFaceColors[c]), Names[c]);
  EXPECT_STREQ(NearestColourName({1.0, 0.55, 0.0}), "orange");
  EXPECT_STREQ(NearestColourName({0.0, 0.6, 0.3}), "green");
}

TEST_F(RealCubeTest, ACubeHeldAnotherWayIsSolvedToItsOwnCentres) {
  // The solved cube turned a quarter about X: the colours of faces 3, 5, 4, 6 move on.
  constexpr uint8_t Rotated[7] = {0, 1, 2, 5, 6, 4, 3};
  for (uint8_t& s : Stickers) s = Rotated[s];
  for (int i = 0, layer = 1; i < 25; ++i, layer = layer % 6 + 1) QuarterTurn(layer, i % 3 == 0 ? -1 : 1);
  RecolorFromStickers();
  ASSERT_TRUE(DiagnoseCube().empty());
  ASSERT_FALSE(EveryFaceIsItsCentre());
  Fast1Click();
  Build1Click();
  ASSERT_TRUE(TickUntil([] { return !Building && !TurnInProgress; }, 100000));
  EXPECT_TRUE(Headless.Messages.empty());
  EXPECT_TRUE(EveryFaceIsItsCentre());
  for (int f = 1; f <= 6; ++f) EXPECT_EQ(StickerAtPos(f, 5), Rotated[f]);
  EXPECT_TRUE(GeometryShowsStickers());
}

TEST_F(RealCubeTest, BuildOffStopsAfterTheTurnInProgress) {
  Scramble(30);
  Slow1Click();
  Build1Click();
  ASSERT_TRUE(TickUntil([] { return HistoryLength >= 33; }));
  ASSERT_TRUE(TurnInProgress);
  Build1Click();
  EXPECT_FALSE(SysMenuChecked(MenuItem::Build1));
  ASSERT_TRUE(TickUntil([] { return !TurnInProgress; }));
  const int history = HistoryLength;
  const std::vector<uint8_t> stopped = CurrentStickers();
  Ticks(200);
  EXPECT_EQ(HistoryLength, history);
  EXPECT_EQ(CurrentStickers(), stopped);
  EXPECT_TRUE(Halted);
  EXPECT_TRUE(GeometryShowsStickers());
}

// Enter, then Build on a solved cube before the next tick: the build ends at once and
// the Enter turn never starts; a later Backmixing must still run to its end.
TEST_F(RealCubeTest, ABuildThatEndsAtOnceLeavesNoEnterTurnPending) {
  Fast1Click();
  for (int i = 0; i < 4; ++i) {   // four quarter turns of one layer: solved again
    PlaySingleTurn(1, 1);
    ASSERT_TRUE(TickUntil([] { return Halted && !TurnInProgress; }));
  }
  ASSERT_TRUE(StickersSolved());
  ASSERT_EQ(HistoryLength, 4);
  FormKeyDown(VK_RETURN);
  Build1Click();
  EXPECT_FALSE(Building);
  Ticks(5);
  EXPECT_EQ(HistoryLength, 4);
  Backmixing1Click();
  ASSERT_TRUE(TickUntil([] { return HistoryLength == 0 && !TurnInProgress; }, 2000));
  EXPECT_FALSE(SysMenuChecked(MenuItem::Backmixing1));
  EXPECT_TRUE(StickersSolved());
}

// Enter during a build, asked for while P holds the timer, then Build off: the Enter
// turn goes with the build, and Intermixing chosen afterwards runs on.
TEST_F(RealCubeTest, BuildOffDropsTheEnterTurnAskedForDuringIt) {
  Scramble(20);
  Build1Click();
  ASSERT_TRUE(TickUntil([] { return HistoryLength >= 23 && !TurnInProgress; }));
  ASSERT_TRUE(Building);
  FormKeyDown(VK_P);
  FormKeyDown(VK_RETURN);
  Build1Click();
  FormKeyDown(VK_P);
  EXPECT_FALSE(SingleStep);
  Intermixing1Click();
  const int history = HistoryLength;
  ASSERT_TRUE(TickUntil([&] { return HistoryLength >= history + 3; }, 2000));
  EXPECT_FALSE(Halted);
  Intermixing1Click();
}

// Ctrl+Z while P holds the animation leaves the timer stopped and the caption paused;
// the turn plays once P lets go.
TEST_F(RealCubeTest, UndoWhilePausedWaitsForTheResume) {
  Scramble(2);
  FormKeyDown(VK_P);
  UndoLastTurn();
  EXPECT_EQ(HistoryLength, 1);
  EXPECT_TRUE(TurnInProgress);
  EXPECT_FALSE(SysTimerRunning());
  EXPECT_EQ(SysCaption(), "Tornelo  <=PAUSE=>");
  FormKeyDown(VK_P);
  EXPECT_TRUE(SysTimerRunning());
  ASSERT_TRUE(TickUntil([] { return !TurnInProgress; }));
  EXPECT_TRUE(Halted);
  EXPECT_TRUE(GeometryShowsStickers());
}

TEST_F(RealCubeTest, ChoosingAColourRedrawsOnce) {
  File1Click();   // opening the menu holds the timer
  Headless.ColorAnswers.push_back(SysColor{0x00FF8000});
  const int redraws = Headless.Redraws;
  N32Click();
  EXPECT_EQ(Headless.Redraws, redraws + 1);
}

TEST_F(RealCubeTest, UndoTakesBackTheLastTurnOnlyAtRest) {
  Scramble(3);
  const std::vector<uint8_t> scrambled = CurrentStickers();
  const HistoryEntry last = History[2];
  UndoLastTurn();
  ASSERT_TRUE(TurnInProgress);
  EXPECT_EQ(CurrentLayer, last.Layer);
  EXPECT_EQ(HistoryLength, 2);
  UndoLastTurn();   // while a turn is in progress: nothing
  EXPECT_EQ(HistoryLength, 2);
  ASSERT_TRUE(TickUntil([] { return !TurnInProgress; }));
  EXPECT_TRUE(Halted);
  EXPECT_TRUE(GeometryShowsStickers());
  // Turning the layer back by the same turn gives the scrambled cube again.
  const int quarters = last.Angle > 0 ? -1 : 1;
  for (int i = 0; i < (std::fabs(last.Angle) > 3 ? 2 : 1); ++i) QuarterTurn(last.Layer, quarters);
  EXPECT_EQ(CurrentStickers(), scrambled);
  for (int i = 0; i < (std::fabs(last.Angle) > 3 ? 2 : 1); ++i) QuarterTurn(last.Layer, -quarters);

  // Intermixing runs: Ctrl+Z does nothing.
  Intermixing1Click();
  const int running = HistoryLength;
  UndoLastTurn();
  EXPECT_GE(HistoryLength, running);
  Intermixing1Click();
}

}  // namespace
