// Conjugate colouring: the common-peer elimination and Medusa's detailed lines and spreading.
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
