// Program entry: the application object, the main window (whose creation runs
// FormCreate), the about box, and the message loop until the main window closes.

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/qt/aboutbox.h"
#include "platform/qt/tornelo.h"

namespace {

std::string ProgramPath = "tornelo";

void ReportNoDisplay(const char* why) {
  std::fprintf(stderr,
               "tornelo: cannot open a window: %s; to run it without a screen, try: "
               "xvfb-run -a -s \"-screen 0 1920x1080x24\" %s\n",
               why, ProgramPath.c_str());
}

// Whether the window-system plugin shows windows to anyone: the off-screen and the
// minimal one draw into memory only.
bool PlatformShowsWindows() {
  const QString platform = QGuiApplication::platformName();
  return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

bool EnvSet(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

// While the application object starts, the window-system plugin's complaints are held
// back; when it cannot start at all, one line says why instead of Qt's abort, with the
// plugin's first complaint (the reason it gave up) in brackets.
std::string HeldBack;

void StartupMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type != QtFatalMsg) {
    const bool plugin = context.category && std::strncmp(context.category, "qt.qpa", 6) == 0;
    if (HeldBack.empty() && plugin) HeldBack = message.simplified().toStdString();
    return;
  }
  const char* display = std::getenv("DISPLAY");
  std::string why = display && *display ? std::string("the display \"") + display + "\" could not be opened"
                                        : std::string("the window system could not be reached");
  const std::string reason = HeldBack.empty() ? message.section('\n', 0, 0).simplified().toStdString() : HeldBack;
  if (!reason.empty()) why += " (" + reason + ")";
  ReportNoDisplay(why.c_str());
  std::fflush(stderr);
  std::_Exit(1);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc > 0 && argv[0] && *argv[0]) ProgramPath = argv[0];

#if defined(__linux__)
  // Without an explicit platform, Qt needs an X or Wayland display.
  if (!EnvSet("QT_QPA_PLATFORM") && !EnvSet("DISPLAY") && !EnvSet("WAYLAND_DISPLAY")) {
    ReportNoDisplay("no display is available (neither DISPLAY nor WAYLAND_DISPLAY is set)");
    return 1;
  }
  // On Wayland, Wayland first; where Qt's Wayland plugin is missing, X through XWayland.
  if (!EnvSet("QT_QPA_PLATFORM") && EnvSet("WAYLAND_DISPLAY"))
    qputenv("QT_QPA_PLATFORM", EnvSet("DISPLAY") ? "wayland;xcb" : "wayland");
#endif

  // The toolkit knows the program by its own name, whatever name it was started by
  // (scripts/run starts it under the script's name, so that the line about a missing
  // display names the script).
  static char programName[] = "tornelo";
  std::vector<char*> arguments(argv, argv + argc);
  if (arguments.empty()) arguments.push_back(programName);
  arguments[0] = programName;
  arguments.push_back(nullptr);
  int argumentCount = argc > 0 ? argc : 1;

  qInstallMessageHandler(StartupMessages);
  QApplication application(argumentCount, arguments.data());
  qInstallMessageHandler(nullptr);
  // The window, its boxes and dialogs would be drawn for no one, and a box would wait
  // for ever for its OK.
  if (!PlatformShowsWindows()) {
    const std::string why = "the platform \"" + QGuiApplication::platformName().toStdString() +
                            "\" shows no windows";
    ReportNoDisplay(why.c_str());
    return 1;
  }
  // The desktop entry the window belongs to (its icon and name under Wayland).
  QGuiApplication::setDesktopFileName(QStringLiteral(TORNELO_APP_ID));

  TTornelo window;
  if (!window.Created()) {
    const char* text = "Tornelo cannot start: no OpenGL rendering context could be created for its window.";
    std::fprintf(stderr, "tornelo: %s\n", text);
    QMessageBox::critical(nullptr, "Tornelo", text);
    return 1;
  }
  TAboutBox aboutBox(&window);
  AboutBox = &aboutBox;

  window.showMaximized();
  window.GLContainer->setFocus();

  const int status = application.exec();
  AboutBox = nullptr;
  return status;
}
