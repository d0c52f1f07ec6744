#include "platform/qt/tornelo.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QExposeEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QProxyStyle>
#include <QResizeEvent>
#include <QShortcut>
#include <QSurfaceFormat>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <utility>
#include <vector>

#include "app/handlers.h"
#include "app/menu.h"
#include "app/solution.h"
#include "platform/qt/aboutbox.h"
#include "platform/qt/framereport.h"
#include "platform/qt/keys.h"

TTornelo* Tornelo = nullptr;
TAboutBox* AboutBox = nullptr;

namespace {

// A key press for the program: the undo key (Ctrl+Z) takes back an edit or a turn,
// paste and copy (Ctrl+V, Ctrl+C) exchange the cube with the clipboard, any other key
// goes to FormKeyDown as its virtual-key code. The solution window then looks at the
// cube again, as after every handler.
void KeyDown(const QKeyEvent& event) {
  if (event.matches(QKeySequence::Undo))
    UndoLastChange();
  else if (event.matches(QKeySequence::Paste))
    PasteCube();
  else if (event.matches(QKeySequence::Copy))
    CopyCube();
  else
    FormKeyDown(VirtualKeyFromQt(event));
  FollowSolution();
}

// The surface the frame wants: a double-buffered RGB window with 8 bits per channel
// and a 24-bit depth buffer with an 8-bit stencil, on the compatibility profile (the
// frame draws with the fixed pipeline). No alpha channel: the window is opaque under a
// compositor whatever the frame blends. Not a deeper depth buffer: a software
// rasteriser may store 32 bits of depth beside a stencil in twice the memory, and the
// frame clears it every time; 24 + 8 is what X servers offer anyway. There is no
// accumulation buffer to ask for here.
QSurfaceFormat RequestedFormat() {
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
  format.setRedBufferSize(8);
  format.setGreenBufferSize(8);
  format.setBlueBufferSize(8);
  format.setAlphaBufferSize(0);
  format.setDepthBufferSize(24);
  format.setStencilBufferSize(8);
  return format;
}

// The Colors menu draws its item images at their own 20 × 20 pixels; the style would
// otherwise scale them down to its small-icon size and blur the swatches' frames.
class TSwatchMenuStyle : public QProxyStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    if (metric == PM_SmallIconSize) return 20;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

bool MouseButtonFromQt(Qt::MouseButton qtButton, MouseButton& button) {
  switch (qtButton) {
    case Qt::LeftButton: button = MouseButton::Left; return true;
    case Qt::RightButton: button = MouseButton::Right; return true;
    case Qt::MiddleButton: button = MouseButton::Middle; return true;
    default: return false;
  }
}

}  // namespace

// --- The OpenGL area -----------------------------------------------------------------

TGLWindow::TGLWindow() {
  setSurfaceType(QWindow::OpenGLSurface);
  // Only the main window answers to the program's name.
  setTitle("Tornelo OpenGL area");
  setFormat(RequestedFormat());
}

void TGLWindow::ClientSize(int& width, int& height) const {
  const qreal ratio = devicePixelRatio();
  width = static_cast<int>(std::lround(this->width() * ratio));
  height = static_cast<int>(std::lround(this->height() * ratio));
}

void TGLWindow::exposeEvent(QExposeEvent*) {
  if (isExposed() && Tornelo) Tornelo->FormPaint(true);
}

void TGLWindow::resizeEvent(QResizeEvent*) {
  if (isExposed() && Tornelo) Tornelo->FormPaint(true);
}

void TGLWindow::keyPressEvent(QKeyEvent* event) {
  KeyDown(*event);
  event->accept();
}

void TGLWindow::mousePressEvent(QMouseEvent* event) {
  MouseButton button;
  if (!MouseButtonFromQt(event->button(), button)) return;
  const qreal ratio = devicePixelRatio();
  const QPointF p = event->position() * ratio;
  FormMouseDown(button, static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y())));
  FollowSolution();   // a click may have edited a sticker
}

void TGLWindow::mouseMoveEvent(QMouseEvent* event) {
  const qreal ratio = devicePixelRatio();
  const QPointF p = event->position() * ratio;
  FormMouseMove(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y())));
}

void TGLWindow::mouseReleaseEvent(QMouseEvent* event) {
  MouseButton button;
  if (!MouseButtonFromQt(event->button(), button)) return;
  const qreal ratio = devicePixelRatio();
  const QPointF p = event->position() * ratio;
  FormMouseUp(button, static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y())));
}

// --- The main window ---------------------------------------------------------------

