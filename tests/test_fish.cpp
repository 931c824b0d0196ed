// Basic, finned, sashimi and Franken fish on candidate tables of an empty grid: exact log
// lines in order, the fin and sashimi rules, the Franken explanation lines, the full queue.
#include <string>

#include "board/queue.h"
#include "techniques/techniques.h"
#include "tests/support.h"

using Fish = CandidateTableTest;
using Strings = std::vector<std::string>;

TEST_F(Fish, XWingClearsBothCoverColumnsOutsideItsRows) {
  RowOnly(1, 7, {2, 5});
  RowOnly(6, 7, {2, 5});
  EXPECT_EQ(XWing(0), 1u);
  EXPECT_EQ(LogLines(),
            Lines("X-Wing", {"(6,9) <7>", "(6,8) <7>", "(6,6) <7>", "(6,5) <7>", "(6,4) <7>",
                             "(6,3) <7>", "(6,1) <7>", "(3,9) <7>", "(3,8) <7>", "(3,6) <7>",
                             "(3,5) <7>", "(3,4) <7>", "(3,3) <7>", "(3,1) <7>"}));
}

TEST_F(Fish, SwordfishWithTwoCandidatesPerRow) {
  RowOnly(0, 1, {0, 4});
  RowOnly(3, 1, {4, 8});
  RowOnly(6, 1, {0, 8});
  XWing(0);
  EXPECT_TRUE(LogLines().empty());
  SwordFish(0);
  const auto lines = LogLines();
  ASSERT_EQ(lines.size(), 18u);
  EXPECT_EQ(lines.front(), "Sword fish (9,9) <1>");
  EXPECT_EQ(lines.back(), "Sword fish (1,2) <1>");
  EXPECT_TRUE(Flag(CellAt(3, 4), 0)) << "base rows keep their candidates";
}

