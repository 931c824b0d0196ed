// Wings: XY-Wing, XYZ-Wing, WXYZ-Wing and the three four-digit patterns of "WXYZ-Wing(2)".
//
// A pivot cell and bivalue wings that share a digit z; z goes from the cells that see every
// holder of z in the pattern. XYZ-Wing and WXYZ-Wing entries carry witnesses (the detailed log
// prints them), so they go through the 64-row witness columns and an entry that finds them
// full is dropped: the routine then simply removes less.
#include <bit>

#include "board/candidates.h"
#include "board/queue.h"
#include "board/state.h"
#include "techniques/colouring.h"
#include "techniques/techniques.h"

namespace {

// Candidate bits of every cell (bit d = digit index d), refreshed at the start of a scan.
uint32_t gMask[81];

void LoadMasks() {
  LoadCellMasks(gMask);
  for (uint32_t c = 0; c < 81; ++c)
    if (g.cand.count[c] == 0) gMask[c] = 0;
}

inline bool Bivalue(uint32_t c) { return g.cand.count[c] == 2 && std::popcount(gMask[c]) == 2; }
inline uint32_t Lowest(uint32_t m) { return static_cast<uint32_t>(std::countr_zero(m)); }
inline bool DetailedLog() { return g.settings.candErase == 2; }

// The XY-Wing pattern: pivot {x,y}, one wing {x,z}, the other {y,z}, all bivalue, x, y, z
// distinct. Returns the bit of z, or 0. At most one assignment of x fits a given triple.
uint32_t XYWingDigit(uint32_t pivot, uint32_t wingX, uint32_t wingY) {
  if (!Bivalue(pivot) || !Bivalue(wingX) || !Bivalue(wingY)) return 0;
  const uint32_t p = gMask[pivot], wx = gMask[wingX], wy = gMask[wingY];
  const uint32_t shared = p & wx;
  if (std::popcount(shared) != 1) return 0;
  const uint32_t z = wx & ~shared;
  if (z & p) return 0;
  return wy == ((p & ~shared) | z) ? z : 0;
}

// Phase 1: pivot and wings at three corners of a rectangle of four boxes, the target opposite.
void XYWingCorner(uint32_t pivot, uint32_t wingX, uint32_t wingY, uint32_t target) {
  const uint32_t z = XYWingDigit(pivot, wingX, wingY);
  if (z == 0 || g.cand.count[target] < 2 || (gMask[target] & z) == 0) return;
  QueueElimination(target, Lowest(z));
}

void QueueIfOpen(uint32_t cell, uint32_t d) {
  if (g.cand.count[cell] >= 2) QueueElimination(cell, d);
}

}  // namespace

void QueueWingIntersection(uint32_t pivot, uint32_t wing1, uint32_t wing2, uint32_t z) {
  const uint32_t pr = RowOf(pivot), pc = ColumnOf(pivot);
  const uint32_t r1 = RowOf(wing1), c1 = ColumnOf(wing1);
  const uint32_t r2 = RowOf(wing2), c2 = ColumnOf(wing2);
  const uint32_t band = pr / 3 * 3, stack = pc / 3 * 3;
  auto put = [&](uint32_t cell) {
    if (g.cand.count[cell] >= 2) QueueEliminationWitness(cell, z, pivot, 0, 0);
  };
  if (pr == r1 && pr == r2) {
    for (uint32_t col = stack; col < stack + 3; ++col)
      if (col != pc && col != c1) put(CellAt(pr, col));
  } else if (pc == c1 && pc == c2) {
    for (uint32_t row = band; row < band + 3; ++row)
      if (row != pr && row != r1) put(CellAt(row, pc));
  } else if (pc == c2) {
    for (uint32_t row = band; row < band + 3; ++row)
      if (row != pr) put(CellAt(row, pc));
  } else if (pr == r2) {
    for (uint32_t col = stack; col < stack + 3; ++col)
      if (col != pc) put(CellAt(pr, col));
  }
}

