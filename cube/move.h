#pragma once
// One move of the cube, as the solver plans it, the queue carries it and the
// command-line tool reads and prints it: a layer and a signed count of quarter turns.
// Also the angle rule every turn shares.

#include <cstdint>

struct Move {
  int8_t Layer;     // 1..6; 0 ends a fixed sequence
  int8_t Quarters;  // ±1 or ±2: +1 turns the layer +90 degrees about its axis
};

inline constexpr long double Pi = 3.141592653589793238462643383279502884L;

// The angles of turns are kept in 32-bit floats, and how many ticks a turn lasts
// depends on them: quarterTurns × π/2 is formed at full precision and rounded once
// when stored (±1.5707964 or ±3.1415927). With π/SpeedDivisor formed the same way a
// quarter turn lasts exactly SpeedDivisor/2 ticks at every speed the menu offers.
inline float QuarterTurnsAngle(int quarterTurns) { return static_cast<float>(quarterTurns * Pi / 2); }
