#pragma once
// What a layer turn does to Stickers. Direction +1 turns the layer by +90 degrees
// about the positive X (layers 1, 2), Y (3, 4) or Z (5, 6) axis in the right-hand
// sense; -1 the other way.

// The nine stickers of the turned face, one quarter turn.
void TurnFaceGrid(int face, int direction);
// The twelve stickers of the neighbouring faces that lie in the layer, one quarter turn.
void TurnRing(int layer, int direction);
// TurnFaceGrid and TurnRing together: one quarter turn of the layer.
void QuarterTurn(int layer, int direction);
