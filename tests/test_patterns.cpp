// The uniqueness patterns of the chain rung: exact log lines on hand-built states, and the
// cells they may stand on.
#include <string>
#include <vector>

#include "board/candidates.h"
#include "board/queue.h"
#include "drivers/commands.h"
#include "techniques/patterns.h"
#include "tests/support.h"

namespace {

using Strings = std::vector<std::string>;

// Exact log lines on hand-built states (every cell not listed is a given 9). In the detailed
// mode each pattern writes its header line, then the flush its summary and its removals in
// the reverse of the queueing order.

using Patterns = EngineTest;

TEST_F(Patterns, DetailedLogShowsEachPatternThenItsRemovals) {
  const LogCase cases[] = {
      // Solved corners as the candidate screen has them: empty cells with one candidate.
      {"avoidable rectangle type 1", AvoidableRectangleType1, 2,
       {{1, 1, "3"}, {5, 1, "4"}, {1, 2, "4"}, {5, 2, "35"}},
       {"r1c1=3, r1c5=4, r2c1=4 => r2c5<>3", "処理(Avoidable Rectangle Type 1) 1件",
        "Avoidable Rectangle Type 1 (5,2) <3>"}},
      {"avoidable rectangle type 2", AvoidableRectangleType2, 2,
       {{1, 1, "3"}, {5, 1, "4"}, {1, 2, "45"}, {5, 2, "35"}, {3, 2, "57"}, {8, 2, "56"}},
       {"r1c1=3, r1c5=4, r2c1(45), r2c5(35) => r2c3,r2c8<>5",
        "処理(Avoidable Rectangle Type 2) 2件", "Avoidable Rectangle Type 2 (8,2) <5>",
        "Avoidable Rectangle Type 2 (3,2) <5>"}},
      // The placement is written as the removal of the cell's other candidates.
      {"bug+1", BugPlusOne, 2, {{1, 1, "123"}, {2, 1, "12"}, {1, 4, "12"}, {2, 4, "12"}},
       {"r1c1(123) => r1c1=3", "処理(BUG+1) 2件", "BUG+1 (1,1) <2>", "BUG+1 (1,1) <1>"}},
  };
  for (const LogCase& c : cases) ExpectLog(c);
}

// The uniqueness patterns stand only on cells that could swap: never on givens, and BUG+1
// only on a table that agrees with its solved cells.
TEST_F(Patterns, UniquenessNeedsCellsThatCouldSwap) {
  // Avoidable rectangle corners placed by the engine count; the same digits as givens do not.
  for (uint32_t kind : {KindAuto, KindGiven}) {
    LoadOpenCells({{5, 2, "35"}});
    const uint32_t corners[3][2] = {{0, 3}, {4, 4}, {9, 4}};
    for (const auto& corner : corners) {
      g.board.value[corner[0]] = corner[1];
      g.board.kind[corner[0]] = kind;
    }
    AvoidableRectangleType1(0);
    EXPECT_EQ(LogLines(), kind == KindAuto ? Strings{"Avoidable Rectangle Type 1 (5,2) <3>"}
                                           : Strings{})
        << kind;
  }
  // Rectangles at the board's last corner are found too: on the last of nine placed 4s with
  // the 3 in r9c9, and with a 4 in r9c9 itself.
  const struct {
    OpenCell open;
    std::vector<uint32_t> fours;
    uint32_t three;
    const char* line;
  } lastCorner[] = {
      {{5, 8, "35"}, {0, 12, 24, 28, 41, 52, 56, 71, 76}, 80, "Avoidable Rectangle Type 1 (5,8) <3>"},
      {{5, 9, "35"}, {0, 12, 24, 28, 43, 50, 56, 67, 80}, 71, "Avoidable Rectangle Type 1 (5,9) <3>"},
  };
  // Each also with every other cell placed by the engine rather than given.
  for (const auto& k : lastCorner)
    for (const bool allPlaced : {false, true}) {
      LoadOpenCells({k.open});
      for (uint32_t cell : k.fours) g.board.value[cell] = 4;
      g.board.value[k.three] = 3;
      for (uint32_t c = 0; c < 81; ++c)
        if (allPlaced ? g.board.value[c] != 0 : c == k.three || g.board.value[c] == 4)
          g.board.kind[c] = KindAuto;
      AvoidableRectangleType1(0);
      EXPECT_EQ(LogLines(), Strings{k.line}) << allPlaced;
    }
  // A hidden rectangle whose neighbour corner lost y still stands: the swap breaks no rule.
  LoadOpenCells({{1, 1, "12"}, {5, 1, "13"}, {1, 2, "124"}, {5, 2, "1235"}, {8, 2, "25"}});
  HiddenRectangle(0);
  EXPECT_EQ(LogLines(), Strings{"Hidden Rectangle (5,2) <2>"});
  // BUG+1 with the flag set places its digit, also beside a cell left with one candidate
  // that no open peer holds; a cell left with one candidate whose digit an open peer still
  // holds stops it.
  for (const bool single : {false, true}) {
    std::vector<OpenCell> cells = {{1, 1, "123"}, {2, 1, "12"}, {1, 4, "12"}, {2, 4, "12"}};
    if (single) cells.push_back({1, 9, "9"});
    LoadOpenCells(cells);
    EXPECT_EQ(BugPlusOne(1), 1u) << single;
    EXPECT_EQ(g.board.value[0], 3u);
    EXPECT_EQ(g.board.kind[0], static_cast<uint32_t>(KindAuto));
  }
  LoadOpenCells({{1, 1, "123"}, {2, 1, "12"}, {1, 4, "12"}, {2, 4, "12"}, {1, 9, "1"}});
  BugPlusOne(0);
  EXPECT_EQ(LogLines(), Strings{});
  EXPECT_EQ(CandidateInvariantError(), "");
}

}  // namespace
