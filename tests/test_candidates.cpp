// Candidate computation, singles, the placement pass, the value-only passes and the checks.
#include <algorithm>
#include <cstring>

#include "board/candidates.h"
#include "board/queue.h"
#include "drivers/commands.h"
#include "tests/support.h"

namespace {

// A valid solved grid: value(r, c) = (3r + r/3 + c) mod 9 + 1.
std::string SolvedGrid() {
  std::string s;
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) s += static_cast<char>('1' + (r * 3 + r / 3 + c) % 9);
  return s;
}

class Candidates : public EngineTest {};

TEST_F(Candidates, CellWithAllDigitsAmongPeersKeepsTheLastRemovedOne) {
  // Row 0 holds 2..9 in columns 1..8 and cell (row 1, column 0) holds 1: the removal of 9 at
  // cell 0 comes before the attempt for 1, which then finds the count at 1 and removes nothing.
  LoadGrid(".23456789" "1........");
  ComputeCandidates();
  EXPECT_EQ(g.cand.count[0], 1u);
  EXPECT_EQ(g.cand.flag[0], 1u) << "digit 1 is kept although it stands in the column";
  EXPECT_EQ(CandidateInvariantError(), "");
  // A cell whose peers hold eight digits gets the ninth.
  LoadGrid(".23456789");
  ComputeCandidates();
  EXPECT_EQ(g.cand.count[0], 1u);
  EXPECT_EQ(g.cand.flag[0], 1u);
}

TEST_F(Candidates, CompletionCheckTexts) {
  LoadGrid(SolvedGrid());
  EXPECT_EQ(CheckUnits(), 0u);
  RunCommand(410);
  EXPECT_EQ(platform.Lines("status0"), std::vector<std::string>{"祝！完成"});
  platform.Clear();
  // Swap cells (0,0) and (0,3): columns 1 and 4, blocks 1 and 2 break.
  std::swap(g.board.value[0], g.board.value[3]);
  g.board.kind[5] = KindInput;
  RunCommand(410);
  EXPECT_EQ(platform.Lines("message"), std::vector<std::string>{"矛盾しています\t列：１ ４ 塊：１ ２ "});
  EXPECT_EQ(platform.Lines("status0"), std::vector<std::string>{"失敗です…"});
  EXPECT_EQ(g.board.kind[5], static_cast<uint32_t>(KindInput)) << "marked kinds are restored";
  // While the message is up the same-digit display is off; afterwards it comes back.
  struct Spy : HeadlessPlatform {
    uint32_t sameDigit = 9;
    uint32_t MessageBox(const std::string& text, const std::string& title, uint32_t icon,
                        uint32_t buttons) override {
      sameDigit = g.sameDigitDisplay;
      return HeadlessPlatform::MessageBox(text, title, icon, buttons);
    }
  } spy;
  SetPlatform(&spy);
  g.sameDigitDisplay = 1;
  RunCommand(410);
  SetPlatform(&platform);
  EXPECT_EQ(spy.sameDigit, 0u);
  EXPECT_EQ(g.sameDigitDisplay, 1u);
  platform.Clear();
  g.board.value[40] = 0;
  RunCommand(410);
  EXPECT_EQ(platform.Lines("status0"), std::vector<std::string>{"失敗です…"});
  EXPECT_TRUE(platform.Lines("message").empty());
}

// The units that do not hold the digits 1 to 9 once each, counted the slow way: bit t*9+u for
// rows (t 0), columns (t 1) and blocks (t 2).
uint32_t BrokenUnits(const std::string& grid) {
  uint32_t mask = 0;
  for (uint32_t t = 0; t < 3; ++t)
    for (uint32_t u = 0; u < 9; ++u) {
      std::string digits;
      for (uint32_t k = 0; k < 9; ++k) {
        const uint32_t r = t == 0 ? u : t == 1 ? k : u / 3 * 3 + k / 3;
        const uint32_t c = t == 0 ? k : t == 1 ? u : u % 3 * 3 + k % 3;
        digits += grid[r * 9 + c];
      }
      std::sort(digits.begin(), digits.end());
      if (digits != "123456789") mask |= 1u << (t * 9 + u);
    }
  return mask;
}

