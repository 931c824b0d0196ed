// Nested forcing net, the rung's last resort: a candidate assumed true is followed by the
// singles, and then, inside that assumption, every remaining candidate is tried in turn with the
// singles once more; those that break are struck and the singles resumed. When the outer
// assumption itself breaks, its candidate is removed. One removal per run (the first candidate
// in table order that breaks), since a run is costly and the batches take over again after it.
#include <bit>
#include <cstring>
#include <string>

#include "board/bitsets.h"
#include "board/candidates.h"
#include "board/queue.h"
#include "board/state.h"
#include "techniques/chain_rung.h"

namespace {

// The table under assumptions, with the singles applied as they arise.
struct Singles {
  uint16_t rem[81];
  uint16_t holders[27][9];
  uint8_t placed[81];
  bool broken = false;

  void Load() {
    std::memset(holders, 0, sizeof holders);
    for (uint32_t c = 0; c < 81; ++c) {
      uint32_t m = 0;
      if (g.cand.count[c] >= 1)
        for (uint32_t d = 0; d < 9; ++d)
          if (g.cand.flag[c * 9 + d]) m |= 1u << d;
      rem[c] = static_cast<uint16_t>(m);
      placed[c] = m == 0;  // filled cells take no part
    }
    for (uint32_t u = 0; u < 27; ++u)
      for (uint32_t k = 0; k < 9; ++k)
        for (uint32_t m = rem[kUnitCells.cell[u][k]]; m; m &= m - 1)
          holders[u][std::countr_zero(m)] |= static_cast<uint16_t>(1u << k);
    broken = false;
  }

  // Pending placements (cell * 9 + digit): each removal queues four at most.
  struct Pending {
    uint16_t item[4 * 729 + 1];
    uint32_t top = 0;
    void Push(uint32_t i) {
      if (top < 4 * 729 + 1) item[top++] = static_cast<uint16_t>(i);
    }
  };

  void Off(uint32_t c, uint32_t d, Pending& stack) {
    if (broken || !(rem[c] >> d & 1)) return;
    rem[c] = static_cast<uint16_t>(rem[c] & ~(1u << d));
    if (rem[c] == 0) {
      broken = true;
      return;
    }
    if (std::popcount(rem[c]) == 1 && !placed[c]) stack.Push(c * 9 + std::countr_zero(rem[c]));
    const CellGeometry& geo = Geometry();
    for (uint32_t t = 0; t < 3; ++t) {
      const uint32_t u = geo.unitsOf[c][t];
      uint32_t k = 0;
      while (kUnitCells.cell[u][k] != c) ++k;
      holders[u][d] = static_cast<uint16_t>(holders[u][d] & ~(1u << k));
      if (holders[u][d] == 0) {
        broken = true;
        return;
      }
      if (std::popcount(holders[u][d]) == 1) {
        const uint32_t p = kUnitCells.cell[u][std::countr_zero(holders[u][d])];
        if (!placed[p]) stack.Push(p * 9 + d);
      }
    }
  }

  void On(uint32_t c, uint32_t d) {
    Pending stack;
    stack.Push(c * 9 + d);
    Run(stack);
  }

  // Removes (c, d) and follows the singles it leaves.
  void Strike(uint32_t c, uint32_t d) {
    Pending stack;
    Off(c, d, stack);
    Run(stack);
  }

  void Run(Pending& stack) {
    const CellGeometry& geo = Geometry();
    while (stack.top > 0 && !broken) {
      const uint32_t i = stack.item[--stack.top], c = i / 9, d = i % 9;
      if (!(rem[c] >> d & 1)) {
        broken = true;
        return;
      }
      if (placed[c]) continue;
      placed[c] = 1;
      for (uint32_t m = rem[c] & ~(1u << d); m; m &= m - 1) Off(c, std::countr_zero(m), stack);
      ForEachCell(geo.peers[c], [&](uint32_t p) { Off(p, d, stack); });
    }
  }
};

// True when assuming candidate (c, d) breaks the table even with every inner test.
bool BreaksNested(const Singles& base, uint32_t c, uint32_t d) {
  Singles outer = base;
  outer.On(c, d);
  for (bool changed = true; changed && !outer.broken;) {
    changed = false;
    for (uint32_t q = 0; q < 81 && !outer.broken; ++q) {
      if (outer.placed[q]) continue;
      for (uint32_t m = outer.rem[q]; m && !outer.broken; m &= m - 1) {
        const uint32_t e = static_cast<uint32_t>(std::countr_zero(m));
        Singles inner = outer;
        inner.On(q, e);
        if (!inner.broken) continue;
        outer.Strike(q, e);
        changed = true;
      }
    }
  }
  return outer.broken;
}

}  // namespace

uint32_t SharedNestedForcingNet(ChainScratch&, uint32_t place) {
  ResetQueue();
  Singles base;
  base.Load();
  for (uint32_t c = 0; c < 81; ++c) {
    if (g.cand.count[c] < 2) continue;
    for (uint32_t d = 0; d < 9; ++d) {
      if (!g.cand.flag[c * 9 + d] || !BreaksNested(base, c, d)) continue;
      if (g.settings.candErase == 2 || ChainTextSink) {
        const std::string text =
            Format("r%uc%u=%u => nested net: every way breaks => r%uc%u<>%u", c / 9 + 1,
                   c % 9 + 1, d + 1, c / 9 + 1, c % 9 + 1, d + 1);
        if (g.settings.candErase == 2) LogLine(text);
        if (ChainTextSink) *ChainTextSink += (ChainTextSink->empty() ? "" : "; ") + text;
      }
      QueueElimination(c, d);
      FlushEliminations(CodeNestedForcingNet);
      return FinishRoutine(place, KindAuto);
    }
  }
  return FinishRoutine(place, KindAuto);
}

uint32_t NestedForcingNet(uint32_t place) {
  ChainScratch scratch;
  return SharedNestedForcingNet(scratch, place);
}
