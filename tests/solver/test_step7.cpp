// Step 7, the twist of the top corners (codes 71, 72, 73).

#include <array>
#include <random>
#include <set>
#include <utility>

#include "solver/solver.h"
#include "tests/solver/last_layer_fixture.h"

namespace {

using namespace lltest;

void (*const kTwistSubSteps[3])() = {SolveStep71, SolveStep72, SolveStep73};

// The examined sticker of each sub-step: position 7 of face G.
int ExaminedColour(int code) { return StickerAtPos(kTwist[code - 71].G, 7); }

}  // namespace

TEST(LastLayerTwist, SolvedCubeAppendsNothing) {
  ResetAll();
  for (auto step : kTwistSubSteps) step();
  EXPECT_EQ(MoveCount, 0);
}

TEST(LastLayerTwist, SlotOneTwistedEitherWay) {
  // Colour 2 on face 3 position 7.
  const Moves topOnThree = {{3, -1}, {1, 2}, {3, 1}, {6, -1}, {1, 2}, {6, 1}, {2, -1},
                            {6, -1}, {1, 2}, {6, 1}, {3, -1}, {1, 2}, {3, 1}, {2, 1}};
  // Colour 6 on face 3 position 7.
  const Moves sixOnThree = {{6, -1}, {1, 2}, {6, 1}, {3, -1}, {1, 2}, {3, 1}, {2, -1},
                            {3, -1}, {1, 2}, {3, 1}, {6, -1}, {1, 2}, {6, 1}, {2, 1}};
  for (const auto& [colour, answer] : {std::pair{2, topOnThree}, std::pair{6, sixOnThree}}) {
    ResetAll();
    Apply(Inverse(answer));
    ASSERT_EQ(StickerAtPos(3, 7), colour);
    ASSERT_TRUE(FirstTwoLayersIntact() && TopCross() && TopEdgesPlaced() && TopCornersPlaced());
    SolveStep71();
    EXPECT_EQ(Queued(), answer) << "colour " << colour;
    PlayQueue();
    EXPECT_TRUE(Solved()) << "colour " << colour;
  }
}

TEST(LastLayerTwist, SequencesOfSlotsTwoAndThree) {
  EXPECT_EQ(P(72), (Moves{{5, -1}, {1, 2}, {5, 1}, {3, 1}, {1, 2}, {3, -1}}));
  EXPECT_EQ(Q(72), (Moves{{3, 1}, {1, 2}, {3, -1}, {5, -1}, {1, 2}, {5, 1}}));
  EXPECT_EQ(P(73), (Moves{{4, 1}, {1, 2}, {4, -1}, {5, 1}, {1, 2}, {5, -1}}));
  EXPECT_EQ(Q(73), (Moves{{5, 1}, {1, 2}, {5, -1}, {4, 1}, {1, 2}, {4, -1}}));
  for (int code : {72, 73}) {
    for (const Moves& answer : {TwistTopOnG(code), TwistFOnG(code)}) {
      ResetAll();
      Apply(Inverse(answer));
      ClearMoves();
      kTwistSubSteps[code - 71]();
      EXPECT_EQ(Queued(), answer) << "code " << code;
    }
  }
}

// Every twist of the four corners: 71, 72 and 73 run one after the other, each planned
// from the cube its predecessor's moves left. Each fixes its slot and keeps every
// earlier goal; after 73 the cube is solved, slot 4 included.
TEST(LastLayerTwist, EveryTwistEndsSolved) {
  std::mt19937 rng(7171);
  const std::vector<Moves> gens = TwistGenerators();
  std::set<std::pair<int, int>> hits;  // (code, 0 nothing / 1 colour 2 on G / 2 colour F on G)
  std::set<std::vector<uint8_t>> twists;
  for (int i = 0; i < 3000; ++i) {
    ResetAll();
    ScrambleWith(gens, rng, 8);
    ASSERT_TRUE(FirstTwoLayersIntact() && TopCross() && TopEdgesPlaced() && TopCornersPlaced());
    twists.insert({StickerAtPos(2, 1), StickerAtPos(2, 3), StickerAtPos(2, 9), StickerAtPos(2, 7),
                   StickerAtPos(3, 7), StickerAtPos(5, 7), StickerAtPos(4, 7), StickerAtPos(6, 7)});

    for (int code = 71; code <= 73; ++code) {
      const int x = ExaminedColour(code);
      ClearMoves();
      kTwistSubSteps[code - 71]();
      const Moves q = Queued();
      if (x == 2) {
        ASSERT_EQ(q, TwistTopOnG(code));
        hits.insert({code, 1});
      } else if (x == kTwist[code - 71].F) {
        ASSERT_EQ(q, TwistFOnG(code));
        hits.insert({code, 2});
      } else {
        ASSERT_TRUE(q.empty());
        hits.insert({code, 0});
      }
      PlayQueue();
      ASSERT_TRUE(FirstTwoLayersIntact() && TopCross() && TopEdgesPlaced() && TopCornersPlaced());
      for (int slot = 1; slot <= code - 70; ++slot)
        ASSERT_TRUE(CornerTwistedRight(slot)) << "slot " << slot << " after " << code;
    }
    ASSERT_TRUE(Solved());
  }
  EXPECT_EQ(twists.size(), 27u);  // 3^3: the fourth twist follows from the other three
  EXPECT_EQ(hits.size(), 9u);
}

// A colour that belongs on neither face of the corner (a hand-edited cube) appends
// nothing.
TEST(LastLayerTwist, ForeignColourAppendsNothing) {
  for (int code = 71; code <= 73; ++code) {
    ResetAll();
    StickerAtPos(kTwist[code - 71].G, 7) = 1;
    kTwistSubSteps[code - 71]();
    EXPECT_EQ(MoveCount, 0) << "code " << code;
  }
}
