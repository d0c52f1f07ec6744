// The two-phase search. Phase 1 deepens step by step over the moves that bring the
// cube into the group of phase 2; every phase-1 path that arrives there (by a quarter
// turn of F, B, R or L: a path ending in a phase-2 move was met one move earlier) is
// finished by the shortest phase-2 path that keeps the whole within the length still
// wanted. Both phases cut a path as soon as a pruning table shows that its coordinates
// need more moves than are left.
//
// Every solution of n moves splits into a phase-1 path (up to the last time the cube
// enters the group) and a phase-2 path, and both searches visit every path that the
// pruning tables allow, so a search for n moves that finds nothing proves that the cube
// needs more than n.
//
// How soon a short solution turns up depends much on luck, so the same cube is searched
// six ways at once: as it is, turned a third of a turn about the URF-DBL diagonal
// either way (which makes F/B or R/L the axis that phase 1 works towards), and the
// three again for the cube that undoes it (a solution of that, read backwards with
// every turn reversed, solves the cube). A cube that none of the six solves soon gets
// 108 more: the six after each of the 18 moves made first.

#include "twophase/twophase.h"

#include <algorithm>
#include <chrono>

#include "twophase/cubie.h"
#include "twophase/tables.h"

namespace twophase {

namespace {

// Longer than any path either phase is asked for.
constexpr int MaxPath = 32;
// Cubes at most this many moves from solved are solved in the fewest moves.
constexpr int ExactUpTo = 5;
// Every cube can be solved in 20 moves.
constexpr int EnoughTurns = 20;
// Moves tried by one search before the next one takes its turn.
constexpr int WorkSlice = 4096;
// The six ways, and each again after a move made first (18 x 6 more), which are added
// once the searches have had this many slices between them: a hard cube often has a
// short solution that a move's detour makes easy to find.
constexpr int Ways = 6 * (1 + MoveCount);
constexpr long PlainSlices = 100;
// What a caller may ask for at most: solutions of up to 30 turns, 24 hours of looking.
constexpr int LongestTarget = MaxPath - 2;
constexpr double LongestSeconds = 86400;

// Whether move m may follow move `last` (18 for none): never the same face twice, and
// of two opposite faces, which commute, only the order with the even face first.
struct FollowTable {
  bool May[MoveCount + 1][MoveCount];
};
constexpr FollowTable DeriveFollow() {
  FollowTable t{};
  for (int last = 0; last <= MoveCount; ++last)
    for (int m = 0; m < MoveCount; ++m) {
      const int f = m / 3, lf = last / 3;
      t.May[last][m] = last == MoveCount || !(f == lf || (f == (lf ^ 1) && f < lf));
    }
  return t;
}
constexpr FollowTable Follow = DeriveFollow();

using Clock = std::chrono::steady_clock;

// What the searches of one cube share: the best solution so far (in the moves of
// the cube as given) and when to stop.
struct Goal {
  int Target = 0;  // the longest solution still wanted
  int StopAt = 0;  // a solution this short ends the search
  bool HasDeadline = false;
  Clock::time_point Deadline;
  bool Found = false;
  std::vector<uint8_t> Best;
};

// The whole-cube turn by a third about the URF-DBL diagonal, as a cube (U to R, R to
// F, F to U), and which face each face's moves become under it.
struct Turned {
  CubieCube Turn[3], Back[3];  // Turn[r]: r thirds; Back[r] undoes it
  int8_t MoveAfter[3][MoveCount];  // move m of the cube as given is move MoveAfter[r][m] of the turned cube
};

const Turned& Orientations() {
  static const Turned t = [] {
    Turned o{};
    o.Turn[0] = o.Back[0] = SolvedCubie;
    o.Turn[1] = DiagonalTurnCube();
    o.Turn[2] = Multiply(o.Turn[1], o.Turn[1]);
    for (int r = 0; r < 3; ++r) {
      o.Back[r] = Inverse(o.Turn[r]);
      for (int m = 0; m < MoveCount; ++m) {
        const CubieCube seen = Multiply(Multiply(o.Back[r], MoveCube[m]), o.Turn[r]);
        o.MoveAfter[r][m] = -1;
        for (int n = 0; n < MoveCount; ++n)
          if (MoveCube[n] == seen) o.MoveAfter[r][m] = static_cast<int8_t>(n);
      }
    }
    return o;
  }();
  return t;
}

// One of the searches.
struct Search {
  const Tables& T;
  Goal& G;
  int Orientation = 0;  // thirds of a turn about the diagonal
  bool Inverted = false;
  int PreMove = -1;  // a move made before the search's own (of the turned cube), or -1
  CubieCube Root;
  int RootTwist = 0, RootFlip = 0, RootSlice = 0;

