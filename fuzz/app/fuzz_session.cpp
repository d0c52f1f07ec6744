// libFuzzer target: a user's session with the program. The input is read as a
// sequence of things a user does (keys, menu commands, clicks and drags, answers to
// the colour and file dialogs, a file operation that fails) and of timer ticks, all
// through the headless window system; after each step the state is checked:
//   - Stickers holds nine stickers of each colour, unless an edit or an opened file
//     changed that, and only colour numbers 1..6;
//   - whenever no turn is in progress, every sticker of the drawn cube shows the
//     colour of the sticker of Stickers at its place;
//   - a build that is playing ends within BuildTickBound ticks;
//   - at rest, every menu mark agrees with the run flags: Build, Backmixing, Arrows,
//     Rotation and Tracing with their flags, and random turns come only under the
//     Intermixing mark;
//   - Backmixing from rest undoes every turn back to the cube of the last New or Open,
//     also from an Enter turn asked for and not started;
//   - a failed Open leaves the cube, its drawing and History as they were; a Save that
//     reports nothing wrote exactly Stickers; no Save leaves a file of its own behind;
//   - Ctrl+Z right after a face-map edit gives back the cube before it;
//   - Ctrl+V shows the cube of a good facelet string as Open shows a file's, and a bad
//     one changes nothing; Ctrl+C copies a string that reads back as the cube;
//   - Esc and File > Exit ask before quitting exactly when face-map edits were made
//     since the last Save, Open or New, and quit unless the answer is Cancel.
// Without an OpenGL context nothing is drawn; clicks on the face maps pick their squares
// all the same, and sticker edits of any number are played besides.

#include <fuzzer/FuzzedDataProvider.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "app/cubeformat.h"
#include "app/handlers.h"
#include "app/state.h"
#include "cube/facelets.h"
#include "cube/stickers.h"
#include "cube/turns.h"
#include "platform/headless/headless.h"
#include "render/maplayout.h"
#include "render/model.h"
#include "tests/app/quad_place.h"

namespace {

// Ticks a build may play before it counts as one that does not end: the longest
// build has a few hundred turns, and a half turn at the slowest speed lasts 100 ticks.
constexpr long BuildTickBound = 60000;
// Ticks one input may run in all, so that every input ends quickly.
constexpr long TickBudget = 300000;
constexpr int StepLimit = 300;

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "session check failed: %s\n", what.c_str());
  std::abort();
}

// --- The files the dialogs answer with ------------------------------------------

std::string Dir;   // a folder of its own, made at start
uint8_t Scrambled[CubeFileSize];

std::string At(const std::string& name) { return Dir + "/" + name; }

void WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes) {
  ::unlink(At(name).c_str());
  const int fd = ::open(At(name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) Fail("cannot write " + name);
  if (!bytes.empty() && ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
    Fail("cannot write " + name);
  ::close(fd);
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::vector<uint8_t> bytes;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
  if (fd < 0) return bytes;
  uint8_t buffer[256];
  ssize_t n;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0) bytes.insert(bytes.end(), buffer, buffer + n);
  ::close(fd);
  return bytes;
}

std::vector<uint8_t> Solved() {
  std::vector<uint8_t> bytes;
  for (int f = 1; f <= 6; ++f) bytes.insert(bytes.end(), 9, static_cast<uint8_t>(f));
  return bytes;
}

const std::string LongName = std::string(251, 'L') + ".tnl";   // 255 bytes

// Every input starts from the same files.
void ResetFiles() {
  WriteBytes("good.tnl", std::vector<uint8_t>(Scrambled, Scrambled + CubeFileSize));
  WriteBytes("solved.tnl", Solved());
  std::vector<uint8_t> bytes = Solved();
  bytes[0] = 2;   // ten stickers of colour 2, eight of colour 1
  WriteBytes("edited.tnl", bytes);
  bytes = Solved();
  bytes.insert(bytes.end(), {9, 0, 7});
  WriteBytes("long.tnl", bytes);
  WriteBytes("short.tnl", std::vector<uint8_t>(53, 1));
  WriteBytes("empty.tnl", {});
  bytes = Solved();
  bytes[30] = 0;
  WriteBytes("zero.tnl", bytes);
  bytes = Solved();
  bytes[53] = 7;
  WriteBytes("seven.tnl", bytes);
  WriteBytes("hard.tnl", Solved());
  ::unlink(At("hard2.tnl").c_str());
  if (::link(At("hard.tnl").c_str(), At("hard2.tnl").c_str()) != 0) Fail("cannot link");
  ::unlink(At("out.tnl").c_str());
  ::unlink(At("nowhere.tnl").c_str());
  ::unlink(At(LongName).c_str());
}

void MakeFixedFiles() {
  ::mkdir(At("dir.tnl").c_str(), 0755);
  ::mkfifo(At("fifo.tnl").c_str(), 0644);
  ::symlink("nowhere.tnl", At("dangling.tnl").c_str());
}

// What the save dialog may answer, and the file that then holds the cube (empty when
// the save cannot succeed).
struct SaveTarget {
  std::string Answer;
  std::string Written;
};
std::vector<SaveTarget> SaveTargets() {
  return {
      {"out", "out.tnl"},          {"out.tnl", "out.tnl"},   {"good", "good.tnl"},
      {"dangling", "nowhere.tnl"}, {"hard", "hard.tnl"},     {LongName, LongName},
      {"fifo.tnl", ""},            {"dir", ""},              {"missing/x", ""},
  };
}

const char* const OpenNames[] = {
    "good.tnl",  "solved.tnl", "edited.tnl", "long.tnl",  "short.tnl",    "empty.tnl",
    "zero.tnl",  "seven.tnl",  "hard.tnl",   "dir.tnl",   "fifo.tnl",     "dangling.tnl",
    "out.tnl",   "nowhere.tnl", "missing.tnl",
};

void CheckNoStrayFiles() {
  DIR* d = ::opendir(Dir.c_str());
  if (!d) Fail("cannot list the folder");
  while (dirent* e = ::readdir(d)) {
    const std::string name = e->d_name;
    if (name.size() == 10 && name.compare(0, 4, ".tnl") == 0) {
      ::closedir(d);
      Fail("Save left " + name + " behind");
    }
  }
  ::closedir(d);
}

// --- What the session remembers to check against --------------------------------

struct Tracked {
  bool ColoursMayDiffer = false;   // an edit or an opened file changed the colour counts
  bool BaseKnown = true;           // Base is the cube Backmixing returns to
  uint8_t Base[CubeFileSize] = {};
  int Unsaved = 0;                 // face-map edits not saved: 1 yes, 0 no, -1 not known
  long Ticks = 0;                  // ticks run by this input
  long BuildTicks = 0;             // ticks in which the build in progress could play
};
Tracked T;
FuzzedDataProvider* In = nullptr;
int Depth = 0;   // actions run from inside New's assembly

void SetBase() {
  std::memcpy(T.Base, Stickers, CubeFileSize);
  T.BaseKnown = true;
}

bool Balanced(const uint8_t* bytes) {
  int count[8] = {};
  for (size_t i = 0; i < CubeFileSize; ++i) ++count[bytes[i] <= 7 ? bytes[i] : 7];
  for (int k = 1; k <= 6; ++k)
    if (count[k] != 9) return false;
  return true;
}

// Where a resting sticker quad lies, with room for the drift of long sessions.
bool PlaceOf(const StickerQuad& q, int& face, int& row, int& col) {
  return quadplace::PlaceOfQuad(q, face, row, col, 0.25);
}

void CheckDrawnCube() {
  int covered[7][4][4] = {};
  for (int c = 1; c <= 27; ++c)
    for (int f = 1; f <= 6; ++f) {
      const StickerQuad& q = CubeGeometry[c].Stickers[f];
      if (!q.Present) continue;
      int face = 0, row = 0, col = 0;
      if (!PlaceOf(q, face, row, col))
        Fail("cubie " + std::to_string(c) + " quad " + std::to_string(f) + " is off the grid");
      ++covered[face][row][col];
      const int k = StickerAt(face, row, col);
      for (int ch = 0; ch < 3; ++ch)
        if (q.Colour[ch] != static_cast<float>(FaceColors[k][ch]))
          Fail("the sticker at " + std::to_string(face) + "/" + std::to_string(row) + "," +
               std::to_string(col) + " is drawn in another colour than number " + std::to_string(k));
    }
  for (int f = 1; f <= 6; ++f)
    for (int r = 1; r <= 3; ++r)
      for (int c = 1; c <= 3; ++c)
        if (covered[f][r][c] != 1) Fail("a sticker place is not covered exactly once");
}

void CheckMark(MenuItem item, bool flag, const char* what) {
  if (SysMenuChecked(item) != flag)
    Fail(std::string("the ") + what + " mark is " + (flag ? "off" : "on") + " while its flag is " +
         (flag ? "set" : "clear"));
}

void CheckMarks() {
  CheckMark(MenuItem::Build1, Building, "Build");
  CheckMark(MenuItem::Backmixing1, Backmixing, "Backmixing");
  CheckMark(MenuItem::Arrows1, ShowArrows, "Arrows");
  CheckMark(MenuItem::Rotation1, Spinning, "Rotation");
  CheckMark(MenuItem::Tracing1, Tracing, "Tracing");
  // Intermixing has no flag: it is the source of turns when no other source is set.
  const bool randomTurns = !Halted && !Backmixing && !Building && !SingleStep;
  if (randomTurns && !SysMenuChecked(MenuItem::Intermixing1))
    Fail("random turns run without the Intermixing mark");
}

void CheckState() {
  for (size_t i = 0; i < CubeFileSize; ++i)
    if (Stickers[i] < 1 || Stickers[i] > 6) Fail("a colour number outside 1..6");
  if (!T.ColoursMayDiffer && !Balanced(Stickers)) Fail("the colours are not nine each");
  if (!TurnInProgress) {
    CheckDrawnCube();
    CheckMarks();
  }
  if (Building && T.BuildTicks > BuildTickBound) Fail("a build did not end");
}

// --- Steps --------------------------------------------------------------------

// One tick of Timer1, when it runs.
void Tick() {
  if (!SysTimerRunning() || T.Ticks >= TickBudget) return;
  ++T.Ticks;
  const bool playing = Building && !Halted && !Backmixing;
  Timer1Timer();
  if (!Building)
    T.BuildTicks = 0;
  else if (playing)
    ++T.BuildTicks;
}

void (*const MenuCommands[])() = {
    File1Click,   Build1Click,  Rotation1Click, Intermixing1Click, Backmixing1Click,
    Arrows1Click, Slow1Click,   Fast1Click,     Slow2Click,        Medium1Click,
    Fast2Click,   ProjClick,    N11Click,       N21Click,          N31Click,
    N41Click,     N51Click,     N61Click,       N71Click,          Texture1Click,
    Tracing1Click, About1Click, Exit1Click,
};

// Ctrl+Z, which the window takes for the undo, not a key code of its own.
constexpr int CtrlZ = -1;
const int Keys[] = {VK_RETURN, VK_SPACE, VK_LEFT,  VK_RIGHT, VK_UP,    VK_DOWN,  VK_C,     VK_P,
                    VK_ESCAPE, VK_F1,    CtrlZ,    'A',      VK_0,     VK_0 + 1, VK_0 + 4, VK_0 + 6,
                    VK_0 + 9,  VK_HOME,  VK_L,     VK_F12};

const char* const CommandNames[] = {
    "File1",   "Build1", "Rotation1", "Intermixing1", "Backmixing1", "Arrows1", "Slow1", "Fast1",
    "Slow2",   "Medium1", "Fast2",    "Proj",         "N11",         "N21",     "N31",   "N41",
    "N51",     "N61",    "N71",       "Texture1",     "Tracing1",    "About1",  "Exit1",
};
static_assert(std::size(CommandNames) == std::size(MenuCommands));

void Command() {
  const size_t which = In->ConsumeIntegralInRange<size_t>(0, std::size(MenuCommands) - 1);
  void (*const command)() = MenuCommands[which];
  if (std::getenv("SESSION_TRACE")) std::fprintf(stderr, "  %s\n", CommandNames[which]);
  const bool wasBuilding = Building;
  command();
  if (command == Build1Click && Building && !wasBuilding) T.BuildTicks = 0;
}

void Undo();

void Key() {
  const int key = In->PickValueInArray(Keys);
  if (std::getenv("SESSION_TRACE")) std::fprintf(stderr, "  key %d\n", key);
  if (key == CtrlZ)
    Undo();
  else
    FormKeyDown(key);
}

void New() {
  const bool rebuilds = !TurnInProgress;
  New1Click();
  if (rebuilds) {
    // The assembly ends on the solved cube; a turn that a tick started among its last
    // messages is in History.
    T.ColoursMayDiffer = false;
    T.Unsaved = 0;
    std::vector<uint8_t> solved = Solved();
    std::memcpy(T.Base, solved.data(), CubeFileSize);
    T.BaseKnown = true;
  }
}

// A click or a drag with any button; on the face maps a left click steps the
// sticker's colour forward or paints it with the colour the keys chose, a right click
// steps it back. Ctrl+Z may follow at once.
void Mouse() {
  const MouseButton button = In->PickValueInArray({MouseButton::Left, MouseButton::Right, MouseButton::Middle});
  int x = In->ConsumeIntegralInRange(-50, 700), y = In->ConsumeIntegralInRange(-50, 500);
  const bool picks = SysMenuChecked(MenuItem::Proj) && button != MouseButton::Middle &&
                     PickProjectionSticker(x, y, Headless.ClientWidth, Headless.ClientHeight) >= 1;
  FormMouseDown(button, x, y);
  if (picks) {
    T.ColoursMayDiffer = true;
    T.BaseKnown = false;
  }
  if (SysMenuChecked(MenuItem::Proj) && button != MouseButton::Middle && In->ConsumeBool()) {
    const std::vector<uint8_t> before(Stickers, Stickers + CubeFileSize);
    const int s = In->ConsumeIntegralInRange(0, 55);
    if (button == MouseButton::Left && PaintColour >= 1)
      PaintSticker(PaintColour, s);
    else
      EditSticker(button == MouseButton::Left ? +1 : -1, s);
    if (!std::equal(before.begin(), before.end(), Stickers)) {
      T.ColoursMayDiffer = true;
      T.BaseKnown = false;
      T.Unsaved = 1;
      if (In->ConsumeBool()) {
        UndoLastChange();
        if (!std::equal(before.begin(), before.end(), Stickers)) Fail("Ctrl+Z did not take back an edit");
        T.Unsaved = -1;
      }
    }
  }
  for (int moves = In->ConsumeIntegralInRange(0, 4); moves > 0; --moves) {
    x += In->ConsumeIntegralInRange(-40, 40);
    y += In->ConsumeIntegralInRange(-40, 40);
    FormMouseMove(x, y);
  }
  FormMouseUp(button, x, y);
}

void Colour() {
  if (In->ConsumeBool())
    Headless.ColorAnswers.push_back(In->ConsumeIntegralInRange<SysColor>(0, 0xFFFFFF));
  else
    Headless.ColorAnswers.push_back(std::nullopt);
  void (*const items[])() = {N12Click, N22Click, N32Click, N42Click, N52Click, N62Click};
  In->PickValueInArray(items)();
  Headless.ColorAnswers.clear();
}

void Save() {
  const std::vector<SaveTarget> targets = SaveTargets();
  const SaveTarget target = targets[In->ConsumeIntegralInRange<size_t>(0, targets.size() - 1)];
  const bool cancel = In->ConsumeIntegralInRange(0, 7) == 0;
  const bool replace = In->ConsumeIntegralInRange(0, 7) != 0;
  const bool busy = TurnInProgress;
  const size_t messages = Headless.Messages.size();
  if (cancel)
    Headless.SaveAnswers.push_back(std::nullopt);
  else
    Headless.SaveAnswers.push_back(At(target.Answer));
  Headless.OkCancelAnswers.push_back(replace);
  Save1Click();
  Headless.SaveAnswers.clear();
  Headless.OkCancelAnswers.clear();
  CheckNoStrayFiles();

  bool asked = false, failed = false;
  for (size_t i = messages; i < Headless.Messages.size(); ++i)
    (Headless.Messages[i].OkCancel ? asked : failed) = true;
  if (busy || cancel || (asked && !replace) || failed) return;
  if (target.Written.empty()) Fail("a save to " + target.Answer + " reported nothing");
  T.Unsaved = 0;
  const std::vector<uint8_t> bytes = ReadBytes(At(target.Written));
  if (bytes != std::vector<uint8_t>(Stickers, Stickers + CubeFileSize))
    Fail("a save to " + target.Answer + " did not write the cube");
  if (target.Answer == "hard" && ReadBytes(At("hard2.tnl")) != bytes)
    Fail("the second name of a saved file shows another cube");
}

struct Snapshot {
  std::vector<uint8_t> Cube, Drawing;
  std::vector<std::pair<int, double>> Turns;
  bool operator==(const Snapshot&) const = default;
};

Snapshot Take() {
  Snapshot s;
  s.Cube.assign(Stickers, Stickers + CubeFileSize);
  const auto* g = reinterpret_cast<const uint8_t*>(CubeGeometry);
  s.Drawing.assign(g, g + sizeof CubeGeometry);
  for (int i = 0; i < HistoryLength; ++i) s.Turns.emplace_back(History[i].Layer, History[i].Angle);
  return s;
}

void Open() {
  const std::string name = In->PickValueInArray(OpenNames);
  const bool cancel = In->ConsumeIntegralInRange(0, 7) == 0;
  const bool busy = TurnInProgress;
  const size_t messages = Headless.Messages.size();
  const Snapshot before = Take();
  if (cancel)
    Headless.OpenAnswers.push_back(std::nullopt);
  else
    Headless.OpenAnswers.push_back(At(name));
  Open1Click();
  Headless.OpenAnswers.clear();

  if (busy || cancel) return;
  if (Headless.Messages.size() > messages) {
    if (!(Take() == before)) Fail("a failed open of " + name + " changed the cube");
    return;
  }
  const std::vector<uint8_t> bytes = ReadBytes(At(name));
  if (bytes.size() < CubeFileSize || !std::equal(bytes.begin(), bytes.begin() + CubeFileSize, Stickers))
    Fail("an open of " + name + " did not load its cube");
  if (HistoryLength != 0) Fail("an open kept History");
  T.Unsaved = 0;
  T.ColoursMayDiffer = !Balanced(Stickers);
  SetBase();
}

// Ctrl+Z: an edit or a turn taken back.
void Undo() {
  const std::vector<uint8_t> before(Stickers, Stickers + CubeFileSize);
  const int turns = HistoryLength;
  UndoLastChange();
  // An edit taken back (no turn was): after a Save the cube differs from the file.
  if (HistoryLength == turns && !std::equal(before.begin(), before.end(), Stickers)) T.Unsaved = -1;
}

// Ctrl+V with a good, a bad or an arbitrary string on the clipboard, or Ctrl+C.
void Clipboard() {
  if (In->ConsumeBool()) {
    const std::string copied = Headless.Clipboard;
    const size_t messages = Headless.Messages.size();
    CopyCube();
    if (Headless.Messages.size() > messages) {
      if (Headless.Clipboard != copied) Fail("a failed copy changed the clipboard");
      return;
    }
    uint8_t back[StickerCount];
    std::string why;
    bool ownCentres = true;
    for (int f = 1; f <= 6; ++f) ownCentres &= StickerAtPos(f, 5) == f;
    if (ownCentres && FaceletsToStickers(Headless.Clipboard, back, why) &&
        !std::equal(back, back + StickerCount, Stickers))
      Fail("the copied facelet string reads back as another cube");
    return;
  }
  const char* const Texts[] = {"UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB",
                               " UUFUUFUUFRRRRRRRRRFFDFFDFFDDDBDDBDDBLLLLLLLLLUBBUBBUBB\n",
                               "UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBU", "", "scrambled"};
  std::string text = In->ConsumeBool() ? In->ConsumeRandomLengthString(60) : In->PickValueInArray(Texts);
  if (text == "scrambled") StickersToFacelets(Scrambled, text);
  Headless.Clipboard = text;
  const bool busy = TurnInProgress;
  const size_t messages = Headless.Messages.size();
  const Snapshot before = Take();
  PasteCube();
  if (busy || Headless.Messages.size() > messages) {
    if (!(Take() == before)) Fail("a paste that did nothing changed the cube");
    return;
  }
  uint8_t expected[StickerCount];
  std::string why;
  const char* const blanks = " \t\n\r\f\v";
  const size_t first = text.find_first_not_of(blanks), last = text.find_last_not_of(blanks);
  const std::string trimmed = first == std::string::npos ? "" : text.substr(first, last - first + 1);
  if (!FaceletsToStickers(trimmed, expected, why)) Fail("a paste took a string that is not a cube");
  if (!std::equal(expected, expected + StickerCount, Stickers)) Fail("a paste did not show its cube");
  if (HistoryLength != 0) Fail("a paste kept History");
  T.Unsaved = 0;
  T.ColoursMayDiffer = false;
  SetBase();
}

// Esc or File > Exit, the question answered either way; the window stays for the
// rest of the input.
void Quit() {
  const bool ok = In->ConsumeBool();
  const size_t messages = Headless.Messages.size();
  Headless.OkCancelAnswers.push_back(ok);
  Headless.CloseRequested = false;
  if (In->ConsumeBool())
    FormKeyDown(VK_ESCAPE);
  else
    Exit1Click();
  Headless.OkCancelAnswers.clear();
  const bool asked = Headless.Messages.size() > messages;
  if (T.Unsaved >= 0 && asked != (T.Unsaved == 1))
    Fail(asked ? "quitting asked with nothing entered unsaved" : "quitting did not ask for an unsaved cube");
  if (Headless.CloseRequested != (!asked || ok)) Fail("the answer to the quit question was not followed");
  Headless.CloseRequested = false;
}

void FailAFileOperation() {
  const int errors[] = {EIO, ENOSPC, EACCES, EROFS, EPERM};
  const int n = In->ConsumeIntegralInRange(1, 12);
  const int error = In->PickValueInArray(errors);
  HeadlessFailFileOp(n, error, In->ConsumeBool());
}

void Ticks() {
  for (int n = In->ConsumeIntegralInRange(1, 80); n > 0; --n) Tick();
}

// Plays the build in progress to its end.
void FinishBuild() {
  while (Building && !Halted && !Backmixing && SysTimerRunning() && T.Ticks < TickBudget) {
    Tick();
    if (T.BuildTicks > BuildTickBound) Fail("a build did not end");
  }
}

// From rest, Backmixing undoes every turn and stops on the cube of the last New or Open.
// Rest includes an Enter turn that has been asked for and has not started: it gives
// way to Backmixing.
void BackmixFromRest() {
  if (TurnInProgress || !(Halted || SingleStep) || Backmixing || Building || HistoryLength == 0)
    return;
  if (SysMenuChecked(MenuItem::Intermixing1) || !SysMenuEnabled(MenuItem::Intermixing1)) return;
  const long limit = static_cast<long>(HistoryLength) * (SpeedDivisor + 1) + 10;
  if (T.Ticks + limit > TickBudget) return;
  Backmixing1Click();
  for (long n = 0; n < limit && !(Halted && !TurnInProgress); ++n) Tick();
  if (!(Halted && !TurnInProgress)) Fail("Backmixing did not come to rest");
  if (HistoryLength != 0) Fail("Backmixing stopped before History was used up");
  if (T.BaseKnown && std::memcmp(Stickers, T.Base, CubeFileSize) != 0)
    Fail("Backmixing did not return to the cube of the last New or Open");
}

// While New assembles the cube, the window's pending messages run: ticks, keys and
// the commands that do not open a dialog.
void DuringNew() {
  if (Depth > 0 || In->remaining_bytes() == 0) return;
  ++Depth;
  switch (In->ConsumeIntegralInRange(0, 7)) {
    case 0: case 1: case 2: Tick(); break;
    case 3: Key(); break;
    case 4: Command(); break;
    default: break;
  }
  --Depth;
}

// SESSION_TRACE=1 in the environment prints every step, to follow a failing input.
const bool Tracing_ = std::getenv("SESSION_TRACE") != nullptr;

void Trace(const char* what) {
  if (!Tracing_) return;
  std::fprintf(stderr, "%-10s turn %d halted %d build %d backmix %d single %d history %d "
               "intermix %d/%d timer %d speed %d ticks %ld\n",
               what, TurnInProgress, Halted, Building, Backmixing, SingleStep, HistoryLength,
               SysMenuChecked(MenuItem::Intermixing1), SysMenuEnabled(MenuItem::Intermixing1),
               SysTimerRunning(), SpeedDivisor, T.Ticks);
}

void Step() {
  const int step = In->ConsumeIntegralInRange(0, 18);
  static const char* const Names[] = {"key",   "command", "command", "new",    "mouse", "colour",
                                      "save",  "open",    "fail-op", "ticks",  "ticks", "ticks",
                                      "finish", "backmix", "build",  "tick",   "undo",  "quit",
                                      "clipboard"};
  Trace(Names[step]);
  switch (step) {
    case 0: Key(); break;
    case 1: case 2: Command(); break;
    case 3: New(); break;
    case 4: Mouse(); break;
    case 5: Colour(); break;
    case 6: Save(); break;
    case 7: Open(); break;
    case 8: FailAFileOperation(); break;
    case 9: case 10: case 11: Ticks(); break;
    case 12: FinishBuild(); break;
    case 13: BackmixFromRest(); break;
    case 14: Fast1Click(); Build1Click(); T.BuildTicks = 0; break;
    case 16: Undo(); break;
    case 17: Quit(); break;
    case 18: Clipboard(); break;
    default: Tick(); break;
  }
}

// The folder goes when the fuzzer ends (not when it stops on a failure).
void RemoveFiles() {
  if (DIR* d = ::opendir(Dir.c_str())) {
    while (dirent* e = ::readdir(d)) {
      const std::string name = e->d_name;
      if (name != "." && name != "..") ::unlink(At(name).c_str());
    }
    ::closedir(d);
  }
  ::rmdir(At("dir.tnl").c_str());
  ::rmdir(Dir.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/tornelo-fuzz-session-XXXXXX";
  if (!::mkdtemp(pattern)) Fail("cannot make a folder");
  Dir = pattern;
  // The file dialogs look up the user's saves folder: a data folder whose parent is
  // not there keeps them from making one.
  ::setenv("XDG_DATA_HOME", (Dir + "/none/data-home").c_str(), 1);
  std::atexit(RemoveFiles);
  MakeFixedFiles();
  // A cube that turns can reach, for the good file.
  HeadlessReset();
  FormCreate();
  const int turns[][2] = {{1, 1}, {3, -1}, {5, 1}, {2, 1}, {6, -1}, {4, 1}, {1, -1}};
  for (const auto& t : turns) QuarterTurn(t[0], t[1]);
  std::memcpy(Scrambled, Stickers, CubeFileSize);
  FormDestroy();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  In = &input;
  T = Tracked{};
  Depth = 0;
  ResetFiles();
  HeadlessReset();
  FormCreate();
  SeedRandom(input.ConsumeIntegral<uint64_t>());
  Headless.OnProcessEvents = DuringNew;
  SetBase();

  CheckState();
  for (int steps = 0; steps < StepLimit && input.remaining_bytes() > 0; ++steps) {
    Step();
    CheckState();
  }

  FormDestroy();
  HeadlessFailFileOp(0, 0);
  In = nullptr;
  return 0;
}
