// Strong and weak links, X-cycle, the XY-chain rectangle and walk, Remote Pairs.
#include <string>
#include <vector>

#include "board/queue.h"
#include "techniques/colouring.h"
#include "techniques/techniques.h"
#include "tests/support.h"
#include "tests/test_colouring_state.h"

using Lines = std::vector<std::string>;

class Chains : public HandBuiltTest {};

TEST_F(Chains, EvenXCycleRemovesFromTheFirstCellOfEachWeakUnit) {
  // digit 1: rows 1 and 5 and column 1 strong, column 5 holds three 1s.
  Open(1, 1, "12");
  Open(5, 1, "13");
  Open(1, 5, "14");
  Open(5, 5, "15");
  Open(5, 7, "16");
  Open(5, 8, "17");  // later cells of the weak column keep their 1
  Open(5, 9, "18");
  g.settings.candErase = 2;
  XCycle(0);
  EXPECT_EQ(LogLines(), (Lines{"☆候補[1]でX-cycleが(1,1)から4連鎖しました",
                               "☆候補[1]でX-cycleが(5,1)から4連鎖しました",
                               "☆候補[1]でX-cycleが(1,5)から4連鎖しました",
                               "☆候補[1]でX-cycleが(5,5)から4連鎖しました",
                               "処理(X-cycle) 4件", "X-cycle (5,7) <1>"}));
  EXPECT_TRUE(Has(5, 8, 1));
  EXPECT_TRUE(Has(5, 9, 1));
}

TEST_F(Chains, OddXCycleRemovesTheLowestOtherCandidateOfTheStart) {
  // digit 1: S(2,2) is conjugate with A(3,2) in row 2 and with B(2,1) in column 2; A and B
  // share box 1 with S, where the three 1s make a weak unit.
  Open(2, 1, "15");  // B
  Open(2, 2, "123");  // S
  Open(3, 2, "14");  // A
  g.settings.candErase = 2;
  XCycle(0);
  EXPECT_EQ(LogLines(), (Lines{"☆候補[1]でX-cycleが(2,2)から3連鎖しました", "処理(X-cycle) 1件",
                               "X-cycle (2,2) <2>"}));
  ASSERT_EQ(MarkStrongLinks(0), 4u);
  MarkWeakLinks();
  ASSERT_EQ(FindXCycle(CellAt(1, 1)), 3u);
  EXPECT_EQ(CycleLinkType[0], 1u);
  EXPECT_EQ(CycleLinkType[1], 7u);
  EXPECT_EQ(CycleLinkType[2], 2u);
}

