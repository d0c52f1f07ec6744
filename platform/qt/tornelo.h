#pragma once
// The main window: the menu bar built from MainMenuEntries, the OpenGL area and
// Timer1. Its construction runs FormCreate, its destruction FormDestroy.

#include <QMainWindow>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <string>

#include "app/handlers.h"
#include "platform/menu_layout.h"
#include "platform/platform.h"
#include "platform/qt/subbuffer.h"

class QAction;
class THelpWindow;
class TSolutionWindow;
class QOpenGLContext;

// The OpenGL area: a native window of its own inside the main window, drawn with its
// own context. It takes the keyboard and the mouse for the program.
class TGLWindow : public QWindow {
 public:
  TGLWindow();
  // The area's size in device pixels: what the frame draws.
  void ClientSize(int& width, int& height) const;

 protected:
  void exposeEvent(QExposeEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

class TTornelo : public QMainWindow {
 public:
  TTornelo();
  ~TTornelo() override;

  // FormCreate reported a working OpenGL context.
  bool Created() const { return FormCreated; }

  // Draws one frame now: the context made current, the frame, and the frame shown by a
  // swap or by copying the back buffer to the window. whole: the window system asks
  // for all of the window (it was exposed or resized). Returns how it was shown.
  FrameShown FormPaint(bool whole = false);
  // The back buffer can be shown by copying it (and so keep its picture).
  bool CopiesBackBuffer() const { return SubBufferCopy.Available(); }

  // The seam's view of the window.
  bool CreateRenderContext();
  bool MakeCurrent();
  void ReleaseRenderContext();
  QAction* Action(MenuItem item) const { return Actions[static_cast<int>(item)]; }
  void SetMenuChecked(MenuItem item, bool checked);
  QAction* TopMenuAction(const char* name) const;

  TGLWindow* GLWindow = nullptr;
  QWidget* GLContainer = nullptr;
  QOpenGLContext* RenderContext = nullptr;
  QTimer Timer1;
  std::string OpenDialogName;   // the name the open dialog chose last
  THelpWindow* HelpWindow = nullptr;   // made when F1 first asks for it; a child
  TSolutionWindow* SolutionWindow = nullptr;   // made when F12 first asks for it; a child
  // The program closes the window itself (SysCloseMainWindow): it has asked whatever
  // was to be asked.
  bool CloseAsked = false;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildMainMenu();
  // Alt and the caption's first letter runs open (opens that menu of the bar).
  void AddMenuKey(const char* caption, std::function<void()> open);
  void RunMenuHandler(const MenuEntry& entry);
  void RestoreMarks();

  QAction* Actions[static_cast<int>(MenuItem::Count)] = {};
  // The marks as the program last set them. Qt flips a checkable action itself when it
  // is triggered; the handlers flip or set the marks on their own, so that flip is
  // undone before a handler runs.
  bool Marks[static_cast<int>(MenuItem::Count)] = {};
  bool FormCreated = false;
  // Copying the back buffer to the window, where the window system can, and whether
  // the back buffer still holds the last frame drawn: it does after a copy, not after
  // a swap.
  TSubBufferCopy SubBufferCopy;
  bool BackBufferKept = false;
};

// The main window and the about box of the running program.
extern TTornelo* Tornelo;
class TAboutBox;
extern TAboutBox* AboutBox;
