// twophase_gentables FILE: makes the short solver's tables and writes them to FILE, as
// the library carries them. Run by the build; takes a few seconds.

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "twophase/coords.h"
#include "twophase/tables.h"

namespace twophase {
namespace {

// Fills the moves 3f + 1 and 3f + 2 of a table whose quarter turns 3f are known: a half
// turn is two quarter turns, a counter-clockwise one three.
template <int Count>
void CompleteFaceMoves(uint16_t (&table)[Count][MoveCount]) {
  for (int x = 0; x < Count; ++x)
    for (int f = 0; f < 6; ++f) {
      const int q = 3 * f;
      table[x][q + 1] = table[table[x][q]][q];
      table[x][q + 2] = table[table[x][q + 1]][q];
    }
}

CubieCube CubeOfTwist(int x) {
  CubieCube c = SolvedCubie;
  int sum = 0;
  for (int i = 6; i >= 0; --i) {
    c.Co[i] = static_cast<uint8_t>(x % 3);
    sum += c.Co[i];
    x /= 3;
  }
  c.Co[7] = static_cast<uint8_t>((3 - sum % 3) % 3);
  return c;
}

// A cube with this flip and slice (the other pieces as they come).
CubieCube CubeOfFlipSlice(int flip, int slice) {
  CubieCube c = SolvedCubie;
  UnrankSlice(slice, c.Ep);
  int sum = 0;
  for (int i = 10; i >= 0; --i) {
    c.Eo[i] = static_cast<uint8_t>(flip % 2);
    sum += c.Eo[i];
    flip /= 2;
  }
  c.Eo[11] = static_cast<uint8_t>(sum % 2);
  return c;
}

void BuildMoveTables(Tables& t) {
  for (int x = 0; x < TwistCount; ++x)
    for (int f = 0; f < 6; ++f)
      t.TwistMove[x][3 * f] = static_cast<uint16_t>(TwistOf(Multiply(CubeOfTwist(x), MoveCube[3 * f])));
  CompleteFaceMoves(t.TwistMove);
  for (int x = 0; x < FlipCount; ++x)
    for (int f = 0; f < 6; ++f)
      t.FlipMove[x][3 * f] = static_cast<uint16_t>(FlipOf(Multiply(CubeOfFlipSlice(x, 0), MoveCube[3 * f])));
  CompleteFaceMoves(t.FlipMove);
  for (int x = 0; x < SliceCount; ++x)
    for (int f = 0; f < 6; ++f)
      t.SliceMove[x][3 * f] = static_cast<uint16_t>(SliceOf(Multiply(CubeOfFlipSlice(0, x), MoveCube[3 * f])));
  CompleteFaceMoves(t.SliceMove);

  // Phase 2 moves by the permutations alone: place i takes what was at Cp[i] / Ep[i].
  for (int x = 0; x < CornerPermCount; ++x) {
    uint8_t p[8], q[8];
    UnrankPermutation<8>(x, p);
    for (int k = 0; k < Phase2MoveCount; ++k) {
      const CubieCube& m = MoveCube[Phase2Moves[k]];
      for (int i = 0; i < 8; ++i) q[i] = p[m.Cp[i]];
      t.CornerPermMove[x][k] = static_cast<uint16_t>(RankPermutation<8>(q));
      for (int i = 0; i < 8; ++i) q[i] = p[m.Ep[i]];
      t.UDEdgePermMove[x][k] = static_cast<uint16_t>(RankPermutation<8>(q));
    }
  }
  for (int x = 0; x < SlicePermCount; ++x) {
    uint8_t p[4], q[4];
    UnrankPermutation<4>(x, p);
    for (int k = 0; k < Phase2MoveCount; ++k) {
      const CubieCube& m = MoveCube[Phase2Moves[k]];
      for (int i = 0; i < 4; ++i) q[i] = p[m.Ep[8 + i] - 8];
      t.SlicePermMove[x][k] = static_cast<uint8_t>(RankPermutation<4>(q));
    }
  }
}

// Breadth-first from the solved pair (0, 0) over count1 x count2 pairs: entry
// a * count2 + b gets the fewest moves from (0, 0). While the frontier is small it is
// expanded; once most pairs are reached, each pair not yet reached looks for a
// neighbour on the frontier instead, which costs less then.
template <typename T1, typename T2, int Moves>
void BuildPrune(uint8_t* prune, int count1, int count2, const T1 (*move1)[Moves], const T2 (*move2)[Moves]) {
  const int total = count1 * count2;
  std::memset(prune, 0xFF, static_cast<std::size_t>(total));
  prune[0] = 0;
  int reached = 1, frontier = 1;
  for (uint8_t depth = 0; reached < total && frontier > 0; ++depth) {
    const bool backwards = frontier > (total - reached) / 4;
    int added = 0;
    for (int a = 0; a < count1; ++a) {
      uint8_t* row = prune + a * count2;
      for (int b = 0; b < count2; ++b) {
        if (backwards) {
          if (row[b] != 0xFF) continue;
          for (int m = 0; m < Moves; ++m)
            if (prune[move1[a][m] * count2 + move2[b][m]] == depth) {
              row[b] = static_cast<uint8_t>(depth + 1);
              ++added;
              break;
            }
        } else {
          if (row[b] != depth) continue;
          for (int m = 0; m < Moves; ++m) {
            uint8_t& next = prune[move1[a][m] * count2 + move2[b][m]];
            if (next == 0xFF) {
              next = static_cast<uint8_t>(depth + 1);
              ++added;
            }
          }
        }
      }
    }
    reached += added;
    frontier = added;
  }
}

// Four bits an entry, as PruneAt reads them (every count here is below 16).
template <std::size_t N>
void Pack(const std::vector<uint8_t>& moves, uint8_t (&packed)[N]) {
  std::memset(packed, 0, N);
  for (std::size_t i = 0; i < moves.size(); ++i) packed[i / 2] = static_cast<uint8_t>(packed[i / 2] | (moves[i] & 15) << (4 * (i % 2)));
}

// The symmetries as face maps: s = a + 4b + 8c is the mirror c times, then the half turn
// about F-B b times, then the quarter turn about U-D a times.
struct Symmetries {
  int Faces[SymmetryCount][6];
  int Inverse[SymmetryCount];
};

Symmetries MakeSymmetries() {
  Symmetries y{};
  constexpr int QuarterUD[6] = {FaceU, FaceD, FaceR, FaceL, FaceB, FaceF};  // F to R to B to L
  constexpr int HalfFB[6] = {FaceD, FaceU, FaceF, FaceB, FaceL, FaceR};
  constexpr int MirrorRL[6] = {FaceU, FaceD, FaceF, FaceB, FaceL, FaceR};
  for (int s = 0; s < SymmetryCount; ++s)
    for (int g = 0; g < 6; ++g) {
      int f = g;
      if (s & 8) f = MirrorRL[f];
      if (s & 4) f = HalfFB[f];
      for (int a = 0; a < (s & 3); ++a) f = QuarterUD[f];
      y.Faces[s][g] = f;
    }
  for (int s = 0; s < SymmetryCount; ++s)
    for (int u = 0; u < SymmetryCount; ++u) {
      bool identity = true;
      for (int g = 0; g < 6; ++g) identity &= y.Faces[u][y.Faces[s][g]] == g;
      if (identity) y.Inverse[s] = u;
    }
  return y;
}

// Flip-slice classes and the symmetries' view of the twist. Returns the stabiliser of
// every class's representative (a bit per symmetry) through `stabiliser`, the
// representatives through `representative`; false if the classes do not come out as
// expected.
bool BuildSymmetryTables(Tables& t, std::vector<uint16_t>& stabiliser, std::vector<int>& representative) {
  const Symmetries y = MakeSymmetries();
  for (int x = 0; x < TwistCount; ++x)
    for (int s = 0; s < SymmetryCount; ++s)
      t.TwistConj[x][s] = static_cast<uint16_t>(TwistOf(Conjugate(CubeOfTwist(x), y.Faces[s])));

  std::vector<bool> assigned(FlipSliceCount, false);
  stabiliser.clear();
  representative.clear();
  for (int x = 0; x < FlipSliceCount; ++x) {
    if (assigned[x]) continue;
    const int c = static_cast<int>(representative.size());
    if (c >= FlipSliceClassCount) return false;
    representative.push_back(x);
    stabiliser.push_back(0);
    const CubieCube cube = CubeOfFlipSlice(x / SliceCount, x % SliceCount);
    for (int s = 0; s < SymmetryCount; ++s) {
      const CubieCube seen = Conjugate(cube, y.Faces[s]);
      const int z = FlipOf(seen) * SliceCount + SliceOf(seen);
      if (z == x) stabiliser[c] = static_cast<uint16_t>(stabiliser[c] | 1u << s);
      if (assigned[z]) continue;
      assigned[z] = true;
      t.FlipSliceClass[z] = static_cast<uint16_t>(c);
      t.FlipSliceSym[z] = static_cast<uint8_t>(y.Inverse[s]);
    }
  }
  return representative.size() == FlipSliceClassCount;
}

// Every cube of at most ZoneDepth phase-1 moves, breadth-first by class from the group
// itself, and into the filter those of one move more as well. A representative with symmetries of its own stands for several twists of
// one cube; all of them go in, so that whichever the look-up meets is found.
bool BuildZone(Tables& t, const std::vector<uint16_t>& stabiliser, const std::vector<int>& representative,
               long& entries) {
  std::vector<uint64_t> seen((static_cast<std::size_t>(FlipSliceClassCount) * TwistCount + 63) / 64, 0);
  std::memset(t.Zone, 0xFF, sizeof t.Zone);
  entries = 0;
  std::memset(t.Near, 0, sizeof t.Near);
  auto insert = [&](uint32_t key, int moves) {
    uint64_t* block = t.Near[NearBlockOf(key)];
    int a, b;
    NearBits(key, a, b);
    block[a / 64] |= uint64_t{1} << (a % 64);
    block[b / 64] |= uint64_t{1} << (b % 64);
    if (moves > ZoneDepth) return true;
    for (uint32_t b = ZoneBucketOf(key), tried = 0; tried < ZoneBuckets; b = (b + 1) % ZoneBuckets, ++tried)
      for (uint32_t& e : t.Zone[b])
        if (e == ZoneEmpty) {
          e = key << 3 | static_cast<uint32_t>(moves);
          ++entries;
          return true;
        }
    return false;
  };
  std::vector<uint32_t> frontier, next;
  auto visit = [&](int c, int twist, int moves) {
    const uint32_t key = static_cast<uint32_t>(c * TwistCount + twist);
    if (seen[key / 64] >> (key % 64) & 1) return true;
    for (int g = 0; g < SymmetryCount; ++g) {
      if (!(stabiliser[c] >> g & 1)) continue;
      const uint32_t k = static_cast<uint32_t>(c * TwistCount + t.TwistConj[twist][g]);
      if (seen[k / 64] >> (k % 64) & 1) continue;
      seen[k / 64] |= uint64_t{1} << (k % 64);
      if (!insert(k, moves)) return false;
      next.push_back(k);
    }
    return true;
  };
  if (!visit(t.FlipSliceClass[0], 0, 0)) return false;
  for (int depth = 0; depth <= ZoneDepth; ++depth) {
    frontier.swap(next);
    next.clear();
    for (uint32_t key : frontier) {
      const int c = static_cast<int>(key / TwistCount), twist = static_cast<int>(key % TwistCount);
      const int flip = representative[c] / SliceCount, slice = representative[c] % SliceCount;
      for (int m = 0; m < MoveCount; ++m) {
        const int x = t.FlipMove[flip][m] * SliceCount + t.SliceMove[slice][m];
        if (!visit(t.FlipSliceClass[x], t.TwistConj[t.TwistMove[twist][m]][t.FlipSliceSym[x]], depth + 1)) return false;
      }
    }
  }
  return true;
}

// Whatever a symmetry carries a cube to, the tables must see it the same way: its class
// and twist as the representative sees them, found by the tables and by carrying the
// cube itself, must agree, and every move must be carried onto a move.
bool SymmetriesAgree(const Tables& t) {
  const Symmetries y = MakeSymmetries();
  for (int s = 0; s < SymmetryCount; ++s)
    for (int m = 0; m < MoveCount; ++m) {
      bool found = false;
      for (int n = 0; n < MoveCount; ++n) found |= Conjugate(MoveCube[m], y.Faces[s]) == MoveCube[n];
      if (!found) return false;
    }
  std::mt19937_64 random(1);
  for (int i = 0; i < 20000; ++i) {
    const CubieCube c = RandomCubie(random);
    const int x = FlipOf(c) * SliceCount + SliceOf(c);
    const CubieCube seen = Conjugate(c, y.Faces[t.FlipSliceSym[x]]);
    const int z = FlipOf(seen) * SliceCount + SliceOf(seen);
    if (t.FlipSliceClass[z] != t.FlipSliceClass[x] || t.FlipSliceSym[z] != 0 ||
        TwistOf(seen) != t.TwistConj[TwistOf(c)][t.FlipSliceSym[x]])
      return false;
  }
  return true;
}

}  // namespace
}  // namespace twophase