uint32_t XYWing(uint32_t place) {
  ResetQueue();
  LoadMasks();
  // The bivalue cells of each row (bit = column), column (bit = row) and box (bit = k-th
  // box cell).
  uint32_t rowBivalue[9] = {}, columnBivalue[9] = {}, boxBivalue[9] = {};
  for (uint32_t r = 0; r < 9; ++r)
    for (uint32_t c = 0; c < 9; ++c)
      if (Bivalue(CellAt(r, c))) {
        rowBivalue[r] |= 1u << c;
        columnBivalue[c] |= 1u << r;
        boxBivalue[r / 3 * 3 + c / 3] |= 1u << (r % 3 * 3 + c % 3);
      }
  // Phase 1: rectangles whose corners lie in four boxes; each corner in turn is the pivot.
  // Pivot and wings are bivalue: a rectangle with two other corners has no wing, so both its
  // columns hold a bivalue corner and one of them two.
  for (uint32_t r1 = 0; r1 < 8; ++r1)
    for (uint32_t r2 = r1 + 1; r2 < 9; ++r2) {
      if (r1 / 3 == r2 / 3) continue;
      const uint32_t either = rowBivalue[r1] | rowBivalue[r2];
      const uint32_t both = rowBivalue[r1] & rowBivalue[r2];
      if (both == 0) continue;
      for (uint32_t c1s = either; c1s; c1s &= c1s - 1) {
        const uint32_t c1 = Lowest(c1s);
        const uint32_t laterStacks = ~0u << (c1 / 3 * 3 + 3);
        for (uint32_t c2s = either & laterStacks; c2s; c2s &= c2s - 1) {
          const uint32_t c2 = Lowest(c2s);
          if (!((both >> c1 | both >> c2) & 1)) continue;
          const uint32_t a = CellAt(r1, c1), b = CellAt(r1, c2);
          const uint32_t c = CellAt(r2, c1), d = CellAt(r2, c2);
          XYWingCorner(a, b, c, d);
          XYWingCorner(b, d, a, c);
          XYWingCorner(c, a, d, b);
          XYWingCorner(d, b, c, a);
        }
      }
    }
  // Phase 2: the pivot and one wing share a box, the other wing is in the pivot's line.
  for (uint32_t r = 0; r < 9; ++r)
    for (uint32_t pivots = rowBivalue[r]; pivots; pivots &= pivots - 1) {
      const uint32_t c = Lowest(pivots), p = CellAt(r, c), box = BlockOf(p);
      const uint32_t band = r / 3 * 3, stack = c / 3 * 3;
      // The second wing W2 each first wing W1 of the box asks for: {x, z} = W1 sharing
      // exactly x with the pivot {x, y}, and then W2 = {y, z}; 0 when W1 fits no pattern.
      uint32_t want[9] = {};
      for (uint32_t ks = boxBivalue[box]; ks; ks &= ks - 1) {
        const uint32_t k = Lowest(ks), w1 = BlockCell(box, k);
        if (w1 == p) continue;
        const uint32_t shared = gMask[p] & gMask[w1];
        if (std::popcount(shared) != 1) continue;
        const uint32_t z = gMask[w1] & ~shared;
        if (z & gMask[p]) continue;
        want[k] = (gMask[p] & ~shared) | z;
      }
      for (uint32_t k = 0; k < 9; ++k) {  // row form
        if (want[k] == 0) continue;
        const uint32_t w1 = BlockCell(box, k);
        for (uint32_t cols = rowBivalue[r] & ~(7u << stack); cols; cols &= cols - 1) {
          const uint32_t col = Lowest(cols);
          const uint32_t w2 = CellAt(r, col);
          if (gMask[w2] != want[k]) continue;
          const uint32_t d = Lowest(gMask[w1] & ~gMask[p]);
          for (uint32_t x = stack; x < stack + 3; ++x) {
            const uint32_t t = CellAt(r, x);
            if (t != p && t != w1) QueueIfOpen(t, d);
          }
          const uint32_t stack2 = col / 3 * 3;
          for (uint32_t x = stack2; x < stack2 + 3; ++x) {
            const uint32_t t = CellAt(RowOf(w1), x);
            if (t != w2) QueueIfOpen(t, d);
          }
        }
      }
      for (uint32_t k = 0; k < 9; ++k) {  // column form, W1 still row by row
        if (want[k] == 0) continue;
        const uint32_t w1 = BlockCell(box, k);
        for (uint32_t rows = columnBivalue[c] & ~(7u << band); rows; rows &= rows - 1) {
          const uint32_t row = Lowest(rows);
          const uint32_t w2 = CellAt(row, c);
          if (gMask[w2] != want[k]) continue;
          const uint32_t d = Lowest(gMask[w1] & ~gMask[p]);
          for (uint32_t y = band; y < band + 3; ++y) {
            const uint32_t t = CellAt(y, c);
            if (t != p && t != w1) QueueIfOpen(t, d);
          }
          const uint32_t band2 = row / 3 * 3;
          for (uint32_t y = band2; y < band2 + 3; ++y) {
            const uint32_t t = CellAt(y, ColumnOf(w1));
            if (t != w2) QueueIfOpen(t, d);
          }
        }
      }
    }
  if (g.queue.length) FlushEliminations(CodeXYWing);
  return FinishRoutine(place, KindAuto);
}

