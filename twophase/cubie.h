#pragma once
// The cube as pieces: which corner and which edge sits at each place, and how it is
// turned there. This is the form the short solver counts in; the stickers are read
// into it once and every face turn is derived from the geometry of the faces.
//
// Faces are the cube's face numbers less one: 0 U, 1 D, 2 F, 3 B, 4 R, 5 L, so the
// opposite of face f is f ^ 1. A move is 3 * face + k: k = 0 a quarter turn clockwise
// as seen from outside that face, 1 a half turn, 2 a quarter turn counter-clockwise.

#include <cstdint>
#include <random>

#include "cube/move.h"
#include "cube/stickers.h"

namespace twophase {

constexpr int FaceU = 0, FaceD = 1, FaceF = 2, FaceB = 3, FaceR = 4, FaceL = 5;
constexpr int MoveCount = 18;

// The corner places, each by its faces in clockwise order as seen from outside the
// corner, starting with its U or D face; a corner piece is named after its home place.
enum Corner : uint8_t { URF, UFL, ULB, UBR, DFR, DLF, DBL, DRB };
inline constexpr uint8_t CornerFaces[8][3] = {
  {FaceU, FaceR, FaceF}, {FaceU, FaceF, FaceL}, {FaceU, FaceL, FaceB}, {FaceU, FaceB, FaceR},
  {FaceD, FaceF, FaceR}, {FaceD, FaceL, FaceF}, {FaceD, FaceB, FaceL}, {FaceD, FaceR, FaceB},
};

// The edge places, each by its faces, the one its orientation is read on first: the U or
// D face, and for the four edges of the middle layer the F or B face. The last four are
// the middle layer's.
enum Edge : uint8_t { UR, UF, UL, UB, DR, DF, DL, DB, FR, FL, BL, BR };
inline constexpr uint8_t EdgeFaces[12][2] = {
  {FaceU, FaceR}, {FaceU, FaceF}, {FaceU, FaceL}, {FaceU, FaceB},
  {FaceD, FaceR}, {FaceD, FaceF}, {FaceD, FaceL}, {FaceD, FaceB},
  {FaceF, FaceR}, {FaceF, FaceL}, {FaceB, FaceL}, {FaceB, FaceR},
};

// Place i holds corner piece Cp[i], its first face's sticker on facelet Co[i] of the
// place (counting clockwise from the place's first face); edges likewise, Eo 0 or 1.
struct CubieCube {
  uint8_t Cp[8], Co[8], Ep[12], Eo[12];
};

inline constexpr CubieCube SolvedCubie = {
  {0, 1, 2, 3, 4, 5, 6, 7}, {}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, {}};

bool operator==(const CubieCube& a, const CubieCube& b);

// a, then b: place i takes what b brings to it from the place b.Cp[i] of a.
CubieCube Multiply(const CubieCube& a, const CubieCube& b);
// The cube that undoes c.
CubieCube Inverse(const CubieCube& c);

// Each of the 18 moves as a cube: MoveCube[m] is move m applied to the solved cube.
// Filled from the geometry before first use; constant afterwards.
extern CubieCube MoveCube[MoveCount];
void BuildMoveCubes();

// The whole cube turned a third of a turn about the corner URF (U to R, R to F, F to U),
// as a cube: conjugating by it makes another axis the U-D axis.
CubieCube DiagonalTurnCube();

// The cube as it looks after the whole picture is carried by a symmetry of the cube (a
// turn of the whole cube or a mirror image) that takes face g to faces[g]: the sticker
// at each place moves to the image of its place and takes the colour of the image of
// its face. A mirror turns every clockwise turn into a counter-clockwise one.
CubieCube Conjugate(const CubieCube& c, const int (&faces)[6]);

// The project's move of internal move m.
Move ToMove(int m);

// Reads 54 stickers through their centres: colour c stands for the face whose centre
// has colour c. False when the centres are not six different colours or a place holds
// colours that are no piece (the pieces' twists and parities are not checked here).
bool CubieFromStickers(const uint8_t (&stickers)[StickerCount], CubieCube& cube);
// The stickers of a cube in the colours of the solved cube (face f in colour f).
void StickersFromCubie(const CubieCube& cube, uint8_t (&stickers)[StickerCount]);

// Sum of twists divisible by 3, of flips by 2, corner and edge permutations of one parity.
bool IsSolvable(const CubieCube& cube);

// A cube drawn uniformly from all the cubes turns can reach: every permutation of the
// corners and of the edges of one parity, every twist and flip that adds up.
CubieCube RandomCubie(std::mt19937_64& random);

}  // namespace twophase
