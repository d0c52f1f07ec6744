// The frame timer: one tick moves the view, starts and advances layer turns, steps the
// arrows, sets the caption and redraws. Which source the next turn comes from
// (Backmixing, Building, a single step or a random turn) is decided in BeginTurn.

#include <cmath>
#include <string>

#include "app/framekey.h"
#include "app/handlers.h"
#include "app/solution.h"
#include "app/state.h"
#include "cube/movequeue.h"
#include "cube/turns.h"
#include "platform/platform.h"
#include "render/turn.h"
#include "render/view.h"
#include "solver/solver.h"

namespace {

// One tick's step of a turn, π/SpeedDivisor formed at full precision and rounded once
// when stored, like the turn's angle (cube/move.h): a quarter turn then lasts exactly
// SpeedDivisor/2 ticks and a half turn SpeedDivisor ticks at every speed the menu
// offers; in doubles a half turn at speed 100 would take one tick too many.
float StepAngle(int speedDivisor) { return static_cast<float>(Pi / speedDivisor); }

int SignOf(float angle) { return angle < 0 ? -1 : 1; }

// Directions of the Tracing wander: 0 and 1 turn ViewRight about ViewUp, 2 and 3
// ViewUp about ViewRight.
constexpr int TracingStepDegrees = 3;
constexpr int TracingSpan = 90;   // degrees in one direction

void TracingStep() {
  if (TracingCountdown <= 0) {
    // Any direction but the opposite of the last one (0 and 1, 2 and 3 are opposites).
    const int previous = TracingDirection;
    do TracingDirection = RandomBelow(4);
    while (TracingDirection + previous == 1 || TracingDirection + previous == 5);
    TracingCountdown = TracingSpan;
  }
  switch (TracingDirection) {
    case 0: RotateVectorAboutAxis(ViewRight, ViewUp, TracingStepDegrees); break;
    case 1: RotateVectorAboutAxis(ViewRight, ViewUp, -TracingStepDegrees); break;
    case 2: RotateVectorAboutAxis(ViewUp, ViewRight, TracingStepDegrees); break;
    case 3: RotateVectorAboutAxis(ViewUp, ViewRight, -TracingStepDegrees); break;
  }
  TracingCountdown -= TracingStepDegrees;
}

void SpinStep() {
  for (int axis = 0; axis < 3; ++axis) {
    float angle = SpinAngles[axis] + SpinRates[axis];
    if (angle >= 360) angle -= 360;
    if (angle <= -360) angle += 360;
    SpinAngles[axis] = angle;
  }
}

void EndBackmixing() {
  SysSetMenuChecked(MenuItem::Backmixing1, false);
  Backmixing = false;
  Halted = true;
}

// The end of a turn: a turn asked for by Enter or Space halts the timer after it.
void EndTurn() {
  EndTurnGeometry();
  if (SingleStep) {
    SingleStep = false;
    Halted = true;
  }
}

void UpdateCaption() {
  if (ShowCounter) {
    const std::string caption = std::string(MainCaption) + ". Counter: " + std::to_string(HistoryLength);
    if (SysCaption() != caption) SysSetCaption(caption);
  } else if (SysCaption() != MainCaption) {
    SysSetCaption(MainCaption);
  }
}

// Starts the turn of CurrentLayer in TurnDirection by angle (its size counts). Stickers
// show the result of the turn at once; the drawn layer follows tick by tick.
void StartTurn(float angle) {
  const float size = std::fabs(angle);
  const bool halfTurn = size > 3.0f;
  QuarterTurn(CurrentLayer, TurnDirection);
  if (halfTurn) QuarterTurn(CurrentLayer, TurnDirection);
  StartTurnGeometry(CurrentLayer, StepAngle(SpeedDivisor) * TurnDirection, size);
}

}  // namespace

void Timer1Timer() {
  if (Tracing) TracingStep();
  if (Spinning) SpinStep();

  PlayWaitingSolutionKeys();
  if (!TurnInProgress && !Halted) BeginTurn();

  if (TurnInProgress && AdvanceTurnGeometry()) EndTurn();

  ArrowPhase += 3;
  if (ArrowPhase >= 72) ArrowPhase = 0;

  UpdateCaption();
  FollowSolution();

  // The frame sets up its lighting itself before it draws; an unchanged picture is
  // not drawn again.
  RedrawIfChanged();
}

