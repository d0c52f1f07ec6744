// What the short solver costs, in CPU time of this process (the machine may be shared):
// uniformly random cubes solved one after another in one process, from its start with
// the tables as the library carries them, and the longer search on more cubes.
//
//   short_bench [CUBES [LONGER [SEED]]]   defaults 300 cubes, 100 for the longer search
//
// Prints the tables' size and the cost of their first use, then for each run the CPU
// time in all, per cube the median and the slowest, and the solutions' mean and longest
// length; then the cubes of 1..5 random turns whose solution was longer than that.

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>
#include <vector>

#include "cube/stickers.h"
#include "cube/turns.h"
#include "twophase/cubie.h"
#include "twophase/tables.h"
#include "twophase/twophase.h"

namespace {

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void Run(const char* what, int cubes, uint64_t seed, const ShortSearch& search) {
  std::mt19937_64 random(seed);
  std::vector<double> times;
  long turns = 0;
  size_t longest = 0;
  const double start = CpuSeconds();
  for (int i = 0; i < cubes; ++i) {
    uint8_t stickers[StickerCount];
    twophase::StickersFromCubie(twophase::RandomCubie(random), stickers);
    std::vector<Move> solution;
    const double before = CpuSeconds();
    if (!SolveShort(stickers, solution, search)) std::printf("cube %d refused\n", i);
    times.push_back(CpuSeconds() - before);
    turns += static_cast<long>(solution.size());
    longest = std::max(longest, solution.size());
  }
  const double total = CpuSeconds() - start;
  std::sort(times.begin(), times.end());
  std::printf("%s: %d cubes in %.3f s of CPU (%.2f ms a cube); median %.2f ms, slowest %.1f ms; "
              "%.2f turns on average, at most %zu\n",
              what, cubes, total, total * 1e3 / cubes, times[times.size() / 2] * 1e3, times.back() * 1e3,
              static_cast<double>(turns) / cubes, longest);
}

// Cubes of 1..5 random turns whose solution is longer than the turns that made them.
void CheckShortScrambles(uint64_t seed) {
  std::mt19937 random(static_cast<uint32_t>(seed));
  int longer = 0;
  for (int i = 0; i < 1000; ++i) {
    ResetStickers();
    const int n = 1 + i % 5;
    for (int t = 0; t < n; ++t) {
      const Move m = twophase::ToMove(static_cast<int>(random() % twophase::MoveCount));
      for (int q = 0; q < (m.Quarters < 0 ? -m.Quarters : m.Quarters); ++q) QuarterTurn(m.Layer, m.Quarters < 0 ? -1 : 1);
    }
    uint8_t stickers[StickerCount];
    std::memcpy(stickers, Stickers, StickerCount);
    std::vector<Move> solution;
    SolveShort(stickers, solution);
    longer += solution.size() > static_cast<size_t>(n);
  }
  std::printf("cubes of 1..5 turns: 1000, of which %d got a longer solution\n", longer);
}

}  // namespace

int main(int argc, char** argv) {
  const int cubes = argc > 1 ? std::atoi(argv[1]) : 300;
  const int longer = argc > 2 ? std::atoi(argv[2]) : 100;
  const uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1;
  const long before = PeakKilobytes();
  const double start = CpuSeconds();
  PrepareShortSolver();
  std::printf("tables: %zu bytes, ready in %.4f s of CPU (peak memory +%ld kB before any solve)\n",
              sizeof(twophase::Tables), CpuSeconds() - start, PeakKilobytes() - before);
  if (cubes > 0) Run("first solution of at most 20 turns", cubes, seed, {});
  if (longer > 0) Run("longer search, 0.1 s a cube", longer, seed + 1, LongerShortSearch);
  std::printf("peak memory of the process: %ld kB\n", PeakKilobytes());
  CheckShortScrambles(seed);
  return 0;
}
