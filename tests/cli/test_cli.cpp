// tornelo-cli as a separate process: what it prints, what it writes and how it ends.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string Solved = "111111111222222222333333333444444444555555555666666666";

struct CliRun {
  int Status;
  std::string Out, Err;
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    std::istringstream in(Out);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
};

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

std::string Slurp(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& name, const std::string& bytes) {
  std::ofstream(name, std::ios::binary) << bytes;
}

std::string SolvedBytes() {
  std::string bytes;
  for (char f = 1; f <= 6; ++f) bytes += std::string(9, f);
  return bytes;
}

class CliTest : public ::testing::Test {
 protected:
  std::string Dir;

  void SetUp() override {
    char pattern[] = "/tmp/tornelo-cli-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    Dir = pattern;
  }
  void TearDown() override { fs::remove_all(Dir); }

  std::string Path(const std::string& name) const { return Dir + "/" + name; }

  CliRun Cli(const std::vector<std::string>& args, const std::string* input = nullptr) const {
    std::string command = Quote(TORNELO_CLI);
    for (const std::string& a : args) command += " " + Quote(a);
    if (input) {
      WriteBytes(Path("stdin"), *input);
      command += " <" + Quote(Path("stdin"));
    }
    command += " >" + Quote(Path("stdout")) + " 2>" + Quote(Path("stderr"));
    const int raw = std::system(command.c_str());
    CliRun r{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Slurp(Path("stdout")), Slurp(Path("stderr"))};
    return r;
  }
};

// One line that says what is wrong, naming the file.
void ExpectOneLineAbout(const CliRun& r, const std::string& name, const std::string& text) {
  EXPECT_EQ(r.Out, "");
  EXPECT_NE(r.Err.find(name), std::string::npos) << r.Err;
  EXPECT_NE(r.Err.find(text), std::string::npos) << r.Err;
  EXPECT_EQ(r.Err.find('\n'), r.Err.size() - 1) << r.Err;
}

TEST_F(CliTest, RefusesFilesThatAreNoCube) {
  std::string bytes = SolvedBytes();
  bytes[30] = 9;
  WriteBytes(Path("nine.tnl"), bytes);
  WriteBytes(Path("short.tnl"), SolvedBytes().substr(0, 53));

  CliRun r = Cli({"solve", Path("nine.tnl")});
  EXPECT_EQ(r.Status, 2);
  ExpectOneLineAbout(r, Path("nine.tnl"), "is not a cube file");

  r = Cli({"solve", Path("short.tnl")});
  EXPECT_EQ(r.Status, 2);
  ExpectOneLineAbout(r, Path("short.tnl"), "Read beyond end of file");

  r = Cli({"solve", Path("missing.tnl")});
  EXPECT_EQ(r.Status, 2);
  ExpectOneLineAbout(r, Path("missing.tnl"), "File not found");

  r = Cli({"turn", Path("missing.tnl"), "--moves", "1 1", "--out", Path("x")});
  EXPECT_EQ(r.Status, 2);
  EXPECT_FALSE(fs::exists(Path("x.tnl")));
}

TEST_F(CliTest, SolvedCubePrintsOnlyItsStickers) {
  WriteBytes(Path("solved.tnl"), SolvedBytes() + "extra");
  const CliRun r = Cli({"solve", Path("solved.tnl")});
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, "stickers " + Solved + "\n");
  EXPECT_EQ(r.Err, "");
}

