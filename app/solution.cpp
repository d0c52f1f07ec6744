// The solution window's state: the list of turns, where the cube stands in it, the
// keys that wait to be played, and the texts the window shows.

#include "app/solution.h"

#include <cmath>
#include <cstring>
#include <deque>

#include "app/fixwords.h"
#include "app/handlers.h"
#include "app/state.h"
#include "cube/diagnose.h"
#include "cube/movequeue.h"
#include "cube/notation.h"
#include "cube/repair.h"
#include "cube/turns.h"
#include "platform/platform.h"
#include "render/turn.h"
#include "solver/solver.h"
#include "twophase/twophase.h"

bool SolutionShown = false;
SolutionMethod SolutionMethodShown = SolutionMethod::SevenSteps;
std::vector<SolutionTurn> SolutionTurns;
std::vector<CubeState> SolutionStates;
int SolutionDone = 0;
bool SolutionPlaying = false;
int SolutionTarget = 0;
std::vector<std::string> SolutionFaults;
std::string SolutionUnavailable;
uint32_t SolutionRevision = 0;

namespace {

// The last sub-step code of a build that solves the whole cube.
constexpr int WholeBuild = 73;

// Index = step 1..7.
const char* const StepNames[8] = {
    "",
    "the cross",
    "the first-layer corners",
    "the middle-layer edges",
    "the last-layer cross",
    "the last-layer edges in place",
    "the last-layer corners in place",
    "the corner twist",
};

// What the window's keys ask for, in the order pressed.
enum class WindowKey : uint8_t { Next, Back, AllBack, Rest, SevenSteps, Shortest };
std::deque<WindowKey> WaitingKeys;

// HistoryLength just after each turn played from the window that is still in History,
// oldest first: Left takes back the last one while it is the last turn of History.
std::vector<int32_t> WindowTurns;

bool WasBuilding = false;           // Building, as the last comparison saw it
int32_t SeenHistoryLength = 0;      // HistoryLength, as the last comparison saw it
bool OwnTurnStarted = false;        // the window started a turn since the last comparison
uint32_t ShownRevision = 0;         // the revision the window was last told of

void ApplyTurn(Move m) {
  const int direction = m.Quarters < 0 ? -1 : 1;
  QuarterTurn(m.Layer, direction);
  if (m.Quarters == 2 || m.Quarters == -2) QuarterTurn(m.Layer, direction);
}

Move MoveOfQueued(int i) {
  const long quarters = std::lround(MoveAngles[i] / static_cast<double>(Pi / 2));
  return Move{static_cast<int8_t>(MoveLayers[i]), static_cast<int8_t>(quarters)};
}

CubeState CurrentCube() {
  CubeState s;
  std::memcpy(s.data(), Stickers, StickerCount);
  return s;
}

bool CubeIs(const CubeState& s) { return std::memcmp(s.data(), Stickers, StickerCount) == 0; }

// Every face in the colour of its centre.
bool CubeSolved() {
  for (int i = 0; i < StickerCount; ++i)
    if (Stickers[i] != Stickers[9 * (i / 9) + 4]) return false;
  return true;
}

// The list and the states after each of its turns, from the cube as it stands.
void WorkOutSolution(bool keepKeys) {
  SolutionTurns.clear();
  SolutionStates.assign(1, CurrentCube());
  SolutionDone = 0;
  SolutionPlaying = false;
  SolutionFaults.clear();
  SolutionUnavailable.clear();
  SolutionTarget = TargetStep;
  if (!keepKeys) WaitingKeys.clear();
  ++SolutionRevision;

  for (const CubeFault& f : DiagnoseCube()) SolutionFaults.push_back(f.Text);
  if (!SolutionFaults.empty()) {
    // The likely mend last, in the words of Build's box.
    const std::vector<CubeRepair> repairs = FindRepairs();
    if (!repairs.empty()) SolutionFaults.push_back(FixWords(repairs));
    return;
  }

  if (SolutionMethodShown == SolutionMethod::SevenSteps) {
    PlanSevenSteps(Building, SolutionTurns);
  } else {
    std::vector<Move> moves;
    if (!PlanShortest(Stickers, moves, SolutionUnavailable)) return;
    for (const Move& m : moves) SolutionTurns.push_back({m, 0});
  }

  uint8_t held[StickerCount];
  std::memcpy(held, Stickers, sizeof held);
  for (const SolutionTurn& t : SolutionTurns) {
    ApplyTurn(t.Turn);
    SolutionStates.push_back(CurrentCube());
  }
  std::memcpy(Stickers, held, sizeof held);
}

bool ModeRunning() { return Building || Backmixing || SysMenuChecked(MenuItem::Intermixing1); }

// Nothing turns and nothing will start a turn of its own.
bool CubeAtRest() { return !TurnInProgress && Halted && !ModeRunning(); }

void ChooseMethod(SolutionMethod method) {
  // A build that runs shows what it plays.
  if (Building) method = SolutionMethod::SevenSteps;
  if (method == SolutionMethodShown) return;
  SolutionMethodShown = method;
  WorkOutSolution(true);
}

// Starts the next turn of the list; false when there is none.
bool PlayNextTurn() {
  if (!SolutionFaults.empty() || SolutionDone >= static_cast<int>(SolutionTurns.size())) return false;
  const Move m = SolutionTurns[SolutionDone].Turn;
  // Called just before the tick starts its turn: the queued move is taken in this same
  // tick, and the build it makes ends with it.
  PlayQueuedMove(m.Layer, m.Quarters);
  WindowTurns.push_back(HistoryLength + 1);
  OwnTurnStarted = true;
  return true;
}

// Takes back the last turn played from the window; false when there is none to take.
bool TakeBackTurn() {
  if (WindowTurns.empty() || WindowTurns.back() != HistoryLength) return false;
  UndoLastTurn();
  if (!TurnInProgress) return false;
  WindowTurns.pop_back();
  OwnTurnStarted = true;
  return true;
}

// Works through the waiting keys: a choice of method at once, a turn only when the cube
// is at rest and mayTurn (the tick, just before it starts a turn). Stops at the first
// key that starts a turn or has to wait.
void TakeWaitingKeys(bool mayTurn) {
  while (!WaitingKeys.empty()) {
    const WindowKey key = WaitingKeys.front();
    if (key == WindowKey::SevenSteps || key == WindowKey::Shortest) {
      WaitingKeys.pop_front();
      ChooseMethod(key == WindowKey::SevenSteps ? SolutionMethod::SevenSteps : SolutionMethod::Shortest);
      continue;
    }
    if (ModeRunning()) {
      // Build, Intermixing or Backmixing took over the cube.
      WaitingKeys.clear();
      return;
    }
    if (!mayTurn || !CubeAtRest()) return;
    switch (key) {
      case WindowKey::Next:
        WaitingKeys.pop_front();
        if (PlayNextTurn()) return;
        break;
      case WindowKey::Back:
        WaitingKeys.pop_front();
        if (TakeBackTurn()) return;
        break;
      case WindowKey::AllBack:   // stays first until there is nothing more to take back
        if (TakeBackTurn()) return;
        WaitingKeys.pop_front();
        break;
      case WindowKey::Rest:      // stays first until the list is played
        if (PlayNextTurn()) return;
        WaitingKeys.pop_front();
        break;
      default:
        WaitingKeys.pop_front();
        break;
    }
  }
}

void TellWindow() {
  if (SolutionRevision == ShownRevision) return;
  ShownRevision = SolutionRevision;
  SysSolutionChanged();
}

void Forget() {
  WaitingKeys.clear();
  WindowTurns.clear();
  OwnTurnStarted = false;
}

}  // namespace

