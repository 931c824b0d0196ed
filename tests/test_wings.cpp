// XY-Wing, XYZ-Wing and the WXYZ-Wing family on hand-built candidate states: exact log
// lines in the short and the detailed display modes, the witness limit, and the CLI.
#include <string>
#include <vector>

#include "board/queue.h"
#include "techniques/colouring.h"
#include "techniques/techniques.h"
#include "tests/support.h"
#include "tests/test_colouring_state.h"

using Lines = std::vector<std::string>;

class Wings : public HandBuiltTest {};

TEST_F(Wings, NothingWithoutBivalueCells) {
  Open(1, 1, "123");
  Open(5, 1, "234");
  Open(1, 5, "1234");
  for (auto routine : {XYWing, XYZWing, WXYZWing, WXYZWingType1, WXYZWingType2, WXYZWingType3})
    EXPECT_EQ(routine(0), 1u);
  EXPECT_TRUE(LogLines().empty());
  EXPECT_EQ(g.cand.total, 10u);
}

TEST_F(Wings, XYWingRectangleRemovesFromTheOppositeCorner) {
  Open(1, 1, "12");  // pivot
  Open(4, 1, "13");
  Open(1, 4, "23");
  Open(4, 4, "35");
  XYWing(0);
  EXPECT_EQ(LogLines(), (Lines{"XY-Wing (4,4) <3>"}));
  EXPECT_FALSE(Has(4, 4, 3));
}

TEST_F(Wings, XYWingWithPivotAndWingInOneBoxUsesSecondPhase) {
  Open(1, 1, "12");   // pivot
  Open(2, 2, "13");   // wing in the pivot's box
  Open(5, 1, "23");   // wing in the pivot's row
  for (uint32_t col : {2u, 3u}) Open(col, 1, "345");
  for (uint32_t col : {4u, 5u, 6u}) Open(col, 2, "345");
  XYWing(0);
  // Queued row 1 in the pivot's box, then row 2 in the far wing's box; logged in reverse.
  EXPECT_EQ(LogLines(), (Lines{"XY-Wing (6,2) <3>", "XY-Wing (5,2) <3>", "XY-Wing (4,2) <3>",
                               "XY-Wing (3,1) <3>", "XY-Wing (2,1) <3>"}));
}

TEST_F(Wings, XYWingAlongOneRowLeavesTheThirdBoxAlone) {
  Open(1, 1, "12");
  Open(3, 1, "13");
  Open(6, 1, "23");
  for (uint32_t col : {2u, 4u, 5u, 7u, 8u}) Open(col, 1, "345");
  XYWing(0);
  EXPECT_EQ(LogLines(), (Lines{"XY-Wing (5,1) <3>", "XY-Wing (4,1) <3>", "XY-Wing (2,1) <3>"}));
  EXPECT_TRUE(Has(7, 1, 3));
  EXPECT_TRUE(Has(8, 1, 3));
}

TEST_F(Wings, XYZWingNamesThePivotAsFirstWitness) {
  Open(5, 5, "123");  // pivot
  Open(4, 4, "13");   // wing in the box
  Open(8, 5, "23");   // wing in the row
  Open(4, 5, "345");
  Open(6, 5, "345");
  g.settings.candErase = 2;
  XYZWing(0);
  EXPECT_EQ(LogLines(), (Lines{"処理(XYZ-Wing) 2件", "XYZ-Wing (6,5) [(1,1),(1,1),(5,5)] <3>",
                               "XYZ-Wing (4,5) [(1,1),(1,1),(5,5)] <3>"}));
}

TEST_F(Wings, XYZWingShortLines) {
  Open(5, 5, "123");
  Open(4, 4, "13");
  Open(5, 8, "23");  // wing in the pivot's column
  Open(5, 4, "345");
  Open(5, 6, "345");
  XYZWing(0);
  EXPECT_EQ(LogLines(), (Lines{"XYZ-Wing (5,6) <3>", "XYZ-Wing (5,4) <3>"}));
}

TEST_F(Wings, WXYZWingFindsSwappedWingsTwiceAndLogsOnce) {
  Open(5, 5, "1234");  // pivot
  Open(4, 4, "12");    // wing in the box
  Open(8, 5, "23");
  Open(1, 5, "24");
  Open(4, 5, "256");
  Open(6, 5, "256");
  g.settings.candErase = 2;
  WXYZWing(0);
  EXPECT_EQ(LogLines(), (Lines{"処理(WXYZ-Wing) 4件", "WXYZ-Wing Type0 (6,5) [(1,1)] <2>",
                               "WXYZ-Wing Type0 (4,5) [(1,1)] <2>"}));
}

TEST_F(Wings, WXYZWingType1AllowsLineWingsInsideThePivotsBox) {
  Open(5, 5, "1234");  // pivot
  Open(4, 5, "12");    // line wing inside the box
  Open(8, 5, "13");
  Open(6, 4, "14");    // box wing
  Open(6, 5, "156");
  g.settings.candErase = 2;
  WXYZWing(0);  // the basic form wants both line wings outside the box
  EXPECT_TRUE(LogLines().empty());
  WXYZWingType1(0);
  EXPECT_EQ(LogLines(), (Lines{"処理(WXYZ-Wing) 2件", "WXYZ-Wing Type1 (6,5) [(5,5)] <1>"}));
}

