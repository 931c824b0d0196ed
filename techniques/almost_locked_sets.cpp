// Almost-locked-set family: ALS-XZ (four line cells holding five digits, linked to a bivalue
// cell), Aligned Pair Exclusion and Death Blossom.
#include "techniques/almost_locked_sets.h"

#include <bit>

#include "board/candidates.h"
#include "board/queue.h"
#include "board/state.h"
#include "techniques/techniques.h"

namespace {

inline uint32_t Count(uint32_t cell) { return g.cand.count[cell]; }

// Per cell its row, column, box and position in the box.
struct CellPlaceTable {
  uint8_t row[81], column[81], box[81], boxPosition[81];
};
constexpr CellPlaceTable MakeCellPlaces() {
  CellPlaceTable t{};
  for (uint32_t c = 0; c < 81; ++c) {
    t.row[c] = static_cast<uint8_t>(c / 9);
    t.column[c] = static_cast<uint8_t>(c % 9);
    t.box[c] = static_cast<uint8_t>(c / 27 * 3 + c % 9 / 3);
    t.boxPosition[c] = static_cast<uint8_t>(c / 9 % 3 * 3 + c % 3);
  }
  return t;
}
constexpr CellPlaceTable kCellPlace = MakeCellPlaces();

inline void QueueOpen(uint32_t cell, uint32_t d) {
  if (Count(cell) >= 2) QueueElimination(cell, d);
}

// ALS-XZ entries carry witnesses: first the group cell holding y, second Z, third W. Entries
// beyond the 64 witness rows are refused by the queue, so no column is ever overrun and every
// logged entry can print its witnesses.
inline void QueueWitnessed(uint32_t cell, uint32_t d, uint32_t w1, uint32_t w2, uint32_t w3) {
  if (Count(cell) >= 2) QueueEliminationWitness(cell, d, w1, w2, w3);
}

// Candidate masks of all cells, taken once per ALS-XZ run (the scan removes nothing); per box
// the positions of its cells of two candidates, and per digit z the other digits of those
// holding z.
uint32_t alsMask[81];
uint32_t alsBoxPairs[9];
uint16_t alsPairedWith[9][9];

// One ALS-XZ group: four cells of a line (vertical: a column, horizontal: a row), of two to
// five candidates and five digits together.
void AlsGroup(bool vertical, const uint32_t t[4]) {
  uint32_t mask[4], all = 0;
  for (uint32_t i = 0; i < 4; ++i) {
    mask[i] = alsMask[t[i]];
    all |= mask[i];
  }
  auto inGroup = [&](uint32_t cell) {
    return cell == t[0] || cell == t[1] || cell == t[2] || cell == t[3];
  };
  // The digits held by exactly one cell of the group.
  uint32_t once = 0, twice = 0;
  for (uint32_t i = 0; i < 4; ++i) {
    twice |= once & mask[i];
    once |= mask[i];
  }
  once &= ~twice;
  for (uint32_t zs = once; zs; zs &= zs - 1) {
    const uint32_t z = static_cast<uint32_t>(std::countr_zero(zs));
    uint32_t zi = 0;
    while (!(mask[zi] >> z & 1)) ++zi;
    const uint32_t zc = t[zi];
    const uint32_t box = kCellPlace.box[zc];
    for (uint32_t ys = all & ~(1u << z) & alsPairedWith[box][z]; ys; ys &= ys - 1) {
      const uint32_t y = static_cast<uint32_t>(std::countr_zero(ys));
      const bool ySole = once >> y & 1;
      const uint32_t pair = 1u << z | 1u << y;
      for (uint32_t ks = alsBoxPairs[box]; ks; ks &= ks - 1) {
        const uint32_t w = kUnitCells.cell[18 + box][std::countr_zero(ks)];
        if ((alsMask[w] & pair) != pair || inGroup(w)) continue;
        if (vertical) {
          const uint32_t c = ColumnOf(zc), band = RowOf(zc) / 3 * 3;
          for (uint32_t rr = band; rr < band + 3; ++rr) {
            const uint32_t cell = CellAt(rr, c);
            if (cell == w || inGroup(cell)) continue;
            QueueWitnessed(cell, y, t[0], zc, w);
          }
          if (ColumnOf(w) != c && ySole)
            for (uint32_t i = 0; i < 4; ++i)
              if ((mask[i] >> y & 1) && RowOf(t[i]) != RowOf(w))
                QueueWitnessed(CellAt(RowOf(t[i]), ColumnOf(w)), y, t[i], zc, w);
        } else {
          const uint32_t r = RowOf(zc), stack = ColumnOf(zc) / 3 * 3;
          for (uint32_t cc = stack; cc < stack + 3; ++cc) {
            const uint32_t cell = CellAt(r, cc);
            if (cell == w || inGroup(cell)) continue;
            QueueWitnessed(cell, y, t[0], zc, w);
          }
          if (RowOf(w) != r && ySole)
            for (uint32_t i = 0; i < 4; ++i)
              if ((mask[i] >> y & 1) && ColumnOf(t[i]) != ColumnOf(w))
                QueueWitnessed(CellAt(RowOf(w), ColumnOf(t[i])), y, t[i], zc, w);
        }
      }
    }
  }
}

}  // namespace

