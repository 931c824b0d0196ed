// ALS-XZ, Aligned Pair Exclusion and Death Blossom: exact log lines on hand-built states,
// the shapes each must leave alone, the witness capacity, and the Death Blossom petal that
// once removed a solution digit.
#include <string>
#include <vector>

#include "board/candidates.h"
#include "board/queue.h"
#include "techniques/almost_locked_sets.h"
#include "techniques/techniques.h"
#include "tests/support.h"
#include "tests/test_als_state.h"

namespace {

using Lines = std::vector<std::string>;

class AlmostLockedSets : public EngineTest {
 protected:
  void Load(std::initializer_list<CellSpec> cells) {
    LoadCandidateState(platform, SparseState(cells));
  }
};

// Column 1 rows 1,4,5,7 hold {1,2},{2,3},{3,4},{4,5}: five digits, 1 only in the top cell.
// W = (2,2) {1,5} shares that cell's box.
TEST_F(AlmostLockedSets, AlsXZVerticalWitnessesThirdSecondFirst) {
  Load({{0, 0, "12"}, {3, 0, "23"}, {4, 0, "34"}, {6, 0, "45"}, {1, 1, "15"},
        {1, 0, "56"}, {2, 0, "57"}, {6, 1, "58"}});
  g.settings.candErase = 2;
  EXPECT_EQ(AlsXZ(0), 1u);
  EXPECT_EQ(LogLines(), (Lines{"処理(ALS-XZ) 3件",
                               "ALS-XZ (2,7) [(2,2)-(1,1)-(1,7)] <5>",
                               "ALS-XZ (1,3) [(2,2)-(1,1)-(1,1)] <5>",
                               "ALS-XZ (1,2) [(2,2)-(1,1)-(1,1)] <5>"}));
}

TEST_F(AlmostLockedSets, AlsXZHorizontalIsTheTranspose) {
  Load({{0, 0, "12"}, {0, 3, "23"}, {0, 4, "34"}, {0, 6, "45"}, {1, 1, "15"},
        {0, 1, "56"}, {0, 2, "57"}, {1, 6, "58"}});
  g.settings.candErase = 2;
  AlsXZ(0);
  EXPECT_EQ(LogLines(), (Lines{"処理(ALS-XZ) 3件",
                               "ALS-XZ (7,2) [(2,2)-(1,1)-(7,1)] <5>",
                               "ALS-XZ (3,1) [(2,2)-(1,1)-(1,1)] <5>",
                               "ALS-XZ (2,1) [(2,2)-(1,1)-(1,1)] <5>"}));
}

TEST_F(AlmostLockedSets, AlsXZNeedsFiveDigitsAndASingleHolderOfZ) {
  // Six digits in the group.
  Load({{0, 0, "12"}, {3, 0, "23"}, {4, 0, "346"}, {6, 0, "45"}, {1, 1, "15"},
        {1, 0, "56"}, {2, 0, "57"}, {6, 1, "58"}});
  AlsXZ(0);
  EXPECT_TRUE(LogLines().empty());
  // 1 held by two cells of the group.
  Load({{0, 0, "12"}, {3, 0, "123"}, {4, 0, "34"}, {6, 0, "45"}, {1, 1, "15"},
        {1, 0, "56"}, {2, 0, "57"}, {6, 1, "58"}});
  AlsXZ(0);
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(AlmostLockedSets, AlsXZNeverWritesMoreThanTheWitnessRows) {
  // A dense state of small cells over five digits queues far more than 64 entries.
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
  LoadCandidateState(platform, state);
  g.settings.candErase = 2;
  AlsXZ(0);
  const Lines lines = LogLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "処理(ALS-XZ) 64件");
  // Every line is the detailed form "ALS-XZ (c,r) [(c,r)-(c,r)-(c,r)] <d>".
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string& l = lines[i];
    ASSERT_EQ(l.size(), 36u) << l;
    EXPECT_EQ(l.substr(0, 8), "ALS-XZ (") << l;
    EXPECT_EQ(l.substr(11, 4), ") [(") << l;
    EXPECT_EQ(l.substr(18, 3), ")-(") << l;
    EXPECT_EQ(l.substr(24, 3), ")-(") << l;
    EXPECT_EQ(l.substr(30, 4), ")] <") << l;
  }
  EXPECT_EQ(g.queue.length, 0u);
  EXPECT_EQ(CandidateInvariantError(), "");
}

