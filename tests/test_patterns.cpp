// The short named patterns of the chain rung: exact log lines on hand-built states, every
// removal checked against the unique solution on real puzzle states, and the cases of the
// technique regression library.
#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "board/candidates.h"
#include "board/queue.h"
#include "drivers/commands.h"
#include "techniques/patterns.h"
#include "tests/support.h"

namespace {

using Strings = std::vector<std::string>;
using Routine = uint32_t (*)(uint32_t place);

struct NamedPattern {
  const char* name;
  Routine routine;
};
const NamedPattern kPatterns[] = {
    {"Skyscraper", Skyscraper},
    {"TwoStringKite", TwoStringKite},
    {"TurbotFish", TurbotFish},
    {"EmptyRectangle", EmptyRectangle},
    {"WWing", WWing},
    {"HiddenRectangle", HiddenRectangle},
    {"AvoidableRectangleType1", AvoidableRectangleType1},
    {"AvoidableRectangleType2", AvoidableRectangleType2},
    {"BugPlusOne", BugPlusOne},
    {"SueDeCoq", SueDeCoq},
};
constexpr size_t kPatternCount = sizeof kPatterns / sizeof kPatterns[0];

// The candidates present, as cell * 9 + digit index.
std::set<uint32_t> PresentCandidates() {
  std::set<uint32_t> out;
  for (uint32_t c = 0; c < 81; ++c)
    for (uint32_t d = 0; d < 9; ++d)
      if (g.cand.flag[c * 9 + d]) out.insert(c * 9 + d);
  return out;
}

struct Snapshot {
  Board board;
  CandidateTable cand;
};
Snapshot Take() { return {g.board, g.cand}; }
void Restore(const Snapshot& s) {
  g.board = s.board;
  g.cand = s.cand;
  ForgetUnitHolders();
}

// ---------------------------------------------------------------------------------------
// Soundness on real puzzle states.

const uint8_t* g_solution = nullptr;
std::string g_failure;

void CheckAfterFlush(uint32_t code) {
  if (!g_failure.empty() || !g_solution) return;
  const std::string lost = LostSolutionDigits(g_solution);
  const std::string broken = CandidateInvariantError();
  if (!lost.empty()) g_failure = std::string(TechniqueName(code)) + " removed " + lost;
  if (!broken.empty()) g_failure = std::string(TechniqueName(code)) + ": " + broken;
}

struct Firing {
  uint64_t states = 0, removals = 0;
};

class PatternSoundness : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    g.settings.candErase = 0;
    platform.record = false;
    FlushObserver = CheckAfterFlush;
  }
  void TearDown() override {
    FlushObserver = nullptr;
    g_solution = nullptr;
    EngineTest::TearDown();
  }

  static bool Open() {
    for (uint32_t c = 0; c < 81; ++c)
      if (g.cand.count[c] >= 2) return true;
    return false;
  }

  // Runs every pattern on the current state, each from the same start; returns the first
  // that removed something (kPatternCount when none did) with the state left as it was.
  size_t CheckAll(const SoundState& state, Firing firing[], size_t& checked, size_t& wrong) {
    const Snapshot start = Take();
    size_t first = kPatternCount;
    for (size_t i = 0; i < kPatternCount; ++i) {
      Restore(start);
      ++checked;
      g_failure.clear();
      kPatterns[i].routine(0);
      if (!g_failure.empty()) {
        ++wrong;
        Restore(start);
        ADD_FAILURE() << kPatterns[i].name << ": " << g_failure << "\n  source: " << state.source
                      << "\n  state before: " << DescribeState();
        continue;
      }
      if (g.cand.total == start.cand.total) continue;
      ++firing[i].states;
      firing[i].removals += start.cand.total - g.cand.total;
      if (first == kPatternCount) first = i;
    }
    Restore(start);
    return first;
  }

  // Rounds of: Single MAX, then the basic and then the upper batch to a fixed point, every
  // pattern checked after each of the three; then the first pattern that removes something
  // is applied and the next round starts.
  void Exercise(const SoundState& state, Firing firing[], size_t& checked, size_t& wrong) {
    g_solution = state.solution;
    static const std::vector<uint32_t> kStages[] = {{910}, {910, 1070}, {910, 1070, 1080}};
    for (int round = 0; round < 80 && Open(); ++round) {
      size_t first = kPatternCount;
      for (const std::vector<uint32_t>& stage : kStages) {
        for (int pass = 0; pass < 200; ++pass) {
          const uint32_t total = g.cand.total;
          g_failure.clear();
          for (uint32_t id : stage) ASSERT_EQ(RunCommand(id), CommandDone);
          if (!g_failure.empty()) return;  // the catalogue's own fault: its tests report it
          if (g.cand.total == total) break;
        }
        if (!Open()) return;
        first = CheckAll(state, firing, checked, wrong);
      }
      if (first == kPatternCount) return;
      kPatterns[first].routine(0);
    }
  }

  void RunCollection(const char* file, size_t step, Firing total[]) {
    Firing firing[kPatternCount];
    const Strings lines = SampleLines(file, step);
    const bool library = std::string(file).rfind("reglib", 0) == 0;
    size_t states = 0, checked = 0, wrong = 0;
    for (const std::string& line : lines) {
      SoundState state;
      if (!(library ? LoadReglibState(line, state) : LoadPuzzleState(line, state))) continue;
      if (library) {
        // Library states hold placed digits, which the avoidable rectangles need.
        g_solution = state.solution;
        CheckAll(state, firing, checked, wrong);
      }
      ++states;
      Exercise(state, firing, checked, wrong);
    }
    std::printf("pattern soundness %s: %zu states, %zu pattern runs, %zu wrong; fired:", file,
                states, checked, wrong);
    for (size_t i = 0; i < kPatternCount; ++i) {
      std::printf(" %s %llu", kPatterns[i].name, static_cast<unsigned long long>(firing[i].states));
      total[i].states += firing[i].states;
      total[i].removals += firing[i].removals;
    }
    std::printf("\n");
    EXPECT_EQ(wrong, 0u);
  }
};

