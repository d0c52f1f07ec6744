// The Qt window layer on a real (virtual) X display: the menu bar as built from the
// table, its marks and radio groups, the handlers' view of the marks, the keys and the
// mouse as the handlers receive them, the dialogs and the about box.
//
// Run from the build directory (the texture pictures are read at start-up) under
// xvfb-run; TORNELO_EXPECT_DPR names the device pixel ratio the run was started with.

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <ostream>
#include <memory>
#include <string>

#include "app/handlers.h"
#include "app/solution.h"
#include "app/state.h"
#include "cube/stickers.h"
#include "platform/platform.h"
#include "platform/qt/aboutbox.h"
#include "platform/qt/keys.h"
#include "platform/qt/solutionwindow.h"
#include "platform/qt/tornelo.h"

// Readable QStrings in failure messages.
void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
void PrintTo(const QSize& size, std::ostream* out) { *out << size.width() << " x " << size.height(); }
void PrintTo(const QColor& colour, std::ostream* out) {
  *out << "(" << colour.red() << ", " << colour.green() << ", " << colour.blue() << ")";
}

namespace {

// Runs act on the next modal dialog other than `besides` as soon as it is up (from
// inside its event loop).
void OnModal(std::function<void(QWidget*)> act, QWidget* besides = nullptr) {
  auto* poll = new QTimer;
  poll->setInterval(20);
  QObject::connect(poll, &QTimer::timeout, [poll, act, besides] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || modal == besides) return;
    poll->stop();
    poll->deleteLater();
    act(modal);
  });
  poll->start();
}

// Runs the event loop until done() holds, however long that takes on a loaded machine;
// false only when it has not after a minute, a bound that no working window nears.
template <typename Done>
bool WaitUntil(Done done) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > 60000) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

// One line per entry, indented per menu level: caption, [shortcut], the kind of mark
// and "*" for a mark that is set.
void Describe(const QList<QAction*>& actions, int depth, std::string& out) {
  for (QAction* a : actions) {
    out += std::string(depth * 2, ' ');
    if (a->isSeparator()) {
      out += "-\n";
      continue;
    }
    out += a->text().toStdString();
    if (!a->shortcut().isEmpty())
      out += " [" + a->shortcut().toString(QKeySequence::PortableText).toStdString() + "]";
    if (a->isCheckable())
      out += a->actionGroup() && a->actionGroup()->isExclusive() ? " radio" : " toggle";
    if (a->isChecked()) out += " *";
    if (a->menu()) {
      out += "\n";
      Describe(a->menu()->actions(), depth + 1, out);
    } else {
      out += "\n";
    }
  }
}

// Types a name into a file dialog's name box, as a user would.
void TypeName(QFileDialog* dialog, const QString& name) {
  auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
  if (edit) {
    edit->setText(name);
  } else {
    ADD_FAILURE() << "the file dialog has no name box";
  }
}

QAction* Act(MenuItem item) { return Tornelo->Action(item); }

class QtWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    window = std::make_unique<TTornelo>();
    ASSERT_TRUE(window->Created()) << "no OpenGL context on this display";
    about = std::make_unique<TAboutBox>(window.get());
    AboutBox = about.get();
    window->show();
    ASSERT_TRUE(WaitUntil([&] { return window->GLWindow->isExposed(); }));
  }
  void TearDown() override {
    AboutBox = nullptr;
    about.reset();
    window.reset();
    EXPECT_EQ(Tornelo, nullptr);
  }
  std::unique_ptr<TTornelo> window;
  std::unique_ptr<TAboutBox> about;
};

