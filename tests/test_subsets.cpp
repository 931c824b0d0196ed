// The subset hints: which units they search and which cells they mark.
#include "drivers/commands.h"
#include "techniques/techniques.h"
#include "tests/support.h"

using Subsets = EngineTest;

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
