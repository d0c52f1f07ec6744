#include "cube/repair.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <tuple>
#include <utility>

#include "cube/diagnose.h"
#include "cube/neighbour_table.h"
#include "cube/notation.h"

namespace {

using Cube = uint8_t[StickerCount];

constexpr int Offset(int face, int pos) { return 9 * (face - 1) + pos - 1; }

StickerRef RefOf(int offset) {
  const int pos = offset % 9;
  return {static_cast<uint8_t>(offset / 9 + 1), static_cast<uint8_t>(pos / 3 + 1), static_cast<uint8_t>(pos % 3 + 1)};
}

int OffsetOf(StickerRef s) { return 9 * (s.Face - 1) + 3 * (s.Row - 1) + (s.Col - 1); }

bool Names(StickerRef s) { return s.Face >= 1 && s.Face <= 6 && s.Row >= 1 && s.Row <= 3 && s.Col >= 1 && s.Col <= 3; }

// Where the sticker at position p of a face map goes when the face turns a quarter turn
// clockwise as the map shows it: row r, column c to row c, column 4 - r (the top left
// corner to the top right, the left edge to the top).
constexpr int ClockwisePos(int pos) {
  const int row = (pos - 1) / 3 + 1, col = (pos - 1) % 3 + 1;
  return 3 * (col - 1) + (4 - row);
}

// [q][p]: where position p goes in q quarter turns clockwise, q = 0..3.
struct FaceTurnTable {
  uint8_t To[4][10];
};

constexpr FaceTurnTable DeriveFaceTurns() {
  FaceTurnTable t{};
  for (int p = 1; p <= 9; ++p) {
    int at = p;
    for (int q = 0; q < 4; ++q) {
      t.To[q][p] = static_cast<uint8_t>(at);
      at = ClockwisePos(at);
    }
  }
  return t;
}

constexpr FaceTurnTable FaceTurns = DeriveFaceTurns();
static_assert(FaceTurns.To[1][1] == 3 && FaceTurns.To[1][3] == 9 && FaceTurns.To[1][2] == 6 &&
              FaceTurns.To[1][5] == 5 && FaceTurns.To[2][1] == 9);

// The colour number counts of a cube: [0] the bytes that are no colour.
void CountColours(const Cube& cube, int (&count)[7]) {
  for (int& n : count) n = 0;
  for (uint8_t c : cube) ++count[c >= 1 && c <= 6 ? c : 0];
}

bool CountsRight(const int (&count)[7]) {
  if (count[0] != 0) return false;
  for (int c = 1; c <= 6; ++c)
    if (count[c] != 9) return false;
  return true;
}

struct Found {
  CubeRepair Repair;
  int Named;   // how many of its changed stickers the faults name
  Cube After;
};

// How near each other the two stickers of an exchange lie, as a slip of entering them
// would have them: 0 on one piece, 1 neighbours on one face map (side by side or
// diagonal), 2 elsewhere on one face, 3 on two faces. 0 for the other kinds.
int Distance(const CubeRepair& r) {
  if (r.Kind != RepairKind::Swap) return 0;
  const StickerRef a = r.At[0], b = r.At[1];
  const NeighbourList list = TableNeighbours(a.Face, RowColToPos(a.Row, a.Col));
  for (int i = 0; i < list.Count; ++i)
    if (list.Entries[i].Face == b.Face && list.Entries[i].Pos == RowColToPos(b.Row, b.Col)) return 0;
  if (a.Face != b.Face) return 3;
  return std::abs(a.Row - b.Row) <= 1 && std::abs(a.Col - b.Col) <= 1 ? 1 : 2;
}

// The ranking of the header: fewer stickers changed, more of them named, the kind, how
// near each other the stickers of an exchange lie, the stickers in the order of Stickers,
// the turn of a face.
bool RanksBefore(const Found& a, const Found& b) {
  const auto key = [](const Found& f) {
    return std::make_tuple(f.Repair.Changed.size(), -f.Named, static_cast<int>(f.Repair.Kind), Distance(f.Repair));
  };
  if (key(a) != key(b)) return key(a) < key(b);
  const std::vector<StickerRef>& ca = a.Repair.Changed;
  const std::vector<StickerRef>& cb = b.Repair.Changed;
  for (std::size_t i = 0; i < ca.size(); ++i)
    if (OffsetOf(ca[i]) != OffsetOf(cb[i])) return OffsetOf(ca[i]) < OffsetOf(cb[i]);
  return a.Repair.Quarters < b.Repair.Quarters;
}

// The bits of the six centres among the 54.
constexpr uint64_t Centres = [] {
  uint64_t m = 0;
  for (int face = 1; face <= 6; ++face) m |= uint64_t{1} << Offset(face, 5);
  return m;
}();

class Search {
 public:
  explicit Search(const Cube& cube) : cube_(cube) {}

  // The faults' places: a repair must change at least one sticker of each, or that fault
  // stays. So for the centres that share a colour, and for a place that is no piece or a
  // piece found twice, unless the repair changes a centre (which gives every place other
  // home colours). Not so for a colour count: a colour short of stickers is mended
  // elsewhere.
  void Needs(const std::vector<CubeFault>& faults) {
    for (const CubeFault& f : faults) {
      if (f.Where.empty() || f.Group == FaultGroup::Colours) continue;
      uint64_t mask = 0;
      for (const StickerRef& s : f.Where) mask |= uint64_t{1} << OffsetOf(s);
      (f.Group == FaultGroup::Centres ? centreNeeds_ : pieceNeeds_).push_back(mask);
      named_ |= mask;
    }
  }

