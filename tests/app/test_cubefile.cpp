// File › Save and File › Open through the headless window, in a fresh directory per
// test: the bytes written, the name rule, the overwrite question, the round trip, and
// that a failed Open or Save loses nothing.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/cubeformat.h"
#include "app/handlers.h"
#include "app/state.h"
#include "cube/stickers.h"
#include "platform/files.h"
#include "platform/headless/headless.h"
#include "render/model.h"
#include "tests/app/app_fixture.h"

namespace fs = std::filesystem;

using apptest::Scramble;

namespace {

const char* const Question = "Такой файл уже существует! Заменить его?";
const char* const QuestionTitle = "Предупреждение!";
const char* const ErrorCaption = "Tornelo";

constexpr uid_t Nobody = 65534;

std::vector<uint8_t> ReadAll(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::string& name, const std::vector<uint8_t>& bytes) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> SolvedBytes() {
  std::vector<uint8_t> bytes;
  for (int f = 1; f <= 6; ++f) bytes.insert(bytes.end(), 9, static_cast<uint8_t>(f));
  return bytes;
}

std::vector<uint8_t> CurrentStickers() { return std::vector<uint8_t>(Stickers, Stickers + StickerCount); }

std::vector<std::string> Entries(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Runs work in a child process that has given up root (when the tests run as root,
// permissions would not hold it back), and returns what work returned. "skip" when the
// child could not drop its rights.
std::string RunUnprivileged(const std::function<std::string()>& work) {
  int channel[2];
  if (pipe(channel) != 0) return "skip";
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    std::string result;
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(Nobody) != 0 || setuid(Nobody) != 0))
      result = "skip";
    else
      result = work();
    (void)!write(channel[1], result.data(), result.size());
    _exit(0);
  }
  close(channel[1]);
  std::string result;
  char buffer[256];
  ssize_t n;
  while ((n = read(channel[0], buffer, sizeof buffer)) > 0) result.append(buffer, static_cast<size_t>(n));
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  return result;
}

// Gives path to the user RunUnprivileged runs as.
void HandToChild(const std::string& path) {
  if (geteuid() == 0) {
    ASSERT_EQ(chown(path.c_str(), Nobody, Nobody), 0);
  }
}

// Everything a failed Open must leave alone.
struct Snapshot {
  std::vector<uint8_t> Stickers;
  std::vector<uint8_t> Geometry;
  std::vector<std::pair<int, double>> Turns;
  int Length;

  static Snapshot Take() {
    Snapshot s;
    s.Stickers = CurrentStickers();
    const auto* g = reinterpret_cast<const uint8_t*>(CubeGeometry);
    s.Geometry.assign(g, g + sizeof CubeGeometry);
    for (int i = 0; i < HistoryLength; ++i) s.Turns.emplace_back(::History[i].Layer, ::History[i].Angle);
    s.Length = HistoryLength;
    return s;
  }
  bool operator==(const Snapshot&) const = default;
};

class CubeFileTest : public ::testing::Test {
 protected:
  std::string Dir;

  void SetUp() override {
    HeadlessReset();
    FormCreate();
    SeedRandom(5150);
    char pattern[] = "/tmp/tornelo-cubefile-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    Dir = pattern;
    chmod(Dir.c_str(), 0755);   // the unprivileged child must reach its folders
  }

  void TearDown() override {
    FormDestroy();
    std::error_code ec;
    for (const auto& e : fs::recursive_directory_iterator(Dir, ec))
      if (e.is_directory()) chmod(e.path().c_str(), 0755);
    fs::remove_all(Dir, ec);
  }

  std::string Path(const std::string& name) const { return Dir + "/" + name; }

  static const HeadlessMessage* LastMessage() {
    return Headless.Messages.empty() ? nullptr : &Headless.Messages.back();
  }
};

// The sticker of the cube model that quad f of cubie c shows in a freshly built cube:
// the rows and columns of each face as the cube model lays them out.
uint8_t ModelStickerOf(int c, int f) {
  const int k = (c - 1) / 9 - 1, l = (c - 1) / 3 % 3 - 1, m = (c - 1) % 3 - 1;
  int row = 0, col = 0;
  switch (f) {
    case 1: row = l + 2; col = m + 2; break;
    case 2: row = -l + 2; col = m + 2; break;
    case 3: row = -k + 2; col = m + 2; break;
    case 4: row = -k + 2; col = -m + 2; break;
    case 5: row = -k + 2; col = -l + 2; break;
    case 6: row = -k + 2; col = l + 2; break;
  }
  return StickerAt(f, row, col);
}

