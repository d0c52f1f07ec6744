// tornelo-cli: the program's cube commands without a window. It runs the same
// handlers the menu runs (File › Open and Save, Build, Intermixing, single turns)
// against the headless window system and drives them with the frame timer's tick.
// It never creates an OpenGL context.

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "app/cubeformat.h"
#include "app/handlers.h"
#include "app/state.h"
#include "cube/diagnose.h"
#include "cube/move.h"
#include "cube/notation.h"
#include "cube/repair.h"
#include "cube/stickers.h"
#include "platform/headless/headless.h"
#include "solver/solver.h"

namespace {

constexpr int ExitUsage = 1;
constexpr int ExitFile = 2;
constexpr int ExitStuck = 3;
constexpr int ExitImpossible = 4;

// No build or turn of a consistent cube takes anywhere near this many ticks.
constexpr long TickLimit = 2'000'000;

const char* const Help =
    "tornelo-cli: the cube commands of Tornelo without a window.\n"
    "\n"
    "  check FILE\n"
    "      Opens FILE as File > Open does and says whether turns can solve it: prints\n"
    "      \"solvable\", or one line per fault, \"GROUP: what is wrong and where\" (GROUP\n"
    "      is colours, centres, corner, edge, twist, flip or parity; a sticker is\n"
    "      named by face letter, row and column of the face maps: \"face F row 2\n"
    "      column 1\"). Then up to three of the smallest changes that make the cube\n"
    "      solvable, best first, one a line:\n"
    "        fix: face F row 2 column 1: colour 3 -> 5\n"
    "        fix: swap face U row 1 column 3 and face R row 1 column 1\n"
    "        fix: face D turned 90 degrees\n"
    "      The last means the face was entered turned a quarter turn clockwise as its\n"
    "      map shows it (seen from outside); the fix turns its eight outer stickers\n"
    "      back, counter-clockwise (180: a half turn; 270: three quarters clockwise).\n"
    "\n"
    "  solve FILE [--to-step N] [--notation]\n"
    "      Opens FILE as File > Open does (at least 54 bytes, each of the first 54 a\n"
    "      colour number 1..6) and runs Build, to step N of 1..7 (default 7), at the\n"
    "      Fast speed. Prints one line \"CODE LAYER QT\" per turn played: the solver\n"
    "      sub-step code that planned it (11..73), the layer 1..6 and the quarter\n"
    "      turns (1, -1, 2 or -2); then \"stickers \" and the 54 colour digits of the\n"
    "      cube at the end. With --notation, one line \"N: T T T...\" per step N (1..7)\n"
    "      that played turns, in standard notation, instead of the turn lines. A cube\n"
    "      that cannot be solved: its faults and fixes as check prints them, on\n"
    "      standard error.\n"
    "\n"
    "  turn FILE --moves MOVES --out OUT\n"
    "      Opens FILE, plays the turns in order, saves the cube as File > Save does and\n"
    "      prints its \"stickers \" line. MOVES is \"L Q,L Q,...\" (layer L 1..6, Q = 1\n"
    "      or -1 as a single turn of the Enter key, Q = 2 or -2 as a queued half turn)\n"
    "      or standard notation (\"R U R' U2\").\n"
    "\n"
    "  scramble --turns N [--seed S] [--notation] --out OUT\n"
    "      Makes N random turns as Intermixing does, from a solved cube, with the\n"
    "      random generator seeded with S (by default from the clock); prints one\n"
    "      line \"LAYER QT\" per turn (with --notation: one line of notation) and saves\n"
    "      the cube as File > Save does.\n"
    "\n"
    "  Notation: the faces are named after the face maps: F the middle map (face 3),\n"
    "  U above it (1), D below it (2), R to its right (5), L to its left (6), B at the\n"
    "  far right (4). A letter is a quarter turn clockwise seen from outside that\n"
    "  face, X' counter-clockwise, X2 a half turn.\n"
    "\n"
    "  File > Save adds \".tnl\" to a name that does not end in it; an existing file\n"
    "  is replaced without asking.\n"
    "\n"
    "Exit status: 0 done, 1 usage error, 2 a file that cannot be read or written\n"
    "(standard output too), 3 a build that did not end, 4 a cube that cannot be solved.\n";

int UsageError(const std::string& message) {
  std::fprintf(stderr, "tornelo-cli: %s (see tornelo-cli --help)\n", message.c_str());
  return ExitUsage;
}

int FileError(const std::string& name, const std::string& text) {
  // The cube-file check names the file itself; the standard texts do not.
  if (text.compare(0, name.size(), name) == 0)
    std::fprintf(stderr, "tornelo-cli: %s\n", text.c_str());
  else
    std::fprintf(stderr, "tornelo-cli: %s: %s\n", name.c_str(), text.c_str());
  return ExitFile;
}

bool ParseInteger(std::string_view text, long long low, long long high, long long& value) {
  if (text.empty()) return false;
  const std::string s(text);
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(s.c_str(), &end, 10);
  if (errno != 0 || end == s.c_str() || *end != '\0' || v < low || v > high) return false;
  value = v;
  return true;
}

bool ParseSeed(std::string_view text, uint64_t& seed) {
  if (text.empty() || text[0] == '-') return false;
  const std::string s(text);
  char* end = nullptr;
  errno = 0;
  const unsigned long long v = std::strtoull(s.c_str(), &end, 10);
  if (errno != 0 || end == s.c_str() || *end != '\0') return false;
  seed = v;
  return true;
}

// "L Q,L Q,...": layers 1..6, quarter turns 1, -1, 2 or -2; blanks around the numbers
// are free. An empty list is no turns.
bool ParseNumberedMoves(std::string_view text, std::vector<Move>& moves, std::string& why) {
  auto trim = [](std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
  };
  if (trim(text).empty()) return true;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string_view::npos) comma = text.size();
    const std::string_view entry = trim(text.substr(start, comma - start));
    const size_t blank = entry.find_first_of(" \t");
    long long layer = 0, quarterTurns = 0;
    if (blank == std::string_view::npos || !ParseInteger(entry.substr(0, blank), 1, 6, layer) ||
        !ParseInteger(trim(entry.substr(blank)), -2, 2, quarterTurns) || quarterTurns == 0) {
      why = "bad move \"" + std::string(entry) + "\": want LAYER (1..6) and QT (1, -1, 2 or -2)";
      return false;
    }
    moves.push_back({static_cast<int8_t>(layer), static_cast<int8_t>(quarterTurns)});
    start = comma + 1;
  }
  return true;
}

