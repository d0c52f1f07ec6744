#include "cube/diagnose.h"

#include "cube/neighbour_table.h"
#include "cube/notation.h"

namespace {

// Faces 1, 2 lie on the X axis (0), 3, 4 on Y (1), 5, 6 on Z (2); odd faces are the
// positive side.
constexpr int AxisOf(int face) { return (face - 1) / 2; }
constexpr int SignOf(int face) { return face % 2 == 1 ? 1 : -1; }
constexpr uint8_t Offset(int face, int pos) { return static_cast<uint8_t>(9 * (face - 1) + pos - 1); }

// A corner place: the byte offsets of its sticker on face 1 or 2, then of that sticker's
// two table neighbours, so the three faces form a right-handed triple (counter-clockwise
// as seen looking at the corner from outside).
struct CornerPlace {
  uint8_t At[3];
};
// An edge place: its sticker on the face of the lower axis (X before Y before Z) first.
struct EdgePlace {
  uint8_t At[2];
};

struct PieceTables {
  CornerPlace Corners[8];
  EdgePlace Edges[12];
  int8_t CornerOfKey[8];     // corner place whose faces give this key (CornerKey), or -1
  int8_t EdgeOfFaces[7][7];  // edge place between two faces, or -1
};

// Three faces from three different axes name one corner: bit 2 - axis is set for the
// negative face of that axis.
constexpr int CornerKey(int a, int b, int c) {
  int key = 0;
  for (int f : {a, b, c})
    if (SignOf(f) < 0) key |= 1 << (2 - AxisOf(f));
  return key;
}

// The pieces, derived from the neighbour table: every corner has exactly one sticker on
// face 1 or 2, every edge one sticker on the face of its lower axis.
constexpr PieceTables DerivePieces() {
  PieceTables t{};
  for (int8_t& k : t.CornerOfKey) k = -1;
  for (auto& row : t.EdgeOfFaces)
    for (int8_t& e : row) e = -1;
  int corners = 0, edges = 0;
  for (int face = 1; face <= 6; ++face)
    for (int pos = 1; pos <= 9; ++pos) {
      const NeighbourList list = TableNeighbours(face, pos);
      if (list.Count == 2 && AxisOf(face) == 0) {
        const FacePos n0 = list.Entries[0], n1 = list.Entries[1];
        t.CornerOfKey[CornerKey(face, n0.Face, n1.Face)] = static_cast<int8_t>(corners);
        t.Corners[corners++] = {{Offset(face, pos), Offset(n0.Face, n0.Pos), Offset(n1.Face, n1.Pos)}};
      } else if (list.Count == 1 && AxisOf(face) < AxisOf(list.Entries[0].Face)) {
        const FacePos n = list.Entries[0];
        t.EdgeOfFaces[face][n.Face] = t.EdgeOfFaces[n.Face][face] = static_cast<int8_t>(edges);
        t.Edges[edges++] = {{Offset(face, pos), Offset(n.Face, n.Pos)}};
      }
    }
  return t;
}

constexpr PieceTables Pieces = DerivePieces();

// Every sticker but the centres belongs to exactly one piece, and every corner key and
// every pair of faces on different axes names a piece.
constexpr bool PiecesCoverTheCube() {
  int seen[StickerCount] = {};
  for (const CornerPlace& c : Pieces.Corners)
    for (uint8_t at : c.At) ++seen[at];
  for (const EdgePlace& e : Pieces.Edges)
    for (uint8_t at : e.At) ++seen[at];
  for (int i = 0; i < StickerCount; ++i)
    if (seen[i] != (i % 9 == 4 ? 0 : 1)) return false;
  for (int8_t k : Pieces.CornerOfKey)
    if (k < 0) return false;
  for (int a = 1; a <= 6; ++a)
    for (int b = 1; b <= 6; ++b)
      if ((Pieces.EdgeOfFaces[a][b] >= 0) != (AxisOf(a) != AxisOf(b))) return false;
  return true;
}
static_assert(PiecesCoverTheCube());

// --- Words -------------------------------------------------------------------------

std::string Number(int n) { return std::to_string(n); }

StickerRef RefOf(int offset) {
  const int pos = offset % 9;
  return {static_cast<uint8_t>(offset / 9 + 1), static_cast<uint8_t>(pos / 3 + 1), static_cast<uint8_t>(pos % 3 + 1)};
}

void AppendSticker(std::string& text, int offset) { text += StickerWords(RefOf(offset)); }

// "a, b and c" / "a and b" / "a".
std::string ListWords(const std::vector<std::string>& items) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += (i + 1 == items.size()) ? " and " : ", ";
    text += items[i];
  }
  return text;
}

