// Hamada logic on hand-built remote-pair chains: a line the shared digit would empty fixes
// the colour; otherwise crossing bivalue pairs remove their third digit. Then routines of
// several families run by name through the command line.
#include <string>
#include <vector>

#include "techniques/hamada.h"
#include "techniques/techniques.h"
#include "tests/support.h"

namespace {

using Hamada = EngineTest;

// The chain (1,1) - (5,1) - (5,5), all {1,2}: (1,1) and (5,5) share a colour.
#define CHAIN {1, 1, "12"}, {5, 1, "12"}, {5, 5, "12"}

TEST_F(Hamada, ExamplesLogTheirLinesInOrder) {
  const LogCase cases[] = {
      // Row 3 holds 1 only below the two same-coloured cells: they cannot be 1.
      {"a line left without the digit fixes the colour", HamadaLogic, 2,
       {CHAIN, {1, 3, "13"}, {5, 3, "15"}},
       {"処理(Hamada Logic) 3件", "Hamada Logic (5,5) <1>", "Hamada Logic (5,1) <2>",
        "Hamada Logic (1,1) <1>"}},
      // (1,3) holds a digit, so row 3 is not examined although (5,3) is its only 1.
      {"a line with a filled test cell", HamadaLogic, 1, {CHAIN, {5, 3, "15"}}, {}},
      // U = (1,7) {2,3} below (1,1), V = (5,8) {1,3} below (5,5): one of them is 3.
      {"crossing pairs remove their third digit", HamadaLogic, 1,
       {CHAIN, {1, 7, "23"}, {5, 8, "13"}, {2, 8, "35"}, {6, 7, "36"}},
       {"Hamada Logic (6,7) <3>", "Hamada Logic (2,8) <3>"}},
      {"a fixed colour skips the crossing pairs", HamadaLogic, 1,
       {CHAIN, {1, 3, "13"}, {5, 3, "15"}, {1, 7, "23"}, {5, 8, "13"}, {2, 8, "35"}, {6, 7, "36"}},
       {"Hamada Logic (5,5) <1>", "Hamada Logic (5,1) <2>", "Hamada Logic (1,1) <1>"}},
      {"two-cell chains are left to remote pairs", HamadaLogic, 1,
       {{1, 1, "12"}, {5, 1, "12"}, {8, 1, "123"}}, {}},
      {"remote pairs on the two-cell chain", RemotePairs, 1,
       {{1, 1, "12"}, {5, 1, "12"}, {8, 1, "123"}},
       {"Remote Pairs (8,1) <2>", "Remote Pairs (8,1) <1>"}},
  };
  for (const LogCase& c : cases) ExpectLog(c);
}

// Routines run by name through vorel-cli on real puzzles: the log lines each writes there.
TEST(TechniqueCli, RoutinesRunByNameWriteTheirLogLines) {
  std::string gurth = "log\t処理(Gurths Symmetrical Placement) 8件\n";
  for (int d = 8; d >= 1; --d)
    gurth += "log\tGurths Symmetrical Placement (5,5) <" + std::to_string(d) + ">\n";
  const struct {
    const char* puzzle;
    const char* options;
    std::string expected;
  } cases[] = {
      {"650090003083004000000020000000000000095467000200000009304002700009306000800000040",
       "-l 2 -r HiddenSingle -r HamadaLogic -r RemotePairs", "log\t処理(Hidden Single)"},
      {"800000000050904000007000600020300040000010000000205090600090800090003050001000007",
       "-l 2 -r XCycle",
       "log\t☆候補[9]でX-cycleが(3,1)から4連鎖しました\nlog\t処理(X-cycle) 1件\n"
       "log\tX-cycle (7,1) <9>\nstatus1\t全候補数[246]\n"},
      {"000000014000000203800050000000207000031000000000000650600000700000140000000300000",
       "-l 1 -r SimpleColoring",
       "log\tSimple Coloring (5,4) <6>\nlog\tSimple Coloring (1,5) <5>\n"
       "log\tSimple Coloring (5,4) <3>\n"},
      {"000000013000200000000000080000760200008000400010000000200000750600340000000008000",
       "-l 2 -r HiddenSingle -r NakedSingle -r AlsXZ",
       "log\t処理(ALS-XZ) 5件\nlog\tALS-XZ (7,8) [(9,8)-(7,9)-(7,2)] <9>\n"
       "log\tALS-XZ (7,9) [(9,8)-(7,8)-(7,1)] <9>\n"},
      // Givens symmetric under the half turn with the pairing 1-2, 3-4, 5-6, 7-8 and 9 fixed.
      {"1357.9...4..........6.......2.......................1.......5..........3...9.8642",
       "-l 2 -r GurthsSymmetricalPlacement", gurth},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.options);
    const std::string file = WriteTempFile("puzzle.txt", std::string(c.puzzle) + "\n");
    int status = -1;
    const std::string out = RunCli(std::string("-t -m candidate ") + c.options + " " + file, &status);
    EXPECT_EQ(status, 0);
    EXPECT_NE(out.find(c.expected), std::string::npos) << out;
  }
}

}  // namespace
