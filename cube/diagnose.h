#pragma once
// Whether a cube's stickers can be solved by turns, and if not, why.
//
// The check works relative to the centres: the six centres must carry six different
// colours, and the colour on the centre of face f is the home colour of face f. Any
// arrangement of six different centre colours is a colour scheme (a cube turned as a
// whole, or with its colours renamed, is as solvable as before).
//
// The faults come in groups, checked in this order; a group is checked only when every
// earlier group found nothing:
//   colours  a colour number is not on exactly nine stickers, or a byte is not 1..6
//   centres  two centres share a colour
//   corner   a corner or edge place holds colours that are no piece of this cube (a
//   edge     colour twice, colours of opposite centres, a mirror-image corner), or one
//            piece is in two places
//   twist    the corner twists do not add up
//   flip     the edge flips do not add up
//   parity   the corners and edges are permuted with different parity

#include <cstdint>
#include <string>
#include <vector>

#include "cube/stickers.h"

enum class FaultGroup : uint8_t { Colours, Centres, Corner, Edge, Twist, Flip, Parity };

struct CubeFault {
  FaultGroup Group;
  std::string Text;               // plain words, e.g. "colour 3 appears 10 times (a cube has 9 of each)"
  std::vector<StickerRef> Where;  // the stickers at fault; empty for twist, flip and parity
};

// "face F row 2 column 1": the face by its letter (cube/notation.h), as every text of
// the check names a sticker.
std::string StickerWords(StickerRef sticker);

// "colours", "centres", "corner", "edge", "twist", "flip" or "parity".
const char* FaultGroupWord(FaultGroup group);

// Every fault of the 54 bytes (laid out as Stickers), in group order; empty when the cube
// can be solved. Needs no start-up, reads nothing outside the array, and allocates only
// for the faults it returns.
std::vector<CubeFault> DiagnoseCube(const uint8_t (&stickers)[StickerCount] = Stickers);

// map[c] = the face whose centre has colour c, for c = 1..6 (map[0] = 0): the identity
// for the solved cube. Returns false, leaving 0 for every colour on no centre, when the
// centres are not six different colours 1..6.
bool CentreMapping(uint8_t map[7], const uint8_t (&stickers)[StickerCount] = Stickers);
