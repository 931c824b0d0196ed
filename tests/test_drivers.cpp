// Batches, limits, the technique check and the last resort, seen through their transcripts.
#include <vector>

#include "board/candidates.h"
#include "board/queue.h"
#include "drivers/batch.h"
#include "drivers/commands.h"
#include "drivers/frame.h"
#include "drivers/technique_commands.h"
#include "tests/support.h"

namespace {

using Drivers = EngineTest;

// In the ordinary screen the finned and sashimi groups place a digit and redraw the usage list.
TEST_F(Drivers, FishGroupsInTheOrdinaryScreenPlaceAndRefreshTheUsageList) {
  for (uint32_t id : {1121u, 1131u}) {
    ResetStartupState();
    LoadGrid("206010008003900000000040000002500030000026040009000000800300029000050000300802001");
    if (g.usageView == 0) RunCommand(1160);  // open the usage list
    platform.Clear();
    ASSERT_EQ(RunCommand(id), CommandDone);
    EXPECT_EQ(platform.Lines("status1"), std::vector<std::string>{"空白残り[57]"}) << id;
    const std::vector<std::string> list = platform.Lines("list");
    ASSERT_EQ(list.size(), 11u) << id;
    EXPECT_EQ(list[1], "候補使用状況\t□23｜□56｜□8□") << id;  // a 7 placed: no longer offered
  }
}

// A candidate removed by hand stays removed; Single Max refreshes even without a change.
TEST_F(Drivers, BatchesKeepACandidateRemovedByHandAndSingleMaxAlwaysRefreshes) {
  LoadGrid(kSampleGrid);
  EnterCandidateScreen();
  ASSERT_TRUE(Flag(0, 4));
  Flag(0, 4) = 0;
  --g.cand.count[0];
  --g.cand.total;
  for (uint32_t id : {1070u, 1080u}) ASSERT_EQ(RunCommand(id), CommandDone);
  EXPECT_EQ(Flag(0, 4), 0u);
  LoadGrid("693784512487512936125963874932651487568247391741398625319475268856129743274836159");
  ComputeCandidates();
  platform.Clear();
  RunCommand(910);
  EXPECT_EQ(platform.Lines("status1"), std::vector<std::string>{"全候補数[0]"});
}

// Hidden Single logs a header with nothing to remove: a batch must not pass over it.
TEST_F(Drivers, BatchesRerunARoutineThatLogsWithoutRemoving) {
  LoadOpenCells({{1, 1, "1"}, {2, 1, "23"}, {3, 1, "23"}, {2, 2, "23"}, {3, 2, "23"}});
  g.settings.candErase = 2;
  const uint32_t total = g.cand.total;
  for (int run = 0; run < 3; ++run) RunCommand(910);
  EXPECT_EQ(g.cand.total, total);
  EXPECT_EQ(LogLines(), std::vector<std::string>(3, "処理(Hidden Single) 18件"));
}

// A stand-in technique for the technique check: narrows cell 7 to `narrowTo` candidates.
uint32_t narrowTo = 3;
uint32_t NarrowOneCell(uint32_t) {
  ResetQueue();
  if (g.board.value[7] == 0)
    for (uint32_t d = 0, left = g.cand.count[7]; d < 9 && left > narrowTo; ++d)
      if (Flag(7, d)) {
        QueueElimination(7, d);
        --left;
      }
  if (g.queue.length) FlushEliminations(CodeHiddenQuad);
  return 1;
}

// Cell 7 is the given 1 of the first row; the check runs from the cursor on.
TEST_F(Drivers, TechniqueCheckDeletesGivensNarrowedBelowFourFromTheCursorOn) {
  const auto saved = TechniqueCheckRoutines[0];
  TechniqueCheckRoutines[0] = NarrowOneCell;
  struct Case { uint32_t narrowTo, cursorColumn; const char* title; uint32_t cursor; };
  for (const Case& k : {Case{3, 3, "《Kelmo》 - (8,1)", 7}, Case{4, 3, "《Kelmo》", 0},
                        Case{3, 8, "《Kelmo》", 0}}) {
    SCOPED_TRACE(testing::Message() << "narrow to " << k.narrowTo << " from column " << k.cursorColumn);
    LoadGrid(kSampleGrid);
    g.screenMode = ModeMakeProblem;
    g.cursorRow = g.undo.length = 0;
    g.cursorColumn = k.cursorColumn;
    narrowTo = k.narrowTo;
    platform.Clear();
    RunCommand(1260);
    const bool deleted = k.cursor == 7;
    EXPECT_EQ(g.board.value[7], deleted ? 0u : 1u);
    EXPECT_EQ(CountGivens(), deleted ? 16u : 17u);
    EXPECT_EQ(platform.Lines("title").back(), k.title);
    EXPECT_EQ(CursorCell(), k.cursor);
    ASSERT_EQ(g.undo.length, deleted ? 1u : 0u);
    if (deleted) {
      EXPECT_EQ(g.undo.entry[0][0], 7u);
      EXPECT_EQ(g.undo.entry[0][1], 0u);
      EXPECT_EQ(platform.Lines("status1").back(), "問題数[16]");
    }
  }
  TechniqueCheckRoutines[0] = saved;
}

// The last resort tries the higher candidate of the first bivalue cell, then the lower.
TEST_F(Drivers, LastResortTriesTheHigherCandidateFirstAndTheLowerWhenItFails) {
  const std::pair<std::string, uint32_t> cases[] = {
      {"693784002487512936125963874932651487568247391741398625319475268856129743274836009", 5},
      {"693784002487512936125963874932651487568247391741398625319475268856129743274836019", 1},
      {kSampleGrid, 0}};
  for (const auto& [grid, placed] : cases) {
    SCOPED_TRACE(grid);
    ResetStartupState();
    LoadGrid(grid);
    EnterCandidateScreen();
    const std::string before = DescribeState();
    platform.Clear();
    RunCommand(1261);
    if (!placed) {
      EXPECT_EQ(DescribeState(), before);
      EXPECT_TRUE(platform.events.empty());
      continue;
    }
    EXPECT_EQ(g.board.value[6], placed);
    EXPECT_EQ(g.board.kind[6], static_cast<uint32_t>(KindAssumed));
    EXPECT_EQ(CheckUnits(), 0u);
    EXPECT_EQ(platform.Lines("status1").back(), Format("全候補数[%u]", g.cand.total));
    RunCommand(880);  // the memory holds the board from before the trial
    EXPECT_EQ(DescribeState(), before);
  }
}

}  // namespace
