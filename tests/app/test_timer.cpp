// The frame timer: how long turns last, where each turn comes from, how the run modes
// end, the caption, the view's wander and spin, and the build hand-over.

#include <cmath>
#include <set>
#include <vector>

#include "app_fixture.h"
#include "cube/turns.h"

using namespace apptest;

namespace {

const float QuarterAngle = static_cast<float>(M_PI / 2);
const float HalfAngle = static_cast<float>(M_PI);

// Queues moves for a build that ends with its last one.
void QueueFinalMoves(std::initializer_list<std::pair<int, int>> moves) {
  ClearMoves();
  for (auto [layer, q] : moves) AddMove(layer, q);
  RewindMoves();
  StopPlanning();
  Building = true;
  SysSetMenuChecked(MenuItem::Build1, true);
  Halted = false;
}

}  // namespace

// A quarter turn lasts SpeedDivisor/2 ticks and a half turn SpeedDivisor ticks, at every
// speed the menu offers and from every source, and the layer stops on the grid rather
// than a step beyond it.
class TurnLengthTest : public AppTest, public ::testing::WithParamInterface<int> {};

TEST_P(TurnLengthTest, QuarterAndHalfTurnsTakeTheirTicks) {
  const int speed = GetParam();
  SpeedDivisor = speed;

  // A single step: a quarter turn.
  CurrentLayer = 3;
  TurnDirection = -1;
  SingleStep = true;
  Halted = false;
  EXPECT_EQ(TicksUntilStopped(500), speed / 2);
  EXPECT_LT(CentreDrift(), 1e-4);
  EXPECT_TRUE(GeometryShowsStickers());

  // A queued half turn.
  QueueFinalMoves({{5, -2}});
  EXPECT_EQ(TicksUntilStopped(500), speed);
  EXPECT_LT(CentreDrift(), 1e-4);
  EXPECT_TRUE(GeometryShowsStickers());

  // Both undone from the history: the half turn first, then the quarter.
  ASSERT_EQ(HistoryLength, 2);
  Backmixing = true;
  Halted = false;
  EXPECT_EQ(TicksUntilTurnEnds(500), speed);
  EXPECT_EQ(TicksUntilStopped(500), speed / 2);
  EXPECT_TRUE(StickersSolved());
  EXPECT_LT(CentreDrift(), 1e-4);
  EXPECT_TRUE(GeometryShowsStickers());
}

INSTANTIATE_TEST_SUITE_P(Speeds, TurnLengthTest, ::testing::Values(2, 20, 40, 100));

TEST_F(AppTest, TheSourceOfATurnGoesByPriority) {
  SpeedDivisor = 2;
  AppendHistory(4, -QuarterAngle);
  AppendHistory(1, QuarterAngle);
  ClearMoves();
  AddMove(2, -1);
  AddMove(5, 1);
  RewindMoves();
  StartSolving();
  Building = true;
  Backmixing = true;
  SingleStep = true;
  Halted = false;
  CurrentLayer = 6;

  // Backmixing first: the last entry is taken off; the single step ends with it.
  Timer1Timer();
  EXPECT_EQ(CurrentLayer, 1);
  EXPECT_EQ(TurnDirection, 1);
  EXPECT_EQ(HistoryLength, 1);
  EXPECT_EQ(MovePos, 0);
  EXPECT_FALSE(SingleStep);
  EXPECT_TRUE(Halted);

  // Then the queue, recorded in the history with its inverse angle.
  Backmixing = false;
  SingleStep = true;
  Halted = false;
  Timer1Timer();
  EXPECT_EQ(CurrentLayer, 2);
  EXPECT_EQ(TurnDirection, -1);
  EXPECT_EQ(MovePos, 1);
  ASSERT_EQ(HistoryLength, 2);
  EXPECT_EQ(History[1].Layer, 2);
  EXPECT_EQ(History[1].Angle, static_cast<double>(QuarterAngle));

  // Then the single step: a quarter turn of the selected layer.
  Building = false;
  SingleStep = true;
  Halted = false;
  CurrentLayer = 6;
  TurnDirection = 1;
  Timer1Timer();
  EXPECT_EQ(CurrentLayer, 6);
  ASSERT_EQ(HistoryLength, 3);
  EXPECT_EQ(History[2].Layer, 6);
  EXPECT_EQ(History[2].Angle, -static_cast<double>(QuarterAngle));
  EXPECT_TRUE(Halted);

  // With no mode flag, a random turn.
  Halted = false;
  Timer1Timer();
  ASSERT_EQ(HistoryLength, 4);
  EXPECT_EQ(History[3].Layer, CurrentLayer);
  EXPECT_EQ(LastRandomLayer, CurrentLayer);
  EXPECT_FALSE(Halted);
}

