// Locked candidates on hand-built candidate tables: claiming from rows and columns, pointing
// from blocks, and the pass order (all rows, then all columns, then all blocks).
#include "techniques/techniques.h"
#include "tests/support.h"

using Locked = CandidateTableTest;

TEST_F(Locked, PointingPairQueuesTheBlockCellBetweenAndTheLoggerSkipsIt) {
  for (uint32_t k = 0; k < 9; ++k)
    if (k != 3 && k != 5) Drop(BlockCell(0, k), 5);
  // Three places of 9 in block 4 on a diagonal: neither a row nor a column, nothing.
  for (uint32_t k = 0; k < 9; ++k)
    if (k != 0 && k != 4 && k != 8) Drop(BlockCell(4, k), 9);
  LockedCandidates(0);
  EXPECT_EQ(LogLines(), Lines("Locked Candidates", {"(9,2) <5>", "(8,2) <5>", "(7,2) <5>",
                                                    "(6,2) <5>", "(5,2) <5>", "(4,2) <5>"}));
}

TEST_F(Locked, PointingTripleInAColumn) {
  for (uint32_t k = 0; k < 9; ++k)
    if (k % 3 != 1) Drop(BlockCell(8, k), 4);
  LockedCandidates(0);
  EXPECT_EQ(LogLines(), Lines("Locked Candidates", {"(8,6) <4>", "(8,5) <4>", "(8,4) <4>",
                                                    "(8,3) <4>", "(8,2) <4>", "(8,1) <4>"}));
}

// Row 1 claims 5 for block 1, clearing the block's rows below.
TEST_F(Locked, RowsComeBeforeBlocksWhateverTheDigit) {
  RowOnly(0, 5, {1, 2});
  for (uint32_t k = 2; k < 9; ++k) Drop(BlockCell(8, k), 3);  // 3 only at (6,6) and (6,7)
  EXPECT_EQ(LockedCandidates(0), 1u);
  // The block pass is queued last, so its digit-3 lines come first despite the lower digit.
  EXPECT_EQ(LogLines(), Lines("Locked Candidates",
                              {"(6,7) <3>", "(5,7) <3>", "(4,7) <3>", "(3,7) <3>", "(2,7) <3>",
                               "(1,7) <3>", "(3,3) <5>", "(2,3) <5>", "(1,3) <5>", "(3,2) <5>",
                               "(2,2) <5>", "(1,2) <5>"}));
}

