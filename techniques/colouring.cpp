// Colouring: Simple Coloring, Multi Coloring Type1/Type2 and 3D Medusa, with the conjugate
// colouring and the common-peer elimination that the chain routines and Hamada logic reuse.
//
// Two cells are conjugate for a digit when they are its only two holders in a row, column or
// box: exactly one of them takes the digit, so colouring along conjugate links splits every
// cluster into two colours of which exactly one is true.
#include "techniques/colouring.h"

#include <bit>
#include <cstring>

#include "board/candidates.h"
#include "board/queue.h"
#include "board/state.h"
#include "techniques/techniques.h"

uint32_t LinkMask[81];
uint32_t CellColour[81];
uint32_t MedusaMarked[81 * 9];
uint32_t MedusaColour[81 * 9];

namespace {

inline void QueueIfOpen(uint32_t c, uint32_t d) {
  if (g.cand.count[c] >= 2) QueueElimination(c, d);
}
inline uint32_t Band(uint32_t c) { return RowOf(c) / 3; }
inline uint32_t Stack(uint32_t c) { return ColumnOf(c) / 3; }
// The unit of cell c of type t (0 row, 1 column, 2 box).
inline uint32_t UnitOf(uint32_t t, uint32_t c) {
  return t == 0 ? RowOf(c) : t == 1 ? ColumnOf(c) : BlockOf(c);
}
// Position of cell c in its unit of type t, as UnitCell counts it.
inline uint32_t PositionInUnit(uint32_t t, uint32_t c) {
  return t == 0 ? ColumnOf(c) : t == 1 ? RowOf(c) : RowOf(c) % 3 * 3 + ColumnOf(c) % 3;
}
// Cluster of a colour: colours 2k+1 and 2k+2 form cluster k.
inline uint32_t ClusterOf(uint32_t colour) { return (colour - 1) / 2; }

}  // namespace

void QueueCommonPeers(uint32_t a, uint32_t b, uint32_t d) {
  if (a == b || a > 80 || b > 80) return;
  const uint32_t ra = RowOf(a), ca = ColumnOf(a), rb = RowOf(b), cb = ColumnOf(b);
  if (ca == cb) {
    for (uint32_t r = 0; r < 9; ++r) {
      const uint32_t t = CellAt(r, ca);
      if (t != a && t != b) QueueIfOpen(t, d);
    }
  } else if (ra == rb) {
    for (uint32_t c = 0; c < 9; ++c) {
      const uint32_t t = CellAt(ra, c);
      if (t != a && t != b) QueueIfOpen(t, d);
    }
  } else if (BlockOf(a) == BlockOf(b)) {
    for (uint32_t k = 0; k < 9; ++k) {
      const uint32_t t = BlockCell(BlockOf(a), k);
      if (t != a && t != b) QueueIfOpen(t, d);
    }
  } else if (Band(a) != Band(b) && Stack(a) != Stack(b)) {
    QueueIfOpen(CellAt(rb, ca), d);
    QueueIfOpen(CellAt(ra, cb), d);
  } else if (Band(a) == Band(b)) {
    for (uint32_t c = Stack(a) * 3; c < Stack(a) * 3 + 3; ++c) QueueIfOpen(CellAt(rb, c), d);
    for (uint32_t c = Stack(b) * 3; c < Stack(b) * 3 + 3; ++c) QueueIfOpen(CellAt(ra, c), d);
  } else {
    for (uint32_t r = Band(a) * 3; r < Band(a) * 3 + 3; ++r) QueueIfOpen(CellAt(r, cb), d);
    for (uint32_t r = Band(b) * 3; r < Band(b) * 3 + 3; ++r) QueueIfOpen(CellAt(r, ca), d);
  }
}

namespace {

// One spreading step from colour `from` to colour `to`, the holders of the digit given per
// unit and the marked cells listed in ascending order; returns 1 when it coloured a cell.
// Marked cells hold the digit, so a unit with one holder besides s has no other marked cell.
uint32_t SpreadColour(uint32_t from, uint32_t to, const uint32_t holders[27],
                      const uint8_t* links, uint32_t linkCount) {
  uint32_t coloured = 0;
  for (uint32_t i = 0; i < linkCount; ++i) {
    const uint32_t s = links[i];
    if (CellColour[s] != from) continue;
    for (uint32_t t = 0; t < 3; ++t) {
      const uint32_t u = UnitOf(t, s);
      const uint32_t others = holders[t * 9 + u] & ~(1u << PositionInUnit(t, s));
      if (std::popcount(others) != 1) continue;
      const uint32_t c = UnitCell(t, u, static_cast<uint32_t>(std::countr_zero(others)));
      if (!LinkMask[c] || CellColour[c] != 0) continue;
      CellColour[c] = to;
      coloured = 1;
    }
  }
  return coloured;
}

}  // namespace