int main(int argc, char** argv) {
  using namespace twophase;
  if (argc != 2) {
    std::fprintf(stderr, "usage: twophase_gentables FILE\n");
    return 1;
  }
  BuildMoveCubes();
  auto t = std::make_unique<Tables>();
  std::memset(t.get(), 0, sizeof(Tables));
  t->Magic = TablesMagic;
  t->Size = sizeof(Tables);
  BuildMoveTables(*t);
  std::vector<uint8_t> moves(static_cast<std::size_t>(TwistCount) * SliceCount);
  BuildPrune(moves.data(), TwistCount, SliceCount, t->TwistMove, t->SliceMove);
  Pack(moves, t->TwistSlicePrune);
  moves.resize(static_cast<std::size_t>(FlipCount) * SliceCount);
  BuildPrune(moves.data(), FlipCount, SliceCount, t->FlipMove, t->SliceMove);
  Pack(moves, t->FlipSlicePrune);
  moves.resize(static_cast<std::size_t>(CornerPermCount) * SlicePermCount);
  BuildPrune(moves.data(), CornerPermCount, SlicePermCount, t->CornerPermMove, t->SlicePermMove);
  Pack(moves, t->CornerSlicePrune);
  BuildPrune(moves.data(), UDEdgePermCount, SlicePermCount, t->UDEdgePermMove, t->SlicePermMove);
  Pack(moves, t->EdgeSlicePrune);
  std::vector<uint16_t> stabiliser;
  std::vector<int> representative;
  if (!BuildSymmetryTables(*t, stabiliser, representative)) {
    std::fprintf(stderr, "twophase_gentables: %zu flip-slice classes, expected %d\n", representative.size(),
                 FlipSliceClassCount);
    return 1;
  }
  if (!SymmetriesAgree(*t)) {
    std::fprintf(stderr, "twophase_gentables: the symmetries do not agree with the tables\n");
    return 1;
  }
  long entries = 0;
  if (!BuildZone(*t, stabiliser, representative, entries)) {
    std::fprintf(stderr, "twophase_gentables: the zone table is full\n");
    return 1;
  }
  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out || std::fwrite(t.get(), sizeof(Tables), 1, out) != 1 || std::fclose(out) != 0) {
    std::fprintf(stderr, "twophase_gentables: cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("twophase_gentables: %zu bytes, %ld zone entries in %d slots\n", sizeof(Tables), entries,
              ZoneBuckets * ZoneBucketSize);
  return 0;
}
