#pragma once
// The face letters of the notation (U, D, F, B, R, L) on the centre of each face of the
// drawn cube and of each face map: dark block letters in a light outline, readable on
// any sticker colour.

#include "render/model.h"

// Face 1..6's letter, upright, in the plane through origin spanned by the unit vectors
// right and up (right x up pointing to the side it is seen from), its outline halfHeight
// above and below origin. The outline lies lift in front of the plane, the letter twice
// that. Drawn in the current colour state, unlit and untextured by the caller.
void DrawFaceLetter(int face, const Point3& origin, const Point3& right, const Point3& up, float halfHeight,
                    float lift);

// The six letters on the centre stickers of the drawn cube, in its model space: upright
// as each face's map is (they name the face, so they stay upright while a centre spins
// under them) and lifted off the sticker wherever it is (New's assembly moves it).
void DrawCubeLetters();
