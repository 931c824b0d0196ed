// Unique rectangles and Gurth's symmetrical placement: exact log lines and order on
// hand-built states, the shapes each type must leave alone, and the command-line run.
#include <string>
#include <vector>

#include "board/candidates.h"
#include "board/queue.h"
#include "techniques/techniques.h"
#include "tests/support.h"
#include "tests/test_als_state.h"

namespace {

using Lines = std::vector<std::string>;

class Uniqueness : public EngineTest {
 protected:
  void Load(std::initializer_list<CellSpec> cells) {
    LoadCandidateState(platform, SparseState(cells));
  }
};

TEST_F(Uniqueness, Type1ClearsTheRectangleDigitsFromTheOddCorner) {
  Load({{0, 0, "123"}, {0, 1, "12"}, {3, 0, "12"}, {3, 1, "12"}});
  g.settings.candErase = 2;
  EXPECT_EQ(UniqueRectangleType1(0), 1u);
  // Found as (1,2), (2,1) from row 1 and again from row 4 with the roof below.
  EXPECT_EQ(LogLines(), (Lines{"処理(Unique Rectangle Type1) 8件",
                               "Unique Rectangle Type1 (1,1) <1>",
                               "Unique Rectangle Type1 (1,1) <2>"}));
  EXPECT_EQ(g.cand.count[0], 1u);
  EXPECT_EQ(g.cand.flag[2], 1u);
}

TEST_F(Uniqueness, Type1NeedsThreeBivalueCorners) {
  Load({{0, 0, "123"}, {0, 1, "124"}, {3, 0, "12"}, {3, 1, "12"}});
  UniqueRectangleType1(0);
  EXPECT_TRUE(LogLines().empty());
  // Corners in four boxes are never a rectangle here.
  Load({{0, 0, "123"}, {0, 4, "12"}, {3, 0, "12"}, {3, 4, "12"}});
  UniqueRectangleType1(0);
  EXPECT_TRUE(LogLines().empty());
  // A corner with four candidates spoils the rectangle.
  Load({{0, 0, "1234"}, {0, 1, "12"}, {3, 0, "12"}, {3, 1, "12"}});
  UniqueRectangleType1(0);
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(Uniqueness, Type2RemovesTheSharedExtraDigitAlongTheRoofRowThenItsBox) {
  Load({{0, 0, "124"}, {0, 1, "124"}, {3, 0, "12"}, {3, 1, "12"},
        {0, 2, "45"}, {0, 7, "46"}, {1, 1, "47"}, {2, 0, "48"}});
  UniqueRectangleType2(0);
  EXPECT_EQ(LogLines(), (Lines{"Unique Rectangle Type2 (1,3) <4>",
                               "Unique Rectangle Type2 (2,2) <4>",
                               "Unique Rectangle Type2 (8,1) <4>",
                               "Unique Rectangle Type2 (3,1) <4>"}));
}

TEST_F(Uniqueness, Type2OnAColumnRoofWalksTheColumnThenTheBoxColumns) {
  Load({{0, 0, "124"}, {1, 0, "124"}, {0, 3, "12"}, {1, 3, "12"},
        {2, 0, "45"}, {7, 0, "46"}, {1, 1, "47"}, {0, 2, "48"}});
  UniqueRectangleType2(0);
  EXPECT_EQ(LogLines(), (Lines{"Unique Rectangle Type2 (3,1) <4>",
                               "Unique Rectangle Type2 (2,2) <4>",
                               "Unique Rectangle Type2 (1,8) <4>",
                               "Unique Rectangle Type2 (1,3) <4>"}));
}

TEST_F(Uniqueness, Type2LeavesDifferentExtraDigitsAlone) {
  Load({{0, 0, "123"}, {0, 1, "124"}, {3, 0, "12"}, {3, 1, "12"}, {0, 5, "34"}});
  UniqueRectangleType2(0);
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(Uniqueness, Type3PairsTheRoofWithABivalueCellOutsideItsBox) {
  Load({{0, 0, "123"}, {0, 1, "124"}, {3, 0, "12"}, {3, 1, "12"},
        {0, 2, "34"}, {0, 4, "35"}, {0, 5, "34"}, {0, 8, "346"}});
  UniqueRectangleType3(0);
  // Per cell a then c is queued, so the log shows c before a; the partner (6,1) stays.
  EXPECT_EQ(LogLines(), (Lines{"Unique Rectangle Type3 (9,1) <4>",
                               "Unique Rectangle Type3 (9,1) <3>",
                               "Unique Rectangle Type3 (5,1) <3>",
                               "Unique Rectangle Type3 (3,1) <4>"}));
  EXPECT_EQ(g.cand.count[5], 2u);
}

TEST_F(Uniqueness, Type3IgnoresAPartnerInsideTheRoofBox) {
  Load({{0, 0, "123"}, {0, 1, "124"}, {3, 0, "12"}, {3, 1, "12"},
        {0, 2, "34"}, {0, 4, "35"}});
  UniqueRectangleType3(0);
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(Uniqueness, Type4UsesADigitConfinedToTheRoofOnItsLine) {
  // 1 is in the roof's box outside the roof line; only the line counts.
  Load({{0, 0, "123"}, {0, 1, "124"}, {3, 0, "12"}, {3, 1, "12"},
        {0, 5, "25"}, {1, 2, "16"}});
  UniqueRectangleType4(0);
  EXPECT_EQ(LogLines(), (Lines{"Unique Rectangle Type4 (2,1) <2>",
                               "Unique Rectangle Type4 (1,1) <2>"}));
}

TEST_F(Uniqueness, Type4WithEqualExtraDigitsFindsNothing) {
  Load({{0, 0, "123"}, {0, 1, "123"}, {3, 0, "12"}, {3, 1, "12"}, {0, 5, "25"}});
  UniqueRectangleType4(0);
  EXPECT_TRUE(LogLines().empty());
}

// Givens symmetric under the half turn with the pairing 1-2, 3-4, 5-6, 7-8 and 9 fixed.
const char* kSymmetric =
    "1357.9...4..........6.......2.......................1.......5..........3...9.8642";

TEST_F(Uniqueness, GurthKeepsTheSelfMappedDigitInTheCentre) {
  LoadGrid(kSymmetric);
  EnterCandidateScreen();
  platform.Clear();
  EXPECT_EQ(GurthsSymmetricalPlacement(0), 1u);
  Lines expected;
  for (int d = 8; d >= 1; --d)
    expected.push_back("Gurths Symmetrical Placement (5,5) <" + std::to_string(d) + ">");
  EXPECT_EQ(LogLines(), expected);
  EXPECT_EQ(g.cand.count[40], 1u);
  EXPECT_EQ(g.cand.flag[40 * 9 + 8], 1u);
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

TEST(UniquenessCli, RunsEveryRoutineByNameAndLogsGurthInDetail) {
  const std::string file = WriteTempFile("gurth.txt", std::string(kSymmetric) + "\n");
  for (const char* name : {"UniqueRectangleType1", "UniqueRectangleType2", "UniqueRectangleType3",
                           "UniqueRectangleType4"}) {
    int status = -1;
    const std::string out = RunCli(std::string("-t -m candidate -l 2 -r ") + name + " " + file,
                                   &status);
    EXPECT_EQ(status, 0) << name;
    EXPECT_EQ(out.find("log\t"), std::string::npos) << name;
  }
  int status = -1;
  const std::string out =
      RunCli("-t -m candidate -l 2 -r GurthsSymmetricalPlacement " + file, &status);
  EXPECT_EQ(status, 0);
  std::string expected = "log\t処理(Gurths Symmetrical Placement) 8件\n";
  for (int d = 8; d >= 1; --d)
    expected += "log\tGurths Symmetrical Placement (5,5) <" + std::to_string(d) + ">\n";
  EXPECT_NE(out.find(expected), std::string::npos) << out;
}

}  // namespace