TEST_F(CliTest, ScrambleThenSolve) {
  CliRun scramble = Cli({"scramble", "--turns", "40", "--seed", "77", "--out", Path("mixed")});
  ASSERT_EQ(scramble.Status, 0) << scramble.Err;
  const std::vector<std::string> turns = scramble.Lines();
  ASSERT_EQ(turns.size(), 40u);
  int previous = 0;
  for (const std::string& t : turns) {
    int layer = 0, qt = 0;
    ASSERT_EQ(std::sscanf(t.c_str(), "%d %d", &layer, &qt), 2) << t;
    EXPECT_TRUE(layer >= 1 && layer <= 6) << t;
    EXPECT_NE(layer, previous) << t;
    EXPECT_TRUE(qt == 1 || qt == -1 || qt == 2 || qt == -2) << t;
    previous = layer;
  }
  const std::string mixed = Slurp(Path("mixed.tnl"));
  ASSERT_EQ(mixed.size(), 54u);
  EXPECT_NE(mixed, SolvedBytes());

  // The same seed gives the same turns.
  CliRun again = Cli({"scramble", "--turns", "40", "--seed", "77", "--out", Path("again.tnl")});
  EXPECT_EQ(again.Out, scramble.Out);
  EXPECT_EQ(Slurp(Path("again.tnl")), mixed);

  const CliRun solve = Cli({"solve", Path("mixed.tnl")});
  ASSERT_EQ(solve.Status, 0) << solve.Err;
  const std::vector<std::string> lines = solve.Lines();
  ASSERT_GT(lines.size(), 1u);
  EXPECT_EQ(lines.back(), "stickers " + Solved);
  int lastCode = 0;
  for (size_t i = 0; i + 1 < lines.size(); ++i) {
    int code = 0, layer = 0, qt = 0;
    ASSERT_EQ(std::sscanf(lines[i].c_str(), "%d %d %d", &code, &layer, &qt), 3) << lines[i];
    EXPECT_TRUE(code >= 11 && code <= 73) << lines[i];
    EXPECT_GE(code, lastCode) << "codes run in order";
    EXPECT_TRUE(layer >= 1 && layer <= 6) << lines[i];
    EXPECT_TRUE(qt == 1 || qt == -1 || qt == 2 || qt == -2) << lines[i];
    lastCode = code;
  }

  // Playing the printed turns on the scrambled cube solves it too.
  std::string moves;
  for (size_t i = 0; i + 1 < lines.size(); ++i) {
    int code = 0, layer = 0, qt = 0;
    std::sscanf(lines[i].c_str(), "%d %d %d", &code, &layer, &qt);
    moves += (moves.empty() ? "" : ",") + std::to_string(layer) + " " + std::to_string(qt);
  }
  const CliRun replay = Cli({"turn", Path("mixed.tnl"), "--moves", moves, "--out", Path("replayed.tnl")});
  ASSERT_EQ(replay.Status, 0) << replay.Err;
  EXPECT_EQ(replay.Out, "stickers " + Solved + "\n");
  EXPECT_EQ(Slurp(Path("replayed.tnl")), SolvedBytes());

  // Build to step 1: the codes stop at 14 and the first face has its cross.
  const CliRun cross = Cli({"solve", Path("mixed.tnl"), "--to-step", "1"});
  ASSERT_EQ(cross.Status, 0) << cross.Err;
  const std::vector<std::string> crossLines = cross.Lines();
  for (size_t i = 0; i + 1 < crossLines.size(); ++i) EXPECT_LE(std::atoi(crossLines[i].c_str()), 14);
  const std::string face1 = crossLines.back().substr(9, 9);
  EXPECT_EQ(std::string({face1[1], face1[3], face1[5], face1[7]}), "1111");
}

TEST_F(CliTest, HalfTurnsOfEveryLayerMakeTheCheckerboard) {
  WriteBytes(Path("solved.tnl"), SolvedBytes());
  const CliRun r = Cli({"turn", Path("solved.tnl"), "--moves", "1 2,2 2,3 2,4 2,5 2,6 2", "--out", Path("chk")});
  ASSERT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, "stickers 121212121212121212343434343434343434565656565656565656\n");
  // A quarter turn and its inverse, and a half turn twice, change nothing.
  const CliRun back = Cli({"turn", Path("chk.tnl"), "--moves", "3 1, 3 -1 ,5 -2,5 2", "--out", Path("same.tnl")});
  ASSERT_EQ(back.Status, 0) << back.Err;
  EXPECT_EQ(Slurp(Path("same.tnl")), Slurp(Path("chk.tnl")));
}

