#pragma once
// The main window's event and menu handlers and the routines of the application shell.
// The toolkit layer calls these; they reach the toolkit only through platform/platform.h.

#include <cstdint>
#include <string>

#include "render/draw.h"

// --- Start and stop ---
// Returns false when no OpenGL context could be had (the caller reports it and ends).
bool FormCreate();
void FormDestroy();

// --- Frame timer ---
void Timer1Timer();
void BeginTurn();
void PlanMoves();
// Ends the turn in progress at once, as its last tick would, without moving its layer
// further: for the commands that rebuild the drawn cube under it (New, Open).
void DropTurnInProgress();
// One quarter turn of layer in direction (±1), as Enter asks for the selected layer:
// the ticks play it and halt after it. Nothing while a turn is in progress.
void PlaySingleTurn(int layer, int direction);
// Ctrl+Z: at rest (no turn in progress, no mode running), turns back the last turn of
// History as one turn of Backmixing does; nothing otherwise. While paused the turn
// waits at its start until P resumes the animation.
void UndoLastTurn();
// A build from the first sub-step: plans, and the ticks play the plan.
void StartBuilding();
// The end of a build, however it ends (its last planned turn started, nothing left to
// plan, Build chosen again): no more turns from the queue, the Build mark off, the
// timer halted after the turn in progress, and no Enter turn left pending.
void EndBuilding();
// Plays one move (layer 1..6, quarter turns ±1 or ±2) through the ticks as a build's
// move is played, and then stops: a half turn as one turn of the history.
void PlayQueuedMove(int layer, int quarterTurns);

// --- Keyboard and mouse ---
enum class MouseButton { Left, Right, Middle };
// Virtual-key codes the shell acts on.
enum : int {
  VK_RETURN = 13, VK_ESCAPE = 27, VK_SPACE = 32, VK_END = 35, VK_HOME = 36,
  VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40,
  VK_0 = 0x30,                  // the digits '0'..'9' follow
  VK_C = 0x43, VK_P = 0x50, VK_F1 = 0x70, VK_F12 = 0x7B, VK_L = 0x4C,
};
void FormKeyDown(int key);
void FormMouseDown(MouseButton button, int x, int y);
void FormMouseMove(int x, int y);
void FormMouseUp(MouseButton button, int x, int y);
void EditSticker(int delta, int s);
// Sets sticker s (1..54) to colour 1..6: a left click while a paint colour is chosen.
void PaintSticker(int colour, int s);
// Keys 1..6 while the face maps are shown: the colour a left click paints; 0 steps
// again. Nothing while the maps are hidden.
void ChoosePaintColour(int colour);
// Ctrl+Z: takes back the last face-map edit or the last turn, whichever came last.
void UndoLastChange();
// Ctrl+V: the cube of the facelet string on the clipboard, shown as Open shows a file's;
// a text that is no cube gets a box saying why and changes nothing. Nothing while a turn
// is in progress.
void PasteCube();
// Ctrl+C: the cube as a facelet string onto the clipboard.
void CopyCube();

// --- Quitting ---
// Whether the window may close: at once when no face-map edit is unsaved, otherwise
// when the user answers OK to the question. The window system asks this before a close
// that the user began at the window (its close button).
bool FormCloseQuery();
// Esc and File > Exit: closes the main window once FormCloseQuery allows it.
void QuitProgram();

// --- Menu ---
void File1Click();
void New1Click();
void Save1Click();
void Open1Click();
void Exit1Click();
void Build1Click();
void Rotation1Click();
void Intermixing1Click();
void Backmixing1Click();
void Arrows1Click();
void Slow1Click();
void Fast1Click();
void Slow2Click();
void Medium1Click();
void Fast2Click();
void ProjClick();
void N11Click();
void N21Click();
void N31Click();
void N41Click();
void N51Click();
void N61Click();
void N71Click();
void N12Click();
void N22Click();
void N32Click();
void N42Click();
void N52Click();
void N62Click();
void Texture1Click();
void Tracing1Click();
void About1Click();
void ChooseFaceColor(int k);
void RefreshColorSwatches();

// --- Saved-cube file ---
// Each returns an empty string on success and the file error's text otherwise; the
// menu handlers show that text in the standard error box.
std::string WriteCubeFile(const std::string& name);
std::string ReadCubeFile(const std::string& name);
// What a successful Open does with the 54 checked bytes of a cube (colour numbers
// 1..6): the drawn cube rebuilt to show them, the marks, History and the face-map
// edits gone.
void ShowOpenedCube(const uint8_t* bytes);
// The file dialogs get their folder (see SavesFolder) and filter when one first runs;
// a new window forgets them.
void ForgetFileDialogs();

// --- Frame ---
// What the window does with its back buffer: whether it can show it by copying, so
// that it keeps its picture, and whether it holds the last frame drawn now (it was
// shown by copying and nothing has drawn since).
struct BackBufferUse {
  bool CanKeep = false;
  bool HoldsLastFrame = false;
};
// How the toolkit's FormPaint is to show the frame PaintFrame drew.
struct FrameShown {
  // Drawn only in Rects[0 .. Count - 1]: everywhere else the buffer holds the last
  // frame, which is this one there.
  bool Partial = false;
  int Count = 0;
  ClientRect Rects[MaxArrowChangeRects];
  // Only the arrows changed since the last frame: shown by copying the back buffer,
  // this frame stays in it, and the next can redraw only where the arrows move.
  bool KeepBuffer = false;
};
// Draws one frame of the current state (frame steps before the swap); the toolkit's
// FormPaint makes the context current, calls this and shows the frame: by a swap, or
// by copying the back buffer (all of it, or Rects of a partial frame) to the window.
FrameShown PaintFrame(int width, int height, BackBufferUse buffer = {});
