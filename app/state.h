#pragma once
// The program-wide state of the main window: run flags, view spin, and the history of
// turns. Only the user-interface thread touches it. The turn in progress
// (TurnInProgress, TurnStep, TurnRemaining) is the drawn cube's: render/turn.h.

#include <cstdint>
#include <vector>

#include "render/turn.h"

// --- Run flags ---
extern bool Halted;           // the tick starts no new turn
extern bool SingleStep;       // Enter or Space asked for one turn
extern bool Building;         // the solver's queued turns are being played
extern bool Backmixing;       // History is being played backwards
extern bool ShowArrows;
extern bool Spinning;         // Rotation: SpinAngles advance by SpinRates each tick
extern bool Tracing;          // the view wanders by 3-degree steps
extern bool Paused;           // P holds the timer off
extern bool ShowCounter;      // the caption shows HistoryLength
extern bool Dragging;         // a mouse button is down: moves turn the view
extern bool ShowFaceLetters;  // L: the face letters on the centres (the key handler)

// --- Numbers ---
extern int32_t CurrentLayer;     // 1..6, the layer Enter turns and the arrows show
extern int32_t TurnDirection;    // +1 or -1
extern int32_t SpeedDivisor;     // a half turn lasts this many ticks: 2, 20, 40, 100
extern float ArrowPhase;         // degrees, 0 <= value < 72
extern float SpinAngles[3];      // degrees about X, Y, Z
extern float SpinRates[3];       // degrees per tick while Spinning
extern int32_t LastMouseX, LastMouseY;
extern int32_t LastRandomLayer;
extern int32_t TracingCountdown; // degrees left in the current Tracing direction
extern int32_t TracingDirection; // 0..3
// The colour 1..6 a left click on the face maps paints, or 0: a click steps the colour.
// Written by ChoosePaintColour and ProjClick (hiding the maps clears it).
extern int32_t PaintColour;

// Every turn the timer started, except Backmixing's: the layer and the angle that
// undoes it.
struct HistoryEntry {
  uint8_t Layer;
  double Angle;
};
extern std::vector<HistoryEntry> History;
extern int32_t HistoryLength;   // valid entries; the counter in the caption

void AppendHistory(int layer, double angle);
void ClearHistory();

// Every variable above with the value a new window starts with.
void ResetProgramState();

// True once FormCreate has a current OpenGL context; the drawing and texture steps are
// skipped without one (the headless tools run without it).
extern bool RenderContextReady;

// The program's one random generator: uniform integers in [0, bound) and floats in [0, 1).
void SeedRandom(uint64_t seed);
void SeedRandomFromClock();
int RandomBelow(int bound);
double RandomFloat();

// The caption of the main window when nothing else is shown.
inline constexpr const char* MainCaption = "Tornelo";