TEST_F(CliTest, UsageErrorsExitOne) {
  WriteBytes(Path("solved.tnl"), SolvedBytes());
  const std::vector<std::vector<std::string>> bad = {
      {},
      {"unfold"},
      {"solve"},
      {"solve", Path("solved.tnl"), "--to-step", "8"},
      {"solve", Path("solved.tnl"), "--to-step"},
      {"solve", Path("solved.tnl"), "--frobnicate", "1"},
      {"turn", Path("solved.tnl"), "--out", Path("o")},
      {"turn", Path("solved.tnl"), "--moves", "7 1", "--out", Path("o")},
      {"turn", Path("solved.tnl"), "--moves", "1 3", "--out", Path("o")},
      {"turn", Path("solved.tnl"), "--moves", "1 0", "--out", Path("o")},
      {"turn", Path("solved.tnl"), "--moves", "1", "--out", Path("o")},
      {"turn", Path("solved.tnl"), "--moves", "1 1,", "--out", Path("o")},
      {"scramble", "--turns", "-1", "--out", Path("o")},
      {"scramble", "--turns", "5"},
      {"scramble", "--turns", "5", "--seed", "x", "--out", Path("o")},
  };
  for (const auto& args : bad) {
    const CliRun r = Cli(args);
    std::string shown;
    for (const auto& a : args) shown += a + " ";
    EXPECT_EQ(r.Status, 1) << shown;
    EXPECT_EQ(r.Out, "") << shown;
    EXPECT_EQ(std::count(r.Err.begin(), r.Err.end(), '\n'), 1) << shown << r.Err;
  }
  EXPECT_FALSE(fs::exists(Path("o.tnl")));

  const CliRun help = Cli({"--help"});
  EXPECT_EQ(help.Status, 0);
  for (const char* word : {"solve", "turn", "scramble", "facelets", "--to-step", "--moves", "--seed", "--out", "--short", "--from"})
    EXPECT_NE(help.Out.find(word), std::string::npos) << word;
}

// Output that does not arrive is a failure: to a full disk, the commands exit 2 and say
// so; a reader that goes away early does not keep scramble from writing its file.
TEST_F(CliTest, LostOutputIsReported) {
  WriteBytes(Path("solved.tnl"), SolvedBytes());
  const std::string cli = Quote(TORNELO_CLI);
  const std::string err = Quote(Path("stderr"));
  for (const std::string& args : {std::string("--help"), "check " + Quote(Path("solved.tnl")),
                                 "solve " + Quote(Path("solved.tnl"))}) {
    const int raw = std::system((cli + " " + args + " >/dev/full 2>" + err).c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 2) << args << ": " << raw;
    EXPECT_NE(Slurp(Path("stderr")).find("standard output: No space left on device"), std::string::npos)
        << args << ": " << Slurp(Path("stderr"));
  }

  const std::string status = Quote(Path("status"));
  const int raw = std::system(("{ " + cli + " scramble --turns 100000 --seed 3 --out " + Quote(Path("far")) + " 2>" +
               err + "; echo $? >" + status + "; } | head -1 >" + Quote(Path("first")))
                  .c_str());
  EXPECT_EQ(raw, 0);   // head's status
  EXPECT_EQ(Slurp(Path("far.tnl")).size(), 54u);
  EXPECT_EQ(Slurp(Path("status")), "2\n");
  EXPECT_NE(Slurp(Path("stderr")).find("Broken pipe"), std::string::npos) << Slurp(Path("stderr"));
  const std::string first = Slurp(Path("first"));
  EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 1) << first;
}

// check and solve on a cube with one edge turned over; solve --notation on a scramble
// gives turns that, played back through turn --moves, solve the cube.
TEST_F(CliTest, ChecksCubesAndSolvesInNotation) {
  ASSERT_EQ(Cli({"scramble", "--turns", "30", "--seed", "11", "--out", Path("s")}).Status, 0);
  CliRun r = Cli({"check", Path("s.tnl")});
  EXPECT_EQ(r.Status, 0);
  EXPECT_EQ(r.Out, "solvable\n");

  r = Cli({"solve", Path("s.tnl"), "--notation"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  std::vector<std::string> lines = r.Lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines.back(), "stickers " + Solved);
  std::string all;
  int lastStep = 0;
  for (size_t i = 0; i + 1 < lines.size(); ++i) {
    const std::string& line = lines[i];
    ASSERT_GE(line.size(), 4u) << line;
    const int step = line[0] - '0';
    EXPECT_GT(step, lastStep) << line;   // steps in order, each once
    EXPECT_LE(step, 7);
    EXPECT_EQ(line.substr(1, 2), ": ") << line;
    lastStep = step;
    all += line.substr(3) + " ";
  }
  r = Cli({"turn", Path("s.tnl"), "--moves", all, "--out", Path("t")});
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, "stickers " + Solved + "\n");

  // The solved cube with one edge turned over: face 1 position 2 and face 4 position 2
  // (bytes 1 and 28) are the two stickers of one edge.
  std::string flipped = SolvedBytes();
  std::swap(flipped[1], flipped[28]);
  WriteBytes(Path("x.tnl"), flipped);
  r = Cli({"check", Path("x.tnl")});
  EXPECT_EQ(r.Status, 4);
  EXPECT_EQ(r.Out,
            "flip: one edge is flipped: turn an edge over in place\n"
            "fix: swap face U row 1 column 2 and face B row 1 column 2\n"
            "fix: swap face U row 2 column 1 and face L row 1 column 2\n"
            "fix: swap face U row 2 column 3 and face R row 1 column 2\n");
  r = Cli({"solve", Path("x.tnl")});
  EXPECT_EQ(r.Status, 4);
  EXPECT_EQ(r.Out, "");
  EXPECT_NE(r.Err.find("flip: "), std::string::npos) << r.Err;
  EXPECT_NE(r.Err.find("\nfix: swap face U row 1 column 2 and face B row 1 column 2\n"), std::string::npos) << r.Err;

  // One sticker of the middle map a colour too far: its fix alone, after the faults.
  std::string wrong = SolvedBytes();
  wrong[9 * 2 + 3] = 5;
  WriteBytes(Path("w.tnl"), wrong);
  r = Cli({"check", Path("w.tnl")});
  EXPECT_EQ(r.Status, 4);
  EXPECT_EQ(r.Out,
            "colours: colour 3 appears 8 times (a cube has 9 of each)\n"
            "colours: colour 5 appears 10 times (a cube has 9 of each)\n"
            "fix: face F row 2 column 1: colour 5 -> 3\n");
}