TEST_F(Fish, FinnedXWingEliminatesOnlyInTheFinsBlock) {
  RowOnly(0, 3, {1, 7});
  RowOnly(4, 3, {1, 7, 8});
  XWing(0);
  SashimiFish(0);
  EXPECT_TRUE(LogLines().empty());
  FinnedFish(0);
  EXPECT_EQ(LogLines(), Lines("Finned Fish", {"(8,6) <3>", "(8,4) <3>"}));
  // A fin whose stack holds no cover column, and two single columns: nothing.
  platform.Clear();
  RowOnly(2, 6, {1, 4});
  RowOnly(5, 6, {1, 4, 7});
  RowOnly(6, 8, {1, 7});
  RowOnly(7, 8, {1, 6, 8});
  FinnedFish(0);
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(Fish, SashimiFishClearsEachSingleColumnInTheOtherRowsBand) {
  RowOnly(0, 6, {2, 6});
  RowOnly(4, 6, {2, 7});
  FinnedFish(0);
  EXPECT_TRUE(LogLines().empty());
  SashimiFish(0);
  EXPECT_EQ(LogLines(),
            Lines("Sashimi Fish", {"(7,6) <6>", "(7,4) <6>", "(8,3) <6>", "(8,2) <6>"}));
  // Single columns in different stacks give nothing.
  platform.Clear();
  RowOnly(1, 5, {2, 6});
  RowOnly(5, 5, {2, 3});
  SashimiFish(0);
  EXPECT_TRUE(LogLines().empty());
  // A sashimi swordfish uses every single column.
  LoadState(std::string(81, '.'));
  RowOnly(0, 2, {0, 4});
  RowOnly(3, 2, {4, 8});
  RowOnly(6, 2, {0, 7});
  SashimiSwordfish(0);
  EXPECT_EQ(LogLines(), Lines("Sashimi Swordfish",
                              {"(9,9) <2>", "(9,8) <2>", "(8,6) <2>", "(8,5) <2>"}));
}

// Digit 4 in detailed mode: conjugate row 2 at columns 1 and 5, partner rows 4 and 6 of band 2.
class Franken : public CandidateTableTest {
 protected:
  void Pattern(std::vector<uint32_t> rowA, std::vector<uint32_t> rowB) {
    g.settings.candErase = 2;
    RowOnly(1, 4, {0, 4});
    RowOnly(3, 4, rowA);
    RowOnly(5, 4, rowB);
  }
  // An explanation line per target in order of finding, the header, then the removals in the
  // reverse order.
  static Strings Expected(std::vector<std::pair<const char*, Strings>> found) {
    Strings out, places;
    for (const auto& [kind, targets] : found)
      for (const std::string& p : targets) {
        out.push_back(std::string("Franken Swordfish <4> ") + kind + " 消去" + p);
        places.push_back(p);
      }
    out.push_back(Format("処理(Franken Swordfish) %zu件", places.size()));
    for (auto p = places.rbegin(); p != places.rend(); ++p)
      out.push_back("Franken Swordfish " + *p + " <4>");
    return out;
  }
};

TEST_F(Franken, ThirdRowTargetsWithExplanationLinesFirst) {
  Pattern({0, 6}, {4, 7});
  EXPECT_EQ(FrankenSwordfish(0), 1u);
  EXPECT_EQ(LogLines(), Expected({{"二択y(2) Block[1,0,2]", {"(7,5)", "(8,5)", "(9,5)"}}}));
}

TEST_F(Franken, ClearingSkipsTheSecondColumnWhenTheFirstCellIsSolved) {
  Pattern({0, 6}, {4, 6});  // k = 1 in the third stack: the cover columns are cleared too
  Open(1, 1, "");           // row 1's cell in column 1 is filled: row 1 is skipped
  g.board.value[0] = 9;
  FrankenSwordfish(0);
  EXPECT_EQ(LogLines(),
            Expected({{"二択y(2) Block[1,0,2]", {"(7,5)", "(8,5)", "(9,5)"}},
                      {"二択y+(2) Block[4,6]", {"(1,3)", "(5,3)", "(1,5)", "(5,5)", "(1,7)",
                                               "(5,7)", "(1,8)", "(5,8)", "(1,9)", "(5,9)"}}}));
  EXPECT_TRUE(Flag(CellAt(0, 4), 3)) << "(5,1) is not cleared when (1,1) was skipped";
}

TEST_F(Franken, SameStackTakesTheSixColumnsInAscendingOrder) {
  g.settings.candErase = 2;
  RowOnly(1, 4, {3, 4});
  RowOnly(3, 4, {0, 3});
  RowOnly(5, 4, {1, 4});
  FrankenSwordfish(0);
  const auto lines = LogLines();
  ASSERT_GE(lines.size(), 6u);
  for (uint32_t i = 0; i < 6; ++i)
    EXPECT_EQ(lines[i], Format("Franken Swordfish <4> 二択y(2) Block[1,0,2] 消去(%u,5)", i + 1));
}

TEST_F(Franken, ColumnHalfWritesXLines) {
  g.settings.candErase = 2;
  for (const auto& [column, rows] : {std::pair<uint32_t, std::vector<uint32_t>>{1, {0, 4}},
                                     {3, {0, 6}}, {5, {4, 7}}})
    for (uint32_t r = 0; r < 9; ++r)
      if (r != rows[0] && r != rows[1]) Drop(CellAt(r, column), 4);
  FrankenSwordfish(0);
  EXPECT_EQ(LogLines(), Expected({{"二択x(2) Block[1,0,2]", {"(5,7)", "(5,8)", "(5,9)"}}}));
}

// Digit 1 confined to columns 1..5 in every row: every 5-row set of Squirmbag is a fish with
// 20 targets, 2520 entries in all. The queue takes 2000 and refuses the rest.
TEST_F(Fish, FullQueueRefusesEntriesAndTheFlushWarnsOnce) {
  for (uint32_t r = 0; r < 9; ++r) RowOnly(r, 1, {0, 1, 2, 3, 4});
  g.settings.candErase = 0;
  Squirmbag(0);
  EXPECT_EQ(platform.Lines("message"), Strings{"緊急停止希望\t消去予定数が多すぎます！＜2000＞"});
  EXPECT_EQ(g.queue.length, 0u);
  EXPECT_EQ(CandidateInvariantError(), "");
}

// Every routine of these families on an empty grid, the confined digit above and a grid where
// every line holds each digit about twice: the queue drains and the table stays consistent.
TEST_F(Fish, EveryRoutineKeepsTheTableConsistentOnExtremeTables) {
  for (int shape = 0; shape < 3; ++shape)
    for (const RoutineEntry* table :
         {kNakedSubsetRoutines, kHiddenSubsetRoutines, kLockedCandidateRoutines,
          kBasicFishRoutines, kFinnedFishRoutines, kFrankenFishRoutines})
      for (const RoutineEntry* e = table; e->name; ++e) {
        LoadState(std::string(81, '.'));
        g.settings.candErase = 0;
        for (uint32_t c = 0; c < 81; ++c)
          for (uint32_t d = 1; d <= 9; ++d)
            if ((shape == 1 && d == 1 && c % 9 > 4) ||
                (shape == 2 && (c + d) % 9 > 1 && (c / 9 + c % 9 + d) % 4 != 0))
              Drop(c, d);
        e->routine(0);
        EXPECT_EQ(g.queue.length, 0u) << e->name;
        EXPECT_EQ(CandidateInvariantError(), "") << e->name << " on shape " << shape;
      }
}

// Digits 7 and 9 both fit only columns 3 and 6 in rows 2 and 7: digit 7 is queued first, so
// digit 9's lines come first; per digit column 6 before column 3, rows descending.
TEST(FishCli, XWingTranscript) {
  const std::string file = WriteTempFile(
      "xwing.txt", ".........\n12.34.568\n.........\n.........\n.........\n.........\n"
                   "23.45.681\n.........\n.........\n");
  int status = -1;
  const std::string out = RunCli("-t -m candidate -l 2 -r XWing " + file, &status);
  ASSERT_EQ(status, 0) << out;
  std::string expected = "log\t処理(X-Wing) 28件\n";
  for (uint32_t d : {9u, 7u})
    for (uint32_t column : {6u, 3u})
      for (uint32_t row : {9u, 8u, 6u, 5u, 4u, 3u, 1u})
        expected += Format("log\tX-Wing (%u,%u) <%u>\n", column, row, d);
  const size_t at = out.find("log\t");
  EXPECT_EQ(out.substr(at, expected.size()), expected) << out;
  EXPECT_EQ(out.find("log\t", at + expected.size()), std::string::npos) << out;
}
