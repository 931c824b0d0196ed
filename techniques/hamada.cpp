// Hamada logic: the remote-pair colouring, extended. Two cells of one colour hold the same
// digit; a line that digit would empty fixes the colour, and otherwise bivalue cells seeing
// the two cells pair up to remove their shared third digit.
#include "techniques/hamada.h"

#include <bit>

#include "board/candidates.h"
#include "board/queue.h"
#include "board/state.h"
#include "techniques/colouring.h"
#include "techniques/subset_scan.h"
#include "techniques/techniques.h"

namespace {

inline bool Holds(uint32_t cell, uint32_t d) { return g.cand.flag[cell * 9 + d] != 0; }
inline uint32_t Count(uint32_t cell) { return g.cand.count[cell]; }

inline void QueueOpen(uint32_t cell, uint32_t d) {
  if (Count(cell) >= 2) QueueElimination(cell, d);
}

// The other candidate of a bivalue cell holding d.
uint32_t OtherDigit(uint32_t cell, uint32_t d) {
  for (uint32_t e = 0; e < 9; ++e)
    if (e != d && Holds(cell, e)) return e;
  return 9;
}

// Rows (byRow) or columns: a line crossing the lines of a and b at A' and B'. If the digit
// s in a and b would leave the line without s, the colour cannot be s. holders are s's unit
// holders (rows at 0, columns at 9): the line's unfilled cells holding s.
bool LineEmptiedBy(uint32_t aPrime, uint32_t bPrime, bool row, uint32_t line,
                   const uint32_t holders[27], uint32_t s) {
  const uint32_t n = static_cast<uint32_t>(std::popcount(holders[row ? line : 9 + line]));
  const bool ha = Holds(aPrime, s), hb = Holds(bPrime, s);
  return (n == 2 && ha && hb) || (n == 1 && (ha || hb));
}

// Another marked cell of v's pair shares a unit with v. Without one, the colouring that starts
// at v colours nothing more: a unit colours a cell only next to a coloured one of the pair.
bool PairInUnitOf(uint32_t v) {
  const uint32_t units[3] = {RowOf(v), 9 + ColumnOf(v), 18 + BlockOf(v)};
  for (const uint32_t unit : units)
    for (const uint8_t c : kUnitCells.cell[unit])
      if (c != v && LinkMask[c] && PairFirst[c] == PairFirst[v] && PairSecond[c] == PairSecond[v])
        return true;
  return false;
}

// The remote-pair colouring of the marked cells of one pair, seeded in CellColour: every unit
// holding two or more of them links its first two, and passes over the units in order colour
// the uncoloured end of a link from the coloured one (colours 1 and 2) until a pass colours
// nothing. Adds the cells coloured to PairColourCount.
void ColourPairCells(const CellSet& marked) {
  uint8_t linked[27][2];
  uint32_t links = 0;
  for (uint32_t unit = 0; unit < 27; ++unit) {
    CellSet cells = kUnitCellSets.unit[unit] & marked;
    if (cells.Count() < 2) continue;
    linked[links][0] = static_cast<uint8_t>(cells.TakeFirst());
    linked[links][1] = static_cast<uint8_t>(cells.First());
    ++links;
  }
  for (bool coloured = true; coloured;) {
    coloured = false;
    for (uint32_t i = 0; i < links; ++i) {
      uint32_t& f = CellColour[linked[i][0]];
      uint32_t& s = CellColour[linked[i][1]];
      if (f != 0 && s == 0)
        s = 3 - f;
      else if (s != 0 && f == 0)
        f = 3 - s;
      else
        continue;
      ++PairColourCount;
      coloured = true;
    }
  }
}

}  // namespace

void HamadaColourQueue(uint32_t x, uint32_t y, uint32_t c) {
  for (uint32_t cell = 0; cell < 81; ++cell) {
    if (CellColour[cell] == c)
      QueueOpen(cell, x);
    else if (CellColour[cell] != 0)
      QueueOpen(cell, y);
  }
}

uint32_t HamadaContradiction(uint32_t a, uint32_t b, uint32_t p, uint32_t q, uint32_t c) {
  uint32_t holdersP[27], holdersQ[27];
  LoadUnitHolders(p, holdersP);
  LoadUnitHolders(q, holdersQ);
  for (uint32_t pass = 0; pass < 2; ++pass) {
    const bool row = pass == 0;
    for (uint32_t k = 0; k < 9; ++k) {
      uint32_t aPrime, bPrime;
      if (row) {
        if (k == RowOf(a) || k == RowOf(b)) continue;
        aPrime = CellAt(k, ColumnOf(a));
        bPrime = CellAt(k, ColumnOf(b));
      } else {
        if (k == ColumnOf(a) || k == ColumnOf(b)) continue;
        aPrime = CellAt(RowOf(a), k);
        bPrime = CellAt(RowOf(b), k);
      }
      if (g.board.value[aPrime] != 0 || g.board.value[bPrime] != 0) continue;
      if (LineEmptiedBy(aPrime, bPrime, row, k, holdersP, p)) {
        HamadaColourQueue(p, q, c);
        return 1;
      }
      if (LineEmptiedBy(aPrime, bPrime, row, k, holdersQ, q)) {
        HamadaColourQueue(q, p, c);
        return 1;
      }
    }
  }
  return 0;
}

