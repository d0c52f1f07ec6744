#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "cube/notation.h"
#include "cube/stickers.h"
#include "cube/turns.h"
#include "geometry_model.h"

namespace {

// Where each face map lies in the unfolded net on screen, in map steps (x to the right,
// y up): 3 in the middle, 1 above, 2 below, 5 to the right, 4 beyond it, 6 to the left.
// Each map draws row 1 at the top and column 1 at the left.
constexpr int NetX[7] = {0, 0, 0, 0, 2, 1, -1};
constexpr int NetY[7] = {0, 1, -1, 0, 0, 0, 0};

std::array<int, 3> Minus(std::array<int, 3> a, std::array<int, 3> b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
std::array<int, 3> Cross(std::array<int, 3> a, std::array<int, 3> b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

int FaceAtNet(int x, int y) {
  for (int f = 1; f <= 6; ++f)
    if (NetX[f] == x && NetY[f] == y) return f;
  return 0;
}

// The net is a true unfolding seen from outside: each map's right (column 1 → 3) and up
// (row 3 → 1) span its face with the outward normal towards the viewer, and the squares
// that touch across two neighbouring maps belong to the same cubies. The letters name
// the maps where the user sees them.
TEST(NotationFaces, LettersNameTheMapsOfTheNetSeenFromOutside) {
  for (int f = 1; f <= 6; ++f) {
    auto right = Minus(PlaceOf(f, 2, 3).Cubie, PlaceOf(f, 2, 1).Cubie);
    auto up = Minus(PlaceOf(f, 1, 2).Cubie, PlaceOf(f, 3, 2).Cubie);
    auto normal = Cross(right, up);
    const auto out = PlaceOf(f, 2, 2).Outward;
    EXPECT_EQ(normal, (std::array<int, 3>{4 * out[0], 4 * out[1], 4 * out[2]})) << "face " << f;

    if (int g = FaceAtNet(NetX[f] + 1, NetY[f])) {  // g right of f
      for (int r = 1; r <= 3; ++r) EXPECT_EQ(PlaceOf(f, r, 3).Cubie, PlaceOf(g, r, 1).Cubie) << f << " | " << g;
    }
    if (int g = FaceAtNet(NetX[f], NetY[f] - 1)) {  // g below f
      for (int c = 1; c <= 3; ++c) EXPECT_EQ(PlaceOf(f, 3, c).Cubie, PlaceOf(g, 1, c).Cubie) << f << " over " << g;
    }
  }
  EXPECT_EQ(FaceLetters[FaceAtNet(0, 0)], 'F');
  EXPECT_EQ(FaceLetters[FaceAtNet(0, 1)], 'U');
  EXPECT_EQ(FaceLetters[FaceAtNet(0, -1)], 'D');
  EXPECT_EQ(FaceLetters[FaceAtNet(1, 0)], 'R');
  EXPECT_EQ(FaceLetters[FaceAtNet(-1, 0)], 'L');
  EXPECT_EQ(FaceLetters[FaceAtNet(2, 0)], 'B');
}

// A letter alone turns its face clockwise as the face's map draws it: every square moves
// a quarter turn clockwise about the map's centre. The primed letter turns it back.
TEST(NotationFaces, LetterAloneTurnsItsMapClockwise) {
  for (char letter : std::string("UDFBRL")) {
    std::vector<Move> moves;
    std::string why;
    ASSERT_TRUE(ParseMoves(std::string(1, letter), moves, why)) << why;
    ASSERT_EQ(moves.size(), 1u);
    const int face = moves[0].Layer;
    ASSERT_EQ(FaceLetters[face], letter);
    EXPECT_EQ(moves[0].Quarters, ClockwiseDirection(face));

    for (int i = 0; i < StickerCount; ++i) Stickers[i] = static_cast<uint8_t>(i + 1);
    QuarterTurn(face, moves[0].Quarters);
    for (int r = 1; r <= 3; ++r)
      for (int c = 1; c <= 3; ++c) {
        const int was = 9 * (face - 1) + 3 * (r - 1) + (c - 1) + 1;
        // Map coordinates, x right and y up, centre square at 0, 0; clockwise by a
        // quarter carries (x, y) to (y, -x).
        const int x = c - 2, y = 2 - r;
        const int toX = y, toY = -x;
        EXPECT_EQ(StickerAt(face, 2 - toY, toX + 2), was) << letter << " square row " << r << " column " << c;
      }

    uint8_t turned[StickerCount];
    std::memcpy(turned, Stickers, sizeof turned);
    ASSERT_TRUE(ParseMoves(std::string(1, letter) + "'", moves, why));
    QuarterTurn(moves[0].Layer, moves[0].Quarters);
    for (int i = 0; i < StickerCount; ++i) EXPECT_EQ(Stickers[i], i + 1) << letter << "'";
  }
}

// --- Text ---------------------------------------------------------------------------------

TEST(NotationText, FormatAndParseRoundTrip) {
  std::vector<Move> all;
  std::string expected;
  for (int face = 1; face <= 6; ++face)
    for (int q : {ClockwiseDirection(face), -ClockwiseDirection(face), 2 * ClockwiseDirection(face)}) {
      all.push_back({static_cast<int8_t>(face), static_cast<int8_t>(q)});
      const std::string token = std::string(1, FaceLetters[face]) + (q == 2 || q == -2 ? "2" : q == ClockwiseDirection(face) ? "" : "'");
      EXPECT_EQ(FormatMove(all.back()), token);
      expected += (expected.empty() ? "" : " ") + token;
    }
  EXPECT_EQ(FormatMoves(all), expected);
  std::vector<Move> back;
  std::string why;
  ASSERT_TRUE(ParseMoves(expected, back, why)) << why;
  ASSERT_EQ(back.size(), all.size());
  for (std::size_t i = 0; i < all.size(); ++i) {
    EXPECT_EQ(back[i].Layer, all[i].Layer);
    EXPECT_EQ(back[i].Quarters, all[i].Quarters);
  }

  // A half turn prints as X2 whichever way it turns; X2' reads as the other way.
  EXPECT_EQ(FormatMove({1, 2}), "U2");
  EXPECT_EQ(FormatMove({1, -2}), "U2");
  ASSERT_TRUE(ParseMoves("U2 U2' R2'", back, why));
  EXPECT_EQ(back[0].Quarters, -2);
  EXPECT_EQ(back[1].Quarters, 2);
  EXPECT_EQ(back[2].Quarters, 2);
  EXPECT_EQ(FormatMove({0, 1}), "?");
  EXPECT_EQ(FormatMove({3, 3}), "?");
  EXPECT_EQ(FormatMoves({}), "");
}

TEST(NotationText, BlanksAndApostrophesAreFree) {
  std::vector<Move> spaced, packed, typographic;
  std::string why;
  ASSERT_TRUE(ParseMoves("R U R' U2", spaced, why));
  ASSERT_TRUE(ParseMoves("  RUR'U2\t\n", packed, why));
  ASSERT_TRUE(ParseMoves("R U R\xE2\x80\x99 U2", typographic, why));
  EXPECT_EQ(FormatMoves(packed), "R U R' U2");
  EXPECT_EQ(FormatMoves(typographic), "R U R' U2");
  ASSERT_EQ(spaced.size(), 4u);
  EXPECT_EQ(spaced[2].Layer, 5);
  EXPECT_EQ(spaced[2].Quarters, 1);  // R' is counter-clockwise: +1 on face 5
  ASSERT_TRUE(ParseMoves(" \t ", spaced, why));
  EXPECT_TRUE(spaced.empty());
}

TEST(NotationText, GarbageIsRefusedWithWhereAndWhy) {
  const struct {
    const char* text;
    const char* why;
  } cases[] = {
      {"R Q", "at character 3: 'Q' is not a face letter (U D F B R L)"},
      {"R3", "at character 2: a turn is R, R' or R2"},
      {"R'2", "at character 3: a number must follow a face letter directly"},
      {"'R", "at character 1: ' must follow a face letter directly"},
      {"R''", "at character 3: ' must follow a face letter directly"},
      {"U M", "at character 3: 'M' is a middle-layer turn; only the six outer faces turn (U D F B R L)"},
      {"x", "at character 1: 'x' is a turn of the whole cube; only the six outer faces turn (U D F B R L)"},
      {"r", "at character 1: 'r' is a turn of two layers; only the six outer faces turn (U D F B R L)"},
      {"R,U", "at character 2: ',' is not a face letter (U D F B R L)"},
      {"R\xC3\xA9", "at character 2: this character is not a face letter (U D F B R L)"},
  };
  for (const auto& c : cases) {
    std::vector<Move> moves = {{1, 1}};
    std::string why;
    EXPECT_FALSE(ParseMoves(c.text, moves, why)) << c.text;
    EXPECT_EQ(why, c.why) << c.text;
    EXPECT_TRUE(moves.empty()) << c.text;
  }
}

}  // namespace
