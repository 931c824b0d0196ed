// The WXYZ-Wing forms that few library states show, the witness rows' limit and the scan
// lines that stop with it, on hand-built candidate states.
#include <string>
#include <vector>

#include "board/queue.h"
#include "techniques/colouring.h"
#include "techniques/techniques.h"
#include "tests/support.h"

using Wings = EngineTest;
using Strings = std::vector<std::string>;

TEST_F(Wings, ExamplesLogTheirLinesInOrder) {
  const LogCase cases[] = {
      // Six box wings times six row wings, two targets each: 72 entries for 64 witness rows;
      // entries alternate (4,5), (6,5) and the 64th, logged first, is (6,5).
      {"xyz-wing drops entries beyond the witness rows", XYZWing, 2,
       {{5, 5, "123"}, {4, 4, "13"}, {5, 4, "13"}, {6, 4, "13"}, {4, 6, "13"}, {5, 6, "13"},
        {6, 6, "13"}, {1, 5, "23"}, {2, 5, "23"}, {3, 5, "23"}, {7, 5, "23"}, {8, 5, "23"},
        {9, 5, "23"}, {4, 5, "345"}, {6, 5, "345"}},
       {"処理(XYZ-Wing) 64件", "XYZ-Wing (6,5) [(1,1),(1,1),(5,5)] <3>",
        "XYZ-Wing (4,5) [(1,1),(1,1),(5,5)] <3>"}},
      // Swapped wings find the same target twice; it is logged once.
      {"wxyz-wing", WXYZWing, 2,
       {{5, 5, "1234"}, {4, 4, "12"}, {8, 5, "23"}, {1, 5, "24"}, {4, 5, "256"}, {6, 5, "256"}},
       {"処理(WXYZ-Wing) 4件", "WXYZ-Wing Type0 (6,5) [(1,1)] <2>",
        "WXYZ-Wing Type0 (4,5) [(1,1)] <2>"}},
      // The basic form wants both line wings outside the pivot's box; type 1 does not.
      {"wxyz-wing with a line wing in the box", WXYZWing, 2,
       {{5, 5, "1234"}, {4, 5, "12"}, {8, 5, "13"}, {6, 4, "14"}, {6, 5, "156"}}, {}},
      {"type 1", WXYZWingType1, 2,
       {{5, 5, "1234"}, {4, 5, "12"}, {8, 5, "13"}, {6, 4, "14"}, {6, 5, "156"}},
       {"処理(WXYZ-Wing) 2件", "WXYZ-Wing Type1 (6,5) [(5,5)] <1>"}},
  };
  for (const LogCase& c : cases) ExpectLog(c);
  // Without bivalue cells nothing is found.
  for (auto routine : {XYWing, XYZWing, WXYZWing, WXYZWingType1, WXYZWingType2, WXYZWingType3})
    ExpectLog({"no bivalue cell", routine, 2, {{1, 1, "123"}, {5, 1, "234"}, {1, 5, "1234"}}, {}});
}

TEST_F(Wings, WitnessedEntriesStopAtTheWitnessRows) {
  LoadOpenCells({{5, 5, "123"}, {4, 4, "13"}, {8, 5, "23"}, {4, 5, "345"}});
  ResetQueue();
  for (int i = 0; i < 100; ++i) QueueWingIntersection(40, 30, 44, 2);
  EXPECT_EQ(g.queue.length, kWitnessCapacity);
  for (uint32_t i = 0; i < kWitnessCapacity; ++i) {
    EXPECT_EQ(g.queue.witnessed[i], 1u);
    EXPECT_EQ(g.queue.witness1[i], 40u);
  }
  g.settings.candErase = 2;
  FlushEliminations(CodeXYZWing);
  EXPECT_EQ(LogLines(), (Strings{"処理(XYZ-Wing) 64件", "XYZ-Wing (4,5) [(1,1),(1,1),(5,5)] <3>"}));
}

// Five four-digit triples of box 5 share Z (4,4), the only 1; twelve {1,4} wings in Z's row
// and column give more entries than the witness rows hold. 45 of the 64 written entries name a
// digit their target still holds and got a scan line; nothing beyond the rows.
TEST_F(Wings, ScanLinesStopWithTheWitnessRows) {
  std::vector<OpenCell> cells = {{4, 4, "12"}, {5, 4, "23"}, {4, 5, "34"}, {5, 5, "23"},
                                 {6, 5, "34"}, {6, 4, "456"}, {4, 6, "456"}};
  for (uint32_t i : {1u, 2u, 3u, 7u, 8u, 9u}) {
    cells.push_back({i, 4, "14"});
    cells.push_back({4, i, "14"});
  }
  LoadOpenCells(cells);
  g.settings.candErase = 2;
  WXYZWingType3(0);
  const Strings lines = LogLines();
  size_t scanLines = 0, header = lines.size();
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind("※WXYZ-Wing Type3", 0) == 0) ++scanLines;
    if (lines[i] == "処理(WXYZ-Wing) 64件") header = i;
  }
  EXPECT_EQ(header, 45u);
  EXPECT_EQ(scanLines, 45u);
}
