// The edit dialog's moves, the random digit exchange and the board memory.
#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "board/candidates.h"
#include "board/transform.h"
#include "drivers/commands.h"
#include "drivers/dialogs.h"
#include "tests/support.h"

namespace {

const char* const kSolved =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

// Starts from a board whose cells all differ: values of a solved grid, kinds varied, some empty.
class Transform : public EngineTest {
 protected:
  Board start;
  void SetUp() override {
    EngineTest::SetUp();
    LoadGrid(kSolved);
    for (uint32_t c = 0; c < 81; ++c) g.board.kind[c] = c % 3 == 0 ? KindGiven : c % 3 == 1 ? KindInput : KindAuto;
    for (uint32_t c : {5u, 17u, 60u}) g.board.value[c] = 0, g.board.kind[c] = KindEmpty;
    start = g.board;
  }
  bool AtStart() const { return std::memcmp(&start, &g.board, sizeof start) == 0; }
};

// The 24 moves are buttons 1750..1980 by tens, each its own board, undone by repeating it.
TEST_F(Transform, EditMovesAreTheTwentyFourButtonsAndUndoThemselves) {
  BeginEditSession();
  std::set<std::string> pictures;
  for (uint32_t button = 1700; button <= 2030; ++button) {
    const bool move = button >= 1750 && button <= 1980 && button % 10 == 0;
    ASSERT_EQ(EditDialogButton(button) != 0, move) << button;
    if (!move) {
      EXPECT_TRUE(AtStart()) << button;
      continue;
    }
    EXPECT_FALSE(AtStart()) << button;
    pictures.insert(BoardValues());
    const bool exchange = (button - 1750) / 10 % 3 == 2;
    for (int i = 0; i < (exchange ? 1 : 2); ++i) EditDialogButton(button);
    EXPECT_TRUE(AtStart()) << button;
  }
  EXPECT_EQ(pictures.size(), 24u) << "every move gives its own board";
  LoadGrid(kSolved);
  for (uint32_t button = 1750; button <= 1980; button += 10) EditMove(button);
  EXPECT_EQ(CheckComplete(), 1u);
  LoadGrid(kSolved);
  EditMove(1810);  // the top band's rows roll up: the first row takes the second
  EXPECT_EQ(g.board.value[0], static_cast<uint32_t>(kSolved[9] - '0'));
  EditMove(1900);  // the first column takes the third
  EXPECT_EQ(g.board.value[0], static_cast<uint32_t>(kSolved[11] - '0'));
}

// The seeded exchange keeps grids valid (two overlapping pairs once broke them), as recorded.
TEST_F(Transform, RandomExchangeUsesFourDrawsAndKeepsGridsValid) {
  Fnv grids;
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    LoadGrid(kSolved);
    SeedRandom(seed);
    RunCommand(1220);
    ASSERT_EQ(CheckComplete(), 1u) << "seed " << seed;
    grids.Mix(BoardValues());
    const uint32_t next = Random();
    SeedRandom(seed);
    for (int i = 0; i < 4; ++i) Random();
    EXPECT_EQ(Random(), next);
  }
  EXPECT_EQ(grids.Hex(), "56838804e57d0439");
  ClearBoard();
  start = g.board;
  RunCommand(1220);
  EXPECT_TRUE(AtStart());
}

TEST_F(Transform, MemoryRestoresCandidatesOnlyWhereTheyWereStored) {
  LoadGrid(kHardPuzzle);
  EnterCandidateScreen();
  for (uint32_t c : {1u, 2u, 3u})  // eliminations made by hand
    if (Flag(c, 4)) Flag(c, 4) = 0, --g.cand.count[c], --g.cand.total;
  const std::string state = DescribeState();
  RunCommand(870);
  RunCommand(430);  // recomputing brings the eliminated candidates back
  EXPECT_NE(DescribeState(), state);
  RunCommand(880);
  EXPECT_EQ(DescribeState(), state);
  EXPECT_EQ(CandidateInvariantError(), "");
  g.screenMode = ModeMakeProblem;
  platform.Clear();
  RunCommand(880);
  EXPECT_EQ(platform.Lines("message"), std::vector<std::string>{"注意\t問題作成画面での記憶ではありません"});
  // Stored in the problem-making screen, the solution store comes back with the board.
  for (uint32_t c = 0; c < 81; ++c) g.solution[c] = c % 9 + 1;
  ASSERT_EQ(RunCommand(870), CommandDone);
  const std::vector<uint32_t> stored(g.solution, g.solution + 81);
  std::fill(g.solution, g.solution + 81, 0u);
  ASSERT_EQ(RunCommand(880), CommandDone);
  EXPECT_EQ(std::vector<uint32_t>(g.solution, g.solution + 81), stored);
  // In the ordinary, input and edit screens (which refuse the turn) the stored board comes back.
  for (const uint32_t screen : {0u, 340u, 300u}) {
    ResetStartupState();
    LoadGrid(kSampleGrid);
    if (screen) {
      ASSERT_EQ(RunCommand(screen), CommandDone);
    }
    const std::vector<uint32_t> kinds(g.board.kind, g.board.kind + 81);
    for (const uint32_t command : {870u, 760u, 880u}) RunCommand(command);
    EXPECT_EQ(BoardValues(), kSampleGrid) << screen;
    EXPECT_EQ(std::vector<uint32_t>(g.board.kind, g.board.kind + 81), kinds) << screen;
    // The input screen's candidates are its state: they describe the board brought back.
    if (g.screenMode != ModeProblemInput) continue;
    const std::string shown = DescribeState();
    ComputeCandidates();
    EXPECT_EQ(DescribeState(), shown);
  }
}

}  // namespace