TEST_F(CubeFileTest, SolvedCubeIsItsFiftyFourColourNumbers) {
  EXPECT_EQ(WriteCubeFile(Path("solved")), "");
  EXPECT_EQ(ReadAll(Path("solved.tnl")), SolvedBytes());
  // Nothing else is left in the folder (no temporary file).
  EXPECT_EQ(Entries(Dir), std::vector<std::string>{"solved.tnl"});
}

TEST_F(CubeFileTest, ExtensionIsAddedUnlessTheNameEndsInExactlyDotTnl) {
  for (const char* name : {"cube.tnl", "cube.TNL", "a", "x.t", "tnl", ".tnl"})
    EXPECT_EQ(WriteCubeFile(Path(name)), "") << name;
  EXPECT_EQ(Entries(Dir), (std::vector<std::string>{".tnl", "a.tnl", "cube.TNL.tnl", "cube.tnl",
                                                    "tnl.tnl", "x.t.tnl"}));
  EXPECT_EQ(CubeFileNameFor("a"), "a.tnl");
  EXPECT_EQ(CubeFileNameFor(""), ".tnl");
  EXPECT_EQ(CubeFileNameFor("dir.tnl/x"), "dir.tnl/x.tnl");
}

TEST_F(CubeFileTest, SaveAsksBeforeReplacingEitherName) {
  const std::vector<uint8_t> old(54, 6);
  Scramble(10);
  const std::vector<uint8_t> now = CurrentStickers();

  // "n" whose ".tnl" form exists: asked; Cancel keeps the old file, OK replaces it.
  WriteAll(Path("n.tnl"), old);
  Headless.SaveAnswers.push_back(Path("n"));
  Headless.OkCancelAnswers.push_back(false);
  Save1Click();
  ASSERT_EQ(Headless.Messages.size(), 1u);
  EXPECT_EQ(Headless.Messages[0].Text, Question);
  EXPECT_EQ(Headless.Messages[0].Caption, QuestionTitle);
  EXPECT_TRUE(Headless.Messages[0].OkCancel);
  EXPECT_EQ(ReadAll(Path("n.tnl")), old);

  Headless.SaveAnswers.push_back(Path("n"));
  Headless.OkCancelAnswers.push_back(true);
  Save1Click();
  EXPECT_EQ(Headless.Messages.size(), 2u);
  EXPECT_EQ(ReadAll(Path("n.tnl")), now);

  // "m.tnl" when only "m.tnl.tnl" exists: asked, and "m.tnl" itself is written.
  WriteAll(Path("m.tnl.tnl"), old);
  Headless.SaveAnswers.push_back(Path("m.tnl"));
  Headless.OkCancelAnswers.push_back(true);
  Save1Click();
  EXPECT_EQ(Headless.Messages.size(), 3u);
  EXPECT_EQ(ReadAll(Path("m.tnl")), now);
  EXPECT_EQ(ReadAll(Path("m.tnl.tnl")), old);

  // "p" that exists itself: asked; "p.tnl" is written, "p" stays.
  WriteAll(Path("p"), old);
  Headless.SaveAnswers.push_back(Path("p"));
  Headless.OkCancelAnswers.push_back(true);
  Save1Click();
  EXPECT_EQ(Headless.Messages.size(), 4u);
  EXPECT_EQ(ReadAll(Path("p.tnl")), now);
  EXPECT_EQ(ReadAll(Path("p")), old);

  // A new name: no question.
  Headless.SaveAnswers.push_back(Path("fresh"));
  Save1Click();
  EXPECT_EQ(Headless.Messages.size(), 4u);
  EXPECT_EQ(ReadAll(Path("fresh.tnl")), now);

  // Cancelled dialog, and a turn in progress: nothing.
  const auto before = Entries(Dir);
  Save1Click();
  EXPECT_EQ(Headless.SaveDialogRuns, 6);
  SpeedDivisor = 40;
  PlaySingleTurn(3, 1);
  Timer1Timer();
  ASSERT_TRUE(TurnInProgress);
  Headless.SaveAnswers.push_back(Path("busy"));
  Save1Click();
  Open1Click();
  ASSERT_GT(apptest::TicksUntilStopped(100), 0);
  EXPECT_EQ(Headless.SaveDialogRuns, 6);
  EXPECT_EQ(Headless.OpenDialogRuns, 0);
  EXPECT_EQ(Entries(Dir), before);
}