  uint8_t Path[MaxPath];
  int Length1 = 0;                // the phase-1 depth being searched
  CubieCube Prefix[MaxPath + 1];  // Prefix[k]: the root after the first k moves of Path
  int PrefixValid = 0;            // Prefix[0..PrefixValid] match Path

  Search(const Tables& tables, Goal& goal) : T(tables), G(goal) {}

  void SetRoot(const CubieCube& cube, int orientation, bool inverted, int preMove) {
    Orientation = orientation;
    Inverted = inverted;
    PreMove = preMove;
    const Turned& o = Orientations();
    const CubieCube seen = Multiply(Multiply(o.Back[orientation], cube), o.Turn[orientation]);
    Root = inverted ? Inverse(seen) : seen;
    if (preMove >= 0) Root = Multiply(MoveCube[preMove], Root);
    Prefix[0] = Root;
    PrefixValid = 0;
    RootTwist = TwistOf(Root);
    RootFlip = FlipOf(Root);
    RootSlice = SliceOf(Root);
  }

  // A lower bound of the phase-1 moves of the root, exact up to ZoneDepth.
  int RootBound() const {
    return std::max({PruneAt(T.TwistSlicePrune, RootTwist * SliceCount + RootSlice),
                     PruneAt(T.FlipSlicePrune, RootFlip * SliceCount + RootSlice),
                     ZoneMoves(T, RootTwist, RootFlip, RootSlice)});
  }

  // Keeps the path found, as moves of the cube as given; returns its length.
  int Keep(int length) {
    // A search that began with a move made first solves the cube by its path followed
    // by that move, merged with a last move of the same face.
    std::vector<uint8_t> path(Path, Path + length);
    if (PreMove >= 0) {
      if (!path.empty() && path.back() / 3 == PreMove / 3) {
        const int quarters = (path.back() % 3 + PreMove % 3 + 2) % 4;
        if (quarters == 0)
          path.pop_back();
        else
          path.back() = static_cast<uint8_t>(PreMove - PreMove % 3 + quarters - 1);
      } else {
        path.push_back(static_cast<uint8_t>(PreMove));
      }
    }
    const Turned& o = Orientations();
    int8_t back[MoveCount];
    for (int m = 0; m < MoveCount; ++m) back[o.MoveAfter[Orientation][m]] = static_cast<int8_t>(m);
    const int n = static_cast<int>(path.size());
    G.Best.resize(n);
    for (int i = 0; i < n; ++i) {
      const int m = back[path[i]];
      if (Inverted)
        G.Best[n - 1 - i] = static_cast<uint8_t>(m - m % 3 + 2 - m % 3);
      else
        G.Best[i] = static_cast<uint8_t>(m);
    }
    return n;
  }

  bool OutOfTime() const { return G.HasDeadline && G.Found && Clock::now() >= G.Deadline; }

  // Phase 2 from depth `depth` of Path, exactly `togo` more moves. The look-ups of all
  // the moves are started before any is waited for.
  bool Phase2(int corners, int edges, int slice, int depth, int togo) {
    if (togo == 0) return corners == 0 && edges == 0 && slice == 0;
    const int last = depth > 0 ? Path[depth - 1] : MoveCount;
    int next[Phase2MoveCount][4], count = 0;
    for (int k = 0; k < Phase2MoveCount; ++k) {
      if (!Follow.May[last][Phase2Moves[k]]) continue;
      const int c = T.CornerPermMove[corners][k], e = T.UDEdgePermMove[edges][k], s = T.SlicePermMove[slice][k];
      __builtin_prefetch(&T.CornerSlicePrune[(c * SlicePermCount + s) >> 1]);
      __builtin_prefetch(&T.EdgeSlicePrune[(e * SlicePermCount + s) >> 1]);
      next[count][0] = Phase2Moves[k], next[count][1] = c, next[count][2] = e, next[count][3] = s;
      ++count;
    }
    for (int i = 0; i < count; ++i) {
      const int c = next[i][1], e = next[i][2], s = next[i][3];
      if (PruneAt(T.CornerSlicePrune, c * SlicePermCount + s) >= togo || PruneAt(T.EdgeSlicePrune, e * SlicePermCount + s) >= togo)
        continue;
      Path[depth] = static_cast<uint8_t>(next[i][0]);
      if (Phase2(c, e, s, depth + 1, togo - 1)) return true;
    }
    return false;
  }