uint32_t XYZWing(uint32_t place) {
  ResetQueue();
  LoadMasks();
  for (uint32_t p = 0; p < 81; ++p) {
    if (g.cand.count[p] != 3 || std::popcount(gMask[p]) != 3) continue;
    const uint32_t m = gMask[p], r = RowOf(p), c = ColumnOf(p);
    for (uint32_t k = 0; k < 9; ++k) {
      const uint32_t w1 = BlockCell(BlockOf(p), k);
      if (!Bivalue(w1) || (gMask[w1] & ~m) != 0) continue;
      const uint32_t third = m & ~gMask[w1];
      auto tryWing = [&](uint32_t w2) {
        if (!Bivalue(w2) || (gMask[w2] & third) == 0) return;
        const uint32_t z = gMask[w2] & ~third;
        if (z & gMask[w1]) QueueWingIntersection(p, w1, w2, Lowest(z));
      };
      for (uint32_t col = 0; col < 9; ++col)
        if (col / 3 != c / 3) tryWing(CellAt(r, col));
      for (uint32_t row = 0; row < 9; ++row)
        if (row / 3 != r / 3) tryWing(CellAt(row, c));
    }
  }
  if (g.queue.length) FlushEliminations(CodeXYZWing);
  return FinishRoutine(place, KindAuto);
}

uint32_t WXYZWing(uint32_t place) {
  ResetQueue();
  LoadMasks();
  for (uint32_t p = 0; p < 81; ++p) {
    if (g.cand.count[p] != 4 || std::popcount(gMask[p]) != 4) continue;
    const uint32_t m = gMask[p], r = RowOf(p), c = ColumnOf(p);
    for (uint32_t k = 0; k < 9; ++k) {
      const uint32_t w1 = BlockCell(BlockOf(p), k);
      if (!Bivalue(w1) || (gMask[w1] & ~m) != 0) continue;
      // form 0: wings in the pivot's row; form 1: in its column.
      for (uint32_t form = 0; form < 2; ++form) {
        auto lineCell = [&](uint32_t i) { return form == 0 ? CellAt(r, i) : CellAt(i, c); };
        const uint32_t own = form == 0 ? c / 3 : r / 3;
        for (uint32_t i2 = 0; i2 < 9; ++i2) {
          if (i2 / 3 == own) continue;
          const uint32_t w2 = lineCell(i2);
          if (!Bivalue(w2) || (gMask[w2] & ~m) != 0) continue;
          const uint32_t z = gMask[w2] & gMask[w1];
          if (std::popcount(z) != 1) continue;
          const uint32_t fourth = m & ~(gMask[w1] | gMask[w2]);
          for (uint32_t i3 = 0; i3 < 9; ++i3) {
            if (i3 / 3 == own || i3 == i2) continue;
            const uint32_t w3 = lineCell(i3);
            if (Bivalue(w3) && gMask[w3] == (z | fourth))
              QueueWingIntersection(p, w1, w2, Lowest(z));
          }
        }
      }
    }
  }
  if (g.queue.length) FlushEliminations(CodeWXYZWing);
  return FinishRoutine(place, KindAuto);
}