// Every unit at both ends and every digit: two cells swapped in each row and each column, and
// one cell of every position given each other digit; in the candidate screen the same cell is
// emptied with its digit as the single candidate left.
// While the completion check's message is up in the board view, the cells that repeat a
// digit within a broken unit are marked, and only those.
struct MarksAtMessage : HeadlessPlatform {
  std::string marked;
  uint32_t MessageBox(const std::string& text, const std::string& title, uint32_t icon,
                      uint32_t buttons) override {
    for (uint32_t c = 0; c < 81; ++c) marked += g.board.kind[c] == KindMarked ? 'x' : '.';
    return HeadlessPlatform::MessageBox(text, title, icon, buttons);
  }
};

std::string RepeatedDigits(const std::string& grid) {
  std::string marked(81, '.');
  for (uint32_t a = 0; a < 81; ++a)
    for (uint32_t b = 0; b < 81; ++b)
      if (a != b && grid[a] == grid[b] &&
          (a / 9 == b / 9 || a % 9 == b % 9 || (a / 27 == b / 27 && a % 9 / 3 == b % 9 / 3)))
        marked[a] = 'x';
  return marked;
}

TEST_F(Candidates, CheckUnitsNamesExactlyTheBrokenUnitsOfEveryRowColumnBlockAndDigit) {
  std::vector<std::string> grids;
  for (uint32_t i = 0; i < 9; ++i) {
    std::string g1 = SolvedGrid(), g2 = SolvedGrid();
    std::swap(g1[i * 9], g1[i * 9 + 8]);  // row i: columns 1 and 9 and their blocks break
    std::swap(g2[i], g2[72 + i]);         // column i: rows 1 and 9 and their blocks break
    grids.push_back(g1);
    grids.push_back(g2);
  }
  for (uint32_t c = 0; c < 81; c += 10)
    for (char d = '1'; d <= '9'; ++d) {
      std::string one = SolvedGrid();
      if (one[c] == d) continue;
      one[c] = d;
      grids.push_back(one);
    }
  grids.push_back(SolvedGrid());
  for (const std::string& grid : grids) {
    SCOPED_TRACE(grid);
    LoadGrid(grid);
    EXPECT_EQ(CheckUnits(), BrokenUnits(grid));
    MarksAtMessage shown;
    SetPlatform(&shown);
    RunCommand(410);
    SetPlatform(&platform);
    EXPECT_EQ(shown.marked, BrokenUnits(grid) ? RepeatedDigits(grid) : "");
    EXPECT_EQ(g.board.kind[0], static_cast<uint32_t>(KindGiven)) << "the marks go with the box";
    for (uint32_t c : {0u, 80u}) {
      // The same board in the candidate screen, with cell c undecided but for one candidate.
      LoadGrid(grid);
      g.screenMode = ModeCandidateScreen;
      g.board.value[c] = 0;
      g.board.kind[c] = KindEmpty;
      std::memset(&g.cand.flag[c * 9], 0, 9 * sizeof g.cand.flag[0]);
      g.cand.flag[c * 9 + (grid[c] - '1')] = 1;
      g.cand.count[c] = 1;
      EXPECT_EQ(CheckUnits(), BrokenUnits(grid)) << "cell " << c << " decided by its candidate";
      g.cand.flag[c * 9 + (grid[c] == '9' ? 0 : 8)] = 1;
      g.cand.count[c] = 2;
      EXPECT_EQ(CheckUnits(), kBrokenUnknown) << "cell " << c << " still open";
      g.screenMode = ModeNormal;
      g.cand.count[c] = 1;
      EXPECT_EQ(CheckUnits(), kBrokenUnknown) << "an empty cell outside the candidate screen";
    }
  }
}

