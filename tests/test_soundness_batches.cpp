// Single MAX, the basic and the upper batch run to a fixed point on real puzzles: no solution
// digit may be lost and every digit they lead to must be the solution's.
#include <cstdio>

#include "board/candidates.h"
#include "board/queue.h"
#include "drivers/commands.h"
#include "tests/support.h"

namespace {


class BatchSoundness : public SolutionCheckedTest {
 protected:

  void RunCollection(const std::vector<std::string>& lines, const char* name) {
    size_t states = 0, solved = 0, wrong = 0;
    for (const std::string& line : lines) {
      SoundState state;
      if (!LoadPuzzleState(line, state)) continue;
      ++states;
      g_solution = state.solution;
      g_failure.clear();
      // As vorel-cli runs a fixed point: the batches share the unit positions they keep,
      // which every flush checks against the table.
      BeginUnitHolderCache();
      for (int pass = 0; pass < 200; ++pass) {
        const std::string before = DescribeState();
        for (uint32_t id : {910u, 1070u, 1080u}) ASSERT_EQ(RunCommand(id), CommandDone);
        if (DescribeState() == before) break;
      }
      EndUnitHolderCache();
      RunCommand(1210);  // sole candidates become digits
      std::string misplaced;
      for (uint32_t c = 0; c < 81; ++c)
        if (g.board.value[c] != 0 && g.board.value[c] != state.solution[c])
          misplaced += Format("(%u,%u) ", c % 9 + 1, c / 9 + 1);
      if (!g_failure.empty() || !misplaced.empty()) {
        ++wrong;
        ADD_FAILURE() << g_failure << " misplaced: " << misplaced << "\n  source: " << line;
        continue;
      }
      solved += CheckComplete();
    }
    std::printf("batch soundness %s: %zu puzzles, %zu solved by the battery, %zu wrong\n", name,
                states, solved, wrong);
    EXPECT_EQ(wrong, 0u);
  }
};

TEST_F(BatchSoundness, HardAndSeventeenCluePuzzles) {
  const auto hard = SampleLines("hard-a.txt", 20), few = SampleLines("sudoku17-a.txt", 200);
  if (hard.empty() && few.empty()) GTEST_SKIP() << "no puzzle collections in " << DataPath("");
  RunCollection(hard, "hard-a");
  RunCollection(few, "17-clue");
}

}  // namespace