  // Keeps the repair when it can mend every fault and leaves a solvable cube.
  void Consider(CubeRepair&& repair) {
    uint64_t changed = 0;
    for (const StickerRef& s : repair.Changed) changed |= uint64_t{1} << OffsetOf(s);
    for (uint64_t need : centreNeeds_)
      if ((need & changed) == 0) return;
    if ((changed & Centres) == 0)
      for (uint64_t need : pieceNeeds_)
        if ((need & changed) == 0) return;
    Found f{std::move(repair), std::popcount(changed & named_), {}};
    std::memcpy(f.After, cube_, sizeof f.After);
    ApplyRepair(f.Repair, f.After);
    if (!DiagnoseCube(f.After).empty()) return;
    found_.push_back(std::move(f));
  }

  std::vector<CubeRepair> Best(std::size_t limit) {
    std::sort(found_.begin(), found_.end(), RanksBefore);
    std::vector<CubeRepair> best;
    std::vector<const Found*> kept;
    for (const Found& f : found_) {
      if (best.size() >= limit) break;
      const bool same = std::any_of(kept.begin(), kept.end(), [&](const Found* k) {
        return std::memcmp(k->After, f.After, sizeof f.After) == 0;
      });
      if (same) continue;
      kept.push_back(&f);
      best.push_back(f.Repair);
    }
    return best;
  }

 private:
  const Cube& cube_;
  std::vector<uint64_t> centreNeeds_, pieceNeeds_;
  uint64_t named_ = 0;
  std::vector<Found> found_;
};

}  // namespace

std::vector<CubeRepair> FindRepairs(const uint8_t (&stickers)[StickerCount], std::size_t limit) {
  const std::vector<CubeFault> faults = DiagnoseCube(stickers);
  if (faults.empty() || limit == 0) return {};
  Search search(stickers);
  search.Needs(faults);

  int count[7];
  CountColours(stickers, count);
  if (!CountsRight(count)) {
    // Exchanging or turning stickers keeps every count: only a recolouring can help,
    // and only one that takes a sticker from a colour (or a byte that is none) in
    // excess to the colour short of it.
    for (int i = 0; i < StickerCount; ++i) {
      const uint8_t from = stickers[i];
      for (uint8_t to = 1; to <= 6; ++to) {
        if (to == from) continue;
        int after[7];
        std::memcpy(after, count, sizeof after);
        --after[from >= 1 && from <= 6 ? from : 0];
        ++after[to];
        if (!CountsRight(after)) continue;
        CubeRepair r{RepairKind::Sticker, {RefOf(i), {}}, from, to, 0, 0, {RefOf(i)}};
        search.Consider(std::move(r));
      }
    }
    return search.Best(limit);
  }

  for (int i = 0; i < StickerCount; ++i)
    for (int j = i + 1; j < StickerCount; ++j) {
      if (stickers[i] == stickers[j]) continue;
      CubeRepair r{RepairKind::Swap, {RefOf(i), RefOf(j)}, stickers[i], stickers[j], 0, 0, {RefOf(i), RefOf(j)}};
      search.Consider(std::move(r));
    }

  for (uint8_t face = 1; face <= 6; ++face)
    for (uint8_t quarters = 1; quarters <= 3; ++quarters) {
      CubeRepair r{RepairKind::Face, {}, 0, 0, face, quarters, {}};
      Cube after;
      std::memcpy(after, stickers, sizeof after);
      ApplyRepair(r, after);
      for (int p = 1; p <= 9; ++p)
        if (after[Offset(face, p)] != stickers[Offset(face, p)]) r.Changed.push_back(RefOf(Offset(face, p)));
      if (!r.Changed.empty()) search.Consider(std::move(r));
    }
  return search.Best(limit);
}

void ApplyRepair(const CubeRepair& repair, uint8_t (&stickers)[StickerCount]) {
  switch (repair.Kind) {
    case RepairKind::Sticker:
      if (Names(repair.At[0])) stickers[OffsetOf(repair.At[0])] = repair.To;
      break;
    case RepairKind::Swap:
      if (Names(repair.At[0]) && Names(repair.At[1]))
        std::swap(stickers[OffsetOf(repair.At[0])], stickers[OffsetOf(repair.At[1])]);
      break;
    case RepairKind::Face: {
      if (repair.Face < 1 || repair.Face > 6) break;
      // Entered turned q quarters clockwise: what belongs at p was entered where p goes.
      const int face = repair.Face, q = repair.Quarters % 4;
      uint8_t entered[10];
      for (int p = 1; p <= 9; ++p) entered[p] = stickers[Offset(face, p)];
      for (int p = 1; p <= 9; ++p) stickers[Offset(face, p)] = entered[FaceTurns.To[q][p]];
      break;
    }
  }
}

std::string RepairText(const CubeRepair& repair) {
  switch (repair.Kind) {
    case RepairKind::Sticker:
      return StickerWords(repair.At[0]) + ": colour " + std::to_string(repair.From) + " -> " +
             std::to_string(repair.To);
    case RepairKind::Swap:
      return "swap " + StickerWords(repair.At[0]) + " and " + StickerWords(repair.At[1]);
    case RepairKind::Face: {
      const char letter = repair.Face >= 1 && repair.Face <= 6 ? FaceLetters[repair.Face] : '?';
      return std::string("face ") + letter + " turned " + std::to_string(90 * repair.Quarters) + " degrees";
    }
  }
  return {};
}