TEST_F(QtWindow, MenuBarHasTheCaptionsShortcutsAndStartMarks) {
  std::string menu;
  Describe(window->menuBar()->actions(), 0, menu);
  EXPECT_EQ(menu,
            "File\n"
            "  New [Ctrl+N]\n"
            "  Save [F2]\n"
            "  Open [F3]\n"
            "  -\n"
            "  Exit [Esc]\n"
            "Options\n"
            "  Build [F4] toggle\n"
            "  Rotation [F5] toggle\n"
            "  Intermixing [F6] toggle\n"
            "  Backmixing [F7] toggle\n"
            "  -\n"
            "  Arrows [F8] toggle\n"
            "  -\n"
            "  Slow [F9] radio *\n"
            "  Fast [F10] radio\n"
            "  -\n"
            "  Slow Speed\n"
            "    Slow [Ctrl+S] radio\n"
            "    Medium [Ctrl+M] radio *\n"
            "    Fast [Ctrl+F] radio\n"
            "  -\n"
            "  Projections [F11] toggle\n"
            "  Build to step\n"
            "    1 radio\n"
            "    2 radio\n"
            "    3 radio\n"
            "    4 radio\n"
            "    5 radio\n"
            "    6 radio\n"
            "    7 radio *\n"
            "  Colors\n"
            "    1\n"
            "    2\n"
            "    3\n"
            "    4\n"
            "    5\n"
            "    6\n"
            "  Texture [Ctrl+T] toggle *\n"
            "  Tracing [Ctrl+F5] toggle\n"
            "About\n");
  EXPECT_EQ(window->windowTitle(), "Tornelo");
  EXPECT_EQ(SysCaption(), "Tornelo");
  // The shortcuts act while the OpenGL area has the focus: they belong to the window.
  for (QAction* a : {Act(MenuItem::New1), Act(MenuItem::Exit1), Act(MenuItem::Tracing1)})
    EXPECT_NE(a->shortcutContext(), Qt::WidgetShortcut);
}

TEST_F(QtWindow, RadioGroupsMoveTheirMarksWithinThemselvesOnly) {
  Act(MenuItem::Fast1)->trigger();
  EXPECT_TRUE(SysMenuChecked(MenuItem::Fast1));
  EXPECT_FALSE(SysMenuChecked(MenuItem::Slow1));
  EXPECT_TRUE(SysMenuChecked(MenuItem::Medium1)) << "the Slow Speed group took a mark from Fast";
  EXPECT_EQ(SpeedDivisor, 2);

  Act(MenuItem::Slow2)->trigger();
  EXPECT_TRUE(SysMenuChecked(MenuItem::Slow2));
  EXPECT_FALSE(SysMenuChecked(MenuItem::Medium1));
  EXPECT_TRUE(SysMenuChecked(MenuItem::Fast1)) << "Slow Speed › Slow took Fast's mark";
  EXPECT_EQ(SpeedDivisor, 100);

  Act(MenuItem::N31)->trigger();
  for (MenuItem item : {MenuItem::N11, MenuItem::N21, MenuItem::N31, MenuItem::N41,
                        MenuItem::N51, MenuItem::N61, MenuItem::N71})
    EXPECT_EQ(SysMenuChecked(item), item == MenuItem::N31);
  EXPECT_TRUE(SysMenuChecked(MenuItem::Fast1));
  EXPECT_TRUE(SysMenuChecked(MenuItem::Slow2));

  // Marks set by the program move the same way.
  SysSetMenuChecked(MenuItem::Slow1, true);
  EXPECT_FALSE(SysMenuChecked(MenuItem::Fast1));
  EXPECT_TRUE(SysMenuChecked(MenuItem::Slow2));
  EXPECT_TRUE(SysMenuChecked(MenuItem::N31));

  // Choosing the marked item again keeps its mark.
  Act(MenuItem::Slow1)->trigger();
  EXPECT_TRUE(SysMenuChecked(MenuItem::Slow1));
  EXPECT_EQ(SpeedDivisor, 40);
}

TEST_F(QtWindow, ToggleHandlersFlipTheMarkTheyFind) {
  // The handlers flip the marks themselves: the toolkit's own flip must not add to it.
  ASSERT_FALSE(SysMenuChecked(MenuItem::Arrows1));
  Act(MenuItem::Arrows1)->trigger();
  EXPECT_TRUE(SysMenuChecked(MenuItem::Arrows1));
  EXPECT_TRUE(ShowArrows);
  Act(MenuItem::Arrows1)->trigger();
  EXPECT_FALSE(SysMenuChecked(MenuItem::Arrows1));
  EXPECT_FALSE(ShowArrows);

  Act(MenuItem::Texture1)->trigger();
  EXPECT_FALSE(SysMenuChecked(MenuItem::Texture1));
  Act(MenuItem::Rotation1)->trigger();
  EXPECT_TRUE(SysMenuChecked(MenuItem::Rotation1));
  EXPECT_TRUE(Spinning);

  // A mark the program sets is what the item shows.
  SysSetMenuChecked(MenuItem::Proj, true);
  EXPECT_TRUE(Act(MenuItem::Proj)->isChecked());
  Act(MenuItem::Proj)->trigger();
  EXPECT_FALSE(SysMenuChecked(MenuItem::Proj));
}