TEST_F(AppTest, RandomTurnsNeverTurnTheSameLayerTwiceInARow) {
  SpeedDivisor = 2;
  Halted = false;
  while (HistoryLength < 3000) Timer1Timer();
  Halted = true;
  ASSERT_GT(TicksUntilStopped(5), 0);

  int layers[7] = {};
  std::set<double> angles;
  for (int i = 0; i < HistoryLength; ++i) {
    const HistoryEntry& e = History[i];
    ASSERT_GE(e.Layer, 1);
    ASSERT_LE(e.Layer, 6);
    if (i > 0) {
      ASSERT_NE(e.Layer, History[i - 1].Layer) << "turn " << i;
    }
    ++layers[e.Layer];
    angles.insert(e.Angle);
  }
  for (int l = 1; l <= 6; ++l) EXPECT_GT(layers[l], 400) << "layer " << l;
  const std::set<double> expected = {-double(HalfAngle), -double(QuarterAngle), double(QuarterAngle),
                                     double(HalfAngle)};
  EXPECT_EQ(angles, expected);
  EXPECT_TRUE(GeometryShowsStickers());
}

TEST_F(AppTest, BackmixingUndoesEveryTurnAndStops) {
  Scramble(37);
  EXPECT_FALSE(StickersSolved());
  SpeedDivisor = 20;
  Backmixing = true;
  SysSetMenuChecked(MenuItem::Backmixing1, true);
  Halted = false;
  EXPECT_GT(TicksUntilStopped(37 * 20 + 5), 0);
  EXPECT_TRUE(StickersSolved());
  EXPECT_EQ(HistoryLength, 0);
  EXPECT_FALSE(Backmixing);
  EXPECT_FALSE(SysMenuChecked(MenuItem::Backmixing1));
  EXPECT_TRUE(GeometryShowsStickers());
  // Nothing more turns.
  Ticks(50);
  EXPECT_TRUE(Halted);
  EXPECT_FALSE(TurnInProgress);
}

TEST_F(AppTest, BackmixingThatFindsTheHistoryEmptiedEndsWithoutATurn) {
  Scramble(3);
  SpeedDivisor = 20;
  Backmixing = true;
  SysSetMenuChecked(MenuItem::Backmixing1, true);
  Halted = false;
  ASSERT_GT(TicksUntilTurnEnds(100), 0);
  ASSERT_EQ(HistoryLength, 2);
  // New or Open ran between two turns.
  BuildCubeGeometry();
  ClearHistory();
  const int redraws = Headless.Redraws;
  Timer1Timer();
  EXPECT_FALSE(TurnInProgress);
  EXPECT_TRUE(Halted);
  EXPECT_FALSE(Backmixing);
  EXPECT_FALSE(SysMenuChecked(MenuItem::Backmixing1));
  EXPECT_TRUE(StickersSolved());
  EXPECT_EQ(Headless.Redraws, redraws + 1);
  EXPECT_TRUE(GeometryShowsStickers());
}

