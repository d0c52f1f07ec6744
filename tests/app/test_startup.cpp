// Start-up and shut-down, the history list and the random generator.

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <set>
#include <string>

#include "app_fixture.h"
#include "render/frame.h"

using namespace apptest;

TEST_F(AppTest, StartsStoppedWithTheSolvedCubeAndTheOpeningView) {
  EXPECT_FALSE(RenderContextReady);   // no context here: FormCreate reported false
  EXPECT_TRUE(Halted);
  EXPECT_FALSE(TurnInProgress);
  EXPECT_TRUE(StickersSolved());
  EXPECT_TRUE(GeometryShowsStickers());
  EXPECT_EQ(CurrentLayer, 1);
  EXPECT_EQ(TurnDirection, 1);
  EXPECT_EQ(SpeedDivisor, 40);
  EXPECT_EQ(TargetStep, 73);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(SpinAngles[i], 45);
    EXPECT_EQ(SpinRates[i], 0);
  }
  EXPECT_NEAR(ViewUp.y, 1.0, 1e-7);
  EXPECT_NEAR(ViewRight.x, std::cos(95 * M_PI / 180), 1e-6);
  EXPECT_NEAR(ViewRight.y, 0.0, 1e-6);
  EXPECT_NEAR(ViewRight.z, -std::sin(95 * M_PI / 180), 1e-6);
  EXPECT_EQ(Neighbours[1][1].Count, 2);   // the tables are there
  EXPECT_TRUE(SysTimerRunning());
  for (int k = 1; k <= 6; ++k)
    for (int ch = 0; ch < 3; ++ch) EXPECT_EQ(FaceColors[k][ch], DefaultFaceColors[k][ch]);
  EXPECT_EQ(Headless.Swatches[3], FaceColorRGB(3, 1));

  // Nothing turns by itself.
  Ticks(100);
  EXPECT_EQ(HistoryLength, 0);
  EXPECT_TRUE(StickersSolved());
  EXPECT_EQ(Headless.Redraws, 100);
  EXPECT_EQ(Headless.Caption, "Tornelo");
}

// Start-up makes no folder: the user's saves folder is looked up (and made) when a file
// dialog first runs.
TEST(FileDialogs, GetTheirFolderWhenOneFirstRuns) {
  char pattern[] = "/tmp/tornelo-dialogs-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string data = pattern;
  const char* saved = std::getenv("XDG_DATA_HOME");
  const std::string before = saved ? saved : "";
  setenv("XDG_DATA_HOME", data.c_str(), 1);
  const std::string saves = data + "/tornelo/Saves";

  HeadlessReset();
  FormCreate();
  EXPECT_EQ(Headless.DialogDirectory, "");
  EXPECT_NE(access((data + "/tornelo").c_str(), F_OK), 0);
  Open1Click();   // cancelled
  EXPECT_EQ(Headless.DialogDirectory, saves);
  EXPECT_EQ(Headless.DialogFilter, "*.tnl");
  EXPECT_EQ(access(saves.c_str(), F_OK), 0);
  FormDestroy();

  if (saved) setenv("XDG_DATA_HOME", before.c_str(), 1); else unsetenv("XDG_DATA_HOME");
  rmdir(saves.c_str());
  rmdir((data + "/tornelo").c_str());
  rmdir(data.c_str());
}

TEST_F(AppTest, AWindowCreatedAgainStartsLikeTheFirst) {
  Tracing = Spinning = true;
  SpinRates[1] = 2;
  TracingCountdown = 40;
  SpeedDivisor = 2;
  Halted = false;
  Ticks(25);
  N11Click();
  FaceColors[2][0] = 0.5;
  Paused = true;
  FormDestroy();
  EXPECT_FALSE(SysTimerRunning());
  EXPECT_EQ(HistoryLength, 0);
  EXPECT_TRUE(History.empty());
  EXPECT_EQ(MoveCount, 0);

  HeadlessReset();
  FormCreate();
  EXPECT_FALSE(Tracing);
  EXPECT_FALSE(Spinning);
  EXPECT_FALSE(Paused);
  EXPECT_TRUE(Halted);
  EXPECT_EQ(SpinRates[1], 0);
  EXPECT_EQ(SpeedDivisor, 40);
  EXPECT_EQ(TargetStep, 73);
  EXPECT_EQ(SolverStep, 10);
  EXPECT_EQ(LastRandomLayer, 0);
  EXPECT_EQ(HistoryLength, 0);
  EXPECT_EQ(FaceColors[2][0], 0.0);
  EXPECT_TRUE(StickersSolved());
  EXPECT_TRUE(GeometryShowsStickers());
}

TEST(History, TakenEntriesAreDroppedByTheNextAppend) {
  ClearHistory();
  AppendHistory(1, 1.5);
  AppendHistory(2, -1.5);
  AppendHistory(3, 3.0);
  --HistoryLength;   // Backmixing takes the last entry
  --HistoryLength;
  EXPECT_EQ(History.size(), 3u);
  AppendHistory(6, -3.0);
  ASSERT_EQ(History.size(), 2u);
  EXPECT_EQ(HistoryLength, 2);
  EXPECT_EQ(History[1].Layer, 6);
  EXPECT_EQ(History[1].Angle, -3.0);
  EXPECT_EQ(History[0].Layer, 1);
  ClearHistory();
  EXPECT_EQ(HistoryLength, 0);
  EXPECT_TRUE(History.empty());
}

TEST(Random, ASeedGivesTheSameSequence) {
  SeedRandom(99);
  std::vector<int> a;
  for (int i = 0; i < 50; ++i) a.push_back(RandomBelow(1000));
  SeedRandom(99);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(RandomBelow(1000), a[i]);
  SeedRandom(100);
  int same = 0;
  for (int i = 0; i < 50; ++i) same += RandomBelow(1000) == a[i];
  EXPECT_LT(same, 5);
}

TEST(Random, IntegersAndFloatsAreUniformInTheirRanges) {
  SeedRandom(7);
  int counts[6] = {};
  for (int i = 0; i < 60000; ++i) {
    int v = RandomBelow(6);
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 6);
    ++counts[v];
  }
  for (int c : counts) EXPECT_NEAR(c, 10000, 400);
  double sum = 0;
  int low = 0;
  for (int i = 0; i < 60000; ++i) {
    double f = RandomFloat();
    ASSERT_GE(f, 0.0);
    ASSERT_LT(f, 1.0);
    sum += f;
    low += f < 0.25;
  }
  EXPECT_NEAR(sum / 60000, 0.5, 0.01);
  EXPECT_NEAR(low, 15000, 400);
  EXPECT_EQ(RandomBelow(1), 0);
}
