// The XY-chain rectangle and walk on hand-built states, the cycle path's bound, remote-pair
// colouring and the XY-chain regression puzzle.
#include <algorithm>
#include <string>
#include <vector>

#include "techniques/colouring.h"
#include "techniques/techniques.h"
#include "tests/support.h"

using Chains = EngineTest;

TEST_F(Chains, ExamplesLogTheirLinesInOrder) {
  const LogCase cases[] = {
      // A (1,1), B (1,4) sharing 2 with A, D (4,4), C (4,1) closing the rectangle.
      {"xy-chain rectangle", XYChain, 1,
       {{1, 1, "12"}, {1, 4, "23"}, {4, 4, "34"}, {4, 1, "14"}, {7, 1, "156"}, {9, 4, "356"},
        {1, 7, "256"}, {4, 8, "456"}},
       {"XY-chain (4,8) <4>", "XY-chain (1,7) <2>", "XY-chain (9,4) <3>", "XY-chain (7,1) <1>"}},
      // (1,5) sees S (1,1) and the cell before the last.
      {"broken xy-chain walk", XYChainCheck, 2,
       {{1, 1, "12"}, {5, 1, "13"}, {5, 5, "23"}, {7, 5, "25"}, {1, 5, "278"}},
       {"※XY-chainが(1,1)から(5,5)へ不連続3連鎖しました[2]", "　XY-chain(1,1)", "　XY-chain(5,1)",
        "　XY-chain(5,5)", "処理(XY-chain) 2件", "XY-chain (1,5) <2>"}},
      {"broken xy-chain walk through pairs with a 9", XYChainCheck, 2,
       {{1, 1, "12"}, {5, 1, "19"}, {5, 5, "29"}, {7, 5, "25"}, {1, 5, "278"}},
       {"※XY-chainが(1,1)から(5,5)へ不連続3連鎖しました[2]", "　XY-chain(1,1)", "　XY-chain(5,1)",
        "　XY-chain(5,5)", "処理(XY-chain) 2件", "XY-chain (1,5) <2>"}},
      {"closed xy loop clears every link unit", XYChainCheck, 1,
       {{1, 1, "12"}, {5, 1, "13"}, {5, 5, "34"}, {1, 5, "24"}, {8, 1, "156"}, {5, 8, "356"},
        {9, 5, "467"}, {1, 9, "289"}},
       {"XY-chain (5,8) <3>", "XY-chain (8,1) <1>", "XY-chain (1,9) <2>", "XY-chain (9,5) <4>"}},
  };
  for (const LogCase& c : cases) ExpectLog(c);
}

// Each unit carries one link of a path at most, so a path never passes 28 cells and the
// 32-cell path is never outgrown, whatever the link tables say.
TEST_F(Chains, CyclePathNeverOutgrowsItsCells) {
  uint32_t seed = 12345, longest = 0;
  auto next = [&seed]() { return (seed = seed * 1103515245u + 12345u) >> 16; };
  const uint32_t overflowsBefore = CyclePathOverflows;
  for (int round = 0; round < 3000; ++round) {
    for (uint32_t c = 0; c < 81; ++c) {
      LinkMask[c] = next() % 100 < 60;
      for (uint32_t* table : {RowStrong, ColumnStrong, BoxStrong, RowWeak, ColumnWeak, BoxWeak})
        table[c] = LinkMask[c] && next() % 2;
    }
    for (uint32_t start = 0; start < 81; ++start) {
      if (!LinkMask[start]) continue;
      const uint32_t links = FindXCycle(start);
      ASSERT_LE(links, 28u);
      longest = std::max(longest, links);
      for (uint32_t i = 0; i < links; ++i) {  // consecutive cells share the link's unit
        const uint32_t a = CyclePath[i], b = CyclePath[(i + 1) % links];
        const uint32_t kind = CycleLinkType[i] % 4;
        ASSERT_TRUE(kind == 1   ? RowOf(a) == RowOf(b)
                    : kind == 2 ? ColumnOf(a) == ColumnOf(b)
                                : BlockOf(a) == BlockOf(b));
      }
    }
  }
  EXPECT_EQ(CyclePathOverflows, overflowsBefore);
  EXPECT_GE(longest, 10u);
}

