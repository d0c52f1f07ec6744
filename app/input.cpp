// Keyboard and mouse: the keys select and turn layers, pause and show the counter; a
// drag turns the view; with the face maps shown a click steps a sticker's colour, or
// paints it with the colour keys 1..6 chose.

#include "app/entry.h"
#include "app/framekey.h"
#include "app/handlers.h"
#include "app/solution.h"
#include "app/state.h"
#include "cube/stickers.h"
#include "platform/platform.h"
#include "render/maplayout.h"
#include "render/model.h"
#include "render/view.h"

namespace {

const char* const PauseCaption = "Tornelo  <=PAUSE=>";

// What Enter, Space and the arrow keys do before their own action: the arrows come up
// around the selected layer and turns go at the slow speed.
void SelectionKeyCommon() {
  ShowArrows = true;
  SpeedDivisor = 40;
  SysSetMenuChecked(MenuItem::Arrows1, true);
  SysSetMenuChecked(MenuItem::Slow1, true);
}

void TogglePause() {
  Paused = !Paused;
  if (Paused) {
    SysStopTimer();
    SysSetCaption(PauseCaption);
  } else {
    SysStartTimer();
    SysSetCaption(MainCaption);
  }
}

}  // namespace

void FormKeyDown(int key) {
  switch (key) {
    case VK_P:
      TogglePause();
      break;
    case VK_RETURN:
    case VK_SPACE:
      SelectionKeyCommon();
      PlaySingleTurn(CurrentLayer, TurnDirection);
      break;
    case VK_LEFT:
    case VK_RIGHT:
      SelectionKeyCommon();
      TurnDirection = -TurnDirection;
      break;
    case VK_UP:
      SelectionKeyCommon();
      CurrentLayer = CurrentLayer >= 6 ? 1 : CurrentLayer + 1;
      break;
    case VK_DOWN:
      SelectionKeyCommon();
      CurrentLayer = CurrentLayer <= 1 ? 6 : CurrentLayer - 1;
      break;
    case VK_C:
      ShowCounter = !ShowCounter;
      break;
    case VK_HOME:
      ViewAsHeld(SpinAngles);
      break;
    case VK_L:
      ShowFaceLetters = !ShowFaceLetters;
      break;
    case VK_ESCAPE:
      QuitProgram();
      break;
    case VK_F1:
      SysShowHelp();
      break;
    case VK_F12:
      ToggleSolutionWindow();
      break;
    default:
      if (key >= VK_0 && key <= VK_0 + 6) ChoosePaintColour(key - VK_0);
      break;
  }
  SysRedraw();
}

void FormMouseDown(MouseButton button, int x, int y) {
  Dragging = true;
  LastMouseX = x;
  LastMouseY = y;
  if (!SysMenuChecked(MenuItem::Proj)) return;
  int width = 0, height = 0;
  SysClientSize(width, height);
  const int s = PickProjectionSticker(x, y, width, height);
  if (s < 1) return;   // between or outside the squares
  if (button == MouseButton::Left && PaintColour >= 1)
    PaintSticker(PaintColour, s);
  else if (button == MouseButton::Left)
    EditSticker(+1, s);
  else if (button == MouseButton::Right)
    EditSticker(-1, s);
}

void FormMouseMove(int x, int y) {
  if (!SysTimerRunning() && !Paused) SysStartTimer();
  if (!Dragging) return;
  // One degree per three pixels, no threshold: every move while dragging turns and
  // redraws, even one of zero pixels.
  const int dx = x - LastMouseX;
  LastMouseX = x;
  RotateVectorAboutAxis(ViewRight, ViewUp, -dx / 3.0);
  const int dy = y - LastMouseY;
  LastMouseY = y;
  RotateVectorAboutAxis(ViewUp, ViewRight, -dy / 3.0);
  SysRedraw();
}

void FormMouseUp(MouseButton, int, int) { Dragging = false; }

void EditSticker(int delta, int s) {
  if (s < 1 || s > StickerCount) return;
  const int face = (s - 1) / 9 + 1;
  const int pos = (s - 1) % 9 + 1;
  const RowCol rc = PosToRowCol(pos);
  uint8_t colour = static_cast<uint8_t>(StickerAt(face, rc.Row, rc.Col) + delta);
  if (colour > 6) colour = 1;
  if (colour < 1) colour = 6;
  EditStickerTo(s, colour);
  // Drawn now: no tick may come to show it (paused, or the timer held by a menu).
  RedrawIfChanged();
}
