#pragma once
// The six flat face maps (the "Projections" view), drawn at the places of
// render/maplayout.h.

#include "render/maplayout.h"

// Render draws each square in its sticker's colour (and the marks of a failed check);
// Select gives each square its sticker number as its GL selection name instead, so
// that GL's own picking of the drawn squares can be asked.
enum class MapMode { Render, Select };

// letters: in render mode, each map's face letter on its centre square.
void DrawProjections(const MapLayout& layout, MapMode mode, bool letters = false);
void DrawProjectionMap(int face, float centreX, float centreY, float scale, MapMode mode, bool letters = false);
// The paint colour (1..6) beside the maps, in the free place of the net right of face
// 1's map: a square of that colour with its number. Drawn only, never picked.
void DrawPaintSwatch(const MapLayout& layout, int colour);