uint32_t AlsXZ(uint32_t place) {
  ResetQueue();
  LoadCellMasks(alsMask);
  for (uint32_t box = 0; box < 9; ++box) {
    alsBoxPairs[box] = 0;
    for (uint32_t z = 0; z < 9; ++z) alsPairedWith[box][z] = 0;
    for (uint32_t k = 0; k < 9; ++k) {
      const uint32_t w = kUnitCells.cell[18 + box][k];
      if (Count(w) != 2) continue;
      alsBoxPairs[box] |= 1u << k;
      for (uint32_t zs = alsMask[w]; zs; zs &= zs - 1)
        alsPairedWith[box][std::countr_zero(zs)] |=
            static_cast<uint16_t>(alsMask[w] & ~(1u << std::countr_zero(zs)));
    }
  }
  // Only cells of two to five candidates can make a group: per column its rows, per row its
  // columns.
  uint32_t groupRows[9] = {}, groupColumns[9] = {};
  for (uint32_t c = 0; c < 81; ++c)
    if (Count(c) - 2 <= 3) {
      groupRows[kCellPlace.column[c]] |= 1u << kCellPlace.row[c];
      groupColumns[kCellPlace.row[c]] |= 1u << kCellPlace.column[c];
    }
  for (uint32_t pass = 0; pass < 2; ++pass) {
    const bool vertical = pass == 0;
    for (uint32_t line = 0; line < 9; ++line) {
      // The four-cell groups of the line in lexicographic order of positions, of those cells
      // alone. A group holds five digits, so a start already over five digits is dropped.
      const uint32_t open = vertical ? groupRows[line] : groupColumns[line];
      if (std::popcount(open) < 4) continue;
      uint32_t cells[9], n = 0;
      for (uint32_t ps = open; ps; ps &= ps - 1) {
        const uint32_t p = static_cast<uint32_t>(std::countr_zero(ps));
        cells[n++] = vertical ? CellAt(p, line) : CellAt(line, p);
      }
      for (uint32_t i1 = 0; i1 + 3 < n; ++i1)
        for (uint32_t i2 = i1 + 1; i2 + 2 < n; ++i2) {
          const uint32_t two = alsMask[cells[i1]] | alsMask[cells[i2]];
          if (std::popcount(two) > 5) continue;
          for (uint32_t i3 = i2 + 1; i3 + 1 < n; ++i3) {
            const uint32_t three = two | alsMask[cells[i3]];
            if (std::popcount(three) > 5) continue;
            for (uint32_t i4 = i3 + 1; i4 < n; ++i4) {
              if (std::popcount(three | alsMask[cells[i4]]) != 5) continue;
              const uint32_t t[4] = {cells[i1], cells[i2], cells[i3], cells[i4]};
              AlsGroup(vertical, t);
            }
          }
        }
    }
  }
  if (g.queue.length > 0) FlushEliminations(CodeAlsXZ);
  return FinishRoutine(place, KindAuto);
}

