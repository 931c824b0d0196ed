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

// Two or three places, all within one of three groups of a unit's places (a line's thirds,
// a block's rows or columns): a locked digit. Worked out without a branch, since it is asked
// of every unit and digit and the answer follows no pattern.
inline uint32_t Locked(uint32_t holders, uint32_t g0, uint32_t g1, uint32_t g2) {
  const uint32_t n = static_cast<uint32_t>(std::popcount(holders));
  const uint32_t within = static_cast<uint32_t>((holders & ~g0) == 0) |
                          static_cast<uint32_t>((holders & ~g1) == 0) |
                          static_cast<uint32_t>((holders & ~g2) == 0);
  return static_cast<uint32_t>(n - 2 <= 1) & within;
}

// Bit u: unit first + u of the nine has d locked within one of the groups.
inline uint32_t LockedUnits(const uint32_t* holders, uint32_t g0, uint32_t g1, uint32_t g2) {
  uint32_t found = 0;
  for (uint32_t u = 0; u < 9; ++u) found |= Locked(holders[u], g0, g1, g2) << u;
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
  constexpr uint32_t kThirds[3] = {0x007, 0x038, 0x1C0}, kStacks[3] = {0x049, 0x092, 0x124};
  for (uint32_t d = 0; d < 9; ++d)
    for (uint32_t m = LockedUnits(holders[d], kThirds[0], kThirds[1], kThirds[2]); m != 0;
         m &= m - 1) {
      const uint32_t r = static_cast<uint32_t>(std::countr_zero(m));
      Claim(0, r, d, holders[d][r]);
    }
  for (uint32_t d = 0; d < 9; ++d)
    for (uint32_t m = LockedUnits(holders[d] + 9, kThirds[0], kThirds[1], kThirds[2]); m != 0;
         m &= m - 1) {
      const uint32_t c = static_cast<uint32_t>(std::countr_zero(m));
      Claim(1, c, d, holders[d][9 + c]);
    }
  for (uint32_t d = 0; d < 9; ++d) {
    const uint32_t* blocks = holders[d] + 18;
    const uint32_t inRow = LockedUnits(blocks, kThirds[0], kThirds[1], kThirds[2]);
    const uint32_t inColumn = LockedUnits(blocks, kStacks[0], kStacks[1], kStacks[2]);
    for (uint32_t m = inRow | inColumn; m != 0; m &= m - 1) {
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
