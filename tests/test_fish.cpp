// Basic, finned, sashimi and Franken fish on hand-built candidate tables: exact log lines in
// order, the fin and sashimi rules, the Franken explanation lines, and the full queue.
#include <string>

#include "techniques/techniques.h"
#include "tests/test_subsets_table.h"

using Fish = CandidateTableTest;

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

TEST_F(Fish, SashimiXWingClearsEachSingleColumnInTheOtherRowsBand) {
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
}

TEST_F(Fish, SashimiSwordfishUsesEverySingleColumn) {
  RowOnly(0, 2, {0, 4});
  RowOnly(3, 2, {4, 8});
  RowOnly(6, 2, {0, 7});
  SashimiSwordfish(0);
  EXPECT_EQ(LogLines(), Lines("Sashimi Swordfish",
                              {"(9,9) <2>", "(9,8) <2>", "(8,6) <2>", "(8,5) <2>"}));
}

// Digit 4: conjugate row 1 at columns 0 and 4, partner rows 3 and 5 of band 1.
class Franken : public CandidateTableTest {
 protected:
  void Pattern(std::vector<uint32_t> rowA, std::vector<uint32_t> rowB) {
    g.settings.candErase = 2;
    RowOnly(1, 4, {0, 4});
    RowOnly(3, 4, rowA);
    RowOnly(5, 4, rowB);
  }
};

TEST_F(Franken, ThirdRowTargetsWithExplanationLinesFirst) {
  Pattern({0, 6}, {4, 7});
  EXPECT_EQ(FrankenSwordfish(0), 1u);
  EXPECT_EQ(LogLines(), (std::vector<std::string>{
                            "Franken Swordfish <4> 二択y(2) Block[1,0,2] 消去(7,5)",
                            "Franken Swordfish <4> 二択y(2) Block[1,0,2] 消去(8,5)",
                            "Franken Swordfish <4> 二択y(2) Block[1,0,2] 消去(9,5)",
                            "処理(Franken Swordfish) 3件",
                            "Franken Swordfish (9,5) <4>",
                            "Franken Swordfish (8,5) <4>",
                            "Franken Swordfish (7,5) <4>",
                        }));
}

TEST_F(Franken, ClearingSkipsTheSecondColumnWhenTheFirstCellIsSolved) {
  Pattern({0, 6}, {4, 6});  // k = 1 in the third stack: the cover columns are cleared too
  Open(0, 0, "");           // row 0's cell in column 0 is filled: row 0 is skipped
  g.board.value[0] = 9;
  FrankenSwordfish(0);
  const auto lines = LogLines();
  std::vector<std::string> expected = {
      "Franken Swordfish <4> 二択y(2) Block[1,0,2] 消去(7,5)",
      "Franken Swordfish <4> 二択y(2) Block[1,0,2] 消去(8,5)",
      "Franken Swordfish <4> 二択y(2) Block[1,0,2] 消去(9,5)",
  };
  for (const char* place : {"(1,3)", "(5,3)", "(1,5)", "(5,5)", "(1,7)", "(5,7)", "(1,8)",
                            "(5,8)", "(1,9)", "(5,9)"})
    expected.push_back(std::string("Franken Swordfish <4> 二択y+(2) Block[4,6] 消去") + place);
  expected.push_back("処理(Franken Swordfish) 13件");
  for (const char* place : {"(5,9)", "(1,9)", "(5,8)", "(1,8)", "(5,7)", "(1,7)", "(5,5)",
                            "(1,5)", "(5,3)", "(1,3)", "(9,5)", "(8,5)", "(7,5)"})
    expected.push_back(std::string("Franken Swordfish ") + place + " <4>");
  EXPECT_EQ(lines, expected);
  EXPECT_TRUE(Flag(CellAt(0, 4), 3)) << "(0,4) is not cleared when (0,0) was skipped";
}

// Digit 1 confined to columns 0..4 in every row: every 5-row set of Squirmbag is a fish with
// 20 targets, 2520 entries in all. The queue takes 2000 and refuses the rest.
TEST_F(Fish, FullQueueRefusesEntriesAndTheFlushWarns) {
  for (uint32_t r = 0; r < 9; ++r) RowOnly(r, 1, {0, 1, 2, 3, 4});
  g.settings.candErase = 0;
  Squirmbag(0);
  const auto messages = platform.Lines("message");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "緊急停止希望\t消去予定数が多すぎます！＜2000＞");
  EXPECT_EQ(g.queue.length, 0u);
  EXPECT_EQ(CandidateInvariantError(), "");
}

