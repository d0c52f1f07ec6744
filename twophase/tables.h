#pragma once
// The short solver's coordinates (numbers that stand for one aspect of the pieces),
// their move tables and the tables that bound how many moves are left.
//
// Phase 1 brings the cube into the group of U, D, R2, L2, F2, B2: every corner twist
// 0, every edge flip 0 and the four middle-layer edges in the middle layer. Its
// coordinates are Twist (0..2186), Flip (0..2047) and Slice (0..494, which four places
// hold the middle-layer edges). Phase 2 solves the cube inside that group by ten moves
// that keep it there; its coordinates are CornerPerm (0..40319), UDEdgePerm (0..40319,
// the eight edges of the U and D layers) and SlicePerm (0..23). Every coordinate is 0
// for the solved cube.
//
// The tables are made when the program is built (twophase_gentables writes them, the
// library carries them as they are) and are read only.

#include <cstdint>

#include "twophase/cubie.h"

namespace twophase {

constexpr int TwistCount = 2187;
constexpr int FlipCount = 2048;
constexpr int SliceCount = 495;
constexpr int FlipSliceCount = FlipCount * SliceCount;
constexpr int CornerPermCount = 40320;
constexpr int UDEdgePermCount = 40320;
constexpr int SlicePermCount = 24;
constexpr int Phase2MoveCount = 10;

// The moves of phase 2, as moves 0..17: U, U2, U', D, D2, D', F2, B2, R2, L2.
inline constexpr uint8_t Phase2Moves[Phase2MoveCount] = {0, 1, 2, 3, 4, 5, 7, 10, 13, 16};

// Whether a move is one of phase 2's.
constexpr bool IsPhase2Move(int m) { return m / 3 < 2 || m % 3 == 1; }

// The symmetries of the cube that keep the U-D axis: a quarter turn about it (F to R),
// a half turn about the F-B axis and the mirror that exchanges R and L, and their
// products. They carry the group of phase 2 onto itself, so two cubes that one of them
// carries onto each other need the same phase-1 moves.
constexpr int SymmetryCount = 16;
// Flip and slice together, up to those symmetries: this many classes.
constexpr int FlipSliceClassCount = 64430;

// The cubes of at most ZoneDepth phase-1 moves, by class: a bucketed hash of entries
// (key << 3 | moves), key = class * TwistCount + twist as the class's representative sees
// it; 0xFFFFFFFF is an empty entry. A bucket is one cache line; a full one goes on in
// the next.
constexpr int ZoneDepth = 7;
constexpr int ZoneBucketSize = 16;
constexpr int ZoneBuckets = 81920;
constexpr uint32_t ZoneEmpty = 0xFFFFFFFF;

// Beyond the zone, which keys are at most ZoneDepth + 1 moves from the group: a filter
// that never misses one and lets a few others through (about one in ten). Each key sets
// two bits in one block of 512 bits (one cache line).
constexpr int NearBlocks = 98304;

int TwistOf(const CubieCube& c);
int FlipOf(const CubieCube& c);
int SliceOf(const CubieCube& c);
int CornerPermOf(const CubieCube& c);
// For a cube inside the group of phase 2 only.
int UDEdgePermOf(const CubieCube& c);
int SlicePermOf(const CubieCube& c);

struct Tables {
  uint32_t Magic;
  uint32_t Size;  // sizeof(Tables) of the generator, to match the library's

  uint16_t TwistMove[TwistCount][MoveCount];
  uint16_t FlipMove[FlipCount][MoveCount];
  uint16_t SliceMove[SliceCount][MoveCount];
  uint16_t CornerPermMove[CornerPermCount][Phase2MoveCount];
  uint16_t UDEdgePermMove[UDEdgePermCount][Phase2MoveCount];
  uint8_t SlicePermMove[SlicePermCount][Phase2MoveCount];

  // Fewest moves that bring a pair of coordinates to 0 (a lower bound for the phase),
  // four bits each (PruneAt): entry Twist * SliceCount + Slice and so on.
  uint8_t TwistSlicePrune[(TwistCount * SliceCount + 1) / 2];
  uint8_t FlipSlicePrune[(FlipCount * SliceCount + 1) / 2];
  uint8_t CornerSlicePrune[(CornerPermCount * SlicePermCount + 1) / 2];
  uint8_t EdgeSlicePrune[(UDEdgePermCount * SlicePermCount + 1) / 2];

  // The class of each Flip * SliceCount + Slice, and the symmetry that carries it onto
  // its class's representative; TwistConj[t][s] is twist t as that symmetry carries it.
  uint16_t FlipSliceClass[FlipSliceCount];
  uint8_t FlipSliceSym[FlipSliceCount];
  uint16_t TwistConj[TwistCount][SymmetryCount];

  alignas(64) uint32_t Zone[ZoneBuckets][ZoneBucketSize];
  alignas(64) uint64_t Near[NearBlocks][8];
};

inline int PruneAt(const uint8_t* table, int i) { return table[i >> 1] >> (4 * (i & 1)) & 15; }

inline constexpr uint32_t TablesMagic = 0x32505754;  // "TWP2"

// The bucket a key starts in.
inline uint32_t ZoneBucketOf(uint32_t key) {
  return static_cast<uint32_t>((static_cast<uint64_t>(key * 0x9E3779B1u) * ZoneBuckets) >> 32);
}

// The zone's key of a cube, and the phase-1 moves of a key's cube when that is at most
// ZoneDepth, ZoneDepth + 1 otherwise.
inline uint32_t ZoneKey(const Tables& t, int twist, int flip, int slice) {
  const int x = flip * SliceCount + slice;
  return static_cast<uint32_t>(t.FlipSliceClass[x] * TwistCount + t.TwistConj[twist][t.FlipSliceSym[x]]);
}
inline int ZoneFind(const Tables& t, uint32_t key) {
  for (uint32_t b = ZoneBucketOf(key);; b = b + 1 == ZoneBuckets ? 0 : b + 1)
    for (uint32_t e : t.Zone[b]) {
      if (e == ZoneEmpty) return ZoneDepth + 1;
      if (e >> 3 == key) return static_cast<int>(e & 7);
    }
}
// The block of the filter a key sets its bits in, and the two bits.
inline uint32_t NearBlockOf(uint32_t key) {
  return static_cast<uint32_t>((static_cast<uint64_t>(key * 0x85EBCA6Bu) * NearBlocks) >> 32);
}
inline void NearBits(uint32_t key, int& a, int& b) {
  const uint32_t h = key * 0xC2B2AE35u;
  a = static_cast<int>(h >> 23);
  b = static_cast<int>((h >> 14) & 511);
}
// False when the key's cube needs more than ZoneDepth + 1 phase-1 moves.
inline bool MaybeNear(const Tables& t, uint32_t key) {
  const uint64_t* block = t.Near[NearBlockOf(key)];
  int a, b;
  NearBits(key, a, b);
  return (block[a / 64] >> (a % 64) & 1) && (block[b / 64] >> (b % 64) & 1);
}

inline int ZoneMoves(const Tables& t, int twist, int flip, int slice) { return ZoneFind(t, ZoneKey(t, twist, flip, slice)); }

// The tables the library was built with (checked once), and the move cubes filled.
const Tables& ShortSolverTables();

}  // namespace twophase