TEST_F(Chains, CycleOfStrongLinksOnlyIsNotCounted) {
  // An X-Wing of four conjugate pairs: every link is strong, nothing is logged.
  Open(1, 1, "12");
  Open(5, 1, "13");
  Open(1, 5, "14");
  Open(5, 5, "15");
  XCycle(0);
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(Chains, DigitWithOneStrongUnitIsSkipped) {
  Open(1, 1, "12");
  Open(5, 1, "13");
  EXPECT_EQ(MarkStrongLinks(0), 2u);
  XCycle(0);
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(Chains, WeakLinksOnlyInUnitsThatAreNotStrong) {
  Open(1, 1, "12");
  Open(5, 1, "13");
  Open(1, 5, "14");
  Open(5, 5, "15");
  Open(5, 7, "16");
  EXPECT_EQ(MarkStrongLinks(0), 6u);  // rows 1, 5 and column 1
  MarkWeakLinks();
  EXPECT_EQ(ColumnWeak[CellAt(0, 4)], 1u);
  EXPECT_EQ(ColumnWeak[CellAt(4, 4)], 1u);
  EXPECT_EQ(ColumnWeak[CellAt(6, 4)], 0u);  // not marked
  EXPECT_EQ(RowWeak[CellAt(0, 0)], 0u);     // row 1 is strong
  EXPECT_EQ(LinkMask[CellAt(6, 4)], 0u);
}

// Each unit can carry one link of a path at most (a link leaves a cell by another unit kind
// than it entered, and a unit's links all lead to its first marked cell), so a path never
// passes 28 cells and the 32-cell path is never outgrown, whatever the link tables say.
TEST_F(Chains, CyclePathNeverOutgrowsItsCells) {
  uint32_t seed = 12345, longest = 0;
  auto next = [&seed]() { return (seed = seed * 1103515245u + 12345u) >> 16; };
  const uint32_t overflowsBefore = CyclePathOverflows;
  for (int round = 0; round < 3000; ++round) {
    for (uint32_t c = 0; c < 81; ++c) {
      LinkMask[c] = next() % 100 < 60;
      RowStrong[c] = LinkMask[c] && next() % 2;
      ColumnStrong[c] = LinkMask[c] && next() % 2;
      BoxStrong[c] = LinkMask[c] && next() % 2;
      RowWeak[c] = LinkMask[c] && next() % 2;
      ColumnWeak[c] = LinkMask[c] && next() % 2;
      BoxWeak[c] = LinkMask[c] && next() % 2;
    }
    for (uint32_t start = 0; start < 81; ++start) {
      if (!LinkMask[start]) continue;
      const uint32_t links = FindXCycle(start);
      ASSERT_LE(links, 28u);
      if (links > longest) longest = links;
      for (uint32_t i = 0; i < links; ++i) {  // consecutive cells share the link's unit
        const uint32_t a = CyclePath[i], b = CyclePath[(i + 1) % links];
        const uint32_t kind = CycleLinkType[i] % 4;
        ASSERT_TRUE(kind == 1 ? RowOf(a) == RowOf(b)
                    : kind == 2 ? ColumnOf(a) == ColumnOf(b)
                                : BlockOf(a) == BlockOf(b));
      }
    }
  }
  EXPECT_EQ(CyclePathOverflows, overflowsBefore);
  EXPECT_GE(longest, 10u);  // the searches did go deep
}

TEST_F(Chains, XYChainRectangleLoop) {
  Open(1, 1, "12");  // A
  Open(1, 4, "23");  // B: shares 2 with A
  Open(4, 4, "34");  // D
  Open(4, 1, "14");  // C = {a, y}
  Open(7, 1, "156");
  Open(9, 4, "356");
  Open(1, 7, "256");
  Open(4, 8, "456");
  XYChain(0);
  EXPECT_EQ(LogLines(), (Lines{"XY-chain (4,8) <4>", "XY-chain (1,7) <2>", "XY-chain (9,4) <3>",
                               "XY-chain (7,1) <1>"}));
}

TEST_F(Chains, XYChainRectangleNeedsTheLastCornerToBeExactlyTheClosingPair) {
  // After HiddenSingle, NakedSingle, LockedCandidates, NakedPair and HiddenPair twice, each
  // pass repeated, on 000074300000901005037600001000105000003000600468009000051000900900000000
  // 040000506. A corner that merely holds the two closing digits would remove the solution's
  // 7 from (8,8).
  uint8_t puzzle[81];
  ASSERT_TRUE(ParseGrid(
      "000074300000901005037600001000105000003000600468009000051000900900000000040000506",
      puzzle));
  uint8_t solution[81];
  ASSERT_EQ(CountSolutions(puzzle, solution), 1);
  LoadCandidateText(
      "(1)(9)(5) (28)74 3(6)(28)"
      "(6)(28)(4) 9(3)1 (27)(278)5"
      "(28)37 6(5)(28) (4)(9)1"
      "(27)(27)(9) 1(6)5 (8)(348)(348)"
      "(5)(1)3 (478)(48)(78) 6(2)(29)"
      "468 (3)(2)9 (1)(5)(7)"
      "(378)51 (2478)(48)(6) 9(2378)(238)"
      "9(78)(6) (5)(1)(2378) (27)(23478)(2348)"
      "(378)4(2) (78)(9)(378) 5(1)6");
  ASSERT_TRUE(LostSolutionDigits(solution).empty());
  ASSERT_EQ(solution[7 * 9 + 7], 7);
  XYChain(0);
  EXPECT_TRUE(LogLines().empty());
  EXPECT_TRUE(Has(8, 8, 7));
  EXPECT_EQ(LostSolutionDigits(solution), "");
}

TEST_F(Chains, BrokenXYChainWalkLogsItsCellsInDetailedMode) {
  Open(1, 1, "12");  // S
  Open(5, 1, "13");
  Open(5, 5, "23");
  Open(7, 5, "25");
  Open(1, 5, "278");  // sees S and the cell before the last
  g.settings.candErase = 2;
  XYChainCheck(0);
  EXPECT_EQ(LogLines(),
            (Lines{"※XY-chainが(1,1)から(5,5)へ不連続3連鎖しました[2]", "　XY-chain(1,1)",
                   "　XY-chain(5,1)", "　XY-chain(5,5)", "処理(XY-chain) 2件",
                   "XY-chain (1,5) <2>"}));
}

TEST_F(Chains, ClosedXYLoopClearsEveryLinkUnit) {
  Open(1, 1, "12");
  Open(5, 1, "13");
  Open(5, 5, "34");
  Open(1, 5, "24");
  Open(8, 1, "156");
  Open(5, 8, "356");
  Open(9, 5, "467");
  Open(1, 9, "289");
  XYChainCheck(0);
  EXPECT_EQ(LogLines(), (Lines{"XY-chain (5,8) <3>", "XY-chain (8,1) <1>", "XY-chain (1,9) <2>",
                               "XY-chain (9,5) <4>"}));
}

TEST_F(Chains, RemotePairsColourAlongTheSamePair) {
  Open(1, 1, "12");
  Open(5, 1, "12");
  Open(5, 5, "12");
  Open(8, 1, "123");
  Open(5, 7, "235");
  Open(1, 5, "135");  // sees two cells of one colour only: keeps its 1
  g.settings.candErase = 2;
  RemotePairs(0);
  EXPECT_EQ(LogLines(), (Lines{"処理(Remote Pairs) 4件", "Remote Pairs (5,7) <2>",
                               "Remote Pairs (8,1) <2>", "Remote Pairs (8,1) <1>"}));
  EXPECT_TRUE(Has(1, 5, 1));
}

TEST_F(Chains, RoutinesAreListedUnderTheirCommands) {
  const std::pair<const char*, uint32_t> expected[] = {
      {"XCycle", 1140}, {"XYChain", 1040}, {"XYChainCheck", 0}, {"RemotePairs", 1050}};
  for (const auto& [name, command] : expected) {
    const RoutineEntry* e = FindRoutine(name);
    ASSERT_NE(e, nullptr) << name;
    EXPECT_EQ(e->commandId, command) << name;
  }
}

TEST(ChainsCli, XCycleTranscriptInDetailedMode) {
  const std::string file = WriteTempFile(
      "xcycle.txt",
      "800000000050904000007000600020300040000010000000205090600090800090003050001000007\n");
  int status = -1;
  const std::string out = RunCli("-t -m candidate -l 2 -r XCycle " + file, &status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(out.find("log\t☆候補[9]でX-cycleが(3,1)から4連鎖しました\nlog\t処理(X-cycle) 1件\n"
                     "log\tX-cycle (7,1) <9>\nstatus1\t全候補数[246]\n"),
            std::string::npos)
      << out;
}

TEST(ChainsCli, EveryRoutineRunsByName) {
  for (const char* name : {"XYWing", "XYZWing", "WXYZWing", "WXYZWingType1", "WXYZWingType2",
                           "WXYZWingType3", "SimpleColoring", "MultiColoringType1",
                           "MultiColoringType2", "Medusa3D", "XCycle", "XYChain",
                           "XYChainCheck", "RemotePairs"}) {
    int status = -1;
    RunCli(std::string("-t --sample -m candidate -r ") + name, &status);
    EXPECT_EQ(status, 0) << name;
  }
}
