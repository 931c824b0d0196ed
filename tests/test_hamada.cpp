// Hamada logic on hand-built remote-pair chains: a line the shared digit would empty fixes
// the colour; otherwise crossing bivalue pairs remove their third digit.
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

}  // namespace
