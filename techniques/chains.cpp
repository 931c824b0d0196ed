// Chains: X-cycle, the XY-chain rectangle, the XY-chain walk and Remote Pairs.
//
// A strong link (the only two holders of a digit in a unit) says "at least one of the two";
// a weak link (two holders among more) says "at most one". Loops that alternate them pin the
// truth of every cell on them; the routines below remove what those loops rule out.
#include <bit>
#include <cstring>

#include "board/candidates.h"
#include "board/queue.h"
#include "board/state.h"
#include "techniques/colouring.h"
#include "techniques/quiet_digits.h"
#include "techniques/techniques.h"

uint32_t RowStrong[81], ColumnStrong[81], BoxStrong[81];
uint32_t RowWeak[81], ColumnWeak[81], BoxWeak[81];
uint32_t CyclePath[kCyclePathCapacity];
uint32_t CycleLinkType[kCyclePathCapacity];
uint32_t CyclePathOverflows = 0;
uint32_t PairFirst[81], PairSecond[81];
uint32_t PairColourCount = 0;

namespace {

inline bool Bivalue(uint32_t c) { return g.cand.count[c] == 2; }
inline uint32_t Digit(uint32_t bit) { return static_cast<uint32_t>(std::countr_zero(bit)); }
inline uint32_t UnitOf(uint32_t t, uint32_t c) {
  return t == 0 ? RowOf(c) : t == 1 ? ColumnOf(c) : BlockOf(c);
}
inline uint32_t* StrongTable(uint32_t t) {
  return t == 0 ? RowStrong : t == 1 ? ColumnStrong : BoxStrong;
}
inline uint32_t* WeakTable(uint32_t t) { return t == 0 ? RowWeak : t == 1 ? ColumnWeak : BoxWeak; }
inline bool DetailedLog() { return g.settings.candErase == 2; }

// The two digits of a bivalue cell (lower first); false when the cell is not bivalue.
bool PairOf(uint32_t c, uint32_t& lo, uint32_t& hi) {
  if (!Bivalue(c)) return false;
  uint32_t n = 0;
  for (uint32_t d = 0; d < 9; ++d)
    if (g.cand.flag[c * 9 + d]) (n++ == 0 ? lo : hi) = d;
  return n == 2;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Strong and weak links, X-cycle
// ---------------------------------------------------------------------------------------

uint32_t MarkStrongLinks(uint32_t d) {
  for (uint32_t c = 0; c < 81; ++c)
    CellColour[c] = LinkMask[c] = RowStrong[c] = ColumnStrong[c] = BoxStrong[c] = 0;
  uint32_t holders[27];
  LoadUnitHolders(d, holders);
  uint32_t marks = 0;
  for (uint32_t t = 0; t < 3; ++t)
    for (uint32_t u = 0; u < 9; ++u) {
      const uint32_t h = holders[t * 9 + u];
      if (std::popcount(h) != 2) continue;
      const uint32_t cells[2] = {UnitCell(t, u, Digit(h)), UnitCell(t, u, Digit(h & (h - 1)))};
      for (uint32_t c : cells) LinkMask[c] = StrongTable(t)[c] = 1;
      marks += 2;
    }
  return marks;
}

void MarkWeakLinks() {
  for (uint32_t c = 0; c < 81; ++c) RowWeak[c] = ColumnWeak[c] = BoxWeak[c] = 0;
  for (uint32_t t = 0; t < 3; ++t)
    for (uint32_t u = 0; u < 9; ++u) {
      uint32_t marked = 0;
      bool strong = false;
      for (uint32_t k = 0; k < 9 && !strong; ++k) {
        const uint32_t c = UnitCell(t, u, k);
        if (!LinkMask[c]) continue;
        if (StrongTable(t)[c]) strong = true;  // a strong unit carries no weak links
        ++marked;
      }
      if (strong || marked < 2) continue;
      for (uint32_t k = 0; k < 9; ++k) {
        const uint32_t c = UnitCell(t, u, k);
        if (LinkMask[c]) WeakTable(t)[c] = 1;
      }
    }
}

namespace {

// The links of one digit as the cycle search reads them: per cell, bit t of strong / weak
// where a strong / weak link leaves it through its unit of type t (0 row, 1 column, 2 box),
// and the first marked cell of that unit other than the cell itself (81 when none).
struct CycleLinks {
  uint8_t strong[81];
  uint8_t weak[81];
  uint8_t target[81][3];
};

// Fills the target of every cell from LinkMask.
void FindLinkTargets(CycleLinks& x) {
  for (uint32_t c = 0; c < 81; ++c)
    for (uint32_t t = 0; t < 3; ++t) {
      const uint32_t u = UnitOf(t, c);
      uint32_t target = 81;
      for (uint32_t k = 0; k < 9 && target == 81; ++k) {
        const uint32_t o = UnitCell(t, u, k);
        if (o != c && LinkMask[o]) target = o;
      }
      x.target[c][t] = static_cast<uint8_t>(target);
    }
}

// The cycle search from a marked cell over the given links. Each position tries the unit
// kinds (row, column, box) in turn after the kind it tried there last, never the kind it was
// entered by; at an odd position it takes a weak link of the lowest such kind while the cell
// has one, and only then strong links. A position keeps the kind it tried last even when it is
// abandoned and later reached by another cell.
uint32_t SearchCycle(const CycleLinks& x, uint32_t start) {
  for (uint32_t i = 0; i < kCyclePathCapacity; ++i) CycleLinkType[i] = 0;
  CyclePath[0] = start;
  CellSet onPath;  // the cells at positions 1..pos
  uint32_t pos = 0;
  for (;;) {
    const uint32_t cell = CyclePath[pos];
    const uint32_t entered = pos == 0 ? 0 : 1u << (CycleLinkType[pos - 1] % 4 - 1);
    const bool weakPosition = (pos & 1) != 0;
    bool advanced = false;
    // A refused step keeps that option's type and the same position tries again.
    for (;;) {
      const uint32_t kinds = (7u << CycleLinkType[pos] % 4) & 7 & ~entered;
      uint32_t type = 0;
      if (weakPosition && (x.weak[cell] & kinds) != 0)
        type = 5 + static_cast<uint32_t>(std::countr_zero(x.weak[cell] & kinds));
      else if ((x.strong[cell] & kinds) != 0)
        type = 1 + static_cast<uint32_t>(std::countr_zero(x.strong[cell] & kinds));
      if (type == 0) break;
      CycleLinkType[pos] = type;
      const uint32_t next = x.target[cell][type % 4 - 1];
      if (next == start) return pos + 1;
      if (next > 80 || onPath.Has(next)) continue;
      if (pos + 1 >= kCyclePathCapacity) {  // the path is full: refused like a revisit
        ++CyclePathOverflows;
        continue;
      }
      CyclePath[++pos] = next;
      onPath.Add(next);
      advanced = true;
      break;
    }
    if (advanced) continue;
    if (pos == 0) return 0;
    onPath.Remove(CyclePath[pos]);
    --pos;  // abandon this position; the previous one tries its next allowed option
  }
}

}  // namespace

uint32_t FindXCycle(uint32_t start) {
  for (uint32_t i = 0; i < kCyclePathCapacity; ++i) CycleLinkType[i] = 0;
  if (start > 80 || !LinkMask[start]) return 0;
  CycleLinks x{};  // every cell written below; zeroed so that a missed cell reads as unlinked
  for (uint32_t c = 0; c < 81; ++c) {
    x.strong[c] = static_cast<uint8_t>((RowStrong[c] != 0) | (ColumnStrong[c] != 0) << 1 |
                                       (BoxStrong[c] != 0) << 2);
    x.weak[c] = static_cast<uint8_t>((RowWeak[c] != 0) | (ColumnWeak[c] != 0) << 1 |
                                     (BoxWeak[c] != 0) << 2);
  }
  FindLinkTargets(x);
  return SearchCycle(x, start);
}

void QueueWeakLinkUnit(uint32_t a, uint32_t b, uint32_t d) {
  uint32_t t;
  if (RowOf(a) == RowOf(b))
    t = 0;
  else if (ColumnOf(a) == ColumnOf(b))
    t = 1;
  else if (BlockOf(a) == BlockOf(b))
    t = 2;
  else
    return;
  const uint32_t u = UnitOf(t, a);
  for (uint32_t k = 0; k < 9; ++k) {
    const uint32_t c = UnitCell(t, u, k);
    if (c == a || c == b || g.cand.count[c] < 2 || !g.cand.flag[c * 9 + d]) continue;
    QueueElimination(c, d);
    return;
  }
}

namespace {

// The strong and weak links of digit d as MarkStrongLinks and MarkWeakLinks mark them, and
// the marked cells. False, with the tables left unfilled, when the digit has fewer than two
// strong units or no weak one: then no cycle with a weak link exists.
bool BuildCycleLinks(uint32_t d, CycleLinks& x, CellSet& marked) {
  uint32_t holders[27];
  LoadUnitHolders(d, holders);
  marked = CellSet{};
  uint32_t strong = 0;  // bit per unit
  for (uint32_t unit = 0; unit < 27; ++unit) {
    const uint32_t h = holders[unit];
    if (std::popcount(h) != 2) continue;
    marked.Add(UnitCell27(unit, Digit(h)));
    marked.Add(UnitCell27(unit, Digit(h & (h - 1))));
    strong |= 1u << unit;
  }
  if (std::popcount(strong) < 2) return false;
  uint32_t weak = 0;  // units other than the strong ones holding two or more marked cells
  for (uint32_t unit = 0; unit < 27; ++unit)
    if ((strong >> unit & 1) == 0 && (kUnitCellSets.unit[unit] & marked).Count() >= 2)
      weak |= 1u << unit;
  if (weak == 0) return false;
  std::memset(x.strong, 0, sizeof x.strong);
  std::memset(x.weak, 0, sizeof x.weak);
  for (uint32_t units = strong | weak; units != 0; units &= units - 1) {
    const uint32_t unit = Digit(units), t = unit / 9;
    const uint8_t bit = static_cast<uint8_t>(1u << t);
    uint8_t* links = (strong >> unit & 1) != 0 ? x.strong : x.weak;
    // The first cell points to the second, every other cell to the first.
    uint32_t first = 81;
    for (CellSet cells = kUnitCellSets.unit[unit] & marked; !cells.Empty();) {
      const uint32_t c = cells.TakeFirst();
      if (first == 81) {
        first = c;
        x.target[c][t] = static_cast<uint8_t>(cells.First());
      } else {
        x.target[c][t] = static_cast<uint8_t>(first);
      }
      links[c] |= bit;
    }
  }
  return true;
}

// The X-cycles of digit d, queued as they are found.
void XCycleDigit(uint32_t d) {
  CycleLinks x;
  CellSet marked;
  if (!BuildCycleLinks(d, x, marked)) return;
  for (CellSet starts = marked; !starts.Empty();) {
    const uint32_t start = starts.TakeFirst();
    const uint32_t links = SearchCycle(x, start);
    if (links < 3) continue;
    bool weak = false;
    for (uint32_t i = 1; i < links; ++i) weak = weak || CycleLinkType[i] >= 5;
    if (!weak) continue;
    if (DetailedLog())
      LogLine(Format("☆候補[%u]でX-cycleが(%u,%u)から%u連鎖しました", d + 1,
                     ColumnOf(start) + 1, RowOf(start) + 1, links));
    if (links & 1) {
      // Both links at the start are strong: the start holds d, its other digits go.
      if (g.cand.count[start] < 2) continue;
      for (uint32_t e = 0; e < 9; ++e)
        if (e != d && g.cand.flag[start * 9 + e]) {
          QueueElimination(start, e);
          break;
        }
    } else {
      for (uint32_t i = 1; i < links; ++i)
        if (CycleLinkType[i] >= 5)
          QueueWeakLinkUnit(CyclePath[i], CyclePath[(i + 1) % links], d);
    }
  }
}

}  // namespace

uint32_t XCycle(uint32_t place) {
  static QuietDigits memo;
  ResetQueue();
  QuietDigitScan scan(memo);
  for (uint32_t d = 0; d < 9; ++d) {
    if (scan.Skip(d)) continue;
    XCycleDigit(d);
  }
  scan.Settle();
  if (g.queue.length) FlushEliminations(CodeXCycle);
  return FinishRoutine(place, KindAuto);
}

// ---------------------------------------------------------------------------------------
// XY-chain
// ---------------------------------------------------------------------------------------

uint32_t XYChain(uint32_t place) {
  ResetQueue();
  auto queueOpen = [](uint32_t c, uint32_t d) {
    if (g.cand.count[c] >= 2) QueueElimination(c, d);
  };
  uint32_t mask[81];
  LoadCellMasks(mask);
  // The candidate mask of every bivalue cell, 0 for the others.
  uint32_t pair[81];
  uint32_t pairs = 0;
  for (uint32_t c = 0; c < 81; ++c) {
    pair[c] = Bivalue(c) ? mask[c] : 0;
    pairs += pair[c] != 0;
  }
  if (pairs < 4) return FinishRoutine(place, KindAuto);
  for (uint32_t r1 = 0; r1 < 6; ++r1)
    for (uint32_t c1 = 0; c1 < 6; ++c1) {
      const uint32_t mA = pair[CellAt(r1, c1)];
      if (mA == 0) continue;
      for (uint32_t r2 = (r1 / 3 + 1) * 3; r2 < 9; ++r2) {
        // B shares exactly one digit s with A; a and x are their other digits.
        const uint32_t mB = pair[CellAt(r2, c1)];
        const uint32_t sBit = mA & mB;
        if (mB == 0 || std::popcount(sBit) != 1) continue;
        const uint32_t aBit = mA & ~sBit, xBit = mB & ~sBit;
        for (uint32_t c2 = (c1 / 3 + 1) * 3; c2 < 9; ++c2) {
          const uint32_t mC = pair[CellAt(r1, c2)], mD = pair[CellAt(r2, c2)];
          if (mC == 0 || (mD & xBit) == 0) continue;
          const uint32_t yBit = mD & ~xBit;
          // C must be exactly {a, y} with y != a: a looser corner breaks the loop.
          if (yBit == aBit || mC != (aBit | yBit)) continue;
          const uint32_t s = Digit(sBit), a = Digit(aBit), x = Digit(xBit), y = Digit(yBit);
          for (uint32_t col = 0; col < 9; ++col) {
            if (col == c1 || col == c2) continue;
            queueOpen(CellAt(r1, col), a);
            queueOpen(CellAt(r2, col), x);
          }
          for (uint32_t row = 0; row < 9; ++row) {
            if (row == r1 || row == r2) continue;
            queueOpen(CellAt(row, c1), s);
            queueOpen(CellAt(row, c2), y);
          }
        }
      }
    }
  if (g.queue.length) FlushEliminations(CodeXYChain);
  return FinishRoutine(place, KindAuto);
}

namespace {

// The cell `steps` steps from start along the next pointers in CellColour.
uint32_t WalkedCell(uint32_t start, uint32_t steps) {
  uint32_t c = start;
  for (uint32_t i = 0; i < steps && c < 81; ++i) c = CellColour[c];
  return c;
}

}  // namespace

uint32_t NextChainCell(uint32_t start, uint32_t steps, uint32_t linkDigit,
                       uint32_t previousDigit) {
  const uint32_t cur = WalkedCell(start, steps);
  if (cur > 80) return 81;
  for (uint32_t t = 0; t < 3; ++t) {
    const uint32_t u = UnitOf(t, cur);
    for (uint32_t k = 0; k < 9; ++k) {
      const uint32_t n = UnitCell(t, u, k);
      uint32_t lo = 0, hi = 0;
      if (n == cur || !PairOf(n, lo, hi)) continue;
      if (lo != linkDigit && hi != linkDigit) continue;
      const uint32_t other = lo == linkDigit ? hi : lo;
      if (other == previousDigit) continue;
      if (steps == 1 && n == start) continue;
      bool walked = false;
      for (uint32_t i = 1; i < steps && !walked; ++i) walked = WalkedCell(start, i) == n;
      if (walked) continue;
      return n;
    }
  }
  return 81;
}

void QueueChainLoop(uint32_t start, uint32_t steps) {
  uint32_t c = start;
  for (uint32_t i = 0; i < steps; ++i) {
    const uint32_t n = CellColour[c];
    if (c > 80 || n > 80) return;
    uint32_t x = 9;
    for (uint32_t d = 0; d < 9 && x == 9; ++d)
      if (g.cand.flag[c * 9 + d] && g.cand.flag[n * 9 + d]) x = d;
    if (x < 9)
      for (uint32_t t = 0; t < 3; ++t) {
        if (UnitOf(t, c) != UnitOf(t, n)) continue;
        for (uint32_t k = 0; k < 9; ++k) {
          const uint32_t o = UnitCell(t, UnitOf(t, c), k);
          if (o != c && o != n && g.cand.count[o] >= 2 && g.cand.flag[o * 9 + x])
            QueueElimination(o, x);
        }
      }
    c = n;
  }
}

uint32_t XYChainCheck(uint32_t place) {
  ResetQueue();
  for (uint32_t c = 0; c < 81; ++c) CellColour[c] = 0;
  for (uint32_t s = 0; s < 81; ++s) {
    uint32_t lo = 0, hi = 0;
    if (!PairOf(s, lo, hi)) continue;
    for (uint32_t walk = 0; walk < 2; ++walk) {
      const uint32_t first = walk == 0 ? lo : hi, second = walk == 0 ? hi : lo;
      uint32_t link = first, previous = second, steps = 0, cur = s;
      for (;;) {
        const uint32_t n = NextChainCell(s, steps, link, previous);
        if (n > 80) break;
        CellColour[cur] = n;
        uint32_t nlo = 0, nhi = 0;
        PairOf(n, nlo, nhi);
        previous = link;
        link = nlo == link ? nhi : nlo;
        ++steps;
        cur = n;
        if (cur == s) break;
      }
      const bool back = cur == s;
      if (steps >= 4 && back && previous == second) QueueChainLoop(s, steps);
      if (steps > 1 && back && previous == first && g.cand.count[s] >= 2 &&
          g.cand.flag[s * 9 + first])
        QueueElimination(s, first);
      if (steps > 1 && !back && previous == second) {
        const uint32_t p = WalkedCell(s, steps - 1);
        QueueCommonPeers(p, s, second);
        if (DetailedLog()) {
          LogLine(Format("※XY-chainが(%u,%u)から(%u,%u)へ不連続%u連鎖しました[%u]",
                         ColumnOf(s) + 1, RowOf(s) + 1, ColumnOf(p) + 1, RowOf(p) + 1, steps,
                         second + 1));
          for (uint32_t i = 0; i < steps; ++i) {
            const uint32_t w = WalkedCell(s, i);
            LogLine(Format("　XY-chain(%u,%u)", ColumnOf(w) + 1, RowOf(w) + 1));
          }
        }
      }
    }
  }
  if (g.queue.length) FlushEliminations(CodeXYChain);
  return FinishRoutine(place, KindAuto);
}

// ---------------------------------------------------------------------------------------
// Remote pairs
// ---------------------------------------------------------------------------------------

uint32_t ColourRemotePairs(uint32_t v, uint32_t colourA, uint32_t colourB) {
  if (v > 80 || !LinkMask[v]) return 0;
  // The marked cells of v's pair per unit, bit k for the unit's k-th cell.
  uint32_t same[27] = {};
  for (uint32_t c = 0; c < 81; ++c) {
    if (!LinkMask[c] || PairFirst[c] != PairFirst[v] || PairSecond[c] != PairSecond[v]) continue;
    const uint32_t r = RowOf(c), col = ColumnOf(c);
    same[r] |= 1u << col;
    same[9 + col] |= 1u << r;
    same[18 + BlockOf(c)] |= 1u << (r % 3 * 3 + col % 3);
  }
  uint32_t coloured = 0;
  for (uint32_t unit = 0; unit < 27; ++unit) {
    // The unit's first two such cells.
    const uint32_t m = same[unit];
    if (std::popcount(m) < 2) continue;
    const uint32_t first = static_cast<uint32_t>(std::countr_zero(m));
    const uint32_t second = static_cast<uint32_t>(std::countr_zero(m & (m - 1)));
    uint32_t& f = CellColour[UnitCell27(unit, first)];
    uint32_t& s = CellColour[UnitCell27(unit, second)];
    if (f == colourA && s == 0) {
      s = colourB;
    } else if (f == colourB && s == 0) {
      s = colourA;
    } else if (s == colourA && f == 0) {
      f = colourB;
    } else if (s == colourB && f == 0) {
      f = colourA;
    } else {
      continue;
    }
    ++coloured;
  }
  PairColourCount += coloured;
  return coloured != 0;
}

uint32_t RemotePairs(uint32_t place) {
  ResetQueue();
  CellSet open;
  bool openKnown = false;
  uint32_t mask[81];
  LoadCellMasks(mask);
  CellSet live;  // bivalue cells not yet taken by a colouring
  for (uint32_t c = 0; c < 81; ++c)
    if (Bivalue(c) && std::popcount(mask[c]) == 2) live.Add(c);
  for (uint32_t v = live.First(); v < 81; v = live.NextFrom(v + 1)) {
    // Cells of v's pair; every unit holding two or more links its first two.
    CellSet same;
    for (CellSet cells = live; !cells.Empty();) {
      const uint32_t c = cells.TakeFirst();
      if (mask[c] == mask[v]) same.Add(c);
    }
    if (same.Count() < 2) {  // nothing to colour
      live.Remove(v);
      continue;
    }
    uint8_t linked[27][2];
    uint32_t links = 0;
    for (uint32_t unit = 0; unit < 27; ++unit) {
      CellSet cells = kUnitCellSets.unit[unit] & same;
      if (cells.Count() < 2) continue;
      linked[links][0] = static_cast<uint8_t>(cells.TakeFirst());
      linked[links][1] = static_cast<uint8_t>(cells.First());
      ++links;
    }
    // Colour along the links, unit by unit, until a pass colours nothing.
    CellSet colour[3];  // colour[1], colour[2]: the two colours
    colour[1].Add(v);
    auto colourOf = [&](uint32_t c) {
      return colour[1].Has(c) ? 1u : colour[2].Has(c) ? 2u : 0u;
    };
    for (bool coloured = links != 0; coloured;) {
      coloured = false;
      for (uint32_t i = 0; i < links; ++i) {
        const uint32_t f = linked[i][0], s = linked[i][1];
        const uint32_t fc = colourOf(f), sc = colourOf(s);
        if (fc != 0 && sc == 0) {
          colour[3 - fc].Add(s);
        } else if (sc != 0 && fc == 0) {
          colour[3 - sc].Add(f);
        } else {
          continue;
        }
        coloured = true;
      }
    }
    const CellSet cluster = colour[1] | colour[2];
    live = live.Without(cluster);
    if (cluster.Count() == 1) continue;
    if (!openKnown) open = OpenCellSet();
    openKnown = true;
    const uint32_t p = Digit(mask[v]), q = Digit(mask[v] & (mask[v] - 1));
    for (CellSet as = cluster; !as.Empty();) {
      const uint32_t a = as.TakeFirst();
      for (CellSet bs = as & colour[3 - colourOf(a)]; !bs.Empty();) {
        const uint32_t b = bs.TakeFirst();
        QueueCommonPeers(a, b, p, open);
        QueueCommonPeers(a, b, q, open);
      }
    }
  }
  if (g.queue.length) FlushEliminations(CodeRemotePairs);
  return FinishRoutine(place, KindAuto);
}

const RoutineEntry kChainRoutines[] = {
    {"XCycle", XCycle, 1140},
    {"XYChain", XYChain, 1040},
    // The XY-chain walk; its command (1045) belongs to the drivers.
    {"XYChainCheck", XYChainCheck, 1045},
    {"RemotePairs", RemotePairs, 1050},
    {nullptr, nullptr, 0},
};