// The quarter turns of a recorded turn: History keeps the angle that undoes it.
int QuarterTurnsOf(const HistoryEntry& e) {
  return static_cast<int>(std::lround(-e.Angle / static_cast<double>(Pi / 2)));
}

Move MoveOf(const HistoryEntry& e) {
  return Move{static_cast<int8_t>(e.Layer), static_cast<int8_t>(QuarterTurnsOf(e))};
}

void PrintFaults(const std::vector<CubeFault>& faults, std::FILE* out) {
  for (const CubeFault& f : faults) std::fprintf(out, "%s: %s\n", FaultGroupWord(f.Group), f.Text.c_str());
}

// "fix: ..." for each of the smallest repairs of Stickers, best first.
void PrintFixes(std::FILE* out) {
  for (const CubeRepair& r : FindRepairs()) std::fprintf(out, "fix: %s\n", RepairText(r).c_str());
}

void PrintStickers() {
  std::string line = "stickers ";
  for (int i = 0; i < StickerCount; ++i) line += static_cast<char>('0' + Stickers[i]);
  std::printf("%s\n", line.c_str());
}

// A fresh main window on the headless window system: no GL context is asked for.
void StartWindow() {
  HeadlessReset();
  FormCreate();
}

// Ticks until pred holds; false if it never did.
template <typename Pred>
bool TickUntil(Pred pred) {
  for (long i = 0; i < TickLimit; ++i) {
    if (pred()) return true;
    Timer1Timer();
  }
  return pred();
}

struct Options {
  std::vector<std::string> Positional;
  std::string ToStep, Moves, Out, Turns, Seed;
  bool HasToStep = false, HasMoves = false, HasOut = false, HasTurns = false, HasSeed = false;
  bool Notation = false;
};

