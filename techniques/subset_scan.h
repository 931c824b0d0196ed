// Shared pieces of the subset, locked-candidate and fish scans: the lexicographic walk over
// the N-element subsets of a list, the candidate tests every scan uses, and the common
// "queue it if the cell is still open" target rule.
#pragma once
#include <bit>
#include <cstdint>

#include "board/queue.h"
#include "board/state.h"

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

// Visit every size-element subset of items[0..count) in lexicographic order of the item
// indices (items are kept ascending by the callers, so the order is lexicographic in the
// items too). visit(chosen) receives the chosen items in ascending order.
template <class Visit>
inline void ForEachSubset(const uint32_t* items, uint32_t count, uint32_t size, Visit&& visit) {
  if (size == 0 || size > count || size > 9) return;
  uint32_t index[9];
  uint32_t chosen[9];
  for (uint32_t i = 0; i < size; ++i) index[i] = i;
  for (;;) {
    for (uint32_t i = 0; i < size; ++i) chosen[i] = items[index[i]];
    visit(static_cast<const uint32_t*>(chosen));
    // Advance the rightmost index that can still move, then reset the ones after it.
    uint32_t i = size;
    while (i > 0 && index[i - 1] == count - size + (i - 1)) --i;
    if (i == 0) return;
    ++index[i - 1];
    for (uint32_t j = i; j < size; ++j) index[j] = index[j - 1] + 1;
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
  uint32_t index[9];
  uint32_t chosen[9];
  uint32_t acc[9];
  uint32_t depth = 0;
  index[0] = 0;
  acc[0] = 0;
  for (;;) {
    // The last index this depth may take and still leave room for the deeper ones.
    if (index[depth] > count - size + depth) {
      if (depth == 0) return;
      ++index[--depth];
      continue;
    }
    const uint32_t item = items[index[depth]];
    const uint32_t u = acc[depth] | masks[item];
    const uint32_t k = static_cast<uint32_t>(std::popcount(u));
    if (k > spread) {
      ++index[depth];
      continue;
    }
    chosen[depth] = item;
    if (depth + 1 == size) {
      if (k == spread) visit(static_cast<const uint32_t*>(chosen), u);
      ++index[depth];
      continue;
    }
    acc[depth + 1] = u;
    index[depth + 1] = index[depth] + 1;
    ++depth;
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

// Lines of one orientation whose count of positions lies in low..high, ascending; positions
// holds each line's positions of the digit as a mask (as LoadUnitHolders gives them: rows at
// 0, columns at 9).
inline uint32_t QualifyingLines(const uint32_t positions[9], uint32_t low, uint32_t high,
                                uint32_t out[9]) {
  uint32_t n = 0;
  for (uint32_t line = 0; line < 9; ++line) {
    const uint32_t k = static_cast<uint32_t>(std::popcount(positions[line]));
    if (k >= low && k <= high) out[n++] = line;
  }
  return n;
}

// Cover union of a base set: the positions any of its lines holds.
inline uint32_t CoverUnion(const uint32_t positions[9], const uint32_t* base, uint32_t n) {
  uint32_t cover = 0;
  for (uint32_t i = 0; i < n; ++i) cover |= positions[base[i]];
  return cover;
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
