// Step 6, the top corners into their slots (code 61).

#include <array>
#include <map>
#include <random>
#include <set>
#include <utility>

#include "solver/solver.h"
#include "tests/solver/last_layer_fixture.h"

namespace {

using namespace lltest;

// Builds the state that `answer` solves, checks which corner the step finds in each
// slot there, that it queues exactly `answer`, and that playing it solves the cube.
void ExpectAnswer(const std::vector<int>& corners, const Moves& answer) {
  ResetAll();
  Apply(Inverse(answer));
  ASSERT_TRUE(FirstTwoLayersIntact() && TopCross() && TopEdgesPlaced());
  ASSERT_EQ(CornerArrangement(), (std::vector<int>{0, corners[0], corners[1], corners[2], corners[3]}));
  SolveStep61();
  EXPECT_EQ(Queued(), answer);
  PlayQueue();
  EXPECT_TRUE(Solved());
}

}  // namespace

TEST(LastLayerCorners, NothingWhenTheCornersAreInTheirSlots) {
  std::mt19937 rng(61);
  for (int i = 0; i < 40; ++i) {
    ResetAll();
    ScrambleWith(TwistGenerators(), rng, 6);  // twisted, never moved
    ASSERT_TRUE(TopCornersPlaced());
    SolveStep61();
    EXPECT_EQ(MoveCount, 0);
  }
}

TEST(LastLayerCorners, ThreeCycleKeepingSlotOne) {
  // K = 1, 4, 2, 3: row 2 at v = 0, F = 5, G = 6.
  ExpectAnswer({1, 4, 2, 3},
               {{2, 1}, {6, 1}, {2, -1}, {5, 1}, {2, 1}, {6, -1}, {2, -1}, {5, -1}});
}

TEST(LastLayerCorners, DiagonalSwaps) {
  // K = 3, 4, 1, 2: row 5 at v = 0, F = 5, G = 6.
  ExpectAnswer({3, 4, 1, 2}, {{5, 2}, {6, 2}, {1, -1}, {5, 2}, {6, 2}, {2, 2},
                              {5, 2}, {6, 2}, {1, -1}, {5, 2}, {6, 2}, {2, 2}});
  // K = 4, 3, 2, 1: row 4 at v = 1, F = 4, H = 6, t = -1.
  ExpectAnswer({4, 3, 2, 1}, {{6, 1},
                              {4, 1}, {2, 1}, {4, -1}, {2, -1},
                              {4, 1}, {2, 1}, {4, -1}, {2, -1},
                              {4, 1}, {2, 1}, {4, -1}, {2, -1},
                              {6, -1}});
}

// A row matches at ring shift v when slot j holds wrap(table[k][wrap(j - v)] + v). Read
// with wrap(j + v) instead, K = 2, 3, 1, 4 would match no row at all, and K = 4, 1, 3, 2
// would match row 3 at v = 1 and play (4, -1), (2, 1), (3, -1), ... .
TEST(LastLayerCorners, RowIsReadBackwardsAlongTheRing) {
  // Row 3 at v = 3: F = 3, s = +1, G = 4.
  ExpectAnswer({2, 3, 1, 4},
               {{3, 1}, {2, 1}, {4, 1}, {2, -1}, {3, -1}, {2, 1}, {4, -1}, {2, -1}});
  // Row 2 at v = 2: F = 6, s = -1, G = 5.
  ExpectAnswer({4, 1, 3, 2},
               {{2, 1}, {5, -1}, {2, -1}, {6, -1}, {2, 1}, {5, 1}, {2, -1}, {6, 1}});
}

