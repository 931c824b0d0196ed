#include "board/state.h"
#include "tests/support.h"

TEST(Geometry, CellHelpersAndBlockWalksAgreeWithRowAndColumnArithmetic) {
  InitGeometry();
  EXPECT_EQ(RowOf(80), 8u);
  EXPECT_EQ(ColumnOf(80), 8u);
  EXPECT_EQ(BlockOf(80), 8u);
  EXPECT_EQ(BlockFirst(4), 30u);
  const uint32_t block4[9] = {30, 31, 32, 39, 40, 41, 48, 49, 50};
  for (uint32_t k = 0; k < 9; ++k) EXPECT_EQ(BlockCell(4, k), block4[k]);
  // Block order: the blocks one after another, each read row by row, every cell once.
  bool seen[81] = {};
  for (uint32_t k = 0; k < 81; ++k) {
    const uint32_t c = BlockOrder[k], b = k / 9, i = k % 9;
    ASSERT_LT(c, 81u);
    EXPECT_FALSE(seen[c]) << k;
    seen[c] = true;
    EXPECT_EQ(c / 9, b / 3 * 3 + i / 3) << k;
    EXPECT_EQ(c % 9, b % 3 * 3 + i % 3) << k;
  }
  // Peers: the twenty other cells of the row, the column and the block, every one once.
  for (uint32_t c = 0; c < 81; ++c) {
    uint32_t count = 0;
    for (uint32_t p = 0; p < 81; ++p) {
      const bool peer = p != c && (p / 9 == c / 9 || p % 9 == c % 9 ||
                                   (p / 27 == c / 27 && p % 9 / 3 == c % 9 / 3));
      uint32_t listed = 0;
      for (uint32_t i = 0; i < 20; ++i) listed += Peers[c][i] == p;
      EXPECT_EQ(listed, peer ? 1u : 0u) << c << " " << p;
      EXPECT_EQ(SharesUnit(c, p), p == c || peer) << c << " " << p;
      count += peer;
    }
    EXPECT_EQ(count, 20u);
  }
}

TEST(Random, ReproducesTheRuntimeGenerator) {
  SeedRandom(1);
  // The first draws of the classic LCG seeded with 1.
  EXPECT_EQ(Random(), 41u);
  EXPECT_EQ(Random(), 18467u);
  EXPECT_EQ(Random(), 6334u);
  SeedRandom(1);
  EXPECT_EQ(Random(), 41u);
}
