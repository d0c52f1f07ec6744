#pragma once
// What Tornelo asks of a window system.
//
// The program proper (app/, render/, textures/) never includes a toolkit header: it
// calls these functions, and the executable links exactly one implementation of them.
// platform/qt drives the real window; platform/headless answers for tests and for
// the command-line tool, recording what was asked and answering dialogs from queues.

#include <cstdint>
#include <string>

#include "platform/files.h"   // the file operations

// Items of the main menu whose mark, enabled state or image the program reads or
// changes. The names are those of the window's menu resource.
enum class MenuItem : int {
  New1, Save1, Open1, Exit1,
  Build1, Rotation1, Intermixing1, Backmixing1,
  Arrows1,
  Slow1, Fast1,                 // radio group "speed"
  Slow2, Medium1, Fast2,        // radio group "slow speed" (Slow Speed submenu)
  Proj,
  N11, N21, N31, N41, N51, N61, N71,   // radio group "build to step"
  N12, N22, N32, N42, N52, N62,        // Colors › 1..6
  Texture1, Tracing1,
  About1,
  Count
};

// A colour as the toolkit's colour dialog and the menu swatches take it:
// red in the low byte, then green, then blue.
using SysColor = uint32_t;

// --- Window -----------------------------------------------------------------
void SysSetCaption(const std::string& caption);
std::string SysCaption();
void SysClientSize(int& width, int& height);
void SysCloseMainWindow();            // ends the program once the handler returns

// --- Timer1 (30 ms) ---------------------------------------------------------
void SysStartTimer();
void SysStopTimer();
bool SysTimerRunning();

// --- Menu -------------------------------------------------------------------
// Setting the mark of a radio item removes it from the other items of its group;
// the three groups do not touch each other's marks.
bool SysMenuChecked(MenuItem item);
void SysSetMenuChecked(MenuItem item, bool checked);
bool SysMenuEnabled(MenuItem item);
void SysSetMenuEnabled(MenuItem item, bool enabled);
// Paints the 20 × 20 swatch of Colors › index (1..6): a 1-pixel black frame filled
// with fill.
void SysSetColorSwatch(int index, SysColor fill);

// --- Dialogs and message boxes ------------------------------------------------
// Initial directory and filter of the open and save dialogs (set once at start-up).
void SysSetFileDialogs(const std::string& initialDirectory, const std::string& filter);
// Runs the open dialog; it still holds the name chosen at its previous use.
// Returns false when the user cancels.
bool SysOpenFileDialog(std::string& fileName);
// Runs the save dialog with an empty name. Returns false when the user cancels.
bool SysSaveFileDialog(std::string& fileName);
// Runs the colour dialog on colour; returns false when the user cancels (colour is
// then left as it was).
bool SysChooseColor(SysColor& colour);
// A modal message box with one OK button and no owner window.
void SysMessageBox(const std::string& text, const std::string& caption);
// A modal message box with OK and Cancel; true for OK.
bool SysAskOkCancel(const std::string& text, const std::string& caption);
// Shows the about box modally, centred on the screen.
void SysShowAbout();
// Shows the help window beside the main window without blocking it, or brings it to
// the front when it is already shown.
void SysShowHelp();
// Shows the solution window beside the main window, with the keyboard, or hides it.
// The window reads what it shows from app/solution.h.
void SysShowSolution(bool shown);
// What the solution window shows has changed: it reads it again.
void SysSolutionChanged();

// --- Clipboard ----------------------------------------------------------------
// The text on the clipboard now (empty when it holds none), and text put there.
std::string SysClipboardText();
void SysSetClipboardText(const std::string& text);

// --- Settings kept between runs -------------------------------------------------
// The user's settings of the program, stored under its application id. Reading gives
// false when key has no stored value. Writing stores at once; false when the value
// could not be stored.
bool SysReadSetting(const std::string& key, std::string& value);
bool SysWriteSetting(const std::string& key, const std::string& value);

// --- Events -------------------------------------------------------------------
// Lets pending window messages (ticks, keys, menu commands, paints) run now.
void SysProcessEvents();

// --- OpenGL binding -------------------------------------------------------------
// Creates the rendering context of the window and makes it current. False when no
// context can be had.
bool SysCreateRenderContext();
// Makes the window's rendering context current again (before GL work outside a
// frame: loading textures). False when there is none.
bool SysMakeCurrent();
// Draws one whole frame now and swaps buffers before returning (FormPaint).
void SysRedraw();
// Makes no context current and deletes the rendering context.
void SysReleaseRenderContext();