TEST_F(AlmostLockedSets, AlsXZTranscriptThroughTheCommandLine) {
  const std::string file = WriteTempFile(
      "alsxz.txt", "000000013000200000000000080000760200008000400010000000200000750600340000000008000\n");
  int status = -1;
  const std::string out =
      RunCli("-t -m candidate -l 2 -r HiddenSingle -r NakedSingle -r AlsXZ " + file, &status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(out.find("log\t処理(ALS-XZ) 5件\n"
                     "log\tALS-XZ (7,8) [(9,8)-(7,9)-(7,2)] <9>\n"
                     "log\tALS-XZ (7,9) [(9,8)-(7,8)-(7,1)] <9>\n"),
            std::string::npos)
      << out;
}

// a = (1,1) {1,2}, b = (2,1) {3,4} share row 1 and box 1. With a = 1, b = 3 empties the
// row pair {1,3,7},{3,7}; b = 4 empties the box pair {1,4,8},{4,8}.
TEST_F(AlmostLockedSets, AlignedPairExclusionStrikesThroughTheLineAndTheBox) {
  Load({{0, 0, "12"}, {0, 1, "34"}, {0, 5, "137"}, {0, 6, "37"}, {1, 0, "148"}, {2, 2, "48"}});
  AlignedPairExclusion(0);
  EXPECT_EQ(LogLines(), (Lines{"Aligned Pair Exclusion (1,1) <1>"}));
}

TEST_F(AlmostLockedSets, AlignedPairExclusionDoesNotMixLineAndBoxCells) {
  // a = 1, b = 3 leaves (6,1) {1,5} and (1,2) {3,5} with 5 each, but they share no unit.
  Load({{0, 0, "12"}, {0, 1, "34"}, {0, 5, "15"}, {1, 0, "35"}, {1, 1, "45"}});
  AlignedPairExclusion(0);
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(AlmostLockedSets, AlignedPairExclusionIgnoresCellsSharingOnlyABox) {
  // (1,1) and (2,2) share only box 1; the bivalue {1,3} in that box would strike their pair.
  Load({{0, 0, "12"}, {1, 1, "34"}, {2, 2, "13"}});
  AlignedPairExclusion(0);
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(AlmostLockedSets, AlignedPairExclusionLeavesALastCandidateInPlace) {
  Load({{0, 0, "1"}, {0, 4, "23"}, {0, 6, "12"}, {0, 7, "13"}});
  AlignedPairExclusion(0);
  EXPECT_EQ(g.cand.count[0], 1u);
  EXPECT_EQ(g.cand.flag[0], 1u);
  EXPECT_EQ(CandidateInvariantError(), "");
}

// Stem (1,1),(1,2) {1,2,3}; petal P = (1,4) {2,4}; Q = row 3 columns 4-6 {1,5},{5,6},{6,7};
// R = (6,4) {4,7} below the one Q cell holding 7. 1 leaves row 3 of the stem's box.
TEST_F(AlmostLockedSets, DeathBlossomRowHalf) {
  Load({{0, 0, "123"}, {1, 0, "123"}, {3, 0, "24"}, {2, 3, "15"}, {2, 4, "56"}, {2, 5, "67"},
        {3, 5, "47"}, {2, 0, "18"}, {2, 1, "19"}, {2, 2, "189"}});
  g.settings.candErase = 2;
  EXPECT_EQ(PetalTestRow(0, 2, 0, 1), 1u);
  EXPECT_EQ(PetalTestRow(0, 2, 0, 2), 0u);
  EXPECT_EQ(DeathBlossom(0), 1u);
  EXPECT_EQ(LogLines(), (Lines{"処理(Death Blossom) 6件", "Death Blossom (3,3) <1>",
                               "Death Blossom (2,3) <1>", "Death Blossom (1,3) <1>"}));
}

TEST_F(AlmostLockedSets, DeathBlossomColumnHalf) {
  Load({{0, 0, "123"}, {0, 1, "123"}, {0, 3, "24"}, {3, 2, "15"}, {4, 2, "56"}, {5, 2, "67"},
        {5, 3, "47"}, {0, 2, "18"}, {1, 2, "19"}, {2, 2, "189"}});
  EXPECT_EQ(PetalTestColumn(2, 0, 0, 1), 1u);
  DeathBlossom(0);
  EXPECT_EQ(LogLines(), (Lines{"Death Blossom (3,3) <1>", "Death Blossom (3,2) <1>",
                               "Death Blossom (3,1) <1>"}));
}

TEST_F(AlmostLockedSets, DeathBlossomNeedsTheOnlyHolderOfW) {
  // 7 is also in (5,3): removing it from (6,3) locks nothing.
  Load({{0, 0, "123"}, {1, 0, "123"}, {3, 0, "24"}, {2, 3, "15"}, {2, 4, "567"}, {2, 5, "67"},
        {3, 5, "47"}, {2, 0, "18"}, {2, 1, "19"}, {2, 2, "189"}});
  DeathBlossom(0);
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(AlmostLockedSets, DeathBlossomRefusesWEqualToTheOtherDigitOfP) {
  // Q3 = {4,6}: w = 4 = e; R = (6,4) {4,7} then says nothing about Q3. (3,1) = 1 is possible.
  Load({{0, 0, "123"}, {1, 0, "123"}, {3, 0, "24"}, {2, 3, "15"}, {2, 4, "56"}, {2, 5, "46"},
        {3, 5, "47"}, {2, 0, "18"}, {2, 1, "19"}, {2, 2, "189"}});
  DeathBlossom(0);
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(AlmostLockedSets, DeathBlossomStemShapes) {
  // Two bivalue stem cells.
  Load({{0, 0, "12"}, {1, 0, "12"}, {3, 0, "24"}, {2, 3, "15"}, {2, 4, "56"}, {2, 5, "67"},
        {3, 5, "47"}, {2, 0, "18"}, {2, 1, "19"}, {2, 2, "189"}});
  DeathBlossom(0);
  EXPECT_TRUE(LogLines().empty());
  // Two three-candidate cells with different digits.
  Load({{0, 0, "123"}, {1, 0, "124"}, {3, 0, "24"}, {2, 3, "15"}, {2, 4, "56"}, {2, 5, "67"},
        {3, 5, "47"}, {2, 0, "18"}, {2, 1, "19"}, {2, 2, "189"}});
  DeathBlossom(0);
  EXPECT_TRUE(LogLines().empty());
  // Three candidates and a bivalue {z, one of them}: a stem.
  Load({{0, 0, "123"}, {1, 0, "12"}, {3, 0, "24"}, {2, 3, "15"}, {2, 4, "56"}, {2, 5, "67"},
        {3, 5, "47"}, {2, 0, "18"}, {2, 1, "19"}, {2, 2, "189"}});
  DeathBlossom(0);
  EXPECT_EQ(LogLines().size(), 3u);
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
  EXPECT_EQ(g.cand.flag[stem * 9 + 4], 1u);
  EXPECT_EQ(LostSolutionDigits(solution), "");
  EXPECT_TRUE(LogLines().empty());
}

TEST(AlmostLockedSetsCli, DeathBlossomRegressionTranscript) {
  const std::string file = WriteTempFile("blossom.txt", std::string(kBlossomPuzzle) + "\n");
  int status = -1;
  const std::string out = RunCli(
      "-t -m candidate -l 2 -r HiddenSingle -r NakedSingle -r HiddenSingle -r NakedSingle "
      "-r DeathBlossom -r AlignedPairExclusion " + file, &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(out.find("Death Blossom"), std::string::npos) << out;
  EXPECT_NE(out.find("log\t処理(Naked Single) 14件\n"), std::string::npos);
}

}  // namespace