TEST_F(Candidates, HiddenSinglesCountEntriesThatRemoveNothingUpToTheQueueLimit) {
  // Digits 7, 8 and 9 stay only where the solution has them, so each is a hidden single in
  // all 27 units: 81 singles of 8 own digits and 24 open peers each, 2592 entries, of which
  // the queue takes 2000. Those reach the first 63 singles, the rows, the columns and three
  // blocks: every cell solved by 7, 8 or 9 loses 1 to 6, and no peer loses anything.
  const std::string solved = SolvedGrid();
  std::string text;
  for (char s : solved) text += s >= '7' ? std::string("(123456") + s + ")" : "(123456)";
  LoadState(text);
  g.settings.candErase = 2;
  const uint32_t total = g.cand.total;
  HiddenSingle(0);
  EXPECT_EQ(platform.Lines("message"),
            std::vector<std::string>{"緊急停止希望\t消去予定数が多すぎます！＜2000＞"});
  const auto lines = LogLines();
  ASSERT_EQ(lines.size(), 163u);
  EXPECT_EQ(lines.front(), "処理(Hidden Single) 2000件");
  EXPECT_EQ(total - g.cand.total, 162u);
  for (uint32_t c = 0; c < 81; ++c)
    EXPECT_EQ(g.cand.count[c], solved[c] >= '7' ? 1u : 6u) << "cell " << c;
  EXPECT_EQ(CandidateInvariantError(), "");
}

TEST_F(Candidates, SellUniqueFollowsAChainInOneCall) {
  // Cells 0 and 1 share {1, 2}; the 1 in column 0 decides cell 0, which then decides cell 1.
  LoadGrid("..3456789" "........." "........." "1........");
  ASSERT_EQ(g.board.value[0], 0u);
  EXPECT_EQ(SellUnique(), 1u);
  EXPECT_EQ(g.board.value[0], 2u) << "the column's 1 leaves 2 for cell 0";
  EXPECT_EQ(g.board.value[1], 1u) << "filled in the same call";
}

// A row or column short of one digit in one cell gets it, whichever line it is.
TEST_F(Candidates, LineUniqueFillsTheLastCellOfEveryRowAndColumn) {
  for (uint32_t line = 0; line < 9; ++line) {
    std::string rows(81, '.'), columns(81, '.');
    for (uint32_t k = 0; k < 8; ++k) {
      rows[line * 9 + k] = static_cast<char>('2' + k);
      columns[k * 9 + line] = static_cast<char>('2' + k);
    }
    LoadGrid(rows);
    EXPECT_EQ(LineUnique(), 1u) << "row " << line;
    EXPECT_EQ(g.board.value[line * 9 + 8], 1u) << "row " << line;
    LoadGrid(columns);
    EXPECT_EQ(LineUnique(), 1u) << "column " << line;
    EXPECT_EQ(g.board.value[72 + line], 1u) << "column " << line;
  }
}

// A cell whose peers hold every digit keeps the one whose first holder comes last in cell
// order, the first cell's digit counted too.
TEST_F(Candidates, AFullySeenCellCountsTheFirstCellAmongItsPeers) {
  LoadGrid("1.3456789" ".2.......");
  ComputeCandidates();
  EXPECT_EQ(g.cand.count[1], 1u);
  EXPECT_EQ(g.cand.flag[1 * 9 + 1], 1u) << "2 is seen last, from cell 10";
  EXPECT_EQ(CandidateInvariantError(), "");
}

TEST_F(Candidates, UniqueClosureCheckLeavesTheBoardUnchanged) {
  std::string grid = SolvedGrid();
  for (int c : {0, 10, 20, 30, 40, 50, 60, 70, 80}) grid[c] = '.';
  LoadGrid(grid);
  uint32_t before[81];
  std::copy(g.board.value, g.board.value + 81, before);
  EXPECT_EQ(UniqueClosureCheck(), 1u);
  EXPECT_TRUE(std::equal(before, before + 81, g.board.value));
  EXPECT_EQ(RunUniqueClosure(), 9u);
  EXPECT_EQ(CheckComplete(), 1u);
}