std::string TimesWord(int n) {
  switch (n) {
    case 1: return "once";
    case 2: return "twice";
    case 3: return "three times";
    default: return Number(n) + " times";
  }
}

// One place of a piece: "face U row 1 column 2, face B row 1 column 2".
template <std::size_t N>
std::string PlaceWords(const uint8_t (&at)[N]) {
  std::string text;
  for (std::size_t i = 0; i < N; ++i) {
    if (i > 0) text += ", ";
    AppendSticker(text, at[i]);
  }
  return text;
}

template <std::size_t N>
std::string ColourWords(const uint8_t (&stickers)[StickerCount], const uint8_t (&at)[N]) {
  std::string text = "colours ";
  for (std::size_t i = 0; i < N; ++i) {
    if (i > 0) text += ", ";
    text += Number(stickers[at[i]]);
  }
  return text;
}

template <std::size_t N>
void AppendPlace(std::vector<StickerRef>& where, const uint8_t (&at)[N]) {
  for (uint8_t a : at) where.push_back(RefOf(a));
}

// --- Colours and centres -------------------------------------------------------------

// The first group; true when it found nothing.
bool CheckColours(const uint8_t (&stickers)[StickerCount], std::vector<CubeFault>& faults) {
  int count[7] = {};
  int invalid = 0;
  for (uint8_t c : stickers) {
    if (c >= 1 && c <= 6)
      ++count[c];
    else
      ++invalid;
  }
  const std::size_t before = faults.size();

  if (invalid > 0) {
    CubeFault f{FaultGroup::Colours, {}, {}};
    std::vector<std::string> named;
    for (int i = 0; i < StickerCount; ++i) {
      const uint8_t c = stickers[i];
      if (c >= 1 && c <= 6) continue;
      f.Where.push_back(RefOf(i));
      if (named.size() < 3) {
        std::string s;
        AppendSticker(s, i);
        named.push_back(s + " holds " + Number(c));
      }
    }
    if (invalid == 1) {
      f.Text = named[0] + ", which is not a colour (colours are 1 to 6)";
    } else {
      if (invalid > 3) named.push_back(Number(invalid - 3) + " more");
      f.Text = Number(invalid) + " stickers hold numbers that are not colours (colours are 1 to 6): " +
               ListWords(named);
    }
    faults.push_back(std::move(f));
  }

  for (int c = 1; c <= 6; ++c) {
    if (count[c] == 9) continue;
    CubeFault f{FaultGroup::Colours, {}, {}};
    f.Text = "colour " + Number(c) + (count[c] == 0 ? " does not appear" : " appears " + TimesWord(count[c])) +
             " (a cube has 9 of each)";
    for (int i = 0; i < StickerCount; ++i)
      if (stickers[i] == c) f.Where.push_back(RefOf(i));
    faults.push_back(std::move(f));
  }

  for (int c = 1; c <= 6; ++c) {
    int centres = 0;
    for (int face = 1; face <= 6; ++face) centres += stickers[Offset(face, 5)] == c;
    if (centres < 2) continue;
    std::vector<std::string> faces;
    CubeFault f{FaultGroup::Centres, {}, {}};
    for (int face = 1; face <= 6; ++face)
      if (stickers[Offset(face, 5)] == c) {
        faces.push_back(std::string(1, FaceLetters[face]));
        f.Where.push_back({static_cast<uint8_t>(face), 2, 2});
      }
    f.Text = "the centres of faces " + ListWords(faces) + (faces.size() == 2 ? " are both" : " are all") +
             " colour " + Number(c) + " (each centre needs its own colour)";
    faults.push_back(std::move(f));
  }
  return faults.size() == before;
}

