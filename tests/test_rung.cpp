// The rung above the catalogue: every removal of every routine checked against the unique
// solution on the states a solving path meets; the cell sets of the chain text; 4000 and the
// command line (names, ids, grades).
#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

#include "board/candidates.h"
#include "board/queue.h"
#include "drivers/commands.h"
#include "techniques/links.h"
#include "techniques/rung.h"
#include "techniques/techniques.h"
#include "tests/support.h"

namespace {

class RungSoundness : public SolutionCheckedTest {
 protected:
  // The catalogue's batches to a fixed point.
  static void Catalogue() {
    for (int pass = 0; pass < 200; ++pass) {
      const std::string before = DescribeState();
      for (uint32_t id : {910u, 1070u, 1080u}) RunCommand(id);
      if (DescribeState() == before) break;
    }
  }

  // Along the path the catalogue and 4000 take, every rung routine runs on every state it
  // meets (each on its own copy); the path then takes 4000's step.
  void Walk(const std::vector<std::string>& lines, const char* name, int maxSteps) {
    std::map<std::string, uint64_t> removed;
    size_t states = 0, finished = 0, wrong = 0;
    for (const std::string& line : lines) {
      SoundState state;
      if (!LoadPuzzleState(line, state)) continue;
      g_solution = state.solution;
      g_failure.clear();
      Catalogue();
      for (int step = 0; step < maxSteps && g_failure.empty(); ++step) {
        const SavedState saved;
        ++states;
        for (const RungRow& row : kRungRows) {
          const uint32_t total = g.cand.total;
          row.routine(0);
          removed[row.name] += total - g.cand.total;
          if (!g_failure.empty()) {
            ADD_FAILURE() << row.name << ": " << g_failure << "\n  source: " << line;
            break;
          }
          saved.Put();
        }
        const uint32_t total = g.cand.total;
        RunCommand(kRungBatchId);
        if (g.cand.total == total) break;
        Catalogue();
      }
      if (!g_failure.empty()) {
        ++wrong;
        continue;
      }
      bool open = false;
      for (uint32_t c = 0; c < 81; ++c) open = open || (g.board.value[c] == 0 && g.cand.count[c] != 1);
      finished += open ? 0 : 1;
    }
    std::printf("rung soundness %s: %zu puzzles, %zu states, %zu finished, %zu wrong\n", name,
                lines.size(), states, finished, wrong);
    for (const auto& [routine, n] : removed)
      std::printf("  %-30s %8llu removals\n", routine.c_str(), static_cast<unsigned long long>(n));
    EXPECT_EQ(wrong, 0u);
  }
};

TEST_F(RungSoundness, EveryRemovalOfEveryRoutineAlongTheSolvingPath) {
  const auto expert = SampleLines("qq-expert-a.txt", 10);
  const auto hard = SampleLines("hard-a.txt", 200);
  const auto few = SampleLines("sudoku17-a.txt", 1000);
  if (expert.empty() && hard.empty() && few.empty())
    GTEST_SKIP() << "no puzzle collections in " << DataPath("");
  Walk(expert, "qq-expert-a", 60);
  Walk(hard, "hard-a", 4);
  Walk(few, "17-clue", 20);
}

// ---------------------------------------------------------------------------------------
// The cell sets of the detailed log's chain text
// ---------------------------------------------------------------------------------------

using RungText = EngineTest;

// Every cell holds 1-4 (no links there); the listed cells hold 5 as well.
std::string FivesAt(const std::set<uint32_t>& cells) {
  std::string s;
  for (uint32_t c = 0; c < 81; ++c) s += cells.count(c) ? "(12345)" : "(1234)";
  return s;
}
constexpr uint32_t RC(uint32_t r, uint32_t c) { return (r - 1) * 9 + c - 1; }
// Rows 1 and 5 hold 5 in two cells each, column 5 joins them: the chain's ends r1c1 and r5c2
// see r2c2 and r3c2 (box and column) and r4c1 and r6c1 (column and box).
std::string AicState() {
  return FivesAt({RC(1, 1), RC(1, 5), RC(5, 5), RC(5, 2), RC(2, 2), RC(3, 2), RC(4, 1), RC(6, 1),
                  RC(8, 5)});
}

// Cells of one row or one column are written together; any other set cell by cell, in cell
// order, with rows and columns counted from 1 at both ends of the board.
TEST_F(RungText, CellSetsNameTheirRowsAndColumnsFromOneToNine) {
  auto text = [](std::initializer_list<uint32_t> cells) {
    CellSet set{};
    for (uint32_t c : cells) set.Set(c);
    return CellsText(set);
  };
  EXPECT_EQ(text({RC(1, 1)}), "r1c1");
  EXPECT_EQ(text({RC(9, 9)}), "r9c9");
  EXPECT_EQ(text({RC(3, 4), RC(3, 6)}), "r3c46");
  EXPECT_EQ(text({RC(2, 7), RC(5, 7)}), "r25c7");
  EXPECT_EQ(text({RC(1, 1), RC(2, 3)}), "r1c1,r2c3");
  EXPECT_EQ(text({RC(9, 9), RC(8, 7), RC(7, 8)}), "r7c8,r8c7,r9c9");
}

// ---------------------------------------------------------------------------------------
// Wiring
// ---------------------------------------------------------------------------------------

using RungWiring = EngineTest;

TEST_F(RungWiring, BatchTakesOnlyTheSimplestStepThatRemovesSomething) {
  // The AIC state above: 4000 logs the AIC's removals and nothing of the forcing chains.
  LoadState(AicState());
  g.settings.candErase = 1;
  EXPECT_EQ(RunCommand(kRungBatchId), CommandDone);
  std::set<std::string> names;
  for (const std::string& line : LogLines()) names.insert(line.substr(0, line.find(" (")));
  EXPECT_EQ(names.size(), 1u);
  EXPECT_EQ(RunCommand(kRungBatchId), CommandDone);
}

TEST_F(RungWiring, CliRunsARoutineByNameOrIdAndGradesTheNewRungs) {
  const std::vector<std::string> expert = DataLines("qq-expert-a.txt");
  if (expert.size() < 30) GTEST_SKIP() << "qq-expert-a.txt not found in " << DataPath("");
  const std::string file = WriteTempFile("rung.txt", Joined(expert, 0, 30));
  const std::string battery = "-t -l 2 -m candidate -e --fixpoint -r 910 -r 1070 -r 1080 ";
  const std::string byName = RunCli(battery + "-r Aic -r GroupedAic -p candidates " + file);
  EXPECT_EQ(RunCli(battery + "-r 4013 -r 4016 -p candidates " + file), byName);
  EXPECT_NE(byName.find("=> r"), std::string::npos);  // the chain text of the detailed log

  // Every puzzle of the collection is finished by a rung; the chains rung names its routines.
  int status = 0;
  const std::string grades = RunCli("--grade -e " + file, &status);
  EXPECT_EQ(status, 0);
  size_t chains = 0;
  for (const std::string& line : Split(grades, '\n')) {
    const std::vector<std::string> f = Split(line, '\t');
    ASSERT_EQ(f.size(), 4u) << line;
    EXPECT_TRUE(f[2] == "basic" || f[2] == "upper" || f[2] == "chains" || f[2] == "nets") << line;
    if (f[2] != "chains") continue;
    ++chains;
    bool named = false;
    for (const RungRow& row : kRungRows)
      named = named || (row.grade == RungChains && f[3].find(row.label) != std::string::npos);
    EXPECT_TRUE(named) << line;
  }
  EXPECT_GT(chains, 0u);
}

}  // namespace