uint32_t WXYZWingType1(uint32_t place) {
  ResetQueue();
  LoadMasks();
  // The four-candidate cells and the bivalue cells, as lists.
  uint32_t quads[81], quadCount = 0, pairs[81], pairCount = 0;
  for (uint32_t c = 0; c < 81; ++c) {
    if (g.cand.count[c] == 4 && std::popcount(gMask[c]) == 4) quads[quadCount++] = c;
    if (Bivalue(c)) pairs[pairCount++] = c;
  }
  uint32_t pivotDigits = 0;
  for (uint32_t i = 0; i < quadCount; ++i) pivotDigits |= gMask[quads[i]];
  for (uint32_t z = 0; z < 9; ++z) {
    const uint32_t zb = 1u << z;
    if (!(pivotDigits & zb)) continue;  // no pivot holds z
    // Per line (rows 0..8, columns 9..17) the positions of the pivots and of the bivalue
    // cells holding z.
    uint32_t pivots[18] = {}, wings[18] = {};
    for (uint32_t i = 0; i < quadCount; ++i)
      if (gMask[quads[i]] & zb) {
        pivots[RowOf(quads[i])] |= 1u << ColumnOf(quads[i]);
        pivots[9 + ColumnOf(quads[i])] |= 1u << RowOf(quads[i]);
      }
    for (uint32_t i = 0; i < pairCount; ++i)
      if (gMask[pairs[i]] & zb) {
        wings[RowOf(pairs[i])] |= 1u << ColumnOf(pairs[i]);
        wings[9 + ColumnOf(pairs[i])] |= 1u << RowOf(pairs[i]);
      }
    // form 0: the line is row `line`, positions are columns; form 1: column `line`, rows.
    for (uint32_t form = 0; form < 2; ++form)
      for (uint32_t line = 0; line < 9; ++line) {
        const uint32_t lineWings = wings[form * 9 + line];
        if (pivots[form * 9 + line] == 0 || std::popcount(lineWings) < 2) continue;
        for (uint32_t ps = pivots[form * 9 + line]; ps; ps &= ps - 1) {
          const uint32_t pos = Lowest(ps);
          auto at = [&](uint32_t i) { return form == 0 ? CellAt(line, i) : CellAt(i, line); };
          const uint32_t p = at(pos);
          const uint32_t m = gMask[p];
          for (uint32_t k1s = lineWings; k1s; k1s &= k1s - 1) {
            const uint32_t k1 = Lowest(k1s);
            const uint32_t w2 = at(k1);
            const uint32_t y1 = gMask[w2] & ~zb;
            for (uint32_t k2s = lineWings & ~(1u << k1); k2s; k2s &= k2s - 1) {
              const uint32_t k2 = Lowest(k2s);
              const uint32_t w3 = at(k2);
              const uint32_t y2 = gMask[w3] & ~zb;
              if (y1 == y2 || !(y1 & m) || !(y2 & m)) continue;
              const uint32_t band = RowOf(p) / 3 * 3, stack = ColumnOf(p) / 3 * 3;
              for (uint32_t k = 0; k < 9; ++k) {
                // box cells row by row for the row form, column by column for the column form
                const uint32_t w1 = form == 0 ? CellAt(band + k / 3, stack + k % 3)
                                              : CellAt(band + k % 3, stack + k / 3);
                if (w1 == p || !Bivalue(w1) || !(gMask[w1] & zb)) continue;
                const uint32_t y3 = gMask[w1] & ~zb;
                if (y3 == y1 || y3 == y2 || !(y3 & m)) continue;
                const uint32_t first = form == 0 ? stack : band;
                for (uint32_t i = first; i < first + 3; ++i) {
                  const uint32_t t = at(i);
                  if (t == p || t == w2 || t == w3 || t == w1 || g.cand.count[t] < 2) continue;
                  QueueEliminationWitness(t, z, p, p, 1);
                }
              }
            }
          }
        }
      }
  }
  if (g.queue.length) FlushEliminations(CodeWXYZWing);
  return FinishRoutine(place, KindAuto);
}