// --- Pieces --------------------------------------------------------------------------

// Why the colours found at a place are no piece of this cube; empty when they are one
// (for a corner: with their home faces in right-handed order, as the place's faces are).
std::string CornerTrouble(const uint8_t (&stickers)[StickerCount], const CornerPlace& place, const uint8_t* home) {
  int faces[3];
  for (int i = 0; i < 3; ++i) faces[i] = home[stickers[place.At[i]]];
  for (int i = 0; i < 3; ++i)
    for (int j = i + 1; j < 3; ++j) {
      const int ci = stickers[place.At[i]], cj = stickers[place.At[j]];
      if (faces[i] == faces[j]) return "colour " + Number(ci) + " is there twice";
      if (AxisOf(faces[i]) == AxisOf(faces[j]))
        return "colours " + Number(ci) + " and " + Number(cj) + " are on opposite centres";
    }
  const int a = AxisOf(faces[0]), b = AxisOf(faces[1]);
  const int cyclic = ((b - a + 3) % 3 == 1) ? 1 : -1;
  if (cyclic * SignOf(faces[0]) * SignOf(faces[1]) * SignOf(faces[2]) < 0)
    return "a corner with these colours has them the other way round";
  return {};
}

std::string EdgeTrouble(const uint8_t (&stickers)[StickerCount], const EdgePlace& place, const uint8_t* home) {
  const int c0 = stickers[place.At[0]], c1 = stickers[place.At[1]];
  const int f0 = home[c0], f1 = home[c1];
  if (f0 == f1) return "colour " + Number(c0) + " is there twice";
  if (AxisOf(f0) == AxisOf(f1)) return "colours " + Number(c0) + " and " + Number(c1) + " are on opposite centres";
  return {};
}

// Parity of a permutation of n places (0 even, 1 odd).
int Parity(const int8_t* perm, int n) {
  bool seen[12] = {};
  int parity = 0;
  for (int i = 0; i < n; ++i) {
    if (seen[i]) continue;
    int length = 0;
    for (int j = i; !seen[j]; j = perm[j]) {
      seen[j] = true;
      ++length;
    }
    parity ^= (length - 1) & 1;
  }
  return parity;
}

// One fault for every piece found at more than one place.
template <typename Place, std::size_t N>
void ReportTwice(const uint8_t (&stickers)[StickerCount], const Place (&places)[N], const int8_t (&pieceAt)[N],
                 FaultGroup group, const char* noun, std::vector<CubeFault>& faults) {
  for (std::size_t piece = 0; piece < N; ++piece) {
    int holders = 0;
    for (std::size_t k = 0; k < N; ++k) holders += pieceAt[k] == static_cast<int8_t>(piece);
    if (holders < 2) continue;
    std::vector<std::string> at;
    CubeFault f{group, {}, {}};
    int first = -1;
    for (std::size_t k = 0; k < N; ++k) {
      if (pieceAt[k] != static_cast<int8_t>(piece)) continue;
      if (first < 0) first = static_cast<int>(k);
      at.push_back("at " + PlaceWords(places[k].At));
      AppendPlace(f.Where, places[k].At);
    }
    f.Text = std::string("the ") + noun + " with " + ColourWords(stickers, places[first].At) + " is there " +
             TimesWord(static_cast<int>(at.size())) + ": " + ListWords(at) + " (a cube has each piece once)";
    faults.push_back(std::move(f));
  }
}

}  // namespace

std::string StickerWords(StickerRef sticker) {
  const char letter = sticker.Face >= 1 && sticker.Face <= 6 ? FaceLetters[sticker.Face] : '?';
  return std::string("face ") + letter + " row " + Number(sticker.Row) + " column " + Number(sticker.Col);
}

const char* FaultGroupWord(FaultGroup group) {
  switch (group) {
    case FaultGroup::Colours: return "colours";
    case FaultGroup::Centres: return "centres";
    case FaultGroup::Corner: return "corner";
    case FaultGroup::Edge: return "edge";
    case FaultGroup::Twist: return "twist";
    case FaultGroup::Flip: return "flip";
    case FaultGroup::Parity: return "parity";
  }
  return "?";
}

