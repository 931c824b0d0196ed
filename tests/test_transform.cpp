// Transformations, the edit dialog's moves and the board memory.
#include <cstring>
#include <vector>

#include "board/candidates.h"
#include "board/transform.h"
#include "drivers/commands.h"
#include "drivers/frame.h"
#include "tests/support.h"

namespace {

const char* const kSolved =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

class Transform : public EngineTest {
 protected:
  // A board whose every cell is different: value from the grid, kinds varied.
  void Varied() {
    LoadGrid(kSolved);
    for (uint32_t c = 0; c < 81; ++c) g.board.kind[c] = c % 3 == 0 ? KindGiven : c % 3 == 1 ? KindInput : KindAuto;
    for (uint32_t c : {5u, 17u, 60u}) {
      g.board.value[c] = 0;
      g.board.kind[c] = KindEmpty;
    }
  }
  Board Now() const { return g.board; }
  static bool Same(const Board& a, const Board& b) { return std::memcmp(&a, &b, sizeof a) == 0; }
};

TEST_F(Transform, TurnsAndMirrorsRestoreTheBoard) {
  Varied();
  const Board start = Now();
  for (int i = 0; i < 4; ++i) RunCommand(760);
  EXPECT_TRUE(Same(Now(), start));
  for (uint32_t id : {800u, 810u, 780u, 790u, 965u}) {
    RunCommand(id);
    EXPECT_FALSE(Same(Now(), start)) << id;
    RunCommand(id);
    EXPECT_TRUE(Same(Now(), start)) << id;
  }
  RunCommand(760);
  RunCommand(770);
  EXPECT_TRUE(Same(Now(), start));
  // A right turn brings the bottom-left cell to the top-left, kind included.
  RunCommand(760);
  EXPECT_EQ(g.board.value[0], start.value[72]);
  EXPECT_EQ(g.board.kind[0], start.kind[72]);
  EXPECT_EQ(g.board.value[8], start.value[0]);
}

TEST_F(Transform, EditMovesKeepAGridValidAndUndoThemselves) {
  Varied();
  const Board start = Now();
  for (uint32_t button = 1750; button <= 1980; button += 10) {
    const bool exchange = (button - 1750) / 10 % 3 == 2;
    ASSERT_EQ(EditMove(button), 1u);
    EXPECT_FALSE(Same(Now(), start)) << button;
    for (int i = 0; i < (exchange ? 1 : 2); ++i) EditMove(button);
    EXPECT_TRUE(Same(Now(), start)) << button;
  }
  EXPECT_EQ(EditMove(1755), 0u);
  LoadGrid(kSolved);
  for (uint32_t button = 1750; button <= 1980; button += 10) EditMove(button);
  EXPECT_EQ(CheckComplete(), 1u);
  // Rolling the top band's rows up: the first row takes the second.
  LoadGrid(kSolved);
  EditMove(1810);
  EXPECT_EQ(g.board.value[0], static_cast<uint32_t>(kSolved[9] - '0'));
  EditMove(1900);  // first column takes the third
  EXPECT_EQ(g.board.value[0], static_cast<uint32_t>(kSolved[11] - '0'));
}

TEST_F(Transform, EditSessionCancelRestoresTheOpeningBoard) {
  Varied();
  const Board start = Now();
  BeginEditSession();
  for (uint32_t button : {1750u, 1810u, 1930u, 1800u, 1970u}) EditMove(button);
  RunCommand(760);  // the transformations share the backups; the session keeps its own
  EndEditSession(false);
  EXPECT_TRUE(Same(Now(), start));
  BeginEditSession();
  EditMove(1750);
  const Board moved = Now();
  EndEditSession(true);
  EXPECT_TRUE(Same(Now(), moved));
}

TEST_F(Transform, RandomExchangeUsesFourDrawsAndKeepsGridsValid) {
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    LoadGrid(kSolved);
    SeedRandom(seed);
    RunCommand(1220);
    ASSERT_EQ(CheckComplete(), 1u) << "seed " << seed;
    const uint32_t next = Random();
    SeedRandom(seed);
    for (int i = 0; i < 4; ++i) Random();
    EXPECT_EQ(Random(), next);
  }
  ClearBoard();
  const Board empty = Now();
  RunCommand(1220);
  EXPECT_TRUE(Same(Now(), empty));
}

TEST_F(Transform, MemoryRestoresCandidatesInTheCandidateScreen) {
  LoadGrid("100000002090400050006000700050903000000070000000850040700000600030009080002000001");
  EnterCandidateScreen();
  for (uint32_t c = 1, made = 0; c < 81 && made < 3; ++c)  // eliminations made by hand
    if (g.cand.count[c] > 2 && Flag(c, 2)) {
      Flag(c, 2) = 0;
      --g.cand.count[c];
      --g.cand.total;
      ++made;
    }
  const std::string state = DescribeState();
  const uint32_t total = g.cand.total;
  RunCommand(870);
  RunCommand(430);  // recompute: the eliminations are gone
  EXPECT_NE(g.cand.total, total);
  RunCommand(880);
  EXPECT_EQ(DescribeState(), state);
  EXPECT_EQ(g.cand.total, total);
  EXPECT_EQ(CandidateInvariantError(), "");
  // Restored in the problem-making screen, a candidate-screen memory is refused.
  g.screenMode = ModeMakeProblem;
  platform.Clear();
  RunCommand(880);
  EXPECT_EQ(platform.Lines("message"),
            std::vector<std::string>{"注意\t問題作成画面での記憶ではありません"});
}

TEST_F(Transform, ProblemInputKeepsCandidatesMatchingTheTurnedBoard) {
  LoadGrid("100000002090400050006000700050903000000070000000850040700000600030009080002000001");
  RunCommand(340);
  RunCommand(760);
  const std::string turned = DescribeState();
  ComputeCandidates();
  EXPECT_EQ(DescribeState(), turned);
}

}  // namespace