  // A phase-1 path of Length1 moves has reached the group: finish it. True ends the search.
  bool StartPhase2() {
    for (int k = PrefixValid; k < Length1; ++k) Prefix[k + 1] = Multiply(Prefix[k], MoveCube[Path[k]]);
    PrefixValid = Length1;
    const CubieCube& c = Prefix[Length1];
    const int most = G.Target - Length1 - (PreMove >= 0 ? 1 : 0);
    const int corners = CornerPermOf(c), slice = SlicePermOf(c);
    if (PruneAt(T.CornerSlicePrune, corners * SlicePermCount + slice) > most) return false;
    const int edges = UDEdgePermOf(c);
    const int least = std::max(PruneAt(T.CornerSlicePrune, corners * SlicePermCount + slice),
                               PruneAt(T.EdgeSlicePrune, edges * SlicePermCount + slice));
    for (int length2 = least; length2 <= most; ++length2) {
      if (!Phase2(corners, edges, slice, Length1, length2)) continue;
      const int length = Keep(Length1 + length2);
      G.Found = true;
      G.Target = length - 1;
      return length <= G.StopAt;
    }
    return false;
  }

  // Phase 1, depth-first without recursion so that it can pause. Stack[d] holds the
  // moves worth trying after d moves of Path, found all at once when the search gets
  // there: the look-ups of all of them are started before any is waited for.
  struct Child {
    uint8_t Move;
    int8_t Most;  // at most this many phase-1 moves from the group (Unknown when not known)
    uint16_t Twist, Flip, Slice;
  };
  struct Frame {
    Child Children[MoveCount];
    int Count, Next;
  };
  static constexpr int Unknown = MaxPath;
  Frame Stack[MaxPath];
  int Depth = 0;

  // The children of the cube after `depth` moves of Path (coordinates `node`) that may
  // still reach the group in the moves left. Returns the moves looked at.
  int Expand(Frame& frame, const Child& node, int depth) {
    const int togo = Length1 - depth;
    const int last = depth > 0 ? Path[depth - 1] : MoveCount;
    Child wait[MoveCount];
    int waiting = 0, looked = 0;
    frame.Count = frame.Next = 0;
    for (int m = 0; m < MoveCount; ++m) {
      if (!Follow.May[last][m]) continue;
      // The last phase-1 move is the one that enters the group.
      if (togo == 1 && IsPhase2Move(m)) continue;
      ++looked;
      const Child c = {static_cast<uint8_t>(m), static_cast<int8_t>(node.Most + 1), T.TwistMove[node.Twist][m],
                       T.FlipMove[node.Flip][m], T.SliceMove[node.Slice][m]};
      // One move changes the phase-1 moves needed by at most one: a cube with moves
      // to spare needs no look-up.
      if (c.Most < togo) {
        frame.Children[frame.Count++] = c;
        continue;
      }
      __builtin_prefetch(&T.TwistSlicePrune[(c.Twist * SliceCount + c.Slice) >> 1]);
      __builtin_prefetch(&T.FlipSlicePrune[(c.Flip * SliceCount + c.Slice) >> 1]);
      if (togo <= ZoneDepth + 2) __builtin_prefetch(&T.FlipSliceClass[c.Flip * SliceCount + c.Slice]);
      wait[waiting++] = c;
    }
    if (waiting == 0) return looked;
    // Otherwise the pairs' bounds, and within the zone the exact count, decide.
    uint32_t key[MoveCount];
    int kept = 0;
    for (int i = 0; i < waiting; ++i) {
      Child c = wait[i];
      if (PruneAt(T.TwistSlicePrune, c.Twist * SliceCount + c.Slice) >= togo ||
          PruneAt(T.FlipSlicePrune, c.Flip * SliceCount + c.Slice) >= togo)
        continue;
      c.Most = Unknown;
      if (togo > ZoneDepth + 2) {
        frame.Children[frame.Count++] = c;
        continue;
      }
      key[kept] = ZoneKey(T, c.Twist, c.Flip, c.Slice);
      if (togo == ZoneDepth + 2)
        __builtin_prefetch(T.Near[NearBlockOf(key[kept])]);
      else
        __builtin_prefetch(T.Zone[ZoneBucketOf(key[kept])]);
      wait[kept++] = c;
    }
    for (int i = 0; i < kept; ++i) {
      Child c = wait[i];
      if (togo == ZoneDepth + 2) {
        if (!MaybeNear(T, key[i])) continue;
      } else {
        const int most = ZoneFind(T, key[i]);
        if (most >= togo) continue;
        c.Most = static_cast<int8_t>(most);
      }
      frame.Children[frame.Count++] = c;
    }
    return looked;
  }