TEST_F(Wings, WXYZWingType2WritesScanLinesBeforeTheLogger) {
  Open(4, 4, "12");  // T1: the only holder of 1
  Open(4, 5, "23");
  Open(4, 8, "34");
  Open(5, 5, "14");   // W in T1's box
  Open(4, 6, "456");  // column cell in T1's box
  Open(5, 8, "456");  // crossing cell: row of the 4-holder, column of W
  g.settings.candErase = 2;
  WXYZWingType2(0);
  EXPECT_EQ(LogLines(), (Lines{"※WXYZ-Wing Type2縦<3> 3,4,7,4,4",
                               "※WXYZ-Wing Type2縦+<3> 3,4,7,4,4", "処理(WXYZ-Wing) 2件",
                               "WXYZ-Wing Type2 (5,8) [(4,4)] <4>",
                               "WXYZ-Wing Type2 (4,6) [(4,4)] <4>"}));
}

TEST_F(Wings, WXYZWingType2SkipsTriplesWithoutExactlyFourDigits) {
  Open(4, 4, "12");
  Open(4, 5, "23");
  Open(4, 8, "345");  // union of five digits
  Open(5, 5, "14");
  Open(4, 6, "456");
  WXYZWingType2(0);
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(Wings, WXYZWingType3InABox) {
  Open(4, 4, "12");  // Z: the only holder of 1
  Open(5, 4, "23");
  Open(4, 5, "34");
  Open(9, 4, "14");  // W in Z's row
  Open(6, 4, "456");
  g.settings.candErase = 2;
  WXYZWingType3(0);
  EXPECT_EQ(LogLines(), (Lines{"※WXYZ-Wing Type3 <3> 30,31,39,35,32", "処理(WXYZ-Wing) 1件",
                               "WXYZ-Wing Type3 (6,4) [(4,4)] <4>"}));
}

TEST_F(Wings, DetailedScanLinesAreWrittenOnlyInDetailedMode) {
  Open(4, 4, "12");
  Open(5, 4, "23");
  Open(4, 5, "34");
  Open(9, 4, "14");
  Open(6, 4, "456");
  WXYZWingType3(0);
  EXPECT_EQ(LogLines(), (Lines{"WXYZ-Wing (6,4) <4>"}));
}

TEST_F(Wings, WitnessedEntriesStopAtTheWitnessRows) {
  Open(5, 5, "123");
  Open(4, 4, "13");
  Open(8, 5, "23");
  Open(4, 5, "345");
  ResetQueue();
  for (int i = 0; i < 100; ++i) QueueWingIntersection(40, 30, 44, 2);
  EXPECT_EQ(g.queue.length, kWitnessCapacity);
  for (uint32_t i = 0; i < kWitnessCapacity; ++i) {
    EXPECT_EQ(g.queue.witnessed[i], 1u);
    EXPECT_EQ(g.queue.witness1[i], 40u);
  }
  g.settings.candErase = 2;
  FlushEliminations(CodeXYZWing);
  EXPECT_EQ(LogLines(), (Lines{"処理(XYZ-Wing) 64件", "XYZ-Wing (4,5) [(1,1),(1,1),(5,5)] <3>"}));
}

TEST_F(Wings, RoutinesAreListedUnderTheirCommands) {
  const std::pair<const char*, uint32_t> expected[] = {
      {"XYWing", 570}, {"XYZWing", 1090}, {"WXYZWing", 1100}, {"WXYZWingType1", 0},
      {"WXYZWingType2", 0}, {"WXYZWingType3", 0}};
  for (const auto& [name, command] : expected) {
    const RoutineEntry* e = FindRoutine(name);
    ASSERT_NE(e, nullptr) << name;
    EXPECT_EQ(e->commandId, command) << name;
  }
}

TEST_F(Wings, ScanLinesStopWithTheWitnessRows) {
  // Five four-digit triples of box 5 share Z(4,4), the only 1; twelve {1,4} wings in Z's row
  // and column give more entries than the witness rows hold.
  Open(4, 4, "12");
  Open(5, 4, "23");
  Open(4, 5, "34");
  Open(5, 5, "23");
  Open(6, 5, "34");
  Open(6, 4, "456");
  Open(4, 6, "456");
  for (uint32_t i : {1u, 2u, 3u, 7u, 8u, 9u}) {
    Open(i, 4, "14");
    Open(4, i, "14");
  }
  g.settings.candErase = 2;
  WXYZWingType3(0);
  const Lines lines = LogLines();
  size_t scanLines = 0, header = lines.size();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind("※WXYZ-Wing Type3", 0) == 0) ++scanLines;
    if (lines[i] == "処理(WXYZ-Wing) 64件") header = i;
  }
  // 64 entries were written; 45 of them name a digit their target still holds and got a
  // scan line, the others (targets without the digit) none; nothing beyond the rows.
  EXPECT_EQ(header, 45u);
  EXPECT_EQ(scanLines, 45u);
}

TEST_F(Wings, XYZWingDropsEntriesBeyondTheWitnessRows) {
  // Six box wings times six row wings, two targets each: 72 entries for 64 rows.
  Open(5, 5, "123");
  for (uint32_t col : {4u, 5u, 6u}) {
    Open(col, 4, "13");
    Open(col, 6, "13");
  }
  for (uint32_t col : {1u, 2u, 3u, 7u, 8u, 9u}) Open(col, 5, "23");
  Open(4, 5, "345");
  Open(6, 5, "345");
  g.settings.candErase = 2;
  XYZWing(0);
  // entries alternate (4,5), (6,5); the 64th, logged first, is (6,5)
  EXPECT_EQ(LogLines(), (Lines{"処理(XYZ-Wing) 64件", "XYZ-Wing (6,5) [(1,1),(1,1),(5,5)] <3>",
                               "XYZ-Wing (4,5) [(1,1),(1,1),(5,5)] <3>"}));
}
