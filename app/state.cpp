// The program-wide state of the main window, the values a new window gives it, the
// turn history and the program's one random generator.

#include "app/state.h"

#include <chrono>
#include <random>

bool Halted;
bool SingleStep;
bool Building;
bool Backmixing;
bool ShowArrows;
bool Spinning;
bool Tracing;
bool Paused;
bool ShowCounter;
bool ShowFaceLetters;
bool Dragging;

int32_t CurrentLayer;
int32_t TurnDirection;
int32_t SpeedDivisor;
float ArrowPhase;
float SpinAngles[3];
float SpinRates[3];
int32_t LastMouseX, LastMouseY;
int32_t LastRandomLayer;
int32_t TracingCountdown;
int32_t TracingDirection;
int32_t PaintColour;

std::vector<HistoryEntry> History;
int32_t HistoryLength = 0;

bool RenderContextReady = false;

void ResetProgramState() {
  Halted = true;
  SingleStep = false;
  Building = false;
  Backmixing = false;
  ShowArrows = false;
  Spinning = false;
  Tracing = false;
  Paused = false;
  ShowCounter = false;
  ShowFaceLetters = false;
  Dragging = false;

  CurrentLayer = 1;
  TurnDirection = 1;
  SpeedDivisor = 40;   // Medium
  ArrowPhase = 0;
  for (int axis = 0; axis < 3; ++axis) {
    SpinAngles[axis] = 45;
    SpinRates[axis] = 0;
  }
  LastMouseX = LastMouseY = 0;
  LastRandomLayer = 0;
  TracingCountdown = 0;
  TracingDirection = 0;
  PaintColour = 0;
  ClearHistory();
}

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
