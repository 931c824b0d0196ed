#include "io/layout.h"

#include "board/state.h"

std::vector<std::string> PlainLayoutLines(bool candidateScreen) {
  std::vector<std::string> lines;
  for (uint32_t r = 0; r < 9; ++r) {
    std::string line;
    for (uint32_t col = 0; col < 9; ++col) {
      const uint32_t c = r * 9 + col;
      const uint32_t v = g.board.value[c], k = g.board.kind[c];
      if (k == KindGiven && v != 0) {
        line += static_cast<char>('0' + v);
      } else if (!candidateScreen) {
        line += '0';
      } else if ((k == KindInput || k == KindAssumed) && v != 0) {
        line += static_cast<char>('0' + v);
      } else if ((k == KindAuto || k == KindAutoSingle || k == KindAutoFile) && v != 0) {
        line += '(';
        line += static_cast<char>('0' + v);
        line += ')';
      } else {
        line += '(';
        for (uint32_t d = 0; d < 9; ++d)
          if (g.cand.flag[c * 9 + d]) line += static_cast<char>('1' + d);
        line += ')';
      }
      if (col == 2 || col == 5) line += ' ';
    }
    lines.push_back(line);
  }
  return lines;
}

std::string LineLayout() {
  std::string s(81, '0');
  for (uint32_t c = 0; c < 81; ++c) s[c] = static_cast<char>('0' + (g.board.value[c] % 10));
  return s;
}
