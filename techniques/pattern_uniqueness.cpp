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

// The rectangles of two rows, two columns and exactly two boxes, rows then columns
// ascending; corner[i][j] is the cell on the i-th row and the j-th column.
template <typename Visit>
void ForEachRectangle(Visit visit) {
  for (uint32_t r1 = 0; r1 < 8; ++r1)
    for (uint32_t r2 = r1 + 1; r2 < 9; ++r2)
      for (uint32_t c1 = 0; c1 < 8; ++c1)
        for (uint32_t c2 = c1 + 1; c2 < 9; ++c2) {
          if ((r1 / 3 == r2 / 3) == (c1 / 3 == c2 / 3)) continue;
          const uint32_t corner[2][2] = {{CellAt(r1, c1), CellAt(r1, c2)},
                                         {CellAt(r2, c1), CellAt(r2, c2)}};
          visit(corner);
        }
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

std::string RectangleName(const uint32_t corner[2][2]) {
  return GroupName(OneCell(corner[0][0]) | OneCell(corner[0][1]) | OneCell(corner[1][0]) |
                   OneCell(corner[1][1]));
}

// Hidden Rectangle: four empty corners; one of them, A, holds only x and y. If x lies in the
// row and in the column of the opposite corner D only on the rectangle, D cannot be y: the
// row and the column would put x on both neighbours of A, leaving y for A and D, and the four
// cells could swap x and y. The neighbours need not hold y nor D hold x: the swapped grid
// breaks no rule whatever the candidates say.
void HiddenRectangleScan(PatternRun& run, const PatternTable& t) {
  ForEachRectangle([&](const uint32_t corner[2][2]) {
    uint32_t bivalue = 0;
    for (uint32_t k = 0; k < 4; ++k) {
      const uint32_t c = corner[k / 2][k % 2];
      if (g.board.value[c] != 0) return;
      bivalue += Contains(t.open, c) && Bits(t.mask[c]) == 2;
    }
    if (bivalue == 0) return;
    for (uint32_t i = 0; i < 2; ++i)
      for (uint32_t j = 0; j < 2; ++j) {
        const uint32_t a = corner[i][j], e = corner[1 - i][1 - j];
        const uint32_t side1 = corner[1 - i][j], side2 = corner[i][1 - j];
        if (!Contains(t.open, a) || !Contains(t.open, e) || Bits(t.mask[a]) != 2) continue;
        const uint32_t rowUnit = RowOf(e), columnUnit = 9 + ColumnOf(e);
        const uint32_t rowPair = 1u << ColumnOf(a) | 1u << ColumnOf(e);
        const uint32_t columnPair = 1u << RowOf(a) | 1u << RowOf(e);
        for (uint32_t xs = t.mask[a]; xs; xs &= xs - 1) {
          const uint32_t x = Lowest(xs), y = Lowest(t.mask[a] & ~(1u << x));
          if ((t.mask[e] >> y & 1) == 0 || (t.mask[side1] >> x & 1) == 0 ||
              (t.mask[side2] >> x & 1) == 0)
            continue;
          if ((t.holders[x][rowUnit] & ~rowPair) != 0 ||
              (t.holders[x][columnUnit] & ~columnPair) != 0)
            continue;
          BeginPattern(run);
          OfferRemoval(run, t, e, y);
          EndPattern(run, [&] {
            return Format("(%u%u)", x < y ? x + 1 : y + 1, x < y ? y + 1 : x + 1) +
                   RectangleName(corner) + " " + OpenName(t, a) + " " +
                   LinkName(t, x, side1, e) + " " + LinkName(t, x, side2, e);
          });
        }
      }
  });
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

// Avoidable Rectangle type 1: three corners solved, not given, the two beside the fourth with
// the same digit y and the one opposite with x: the fourth cannot be x.
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

inline uint32_t SolvedCorners(const uint32_t solved[81], const uint32_t corner[2][2]) {
  return (solved[corner[0][0]] != kNoDigit) + (solved[corner[0][1]] != kNoDigit) +
         (solved[corner[1][0]] != kNoDigit) + (solved[corner[1][1]] != kNoDigit);
}

void AvoidableType1Scan(PatternRun& run, const PatternTable& t) {
  uint32_t solved[81];
  if (LoadSolved(t, solved) < 3) return;
  ForEachRectangle([&](const uint32_t corner[2][2]) {
    if (SolvedCorners(solved, corner) != 3) return;
    for (uint32_t i = 0; i < 2; ++i)
      for (uint32_t j = 0; j < 2; ++j) {
        const uint32_t e = corner[i][j];
        if (!Contains(t.open, e)) continue;
        const uint32_t opposite = corner[1 - i][1 - j], side1 = corner[1 - i][j],
                       side2 = corner[i][1 - j];
        const uint32_t x = solved[opposite], y = solved[side1];
        if (x == kNoDigit || y == kNoDigit || x == y || solved[side2] != y) continue;
        BeginPattern(run);
        OfferRemoval(run, t, e, x);
        EndPattern(run, [&] {
          std::string text;
          for (uint32_t k = 0; k < 4; ++k) {
            const uint32_t c = corner[k / 2][k % 2];
            if (c == e) continue;
            if (!text.empty()) text += ", ";
            text += SolvedName(c, solved[c]);
          }
          return text;
        });
      }
  });
}

// Avoidable Rectangle type 2: two corners on one line solved, not given, with x and y; the
// corner across from x holds {y, z} only and the one across from y {x, z} only. Both
// cannot take the swapped digits, so one of them is z, which leaves the cells seeing both.
void AvoidableType2Scan(PatternRun& run, const PatternTable& t) {
  uint32_t solved[81];
  if (LoadSolved(t, solved) < 2) return;
  ForEachRectangle([&](const uint32_t corner[2][2]) {
    if (SolvedCorners(solved, corner) != 2) return;
    // The two solved corners on a row (k = 0) or on a column (k = 1), either of each.
    for (uint32_t k = 0; k < 2; ++k)
      for (uint32_t i = 0; i < 2; ++i) {
        const uint32_t s1 = k == 0 ? corner[i][0] : corner[0][i];
        const uint32_t s2 = k == 0 ? corner[i][1] : corner[1][i];
        const uint32_t u1 = k == 0 ? corner[1 - i][0] : corner[0][1 - i];
        const uint32_t u2 = k == 0 ? corner[1 - i][1] : corner[1][1 - i];
        const uint32_t x = solved[s1], y = solved[s2];
        if (x == kNoDigit || y == kNoDigit || x == y) continue;
        if (!Contains(t.open, u1) || !Contains(t.open, u2)) continue;
        if (Bits(t.mask[u1]) != 2 || Bits(t.mask[u2]) != 2) continue;
        if ((t.mask[u1] >> y & 1) == 0 || (t.mask[u2] >> x & 1) == 0) continue;
        const uint32_t z1 = t.mask[u1] & ~(1u << y), z2 = t.mask[u2] & ~(1u << x);
        if (z1 != z2 || (z1 & (1u << x)) != 0) continue;
        const uint32_t z = Lowest(z1);
        BeginPattern(run);
        OfferRemovals(run, t, CommonPeers(u1, u2), z);
        EndPattern(run, [&] {
          return SolvedName(s1, x) + ", " + SolvedName(s2, y) + ", " + OpenName(t, u1) + ", " +
                 OpenName(t, u2);
        });
      }
  });
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