// Every routine of these families on extreme tables: an empty grid, the confined digit above
// and a grid where every line holds each digit twice. The queue never passes its capacity and
// the table stays consistent.
TEST_F(Fish, EveryRoutineKeepsTheTableConsistentOnExtremeTables) {
  const char* const names[] = {
      "NakedPair", "NakedTriple", "NakedQuad", "NakedQuintuplet", "HiddenPair", "HiddenTriple",
      "HiddenQuad", "HiddenQuintuplet", "LockedCandidates", "XWing", "SwordFish", "JerryFish",
      "Squirmbag", "FinnedFish", "FinnedSwordfish", "FinnedJerryfish", "FinnedSquirmbag",
      "FinnedWhale", "FinnedLeviathan", "SashimiFish", "SashimiSwordfish", "SashimiJerryfish",
      "SashimiSquirmbag", "SashimiWhale", "SashimiLeviathan", "FrankenSwordfish"};
  g.settings.candErase = 0;
  for (int table = 0; table < 3; ++table)
    for (const char* name : names) {
      SetUp();
      g.settings.candErase = 0;
      if (table == 1)
        for (uint32_t r = 0; r < 9; ++r) RowOnly(r, 1, {0, 1, 2, 3, 4});
      if (table == 2)
        for (uint32_t c = 0; c < 81; ++c)
          for (uint32_t d = 1; d <= 9; ++d)
            if ((c + d) % 9 > 1 && (c / 9 + c % 9 + d) % 4 != 0) Drop(c, d);
      const RoutineEntry* e = FindRoutine(name);
      ASSERT_NE(e, nullptr) << name;
      e->routine(0);
      EXPECT_EQ(g.queue.length, 0u) << name;
      EXPECT_EQ(CandidateInvariantError(), "") << name << " on table " << table;
      TearDown();
    }
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
  auto columnOnly = [&](uint32_t c, std::vector<uint32_t> rows) {
    for (uint32_t r = 0; r < 9; ++r) {
      bool keep = false;
      for (uint32_t k : rows) keep = keep || k == r;
      if (!keep) Drop(CellAt(r, c), 4);
    }
  };
  columnOnly(1, {0, 4});
  columnOnly(3, {0, 6});
  columnOnly(5, {4, 7});
  FrankenSwordfish(0);
  EXPECT_EQ(LogLines(), (std::vector<std::string>{
                            "Franken Swordfish <4> 二択x(2) Block[1,0,2] 消去(5,7)",
                            "Franken Swordfish <4> 二択x(2) Block[1,0,2] 消去(5,8)",
                            "Franken Swordfish <4> 二択x(2) Block[1,0,2] 消去(5,9)",
                            "処理(Franken Swordfish) 3件",
                            "Franken Swordfish (5,9) <4>",
                            "Franken Swordfish (5,8) <4>",
                            "Franken Swordfish (5,7) <4>",
                        }));
}

// Every routine of these families is available to vorel-cli by name, and an X-Wing built
// from givens logs its lines through the transcript.
TEST(FishCli, RunsEveryRoutineByNameAndLogsAnXWing) {
  const std::string grid =
      ".........\n12.34.568\n.........\n.........\n.........\n.........\n23.45.681\n"
      ".........\n.........\n";
  const std::string file = WriteTempFile("xwing.txt", grid);
  int status = -1;
  std::string all;
  for (const char* name :
       {"NakedPair", "NakedTriple", "NakedQuad", "NakedQuintuplet", "HiddenPair",
        "HiddenTriple", "HiddenQuad", "HiddenQuintuplet", "LockedCandidates", "SwordFish",
        "JerryFish", "Squirmbag", "FinnedFish", "FinnedSwordfish", "FinnedJerryfish",
        "FinnedSquirmbag", "FinnedWhale", "FinnedLeviathan", "SashimiFish", "SashimiSwordfish",
        "SashimiJerryfish", "SashimiSquirmbag", "SashimiWhale", "SashimiLeviathan",
        "FrankenSwordfish", "161", "162", "163", "164", "166", "167"})
    all += std::string(" -r ") + name;
  RunCli("-t -m candidate -l 0" + all + " " + file, &status);
  EXPECT_EQ(status, 0);

  const std::string out = RunCli("-t -m candidate -l 2 -r XWing " + file, &status);
  ASSERT_EQ(status, 0) << out;
  std::vector<std::string> log;
  size_t at = 0;
  while ((at = out.find("log\t", at)) != std::string::npos) {
    const size_t end = out.find('\n', at);
    log.push_back(out.substr(at + 4, end - at - 4));
    at = end;
  }
  // Digits 7 and 9 both fit only columns 3 and 6 in rows 2 and 7: digit 7 is queued first,
  // so digit 9's lines come first; per digit column 6 before column 3, rows descending.
  std::vector<std::string> expected = {"処理(X-Wing) 28件"};
  for (uint32_t d : {9u, 7u})
    for (uint32_t column : {6u, 3u})
      for (uint32_t row : {9u, 8u, 6u, 5u, 4u, 3u, 1u})
        expected.push_back(Format("X-Wing (%u,%u) <%u>", column, row, d));
  EXPECT_EQ(log, expected);
}
