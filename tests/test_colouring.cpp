// Conjugate colouring, the common-peer elimination and the colouring routines.
#include <string>
#include <vector>

#include "board/queue.h"
#include "techniques/colouring.h"
#include "techniques/techniques.h"
#include "tests/support.h"
#include "tests/test_colouring_state.h"

using Lines = std::vector<std::string>;

namespace {

// Every cell open with two candidates, so that QueueCommonPeers may queue any of them.
void OpenEverything() {
  for (uint32_t c = 0; c < 81; ++c) Open(c % 9 + 1, c / 9 + 1, "12");
}

std::vector<uint32_t> QueuedCells() {
  std::vector<uint32_t> cells;
  for (uint32_t i = 0; i < g.queue.length; ++i) cells.push_back(g.queue.cell[i]);
  return cells;
}

std::vector<uint32_t> CommonPeers(uint32_t a, uint32_t b) {
  ResetQueue();
  QueueCommonPeers(a, b, 0);
  std::vector<uint32_t> cells = QueuedCells();
  ResetQueue();
  return cells;
}

}  // namespace

class Colouring : public HandBuiltTest {};

TEST_F(Colouring, CommonPeersNeverIncludeTheTwoCells) {
  OpenEverything();
  using V = std::vector<uint32_t>;
  // same column: the other seven cells of the column, rows ascending
  EXPECT_EQ(CommonPeers(CellAt(1, 4), CellAt(6, 4)),
            (V{CellAt(0, 4), CellAt(2, 4), CellAt(3, 4), CellAt(4, 4), CellAt(5, 4),
               CellAt(7, 4), CellAt(8, 4)}));
  // same row
  EXPECT_EQ(CommonPeers(CellAt(3, 8), CellAt(3, 0)),
            (V{CellAt(3, 1), CellAt(3, 2), CellAt(3, 3), CellAt(3, 4), CellAt(3, 5),
               CellAt(3, 6), CellAt(3, 7)}));
  // same box, different row and column
  EXPECT_EQ(CommonPeers(CellAt(0, 0), CellAt(1, 1)),
            (V{CellAt(0, 1), CellAt(0, 2), CellAt(1, 0), CellAt(1, 2), CellAt(2, 0),
               CellAt(2, 1), CellAt(2, 2)}));
  // different bands and stacks: exactly the two crossing cells
  EXPECT_EQ(CommonPeers(CellAt(1, 1), CellAt(5, 7)), (V{CellAt(5, 1), CellAt(1, 7)}));
  // same band: b's row in a's stack, then a's row in b's stack
  EXPECT_EQ(CommonPeers(CellAt(0, 1), CellAt(2, 7)),
            (V{CellAt(2, 0), CellAt(2, 1), CellAt(2, 2), CellAt(0, 6), CellAt(0, 7),
               CellAt(0, 8)}));
  // same stack: b's column in a's band, then a's column in b's band
  EXPECT_EQ(CommonPeers(CellAt(1, 0), CellAt(7, 2)),
            (V{CellAt(0, 2), CellAt(1, 2), CellAt(2, 2), CellAt(6, 0), CellAt(7, 0),
               CellAt(8, 0)}));
  EXPECT_TRUE(CommonPeers(CellAt(4, 4), CellAt(4, 4)).empty());
}

TEST_F(Colouring, CommonPeersSkipCellsWithFewerThanTwoCandidates) {
  Open(1, 2, "1");
  Open(1, 3, "12");
  EXPECT_EQ(CommonPeers(CellAt(0, 0), CellAt(8, 0)), (std::vector<uint32_t>{CellAt(2, 0)}));
}

TEST_F(Colouring, ClustersGetPartnerColours) {
  // digit 1: conjugates A-B (row 1), B-C (column 6), C-D (row 5); (4,1) (1,8) (3,6) spoil
  // column 1 and box 4 so that they link nothing.
  Open(1, 1, "13");  // A
  Open(6, 1, "14");  // B
  Open(6, 5, "15");  // C
  Open(2, 5, "16");  // D
  Open(1, 4, "17");  // X: column 1 and box 4 hold three 1s
  Open(1, 8, "18");
  Open(3, 6, "19");
  EXPECT_EQ(MarkConjugates(0), 4u);
  EXPECT_EQ(ColourClusters(0), 3u);
  EXPECT_EQ(CellColour[CellAt(0, 0)], 1u);
  EXPECT_EQ(CellColour[CellAt(0, 5)], 2u);
  EXPECT_EQ(CellColour[CellAt(4, 5)], 1u);
  EXPECT_EQ(CellColour[CellAt(4, 1)], 2u);
  EXPECT_EQ(CellColour[CellAt(3, 0)], 0u);
  EXPECT_EQ(PartnerColour(1), 2u);
  EXPECT_EQ(PartnerColour(4), 3u);
}

TEST_F(Colouring, SimpleColoringTrapRemovesFromCellsSeeingBothColours) {
  Open(1, 1, "13");
  Open(6, 1, "14");
  Open(6, 5, "15");
  Open(2, 5, "16");
  Open(1, 4, "17");  // sees A (column 1) and D (box 4)
  Open(1, 8, "18");
  Open(3, 6, "19");
  SimpleColoring(0);
  EXPECT_EQ(LogLines(), (Lines{"Simple Coloring (1,4) <1>"}));
}