TTornelo::TTornelo() {
  Tornelo = this;
  setWindowTitle("Tornelo");
  setWindowIcon(QIcon(ProgramPicture()));
  // The restored geometry; the window is shown maximised.
  move(345, 174);
  resize(544, 375);

  BuildMainMenu();

  GLWindow = new TGLWindow;
  GLContainer = QWidget::createWindowContainer(GLWindow, this);
  GLContainer->setFocusPolicy(Qt::StrongFocus);
  GLContainer->setMinimumSize(1, 1);
  setCentralWidget(GLContainer);

  Timer1.setInterval(30);
  Timer1.setTimerType(Qt::PreciseTimer);
  QObject::connect(&Timer1, &QTimer::timeout, [] {
    Timer1Timer();
    ReportTick();
  });

  // FormCreate also starts Timer1: it runs from the window's creation on.
  FormCreated = FormCreate();
}

TTornelo::~TTornelo() {
  if (FormCreated) FormDestroy();
  Timer1.stop();
  ReleaseRenderContext();
  if (Tornelo == this) Tornelo = nullptr;
}

FrameShown TTornelo::FormPaint(bool whole) {
  // Nothing can be seen of a window that is not exposed (hidden, minimised, closing).
  if (!RenderContext || !GLWindow->isExposed()) return {};
  if (!RenderContext->makeCurrent(GLWindow)) return {};
  int width, height;
  GLWindow->ClientSize(width, height);
  // A resized window has new buffers, and an exposed one is shown whole.
  if (whole) BackBufferKept = false;
  const FrameShown shown = PaintFrame(width, height, {SubBufferCopy.Available(), BackBufferKept});
  if (shown.KeepBuffer) {
    if (shown.Partial) {
      // One copy around all of the rectangles: each copy waits for the X server, and
      // what lies between them is this frame too.
      if (shown.Count > 0) {
        int x0 = width, y0 = height, x1 = 0, y1 = 0;
        for (int i = 0; i < shown.Count; ++i) {
          const ClientRect& r = shown.Rects[i];
          x0 = std::min(x0, r.X);
          y0 = std::min(y0, r.Y);
          x1 = std::max(x1, r.X + r.Width);
          y1 = std::max(y1, r.Y + r.Height);
        }
        SubBufferCopy.CopyToWindow(x0, y0, x1 - x0, y1 - y0);
      }
    } else {
      SubBufferCopy.CopyToWindow(0, 0, width, height);
    }
    BackBufferKept = true;
  } else {
    RenderContext->swapBuffers(GLWindow);
    BackBufferKept = false;
  }
  ReportFrameShown();
  return shown;
}

bool TTornelo::CreateRenderContext() {
  if (RenderContext) return MakeCurrent();
  // The pixel format is chosen when the native window is made: the closest the
  // platform has to the request (a 24-bit depth buffer where 32 bits are not offered).
  GLWindow->create();
  if (!GLWindow->handle()) return false;
  auto* context = new QOpenGLContext;
  context->setFormat(GLWindow->format());
  if (!context->create() || !context->makeCurrent(GLWindow)) {
    delete context;
    return false;
  }
  RenderContext = context;
  SubBufferCopy.Find(context);
  BackBufferKept = false;
  return true;
}

bool TTornelo::MakeCurrent() {
  return RenderContext && RenderContext->makeCurrent(GLWindow);
}

void TTornelo::ReleaseRenderContext() {
  if (!RenderContext) return;
  RenderContext->doneCurrent();
  delete RenderContext;
  RenderContext = nullptr;
  SubBufferCopy = TSubBufferCopy();
  BackBufferKept = false;
}

void TTornelo::closeEvent(QCloseEvent* event) {
  // Esc and File > Exit have asked already; the close button asks here.
  const bool asked = CloseAsked;
  CloseAsked = false;
  if (asked || FormCloseQuery())
    event->accept();
  else
    event->ignore();
}

void TTornelo::keyPressEvent(QKeyEvent* event) {
  // Keys that reach the main window rather than the OpenGL area go to the same handler.
  KeyDown(*event);
  event->accept();
}

