// The uniqueness patterns of the chain rung: Hidden Rectangle, Avoidable Rectangle types 1
// and 2 and BUG+1. Like the unique rectangles they rely on the puzzle having one solution: a
// rectangle of two rows, two columns and exactly two boxes whose four cells could swap two
// digits would leave two solutions. The hidden rectangle uses empty cells only, as the unique
// rectangles do; an avoidable rectangle is made of cells solved by the user or by the engine,
// never of givens (a given cannot swap).
#include "techniques/patterns.h"

#include "board/queue.h"
#include "techniques/pattern_common.h"

namespace {

inline uint32_t Lowest(uint32_t m) { return static_cast<uint32_t>(std::countr_zero(m)); }
inline uint32_t Bits(uint32_t m) { return static_cast<uint32_t>(std::popcount(m)); }
constexpr uint32_t kNoDigit = 9;

// Rows r1, r2 and columns c1, c2 meet in exactly two boxes.
inline bool TwoBoxes(uint32_t r1, uint32_t r2, uint32_t c1, uint32_t c2) {
  return (r1 / 3 == r2 / 3) != (c1 / 3 == c2 / 3);
}

std::string OpenName(const PatternTable& t, uint32_t c) {
  return CellName(c) + "(" + DigitList(t.mask[c]) + ")";
}
// x on a line only at the side corner and the target: "(x)side=(x)target", or "(x)side" when
// the target has lost x.
std::string LinkName(const PatternTable& t, uint32_t x, uint32_t side, uint32_t target) {
  if ((t.mask[target] >> x & 1) == 0) return Candidate(x, side);
  return Candidate(x, side) + "=" + Candidate(x, target);
}

// The rectangle with the opposite corners a and e, as "r14c15".
std::string RectangleName(uint32_t a, uint32_t e) {
  return GroupName(OneCell(a) | OneCell(e) | OneCell(CellAt(RowOf(a), ColumnOf(e))) |
                   OneCell(CellAt(RowOf(e), ColumnOf(a))));
}

// Hidden Rectangle: four empty corners; one of them, A, holds only x and y. If x lies in the
// row and in the column of the opposite corner D only on the rectangle, D cannot be y: the
// row and the column would put x on both neighbours of A, leaving y for A and D, and the four
// cells could swap x and y. The neighbours need not hold y nor D hold x: the swapped grid
// breaks no rule whatever the candidates say.
// Found from A: the neighbour C below or above A in A's column and the neighbour B beside A
// in A's row must hold x, which fixes D's row and column.
void HiddenRectangleScan(PatternRun& run, const PatternTable& t) {
  for (Cells81 cells = t.open; !IsEmpty(cells);) {
    const uint32_t a = TakeFirst(cells);
    if (Bits(t.mask[a]) != 2 || g.board.value[a] != 0) continue;
    const uint32_t ra = RowOf(a), ca = ColumnOf(a);
    for (uint32_t xs = t.mask[a]; xs; xs &= xs - 1) {
      const uint32_t x = Lowest(xs), y = Lowest(t.mask[a] & ~(1u << x));
      for (uint32_t rows = t.holders[x][9 + ca] & ~(1u << ra); rows; rows &= rows - 1) {
        const uint32_t r2 = Lowest(rows);
        const uint32_t rowRest = t.holders[x][r2] & ~(1u << ca);  // D's row beyond C
        if (Bits(rowRest) > 1) continue;
        for (uint32_t columns = t.holders[x][ra] & ~(1u << ca); columns; columns &= columns - 1) {
          const uint32_t c2 = Lowest(columns);
          if ((rowRest & ~(1u << c2)) != 0 || !TwoBoxes(ra, r2, ca, c2)) continue;
          const uint32_t e = CellAt(r2, c2), side1 = CellAt(r2, ca), side2 = CellAt(ra, c2);
          if (!Contains(t.open, e) || (t.mask[e] >> y & 1) == 0) continue;
          if ((t.holders[x][9 + c2] & ~(1u << ra | 1u << r2)) != 0) continue;
          if (g.board.value[e] != 0 || g.board.value[side1] != 0 || g.board.value[side2] != 0)
            continue;
          BeginPattern(run);
          OfferRemoval(run, t, e, y);
          EndPattern(run, [&] {
            return Format("(%u%u)", x < y ? x + 1 : y + 1, x < y ? y + 1 : x + 1) +
                   RectangleName(a, e) + " " + OpenName(t, a) + " " + LinkName(t, x, side1, e) +
                   " " + LinkName(t, x, side2, e);
          });
        }
      }
    }
  }
}

// The digit index of a cell solved but not given: a digit placed by the user or the engine,
// or in the candidate screens an empty cell left with one candidate. kNoDigit otherwise.
uint32_t SolvedDigit(const PatternTable& t, uint32_t c) {
  const uint32_t value = g.board.value[c], kind = g.board.kind[c];
  if (value >= 1 && value <= 9) {
    const bool placed = kind == KindAutoSingle || kind == KindAutoFile || kind == KindAuto ||
                        kind == KindInput || kind == KindAssumed;
    return placed ? value - 1 : kNoDigit;
  }
  if (value == 0 && g.cand.count[c] == 1 && Bits(t.mask[c]) == 1) return Lowest(t.mask[c]);
  return kNoDigit;
}

std::string SolvedName(uint32_t c, uint32_t d) { return CellName(c) + Format("=%u", d + 1); }

// The solved digit of every cell (kNoDigit for givens and open cells); the number of cells
// solved but not given.
uint32_t LoadSolved(const PatternTable& t, uint32_t solved[81]) {
  uint32_t n = 0;
  for (uint32_t c = 0; c < 81; ++c) {
    solved[c] = SolvedDigit(t, c);
    n += solved[c] != kNoDigit;
  }
  return n;
}

// Avoidable Rectangle type 1: three corners solved, not given, the two beside the fourth with
// the same digit y and the one opposite with x: the fourth cannot be x. Found from the two
// corners with y, which lie across each other.
void AvoidableType1Scan(PatternRun& run, const PatternTable& t) {
  uint32_t solved[81];
  if (LoadSolved(t, solved) < 3) return;
  uint32_t cells[9][9], count[9] = {};  // the solved cells of each digit, ascending
  for (uint32_t c = 0; c < 81; ++c)
    if (solved[c] != kNoDigit && count[solved[c]] < 9) cells[solved[c]][count[solved[c]]++] = c;
  for (uint32_t y = 0; y < 9; ++y)
    for (uint32_t i = 0; i < count[y]; ++i)
      for (uint32_t j = i + 1; j < count[y]; ++j) {
        const uint32_t s1 = cells[y][i], s2 = cells[y][j];
        const uint32_t r1 = RowOf(s1), c1 = ColumnOf(s1), r2 = RowOf(s2), c2 = ColumnOf(s2);
        if (r1 == r2 || c1 == c2 || !TwoBoxes(r1, r2, c1, c2)) continue;
        const uint32_t p = CellAt(r1, c2), q = CellAt(r2, c1);
        for (uint32_t k = 0; k < 2; ++k) {
          const uint32_t opposite = k == 0 ? p : q, e = k == 0 ? q : p;
          const uint32_t x = solved[opposite];
          if (x == kNoDigit || x == y || !Contains(t.open, e)) continue;
          BeginPattern(run);
          OfferRemoval(run, t, e, x);
          EndPattern(run, [&] {
            const uint32_t left = c1 < c2 ? c1 : c2, right = c1 < c2 ? c2 : c1;
            const uint32_t corners[4] = {CellAt(r1, left), CellAt(r1, right), CellAt(r2, left),
                                         CellAt(r2, right)};
            std::string text;
            for (uint32_t c : corners) {
              if (c == e) continue;
              if (!text.empty()) text += ", ";
              text += SolvedName(c, solved[c]);
            }
            return text;
          });
        }
      }
}

// Avoidable Rectangle type 2: two corners on one line solved, not given, with x and y; the
// corner across from x holds {y, z} only and the one across from y {x, z} only. Both
// cannot take the swapped digits, so one of them is z, which leaves the cells seeing both.
// Found from the solved pairs of each row, then of each column.
void AvoidableType2Scan(PatternRun& run, const PatternTable& t) {
  uint32_t solved[81];
  if (LoadSolved(t, solved) < 2) return;
  for (uint32_t kind = 0; kind < 2; ++kind)
    for (uint32_t line = 0; line < 9; ++line)
      for (uint32_t i = 0; i < 9; ++i) {
        const uint32_t s1 = kUnitCells.cell[kind * 9 + line][i], x = solved[s1];
        if (x == kNoDigit) continue;
        for (uint32_t j = i + 1; j < 9; ++j) {
          const uint32_t s2 = kUnitCells.cell[kind * 9 + line][j], y = solved[s2];
          if (y == kNoDigit || y == x) continue;
          for (uint32_t other = 0; other < 9; ++other) {
            if (other == line) continue;
            const bool fits = kind == 0 ? TwoBoxes(line, other, i, j) : TwoBoxes(i, j, line, other);
            if (!fits) continue;
            const uint32_t u1 = kUnitCells.cell[kind * 9 + other][i];
            const uint32_t u2 = kUnitCells.cell[kind * 9 + other][j];
            if (!Contains(t.open, u1) || !Contains(t.open, u2)) continue;
            if (Bits(t.mask[u1]) != 2 || Bits(t.mask[u2]) != 2) continue;
            if ((t.mask[u1] >> y & 1) == 0 || (t.mask[u2] >> x & 1) == 0) continue;
            const uint32_t z1 = t.mask[u1] & ~(1u << y), z2 = t.mask[u2] & ~(1u << x);
            if (z1 != z2 || (z1 & (1u << x)) != 0) continue;
            const uint32_t z = Lowest(z1);
            BeginPattern(run);
            OfferRemovals(run, t, CommonPeers(u1, u2), z);
            EndPattern(run, [&] {
              return SolvedName(s1, x) + ", " + SolvedName(s2, y) + ", " + OpenName(t, u1) +
                     ", " + OpenName(t, u2);
            });
          }
        }
      }
}

// BUG+1: every open cell bivalue but one, P, with three candidates. If taking one digit z
// from P leaves each digit in each unit on none or two open cells, P is z: any of its other
// digits would leave a grave whose solutions come in pairs (every cell swaps to its other
// candidate). Solved cells must agree with the table (no open peer still holds their digit),
// since the swapped solution has to fit them too.
void BugPlusOneScan(PatternRun& run, const PatternTable& t) {
  uint32_t trivalue = 81;
  for (uint32_t c = 0; c < 81; ++c) {
    if (Contains(t.open, c)) {
      const uint32_t n = Bits(t.mask[c]);
      if (n == 2) continue;
      if (n != 3 || trivalue != 81) return;
      trivalue = c;
      continue;
    }
    uint32_t d = kNoDigit;
    if (g.board.value[c] >= 1 && g.board.value[c] <= 9)
      d = g.board.value[c] - 1;
    else if (Bits(t.mask[c]) == 1)
      d = Lowest(t.mask[c]);
    if (d == kNoDigit) return;
    if (!IsEmpty(kPeerSets.peers[c] & t.digitCells[d] & t.open)) return;
  }
  if (trivalue == 81) return;
  uint32_t counts[9][27];
  for (uint32_t d = 0; d < 9; ++d)
    for (uint32_t u = 0; u < 27; ++u)
      counts[d][u] = CountCells(t.digitCells[d] & t.open & kPeerSets.unit[u]);
  const uint32_t units[3] = {RowOf(trivalue), 9 + ColumnOf(trivalue), 18 + BlockOf(trivalue)};
  for (uint32_t zs = t.mask[trivalue]; zs; zs &= zs - 1) {
    const uint32_t z = Lowest(zs);
    bool grave = true;
    for (uint32_t d = 0; d < 9 && grave; ++d)
      for (uint32_t u = 0; u < 27 && grave; ++u) {
        uint32_t n = counts[d][u];
        if (d == z && (u == units[0] || u == units[1] || u == units[2])) --n;
        grave = n == 0 || n == 2;
      }
    if (!grave) continue;
    BeginPattern(run);
    for (uint32_t ds = t.mask[trivalue] & ~(1u << z); ds; ds &= ds - 1)
      OfferRemoval(run, t, trivalue, Lowest(ds));
    EndPatternWithLine(run, [&] {
      return OpenName(t, trivalue) + " => " + CellName(trivalue) + Format("=%u", z + 1);
    });
    return;
  }
}

using Scan = void (*)(PatternRun& run, const PatternTable& t);

uint32_t RunScan(Scan scan, uint32_t code, uint32_t place) {
  PatternTable t;
  LoadPatternTable(t);
  PatternRun run;
  BeginRun(run);
  scan(run, t);
  return FinishPatternRoutine(code, place);
}

}  // namespace

uint32_t HiddenRectangle(uint32_t place) {
  return RunScan(HiddenRectangleScan, CodeHiddenRectangle, place);
}
uint32_t AvoidableRectangleType1(uint32_t place) {
  return RunScan(AvoidableType1Scan, CodeAvoidableRectangleType1, place);
}
uint32_t AvoidableRectangleType2(uint32_t place) {
  return RunScan(AvoidableType2Scan, CodeAvoidableRectangleType2, place);
}
uint32_t BugPlusOne(uint32_t place) { return RunScan(BugPlusOneScan, CodeBugPlusOne, place); }
