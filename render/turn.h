#pragma once
// The layer turn in progress, as the drawn cube shows it: which nine cubies move, the
// rotation that moves them, the signed step of each tick and the angle still to go.
// Stickers already hold the turn's result from its first tick; the drawing catches up
// one step a tick.

#include <cstdint>

#include "render/model.h"

extern bool TurnInProgress;   // a layer turn is being animated
extern float TurnStep;        // signed radians per tick of the turn in progress
extern float TurnRemaining;   // radians still to turn

// The cubies the turn moves ([1..MovingCount]) and the rotation that moves them.
extern uint8_t MovingCubies[10];
extern int MovingCount;
extern PointRotation TurnRotate;

// Chooses MovingCubies and TurnRotate for a turn of layer 1..6 from the cubies'
// current centres (beyond +1.0 or -1.0 on the layer's axis). Returns how many cubies
// were chosen (nine for any cube that only turns have moved); nothing changes for
// another layer.
int ChooseMovingCubies(int layer);

// Starts the drawn turn of layer by angle radians (> 0), step radians a tick (signed).
void StartTurnGeometry(int layer, float step, float angle);
// One tick of the turn: the moving cubies rotate by TurnStep and TurnRemaining shrinks
// by its size. True when the turn has reached its end with this tick.
bool AdvanceTurnGeometry();
// No turn in progress any more: at its end, or dropped (nothing left to turn) with
// its layer where it is.
void EndTurnGeometry();
void DropTurnGeometry();
// No turn, none chosen (start-up).
void ResetTurnGeometry();

// Where the point (mx, my, mz) of cubie c will rest when the turn in progress ends:
// rotated by the angle still to go if c is turning, as it is otherwise.
void PlaceAtTurnEnd(int c, double& mx, double& my, double& mz);