TEST_F(CubeFileTest, SaveThenOpenRestoresStickersAndDrawnColours) {
  Scramble(25);
  const std::vector<uint8_t> saved = CurrentStickers();
  // The drawn cube before: where each sticker quad is and what colour it shows.
  struct Seen {
    double x, y, z;
    float colour[3];
  };
  std::vector<Seen> before;
  for (int c = 1; c <= 27; ++c)
    for (int f = 1; f <= 6; ++f) {
      const StickerQuad& q = CubeGeometry[c].Stickers[f];
      if (!q.Present) continue;
      Seen s{0, 0, 0, {q.Colour[0], q.Colour[1], q.Colour[2]}};
      for (int i = 1; i <= 4; ++i) {
        s.x += q.Corners[i].x / 4;
        s.y += q.Corners[i].y / 4;
        s.z += q.Corners[i].z / 4;
      }
      before.push_back(s);
    }
  ASSERT_EQ(before.size(), 54u);

  Headless.SaveAnswers.push_back(Path("round"));
  Save1Click();
  ASSERT_EQ(ReadAll(Path("round.tnl")), saved);

  New1Click();
  ASSERT_EQ(CurrentStickers(), SolvedBytes());
  CurrentLayer = 3;
  TurnDirection = 1;
  SingleStep = true;
  Halted = false;
  for (int i = 0; i < 100 && !(Halted && !TurnInProgress); ++i) Timer1Timer();
  ASSERT_EQ(HistoryLength, 1);

  Headless.OpenAnswers.push_back(Path("round.tnl"));
  Open1Click();
  EXPECT_TRUE(Headless.Messages.empty());
  EXPECT_EQ(CurrentStickers(), saved);
  EXPECT_EQ(HistoryLength, 0);
  EXPECT_TRUE(History.empty());

  // Every quad of the rebuilt cube shows the colour of its sticker in the file, and
  // the same colour as the quad that stood at its place before saving.
  int matched = 0;
  for (int c = 1; c <= 27; ++c)
    for (int f = 1; f <= 6; ++f) {
      const StickerQuad& q = CubeGeometry[c].Stickers[f];
      if (!q.Present) continue;
      const int k = ModelStickerOf(c, f);
      for (int ch = 0; ch < 3; ++ch) EXPECT_FLOAT_EQ(q.Colour[ch], static_cast<float>(FaceColors[k][ch]));
      double x = 0, y = 0, z = 0;
      for (int i = 1; i <= 4; ++i) {
        x += q.Corners[i].x / 4;
        y += q.Corners[i].y / 4;
        z += q.Corners[i].z / 4;
      }
      for (const Seen& s : before) {
        if (std::hypot(s.x - x, s.y - y, s.z - z) > 0.01) continue;
        ++matched;
        EXPECT_EQ(std::memcmp(s.colour, q.Colour, sizeof s.colour), 0) << c << " " << f;
      }
    }
  EXPECT_EQ(matched, 54);

  // The open dialog keeps its name: F3 again offers the same file.
  EXPECT_EQ(Headless.OpenDialogName, Path("round.tnl"));
}

TEST_F(CubeFileTest, OnlyTheFirstFiftyFourBytesAreRead) {
  std::vector<uint8_t> bytes = SolvedBytes();
  std::swap(bytes[0], bytes[53]);
  bytes.push_back(0xFF);
  bytes.push_back(0);
  WriteAll(Path("long.tnl"), bytes);
  EXPECT_EQ(ReadCubeFile(Path("long.tnl")), "");
  bytes.resize(54);
  EXPECT_EQ(CurrentStickers(), bytes);
}

TEST_F(CubeFileTest, AFailedOpenKeepsCubeDrawingAndHistory) {
  Scramble(7);
  const Snapshot kept = Snapshot::Take();

  std::vector<uint8_t> shortFile = SolvedBytes();
  shortFile.pop_back();
  WriteAll(Path("short.tnl"), shortFile);
  std::vector<uint8_t> zero = SolvedBytes();
  zero[20] = 0;
  WriteAll(Path("zero.tnl"), zero);
  std::vector<uint8_t> seven = SolvedBytes();
  seven[53] = 7;
  WriteAll(Path("seven.tnl"), seven);
  WriteAll(Path("empty.tnl"), {});
  fs::create_directory(Path("folder.tnl"));

  const struct {
    std::string Name;
    std::string Text;
  } cases[] = {
      {Path("missing.tnl"), "File not found"},
      {Path("nowhere/missing.tnl"), "File not found"},
      {Path("short.tnl"), "Read beyond end of file"},
      {Path("empty.tnl"), "Read beyond end of file"},
      {Path("zero.tnl"), Path("zero.tnl") + " is not a cube file"},
      {Path("seven.tnl"), Path("seven.tnl") + " is not a cube file"},
      {Path("folder.tnl"), "File access denied"},
  };
  for (const auto& c : cases) {
    Headless.OpenAnswers.push_back(c.Name);
    Open1Click();
    const HeadlessMessage* m = LastMessage();
    ASSERT_NE(m, nullptr) << c.Name;
    EXPECT_EQ(m->Text, c.Text);
    EXPECT_EQ(m->Caption, ErrorCaption);
    EXPECT_FALSE(m->OkCancel);
    EXPECT_TRUE(Snapshot::Take() == kept) << c.Name;
  }
  EXPECT_EQ(Headless.Messages.size(), std::size(cases));

  // Backmixing still undoes the turns made before the failed opens.
  Backmixing1Click();
  for (int i = 0; i < 1000 && !(Halted && !TurnInProgress); ++i) Timer1Timer();
  EXPECT_EQ(CurrentStickers(), SolvedBytes());
}

