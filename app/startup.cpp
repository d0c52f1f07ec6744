// Start-up and shut-down of the main window, and the frame the window paints.

#include <string>

#include "app/entry.h"
#include "app/framekey.h"
#include "app/handlers.h"
#include "app/solution.h"
#include "app/state.h"
#include "cube/movequeue.h"
#include "cube/stickers.h"
#include "platform/platform.h"
#include "render/draw.h"
#include "render/model.h"
#include "render/turn.h"
#include "render/view.h"
#include "solver/solver.h"

bool FormCreate() {
  // Every module starts from its own defaults, so a window created again in the same
  // process (the tests do) starts exactly as the first one did.
  ResetProgramState();
  ResetTurnGeometry();
  ClearMoves();
  RewindMoves();
  ResetSolver();
  ResetStickerShape();
  ForgetDrawnFrame();
  ResetSolutionWindow();

  ForgetFileDialogs();

  ResetEdits();

  ResetFaceColors();
  LoadStoredColors();
  RefreshColorSwatches();

  RenderContextReady = SysCreateRenderContext();

  SeedRandomFromClock();

  BuildNeighbourTables();
  ResetView();
  BuildCubeGeometry();

  // The context's fixed state and the face pictures.
  if (RenderContextReady) StartDrawing();

  // Timer1 runs from the window's creation on.
  SysStartTimer();
  return RenderContextReady;
}

void FormDestroy() {
  FreeNeighbourTables();
  ClearMoves();
  ClearHistory();
  if (RenderContextReady) StopDrawing();
  SysReleaseRenderContext();
  RenderContextReady = false;
  SysStopTimer();
}

FrameShown PaintFrame(int width, int height, BackBufferUse buffer) {
  FrameShown shown;
  if (!RenderContextReady) return shown;
  const SceneOptions options = CurrentSceneOptions();
  // A scene that stayed for two frames is kept for the frames in which only the
  // arrows move.
  shown.KeepBuffer = buffer.CanKeep && OnlyArrowsChanged(width, height, options);
  if (shown.KeepBuffer && buffer.HoldsLastFrame) {
    shown.Count = RenderArrowChange(width, height, options, shown.Rects);
    shown.Partial = shown.Count >= 0;
  }
  if (!shown.Partial) {
    shown.Count = 0;
    RenderFrame(width, height, options, shown.KeepBuffer);
  }
  RememberDrawnFrame(width, height, options);
  return shown;
}
