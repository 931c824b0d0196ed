// Hand-built candidate states for the uniqueness, almost-locked-set and Hamada tests.
#pragma once
#include <string>

#include "board/state.h"
#include "tests/support.h"

// Loads a state written like DescribeState: a digit is a given (no candidates), "(..)" an
// empty cell with exactly those candidates. Whitespace is ignored. Candidate screen, log open.
inline void LoadCandidateState(HeadlessPlatform& platform, const std::string& text) {
  ClearBoard();
  uint32_t cell = 0;
  for (size_t i = 0; i < text.size() && cell < 81; ++i) {
    const char ch = text[i];
    if (ch >= '1' && ch <= '9') {
      g.board.value[cell] = static_cast<uint32_t>(ch - '0');
      g.board.kind[cell] = KindGiven;
      for (uint32_t d = 0; d < 9; ++d) g.cand.flag[cell * 9 + d] = 0;
      g.cand.count[cell] = 0;
      ++cell;
    } else if (ch == '(') {
      for (uint32_t d = 0; d < 9; ++d) g.cand.flag[cell * 9 + d] = 0;
      g.cand.count[cell] = 0;
      for (++i; i < text.size() && text[i] != ')'; ++i) {
        const uint32_t d = static_cast<uint32_t>(text[i] - '1');
        if (d < 9 && !g.cand.flag[cell * 9 + d]) {
          g.cand.flag[cell * 9 + d] = 1;
          ++g.cand.count[cell];
        }
      }
      ++cell;
    }
  }
  g.cand.total = 0;
  for (uint32_t c = 0; c < 81; ++c) g.cand.total += g.cand.count[c];
  g.screenMode = ModeCandidateScreen;
  platform.logOpen = true;
}

// A state of filler givens with candidates placed at (row, column) positions, 0-based:
// {{row, col, "digits"}, ...}.
struct CellSpec {
  uint32_t row, column;
  const char* digits;
};
inline std::string SparseState(std::initializer_list<CellSpec> cells) {
  std::string slots[81];
  for (uint32_t c = 0; c < 81; ++c) slots[c] = "9";
  for (const CellSpec& s : cells) slots[s.row * 9 + s.column] = std::string("(") + s.digits + ")";
  std::string out;
  for (const std::string& s : slots) out += s;
  return out;
}
