// Every technique sees every row, column, block and digit alike: on a state turned, mirrored or
// with its digits renamed, one call removes exactly the turned, mirrored or renamed candidates
// of one call on the original. A routine that skips the last column, the ninth block, digit 9
// or a cell with many candidates removes something on one side only. The states are the
// regression library's, where each routine has its own examples.
#include <array>
#include <functional>

#include "board/candidates.h"
#include "techniques/techniques.h"
#include "tests/support.h"

namespace {

// A state as 81 tokens: "5" for a filled cell, "(134)" for an empty one.
using Tokens = std::array<std::string, 81>;

Tokens Split(const std::string& state) {
  Tokens t;
  uint32_t cell = 0;
  for (size_t i = 0; i < state.size() && cell < 81; ++i) {
    const size_t end = state[i] == '(' ? state.find(')', i) : i;
    t[cell++] = state.substr(i, end - i + 1);
    i = end;
  }
  return t;
}

struct Symmetry {
  const char* name;
  std::function<uint32_t(uint32_t r, uint32_t c)> cell;  // where cell (r, c) goes
  std::function<char(char)> digit;                       // what digit d becomes
};

const Symmetry kSymmetries[] = {
    {"transposed", [](uint32_t r, uint32_t c) { return c * 9 + r; }, [](char d) { return d; }},
    {"mirrored left-right, digits reversed", [](uint32_t r, uint32_t c) { return r * 9 + 8 - c; },
     [](char d) { return static_cast<char>('1' + '9' - d); }},
    {"upside down, bands and digits rotated",
     [](uint32_t r, uint32_t c) { return ((8 - r + 3) % 9) * 9 + c; },
     [](char d) { return static_cast<char>('1' + (d - '1' + 4) % 9); }},
};

std::string Apply(const Symmetry& s, const std::string& state) {
  const Tokens in = Split(state);
  Tokens out;
  for (uint32_t cell = 0; cell < 81; ++cell) {
    std::string t = in[cell];
    if (t[0] == '(') {
      bool has[10] = {};
      for (size_t i = 1; i + 1 < t.size(); ++i) has[s.digit(t[i]) - '0'] = true;
      t = "(";
      for (char d = '1'; d <= '9'; ++d)
        if (has[d - '0']) t += d;
      t += ")";
    } else {
      t = std::string(1, s.digit(t[0]));
    }
    out[s.cell(cell / 9, cell % 9)] = t;
  }
  std::string text;
  for (const std::string& t : out) text += t;
  return text;
}

class Symmetric : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    g.settings.candErase = 0;
  }
  std::string RunOnce(const RoutineEntry& e, const std::string& state) {
    LoadState(state);
    e.routine(0);
    return DescribeState();
  }
};

TEST_F(Symmetric, EveryRoutineRemovesTheSameCandidatesOnTurnedAndRenamedStates) {
  const std::vector<std::string> lines = SampleLines("reglib-1.4.txt", 3);
  if (lines.empty()) GTEST_SKIP() << "reglib-1.4.txt is not in ../shared/data";
  const std::vector<LibraryState> states = LibraryStates(lines);
  ASSERT_GT(states.size(), 100u);
  size_t compared = 0, removing = 0;
  for (const RoutineEntry* const* t = RoutineTables(); *t; ++t)
    for (const RoutineEntry* e = *t; e->name; ++e) {
      // The chain searches (XY-chains, X-cycles) stop at the first chain their bounded walk
      // meets, and Franken fish take the stacks' columns in one order: turned, they may meet
      // another pattern first or none within their bounds, so they are left out.
      // The chain rung names each removal after the first chain its breadth-first walk meets,
      // so a turned state may give the same removal a neighbouring name (an AIC for a nice
      // loop, an ALS chain for an ALS-XY-Wing), and the nested net removes one candidate a run.
      const std::string name = e->name;
      if (name.rfind("XYChain", 0) == 0 || name == "XCycle" || name.rfind("Franken", 0) == 0)
        continue;
      if (name.find("Aic") != std::string::npos || name.find("NiceLoop") != std::string::npos ||
          name == "AlsXyWing" || name == "AlsChain" || name == "NestedForcingNet")
        continue;
      size_t found = 0, wrong = 0;
      for (const LibraryState& library : states) {
        const std::string& state = library.text;
        const std::string after = RunOnce(*e, state);
        found += after != state;
        for (const Symmetry& s : kSymmetries) {
          ++compared;
          const std::string turned = RunOnce(*e, Apply(s, state));
          if (turned != Apply(s, after) && wrong++ < 2)
            ADD_FAILURE() << e->name << " " << s.name << "\n  state: " << state
                          << "\n  expected: " << Apply(s, after) << "\n  got:      " << turned;
        }
      }
      removing += found > 0;
    }
  std::printf("symmetry: %zu states, %zu comparisons, %zu routines removing something\n",
              states.size(), compared, removing);
}

}  // namespace
