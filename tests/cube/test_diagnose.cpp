#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <utility>

#include "cube/diagnose.h"
#include "cube/stickers.h"
#include "cube/turns.h"
#include "geometry_model.h"

namespace {

using Cube = uint8_t[StickerCount];

int At(int face, int row, int col) { return 9 * (face - 1) + 3 * (row - 1) + (col - 1); }
int AtPos(int face, int pos) { return 9 * (face - 1) + (pos - 1); }

// A cube reached from the solved one by random quarter turns, copied out of Stickers.
void Scramble(Cube& cube, unsigned seed, int turns = 40) {
  std::mt19937 rng(seed);
  ResetStickers();
  for (int i = 0; i < turns; ++i) QuarterTurn(1 + static_cast<int>(rng() % 6), (rng() % 2) ? 1 : -1);
  std::memcpy(cube, Stickers, sizeof cube);
}

std::vector<FaultGroup> Groups(const std::vector<CubeFault>& faults) {
  std::vector<FaultGroup> g;
  for (const CubeFault& f : faults) g.push_back(f.Group);
  return g;
}

std::string Describe(const std::vector<CubeFault>& faults) {
  std::string s;
  for (const CubeFault& f : faults) s += std::string(FaultGroupWord(f.Group)) + ": " + f.Text + "\n";
  return s;
}

bool Names(const CubeFault& f, int face, int row, int col) {
  return std::any_of(f.Where.begin(), f.Where.end(),
                     [&](const StickerRef& s) { return s.Face == face && s.Row == row && s.Col == col; });
}

// The stickers of the cubie at a grid position, found from geometry.
std::vector<StickerRef> CubieStickers(std::array<int, 3> cubie) {
  std::vector<StickerRef> out;
  for (int f = 1; f <= 6; ++f)
    for (int r = 1; r <= 3; ++r)
      for (int c = 1; c <= 3; ++c)
        if (PlaceOf(f, r, c).Cubie == cubie) out.push_back({static_cast<uint8_t>(f), static_cast<uint8_t>(r), static_cast<uint8_t>(c)});
  return out;
}

// The whole cube turned a quarter about an axis (all three layers, centres included),
// computed from geometry.
void RotateWhole(Cube& cube, int axis) {
  Cube before;
  std::memcpy(before, cube, sizeof before);
  for (int f = 1; f <= 6; ++f)
    for (int r = 1; r <= 3; ++r)
      for (int c = 1; c <= 3; ++c) {
        StickerPlace p = PlaceOf(f, r, c);
        StickerRef to = StickerAtPlace({RotateQuarter(p.Cubie, axis, 1), RotateQuarter(p.Outward, axis, 1)});
        cube[At(to.Face, to.Row, to.Col)] = before[At(f, r, c)];
      }
}

// --- Cubes that can be solved ------------------------------------------------------------

TEST(DiagnoseSolvable, ScramblesOfEveryLengthPass) {
  Cube cube;
  for (unsigned seed = 1; seed <= 3000; ++seed) {
    Scramble(cube, seed, 1 + static_cast<int>(seed % 60));
    auto faults = DiagnoseCube(cube);
    ASSERT_TRUE(faults.empty()) << "seed " << seed << "\n" << Describe(faults);
  }
  // One turn of every layer each way from solved: the twist, flip and parity rules
  // must hold for each turn alone.
  for (int layer = 1; layer <= 6; ++layer)
    for (int d : {1, -1}) {
      ResetStickers();
      QuarterTurn(layer, d);
      EXPECT_TRUE(DiagnoseCube().empty()) << "layer " << layer << " direction " << d << "\n"
                                          << Describe(DiagnoseCube());
    }
}

// All 24 positions of the whole cube, each on a scrambled cube: the centres move, and the
// check follows them. Renaming the colours (any permutation, mirror schemes included)
// changes nothing either.
TEST(DiagnoseSolvable, TurnedAsAWholeOrWithColoursRenamed) {
  std::mt19937 rng(11);
  for (unsigned seed : {0u, 5u, 9u}) {
    Cube start;
    Scramble(start, seed, seed == 0 ? 0 : 30);
    for (int up = 0; up < 6; ++up)
      for (int spin = 0; spin < 4; ++spin) {
        Cube cube;
        std::memcpy(cube, start, sizeof cube);
        // Spun about X, then face 1 carried to one of the six sides: up 0 leaves it,
        // 1..3 turns about Y once to three times, 4 and 5 about Z once and three times.
        for (int i = 0; i < spin; ++i) RotateWhole(cube, 0);
        for (int i = 0; i < (up <= 3 ? up : (up == 4 ? 1 : 3)); ++i) RotateWhole(cube, up <= 3 ? 1 : 2);
        auto faults = DiagnoseCube(cube);
        EXPECT_TRUE(faults.empty()) << "seed " << seed << " up " << up << " spin " << spin << "\n" << Describe(faults);

        uint8_t map[7];
        ASSERT_TRUE(CentreMapping(map, cube));
        if (seed == 0) {  // the solved cube turned as a whole maps back to the solved one
          for (int i = 0; i < StickerCount; ++i) EXPECT_EQ(map[cube[i]], i / 9 + 1);
        }

        uint8_t rename[7] = {0, 1, 2, 3, 4, 5, 6};
        std::shuffle(rename + 1, rename + 7, rng);
        for (uint8_t& c : cube) c = rename[c];
        EXPECT_TRUE(DiagnoseCube(cube).empty()) << Describe(DiagnoseCube(cube));
      }
  }
  ResetStickers();
  uint8_t map[7];
  ASSERT_TRUE(CentreMapping(map));
  for (int c = 0; c <= 6; ++c) EXPECT_EQ(map[c], c);
}

// --- Faults made by hand from valid cubes ------------------------------------------------

class DiagnoseFaults : public ::testing::TestWithParam<unsigned> {
 protected:
  void SetUp() override { Scramble(cube, GetParam(), GetParam() == 0 ? 0 : 35); }
  std::vector<CubeFault> Faults() { return DiagnoseCube(cube); }
  Cube cube;
};

// Screen orientation of three outward directions seen from outside a corner: +1 when
// a → b → c runs counter-clockwise.
int TurningSense(const std::array<int, 3>& corner, const std::array<int, 3>& a, const std::array<int, 3>& b,
                 const std::array<int, 3>& c) {
  // The viewer looks from `corner` towards the centre. up ⟂ corner; right = up × corner.
  std::array<int, 3> up = {corner[1], -corner[0], 0};
  std::array<int, 3> right = {up[1] * corner[2] - up[2] * corner[1], up[2] * corner[0] - up[0] * corner[2],
                              up[0] * corner[1] - up[1] * corner[0]};
  auto dot = [](const std::array<int, 3>& x, const std::array<int, 3>& y) {
    return x[0] * y[0] + x[1] * y[1] + x[2] * y[2];
  };
  auto sx = [&](const std::array<int, 3>& v) { return dot(v, right); };
  auto sy = [&](const std::array<int, 3>& v) { return dot(v, up); };
  const int area = (sx(b) - sx(a)) * (sy(c) - sy(a)) - (sx(c) - sx(a)) * (sy(b) - sy(a));
  return area > 0 ? 1 : -1;
}

// Turns the corner at `cubie` in place a third of a turn, counter-clockwise (+1) or
// clockwise (-1) as seen looking at it.
void TwistCorner(Cube& cube, std::array<int, 3> cubie, int sense) {
  std::vector<StickerRef> s = CubieStickers(cubie);
  ASSERT_EQ(s.size(), 3u);
  auto out = [&](int i) { return PlaceOf(s[i].Face, s[i].Row, s[i].Col).Outward; };
  if (TurningSense(cubie, out(0), out(1), out(2)) != sense) std::swap(s[1], s[2]);
  // Counter-clockwise order s0 → s1 → s2: each colour moves one step along it.
  uint8_t& a = cube[At(s[0].Face, s[0].Row, s[0].Col)];
  uint8_t& b = cube[At(s[1].Face, s[1].Row, s[1].Col)];
  uint8_t& c = cube[At(s[2].Face, s[2].Row, s[2].Col)];
  uint8_t last = c;
  c = b;
  b = a;
  a = last;
}

TEST_P(DiagnoseFaults, TwistedCornerSaysWhichWayToTurnOne) {
  TwistCorner(cube, {1, -1, -1}, +1);
  auto faults = Faults();
  ASSERT_EQ(Groups(faults), std::vector{FaultGroup::Twist}) << Describe(faults);
  EXPECT_EQ(faults[0].Text,
            "one corner is twisted: turn a corner in place a third of a turn clockwise (as seen looking at that corner)");
  // Following the advice on any other corner makes the cube solvable.
  TwistCorner(cube, {-1, 1, 1}, -1);
  EXPECT_TRUE(Faults().empty()) << Describe(Faults());

  TwistCorner(cube, {1, 1, -1}, -1);
  faults = Faults();
  ASSERT_EQ(Groups(faults), std::vector{FaultGroup::Twist});
  EXPECT_NE(faults[0].Text.find("counter-clockwise"), std::string::npos);
  TwistCorner(cube, {1, 1, -1}, +1);
  EXPECT_TRUE(Faults().empty());
}

TEST_P(DiagnoseFaults, FlippedEdgeAndStickersSwappedOnOnePiece) {
  std::swap(cube[AtPos(3, 6)], cube[AtPos(5, 4)]);  // one edge turned over
  auto faults = Faults();
  ASSERT_EQ(Groups(faults), std::vector{FaultGroup::Flip}) << Describe(faults);
  EXPECT_EQ(faults[0].Text, "one edge is flipped: turn an edge over in place");
  std::swap(cube[AtPos(3, 6)], cube[AtPos(5, 4)]);

  // Two stickers of a corner exchanged: a mirror image of a real corner.
  std::swap(cube[AtPos(2, 9)], cube[AtPos(4, 7)]);
  faults = Faults();
  ASSERT_EQ(Groups(faults), std::vector{FaultGroup::Corner}) << Describe(faults);
  EXPECT_NE(faults[0].Text.find("a corner with these colours has them the other way round"), std::string::npos);
  EXPECT_EQ(faults[0].Where.size(), 3u);
  EXPECT_TRUE(Names(faults[0], 2, 3, 3) && Names(faults[0], 4, 3, 1) && Names(faults[0], 5, 3, 3));
}

// Pieces exchanged whole, each keeping the colour it showed on face 1 on face 1: only the
// permutation parity is wrong, and two such exchanges cancel.
TEST_P(DiagnoseFaults, SwappedPiecesBreakParityOnly) {
  Cube start;
  std::memcpy(start, cube, sizeof start);
  auto swapAt = [&](int f1, int p1, int f2, int p2) { std::swap(cube[AtPos(f1, p1)], cube[AtPos(f2, p2)]); };
  swapAt(1, 2, 1, 4);  // edges 1/2-4/2 and 1/4-6/2
  swapAt(4, 2, 6, 2);
  auto faults = Faults();
  ASSERT_EQ(Groups(faults), std::vector{FaultGroup::Parity}) << Describe(faults);
  EXPECT_EQ(faults[0].Text, "two pieces are swapped: exchange two edges or two corners");

  swapAt(1, 1, 1, 3);  // corners 1/1-4/3-6/1 and 1/3-5/3-4/1, in neighbour order
  swapAt(4, 3, 5, 3);
  swapAt(6, 1, 4, 1);
  EXPECT_TRUE(Faults().empty()) << Describe(Faults());

  std::memcpy(cube, start, sizeof cube);
  swapAt(1, 1, 1, 3);
  swapAt(4, 3, 5, 3);
  swapAt(6, 1, 4, 1);
  EXPECT_EQ(Groups(Faults()), std::vector{FaultGroup::Parity}) << Describe(Faults());
}

TEST_P(DiagnoseFaults, OneStickerRecolouredIsAColourCount) {
  const uint8_t was = cube[At(6, 3, 1)];
  const uint8_t now = static_cast<uint8_t>(was % 6 + 1);
  cube[At(6, 3, 1)] = now;
  auto faults = Faults();
  ASSERT_EQ(Groups(faults), (std::vector{FaultGroup::Colours, FaultGroup::Colours})) << Describe(faults);
  const CubeFault& fewer = faults[0].Text.find(" 8 ") != std::string::npos ? faults[0] : faults[1];
  const CubeFault& more = &fewer == &faults[0] ? faults[1] : faults[0];
  EXPECT_EQ(fewer.Text, "colour " + std::to_string(was) + " appears 8 times (a cube has 9 of each)");
  EXPECT_EQ(more.Text, "colour " + std::to_string(now) + " appears 10 times (a cube has 9 of each)");
  EXPECT_EQ(more.Where.size(), 10u);
  EXPECT_TRUE(Names(more, 6, 3, 1));
}

TEST_P(DiagnoseFaults, CentreColourTakenTwice) {
  // The centre of face 3 painted like that of face 1, and a colour-1 sticker given face
  // 3's old colour, so that every colour still appears nine times.
  const uint8_t c1 = cube[AtPos(1, 5)], c3 = cube[AtPos(3, 5)];
  int other = -1;
  for (int i = 0; i < StickerCount && other < 0; ++i)
    if (cube[i] == c1 && i % 9 != 4) other = i;
  cube[AtPos(3, 5)] = c1;
  cube[other] = c3;
  auto faults = Faults();
  ASSERT_EQ(Groups(faults), std::vector{FaultGroup::Centres}) << Describe(faults);
  EXPECT_EQ(faults[0].Text,
            "the centres of faces U and F are both colour " + std::to_string(c1) + " (each centre needs its own colour)");
  EXPECT_TRUE(Names(faults[0], 1, 2, 2) && Names(faults[0], 3, 2, 2));

  // Without the compensation the counts are off too; all of the first group is told.
  cube[other] = c1;
  EXPECT_EQ(Groups(Faults()), (std::vector{FaultGroup::Colours, FaultGroup::Colours, FaultGroup::Centres}));
}

INSTANTIATE_TEST_SUITE_P(SolvedAndScrambled, DiagnoseFaults, ::testing::Values(0u, 3u, 17u, 2024u));

// --- Faults at one place -------------------------------------------------------------------

TEST(DiagnosePieces, ColoursThatMakeNoPieceAreNamedWithTheirPlace) {
  ResetStickers();
  Cube cube;
  std::memcpy(cube, Stickers, sizeof cube);
  std::swap(cube[AtPos(4, 2)], cube[AtPos(2, 8)]);  // edge 1/2-4/2 gets colours 1, 2
  auto faults = DiagnoseCube(cube);
  ASSERT_EQ(Groups(faults), (std::vector{FaultGroup::Edge, FaultGroup::Edge})) << Describe(faults);
  EXPECT_EQ(faults[0].Text,
            "face U row 1 column 2, face B row 1 column 2: colours 1, 2 are not an edge of this cube "
            "(colours 1 and 2 are on opposite centres)");
  EXPECT_EQ(faults[1].Text,
            "face D row 3 column 2, face B row 3 column 2: colours 4, 4 are not an edge of this cube "
            "(colour 4 is there twice)");

  std::memcpy(cube, Stickers, sizeof cube);
  std::swap(cube[AtPos(4, 3)], cube[AtPos(2, 9)]);  // corner 1/1-4/3-6/1 gets 1, 2, 6
  faults = DiagnoseCube(cube);
  ASSERT_EQ(Groups(faults), (std::vector{FaultGroup::Corner, FaultGroup::Corner})) << Describe(faults);
  EXPECT_EQ(faults[0].Text,
            "face U row 1 column 1, face B row 1 column 3, face L row 1 column 1: colours 1, 2, 6 are not a corner of "
            "this cube (colours 1 and 2 are on opposite centres)");
  EXPECT_NE(faults[1].Text.find("colour 4 is there twice"), std::string::npos);
  EXPECT_TRUE(Names(faults[1], 2, 3, 3) && Names(faults[1], 4, 3, 1) && Names(faults[1], 5, 3, 3));
}

TEST(DiagnosePieces, APieceInTwoPlacesNamesBoth) {
  ResetStickers();
  Cube cube;
  std::memcpy(cube, Stickers, sizeof cube);
  // Edge 1/2-4/2 made a second 1-3 edge, edge 2/2-3/8 a second 2-4 edge: the counts
  // still hold.
  cube[AtPos(4, 2)] = 3;
  cube[AtPos(3, 8)] = 4;
  auto faults = DiagnoseCube(cube);
  ASSERT_EQ(Groups(faults), (std::vector{FaultGroup::Edge, FaultGroup::Edge})) << Describe(faults);
  const std::string& first = faults[0].Text;
  EXPECT_EQ(first,
            "the edge with colours 1, 3 is there twice: at face U row 1 column 2, face B row 1 column 2 and at "
            "face U row 3 column 2, face F row 1 column 2 (a cube has each piece once)");
  EXPECT_EQ(faults[0].Where.size(), 4u);
  EXPECT_TRUE(Names(faults[1], 2, 1, 2) && Names(faults[1], 3, 3, 2) && Names(faults[1], 2, 3, 2) &&
              Names(faults[1], 4, 3, 2));
}

TEST(DiagnoseBytes, NumbersThatAreNoColourNeverReachThePieceChecks) {
  ResetStickers();
  Cube cube;
  std::memcpy(cube, Stickers, sizeof cube);
  cube[At(1, 1, 1)] = 0;
  auto faults = DiagnoseCube(cube);
  ASSERT_EQ(Groups(faults), (std::vector{FaultGroup::Colours, FaultGroup::Colours}));
  EXPECT_EQ(faults[0].Text, "face U row 1 column 1 holds 0, which is not a colour (colours are 1 to 6)");
  EXPECT_EQ(faults[1].Text, "colour 1 appears 8 times (a cube has 9 of each)");

  cube[At(3, 2, 2)] = 255;  // a centre too: no centre fault is made from it
  cube[At(6, 3, 3)] = 7;
  faults = DiagnoseCube(cube);
  ASSERT_EQ(Groups(faults), (std::vector{FaultGroup::Colours, FaultGroup::Colours, FaultGroup::Colours,
                                         FaultGroup::Colours}))
      << Describe(faults);
  EXPECT_EQ(faults[0].Text,
            "3 stickers hold numbers that are not colours (colours are 1 to 6): face U row 1 column 1 holds 0, "
            "face F row 2 column 2 holds 255 and face L row 3 column 3 holds 7");

  std::memset(cube, 0, sizeof cube);
  faults = DiagnoseCube(cube);
  ASSERT_EQ(faults.size(), 7u);
  EXPECT_EQ(faults[0].Where.size(), 54u);
  EXPECT_NE(faults[0].Text.find("and 51 more"), std::string::npos) << faults[0].Text;
  EXPECT_EQ(faults[1].Text, "colour 1 does not appear (a cube has 9 of each)");
  uint8_t map[7];
  EXPECT_FALSE(CentreMapping(map, cube));
}

TEST(DiagnoseWords, EveryGroupHasItsWord) {
  EXPECT_STREQ(FaultGroupWord(FaultGroup::Colours), "colours");
  EXPECT_STREQ(FaultGroupWord(FaultGroup::Centres), "centres");
  EXPECT_STREQ(FaultGroupWord(FaultGroup::Corner), "corner");
  EXPECT_STREQ(FaultGroupWord(FaultGroup::Edge), "edge");
  EXPECT_STREQ(FaultGroupWord(FaultGroup::Twist), "twist");
  EXPECT_STREQ(FaultGroupWord(FaultGroup::Flip), "flip");
  EXPECT_STREQ(FaultGroupWord(FaultGroup::Parity), "parity");
}

}  // namespace
