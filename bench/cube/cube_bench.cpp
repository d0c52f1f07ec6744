// One validity check of a cube (a solvable one, which allocates nothing, and ones with
// faults, which build their texts), the search for the repairs of a cube that cannot be
// solved, how often its first repair is the slip that was made, and reading and printing
// a sequence of turns.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <random>
#include <utility>

#include "cube/diagnose.h"
#include "cube/notation.h"
#include "cube/repair.h"
#include "cube/stickers.h"
#include "cube/turns.h"

// Every allocation of the program is counted, so a benchmark can report how many one
// call makes.
namespace {
std::atomic<long> Allocations{0};
}

void* operator new(std::size_t size) {
  ++Allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
// GCC takes the free() of the replaced operator for a mismatch with new.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

// Reports the allocations per iteration made since `before`.
void CountAllocations(benchmark::State& state, long before) {
  state.counters["allocs"] =
      static_cast<double>(Allocations - before) / static_cast<double>(state.iterations());
}

void Scrambled(uint8_t (&cube)[StickerCount]) {
  std::mt19937 rng(7);
  ResetStickers();
  for (int i = 0; i < 40; ++i) QuarterTurn(1 + static_cast<int>(rng() % 6), (rng() % 2) ? 1 : -1);
  std::memcpy(cube, Stickers, sizeof cube);
}

void BM_DiagnoseSolvable(benchmark::State& state) {
  uint8_t cube[StickerCount];
  Scrambled(cube);
  const long before = Allocations;
  for (auto _ : state) {
    auto faults = DiagnoseCube(cube);
    benchmark::DoNotOptimize(faults);
  }
  CountAllocations(state, before);
}
BENCHMARK(BM_DiagnoseSolvable);

// Two stickers of a corner exchanged: two corner faults with their texts and places.
void BM_DiagnoseCornerFault(benchmark::State& state) {
  uint8_t cube[StickerCount];
  Scrambled(cube);
  std::swap(cube[9 * 1 + 8], cube[9 * 3 + 6]);
  const long before = Allocations;
  for (auto _ : state) {
    auto faults = DiagnoseCube(cube);
    benchmark::DoNotOptimize(faults);
  }
  CountAllocations(state, before);
}
BENCHMARK(BM_DiagnoseCornerFault);

// A corner twisted in place: every piece check passes, the twist rule fails.
void BM_DiagnoseTwist(benchmark::State& state) {
  uint8_t cube[StickerCount];
  Scrambled(cube);
  uint8_t& a = cube[0];
  uint8_t& b = cube[9 * 3 + 2];
  uint8_t& c = cube[9 * 5 + 0];
  std::swap(a, b);
  std::swap(a, c);
  const long before = Allocations;
  for (auto _ : state) {
    auto faults = DiagnoseCube(cube);
    benchmark::DoNotOptimize(faults);
  }
  CountAllocations(state, before);
}
BENCHMARK(BM_DiagnoseTwist);

// The whole check of a cube that cannot be solved, as tornelo-cli check and Build make
// it: the faults, then the repairs. A flipped edge or a twisted corner is the dearest
// case: the faults name no sticker, so every exchange of two stickers is tried.
void CheckAndRepair(benchmark::State& state, void (*spoil)(uint8_t (&)[StickerCount])) {
  uint8_t cube[StickerCount];
  Scrambled(cube);
  spoil(cube);
  std::size_t repairs = 0;
  for (auto _ : state) {
    auto faults = DiagnoseCube(cube);
    auto found = FindRepairs(cube);
    repairs = found.size();
    benchmark::DoNotOptimize(faults);
    benchmark::DoNotOptimize(found);
  }
  state.counters["repairs"] = static_cast<double>(repairs);
}
BENCHMARK_CAPTURE(CheckAndRepair, OneWrongSticker, [](uint8_t (&c)[StickerCount]) { c[9 * 2 + 3] = c[9 * 2 + 3] % 6 + 1; })
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CheckAndRepair, TwoStickersSwapped, [](uint8_t (&c)[StickerCount]) { std::swap(c[2], c[9 * 4]); })
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CheckAndRepair, FaceEnteredTurned,
                  [](uint8_t (&c)[StickerCount]) {
                    uint8_t* f = c + 9;  // face D a quarter turn: 1 -> 3 -> 9 -> 7, 2 -> 6 -> 8 -> 4
                    uint8_t corner = f[6], edge = f[3];
                    f[6] = f[8], f[8] = f[2], f[2] = f[0], f[0] = corner;
                    f[3] = f[7], f[7] = f[5], f[5] = f[1], f[1] = edge;
                  })
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CheckAndRepair, FlippedEdge, [](uint8_t (&c)[StickerCount]) { std::swap(c[1], c[9 * 3 + 1]); })
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(CheckAndRepair, TwistedCorner,
                  [](uint8_t (&c)[StickerCount]) {
                    std::swap(c[0], c[9 * 3 + 2]);
                    std::swap(c[0], c[9 * 5 + 0]);
                  })
    ->Unit(benchmark::kMicrosecond);