namespace {

// A 9x9 bit matrix over digits: row x is bits 9x..9x+8 of `low` for x < 7 and bits
// 9(x-7).. of `high` for rows 7 and 8, so that whole rows are handled side by side. Used both
// for pairs of digits and, with bit 0 of row x alone, for a set of digits ("flags").
struct DigitMatrix {
  uint64_t low = 0, high = 0;
  uint32_t Row(uint32_t x) const {
    return static_cast<uint32_t>((x < 7 ? low >> (9 * x) : high >> (9 * (x - 7))) & 0x1FF);
  }
  DigitMatrix& operator|=(const DigitMatrix& o) {
    low |= o.low;
    high |= o.high;
    return *this;
  }
};

constexpr uint64_t kRowsLow = 0x0040201008040201ull;      // bit 0 of rows 0..6
constexpr uint64_t kRowsHigh = 0x201;                     // bit 0 of rows 7 and 8
constexpr uint64_t kDiagonalLow = 0x1004010040100401ull;  // bit x of row x, rows 0..6
constexpr uint64_t kDiagonalHigh = 1ull << 7 | 1ull << 17;

// Bit 0 of each row of v that is not empty.
constexpr uint64_t NonEmptyRows(uint64_t v, uint64_t rows) {
  const uint64_t low8 = rows * 0xFF;
  return ((((v & low8) + low8) | v) >> 8) & rows;
}

// Every row equal to m.
constexpr DigitMatrix EveryRow(uint32_t m) { return {m * kRowsLow, m * kRowsHigh}; }

// Pairs (x, y) struck for two aligned cells: bit y of row x is set when the first cell taking
// x and the second taking y leaves some cell without a digit. A bivalue cell {p, q} strikes
// exactly {p, q}. Two cells of one unit whose union U has at most three digits strike every
// pair that leaves them at most one digit of U: with |U| = 2 every pair touching U, with
// |U| = 3 every pair inside U. All these matrices are symmetric, and so are their unions.
// The rows x of the digits of m full, the other rows empty.
constexpr DigitMatrix RowsOf(uint32_t m) {
  const DigitMatrix e = EveryRow(m);
  return {NonEmptyRows(e.low & kDiagonalLow, kRowsLow) * 0x1FF,
          NonEmptyRows(e.high & kDiagonalHigh, kRowsHigh) * 0x1FF};
}

// The pairs (x, y) of two different digits of m.
constexpr DigitMatrix PairsWithin(uint32_t m) {
  const DigitMatrix e = EveryRow(m), r = RowsOf(m);
  return {e.low & r.low & ~kDiagonalLow, e.high & r.high & ~kDiagonalHigh};
}

constexpr DigitMatrix BivalueStrikes(uint32_t m) {
  // a pair of digits is struck only by that pair
  return std::popcount(m) == 2 ? PairsWithin(m) : DigitMatrix{};
}

constexpr DigitMatrix UnionStrikes(uint32_t u) {
  const int n = std::popcount(u);
  if (n <= 1) return EveryRow(0x1FF);
  if (n == 3) return PairsWithin(u);
  const DigitMatrix e = EveryRow(u), r = RowsOf(u);
  return {e.low | r.low, e.high | r.high};
}

// BivalueStrikes and UnionStrikes of every digit set, looked up while the tests are built.
struct StrikeTables {
  DigitMatrix bivalue[512], unionOf[512];
};
constexpr StrikeTables MakeStrikeTables() {
  StrikeTables t{};
  for (uint32_t m = 0; m < 512; ++m) {
    t.bivalue[m] = BivalueStrikes(m);
    t.unionOf[m] = UnionStrikes(m);
  }
  return t;
}
constexpr StrikeTables kStrikes = MakeStrikeTables();

// The tests of one unit, from its cells of two or three candidates (the positions `holders`):
// every bivalue cell and every two cells whose union holds at most three digits. `cells` holds
// the positions a test rests on; `all` the pairs struck by every test, `without[k]` (for the
// holders k) by the tests not resting on position k; `reach` the digits of their struck
// pairs (the matrices being symmetric, a struck pair has both digits there).
struct UnitTests {
  uint32_t holders, count;
  uint16_t cells[9 + 36], digits[9 + 36];
  DigitMatrix struck[9 + 36];
  DigitMatrix all, without[9];
  uint32_t allReach, reach[9];
  const DigitMatrix& Without(uint32_t k) const { return holders >> k & 1 ? without[k] : all; }
  uint32_t Reach(uint32_t k) const { return holders >> k & 1 ? reach[k] : allReach; }
};

UnitTests apeTests[27];

void LoadUnitTests(const uint32_t mask[81]) {
  for (uint32_t unit = 0; unit < 27; ++unit) apeTests[unit].holders = 0;
  for (uint32_t c = 0; c < 81; ++c) {
    if (Count(c) < 2 || Count(c) > 3) continue;
    apeTests[kCellPlace.row[c]].holders |= 1u << kCellPlace.column[c];
    apeTests[9 + kCellPlace.column[c]].holders |= 1u << kCellPlace.row[c];
    apeTests[18 + kCellPlace.box[c]].holders |= 1u << kCellPlace.boxPosition[c];
  }
  for (uint32_t unit = 0; unit < 27; ++unit) {
    UnitTests& u = apeTests[unit];
    const uint8_t* cells = kUnitCells.cell[unit];
    u.count = 0;
    u.all = {};
    u.allReach = 0;
    for (uint32_t is = u.holders; is; is &= is - 1) {
      const uint32_t i = static_cast<uint32_t>(std::countr_zero(is));
      const uint32_t ci = cells[i];
      if (Count(ci) == 2 && std::popcount(mask[ci]) == 2) {
        u.cells[u.count] = static_cast<uint16_t>(1u << i);
        u.digits[u.count] = static_cast<uint16_t>(mask[ci]);
        u.struck[u.count++] = kStrikes.bivalue[mask[ci]];
      }
      for (uint32_t js = is & (is - 1); js; js &= js - 1) {
        const uint32_t j = static_cast<uint32_t>(std::countr_zero(js));
        const uint32_t both = mask[ci] | mask[cells[j]];
        if (std::popcount(both) > 3) continue;
        u.cells[u.count] = static_cast<uint16_t>(1u << i | 1u << j);
        u.digits[u.count] = static_cast<uint16_t>(std::popcount(both) <= 2 ? 0x1FF : both);
        u.struck[u.count++] = kStrikes.unionOf[both];
      }
    }
    for (uint32_t t = 0; t < u.count; ++t) {
      u.all |= u.struck[t];
      u.allReach |= u.digits[t];
    }
    for (uint32_t is = u.holders; is; is &= is - 1) {
      const uint32_t i = static_cast<uint32_t>(std::countr_zero(is));
      DigitMatrix w;
      uint32_t reach = 0;
      for (uint32_t t = 0; t < u.count; ++t)
        if (!(u.cells[t] >> i & 1)) {
          w |= u.struck[t];
          reach |= u.digits[t];
        }
      u.without[i] = w;
      u.reach[i] = reach;
    }
  }
}

// The pairs struck in a unit by the tests resting on neither position p nor q.
DigitMatrix StruckWithout(const UnitTests& u, uint32_t p, uint32_t q) {
  if (!(u.holders >> q & 1)) return u.Without(p);
  if (!(u.holders >> p & 1)) return u.without[q];
  DigitMatrix s;
  const uint32_t off = 1u << p | 1u << q;
  for (uint32_t t = 0; t < u.count; ++t)
    if (!(u.cells[t] & off)) s |= u.struck[t];
  return s;
}

// The digits x, as a mask, for which every digit of m but x is struck with x; `reach` holds
// the digits of the struck pairs.
inline uint32_t CorneredDigits(uint32_t m, const DigitMatrix& struck, uint32_t reach) {
  if (m != 0 && (m & (m - 1)) == 0)  // one digit v: v, and those struck with v
    return m | struck.Row(static_cast<uint32_t>(std::countr_zero(m)));
  const uint32_t unreached = m & ~reach;
  if (unreached & (unreached - 1)) return 0;  // two digits of m struck with nothing
  const DigitMatrix e = EveryRow(m);
  const uint64_t low = ~NonEmptyRows(e.low & ~struck.low & ~kDiagonalLow, kRowsLow) & kRowsLow;
  const uint64_t high = ~NonEmptyRows(e.high & ~struck.high & ~kDiagonalHigh, kRowsHigh) &
                        kRowsHigh;
  // Bit 9x of `low` lands on bit 56 + x: the other products fall outside bits 56..62 and,
  // all at distinct places, carry nothing into them.
  constexpr uint64_t kGather = 1ull << 56 | 1ull << 48 | 1ull << 40 | 1ull << 32 | 1ull << 24 |
                               1ull << 16 | 1ull << 8;
  return static_cast<uint32_t>((low * kGather) >> 56 & 0x7F) |
         static_cast<uint32_t>((high & 1) << 7 | (high >> 1 & 0x100));
}

// The full test of a pair: a and b at positions pa, pb of `line`, and at qa, qb of `box` when
// they share one (box 27 otherwise).
void ExcludePair(const uint32_t mask[81], uint32_t a, uint32_t b, uint32_t line, uint32_t pa,
                 uint32_t pb, uint32_t box, uint32_t qa, uint32_t qb) {
  DigitMatrix struck = StruckWithout(apeTests[line], pa, pb);
  if (box < 27) struck |= StruckWithout(apeTests[box], qa, qb);
  // Candidates that keep some combination.
  uint32_t allowedA = 0, allowedB = 0;
  for (uint32_t xs = mask[a]; xs != 0; xs &= xs - 1) {
    const uint32_t x = static_cast<uint32_t>(std::countr_zero(xs));
    const uint32_t ys = mask[b] & ~(1u << x) & ~struck.Row(x);
    if (ys) allowedA |= 1u << x;
    allowedB |= ys;
  }
  for (uint32_t gone = mask[a] & ~allowedA; gone != 0; gone &= gone - 1)
    QueueElimination(a, static_cast<uint32_t>(std::countr_zero(gone)));
  for (uint32_t gone = mask[b] & ~allowedB; gone != 0; gone &= gone - 1)
    QueueElimination(b, static_cast<uint32_t>(std::countr_zero(gone)));
}

// Positions in a line of the cells holding some digit of a set.
inline uint32_t PositionsOf(const uint32_t held[9][27], uint32_t line, uint32_t digits) {
  uint32_t p = 0;
  for (; digits; digits &= digits - 1) p |= held[std::countr_zero(digits)][line];
  return p;
}

}  // namespace