TEST_F(CubeFileTest, UnreadableFolderAndReadOnlyFile) {
  // A file in a folder its user may not enter: refused, nothing changes.
  const std::string locked = Path("locked");
  fs::create_directory(locked);
  WriteAll(locked + "/cube.tnl", SolvedBytes());
  HandToChild(locked);
  chmod(locked.c_str(), 0);

  // A read-only file of the user's own: opens.
  const std::string open = Path("open");
  fs::create_directory(open);
  std::vector<uint8_t> bytes = SolvedBytes();
  std::swap(bytes[4], bytes[13]);   // the two centres of faces 1 and 2
  WriteAll(open + "/ro.tnl", bytes);
  HandToChild(open);
  HandToChild(open + "/ro.tnl");
  chmod((open + "/ro.tnl").c_str(), 0444);

  Scramble(5);
  const std::string result = RunUnprivileged([&] {
    const Snapshot kept = Snapshot::Take();
    std::string out = ReadCubeFile(locked + "/cube.tnl");
    out += Snapshot::Take() == kept ? " kept" : " changed";
    out += "|" + ReadCubeFile(open + "/ro.tnl");
    out += std::vector<uint8_t>(Stickers, Stickers + StickerCount) == bytes ? "loaded" : "not loaded";
    out += HistoryLength == 0 ? " cleared" : " not cleared";
    return out;
  });
  if (result == "skip") GTEST_SKIP() << "cannot run as an unprivileged user";
  EXPECT_EQ(result, "File access denied kept|loaded cleared");
}

TEST_F(CubeFileTest, AFailedSaveLeavesTheOldFile) {
  const std::vector<uint8_t> old(54, 3);
  Scramble(9);

  // A read-only file in a read-only folder: neither a new file beside it nor the file
  // itself can be written.
  const std::string folder = Path("ro");
  fs::create_directory(folder);
  WriteAll(folder + "/keep.tnl", old);
  HandToChild(folder);
  HandToChild(folder + "/keep.tnl");
  chmod((folder + "/keep.tnl").c_str(), 0444);
  chmod(folder.c_str(), 0555);
  const std::string result = RunUnprivileged([&] {
    Headless.Messages.clear();
    Headless.SaveAnswers.push_back(folder + "/keep");
    Headless.OkCancelAnswers.push_back(true);
    Save1Click();
    std::string out;
    for (const HeadlessMessage& m : Headless.Messages) out += m.Text + "/" + m.Caption + ";";
    return out;
  });
  if (result != "skip") {
    EXPECT_EQ(result, std::string(Question) + "/" + QuestionTitle + ";File access denied/Tornelo;");
  }
  EXPECT_EQ(ReadAll(folder + "/keep.tnl"), old);
  EXPECT_EQ(Entries(folder), std::vector<std::string>{"keep.tnl"});

  // The target is a folder: the rename fails; the new file is removed again.
  fs::create_directory(Path("box.tnl"));
  WriteAll(Path("box.tnl/inside"), old);
  Headless.SaveAnswers.push_back(Path("box"));
  Save1Click();
  ASSERT_NE(LastMessage(), nullptr);
  EXPECT_EQ(LastMessage()->Text, "File access denied");
  EXPECT_EQ(ReadAll(Path("box.tnl/inside")), old);
  EXPECT_EQ(Entries(Dir), (std::vector<std::string>{"box.tnl", "ro"}));
}

