#include "cube/notation.h"

namespace {

int FaceOfLetter(char c) {
  for (int f = 1; f <= 6; ++f)
    if (FaceLetters[f] == c) return f;
  return 0;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Length of a prime mark at text[i]: 1 for ', 3 for the UTF-8 of ’ (U+2019) or ′ (U+2032),
// 0 for anything else.
std::size_t PrimeLength(std::string_view text, std::size_t i) {
  if (text[i] == '\'') return 1;
  if (text.substr(i, 3) == "\xE2\x80\x99" || text.substr(i, 3) == "\xE2\x80\xB2") return 3;
  return 0;
}

// Why a character that should start a turn does not.
std::string NotAFace(char c) {
  const std::string quoted = (c >= 0x21 && c <= 0x7E) ? std::string("'") + c + "'" : "this character";
  std::string what;
  switch (c) {
    case 'M': case 'E': case 'S':
      what = " is a middle-layer turn";
      break;
    case 'x': case 'y': case 'z':
      what = " is a turn of the whole cube";
      break;
    case 'u': case 'd': case 'f': case 'b': case 'r': case 'l':
      what = " is a turn of two layers";
      break;
    default:
      return quoted + " is not a face letter (U D F B R L)";
  }
  return quoted + what + "; only the six outer faces turn (U D F B R L)";
}

}  // namespace

std::string FormatMove(Move move) {
  if (move.Layer < 1 || move.Layer > 6) return "?";
  std::string token(1, FaceLetters[move.Layer]);
  if (move.Quarters == 2 || move.Quarters == -2) return token + "2";
  if (move.Quarters == ClockwiseDirection(move.Layer)) return token;
  if (move.Quarters == -ClockwiseDirection(move.Layer)) return token + "'";
  return "?";
}

std::string FormatMoves(std::span<const Move> moves) {
  std::string text;
  for (const Move& m : moves) {
    if (!text.empty()) text += ' ';
    text += FormatMove(m);
  }
  return text;
}

bool ParseMoves(std::string_view text, std::vector<Move>& moves, std::string& why) {
  moves.clear();
  why.clear();
  std::size_t i = 0;
  auto fail = [&](std::size_t at, const std::string& reason) {
    moves.clear();
    why = "at character " + std::to_string(at + 1) + ": " + reason;
    return false;
  };
  while (i < text.size()) {
    if (IsBlank(text[i])) {
      ++i;
      continue;
    }
    const int face = FaceOfLetter(text[i]);
    if (face == 0) {
      if (PrimeLength(text, i) > 0) return fail(i, "' must follow a face letter directly");
      if (text[i] >= '0' && text[i] <= '9') return fail(i, "a number must follow a face letter directly");
      return fail(i, NotAFace(text[i]));
    }
    const char letter = text[i++];
    int quarters = ClockwiseDirection(face);
    if (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      if (text[i] != '2')
        return fail(i, std::string("a turn is ") + letter + ", " + letter + "' or " + letter + "2");
      quarters *= 2;
      ++i;
    }
    if (i < text.size()) {
      if (const std::size_t prime = PrimeLength(text, i)) {
        quarters = -quarters;
        i += prime;
      }
    }
    moves.push_back({static_cast<int8_t>(face), static_cast<int8_t>(quarters)});
  }
  return true;
}
