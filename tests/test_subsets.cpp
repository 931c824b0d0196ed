// Naked and hidden subsets on hand-built candidate tables: exact log lines in order, the
// triple's line-block step, the hidden gates and the hint marks.
#include "drivers/commands.h"
#include "techniques/techniques.h"
#include "tests/test_subsets_table.h"

using Subsets = CandidateTableTest;

TEST_F(Subsets, NakedPairClearsTheRestOfTheRowInReverseQueueOrder) {
  FillAll();
  Open(0, 0, "12");
  Open(0, 1, "12");
  Open(0, 4, "125");
  Open(0, 7, "26");
  EXPECT_EQ(NakedPair(0), 1u);
  // (0,7) loses 2 and keeps its last candidate; its queued 1 was never there.
  EXPECT_EQ(LogLines(), Lines("Naked Pair", {"(8,1) <2>", "(5,1) <2>", "(5,1) <1>"}));
  EXPECT_EQ(g.cand.count[4], 1u);
  EXPECT_EQ(g.cand.count[0], 2u) << "members never lose candidates";
  EXPECT_EQ(g.queue.length, 0u);
  // Run again: the pair's digits are gone from the row, entries are queued and skipped.
  platform.Clear();
  const uint32_t total = g.cand.total;
  EXPECT_EQ(NakedPair(0), 1u);
  EXPECT_TRUE(LogLines().empty());
  EXPECT_EQ(g.cand.total, total);
}

TEST_F(Subsets, NakedTripleLineBlockStepFirstPairInARow) {
  FillAll();
  Open(0, 0, "123");
  Open(0, 1, "123");
  Open(0, 5, "12");
  Open(0, 8, "139");
  Open(1, 0, "34");
  Open(2, 2, "35");
  Open(1, 4, "37");  // same band, other block: untouched
  NakedTriple(0);
  EXPECT_EQ(LogLines(),
            Lines("Naked Triple", {"(3,3) <3>", "(1,2) <3>", "(9,1) <3>", "(9,1) <1>"}));
  EXPECT_TRUE(Flag(CellAt(1, 4), 2));
}

TEST_F(Subsets, NakedTripleLineBlockStepLastPairInAColumn) {
  FillAll();
  Open(0, 4, "56");
  Open(6, 4, "567");
  Open(7, 4, "567");
  Open(6, 3, "78");
  Open(8, 5, "79");
  NakedTriple(0);
  EXPECT_EQ(LogLines(), Lines("Naked Triple", {"(6,9) <7>", "(4,7) <7>"}));
}

TEST_F(Subsets, NakedTripleInOneBlockHasNoLineBlockStep) {
  FillAll();
  Open(0, 0, "123");
  Open(0, 1, "12");
  Open(0, 2, "13");
  Open(1, 0, "14");  // in the block, so the block pass clears 1 here
  Open(0, 5, "25");
  NakedTriple(0);
  // Row pass: (0,5) loses 2; block pass: (1,0) loses 1. Nothing else in rows 1 and 2.
  EXPECT_EQ(LogLines(), Lines("Naked Triple", {"(1,2) <1>", "(6,1) <2>"}));
}

TEST_F(Subsets, NakedQuadAndQuintupletUseCellsOfTwoToNCandidates) {
  FillAll();
  Open(4, 0, "12");
  Open(4, 1, "23");
  Open(4, 2, "34");
  Open(4, 3, "14");
  Open(4, 8, "1456");
  NakedQuad(0);
  EXPECT_EQ(LogLines(), Lines("Naked Quad", {"(9,5) <4>", "(9,5) <1>"}));
  platform.Clear();
  Open(4, 4, "45");
  Open(4, 8, "15679");
  NakedQuintuplet(0);
  EXPECT_EQ(LogLines(), Lines("Naked Quintuplet", {"(9,5) <5>", "(9,5) <1>"}));
}

TEST_F(Subsets, WithThePlacementFlagSinglesArePlaced) {
  FillAll();
  Open(0, 0, "12");
  Open(0, 1, "12");
  Open(0, 4, "15");
  EXPECT_EQ(NakedPair(1), 1u);
  EXPECT_EQ(g.board.value[4], 5u);
  EXPECT_EQ(g.board.kind[4], static_cast<uint32_t>(KindAuto));
  // A decided cell that already holds its value stops the pass: the result is 0.
  EXPECT_EQ(NakedPair(1), 0u);
}

