// The frame's plain logic: gates, cursor keys, digit entry, status texts and lists.
#include <cstring>
#include <vector>

#include "board/candidates.h"
#include "board/queue.h"
#include "drivers/commands.h"
#include "drivers/frame.h"
#include "tests/support.h"

namespace {

const char* const kSample =
    "000000010400000000020000000000050407008000300001090000300400200050100000000806000";

struct Snapshot {
  Board board;
  CandidateTable cand;
  uint32_t row, column, mode, undo;
  bool operator==(const Snapshot& o) const {
    return std::memcmp(&board, &o.board, sizeof board) == 0 &&
           std::memcmp(&cand, &o.cand, sizeof cand) == 0 && row == o.row &&
           column == o.column && mode == o.mode && undo == o.undo;
  }
};
Snapshot Take() { return {g.board, g.cand, g.cursorRow, g.cursorColumn, g.screenMode, g.undo.length}; }

using Frame = EngineTest;

TEST_F(Frame, ARefusedCommandChangesNothingAndShowsNothing) {
  const CommandEntry* tables[] = {kFrameCommands, kTechniqueCommands, kReadCommands,
                                  kWriteCommands, kEditCommands, kGeneratorCommands};
  size_t refused = 0;
  for (uint32_t mode = ModeNormal; mode <= ModeProblemInput; ++mode)
    for (const CommandEntry* t : tables)
      for (const CommandEntry* e = t; e->id; ++e) {
        if (e->gate & GateOf(mode)) continue;
        LoadGrid(kSample);
        g.screenMode = mode;
        ComputeCandidates();
        g.cursorRow = 4;
        g.cursorColumn = 4;
        const Snapshot before = Take();
        platform.Clear();
        EXPECT_EQ(RunCommand(e->id), CommandRefused) << e->id;
        EXPECT_TRUE(Take() == before) << "command " << e->id << " in mode " << mode;
        EXPECT_TRUE(platform.events.empty()) << "command " << e->id << " in mode " << mode;
        ++refused;
      }
  EXPECT_GT(refused, 100u);
}

TEST_F(Frame, GatesFollowTheModes) {
  // id, then the modes Normal, New, Edit, Candidate, Make, Input where it runs.
  const std::vector<std::pair<uint32_t, std::vector<int>>> table = {
      {1070, {0, 0, 0, 1, 1, 1}}, {910, {0, 0, 0, 1, 1, 1}},  {950, {1, 0, 1, 0, 1, 1}},
      {430, {1, 0, 1, 1, 1, 1}},  {1260, {0, 0, 0, 0, 1, 0}}, {1261, {0, 0, 0, 1, 0, 0}},
      {440, {1, 0, 0, 1, 1, 1}},  {1045, {0, 0, 0, 1, 1, 1}}, {620, {1, 1, 1, 0, 1, 1}},
      {621, {1, 1, 1, 0, 0, 1}},  {760, {1, 0, 0, 0, 0, 1}},  {965, {1, 1, 0, 0, 0, 1}},
      {1220, {1, 0, 0, 0, 0, 1}}, {260, {1, 0, 1, 0, 1, 1}},  {280, {1, 0, 0, 0, 1, 1}},
      {615, {1, 0, 0, 0, 1, 0}},  {750, {0, 1, 1, 0, 0, 0}},  {1200, {1, 0, 0, 0, 1, 1}},
      {1232, {0, 0, 1, 0, 1, 1}}, {1242, {0, 0, 0, 1, 0, 0}}, {2060, {1, 0, 1, 0, 0, 1}},
      {340, {1, 0, 0, 0, 0, 1}},  {290, {1, 1, 1, 0, 1, 1}},
  };
  for (const auto& [id, modes] : table) {
    const CommandEntry* e = FindCommand(id);
    ASSERT_NE(e, nullptr) << id;
    for (uint32_t m = 0; m < 6; ++m)
      EXPECT_EQ((e->gate & GateOf(m)) != 0, modes[m] == 1) << "command " << id << " mode " << m;
  }
}

TEST_F(Frame, CursorKeysStopOrWrapByMode) {
  g.cursorRow = 3;
  g.cursorColumn = 8;
  RunCommand(2640);  // Normal: nothing past the edge
  EXPECT_EQ(CursorCell(), 3u * 9 + 8);
  RunCommand(300);
  g.settings.csrMove = 1;
  RunCommand(2640);
  EXPECT_EQ(CursorCell(), 4u * 9);
  g.cursorRow = 8; g.cursorColumn = 8;
  RunCommand(2640);
  EXPECT_EQ(CursorCell(), 0u);
  RunCommand(2650);
  EXPECT_EQ(CursorCell(), 80u);
  RunCommand(2630);
  EXPECT_EQ(CursorCell(), 8u);
  RunCommand(2620);
  EXPECT_EQ(CursorCell(), 80u);
  g.settings.csrMove = 0;  // "ノーマル": stays at the edge
  RunCommand(2630);
  RunCommand(2640);
  EXPECT_EQ(CursorCell(), 80u);
}

TEST_F(Frame, TypedDigitsBecomeInputOrAssumedOrAreRefused) {
  // Row 0 holds 1..8: its last cell is forced to 9 (kind input).
  LoadGrid("123456780");
  g.settings.csrMove = 0;
  g.cursorRow = 0; g.cursorColumn = 8;
  RunCommand(629);
  EXPECT_EQ(g.board.value[8], 9u);
  EXPECT_EQ(g.board.kind[8], static_cast<uint32_t>(KindInput));
  // A free cell takes any allowed digit as assumed.
  g.cursorRow = 4; g.cursorColumn = 4;
  RunCommand(623);
  EXPECT_EQ(g.board.kind[40], static_cast<uint32_t>(KindAssumed));
  // A digit already in the row is refused with the question and changes nothing.
  g.cursorRow = 1; g.cursorColumn = 0;  // block 0 holds 1, 2, 3
  platform.Clear();
  RunCommand(622);
  EXPECT_EQ(g.board.value[9], 0u);
  EXPECT_EQ(platform.Lines("message"), std::vector<std::string>{"確認\tそれで良いのですか？"});
  // Givens cannot be typed over; "0" empties only typed digits.
  g.cursorRow = 0; g.cursorColumn = 0;
  RunCommand(625);
  EXPECT_EQ(g.board.value[0], 1u);
  RunCommand(620);
  EXPECT_EQ(g.board.value[0], 1u);
  g.cursorRow = 4; g.cursorColumn = 4;
  RunCommand(720);
  EXPECT_EQ(g.board.value[40], 0u);
  // With "エディット" the cursor moves on after an entry.
  g.settings.csrMove = 1;
  RunCommand(623);
  EXPECT_EQ(CursorCell(), 41u);
}

TEST_F(Frame, ProblemInputTakesDigitsAsGivensWithUndo) {
  ClearBoard();
  ASSERT_EQ(RunCommand(340), CommandDone);
  EXPECT_EQ(platform.Lines("status0").back(), "＜問題の入力＞");
  RunCommand(625);
  EXPECT_EQ(g.board.value[0], 5u);
  EXPECT_EQ(g.board.kind[0], static_cast<uint32_t>(KindGiven));
  ASSERT_EQ(g.undo.length, 1u);
  EXPECT_EQ(g.undo.entry[0][1], 0u * 256 + KindEmpty);
  EXPECT_EQ(platform.Lines("status1").back(), "問題数[1]");
  g.cursorRow = 0; g.cursorColumn = 0;
  RunCommand(1232);  // undo
  EXPECT_EQ(g.board.value[0], 0u);
  RunCommand(340);
  EXPECT_EQ(g.screenMode, static_cast<uint32_t>(ModeNormal));
}

TEST_F(Frame, FullBoardReportsCompletion) {
  LoadGrid("534678912672195348198342567859761423426853791713924856961537284287419635345286170");
  g.cursorRow = 8; g.cursorColumn = 8;
  RunCommand(629);
  EXPECT_EQ(platform.Lines("status1").back(), "完了です");
}

TEST_F(Frame, CompletionTextGivesWayToTheModeLabelAfterSixTicks) {
  LoadGrid(kSample);
  EnterCandidateScreen();
  RunCommand(410);
  platform.Clear();
  for (int i = 0; i < 5; ++i) TimerTick();
  EXPECT_TRUE(platform.Lines("status0").empty());
  TimerTick();
  EXPECT_EQ(platform.Lines("status0"), std::vector<std::string>{"＜候補表示画面＞"});
}

TEST_F(Frame, CandidateTextsCarryTheForcedReason) {
  LoadGrid("123456780");
  g.cursorRow = 0; g.cursorColumn = 8;
  RunCommand(260);
  EXPECT_EQ(platform.Lines("message").back(), "候補一覧\t<９>=(Sell Unique)");
  g.cursorRow = 4; g.cursorColumn = 0;
  g.settings.kanSuuji = 2;
  uint32_t n = 0;
  EXPECT_EQ(CursorCandidateText(n), "<二 三 四 五 六 七 八 九>");
  EXPECT_EQ(n, 8u);
}

TEST_F(Frame, MarkingDisplaysShowTextsAndEndWithTheNextCommand) {
  LoadGrid(kSample);
  g.cursorRow = 0; g.cursorColumn = 7;  // the given 1
  RunCommand(1200);
  EXPECT_EQ(platform.Lines("status0").back(), "1 を入力可能な箇所を塗りつぶしました");
  uint32_t marked = 0;
  for (uint32_t c = 0; c < 81; ++c) marked += g.board.kind[c] == KindMarked;
  EXPECT_GT(marked, 0u);
  RunCommand(2630);
  for (uint32_t c = 0; c < 81; ++c) EXPECT_NE(g.board.kind[c], static_cast<uint32_t>(KindMarked));
  g.settings.kanSuuji = 1;
  g.cursorRow = 0; g.cursorColumn = 7;
  RunCommand(1205);
  EXPECT_EQ(platform.Lines("status0").back(), "１ が確定している箇所を表示しました");
  RunCommand(740);
  EXPECT_EQ(platform.Lines("message").back(), "同一数値確認\t「１」は3個あります");
}

TEST_F(Frame, UsageListCyclesThroughItsViews) {
  // The start-up board: every row holds 1..9, so block 0 has 1, 2 and 3 only.
  RunCommand(1160);
  std::vector<std::string> lines = platform.Lines("list");
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines[0], "候補使用状況\t□□□｜456｜789");
  EXPECT_EQ(lines[3], "候補使用状況\t－－－＋－－－＋－－－");
  platform.Clear();
  RunCommand(1160);  // columns: each holds its digit nine times
  EXPECT_EQ(platform.Lines("list")[0], "候補使用状況\t□23｜456｜789");
  RunCommand(1160);
  RunCommand(1160);
  EXPECT_EQ(g.usageView, 0u);
}

