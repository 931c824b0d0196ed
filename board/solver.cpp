#include "board/solver.h"

#include <bit>

#include "board/state.h"

namespace {

struct Search {
  uint16_t row[9], col[9], box[9];  // digits used, bit d for digit d (1..9)
  uint8_t cells[81];                // empty cells still to fill
  uint16_t allowed[81];             // digits a cell may take (all of them unless limited)
  uint32_t open = 0;
  uint32_t found = 0, limit = 2;

  static uint32_t Box(uint32_t c) { return (c / 27) * 3 + (c % 9) / 3; }

  void Run(uint32_t depth) {
    if (found >= limit) return;
    if (depth == open) {
      ++found;
      return;
    }
    // Take the open cell with the fewest digits left.
    uint32_t best = depth, bestFree = 0, bestCount = 10;
    for (uint32_t i = depth; i < open; ++i) {
      const uint32_t c = cells[i];
      const uint32_t free = ~(row[c / 9] | col[c % 9] | box[Box(c)]) & allowed[c];
      const uint32_t n = static_cast<uint32_t>(std::popcount(free));
      if (n < bestCount) {
        best = i;
        bestFree = free;
        bestCount = n;
        if (n <= 1) break;
      }
    }
    if (bestCount == 0) return;
    const uint8_t c = cells[best];
    cells[best] = cells[depth];
    cells[depth] = c;
    const uint32_t r = c / 9, k = c % 9, b = Box(c);
    for (uint32_t free = bestFree; free && found < limit; free &= free - 1) {
      const uint16_t bit = static_cast<uint16_t>(free & (0u - free));
      row[r] |= bit;
      col[k] |= bit;
      box[b] |= bit;
      Run(depth + 1);
      row[r] &= static_cast<uint16_t>(~bit);
      col[k] &= static_cast<uint16_t>(~bit);
      box[b] &= static_cast<uint16_t>(~bit);
    }
    cells[depth] = cells[best];
    cells[best] = c;
  }
};

}  // namespace

uint32_t CountGridSolutions(const uint32_t value[81], uint32_t limit) {
  return CountCandidateSolutions(value, nullptr, limit);
}

uint32_t CountCandidateSolutions(const uint32_t value[81], const uint32_t mask[81],
                                 uint32_t limit) {
  Search s{};
  s.limit = limit;
  for (uint32_t c = 0; c < 81; ++c) {
    s.allowed[c] = static_cast<uint16_t>(mask ? (mask[c] << 1) & 0x3FE : 0x3FE);
    const uint32_t v = value[c];
    if (v == 0 || v > 9) {
      s.cells[s.open++] = static_cast<uint8_t>(c);
      continue;
    }
    const uint16_t bit = static_cast<uint16_t>(1u << v);
    const uint32_t r = c / 9, k = c % 9, b = Search::Box(c);
    if ((s.row[r] | s.col[k] | s.box[b]) & bit) return 0;
    s.row[r] |= bit;
    s.col[k] |= bit;
    s.box[b] |= bit;
  }
  s.Run(0);
  return s.found;
}