TEST_F(Subsets, NakedHintsMarkMembersOnlyInUnitsWithEnoughOpenCells) {
  FillAll();
  Open(0, 0, "12");
  Open(0, 1, "12");
  Open(0, 2, "123");
  EXPECT_EQ(HintNakedPair(), 1u);
  EXPECT_EQ(g.hintMarkCount, 2u) << "found in row 0 and in block 0";
  EXPECT_EQ(g.board.kind[0], static_cast<uint32_t>(KindHint));
  EXPECT_EQ(g.board.kind[1], static_cast<uint32_t>(KindHint));
  EXPECT_EQ(g.board.kind[2], static_cast<uint32_t>(KindEmpty));
  EXPECT_TRUE(LogLines().empty());
  // Only the two members left open: no unit has three cells of kind 9 or 10.
  FillAll();
  Open(0, 0, "12");
  Open(0, 1, "12");
  EXPECT_EQ(HintNakedPair(), 0u);
  EXPECT_EQ(g.hintMarkCount, 0u);
  // The command runs the hint in the candidate screen.
  Open(0, 2, "123");
  EXPECT_EQ(RunCommand(161), CommandDone);
  EXPECT_EQ(g.hintMarkCount, 2u);
}

TEST_F(Subsets, HiddenPairRemovesTheOtherDigitsOfItsTwoCells) {
  FillAll();
  Open(0, 0, "1247");
  Open(0, 3, "2347");
  Open(0, 6, "123");
  Open(0, 7, "123");
  Open(0, 8, "13");
  EXPECT_EQ(HiddenPair(0), 1u);
  EXPECT_EQ(LogLines(),
            Lines("Hidden Pair", {"(4,1) <3>", "(4,1) <2>", "(1,1) <2>", "(1,1) <1>"}));
}

TEST_F(Subsets, HiddenPairRowGateNeedsExactlyTwoDigitsOccurringTwice) {
  FillAll();
  Open(0, 0, "1247");
  Open(0, 3, "2347");
  Open(0, 6, "1239");
  Open(0, 7, "1239");
  Open(0, 8, "13");
  const uint32_t total = g.cand.total;
  HiddenPair(0);
  EXPECT_TRUE(LogLines().empty()) << "9 also occurs exactly twice: the row is not searched";
  EXPECT_EQ(g.cand.total, total);
}

TEST_F(Subsets, HiddenPairBlockGateCountsDigitsOccurringTwoOrThreeTimes) {
  // Digits 5 and 6 only in (0,0) and (1,1); digit 8 three times. In a row the gate (two
  // digits occurring exactly twice) passes; in a block the third digit occurring three times
  // makes three digits with two or three places, and the block is not searched.
  FillAll();
  Open(0, 0, "156");
  Open(1, 1, "568");
  Open(2, 2, "38");
  Open(1, 2, "89");
  HiddenPair(0);
  EXPECT_TRUE(LogLines().empty());

  FillAll();
  Open(4, 0, "156");
  Open(4, 3, "568");
  Open(4, 6, "38");
  Open(4, 8, "89");
  HiddenPair(0);
  EXPECT_EQ(LogLines(), Lines("Hidden Pair", {"(4,5) <8>", "(1,5) <1>"}));
}

TEST_F(Subsets, HiddenTripleAcrossThreeBlocks) {
  FillAll();
  Open(2, 0, "1289");
  Open(2, 4, "23");
  Open(2, 8, "13");
  Open(1, 0, "89");  // block 0 and column 0 hold two digits twice each: below the gate
  HiddenTriple(0);
  EXPECT_EQ(LogLines(), Lines("Hidden Triple", {"(1,3) <9>", "(1,3) <8>"}));
}

TEST_F(Subsets, HiddenHintsMarkEachCell) {
  FillAll();
  Open(0, 0, "1247");
  Open(0, 3, "2347");
  Open(0, 6, "123");
  Open(0, 7, "123");
  Open(0, 8, "13");
  EXPECT_EQ(RunCommand(166), CommandDone);
  EXPECT_EQ(g.hintMarkCount, 2u);
  EXPECT_EQ(g.board.kind[0], static_cast<uint32_t>(KindHint));
  EXPECT_EQ(g.board.kind[3], static_cast<uint32_t>(KindHint));
  FillAll();
  Open(0, 0, "47");
  Open(0, 3, "47");
  EXPECT_EQ(HintHiddenPair(), 0u) << "a unit with two open cells is not considered";
}
