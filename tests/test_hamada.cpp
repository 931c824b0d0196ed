// Hamada logic on hand-built remote-pair chains: a line the shared digit would empty fixes
// the colour; otherwise crossing bivalue pairs remove their third digit.
#include <string>
#include <vector>

#include "board/queue.h"
#include "techniques/colouring.h"
#include "techniques/hamada.h"
#include "techniques/techniques.h"
#include "tests/support.h"
#include "tests/test_als_state.h"

namespace {

using Lines = std::vector<std::string>;

class Hamada : public EngineTest {
 protected:
  void Load(std::initializer_list<CellSpec> cells) {
    LoadCandidateState(platform, SparseState(cells));
  }
};

// The chain (1,1) - (5,1) - (5,5), all {1,2}: (1,1) and (5,5) share a colour.
#define CHAIN {0, 0, "12"}, {0, 4, "12"}, {4, 4, "12"}

TEST_F(Hamada, ALineLeftWithoutTheDigitFixesTheColour) {
  // Row 3 holds 1 only below the two same-coloured cells: they cannot be 1.
  Load({CHAIN, {2, 0, "13"}, {2, 4, "15"}});
  g.settings.candErase = 2;
  EXPECT_EQ(HamadaLogic(0), 1u);
  EXPECT_EQ(LogLines(), (Lines{"処理(Hamada Logic) 3件", "Hamada Logic (5,5) <1>",
                               "Hamada Logic (5,1) <2>", "Hamada Logic (1,1) <1>"}));
}

TEST_F(Hamada, ALineWithAFilledTestCellIsSkipped) {
  // (1,3) holds a digit, so row 3 is not examined although (5,3) is its only 1.
  Load({CHAIN, {2, 4, "15"}});
  HamadaLogic(0);
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(Hamada, CrossingPairsRemoveTheirThirdDigit) {
  // U = (1,7) {2,3} below (1,1), V = (5,8) {1,3} below (5,5): one of them is 3.
  Load({CHAIN, {6, 0, "23"}, {7, 4, "13"}, {7, 1, "35"}, {6, 5, "36"}});
  HamadaLogic(0);
  EXPECT_EQ(LogLines(), (Lines{"Hamada Logic (6,7) <3>", "Hamada Logic (2,8) <3>"}));
}

TEST_F(Hamada, AFixedColourSkipsTheCrossingPairs) {
  Load({CHAIN, {2, 0, "13"}, {2, 4, "15"}, {6, 0, "23"}, {7, 4, "13"}, {7, 1, "35"},
        {6, 5, "36"}});
  HamadaLogic(0);
  EXPECT_EQ(LogLines(), (Lines{"Hamada Logic (5,5) <1>", "Hamada Logic (5,1) <2>",
                               "Hamada Logic (1,1) <1>"}));
}

TEST_F(Hamada, TwoCellChainsAreLeftToRemotePairs) {
  Load({{0, 0, "12"}, {0, 4, "12"}, {0, 7, "123"}});
  HamadaLogic(0);
  EXPECT_TRUE(LogLines().empty());
  RemotePairs(0);
  EXPECT_EQ(LogLines(), (Lines{"Remote Pairs (8,1) <2>", "Remote Pairs (8,1) <1>"}));
}

TEST_F(Hamada, BuildingBlocksOnTheColouredChain) {
  Load({CHAIN, {2, 0, "13"}, {2, 4, "15"}});
  CellColour[0] = 1;
  CellColour[4] = 2;
  CellColour[40] = 1;
  ResetQueue();
  EXPECT_EQ(HamadaContradiction(0, 40, 0, 1, 1), 1u);
  ASSERT_EQ(g.queue.length, 3u);
  EXPECT_EQ(g.queue.cell[0], 0u);
  EXPECT_EQ(g.queue.digit[0], 0u);
  EXPECT_EQ(g.queue.cell[1], 4u);
  EXPECT_EQ(g.queue.digit[1], 1u);
  EXPECT_EQ(g.queue.cell[2], 40u);
  ResetQueue();
  // Without the line, nothing is fixed.
  Load({CHAIN});
  EXPECT_EQ(HamadaContradiction(0, 40, 0, 1, 1), 0u);
  EXPECT_EQ(g.queue.length, 0u);
  for (uint32_t c = 0; c < 81; ++c) CellColour[c] = 0;
}

TEST(HamadaCli, RunsByName) {
  const std::string file = WriteTempFile(
      "hamada.txt", "650090003083004000000020000000000000095467000200000009304002700009306000800000040\n");
  int status = -1;
  const std::string out =
      RunCli("-t -m candidate -l 2 -r HiddenSingle -r HamadaLogic -r RemotePairs " + file, &status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(out.find("log\t処理(Hidden Single)"), std::string::npos) << out;
}

}  // namespace