void BeginTurn() {
  bool planMore = false;
  float angle = 0;   // signed: the turn's direction and size

  if (Backmixing) {
    if (HistoryLength <= 0) {
      // New or Open emptied the history between two turns: Backmixing ends as it does
      // when it has taken the last entry, and no turn starts.
      EndBackmixing();
      return;
    }
    const HistoryEntry& e = History[HistoryLength - 1];
    CurrentLayer = e.Layer;
    angle = static_cast<float>(e.Angle);
    TurnDirection = SignOf(angle);
    --HistoryLength;
    if (HistoryLength == 0) EndBackmixing();
  } else {
    if (Building) {
      QueuedMove move;
      if (!TakeNextMove(move)) {
        // Every start of a build plans first, and planning ends the build when it
        // leaves the queue empty; should the queue still be found used up, the build
        // ends here rather than read past it.
        EndBuilding();
        return;
      }
      CurrentLayer = move.Layer;
      angle = move.Angle;
      TurnDirection = SignOf(angle);
      if (move.Last) {
        if (PlanningDone())
          EndBuilding();
        else
          planMore = true;
      }
    } else if (SingleStep) {
      angle = QuarterTurnsAngle(TurnDirection);
    } else {
      do CurrentLayer = RandomBelow(6) + 1;
      while (CurrentLayer == LastRandomLayer);
      LastRandomLayer = CurrentLayer;
      const int quarterTurns = RandomBelow(2) + 1;
      const int sign = RandomBelow(2) == 0 ? 1 : -1;
      angle = QuarterTurnsAngle(sign * quarterTurns);
      TurnDirection = sign;
    }
    AppendHistory(CurrentLayer, -static_cast<double>(angle));
  }

  StartTurn(angle);

  // The solver plans its next sub-step from Stickers, which already show the cube as
  // it will be when this turn ends.
  if (planMore) PlanMoves();
}

void DropTurnInProgress() {
  if (!TurnInProgress) return;
  DropTurnGeometry();
  EndTurn();
}

void PlaySingleTurn(int layer, int direction) {
  if (TurnInProgress) return;
  CurrentLayer = layer;
  TurnDirection = direction;
  SingleStep = true;
  Halted = false;
}

void UndoLastTurn() {
  // Only at rest: no turn in progress, and no mode that starts turns of its own.
  if (TurnInProgress || !Halted || Building || Backmixing || HistoryLength <= 0) return;
  // As one turn of Backmixing: the last entry is taken off and its angle played. While
  // P holds the animation the turn waits at its start and plays when P lets go; the
  // face maps show the cube it leads to at once, as they do for any turn.
  const HistoryEntry& e = History[HistoryLength - 1];
  CurrentLayer = e.Layer;
  const float angle = static_cast<float>(e.Angle);
  TurnDirection = SignOf(angle);
  --HistoryLength;
  StartTurn(angle);
  if (!Paused) SysStartTimer();
  RedrawIfChanged();
}

void StartBuilding() {
  ClearMoves();
  StartSolving();
  Building = true;
  // The build takes over from an Enter turn that has not started.
  SingleStep = false;
  PlanMoves();
}

void EndBuilding() {
  Building = false;
  Halted = true;
  // A turn asked for by Enter while the build ran has not started and will not: were it
  // left pending, the next mode would stop after its first turn.
  SingleStep = false;
  SysSetMenuChecked(MenuItem::Build1, false);
}

void PlayQueuedMove(int layer, int quarterTurns) {
  // A plan of one move with nothing after it: the build ends with its turn.
  ClearMoves();
  AddMove(layer, quarterTurns);
  RewindMoves();
  StopPlanning();
  Building = true;
  Halted = false;
}

void PlanMoves() {
  SysStopTimer();
  Halted = false;
  ClearMoves();
  if (!RunSubSteps()) EndBuilding();   // nothing to play: the build is over
  RewindMoves();
  SysStartTimer();
}
