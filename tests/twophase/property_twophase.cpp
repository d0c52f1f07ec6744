#include <gtest/gtest.h>

#include <random>

#include "cube/notation.h"
#include "solve_play.h"
#include "twophase/cubie.h"
#include "twophase/twophase.h"

namespace {

// Thousands of uniformly random cubes: every solution has at most 20 turns and, played
// on the cube model, solves the cube.
TEST(ShortSolverProperty, ThousandsOfRandomCubes) {
  std::mt19937_64 random(2026);
  size_t longest = 0;
  for (int i = 0; i < 4000; ++i) {
    uint8_t stickers[StickerCount];
    twophase::StickersFromCubie(twophase::RandomCubie(random), stickers);
    std::vector<Move> solution;
    ASSERT_TRUE(SolveShort(stickers, solution)) << i;
    ASSERT_LE(solution.size(), 20u) << i;
    ASSERT_TRUE(SolvesCube(stickers, solution)) << i << ": " << FormatMoves(solution);
    longest = std::max(longest, solution.size());
  }
  RecordProperty("longest", static_cast<int>(longest));
}

}  // namespace
