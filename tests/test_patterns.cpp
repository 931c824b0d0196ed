// The short named patterns of the chain rung: exact log lines on hand-built states.
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
      // Rows 1 and 6 hold 5 twice, both in column 8. Digit 1 forms the same skyscraper but
      // removes nothing, so it writes no line.
      {"skyscraper", Skyscraper, 2,
       {{2, 1, "15"}, {8, 1, "15"}, {3, 6, "15"}, {8, 6, "15"}, {3, 2, "56"}, {3, 3, "56"},
        {2, 4, "56"}, {2, 5, "56"}},
       {"(5)r1c2=(5)r1c8-(5)r6c8=(5)r6c3 => r2c3,r3c3,r4c2,r5c2<>5",
        "処理(Skyscraper) 4件", "Skyscraper (2,5) <5>", "Skyscraper (2,4) <5>",
        "Skyscraper (3,3) <5>", "Skyscraper (3,2) <5>"}},
      // Row 1 and column 1 hold 4 twice, their ends meeting in box 1.
      {"2-string kite", TwoStringKite, 2,
       {{2, 1, "48"}, {7, 1, "48"}, {1, 2, "48"}, {1, 7, "48"}, {7, 7, "47"}, {5, 7, "46"},
        {7, 5, "46"}},
       {"(4)r1c7=(4)r1c2-(4)r2c1=(4)r7c1 => r7c7<>4", "処理(2-String Kite) 1件",
        "2-String Kite (7,7) <4>"}},
      // A box link and a row link joined in column 3.
      {"turbot fish", TurbotFish, 2,
       {{1, 1, "36"}, {3, 3, "36"}, {3, 5, "37"}, {8, 5, "37"}, {8, 1, "34"}, {5, 1, "34"},
        {8, 8, "34"}},
       {"(3)r1c1=(3)r3c3-(3)r5c3=(3)r5c8 => r1c8<>3", "処理(Turbot Fish) 1件",
        "Turbot Fish (8,1) <3>"}},
      // Box 5 holds 2 on row 5 and column 5 only: the column-8 link and the row-9 link each
      // take one.
      {"empty rectangle", EmptyRectangle, 2,
       {{4, 5, "24"}, {5, 4, "24"}, {5, 6, "24"}, {8, 5, "25"}, {8, 9, "25"}, {5, 9, "26"}},
       {"(2)r9c8=(2)r5c8-(2)r5c4=(2)r46c5 => r9c5<>2",
        "(2)r9c8=(2)r9c5-(2)r46c5=(2)r5c4 => r5c8<>2", "処理(Empty Rectangle) 2件",
        "Empty Rectangle (8,5) <2>", "Empty Rectangle (5,9) <2>"}},
      {"w-wing", WWing, 2,
       {{1, 1, "12"}, {6, 5, "12"}, {2, 3, "23"}, {6, 3, "24"}, {6, 1, "13"}, {1, 5, "14"}},
       {"(1=2)r1c1-(2)r3c2=(2)r3c6-(2=1)r5c6 => r1c6,r5c1<>1", "処理(W-Wing) 2件",
        "W-Wing (1,5) <1>", "W-Wing (6,1) <1>"}},
      // 1 lies in row 2 and in column 5 only on the rectangle; 2 has a third place in row 2.
      {"hidden rectangle", HiddenRectangle, 2,
       {{1, 1, "12"}, {5, 1, "123"}, {1, 2, "124"}, {5, 2, "1235"}, {8, 2, "25"}},
       {"(12)r12c15 r1c1(12) (1)r2c1=(1)r2c5 (1)r1c5=(1)r2c5 => r2c5<>2",
        "処理(Hidden Rectangle) 1件", "Hidden Rectangle (5,2) <2>"}},
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
      // Three more sets fit with larger line or box parts; they remove nothing new and write
      // no line.
      {"sue de coq", SueDeCoq, 2,
       {{1, 1, "1234"}, {2, 1, "1234"}, {7, 1, "12"}, {3, 2, "34"}, {5, 1, "15"},
        {2, 3, "36"}},
       {"r1c12(1234) + r1c7(12) + r2c3(34) => r1c5<>1, r3c2<>3", "処理(Sue de Coq) 2件",
        "Sue de Coq (2,3) <3>", "Sue de Coq (5,1) <1>"}},
  };
  for (const LogCase& c : cases) ExpectLog(c);
}

TEST_F(Patterns, ShortLogAndShapesOwnedByOneName) {
  const std::vector<OpenCell> skyscraper = {{2, 1, "15"}, {8, 1, "15"}, {3, 6, "15"},
                                            {8, 6, "15"}, {3, 2, "56"}, {3, 3, "56"},
                                            {2, 4, "56"}, {2, 5, "56"}};
  const std::vector<OpenCell> kite = {{2, 1, "48"}, {7, 1, "48"}, {1, 2, "48"}, {1, 7, "48"},
                                      {7, 7, "47"}, {5, 7, "46"}, {7, 5, "46"}};
  const LogCase cases[] = {
      {"skyscraper, short lines", Skyscraper, 1, skyscraper,
       {"Skyscraper (2,5) <5>", "Skyscraper (2,4) <5>", "Skyscraper (3,3) <5>",
        "Skyscraper (3,2) <5>"}},
      {"a skyscraper is no turbot fish", TurbotFish, 2, skyscraper, {}},
      {"nor a kite", TwoStringKite, 2, skyscraper, {}},
      {"a kite is no turbot fish", TurbotFish, 2, kite, {}},
      {"nor a skyscraper", Skyscraper, 2, kite, {}},
      // Two bivalue cells that see each other are a naked pair, not a W-Wing.
      {"w-wing cells in one row", WWing, 2,
       {{1, 1, "12"}, {6, 1, "12"}, {2, 3, "23"}, {6, 3, "24"}, {1, 5, "14"}}, {}},
      // The box of the empty rectangle holds 2 off its row and column: no rectangle.
      {"empty rectangle with a third line", EmptyRectangle, 2,
       {{4, 5, "24"}, {5, 4, "24"}, {6, 6, "24"}, {8, 5, "25"}, {8, 9, "25"}, {5, 9, "26"}},
       {}},
      // Sue de Coq wants two more digits than crossing cells.
      {"sue de coq with one spare digit", SueDeCoq, 2,
       {{1, 1, "123"}, {2, 1, "123"}, {7, 1, "12"}, {3, 2, "34"}, {5, 1, "15"}}, {}},
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
  // The rectangle on the last of nine placed 4s, in row 9, is found too.
  LoadOpenCells({{5, 8, "35"}});
  for (const auto& [cell, digit] : std::initializer_list<std::pair<uint32_t, uint32_t>>{
           {0, 4}, {12, 4}, {24, 4}, {28, 4}, {41, 4}, {52, 4}, {56, 4}, {71, 4}, {76, 4}, {80, 3}}) {
    g.board.value[cell] = digit;
    g.board.kind[cell] = KindAuto;
  }
  AvoidableRectangleType1(0);
  EXPECT_EQ(LogLines(), Strings{"Avoidable Rectangle Type 1 (5,8) <3>"});
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