TEST_F(PatternSoundness, NoRemovalLosesTheSolutionOnRealPuzzles) {
  if (DataLines("qq-expert-a.txt").empty() || DataLines("hard-a.txt").empty() ||
      DataLines("sudoku17-a.txt").empty() || DataLines("reglib-1.4.txt").empty())
    GTEST_SKIP() << "puzzle collections not found in " << DataPath("");
  Firing firing[kPatternCount];
  RunCollection("qq-expert-a.txt", 2, firing);
  RunCollection("hard-a.txt", 20, firing);
  RunCollection("sudoku17-a.txt", 200, firing);
  RunCollection("reglib-1.4.txt", 1, firing);
  for (size_t i = 0; i < kPatternCount; ++i) {
    std::printf("  %-24s fired on %6llu states, %7llu removals\n", kPatterns[i].name,
                static_cast<unsigned long long>(firing[i].states),
                static_cast<unsigned long long>(firing[i].removals));
    // Every pattern occurs in these collections past the catalogue: one that never fires has
    // stopped finding its shape.
    EXPECT_GT(firing[i].states, 0u) << kPatterns[i].name;
  }
}

// ---------------------------------------------------------------------------------------
// The regression library: each case lists a state and eliminations one technique finds there.

struct LibraryCode {
  const char* code;
  Routine routine;
};
const LibraryCode kLibraryCodes[] = {
    {"0400", Skyscraper},      {"0401", TwoStringKite},
    {"0402", EmptyRectangle},  {"0403", TurbotFish},
    {"0404", TwoStringKite},   {"0405", EmptyRectangle},
    {"0606", HiddenRectangle}, {"0607", AvoidableRectangleType1},
    {"0608", AvoidableRectangleType2}, {"0610", BugPlusOne},
    {"0803", WWing},           {"1101", SueDeCoq},
};

Strings Fields(const std::string& line) {
  Strings fields;
  size_t start = 1;
  while (start <= line.size()) {
    size_t end = line.find(':', start);
    if (end == std::string::npos) end = line.size();
    fields.push_back(line.substr(start, end - start));
    start = end + 1;
  }
  return fields;
}

// "<digit><row><column>" items as cell * 9 + digit index.
std::vector<uint32_t> Candidates(const std::string& text) {
  std::vector<uint32_t> out;
  std::istringstream in(text);
  std::string item;
  while (in >> item)
    if (item.size() == 3)
      out.push_back(((item[1] - '1') * 9 + (item[2] - '1')) * 9 + (item[0] - '1'));
  return out;
}

using PatternLibrary = PatternSoundness;

TEST_F(PatternLibrary, FindsTheListedEliminations) {
  const Strings lines = DataLines("reglib-1.4.txt");
  if (lines.empty()) GTEST_SKIP() << "reglib-1.4.txt not found in " << DataPath("");
  struct Tally {
    size_t cases = 0, passed = 0;
  };
  std::map<std::string, Tally> tally;
  Strings failures;
  for (const std::string& line : lines) {
    if (line.empty() || line[0] != ':') continue;
    const Strings fields = Fields(line);
    if (fields.size() < 5) continue;
    const std::string code = fields[0].substr(0, 4);
    const bool failCase = fields[0].size() > 5 && fields[0].substr(4) == "-x";
    Routine routine = nullptr;
    for (const LibraryCode& c : kLibraryCodes)
      if (code == c.code) routine = c.routine;
    if (!routine) continue;
    Tally& t = tally[fields[0]];
    ++t.cases;
    SoundState state;
    if (!LoadReglibState(line, state)) {
      failures.push_back(fields[0] + " (no unique solution): " + line);
      continue;
    }
    g_solution = state.solution;
    g_failure.clear();
    const std::set<uint32_t> before = PresentCandidates();
    routine(0);
    const std::set<uint32_t> after = PresentCandidates();
    EXPECT_EQ(g_failure, "") << line;
    std::string missing, unwanted;
    for (uint32_t e : Candidates(fields[4])) {
      const bool removed = before.count(e) && !after.count(e);
      const std::string item = Format("r%uc%u<>%u ", e / 9 / 9 + 1, e / 9 % 9 + 1, e % 9 + 1);
      if (failCase && removed) unwanted += item;
      if (!failCase && !removed) missing += item;
    }
    if (failCase && fields[4].empty() && after != before) unwanted = "something";
    if (missing.empty() && unwanted.empty()) {
      ++t.passed;
      continue;
    }
    failures.push_back(fields[0] + (missing.empty() ? " removed " + unwanted : " missed " + missing) +
                       ": " + line);
  }
  std::printf("regression library, short named patterns:\n");
  size_t cases = 0, passed = 0;
  for (const auto& [code, t] : tally) {
    std::printf("  %-8s %3zu of %3zu\n", code.c_str(), t.passed, t.cases);
    cases += t.cases;
    passed += t.passed;
  }
  for (const std::string& f : failures) std::printf("  failed %s\n", f.c_str());
  std::printf("  all      %3zu of %3zu\n", passed, cases);
  EXPECT_EQ(passed, cases);
}

}  // namespace
