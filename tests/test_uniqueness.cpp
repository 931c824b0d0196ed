// Unique rectangles of types 3 and 4, which few library states show, and Gurth's symmetrical
// placement: exact log lines and order on hand-built states and the shapes to leave alone.
#include <string>
#include <vector>

#include "board/candidates.h"
#include "board/queue.h"
#include "techniques/techniques.h"
#include "tests/support.h"

namespace {

using Uniqueness = EngineTest;
using Strings = std::vector<std::string>;

TEST_F(Uniqueness, ExamplesLogTheirLinesInOrder) {
  const LogCase cases[] = {
      // Per cell a then c is queued, so c shows before a; the partner (6,1) stays.
      {"type 3 with a partner outside the roof box", UniqueRectangleType3, 1,
       {{1, 1, "123"}, {2, 1, "124"}, {1, 4, "12"}, {2, 4, "12"}, {3, 1, "34"}, {5, 1, "35"},
        {6, 1, "34"}, {9, 1, "346"}},
       {"Unique Rectangle Type3 (9,1) <4>", "Unique Rectangle Type3 (9,1) <3>",
        "Unique Rectangle Type3 (5,1) <3>", "Unique Rectangle Type3 (3,1) <4>"}},
      {"type 3 partner inside the roof box", UniqueRectangleType3, 1,
       {{1, 1, "123"}, {2, 1, "124"}, {1, 4, "12"}, {2, 4, "12"}, {3, 1, "34"}, {5, 1, "35"}},
       {}},
      {"type 3 partner inside the middle roof box", UniqueRectangleType3, 1,
       {{4, 1, "123"}, {5, 1, "124"}, {4, 4, "12"}, {5, 4, "12"}, {6, 1, "34"}, {8, 1, "35"}},
       {}},
      // 1 is in the roof's box outside the roof line; only the line counts.
      {"type 4", UniqueRectangleType4, 1,
       {{1, 1, "123"}, {2, 1, "124"}, {1, 4, "12"}, {2, 4, "12"}, {6, 1, "25"}, {3, 2, "16"}},
       {"Unique Rectangle Type4 (2,1) <2>", "Unique Rectangle Type4 (1,1) <2>"}},
      {"type 4 with equal extra digits", UniqueRectangleType4, 1,
       {{1, 1, "123"}, {2, 1, "123"}, {1, 4, "12"}, {2, 4, "12"}, {6, 1, "25"}}, {}},
  };
  for (const LogCase& c : cases) ExpectLog(c);
}

// Givens symmetric under the half turn with the pairing 1-2, 3-4, 5-6, 7-8 and 9 fixed.
const char* kSymmetric =
    "1357.9...4..........6.......2.......................1.......5..........3...9.8642";

// The digit that maps to itself stays, whichever it is: 9 here, and 1 once 1 and 9 trade names.
TEST_F(Uniqueness, GurthKeepsTheSelfMappedDigitInTheCentre) {
  for (const char fixed : {'9', '1'}) {
    std::string grid = kSymmetric;
    if (fixed == '1')
      for (char& ch : grid) ch = ch == '1' ? '9' : ch == '9' ? '1' : ch;
    LoadGrid(grid);
    g.screenMode = ModeNormal;
    EnterCandidateScreen();
    platform.Clear();
    EXPECT_EQ(GurthsSymmetricalPlacement(0), 1u);
    Strings expected;
    for (int d = 9; d >= 1; --d)
      if (d != fixed - '0')
        expected.push_back("Gurths Symmetrical Placement (5,5) <" + std::to_string(d) + ">");
    EXPECT_EQ(LogLines(), expected) << "fixed " << fixed;
    EXPECT_EQ(g.cand.count[40], 1u);
    EXPECT_EQ(g.cand.flag[40 * 9 + (fixed - '1')], 1u);
  }
}

TEST_F(Uniqueness, GurthGivesUpOnAsymmetricOrContradictoryGivens) {
  std::string grid = kSymmetric;
  LoadGrid(grid.substr(0, 21) + "5" + grid.substr(22));  // no mirror for cell 21
  EnterCandidateScreen();
  platform.Clear();
  const uint32_t total = g.cand.total;
  EXPECT_EQ(GurthsSymmetricalPlacement(1), 0u);
  EXPECT_EQ(g.cand.total, total);
  LoadGrid(grid.replace(1, 1, "1"));  // 1 would map to 2 and to 4
  ComputeCandidates();
  platform.Clear();
  EXPECT_EQ(GurthsSymmetricalPlacement(0), 0u);
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(Uniqueness, GurthWithASolvedCentreStillRunsThePlacementPass) {
  std::string grid = kSymmetric;
  grid[40] = '9';
  LoadGrid(grid);
  ComputeCandidates();
  g.cand.count[10] = 1;  // a cell left with one candidate gets placed
  for (uint32_t d = 0; d < 9; ++d) g.cand.flag[10 * 9 + d] = d == 5;
  EXPECT_EQ(GurthsSymmetricalPlacement(1), 1u);
  EXPECT_EQ(g.board.value[10], 6u);
  EXPECT_EQ(g.board.kind[10], static_cast<uint32_t>(KindAuto));
}

}  // namespace
