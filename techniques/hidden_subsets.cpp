// Hidden subsets: N digits of a unit that between them fit only N cells; every other digit
// leaves those cells. One scan serves the four sizes, driven by the members' table; a unit
// is searched only when its digit occurrences pass the member's gate.
#include <bit>

#include "board/candidates.h"
#include "board/queue.h"
#include "board/state.h"
#include "techniques/subset_scan.h"
#include "techniques/techniques.h"

namespace {

struct HiddenMember {
  uint32_t size;        // N: digits in the set and cells they fit
  uint32_t code;        // technique code of the log lines
  uint32_t exactGate;   // 1: lines need exactly N digits occurring exactly twice (pairs)
};

constexpr HiddenMember kPair = {2, CodeHiddenPair, 1};
constexpr HiddenMember kTriple = {3, CodeHiddenTriple, 0};
constexpr HiddenMember kQuad = {4, CodeHiddenQuad, 0};
constexpr HiddenMember kQuintuplet = {5, CodeHiddenQuintuplet, 0};

// The unit gate and the digits a set may draw from, ascending; returns how many there are, or
// 0 when the unit fails the gate. A digit may join when it occurs 2..N times. Pairs count
// exactly: in rows and columns exactly two digits occurring exactly twice, in blocks exactly
// two digits occurring two or three times. The larger sizes need at least N such digits.
inline uint32_t GatedDigits(const HiddenMember& m, const UnitTable& table, uint32_t unit,
                            uint32_t items[9]) {
  const uint32_t* upTo = table.digitsUpTo[unit];
  uint32_t join = upTo[m.size];
  const uint32_t gated = m.exactGate && unit >= 18 ? upTo[3] : join;
  const uint32_t k = static_cast<uint32_t>(std::popcount(gated));
  if (m.exactGate ? k != m.size : k < m.size) return 0;
  uint32_t n = 0;
  for (; join != 0; join &= join - 1) items[n++] = static_cast<uint32_t>(std::countr_zero(join));
  return n;
}

// Walk the hidden subsets of unit (t, u); found(spread, set) gets the N positions of a set
// whose digits fit exactly N cells, and the set's digits as a mask.
template <class Found>
void ScanUnit(const HiddenMember& m, const UnitTable& table, uint32_t t, uint32_t u,
              Found&& found) {
  uint32_t items[9];
  const uint32_t unit = t * 9 + u;
  const uint32_t n = GatedDigits(m, table, unit, items);
  if (n == 0) return;
  ForEachTightSubset(items, n, m.size, m.size, table.pos[unit],
                     [&](const uint32_t* digits, uint32_t spread) {
                       uint32_t set = 0;
                       for (uint32_t i = 0; i < m.size; ++i) set |= 1u << digits[i];
                       found(spread, set);
                     });
}

// Each member gets its own copy, with its size known to the compiler.
template <const HiddenMember& m>
uint32_t HiddenScan(uint32_t place) {
  ResetQueue();
  const UnitTable& table = LoadUnitTable();
  // The units that pass the gate, found first without a branch each; the walk visits only
  // those, in the same order.
  uint32_t passing = 0;
  for (uint32_t unit = 0; unit < 27; ++unit) {
    const uint32_t* upTo = table.digitsUpTo[unit];
    const uint32_t gated = m.exactGate && unit >= 18 ? upTo[3] : upTo[m.size];
    const uint32_t k = static_cast<uint32_t>(std::popcount(gated));
    passing |= static_cast<uint32_t>(m.exactGate ? k == m.size : k >= m.size) << unit;
  }
  for (; passing != 0; passing &= passing - 1) {
    const uint32_t unit = static_cast<uint32_t>(std::countr_zero(passing));
    const uint32_t t = unit / 9, u = unit % 9;
    ScanUnit(m, table, t, u, [&](uint32_t spread, uint32_t set) {
      for (uint32_t rest = spread; rest != 0; rest &= rest - 1) {
        const uint32_t c = UnitCell(t, u, static_cast<uint32_t>(std::countr_zero(rest)));
        if (g.cand.count[c] < 2) continue;
        for (uint32_t others = ~set & 0x1FF; others != 0; others &= others - 1)
          QueueElimination(c, static_cast<uint32_t>(std::countr_zero(others)));
      }
    });
  }
  if (g.queue.length) FlushEliminations(m.code);
  return FinishRoutine(place, KindAuto);
}

uint32_t HiddenHint(const HiddenMember& m) {
  g.hintMarkCount = 0;
  const UnitTable& table = LoadUnitTable();
  for (uint32_t t = 0; t < 3; ++t)
    for (uint32_t u = 0; u < 9; ++u) {
      uint32_t open = 0;
      for (uint32_t p = 0; p < 9; ++p)
        if (g.cand.count[UnitCell(t, u, p)] != 0) ++open;
      if (open < m.size + 1) continue;
      ScanUnit(m, table, t, u, [&](uint32_t spread, uint32_t) {
        for (uint32_t rest = spread; rest != 0; rest &= rest - 1) {
          g.board.kind[UnitCell(t, u, static_cast<uint32_t>(std::countr_zero(rest)))] = KindHint;
          ++g.hintMarkCount;
        }
      });
    }
  return g.hintMarkCount > 0 ? 1 : 0;
}

}  // namespace

uint32_t HiddenPair(uint32_t place) { return HiddenScan<kPair>(place); }
uint32_t HiddenTriple(uint32_t place) { return HiddenScan<kTriple>(place); }
uint32_t HiddenQuad(uint32_t place) { return HiddenScan<kQuad>(place); }
uint32_t HiddenQuintuplet(uint32_t place) { return HiddenScan<kQuintuplet>(place); }
uint32_t HintHiddenPair() { return HiddenHint(kPair); }
uint32_t HintHiddenTriple() { return HiddenHint(kTriple); }

const RoutineEntry kHiddenSubsetRoutines[] = {
    {"HiddenPair", HiddenPair, 520},
    {"HiddenTriple", HiddenTriple, 530},
    {"HiddenQuad", HiddenQuad, 560},
    {"HiddenQuintuplet", HiddenQuintuplet, 590},
    {nullptr, nullptr, 0},
};