namespace {

// The colouring of each digit as last computed, with the holders it came from: the colouring
// depends on nothing else, so the routines of one table state share it.
struct ConjugateColouring {
  uint32_t valid;
  uint32_t holders[27];
  uint8_t linkMask[81];
  uint8_t cellColour[81];  // at most 1 + 2 × 40 clusters
  uint32_t next;
};
ConjugateColouring gColouring[9];

}  // namespace

uint32_t ColourConjugates(uint32_t d) {
  uint32_t holders[27];
  LoadUnitHolders(d, holders);
  ConjugateColouring& known = gColouring[d];
  if (known.valid && std::memcmp(known.holders, holders, sizeof holders) == 0) {
    for (uint32_t c = 0; c < 81; ++c) {
      LinkMask[c] = known.linkMask[c];
      CellColour[c] = known.cellColour[c];
    }
    return known.next;
  }
  for (uint32_t c = 0; c < 81; ++c) LinkMask[c] = CellColour[c] = 0;
  for (uint32_t unit = 0; unit < 27; ++unit) {
    const uint32_t h = holders[unit];
    if (std::popcount(h) != 2) continue;
    LinkMask[UnitCell27(unit, static_cast<uint32_t>(std::countr_zero(h)))] = 1;
    LinkMask[UnitCell27(unit, static_cast<uint32_t>(std::countr_zero(h & (h - 1))))] = 1;
  }
  uint8_t links[81];
  uint32_t linkCount = 0;
  for (uint32_t c = 0; c < 81; ++c)
    if (LinkMask[c]) links[linkCount++] = static_cast<uint8_t>(c);
  uint32_t next = 1;
  for (uint32_t i = 0; i < linkCount; ++i) {
    const uint32_t c = links[i];
    if (CellColour[c] != 0) continue;
    CellColour[c] = next;
    while (SpreadColour(next, next + 1, holders, links, linkCount) &&
           SpreadColour(next + 1, next, holders, links, linkCount)) {
    }
    next += 2;
  }
  known.valid = 1;
  std::memcpy(known.holders, holders, sizeof holders);
  for (uint32_t c = 0; c < 81; ++c) {
    known.linkMask[c] = static_cast<uint8_t>(LinkMask[c]);
    known.cellColour[c] = static_cast<uint8_t>(CellColour[c]);
  }
  known.next = next;
  return next;
}

namespace {

// The cells of a colour, ascending; returns how many.
uint32_t CellsOfColour(uint32_t colour, uint32_t cells[81]) {
  uint32_t n = 0;
  for (uint32_t c = 0; c < 81; ++c)
    if (CellColour[c] == colour) cells[n++] = c;
  return n;
}

// True when two cells of colour c share a row, a column or a box.
bool ColourSeesItself(uint32_t colour) {
  uint32_t cells[81];
  const uint32_t n = CellsOfColour(colour, cells);
  for (uint32_t i = 0; i < n; ++i)
    for (uint32_t j = i + 1; j < n; ++j)
      if (SharesUnit(cells[i], cells[j])) return true;
  return false;
}

// Common peers of every pair a < b of marked cells coloured one `x` and the other `y`, in
// the order of a, then of b.
void QueueColourPairPeers(uint32_t x, uint32_t y, uint32_t d) {
  uint32_t marked[2][81], count[2] = {0, 0};
  for (uint32_t c = 0; c < 81; ++c) {
    if (!LinkMask[c]) continue;
    if (CellColour[c] == x) marked[0][count[0]++] = c;
    if (CellColour[c] == y && y != x) marked[1][count[1]++] = c;
  }
  if (x == y) {  // a cell's partner colour is its own: every pair of the colour
    for (uint32_t i = 0; i < count[0]; ++i)
      for (uint32_t j = i + 1; j < count[0]; ++j) QueueCommonPeers(marked[0][i], marked[0][j], d);
    return;
  }
  uint32_t next[2] = {0, 0};  // per side: the first cell not yet taken as a
  while (next[0] < count[0] || next[1] < count[1]) {
    const uint32_t side = next[1] >= count[1] ||
                                  (next[0] < count[0] && marked[0][next[0]] < marked[1][next[1]])
                              ? 0 : 1;
    const uint32_t a = marked[side][next[side]++];
    const uint32_t* other = marked[1 - side];
    for (uint32_t j = 0; j < count[1 - side]; ++j)
      if (other[j] > a) QueueCommonPeers(a, other[j], d);
  }
}

// Marked cells in the units of the cells of colour A whose colour lies in another cluster,
// in unit order (row, column, box) per cell; repeats kept.
uint32_t gSeenCell[81 * 20 * 3];
uint32_t BuildSeen(uint32_t colour) {
  uint32_t n = 0;
  for (uint32_t s = 0; s < 81; ++s) {
    if (CellColour[s] != colour) continue;
    for (uint32_t t = 0; t < 3; ++t)
      for (uint32_t k = 0; k < 9; ++k) {
        const uint32_t c = UnitCell(t, UnitOf(t, s), k);
        if (c == s || !LinkMask[c] || CellColour[c] == 0) continue;
        if (ClusterOf(CellColour[c]) == ClusterOf(colour)) continue;
        gSeenCell[n++] = c;
      }
  }
  return n;
}

uint32_t CountColour(uint32_t colour) {
  uint32_t n = 0;
  for (uint32_t c = 0; c < 81; ++c) n += CellColour[c] == colour;
  return n;
}

}  // namespace

