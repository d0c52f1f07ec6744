#pragma once
// The ring of ten translucent arrows around the selected layer.

#include "render/draw.h"

constexpr int TurnArrowCount = 10;

// Needs SceneQuadric (render/frame.h) to exist. Nothing for a layer outside 1..6.
void DrawTurnArrows(int layer, int direction, float arrowPhase);
void DrawArrow(int n, float arrowPhase);
// Where an arrow lies in the window: rectangles that together hold every pixel it
// draws, and the farthest distance from the eye (along the view axis) of any of its
// points.
struct ArrowPlace {
  static constexpr int PartCount = 3;
  ClientRect Parts[PartCount];
  double Farthest = 0;
};
// The places of the arrows (arrow n in places[n - 1]) that DrawTurnArrows would draw
// with the same arguments under the current matrices and viewport (empty rectangles
// off the screen, and for all of them for a layer outside 1..6). Draws nothing.
void TurnArrowPlaces(int layer, int direction, float arrowPhase, ArrowPlace places[TurnArrowCount]);
