// A long run of random turns at the fast speed: the drawn cube must still come apart
// into clean layers before every turn and still show Stickers at the end.

#include <cstdio>
#include <cstring>

#include "app_fixture.h"

using namespace apptest;

namespace {
constexpr int SoakTurns = 100000;
}  // namespace

TEST_F(AppTest, AHundredThousandRandomTurnsKeepTheDrawnCubeExact) {
  SpeedDivisor = 2;
  Halted = false;
  double worstDrift = 0;
  while (HistoryLength < SoakTurns) {
    if (!TurnInProgress) {
      ASSERT_TRUE(LayersComeApartCleanly()) << "before turn " << HistoryLength + 1;
      worstDrift = std::fmax(worstDrift, CentreDrift());
    }
    Timer1Timer();
    if (HistoryLength % 10000 == 0 && !TurnInProgress) {
      ASSERT_TRUE(GeometryShowsStickers()) << "after turn " << HistoryLength;
    }
  }
  Halted = true;
  ASSERT_GT(TicksUntilStopped(5), 0);
  ASSERT_TRUE(LayersComeApartCleanly());
  std::printf("largest distance of a cubie centre from the grid: %.3g\n", worstDrift);

  // The colours the stickers carried through every turn are the ones Stickers names,
  // and recolouring from Stickers paints them the same.
  EXPECT_TRUE(GeometryShowsStickers());
  CubieGeometry carried[28];
  std::memcpy(carried, CubeGeometry, sizeof carried);
  RecolorFromStickers();
  for (int c = 1; c <= 27; ++c) {
    for (int f = 1; f <= 6; ++f) {
      if (!carried[c].Stickers[f].Present) continue;
      for (int ch = 0; ch < 3; ++ch)
        EXPECT_EQ(carried[c].Stickers[f].Colour[ch], CubeGeometry[c].Stickers[f].Colour[ch])
            << "cubie " << c << " quad " << f;
    }
  }
  EXPECT_TRUE(GeometryShowsStickers());
}