TEST_F(QtWindow, NewLocksTheMixingItemsWhileItRebuilds) {
  int seen = 0;
  bool intermixingEnabled = true, backmixingEnabled = true;
  // Runs from the first pending-message pass inside New's rebuild.
  QTimer::singleShot(0, [&] {
    ++seen;
    intermixingEnabled = SysMenuEnabled(MenuItem::Intermixing1);
    backmixingEnabled = SysMenuEnabled(MenuItem::Backmixing1);
    // The locked command does nothing.
    Act(MenuItem::Intermixing1)->trigger();
  });
  Act(MenuItem::New1)->trigger();
  EXPECT_EQ(seen, 1);
  EXPECT_FALSE(intermixingEnabled);
  EXPECT_FALSE(backmixingEnabled);
  EXPECT_FALSE(SysMenuChecked(MenuItem::Intermixing1));
  EXPECT_TRUE(SysMenuEnabled(MenuItem::Intermixing1));
  EXPECT_TRUE(SysMenuEnabled(MenuItem::Backmixing1));
  EXPECT_TRUE(Halted);
}

TEST_F(QtWindow, OpeningFileOrOptionsStopsTheTimer) {
  EXPECT_TRUE(SysTimerRunning());
  EXPECT_EQ(window->Timer1.interval(), 30);
  for (const char* name : {"File1", "Options1"}) {
    SysStartTimer();
    QAction* top = window->TopMenuAction(name);
    ASSERT_NE(top, nullptr) << name;
    ASSERT_NE(top->menu(), nullptr);
    emit top->menu()->aboutToShow();
    EXPECT_FALSE(SysTimerRunning()) << name;
  }
  // A shortcut runs its command without opening the menu.
  SysStartTimer();
  Act(MenuItem::Arrows1)->trigger();
  EXPECT_TRUE(SysTimerRunning());
}

TEST_F(QtWindow, ColourItemsCarryFramedSwatches) {
  const QColor expected[7] = {{}, {255, 0, 0}, {0, 255, 0}, {0, 0, 179},
                              {255, 255, 255}, {255, 0, 255}, {255, 255, 0}};
  for (int k = 1; k <= 6; ++k) {
    QAction* item = Act(static_cast<MenuItem>(static_cast<int>(MenuItem::N12) + k - 1));
    ASSERT_FALSE(item->icon().isNull()) << k;
    const QImage swatch = item->icon().pixmap(20, 20).toImage();
    ASSERT_EQ(swatch.size(), QSize(20, 20));
    EXPECT_EQ(swatch.pixelColor(0, 0), QColor(Qt::black)) << k;
    EXPECT_EQ(swatch.pixelColor(19, 10), QColor(Qt::black)) << k;
    const QColor inside = swatch.pixelColor(10, 10);
    EXPECT_NEAR(inside.red(), expected[k].red(), 1) << k;
    EXPECT_NEAR(inside.green(), expected[k].green(), 1) << k;
    EXPECT_NEAR(inside.blue(), expected[k].blue(), 1) << k;
  }
  SysSetColorSwatch(2, 0x00FF8000);   // blue FF, green 80, red 00
  const QImage swatch = Act(MenuItem::N22)->icon().pixmap(20, 20).toImage();
  EXPECT_EQ(swatch.pixelColor(1, 1), QColor(0, 0x80, 0xFF));
  EXPECT_EQ(swatch.pixelColor(18, 18), QColor(0, 0x80, 0xFF));
  EXPECT_EQ(swatch.pixelColor(0, 19), QColor(Qt::black));
}

