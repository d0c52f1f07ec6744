#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <utility>

#include "cube/diagnose.h"
#include "cube/notation.h"
#include "cube/repair.h"
#include "cube/stickers.h"
#include "cube/turns.h"

namespace {

using Cube = uint8_t[StickerCount];

struct Slipped {
  Cube Truth, Entered;
};

Slipped Scrambled(std::mt19937& rng) {
  Slipped s;
  ResetStickers();
  for (int i = 0; i < 40; ++i) QuarterTurn(1 + static_cast<int>(rng() % 6), (rng() % 2) ? 1 : -1);
  std::memcpy(s.Truth, Stickers, sizeof s.Truth);
  std::memcpy(s.Entered, Stickers, sizeof s.Entered);
  return s;
}

// Checks that every repair leaves a cube the check accepts; returns the rank of the one
// that gives back the truth, or -1.
int RankOfTruth(const Slipped& s, const std::vector<CubeRepair>& found) {
  EXPECT_LE(found.size(), MaxRepairs);
  int rank = -1;
  for (std::size_t i = 0; i < found.size(); ++i) {
    Cube mended;
    std::memcpy(mended, s.Entered, sizeof mended);
    ApplyRepair(found[i], mended);
    EXPECT_TRUE(DiagnoseCube(mended).empty()) << RepairText(found[i]);
    if (rank < 0 && std::memcmp(mended, s.Truth, sizeof mended) == 0) rank = static_cast<int>(i);
  }
  return rank;
}

// One sticker, centres included, given another colour or a byte that is none: the true
// repair is the only one.
TEST(Repair, OneWrongStickerIsFoundAlone) {
  std::mt19937 rng(5);
  for (int n = 0; n < 400; ++n) {
    Slipped s = Scrambled(rng);
    const int at = n % StickerCount;
    s.Entered[at] = n % 10 == 0 ? 0 : static_cast<uint8_t>((s.Entered[at] + rng() % 5) % 6 + 1);
    const std::vector<CubeRepair> found = FindRepairs(s.Entered);
    ASSERT_EQ(found.size(), 1u) << "sticker " << at;
    EXPECT_EQ(RankOfTruth(s, found), 0) << "sticker " << at;
  }
  ResetStickers();
  EXPECT_TRUE(FindRepairs().empty());
}

// Two stickers exchanged anywhere: only exchanges as small as the true one may come
// before it, and it is missing only when three of them fill the list. Two stickers of
// one face, the likely slip, come first nearly always.
TEST(Repair, SwappedStickersRankTheSlipAmongTheSmallest) {
  std::mt19937 rng(8);
  int firstOnOneFace = 0;
  for (int n = 0; n < 300; ++n) {
    Slipped s = Scrambled(rng);
    int a, b;
    do {
      a = static_cast<int>(rng() % StickerCount);
      b = n % 2 ? static_cast<int>(rng() % StickerCount) : a / 9 * 9 + static_cast<int>(rng() % 9);
    } while (s.Entered[a] == s.Entered[b]);
    std::swap(s.Entered[a], s.Entered[b]);
    const std::vector<CubeRepair> found = FindRepairs(s.Entered);
    ASSERT_FALSE(found.empty());
    const int rank = RankOfTruth(s, found);
    for (int i = 0; i < (rank < 0 ? static_cast<int>(found.size()) : rank); ++i) {
      EXPECT_EQ(found[i].Changed.size(), 2u) << RepairText(found[i]);
    }
    if (rank < 0) {
      EXPECT_EQ(found.size(), MaxRepairs) << a << " " << b;
    }
    firstOnOneFace += n % 2 == 0 && rank == 0;
  }
  EXPECT_GE(firstOnOneFace, 140);   // of 150
}

// A face entered turned as the notation's clockwise turn of that face turns it: the
// repair turns it back, named by the quarter turns it was entered turned by.
TEST(Repair, FaceEnteredTurnedIsTurnedBack) {
  std::mt19937 rng(3);
  int first = 0;
  for (int face = 1; face <= 6; ++face)
    for (int q = 1; q <= 3; ++q)
      for (int n = 0; n < 3; ++n) {
        Slipped s = Scrambled(rng);
        for (int i = 0; i < q; ++i) TurnFaceGrid(face, ClockwiseDirection(face));
        std::memcpy(s.Entered, Stickers, sizeof s.Entered);
        const std::vector<CubeRepair> found = FindRepairs(s.Entered);
        const int rank = RankOfTruth(s, found);
        ASSERT_GE(rank, 0) << "face " << face << " turned " << q;
        first += rank == 0;
        const CubeRepair& r = found[static_cast<std::size_t>(rank)];
        if (r.Kind == RepairKind::Face) {
          EXPECT_EQ(r.Face, face);
          EXPECT_EQ(r.Quarters, q);
        }
      }
  EXPECT_GE(first, 52);   // of 54
}

// The sticker and exchange lines are those tornelo-cli's tests read.
TEST(Repair, FaceWords) {
  const CubeRepair r{RepairKind::Face, {}, 0, 0, 2, 2, {}};
  EXPECT_EQ(RepairText(r), "face D turned 180 degrees");
}

}  // namespace
