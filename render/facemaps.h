#pragma once
// The six flat face maps (the "Projections" view) and picking a sticker on them.

#include "render/draw.h"

enum class MapMode { Render, Select };

void DrawProjections(MapMode mode);
void DrawProjectionMap(int face, float centreX, float centreY, MapMode mode);
// The paint colour (1..6) beside the maps: a square of that colour with its number.
// Drawn only, never picked.
void DrawPaintSwatch(int colour);
// PickProjectionSticker (render/draw.h) needs the context current and leaves the pick
// matrix in the projection matrix (the next frame sets it again).
