#pragma once
// Drawing the cubies of the drawn cube (render/model.h) with the GL state of the frame.

// Draws cubie S (1..27); textured draws each sticker with the picture of its colour
// (StickerQuad::ColourNumber), plainly where that picture did not load.
void DrawCubie(int S, bool textured);
void DrawSticker(int S, int f, bool textured);

class WindowBox;
// Adds to box the points that bound everything DrawCubie (S) draws: its body corners
// and the corners of its present stickers.
void AddCubieToBox(int S, WindowBox& box);
