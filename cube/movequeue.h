#pragma once
// The queue that carries the solver's plan to the animation: two parallel arrays,
// the layer and the signed angle (quarter turns × π/2, as a 32-bit float) of each move.

#include <cstdint>
#include <vector>

extern std::vector<int32_t> MoveLayers;
extern std::vector<float> MoveAngles;
extern int32_t MoveCount;   // moves in the queue (the Build command may zero it alone)
extern int32_t MovePos;     // index of the next move to play

// Appends (layer 1..6, quarter turns ±1 or ±2).
void AddMove(int layer, int quarterTurns);
// Empties the queue; MovePos is left alone.
void ClearMoves();
