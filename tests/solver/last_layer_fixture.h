#pragma once
// Shared helpers for the last-layer suites: reading the queue back as moves, playing
// it on Stickers, the goals of steps 4 to 7, the step algorithms written out as the
// test expects them, and a generator of top-layer states that leaves the first two
// layers alone.

#include <gtest/gtest.h>

#include <cmath>
#include <compare>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <numbers>
#include <ostream>
#include <random>
#include <vector>

#include "cube/movequeue.h"
#include "cube/stickers.h"
#include "cube/turns.h"
#include "queue_helpers.h"

namespace lltest {

struct Move {
  int Layer;
  int Quarters;
  auto operator<=>(const Move&) const = default;
};
inline std::ostream& operator<<(std::ostream& os, const Move& m) {
  return os << "(" << m.Layer << ", " << m.Quarters << ")";
}

using Moves = std::vector<Move>;

inline Moves Cat(std::initializer_list<Moves> parts) {
  Moves out;
  for (const Moves& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

inline Moves Repeat(const Moves& m, int times) {
  Moves out;
  for (int i = 0; i < times; ++i) out.insert(out.end(), m.begin(), m.end());
  return out;
}

inline Moves Inverse(const Moves& m) {
  Moves out;
  for (auto it = m.rbegin(); it != m.rend(); ++it) out.push_back({it->Layer, -it->Quarters});
  return out;
}

inline Moves Queued() { return queuetest::QueuedAs<Moves>(); }
using queuetest::PlayAngle;
using queuetest::PlayQueue;

inline void Apply(const Moves& m) {
  for (const Move& x : m) PlayAngle(x.Layer, static_cast<float>(x.Quarters * (std::numbers::pi / 2)));
}

// Fresh, solved cube and an empty queue.
inline void ResetAll() {
  ResetStickers();
  ClearMoves();
  RewindMoves();
}

// ---------------------------------------------------------------------------------
// Goals.

inline constexpr int Ring[5] = {0, 3, 5, 4, 6};

// Face 1 complete, and rows 1 and 2 of every side face in their face's colour.
inline bool FirstTwoLayersIntact() {
  for (int p = 1; p <= 9; ++p)
    if (StickerAtPos(1, p) != 1) return false;
  for (int j = 1; j <= 4; ++j)
    for (int p = 1; p <= 6; ++p)
      if (StickerAtPos(Ring[j], p) != Ring[j]) return false;
  return true;
}

inline bool TopCross() {
  for (int p : {2, 4, 6, 8})
    if (StickerAtPos(2, p) != 2) return false;
  return StickerAtPos(2, 5) == 2;
}

inline bool TopEdgesPlaced() {
  for (int j = 1; j <= 4; ++j)
    if (StickerAtPos(Ring[j], 8) != Ring[j]) return false;
  return true;
}

// Top corner slots: face-2 position, side face read at 7, side face read at 9.
struct Slot {
  int TopPos, Side7, Side9;
};
inline constexpr Slot Slots[5] = {{0, 0, 0}, {1, 3, 6}, {3, 5, 3}, {9, 4, 5}, {7, 6, 4}};

inline unsigned SlotColours(int slot) {
  const Slot& s = Slots[slot];
  return (1u << StickerAtPos(2, s.TopPos)) | (1u << StickerAtPos(s.Side7, 7)) |
         (1u << StickerAtPos(s.Side9, 9));
}
// The colours a corner has when it sits in its own slot.
inline unsigned HomeColours(int slot) {
  const Slot& s = Slots[slot];
  return (1u << 2) | (1u << s.Side7) | (1u << s.Side9);
}

// Which corner (1..4) sits in each slot; 0 for a colour set that is no corner's.
inline std::vector<int> CornerArrangement() {
  std::vector<int> k(5, 0);
  for (int j = 1; j <= 4; ++j)
    for (int id = 1; id <= 4; ++id)
      if (SlotColours(j) == HomeColours(id)) k[j] = id;
  return k;
}

inline bool TopCornersPlaced() {
  for (int j = 1; j <= 4; ++j)
    if (SlotColours(j) != HomeColours(j)) return false;
  return true;
}

inline bool CornerTwistedRight(int slot) { return StickerAtPos(2, Slots[slot].TopPos) == 2; }

inline bool Solved() {
  for (int f = 1; f <= 6; ++f)
    for (int p = 1; p <= 9; ++p)
      if (StickerAtPos(f, p) != f) return false;
  return true;
}

// ---------------------------------------------------------------------------------
// The step algorithms, written out from their definitions.

inline int Sigma(int face) { return face % 2 == 1 ? 1 : -1; }
inline int NextFace(int face) {
  switch (face) {
    case 3: return 5;
    case 5: return 4;
    case 4: return 6;
    case 6: return 3;
    default: return face;
  }
}

// Step 4.
inline const Moves kX = {{6, -1}, {2, -1}, {3, 1}, {2, 1}, {3, -1}, {6, 1}};
inline Moves Y(int a) {
  Moves m = a != 0 ? Moves{{2, a}} : Moves{};
  return Cat({m, {{3, -1}, {6, 1}, {2, 1}, {6, -1}, {2, -1}, {3, 1}}});
}
inline Moves Z(int a) {
  Moves m = a != 0 ? Moves{{2, a}} : Moves{};
  return Cat({m, {{3, -1}, {2, 1}, {6, 1}, {2, -1}, {6, -1}, {3, 1}}});
}

// Step 5.
inline Moves W(int f) {
  const int s = Sigma(f);
  return {{f, s}, {2, 2}, {f, -s}, {2, 1}, {f, s}, {2, 1}, {f, -s}};
}

// Step 6, case 2..5 at ring shift v.
inline Moves CornerCase(int kase, int v) {
  const int f = Ring[((2 + v - 1) % 4) + 1];
  const int s = Sigma(f);
  const int g = NextFace(NextFace(f));
  const int h = NextFace(f);
  const int t = Sigma(h);
  switch (kase) {
    case 2: return {{2, 1}, {g, s}, {2, -1}, {f, s}, {2, 1}, {g, -s}, {2, -1}, {f, -s}};
    case 3: return {{f, s}, {2, 1}, {g, s}, {2, -1}, {f, -s}, {2, 1}, {g, -s}, {2, -1}};
    case 4:
      return Cat({{{h, -t}}, Repeat({{f, -s}, {2, 1}, {f, s}, {2, -1}}, 3), {{h, t}}});
    case 5: return Repeat({{f, 2}, {g, 2}, {1, -1}, {f, 2}, {g, 2}, {2, 2}}, 2);
    default: return {};
  }
}

// Step 7: the sub-step 71, 72, 73's corner faces and its two fourteen-turn answers.
struct TwistFaces {
  int F, G;
};
inline constexpr TwistFaces kTwist[3] = {{6, 3}, {3, 5}, {5, 4}};
inline Moves P(int code) {
  const auto [f, g] = kTwist[code - 71];
  const int c = Sigma(f), d = Sigma(g);
  return {{g, -d}, {1, 2}, {g, d}, {f, c}, {1, 2}, {f, -c}};
}
inline Moves Q(int code) {
  const auto [f, g] = kTwist[code - 71];
  const int c = Sigma(f), d = Sigma(g);
  return {{f, c}, {1, 2}, {f, -c}, {g, -d}, {1, 2}, {g, d}};
}
// Colour 2 on face G: P, (2, −1), Q, (2, 1).
inline Moves TwistTopOnG(int code) { return Cat({P(code), {{2, -1}}, Q(code), {{2, 1}}}); }
// Colour F on face G: Q, (2, −1), P, (2, 1).
inline Moves TwistFOnG(int code) { return Cat({Q(code), {{2, -1}}, P(code), {{2, 1}}}); }

// ---------------------------------------------------------------------------------
// Random top-layer states: products of generator sequences (each played forwards or
// backwards) from the solved cube. Every generator must leave the first two layers as
// they were; the generator checks that after every state it makes.

inline void ScrambleWith(const std::vector<Moves>& generators, std::mt19937& rng, int maxLength) {
  std::uniform_int_distribution<int> length(0, maxLength);
  std::uniform_int_distribution<size_t> pick(0, generators.size() - 1);
  std::uniform_int_distribution<int> coin(0, 1);
  const int n = length(rng);
  for (int i = 0; i < n; ++i) {
    const Moves& g = generators[pick(rng)];
    Apply(coin(rng) ? g : Inverse(g));
  }
}

// Generators that keep the cross, the top edges' places and the corners' places
// respectively, on top of the first two layers.
inline std::vector<Moves> TwistGenerators() {
  std::vector<Moves> g;
  for (int code = 71; code <= 73; ++code) {
    g.push_back(TwistTopOnG(code));
    g.push_back(TwistFOnG(code));
  }
  return g;
}
inline std::vector<Moves> CornerPlaceGenerators() {
  std::vector<Moves> g = TwistGenerators();
  for (int kase = 2; kase <= 5; ++kase)
    for (int v = 0; v < 4; ++v) g.push_back(CornerCase(kase, v));
  return g;
}
inline std::vector<Moves> EdgePlaceGenerators() {
  std::vector<Moves> g = CornerPlaceGenerators();
  for (int f : {3, 5, 4, 6}) g.push_back(W(f));
  g.push_back({{2, 1}});
  return g;
}
inline std::vector<Moves> CrossGenerators() {
  std::vector<Moves> g = EdgePlaceGenerators();
  g.push_back(kX);
  g.push_back(Y(0));
  g.push_back(Z(0));
  return g;
}

}  // namespace lltest
