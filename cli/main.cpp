// vorel-cli: the headless front end. Runs commands and technique routines on a puzzle and
// prints what the window would have shown, as a transcript.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "board/candidates.h"
#include "board/state.h"
#include "cli/collection.h"
#include "cli/headless_platform.h"
#include "drivers/commands.h"
#include "drivers/file_commands.h"
#include "drivers/frame.h"
#include "drivers/sample.h"
#include "drivers/technique_commands.h"
#include "io/candidate_grid.h"
#include "io/layout.h"
#include "io/read.h"
#include "io/settings.h"
#include "techniques/techniques.h"
#include "vorel_version.h"

namespace {

const char* const kUsage =
    "usage: vorel-cli [OPTIONS] [FILE]   (FILE - with -e: standard input)\n"
    "  -m, --mode MODE       normal (default) | new | edit | candidate | make | input\n"
    "  -l, --log N           display mode CandErase 0, 1 or 2 (default 1, or the\n"
    "                        value of the --settings file)\n"
    "  -s, --seed N          seed the pseudo-random generator (default: the clock)\n"
    "  -r, --run CMD         a CommandId (e.g. 440) or a technique routine name (e.g.\n"
    "                        NakedPair, HiddenSingle, XWing); repeatable, run in order\n"
    "  -c, --choose PATH     answer of the next file dialog a command opens (repeatable,\n"
    "                        in order; none left = Cancel)\n"
    "      --clipboard PATH  the clipboard holds the bytes of PATH as text\n"
    "  -a, --answer ok|cancel  answer to OK/Cancel questions (default ok)\n"
    "  -e, --each            FILE holds many puzzles (an 81-character line each, or blocks\n"
    "                        separated by blank lines); everything runs once per puzzle,\n"
    "                        puzzle n with seed SEED + (n-1) * 0x9E3779B9\n"
    "  -j, --jobs N          with -e: share the puzzles among N worker processes (default\n"
    "                        1, 0 = one per core); the output is the same, in input order\n"
    "      --grade           with -e: grade every puzzle, one line each (see below)\n"
    "      --path            the solving path of every puzzle of FILE (implies -e), one\n"
    "                        step a line, simplest first; --json: a JSON object a puzzle\n"
    "      --candidates      FILE holds positions as candidate grids (729 characters,\n"
    "                        pencil marks or the -p candidates layout), one per block;\n"
    "                        every command, --path and --grade start from that table\n"
    "      --first N         with -e: the first puzzle is puzzle N (its number and seed),\n"
    "                        so that pieces of a collection join up (default 1)\n"
    "  -p, --print LAYOUT    board at the end: line | plain | candidates | print | html\n"
    "                        (print and html as the file writers lay them out)\n"
    "  -t, --transcript      machine-readable output (KIND<TAB>TEXT per event)\n"
    "      --fixpoint        repeat the --run list until a pass changes neither the\n"
    "                        candidate total nor any cell (at most 1000 passes)\n"
    "      --repeat K        run everything K times, each from a fresh board (e.g. a\n"
    "                        collection: -m make -r 610 -r 320 --repeat 100 -p line)\n"
    "      --sample          use the built-in sample puzzle instead of FILE\n"
    "      --settings PATH   load settings from PATH (default: built-in defaults); the\n"
    "                        collection file VorelMalti.txt is then beside PATH (else in\n"
    "                        the current folder)\n"
    "      --save-settings PATH  save the settings (and the board) to PATH at the end\n"
    "                        (a missing or unreadable --settings file gives the defaults;\n"
    "                        a failed save only warns)\n"
    "  -h, --help\n"
    "      --version\n"
    "\n"
    "With -m new the mode is entered first and FILE is then read into it, so that Page Up\n"
    "and Page Down (1010, 1020) step through a file of several puzzles.\n"
    "\n"
    "--grade prints N<TAB>PUZZLE<TAB>GRADE<TAB>DETAIL per puzzle. PUZZLE is the 81 cells as\n"
    "read, givens as digits and empty cells as 0 (as . when the puzzle's text has no 0).\n"
    "GRADE is the first rung that finishes the puzzle in the candidate screen: singles (the\n"
    "singles closure of 950), basic (910 and 1070 to a fixed point), upper (910, 1070 and\n"
    "1080 to a fixed point), chains (with 4000's chains, loops and patterns as well), nets\n"
    "(with 4000's forcing chains and nets as well) or beyond. DETAIL names the techniques\n"
    "that removed candidates\n"
    "and how many each removed (\"Hidden Single 40, Naked Pair 2\"), or for beyond the cells\n"
    "left with more than one candidate (\"K cells open\").\n"
    "A puzzle without exactly one solution is invalid: \"no solution\" or \"several\n"
    "solutions\". A summary (puzzles per grade and per second) closes on stderr.\n"
    "With -e, a progress line is kept on stderr while it is a terminal (and stdout is not\n"
    "the same one). Exit status: 0 done, 1 a worker died, 2 bad arguments or input.\n";

struct Options {
  std::string mode = "normal";
  int logMode = -1;
  bool seeded = false;
  uint32_t seed = 0;
  std::vector<std::string> runs;
  std::vector<std::string> choices;
  std::string clipboardPath;
  bool answerOk = true;
  bool each = false;
  bool grade = false;
  bool path = false;
  bool json = false;
  bool candidates = false;
  uint32_t jobs = 1;
  uint32_t first = 1;
  std::string print;
  bool transcript = false;
  bool fixpoint = false;
  uint32_t repeat = 1;
  bool sample = false;
  std::string settingsPath;
  std::string saveSettingsPath;
  std::string file;
};

int Fail(const std::string& message) {
  std::fprintf(stderr, "vorel-cli: %s\n", message.c_str());
  return 2;
}

bool ParseNumber(const std::string& s, uint32_t& out) {
  if (s.empty() || s.size() > 10) return false;
  for (char ch : s)
    if (ch < '0' || ch > '9') return false;
  unsigned long v = std::strtoul(s.c_str(), nullptr, 10);
  if (v > 0xFFFFFFFFul) return false;
  out = static_cast<uint32_t>(v);
  return true;
}

struct RunStep {
  uint32_t commandId = 0;        // non-zero: run this command
  const RoutineEntry* routine = nullptr;  // a routine without a menu command
};

// The routine's own command when it has one, else the routine run like a technique item.
bool ResolveRun(const std::string& what, RunStep& step, std::string& error) {
  uint32_t id = 0;
  if (ParseNumber(what, id)) {
    if (!FindCommand(id) || !CommandAvailable(id)) {
      error = "unknown or not yet available command: " + what;
      return false;
    }
    step.commandId = id;
    return true;
  }
  const RoutineEntry* e = FindRoutine(what.c_str());
  if (!e) {
    error = "unknown or not yet available routine: " + what;
    return false;
  }
  if (e->commandId && FindCommand(e->commandId))
    step.commandId = e->commandId;
  else
    step.routine = e;
  return true;
}

void RunStepNow(const RunStep& step) {
  if (step.commandId) {
    RunCommand(step.commandId);
    return;
  }
  // Technique items run outside the new-problem and edit modes.
  if (g.screenMode == ModeNewCreation || g.screenMode == ModeEdit) return;
  RunTechniqueCommand(step.routine->routine);
}

uint32_t ModeCommand(const std::string& mode) {
  if (mode == "new") return 240;
  if (mode == "edit") return 300;
  if (mode == "candidate") return 310;
  if (mode == "make") return 330;
  if (mode == "input") return 340;
  return 0;
}

// The puzzles of a collection file, one after the other in a single buffer: a large file
// costs its own size once, not a string per puzzle.
class PuzzleList {
 public:
  size_t size() const { return end_.size(); }
  std::string_view operator[](size_t n) const {
    const size_t from = n == 0 ? 0 : end_[n - 1];
    return std::string_view(text_).substr(from, end_[n] - from);
  }
  void Add(std::string_view puzzle) {
    text_ += puzzle;
    end_.push_back(text_.size());
  }
  void Reserve(size_t bytes) { text_.reserve(bytes); }
  // `count` empty puzzles, for runs that repeat one board.
  void Blank(size_t count) { end_.assign(count, text_.size()); }

