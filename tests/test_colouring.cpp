// Conjugate colouring: the common-peer elimination and the colouring routines' log lines.
#include <string>
#include <vector>

#include "board/queue.h"
#include "techniques/colouring.h"
#include "techniques/techniques.h"
#include "tests/support.h"

using Colouring = EngineTest;

TEST_F(Colouring, CommonPeersNeverIncludeTheTwoCells) {
  LoadState(std::string(81, '.'));
  auto peers = [](uint32_t a, uint32_t b) {
    ResetQueue();
    QueueCommonPeers(a, b, 0);
    std::vector<uint32_t> cells(g.queue.cell, g.queue.cell + g.queue.length);
    ResetQueue();
    return cells;
  };
  using V = std::vector<uint32_t>;
  auto c = CellAt;
  // same column, same row, same box: the other seven cells of the unit in order
  EXPECT_EQ(peers(c(1, 4), c(6, 4)),
            (V{c(0, 4), c(2, 4), c(3, 4), c(4, 4), c(5, 4), c(7, 4), c(8, 4)}));
  EXPECT_EQ(peers(c(3, 8), c(3, 0)),
            (V{c(3, 1), c(3, 2), c(3, 3), c(3, 4), c(3, 5), c(3, 6), c(3, 7)}));
  EXPECT_EQ(peers(c(0, 0), c(1, 1)),
            (V{c(0, 1), c(0, 2), c(1, 0), c(1, 2), c(2, 0), c(2, 1), c(2, 2)}));
  // different bands and stacks: exactly the two crossing cells
  EXPECT_EQ(peers(c(1, 1), c(5, 7)), (V{c(5, 1), c(1, 7)}));
  // same band: b's row in a's stack, then a's row in b's stack; same stack likewise
  EXPECT_EQ(peers(c(0, 1), c(2, 7)), (V{c(2, 0), c(2, 1), c(2, 2), c(0, 6), c(0, 7), c(0, 8)}));
  EXPECT_EQ(peers(c(1, 0), c(7, 2)), (V{c(0, 2), c(1, 2), c(2, 2), c(6, 0), c(7, 0), c(8, 0)}));
  EXPECT_TRUE(peers(c(4, 4), c(4, 4)).empty());
  // cells with fewer than two candidates are skipped
  LoadOpenCells({{1, 2, "1"}, {1, 3, "12"}});
  EXPECT_EQ(peers(c(0, 0), c(8, 0)), (V{c(2, 0)}));
}

