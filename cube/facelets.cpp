#include "cube/facelets.h"

#include "cube/diagnose.h"
#include "cube/notation.h"

namespace {

using Vector = std::array<int, 3>;

// Faces 1, 2 lie on the X axis, 3, 4 on Y, 5, 6 on Z; odd faces on the positive side.
constexpr Vector Outward(int face) {
  Vector v{};
  v[(face - 1) / 2] = face % 2 == 1 ? 1 : -1;
  return v;
}

constexpr Vector Cross(const Vector& a, const Vector& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

// Where rows and columns of Stickers run on each face: the axis, and the cubie
// coordinate of row 1 / column 1 along it (row 3 / column 3 is the other side).
struct FaceLayout {
  int RowAxis, RowStart, ColAxis, ColStart;
};
constexpr FaceLayout Layouts[7] = {
  {},
  /* 1 +X */ {1, -1, 2, -1},
  /* 2 -X */ {1, +1, 2, -1},
  /* 3 +Y */ {0, +1, 2, -1},
  /* 4 -Y */ {0, +1, 2, +1},
  /* 5 +Z */ {0, +1, 1, +1},
  /* 6 -Z */ {0, +1, 1, -1},
};

// The face above each face as a facelet string reads it: B above U, F above D, U above
// the four others.
constexpr int FaceAbove(int face) { return face == 1 ? 4 : face == 2 ? 3 : 1; }

// The sticker a letter of the string describes: the face's nine are read row by row
// as seen from outside, the face above at the top, so right = up x outward.
constexpr std::array<uint8_t, FaceletCount> DeriveFaceletStickers() {
  std::array<uint8_t, FaceletCount> map{};
  for (int k = 0; k < 6; ++k) {
    const int face = FaceletFaces[k];
    const Vector out = Outward(face), up = Outward(FaceAbove(face)), right = Cross(up, out);
    const FaceLayout& l = Layouts[face];
    for (int i = 0; i < 9; ++i) {
      const int down = i / 3 - 1, across = i % 3 - 1;  // -1..1 from the centre
      Vector at{};
      for (int a = 0; a < 3; ++a) at[a] = out[a] - down * up[a] + across * right[a];
      const int row = 2 - at[l.RowAxis] * l.RowStart, col = 2 - at[l.ColAxis] * l.ColStart;
      map[9 * k + i] = static_cast<uint8_t>(9 * (face - 1) + 3 * (row - 1) + (col - 1));
    }
  }
  return map;
}

constexpr std::array<uint8_t, FaceletCount> Derived = DeriveFaceletStickers();

constexpr bool EachStickerOnce() {
  int seen[StickerCount] = {};
  for (uint8_t s : Derived) ++seen[s];
  for (int s : seen)
    if (s != 1) return false;
  return true;
}
static_assert(EachStickerOnce());

// The index of the letter in "URFDLB", or -1.
int LetterIndex(char c) {
  for (int k = 0; k < 6; ++k)
    if (FaceLetters[FaceletFaces[k]] == c) return k;
  return -1;
}

std::string TimesText(int n) { return n == 1 ? "once" : n == 2 ? "twice" : std::to_string(n) + " times"; }

}  // namespace

const std::array<uint8_t, FaceletCount> FaceletSticker = Derived;

bool StickersToFacelets(const uint8_t (&stickers)[StickerCount], std::string& text) {
  text.clear();
  uint8_t home[7];
  if (!CentreMapping(home, stickers)) return false;
  for (uint8_t s : stickers)
    if (s < 1 || s > 6) return false;
  text.resize(FaceletCount);
  for (int i = 0; i < FaceletCount; ++i) text[i] = FaceLetters[home[stickers[FaceletSticker[i]]]];
  return true;
}

bool FaceletsToStickers(std::string_view text, uint8_t (&stickers)[StickerCount], std::string& why) {
  why.clear();
  if (text.size() != FaceletCount) {
    why = "a facelet string has 54 letters, this one has " + std::to_string(text.size());
    return false;
  }
  int count[6] = {};
  for (int i = 0; i < FaceletCount; ++i) {
    const int k = LetterIndex(text[i]);
    if (k < 0) {
      const char c = text[i];
      why = "letter " + std::to_string(i + 1) + " is " +
            (c >= 0x21 && c <= 0x7E ? std::string("'") + c + "'" : std::string("not a printable letter")) +
            ", not one of U R F D L B";
      return false;
    }
    ++count[k];
  }
  for (int k = 0; k < 6; ++k) {
    const char own = FaceLetters[FaceletFaces[k]], centre = text[9 * k + 4];
    if (centre != own) {
      why = "letter " + std::to_string(9 * k + 5) + ", the centre of " + own + ", is " + centre +
            ": each centre names its own face";
      return false;
    }
  }
  std::string counts;
  for (int k = 0; k < 6; ++k) {
    if (count[k] == 9) continue;
    if (!counts.empty()) counts += ", ";
    counts += std::string(1, FaceLetters[FaceletFaces[k]]) + " appears " + TimesText(count[k]);
  }
  if (!counts.empty()) {
    why = counts + " (a cube has nine stickers of each face)";
    return false;
  }
  for (int i = 0; i < FaceletCount; ++i)
    stickers[FaceletSticker[i]] = static_cast<uint8_t>(FaceletFaces[LetterIndex(text[i])]);
  return true;
}
