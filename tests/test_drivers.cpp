// Batches, limits, the technique check and the last resort, seen through their transcripts.
#include <cstring>
#include <vector>

#include "board/candidates.h"
#include "board/queue.h"
#include "drivers/batch.h"
#include "drivers/commands.h"
#include "drivers/frame.h"
#include "drivers/technique_commands.h"
#include "board/platform.h"
#include "tests/support.h"

namespace {

// Needs more than singles.
const char* const kHard =
    "100000002090400050006000700050903000000070000000850040700000600030009080002000001";
const char* const kSample =
    "000000010400000000020000000000050407008000300001090000300400200050100000000806000";

std::string SolutionOf(const std::string& puzzle) {
  uint8_t grid[81], solution[81];
  ParseGrid(puzzle, grid);
  EXPECT_EQ(CountSolutions(grid, solution), 1);
  std::string s;
  for (int c = 0; c < 81; ++c) s += static_cast<char>('0' + solution[c]);
  return s;
}

std::vector<uint32_t> flushCodes;
void RecordFlush(uint32_t code) { flushCodes.push_back(code); }

// The flushes must follow the batch's order: each code at or after the previous position.
bool FollowsOrder(const std::vector<uint32_t>& codes, const std::vector<uint32_t>& order) {
  size_t at = 0;
  for (uint32_t code : codes) {
    while (at < order.size() && order[at] != code) ++at;
    if (at == order.size()) return false;
  }
  return true;
}

class Drivers : public EngineTest {
 protected:
  void TearDown() override {
    FlushObserver = nullptr;
    EngineTest::TearDown();
  }
  void Board(uint32_t value[81], uint32_t kind[81]) {
    std::memcpy(value, g.board.value, 81 * sizeof(uint32_t));
    std::memcpy(kind, g.board.kind, 81 * sizeof(uint32_t));
  }
};

TEST_F(Drivers, BatchesFlushInTheirFixedOrderAndRefreshOnceAtTheEnd) {
  LoadGrid(kSample);
  EnterCandidateScreen();
  platform.Clear();
  flushCodes.clear();
  FlushObserver = RecordFlush;
  ASSERT_EQ(RunCommand(1070), CommandDone);
  EXPECT_TRUE(FollowsOrder(flushCodes, {9, 7, 5, 3, 8, 6, 4, 2, 1, 28}));
  ASSERT_FALSE(flushCodes.empty());
  // Hidden Single runs before Naked Single; the only status line closes the batch.
  const auto& ev = platform.events;
  ASSERT_FALSE(ev.empty());
  EXPECT_EQ(ev.back().kind, "status1");
  EXPECT_EQ(ev.back().text, Format("全候補数[%u]", g.cand.total));
  EXPECT_EQ(platform.Lines("status1").size(), 1u);

  flushCodes.clear();
  RunCommand(1080);
  EXPECT_TRUE(FollowsOrder(flushCodes, {13, 12, 11, 10, 15, 14, 22, 16, 17, 24, 25, 31, 23, 26,
                                        27, 45, 29, 30, 42, 44, 48}));
}

TEST_F(Drivers, BatchesWorkOnTheCandidatesAsFoundAndStaySilentWithoutChange) {
  LoadGrid(kSample);
  EnterCandidateScreen();
  // A candidate removed by hand stays removed: no recomputation first.
  const uint32_t cell = 0;
  ASSERT_TRUE(Flag(cell, 4));
  Flag(cell, 4) = 0;
  --g.cand.count[cell];
  --g.cand.total;
  RunCommand(1070);
  EXPECT_EQ(Flag(cell, 4), 0u);

  LoadGrid(SolutionOf(kSample));
  ComputeCandidates();
  platform.Clear();
  RunCommand(1070);
  RunCommand(1080);
  EXPECT_TRUE(platform.events.empty());
  // Single MAX refreshes even when nothing changed.
  RunCommand(910);
  EXPECT_EQ(platform.Lines("status1"), std::vector<std::string>{"全候補数[0]"});
}

TEST_F(Drivers, AutoLimitInEditOnlyReportsAndKeepsTheBoard) {
  std::string almost = SolutionOf(kSample);
  for (int c : {0, 10, 20, 40, 80}) almost[c] = '0';
  for (const auto& [grid, text] :
       {std::pair<std::string, std::string>{almost, "確認\t自動で最後まで処理可能"},
        std::pair<std::string, std::string>{kHard, "確認\t自動で処理不可能です"}}) {
    LoadGrid(grid);
    RunCommand(300);
    uint32_t v0[81], k0[81], v1[81], k1[81];
    Board(v0, k0);
    platform.Clear();
    ASSERT_EQ(RunCommand(950), CommandDone);
    EXPECT_EQ(platform.Lines("message"), std::vector<std::string>{text});
    Board(v1, k1);
    EXPECT_EQ(0, std::memcmp(v0, v1, sizeof v0));
    EXPECT_EQ(0, std::memcmp(k0, k1, sizeof k0));
    RunCommand(300);
  }
}

// A stand-in technique for the technique check: narrows one cell to `keep` candidates.
uint32_t narrowCell = 0, narrowTo = 3;
uint32_t NarrowOneCell(uint32_t) {
  ResetQueue();
  if (g.board.value[narrowCell] == 0)
    for (uint32_t d = 0, left = g.cand.count[narrowCell]; d < 9 && left > narrowTo; ++d)
      if (Flag(narrowCell, d)) {
        QueueElimination(narrowCell, d);
        --left;
      }
  if (g.queue.length) FlushEliminations(CodeHiddenQuad);
  return 1;
}

class CheckDelete : public Drivers {
 protected:
  uint32_t (*saved)(uint32_t) = nullptr;
  void SetUp() override {
    Drivers::SetUp();
    saved = TechniqueCheckRoutines[0];
    TechniqueCheckRoutines[0] = NarrowOneCell;
    LoadGrid(kSample);
    g.screenMode = ModeMakeProblem;
    narrowCell = 7;  // the given 1 of the first row
    g.cursorRow = 0;
    g.cursorColumn = 3;
  }
  void TearDown() override {
    TechniqueCheckRoutines[0] = saved;
    Drivers::TearDown();
  }
};

TEST_F(CheckDelete, AcceptsACellNarrowedBelowFour) {
  narrowTo = 3;
  RunCommand(1260);
  EXPECT_EQ(g.board.value[7], 0u);
  EXPECT_EQ(CursorCell(), 7u);
  EXPECT_EQ(platform.Lines("title").back(), "《Kelmo》 - (8,1)");
  ASSERT_EQ(g.undo.length, 1u);
  EXPECT_EQ(g.undo.entry[0][0], 7u);
  EXPECT_EQ(g.undo.entry[0][1], 0u);
  EXPECT_EQ(platform.Lines("status1").back(), Format("問題数[%u]", CountGivens()));
}

TEST_F(CheckDelete, RejectsACountOfFourAndResetsTitleAndCursor) {
  narrowTo = 4;
  uint32_t v0[81], k0[81], v1[81], k1[81];
  Board(v0, k0);
  RunCommand(1260);
  Board(v1, k1);
  EXPECT_EQ(0, std::memcmp(v0, v1, sizeof v0));
  EXPECT_EQ(0, std::memcmp(k0, k1, sizeof k0));
  EXPECT_EQ(platform.Lines("title").back(), "《Kelmo》");
  EXPECT_EQ(CursorCell(), 0u);
  EXPECT_EQ(g.undo.length, 0u);
}

TEST_F(CheckDelete, StartsAtTheCursor) {
  narrowTo = 3;
  g.cursorRow = 0;
  g.cursorColumn = 8;  // past the narrowed given
  RunCommand(1260);
  EXPECT_EQ(g.board.value[7], 1u);
  EXPECT_EQ(platform.Lines("title").back(), "《Kelmo》");
}

// A solved grid with a deadly rectangle emptied has two solutions; the last resort must take
// the higher candidate in the first cell.
TEST_F(Drivers, LastResortTriesTheHigherCandidateFirst) {
  const std::string solved = SolutionOf(kSample);
  int cells[4] = {-1};
  for (int r1 = 0; r1 < 9 && cells[0] < 0; ++r1)
    for (int r2 = r1 + 1; r2 < 9 && cells[0] < 0; ++r2)
      for (int c1 = 0; c1 < 9 && cells[0] < 0; ++c1)
        for (int c2 = c1 + 1; c2 < 9; ++c2) {
          const bool twoBlocks = r1 / 3 == r2 / 3 ? c1 / 3 != c2 / 3 : c1 / 3 == c2 / 3;
          if (twoBlocks && solved[r1 * 9 + c1] == solved[r2 * 9 + c2] &&
              solved[r1 * 9 + c2] == solved[r2 * 9 + c1]) {
            cells[0] = r1 * 9 + c1; cells[1] = r1 * 9 + c2;
            cells[2] = r2 * 9 + c1; cells[3] = r2 * 9 + c2;
            break;
          }
        }
  ASSERT_GE(cells[0], 0) << "no rectangle in the solution";
  std::string grid = solved;
  for (int c : cells) grid[c] = '0';
  LoadGrid(grid);
  EnterCandidateScreen();
  const uint32_t totalBefore = g.cand.total;
  const uint32_t high = std::max(solved[cells[0]], solved[cells[1]]) - '0';
  platform.Clear();
  RunCommand(1261);
  EXPECT_EQ(g.board.value[cells[0]], high);
  EXPECT_EQ(g.board.kind[cells[0]], static_cast<uint32_t>(KindAssumed));
  EXPECT_EQ(platform.Lines("status1").back(), Format("全候補数[%u]", g.cand.total));
  // The memory holds the board from before the trial.
  RunCommand(880);
  EXPECT_EQ(g.cand.total, totalBefore);
  EXPECT_EQ(g.board.value[cells[0]], 0u);
}

TEST_F(Drivers, LastResortWithoutBivalueCellsChangesNothing) {
  LoadGrid(kSample);
  EnterCandidateScreen();
  for (uint32_t c = 0; c < 81; ++c) ASSERT_NE(g.cand.count[c], 2u);
  const std::string before = DescribeState();
  platform.Clear();
  RunCommand(1261);
  EXPECT_EQ(DescribeState(), before);
  EXPECT_TRUE(platform.Lines("status1").empty());
}

TEST_F(Drivers, ClearingCommandsFollowTheMode) {
  LoadGrid(kSample);
  g.board.value[0] = 6; g.board.kind[0] = KindAuto;
  g.board.value[1] = 7; g.board.kind[1] = KindInput;
  RunCommand(430);
  EXPECT_EQ(g.board.value[0], 0u);
  EXPECT_EQ(g.board.value[1], 7u);
  RunCommand(420);
  EXPECT_EQ(g.board.value[1], 0u);
  EXPECT_EQ(platform.Lines("status1").back(), "空白残り[64]");
}

TEST_F(Drivers, PanelButtonsPostTheirCommandsThroughTheGates) {
  LoadGrid(kSample);
  EnterCandidateScreen();
  platform.Clear();
  EXPECT_EQ(PressPanelButton(PanelControl, 2010), CommandDone);  // MAX Single
  EXPECT_EQ(platform.Lines("status1").size(), 1u);
  EXPECT_EQ(PanelButtonCommand(PanelControl, 2000), 1045u);  // the check, not 1040
  EXPECT_EQ(PanelButtonCommand(PanelControl, 2033), 0u);     // generator buttons: not here
  g.screenMode = ModeMakeProblem;
  EXPECT_EQ(PanelButtonCommand(PanelControl, 2033), 610u);
  EXPECT_EQ(PanelButtonCommand(PanelControl, 2037), 330u);
  EXPECT_EQ(PanelButtonCommand(PanelInput, 1830), 629u);
  // Digits are refused in the candidate screen.
  g.screenMode = ModeCandidateScreen;
  EXPECT_EQ(PressPanelButton(PanelInput, 1750), CommandRefused);
}

}  // namespace