// Aligned Pair Exclusion: two cells of one line (and possibly one box) cannot take a pair of
// digits that would empty a bivalue cell, or leave two cells of one unit with one digit. The
// tests on a or b themselves are left out.
uint32_t AlignedPairExclusion(uint32_t place) {
  ResetQueue();
  uint32_t mask[81];
  LoadCellMasks(mask);
  LoadUnitTests(mask);
  const CellPlaceTable& at = kCellPlace;
  // Per digit and unit, the positions of the cells holding it (rows 0..8, columns 9..17 used).
  uint32_t held[9][27];
  LoadAllUnitHolders(held);
  // A digit x of a goes only when every digit of b but x is struck with x by tests not resting
  // on b: x is cornered for b. The struck pairs being symmetric, a digit y of b goes only when
  // y is cornered for a. So only pairs where one cell holds a digit cornered for the other
  // need the full test: per cell, its partners after it along its row (bit = column) and
  // down its column (bit = row).
  uint16_t rowPartners[81] = {}, columnPartners[81] = {};
  for (uint32_t c = 0; c < 81; ++c) {
    if (Count(c) < 1) continue;
    const uint32_t r = at.row[c], col = at.column[c];
    const UnitTests& rowTests = apeTests[r];
    const UnitTests& columnTests = apeTests[9 + col];
    const UnitTests& boxTests = apeTests[18 + at.box[c]];
    const uint32_t boxPosition = at.boxPosition[c];
    const uint32_t m = mask[c];
    uint32_t alongRow, alongColumn;
    if (m != 0 && (m & (m - 1)) == 0 && Count(c) == 1 &&
        ((rowTests.all.Row(std::countr_zero(m)) | columnTests.all.Row(std::countr_zero(m)) |
          boxTests.all.Row(std::countr_zero(m))) == 0)) {
      // A placed digit v with no tests around: only the cells still holding v.
      alongRow = held[std::countr_zero(m)][r];
      alongColumn = held[std::countr_zero(m)][9 + col];
    } else {
      const DigitMatrix& row = rowTests.Without(col);
      const DigitMatrix& column = columnTests.Without(r);
      const DigitMatrix& box = boxTests.Without(boxPosition);
      const uint32_t rowReach = rowTests.Reach(col), columnReach = columnTests.Reach(r);
      const uint32_t boxReach = boxTests.Reach(boxPosition);
      const uint32_t stack = 7u << (col / 3 * 3), band = 7u << (r / 3 * 3);
      // Partners in c's box see the box's tests too (when it has any beyond c's own).
      const bool boxAdds = (box.low | box.high) != 0;
      const uint32_t inRow = CorneredDigits(m, row, rowReach);
      const uint32_t inColumn = CorneredDigits(m, column, columnReach);
      const uint32_t inRowBox =
          boxAdds ? CorneredDigits(m, {row.low | box.low, row.high | box.high}, rowReach | boxReach)
                  : inRow;
      const uint32_t inColumnBox =
          boxAdds ? CorneredDigits(m, {column.low | box.low, column.high | box.high},
                                   columnReach | boxReach)
                  : inColumn;
      alongRow = inRowBox == inRow ? PositionsOf(held, r, inRow)
                                   : (PositionsOf(held, r, inRow) & ~stack) |
                                         (PositionsOf(held, r, inRowBox) & stack);
      alongColumn = inColumnBox == inColumn
                        ? PositionsOf(held, 9 + col, inColumn)
                        : (PositionsOf(held, 9 + col, inColumn) & ~band) |
                              (PositionsOf(held, 9 + col, inColumnBox) & band);
    }
    // Either cell may have found the other: the pair goes to the first of the two.
    for (uint32_t ps = alongRow & ~(1u << col); ps; ps &= ps - 1) {
      const uint32_t p = static_cast<uint32_t>(std::countr_zero(ps));
      if (p > col)
        rowPartners[c] |= static_cast<uint16_t>(1u << p);
      else
        rowPartners[CellAt(r, p)] |= static_cast<uint16_t>(1u << col);
    }
    for (uint32_t ps = alongColumn & ~(1u << r); ps; ps &= ps - 1) {
      const uint32_t p = static_cast<uint32_t>(std::countr_zero(ps));
      if (p > r)
        columnPartners[c] |= static_cast<uint16_t>(1u << p);
      else
        columnPartners[CellAt(p, col)] |= static_cast<uint16_t>(1u << r);
    }
  }
  for (uint32_t a = 0; a < 81; ++a) {
    if ((rowPartners[a] | columnPartners[a]) == 0) continue;
    const uint32_t r = at.row[a], c = at.column[a], box = 18 + at.box[a];
    const uint32_t boxPosition = at.boxPosition[a];
    // The partners b after a in cell order: the rest of a's row, then the rest of its column.
    for (uint32_t ps = rowPartners[a]; ps; ps &= ps - 1) {
      const uint32_t c2 = static_cast<uint32_t>(std::countr_zero(ps));
      ExcludePair(mask, a, CellAt(r, c2), r, c, c2, c2 / 3 == c / 3 ? box : 27, boxPosition,
                  r % 3 * 3 + c2 % 3);
    }
    for (uint32_t ps = columnPartners[a]; ps; ps &= ps - 1) {
      const uint32_t r2 = static_cast<uint32_t>(std::countr_zero(ps));
      ExcludePair(mask, a, CellAt(r2, c), 9 + c, r, r2, r2 / 3 == r / 3 ? box : 27,
                  boxPosition, r2 % 3 * 3 + c % 3);
    }
  }
  if (g.queue.length > 0) FlushEliminations(CodeAlignedPairExclusion);
  return FinishRoutine(place, KindAuto);
}

