// Shared pieces of the subset, locked-candidate and fish scans: the per-unit and per-line
// tables they read (kept per table state), the lexicographic walk over the N-element subsets
// of a list whose union stays within N (or N+1) bits, the candidate tests every scan uses, and
// the common "queue it if the cell is still open" target rule.
#pragma once
#include <bit>
#include <cstdint>
#include <cstring>

#include "board/candidates.h"
#include "board/queue.h"
#include "board/state.h"

// What the subset scans read of a table, per unit: the candidate masks of its cells and the
// positions of every digit, both among its unfilled cells, and the classes the scans gate on.
// It depends on the candidate masks and counts only, so it is kept with them as its key and
// built again only when the table differs; the eight subset routines, run one after another
// on the same table, share one build.
struct UnitTable {
  uint32_t valid;
  uint32_t mask[81];            // key: LoadCellMasks
  uint32_t count[81];           // key: the candidate counts
  uint32_t cellMask[27][9];     // candidates of the unit's p-th cell (0 when filled)
  uint32_t pos[27][9];          // bit p: the unit's p-th cell is unfilled and holds the digit
  uint32_t digitsUpTo[27][6];   // [unit][k], k 2..5: digits occurring 2..k times
  uint32_t cellsUpTo[27][6];    // [unit][k], k 2..5: positions of cells with 2..k candidates
};
inline UnitTable unitTable;

// The unit holders of the nine digits: the batch's own table when it keeps one (the flush
// mends it after each removal), else worked out into buffer.
inline const uint32_t (*TableHolders(uint32_t (*buffer)[27]))[27] {
  const HolderCache& cache = g.holderCache;
  if (cache.depth != 0 && (cache.known & 0x1FF) == 0x1FF) return cache.holders;
  LoadAllUnitHolders(buffer);
  return buffer;
}

inline const UnitTable& LoadUnitTable() {
  UnitTable& t = unitTable;
  uint32_t mask[81];
  LoadCellMasks(mask);
  if (t.valid && std::memcmp(mask, t.mask, sizeof mask) == 0 &&
      std::memcmp(g.cand.count, t.count, sizeof t.count) == 0)
    return t;
  std::memcpy(t.mask, mask, sizeof mask);
  std::memcpy(t.count, g.cand.count, sizeof t.count);
  // Cells: the masks of the unfilled ones, and per unit the cells with exactly n candidates.
  uint32_t cells[27][6] = {};
  for (uint32_t r = 0, c = 0; r < 9; ++r)
    for (uint32_t col = 0; col < 9; ++col, ++c) {
      const uint32_t b = r / 3 * 3 + col / 3, k = r % 3 * 3 + col % 3;
      const uint32_t n = t.count[c];
      t.cellMask[r][col] = t.cellMask[9 + col][r] = t.cellMask[18 + b][k] = n == 0 ? 0 : mask[c];
      if (n - 2 > 3) continue;
      cells[r][n] |= 1u << col;
      cells[9 + col][n] |= 1u << r;
      cells[18 + b][n] |= 1u << k;
    }
  // Digits: the positions are the unit holders, turned round to one row of nine per unit.
  uint32_t buffer[9][27];
  const uint32_t(*holders)[27] = TableHolders(buffer);
  for (uint32_t unit = 0; unit < 27; ++unit) {
    uint32_t digits[10] = {0};
    uint32_t* pos = t.pos[unit];
    for (uint32_t d = 0; d < 9; ++d) {
      pos[d] = holders[d][unit];
      digits[std::popcount(pos[d])] |= 1u << d;
    }
    uint32_t* dUp = t.digitsUpTo[unit];
    uint32_t* cUp = t.cellsUpTo[unit];
    dUp[0] = dUp[1] = cUp[0] = cUp[1] = 0;
    for (uint32_t k = 2; k < 6; ++k) {
      dUp[k] = dUp[k - 1] | digits[k];
      cUp[k] = cUp[k - 1] | cells[unit][k];
    }
  }
  t.valid = 1;
  return t;
}

// A cell holds digit index d as a candidate: it is not filled (count non-zero) and the flag
// is set. Cells with count 1 are decided but still count as holding their digit.
inline bool HasCandidate(uint32_t cell, uint32_t d) {
  return g.cand.count[cell] != 0 && g.cand.flag[cell * 9 + d] != 0;
}

// Queue (cell, d) when the cell still takes part (count at least 2); the flag itself is not
// tested, the logger skips absent candidates. Returns 1 when the entry went into the queue
// (a full queue refuses further entries).
inline uint32_t QueueTarget(uint32_t cell, uint32_t d) {
  if (g.cand.count[cell] < 2) return 0;
  return QueueElimination(cell, d);
}

