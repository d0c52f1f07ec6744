#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

#include "cube/notation.h"
#include "solve_play.h"
#include "twophase/cubie.h"
#include "twophase/twophase.h"

namespace {

// Uniformly random cubes in random colour schemes (any renaming of the colours, so the
// centres stand anywhere, as in a cube held another way): every solution has at most
// 20 turns and solves the cube as its centres read it.
TEST(ShortSolver, RandomCubesInAnyColoursAreSolvedInTwentyTurns) {
  std::mt19937_64 random(16);
  for (int i = 0; i < 150; ++i) {
    uint8_t stickers[StickerCount];
    twophase::StickersFromCubie(twophase::RandomCubie(random), stickers);
    uint8_t colour[7] = {0, 1, 2, 3, 4, 5, 6};
    std::shuffle(colour + 1, colour + 7, random);
    for (uint8_t& s : stickers) s = colour[s];
    std::vector<Move> solution;
    ASSERT_TRUE(SolveShort(stickers, solution));
    EXPECT_LE(solution.size(), 20u);
    EXPECT_TRUE(SolvesCube(stickers, solution)) << i << ": " << FormatMoves(solution);
  }
}

// A cube a few turns from solved gets a solution no longer than the turns that made it;
// the solved cube an empty one.
TEST(ShortSolver, CubesCloseToSolvedGetTheFewestTurns) {
  std::mt19937 random(5);
  for (int i = 0; i < 300; ++i) {
    ResetStickers();
    const int turns = i % 6;
    std::vector<Move> scramble;
    for (int t = 0; t < turns; ++t) {
      const Move m = twophase::ToMove(static_cast<int>(random() % twophase::MoveCount));
      scramble.push_back(m);
      for (int q = 0; q < (m.Quarters < 0 ? -m.Quarters : m.Quarters); ++q) QuarterTurn(m.Layer, m.Quarters < 0 ? -1 : 1);
    }
    uint8_t stickers[StickerCount];
    std::memcpy(stickers, Stickers, StickerCount);
    std::vector<Move> solution;
    ASSERT_TRUE(SolveShort(stickers, solution));
    EXPECT_LE(solution.size(), scramble.size()) << FormatMoves(scramble) << " -> " << FormatMoves(solution);
    EXPECT_TRUE(SolvesCube(stickers, solution)) << FormatMoves(scramble);
  }
}

TEST(ShortSolver, ImpossibleCubesAreRefused) {
  const auto refused = [](void (*change)(uint8_t*)) {
    ResetStickers();
    uint8_t stickers[StickerCount];
    std::memcpy(stickers, Stickers, StickerCount);
    change(stickers);
    std::vector<Move> solution = {{1, 1}};
    return !SolveShort(stickers, solution) && solution.empty();
  };
  EXPECT_TRUE(refused([](uint8_t* s) { std::swap(s[1], s[28]); }));           // an edge turned over
  EXPECT_TRUE(refused([](uint8_t* s) { std::swap(s[0], s[29]); }));           // two colours of a corner swapped
  EXPECT_TRUE(refused([](uint8_t* s) { s[4] = 2; }));                         // two centres alike
  EXPECT_TRUE(refused([](uint8_t* s) { std::swap(s[19], s[37]); }));         // two edges swapped
}

// The longer search keeps looking for the time given and never returns a longer
// solution than the first one it finds.
TEST(ShortSolver, LongerSearchFindsNoLongerSolutions) {
  std::mt19937_64 random(7);
  for (int i = 0; i < 4; ++i) {
    uint8_t stickers[StickerCount];
    twophase::StickersFromCubie(twophase::RandomCubie(random), stickers);
    std::vector<Move> quick, longer;
    ASSERT_TRUE(SolveShort(stickers, quick));
    ASSERT_TRUE(SolveShort(stickers, longer, {0, 0.05}));
    EXPECT_LE(longer.size(), quick.size());
    EXPECT_TRUE(SolvesCube(stickers, longer));
  }
}

}  // namespace