void TTornelo::BuildMainMenu() {
  QActionGroup* groups[4] = {};
  std::vector<QMenu*> open;   // the top menu and the submenus open at this entry
  for (int i = 0; i < MainMenuEntryCount; ++i) {
    const MenuEntry& e = MainMenuEntries[i];
    const MenuHandler handler = MenuHandlerFor(e.Name);
    switch (e.Kind) {
      case MenuKind::TopMenu: {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(e.Caption));
        menu->menuAction()->setObjectName(e.Name);
        if (handler) QObject::connect(menu, &QMenu::aboutToShow, [handler] { handler(); });
        AddMenuKey(e.Caption, [this, menu] { menuBar()->setActiveAction(menu->menuAction()); });
        open.assign(1, menu);
        break;
      }
      case MenuKind::Submenu: {
        if (open.empty()) break;
        QMenu* menu = open.back()->addMenu(QString::fromUtf8(e.Caption));
        menu->menuAction()->setObjectName(e.Name);
        if (std::strcmp(e.Name, "Colors1") == 0) {
          auto* style = new TSwatchMenuStyle;
          style->setParent(menu);
          menu->setStyle(style);
        }
        open.push_back(menu);
        break;
      }
      case MenuKind::SubmenuEnd:
        if (open.size() > 1) open.pop_back();
        break;
      case MenuKind::Separator:
        if (!open.empty()) open.back()->addSeparator()->setObjectName(e.Name);
        break;
      case MenuKind::TopCommand:
      case MenuKind::Command:
      case MenuKind::Toggle:
      case MenuKind::Radio: {
        QAction* action;
        if (e.Kind == MenuKind::TopCommand) {
          action = menuBar()->addAction(QString::fromUtf8(e.Caption));
          AddMenuKey(e.Caption, [action] { action->trigger(); });
          open.clear();
        } else {
          if (open.empty()) break;
          action = open.back()->addAction(QString::fromUtf8(e.Caption));
        }
        action->setObjectName(e.Name);
        if (e.Shortcut[0]) {
          action->setShortcut(QKeySequence(QString::fromUtf8(e.Shortcut)));
          action->setShortcutContext(Qt::WindowShortcut);
        }
        if (e.Kind == MenuKind::Toggle || e.Kind == MenuKind::Radio) {
          action->setCheckable(true);
          action->setChecked(e.CheckedAtStart);
        }
        if (e.Kind == MenuKind::Radio) {
          QActionGroup*& group = groups[static_cast<int>(e.Group)];
          if (!group) {
            group = new QActionGroup(this);
            group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
          }
          group->addAction(action);
        }
        if (e.HasItem) {
          Actions[static_cast<int>(e.Item)] = action;
          Marks[static_cast<int>(e.Item)] = action->isChecked();
        }
        QObject::connect(action, &QAction::triggered, [this, &e] { RunMenuHandler(e); });
        break;
      }
    }
  }
}

void TTornelo::AddMenuKey(const char* caption, std::function<void()> open) {
  // Alt and the first letter of the caption, as a mnemonic would give, without the
  // mnemonic's mark in the caption: the bar shows the captions exactly as they are.
  const QString text = QString::fromUtf8(caption);
  const QChar first = text.isEmpty() ? QChar() : text.front().toUpper();
  if (first < QLatin1Char('A') || first > QLatin1Char('Z')) return;
  auto* key = new QShortcut(QKeySequence(Qt::ALT | Qt::Key(first.unicode())), this);
  key->setContext(Qt::WindowShortcut);
  QObject::connect(key, &QShortcut::activated, this, std::move(open));
}

void TTornelo::RunMenuHandler(const MenuEntry& entry) {
  RestoreMarks();
  if (MenuHandler handler = MenuHandlerFor(entry.Name)) handler();
  FollowSolution();
}

void TTornelo::RestoreMarks() {
  // Marks first, then the unmarking: within an exclusive group a new mark takes the old
  // one away by itself.
  for (int i = 0; i < static_cast<int>(MenuItem::Count); ++i)
    if (Actions[i] && Actions[i]->isCheckable() && Marks[i] && !Actions[i]->isChecked())
      Actions[i]->setChecked(true);
  for (int i = 0; i < static_cast<int>(MenuItem::Count); ++i)
    if (Actions[i] && Actions[i]->isCheckable() && !Marks[i] && Actions[i]->isChecked())
      Actions[i]->setChecked(false);
}

void TTornelo::SetMenuChecked(MenuItem item, bool checked) {
  QAction* action = Action(item);
  if (!action) return;
  action->setChecked(checked);
  // A radio mark may have taken another item's mark away.
  for (int i = 0; i < static_cast<int>(MenuItem::Count); ++i)
    if (Actions[i]) Marks[i] = Actions[i]->isChecked();
}

QAction* TTornelo::TopMenuAction(const char* name) const {
  for (QAction* action : menuBar()->actions())
    if (action->objectName() == QLatin1String(name)) return action;
  return nullptr;
}
