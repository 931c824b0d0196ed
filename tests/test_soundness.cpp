// No technique may remove a digit of the puzzle's unique solution. Every available routine
// runs, in catalogue order and repeatedly, on real puzzle states; after every flush each
// empty cell must still hold its solution digit and the candidate table must be consistent.
#include <cstdio>
#include <map>

#include "board/candidates.h"
#include "board/queue.h"
#include "techniques/techniques.h"
#include "tests/support.h"

namespace {

struct Tally {
  uint64_t calls = 0, eliminations = 0;
};

class Soundness : public SolutionCheckedTest {
 protected:
  // Runs every routine over the state until a whole pass removes nothing.
  void Exercise(const SoundState& state, std::map<std::string, Tally>& tallies, size_t& wrong) {
    g_solution = state.solution;
    for (int pass = 0; pass < 40; ++pass) {
      const uint32_t passStart = g.cand.total;
      for (const RoutineEntry* const* t = RoutineTables(); *t; ++t)
        for (const RoutineEntry* e = *t; e->name; ++e) {
          // The nested net tries every candidate inside every assumption: it is checked along
          // the solving path (test_rung.cpp) rather than on every state here.
          if (std::string(e->name) == "NestedForcingNet") continue;
          const std::string before = DescribeState();
          const uint32_t total = g.cand.total;
          g_failure.clear();
          e->routine(0);
          Tally& tally = tallies[e->name];
          ++tally.calls;
          tally.eliminations += total - g.cand.total;
          if (!g_failure.empty()) {
            ++wrong;
            ADD_FAILURE() << e->name << ": " << g_failure << "\n  source: " << state.source
                          << "\n  state before: " << before;
            return;
          }
        }
      if (g.cand.total == passStart) break;
    }
  }

  void RunCollection(const std::vector<std::string>& lines, bool reglib) {
    std::map<std::string, Tally> tallies;
    size_t states = 0, wrong = 0;
    for (const std::string& line : lines) {
      SoundState state;
      if (!(reglib ? LoadReglibState(line, state) : LoadPuzzleState(line, state))) continue;
      ++states;
      Exercise(state, tallies, wrong);
    }
    uint64_t eliminations = 0;
    for (const auto& [name, tally] : tallies) eliminations += tally.eliminations;
    std::printf("soundness: %zu states, %llu eliminations checked, %zu wrong\n", states,
                static_cast<unsigned long long>(eliminations), wrong);
    for (const auto& [name, tally] : tallies)
      std::printf("  %-28s %8llu calls %8llu eliminations\n", name.c_str(),
                  static_cast<unsigned long long>(tally.calls),
                  static_cast<unsigned long long>(tally.eliminations));
    EXPECT_EQ(wrong, 0u);
  }
};

TEST_F(Soundness, HardPuzzles) {
  auto lines = SampleLines("hard-a.txt", 20);
  if (lines.empty()) GTEST_SKIP() << "hard-a.txt not found in " << DataPath("");
  RunCollection(lines, false);
}

TEST_F(Soundness, SeventeenCluePuzzles) {
  auto lines = SampleLines("sudoku17-a.txt", 400);
  if (lines.empty()) GTEST_SKIP() << "sudoku17-a.txt not found in " << DataPath("");
  RunCollection(lines, false);
}

TEST_F(Soundness, RegressionLibraryStates) {
  auto lines = SampleLines("reglib-1.4.txt", 1);
  if (lines.empty()) GTEST_SKIP() << "reglib-1.4.txt not found in " << DataPath("");
  RunCollection(lines, true);
}

}  // namespace