void ResetSolutionWindow() {
  SolutionShown = false;
  SolutionMethodShown = SolutionMethod::SevenSteps;
  SolutionTurns.clear();
  SolutionStates.clear();
  SolutionDone = 0;
  SolutionPlaying = false;
  SolutionTarget = 0;
  SolutionFaults.clear();
  SolutionUnavailable.clear();
  Forget();
  WasBuilding = false;
  SeenHistoryLength = 0;
  ShownRevision = SolutionRevision;
}

void ToggleSolutionWindow() {
  if (SolutionShown) {
    SolutionShown = false;
    Forget();
    SysShowSolution(false);
    return;
  }
  SolutionShown = true;
  WasBuilding = Building;
  SeenHistoryLength = HistoryLength;
  if (Building) SolutionMethodShown = SolutionMethod::SevenSteps;
  WorkOutSolution(false);
  SysShowSolution(true);
  TellWindow();
}

void SolutionWindowClosed() {
  if (!SolutionShown) return;
  SolutionShown = false;
  Forget();
}

void SolutionKeyDown(int key) {
  if (!SolutionShown) return;
  WindowKey asked;
  switch (key) {
    case VK_F12:
      ToggleSolutionWindow();
      return;
    case '1': asked = WindowKey::SevenSteps; break;
    case '2': asked = WindowKey::Shortest; break;
    case VK_RIGHT:
    case VK_SPACE: asked = WindowKey::Next; break;
    case VK_LEFT: asked = WindowKey::Back; break;
    case VK_HOME: asked = WindowKey::AllBack; break;
    case VK_END: asked = WindowKey::Rest; break;
    default: return;
  }
  const bool turns = asked != WindowKey::SevenSteps && asked != WindowKey::Shortest;
  // While a mode turns the cube the window only follows it.
  if (turns && ModeRunning()) return;
  WaitingKeys.push_back(asked);
  FollowSolution();
  TakeWaitingKeys(false);
  TellWindow();
}