namespace {

// The petal test. If z were absent from the stem's two cells, they would hold d, so P takes
// e, the cell facing Qi takes w and Qi loses w; as no other Q cell holds w, the three Q cells
// are left with z and two digits, so they hold z. Either way the stem's box line sees a z.

// One petal test for both directions: the Q cells lie on `line` outside the stem's stack
// (or band), the P cells across it on `cross`. Cell(a, b) is (row a, column b), or the
// transposed cell for the column form. `mask` holds the candidate masks of all cells, `pairs`
// the positions along `cross` of its cells of two candidates that hold d but not z: the P
// cells may lie among them outside the band (or stack) of `line`.
uint32_t PetalTest(const uint32_t mask[81], uint32_t line, uint32_t cross, uint32_t z,
                   uint32_t d, bool transposed, uint32_t pairs) {
  auto cell = [transposed](uint32_t a, uint32_t b) { return transposed ? CellAt(b, a) : CellAt(a, b); };
  auto position = [transposed](uint32_t c) { return transposed ? RowOf(c) : ColumnOf(c); };
  // The P cells first (most often there is none), then the Q cells.
  const uint32_t ps = pairs & ~(7u << (line / 3 * 3));
  if (ps == 0) return 0;
  uint32_t q[6], nq = 0;
  for (uint32_t j = 0; j < 9; ++j) {
    if (j / 3 == cross / 3) continue;
    const uint32_t qc = cell(line, j);
    if (Count(qc) >= 2 && Count(qc) <= 3) q[nq++] = qc;
  }
  if (nq < 3) return 0;
  for (uint32_t ks = ps; ks; ks &= ks - 1) {
    const uint32_t k = static_cast<uint32_t>(std::countr_zero(ks));
    const uint32_t e = static_cast<uint32_t>(std::countr_zero(mask[cell(k, cross)] & ~(1u << d)));
    for (uint32_t i1 = 0; i1 < nq; ++i1)
      for (uint32_t i2 = i1 + 1; i2 < nq; ++i2)
        for (uint32_t i3 = i2 + 1; i3 < nq; ++i3) {
          const uint32_t cells[3] = {q[i1], q[i2], q[i3]};
          const uint32_t m[3] = {mask[cells[0]], mask[cells[1]], mask[cells[2]]};
          if (std::popcount((m[0] | m[1] | m[2]) & ~(1u << z)) != 3) continue;
          for (uint32_t w = 0; w < 9; ++w) {
            if (w == z || w == d || w == e) continue;
            uint32_t holders = 0, holder = 0;
            for (uint32_t i = 0; i < 3; ++i)
              if (m[i] >> w & 1) {
                ++holders;
                holder = cells[i];
              }
            // w must be held by exactly one Q cell, the one facing the bivalue {e, w} cell.
            if (holders != 1) continue;
            const uint32_t facing = cell(k, position(holder));
            if (Count(facing) == 2 && (mask[facing] >> e & 1) && (mask[facing] >> w & 1))
              return 1;
          }
        }
  }
  return 0;
}

}  // namespace

