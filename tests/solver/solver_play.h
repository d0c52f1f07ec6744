#pragma once
// Test helpers for the solver suites: playing the queue on Stickers, scrambling,
// reading the queue back as (layer, quarter turns), and the sub-steps of steps 1 to 3
// with their look-ups and home stickers.

#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <numbers>
#include <ostream>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "cube/movequeue.h"
#include "cube/stickers.h"
#include "cube/turns.h"
#include "solver/solver.h"
#include "queue_helpers.h"

namespace solvertest {

// The neighbour tables are built once, before any test runs, as start-up does.
inline const bool NeighbourTablesBuilt = (BuildNeighbourTables(), true);

using Moves = std::vector<std::pair<int, int>>;  // (layer, quarter turns)

inline Moves Queued() { return queuetest::QueuedAs<Moves>(); }
using queuetest::PlayAngle;
using queuetest::PlayQueue;

// The solved cube turned by `turns` random quarter turns.
inline void Scramble(uint32_t seed, int turns = 30) {
  ResetStickers();
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> layer(1, 6);
  std::uniform_int_distribution<int> sign(0, 1);
  for (int i = 0; i < turns; ++i) QuarterTurn(layer(rng), sign(rng) ? 1 : -1);
}

// Runs one sub-step on an empty queue and plays what it queued.
inline Moves RunAndPlay(int code) {
  ClearMoves();
  RunSubStep(code);
  Moves m = Queued();
  PlayQueue();
  return m;
}

// The sub-step codes of steps 1 to 3 in running order.
constexpr int EarlyCodes[] = {11, 12, 13, 14, 21, 22, 23, 24, 31, 32, 33, 34};

struct Sticker {
  int Face;
  int Pos;
};

// What each of those sub-steps looks up and where its piece belongs.
struct EarlySubStep {
  int Code;
  int Colours[3];     // look-up colours; a 0 third colour means an edge
  Sticker Home[3];    // home of each looked-up colour, in look-up order
};

constexpr EarlySubStep EarlySubSteps[] = {
    {11, {1, 4, 0}, {{1, 2}, {4, 2}}},
    {12, {1, 5, 0}, {{1, 6}, {5, 2}}},
    {13, {1, 3, 0}, {{1, 8}, {3, 2}}},
    {14, {1, 6, 0}, {{1, 4}, {6, 2}}},
    {21, {1, 4, 6}, {{1, 1}, {4, 3}, {6, 1}}},
    {22, {1, 5, 4}, {{1, 3}, {5, 3}, {4, 1}}},
    {23, {1, 6, 3}, {{1, 7}, {6, 3}, {3, 1}}},
    {24, {1, 3, 5}, {{1, 9}, {3, 3}, {5, 1}}},
    {31, {6, 4, 0}, {{6, 4}, {4, 6}}},
    {32, {3, 6, 0}, {{3, 4}, {6, 6}}},
    {33, {5, 3, 0}, {{5, 4}, {3, 6}}},
    {34, {5, 4, 0}, {{5, 6}, {4, 4}}},
};

inline const EarlySubStep& EarlySubStepOf(int code) {
  for (const EarlySubStep& s : EarlySubSteps)
    if (s.Code == code) return s;
  return EarlySubSteps[0];
}

// The sticker the sub-step's look-up finds, as face and position.
inline Sticker LookedUp(int code) {
  const EarlySubStep& s = EarlySubStepOf(code);
  StickerRef ref = s.Colours[2] == 0 ? FindEdge(s.Colours[0], s.Colours[1])
                                     : FindCorner(s.Colours[0], s.Colours[1], s.Colours[2]);
  if (ref.Face == 0) return {0, 0};
  return {ref.Face, RowColToPos(ref.Row, ref.Col)};
}

// The sub-step's piece is home with every sticker matching its face.
inline bool PieceHome(int code) {
  const EarlySubStep& s = EarlySubStepOf(code);
  int n = s.Colours[2] == 0 ? 2 : 3;
  for (int i = 0; i < n; ++i)
    if (StickerAtPos(s.Home[i].Face, s.Home[i].Pos) != s.Home[i].Face) return false;
  return true;
}

// Every piece of the sub-steps up to and including `code` is home.
inline bool PiecesHomeThrough(int code) {
  for (int c : EarlyCodes) {
    if (!PieceHome(c)) return false;
    if (c == code) break;
  }
  return true;
}

// Goals of the first three steps, stated on the whole cube.
inline bool CrossDone() {
  for (int p : {2, 4, 6, 8})
    if (StickerAtPos(1, p) != 1) return false;
  for (int f : {3, 4, 5, 6})
    if (StickerAtPos(f, 2) != f) return false;
  return true;
}

inline bool FirstLayerDone() {
  for (int p = 1; p <= 9; ++p)
    if (StickerAtPos(1, p) != 1) return false;
  for (int f : {3, 4, 5, 6})
    for (int p = 1; p <= 3; ++p)
      if (StickerAtPos(f, p) != f) return false;
  return true;
}

inline bool TwoLayersDone() {
  if (!FirstLayerDone()) return false;
  for (int f : {3, 4, 5, 6})
    for (int p = 4; p <= 6; ++p)
      if (StickerAtPos(f, p) != f) return false;
  return true;
}

inline bool Solved() {
  for (int f = 1; f <= 6; ++f)
    for (int p = 1; p <= 9; ++p)
      if (StickerAtPos(f, p) != f) return false;
  return true;
}

// Plays a build the way the timer and the planner share it: plan, play the queue,
// plan again unless the sub-step just played was the target. Returns the number of
// planning passes.
inline int PlayBuild(int target) {
  TargetStep = target;
  StartSolving();
  ClearMoves();
  int passes = 0;
  for (;;) {
    ClearMoves();
    ++passes;
    bool queued = RunSubSteps();
    RewindMoves();
    if (!queued) break;
    PlayQueue();
    if (SolverStep == TargetStep) break;
  }
  return passes;
}

// The cells a sub-step of steps 1 to 3 can see once the earlier sub-steps are done:
// every edge (or corner) sticker position of the pieces not yet placed.
struct CellCase {
  int Code;
  int Face;
  int Pos;
};

inline std::vector<CellCase> PossibleCells(int code) {
  std::vector<Sticker> all;
  if (code / 10 == 1)
    for (int f = 1; f <= 6; ++f)
      for (int p : {2, 4, 6, 8}) all.push_back({f, p});
  if (code / 10 == 2)
    for (int f = 1; f <= 6; ++f)
      for (int p : {1, 3, 7, 9}) all.push_back({f, p});
  if (code / 10 == 3) {
    for (int p : {2, 4, 6, 8}) all.push_back({2, p});
    for (int f = 3; f <= 6; ++f)
      for (int p : {4, 6, 8}) all.push_back({f, p});
  }
  std::vector<CellCase> cells;
  for (Sticker s : all) {
    bool taken = false;
    for (int earlier = code / 10 * 10 + 1; earlier < code; ++earlier)
      for (Sticker h : EarlySubStepOf(earlier).Home)
        if (h.Face == s.Face && h.Pos == s.Pos) taken = true;
    if (!taken) cells.push_back({code, s.Face, s.Pos});
  }
  return cells;
}

inline std::vector<CellCase> PossibleCellsOfStep(int step) {
  std::vector<CellCase> cells;
  for (int code = step * 10 + 1; code <= step * 10 + 4; ++code)
    for (CellCase c : PossibleCells(code)) cells.push_back(c);
  return cells;
}

inline std::string CellName(const CellCase& c) {
  return "Sub" + std::to_string(c.Code) + "_Face" + std::to_string(c.Face) + "_P" +
         std::to_string(c.Pos);
}

// Seeds under which each (code, face, position) cell of steps 1 to 3 is seen: the
// scrambled cube after the earlier sub-steps have been played shows the code's sticker
// there. Seeds 0, 1, 2 ... are tried in order, the first seed per cell is kept, and the
// search stops once every possible cell has been seen (a few dozen seeds).
using CellKey = std::tuple<int, int, int>;

inline const std::map<CellKey, uint32_t>& CellSeeds() {
  static const std::map<CellKey, uint32_t> seeds = [] {
    std::vector<CellCase> possible;
    for (int step = 1; step <= 3; ++step)
      for (CellCase c : PossibleCellsOfStep(step)) possible.push_back(c);
    auto allSeen = [&](const std::map<CellKey, uint32_t>& found) {
      for (const CellCase& c : possible)
        if (!found.count(CellKey{c.Code, c.Face, c.Pos})) return false;
      return true;
    };
    std::map<CellKey, uint32_t> found;
    for (uint32_t seed = 0; seed < 4000 && !allSeen(found); ++seed) {
      Scramble(seed);
      for (int code : EarlyCodes) {
        Sticker s = LookedUp(code);
        found.try_emplace(CellKey{code, s.Face, s.Pos}, seed);
        RunAndPlay(code);
      }
    }
    return found;
  }();
  return seeds;
}

// Sets Stickers to the cube that `code` sees under `seed`: the scramble with every
// earlier sub-step played.
inline void StateBefore(int code, uint32_t seed) {
  Scramble(seed);
  for (int c : EarlyCodes) {
    if (c == code) break;
    RunAndPlay(c);
  }
}

// The same for the first seed that shows the cell; false when no seed shows it.
inline bool StateWithCell(int code, int face, int pos) {
  auto it = CellSeeds().find(CellKey{code, face, pos});
  if (it == CellSeeds().end()) return false;
  StateBefore(code, it->second);
  return true;
}

inline void PrintTo(const CellCase& c, std::ostream* os) { *os << CellName(c); }

// Plays the sub-step on the cube that shows the cell and checks that its piece ends
// home and that every piece placed before it stays home.
inline void CheckCell(const CellCase& c) {
  ASSERT_TRUE(StateWithCell(c.Code, c.Face, c.Pos)) << "no scramble shows this cell";
  Sticker seen = LookedUp(c.Code);
  ASSERT_EQ(seen.Face, c.Face);
  ASSERT_EQ(seen.Pos, c.Pos);
  Moves moves = RunAndPlay(c.Code);
  EXPECT_TRUE(PieceHome(c.Code)) << ::testing::PrintToString(moves);
  EXPECT_TRUE(PiecesHomeThrough(c.Code)) << ::testing::PrintToString(moves);
}

// Every cell that can occur in the step is seen under some seed, and no other cell.
inline void CheckCoverage(int step) {
  std::vector<CellCase> possible = PossibleCellsOfStep(step);
  for (const CellCase& c : possible)
    EXPECT_TRUE(CellSeeds().count(CellKey{c.Code, c.Face, c.Pos})) << CellName(c) << " never seen";
  for (const auto& [key, seed] : CellSeeds()) {
    auto [code, face, pos] = key;
    if (code / 10 != step) continue;
    bool listed = false;
    for (const CellCase& c : possible)
      if (c.Code == code && c.Face == face && c.Pos == pos) listed = true;
    EXPECT_TRUE(listed) << CellName({code, face, pos}) << " seen under seed " << seed;
  }
}

}  // namespace solvertest