TEST_F(CubeFileTest, AFileOpenedWhileATurnRunsReplacesThatTurnsCube) {
  // Under Intermixing the ticks go on while the open dialog is up, so the file is
  // read with a turn of the old cube half done.
  Scramble(6);
  const std::vector<uint8_t> saved = CurrentStickers();
  ASSERT_EQ(WriteCubeFile(Path("mid")), "");
  New1Click();
  SpeedDivisor = 40;
  Intermixing1Click();
  for (int i = 0; i < 100 && !TurnInProgress; ++i) Timer1Timer();
  for (int i = 0; i < 7; ++i) Timer1Timer();
  ASSERT_TRUE(TurnInProgress);

  ASSERT_EQ(ReadCubeFile(Path("mid.tnl")), "");
  EXPECT_EQ(CurrentStickers(), saved);
  EXPECT_EQ(HistoryLength, 0);
  EXPECT_TRUE(apptest::GeometryShowsStickers());

  // The random turns go on, on the opened cube, and undo back to it.
  Intermixing1Click();
  for (int i = 0; i < 200 && TurnInProgress; ++i) Timer1Timer();
  ASSERT_FALSE(TurnInProgress);
  EXPECT_TRUE(apptest::GeometryShowsStickers());
  Backmixing1Click();
  for (int i = 0; i < 1000 && !(Halted && !TurnInProgress); ++i) Timer1Timer();
  EXPECT_EQ(CurrentStickers(), saved);
  EXPECT_TRUE(apptest::GeometryShowsStickers());

  // A single step of Enter half done is dropped with its cube and leaves the timer halted.
  CurrentLayer = 4;
  SingleStep = true;
  Halted = false;
  for (int i = 0; i < 5; ++i) Timer1Timer();
  ASSERT_TRUE(TurnInProgress);
  ASSERT_EQ(ReadCubeFile(Path("mid.tnl")), "");
  EXPECT_FALSE(TurnInProgress);
  EXPECT_FALSE(SingleStep);
  EXPECT_TRUE(Halted);
  for (int i = 0; i < 30; ++i) Timer1Timer();
  EXPECT_EQ(CurrentStickers(), saved);
  EXPECT_TRUE(apptest::GeometryShowsStickers());
}

TEST_F(CubeFileTest, SaveKeepsAReadOnlyFileAndWritesThroughALink) {
  const std::vector<uint8_t> old(54, 4);
  Scramble(5);
  const std::vector<uint8_t> now = CurrentStickers();

  // A link: the file it leads to gets the cube, the link stays a link.
  WriteAll(Path("real.tnl"), old);
  ASSERT_EQ(symlink("real.tnl", Path("link.tnl").c_str()), 0);
  Headless.SaveAnswers.push_back(Path("link"));
  Headless.OkCancelAnswers.push_back(true);
  Save1Click();
  ASSERT_EQ(Headless.Messages.size(), 1u);   // the question only
  EXPECT_EQ(ReadAll(Path("real.tnl")), now);
  EXPECT_TRUE(fs::is_symlink(Path("link.tnl")));
  EXPECT_EQ(Entries(Dir), (std::vector<std::string>{"link.tnl", "real.tnl"}));

  // A read-only file in a folder its user may write: refused like a write to it, and
  // kept as it was.
  const std::string folder = Path("mine");
  fs::create_directory(folder);
  WriteAll(folder + "/ro.tnl", old);
  HandToChild(folder);
  HandToChild(folder + "/ro.tnl");
  chmod((folder + "/ro.tnl").c_str(), 0444);
  const std::string result = RunUnprivileged([&] {
    Headless.Messages.clear();
    Headless.SaveAnswers.push_back(folder + "/ro.tnl");
    Headless.OkCancelAnswers.push_back(true);
    Save1Click();
    std::string out;
    for (const HeadlessMessage& m : Headless.Messages) out += m.Text + "/" + m.Caption + ";";
    return out;
  });
  if (result == "skip") GTEST_SKIP() << "cannot run as an unprivileged user";
  EXPECT_EQ(result, std::string(Question) + "/" + QuestionTitle + ";File access denied/Tornelo;");
  EXPECT_EQ(ReadAll(folder + "/ro.tnl"), old);
  EXPECT_EQ(Entries(folder), std::vector<std::string>{"ro.tnl"});
}

