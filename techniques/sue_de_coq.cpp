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

// A candidate set of cells outside the crossing: their digits and how many cells they are.
struct SideSet {
  Cells81 cells;
  uint32_t digits;
  int32_t gain;  // cells minus digits outside V: what the set gives towards the count
};

// The non-empty subsets of `cells` (at most six) whose gain is at least 1 and that hold a
// digit of V.
uint32_t SideSets(const PatternTable& t, const uint32_t* cells, uint32_t n, uint32_t v,
                  SideSet* out) {
  uint32_t found = 0;
  for (uint32_t pick = 1; pick < (1u << n); ++pick) {
    Cells81 set{0, 0};
    uint32_t digits = 0;
    for (uint32_t k = 0; k < n; ++k)
      if (pick >> k & 1) {
        set = set | OneCell(cells[k]);
        digits |= t.mask[cells[k]];
      }
    const int32_t gain = static_cast<int32_t>(Bits(pick)) - static_cast<int32_t>(Bits(digits & ~v));
    if (gain < 1 || (digits & v) == 0) continue;
    out[found++] = {set, digits, gain};
  }
  return found;
}

void Crossing(PatternRun& run, const PatternTable& t, uint32_t lineUnit, uint32_t box) {
  const Cells81 line = kPeerSets.unit[lineUnit], block = kPeerSets.unit[18 + box];
  const Cells81 crossing = line & block;
  uint32_t cross[3], lineRest[6], boxRest[6], nc = 0, nl = 0, nb = 0;
  for (Cells81 s = crossing & t.open; !IsEmpty(s);) cross[nc++] = TakeFirst(s);
  if (nc < 2) return;
  for (Cells81 s = Without(line, block) & t.open; !IsEmpty(s);) lineRest[nl++] = TakeFirst(s);
  for (Cells81 s = Without(block, line) & t.open; !IsEmpty(s);) boxRest[nb++] = TakeFirst(s);
  if (nl == 0 || nb == 0) return;
  SideSet lineSets[63], boxSets[63];
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
    const uint32_t nLine = SideSets(t, lineRest, nl, v, lineSets);
    const uint32_t nBox = SideSets(t, boxRest, nb, v, boxSets);
    for (uint32_t i = 0; i < nLine; ++i)
      for (uint32_t j = 0; j < nBox; ++j) {
        const SideSet& a = lineSets[i];
        const SideSet& b = boxSets[j];
        if (a.gain + b.gain != spare || (a.digits & b.digits) != 0) continue;
        const uint32_t lineDigits = a.digits | (v & ~b.digits);
        const uint32_t boxDigits = b.digits | (v & ~a.digits);
        BeginPattern(run);
        const Cells81 lineTargets = Without(line, core | a.cells);
        const Cells81 boxTargets = Without(block, core | b.cells);
        for (uint32_t d = 0; d < 9; ++d) {
          if (lineDigits >> d & 1) OfferRemovals(run, t, lineTargets, d);
          if (boxDigits >> d & 1) OfferRemovals(run, t, boxTargets, d);
        }
        EndPattern(run, [&] {
          return GroupName(core) + "(" + DigitList(v) + ") + " + GroupName(a.cells) + "(" +
                 DigitList(a.digits) + ") + " + GroupName(b.cells) + "(" + DigitList(b.digits) +
                 ")";
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