// Splits args into positional words and the options the command allows.
bool ParseOptions(int argc, char** argv, int first, const std::vector<std::string>& allowed,
                  Options& o, std::string& why) {
  for (int i = first; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
      bool known = false;
      for (const std::string& a : allowed) known |= a == arg;
      if (!known) {
        why = "unknown option " + arg;
        return false;
      }
      if (arg == "--notation") {   // the one option without a value
        o.Notation = true;
        continue;
      }
      if (i + 1 >= argc) {
        why = "option " + arg + " needs a value";
        return false;
      }
      const std::string value = argv[++i];
      auto set = [&](std::string& slot, bool& has) {
        if (has) {
          why = "option " + arg + " given twice";
          return false;
        }
        slot = value;
        has = true;
        return true;
      };
      bool ok = true;
      if (arg == "--to-step") ok = set(o.ToStep, o.HasToStep);
      if (arg == "--moves") ok = set(o.Moves, o.HasMoves);
      if (arg == "--out") ok = set(o.Out, o.HasOut);
      if (arg == "--turns") ok = set(o.Turns, o.HasTurns);
      if (arg == "--seed") ok = set(o.Seed, o.HasSeed);
      if (!ok) return false;
    } else {
      o.Positional.push_back(arg);
    }
  }
  return true;
}

int Solve(const Options& o) {
  if (o.Positional.size() != 1) return UsageError("solve takes one FILE");
  long long step = 7;
  if (o.HasToStep && !ParseInteger(o.ToStep, 1, 7, step))
    return UsageError("--to-step wants a step 1..7");
  const std::string& file = o.Positional[0];

  StartWindow();
  const std::string error = ReadCubeFile(file);
  if (!error.empty()) return FileError(file, error);
  if (const std::vector<CubeFault> faults = DiagnoseCube(); !faults.empty()) {
    PrintFaults(faults, stderr);
    PrintFixes(stderr);
    return ExitImpossible;
  }

  void (*const buildTo[])() = {nullptr, N11Click, N21Click, N31Click, N41Click,
                               N51Click, N61Click, N71Click};
  buildTo[step]();
  Fast1Click();
  Build1Click();
  std::vector<Move> steps[8];   // with --notation: the turns of each step
  // Each tick starts at most one turn, and a turn the build plays is always a move of
  // the queue planned under the current SolverStep, even when the same tick plans the
  // next sub-step behind it.
  for (long i = 0; i < TickLimit && (Building || TurnInProgress); ++i) {
    const int code = SolverStep;
    const int recorded = HistoryLength;
    Timer1Timer();
    if (HistoryLength == recorded + 1) {
      const HistoryEntry& e = History[HistoryLength - 1];
      if (o.Notation)
        steps[code / 10].push_back(MoveOf(e));
      else
        std::printf("%d %d %d\n", code, e.Layer, QuarterTurnsOf(e));
    }
  }
  if (Building || TurnInProgress) {
    std::fprintf(stderr, "tornelo-cli: the build did not end\n");
    return ExitStuck;
  }
  for (int step = 1; step <= 7; ++step)
    if (!steps[step].empty()) std::printf("%d: %s\n", step, FormatMoves(steps[step]).c_str());
  PrintStickers();
  return 0;
}

int Turn(const Options& o) {
  if (o.Positional.size() != 1) return UsageError("turn takes one FILE");
  if (!o.HasMoves) return UsageError("turn needs --moves");
  if (!o.HasOut) return UsageError("turn needs --out");
  std::vector<Move> moves;
  std::string why;
  // Numbers ("1 1,3 -2") or notation ("R U R' U2"): a letter decides.
  const bool notation = o.Moves.find_first_of("UDFBRLudfbrlMESxyz") != std::string::npos;
  if (notation ? !ParseMoves(o.Moves, moves, why) : !ParseNumberedMoves(o.Moves, moves, why))
    return UsageError(notation ? "bad --moves: " + why : why);
  const std::string& file = o.Positional[0];

  StartWindow();
  const std::string error = ReadCubeFile(file);
  if (!error.empty()) return FileError(file, error);
  Fast1Click();

  for (const Move& m : moves) {
    if (m.Quarters == 1 || m.Quarters == -1) {
      // As the Enter key: the selected layer and direction, one turn, then halt.
      PlaySingleTurn(m.Layer, m.Quarters);
      if (!TickUntil([] { return Halted && !TurnInProgress; })) return ExitStuck;
    } else {
      PlayQueuedMove(m.Layer, m.Quarters);
      if (!TickUntil([] { return !Building && !TurnInProgress; })) return ExitStuck;
    }
  }

  const std::string written = WriteCubeFile(o.Out);
  if (!written.empty()) return FileError(CubeFileNameFor(o.Out), written);
  PrintStickers();
  return 0;
}

