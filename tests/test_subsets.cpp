// Naked and hidden subsets on hand-built candidate tables: exact log lines in order, the
// triple's line-block step, the hidden gates and the hint marks.
#include "drivers/commands.h"
#include "techniques/techniques.h"
#include "tests/support.h"

using Subsets = EngineTest;

TEST_F(Subsets, ExamplesLogTheirLinesInOrder) {
  const LogCase cases[] = {
      // (8,1) loses 2 and keeps its last candidate; its queued 1 was never there.
      {"naked pair", NakedPair, 1, {{1, 1, "12"}, {2, 1, "12"}, {5, 1, "125"}, {8, 1, "26"}},
       {"Naked Pair (8,1) <2>", "Naked Pair (5,1) <2>", "Naked Pair (5,1) <1>"}},
      // (5,2) shares the band but not the block: untouched.
      {"triple, first pair in a row", NakedTriple, 1,
       {{1, 1, "123"}, {2, 1, "123"}, {6, 1, "12"}, {9, 1, "139"}, {1, 2, "34"}, {3, 3, "35"},
        {5, 2, "37"}},
       {"Naked Triple (3,3) <3>", "Naked Triple (1,2) <3>", "Naked Triple (9,1) <3>",
        "Naked Triple (9,1) <1>"}},
      {"triple, last pair in a column", NakedTriple, 1,
       {{5, 1, "56"}, {5, 7, "567"}, {5, 8, "567"}, {4, 7, "78"}, {6, 9, "79"}},
       {"Naked Triple (6,9) <7>", "Naked Triple (4,7) <7>"}},
      {"triple in one block, no line-block step", NakedTriple, 1,
       {{1, 1, "123"}, {2, 1, "12"}, {3, 1, "13"}, {1, 2, "14"}, {6, 1, "25"}},
       {"Naked Triple (1,2) <1>", "Naked Triple (6,1) <2>"}},
      {"quad of cells with two to four candidates", NakedQuad, 1,
       {{1, 5, "12"}, {2, 5, "23"}, {3, 5, "34"}, {4, 5, "14"}, {9, 5, "1456"}},
       {"Naked Quad (9,5) <4>", "Naked Quad (9,5) <1>"}},
      {"quintuplet", NakedQuintuplet, 1,
       {{1, 5, "12"}, {2, 5, "23"}, {3, 5, "34"}, {4, 5, "14"}, {5, 5, "45"}, {9, 5, "15679"}},
       {"Naked Quintuplet (9,5) <5>", "Naked Quintuplet (9,5) <1>"}},
      {"hidden pair", HiddenPair, 1,
       {{1, 1, "1247"}, {4, 1, "2347"}, {7, 1, "123"}, {8, 1, "123"}, {9, 1, "13"}},
       {"Hidden Pair (4,1) <3>", "Hidden Pair (4,1) <2>", "Hidden Pair (1,1) <2>",
        "Hidden Pair (1,1) <1>"}},
      // 9 also occurs exactly twice: the row is not searched.
      {"row gate: exactly two digits twice", HiddenPair, 1,
       {{1, 1, "1247"}, {4, 1, "2347"}, {7, 1, "1239"}, {8, 1, "1239"}, {9, 1, "13"}}, {}},
      // 5 and 6 only in (1,1) and (2,2); 8 three times makes three digits with two or three
      // places, so the block is not searched. The same cells along a row pass the row gate.
      {"block gate counts digits twice or three times", HiddenPair, 1,
       {{1, 1, "156"}, {2, 2, "568"}, {3, 3, "38"}, {3, 2, "89"}}, {}},
      {"row gate passes the same cells", HiddenPair, 1,
       {{1, 5, "156"}, {4, 5, "568"}, {7, 5, "38"}, {9, 5, "89"}},
       {"Hidden Pair (4,5) <8>", "Hidden Pair (1,5) <1>"}},
      // Block 1 and column 1 hold two digits twice each: below the gate.
      {"hidden triple across three blocks", HiddenTriple, 1,
       {{1, 3, "1289"}, {5, 3, "23"}, {9, 3, "13"}, {1, 2, "89"}},
       {"Hidden Triple (1,3) <9>", "Hidden Triple (1,3) <8>"}},
  };
  for (const LogCase& c : cases) ExpectLog(c);
}

