// Franken swordfish: a conjugate line (a digit with exactly two places) and two partner lines
// of another band whose places fit the conjugate line's two cover lines plus one block. The
// digit leaves the partners' third line in that block and, under conditions, the two cover
// lines. In the detailed display mode every queued target also gets an explanation line.
//
// The row half is written once over an orientation o: o = 0 takes rows as lines (positions
// are columns, "y" lines), o = 1 takes columns (positions are rows, "x" lines).
#include "board/candidates.h"
#include "board/platform.h"
#include "board/queue.h"
#include "board/state.h"
#include "techniques/franken_fish.h"
#include "techniques/subset_scan.h"
#include "techniques/techniques.h"

namespace {

// What an explanation line says besides the digit and the target: the form (third-line
// target or cover-line clearing, y for rows, x for columns) and its numbers.
struct Explanation {
  uint32_t orientation;  // 0 y (rows), 1 x (columns)
  uint32_t clearing;     // 0 third-line target, 1 cover-line clearing
  uint32_t line;         // conjugate line + 1
  uint32_t v1, v2, v3;   // band, a, b (from 0) or partner lines + 1 (v3 unused)
};

// Queue a target and, in the detailed mode when the candidate is still there, write its
// explanation line straight into the log (the caret follows it, no draining).
bool FrankenTarget(uint32_t cell, uint32_t d, const Explanation& e) {
  if (!QueueTarget(cell, d)) return false;
  if (g.settings.candErase != 2 || !g.cand.flag[cell * 9 + d]) return true;
  const uint32_t column = cell % 9 + 1, row = cell / 9 + 1;
  const char* axis = e.orientation == 0 ? "y" : "x";
  const std::string line =
      e.clearing ? Format("Franken Swordfish <%u> 二択%s+(%u) Block[%u,%u] 消去(%u,%u)", d + 1,
                          axis, e.line, e.v1, e.v2, column, row)
                 : Format("Franken Swordfish <%u> 二択%s(%u) Block[%u,%u,%u] 消去(%u,%u)", d + 1,
                          axis, e.line, e.v1, e.v2, e.v3, column, row);
  P().LogAppend(line, true);
  return true;
}

// Clear the conjugate line's two cover lines p1 and p2 outside lines l, la and lb: per other
// line k, the cell at p1 and, only when that one was queued, the cell at p2.
void FrankenClear(uint32_t o, uint32_t l, uint32_t la, uint32_t lb, uint32_t p1, uint32_t p2,
                  uint32_t d) {
  const Explanation e = {o, 1, l + 1, la + 1, lb + 1, 0};
  for (uint32_t k = 0; k < 9; ++k) {
    if (k == l || k == la || k == lb) continue;
    if (FrankenTarget(LineCell(o, k, p1), d, e)) FrankenTarget(LineCell(o, k, p2), d, e);
  }
}

void FrankenHalf(uint32_t o, uint32_t d) {
  for (uint32_t l = 0; l < 9; ++l) {
    uint32_t pos[9];
    uint32_t n = 0;
    for (uint32_t p = 0; p < 9; ++p)
      if (HasCandidate(LineCell(o, l, p), d)) pos[n++] = p;
    if (n != 2) continue;
    const uint32_t p1 = pos[0], p2 = pos[1], s1 = p1 / 3, s2 = p2 / 3;
    for (uint32_t band = 0; band < 3; ++band) {
      if (band == l / 3) continue;
      for (uint32_t a = 0; a < 2; ++a)
        for (uint32_t b = a + 1; b < 3; ++b) {
          const uint32_t la = band * 3 + a, lb = band * 3 + b, lc = band * 3 + (3 - a - b);
          uint32_t t[9], inA[9], inB[9];
          uint32_t anyA = 0, anyB = 0;
          for (uint32_t p = 0; p < 9; ++p) {
            inA[p] = HasCandidate(LineCell(o, la, p), d) ? 1 : 0;
            inB[p] = HasCandidate(LineCell(o, lb, p), d) ? 1 : 0;
            t[p] = inA[p] + inB[p];
            anyA += inA[p];
            anyB += inB[p];
          }
          if (!anyA || !anyB || !t[p1] || !t[p2]) continue;
          // k(X), nA(X), nB(X) of a third X.
          auto k = [&](uint32_t x) {
            return (t[3 * x] > 0) + (t[3 * x + 1] > 0) + (t[3 * x + 2] > 0);
          };
          auto clearWanted = [&](uint32_t x) {
            const uint32_t na = inA[3 * x] + inA[3 * x + 1] + inA[3 * x + 2];
            const uint32_t nb = inB[3 * x] + inB[3 * x + 1] + inB[3 * x + 2];
            return k(x) == 1 || na == 0 || nb == 0;
          };
          auto thirdLineTarget = [&](uint32_t p) {
            FrankenTarget(LineCell(o, lc, p), d, {o, 0, l + 1, band, a, b});
          };
          auto clear = [&]() {
            if (o == 0)
              FrankenClearColumns(l, la, lb, p1, p2, d);
            else
              FrankenClearRows(l, la, lb, p1, p2, d);
          };
          if (s1 != s2) {
            bool clean = true;
            for (uint32_t p = 0; p < 9; ++p)
              if ((p / 3 == s1 && p != p1) || (p / 3 == s2 && p != p2))
                if (t[p]) clean = false;
            if (!clean) continue;
            const uint32_t x = 3 - s1 - s2;
            if (k(x) > 0)
              for (uint32_t p = 3 * x; p < 3 * x + 3; ++p) thirdLineTarget(p);
            if (clearWanted(x)) clear();
          } else {
            const uint32_t s = s1, p3 = 3 * s + (3 - p1 % 3 - p2 % 3);
            if (t[p3]) continue;
            for (uint32_t y = 0; y < 3; ++y) {
              if (y == s || k(y) != 0) continue;
              const uint32_t x = 3 - s - y;
              if (k(x) > 0)
                for (uint32_t p = 0; p < 9; ++p)
                  if (p / 3 == s || p / 3 == x) thirdLineTarget(p);
              if (clearWanted(x)) clear();
            }
          }
        }
    }
  }
}

}  // namespace

void FrankenClearColumns(uint32_t r, uint32_t ra, uint32_t rb, uint32_t c1, uint32_t c2,
                         uint32_t d) {
  FrankenClear(0, r, ra, rb, c1, c2, d);
}

void FrankenClearRows(uint32_t c, uint32_t ca, uint32_t cb, uint32_t r1, uint32_t r2,
                      uint32_t d) {
  FrankenClear(1, c, ca, cb, r1, r2, d);
}

uint32_t FrankenSwordfish(uint32_t place) {
  ResetQueue();
  for (uint32_t d = 0; d < 9; ++d) {
    FrankenHalf(0, d);
    FrankenHalf(1, d);
  }
  if (g.queue.length) FlushEliminations(CodeFrankenSwordfish);
  return FinishRoutine(place, KindAuto);
}

const RoutineEntry kFrankenFishRoutines[] = {
    {"FrankenSwordfish", FrankenSwordfish, 1132},
    {nullptr, nullptr, 0},
};