void CopySolution() {
  if (SolutionShown) SysSetClipboardText(SolutionText());
}

void FollowSolution() {
  if (!SolutionShown) return;

  // The window's turns that are still the last ones of History.
  while (!WindowTurns.empty() && WindowTurns.back() > HistoryLength) WindowTurns.pop_back();
  if (!WindowTurns.empty() && WindowTurns.back() != HistoryLength) WindowTurns.clear();

  const bool ownTurn = OwnTurnStarted;
  OwnTurnStarted = false;
  const bool buildStarted = Building && !WasBuilding;
  WasBuilding = Building;
  const int32_t historyChange = HistoryLength - SeenHistoryLength;
  SeenHistoryLength = HistoryLength;

  const int last = static_cast<int>(SolutionStates.size()) - 1;
  auto at = [&](int i) { return i >= 0 && i <= last && CubeIs(SolutionStates[i]); };

  if (buildStarted) {
    // What Build plays from here on, whatever the list showed before.
    SolutionMethodShown = SolutionMethod::SevenSteps;
    WorkOutSolution(false);
  } else if (SolutionMethodShown == SolutionMethod::SevenSteps && !Building &&
             SolutionTarget != TargetStep) {
    WorkOutSolution(false);   // "Build to step" changed
  } else if (at(SolutionDone)) {
    // Nothing moved.
  } else if (historyChange >= 0 && at(SolutionDone + 1)) {
    ++SolutionDone;
    SolutionPlaying = TurnInProgress;
    ++SolutionRevision;
  } else if (at(SolutionDone - 1)) {
    --SolutionDone;
    SolutionPlaying = false;
    ++SolutionRevision;
  } else if (at(SolutionDone + 1)) {
    ++SolutionDone;
    SolutionPlaying = TurnInProgress;
    ++SolutionRevision;
  } else {
    // The cube changed some other way. Keys that wait for the window's own turn still
    // stand; any other change makes them pointless.
    WorkOutSolution(ownTurn);
  }

  if (SolutionPlaying && !TurnInProgress) {
    SolutionPlaying = false;
    ++SolutionRevision;
  }
  TellWindow();
}

void PlayWaitingSolutionKeys() {
  if (!SolutionShown || WaitingKeys.empty()) return;
  FollowSolution();
  TakeWaitingKeys(true);
}

const char* SevenStepName(int step) { return step >= 1 && step <= 7 ? StepNames[step] : ""; }

int SolutionMarked() {
  if (!SolutionFaults.empty() || !SolutionUnavailable.empty()) return -1;
  if (SolutionPlaying && SolutionDone > 0) return SolutionDone - 1;
  if (SolutionDone < static_cast<int>(SolutionTurns.size())) return SolutionDone;
  return -1;
}