// Random slips on random cubes: "first_true" is the share of cubes whose first repair
// gives back the cube before the slip, "unsolvable" the repairs offered that leave a
// cube the check still refuses (must be 0), "none" the share with no repair at all.
enum class Slip { Sticker, Swap, SwapOnOneFace, SwapOnOnePiece, Face };

// Two stickers of different colours, anywhere / on one face / on one piece.
void SwapTwo(uint8_t (&cube)[StickerCount], std::mt19937& rng, Slip slip) {
  for (;;) {
    const int a = static_cast<int>(rng() % StickerCount);
    int b = static_cast<int>(rng() % StickerCount);
    if (slip == Slip::SwapOnOneFace) b = a / 9 * 9 + static_cast<int>(rng() % 9);
    if (slip == Slip::SwapOnOnePiece) {
      const NeighbourList& list = Neighbours[a / 9 + 1][a % 9 + 1];
      if (list.Count == 0) continue;
      const FacePos other = list.Entries[rng() % list.Count];
      b = 9 * (other.Face - 1) + other.Pos - 1;
    }
    if (cube[a] == cube[b]) continue;
    std::swap(cube[a], cube[b]);
    return;
  }
}

void RandomSlips(benchmark::State& state, Slip slip) {
  BuildNeighbourTables();
  std::mt19937 rng(2024);
  long cubes = 0, firstTrue = 0, unsolvable = 0, none = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ResetStickers();
    for (int i = 0; i < 40; ++i) QuarterTurn(1 + static_cast<int>(rng() % 6), (rng() % 2) ? 1 : -1);
    uint8_t truth[StickerCount], cube[StickerCount];
    std::memcpy(truth, Stickers, sizeof truth);
    std::memcpy(cube, truth, sizeof cube);
    if (slip == Slip::Sticker) {
      const int at = static_cast<int>(rng() % StickerCount);
      cube[at] = static_cast<uint8_t>((cube[at] + rng() % 5) % 6 + 1);   // any other colour
    } else if (slip == Slip::Face) {
      CubeRepair turned{RepairKind::Face, {}, 0, 0, static_cast<uint8_t>(1 + rng() % 6),
                        static_cast<uint8_t>(1 + rng() % 3), {}};
      // Turning back by the rest of a whole turn is entering it turned.
      turned.Quarters = static_cast<uint8_t>(4 - turned.Quarters);
      ApplyRepair(turned, cube);
    } else {
      SwapTwo(cube, rng, slip);
    }
    state.ResumeTiming();
    const std::vector<CubeRepair> found = FindRepairs(cube);
    state.PauseTiming();
    if (std::memcmp(cube, truth, sizeof cube) != 0) {
      ++cubes;
      none += found.empty();
      for (std::size_t i = 0; i < found.size(); ++i) {
        uint8_t mended[StickerCount];
        std::memcpy(mended, cube, sizeof mended);
        ApplyRepair(found[i], mended);
        unsolvable += !DiagnoseCube(mended).empty();
        if (i == 0) firstTrue += std::memcmp(mended, truth, sizeof mended) == 0;
      }
    }
    state.ResumeTiming();
  }
  state.counters["cubes"] = static_cast<double>(cubes);
  state.counters["first_true"] = cubes ? static_cast<double>(firstTrue) / static_cast<double>(cubes) : 0;
  state.counters["unsolvable"] = static_cast<double>(unsolvable);
  state.counters["none"] = cubes ? static_cast<double>(none) / static_cast<double>(cubes) : 0;
}
BENCHMARK_CAPTURE(RandomSlips, OneWrongSticker, Slip::Sticker)->Unit(benchmark::kMicrosecond)->Iterations(20000);
BENCHMARK_CAPTURE(RandomSlips, TwoStickersSwapped, Slip::Swap)->Unit(benchmark::kMicrosecond)->Iterations(5000);
BENCHMARK_CAPTURE(RandomSlips, TwoStickersOfOneFaceSwapped, Slip::SwapOnOneFace)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(5000);
BENCHMARK_CAPTURE(RandomSlips, TwoStickersOfOnePieceSwapped, Slip::SwapOnOnePiece)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(5000);
BENCHMARK_CAPTURE(RandomSlips, FaceEnteredTurned, Slip::Face)->Unit(benchmark::kMicrosecond)->Iterations(5000);

void BM_ParseAndFormat20(benchmark::State& state) {
  const std::string text = "R U R' U' R' F R2 U' R' U' R U R' F' L2 D B' U2 F L";
  std::vector<Move> moves;
  std::string why;
  for (auto _ : state) {
    ParseMoves(text, moves, why);
    std::string back = FormatMoves(moves);
    benchmark::DoNotOptimize(back);
  }
}
BENCHMARK(BM_ParseAndFormat20);

}  // namespace
