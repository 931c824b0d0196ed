// Naked subsets: N cells of a unit whose candidates together cover exactly N digits; those
// digits leave the unit's other cells. One scan serves the four sizes, driven by the
// members' table; the hint routines walk the same sets and only mark the cells.
#include <bit>

#include "board/candidates.h"
#include "board/queue.h"
#include "board/state.h"
#include "techniques/subset_scan.h"
#include "techniques/techniques.h"

namespace {

struct NakedMember {
  uint32_t size;           // N: cells in the subset and digits in their union
  uint32_t code;           // technique code of the log lines
  uint32_t lineBlock;      // 1: the triple's line-block step in rows and columns
  uint32_t hintMinOpen;    // hint search needs this many cells of kind 9 or 10 in the unit
};

constexpr NakedMember kPair = {2, CodeNakedPair, 0, 3};
constexpr NakedMember kTriple = {3, CodeNakedTriple, 1, 4};
constexpr NakedMember kQuad = {4, CodeNakedQuad, 0, 5};
constexpr NakedMember kQuintuplet = {5, CodeNakedQuintuplet, 0, 6};

// The qualifying positions of a unit, cells with 2..N candidates, ascending; returns how many.
uint32_t QualifyingPositions(const UnitTable& table, uint32_t unit, uint32_t n, uint32_t out[9]) {
  uint32_t m = 0;
  for (uint32_t rest = table.cellsUpTo[unit][n]; rest != 0; rest &= rest - 1)
    out[m++] = static_cast<uint32_t>(std::countr_zero(rest));
  return m;
}

// The highest digit that cell a has and cell b lacks.
uint32_t ConfinedDigit(uint32_t a, uint32_t b) {
  uint32_t x = 9;
  for (uint32_t d = 0; d < 9; ++d)
    if (g.cand.flag[a * 9 + d] && !g.cand.flag[b * 9 + d]) x = d;
  return x;
}

// A line triple with two cells in one block: the digit that the outside cell lacks must lie
// in the two block cells, so it leaves the rest of that block.
void LineBlockStep(uint32_t t, uint32_t u, const uint32_t* pos) {
  const uint32_t i = pos[0], j = pos[1], k = pos[2];
  const uint32_t ci = UnitCell(t, u, i), cj = UnitCell(t, u, j), ck = UnitCell(t, u, k);
  const uint32_t* count = g.cand.count;
  uint32_t x = 9, third = 0;
  if (i / 3 == j / 3 && k / 3 != i / 3 && count[ci] == 3 && count[cj] == 3 && count[ck] == 2) {
    x = ConfinedDigit(ci, ck);
    third = i / 3;
  } else if (j / 3 == k / 3 && i / 3 != j / 3 && count[cj] == 3 && count[ck] == 3 &&
             count[ci] == 2) {
    x = ConfinedDigit(cj, ci);
    third = j / 3;
  }
  if (x > 8) return;
  const uint32_t first = (u / 3) * 3;
  for (uint32_t line = first; line < first + 3; ++line) {
    if (line == u) continue;
    for (uint32_t p = third * 3; p < third * 3 + 3; ++p)
      QueueTarget(t == 0 ? CellAt(line, p) : CellAt(p, line), x);
  }
}

// Each member gets its own copy, with its size known to the compiler.
template <const NakedMember& m>
uint32_t NakedScan(uint32_t place) {
  ResetQueue();
  const UnitTable& table = LoadUnitTable();
  // The units with N qualifying cells, found first without a branch each; the walk visits
  // only those, in the same order.
  uint32_t passing = 0;
  for (uint32_t unit = 0; unit < 27; ++unit) {
    const uint32_t k = static_cast<uint32_t>(std::popcount(table.cellsUpTo[unit][m.size]));
    passing |= static_cast<uint32_t>(k >= m.size) << unit;
  }
  for (; passing != 0; passing &= passing - 1) {
    const uint32_t unit = static_cast<uint32_t>(std::countr_zero(passing));
    const uint32_t t = unit / 9, u = unit % 9;
    uint32_t items[9];
    const uint32_t n = QualifyingPositions(table, unit, m.size, items);
    const uint32_t* mask = table.cellMask[unit];
    const uint8_t* cells = kUnitCells.cell[unit];
    ForEachTightSubset(items, n, m.size, m.size, mask, [&](const uint32_t* pos, uint32_t digits) {
      uint32_t chosen = 0;
      for (uint32_t i = 0; i < m.size; ++i) chosen |= 1u << pos[i];
      for (uint32_t q = 0; q < 9; ++q) {
        if (chosen >> q & 1) continue;
        const uint32_t c = cells[q];
        if (g.cand.count[c] < 2) continue;
        for (uint32_t rest = digits; rest != 0; rest &= rest - 1)
          QueueElimination(c, static_cast<uint32_t>(std::countr_zero(rest)));
      }
      if (m.lineBlock && t < 2) LineBlockStep(t, u, pos);
    });
  }
  if (g.queue.length) FlushEliminations(m.code);
  return FinishRoutine(place, KindAuto);
}

uint32_t NakedHint(const NakedMember& m) {
  g.hintMarkCount = 0;
  const UnitTable& table = LoadUnitTable();
  for (uint32_t t = 0; t < 3; ++t)
    for (uint32_t u = 0; u < 9; ++u) {
      uint32_t open = 0;
      for (uint32_t p = 0; p < 9; ++p) {
        const uint32_t kind = g.board.kind[UnitCell(t, u, p)];
        if (kind == KindEmpty || kind == KindHint) ++open;
      }
      if (open < m.hintMinOpen) continue;
      uint32_t items[9];
      const uint32_t n = QualifyingPositions(table, t * 9 + u, m.size, items);
      const uint32_t* mask = table.cellMask[t * 9 + u];
      ForEachTightSubset(items, n, m.size, m.size, mask, [&](const uint32_t* pos, uint32_t) {
        for (uint32_t i = 0; i < m.size; ++i) g.board.kind[UnitCell(t, u, pos[i])] = KindHint;
        ++g.hintMarkCount;
      });
    }
  return g.hintMarkCount > 0 ? 1 : 0;
}

}  // namespace

uint32_t NakedPair(uint32_t place) { return NakedScan<kPair>(place); }
uint32_t NakedTriple(uint32_t place) { return NakedScan<kTriple>(place); }
uint32_t NakedQuad(uint32_t place) { return NakedScan<kQuad>(place); }
uint32_t NakedQuintuplet(uint32_t place) { return NakedScan<kQuintuplet>(place); }
uint32_t HintNakedPair() { return NakedHint(kPair); }
uint32_t HintNakedTriple() { return NakedHint(kTriple); }
uint32_t HintNakedQuad() { return NakedHint(kQuad); }
uint32_t HintNakedQuintuplet() { return NakedHint(kQuintuplet); }

const RoutineEntry kNakedSubsetRoutines[] = {
    {"NakedPair", NakedPair, 440},
    {"NakedTriple", NakedTriple, 450},
    {"NakedQuad", NakedQuad, 550},
    {"NakedQuintuplet", NakedQuintuplet, 580},
    {nullptr, nullptr, 0},
};