TEST_F(AppTest, EnterBetweenTwoTurnsOfAModePlaysOneTurnOfThatModeAndStops) {
  // Backmixing.
  Scramble(6);
  SpeedDivisor = 20;
  Backmixing = true;
  Halted = false;
  TicksUntilTurnEnds(100);
  ASSERT_EQ(HistoryLength, 5);
  FormKeyDown(VK_RETURN);
  EXPECT_GT(TicksUntilStopped(100), 0);
  EXPECT_EQ(HistoryLength, 4);
  EXPECT_TRUE(Backmixing);
  FormKeyDown(VK_SPACE);
  EXPECT_GT(TicksUntilStopped(100), 0);
  EXPECT_EQ(HistoryLength, 3);

  // Building.
  Backmixing = false;
  QueueFinalMoves({{1, 1}, {3, -1}, {5, 2}, {2, -1}});
  TicksUntilTurnEnds(100);
  ASSERT_EQ(MovePos, 1);
  FormKeyDown(VK_RETURN);
  EXPECT_GT(TicksUntilStopped(100), 0);
  EXPECT_EQ(MovePos, 2);
  EXPECT_TRUE(Building);
  EXPECT_EQ(History[HistoryLength - 1].Layer, 3);

  // Intermixing: a quarter turn of the layer and direction of the last random turn.
  Building = false;
  Halted = false;
  TicksUntilTurnEnds(100);
  const int layer = CurrentLayer, direction = TurnDirection, before = HistoryLength;
  FormKeyDown(VK_RETURN);
  EXPECT_EQ(TicksUntilStopped(100), 20);
  EXPECT_EQ(HistoryLength, before + 1);
  EXPECT_EQ(History[HistoryLength - 1].Layer, layer);
  EXPECT_EQ(History[HistoryLength - 1].Angle, -direction * double(QuarterAngle));
  EXPECT_TRUE(GeometryShowsStickers());
}

TEST_F(AppTest, EnterWhileATurnRunsOnlyShowsTheArrows) {
  SpeedDivisor = 100;
  SysSetMenuChecked(MenuItem::Fast1, true);
  Halted = false;
  Ticks(3);
  ASSERT_TRUE(TurnInProgress);
  const float step = TurnStep;
  const int redraws = Headless.Redraws;
  FormKeyDown(VK_RETURN);
  EXPECT_FALSE(SingleStep);
  EXPECT_FALSE(Halted);
  EXPECT_EQ(TurnStep, step);
  EXPECT_TRUE(ShowArrows);
  EXPECT_EQ(SpeedDivisor, 40);
  EXPECT_TRUE(SysMenuChecked(MenuItem::Arrows1));
  EXPECT_TRUE(SysMenuChecked(MenuItem::Slow1));
  EXPECT_FALSE(SysMenuChecked(MenuItem::Fast1));
  EXPECT_EQ(Headless.Redraws, redraws + 1);
  // The turn keeps its speed; the next one takes the new one.
  const bool half = std::fabs(History[0].Angle) > 3;
  EXPECT_EQ(TicksUntilTurnEnds(200) + 3, half ? 100 : 50);
  Timer1Timer();
  EXPECT_EQ(std::fabs(TurnStep), static_cast<float>(M_PI / 40));
}

TEST_F(AppTest, TheCaptionShowsTheCounter) {
  SpeedDivisor = 2;
  FormKeyDown(VK_C);
  Halted = false;
  while (HistoryLength < 17) Timer1Timer();
  EXPECT_EQ(Headless.Caption, "Tornelo. Counter: 17");
  Halted = true;
  TicksUntilStopped(5);
  Backmixing = true;
  SingleStep = true;
  Halted = false;
  TicksUntilStopped(5);
  EXPECT_EQ(Headless.Caption, "Tornelo. Counter: 16");
  FormKeyDown(VK_C);
  EXPECT_EQ(Headless.Caption, "Tornelo. Counter: 16");   // the next tick changes it
  Timer1Timer();
  EXPECT_EQ(Headless.Caption, "Tornelo");
  // A tick with the caption already right leaves it alone.
  const size_t set = Headless.CaptionHistory.size();
  Timer1Timer();
  EXPECT_EQ(Headless.CaptionHistory.size(), set);
}

