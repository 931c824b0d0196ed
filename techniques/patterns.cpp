// The single-digit patterns (Skyscraper, 2-String Kite, Turbot Fish, Empty Rectangle) and
// W-Wing.
//
// The first three are the chains strong - weak - strong of one digit over four cells,
// A=B-C=D: A or D holds the digit, so it leaves every cell that sees both. Each shape is
// reported under one name only: the Skyscraper has both strong links on parallel lines with
// B and C on one cross line, the 2-String Kite one on a row and one on a column with B and C
// in one box, and the Turbot Fish is every other such chain. Digits are visited in ascending
// order, rows before columns.
#include "techniques/patterns.h"

#include "board/queue.h"
#include "techniques/pattern_common.h"

namespace {

inline uint32_t Lowest(uint32_t m) { return static_cast<uint32_t>(std::countr_zero(m)); }
inline uint32_t Bits(uint32_t m) { return static_cast<uint32_t>(std::popcount(m)); }
// The cell of unit u at the lowest bit of the non-empty unit bits m.
inline uint32_t UnitCellAt(uint32_t u, uint32_t m) { return kUnitCells.cell[u][Lowest(m | 0x100)]; }
inline uint32_t RowUnit(uint32_t cell) { return RowOf(cell); }
inline uint32_t ColumnUnit(uint32_t cell) { return 9 + ColumnOf(cell); }

// The cells of unit u flagged in the unit bits m.
Cells81 UnitCells(uint32_t u, uint32_t m) {
  Cells81 s{0, 0};
  for (; m; m &= m - 1) s = s | OneCell(UnitCellAt(u, m));
  return s;
}

std::string ChainText(uint32_t d, uint32_t a, uint32_t b, uint32_t c, uint32_t e) {
  return Candidate(d, a) + "=" + Candidate(d, b) + "-" + Candidate(d, c) + "=" + Candidate(d, e);
}

// The four-cell chain A=B-C=D of digit d: d leaves the cells that see A and D.
void OfferChainEnds(PatternRun& run, const PatternTable& t, uint32_t d, uint32_t a, uint32_t b,
                    uint32_t c, uint32_t e) {
  BeginPattern(run);
  OfferRemovals(run, t, CommonPeers(a, e), d);
  EndPattern(run, [&] { return ChainText(d, a, b, c, e); });
}

// Exactly two holders of d in the cell's row (column).
inline bool RowLink(const PatternTable& t, uint32_t d, uint32_t a, uint32_t b) {
  return RowOf(a) == RowOf(b) && Bits(t.holders[d][RowUnit(a)]) == 2;
}
inline bool ColumnLink(const PatternTable& t, uint32_t d, uint32_t a, uint32_t b) {
  return ColumnOf(a) == ColumnOf(b) && Bits(t.holders[d][ColumnUnit(a)]) == 2;
}

// Skyscraper: two lines of one kind holding d twice each, sharing exactly one cross line
// (the base); both other ends (the roof) cannot be without d.
void SkyscraperDigit(PatternRun& run, const PatternTable& t, uint32_t d) {
  for (uint32_t kind = 0; kind < 2; ++kind)
    for (uint32_t l1 = 0; l1 < 9; ++l1) {
      const uint32_t u1 = kind * 9 + l1, h1 = t.holders[d][u1];
      if (Bits(h1) != 2) continue;
      for (uint32_t l2 = l1 + 1; l2 < 9; ++l2) {
        const uint32_t u2 = kind * 9 + l2, h2 = t.holders[d][u2];
        if (Bits(h2) != 2 || Bits(h1 & h2) != 1) continue;
        const uint32_t base = Lowest(h1 & h2);
        const uint32_t roof1 = UnitCellAt(u1, h1 & ~(1u << base));
        const uint32_t roof2 = UnitCellAt(u2, h2 & ~(1u << base));
        OfferChainEnds(run, t, d, roof1, kUnitCells.cell[u1][base], kUnitCells.cell[u2][base],
                       roof2);
      }
    }
}

// The kite shape: A=B on a row, C=D on a column, B and C distinct in one box that holds
// neither A nor D, and no cell on both links.
bool KiteShape(const PatternTable& t, uint32_t d, uint32_t a, uint32_t b, uint32_t c,
               uint32_t e) {
  if (!RowLink(t, d, a, b) || !ColumnLink(t, d, c, e)) return false;
  if (b == c || ColumnOf(b) == ColumnOf(c) || RowOf(c) == RowOf(b)) return false;
  const uint32_t box = BlockOf(b);
  return BlockOf(c) == box && BlockOf(a) != box && BlockOf(e) != box;
}

void TwoStringKiteDigit(PatternRun& run, const PatternTable& t, uint32_t d) {
  for (uint32_t r = 0; r < 9; ++r) {
    const uint32_t hr = t.holders[d][r];
    if (Bits(hr) != 2) continue;
    for (uint32_t col = 0; col < 9; ++col) {
      const uint32_t hc = t.holders[d][9 + col];
      if (Bits(hc) != 2) continue;
      for (uint32_t bs = hr; bs; bs &= bs - 1)
        for (uint32_t cs = hc; cs; cs &= cs - 1) {
          const uint32_t bBit = bs & (0u - bs), cBit = cs & (0u - cs);
          const uint32_t b = CellAt(r, Lowest(bBit)), a = CellAt(r, Lowest(hr & ~bBit));
          const uint32_t c = CellAt(Lowest(cBit), col), e = CellAt(Lowest(hc & ~cBit), col);
          if (KiteShape(t, d, a, b, c, e)) OfferChainEnds(run, t, d, a, b, c, e);
        }
    }
  }
}

bool SkyscraperShape(const PatternTable& t, uint32_t d, uint32_t a, uint32_t b, uint32_t c,
                     uint32_t e) {
  return (RowLink(t, d, a, b) && RowLink(t, d, c, e) && ColumnOf(b) == ColumnOf(c)) ||
         (ColumnLink(t, d, a, b) && ColumnLink(t, d, c, e) && RowOf(b) == RowOf(c));
}

// Turbot Fish: any two strong links of d (rows, columns or boxes) joined by B seeing C, that
// is neither a Skyscraper (nor the X-Wing shape it leaves to the fish) nor a 2-String Kite.
// Each chain is taken once, from the end with the lower cell index.
void TurbotFishDigit(PatternRun& run, const PatternTable& t, uint32_t d) {
  uint32_t first[27], second[27], links = 0;
  for (uint32_t u = 0; u < 27; ++u) {
    const uint32_t h = t.holders[d][u];
    if (Bits(h) != 2) continue;
    const uint32_t x = UnitCellAt(u, h), y = UnitCellAt(u, h & (h - 1));
    bool known = false;
    for (uint32_t i = 0; i < links && !known; ++i)
      known = (first[i] == x && second[i] == y) || (first[i] == y && second[i] == x);
    if (known) continue;
    first[links] = x;
    second[links] = y;
    ++links;
  }
  for (uint32_t i = 0; i < links; ++i)
    for (uint32_t j = 0; j < links; ++j) {
      if (i == j) continue;
      for (uint32_t oi = 0; oi < 2; ++oi)
        for (uint32_t oj = 0; oj < 2; ++oj) {
          const uint32_t a = oi ? second[i] : first[i], b = oi ? first[i] : second[i];
          const uint32_t c = oj ? second[j] : first[j], e = oj ? first[j] : second[j];
          if (a >= e || a == c || b == c || b == e || !Sees(b, c)) continue;
          if (SkyscraperShape(t, d, a, b, c, e) || KiteShape(t, d, a, b, c, e) ||
              KiteShape(t, d, e, c, b, a))
            continue;
          OfferChainEnds(run, t, d, a, b, c, e);
        }
    }
}

// Empty Rectangle: in a box, d lies only on one row R and one column C of the box, with a
// holder on R off C and one on C off R. A strong link of d in a column outside the box's
// stack with one end on R takes d from its other end's row at C (a strong link in a row
// outside the band with one end on C: from its other end's column at R): if the target held
// d, the box's d would be on R only, which the link's end on R sees.
void EmptyRectangleDigit(PatternRun& run, const PatternTable& t, uint32_t d) {
  for (uint32_t box = 0; box < 9; ++box) {
    const uint32_t held = t.holders[d][18 + box];
    if (Bits(held) < 2) continue;
    const uint32_t band = box / 3 * 3, stack = box % 3 * 3;
    for (uint32_t i = 0; i < 3; ++i)
      for (uint32_t j = 0; j < 3; ++j) {
        const uint32_t rowBits = 7u << (3 * i), columnBits = 0x49u << j;
        if ((held & ~(rowBits | columnBits)) != 0) continue;
        const uint32_t rowOnly = held & rowBits & ~columnBits,
                       columnOnly = held & columnBits & ~rowBits;
        if (rowOnly == 0 || columnOnly == 0) continue;
        const uint32_t row = band + i, column = stack + j;
        const uint32_t unit = 18 + box;
        // Strong link in a column outside the stack.
        for (uint32_t c2 = 0; c2 < 9; ++c2) {
          if (c2 / 3 == box % 3) continue;
          const uint32_t h = t.holders[d][9 + c2];
          if (Bits(h) != 2 || (h >> row & 1) == 0) continue;
          const uint32_t r2 = Lowest(h & ~(1u << row));
          if (r2 / 3 * 3 == band) continue;
          BeginPattern(run);
          OfferRemoval(run, t, CellAt(r2, column), d);
          EndPattern(run, [&] {
            return Candidate(d, CellAt(r2, c2)) + "=" + Candidate(d, CellAt(row, c2)) + "-" +
                   GroupCandidate(d, UnitCells(unit, rowOnly)) + "=" +
                   GroupCandidate(d, UnitCells(unit, held & columnBits));
          });
        }
        // Strong link in a row outside the band.
        for (uint32_t r2 = 0; r2 < 9; ++r2) {
          if (r2 / 3 * 3 == band) continue;
          const uint32_t h = t.holders[d][r2];
          if (Bits(h) != 2 || (h >> column & 1) == 0) continue;
          const uint32_t c2 = Lowest(h & ~(1u << column));
          if (c2 / 3 * 3 == stack) continue;
          BeginPattern(run);
          OfferRemoval(run, t, CellAt(row, c2), d);
          EndPattern(run, [&] {
            return Candidate(d, CellAt(r2, c2)) + "=" + Candidate(d, CellAt(r2, column)) + "-" +
                   GroupCandidate(d, UnitCells(unit, columnOnly)) + "=" +
                   GroupCandidate(d, UnitCells(unit, held & rowBits));
          });
        }
      }
  }
}

// W-Wing: two bivalue cells {x, y} that do not see each other, joined by a strong link of y
// (one end seeing each cell): one of them holds x, so x leaves the cells seeing both.
void WWingScan(PatternRun& run, const PatternTable& t) {
  uint32_t cells[81], n = 0;
  for (uint32_t c = 0; c < 81; ++c)
    if (Contains(t.open, c) && Bits(t.mask[c]) == 2) cells[n++] = c;
  for (uint32_t i = 0; i < n; ++i)
    for (uint32_t k = i + 1; k < n; ++k) {
      const uint32_t p = cells[i], q = cells[k];
      if (t.mask[p] != t.mask[q] || Sees(p, q)) continue;
      for (uint32_t ys = t.mask[p]; ys; ys &= ys - 1) {
        const uint32_t y = Lowest(ys), x = Lowest(t.mask[p] & ~(1u << y));
        for (uint32_t u = 0; u < 27; ++u) {
          const uint32_t h = t.holders[y][u];
          if (Bits(h) != 2) continue;
          uint32_t y1 = UnitCellAt(u, h), y2 = UnitCellAt(u, h & (h - 1));
          if (y1 == p || y1 == q || y2 == p || y2 == q) continue;
          if (!(Sees(p, y1) && Sees(q, y2))) {
            if (!(Sees(p, y2) && Sees(q, y1))) continue;
            const uint32_t swap = y1;
            y1 = y2;
            y2 = swap;
          }
          BeginPattern(run);
          OfferRemovals(run, t, CommonPeers(p, q), x);
          EndPattern(run, [&] {
            return Format("(%u=%u)", x + 1, y + 1) + CellName(p) + "-" + Candidate(y, y1) + "=" +
                   Candidate(y, y2) + "-" + Format("(%u=%u)", y + 1, x + 1) + CellName(q);
          });
          break;  // other links of y give the same removals
        }
      }
    }
}

using DigitScan = void (*)(PatternRun& run, const PatternTable& t, uint32_t d);

uint32_t RunDigits(DigitScan scan, uint32_t code, uint32_t place) {
  PatternTable t;
  LoadPatternTable(t);
  PatternRun run;
  BeginRun(run);
  for (uint32_t d = 0; d < 9; ++d) scan(run, t, d);
  return FinishPatternRoutine(code, place);
}

}  // namespace

uint32_t Skyscraper(uint32_t place) { return RunDigits(SkyscraperDigit, CodeSkyscraper, place); }
uint32_t TwoStringKite(uint32_t place) {
  return RunDigits(TwoStringKiteDigit, CodeTwoStringKite, place);
}
uint32_t TurbotFish(uint32_t place) { return RunDigits(TurbotFishDigit, CodeTurbotFish, place); }
uint32_t EmptyRectangle(uint32_t place) {
  return RunDigits(EmptyRectangleDigit, CodeEmptyRectangle, place);
}
uint32_t WWing(uint32_t place) {
  PatternTable t;
  LoadPatternTable(t);
  PatternRun run;
  BeginRun(run);
  WWingScan(run, t);
  return FinishPatternRoutine(CodeWWing, place);
}
