// One validity check of a cube (a solvable one, which allocates nothing, and ones with
// faults, which build their texts), and reading and printing a sequence of turns.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <random>
#include <utility>

#include "cube/diagnose.h"
#include "cube/notation.h"
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
