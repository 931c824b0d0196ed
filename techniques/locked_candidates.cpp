// Locked candidates: a digit whose two or three places in a line lie in one block leaves the
// rest of that block (claiming); one whose places in a block lie on one line leaves the rest
// of that line (pointing). Rows first, then columns, then blocks; digits outermost.
#include "board/candidates.h"
#include "board/queue.h"
#include "board/state.h"
#include "techniques/subset_scan.h"
#include "techniques/techniques.h"

namespace {

// The positions of a mask, ascending; returns how many.
uint32_t Positions(uint32_t mask, uint32_t pos[9]) {
  uint32_t n = 0;
  for (uint32_t p = 0; p < 9; ++p)
    if (mask >> p & 1) pos[n++] = p;
  return n;
}

// Claiming from line u of orientation t (0 rows, 1 columns).
void Claim(uint32_t t, uint32_t u, uint32_t d, uint32_t holders) {
  uint32_t pos[9];
  const uint32_t n = Positions(holders, pos);
  if (n < 2 || n > 3) return;
  const uint32_t third = pos[0] / 3;
  for (uint32_t i = 1; i < n; ++i)
    if (pos[i] / 3 != third) return;
  const uint32_t first = (u / 3) * 3;
  for (uint32_t line = first; line < first + 3; ++line) {
    if (line == u) continue;
    for (uint32_t p = third * 3; p < third * 3 + 3; ++p) QueueTarget(LineCell(t, line, p), d);
  }
}

// Pointing from block b.
void Point(uint32_t b, uint32_t d, uint32_t holders) {
  uint32_t pos[9];
  const uint32_t n = Positions(holders, pos);
  if (n < 2 || n > 3) return;
  bool sameRow = true, sameColumn = true;
  for (uint32_t i = 1; i < n; ++i) {
    if (pos[i] / 3 != pos[0] / 3) sameRow = false;
    if (pos[i] % 3 != pos[0] % 3) sameColumn = false;
  }
  const uint32_t top = (b / 3) * 3, left = (b % 3) * 3;
  if (sameRow) {
    const uint32_t row = top + pos[0] / 3;
    for (uint32_t k = 0; k < 9; ++k) {
      // Two places: skip only the members' own columns (the block's third cell is queued
      // and skipped by the logger). Three places: skip the whole block.
      bool member = false;
      for (uint32_t i = 0; i < n; ++i)
        if (k == left + pos[i] % 3) member = true;
      if (n == 3 && k / 3 == b % 3) member = true;
      if (!member) QueueTarget(CellAt(row, k), d);
    }
  } else if (sameColumn) {
    const uint32_t column = left + pos[0] % 3;
    for (uint32_t k = 0; k < 9; ++k) {
      bool member = false;
      for (uint32_t i = 0; i < n; ++i)
        if (k == top + pos[i] / 3) member = true;
      if (n == 3 && k / 3 == b / 3) member = true;
      if (!member) QueueTarget(CellAt(k, column), d);
    }
  }
}

}  // namespace

uint32_t LockedCandidates(uint32_t place) {
  ResetQueue();
  uint32_t holders[9][27];
  for (uint32_t d = 0; d < 9; ++d) LoadUnitHolders(d, holders[d]);
  for (uint32_t d = 0; d < 9; ++d)
    for (uint32_t r = 0; r < 9; ++r) Claim(0, r, d, holders[d][r]);
  for (uint32_t d = 0; d < 9; ++d)
    for (uint32_t c = 0; c < 9; ++c) Claim(1, c, d, holders[d][9 + c]);
  for (uint32_t d = 0; d < 9; ++d)
    for (uint32_t b = 0; b < 9; ++b) Point(b, d, holders[d][18 + b]);
  if (g.queue.length) FlushEliminations(CodeLockedCandidates);
  return FinishRoutine(place, KindAuto);
}

const RoutineEntry kLockedCandidateRoutines[] = {
    {"LockedCandidates", LockedCandidates, 890},
    {nullptr, nullptr, 0},
};