TEST_F(Candidates, TypedDigitsAreCheckedAgainstForcedCells) {
  // Block 0: digit 1 stands in rows 1 and 2 and in columns 1 and 2 elsewhere, so it is forced
  // into the cursor cell (0,0).
  LoadGrid("........." "...1....." "......1.." ".1......." "........." "........."
           "..1......");
  g.cursorRow = 0;
  g.cursorColumn = 0;
  EXPECT_EQ(CursorDigitCheck(1), 1u);
  EXPECT_EQ(g.forcedReason, 1u);
  EXPECT_EQ(AcceptTypedDigit(5), 0u);
  EXPECT_EQ(g.board.value[0], 0u);
  EXPECT_EQ(AcceptTypedDigit(1), 1u);
  EXPECT_EQ(g.board.kind[0], static_cast<uint32_t>(KindInput));
  // An unforced cell takes any allowed digit as an assumption.
  g.cursorRow = 8;
  g.cursorColumn = 8;
  EXPECT_EQ(AcceptTypedDigit(5), 1u);
  EXPECT_EQ(g.board.kind[80], static_cast<uint32_t>(KindAssumed));
  // A digit its peers already hold is refused.
  g.cursorRow = 4;
  g.cursorColumn = 1;
  EXPECT_EQ(AcceptTypedDigit(1), 0u);
}

TEST_F(Candidates, NormalModeSinglesCommandsRefreshTheBlankCount) {
  std::string grid = SolvedGrid();
  grid[40] = '.';
  LoadGrid(grid);
  EXPECT_EQ(RunCommand(400), CommandDone);
  EXPECT_EQ(platform.Lines("status1"), std::vector<std::string>{"空白残り[0]"});
  platform.Clear();
  RunCommand(380);
  EXPECT_TRUE(platform.events.empty()) << "nothing placed, nothing shown";
  g.screenMode = ModeCandidateScreen;
  EXPECT_EQ(RunCommand(380), CommandRefused);
  // A technique in the ordinary screen works from the board as it is, not from an old table.
  LoadGrid(kSampleGrid);
  g.screenMode = ModeNormal;
  std::memset(&g.cand, 0, sizeof g.cand);
  EXPECT_EQ(RunCommand(900), CommandDone);
  EXPECT_GT(std::count_if(g.board.value, g.board.value + 81, [](uint32_t v) { return v != 0; }), 17);
}

// The hint for hidden singles marks exactly the open cells that hold a digit no other open
// cell of one of their units holds, on the candidate tables of real puzzles.
TEST_F(Candidates, HiddenSingleHintMarksExactlyTheLoneDigitsOfEveryUnit) {
  std::vector<std::string> lines = SampleLines("hard-a.txt", 100);
  const std::vector<std::string> quick = SampleLines("qq-expert-a.txt", 100);
  lines.insert(lines.end(), quick.begin(), quick.end());
  if (lines.empty()) GTEST_SKIP() << "no collections in ../shared/data";
  size_t marked = 0;
  for (const std::string& line : lines) {
    LoadGrid(line.substr(0, 81));
    g.screenMode = ModeCandidateScreen;
    ComputeCandidates();
    std::vector<bool> lone(81, false);
    for (uint32_t cell = 0; cell < 81; ++cell)
      for (uint32_t d = 0; d < 9 && g.cand.count[cell]; ++d) {
        if (!g.cand.flag[cell * 9 + d]) continue;
        for (int unit = 0; unit < 3; ++unit) {
          uint32_t others = 0;
          for (uint32_t k = 0; k < 81; ++k) {
            const bool same = unit == 0   ? k / 9 == cell / 9
                              : unit == 1 ? k % 9 == cell % 9
                                          : k / 27 == cell / 27 && k % 9 / 3 == cell % 9 / 3;
            others += same && k != cell && g.cand.count[k] && g.cand.flag[k * 9 + d];
          }
          if (others == 0) lone[cell] = true;
        }
      }
    HintHiddenSingle();
    for (uint32_t cell = 0; cell < 81; ++cell) {
      EXPECT_EQ(g.board.kind[cell] == KindHint, lone[cell]) << line << " cell " << cell;
      marked += lone[cell];
    }
  }
  EXPECT_GT(marked, lines.size());
}

}  // namespace