TEST_F(QtWindow, ColoursMenuShowsTheSwatchesAtTheirOwnSize) {
  auto* colours = qobject_cast<QMenu*>(Act(MenuItem::N12)->parent());
  ASSERT_NE(colours, nullptr);
  colours->popup(QPoint(100, 100));
  ASSERT_TRUE(WaitUntil([&] {
    return colours->isVisible() && colours->windowHandle() && colours->windowHandle()->isExposed();
  }));
  QApplication::processEvents();
  const QImage shown = colours->grab().toImage();
  colours->hide();
  // Each swatch as the menu draws it: a square of its colour inside a black frame of one
  // pixel, the whole 20 × 20 pixels, not scaled. The fills of colours 1, 2, 5 and 6 as
  // start-up paints them (lightness 1).
  const QColor fills[] = {{255, 1, 1}, {1, 255, 1}, {255, 1, 255}, {255, 255, 1}};
  for (const QColor& fill : fills) {
    QRect box;
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x)
        if (shown.pixelColor(x, y) == fill) box |= QRect(x, y, 1, 1);
    ASSERT_FALSE(box.isEmpty()) << fill.name().toStdString() << " is not shown";
    EXPECT_EQ(box.size(), QSize(18, 18)) << fill.name().toStdString();
    const QRect frame = box.adjusted(-1, -1, 1, 1);
    for (QPoint p : {frame.topLeft(), frame.topRight(), frame.bottomLeft(), frame.bottomRight(),
                     QPoint(frame.left(), frame.center().y()), QPoint(frame.center().x(), frame.top())})
      EXPECT_EQ(shown.pixelColor(p), QColor(Qt::black)) << fill.name().toStdString();
  }
}

TEST(QtKeys, VirtualKeyCodes) {
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Return, Qt::NoModifier), 13);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Enter, Qt::KeypadModifier), 13);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Space, Qt::NoModifier), 32);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Escape, Qt::NoModifier), 27);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Left, Qt::NoModifier), 37);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Up, Qt::KeypadModifier), 38);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Right, Qt::NoModifier), 39);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Down, Qt::NoModifier), 40);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_P, Qt::ShiftModifier), 0x50);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_C, Qt::NoModifier), 0x43);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_L, Qt::NoModifier), 0x4C);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Home, Qt::NoModifier), 0x24);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_F1, Qt::NoModifier), 0x70);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_F12, Qt::NoModifier), 0x7B);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_7, Qt::NoModifier), 0x37);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Home, Qt::NoModifier), 0x24);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_End, Qt::NoModifier), 0x23);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Slash, Qt::NoModifier), 0);  // keys the program ignores
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Minus, Qt::KeypadModifier), 0);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Exclam, Qt::ShiftModifier), 0);
  EXPECT_EQ(VirtualKeyFromQt(Qt::Key_unknown, Qt::NoModifier), 0);
}

TEST_F(QtWindow, KeysReachTheHandlerFromTheAreaAndFromTheWindow) {
  ASSERT_EQ(CurrentLayer, 1);
  QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
  QCoreApplication::sendEvent(window->GLWindow, &up);
  EXPECT_EQ(CurrentLayer, 2);
  EXPECT_TRUE(ShowArrows);
  EXPECT_TRUE(SysMenuChecked(MenuItem::Arrows1));
  QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QCoreApplication::sendEvent(window.get(), &down);
  EXPECT_EQ(CurrentLayer, 1);
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier);
  QCoreApplication::sendEvent(window->GLWindow, &enter);
  EXPECT_TRUE(SingleStep);
  EXPECT_FALSE(Halted);

  // Ctrl+Z once the turn has ended takes it back: the history is empty again.
  for (int i = 0; i < 200 && (TurnInProgress || !Halted); ++i) Timer1Timer();
  ASSERT_EQ(HistoryLength, 1);
  QKeyEvent undo(QEvent::KeyPress, Qt::Key_Z, Qt::ControlModifier);
  QCoreApplication::sendEvent(window->GLWindow, &undo);
  EXPECT_EQ(HistoryLength, 0);
  EXPECT_TRUE(TurnInProgress);
}