// Every even arrangement of the four corners, twisted every way: the step queues the
// sequence of one row at one ring shift, and playing it puts every corner into its slot
// without disturbing anything solved before.
TEST(LastLayerCorners, EveryArrangementReachesItsSlots) {
  std::map<Moves, std::pair<int, int>> answers;
  for (int kase = 2; kase <= 5; ++kase)
    for (int v = 0; v < 4; ++v) answers.emplace(CornerCase(kase, v), std::pair{kase, v});
  answers.emplace(Moves{}, std::pair{1, 0});

  std::mt19937 rng(6161);
  const std::vector<Moves> gens = CornerPlaceGenerators();
  std::set<std::vector<int>> arrangements;
  std::set<std::pair<int, int>> hits;
  for (int i = 0; i < 4000; ++i) {
    ResetAll();
    ScrambleWith(gens, rng, 8);
    ASSERT_TRUE(FirstTwoLayersIntact() && TopCross() && TopEdgesPlaced())
        << "a generator moved the top edges";
    arrangements.insert(CornerArrangement());

    SolveStep61();
    const auto found = answers.find(Queued());
    ASSERT_NE(found, answers.end()) << "unexpected sequence of " << MoveCount << " moves";
    hits.insert(found->second);

    PlayQueue();
    ASSERT_TRUE(FirstTwoLayersIntact());
    ASSERT_TRUE(TopCross());
    ASSERT_TRUE(TopEdgesPlaced());
    ASSERT_TRUE(TopCornersPlaced()) << "row " << found->second.first << " v " << found->second.second;
  }
  EXPECT_EQ(arrangements.size(), 12u);
  // Row 1 only unshifted, rows 2 and 3 at every shift, row 4 at v = 0 and 1, row 5 at 0.
  const std::set<std::pair<int, int>> reachable = {{1, 0}, {2, 0}, {2, 1}, {2, 2}, {2, 3}, {3, 0},
                                                   {3, 1}, {3, 2}, {3, 3}, {4, 0}, {4, 1}, {5, 0}};
  EXPECT_EQ(hits, reachable);
}

TEST(LastLayerCorners, ReadsOnlyTheTopCornerStickers) {
  std::mt19937 rng(616);
  std::uniform_int_distribution<int> colour(1, 6);
  const int cornerStickers[12][2] = {{2, 1}, {3, 7}, {6, 9}, {2, 3}, {5, 7}, {3, 9},
                                     {2, 9}, {4, 7}, {5, 9}, {2, 7}, {6, 7}, {4, 9}};
  for (int i = 0; i < 30; ++i) {
    ResetAll();
    ScrambleWith(CornerPlaceGenerators(), rng, 8);
    SolveStep61();
    const Moves reference = Queued();

    uint8_t kept[12];
    for (int n = 0; n < 12; ++n) kept[n] = StickerAtPos(cornerStickers[n][0], cornerStickers[n][1]);
    for (uint8_t& s : Stickers) s = static_cast<uint8_t>(colour(rng));
    for (int n = 0; n < 12; ++n) StickerAtPos(cornerStickers[n][0], cornerStickers[n][1]) = kept[n];
    ClearMoves();
    SolveStep61();
    EXPECT_EQ(Queued(), reference);
  }
}

// Hand-edited cubes: a slot whose colours are no corner's, or an odd arrangement
// (two corners exchanged), matches no row and appends nothing.
TEST(LastLayerCorners, NoMatchAppendsNothing) {
  ResetAll();
  StickerAtPos(2, 1) = 5;  // slot 1 shows {5, 3, 6}
  SolveStep61();
  EXPECT_EQ(MoveCount, 0);

  ResetAll();
  // Corners 1 and 2 exchanged, each keeping colour 2 on top.
  StickerAtPos(3, 7) = 5;  // slot 1: 2/1, 3/7, 6/9 = {2, 5, 3}
  StickerAtPos(6, 9) = 3;
  StickerAtPos(5, 7) = 6;  // slot 2: 2/3, 5/7, 3/9 = {2, 6, 3}
  StickerAtPos(3, 9) = 3;
  ASSERT_EQ(CornerArrangement(), (std::vector<int>{0, 2, 1, 3, 4}));
  SolveStep61();
  EXPECT_EQ(MoveCount, 0);

  // A loaded file may hold bytes that are no colour at all.
  for (int junk : {0, 7, 64, 255}) {
    ResetAll();
    StickerAtPos(4, 7) = static_cast<uint8_t>(junk);
    SolveStep61();
    EXPECT_EQ(MoveCount, 0) << "byte " << junk;
  }
}