 private:
  std::string text_;
  std::vector<size_t> end_;
};

PuzzleList SplitPuzzles(std::string_view text) {
  PuzzleList puzzles;
  puzzles.Reserve(text.size());
  std::string block;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    size_t cells = 0, visible = 0;
    for (char ch : line) {
      if ((ch >= '0' && ch <= '9') || ch == '.') ++cells;
      if (ch != ' ' && ch != '\t') ++visible;
    }
    if (visible == 0) {
      if (!block.empty()) puzzles.Add(block);
      block.clear();
    } else if (block.empty() && cells >= 81) {
      puzzles.Add(line);
    } else {
      block += line;
      block += "\r\n";
    }
    if (end == text.size()) break;
    start = end + 1;
  }
  if (!block.empty()) puzzles.Add(block);
  return puzzles;
}

void PrintBoard(HeadlessPlatform& platform, const std::string& layout) {
  if (layout == "line") {
    platform.Emit("board", LineLayout());
  } else if (layout == "plain" || layout == "candidates") {
    const bool candidates = layout == "candidates" || g.screenMode == ModeCandidateScreen;
    for (const std::string& line : PlainLayoutLines(candidates)) platform.Emit("board", line);
  } else if (layout == "print") {
    const bool candidates = g.screenMode == ModeCandidateScreen;
    for (const std::string& line : candidates ? CandidatePrintLayoutLines() : PrintLayoutLines())
      platform.Emit("board", line);
  } else if (layout == "html") {
    std::string text;
    for (const std::string& piece : HtmlLayoutPieces(g.screenMode == ModeCandidateScreen))
      text += piece;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);  // byte-order mark
    size_t start = 0, end;
    while ((end = text.find('\n', start)) != std::string::npos) {
      platform.Emit("board", text.substr(start, end - start));
      start = end + 1;
    }
  }
}