TEST_F(Subsets, MembersKeepTheirDigitsAndASecondRunSkipsTheQueuedEntries) {
  LoadOpenCells({{1, 1, "12"}, {2, 1, "12"}, {5, 1, "125"}, {8, 1, "26"}});
  EXPECT_EQ(NakedPair(0), 1u);
  EXPECT_EQ(g.cand.count[0], 2u);
  EXPECT_EQ(g.queue.length, 0u);
  platform.Clear();
  const uint32_t total = g.cand.total;
  EXPECT_EQ(NakedPair(0), 1u);
  EXPECT_TRUE(LogLines().empty());
  EXPECT_EQ(g.cand.total, total);
}

TEST_F(Subsets, WithThePlacementFlagSinglesArePlaced) {
  LoadOpenCells({{1, 1, "12"}, {2, 1, "12"}, {5, 1, "15"}});
  EXPECT_EQ(NakedPair(1), 1u);
  EXPECT_EQ(g.board.value[4], 5u);
  EXPECT_EQ(g.board.kind[4], static_cast<uint32_t>(KindAuto));
  // A decided cell that already holds its value stops the pass: the result is 0.
  EXPECT_EQ(NakedPair(1), 0u);
}

// A naked subset of N cells is a hint only in a unit with more than N open cells: a unit of
// exactly N open cells is just its own digits. Row 1 holds the subset from column 1, and one
// more open cell at column N+1 makes it a hint.
TEST_F(Subsets, NakedHintsOfEverySizeNeedOneOpenCellMoreThanTheSubset) {
  const struct {
    uint32_t (*hint)();
    std::vector<const char*> cells;
  } cases[] = {{HintNakedPair, {"12", "12"}},
               {HintNakedTriple, {"12", "23", "13"}},
               {HintNakedQuad, {"12", "23", "34", "14"}},
               {HintNakedQuintuplet, {"12", "23", "34", "45", "15"}}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.cells.size());
    std::vector<OpenCell> open;
    for (uint32_t i = 0; i < k.cells.size(); ++i) open.push_back({i + 1, 1, k.cells[i]});
    LoadOpenCells(open);
    EXPECT_EQ(k.hint(), 0u);
    EXPECT_EQ(g.hintMarkCount, 0u);
    open.push_back({static_cast<uint32_t>(k.cells.size()) + 1, 1, "6789"});
    LoadOpenCells(open);
    EXPECT_EQ(k.hint(), 1u);
    for (uint32_t i = 0; i <= k.cells.size(); ++i)
      EXPECT_EQ(g.board.kind[i] == KindHint, i < k.cells.size()) << "cell " << i;
  }
}

TEST_F(Subsets, HintsMarkMembersOnlyInUnitsWithEnoughOpenCells) {
  LoadOpenCells({{1, 1, "12"}, {2, 1, "12"}, {3, 1, "123"}});
  EXPECT_EQ(HintNakedPair(), 1u);
  EXPECT_EQ(g.hintMarkCount, 2u) << "found in row 1 and in block 1";
  EXPECT_EQ(g.board.kind[0], static_cast<uint32_t>(KindHint));
  EXPECT_EQ(g.board.kind[1], static_cast<uint32_t>(KindHint));
  EXPECT_EQ(g.board.kind[2], static_cast<uint32_t>(KindEmpty));
  EXPECT_TRUE(LogLines().empty());
  // Only the two members open: no unit has three cells of kind 9 or 10.
  LoadOpenCells({{1, 1, "12"}, {2, 1, "12"}});
  EXPECT_EQ(HintNakedPair(), 0u);
  EXPECT_EQ(g.hintMarkCount, 0u);
  Open(3, 1, "123");
  platform.Clear();
  EXPECT_EQ(RunCommand(161), CommandDone);
  EXPECT_EQ(g.hintMarkCount, 2u);
  EXPECT_TRUE(platform.Lines("status1").empty()) << "a hint removes nothing: no new counts";

  LoadOpenCells({{1, 1, "1247"}, {4, 1, "2347"}, {7, 1, "123"}, {8, 1, "123"}, {9, 1, "13"}});
  EXPECT_EQ(RunCommand(166), CommandDone);
  EXPECT_EQ(g.hintMarkCount, 2u);
  EXPECT_EQ(g.board.kind[0], static_cast<uint32_t>(KindHint));
  EXPECT_EQ(g.board.kind[3], static_cast<uint32_t>(KindHint));
  LoadOpenCells({{1, 1, "47"}, {4, 1, "47"}});
  EXPECT_EQ(HintHiddenPair(), 0u) << "a unit with two open cells is not considered";
}
