// Step 5, the top edges above their own faces (code 51).

#include <algorithm>
#include <array>
#include <map>
#include <random>
#include <set>
#include <tuple>

#include "solver/solver.h"
#include "tests/solver/last_layer_fixture.h"

namespace {

using namespace lltest;

// Colours at position 8 of faces 3, 5, 4, 6.
std::array<int, 4> TopEdgeColours() {
  return {StickerAtPos(3, 8), StickerAtPos(5, 8), StickerAtPos(4, 8), StickerAtPos(6, 8)};
}

// The top turn of offset u, and the face nextᵛ(5).
Moves TopTurn(int u) {
  static const int turns[4] = {0, -1, -2, 1};
  return u == 0 ? Moves{} : Moves{{2, turns[u]}};
}
int FaceForShift(int v) { return Ring[((1 + v) % 4) + 1]; }

Moves EdgeAnswer(int kase, int u, int v) {
  const int f = FaceForShift(v);
  switch (kase) {
    case 1: return TopTurn(u);
    case 2: return Cat({TopTurn(u), W(f)});
    case 3: return Cat({TopTurn(u), W(f), {{2, -1}}, W(f)});
    default: return {};
  }
}

// Builds the state that `answer` solves, checks that the step sees the expected edge
// colours there, queues exactly `answer`, and that playing it solves the cube.
void ExpectAnswer(const std::array<int, 4>& colours, const Moves& answer) {
  ResetAll();
  Apply(Inverse(answer));
  ASSERT_EQ(TopEdgeColours(), colours);
  SolveStep51();
  EXPECT_EQ(Queued(), answer);
  PlayQueue();
  EXPECT_TRUE(Solved());
}

}  // namespace

TEST(LastLayerEdges, NothingWhenTheEdgesAreAboveTheirFaces) {
  ResetAll();
  SolveStep51();
  EXPECT_EQ(MoveCount, 0);

  // Corners moved and twisted, edges in place: still nothing.
  std::mt19937 rng(51);
  for (int i = 0; i < 20; ++i) {
    ResetAll();
    ScrambleWith(CornerPlaceGenerators(), rng, 6);
    ASSERT_TRUE(TopEdgesPlaced());
    SolveStep51();
    EXPECT_EQ(MoveCount, 0);
  }
}

TEST(LastLayerEdges, OnlyTheTopTurnedTurnsItBack) {
  ExpectAnswer({6, 3, 5, 4}, {{2, -1}});  // the cube after (2, 1)
  ExpectAnswer({4, 6, 3, 5}, {{2, -2}});  // after a half turn
  ExpectAnswer({5, 4, 6, 3}, {{2, 1}});   // after (2, -1): u = 3
}

TEST(LastLayerEdges, ExchangedEdgesAboveFacesThreeAndFour) {
  // Row 3 at u = 0, v = 0.
  ExpectAnswer({4, 5, 3, 6}, Cat({W(5), {{2, -1}}, W(5)}));
  EXPECT_EQ(Cat({W(5), {{2, -1}}, W(5)}),
            (Moves{{5, 1}, {2, 2}, {5, -1}, {2, 1}, {5, 1}, {2, 1}, {5, -1}, {2, -1},
                   {5, 1}, {2, 2}, {5, -1}, {2, 1}, {5, 1}, {2, 1}, {5, -1}}));
}

// The search runs the top-layer offset u in the outer loop and the ring shift v in the
// inner one. These two edge orders match at two (u, v) pairs each, and the order of the
// loops decides which is played; with the loops the other way round the step would play
// (2, -2), W(5), (2, -1), W(5) and (2, 1), W(5), (2, -1), W(5) respectively, which also
// solve the cube.
TEST(LastLayerEdges, OffsetIsTheOuterLoop) {
  ExpectAnswer({3, 6, 4, 5}, Cat({W(4), {{2, -1}}, W(4)}));               // u = 0, v = 1
  ExpectAnswer({5, 3, 6, 4}, Cat({{{2, -1}}, W(4), {{2, -1}}, W(4)}));     // u = 1, v = 1
  EXPECT_EQ(W(4), (Moves{{4, -1}, {2, 2}, {4, 1}, {2, 1}, {4, -1}, {2, 1}, {4, 1}}));
}

// Every order of the four side colours, reached by real turns: the step queues one of
// its sequences, and playing it puts every top edge above its face without disturbing
// the first two layers or the cross.
TEST(LastLayerEdges, EveryEdgeOrderReachesItsPlace) {
  std::map<Moves, std::tuple<int, int, int>> answers;
  for (int kase = 1; kase <= 3; ++kase)
    for (int u = 0; u < 4; ++u)
      for (int v = 0; v < 4; ++v)
        if (kase > 1 || v == 0) answers.emplace(EdgeAnswer(kase, u, v), std::tuple{kase, u, v});

  std::mt19937 rng(5151);
  const std::vector<Moves> gens = EdgePlaceGenerators();
  std::set<std::array<int, 4>> orders;
  std::set<int> cases, offsets, shifts;
  for (int i = 0; i < 4000; ++i) {
    ResetAll();
    ScrambleWith(gens, rng, 10);
    ASSERT_TRUE(FirstTwoLayersIntact() && TopCross()) << "a generator broke the cross";
    orders.insert(TopEdgeColours());

    SolveStep51();
    const auto found = answers.find(Queued());
    ASSERT_NE(found, answers.end()) << "unexpected sequence of " << MoveCount << " moves";
    const auto [kase, u, v] = found->second;
    cases.insert(kase);
    offsets.insert(u);
    shifts.insert(v);

    PlayQueue();
    ASSERT_TRUE(FirstTwoLayersIntact());
    ASSERT_TRUE(TopCross());
    ASSERT_TRUE(TopEdgesPlaced()) << "case " << kase << " u " << u << " v " << v;
  }
  EXPECT_EQ(orders.size(), 24u);
  EXPECT_EQ(cases, (std::set<int>{1, 2, 3}));
  EXPECT_EQ(offsets, (std::set<int>{0, 1, 2, 3}));
  EXPECT_EQ(shifts, (std::set<int>{0, 1, 2, 3}));
}

TEST(LastLayerEdges, ReadsOnlyTheTopEdgeSideStickers) {
  std::mt19937 rng(515);
  std::uniform_int_distribution<int> colour(1, 6);
  for (int i = 0; i < 30; ++i) {
    ResetAll();
    ScrambleWith(EdgePlaceGenerators(), rng, 8);
    SolveStep51();
    const Moves reference = Queued();

    uint8_t kept[4];
    for (int j = 1; j <= 4; ++j) kept[j - 1] = StickerAtPos(Ring[j], 8);
    for (uint8_t& s : Stickers) s = static_cast<uint8_t>(colour(rng));
    for (int j = 1; j <= 4; ++j) StickerAtPos(Ring[j], 8) = kept[j - 1];
    ClearMoves();
    SolveStep51();
    EXPECT_EQ(Queued(), reference);
  }
}

// A hand-edited cube whose top edges are not the four side colours once each: no row
// matches and the search ends at u = 3, which still plays its top turn.
TEST(LastLayerEdges, NoMatchPlaysTheLastTopTurnOnly) {
  ResetAll();
  StickerAtPos(5, 8) = 3;  // colour 3 twice, colour 5 missing
  SolveStep51();
  EXPECT_EQ(Queued(), (Moves{{2, 1}}));
}
