// Locked candidates: a digit whose two or three places in a line lie in one block leaves the
// rest of that block (claiming); one whose places in a block lie on one line leaves the rest
// of that line (pointing). Rows first, then columns, then blocks; digits outermost.
#include <bit>

#include "board/candidates.h"
#include "board/queue.h"
#include "board/state.h"
#include "techniques/subset_scan.h"
#include "techniques/techniques.h"

namespace {

// Per holders mask of a unit: bit 0 when it has two or three places all within one third of
// a line (a row of a block), bit 1 when all within one column of a block. Looked up rather
// than tested, since it is asked of every unit and digit and the answer follows no pattern.
struct LockedTable {
  uint8_t kind[512];
};
constexpr LockedTable MakeLocked() {
  LockedTable t{};
  for (uint32_t h = 0; h < 512; ++h) {
    const uint32_t n = static_cast<uint32_t>(std::popcount(h));
    if (n < 2 || n > 3) continue;
    uint32_t kind = 0;
    for (uint32_t i = 0; i < 3; ++i) {
      if ((h & ~(7u << i * 3)) == 0) kind |= 1;
      if ((h & ~(0x49u << i)) == 0) kind |= 2;
    }
    t.kind[h] = static_cast<uint8_t>(kind);
  }
  return t;
}
inline constexpr LockedTable kLocked = MakeLocked();

// Bit u: the u-th of nine units has its holders of a kind in `kinds`.
inline uint32_t LockedUnits(const uint32_t* holders, uint32_t kinds) {
  uint32_t found = 0;
  for (uint32_t u = 0; u < 9; ++u)
    found |= static_cast<uint32_t>((kLocked.kind[holders[u] & 0x1FF] & kinds) != 0) << u;
  return found;
}

// Claiming from line u of orientation t (0 rows, 1 columns).
void Claim(uint32_t t, uint32_t u, uint32_t d, uint32_t holders) {
  const uint32_t third = static_cast<uint32_t>(std::countr_zero(holders)) / 3;
  if ((holders & ~(7u << third * 3)) != 0) return;
  const uint32_t first = (u / 3) * 3;
  for (uint32_t line = first; line < first + 3; ++line) {
    if (line == u) continue;
    for (uint32_t p = third * 3; p < third * 3 + 3; ++p) QueueTarget(LineCell(t, line, p), d);
  }
}

// Pointing from block b. Two places skip only the members' own columns (or rows) of the line:
// the block's third cell is queued and skipped by the logger. Three places skip the block.
void Point(uint32_t b, uint32_t d, uint32_t holders) {
  const uint32_t top = (b / 3) * 3, left = (b % 3) * 3;
  const uint32_t first = static_cast<uint32_t>(std::countr_zero(holders));
  const uint32_t blockRow = first / 3, blockColumn = first % 3;
  if ((holders & ~(7u << blockRow * 3)) == 0) {
    const uint32_t row = top + blockRow;
    const uint32_t members = (holders >> blockRow * 3 & 7) << left;
    for (uint32_t k = 0; k < 9; ++k)
      if (!(members >> k & 1)) QueueTarget(CellAt(row, k), d);
  } else if ((holders & ~(0x49u << blockColumn)) == 0) {
    const uint32_t column = left + blockColumn;
    const uint32_t x = holders >> blockColumn;
    const uint32_t members = ((x & 1) | (x >> 3 & 1) << 1 | (x >> 6 & 1) << 2) << top;
    for (uint32_t k = 0; k < 9; ++k)
      if (!(members >> k & 1)) QueueTarget(CellAt(k, column), d);
  }
}

}  // namespace

uint32_t LockedCandidates(uint32_t place) {
  ResetQueue();
  uint32_t buffer[9][27];
  const uint32_t(*holders)[27] = TableHolders(buffer);
  // Only the units found locked are visited, in the same order as a walk over all of them.
  for (uint32_t d = 0; d < 9; ++d)
    for (uint32_t m = LockedUnits(holders[d], 1); m != 0; m &= m - 1) {
      const uint32_t r = static_cast<uint32_t>(std::countr_zero(m));
      Claim(0, r, d, holders[d][r]);
    }
  for (uint32_t d = 0; d < 9; ++d)
    for (uint32_t m = LockedUnits(holders[d] + 9, 1); m != 0; m &= m - 1) {
      const uint32_t c = static_cast<uint32_t>(std::countr_zero(m));
      Claim(1, c, d, holders[d][9 + c]);
    }
  for (uint32_t d = 0; d < 9; ++d) {
    const uint32_t* blocks = holders[d] + 18;
    for (uint32_t m = LockedUnits(blocks, 3); m != 0; m &= m - 1) {
      const uint32_t b = static_cast<uint32_t>(std::countr_zero(m));
      Point(b, d, blocks[b]);
    }
  }
  if (g.queue.length) FlushEliminations(CodeLockedCandidates);
  return FinishRoutine(place, KindAuto);
}

const RoutineEntry kLockedCandidateRoutines[] = {
    {"LockedCandidates", LockedCandidates, 890},
    {nullptr, nullptr, 0},
};
