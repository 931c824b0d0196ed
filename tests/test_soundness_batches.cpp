// The batch drivers on real puzzles: Single MAX, the basic batch and the upper batch run to
// a fixed point must never remove a solution digit, and the digits they lead to must be the
// solution's. Reports how many puzzles the battery solves completely.
#include <cstdio>
#include <cstring>

#include "board/candidates.h"
#include "board/queue.h"
#include "drivers/commands.h"
#include "tests/support.h"

namespace {

const uint8_t* g_solution = nullptr;
std::string g_failure;

void CheckAfterFlush(uint32_t code) {
  if (!g_failure.empty() || !g_solution) return;
  const std::string lost = LostSolutionDigits(g_solution);
  const std::string broken = CandidateInvariantError();
  if (!lost.empty()) g_failure = std::string(TechniqueName(code)) + " removed " + lost;
  if (!broken.empty()) g_failure = std::string(TechniqueName(code)) + ": " + broken;
}

class BatchSoundness : public EngineTest {
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

  void RunCollection(const std::vector<std::string>& lines, const char* name) {
    size_t states = 0, solved = 0, wrong = 0;
    for (const std::string& line : lines) {
      SoundState state;
      if (!LoadPuzzleState(line, state)) continue;
      ++states;
      g_solution = state.solution;
      g_failure.clear();
      uint32_t values[81];
      for (int pass = 0; pass < 200; ++pass) {
        std::memcpy(values, g.board.value, sizeof values);
        const uint32_t total = g.cand.total;
        for (uint32_t id : {910u, 1070u, 1080u}) ASSERT_EQ(RunCommand(id), CommandDone);
        if (g.cand.total == total && std::memcmp(values, g.board.value, sizeof values) == 0)
          break;
      }
      // Sole candidates become digits: every one must be the solution's.
      RunCommand(1210);
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

TEST_F(BatchSoundness, HardPuzzles) {
  auto lines = SampleLines("hard-a.txt", 20);
  if (lines.empty()) GTEST_SKIP() << "hard-a.txt not found in " << DataPath("");
  RunCollection(lines, "hard-a");
}

TEST_F(BatchSoundness, SeventeenCluePuzzles) {
  auto lines = SampleLines("sudoku17-a.txt", 200);
  if (lines.empty()) GTEST_SKIP() << "sudoku17-a.txt not found in " << DataPath("");
  RunCollection(lines, "17-clue");
}

}  // namespace
