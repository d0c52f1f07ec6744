#include "twophase/cubie.h"

#include "cube/diagnose.h"
#include "cube/neighbour_table.h"
#include "cube/notation.h"

#include <utility>

namespace twophase {

namespace {

// Internal face i is cube face i + 1: on axis i / 2 (X, Y, Z), on its positive side
// when i is even.
constexpr int AxisOf(int face) { return face / 2; }
constexpr int SignOf(int face) { return face % 2 == 0 ? 1 : -1; }

// The face a quarter turn clockwise of `turned` carries face g to: the outward normal
// of g turned a quarter about the turned face's axis, in the sense that looks clockwise
// from outside that face (the sense ClockwiseDirection gives for the cube's turns).
constexpr int FaceAfterTurn(int turned, int g) {
  const int axis = AxisOf(turned), dir = ClockwiseDirection(turned + 1);
  int v[3] = {0, 0, 0}, r[3];
  v[AxisOf(g)] = SignOf(g);
  const int a = (axis + 1) % 3, b = (axis + 2) % 3;
  r[axis] = v[axis];
  r[a] = -dir * v[b];
  r[b] = dir * v[a];
  for (int f = 0; f < 6; ++f)
    if (r[AxisOf(f)] == SignOf(f)) return f;
  return -1;
}

// Corners are listed clockwise: seen from outside, the normals of their faces in that
// order form a left-handed triple.
constexpr bool CornersAreClockwise() {
  for (const auto& c : CornerFaces) {
    int n[3][3] = {};
    for (int k = 0; k < 3; ++k) n[k][AxisOf(c[k])] = SignOf(c[k]);
    const int det = n[0][0] * (n[1][1] * n[2][2] - n[1][2] * n[2][1]) -
                    n[0][1] * (n[1][0] * n[2][2] - n[1][2] * n[2][0]) +
                    n[0][2] * (n[1][0] * n[2][1] - n[1][1] * n[2][0]);
    if (det != -1) return false;
  }
  return true;
}
static_assert(CornersAreClockwise());

// The byte of Stickers where each facelet of each place lies: the corner sticker on the
// place's first face whose two neighbours lie on its other faces, and so on.
struct PlaceStickers {
  uint8_t Corner[8][3];
  uint8_t Edge[12][2];
};

constexpr int StickerOffset(int face, int pos) { return 9 * face + pos - 1; }

constexpr PlaceStickers DerivePlaceStickers() {
  PlaceStickers p{};
  for (int i = 0; i < 8; ++i)
    for (int k = 0; k < 3; ++k) {
      const int own = CornerFaces[i][k], x = CornerFaces[i][(k + 1) % 3], y = CornerFaces[i][(k + 2) % 3];
      for (int pos = 1; pos <= 9; ++pos) {
        const NeighbourList n = TableNeighbours(own + 1, pos);
        if (n.Count != 2) continue;
        const int f0 = n.Entries[0].Face - 1, f1 = n.Entries[1].Face - 1;
        if ((f0 == x && f1 == y) || (f0 == y && f1 == x)) p.Corner[i][k] = static_cast<uint8_t>(StickerOffset(own, pos));
      }
    }
  for (int i = 0; i < 12; ++i)
    for (int k = 0; k < 2; ++k) {
      const int own = EdgeFaces[i][k], other = EdgeFaces[i][1 - k];
      for (int pos = 1; pos <= 9; ++pos) {
        const NeighbourList n = TableNeighbours(own + 1, pos);
        if (n.Count == 1 && n.Entries[0].Face - 1 == other) p.Edge[i][k] = static_cast<uint8_t>(StickerOffset(own, pos));
      }
    }
  return p;
}

constexpr PlaceStickers Places = DerivePlaceStickers();

// Every sticker but the centres is a facelet of exactly one place.
constexpr bool PlacesCoverTheCube() {
  int seen[StickerCount] = {};
  for (const auto& c : Places.Corner)
    for (uint8_t s : c) ++seen[s];
  for (const auto& e : Places.Edge)
    for (uint8_t s : e) ++seen[s];
  for (int i = 0; i < StickerCount; ++i)
    if (seen[i] != (i % 9 == 4 ? 0 : 1)) return false;
  return true;
}
static_assert(PlacesCoverTheCube());

// The corner or edge place whose faces are the set {a, b, c} / {a, b}; -1 for none.
int CornerWithFaces(int a, int b, int c) {
  for (int i = 0; i < 8; ++i) {
    int found = 0;
    for (int f : CornerFaces[i]) found += (f == a) + (f == b) + (f == c);
    if (found == 3 && a != b && b != c && a != c) return i;
  }
  return -1;
}
int EdgeWithFaces(int a, int b) {
  for (int i = 0; i < 12; ++i)
    if ((EdgeFaces[i][0] == a && EdgeFaces[i][1] == b) || (EdgeFaces[i][0] == b && EdgeFaces[i][1] == a)) return i;
  return -1;
}

// A turn that carries face g to faces[g] (a rotation: it keeps every corner's faces in
// clockwise order), applied to the pieces that `moves` selects: each goes to the place
// its faces are carried to, its first sticker onto the image of its first face.
template <typename Moves>
CubieCube TurnCube(const int (&faces)[6], Moves moves) {
  CubieCube c = SolvedCubie;
  for (int j = 0; j < 8; ++j) {
    const uint8_t* f = CornerFaces[j];
    if (!moves(f, 3)) continue;
    const int t = CornerWithFaces(faces[f[0]], faces[f[1]], faces[f[2]]);
    c.Cp[t] = static_cast<uint8_t>(j);
    for (uint8_t k = 0; k < 3; ++k)
      if (CornerFaces[t][k] == faces[f[0]]) c.Co[t] = k;
  }
  for (int j = 0; j < 12; ++j) {
    const uint8_t* f = EdgeFaces[j];
    if (!moves(f, 2)) continue;
    const int t = EdgeWithFaces(faces[f[0]], faces[f[1]]);
    c.Ep[t] = static_cast<uint8_t>(j);
    c.Eo[t] = EdgeFaces[t][0] == faces[f[0]] ? 0 : 1;
  }
  return c;
}

// One quarter turn clockwise of a face: the pieces of its layer.
CubieCube QuarterTurnCube(int face) {
  int faces[6];
  for (int g = 0; g < 6; ++g) faces[g] = FaceAfterTurn(face, g);
  return TurnCube(faces, [face](const uint8_t* f, int n) {
    for (int k = 0; k < n; ++k)
      if (f[k] == face) return true;
    return false;
  });
}

}  // namespace

CubieCube MoveCube[MoveCount];

CubieCube DiagonalTurnCube() {
  // U to R, R to F, F to U, and the opposite faces alike: D to L, L to B, B to D.
  int faces[6];
  faces[FaceU] = FaceR, faces[FaceR] = FaceF, faces[FaceF] = FaceU;
  faces[FaceD] = FaceL, faces[FaceL] = FaceB, faces[FaceB] = FaceD;
  return TurnCube(faces, [](const uint8_t*, int) { return true; });
}

bool operator==(const CubieCube& a, const CubieCube& b) {
  for (int i = 0; i < 8; ++i)
    if (a.Cp[i] != b.Cp[i] || a.Co[i] != b.Co[i]) return false;
  for (int i = 0; i < 12; ++i)
    if (a.Ep[i] != b.Ep[i] || a.Eo[i] != b.Eo[i]) return false;
  return true;
}

CubieCube Multiply(const CubieCube& a, const CubieCube& b) {
  CubieCube c;
  for (int i = 0; i < 8; ++i) {
    c.Cp[i] = a.Cp[b.Cp[i]];
    c.Co[i] = static_cast<uint8_t>((a.Co[b.Cp[i]] + b.Co[i]) % 3);
  }
  for (int i = 0; i < 12; ++i) {
    c.Ep[i] = a.Ep[b.Ep[i]];
    c.Eo[i] = static_cast<uint8_t>(a.Eo[b.Ep[i]] ^ b.Eo[i]);
  }
  return c;
}

CubieCube Inverse(const CubieCube& c) {
  CubieCube r;
  for (uint8_t i = 0; i < 8; ++i) {
    r.Cp[c.Cp[i]] = i;
    r.Co[c.Cp[i]] = static_cast<uint8_t>((3 - c.Co[i]) % 3);
  }
  for (uint8_t i = 0; i < 12; ++i) {
    r.Ep[c.Ep[i]] = i;
    r.Eo[c.Ep[i]] = c.Eo[i];
  }
  return r;
}

void BuildMoveCubes() {
  for (int face = 0; face < 6; ++face) {
    const CubieCube q = QuarterTurnCube(face);
    MoveCube[3 * face] = q;
    MoveCube[3 * face + 1] = Multiply(q, q);
    MoveCube[3 * face + 2] = Multiply(MoveCube[3 * face + 1], q);
  }
}

Move ToMove(int m) {
  const int face = m / 3 + 1, k = m % 3;
  const int quarters = k == 1 ? 2 : (k == 0 ? ClockwiseDirection(face) : -ClockwiseDirection(face));
  return {static_cast<int8_t>(face), static_cast<int8_t>(quarters)};
}

bool CubieFromStickers(const uint8_t (&stickers)[StickerCount], CubieCube& cube) {
  uint8_t home[7];
  if (!CentreMapping(home, stickers)) return false;
  for (uint8_t s : stickers)
    if (s < 1 || s > 6) return false;
  auto faceAt = [&](uint8_t offset) { return home[stickers[offset]] - 1; };

  bool cornerSeen[8] = {}, edgeSeen[12] = {};
  for (int i = 0; i < 8; ++i) {
    const int h[3] = {faceAt(Places.Corner[i][0]), faceAt(Places.Corner[i][1]), faceAt(Places.Corner[i][2])};
    const int j = CornerWithFaces(h[0], h[1], h[2]);
    if (j < 0 || cornerSeen[j]) return false;
    cornerSeen[j] = true;
    int o = 0;
    while (o < 3 && h[o] != CornerFaces[j][0]) ++o;
    // The piece's stickers must follow each other clockwise as at home (not a mirror image).
    for (int k = 0; k < 3; ++k)
      if (h[(k + o) % 3] != CornerFaces[j][k]) return false;
    cube.Cp[i] = static_cast<uint8_t>(j);
    cube.Co[i] = static_cast<uint8_t>(o);
  }
  for (int i = 0; i < 12; ++i) {
    const int h0 = faceAt(Places.Edge[i][0]), h1 = faceAt(Places.Edge[i][1]);
    const int j = EdgeWithFaces(h0, h1);
    if (j < 0 || h0 == h1 || edgeSeen[j]) return false;
    edgeSeen[j] = true;
    cube.Ep[i] = static_cast<uint8_t>(j);
    cube.Eo[i] = h0 == EdgeFaces[j][0] ? 0 : 1;
  }
  return true;
}

void StickersFromCubie(const CubieCube& cube, uint8_t (&stickers)[StickerCount]) {
  for (int face = 0; face < 6; ++face) stickers[StickerOffset(face, 5)] = static_cast<uint8_t>(face + 1);
  for (int i = 0; i < 8; ++i)
    for (int k = 0; k < 3; ++k)
      stickers[Places.Corner[i][(k + cube.Co[i]) % 3]] = static_cast<uint8_t>(CornerFaces[cube.Cp[i]][k] + 1);
  for (int i = 0; i < 12; ++i)
    for (int k = 0; k < 2; ++k)
      stickers[Places.Edge[i][(k + cube.Eo[i]) % 2]] = static_cast<uint8_t>(EdgeFaces[cube.Ep[i]][k] + 1);
}

CubieCube Conjugate(const CubieCube& c, const int (&faces)[6]) {
  uint8_t before[StickerCount], after[StickerCount];
  StickersFromCubie(c, before);
  for (int face = 0; face < 6; ++face) after[StickerOffset(faces[face], 5)] = static_cast<uint8_t>(faces[face] + 1);
  for (int i = 0; i < 8; ++i) {
    const uint8_t* f = CornerFaces[i];
    const int j = CornerWithFaces(faces[f[0]], faces[f[1]], faces[f[2]]);
    for (int k = 0; k < 3; ++k)
      for (int n = 0; n < 3; ++n)
        if (CornerFaces[j][n] == faces[f[k]])
          after[Places.Corner[j][n]] = static_cast<uint8_t>(faces[before[Places.Corner[i][k]] - 1] + 1);
  }
  for (int i = 0; i < 12; ++i) {
    const uint8_t* f = EdgeFaces[i];
    const int j = EdgeWithFaces(faces[f[0]], faces[f[1]]);
    for (int k = 0; k < 2; ++k)
      for (int n = 0; n < 2; ++n)
        if (EdgeFaces[j][n] == faces[f[k]])
          after[Places.Edge[j][n]] = static_cast<uint8_t>(faces[before[Places.Edge[i][k]] - 1] + 1);
  }
  CubieCube r = SolvedCubie;
  CubieFromStickers(after, r);
  return r;
}

namespace {
template <int N>
int PermutationParity(const uint8_t (&p)[N]) {
  int parity = 0;
  for (int i = 0; i < N; ++i)
    for (int j = i + 1; j < N; ++j) parity ^= p[i] > p[j];
  return parity;
}
}  // namespace

bool IsSolvable(const CubieCube& cube) {
  int twist = 0, flip = 0;
  for (uint8_t o : cube.Co) twist += o;
  for (uint8_t o : cube.Eo) flip += o;
  return twist % 3 == 0 && flip % 2 == 0 && PermutationParity(cube.Cp) == PermutationParity(cube.Ep);
}

CubieCube RandomCubie(std::mt19937_64& random) {
  CubieCube c = SolvedCubie;
  auto below = [&](int n) { return static_cast<int>(random() % static_cast<uint64_t>(n)); };
  for (int i = 7; i > 0; --i) std::swap(c.Cp[i], c.Cp[below(i + 1)]);
  for (int i = 11; i > 0; --i) std::swap(c.Ep[i], c.Ep[below(i + 1)]);
  // Half the edge arrangements have the wrong parity; exchanging two places pairs them
  // off one to one with the right ones.
  if (PermutationParity(c.Cp) != PermutationParity(c.Ep)) std::swap(c.Ep[10], c.Ep[11]);
  int twist = 0, flip = 0;
  for (int i = 0; i < 7; ++i) twist += c.Co[i] = static_cast<uint8_t>(below(3));
  for (int i = 0; i < 11; ++i) flip += c.Eo[i] = static_cast<uint8_t>(below(2));
  c.Co[7] = static_cast<uint8_t>((3 - twist % 3) % 3);
  c.Eo[11] = static_cast<uint8_t>(flip % 2);
  return c;
}

}  // namespace twophase
