#pragma once
// The solution window: the turns that solve the cube as it stands, in the notation of
// the face maps, with the next one marked, so that a person can follow them on a cube
// in the hands; its keys play them on the program's cube.
//
// Two methods: "Seven steps", exactly the turns Build would play (to the "Build to
// step" target), grouped by the step that plans them, and "Shortest", the short
// solution. The list follows the cube without being told of its changes: after every
// turn of the list the window keeps the cube as it will stand, and each tick (and each
// handler) compares Stickers with the states around the current place. One turn on or
// back moves the mark (Build, the window's own keys, a key turn that happens to be the
// next one, Ctrl+Z); anything else (an edit, Open, New, Intermixing, Backmixing) makes
// the window work the solution out again from the cube as it stands. Nothing is
// worked out while the window is hidden.
//
// No toolkit here: the window reads what to show from the globals and routines below
// and is told of changes by SysSolutionChanged (platform/platform.h).

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "cube/move.h"
#include "cube/stickers.h"

enum class SolutionMethod : uint8_t { SevenSteps, Shortest };

struct SolutionTurn {
  Move Turn;
  int8_t Step;   // 1..7, the step of Build that plays it; 0 for the short solution
};

using CubeState = std::array<uint8_t, StickerCount>;

// Written by solution.cpp only; the window reads them.
extern bool SolutionShown;                  // the window is open
extern SolutionMethod SolutionMethodShown;  // Seven steps at start-up
extern std::vector<SolutionTurn> SolutionTurns;
// SolutionStates[i]: the cube after the first i turns of the list (0..size of the list).
extern std::vector<CubeState> SolutionStates;
extern int SolutionDone;        // turns of the list the cube has had
extern bool SolutionPlaying;    // turn SolutionDone of the list (1-based) is turning now
extern int SolutionTarget;      // the TargetStep the seven steps were planned to
// The cube cannot be solved: the check's faults, in its words, instead of a list.
extern std::vector<std::string> SolutionFaults;
// The method gave no solution (the short solver is missing or failed): why.
extern std::string SolutionUnavailable;
extern uint32_t SolutionRevision;   // changes whenever anything above changes

// Start-up: hidden, Seven steps, no list, no keys waiting.
void ResetSolutionWindow();

// F12: opens the window (working the solution out) or closes it.
void ToggleSolutionWindow();
// The window system closed the window (Esc, its close button).
void SolutionWindowClosed();

// A key of the solution window (virtual-key codes): Right and Space play the next turn
// of the list, Left takes back the last turn played from the window, Home all of them,
// End plays the rest; 1 and 2 choose Seven steps and Shortest; F12 closes the window.
// Keys that play wait, in order, for the turn in progress; while Build, Intermixing or
// Backmixing runs they are not taken.
void SolutionKeyDown(int key);
// Ctrl+C: the solution as text onto the clipboard.
void CopySolution();

// Compares the cube with the list and moves the mark or works the solution out again;
// tells the window when what it shows has changed. Each tick runs it, and the window
// system after each handler.
void FollowSolution();
// The tick, before it starts a turn: the keys that wait for the cube to be at rest.
void PlayWaitingSolutionKeys();

// --- What the window shows ---
// The name of step 1..7 in words ("the cross", ...).
const char* SevenStepName(int step);
// Index (from 0) of the marked turn: the one turning now, or else the next one;
// -1 when the list is played to its end or there is none.
int SolutionMarked();
// "turn 4 of 57", "solved", "This cube cannot be solved", ...
std::string SolutionHeadline();
// "Step 1 of 7: the cross", "Shortest: 19 turns", ...: under the headline.
std::string SolutionStepLine();
// The solution as text: the method named, then the turns in notation (by step for the
// seven steps); the faults for a cube that cannot be solved.
std::string SolutionText();

// --- Working it out (also for the tests and the benchmark) ---
// The turns Build plays from the cube as it stands, to TargetStep, computed without
// playing: from the first sub-step, or, with continueBuild, on from where the build
// that runs now is. Every global that planning touches is as it was afterwards.
void PlanSevenSteps(bool continueBuild, std::vector<SolutionTurn>& turns);
// The short solution of stickers; false, with the reason, when there is none to have.
bool PlanShortest(const uint8_t (&stickers)[StickerCount], std::vector<Move>& moves, std::string& why);