TEST_F(AppTest, ArrowsCycleEveryTickWhateverRuns) {
  std::vector<float> phases;
  for (int i = 0; i < 30; ++i) {
    Timer1Timer();
    phases.push_back(ArrowPhase);
  }
  EXPECT_EQ(phases[0], 3);
  EXPECT_EQ(phases[22], 69);
  EXPECT_EQ(phases[23], 0);
  EXPECT_EQ(phases[24], 3);
  EXPECT_EQ(Headless.Redraws, 30);
}

TEST_F(AppTest, TracingHoldsEachDirectionForThirtyTicksAndNeverTurnsBack) {
  Tracing = true;
  TracingCountdown = 0;
  std::vector<int> directions;
  for (int tick = 0; tick < 30 * 200; ++tick) {
    const Point3 up = ViewUp, right = ViewRight;
    Timer1Timer();
    directions.push_back(TracingDirection);
    // One 3-degree step: of ViewRight about ViewUp, or of ViewUp about ViewRight.
    const bool turnsRight = TracingDirection < 2;
    const Point3& moved = turnsRight ? ViewRight : ViewUp;
    const Point3& before = turnsRight ? right : up;
    const Point3& still = turnsRight ? ViewUp : ViewRight;
    const Point3& stillBefore = turnsRight ? up : right;
    ASSERT_NEAR(AngleBetween(before, moved), 3.0, 1e-3);
    ASSERT_NEAR(AngleBetween(stillBefore, still), 0.0, 1e-3);
    const double sense = Dot(Cross(before, moved), still);
    ASSERT_EQ(sense > 0, TracingDirection % 2 == 0) << "tick " << tick;
  }
  std::set<int> seen;
  for (size_t t = 0; t < directions.size(); ++t) {
    seen.insert(directions[t]);
    if (t % 30 != 0) {
      ASSERT_EQ(directions[t], directions[t - 1]) << "tick " << t;
    } else if (t > 0) {
      const int sum = directions[t] + directions[t - 1];
      ASSERT_NE(sum, 1) << "tick " << t;
      ASSERT_NE(sum, 5) << "tick " << t;
    }
  }
  EXPECT_EQ(seen.size(), 4u);
  EXPECT_NEAR(VectorLength(ViewUp), 1.0, 1e-4);
  EXPECT_NEAR(Dot(ViewUp, ViewRight), 0.0, 1e-4);
}

TEST_F(AppTest, SpinAnglesStayStrictlyInsideAFullTurn) {
  Spinning = true;
  SpinAngles[0] = 356.5f;
  SpinAngles[1] = -356.5f;
  SpinAngles[2] = 0;
  SpinRates[0] = 3.5f;
  SpinRates[1] = -3.5f;
  SpinRates[2] = 2.75f;
  Timer1Timer();
  EXPECT_EQ(SpinAngles[0], 0);
  EXPECT_EQ(SpinAngles[1], 0);
  EXPECT_EQ(SpinAngles[2], 2.75f);
  for (int tick = 0; tick < 5000; ++tick) {
    const float before[3] = {SpinAngles[0], SpinAngles[1], SpinAngles[2]};
    Timer1Timer();
    for (int i = 0; i < 3; ++i) {
      ASSERT_GT(SpinAngles[i], -360);
      ASSERT_LT(SpinAngles[i], 360);
      const double moved = std::remainder(double(SpinAngles[i]) - before[i] - SpinRates[i], 360.0);
      ASSERT_NEAR(moved, 0, 1e-3);
    }
  }
  // Without Rotation they stand still.
  Spinning = false;
  const float held = SpinAngles[2];
  Ticks(10);
  EXPECT_EQ(SpinAngles[2], held);
}