  // Sets up the search of every phase-1 path of exactly Length1 moves. False when the
  // pruning tables rule out every one of them.
  bool BeginDepth() {
    Depth = 0;
    if (Length1 < RootBound()) return false;
    if (Length1 > 0) {
      const int most = ZoneMoves(T, RootTwist, RootFlip, RootSlice);
      const Child root = {0, static_cast<int8_t>(most <= ZoneDepth ? most : Unknown), static_cast<uint16_t>(RootTwist),
                          static_cast<uint16_t>(RootFlip), static_cast<uint16_t>(RootSlice)};
      Expand(Stack[0], root, 0);
    }
    return true;
  }

  enum class Step { Paused, DepthDone, Stop };

  // Goes on with the phase-1 paths of Length1 moves for about `budget` moves looked at.
  Step Continue(int budget) {
    if (Length1 == 0) return StartPhase2() ? Step::Stop : Step::DepthDone;
    while (budget > 0) {
      Frame& here = Stack[Depth];
      if (here.Next == here.Count) {
        if (Depth == 0) return Step::DepthDone;
        --Depth;
        continue;
      }
      const Child& c = here.Children[here.Next++];
      Path[Depth] = c.Move;
      PrefixValid = std::min(PrefixValid, Depth);
      if (Depth + 1 == Length1) {
        --budget;
        if (StartPhase2()) return Step::Stop;
      } else {
        budget -= Expand(Stack[Depth + 1], c, Depth + 1);
        ++Depth;
      }
    }
    return Step::Paused;
  }
};

}  // namespace

}  // namespace twophase

void PrepareShortSolver() { twophase::ShortSolverTables(); }

bool SolveShort(const uint8_t (&stickers)[StickerCount], std::vector<Move>& solution, const ShortSearch& options) {
  using namespace twophase;
  solution.clear();
  CubieCube cube;
  if (!CubieFromStickers(stickers, cube) || !IsSolvable(cube)) return false;
  const Clock::time_point start = Clock::now();
  const Tables& tables = ShortSolverTables();
  Goal goal;

  // First the fewest moves, for a cube close to solved: one way of looking is enough
  // to see every solution, and for the other cubes, whose phase-1 bound is already
  // larger, it costs next to nothing.
  {
    Search exact(tables, goal);
    exact.SetRoot(cube, 0, false, -1);
    for (int n = 0; n <= ExactUpTo && !goal.Found; ++n) {
      goal.Target = goal.StopAt = n;
      for (exact.Length1 = 0; exact.Length1 <= n && !goal.Found; ++exact.Length1)
        if (exact.BeginDepth())
          while (exact.Continue(1 << 30) == Search::Step::Paused) {
          }
    }
  }
  if (!goal.Found) {
    goal.StopAt = std::clamp(options.MaxTurns, 0, LongestTarget);
    goal.Target = std::max(goal.StopAt, EnoughTurns);
    if (options.Seconds > 0) {
      goal.HasDeadline = true;
      goal.Deadline = start + std::chrono::duration_cast<Clock::duration>(
                                  std::chrono::duration<double>(std::min(options.Seconds, LongestSeconds)));
    }
    // The searches take turns, each its own depths, a slice of work at a time, as if
    // they ran side by side: the first to find a short enough solution ends them all.
    std::vector<Search> ways;
    ways.reserve(Ways);
    auto add = [&](int w) {
      ways.emplace_back(tables, goal);
      ways.back().SetRoot(cube, w % 6 / 2, w % 2 == 1, w / 6 - 1);
      ways.back().Length1 = ways.back().RootBound();
      ways.back().BeginDepth();
    };
    for (int w = 0; w < 6; ++w) add(w);
    for (long slices = 0;; ++slices) {
      if (slices == PlainSlices)
        for (int w = 6; w < Ways; ++w) add(w);
      Search& way = ways[slices % ways.size()];
      // A search that has looked at every phase-1 depth the length still wanted allows
      // has nothing more to give; when it is one of the first six it has proved that
      // there is no shorter solution than the best.
      if (way.Length1 + (way.PreMove >= 0 ? 1 : 0) > goal.Target) {
        if (way.PreMove < 0) break;
        continue;
      }
      const Search::Step step = way.Continue(WorkSlice);
      if (step == Search::Step::Stop || way.OutOfTime()) break;
      if (step == Search::Step::DepthDone) {
        ++way.Length1;
        way.BeginDepth();
      }
    }
  }
  for (uint8_t m : goal.Best) solution.push_back(ToMove(m));
  return true;
}
