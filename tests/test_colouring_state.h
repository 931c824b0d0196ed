// Hand-built candidate states for the wing, colouring and chain tests.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "board/state.h"
#include "drivers/frame.h"
#include "tests/support.h"

// Every cell filled (value 9, no candidates), so that only the cells a test opens take part.
inline void FillEverything() {
  for (uint32_t c = 0; c < 81; ++c) {
    g.board.value[c] = 9;
    g.board.kind[c] = KindGiven;
    g.cand.count[c] = 0;
    for (uint32_t d = 0; d < 9; ++d) g.cand.flag[c * 9 + d] = 0;
  }
  g.cand.total = 0;
  g.screenMode = ModeCandidateScreen;
}

// Open cell (column, row), both from 1 as in the log, with the given candidate digits.
inline void Open(uint32_t column, uint32_t row, const char* digits) {
  const uint32_t c = (row - 1) * 9 + (column - 1);
  g.cand.total -= g.cand.count[c];
  g.board.value[c] = 0;
  g.board.kind[c] = KindEmpty;
  g.cand.count[c] = 0;
  for (uint32_t d = 0; d < 9; ++d) g.cand.flag[c * 9 + d] = 0;
  for (const char* p = digits; *p; ++p) {
    const uint32_t d = static_cast<uint32_t>(*p - '1');
    if (d < 9 && !g.cand.flag[c * 9 + d]) {
      g.cand.flag[c * 9 + d] = 1;
      ++g.cand.count[c];
    }
  }
  g.cand.total += g.cand.count[c];
}

inline bool Has(uint32_t column, uint32_t row, uint32_t digit) {
  return g.cand.flag[((row - 1) * 9 + (column - 1)) * 9 + digit - 1] != 0;
}

// A candidate state as printed by `vorel-cli -p candidates`: a digit is a filled cell,
// "(...)" an empty cell with those candidates; anything else is ignored.
inline void LoadCandidateText(const std::string& text) {
  FillEverything();
  uint32_t cell = 0;
  for (size_t i = 0; i < text.size() && cell < 81; ++i) {
    const char ch = text[i];
    if (ch >= '1' && ch <= '9') {
      g.board.value[cell++] = static_cast<uint32_t>(ch - '0');
    } else if (ch == '(') {
      const size_t end = text.find(')', i);
      const std::string digits = text.substr(i + 1, end - i - 1);
      Open(cell % 9 + 1, cell / 9 + 1, digits.c_str());
      ++cell;
      i = end;
    }
  }
  ASSERT_EQ(cell, 81u) << "candidate text holds " << cell << " cells";
}

// A fresh engine on an all-filled board with the technique log window open.
class HandBuiltTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    FillEverything();
    OpenTechniqueLog();
  }
};