namespace {

// The digits held by exactly one of three cells / by at least one of them.
struct Triple {
  uint32_t cell[3];
  uint32_t all;
};

// A cell that may belong to a triple: two to four candidates.
bool TripleCell(uint32_t c) { return g.cand.count[c] >= 2 && g.cand.count[c] <= 4; }

uint32_t Holders(const Triple& t, uint32_t d) {
  uint32_t n = 0;
  for (uint32_t i = 0; i < 3; ++i) n += (gMask[t.cell[i]] >> d) & 1;
  return n;
}

bool InTriple(const Triple& t, uint32_t c) {
  return c == t.cell[0] || c == t.cell[1] || c == t.cell[2];
}

uint32_t SoleHolder(const Triple& t, uint32_t d) {
  for (uint32_t i = 0; i < 3; ++i)
    if (gMask[t.cell[i]] & (1u << d)) return t.cell[i];
  return 81;
}

// Queue y in a target of a four-digit triple; returns 1 when the entry was written and the
// digit is still there, i.e. when a detailed line is due.
uint32_t QueueTripleTarget(uint32_t target, uint32_t y, uint32_t w1, uint32_t w2, uint32_t type) {
  if (g.cand.count[target] < 2) return 0;
  if (!QueueEliminationWitness(target, y, w1, w2, type)) return 0;
  return g.cand.flag[target * 9 + y] != 0 ? 1 : 0;
}

// The digits held by exactly one of three masks.
inline uint32_t HeldOnce(uint32_t a, uint32_t b, uint32_t c) {
  return (a & ~b & ~c) | (b & ~a & ~c) | (c & ~a & ~b);
}

// Per box (bit k = k-th box cell), row (bit = column) and column (bit = row): the bivalue
// cells, and the cells that may belong to a triple. Per box, row and column and digit p, the
// digits q of its bivalue cells {p, q}.
struct LineCells {
  uint32_t bivalueBox[9], bivalueRow[9], bivalueColumn[9];
  uint32_t tripleBox[9], tripleRow[9], tripleColumn[9];
  uint16_t pairBox[9][9], pairRow[9][9], pairColumn[9][9];
};

void LoadLineCells(LineCells& b) {
  b = {};
  for (uint32_t r = 0; r < 9; ++r)
    for (uint32_t col = 0; col < 9; ++col) {
      const uint32_t c = CellAt(r, col);
      if (!TripleCell(c)) continue;  // a bivalue cell is one too
      const uint32_t box = r / 3 * 3 + col / 3, k = r % 3 * 3 + col % 3;
      b.tripleBox[box] |= 1u << k;
      b.tripleRow[r] |= 1u << col;
      b.tripleColumn[col] |= 1u << r;
      if (Bivalue(c)) {
        b.bivalueBox[box] |= 1u << k;
        b.bivalueRow[r] |= 1u << col;
        b.bivalueColumn[col] |= 1u << r;
        const uint32_t p = Lowest(gMask[c]), q = Lowest(gMask[c] & (gMask[c] - 1));
        b.pairBox[box][p] |= static_cast<uint16_t>(1u << q);
        b.pairBox[box][q] |= static_cast<uint16_t>(1u << p);
        b.pairRow[r][p] |= static_cast<uint16_t>(1u << q);
        b.pairRow[r][q] |= static_cast<uint16_t>(1u << p);
        b.pairColumn[col][p] |= static_cast<uint16_t>(1u << q);
        b.pairColumn[col][q] |= static_cast<uint16_t>(1u << p);
      }
    }
}

LineCells lineCells;

}  // namespace