TEST_F(Frame, CandidateListCirclesStrongLinkCells) {
  LoadGrid(kSample);
  EnterCandidateScreen();
  platform.Clear();
  RunCommand(1150);
  const std::vector<std::string> lines = platform.Lines("list");
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0], "候補リスト表示\t候補 <1>");
  EXPECT_EQ(platform.Lines("dialog"), std::vector<std::string>{"1150\t候補リスト表示"});
  EXPECT_EQ(lines[1].substr(lines[1].size() - 6), "１□");
  size_t circled = 0;
  for (const std::string& line : lines) circled += line.find("①") != std::string::npos;
  EXPECT_GT(circled, 0u);
}

TEST_F(Frame, DialogCommandsOnlyReportTheirDialog) {
  LoadGrid(kSample);
  const std::string before = DescribeState();
  for (uint32_t id : {130u, 160u, 170u, 180u, 190u, 290u, 345u, 1190u, 1241u, 3000u, 3030u}) {
    platform.Clear();
    ASSERT_EQ(RunCommand(id), CommandDone) << id;
    EXPECT_EQ(platform.events.size(), 1u) << id;
    EXPECT_EQ(platform.events[0].kind, "dialog") << id;
  }
  EXPECT_EQ(DescribeState(), before);
}

TEST_F(Frame, StartUpSetsMenusFromTheSettings) {
  g.settings.dispSameNumb = 1;
  StartFrame();
  EXPECT_NE(std::find(platform.checkedMenus.begin(), platform.checkedMenus.end(), 825u),
            platform.checkedMenus.end());
  EXPECT_NE(std::find(platform.disabledMenus.begin(), platform.disabledMenus.end(), 880u),
            platform.disabledMenus.end());
  RunCommand(870);
  EXPECT_EQ(std::find(platform.disabledMenus.begin(), platform.disabledMenus.end(), 880u),
            platform.disabledMenus.end());
}

TEST_F(Frame, FixpointRunsTheListUntilNothingChanges) {
  const std::string file = WriteTempFile("two.txt", std::string(kSample) + "\n" + kSample + "\n");
  int status = -1;
  const std::string out =
      RunCli("-t -m candidate -l 0 -e " + file + " --fixpoint -r 910 -r 1070 -p candidates", &status);
  EXPECT_EQ(status, 0);
  // Solved by singles: every empty cell ends with one candidate.
  EXPECT_NE(out.find("全候補数[64]"), std::string::npos);
  EXPECT_EQ(out.find("(12"), std::string::npos);
}

}  // namespace
