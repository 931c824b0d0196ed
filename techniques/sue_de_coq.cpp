// Sue de Coq. Where a line crosses a box, take two or three open cells C of the crossing with
// the digits V, at least two more digits than cells; then open cells A of the line outside
// the box (digits VA) and open cells B of the box outside the line (digits VB), VA and VB
// sharing no digit, such that the cells of C, A and B together hold exactly as many digits as
// they are cells. A digit of VA can only stand in C or A (all on the line), one of VB only in
// C or B (all in the box), one of V outside both only in C; each appears at most once, so with
// as many digits as cells each appears exactly once. Hence VA and the rest of V leave the
// line's other cells, VB and the rest of V the box's other cells.
//
// Lines are visited rows first, then columns, each with its three boxes in order; the sets
// by ascending cell bits.
#include "techniques/patterns.h"

#include "board/queue.h"
#include "techniques/pattern_common.h"

namespace {

inline uint32_t Bits(uint32_t m) { return static_cast<uint32_t>(std::popcount(m)); }

// The open cells of one side of a crossing (the line's or the box's, at most six) and the
// digits of each of their subsets, bit k of a subset standing for the k-th cell.
struct Side {
  uint32_t cell[6];
  uint32_t n;
  uint32_t digits[64];
};

void LoadSide(const PatternTable& t, Cells81 cells, Side& side) {
  side.n = 0;
  for (Cells81 s = cells & t.open; !IsEmpty(s);) side.cell[side.n++] = TakeFirst(s);
  side.digits[0] = 0;
  for (uint32_t pick = 1; pick < (1u << side.n); ++pick)
    side.digits[pick] = side.digits[pick & (pick - 1)] | t.mask[side.cell[std::countr_zero(pick)]];
}

Cells81 SideCells(const Side& side, uint32_t pick) {
  Cells81 set{0, 0};
  for (uint32_t k = 0; k < side.n; ++k)
    if (pick >> k & 1) set = set | OneCell(side.cell[k]);
  return set;
}

// The subsets of a side that hold a digit of V and give at least one towards the count:
// more cells than digits outside V. Returns how many, with their gains.
uint32_t UsefulSubsets(const Side& side, uint32_t v, uint32_t* picks, int32_t* gains) {
  uint32_t found = 0;
  for (uint32_t pick = 1; pick < (1u << side.n); ++pick) {
    const uint32_t digits = side.digits[pick];
    const int32_t gain = static_cast<int32_t>(Bits(pick)) - static_cast<int32_t>(Bits(digits & ~v));
    if (gain < 1 || (digits & v) == 0) continue;
    picks[found] = pick;
    gains[found++] = gain;
  }
  return found;
}

void Crossing(PatternRun& run, const PatternTable& t, uint32_t lineUnit, uint32_t box) {
  const Cells81 line = kPeerSets.unit[lineUnit], block = kPeerSets.unit[18 + box];
  uint32_t cross[3], nc = 0;
  for (Cells81 s = line & block & t.open; !IsEmpty(s);) cross[nc++] = TakeFirst(s);
  if (nc < 2) return;
  bool spareDigits = false;  // some two or three crossing cells hold two digits more
  for (uint32_t i = 0; i < nc; ++i)
    for (uint32_t j = i + 1; j < nc; ++j)
      spareDigits = spareDigits || Bits(t.mask[cross[i]] | t.mask[cross[j]]) >= 4 ||
                    (nc == 3 && Bits(t.mask[cross[0]] | t.mask[cross[1]] | t.mask[cross[2]]) >= 5);
  if (!spareDigits) return;
  Side lineSide, boxSide;
  LoadSide(t, Without(line, block), lineSide);
  if (lineSide.n == 0) return;
  LoadSide(t, Without(block, line), boxSide);
  if (boxSide.n == 0) return;
  uint32_t linePicks[63], boxPicks[63];
  int32_t lineGains[63], boxGains[63];
  for (uint32_t pick = 1; pick < (1u << nc); ++pick) {
    if (Bits(pick) < 2) continue;
    Cells81 core{0, 0};
    uint32_t v = 0;
    for (uint32_t k = 0; k < nc; ++k)
      if (pick >> k & 1) {
        core = core | OneCell(cross[k]);
        v |= t.mask[cross[k]];
      }
    const int32_t spare = static_cast<int32_t>(Bits(v)) - static_cast<int32_t>(Bits(pick));
    if (spare < 2) continue;
    const uint32_t nLine = UsefulSubsets(lineSide, v, linePicks, lineGains);
    if (nLine == 0) continue;
    const uint32_t nBox = UsefulSubsets(boxSide, v, boxPicks, boxGains);
    for (uint32_t i = 0; i < nLine; ++i)
      for (uint32_t j = 0; j < nBox; ++j) {
        const uint32_t lineDigits = lineSide.digits[linePicks[i]];
        const uint32_t boxDigits = boxSide.digits[boxPicks[j]];
        if (lineGains[i] + boxGains[j] != spare || (lineDigits & boxDigits) != 0) continue;
        const Cells81 lineCells = SideCells(lineSide, linePicks[i]);
        const Cells81 boxCells = SideCells(boxSide, boxPicks[j]);
        const uint32_t lineGone = lineDigits | (v & ~boxDigits);
        const uint32_t boxGone = boxDigits | (v & ~lineDigits);
        BeginPattern(run);
        const Cells81 lineTargets = Without(line, core | lineCells);
        const Cells81 boxTargets = Without(block, core | boxCells);
        for (uint32_t d = 0; d < 9; ++d) {
          if (lineGone >> d & 1) OfferRemovals(run, t, lineTargets, d);
          if (boxGone >> d & 1) OfferRemovals(run, t, boxTargets, d);
        }
        EndPattern(run, [&] {
          return GroupName(core) + "(" + DigitList(v) + ") + " + GroupName(lineCells) + "(" +
                 DigitList(lineDigits) + ") + " + GroupName(boxCells) + "(" +
                 DigitList(boxDigits) + ")";
        });
      }
  }
}

}  // namespace

uint32_t SueDeCoq(uint32_t place) {
  PatternTable t;
  LoadPatternTable(t);
  PatternRun run;
  BeginRun(run);
  for (uint32_t lineUnit = 0; lineUnit < 18; ++lineUnit)
    for (uint32_t k = 0; k < 3; ++k) {
      const uint32_t box = lineUnit < 9 ? lineUnit / 3 * 3 + k : k * 3 + (lineUnit - 9) / 3;
      Crossing(run, t, lineUnit, box);
    }
  return FinishPatternRoutine(CodeSueDeCoq, place);
}
