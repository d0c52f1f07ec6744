#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "cube/facelets.h"
#include "cube/notation.h"
#include "cube/stickers.h"
#include "cube/turns.h"

namespace {

std::string FaceletsNow() {
  std::string text;
  EXPECT_TRUE(StickersToFacelets(Stickers, text));
  return text;
}

// Each face turned clockwise once from the solved cube, as other programs write it.
TEST(Facelets, SolvedCubeAndEveryFaceTurn) {
  ResetStickers();
  EXPECT_EQ(FaceletsNow(), "UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB");
  const struct {
    char Face;
    const char* After;
  } turns[] = {
    {'U', "UUUUUUUUUBBBRRRRRRRRRFFFFFFDDDDDDDDDFFFLLLLLLLLLBBBBBB"},
    {'D', "UUUUUUUUURRRRRRFFFFFFFFFLLLDDDDDDDDDLLLLLLBBBBBBBBBRRR"},
    {'R', "UUFUUFUUFRRRRRRRRRFFDFFDFFDDDBDDBDDBLLLLLLLLLUBBUBBUBB"},
    {'L', "BUUBUUBUURRRRRRRRRUFFUFFUFFFDDFDDFDDLLLLLLLLLBBDBBDBBD"},
    {'F', "UUUUUULLLURRURRURRFFFFFFFFFRRRDDDDDDLLDLLDLLDBBBBBBBBB"},
    {'B', "RRRUUUUUURRDRRDRRDFFFFFFFFFDDDDDDLLLULLULLULLBBBBBBBBB"},
  };
  for (const auto& t : turns) {
    ResetStickers();
    std::vector<Move> moves;
    std::string why;
    ASSERT_TRUE(ParseMoves(std::string(1, t.Face), moves, why));
    QuarterTurn(moves[0].Layer, moves[0].Quarters);
    EXPECT_EQ(FaceletsNow(), t.After) << t.Face;
    uint8_t back[StickerCount];
    ASSERT_TRUE(FaceletsToStickers(t.After, back, why)) << why;
    EXPECT_EQ(std::memcmp(back, Stickers, StickerCount), 0) << t.Face;
  }
}

// A letter names the face whose centre has the colour, so a cube in other colours or
// held another way up reads as the same string once its colours follow its centres.
TEST(Facelets, LettersFollowTheCentresNotTheColours) {
  ResetStickers();
  std::mt19937 random(3);
  for (int i = 0; i < 40; ++i) QuarterTurn(1 + static_cast<int>(random() % 6), random() % 2 ? 1 : -1);
  const std::string plain = FaceletsNow();
  const uint8_t rename[7] = {0, 4, 6, 1, 5, 3, 2};
  for (uint8_t& s : Stickers) s = rename[s];
  EXPECT_EQ(FaceletsNow(), plain);
  Stickers[4] = Stickers[13];  // two centres alike: no letters for the colours
  std::string text = "x";
  EXPECT_FALSE(StickersToFacelets(Stickers, text));
  EXPECT_TRUE(text.empty());
}

TEST(Facelets, MalformedStringsSayWhy) {
  const std::string solved = "UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB";
  const struct {
    std::string Text, Why;
  } bad[] = {
    {solved.substr(1), "a facelet string has 54 letters, this one has 53"},
    {"UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBBB", "this one has 55"},
    {"UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBx", "letter 54 is 'x', not one of U R F D L B"},
    {"UUUURUUUURRRRURRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB", "letter 5, the centre of U, is R"},
    {"UUUUUUUURRRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB", "U appears 8 times, R appears 10 times"},
  };
  for (const auto& b : bad) {
    uint8_t stickers[StickerCount];
    std::memset(stickers, 9, sizeof stickers);
    std::string why;
    EXPECT_FALSE(FaceletsToStickers(b.Text, stickers, why)) << b.Text;
    EXPECT_NE(why.find(b.Why), std::string::npos) << why;
    EXPECT_EQ(stickers[0], 9) << "a refused string leaves the stickers alone";
  }
}

}  // namespace
