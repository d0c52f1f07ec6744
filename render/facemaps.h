#pragma once
// The six flat face maps (the "Projections" view) and picking a sticker on them.

enum class MapMode { Render, Select };

void DrawProjections(MapMode mode);
void DrawProjectionMap(int face, float centreX, float centreY, MapMode mode);
// The sticker number 1..54 under client pixel (x, y) (y grows downwards), or -1 when
// no single square is hit. Needs the context current; leaves the pick matrix in the
// projection matrix (the next frame sets it again).
int PickProjectionSticker(int x, int y, int clientWidth, int clientHeight);