// One level of ForEachTightSubset, Need items still to choose from items[from..count) with
// the union so far in acc; written per level so that each level is a plain loop.
template <uint32_t Need, class Visit>
inline void TightLevel(const uint32_t* items, uint32_t from, uint32_t count, uint32_t acc,
                       uint32_t spread, const uint32_t* masks, uint32_t* chosen, uint32_t depth,
                       Visit& visit) {
  for (uint32_t i = from; i + Need <= count; ++i) {
    const uint32_t u = acc | masks[items[i]];
    const uint32_t k = static_cast<uint32_t>(std::popcount(u));
    if constexpr (Need == 1) {
      if (k != spread) continue;
      chosen[depth] = items[i];
      visit(static_cast<const uint32_t*>(chosen), u);
    } else {
      if (k > spread) continue;
      chosen[depth] = items[i];
      TightLevel<Need - 1>(items, i + 1, count, u, spread, masks, chosen, depth + 1, visit);
    }
  }
}

// Visit, in lexicographic order of the item indices, every size-element subset of
// items[0..count) whose union of masks[item] has exactly `spread` bits. The walk goes depth
// first and leaves a branch as soon as its union grows past `spread` (a union never shrinks),
// so it meets the same subsets in the same order as a walk over all of them, only without the
// hopeless ones. Items are kept ascending by the callers, so the order is lexicographic in
// the items too. visit(chosen, union) receives the chosen items in ascending order.
template <class Visit>
inline void ForEachTightSubset(const uint32_t* items, uint32_t count, uint32_t size,
                               uint32_t spread, const uint32_t* masks, Visit&& visit) {
  if (size == 0 || size > count || size > 9) return;
  uint32_t chosen[9];
  switch (size) {
    case 1: return TightLevel<1>(items, 0, count, 0, spread, masks, chosen, 0, visit);
    case 2: return TightLevel<2>(items, 0, count, 0, spread, masks, chosen, 0, visit);
    case 3: return TightLevel<3>(items, 0, count, 0, spread, masks, chosen, 0, visit);
    case 4: return TightLevel<4>(items, 0, count, 0, spread, masks, chosen, 0, visit);
    case 5: return TightLevel<5>(items, 0, count, 0, spread, masks, chosen, 0, visit);
    case 6: return TightLevel<6>(items, 0, count, 0, spread, masks, chosen, 0, visit);
    case 7: return TightLevel<7>(items, 0, count, 0, spread, masks, chosen, 0, visit);
    case 8: return TightLevel<8>(items, 0, count, 0, spread, masks, chosen, 0, visit);
    default: return TightLevel<9>(items, 0, count, 0, spread, masks, chosen, 0, visit);
  }
}

// Membership of value v among the first n entries of a (ascending or not).
inline bool Contains(const uint32_t* a, uint32_t n, uint32_t v) {
  for (uint32_t i = 0; i < n; ++i)
    if (a[i] == v) return true;
  return false;
}

// Line geometry shared by the fish scans: orientation 0 takes rows as base lines (positions
// are columns), orientation 1 takes columns (positions are rows).
inline uint32_t LineCell(uint32_t orientation, uint32_t line, uint32_t position) {
  return orientation == 0 ? line * 9 + position : position * 9 + line;
}

// What the fish scans read of a table: the unit holders of every digit (as LoadUnitHolders
// gives them: rows at 0, columns at 9) and, per digit and orientation (0 rows, 1 columns), the
// lines whose count of positions lies in 2..k. Kept with the holders as its key, so the fish
// routines run one after another on the same table share one build.
struct LineTable {
  uint32_t valid;
  uint32_t holders[9][27];
  uint32_t upTo[9][2][10];  // [d][o][k], k 2..9: bit line set when it holds 2..k positions
};
inline LineTable lineTable;

inline const LineTable& LoadLineTable() {
  LineTable& t = lineTable;
  uint32_t buffer[9][27];
  const uint32_t(*holders)[27] = TableHolders(buffer);
  if (t.valid && std::memcmp(holders, t.holders, sizeof t.holders) == 0) return t;
  std::memcpy(t.holders, holders, sizeof t.holders);
  for (uint32_t d = 0; d < 9; ++d)
    for (uint32_t o = 0; o < 2; ++o) {
      uint32_t exactly[10] = {0};
      for (uint32_t line = 0; line < 9; ++line)
        exactly[std::popcount(holders[d][o * 9 + line])] |= 1u << line;
      uint32_t* upTo = t.upTo[d][o];
      upTo[0] = upTo[1] = 0;
      for (uint32_t k = 2; k < 10; ++k) upTo[k] = upTo[k - 1] | exactly[k];
    }
  t.valid = 1;
  return t;
}

// The lines of a mask, ascending; returns how many.
inline uint32_t LinesOf(uint32_t mask, uint32_t out[9]) {
  uint32_t n = 0;
  for (; mask != 0; mask &= mask - 1) out[n++] = static_cast<uint32_t>(std::countr_zero(mask));
  return n;
}

// Cover tally of a base set: tally[p] = base lines holding the digit at position p;
// owner[p] = the last such base line (the owner when the tally is 1).
inline void CoverTally(const uint32_t positions[9], const uint32_t* base, uint32_t n,
                       uint32_t tally[9], uint32_t owner[9]) {
  for (uint32_t p = 0; p < 9; ++p) {
    tally[p] = 0;
    owner[p] = 9;
    for (uint32_t i = 0; i < n; ++i)
      if (positions[base[i]] >> p & 1) {
        ++tally[p];
        owner[p] = base[i];
      }
  }
}