TEST_F(CubeFileTest, ReplacingAFileKeepsItsPermissions) {
  WriteAll(Path("shared.tnl"), std::vector<uint8_t>(54, 2));
  chmod(Path("shared.tnl").c_str(), 0640);
  Scramble(3);
  EXPECT_EQ(WriteCubeFile(Path("shared.tnl")), "");
  EXPECT_EQ(ReadAll(Path("shared.tnl")), CurrentStickers());
  struct stat st;
  ASSERT_EQ(stat(Path("shared.tnl").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(CubeBytes, CheckNeedsFiftyFourColourNumbers) {
  std::string why;
  std::vector<uint8_t> bytes = SolvedBytes();
  EXPECT_TRUE(CheckCubeBytes(bytes.data(), bytes.size(), "f", why));
  EXPECT_EQ(why, "");
  EXPECT_FALSE(CheckCubeBytes(bytes.data(), 53, "f", why));
  EXPECT_EQ(why, "Read beyond end of file");
  EXPECT_FALSE(CheckCubeBytes(nullptr, 0, "f", why));
  bytes.push_back(9);   // past the record: not looked at
  EXPECT_TRUE(CheckCubeBytes(bytes.data(), bytes.size(), "f", why));
  bytes[53] = 0;
  EXPECT_FALSE(CheckCubeBytes(bytes.data(), bytes.size(), "f", why));
  EXPECT_EQ(why, "f is not a cube file");

  EXPECT_EQ(FileErrorText(ENOENT), "File not found");
  EXPECT_EQ(FileErrorText(EACCES), "File access denied");
  EXPECT_EQ(FileErrorText(ENOSPC), "Disk full");
  EXPECT_EQ(FileErrorText(EIO), "I/O error " + std::to_string(EIO));
}

// Names that the program can write although a rename over them would fail or give
// another file: a name as long as a name may be, a file with a second name, a link that
// leads nowhere; and a pipe, which is refused at once and stays a pipe.
TEST_F(CubeFileTest, SaveReachesTheFileEveryNameStandsFor) {
  Scramble(4);
  const std::vector<uint8_t> now = CurrentStickers();
  const std::vector<uint8_t> old(54, 5);

  const std::string longName = std::string(251, 'n') + ".tnl";   // 255 bytes
  EXPECT_EQ(WriteCubeFile(Path(longName)), "");
  EXPECT_EQ(ReadAll(Path(longName)), now);
  EXPECT_EQ(Entries(Dir), std::vector<std::string>{longName});
  fs::remove(Path(longName));

  // A short name at the end of a path as long as a path may be (PATH_MAX less its NUL).
  std::string deep = Dir;
  while (deep.size() < PATH_MAX - 1 - 6) {
    deep += "/" + std::string(std::min<size_t>(200, PATH_MAX - 1 - 6 - deep.size() - 1), 'd');
    ASSERT_EQ(mkdir(deep.c_str(), 0755), 0) << deep.size();
  }
  const std::string deepFile = deep + "/x.tnl";
  ASSERT_EQ(deepFile.size(), static_cast<size_t>(PATH_MAX - 1));
  EXPECT_EQ(WriteCubeFile(deepFile), "");
  EXPECT_EQ(ReadAll(deepFile), now);
  EXPECT_EQ(Entries(deep), std::vector<std::string>{"x.tnl"});
  fs::remove_all(Dir + "/" + std::string(200, 'd'));

  WriteAll(Path("one.tnl"), old);
  ASSERT_EQ(link(Path("one.tnl").c_str(), Path("two.tnl").c_str()), 0);
  EXPECT_EQ(WriteCubeFile(Path("one")), "");
  EXPECT_EQ(ReadAll(Path("one.tnl")), now);
  EXPECT_EQ(ReadAll(Path("two.tnl")), now);

  // The link's text is taken from the link's folder, not the working one.
  fs::create_directory(Path("links"));
  ASSERT_EQ(symlink("made.tnl", Path("links/to.tnl").c_str()), 0);
  EXPECT_EQ(WriteCubeFile(Path("links/to")), "");
  EXPECT_TRUE(fs::is_symlink(Path("links/to.tnl")));
  EXPECT_EQ(fs::read_symlink(Path("links/to.tnl")), "made.tnl");
  EXPECT_EQ(ReadAll(Path("links/made.tnl")), now);
  EXPECT_EQ(Entries(Path("links")), (std::vector<std::string>{"made.tnl", "to.tnl"}));

  ASSERT_EQ(mkfifo(Path("pipe.tnl").c_str(), 0644), 0);
  alarm(20);   // a save or open that waits on the pipe ends the suite instead
  Headless.SaveAnswers.push_back(Path("pipe.tnl"));
  Headless.OkCancelAnswers.push_back(true);
  Save1Click();
  ASSERT_NE(LastMessage(), nullptr);
  EXPECT_EQ(LastMessage()->Text, "File access denied");
  EXPECT_EQ(ReadCubeFile(Path("pipe.tnl")), "Read beyond end of file");
  alarm(0);
  struct stat st;
  ASSERT_EQ(lstat(Path("pipe.tnl").c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_EQ(CurrentStickers(), now);
}

// A pipe given by name whose writer sends the cube in two parts is read to its end.
TEST_F(CubeFileTest, APipeIsReadUntilItsWriterIsDone) {
  std::vector<uint8_t> bytes = SolvedBytes();
  std::swap(bytes[0], bytes[53]);
  int channel[2];
  ASSERT_EQ(pipe(channel), 0);
  alarm(20);
  const pid_t writer = fork();
  if (writer == 0) {
    close(channel[0]);
    if (write(channel[1], bytes.data(), 20) != 20) _exit(1);
    // The second part only once the reader has taken the first.
    for (int left = 1, waited = 0; ioctl(channel[1], FIONREAD, &left) == 0 && left > 0; ++waited) {
      if (waited == 10000) _exit(1);   // the reader gave up after the first part
      usleep(1000);
    }
    _exit(write(channel[1], bytes.data() + 20, 34) == 34 ? 0 : 1);
  }
  close(channel[1]);
  EXPECT_EQ(ReadCubeFile("/dev/fd/" + std::to_string(channel[0])), "");
  EXPECT_EQ(CurrentStickers(), bytes);
  close(channel[0]);
  int status = 0;
  waitpid(writer, &status, 0);
  alarm(0);
  EXPECT_EQ(status, 0);
}

// A terminating signal that comes while held acts at the release, not before.
TEST(Termination, WaitsForTheRelease) {
  int channel[2];
  ASSERT_EQ(pipe(channel), 0);
  const pid_t child = fork();
  if (child == 0) {
    SysHoldTermination();
    kill(getpid(), SIGTERM);
    (void)!write(channel[1], "held", 4);
    SysReleaseTermination();
    (void)!write(channel[1], " and after", 10);
    _exit(0);
  }
  close(channel[1]);
  char said[32] = {};
  size_t got = 0;
  for (ssize_t n; (n = read(channel[0], said + got, sizeof said - 1 - got)) > 0;) got += static_cast<size_t>(n);
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_STREQ(said, "held");
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
}

// A file whose folder takes no new names, or that belongs to someone else, is written
// itself: the cube is saved and the file keeps its owner.
TEST_F(CubeFileTest, SaveWritesTheFileItselfWhereANewOneCouldNotReplaceIt) {
  Scramble(6);
  const std::vector<uint8_t> now = CurrentStickers();
  const std::vector<uint8_t> old(54, 2);
  auto saveAs = [](const std::string& name) {
    return [name] {
      Headless.Messages.clear();
      Headless.SaveAnswers.push_back(name);
      Headless.OkCancelAnswers.push_back(true);
      Save1Click();
      std::string out;
      for (const HeadlessMessage& m : Headless.Messages) out += m.Text + ";";
      return out;
    };
  };
  const std::string asked = std::string(Question) + ";";

  // A writable file in a folder its user may not write.
  const std::string folder = Path("ro");
  fs::create_directory(folder);
  WriteAll(folder + "/keep.tnl", old);
  HandToChild(folder);
  HandToChild(folder + "/keep.tnl");
  chmod(folder.c_str(), 0555);
  const std::string result = RunUnprivileged(saveAs(folder + "/keep"));
  if (result == "skip") GTEST_SKIP() << "cannot run as an unprivileged user";
  EXPECT_EQ(result, asked);
  EXPECT_EQ(ReadAll(folder + "/keep.tnl"), now);
  EXPECT_EQ(Entries(folder), std::vector<std::string>{"keep.tnl"});

  if (geteuid() != 0) GTEST_SKIP() << "files of another owner need root to set up";
  // Another user's writable file in a sticky folder (as /tmp is).
  const std::string sticky = Path("sticky");
  fs::create_directory(sticky);
  chmod(sticky.c_str(), 01777);
  WriteAll(sticky + "/theirs.tnl", old);
  chmod((sticky + "/theirs.tnl").c_str(), 0666);
  EXPECT_EQ(RunUnprivileged(saveAs(sticky + "/theirs")), asked);
  EXPECT_EQ(ReadAll(sticky + "/theirs.tnl"), now);
  struct stat st;
  ASSERT_EQ(stat((sticky + "/theirs.tnl").c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 0u);
  EXPECT_EQ(Entries(sticky), std::vector<std::string>{"theirs.tnl"});

  // Another user's file in a folder of one's own keeps its owner; a file of one's own
  // keeps a group that is not one's first.
  WriteAll(Path("other.tnl"), old);
  HandToChild(Path("other.tnl"));
  EXPECT_EQ(WriteCubeFile(Path("other")), "");
  EXPECT_EQ(ReadAll(Path("other.tnl")), now);
  ASSERT_EQ(stat(Path("other.tnl").c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, Nobody);
  WriteAll(Path("group.tnl"), old);
  ASSERT_EQ(chown(Path("group.tnl").c_str(), 0, Nobody), 0);
  chmod(Path("group.tnl").c_str(), 0660);
  EXPECT_EQ(WriteCubeFile(Path("group")), "");
  EXPECT_EQ(ReadAll(Path("group.tnl")), now);
  ASSERT_EQ(stat(Path("group.tnl").c_str(), &st), 0);
  EXPECT_EQ(st.st_gid, Nobody);
  EXPECT_EQ(st.st_mode & 07777, 0660u);
}

// Every file operation of Save and of Open failing in turn, and every write failing part
// way: each failure is reported with its standard text, leaves no stray file, and
// leaves either the old file or the complete new one; a failed Open leaves the cube,
// its drawing and History alone.
TEST_F(CubeFileTest, EachFileOperationFailingInTurnLosesNothing) {
  Scramble(8);
  const std::vector<uint8_t> now = CurrentStickers();
  const std::vector<uint8_t> old(54, 1);

  struct Case {
    const char* What;
    bool Old;         // a file is there to be replaced
    bool SecondName;  // ... and it has a second name (written in place)
  };
  for (const Case& c : {Case{"new", false, false}, Case{"replaced", true, false},
                        Case{"linked", true, true}}) {
    for (const auto& [error, partWay] : {std::pair{EIO, false}, std::pair{ENOSPC, false},
                                         std::pair{EACCES, false}, std::pair{ENOSPC, true}}) {
      int n = 1;
      for (;; ++n) {
        SCOPED_TRACE(std::string(c.What) + " errno " + std::to_string(error) +
                     (partWay ? " part way" : "") + " operation " + std::to_string(n));
        const std::string folder = Path(std::string(c.What) + std::to_string(error) +
                                        (partWay ? "p-" : "-") + std::to_string(n));
        fs::create_directory(folder);
        std::vector<std::string> names{"cube.tnl"};
        if (c.Old) WriteAll(folder + "/cube.tnl", old);
        if (c.SecondName) {
          ASSERT_EQ(link((folder + "/cube.tnl").c_str(), (folder + "/other.tnl").c_str()), 0);
          names.push_back("other.tnl");
        }
        Headless.Messages.clear();
        Headless.SaveAnswers.push_back(folder + "/cube");
        Headless.OkCancelAnswers.push_back(true);
        HeadlessFailFileOp(n, error, partWay);
        Save1Click();
        const bool failed = HeadlessFileOpFailed();
        const std::string failedOp = Headless.FailedFileOp;
        HeadlessFailFileOp(0, 0);
        Headless.OkCancelAnswers.clear();

        std::vector<std::string> reported;
        for (const HeadlessMessage& m : Headless.Messages)
          if (!m.OkCancel) reported.push_back(m.Text);
        ASSERT_LE(reported.size(), 1u);
        if (reported.empty()) {
          EXPECT_EQ(Entries(folder), names);
          EXPECT_EQ(ReadAll(folder + "/cube.tnl"), now);
        } else {
          EXPECT_TRUE(failed);
          EXPECT_EQ(reported[0], FileErrorText(error)) << failedOp;
          // Once the new file has its name, only the folder's sync is left to fail.
          const bool renamed = failedOp == "sync folder";
          if (!c.Old && !renamed) names.clear();
          EXPECT_EQ(Entries(folder), names) << failedOp;
          if (c.Old && !c.SecondName) {
            EXPECT_EQ(ReadAll(folder + "/cube.tnl"), renamed ? now : old) << failedOp;
          }
          if (c.SecondName) {   // written in place: its old bytes, or all of the new ones
            const std::vector<uint8_t> left = ReadAll(folder + "/cube.tnl");
            EXPECT_TRUE(left == old || left == now) << failedOp;
          }
        }
        if (c.SecondName) {
          EXPECT_EQ(ReadAll(folder + "/other.tnl"), ReadAll(folder + "/cube.tnl"));
        }
        if (!failed) break;
        ASSERT_LT(n, 100);
      }
      EXPECT_GT(n, c.Old ? 6 : 5) << "the operations of Save are not all behind the seam";
    }
  }

  // Open, of a good file that differs from the cube.
  std::vector<uint8_t> bytes = SolvedBytes();
  std::swap(bytes[0], bytes[53]);
  WriteAll(Path("good.tnl"), bytes);
  const Snapshot kept = Snapshot::Take();
  int n = 1;
  for (;; ++n) {
    SCOPED_TRACE("open, operation " + std::to_string(n));
    Headless.Messages.clear();
    Headless.OpenAnswers.push_back(Path("good.tnl"));
    HeadlessFailFileOp(n, EIO);
    Open1Click();
    const bool failed = HeadlessFileOpFailed();
    HeadlessFailFileOp(0, 0);
    if (!failed) break;
    EXPECT_TRUE(Snapshot::Take() == kept) << Headless.FailedFileOp;
    ASSERT_EQ(Headless.Messages.size(), 1u);
    EXPECT_EQ(Headless.Messages[0].Text, FileErrorText(EIO));
  }
  EXPECT_GT(n, 3) << "the operations of Open are not all behind the seam";
  EXPECT_TRUE(Headless.Messages.empty());
  EXPECT_EQ(CurrentStickers(), bytes);
  EXPECT_EQ(HistoryLength, 0);
}

}  // namespace
