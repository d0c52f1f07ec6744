// The solution window's list against what Build really plays through the ticks, the
// list following the cube, and the window's keys playing it.

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "app_fixture.h"
#include "app/solution.h"
#include "cube/notation.h"
#include "cube/turns.h"

namespace apptest {
namespace {

class SolutionTest : public AppTest {};

// The turns of History from index `from` on.
std::vector<Move> TurnsSince(int from) {
  std::vector<Move> played;
  for (int i = from; i < HistoryLength; ++i) {
    const int quarters = static_cast<int>(std::lround(-History[i].Angle / (M_PI / 2)));
    played.push_back({static_cast<int8_t>(History[i].Layer), static_cast<int8_t>(quarters)});
  }
  return played;
}

std::vector<Move> MovesOf(const std::vector<SolutionTurn>& turns) {
  std::vector<Move> moves;
  for (const SolutionTurn& t : turns) moves.push_back(t.Turn);
  return moves;
}

std::string Text(const std::vector<Move>& moves) { return FormatMoves(moves); }

// Many scrambles, every build target and cubes held with their centres elsewhere: the
// list is exactly what Build plays, from the start and from the middle of a build, and
// working it out leaves the cube, the solver and the queue as they were.
TEST_F(SolutionTest, SevenStepsAreExactlyWhatBuildPlays) {
  for (int round = 0; round < 120; ++round) {
    FormDestroy();
    HeadlessReset();
    FormCreate();
    SeedRandom(1000 + round);
    Scramble(15 + round % 20);
    if (round % 3 == 2) SetTargetStep(1 + round % 7);
    if (round % 4 == 3) {
      // The cube held another way: its colours renamed, as turning it whole would.
      for (uint8_t& s : Stickers) s = static_cast<uint8_t>(s % 6 + 1);
      RecolorFromStickers();
    }
    uint8_t cube[StickerCount];
    std::memcpy(cube, Stickers, sizeof cube);
    SolverStep = 55;
    std::vector<SolutionTurn> planned;
    PlanSevenSteps(false, planned);
    ASSERT_EQ(std::memcmp(cube, Stickers, sizeof cube), 0);
    ASSERT_EQ(SolverStep, 55);
    ASSERT_EQ(MoveCount, 0);
    for (size_t i = 1; i < planned.size(); ++i) ASSERT_LE(planned[i - 1].Step, planned[i].Step);

    Fast1Click();
    const int start = HistoryLength;
    Build1Click();
    // Part of the way, then the rest as the build that runs will play it.
    const int part = round % 40;
    ASSERT_TRUE(TickUntil([&] { return HistoryLength >= start + part || !Building; }));
    std::vector<SolutionTurn> rest;
    const int restFrom = HistoryLength;
    if (Building) PlanSevenSteps(true, rest);
    ASSERT_TRUE(TickUntil([] { return !Building && !TurnInProgress; }));
    ASSERT_EQ(Text(MovesOf(planned)), Text(TurnsSince(start))) << "round " << round;
    ASSERT_EQ(Text(MovesOf(rest)), Text(TurnsSince(restFrom))) << "round " << round;
  }
}

bool CubeAt(const CubeState& s) { return std::memcmp(s.data(), Stickers, StickerCount) == 0; }

// The window's keys at the slow speed, pressed while turns animate: they wait and play
// in order, one History entry a turn; Left and Home take back only the window's own
// turns; End plays on to the solved cube. A build started then is followed turn by turn.
TEST_F(SolutionTest, KeysPlayTheListAndBuildIsFollowed) {
  Scramble(25);
  Slow1Click();
  FormKeyDown(VK_F12);
  ASSERT_TRUE(Headless.SolutionShown);
  const std::vector<CubeState> states = SolutionStates;
  const int n = static_cast<int>(SolutionTurns.size());
  const int start = HistoryLength;
  for (int i = 0; i < 5; ++i) SolutionKeyDown(VK_RIGHT);
  Ticks(3);
  EXPECT_EQ(SolutionMarked(), 0);   // the turn being played
  SolutionKeyDown(VK_LEFT);
  SolutionKeyDown(VK_LEFT);
  Ticks(800);
  EXPECT_TRUE(CubeAt(states[3]));
  EXPECT_EQ(HistoryLength, start + 3);
  EXPECT_EQ(SolutionMarked(), 3);

  SolutionKeyDown(VK_END);
  ASSERT_TRUE(TickUntil([] { return SolutionDone == static_cast<int>(SolutionTurns.size()) && !TurnInProgress; }));
  EXPECT_TRUE(StickersSolved());
  EXPECT_EQ(HistoryLength, start + n);
  EXPECT_EQ(SolutionHeadline(), "solved");

  SolutionKeyDown(VK_HOME);
  Ticks(n * 40 + 40);
  EXPECT_TRUE(CubeAt(states[0]));
  EXPECT_EQ(HistoryLength, start);
  SolutionKeyDown(VK_LEFT);   // the scramble's turns are not the window's
  Ticks(50);
  EXPECT_EQ(HistoryLength, start);

  // Two turns from the window, then Build: the list becomes what the build plays.
  SolutionKeyDown(VK_SPACE);
  SolutionKeyDown(VK_SPACE);
  Ticks(200);
  ASSERT_EQ(SolutionDone, 2);
  Build1Click();
  FollowSolution();
  const std::vector<SolutionTurn> built = SolutionTurns;
  const int buildStart = HistoryLength;
  while (Building || TurnInProgress) {
    Timer1Timer();
    const int played = HistoryLength - buildStart;
    ASSERT_EQ(SolutionDone, played);
    if (TurnInProgress) {
      ASSERT_EQ(SolutionMarked(), played - 1);
    }
  }
  EXPECT_EQ(Text(MovesOf(built)), Text(TurnsSince(buildStart)));
  EXPECT_EQ(SolutionTurns.size(), built.size());
  EXPECT_EQ(SolutionHeadline(), "solved");

}

// The copied text plays back to the solved cube; a key turn off the list, an edit and
// a new target make the window work the list out again (an impossible cube: its
// faults); hidden, it works nothing out.
TEST_F(SolutionTest, ChangesOtherwiseWorkTheListOut) {
  Scramble(20);
  FormKeyDown(VK_F12);
  CopySolution();
  std::istringstream lines(Headless.Clipboard);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line.rfind("Seven steps, ", 0), 0u) << line;
  uint8_t held[StickerCount];
  std::memcpy(held, Stickers, sizeof held);
  while (std::getline(lines, line)) {
    std::vector<Move> moves;
    std::string why;
    ASSERT_TRUE(ParseMoves(line.substr(line.find(": ") + 2), moves, why)) << line << ": " << why;
    for (const Move& m : moves)
      for (int q = 0; q < std::abs(m.Quarters); ++q) QuarterTurn(m.Layer, m.Quarters < 0 ? -1 : 1);
  }
  EXPECT_TRUE(StickersSolved());
  std::memcpy(Stickers, held, sizeof held);

  const int first = SolutionTurns[0].Turn.Layer;
  PlaySingleTurn(first % 6 + 1, 1);
  ASSERT_GT(TicksUntilStopped(100), 0);
  EXPECT_EQ(SolutionDone, 0);
  EXPECT_TRUE(CubeAt(SolutionStates[0]));

  N11Click();
  FollowSolution();
  EXPECT_EQ(SolutionTurns.back().Step, 1);

  EditSticker(+1, 1);
  Timer1Timer();
  EXPECT_FALSE(SolutionFaults.empty());
  EXPECT_EQ(SolutionMarked(), -1);
  EXPECT_EQ(Headless.Clipboard.rfind("Seven", 0), 0u);
  CopySolution();
  EXPECT_EQ(Headless.Clipboard.rfind("This cube cannot be solved:\n- ", 0), 0u);

  FormKeyDown(VK_F12);
  EXPECT_FALSE(Headless.SolutionShown);
  const uint32_t revision = SolutionRevision;
  EditSticker(-1, 1);
  Ticks(2);
  EXPECT_EQ(SolutionRevision, revision);
}

}  // namespace
}  // namespace apptest
