// Aligned Pair Exclusion and Death Blossom: exact log lines on hand-built states, the shapes
// each must leave alone, the witness capacity of ALS-XZ, and the Death Blossom petal that
// once removed a solution digit.
#include <algorithm>
#include <string>
#include <vector>

#include "board/candidates.h"
#include "board/queue.h"
#include "techniques/almost_locked_sets.h"
#include "techniques/techniques.h"
#include "tests/support.h"

namespace {

using AlmostLockedSets = EngineTest;

// Death Blossom: stem (1,1),(1,2) {1,2,3}; petal P = (1,4) {2,4}; Q = row 3 columns 4-6
// {1,5},{5,6},{6,7}; R = (6,4) {4,7} below the one Q cell holding 7; 1 leaves row 3 of the
// stem's box. Variants replace single cells.
std::vector<OpenCell> Blossom(std::initializer_list<OpenCell> changes) {
  std::vector<OpenCell> cells = {{1, 1, "123"}, {1, 2, "123"}, {1, 4, "24"}, {4, 3, "15"},
                                  {5, 3, "56"}, {6, 3, "67"}, {6, 4, "47"}, {1, 3, "18"},
                                  {2, 3, "19"}, {3, 3, "189"}};
  for (const OpenCell& c : changes) {
    auto same = [&c](const OpenCell& cell) { return cell.column == c.column && cell.row == c.row; };
    auto at = std::find_if(cells.begin(), cells.end(), same);
    if (at == cells.end()) cells.push_back(c);
    else at->digits = c.digits;
  }
  return cells;
}

TEST_F(AlmostLockedSets, ExamplesLogTheirLinesInOrder) {
  const LogCase cases[] = {
      // a = (1,1) {1,2}, b = (2,1) {3,4} share row 1 and box 1. With a = 1, b = 3 empties the
      // row pair {1,3,7},{3,7}; b = 4 empties the box pair {1,4,8},{4,8}.
      {"aligned pair exclusion", AlignedPairExclusion, 1,
       {{1, 1, "12"}, {2, 1, "34"}, {6, 1, "137"}, {7, 1, "37"}, {1, 2, "148"}, {3, 3, "48"}},
       {"Aligned Pair Exclusion (1,1) <1>"}},
      // a = 1, b = 3 leaves (6,1) {1,5} and (1,2) {3,5} with 5 each, but they share no unit.
      {"ape does not mix line and box cells", AlignedPairExclusion, 1,
       {{1, 1, "12"}, {2, 1, "34"}, {6, 1, "15"}, {1, 2, "35"}, {2, 2, "45"}}, {}},
      // (1,1) and (2,2) share only box 1; the bivalue {1,3} there would strike their pair.
      {"ape ignores cells sharing only a box", AlignedPairExclusion, 1,
       {{1, 1, "12"}, {2, 2, "34"}, {3, 3, "13"}}, {}},
      {"death blossom row half", DeathBlossom, 2, Blossom({}),
       {"処理(Death Blossom) 6件", "Death Blossom (3,3) <1>", "Death Blossom (2,3) <1>",
        "Death Blossom (1,3) <1>"}},
      {"death blossom column half", DeathBlossom, 1,
       {{1, 1, "123"}, {2, 1, "123"}, {4, 1, "24"}, {3, 4, "15"}, {3, 5, "56"}, {3, 6, "67"},
        {4, 6, "47"}, {3, 1, "18"}, {3, 2, "19"}, {3, 3, "189"}},
       {"Death Blossom (3,3) <1>", "Death Blossom (3,2) <1>", "Death Blossom (3,1) <1>"}},
      // 7 also in (5,3): removing it from (6,3) locks nothing.
      {"w needs its only holder", DeathBlossom, 1, Blossom({{5, 3, "567"}}), {}},
      // Q3 = {4,6}: w = 4 = e, and R (6,4) {4,7} says nothing about Q3; (3,1) = 1 is possible.
      {"w equal to the other digit of P", DeathBlossom, 1, Blossom({{6, 3, "46"}}), {}},
      // R no longer holds 7; (4,4) {1,4} faces the only Q cell holding 1, but 1 is z.
      {"w is never z", DeathBlossom, 1, Blossom({{6, 4, "48"}, {4, 4, "14"}}), {}},
      {"stem of two bivalue cells", DeathBlossom, 1, Blossom({{1, 1, "12"}, {1, 2, "12"}}), {}},
      {"stem cells with different digits", DeathBlossom, 1, Blossom({{1, 2, "124"}}), {}},
      {"stem of three candidates and a bivalue", DeathBlossom, 1, Blossom({{1, 2, "12"}}),
       {"Death Blossom (3,3) <1>", "Death Blossom (2,3) <1>", "Death Blossom (1,3) <1>"}},
  };
  for (const LogCase& c : cases) ExpectLog(c);
}

TEST_F(AlmostLockedSets, AlignedPairExclusionLeavesALastCandidateInPlace) {
  LoadOpenCells({{1, 1, "1"}, {5, 1, "23"}, {7, 1, "12"}, {8, 1, "13"}});
  AlignedPairExclusion(0);
  EXPECT_EQ(g.cand.count[0], 1u);
  EXPECT_EQ(g.cand.flag[0], 1u);
  EXPECT_EQ(CandidateInvariantError(), "");
}

// A dense state of small cells over five digits queues far more than 64 entries; every line
// written is the detailed form "ALS-XZ (c,r) [(c,r)-(c,r)-(c,r)] <d>".
TEST_F(AlmostLockedSets, AlsXZNeverWritesMoreThanTheWitnessRows) {
  std::string state;
  uint32_t x = 12345;
  for (int c = 0; c < 81; ++c) {
    x = x * 214013 + 2531011;
    const uint32_t r = x >> 16;
    std::string digits = "12345";
    digits.erase(r % 5, 1);
    digits.erase((r / 5) % 4, 1);
    if ((r / 20) % 2) digits.erase((r / 40) % 3, 1);
    state += "(" + digits + ")";
  }
  LoadState(state);
  g.settings.candErase = 2;
  AlsXZ(0);
  const std::vector<std::string> lines = LogLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "処理(ALS-XZ) 64件");
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string& l = lines[i];
    ASSERT_EQ(l.size(), 36u) << l;
    EXPECT_EQ(l.substr(0, 8) + l.substr(11, 4) + l.substr(18, 3) + l.substr(24, 3) +
                  l.substr(30, 4),
              "ALS-XZ () [()-()-()] <")
        << l;
  }
  EXPECT_EQ(g.queue.length, 0u);
  EXPECT_EQ(CandidateInvariantError(), "");
}

// With "w held by some Q cell" this state lost the solution digit 5 at (5,4): w = 1 sits in
// all three Q cells (5,2), (5,7), (5,9).
const char* kBlossomPuzzle =
    "650090003083004000000020000000000000095467000200000009304002700009306000800000040";

TEST_F(AlmostLockedSets, DeathBlossomKeepsTheSolutionDigitOfTheIssuePuzzle) {
  LoadGrid(kBlossomPuzzle);
  uint8_t grid[81], solution[81];
  ASSERT_TRUE(ParseGrid(kBlossomPuzzle, grid));
  ASSERT_EQ(CountSolutions(grid, solution), 1);
  EnterCandidateScreen();
  HiddenSingle(0);
  NakedSingle(0);
  HiddenSingle(0);
  NakedSingle(0);
  platform.Clear();
  const uint32_t stem = 3 * 9 + 4;  // (5,4)
  ASSERT_EQ(solution[stem], 5);
  ASSERT_EQ(g.cand.flag[stem * 9 + 4], 1u);
  DeathBlossom(0);
  EXPECT_EQ(LostSolutionDigits(solution), "");
  EXPECT_TRUE(LogLines().empty());
}

}  // namespace