uint32_t SimpleColoring(uint32_t place) {
  ResetQueue();
  for (uint32_t d = 0; d < 9; ++d) {
    const uint32_t next = ColourConjugates(d);
    for (uint32_t colour = 1; colour < next; ++colour) {
      if (ColourSeesItself(colour))  // colour wrap: the colour is false everywhere
        for (uint32_t c = 0; c < 81; ++c)
          if (CellColour[c] == colour) QueueIfOpen(c, d);
      QueueColourPairPeers(colour, PartnerColour(colour), d);  // colour trap
    }
  }
  if (g.queue.length) FlushEliminations(CodeSimpleColoring);
  return FinishRoutine(place, KindAuto);
}

uint32_t MultiColoringType1(uint32_t place) {
  ResetQueue();
  for (uint32_t d = 0; d < 9; ++d) {
    const uint32_t next = ColourConjugates(d);
    if (next < 6) continue;  // needs three clusters
    for (uint32_t colour = 1; colour < next; ++colour) {
      if (CountColour(colour) < 2) continue;
      const uint32_t n = BuildSeen(colour);
      // A colour that sees both colours of another cluster is false.
      for (uint32_t i = 0; i < n; ++i)
        for (uint32_t j = i + 1; j < n; ++j) {
          const uint32_t ci = CellColour[gSeenCell[i]], cj = CellColour[gSeenCell[j]];
          if (cj != PartnerColour(ci)) continue;
          for (uint32_t c = 0; c < 81; ++c)
            if (CellColour[c] == colour) QueueIfOpen(c, d);
        }
    }
  }
  if (g.queue.length) FlushEliminations(CodeMultiColoringType1);
  return FinishRoutine(place, KindAuto);
}

uint32_t MultiColoringType2(uint32_t place) {
  ResetQueue();
  for (uint32_t d = 0; d < 9; ++d) {
    const uint32_t next = ColourConjugates(d);
    if (next < 5) continue;  // needs two clusters
    for (uint32_t colour = 1; colour < next; ++colour) {
      if (CountColour(colour) == 0) continue;
      const uint32_t n = BuildSeen(colour);
      // Colour A sees colour C: A' or C' is true, so cells seeing both lose d.
      for (uint32_t i = 0; i < n; ++i) {
        const uint32_t seen = CellColour[gSeenCell[i]];
        bool earlier = false;
        for (uint32_t j = 0; j < i && !earlier; ++j) earlier = CellColour[gSeenCell[j]] == seen;
        if (earlier) continue;
        QueueColourPairPeers(PartnerColour(seen), PartnerColour(colour), d);
      }
    }
  }
  if (g.queue.length) FlushEliminations(CodeMultiColoringType2);
  return FinishRoutine(place, KindAuto);
}

void ReportMedusaContradiction(uint32_t cell, uint32_t d) {
  if (g.settings.candErase != 2) return;
  LogLine(Format("3D Medusa Coloring Contradiction <%u> (%u,%u)", d + 1, ColumnOf(cell) + 1,
                 RowOf(cell) + 1));
}

