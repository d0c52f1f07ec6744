// The soak (scripts/soak, not part of the test suites): a million random turns through
// the tick at the fast speed, headless. Before every turn the drawn cube must come
// apart into clean layers of nine cubies, and every 10,000 turns and at the end it must
// show Stickers. TORNELO_SOAK_TURNS sets another number of turns.

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app_fixture.h"

using namespace apptest;

namespace {

long SoakTurns() {
  const char* turns = std::getenv("TORNELO_SOAK_TURNS");
  return turns && std::atol(turns) > 0 ? std::atol(turns) : 1000000;
}


}  // namespace

TEST_F(AppTest, SoakOfRandomTurnsKeepsTheDrawnCubeExact) {
  const long turns = SoakTurns();
  const auto start = std::chrono::steady_clock::now();
  SpeedDivisor = 2;
  Halted = false;
  double worstDrift = 0;
  long checks = 0;
  long lastTurn = -1;
  while (HistoryLength < turns) {
    if (!TurnInProgress && HistoryLength != lastTurn) {
      lastTurn = HistoryLength;
      ASSERT_TRUE(LayersComeApartCleanly()) << "before turn " << HistoryLength + 1;
      worstDrift = std::fmax(worstDrift, CentreDrift());
      if (HistoryLength % 10000 == 0) {
        ASSERT_TRUE(GeometryShowsStickers()) << "after turn " << HistoryLength;
        ++checks;
      }
      if (HistoryLength % 100000 == 0 && HistoryLength > 0)
        std::printf("%8ld turns, largest drift of a cubie centre so far %.3g\n", static_cast<long>(HistoryLength),
                    worstDrift);
    }
    Timer1Timer();
  }
  Halted = true;
  ASSERT_GT(TicksUntilStopped(5), 0);
  ASSERT_TRUE(LayersComeApartCleanly());
  EXPECT_TRUE(GeometryShowsStickers());
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%ld turns in %.1f s; the drawn cube showed Stickers at %ld checks and at the end; "
              "largest drift of a cubie centre from the grid %.3g\n",
              static_cast<long>(HistoryLength), seconds, checks + 1, worstDrift);
}
