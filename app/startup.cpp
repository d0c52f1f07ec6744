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

void PaintFrame(int width, int height) {
  if (!RenderContextReady) return;
  const SceneOptions options = CurrentSceneOptions();
  RenderFrame(width, height, options);
  RememberDrawnFrame(width, height, options);
}
