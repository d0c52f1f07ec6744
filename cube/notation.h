#pragma once
// The standard notation of turns. Faces are named after the unfolded face maps as the
// user sees them: F is the middle map (face 3), U the map above it (face 1), D the one
// below (face 2), R the one to its right (face 5), L the one to its left (face 6) and B
// the one at the far right (face 4). A letter alone is a quarter turn clockwise as seen
// looking at that face from outside the cube, a letter with ' a quarter turn
// counter-clockwise, a letter with 2 a half turn.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "cube/move.h"

// Index = face 1..6.
inline constexpr char FaceLetters[7] = {0, 'U', 'D', 'F', 'B', 'R', 'L'};

// The sign of Move::Quarters that turns the face clockwise as seen from outside: -1 for
// faces 1, 3, 5 (the positive side of their axis), +1 for faces 2, 4, 6.
constexpr int ClockwiseDirection(int face) { return face % 2 == 1 ? -1 : 1; }

// "R", "U'", "F2" (a half turn is "F2" whichever way it turns); "?" for a move that is
// none (layer outside 1..6, quarters not ±1 or ±2).
std::string FormatMove(Move move);
// The moves' tokens separated by single spaces; "" for no moves.
std::string FormatMoves(std::span<const Move> moves);

// Reads a sequence such as "R U R' U2"; blanks between the turns may be left out or
// repeated ("RUR'U2"). "X2" is the half turn clockwise, "X2'" the half turn
// counter-clockwise; the typographic apostrophes ’ and ′ count as '. On success fills
// `moves` (empty for a blank text) and returns true; otherwise empties `moves`, puts the
// reason into `why` (which character, what is wrong) and returns false.
bool ParseMoves(std::string_view text, std::vector<Move>& moves, std::string& why);