std::string SolutionHeadline() {
  if (!SolutionFaults.empty()) return "This cube cannot be solved";
  if (!SolutionUnavailable.empty()) return "No short solution";
  const int marked = SolutionMarked();
  if (marked >= 0)
    return "turn " + std::to_string(marked + 1) + " of " + std::to_string(SolutionTurns.size());
  if (CubeSolved()) return "solved";
  // Build to step stops short of a solved cube.
  return "step " + std::to_string(SolutionTarget / 10) + " done";
}

std::string SolutionStepLine() {
  if (!SolutionFaults.empty()) return "Fix the stickers the check names";
  if (!SolutionUnavailable.empty()) return SolutionUnavailable;
  const std::string count = std::to_string(SolutionTurns.size()) + (SolutionTurns.size() == 1 ? " turn" : " turns");
  if (SolutionMethodShown == SolutionMethod::Shortest) return "Shortest: " + count;
  const int marked = SolutionMarked();
  if (marked < 0) return "Seven steps: " + count;
  const int step = SolutionTurns[marked].Step;
  return "Step " + std::to_string(step) + " of 7: " + SevenStepName(step);
}

std::string SolutionText() {
  if (!SolutionFaults.empty()) {
    std::string text = "This cube cannot be solved:";
    for (const std::string& f : SolutionFaults) text += "\n- " + f;
    return text + "\n";
  }
  const bool shortest = SolutionMethodShown == SolutionMethod::Shortest;
  if (!SolutionUnavailable.empty()) return "Shortest: no solution (" + SolutionUnavailable + ")\n";
  std::string text = shortest ? "Shortest" : "Seven steps";
  if (!shortest && SolutionTarget != WholeBuild) text += " to step " + std::to_string(SolutionTarget / 10);
  const size_t n = SolutionTurns.size();
  text += ", " + std::to_string(n) + (n == 1 ? " turn" : " turns") + (n == 0 ? "\n" : ":\n");
  std::vector<Move> group;
  for (size_t i = 0; i < n; ++i) {
    group.push_back(SolutionTurns[i].Turn);
    const int step = SolutionTurns[i].Step;
    if (i + 1 < n && SolutionTurns[i + 1].Step == step) continue;
    if (shortest)
      text += FormatMoves(group) + "\n";
    else
      text += std::to_string(step) + " " + SevenStepName(step) + ": " + FormatMoves(group) + "\n";
    group.clear();
  }
  return text;
}

void PlanSevenSteps(bool continueBuild, std::vector<SolutionTurn>& turns) {
  turns.clear();
  // Everything planning touches, to be put back.
  uint8_t held[StickerCount];
  std::memcpy(held, Stickers, sizeof held);
  const std::vector<int32_t> heldLayers = MoveLayers;
  const std::vector<float> heldAngles = MoveAngles;
  const int32_t heldCount = MoveCount, heldPos = MovePos, heldStep = SolverStep;

  // Each move is applied to Stickers as the start of its turn applies it, so the next
  // planning pass sees the cube as the ticks would let it see it.
  auto playQueue = [&](int from) {
    const int step = SolverStep / 10;
    for (int i = from; i < MoveCount; ++i) {
      const Move m = MoveOfQueued(i);
      ApplyTurn(m);
      turns.push_back({m, static_cast<int8_t>(step)});
    }
  };

  bool planning = true;
  if (continueBuild) {
    // The rest of the sub-step being played; with nothing left the build ends at its
    // next turn.
    planning = MovePos >= 0 && MovePos < MoveCount;
    if (planning) {
      playQueue(MovePos);
      planning = !PlanningDone();
    }
  } else {
    StartSolving();
  }
  while (planning) {
    ClearMoves();
    if (!RunSubSteps()) break;
    playQueue(0);
    // The last move of the target sub-step ends the build.
    planning = !PlanningDone();
  }

  std::memcpy(Stickers, held, sizeof held);
  MoveLayers = heldLayers;
  MoveAngles = heldAngles;
  MoveCount = heldCount;
  MovePos = heldPos;
  SolverStep = heldStep;
}

bool PlanShortest(const uint8_t (&stickers)[StickerCount], std::vector<Move>& moves, std::string& why) {
  why.clear();
  if (SolveShort(stickers, moves)) return true;
  // The check has found nothing by the time this is asked, so this is no cube the
  // short solver refuses; said all the same rather than shown as solved.
  why = "the short solver found no solution for this cube";
  return false;
}
