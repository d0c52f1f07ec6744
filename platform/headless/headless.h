#pragma once
// The headless window system: what tests and the command-line tool run the program
// against. It records everything the program asks (captions, timer, marks, messages)
// and answers dialogs from queues that the caller fills. An empty queue answers
// Cancel. The caller may open an OSMesa context of its own and say so with
// RenderContextAvailable; redraws then run OnRedraw, when set.

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

struct HeadlessMessage {
  std::string Text;
  std::string Caption;
  bool OkCancel;   // asked with OK and Cancel
};

struct HeadlessState {
  // Window
  std::string Caption;
  std::vector<std::string> CaptionHistory;   // every caption set, in order
  int ClientWidth = 544;
  int ClientHeight = 375;
  bool CloseRequested = false;

  // Timer1
  bool TimerRunning = false;
  int TimerStarts = 0;
  int TimerStops = 0;

  // Menu
  bool Checked[static_cast<int>(MenuItem::Count)] = {};
  bool Enabled[static_cast<int>(MenuItem::Count)] = {};
  SysColor Swatches[7] = {};   // [1..6]
  int SwatchPaints = 0;

  // Dialogs: each answer is a file name or colour, or nullopt for Cancel.
  std::string DialogDirectory;
  std::string DialogFilter;
  std::deque<std::optional<std::string>> OpenAnswers;
  std::deque<std::optional<std::string>> SaveAnswers;
  std::string OpenDialogName;       // the open dialog keeps its last name
  int OpenDialogRuns = 0;
  int SaveDialogRuns = 0;
  std::deque<std::optional<SysColor>> ColorAnswers;
  std::vector<SysColor> ColorDialogStarts;   // the colour each run started on
  std::deque<bool> OkCancelAnswers;          // true = OK
  std::vector<HeadlessMessage> Messages;
  int AboutShown = 0;
  int HelpShown = 0;
  bool SolutionShown = false;      // as the last SysShowSolution left it
  int SolutionChanges = 0;         // SysSolutionChanged calls

  // Clipboard and stored settings. A fresh state is a first start: nothing stored.
  std::string Clipboard;
  std::map<std::string, std::string> Settings;
  int SettingWrites = 0;
  bool SettingsReadOnly = false;   // writes fail, as in a folder that may not be written

  // Events and drawing
  int ProcessEventsCalls = 0;
  std::function<void()> OnProcessEvents;     // runs inside SysProcessEvents
  bool RenderContextAvailable = false;
  bool RenderContextCreated = false;
  int Redraws = 0;
  std::function<void()> OnRedraw;            // runs inside SysRedraw

  // Files: the real ones (platform/posix_files.cpp), counted, and one of them made to
  // fail on request (HeadlessFailFileOp).
  int FileOps = 0;                 // file operations asked for
  int FileOpsUntilFailure = 0;     // the one that fails when this counts down to 0
  int FileFailureError = 0;
  bool FileFailurePartWay = false; // a failing write first writes half of what it got
  std::string FailedFileOp;        // its name ("create", "write", ...), once it failed
};

extern HeadlessState Headless;

// Back to a new window: empty records, timer stopped, every item enabled and the marks
// of the menu at start-up.
void HeadlessReset();

bool HeadlessChecked(MenuItem item);

// Makes the n-th file operation from now on (1 = the next one) fail with errno error
// instead of being done; the ones before and after it are done as asked. A failing
// close still closes its descriptor. n = 0 makes none fail. With partWay, when the
// n-th operation is a write of more than one byte it fails part way, as a disk that
// fills up under it does: it writes the first half and says so, and the operation
// after it fails instead.
void HeadlessFailFileOp(int n, int error, bool partWay = false);
// Whether the failure asked for by HeadlessFailFileOp has happened.
inline bool HeadlessFileOpFailed() { return !Headless.FailedFileOp.empty(); }
