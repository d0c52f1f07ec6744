// The menu commands of the main window: each handler's whole effect on the run state,
// the check marks and the timer. The file commands Save and Open live in cubefile.cpp.

#include <cstdint>
#include <string>
#include <vector>

#include "app/entry.h"
#include "app/fixwords.h"
#include "app/framekey.h"
#include "app/handlers.h"
#include "app/state.h"
#include "cube/diagnose.h"
#include "cube/movequeue.h"
#include "cube/repair.h"
#include "platform/platform.h"
#include "render/model.h"
#include "render/turn.h"
#include "solver/solver.h"

namespace {

void FlipMark(MenuItem item) { SysSetMenuChecked(item, !SysMenuChecked(item)); }

// New's assembly: in 31 frames the stickers fly in from StickerLift 5 to 0.005 and
// grow from points (StickerInset 1) to full size (0.1).
constexpr int AssemblySteps = 30;

void BuildToStep(int item, MenuItem menuItem) {
  SetTargetStep(item);
  SysSetMenuChecked(menuItem, true);
}

// The box that says why the cube cannot be solved: every fault in plain words (the
// places as face, row and column of the face maps), then the likely fix. The maps mark
// the stickers that fix changes, or, when none was found, every place a fault names.
constexpr int MaxReportedFaults = 8;

void ReportImpossibleCube(const std::vector<CubeFault>& faults) {
  std::string text = "This cube cannot be solved:\n";
  bool placed = false;
  for (size_t i = 0; i < faults.size(); ++i) {
    const CubeFault& f = faults[i];
    if (static_cast<int>(i) < MaxReportedFaults) text += "\n- " + f.Text;
    placed |= !f.Where.empty();
  }
  if (static_cast<int>(faults.size()) > MaxReportedFaults)
    text += "\n- ... and " + std::to_string(faults.size() - MaxReportedFaults) + " more";
  const std::vector<CubeRepair> fixes = FindRepairs();
  ClearStickerMarks();
  if (!fixes.empty()) {
    text += "\n\n" + FixWords(fixes);
    MarkStickers(fixes[0].Changed.data(), static_cast<int>(fixes[0].Changed.size()));
    text += "\n\nThe stickers this fix changes are marked on the face maps (Options > Projections).";
  } else {
    for (const CubeFault& f : faults) MarkStickers(f.Where.data(), static_cast<int>(f.Where.size()));
    if (placed) text += "\n\nThe stickers named are marked on the face maps (Options > Projections).";
  }
  SysMessageBox(text, MainCaption);
  RedrawIfChanged();
}

void SetSpeed(int divisor, MenuItem mark) {
  SpeedDivisor = divisor;
  SysSetMenuChecked(mark, true);
}

}  // namespace

// Opening the File or the Options menu holds all animation.
void File1Click() { SysStopTimer(); }

void New1Click() {
  // While the cube is rebuilt, pending messages run between the frames; the two mixing
  // commands stay locked meanwhile.
  SysSetMenuEnabled(MenuItem::Intermixing1, false);
  SysSetMenuEnabled(MenuItem::Backmixing1, false);
  SysStartTimer();

  if (!TurnInProgress) {
    StickerInset = 1.0;
    StickerLift = 5.0;
    for (int i = 0; i <= AssemblySteps; ++i) {
      StickerInset = 1 - 0.9 * i / AssemblySteps;
      StickerLift = 5 - 4.995 * i / AssemblySteps;
      // A turn that a tick started among the previous frame's messages would go on
      // turning cubies that this rebuild puts back in place; it goes with the cube it
      // turned. Only a turn started after the last rebuild is played, on the new cube,
      // and it stays in the history.
      DropTurnInProgress();
      BuildCubeGeometry();
      ClearStickerMarks();
      ClearHistory();
      ForgetEdits();
      SysProcessEvents();
      SysRedraw();
    }
  }

  SysSetMenuEnabled(MenuItem::Intermixing1, true);
  SysSetMenuEnabled(MenuItem::Backmixing1, true);
}

void Exit1Click() { QuitProgram(); }

void Build1Click() {
  if (SysMenuChecked(MenuItem::Intermixing1)) return;
  if (!Building) {
    // A cube that no turns can solve is not built: the box says why, and nothing else
    // happens (no mark, no turn).
    const std::vector<CubeFault> faults = DiagnoseCube();
    if (!faults.empty()) {
      ReportImpossibleCube(faults);
      return;
    }
    FlipMark(MenuItem::Build1);
    StartBuilding();
  } else {
    // Build off stops the build after the turn in progress; no other kind of turn
    // takes over.
    ClearMoves();
    StartSolving();
    EndBuilding();
  }
}

