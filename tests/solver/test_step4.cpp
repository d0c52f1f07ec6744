// Step 4, the cross of colour 2 on the top face (code 41).

#include <array>
#include <random>

#include "solver/solver.h"
#include "tests/solver/last_layer_fixture.h"

namespace {

using namespace lltest;

// Which of the top edge stickers at positions 2, 4, 6, 8 show colour 2, and what the
// step appends for that pattern. Patterns not listed append nothing.
struct CrossCase {
  std::array<bool, 4> Up;
  Moves Expected;
};
const std::vector<CrossCase>& CrossCases() {
  static const std::vector<CrossCase> cases = {
      {{false, false, false, false}, Cat({kX, Y(0)})},  // 1
      {{true, true, false, false}, Z(2)},               // 2
      {{true, false, true, false}, Z(1)},               // 3
      {{false, false, true, true}, Z(0)},               // 4
      {{false, true, false, true}, Z(-1)},              // 5
      {{true, false, false, true}, Y(1)},               // 6
      {{false, true, true, false}, Y(0)},               // 7
  };
  return cases;
}

// The case whose sequence the queue holds: 1..7, 0 for an empty queue, -1 for anything
// else.
int CaseOfQueue(const Moves& q) {
  if (q.empty()) return 0;
  for (size_t i = 0; i < CrossCases().size(); ++i)
    if (CrossCases()[i].Expected == q) return static_cast<int>(i) + 1;
  return -1;
}

}  // namespace

// All sixteen patterns of the four top edge stickers, on a cube whose every other
// sticker is random: only those four stickers choose the sequence.
TEST(LastLayerCross, EveryTopEdgePatternQueuesItsCase) {
  std::mt19937 rng(4);
  std::uniform_int_distribution<int> colour(1, 6);
  std::uniform_int_distribution<int> notTwo(3, 6);
  for (int bits = 0; bits < 16; ++bits) {
    for (int round = 0; round < 3; ++round) {
      ResetAll();
      if (round > 0)
        for (uint8_t& s : Stickers) s = static_cast<uint8_t>(colour(rng));
      std::array<bool, 4> up{};
      for (int r = 1; r <= 4; ++r) {
        up[r - 1] = (bits >> (r - 1)) & 1;
        StickerAtPos(2, 2 * r) = up[r - 1] ? 2 : static_cast<uint8_t>(notTwo(rng));
      }
      Moves expected;
      for (const CrossCase& c : CrossCases())
        if (c.Up == up) expected = c.Expected;

      SolveStep41();
      EXPECT_EQ(Queued(), expected) << "pattern bits " << bits << " round " << round;
    }
  }
}

TEST(LastLayerCross, NothingWhenTheCrossStands) {
  std::mt19937 rng(41);
  const std::vector<Moves> gens = EdgePlaceGenerators();  // all keep the cross
  for (int i = 0; i < 50; ++i) {
    ResetAll();
    ScrambleWith(gens, rng, 6);
    ASSERT_TRUE(TopCross());
    SolveStep41();
    EXPECT_EQ(MoveCount, 0);
  }
}

// Top-layer states of every kind: the step reaches the cross from each of its cases and
// leaves the first two layers whole.
TEST(LastLayerCross, EveryCaseReachesTheCross) {
  std::mt19937 rng(4141);
  const std::vector<Moves> gens = CrossGenerators();
  std::array<int, 8> hits{};
  for (int i = 0; i < 3000; ++i) {
    ResetAll();
    ScrambleWith(gens, rng, 10);
    ASSERT_TRUE(FirstTwoLayersIntact()) << "a generator disturbed the first two layers";

    SolveStep41();
    const Moves q = Queued();
    const int kase = CaseOfQueue(q);
    ASSERT_GE(kase, 0) << "unexpected sequence of " << q.size() << " moves";
    ++hits[kase];

    PlayQueue();
    ASSERT_TRUE(FirstTwoLayersIntact()) << "case " << kase;
    ASSERT_TRUE(TopCross()) << "case " << kase;
  }
  for (int kase = 0; kase <= 7; ++kase) EXPECT_GT(hits[kase], 0) << "case " << kase << " never hit";
}