TEST_F(Colouring, ExamplesLogTheirLinesInOrder) {
  // Digit 1: conjugates A (1,1) - B (6,1) in row 1, B - C (6,5) in column 6, C - D (2,5) in
  // row 5; X (1,4) sees A and D, and with (1,8) and (3,6) spoils column 1 and box 4.
  const std::vector<OpenCell> trap = {{1, 1, "13"}, {6, 1, "14"}, {6, 5, "15"}, {2, 5, "16"},
                                      {1, 4, "17"}, {1, 8, "18"}, {3, 6, "19"}};
  // Cluster 1: A (1,1), B (5,1); cluster 2: C (1,5), D (6,5). A sees C in column 1, which
  // (1,8) keeps from being conjugate, so B or D is true and T (6,3) sees both; (6,9) and
  // (4,2) keep column 6 and box 2 from being conjugate. Two clusters are too few for type 1.
  const std::vector<OpenCell> twoClusters = {{1, 1, "12"}, {5, 1, "13"}, {1, 5, "14"},
                                             {6, 5, "15"}, {1, 8, "16"}, {6, 3, "17"},
                                             {6, 9, "18"}, {4, 2, "19"}};
  // Three clusters on 1: P (1,1) - (5,1) - (5,4), whose colour {(1,1), (5,4)} has two cells;
  // Q (1,6) - (6,6); R (8,8) - (9,8). (1,1) sees (1,6) in column 1 and (5,4) sees (6,6) in
  // box 5, so that colour is false; (1,9) and (4,5) keep column 1 and box 5 from pairing.
  const std::vector<OpenCell> threeClusters = {{1, 1, "12"}, {5, 1, "13"}, {5, 4, "14"},
                                               {1, 6, "15"}, {6, 6, "16"}, {8, 8, "17"},
                                               {9, 8, "12"}, {1, 9, "18"}, {4, 5, "19"}};
  const std::vector<OpenCell> noConjugates = {
      {1, 1, "12"}, {2, 1, "12"}, {3, 1, "12"}, {1, 2, "12"}, {2, 2, "12"},
      {3, 2, "12"}, {1, 3, "12"}, {2, 3, "12"}, {3, 3, "12"}};
  const LogCase cases[] = {
      {"simple colouring trap", SimpleColoring, 1, trap, {"Simple Coloring (1,4) <1>"}},
      // An odd conjugate loop puts A (1,1) and F (2,2), both colour 1, in box 1; C (5,3), also
      // colour 1, lies outside the box and loses its 1 too.
      {"colour wrap", SimpleColoring, 1,
       {{1, 1, "12"}, {5, 1, "13"}, {5, 3, "14"}, {2, 3, "15"}, {2, 2, "16"}},
       {"Simple Coloring (1,1) <1>", "Simple Coloring (2,2) <1>", "Simple Coloring (5,3) <1>"}},
      {"multi colouring type 1 needs three clusters", MultiColoringType1, 1, twoClusters, {}},
      {"multi colouring type 1: a two-cell colour", MultiColoringType1, 1, threeClusters,
       {"Multi Coloring Type1 (5,4) <1>", "Multi Coloring Type1 (1,1) <1>"}},
      {"multi colouring type 2", MultiColoringType2, 1, twoClusters,
       {"Multi Coloring Type2 (6,3) <1>"}},
      {"no conjugates: simple", SimpleColoring, 2, noConjugates, {}},
      {"no conjugates: type 1", MultiColoringType1, 2, noConjugates, {}},
      {"no conjugates: type 2", MultiColoringType2, 2, noConjugates, {}},
      {"no conjugates: medusa", Medusa3D, 2, noConjugates, {}},
      // A (1,1) and B (5,1) conjugate on 1 and both {1,2}: their 2s take opposite colours and
      // the third 2 of row 1 goes. Without a bivalue cell in the cluster, nothing.
      {"medusa crosses bivalue cells", Medusa3D, 1, {{1, 1, "12"}, {5, 1, "12"}, {9, 1, "27"}},
       {"3D Medusa (9,1) <2>"}},
      {"medusa needs a bivalue cell", Medusa3D, 1, {{1, 1, "125"}, {5, 1, "126"}, {9, 1, "27"}},
       {}},
  };
  for (const LogCase& c : cases) ExpectLog(c);
}

TEST_F(Colouring, MedusaContradictionIsReportedOnlyInDetailedMode) {
  LoadOpenCells({{1, 1, "12"}, {5, 1, "12"}});
  for (uint32_t mode : {0u, 1u, 2u}) {
    g.settings.candErase = mode;
    platform.Clear();
    for (uint32_t i = 0; i < 81 * 9; ++i) MedusaMarked[i] = 0;
    MedusaMarked[CellAt(0, 0) * 9 + 1] = MedusaMarked[CellAt(0, 4) * 9 + 1] = 1;
    MedusaColour[CellAt(0, 0) * 9 + 1] = MedusaColour[CellAt(0, 4) * 9 + 1] = 1;
    EXPECT_EQ(MedusaSpread(1), 0u);
    // The pair is seen from both ends: two lines, one per direction.
    const std::vector<std::string> both = {"3D Medusa Coloring Contradiction <2> (5,1)",
                                           "3D Medusa Coloring Contradiction <2> (1,1)"};
    EXPECT_EQ(LogLines(), mode == 2 ? both : std::vector<std::string>{}) << "mode " << mode;
  }
}

TEST_F(Colouring, MedusaSpreadsCandidatesMarkedEarlierInTheSamePass) {
  // digit 2 conjugates (1,1)-(5,1) in row 1 and (5,1)-(5,6) in column 5.
  LoadOpenCells({{1, 1, "12"}, {5, 1, "23"}, {5, 6, "24"}});
  for (uint32_t i = 0; i < 81 * 9; ++i) MedusaMarked[i] = 0;
  MedusaMarked[CellAt(0, 0) * 9 + 1] = 1;
  MedusaColour[CellAt(0, 0) * 9 + 1] = 0;
  EXPECT_EQ(MedusaSpread(1), 2u);
  EXPECT_EQ(MedusaColour[CellAt(0, 4) * 9 + 1], 1u);
  EXPECT_EQ(MedusaColour[CellAt(5, 4) * 9 + 1], 0u);
}