bool CentreMapping(uint8_t map[7], const uint8_t (&stickers)[StickerCount]) {
  for (int c = 0; c <= 6; ++c) map[c] = 0;
  bool distinct = true;
  for (int face = 1; face <= 6; ++face) {
    const uint8_t c = stickers[Offset(face, 5)];
    if (c >= 1 && c <= 6 && map[c] == 0)
      map[c] = static_cast<uint8_t>(face);
    else
      distinct = false;
  }
  return distinct;
}

std::vector<CubeFault> DiagnoseCube(const uint8_t (&stickers)[StickerCount]) {
  std::vector<CubeFault> faults;
  if (!CheckColours(stickers, faults)) return faults;

  // From here every byte is a colour 1..6 and home[] names a face for each.
  uint8_t home[7];
  CentreMapping(home, stickers);

  int8_t cornerAt[8], edgeAt[12];
  int twist = 0, flip = 0;
  for (int k = 0; k < 8; ++k) {
    const CornerPlace& place = Pieces.Corners[k];
    const std::string why = CornerTrouble(stickers, place, home);
    if (!why.empty()) {
      CubeFault f{FaultGroup::Corner, PlaceWords(place.At) + ": " + ColourWords(stickers, place.At) +
                                          " are not a corner of this cube (" + why + ")", {}};
      AppendPlace(f.Where, place.At);
      faults.push_back(std::move(f));
      cornerAt[k] = -1;
      continue;
    }
    int faces[3];
    for (int i = 0; i < 3; ++i) faces[i] = home[stickers[place.At[i]]];
    cornerAt[k] = Pieces.CornerOfKey[CornerKey(faces[0], faces[1], faces[2])];
    // The slot of the colour that belongs on face 1 or 2: 0 at home, 1 or 2 when the
    // piece is turned a third or two thirds counter-clockwise.
    for (int i = 0; i < 3; ++i)
      if (AxisOf(faces[i]) == 0) twist += i;
  }
  ReportTwice(stickers, Pieces.Corners, cornerAt, FaultGroup::Corner, "corner", faults);

  for (int k = 0; k < 12; ++k) {
    const EdgePlace& place = Pieces.Edges[k];
    const std::string why = EdgeTrouble(stickers, place, home);
    if (!why.empty()) {
      CubeFault f{FaultGroup::Edge, PlaceWords(place.At) + ": " + ColourWords(stickers, place.At) +
                                        " are not an edge of this cube (" + why + ")", {}};
      AppendPlace(f.Where, place.At);
      faults.push_back(std::move(f));
      edgeAt[k] = -1;
      continue;
    }
    const int f0 = home[stickers[place.At[0]]], f1 = home[stickers[place.At[1]]];
    edgeAt[k] = Pieces.EdgeOfFaces[f0][f1];
    // Flipped when the colour of the piece's lower axis is not on the place's first sticker.
    if (AxisOf(f0) > AxisOf(f1)) ++flip;
  }
  ReportTwice(stickers, Pieces.Edges, edgeAt, FaultGroup::Edge, "edge", faults);

  if (!faults.empty()) return faults;

  if (twist % 3 == 1)
    faults.push_back({FaultGroup::Twist,
                      "one corner is twisted: turn a corner in place a third of a turn clockwise "
                      "(as seen looking at that corner)",
                      {}});
  else if (twist % 3 == 2)
    faults.push_back({FaultGroup::Twist,
                      "one corner is twisted: turn a corner in place a third of a turn counter-clockwise "
                      "(as seen looking at that corner)",
                      {}});
  if (flip % 2 != 0)
    faults.push_back({FaultGroup::Flip, "one edge is flipped: turn an edge over in place", {}});
  if (Parity(cornerAt, 8) != Parity(edgeAt, 12))
    faults.push_back({FaultGroup::Parity, "two pieces are swapped: exchange two edges or two corners", {}});
  return faults;
}
