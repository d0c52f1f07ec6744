// Start-up and shut-down of the main window, and the frame the window paints.

#include <GL/gl.h>

#include <cstring>
#include <string>

#include "app/framekey.h"
#include "app/handlers.h"
#include "app/state.h"
#include "cube/movequeue.h"
#include "cube/stickers.h"
#include "platform/platform.h"
#include "render/frame.h"
#include "render/geometry.h"
#include "render/view.h"
#include "solver/solver.h"
#include "textures/textures.h"

namespace {

// Everything that a fresh window starts with and that the steps of FormCreate do not
// set themselves. These are the values the program is loaded with; setting them again
// lets a window be created more than once in one process (the tests do) and always
// start the same way.
void ResetQuietState() {
  Tracing = false;
  Spinning = false;
  TracingCountdown = 0;
  TracingDirection = 0;
  LastRandomLayer = 0;
  TurnStep = 0;
  TurnRemaining = 0;
  LastMouseX = 0;
  LastMouseY = 0;
  ClearMoves();
  MovePos = 0;
  SolverStep = 10;
  TargetStep = 73;
  StickerInset = 0.1;
  StickerLift = 0.005;
  ForgetDrawnFrame();
}

void LoadFaceTextures() {
  glEnable(GL_TEXTURE_2D);
  for (int face = 1; face <= 6; ++face) {
    TextureNames[face] = 0;
    const std::string name = "texture" + std::to_string(face) + ".jpg";
    // A picture that cannot be read has been reported by the loader; its face stays
    // without a texture and start-up goes on.
    LoadImageTexture(name, TextureNames[face], false);
  }
  glDisable(GL_TEXTURE_2D);
}

}  // namespace

bool FormCreate() {
  ResetQuietState();

  SysSetFileDialogs("./Saves", "*.tnl");

  std::memcpy(FaceColors, DefaultFaceColors, sizeof FaceColors);
  RefreshColorSwatches();

  RenderContextReady = SysCreateRenderContext();
  if (RenderContextReady) ContextSetUp();

  SeedRandomFromClock();

  for (int axis = 0; axis < 3; ++axis) {
    SpinAngles[axis] = 45;
    SpinRates[axis] = 0;
  }

  Dragging = false;
  TurnInProgress = false;
  Halted = true;
  CurrentLayer = 1;
  SpeedDivisor = 40;
  ArrowPhase = 0;
  TurnDirection = 1;
  SingleStep = false;
  Building = false;
  ShowArrows = false;
  ClearHistory();
  Backmixing = false;
  ShowCounter = false;
  Paused = false;

  BuildNeighbourTables();

  ViewUp = Point3{0, 1, 0};
  ViewRight = Point3{1, 0, 0};
  RotateVectorAboutAxis(ViewRight, ViewUp, 95);

  BuildCubeGeometry();

  if (RenderContextReady) LoadFaceTextures();

  // Timer1 runs from the window's creation on.
  SysStartTimer();
  return RenderContextReady;
}

void FormDestroy() {
  FreeNeighbourTables();
  ClearMoves();
  ClearHistory();
  if (RenderContextReady) ContextRelease();
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