// Builds: the solver's queue is played turn by turn, and at the start of the last
// queued move the next sub-step is planned within the same tick.
TEST_F(AppTest, ABuildPlansAtTheLastQueuedMoveAndEndsSolved) {
  Scramble(40);
  ASSERT_FALSE(StickersSolved());
  const int scrambled = HistoryLength;
  SpeedDivisor = 2;
  SysSetMenuChecked(MenuItem::Build1, true);
  StartBuilding();
  ASSERT_TRUE(Building);
  ASSERT_GT(MoveCount, 0);
  EXPECT_TRUE(SysTimerRunning());

  int plans = 0;
  for (int tick = 0; tick < 20000 && !(Halted && !TurnInProgress); ++tick) {
    const bool starts = !TurnInProgress && !Halted;
    const bool last = MovePos == MoveCount - 1;
    const bool wantsMore = starts && last && SolverStep != TargetStep;
    const int stops = Headless.TimerStops;
    Timer1Timer();
    ASSERT_EQ(Headless.TimerStops - stops, wantsMore ? 1 : 0) << "tick " << tick;
    if (wantsMore) {
      ++plans;
      EXPECT_EQ(MovePos, 0);
      EXPECT_TRUE(SysTimerRunning());
    }
    if (starts && last && !wantsMore) {
      EXPECT_FALSE(Building);
    }
  }
  EXPECT_TRUE(Halted);
  EXPECT_FALSE(TurnInProgress);
  EXPECT_FALSE(Building);
  EXPECT_FALSE(SysMenuChecked(MenuItem::Build1));
  EXPECT_EQ(SolverStep, 73);
  EXPECT_GT(plans, 3);
  EXPECT_TRUE(StickersSolved());
  EXPECT_GT(HistoryLength, scrambled);
  EXPECT_TRUE(GeometryShowsStickers());
}

TEST_F(AppTest, ABuildToStepOneStopsWithTheCross) {
  Scramble(30);
  SpeedDivisor = 20;
  SetTargetStep(1);
  SysSetMenuChecked(MenuItem::Build1, true);
  StartBuilding();
  EXPECT_GT(TicksUntilStopped(20000), 0);
  EXPECT_EQ(SolverStep, 14);
  EXPECT_FALSE(Building);
  for (int p : {2, 4, 6, 8}) EXPECT_EQ(StickerAtPos(1, p), 1) << "position " << p;
  for (int side : {3, 4, 5, 6}) EXPECT_EQ(StickerAtPos(side, 2), side) << "face " << side;
  EXPECT_TRUE(GeometryShowsStickers());
}

TEST_F(AppTest, ABuildOnTheSolvedCubeEndsAtOnce) {
  SysSetMenuChecked(MenuItem::Build1, true);
  StartBuilding();
  EXPECT_FALSE(Building);
  EXPECT_TRUE(Halted);
  EXPECT_FALSE(SysMenuChecked(MenuItem::Build1));
  EXPECT_TRUE(SysTimerRunning());
  Ticks(20);
  EXPECT_EQ(HistoryLength, 0);
  EXPECT_TRUE(StickersSolved());
}

TEST_F(AppTest, ABuildWhoseQueueIsUsedUpEndsInsteadOfReadingPastIt) {
  ClearMoves();
  AddMove(4, 1);
  QueuedMove taken;
  ASSERT_TRUE(TakeNextMove(taken));
  Building = true;
  SysSetMenuChecked(MenuItem::Build1, true);
  Halted = false;
  Timer1Timer();
  EXPECT_FALSE(TurnInProgress);
  EXPECT_FALSE(Building);
  EXPECT_TRUE(Halted);
  EXPECT_FALSE(SysMenuChecked(MenuItem::Build1));
  EXPECT_EQ(HistoryLength, 0);
}