// Under a Cyrillic layout the keys P and C type "з" and "с"; the handler gets P and C
// from the keys' scan codes, as the X11 and Wayland platforms report them.
TEST_F(QtWindow, LetterKeysActUnderANonLatinLayout) {
  ASSERT_FALSE(Paused);
  ASSERT_FALSE(ShowCounter);
  QKeyEvent ze(QEvent::KeyPress, 0x417, Qt::NoModifier, 33, 0x6da, 0, QString::fromUtf8("з"));
  QCoreApplication::sendEvent(window->GLWindow, &ze);
  EXPECT_TRUE(Paused);
  QKeyEvent es(QEvent::KeyPress, 0x421, Qt::NoModifier, 54, 0x6d3, 0, QString::fromUtf8("с"));
  QCoreApplication::sendEvent(window.get(), &es);
  EXPECT_TRUE(ShowCounter);
  // A Latin letter keeps its own code whatever key it sits on.
  QKeyEvent a(QEvent::KeyPress, Qt::Key_P, Qt::NoModifier, 24, 'p', 0, "p");
  QCoreApplication::sendEvent(window->GLWindow, &a);
  EXPECT_FALSE(Paused);
  FormKeyDown(VK_C);
  EXPECT_FALSE(ShowCounter);
  EXPECT_EQ(LatinLetterOfScanCode(24), 'Q');
  EXPECT_EQ(LatinLetterOfScanCode(46), 'L');
  EXPECT_EQ(LatinLetterOfScanCode(58), 'M');
  EXPECT_EQ(LatinLetterOfScanCode(47), 0);
  EXPECT_EQ(LatinLetterOfScanCode(9), 0);
}

TEST_F(QtWindow, MouseAndClientSizeAreInDevicePixels) {
  const char* expect = std::getenv("TORNELO_EXPECT_DPR");
  const qreal ratio = window->GLWindow->devicePixelRatio();
  if (expect) {
    EXPECT_DOUBLE_EQ(ratio, std::atof(expect));
  }

  int width, height;
  SysClientSize(width, height);
  EXPECT_EQ(width, qRound(window->GLWindow->width() * ratio));
  EXPECT_EQ(height, qRound(window->GLWindow->height() * ratio));
  EXPECT_GT(width, 0);

  auto send = [&](QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, at, window->GLWindow->mapToGlobal(at), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(window->GLWindow, &event);
  };
  send(QEvent::MouseButtonPress, {30, 40}, Qt::RightButton, Qt::RightButton);
  EXPECT_TRUE(Dragging);
  EXPECT_EQ(LastMouseX, qRound(30 * ratio));
  EXPECT_EQ(LastMouseY, qRound(40 * ratio));
  send(QEvent::MouseMove, {75, 41}, Qt::NoButton, Qt::RightButton);
  EXPECT_EQ(LastMouseX, qRound(75 * ratio));
  EXPECT_EQ(LastMouseY, qRound(41 * ratio));
  send(QEvent::MouseButtonRelease, {75, 41}, Qt::RightButton, Qt::NoButton);
  EXPECT_FALSE(Dragging);

  // A move without a button restarts a stopped timer and does not drag.
  SysStopTimer();
  send(QEvent::MouseMove, {90, 90}, Qt::NoButton, Qt::NoButton);
  EXPECT_TRUE(SysTimerRunning());
  EXPECT_EQ(LastMouseX, qRound(75 * ratio));
}