TEST_F(Colouring, ColourWrapRemovesTheColourOutsideTheBoxToo) {
  // A(1,1) B(5,1) C(5,3) E(2,3) F(2,2): an odd conjugate loop puts A and F, both colour 1,
  // in box 1; C, also colour 1, lies in box 2.
  Open(1, 1, "12");
  Open(5, 1, "13");
  Open(5, 3, "14");
  Open(2, 3, "15");
  Open(2, 2, "16");
  SimpleColoring(0);
  EXPECT_FALSE(Has(1, 1, 1));
  EXPECT_FALSE(Has(2, 2, 1));
  EXPECT_FALSE(Has(5, 3, 1));
}

TEST_F(Colouring, DigitWithoutConjugatesColoursNothing) {
  for (uint32_t col = 1; col <= 3; ++col)
    for (uint32_t row = 1; row <= 3; ++row) Open(col, row, "12");
  EXPECT_EQ(MarkConjugates(0), 0u);
  EXPECT_EQ(ColourClusters(0), 1u);
  for (auto routine : {SimpleColoring, MultiColoringType1, MultiColoringType2, Medusa3D})
    routine(0);
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(Colouring, TwoClustersAreTooFewForType1) {
  // Cluster 1: A(1,1)=1 B(5,1)=2; cluster 2: C(1,5)=3 D(6,5)=4. A sees C (column 1, which
  // a third 1 in (1,8) keeps from being conjugate); so B or D is true: T(6,3) sees both.
  Open(1, 1, "12");
  Open(5, 1, "13");
  Open(1, 5, "14");
  Open(6, 5, "15");
  Open(1, 8, "16");
  Open(6, 3, "17");   // T: sees B (box 2) and D (column 6)
  Open(6, 9, "18");   // keeps column 6 from being conjugate
  Open(4, 2, "19");   // keeps box 2 from being conjugate
  ASSERT_EQ(MarkConjugates(0), 4u);
  ASSERT_EQ(ColourClusters(0), 5u);
  MultiColoringType1(0);
  EXPECT_TRUE(LogLines().empty());
  MultiColoringType2(0);
  EXPECT_EQ(LogLines(), (Lines{"Multi Coloring Type2 (6,3) <1>"}));
}

TEST_F(Colouring, MedusaContradictionIsReportedOnlyInDetailedMode) {
  Open(1, 1, "12");
  Open(5, 1, "12");
  for (uint32_t mode : {1u, 2u}) {
    g.settings.candErase = mode;
    for (uint32_t i = 0; i < 81 * 9; ++i) MedusaMarked[i] = 0;
    MedusaMarked[CellAt(0, 0) * 9 + 1] = MedusaMarked[CellAt(0, 4) * 9 + 1] = 1;
    MedusaColour[CellAt(0, 0) * 9 + 1] = MedusaColour[CellAt(0, 4) * 9 + 1] = 1;
    EXPECT_EQ(MedusaSpread(1), 0u);
  }
  // the pair is seen from both ends: two lines, one per direction
  EXPECT_EQ(LogLines(), (Lines{"3D Medusa Coloring Contradiction <2> (5,1)",
                               "3D Medusa Coloring Contradiction <2> (1,1)"}));
}

TEST_F(Colouring, MedusaSpreadsCandidatesMarkedEarlierInTheSamePass) {
  // digit 2 conjugates (1,1)-(5,1) in row 1 and (5,1)-(5,6) in column 5.
  Open(1, 1, "12");
  Open(5, 1, "23");
  Open(5, 6, "24");
  for (uint32_t i = 0; i < 81 * 9; ++i) MedusaMarked[i] = 0;
  MedusaMarked[CellAt(0, 0) * 9 + 1] = 1;
  MedusaColour[CellAt(0, 0) * 9 + 1] = 0;
  EXPECT_EQ(MedusaSpread(1), 2u);
  EXPECT_EQ(MedusaColour[CellAt(0, 4) * 9 + 1], 1u);
  EXPECT_EQ(MedusaColour[CellAt(5, 4) * 9 + 1], 0u);
}

TEST_F(Colouring, MedusaCrossesTheBivalueCellsOfACluster) {
  // digit 1: A(1,1) and B(5,1) conjugate; both bivalue {1,2}, so their 2s take opposite
  // colours and the third 2 of row 1 goes.
  Open(1, 1, "12");
  Open(5, 1, "12");
  Open(9, 1, "27");
  Medusa3D(0);
  EXPECT_EQ(LogLines(), (Lines{"3D Medusa (9,1) <2>"}));
}

TEST_F(Colouring, MedusaNeedsABivalueCellInTheCluster) {
  Open(1, 1, "125");
  Open(5, 1, "126");
  Open(9, 1, "27");
  Medusa3D(0);
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(Colouring, RoutinesAreListedUnderTheirCommands) {
  const std::pair<const char*, uint32_t> expected[] = {{"SimpleColoring", 1030},
                                                       {"MultiColoringType1", 920},
                                                       {"MultiColoringType2", 930},
                                                       {"Medusa3D", 935}};
  for (const auto& [name, command] : expected) {
    const RoutineEntry* e = FindRoutine(name);
    ASSERT_NE(e, nullptr) << name;
    EXPECT_EQ(e->commandId, command) << name;
  }
}

TEST(ColouringCli, SimpleColoringTranscriptInCandidateMode) {
  const std::string file = WriteTempFile(
      "colouring.txt",
      "000000014000000203800050000000207000031000000000000650600000700000140000000300000\n");
  int status = -1;
  const std::string out = RunCli("-t -m candidate -l 1 -r SimpleColoring " + file, &status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(out.find("log\tSimple Coloring (5,4) <6>\nlog\tSimple Coloring (1,5) <5>\n"
                     "log\tSimple Coloring (5,4) <3>\n"),
            std::string::npos)
      << out;
}