void HamadaCrossPairs(uint32_t a, uint32_t b, uint32_t p, uint32_t q) {
  for (uint32_t pass = 0; pass < 2; ++pass) {
    const bool row = pass == 0;
    auto excluded = [&](uint32_t k) {
      return row ? (k == RowOf(a) || k == RowOf(b)) : (k == ColumnOf(a) || k == ColumnOf(b));
    };
    for (uint32_t k = 0; k < 9; ++k) {
      if (excluded(k)) continue;
      const uint32_t u = row ? CellAt(k, ColumnOf(a)) : CellAt(RowOf(a), k);
      if (Count(u) != 2) continue;
      uint32_t partnerOf, e;
      if (Holds(u, q) && !Holds(u, p)) {
        e = OtherDigit(u, q);
        partnerOf = p;  // V must be {p, e}
      } else if (Holds(u, p)) {
        e = OtherDigit(u, p);
        if (e == q) continue;
        partnerOf = q;  // V must be {q, e}
      } else {
        continue;
      }
      for (uint32_t k2 = 0; k2 < 9; ++k2) {
        if (excluded(k2)) continue;
        const uint32_t v = row ? CellAt(k2, ColumnOf(b)) : CellAt(RowOf(b), k2);
        if (Count(v) == 2 && Holds(v, partnerOf) && Holds(v, e)) QueueCommonPeers(u, v, e);
      }
    }
  }
}

// Visit the cells of a set in ascending order.
template <class Visit>
void ForEachCell(const CellSet& set, Visit&& visit) {
  for (uint32_t w = 0; w < 2; ++w)
    for (uint64_t rest = set.word[w]; rest != 0; rest &= rest - 1)
      visit(w * 64 + static_cast<uint32_t>(std::countr_zero(rest)));
}

uint32_t HamadaLogic(uint32_t place) {
  ResetQueue();
  // The marked cells of each pair (index first * 9 + second). Colouring stays within one pair,
  // and a pair held by one marked cell alone cannot colour anything beyond its own cell.
  CellSet pairCells[81] = {};
  for (uint32_t c = 0; c < 81; ++c) {
    LinkMask[c] = CellColour[c] = 0;
    if (Count(c) != 2) continue;
    uint32_t digits[2], n = 0;
    for (uint32_t d = 0; d < 9 && n < 2; ++d)
      if (Holds(c, d)) digits[n++] = d;
    if (n != 2) continue;
    LinkMask[c] = 1;
    PairFirst[c] = digits[0];
    PairSecond[c] = digits[1];
    pairCells[digits[0] * 9 + digits[1]].word[c / 64] |= uint64_t{1} << (c % 64);
  }
  for (uint32_t v = 0; v < 81; ++v) {
    if (!LinkMask[v]) continue;
    const uint32_t p = PairFirst[v], q = PairSecond[v];
    CellSet& marked = pairCells[p * 9 + q];
    PairColourCount = 1;
    CellColour[v] = 1;
    if (marked.Count() > 1 && PairInUnitOf(v)) ColourPairCells(marked);
    // Every coloured cell holds v's pair and is still marked: the walks over the pair's cells
    // meet the coloured ones in the order of a walk over the board.
    const CellSet pair = marked;
    if (PairColourCount > 2)
      ForEachCell(pair, [&](uint32_t a) {
        if (CellColour[a] == 0) return;
        ForEachCell(pair, [&](uint32_t b) {
          if (b <= a || CellColour[b] != CellColour[a]) return;
          if (!HamadaContradiction(a, b, p, q, CellColour[a])) HamadaCrossPairs(a, b, p, q);
        });
      });
    // The coloured cells leave the marking.
    ForEachCell(pair, [&](uint32_t c) {
      if (CellColour[c] == 0) return;
      CellColour[c] = LinkMask[c] = 0;
      marked.word[c / 64] &= ~(uint64_t{1} << (c % 64));
    });
  }
  if (g.queue.length > 0) FlushEliminations(CodeHamadaLogic);
  return FinishRoutine(place, KindAuto);
}

const RoutineEntry kHamadaRoutines[] = {
    {"HamadaLogic", HamadaLogic, 1060},
    {nullptr, nullptr, 0},
};
