// Almost-locked-set family: ALS-XZ (four line cells holding five digits, linked to a bivalue
// cell), Aligned Pair Exclusion and Death Blossom.
#include "techniques/almost_locked_sets.h"

#include <bit>

#include "board/candidates.h"
#include "board/queue.h"
#include "board/state.h"
#include "techniques/techniques.h"

namespace {

inline bool Holds(uint32_t cell, uint32_t d) { return g.cand.flag[cell * 9 + d] != 0; }
inline uint32_t Count(uint32_t cell) { return g.cand.count[cell]; }

inline uint32_t Mask(uint32_t cell) {
  uint32_t m = 0;
  for (uint32_t d = 0; d < 9; ++d)
    if (Holds(cell, d)) m |= 1u << d;
  return m;
}

inline void QueueOpen(uint32_t cell, uint32_t d) {
  if (Count(cell) >= 2) QueueElimination(cell, d);
}

// ALS-XZ entries carry witnesses: first the group cell holding y, second Z, third W. Entries
// beyond the 64 witness rows are refused by the queue, so no column is ever overrun and every
// logged entry can print its witnesses.
inline void QueueWitnessed(uint32_t cell, uint32_t d, uint32_t w1, uint32_t w2, uint32_t w3) {
  if (Count(cell) >= 2) QueueEliminationWitness(cell, d, w1, w2, w3);
}

// Candidate masks of all cells, taken once per ALS-XZ run (the scan removes nothing).
uint32_t alsMask[81];

// One ALS-XZ group: four cells of a line (vertical: a column, horizontal: a row).
void AlsGroup(bool vertical, const uint32_t t[4]) {
  uint32_t mask[4], all = 0;
  for (uint32_t i = 0; i < 4; ++i) {
    const uint32_t n = Count(t[i]);
    if (n < 2 || n > 5) return;
    mask[i] = alsMask[t[i]];
    all |= mask[i];
  }
  if (std::popcount(all) != 5) return;
  auto inGroup = [&](uint32_t cell) {
    return cell == t[0] || cell == t[1] || cell == t[2] || cell == t[3];
  };
  for (uint32_t z = 0; z < 9; ++z) {
    uint32_t holders = 0, zi = 0;
    for (uint32_t i = 0; i < 4; ++i)
      if (mask[i] >> z & 1) {
        ++holders;
        zi = i;
      }
    if (holders != 1) continue;
    const uint32_t zc = t[zi];
    const uint32_t box = BlockOf(zc);
    for (uint32_t y = 0; y < 9; ++y) {
      if (y == z || !(all >> y & 1)) continue;
      uint32_t yHolders = 0;
      for (uint32_t i = 0; i < 4; ++i) yHolders += mask[i] >> y & 1;
      for (uint32_t k = 0; k < 9; ++k) {
        const uint32_t w = BlockCell(box, k);
        if (inGroup(w) || Count(w) != 2 || !Holds(w, z) || !Holds(w, y)) continue;
        if (vertical) {
          const uint32_t c = ColumnOf(zc), band = RowOf(zc) / 3 * 3;
          for (uint32_t rr = band; rr < band + 3; ++rr) {
            const uint32_t cell = CellAt(rr, c);
            if (cell == w || inGroup(cell)) continue;
            QueueWitnessed(cell, y, t[0], zc, w);
          }
          if (ColumnOf(w) != c && yHolders == 1)
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
          if (RowOf(w) != r && yHolders == 1)
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
  for (uint32_t c = 0; c < 81; ++c) alsMask[c] = Mask(c);
  for (uint32_t pass = 0; pass < 2; ++pass) {
    const bool vertical = pass == 0;
    for (uint32_t line = 0; line < 9; ++line) {
      // Only cells of two to five candidates can make a group: the four-cell groups of the
      // line in lexicographic order of positions, those cells alone.
      uint32_t cells[9], n = 0;
      for (uint32_t p = 0; p < 9; ++p) {
        const uint32_t cell = vertical ? CellAt(p, line) : CellAt(line, p);
        if (Count(cell) >= 2 && Count(cell) <= 5) cells[n++] = cell;
      }
      for (uint32_t i1 = 0; i1 + 3 < n; ++i1)
        for (uint32_t i2 = i1 + 1; i2 + 2 < n; ++i2)
          for (uint32_t i3 = i2 + 1; i3 + 1 < n; ++i3)
            for (uint32_t i4 = i3 + 1; i4 < n; ++i4) {
              const uint32_t t[4] = {cells[i1], cells[i2], cells[i3], cells[i4]};
              AlsGroup(vertical, t);
            }
    }
  }
  if (g.queue.length > 0) FlushEliminations(CodeAlsXZ);
  return FinishRoutine(place, KindAuto);
}

namespace {

// Pairs (x, y) struck for two aligned cells, as rows of a 9x9 bit matrix: bit y of
// struck[x] is set when the first cell taking x and the second taking y leaves some cell
// without a digit. A bivalue cell {p, q} strikes exactly {p, q}. Two cells of one unit whose
// union U has at most three digits strike every pair that leaves them at most one digit of
// U: with |U| = 2 every pair touching U, with |U| = 3 every pair inside U.
struct StruckPairs {
  uint32_t row[9] = {0, 0, 0, 0, 0, 0, 0, 0, 0};
  void Bivalue(uint32_t m) {
    if (std::popcount(m) != 2) return;  // a pair of digits is struck only by that pair
    const uint32_t p = static_cast<uint32_t>(std::countr_zero(m));
    const uint32_t q = static_cast<uint32_t>(std::countr_zero(m & (m - 1)));
    row[p] |= 1u << q;
    row[q] |= 1u << p;
  }
  uint32_t everyRow = 0;  // struck in every row: digits y that any x pairs with in vain
  void Union(uint32_t u) {
    const int n = std::popcount(u);
    if (n <= 1) everyRow = 0x1FF;
    if (n == 2) everyRow |= u;
    for (uint32_t rest = u; rest; rest &= rest - 1) {
      const uint32_t x = static_cast<uint32_t>(std::countr_zero(rest));
      row[x] |= n == 2 ? 0x1FF : u & ~(1u << x);
    }
  }
  uint32_t Row(uint32_t x) const { return row[x] | everyRow; }
};

}  // namespace

// Aligned Pair Exclusion: two cells of one line (and possibly one box) cannot take a pair of
// digits that would empty a bivalue cell, or leave two cells of one unit with one digit.
uint32_t AlignedPairExclusion(uint32_t place) {
  ResetQueue();
  uint32_t mask[81];
  for (uint32_t c = 0; c < 81; ++c) mask[c] = Mask(c);
  // The tests of each unit, from its cells of two or three candidates: every bivalue cell
  // (second cell 81), and every two cells whose union holds at most three digits.
  struct UnitTest {
    uint16_t digits;
    uint8_t first, second;
  };
  UnitTest tests[27][9 + 36];
  uint32_t testCount[27];
  for (uint32_t unit = 0; unit < 27; ++unit) {
    uint32_t cells[9], n = 0;
    for (uint32_t k = 0; k < 9; ++k) {
      const uint32_t cell = UnitCell27(unit, k);
      if (Count(cell) >= 2 && Count(cell) <= 3) cells[n++] = cell;
    }
    testCount[unit] = 0;
    for (uint32_t i = 0; i < n; ++i) {
      auto add = [&](uint32_t digits, uint32_t first, uint32_t second) {
        tests[unit][testCount[unit]++] = {static_cast<uint16_t>(digits),
                                          static_cast<uint8_t>(first),
                                          static_cast<uint8_t>(second)};
      };
      if (Count(cells[i]) == 2) add(mask[cells[i]], cells[i], 81);
      for (uint32_t j = i + 1; j < n; ++j) {
        const uint32_t both = mask[cells[i]] | mask[cells[j]];
        if (std::popcount(both) <= 3) add(both, cells[i], cells[j]);
      }
    }
  }
  for (uint32_t a = 0; a < 81; ++a) {
    if (Count(a) < 1) continue;
    // The partners b after a in cell order: the rest of a's row, then the rest of its column.
    uint32_t partners[16], partnerCount = 0;
    for (uint32_t b = a + 1; b < RowOf(a) * 9 + 9; ++b) partners[partnerCount++] = b;
    for (uint32_t b = a + 9; b < 81; b += 9) partners[partnerCount++] = b;
    for (uint32_t i = 0; i < partnerCount; ++i) {
      const uint32_t b = partners[i];
      if (Count(b) < 1) continue;
      const uint32_t line = RowOf(a) == RowOf(b) ? RowOf(a) : 9 + ColumnOf(a);
      // The examined units: the shared line, and the shared box when there is one; tests
      // on a or b themselves are left out.
      const uint32_t units[2] = {line, 18 + BlockOf(a)};
      const uint32_t unitCount = BlockOf(a) == BlockOf(b) ? 2 : 1;
      StruckPairs struck;
      for (uint32_t u = 0; u < unitCount; ++u)
        for (uint32_t t = 0; t < testCount[units[u]]; ++t) {
          const UnitTest& test = tests[units[u]][t];
          if (test.first == a || test.first == b || test.second == a || test.second == b)
            continue;
          if (test.second == 81)
            struck.Bivalue(test.digits);
          else
            struck.Union(test.digits);
        }
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
// transposed cell for the column form.
uint32_t PetalTest(uint32_t line, uint32_t cross, uint32_t z, uint32_t d, bool transposed) {
  auto cell = [transposed](uint32_t a, uint32_t b) { return transposed ? CellAt(b, a) : CellAt(a, b); };
  auto position = [transposed](uint32_t c) { return transposed ? RowOf(c) : ColumnOf(c); };
  uint32_t q[6], nq = 0;
  for (uint32_t j = 0; j < 9; ++j) {
    if (j / 3 == cross / 3) continue;
    const uint32_t qc = cell(line, j);
    if (Count(qc) >= 2 && Count(qc) <= 3) q[nq++] = qc;
  }
  if (nq < 3) return 0;
  for (uint32_t k = 0; k < 9; ++k) {
    if (k / 3 == line / 3) continue;
    const uint32_t p = cell(k, cross);
    if (Count(p) != 2 || !Holds(p, d) || Holds(p, z)) continue;
    const uint32_t e = static_cast<uint32_t>(std::countr_zero(Mask(p) & ~(1u << d)));
    for (uint32_t i1 = 0; i1 < nq; ++i1)
      for (uint32_t i2 = i1 + 1; i2 < nq; ++i2)
        for (uint32_t i3 = i2 + 1; i3 < nq; ++i3) {
          const uint32_t cells[3] = {q[i1], q[i2], q[i3]};
          const uint32_t m[3] = {Mask(cells[0]), Mask(cells[1]), Mask(cells[2])};
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
            if (Count(facing) == 2 && Holds(facing, e) && Holds(facing, w)) return 1;
          }
        }
  }
  return 0;
}

}  // namespace

uint32_t PetalTestRow(uint32_t c, uint32_t r, uint32_t z, uint32_t d) {
  return PetalTest(r, c, z, d, false);
}

uint32_t PetalTestColumn(uint32_t c, uint32_t r, uint32_t z, uint32_t d) {
  return PetalTest(c, r, z, d, true);
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
// z plus one of those digits.
bool StemPair(uint32_t x, uint32_t y, uint32_t z) {
  const uint32_t nx = Count(x), ny = Count(y);
  if (nx == 2 && ny == 2) return false;
  const uint32_t mx = Mask(x), my = Mask(y);
  if (nx == 3 && ny == 3) return mx == my;
  if (nx == 3 && ny == 2) return (my >> z & 1) && (my & ~mx) == 0;
  if (nx == 2 && ny == 3) return (mx >> z & 1) && (mx & ~my) == 0;
  return false;
}

}  // namespace

uint32_t DeathBlossom(uint32_t place) {
  ResetQueue();
  for (uint32_t z = 0; z < 9; ++z) {
    // Row half: stems in a mini-column, petals through the stem row.
    for (uint32_t x = 0; x < 81; ++x) {
      if (!Holds(x, z) || Count(x) < 2 || Count(x) > 3) continue;
      const uint32_t c = ColumnOf(x), band = RowOf(x) / 3 * 3;
      for (uint32_t ry = band; ry < band + 3; ++ry) {
        const uint32_t y = CellAt(ry, c);
        if (y == x || !Holds(y, z) || !StemPair(x, y, z)) continue;
        const uint32_t stemRow = 3 * band + 3 - RowOf(x) - ry;
        for (uint32_t d = 0; d < 9; ++d)
          if (d != z && Holds(x, d) && Holds(y, d) && PetalTestRow(c, stemRow, z, d))
            QueueStemRow(c, stemRow, z);
      }
    }
    // Column half: stems in a mini-row, petals through the stem column.
    for (uint32_t col = 0; col < 9; ++col)
      for (uint32_t row = 0; row < 9; ++row) {
        const uint32_t x = CellAt(row, col);
        if (!Holds(x, z) || Count(x) < 2 || Count(x) > 3) continue;
        const uint32_t stack = col / 3 * 3;
        for (uint32_t cy = stack; cy < stack + 3; ++cy) {
          const uint32_t y = CellAt(row, cy);
          if (y == x || !Holds(y, z) || !StemPair(x, y, z)) continue;
          const uint32_t stemColumn = 3 * stack + 3 - col - cy;
          for (uint32_t d = 0; d < 9; ++d)
            if (d != z && Holds(x, d) && Holds(y, d) && PetalTestColumn(stemColumn, row, z, d))
              QueueStemColumn(stemColumn, row, z);
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