// A cube as a facelet string and back, its short solution played back by turn, and
// solve - --short reading facelet strings and file names a line, stopping at the first
// line that is no cube.
TEST_F(CliTest, ShortSolutionsAndFaceletStrings) {
  ASSERT_EQ(Cli({"scramble", "--turns", "30", "--seed", "5", "--out", Path("s")}).Status, 0);
  CliRun r = Cli({"facelets", Path("s.tnl")});
  ASSERT_EQ(r.Status, 0) << r.Err;
  ASSERT_EQ(r.Out.size(), 55u) << r.Out;
  const std::string facelets = r.Out.substr(0, 54);
  ASSERT_EQ(Cli({"facelets", "--from", facelets, "--out", Path("f")}).Status, 0);
  EXPECT_EQ(Slurp(Path("f.tnl")), Slurp(Path("s.tnl")));

  r = Cli({"solve", Path("s.tnl"), "--short"});
  ASSERT_EQ(r.Status, 0) << r.Err;
  const std::string solution = r.Out.substr(0, r.Out.size() - 1);
  EXPECT_LE(std::count(solution.begin(), solution.end(), ' '), 19) << solution;
  EXPECT_EQ(Cli({"turn", Path("s.tnl"), "--moves", solution, "--out", Path("t")}).Out, "stickers " + Solved + "\n");

  const std::string solved = "UUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBB";
  std::string input = facelets + "\n\n  " + Path("s.tnl") + "\r\n" + solved;
  r = Cli({"solve", "-", "--short"}, &input);
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, solution + "\n" + solution + "\n\n");

  input = solved + "\nUUUUUUUUURRRRRRRRRFFFFFFFFFDDDDDDDDDLLLLLLLLLBBBBBBBBx\n" + solved + "\n";
  r = Cli({"solve", "-", "--short"}, &input);
  EXPECT_EQ(r.Status, 2);
  EXPECT_EQ(r.Out, "\n");
  EXPECT_NE(r.Err.find("line 2: letter 54 is 'x'"), std::string::npos) << r.Err;
  r = Cli({"facelets", "--from", solved.substr(1), "--out", Path("bad")});
  EXPECT_EQ(r.Status, 2);
  EXPECT_NE(r.Err.find("54 letters"), std::string::npos) << r.Err;
  EXPECT_FALSE(fs::exists(Path("bad.tnl")));

  // One edge turned over: refused with the check's words, also halfway through a list.
  std::string flipped = SolvedBytes();
  std::swap(flipped[1], flipped[28]);
  WriteBytes(Path("x.tnl"), flipped);
  r = Cli({"solve", Path("x.tnl"), "--short"});
  EXPECT_EQ(r.Status, 4);
  EXPECT_EQ(r.Out, "");
  EXPECT_NE(r.Err.find("flip: "), std::string::npos) << r.Err;
  input = solved + "\n" + Path("x.tnl") + "\n";
  r = Cli({"solve", "-", "--short"}, &input);
  EXPECT_EQ(r.Status, 4);
  EXPECT_EQ(r.Out, "\n");
  EXPECT_NE(r.Err.find("line 2: the cube cannot be solved\nflip: "), std::string::npos) << r.Err;
}

}  // namespace