namespace {

// Per column (bit = row) and per row (bit = column), and per digit, the cells of two
// candidates holding the digit.
struct PairCells {
  uint16_t inColumn[9][9], inRow[9][9];
};

void LoadPairCells(const uint32_t mask[81], PairCells& pairs) {
  pairs = {};
  for (uint32_t r = 0; r < 9; ++r)
    for (uint32_t c = 0; c < 9; ++c) {
      if (Count(CellAt(r, c)) != 2) continue;
      for (uint32_t m = mask[CellAt(r, c)]; m; m &= m - 1) {
        pairs.inColumn[c][std::countr_zero(m)] |= static_cast<uint16_t>(1u << r);
        pairs.inRow[r][std::countr_zero(m)] |= static_cast<uint16_t>(1u << c);
      }
    }
}

}  // namespace

uint32_t PetalTestRow(uint32_t c, uint32_t r, uint32_t z, uint32_t d) {
  uint32_t mask[81];
  LoadCellMasks(mask);
  PairCells pairs;
  LoadPairCells(mask, pairs);
  return PetalTest(mask, r, c, z, d, false, pairs.inColumn[c][d] & ~pairs.inColumn[c][z]);
}

uint32_t PetalTestColumn(uint32_t c, uint32_t r, uint32_t z, uint32_t d) {
  uint32_t mask[81];
  LoadCellMasks(mask);
  PairCells pairs;
  LoadPairCells(mask, pairs);
  return PetalTest(mask, c, r, z, d, true, pairs.inRow[r][d] & ~pairs.inRow[r][z]);
}

