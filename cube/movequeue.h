#pragma once
// The queue that carries the solver's plan to the animation: two parallel arrays,
// the layer and the signed angle (quarter turns × π/2, as a 32-bit float) of each move.
// Only the routines below change it.

#include <cstdint>
#include <span>
#include <vector>

#include "cube/move.h"

extern std::vector<int32_t> MoveLayers;
extern std::vector<float> MoveAngles;
extern int32_t MoveCount;   // moves in the queue
extern int32_t MovePos;     // index of the next move to play

// Appends (layer 1..6, quarter turns ±1 or ±2).
void AddMove(int layer, int quarterTurns);
inline void AddMove(Move m) { AddMove(m.Layer, m.Quarters); }
// Appends the moves in the order written; nothing is merged or cancelled.
void AddMoves(std::span<const Move> moves);
// Empties the queue; MovePos is left alone.
void ClearMoves();
// The next move to play is the first one again.
void RewindMoves();

// The move at MovePos, which then moves on: its layer, its angle and whether it is the
// last one queued. False, with nothing changed, when MovePos is not in the queue.
struct QueuedMove {
  int Layer;
  float Angle;
  bool Last;
};
bool TakeNextMove(QueuedMove& move);
