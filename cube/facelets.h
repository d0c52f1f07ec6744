#pragma once
// Facelet strings, the form in which cube programs exchange a cube: 54 letters, nine
// for each face in the order U R F D L B, each face read row by row as seen from
// outside with U above it (U itself with B above it, D with F above it). A letter names
// the face whose centre has that sticker's colour, so the solved cube is
// "UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB" whatever its colours.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "cube/stickers.h"

inline constexpr int FaceletCount = 54;

// The face of each nine letters (face numbers 1..6 of the notation: U R F D L B).
inline constexpr int FaceletFaces[6] = {1, 5, 3, 2, 6, 4};

// The byte of Stickers each letter of a facelet string describes.
extern const std::array<uint8_t, FaceletCount> FaceletSticker;

// The facelet string of 54 stickers (laid out as Stickers). False, leaving `text`
// empty, when a byte is not a colour 1..6 or the centres are not six different colours
// (DiagnoseCube says which).
bool StickersToFacelets(const uint8_t (&stickers)[StickerCount], std::string& text);

// The stickers of a facelet string, in the colours of the solved cube: the sticker of
// each letter gets the number of the face the letter names. False, with the reason in
// `why`, for a string that is not 54 letters U R F D L B, nine of each, each centre
// naming its own face; `stickers` is then unchanged. Whether turns can solve the cube
// is left to DiagnoseCube.
bool FaceletsToStickers(std::string_view text, uint8_t (&stickers)[StickerCount], std::string& why);