void Rotation1Click() {
  // New rates on every click, also the one that stops the spin.
  for (int axis = 0; axis < 3; ++axis)
    SpinRates[axis] = static_cast<float>((RandomFloat() - 0.5) * 7);
  FlipMark(MenuItem::Rotation1);
  Spinning = !Spinning;
  SysStartTimer();
}

// The two mixing commands set Halted to what is to run after them; they do not flip
// it. A flip would take Halted for "no mode runs", which an Enter turn makes untrue
// both ways: one asked for and not started clears Halted with no mode running, and
// one played under a mode sets it with the mode still on. Flipped from there, random
// turns would run with no mark on, or a mode would be marked and never turn. An Enter
// turn that has not started gives way to the command.

void Intermixing1Click() {
  if (!SysMenuEnabled(MenuItem::Intermixing1)) return;
  FlipMark(MenuItem::Intermixing1);
  const bool mixing = SysMenuChecked(MenuItem::Intermixing1);
  if (SysMenuChecked(MenuItem::Backmixing1)) {
    // Straight over from Backmixing to random turns.
    SysSetMenuChecked(MenuItem::Backmixing1, false);
    Backmixing = false;
  }
  SingleStep = false;
  // Random turns run while the mark is on; a build holds while it is on and goes on
  // when it comes off.
  Halted = Building ? mixing : !mixing;
  SysStartTimer();
}

void Backmixing1Click() {
  if (!SysMenuEnabled(MenuItem::Intermixing1)) return;
  if ((!TurnInProgress || Backmixing) && HistoryLength > 0 &&
      !SysMenuChecked(MenuItem::Intermixing1)) {
    Backmixing = !Backmixing;
    FlipMark(MenuItem::Backmixing1);
    SingleStep = false;
    // Backmixing runs before any other source; once it is off, a build under it goes
    // on and nothing else starts.
    Halted = !Backmixing && !Building;
  }
  SysStartTimer();
}

void Arrows1Click() {
  FlipMark(MenuItem::Arrows1);
  ShowArrows = !ShowArrows;
  SysStartTimer();
  RedrawIfChanged();
}

void Slow1Click() {
  SetSpeed(40, MenuItem::Slow1);
  SysStartTimer();
}

void Fast1Click() {
  SetSpeed(2, MenuItem::Fast1);
  SysStartTimer();
}

void Slow2Click() { SetSpeed(100, MenuItem::Slow2); }
void Medium1Click() { SetSpeed(40, MenuItem::Medium1); }
void Fast2Click() { SetSpeed(20, MenuItem::Fast2); }

void ProjClick() {
  FlipMark(MenuItem::Proj);
  // With the maps the paint colour goes: clicks step colours when they come back.
  if (!SysMenuChecked(MenuItem::Proj)) PaintColour = 0;
  SysRedraw();
}

void N11Click() { BuildToStep(1, MenuItem::N11); }
void N21Click() { BuildToStep(2, MenuItem::N21); }
void N31Click() { BuildToStep(3, MenuItem::N31); }
void N41Click() { BuildToStep(4, MenuItem::N41); }
void N51Click() { BuildToStep(5, MenuItem::N51); }
void N61Click() { BuildToStep(6, MenuItem::N61); }
void N71Click() { BuildToStep(7, MenuItem::N71); }

void N12Click() { ChooseFaceColor(1); }
void N22Click() { ChooseFaceColor(2); }
void N32Click() { ChooseFaceColor(3); }
void N42Click() { ChooseFaceColor(4); }
void N52Click() { ChooseFaceColor(5); }
void N62Click() { ChooseFaceColor(6); }

void Texture1Click() {
  FlipMark(MenuItem::Texture1);
  SysRedraw();
}

void Tracing1Click() {
  FlipMark(MenuItem::Tracing1);
  TracingCountdown = 0;   // the next tick draws a new direction
  Tracing = !Tracing;
  SysStartTimer();
}

void About1Click() { SysShowAbout(); }

void ChooseFaceColor(int k) {
  if (k < 1 || k > 6) return;
  SysColor colour = FaceColorRGB(k, 0);
  bool stored = true;
  if (SysChooseColor(colour)) {
    FaceColors[k][0] = static_cast<double>(colour & 0xFF) / 255;
    FaceColors[k][1] = static_cast<double>((colour >> 8) & 0xFF) / 255;
    FaceColors[k][2] = static_cast<double>((colour >> 16) & 0xFF) / 255;
    stored = StoreFaceColor(k);
  }
  // Also after Cancel: the drawn cube and the swatches show the table as it is. Opening
  // the menu stopped the timer, so the change is drawn now.
  RecolorFromStickers();
  RefreshColorSwatches();
  SysRedraw();
  if (!stored)
    SysMessageBox("The colour could not be stored for the next start; it holds until Tornelo ends.",
                  MainCaption);
}

void RefreshColorSwatches() {
  for (int i = 1; i <= 6; ++i) SysSetColorSwatch(i, FaceColorRGB(i, 1));
}
