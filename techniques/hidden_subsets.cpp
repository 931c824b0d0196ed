// Hidden subsets: N digits of a unit that between them fit only N cells; every other digit
// leaves those cells. One scan serves the four sizes, driven by the members' table; a unit
// is searched only when its digit occurrences pass the member's gate.
#include <bit>

#include "board/candidates.h"
#include "board/queue.h"
#include "board/state.h"
#include "techniques/subset_scan.h"
#include "techniques/techniques.h"

namespace {

struct HiddenMember {
  uint32_t size;        // N: digits in the set and cells they fit
  uint32_t code;        // technique code of the log lines
  uint32_t exactGate;   // 1: lines need exactly N digits occurring exactly twice (pairs)
};

const HiddenMember kPair = {2, CodeHiddenPair, 1};
const HiddenMember kTriple = {3, CodeHiddenTriple, 0};
const HiddenMember kQuad = {4, CodeHiddenQuad, 0};
const HiddenMember kQuintuplet = {5, CodeHiddenQuintuplet, 0};

// The unit holders of every digit, as LoadUnitHolders gives them.
using AllHolders = uint32_t[9][27];
void LoadAllHolders(AllHolders& holders) {
  for (uint32_t d = 0; d < 9; ++d) LoadUnitHolders(d, holders[d]);
}

// Positions (bit p for the unit's p-th cell) of each digit among the unit's unfilled cells,
// and the occurrence of each digit, the number of those positions.
void Positions(const AllHolders& holders, uint32_t t, uint32_t u, uint32_t pos[9],
               uint32_t occ[9]) {
  for (uint32_t d = 0; d < 9; ++d) {
    pos[d] = holders[d][t * 9 + u];
    occ[d] = static_cast<uint32_t>(std::popcount(pos[d]));
  }
}

// The unit gate. Pairs count exactly: in rows and columns exactly two digits occurring
// exactly twice, in blocks exactly two digits occurring two or three times. The larger sizes
// need at least N digits occurring 2..N times.
bool PassesGate(const HiddenMember& m, uint32_t t, const uint32_t occ[9]) {
  uint32_t n = 0;
  if (m.exactGate) {
    const uint32_t high = t == 2 ? 3 : 2;
    for (uint32_t d = 0; d < 9; ++d)
      if (occ[d] >= 2 && occ[d] <= high) ++n;
    return n == m.size;
  }
  for (uint32_t d = 0; d < 9; ++d)
    if (occ[d] >= 2 && occ[d] <= m.size) ++n;
  return n >= m.size;
}

// Walk the hidden subsets of unit (t, u); found(tally) gets the per-position tally of a set
// whose digits fit exactly N positions, with the set's digit marks.
template <class Found>
void ScanUnit(const HiddenMember& m, const AllHolders& holders, uint32_t t, uint32_t u,
              Found&& found) {
  uint32_t pos[9], occ[9];
  Positions(holders, t, u, pos, occ);
  if (!PassesGate(m, t, occ)) return;
  uint32_t items[9];
  uint32_t n = 0;
  for (uint32_t d = 0; d < 9; ++d)
    if (occ[d] >= 2 && occ[d] <= m.size) items[n++] = d;
  ForEachSubset(items, n, m.size, [&](const uint32_t* digits) {
    uint32_t spread = 0;
    for (uint32_t i = 0; i < m.size; ++i) spread |= pos[digits[i]];
    if (static_cast<uint32_t>(std::popcount(spread)) != m.size) return;
    uint32_t tally[9];
    for (uint32_t p = 0; p < 9; ++p) {
      tally[p] = 0;
      for (uint32_t i = 0; i < m.size; ++i) tally[p] += pos[digits[i]] >> p & 1;
    }
    uint32_t inSet[9] = {0};
    for (uint32_t i = 0; i < m.size; ++i) inSet[digits[i]] = 1;
    found(static_cast<const uint32_t*>(tally), static_cast<const uint32_t*>(inSet));
  });
}

uint32_t HiddenScan(const HiddenMember& m, uint32_t place) {
  ResetQueue();
  AllHolders holders;
  LoadAllHolders(holders);
  for (uint32_t t = 0; t < 3; ++t)
    for (uint32_t u = 0; u < 9; ++u)
      ScanUnit(m, holders, t, u, [&](const uint32_t* tally, const uint32_t* inSet) {
        for (uint32_t p = 0; p < 9; ++p) {
          const uint32_t c = UnitCell(t, u, p);
          if (!tally[p] || g.cand.count[c] < 2) continue;
          for (uint32_t d = 0; d < 9; ++d)
            if (!inSet[d]) QueueElimination(c, d);
        }
      });
  if (g.queue.length) FlushEliminations(m.code);
  return FinishRoutine(place, KindAuto);
}

uint32_t HiddenHint(const HiddenMember& m) {
  g.hintMarkCount = 0;
  AllHolders holders;
  LoadAllHolders(holders);
  for (uint32_t t = 0; t < 3; ++t)
    for (uint32_t u = 0; u < 9; ++u) {
      uint32_t open = 0;
      for (uint32_t p = 0; p < 9; ++p)
        if (g.cand.count[UnitCell(t, u, p)] != 0) ++open;
      if (open < m.size + 1) continue;
      ScanUnit(m, holders, t, u, [&](const uint32_t* tally, const uint32_t*) {
        for (uint32_t p = 0; p < 9; ++p)
          if (tally[p]) {
            g.board.kind[UnitCell(t, u, p)] = KindHint;
            ++g.hintMarkCount;
          }
      });
    }
  return g.hintMarkCount > 0 ? 1 : 0;
}

}  // namespace

uint32_t HiddenPair(uint32_t place) { return HiddenScan(kPair, place); }
uint32_t HiddenTriple(uint32_t place) { return HiddenScan(kTriple, place); }
uint32_t HiddenQuad(uint32_t place) { return HiddenScan(kQuad, place); }
uint32_t HiddenQuintuplet(uint32_t place) { return HiddenScan(kQuintuplet, place); }
uint32_t HintHiddenPair() { return HiddenHint(kPair); }
uint32_t HintHiddenTriple() { return HiddenHint(kTriple); }

const RoutineEntry kHiddenSubsetRoutines[] = {
    {"HiddenPair", HiddenPair, 520},
    {"HiddenTriple", HiddenTriple, 530},
    {"HiddenQuad", HiddenQuad, 560},
    {"HiddenQuintuplet", HiddenQuintuplet, 590},
    {nullptr, nullptr, 0},
};
