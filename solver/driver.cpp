// The solver driver: which sub-step comes next, and running sub-steps until one of
// them has queued moves.

#include "solver/solver.h"

#include <cstring>

#include "cube/diagnose.h"
#include "cube/movequeue.h"
#include "cube/stickers.h"

namespace {

// The code before the first sub-step.
constexpr int BeforeFirstSubStep = 10;

// TargetStep of the "Build to step" items "1" to "7".
constexpr int TargetForItem[8] = {0, 14, 24, 34, 41, 51, 61, 73};

// Codes whose successor is not the next number: the last sub-step of each step.
struct Successor {
  int Code;
  int Next;
};
constexpr Successor StepEnds[] = {
    {14, 21}, {24, 31}, {34, 41}, {41, 51}, {51, 61}, {61, 71},
};

// Every sub-step code, in running order, with its routine.
struct SubStep {
  int Code;
  void (*Routine)();
};
constexpr SubStep SubSteps[] = {
    {11, SolveStep11}, {12, SolveStep12}, {13, SolveStep13}, {14, SolveStep14},
    {21, SolveStep21}, {22, SolveStep22}, {23, SolveStep23}, {24, SolveStep24},
    {31, SolveStep31}, {32, SolveStep32}, {33, SolveStep33}, {34, SolveStep34},
    {41, SolveStep41},
    {51, SolveStep51},
    {61, SolveStep61},
    {71, SolveStep71}, {72, SolveStep72}, {73, SolveStep73},
};

const SubStep* FindSubStep(int code) {
  for (const SubStep& s : SubSteps)
    if (s.Code == code) return &s;
  return nullptr;
}

}  // namespace

int32_t SolverStep = BeforeFirstSubStep;
int32_t TargetStep = TargetForItem[7];

void ResetSolver() {
  SolverStep = BeforeFirstSubStep;
  TargetStep = TargetForItem[7];
}

void StartSolving() { SolverStep = BeforeFirstSubStep; }
void StopPlanning() { SolverStep = TargetStep; }
bool PlanningDone() { return SolverStep == TargetStep; }

void SetTargetStep(int item) { TargetStep = TargetStepForItem(item); }

int TargetStepForItem(int item) {
  // Anything but "1".."7" builds to the end.
  if (item < 1 || item > 7) return TargetForItem[7];
  return TargetForItem[item];
}

void NextSubStep() {
  for (const Successor& s : StepEnds) {
    if (s.Code == SolverStep) {
      SolverStep = s.Next;
      return;
    }
  }
  SolverStep = SolverStep + 1;
}

bool IsSubStepCode(int code) { return FindSubStep(code) != nullptr; }

void RunSubStep(int code) {
  if (const SubStep* s = FindSubStep(code)) s->Routine();
}

bool RunSubSteps() {
  // The sub-steps read colour f as the colour that belongs on face f, as on the cube
  // of start-up. A cube held another way (its centres elsewhere) is read through its
  // centres: each colour stands for the face whose centre has it. For the start-up
  // arrangement that is the identity, and nothing is changed.
  uint8_t home[7];
  const bool relabel = CentreMapping(home) && !(home[1] == 1 && home[2] == 2 && home[3] == 3 &&
                                                 home[4] == 4 && home[5] == 5 && home[6] == 6);
  uint8_t held[StickerCount];
  if (relabel) {
    std::memcpy(held, Stickers, sizeof held);
    for (uint8_t& s : Stickers)
      if (s >= 1 && s <= 6) s = home[s];
  }

  for (;;) {
    NextSubStep();
    if (!IsSubStepCode(SolverStep)) break;
    RunSubStep(SolverStep);
    if (MoveCount > 0) break;
    if (SolverStep == TargetStep) break;
  }

  if (relabel) std::memcpy(Stickers, held, sizeof held);
  return MoveCount > 0;
}