void QueueStemRow(uint32_t c, uint32_t r, uint32_t z) {
  const uint32_t stack = c / 3 * 3;
  for (uint32_t j = stack; j < stack + 3; ++j) QueueOpen(CellAt(r, j), z);
}

void QueueStemColumn(uint32_t c, uint32_t r, uint32_t z) {
  const uint32_t band = r / 3 * 3;
  for (uint32_t i = band; i < band + 3; ++i) QueueOpen(CellAt(i, c), z);
}

namespace {

// Two cells of a box line form the stem when together they hold three digits, z among them:
// both three-candidate with the same digits, or one three-candidate and the other a bivalue
// z plus one of those digits. Both cells holding z, only the first part depends on the cells.
bool StemPair(const uint32_t mask[81], uint32_t x, uint32_t y) {
  const uint32_t nx = Count(x), ny = Count(y);
  if (nx == 2 && ny == 2) return false;
  const uint32_t mx = mask[x], my = mask[y];
  if (nx == 3 && ny == 3) return mx == my;
  if (nx == 3 && ny == 2) return (my & ~mx) == 0;
  if (nx == 2 && ny == 3) return (mx & ~my) == 0;
  return false;
}

// A stem: its two cells x, y, and the box line the petals go through (row or column).
struct Stem {
  uint8_t x, y, line, cross;
};

}  // namespace

