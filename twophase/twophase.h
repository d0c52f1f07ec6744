#pragma once
// Short solutions: a second solver beside the seven-step one, for a person who solves a
// real cube by hand from a list of turns. It searches in two phases (first into the
// group of U, D, R2, L2, F2, B2, then to the solved cube inside it) and finds a solution
// of at most 20 face turns (a half turn counts one) for every cube that can be solved.
//
// The cube is read through its centres, as the seven-step solver reads it: colour c
// stands for the face whose centre has colour c, so a cube held any way up and in any
// colour scheme is solved so that every face ends in the colour of its centre.

#include <cstdint>
#include <vector>

#include "cube/move.h"
#include "cube/stickers.h"

struct ShortSearch {
  // A solution of at most this many turns ends the search at once.
  int MaxTurns = 20;
  // With more than 0: the search goes on looking for shorter solutions for this many
  // seconds (wall clock, counted from the call) and returns the shortest it found. It
  // never returns before it has one of at most 20 turns.
  double Seconds = 0;
};

// The longer search: as short as 0.1 s of looking finds.
inline constexpr ShortSearch LongerShortSearch = {0, 0.1};

// Builds the solver's tables now rather than at the first solve (about 0.1 s, 7 MB).
void PrepareShortSolver();

// Fills `solution` with the moves that solve the 54 stickers (laid out as Stickers) and
// returns true; an empty solution for a solved cube. Returns false, with `solution`
// empty, for a cube that no turns can solve (DiagnoseCube says why). Thread-safe.
bool SolveShort(const uint8_t (&stickers)[StickerCount], std::vector<Move>& solution,
                const ShortSearch& search = {});