int Scramble(const Options& o) {
  if (!o.Positional.empty()) return UsageError("scramble takes no FILE");
  if (!o.HasTurns) return UsageError("scramble needs --turns");
  if (!o.HasOut) return UsageError("scramble needs --out");
  long long turns = 0;
  if (!ParseInteger(o.Turns, 0, 1'000'000, turns)) return UsageError("--turns wants a count 0..1000000");
  uint64_t seed = 0;
  if (o.HasSeed && !ParseSeed(o.Seed, seed)) return UsageError("--seed wants a number 0..2^64-1");

  StartWindow();
  if (o.HasSeed) SeedRandom(seed);
  Fast1Click();
  std::vector<Move> played;
  if (turns > 0) {
    Intermixing1Click();
    for (long i = 0; i < TickLimit && HistoryLength < turns; ++i) {
      const int recorded = HistoryLength;
      Timer1Timer();
      if (HistoryLength == recorded + 1) {
        const HistoryEntry& e = History[HistoryLength - 1];
        if (o.Notation)
          played.push_back(MoveOf(e));
        else
          std::printf("%d %d\n", e.Layer, QuarterTurnsOf(e));
      }
    }
    // Intermixing off: the turn in progress ends, no other starts.
    Intermixing1Click();
    if (!TickUntil([] { return !TurnInProgress; })) return ExitStuck;
  }

  if (o.Notation) std::printf("%s\n", FormatMoves(played).c_str());

  const std::string written = WriteCubeFile(o.Out);
  if (!written.empty()) return FileError(CubeFileNameFor(o.Out), written);
  return 0;
}

int Check(const Options& o) {
  if (o.Positional.size() != 1) return UsageError("check takes one FILE");
  const std::string& file = o.Positional[0];
  StartWindow();
  const std::string error = ReadCubeFile(file);
  if (!error.empty()) return FileError(file, error);
  const std::vector<CubeFault> faults = DiagnoseCube();
  if (faults.empty()) {
    std::printf("solvable\n");
    return 0;
  }
  PrintFaults(faults, stdout);
  PrintFixes(stdout);
  return ExitImpossible;
}

int Run(int argc, char** argv) {
  if (argc < 2) return UsageError("no command");
  const std::string command = argv[1];
  if (command == "--help" || command == "-h" || command == "help") {
    std::fputs(Help, stdout);
    return 0;
  }

  std::vector<std::string> allowed;
  if (command == "check") allowed = {};
  else if (command == "solve") allowed = {"--to-step", "--notation"};
  else if (command == "turn") allowed = {"--moves", "--out"};
  else if (command == "scramble") allowed = {"--turns", "--seed", "--out", "--notation"};
  else return UsageError("unknown command \"" + command + "\"");

  Options options;
  std::string why;
  for (int i = 2; i < argc; ++i)
    if (std::string_view(argv[i]) == "--help") {
      std::fputs(Help, stdout);
      return 0;
    }
  if (!ParseOptions(argc, argv, 2, allowed, options, why)) return UsageError(why);

  int status = 0;
  if (command == "check") status = Check(options);
  if (command == "solve") status = Solve(options);
  if (command == "turn") status = Turn(options);
  if (command == "scramble") status = Scramble(options);
  return status;
}

// What was printed must have arrived: an error of standard output (a full disk, a
// reader that went away) is a failed write like any other, whatever the command did.
int FinishOutput(int status) {
  errno = 0;
  const bool lost = std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
  const int flushError = errno;
  errno = 0;
  const bool closeFailed = std::fclose(stdout) != 0;
  const int error = lost ? flushError : errno;
  if (!lost && !closeFailed) return status;
  std::fprintf(stderr, "tornelo-cli: standard output: %s\n",
               error != 0 ? std::strerror(error) : "write error");
  return ExitFile;
}

}  // namespace

int main(int argc, char** argv) {
  // A reader that goes away (`| head`) must not end the tool before it has written
  // its file: its output is then lost, which the exit status says.
  std::signal(SIGPIPE, SIG_IGN);
  return FinishOutput(Run(argc, argv));
}