uint32_t WXYZWingType2(uint32_t place) {
  ResetQueue();
  LoadMasks();
  const LineCells& cells = lineCells;
  LoadLineCells(lineCells);
  // form 0: vertical (three cells of a column); form 1: horizontal (three cells of a row).
  for (uint32_t form = 0; form < 2; ++form) {
    const char* tag = form == 0 ? "縦" : "横";
    for (uint32_t line = 0; line < 9; ++line) {
      auto at = [&](uint32_t i) { return form == 0 ? CellAt(i, line) : CellAt(line, i); };
      const uint32_t open = form == 0 ? cells.tripleColumn[line] : cells.tripleRow[line];
      for (uint32_t s1 = open; s1; s1 &= s1 - 1) {
        const uint32_t i1 = Lowest(s1);
        for (uint32_t s2 = s1 & (s1 - 1); s2; s2 &= s2 - 1) {
          const uint32_t i2 = Lowest(s2);
          // The three cells hold four digits together: two with more can hold no triple.
          if (std::popcount(gMask[at(i1)] | gMask[at(i2)]) > 4) continue;
          for (uint32_t s3 = s2 & (s2 - 1); s3; s3 &= s3 - 1) {
            const uint32_t i3 = Lowest(s3);
            // every cell of `open` holds two to four candidates
            Triple t{{at(i1), at(i2), at(i3)}, 0};
            t.all = gMask[t.cell[0]] | gMask[t.cell[1]] | gMask[t.cell[2]];
            if (std::popcount(t.all) != 4) continue;
            const uint32_t once = HeldOnce(gMask[t.cell[0]], gMask[t.cell[1]], gMask[t.cell[2]]);
            const uint32_t members = 1u << i1 | 1u << i2 | 1u << i3;
            for (uint32_t zs = once; zs; zs &= zs - 1) {
              const uint32_t z = Lowest(zs);
              const uint32_t zc = SoleHolder(t, z);
              const uint32_t box = BlockOf(zc);
              // y among the digits forming a bivalue {z, y} in Z's box.
              for (uint32_t ys = t.all & ~(1u << z) & cells.pairBox[box][z]; ys; ys &= ys - 1) {
                const uint32_t y = Lowest(ys);
                const uint32_t pair = (1u << z) | (1u << y);
                for (uint32_t ks = cells.bivalueBox[box]; ks; ks &= ks - 1) {
                  const uint32_t w = BlockCell(box, Lowest(ks));
                  if (gMask[w] != pair || InTriple(t, w)) continue;
                  auto detail = [&](bool plus) {
                    if (DetailedLog())
                      LogLine(Format("※WXYZ-Wing Type2%s%s<%u> %u,%u,%u,%u,%u", tag,
                                     plus ? "+" : "", y, i1, i2, i3, ColumnOf(w), RowOf(w)));
                  };
                  // step 1: the line's cells in Z's box
                  const uint32_t first = form == 0 ? RowOf(zc) / 3 * 3 : ColumnOf(zc) / 3 * 3;
                  for (uint32_t i = first; i < first + 3; ++i) {
                    const uint32_t target = at(i);
                    if (target == w || (members >> i & 1)) continue;
                    if (QueueTripleTarget(target, y, w, t.cell[0], 2)) detail(false);
                  }
                  // step 2: W off the line and y in one triple cell: the crossing cell
                  const bool offLine = form == 0 ? ColumnOf(w) != line : RowOf(w) != line;
                  if (!offLine || Holders(t, y) != 1) continue;
                  for (uint32_t j = 0; j < 3; ++j) {
                    const uint32_t ti = t.cell[j];
                    if (!(gMask[ti] & (1u << y))) continue;
                    if (form == 0 ? RowOf(ti) == RowOf(w) : ColumnOf(ti) == ColumnOf(w))
                      continue;
                    const uint32_t target = form == 0 ? CellAt(RowOf(ti), ColumnOf(w))
                                                      : CellAt(RowOf(w), ColumnOf(ti));
                    if (QueueTripleTarget(target, y, w, t.cell[0], 2)) detail(true);
                  }
                }
              }
            }
          }
        }
      }
    }
  }
  if (g.queue.length) FlushEliminations(CodeWXYZWing);
  return FinishRoutine(place, KindAuto);
}