TEST_F(QtWindow, FileDialogsStartInSavesWithTheFilterAndRememberTheOpenedName) {
  QTemporaryDir scratch;
  ASSERT_TRUE(scratch.isValid());
  struct BackHome {
    QString Path = QDir::currentPath();
    ~BackHome() { QDir::setCurrent(Path); }
  } home;
  QDir::setCurrent(scratch.path());
  QDir(scratch.path()).mkdir("Saves");
  const QString saves = QDir(scratch.path()).absoluteFilePath("Saves");
  QFile cube(saves + "/mixed.tnl");
  ASSERT_TRUE(cube.open(QIODevice::WriteOnly));
  cube.write(QByteArray(54, 1));
  cube.close();
  // What File › Open and Save set before their first dialog when there is a ./Saves.
  SysSetFileDialogs("./Saves", "*.tnl");

  // Open: the filter "*.tnl", the directory ./Saves, a name that must exist.
  OnModal([&](QWidget* w) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    if (!dialog) {
      ADD_FAILURE() << "not a file dialog";
      w->close();
      return;
    }
    EXPECT_EQ(dialog->nameFilters(), QStringList{"*.tnl"});
    EXPECT_EQ(dialog->directory().absolutePath(), saves);
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
    // A name that does not exist is refused with a warning.
    bool warned = false;
    OnModal([&](QWidget* warning) {
      warned = qobject_cast<QMessageBox*>(warning) != nullptr;
      warning->close();
    }, dialog);
    TypeName(dialog, "absent.tnl");
    static_cast<QDialog*>(dialog)->accept();
    EXPECT_TRUE(warned);
    EXPECT_TRUE(dialog->isVisible()) << "the open dialog took a name that does not exist";
    TypeName(dialog, "mixed.tnl");
    static_cast<QDialog*>(dialog)->accept();
  });
  std::string name;
  ASSERT_TRUE(SysOpenFileDialog(name));
  EXPECT_EQ(QString::fromStdString(name), saves + "/mixed.tnl");

  // Open again: it starts on the name chosen last; Cancel answers false.
  OnModal([&](QWidget* w) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    if (dialog) {
      EXPECT_EQ(dialog->selectedFiles().value(0), saves + "/mixed.tnl");
    } else {
      ADD_FAILURE() << "not a file dialog";
    }
    w->close();
  });
  std::string again = "unchanged";
  EXPECT_FALSE(SysOpenFileDialog(again));
  EXPECT_EQ(again, "unchanged");

  // Save: an empty name, the same filter and directory, no extension added, no question
  // of its own before it names an existing file.
  for (const char* typed : {"fresh", "mixed.tnl"}) {
    OnModal([&](QWidget* w) {
      auto* dialog = qobject_cast<QFileDialog*>(w);
      if (!dialog) {
        ADD_FAILURE() << "not a file dialog";
        w->close();
        return;
      }
      EXPECT_EQ(dialog->nameFilters(), QStringList{"*.tnl"});
      EXPECT_EQ(dialog->directory().absolutePath(), saves);
      EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
      EXPECT_TRUE(dialog->selectedFiles().isEmpty() ||
                  QFileInfo(dialog->selectedFiles().value(0)).isDir() ||
                  QFileInfo(dialog->selectedFiles().value(0)).fileName().isEmpty())
          << dialog->selectedFiles().value(0).toStdString();
      TypeName(dialog, typed);
      static_cast<QDialog*>(dialog)->accept();
    });
    std::string saved;
    ASSERT_TRUE(SysSaveFileDialog(saved)) << typed;
    EXPECT_EQ(QString::fromStdString(saved), saves + "/" + typed);
  }
}

TEST_F(QtWindow, MessageBoxesAndColourDialog) {
  OnModal([](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    if (box) {
      EXPECT_EQ(box->windowTitle(), "BMP Unit");
      EXPECT_EQ(box->text(), "Error opening texture9.bmp");
      EXPECT_EQ(box->buttons().size(), 1);
      EXPECT_EQ(box->standardButton(box->buttons().value(0)), QMessageBox::Ok);
    } else {
      ADD_FAILURE() << "not a message box";
    }
    w->close();
  });
  SysMessageBox("Error opening texture9.bmp", "BMP Unit");

  for (QMessageBox::StandardButton answer : {QMessageBox::Ok, QMessageBox::Cancel}) {
    OnModal([answer](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      if (!box) {
        ADD_FAILURE() << "not a message box";
        w->close();
        return;
      }
      EXPECT_EQ(box->windowTitle(), "Question");
      EXPECT_EQ(box->buttons().size(), 2);
      box->button(answer)->click();
    });
    EXPECT_EQ(SysAskOkCancel("Replace it?", "Question"), answer == QMessageBox::Ok);
  }

  // The colour dialog starts on the given colour; a cancel leaves it as it was.
  SysColor colour = 0x00B30000;   // blue B3
  OnModal([](QWidget* w) {
    auto* dialog = qobject_cast<QColorDialog*>(w);
    if (dialog) {
      EXPECT_EQ(dialog->currentColor(), QColor(0, 0, 0xB3));
      dialog->setCurrentColor(QColor(10, 20, 30));
      static_cast<QDialog*>(dialog)->accept();
    } else {
      ADD_FAILURE() << "not a colour dialog";
      w->close();
    }
  });
  ASSERT_TRUE(SysChooseColor(colour));
  EXPECT_EQ(colour, 0x001E140Au);
  OnModal([](QWidget* w) { w->close(); });
  EXPECT_FALSE(SysChooseColor(colour));
  EXPECT_EQ(colour, 0x001E140Au);
}

