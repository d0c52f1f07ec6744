#pragma once
// The layer-by-layer solver: seven steps of eighteen sub-steps, each a fixed routine
// that reads Stickers once and appends one move sequence to the move queue (or
// nothing, when its goal already holds).
//
// Sub-step codes: 11-14 first-layer cross, 21-24 first-layer corners, 31-34 middle
// edges, 41 last-layer cross, 51 last-layer edges, 61 last-layer corners in place,
// 71-73 last-layer corner twist.

#include <cstdint>

extern int32_t SolverStep;   // the sub-step last run; 10 before the first
extern int32_t TargetStep;   // the last code a build may run (14, 24, 34, 41, 51, 61, 73)

// Start-up: no sub-step run yet, builds go to the end.
void ResetSolver();
// A new build starts from the first sub-step.
void StartSolving();
// The plan has nothing more to add: a build ends after the moves queued now.
void StopPlanning();
// Whether planning has reached the sub-step a build ends at.
bool PlanningDone();

// The TargetStep of "Build to step" item 1..7, and making it the target.
int TargetStepForItem(int item);
void SetTargetStep(int item);

// Advances SolverStep to the code that follows it (14 → 21, ..., 73 → 74).
void NextSubStep();
// True when code is one of the eighteen sub-step codes.
bool IsSubStepCode(int code);
// Runs the routine of one sub-step code; nothing for another code.
void RunSubStep(int code);
// Runs sub-steps until one of them has queued moves, SolverStep reaches TargetStep
// or the codes run past the last one. Returns true when the queue holds moves; false
// means the build has nothing more to play and must end.
bool RunSubSteps();

// The sub-step routines, one per code.
void SolveStep11();
void SolveStep12();
void SolveStep13();
void SolveStep14();
void SolveStep21();
void SolveStep22();
void SolveStep23();
void SolveStep24();
void SolveStep31();
void SolveStep32();
void SolveStep33();
void SolveStep34();
void SolveStep41();
void SolveStep51();
void SolveStep61();
void SolveStep71();
void SolveStep72();
void SolveStep73();
