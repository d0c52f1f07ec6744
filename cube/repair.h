#pragma once
// The smallest repairs that make a cube no turns can solve solvable again: the likely
// slips of entering a real cube on the face maps.
//
// Three kinds are tried:
//   Sticker  one sticker given another colour;
//   Swap     the colours of two stickers exchanged;
//   Face     the eight outer stickers of one face (its centre stays) turned back, for a
//            face entered turned. "Turned 90 degrees" means the face was entered turned a
//            quarter turn clockwise as its map shows it (the face seen from outside the
//            cube, the sense in which the notation's R turns face R clockwise); the
//            repair turns it back, a quarter turn counter-clockwise. 180 is a half turn,
//            270 three quarters clockwise (a quarter counter-clockwise).
//
// Every repair offered leaves a cube that DiagnoseCube finds nothing wrong with. They are
// ranked by
//   1. how few stickers they change (a face turn counts only the stickers whose colour
//      it changes);
//   2. how many of those stickers the check's faults name (a repair where the check
//      points comes first);
//   3. the kind, in the order above;
//   4. for an exchange, how near each other its stickers lie, as a slip would have them:
//      on one piece, then neighbours on one face map (side by side or diagonal), then
//      on one face, then anywhere;
//   5. the order of Stickers of the stickers they change (face U, D, F, B, R, L, then
//      row and column), then the turn of a face, 90 before 180 before 270.
// Two repairs that give the same cube are offered once, as the one ranked first.
//
// A single wrong sticker leaves a colour on ten stickers and another on eight; only a
// recolouring can mend that, and of the ten recolourings that would, only the true one
// leaves a solvable cube (any other amounts to two stickers of a solvable cube
// exchanged, which never is one), so it is found alone.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cube/stickers.h"

enum class RepairKind : uint8_t { Sticker, Swap, Face };

struct CubeRepair {
  RepairKind Kind;
  StickerRef At[2];   // Sticker: At[0]; Swap: the two stickers, in the order of Stickers
  uint8_t From, To;   // Sticker: its colour and the colour it gets; Swap: the colours of At[0], At[1]
  uint8_t Face;       // Face: the face entered turned, 1..6
  uint8_t Quarters;   // Face: 1, 2 or 3 quarter turns clockwise it was entered turned by
  std::vector<StickerRef> Changed;  // every sticker the repair changes, in the order of Stickers
};

inline constexpr std::size_t MaxRepairs = 3;

// The best `limit` repairs of the 54 bytes (laid out as Stickers), best first; empty
// when the cube can be solved or no repair of these kinds makes it solvable.
std::vector<CubeRepair> FindRepairs(const uint8_t (&stickers)[StickerCount] = Stickers,
                                    std::size_t limit = MaxRepairs);

// Makes the repair's change to the 54 bytes.
void ApplyRepair(const CubeRepair& repair, uint8_t (&stickers)[StickerCount]);

// "face F row 2 column 1: colour 3 -> 5", "swap face U row 1 column 3 and face R row 1
// column 1", "face D turned 180 degrees".
std::string RepairText(const CubeRepair& repair);