TEST_F(QtWindow, AboutBoxIsCentredFixedAndClosesWithOk) {
  OnModal([](QWidget* w) {
    auto* box = dynamic_cast<TAboutBox*>(w);
    if (!box) {
      ADD_FAILURE() << "not the about box";
      w->close();
      return;
    }
    EXPECT_EQ(box->windowTitle(), "About");
    EXPECT_EQ(box->size(), QSize(298, 213));
    EXPECT_EQ(box->minimumSize(), box->maximumSize());
    const QPoint screenCentre = box->screen()->geometry().center();
    EXPECT_LE((box->geometry().center() - screenCentre).manhattanLength(), 4);
    auto* name = box->findChild<QLabel*>("ProductName");
    auto* version = box->findChild<QLabel*>("Version");
    ASSERT_NE(name, nullptr);
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(name->text(), "Tornelo");
    EXPECT_TRUE(name->font().bold());
    EXPECT_EQ(name->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(version->text(), "2.0");
    EXPECT_EQ(version->palette().color(QPalette::WindowText).green(), 128);
    auto* ok = box->findChild<QPushButton*>("OKButton");
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isDefault());
    ok->click();
  });
  Act(MenuItem::About1)->trigger();
  EXPECT_EQ(AboutBox->result(), QDialog::Accepted);
  EXPECT_FALSE(AboutBox->isVisible());
}

// F12 opens the solution window; its keys reach it (Ctrl+C copies); Esc closes it and
// the program knows, so that the next F12 opens it again.
TEST_F(QtWindow, SolutionWindowOpensCopiesAndCloses) {
  QKeyEvent f12(QEvent::KeyPress, Qt::Key_F12, Qt::NoModifier);
  QCoreApplication::sendEvent(window->GLWindow, &f12);
  ASSERT_NE(window->SolutionWindow, nullptr);
  EXPECT_TRUE(window->SolutionWindow->isVisible());
  EXPECT_EQ(window->SolutionWindow->windowTitle(), "Tornelo Solution");
  auto* headline = window->SolutionWindow->findChild<QLabel*>("SolutionHeadline");
  ASSERT_NE(headline, nullptr);
  EXPECT_EQ(headline->text(), "solved");

  QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
  QCoreApplication::sendEvent(window->SolutionWindow, &copy);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "Seven steps, 0 turns\n");

  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(window->SolutionWindow, &escape);
  EXPECT_FALSE(window->SolutionWindow->isVisible());
  EXPECT_FALSE(SolutionShown);
  QCoreApplication::sendEvent(window->GLWindow, &f12);
  EXPECT_TRUE(window->SolutionWindow->isVisible());
  EXPECT_TRUE(SolutionShown);
}

// The digit keys choose the paint colour, also from the digit row of a layout that
// types other characters there (the French one: "'" on the key of 4).
TEST_F(QtWindow, DigitKeysChooseThePaintColourUnderAnyLayout) {
  SysSetMenuChecked(MenuItem::Proj, true);
  QKeyEvent four(QEvent::KeyPress, Qt::Key_Apostrophe, Qt::NoModifier, 13, '\'', 0, "'");
  QCoreApplication::sendEvent(window->GLWindow, &four);
  EXPECT_EQ(PaintColour, 4);
  QKeyEvent zero(QEvent::KeyPress, Qt::Key_0, Qt::NoModifier, 19, '0', 0, "0");
  QCoreApplication::sendEvent(window.get(), &zero);
  EXPECT_EQ(PaintColour, 0);
  EXPECT_EQ(DigitOfScanCode(10), '1');
}