// Pair colouring alternates two colours along the first two cells of each unit that carry
// the start's pair, and leaves other pairs, third cells and unmarked starts alone.
TEST_F(Chains, PairColouringAlternatesAlongTheFirstTwoCellsOfEachUnit) {
  for (uint32_t c = 0; c < 81; ++c) LinkMask[c] = CellColour[c] = PairFirst[c] = PairSecond[c] = 0;
  // r1c1, r1c5, r5c5, r5c1, r2c2 (box 1 only) and r9c9 carry {1,2}; r1c9 is row 1's third;
  // r5c9 carries {1,3}.
  for (uint32_t c : {0u, 4u, 40u, 36u, 10u, 80u, 8u, 44u}) {
    LinkMask[c] = 1;
    PairFirst[c] = 1, PairSecond[c] = c == 44 ? 3 : 2;
  }
  EXPECT_EQ(ColourRemotePairs(1, 1, 2), 0u);  // not marked
  PairColourCount = 1;
  CellColour[0] = 1;
  uint32_t calls = 0;
  while (ColourRemotePairs(0, 1, 2) != 0) ++calls;
  EXPECT_EQ(calls, 1u);  // rows, columns and boxes in one call reach r5c5 through r1c5
  EXPECT_EQ((std::vector<uint32_t>{CellColour[0], CellColour[4], CellColour[40], CellColour[36],
                                   CellColour[10], CellColour[8], CellColour[44], CellColour[80]}),
            (std::vector<uint32_t>{1, 2, 1, 2, 2, 0, 0, 0}));
  EXPECT_EQ(PairColourCount, 5u);
  // From the other side the colours swap.
  for (uint32_t c = 0; c < 81; ++c) CellColour[c] = 0;
  CellColour[40] = 2;
  while (ColourRemotePairs(40, 2, 1) != 0) {}
  EXPECT_EQ((std::vector<uint32_t>{CellColour[0], CellColour[4], CellColour[36], CellColour[10]}),
            (std::vector<uint32_t>{2, 1, 1, 1}));
}

// The state after HiddenSingle, NakedSingle, LockedCandidates, NakedPair and HiddenPair twice,
// each pass repeated. A corner that merely holds the two closing digits would remove the
// solution's 7 from (8,8).
TEST_F(Chains, XYChainRectangleNeedsTheLastCornerToBeExactlyTheClosingPair) {
  uint8_t puzzle[81], solution[81];
  ASSERT_TRUE(ParseGrid(
      "000074300000901005037600001000105000003000600468009000051000900900000000040000506",
      puzzle));
  ASSERT_EQ(CountSolutions(puzzle, solution), 1);
  LoadState(
      "(1)(9)(5) (28)74 3(6)(28)"
      "(6)(28)(4) 9(3)1 (27)(278)5"
      "(28)37 6(5)(28) (4)(9)1"
      "(27)(27)(9) 1(6)5 (8)(348)(348)"
      "(5)(1)3 (478)(48)(78) 6(2)(29)"
      "468 (3)(2)9 (1)(5)(7)"
      "(378)51 (2478)(48)(6) 9(2378)(238)"
      "9(78)(6) (5)(1)(2378) (27)(23478)(2348)"
      "(378)4(2) (78)(9)(378) 5(1)6");
  ASSERT_EQ(LostSolutionDigits(solution), "");
  ASSERT_EQ(solution[7 * 9 + 7], 7);
  XYChain(0);
  EXPECT_TRUE(LogLines().empty());
  EXPECT_EQ(LostSolutionDigits(solution), "");
}