// The cursor's digit check on every empty cell of real puzzles, against a plain reading of
// the rule: the digits the row, column and block leave; one left, it is the answer; else the
// first digit forced into the cell by its block (1), else by its row or column (2).
TEST_F(Candidates, CursorDigitCheckOnEveryCellOfRealPuzzles) {
  std::vector<std::string> lines = SampleLines("sudoku17-a.txt", 1000);
  const std::vector<std::string> hard = SampleLines("hard-a.txt", 200);
  lines.insert(lines.end(), hard.begin(), hard.end());
  if (lines.empty()) GTEST_SKIP() << "no collections in ../shared/data";
  // Only its block leaves the 9 to r1c1, where every other digit fits as well.
  lines.push_back("000000000000900000000000900090000000000000000000000000009000000000000000000000000");
  size_t cells = 0, forced[3] = {};
  for (const std::string& line : lines) {
    LoadGrid(line.substr(0, 81));
    const uint32_t* v = g.board.value;
    auto holds = [&](uint32_t cell, uint32_t d) {  // d among the cell's row, column or block
      for (uint32_t k = 0; k < 81; ++k)
        if (v[k] == d && (k / 9 == cell / 9 || k % 9 == cell % 9 ||
                          (k / 27 == cell / 27 && k % 9 / 3 == cell % 9 / 3)))
          return true;
      return false;
    };
    auto forcedBy = [&](uint32_t cell, uint32_t d, auto same) {  // the only free cell of a unit
      for (uint32_t k = 0; k < 81; ++k)
        if (same(k) && v[k] == d) return false;
      uint32_t free = 0;
      for (uint32_t k = 0; k < 81; ++k)
        if (same(k) && v[k] == 0 && !holds(k, d)) ++free;
      return free == 1 && !holds(cell, d);
    };
    for (uint32_t cell = 0; cell < 81; ++cell) {
      if (v[cell]) continue;
      ++cells;
      uint32_t left = 0, only = 0, reason = 0, answer = 0;
      for (uint32_t d = 1; d <= 9; ++d)
        if (!holds(cell, d)) ++left, only = d;
      if (left > 1)
        for (uint32_t d = 1; d <= 9 && !reason; ++d) {
          if (holds(cell, d)) continue;
          const uint32_t r = cell / 9, c = cell % 9;
          auto block = [&](uint32_t k) { return k / 27 == cell / 27 && k % 9 / 3 == c / 3; };
          if (forcedBy(cell, d, block))
            reason = 1, answer = d;
          else if (forcedBy(cell, d, [&](uint32_t k) { return k / 9 == r; }) ||
                   forcedBy(cell, d, [&](uint32_t k) { return k % 9 == c; }))
            reason = 2, answer = d;
        }
      g.cursorRow = cell / 9, g.cursorColumn = cell % 9;
      g.forcedReason = 9;
      const uint32_t got = CursorDigitCheck(1);
      if (left == 1 || reason) {
        ASSERT_EQ(got, 1u) << line << " cell " << cell;
        ASSERT_EQ(g.forcedReason, reason) << line << " cell " << cell;
        for (uint32_t d = 1; d <= 9; ++d)
          ASSERT_EQ(g.cursorAllowed[d], d == (reason ? answer : only) ? 1u : 0u) << cell << d;
        ++forced[reason];
      } else {
        ASSERT_EQ(got, left) << line << " cell " << cell;
        for (uint32_t d = 1; d <= 9; ++d)
          ASSERT_EQ(g.cursorAllowed[d] != 0, !holds(cell, d)) << line << " " << cell << d;
      }
    }
  }
  std::printf("cursor check: %zu cells, %zu single, %zu by block, %zu by line\n", cells,
              forced[0], forced[1], forced[2]);
  EXPECT_GT(forced[1], 0u);
  EXPECT_GT(forced[2], 0u);
}