TEST_F(QtWindow, CtrlVAndCtrlCExchangeTheCubeWithTheClipboard) {
  const QString afterR = "UUFUUFUUFRRRRRRRRRFFDFFDFFDDDBDDBDDBLLLLLLLLLUBBUBBUBB";
  QGuiApplication::clipboard()->setText(afterR + "\n");
  QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
  QCoreApplication::sendEvent(window->GLWindow, &paste);
  EXPECT_EQ(StickerAtPos(1, 3), 3);   // U's top right: F's colour after R
  QGuiApplication::clipboard()->clear();
  QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
  QCoreApplication::sendEvent(window.get(), &copy);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), afterR);
  EXPECT_FALSE(ShowCounter);   // Ctrl+C is not C
}

// The close button asks before an entered cube is lost (Cancel keeps the window); Esc
// asks once, not once more when it closes the window.
TEST_F(QtWindow, ClosingWithAnEditNotSavedAsksFirst) {
  EditSticker(+1, 5);
  for (QMessageBox::StandardButton answer : {QMessageBox::Cancel, QMessageBox::Ok}) {
    int asked = 0;
    OnModal([answer, &asked](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      if (!box) {
        ADD_FAILURE() << "not a message box";
        w->close();
        return;
      }
      ++asked;
      EXPECT_EQ(box->text(), "The cube entered on the face maps is not saved. Quit anyway?");
      box->button(answer)->click();
    });
    if (answer == QMessageBox::Cancel)
      EXPECT_FALSE(window->close());
    else
      FormKeyDown(VK_ESCAPE);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(window->isVisible(), answer == QMessageBox::Cancel);
  }
}

TEST_F(QtWindow, SettingsAreStoredUnderTheApplicationId) {
  ASSERT_TRUE(SysWriteSetting("Tests/Probe", "#102030"));
  std::string value;
  ASSERT_TRUE(SysReadSetting("Tests/Probe", value));
  EXPECT_EQ(value, "#102030");
  EXPECT_FALSE(SysReadSetting("Tests/Absent", value));
  QFile file(QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) + "/org.example.Tornelo.conf");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_TRUE(file.readAll().contains("#102030"));
}

// Where the back buffer can be shown by copying, the frames of arrows moving over a
// still cube redraw and show only where the arrows move: what the window shows is
// then, at every phase checked, what a whole frame of the same phase shows.
TEST_F(QtWindow, MovingArrowsShowWhatWholeFramesShow) {
  if (!window->CopiesBackBuffer()) GTEST_SKIP() << "this window system cannot show the back buffer by copying";
  SysStopTimer();
  ShowArrows = true;
  CurrentLayer = 3;
  auto shown = [&] { return window->screen()->grabWindow(window->GLWindow->winId()).toImage(); };
  window->FormPaint(true);
  int partial = 0;
  for (int tick = 1; tick <= 30; ++tick) {
    ArrowPhase = ArrowPhase + 3 >= 72 ? 0 : ArrowPhase + 3;
    if (tick == 15) FormKeyDown(VK_RIGHT);   // the ring turns the other way
    partial += window->FormPaint().Partial;
    if (tick % 7 != 0) continue;
    const QImage moving = shown();
    window->FormPaint(true);
    EXPECT_EQ(moving, shown()) << "tick " << tick;
  }
  EXPECT_GE(partial, 25);
  ShowArrows = false;
}

TEST_F(QtWindow, CloseHidesTheWindow) {
  SysSetCaption("Tornelo  <=PAUSE=>");
  EXPECT_EQ(window->windowTitle(), "Tornelo  <=PAUSE=>");
  SysCloseMainWindow();
  EXPECT_FALSE(window->isVisible());
}

}  // namespace

int main(int argc, char** argv) {
  // The settings the tests store go to a folder of their own, not the user's.
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