uint32_t DeathBlossom(uint32_t place) {
  ResetQueue();
  uint32_t mask[81];
  LoadCellMasks(mask);
  // The stems of each half in the order the search takes them: row half by cell x, then
  // y down the mini-column; column half column by column, then y along the mini-row. Both
  // cells hold two or three candidates.
  Stem rowStems[162], columnStems[162];
  uint32_t rowCount = 0, columnCount = 0;
  // The cells of two or three candidates: per column its rows, per row its columns.
  uint32_t stemRows[9] = {}, stemColumns[9] = {};
  for (uint32_t r = 0; r < 9; ++r)
    for (uint32_t c = 0; c < 9; ++c) {
      const uint32_t n = Count(CellAt(r, c));
      if (n < 2 || n > 3) continue;
      stemRows[c] |= 1u << r;
      stemColumns[r] |= 1u << c;
    }
  for (uint32_t r = 0; r < 9; ++r) {
    const uint32_t band = r / 3 * 3;
    for (uint32_t cs = stemColumns[r]; cs; cs &= cs - 1) {
      const uint32_t c = static_cast<uint32_t>(std::countr_zero(cs)), x = CellAt(r, c);
      for (uint32_t ys = stemRows[c] & 7u << band & ~(1u << r); ys; ys &= ys - 1) {
        const uint32_t ry = static_cast<uint32_t>(std::countr_zero(ys)), y = CellAt(ry, c);
        if (!StemPair(mask, x, y)) continue;
        rowStems[rowCount++] = {static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                                static_cast<uint8_t>(3 * band + 3 - r - ry),
                                static_cast<uint8_t>(c)};
      }
    }
  }
  for (uint32_t col = 0; col < 9; ++col) {
    const uint32_t stack = col / 3 * 3;
    for (uint32_t rs = stemRows[col]; rs; rs &= rs - 1) {
      const uint32_t row = static_cast<uint32_t>(std::countr_zero(rs)), x = CellAt(row, col);
      for (uint32_t ys = stemColumns[row] & 7u << stack & ~(1u << col); ys; ys &= ys - 1) {
        const uint32_t cy = static_cast<uint32_t>(std::countr_zero(ys)), y = CellAt(row, cy);
        if (!StemPair(mask, x, y)) continue;
        columnStems[columnCount++] = {static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                                      static_cast<uint8_t>(3 * stack + 3 - col - cy),
                                      static_cast<uint8_t>(row)};
      }
    }
  }
  PairCells pairs;
  LoadPairCells(mask, pairs);
  for (uint32_t z = 0; z < 9; ++z) {
    // Row half: stems in a mini-column, petals through the stem row.
    for (uint32_t i = 0; i < rowCount; ++i) {
      const Stem& s = rowStems[i];
      const uint32_t both = mask[s.x] & mask[s.y];
      if (!(both >> z & 1)) continue;
      const uint16_t* column = pairs.inColumn[s.cross];
      for (uint32_t ds = both & ~(1u << z); ds; ds &= ds - 1) {
        const uint32_t d = static_cast<uint32_t>(std::countr_zero(ds));
        if (PetalTest(mask, s.line, s.cross, z, d, false, column[d] & ~column[z]))
          QueueStemRow(s.cross, s.line, z);
      }
    }
    // Column half: stems in a mini-row, petals through the stem column.
    for (uint32_t i = 0; i < columnCount; ++i) {
      const Stem& s = columnStems[i];
      const uint32_t both = mask[s.x] & mask[s.y];
      if (!(both >> z & 1)) continue;
      const uint16_t* row = pairs.inRow[s.cross];
      for (uint32_t ds = both & ~(1u << z); ds; ds &= ds - 1) {
        const uint32_t d = static_cast<uint32_t>(std::countr_zero(ds));
        if (PetalTest(mask, s.line, s.cross, z, d, true, row[d] & ~row[z]))
          QueueStemColumn(s.line, s.cross, z);
      }
    }
  }
  if (g.queue.length > 0) FlushEliminations(CodeDeathBlossom);
  return FinishRoutine(place, KindAuto);
}

const RoutineEntry kAlmostLockedSetRoutines[] = {
    {"AlsXZ", AlsXZ, 1102},
    {"AlignedPairExclusion", AlignedPairExclusion, 1151},
    {"DeathBlossom", DeathBlossom, 1153},
    {nullptr, nullptr, 0},
};