namespace {

// The cells of one digit marked in MedusaMarked, as bits (cell c is bit c % 64 of word c / 64),
// so that the walks over them pass over the unmarked cells at once.
struct MarkedCells {
  uint64_t word[2];
  void Add(uint32_t c) { word[c / 64] |= uint64_t{1} << (c % 64); }
  // The first marked cell from `from` on, 81 when there is none.
  uint32_t Next(uint32_t from) const {
    if (from < 64) {
      const uint64_t m = word[0] & (~uint64_t{0} << from);
      if (m != 0) return static_cast<uint32_t>(std::countr_zero(m));
      from = 64;
    }
    if (from >= 81) return 81;
    const uint64_t m = word[1] & (~uint64_t{0} << (from - 64));
    return m != 0 ? 64 + static_cast<uint32_t>(std::countr_zero(m)) : 81;
  }
};

// MedusaSpread with the holders of e given per unit and its marked cells as bits, which it
// keeps up to date. A cell marked during the pass is spread in the same pass when it comes
// after the cell that marked it, as a walk over MedusaMarked would meet it.
uint32_t MedusaSpreadHolders(uint32_t e, const uint32_t holders[27], MarkedCells& cells) {
  uint32_t marked = 0;
  for (uint32_t s = cells.Next(0); s < 81; s = cells.Next(s + 1)) {
    const uint32_t k = MedusaColour[s * 9 + e];
    for (uint32_t t = 0; t < 3; ++t) {
      const uint32_t u = UnitOf(t, s);
      const uint32_t others = holders[t * 9 + u] & ~(1u << PositionInUnit(t, s));
      if (std::popcount(others) != 1) continue;
      const uint32_t other = UnitCell(t, u, static_cast<uint32_t>(std::countr_zero(others)));
      const uint32_t idx = other * 9 + e;
      if (!MedusaMarked[idx]) {
        MedusaMarked[idx] = 1;
        cells.Add(other);
        MedusaColour[idx] = 1 - k;
        ++marked;
      } else if (MedusaColour[idx] == k) {
        ReportMedusaContradiction(other, e);
      }
    }
  }
  return marked;
}

}  // namespace

uint32_t MedusaSpread(uint32_t e) {
  uint32_t holders[27];
  LoadUnitHolders(e, holders);
  MarkedCells cells{};
  for (uint32_t c = 0; c < 81; ++c)
    if (MedusaMarked[c * 9 + e]) cells.Add(c);
  return MedusaSpreadHolders(e, holders, cells);
}

uint32_t Medusa3D(uint32_t place) {
  ResetQueue();
  uint32_t holders[9][27];
  for (uint32_t e = 0; e < 9; ++e) LoadUnitHolders(e, holders[e]);
  // MedusaMarked is cleared once here and then, cluster by cluster, where `marked` says.
  for (uint32_t i = 0; i < 81 * 9; ++i) MedusaMarked[i] = 0;
  MarkedCells marked[9] = {};
  for (uint32_t d = 0; d < 9; ++d) {
    const uint32_t next = ColourConjugates(d);
    for (uint32_t colour = 1; colour < next; colour += 2) {  // one cluster: (colour, colour+1)
      for (uint32_t e = 0; e < 9; ++e) {
        for (uint32_t c = marked[e].Next(0); c < 81; c = marked[e].Next(c + 1))
          MedusaMarked[c * 9 + e] = 0;
        marked[e] = {};
      }
      for (uint32_t c = 0; c < 81; ++c) {
        if (CellColour[c] != colour && CellColour[c] != colour + 1) continue;
        MedusaMarked[c * 9 + d] = 1;
        marked[d].Add(c);
        MedusaColour[c * 9 + d] = CellColour[c] == colour ? 1 : 0;
      }
      // Bivalue step: the other candidate of a coloured bivalue cell takes the other colour.
      uint32_t crossed = 0;
      for (uint32_t c = marked[d].Next(0); c < 81; c = marked[d].Next(c + 1)) {
        if (g.cand.count[c] != 2) continue;
        for (uint32_t e = 0; e < 9; ++e) {
          if (e == d || !g.cand.flag[c * 9 + e]) continue;
          MedusaMarked[c * 9 + e] = 1;
          marked[e].Add(c);
          MedusaColour[c * 9 + e] = 1 - MedusaColour[c * 9 + d];
          ++crossed;
          break;
        }
      }
      if (crossed == 0) continue;
      for (uint32_t e = 0; e < 9; ++e)
        if (e != d)
          while (MedusaSpreadHolders(e, holders[e], marked[e]) != 0) {
          }
      for (uint32_t e = 0; e < 9; ++e) {
        if (e == d) continue;
        uint32_t cells[81], n = 0;
        for (uint32_t c = marked[e].Next(0); c < 81; c = marked[e].Next(c + 1)) cells[n++] = c;
        for (uint32_t i = 0; i < n; ++i)
          for (uint32_t j = i + 1; j < n; ++j)
            if (MedusaColour[cells[j] * 9 + e] != MedusaColour[cells[i] * 9 + e])
              QueueCommonPeers(cells[i], cells[j], e);
      }
    }
  }
  if (g.queue.length) FlushEliminations(CodeMedusa3D);
  return FinishRoutine(place, KindAuto);
}

const RoutineEntry kColouringRoutines[] = {
    {"SimpleColoring", SimpleColoring, 1030},
    {"MultiColoringType1", MultiColoringType1, 920},
    {"MultiColoringType2", MultiColoringType2, 930},
    {"Medusa3D", Medusa3D, 935},
    {nullptr, nullptr, 0},
};