bool BoardChangedSince(const uint32_t* values, uint32_t total) {
  return g.cand.total != total || std::memcmp(values, g.board.value, sizeof g.board.value) != 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&](std::string& out) -> bool {
      if (i + 1 >= argc) return false;
      out = argv[++i];
      return true;
    };
    std::string v;
    if (a == "-h" || a == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (a == "--version") {
      std::puts("vorel-cli " VOREL_VERSION);
      return 0;
    } else if (a == "--first") {
      if (!value(v) || !ParseNumber(v, o.first) || o.first == 0)
        return Fail("--first takes a puzzle number of at least 1");
    } else if (a == "-m" || a == "--mode") {
      if (!value(o.mode)) return Fail("--mode needs a value");
      if (o.mode != "normal" && !ModeCommand(o.mode)) return Fail("unknown mode: " + o.mode);
    } else if (a == "-l" || a == "--log") {
      uint32_t n = 0;
      if (!value(v) || !ParseNumber(v, n) || n > 2) return Fail("--log takes 0, 1 or 2");
      o.logMode = static_cast<int>(n);
    } else if (a == "-s" || a == "--seed") {
      if (!value(v) || !ParseNumber(v, o.seed)) return Fail("--seed takes a number");
      o.seeded = true;
    } else if (a == "-r" || a == "--run") {
      if (!value(v)) return Fail("--run needs a command");
      o.runs.push_back(v);
    } else if (a == "-c" || a == "--choose") {
      if (!value(v)) return Fail("--choose needs a path");
      o.choices.push_back(v);
    } else if (a == "--clipboard") {
      if (!value(o.clipboardPath)) return Fail("--clipboard needs a path");
    } else if (a == "-a" || a == "--answer") {
      if (!value(v) || (v != "ok" && v != "cancel")) return Fail("--answer takes ok or cancel");
      o.answerOk = v == "ok";
    } else if (a == "-e" || a == "--each") {
      o.each = true;
    } else if (a == "-j" || a == "--jobs") {
      if (!value(v) || !ParseNumber(v, o.jobs) || o.jobs > 1024)
        return Fail("--jobs takes a count of workers (0 = one per core)");
    } else if (a == "--grade") {
      o.grade = o.each = true;
    } else if (a == "--path") {
      o.path = o.each = true;
    } else if (a == "--json") {
      o.json = true;
    } else if (a == "--candidates") {
      o.candidates = o.each = true;
    } else if (a == "-p" || a == "--print") {
      if (!value(o.print) ||
          (o.print != "line" && o.print != "plain" && o.print != "candidates" &&
           o.print != "print" && o.print != "html"))
        return Fail("--print takes line, plain, candidates, print or html");
    } else if (a == "-t" || a == "--transcript") {
      o.transcript = true;
    } else if (a == "--repeat") {
      if (!value(v) || !ParseNumber(v, o.repeat) || o.repeat == 0)
        return Fail("--repeat takes a count of at least 1");
    } else if (a == "--fixpoint") {
      o.fixpoint = true;
    } else if (a == "--sample") {
      o.sample = true;
    } else if (a == "--settings") {
      if (!value(o.settingsPath)) return Fail("--settings needs a path");
    } else if (a == "--save-settings") {
      if (!value(o.saveSettingsPath)) return Fail("--save-settings needs a path");
    } else if (a.size() > 1 && a[0] == '-') {
      return Fail("unknown option: " + a + " (see --help)");
    } else if (o.file.empty()) {
      o.file = a;
    } else {
      return Fail("only one FILE may be given");
    }
  }
  if (o.each && o.file.empty()) return Fail("--each needs a FILE");
  if ((o.file == "-" || o.first != 1) && !o.each)
    return Fail("standard input (-) and --first need --each");
  if (o.each && o.repeat > 1) return Fail("--repeat cannot be combined with --each");
  if (o.jobs != 1 && !o.each) return Fail("--jobs needs --each");
  if (o.jobs != 1 && !o.saveSettingsPath.empty())
    return Fail("--save-settings cannot be combined with --jobs (workers end with their boards)");
  if (o.grade && (!o.runs.empty() || o.mode != "normal" || !o.print.empty() || o.fixpoint))
    return Fail("--grade cannot be combined with --run, --mode, --print or --fixpoint");
  if (o.path && (o.grade || !o.runs.empty() || o.mode != "normal" || !o.print.empty() || o.fixpoint))
    return Fail("--path cannot be combined with --grade, --run, --mode, --print or --fixpoint");
  if (o.json && !o.path) return Fail("--json needs --path");

  HeadlessPlatform platform;
  platform.stream = o.grade || o.path ? nullptr : stdout;
  platform.machineReadable = o.transcript;
  platform.record = false;
  platform.answer = o.answerOk ? AnswerOk : AnswerCancel;
  SetPlatform(&platform);

  ApplyDefaultSettings(g.settings);
  ResetStartupState();
  // A missing or unreadable settings file gives the defaults, as at a first start.
  if (!o.settingsPath.empty()) {
    LoadSettings(o.settingsPath);
    const size_t slash = o.settingsPath.find_last_of('/');
    g.exeDir = slash == std::string::npos ? "" : o.settingsPath.substr(0, slash + 1);
  } else if (o.logMode < 0) {
    g.settings.candErase = 1;
  }
  // Every pass starts from this board; the settings carry from one pass to the next, as
  // they would in one session of the window.
  const Board startBoard = g.board;

  std::vector<uint8_t> clipboardBytes;
  if (!o.clipboardPath.empty()) {
    bool openFailed = false;
    if (!ReadFileBytes(o.clipboardPath, 1u << 20, clipboardBytes, openFailed))
      return Fail("cannot read clipboard file: " + o.clipboardPath);
  }

  std::vector<RunStep> steps;
  for (const std::string& r : o.runs) {
    RunStep step;
    std::string error;
    if (!ResolveRun(r, step, error)) return Fail(error);
    steps.push_back(step);
  }
  const uint32_t modeCommand = ModeCommand(o.mode);
  if (modeCommand && !FindCommand(modeCommand))
    return Fail("mode not yet available: " + o.mode);

  PuzzleList puzzles;
  // --candidates: the positions that read well, with their numbers in the file.
  std::vector<CandidateGrid> grids;
  std::vector<size_t> numbers;
  bool badPosition = false;
  // A single FILE is read as the window reads it, so a path it cannot take is told by the
  // window's message; the run goes on with the board as it was and ends with status 2.
  const bool unreadableFile =
      !o.each && !o.candidates && !o.file.empty() && !ReadableFile(o.file);
  if (!o.file.empty() && (o.each || o.candidates)) {
    std::vector<uint8_t> fileBytes;
    bool openFailed = false;
    if (o.file == "-" ? !ReadStandardInput(256u << 20, fileBytes)
                      : !ReadFileBytes(o.file, 256u << 20, fileBytes, openFailed) && openFailed)
      return Fail("cannot read " + o.file + ": " + std::strerror(errno));
    if (o.candidates) {
      const std::vector<std::string> texts = SplitCandidateGrids(std::string_view(
          reinterpret_cast<const char*>(fileBytes.data()), fileBytes.size()));
      for (size_t k = 0; k < texts.size(); ++k) {
        CandidateGrid grid;
        std::string error;
        if (ParseCandidateGrid(texts[k], grid, error)) {
          grids.push_back(grid);
          numbers.push_back(k);
        } else {
          std::fprintf(stderr, "vorel-cli: %s: position %zu: %s\n", o.file.c_str(), k + 1,
                       error.c_str());
          badPosition = true;
        }
      }
      if (texts.empty()) return Fail("no position found in " + o.file);
      puzzles.Blank(grids.size());
    } else if (o.each) {
      puzzles = SplitPuzzles(std::string_view(reinterpret_cast<const char*>(fileBytes.data()),
                                              fileBytes.size()));
      if (puzzles.size() == 0) return Fail("no puzzle found in " + o.file);
    }
  }
  if (!o.each) puzzles.Blank(o.repeat);

  const uint32_t seed = o.seeded ? o.seed : static_cast<uint32_t>(std::time(nullptr));
  SeedRandom(seed);

  auto runPuzzle = [&](size_t n) -> uint32_t {
    const size_t number = n + o.first - 1;  // from 0, counted over the whole collection
    if (n > 0 || o.each) {
      ResetStartupState();
      g.board = startBoard;
      platform.logOpen = false;
    }
    if (o.each) SeedRandom(PuzzleSeed(seed, number));
    if (o.candidates && (o.grade || o.path)) {
      InstallCandidateGrid(grids[n]);
      if (o.path) return PrintPath(numbers[n] + o.first - 1, o.json, stdout);
      return PrintGradeLine(numbers[n] + o.first - 1, "0", stdout, true);
    }
    if (o.grade || o.path) {
      LoadPuzzleBytes(std::vector<uint8_t>(puzzles[n].begin(), puzzles[n].end()), o.file);
      if (!o.path) return PrintGradeLine(number, std::string(puzzles[n]), stdout);
      ComputeCandidates();
      return PrintPath(number, o.json, stdout);
    }
    if (o.each)
      platform.Emit("puzzle", std::to_string(o.candidates ? numbers[n] + o.first : number + 1));
    if (o.logMode >= 0) g.settings.candErase = o.logMode;
    StartFrame();
    platform.fileChoices.clear();
    for (const std::string& c : o.choices) platform.fileChoices.push_back(c);
    platform.clipboard.clear();
    if (!o.clipboardPath.empty()) platform.clipboard.push_back({ClipText, clipboardBytes});

    const bool modeFirst = o.mode == "new";
    if (modeFirst) RunCommand(modeCommand);
    if (o.candidates) {
      InstallCandidateGrid(grids[n]);
    } else if (o.each) {
      std::vector<uint8_t> bytes(puzzles[n].begin(), puzzles[n].end());
      LoadPuzzleBytes(bytes, o.file);
    } else if (o.sample) {
      std::vector<uint8_t> bytes(kSamplePuzzle, kSamplePuzzle + 81);
      LoadPuzzleBytes(bytes, "sample");
    } else if (!o.file.empty()) {
      if (modeFirst)
        ReadPuzzleFromPath(o.file);
      else {
        platform.fileChoices.push_front(o.file);
        RunCommand(200);
      }
    }
    if (modeCommand && !modeFirst) RunCommand(modeCommand);
    // The position's own table, whatever the mode's entry worked out.
    if (o.candidates) InstallCandidateGrid(grids[n]);

    uint32_t values[81];
    // Techniques only remove candidates or fill cells, so a fixed point comes within 810
    // passes; commands that rearrange the board (1220, the turns) may never settle.
    constexpr uint32_t kMaxFixpointPasses = 1000;
    // The unit positions worked out by one batch serve the next: between them the table
    // changes only through the flush or writers that forget them.
    BeginUnitHolderCache();
    for (uint32_t pass = 0;; ++pass) {
      std::memcpy(values, g.board.value, sizeof values);
      const uint32_t total = g.cand.total;
      for (const RunStep& step : steps) RunStepNow(step);
      if (!o.fixpoint || !BoardChangedSince(values, total)) break;
      if (pass + 1 == kMaxFixpointPasses) {
        std::fprintf(stderr, "vorel-cli: no fixed point after %u passes\n", kMaxFixpointPasses);
        break;
      }
    }
    EndUnitHolderCache();

    if (!o.print.empty()) PrintBoard(platform, o.print);
    return 0;
  };
  if (o.each) {
    CollectionOutcome outcome;
    const int failed = RunCollection(puzzles.size(), WorkerCount(o.jobs), runPuzzle, outcome);
    std::fflush(stdout);
    if (o.grade) std::fprintf(stderr, "%s\n", GradeSummary(outcome).c_str());
    if (o.path) std::fprintf(stderr, "%s\n", PathSummary(outcome).c_str());
    if (failed) return 1;
  } else {
    for (size_t n = 0; n < puzzles.size(); ++n) runPuzzle(n);
  }
  // As in the window, a failed save changes nothing else: a warning, and success.
  if (!o.saveSettingsPath.empty() && !SaveSettingsFile(o.saveSettingsPath))
    std::fprintf(stderr, "vorel-cli: cannot save settings: %s\n", o.saveSettingsPath.c_str());
  std::fflush(stdout);
  return (badPosition || unreadableFile) ? 2 : 0;
}
