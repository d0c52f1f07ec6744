#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "cube/stickers.h"
#include "cube/turns.h"
#include "geometry_model.h"

namespace {

constexpr int LayerAxis[7] = {0, 0, 0, 1, 1, 2, 2};

// The turn computed from geometry: each sticker of the layer is carried by the quarter
// rotation to a new place.
void GeometricQuarterTurn(int layer, int direction) {
  uint8_t before[StickerCount];
  std::memcpy(before, Stickers, sizeof before);
  const int axis = LayerAxis[layer];
  const int side = (layer % 2 == 1) ? 1 : -1;
  for (int f = 1; f <= 6; ++f)
    for (int row = 1; row <= 3; ++row)
      for (int col = 1; col <= 3; ++col) {
        StickerPlace p = PlaceOf(f, row, col);
        if (p.Cubie[axis] != side) continue;
        StickerPlace q{RotateQuarter(p.Cubie, axis, direction), RotateQuarter(p.Outward, axis, direction)};
        StickerRef to = StickerAtPlace(q);
        ASSERT_NE(to.Face, 0);
        StickerAt(to.Face, to.Row, to.Col) = before[9 * (f - 1) + 3 * (row - 1) + (col - 1)];
      }
}

// Give every sticker its own number so that a permutation is visible exactly.
void NumberStickers() {
  for (int i = 0; i < StickerCount; ++i) Stickers[i] = static_cast<uint8_t>(i + 1);
}

class TurnsTest : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(TurnsTest, QuarterTurnIsTheRotationOfTheLayer) {
  auto [layer, direction] = GetParam();
  NumberStickers();
  QuarterTurn(layer, direction);
  uint8_t turned[StickerCount];
  std::memcpy(turned, Stickers, sizeof turned);

  NumberStickers();
  GeometricQuarterTurn(layer, direction);
  for (int i = 0; i < StickerCount; ++i)
    EXPECT_EQ(turned[i], Stickers[i]) << "layer " << layer << " direction " << direction << " sticker "
                                      << i / 9 + 1 << "/" << i % 9 + 1;
}

INSTANTIATE_TEST_SUITE_P(EveryLayerBothWays, TurnsTest,
                         ::testing::Combine(::testing::Range(1, 7), ::testing::Values(1, -1)));

TEST(TurnExamples, LayerOnePlusOneFromSolved) {
  ResetStickers();
  QuarterTurn(1, +1);
  for (int col = 1; col <= 3; ++col) {
    EXPECT_EQ(StickerAt(3, 1, col), 6);
    EXPECT_EQ(StickerAt(5, 1, col), 3);
    EXPECT_EQ(StickerAt(4, 1, col), 5);
    EXPECT_EQ(StickerAt(6, 1, col), 4);
  }
  for (int p = 1; p <= 9; ++p) {
    EXPECT_EQ(StickerAtPos(1, p), 1);
    EXPECT_EQ(StickerAtPos(2, p), 2);
  }
}

TEST(TurnExamples, LayerThreePlusOneCarriesFaceOneRowThreeToFaceSix) {
  NumberStickers();
  QuarterTurn(3, +1);
  EXPECT_EQ(StickerAtPos(6, 9), 9 * 0 + 7);  // was 1/7
  EXPECT_EQ(StickerAtPos(6, 6), 9 * 0 + 8);  // was 1/8
  EXPECT_EQ(StickerAtPos(6, 3), 9 * 0 + 9);  // was 1/9
}

TEST(TurnLaws, InversesHalfTurnsAndCentres) {
  std::mt19937 rng(7);
  ResetStickers();
  for (int i = 0; i < 200; ++i) QuarterTurn(1 + rng() % 6, (rng() % 2) ? 1 : -1);
  uint8_t start[StickerCount];
  std::memcpy(start, Stickers, sizeof start);

  for (int layer = 1; layer <= 6; ++layer) {
    for (int d : {1, -1}) {
      for (int k = 0; k < 4; ++k) QuarterTurn(layer, d);
      EXPECT_EQ(std::memcmp(start, Stickers, sizeof start), 0) << "four quarters of layer " << layer;
      QuarterTurn(layer, d);
      QuarterTurn(layer, -d);
      EXPECT_EQ(std::memcmp(start, Stickers, sizeof start), 0) << "turn and back, layer " << layer;
    }
    QuarterTurn(layer, 1);
    QuarterTurn(layer, 1);
    uint8_t halfPlus[StickerCount];
    std::memcpy(halfPlus, Stickers, sizeof halfPlus);
    std::memcpy(Stickers, start, sizeof start);
    QuarterTurn(layer, -1);
    QuarterTurn(layer, -1);
    EXPECT_EQ(std::memcmp(halfPlus, Stickers, sizeof halfPlus), 0) << "half turn of layer " << layer;
    std::memcpy(Stickers, start, sizeof start);
  }
  for (int f = 1; f <= 6; ++f) EXPECT_EQ(StickerAtPos(f, 5), f);
}

}  // namespace
