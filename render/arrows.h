#pragma once
// The ring of ten translucent arrows around the selected layer.

// Needs SceneQuadric (render/frame.h) to exist. Nothing for a layer outside 1..6.
void DrawTurnArrows(int layer, int direction, float arrowPhase);
void DrawArrow(int n, float arrowPhase);