uint32_t WXYZWingType3(uint32_t place) {
  ResetQueue();
  LoadMasks();
  const LineCells& cells = lineCells;
  LoadLineCells(lineCells);
  for (uint32_t box = 0; box < 9; ++box) {
    for (uint32_t s1 = cells.tripleBox[box]; s1; s1 &= s1 - 1) {
      const uint32_t i = Lowest(s1);
      for (uint32_t s2 = s1 & (s1 - 1); s2; s2 &= s2 - 1) {
        const uint32_t j = Lowest(s2);
        if (std::popcount(gMask[BlockCell(box, i)] | gMask[BlockCell(box, j)]) > 4) continue;
        for (uint32_t s3 = s2 & (s2 - 1); s3; s3 &= s3 - 1) {
          const uint32_t k = Lowest(s3);
          // every cell of tripleBox holds two to four candidates
          Triple t{{BlockCell(box, i), BlockCell(box, j), BlockCell(box, k)}, 0};
          t.all = gMask[t.cell[0]] | gMask[t.cell[1]] | gMask[t.cell[2]];
          if (std::popcount(t.all) != 4) continue;
          const uint32_t members = 1u << i | 1u << j | 1u << k;
          const uint32_t once = HeldOnce(gMask[t.cell[0]], gMask[t.cell[1]], gMask[t.cell[2]]);
          for (uint32_t zs = once; zs; zs &= zs - 1) {
            const uint32_t z = Lowest(zs);
            const uint32_t zc = SoleHolder(t, z);
            const uint32_t zr = RowOf(zc), zcol = ColumnOf(zc);
            // y among the digits forming a bivalue {z, y} in Z's row or column.
            const uint32_t paired = cells.pairRow[zr][z] | cells.pairColumn[zcol][z];
            for (uint32_t ys = t.all & ~(1u << z) & paired; ys; ys &= ys - 1) {
              const uint32_t y = Lowest(ys);
              const uint32_t pair = (1u << z) | (1u << y);
              // scan 0: W in Z's row, targets in Z's row; scan 1: the same by column.
              for (uint32_t scan = 0; scan < 2; ++scan)
                for (uint32_t xs = scan == 0 ? cells.bivalueRow[zr] : cells.bivalueColumn[zcol]; xs;
                     xs &= xs - 1) {
                  const uint32_t x = Lowest(xs);
                  const uint32_t w = scan == 0 ? CellAt(zr, x) : CellAt(x, zcol);
                  if (gMask[w] != pair || InTriple(t, w)) continue;
                  const uint32_t first = scan == 0 ? zcol / 3 * 3 : zr / 3 * 3;
                  for (uint32_t q = first; q < first + 3; ++q) {
                    const uint32_t target = scan == 0 ? CellAt(zr, q) : CellAt(q, zcol);
                    // the target lies in the triple's box
                    const uint32_t k2 = RowOf(target) % 3 * 3 + ColumnOf(target) % 3;
                    if (target == w || (members >> k2 & 1)) continue;
                    if (QueueTripleTarget(target, y, w, zc, 3) && DetailedLog())
                      LogLine(Format("※WXYZ-Wing Type3 <%u> %u,%u,%u,%u,%u", y, t.cell[0],
                                     t.cell[1], t.cell[2], w, target));
                  }
                }
            }
          }
        }
      }
    }
  }
  if (g.queue.length) FlushEliminations(CodeWXYZWing);
  return FinishRoutine(place, KindAuto);
}

const RoutineEntry kWingRoutines[] = {
    {"XYWing", XYWing, 570},
    {"XYZWing", XYZWing, 1090},
    {"WXYZWing", WXYZWing, 1100},
    // The three patterns of "WXYZ-Wing(2)" (group command 1101, run by the drivers).
    {"WXYZWingType1", WXYZWingType1, 0},
    {"WXYZWingType2", WXYZWingType2, 0},
    {"WXYZWingType3", WXYZWingType3, 0},
    {nullptr, nullptr, 0},
};
