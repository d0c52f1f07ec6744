// The program-wide state of the main window, with the values it has when the program
// starts, the turn history and the program's one random generator.

#include "app/state.h"

#include <chrono>
#include <random>

bool TurnInProgress = false;
bool Halted = true;
bool SingleStep = false;
bool Building = false;
bool Backmixing = false;
bool ShowArrows = false;
bool Spinning = false;
bool Tracing = false;
bool Paused = false;
bool ShowCounter = false;
bool Dragging = false;

int32_t CurrentLayer = 1;
int32_t TurnDirection = 1;
int32_t SpeedDivisor = 40;
float TurnStep = 0;
float TurnRemaining = 0;
float ArrowPhase = 0;
float SpinAngles[3] = {45, 45, 45};
float SpinRates[3] = {0, 0, 0};
int32_t LastMouseX = 0, LastMouseY = 0;
int32_t LastRandomLayer = 0;
int32_t TracingCountdown = 0;
int32_t TracingDirection = 0;

std::vector<HistoryEntry> History;
int32_t HistoryLength = 0;

bool RenderContextReady = false;

void AppendHistory(int layer, double angle) {
  // The storage follows the counter: entries beyond it (taken off by Backmixing) are
  // dropped here, not when they are taken.
  History.resize(static_cast<size_t>(HistoryLength) + 1);
  History[HistoryLength] = HistoryEntry{static_cast<uint8_t>(layer), angle};
  ++HistoryLength;
}

void ClearHistory() {
  HistoryLength = 0;
  History.clear();
}

namespace {
std::mt19937_64 Generator{0};
}

void SeedRandom(uint64_t seed) { Generator.seed(seed); }

void SeedRandomFromClock() {
  SeedRandom(static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count()));
}

int RandomBelow(int bound) {
  if (bound <= 1) return 0;
  // Rejection keeps every value equally likely; written out so that a seed gives the
  // same sequence with any standard library.
  const uint64_t range = static_cast<uint64_t>(bound);
  const uint64_t limit = UINT64_MAX - UINT64_MAX % range;
  uint64_t draw;
  do draw = Generator();
  while (draw >= limit);
  return static_cast<int>(draw % range);
}

double RandomFloat() {
  // The top 53 bits: every double k / 2^53 in [0, 1) equally likely.
  return static_cast<double>(Generator() >> 11) * 0x1.0p-53;
}
