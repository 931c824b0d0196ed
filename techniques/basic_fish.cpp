// Basic fish: N base lines in which a digit fits only N cover lines of the other direction;
// the digit leaves the cover lines' other cells. One scan serves X-Wing to Squirmbag.
#include <bit>

#include "board/candidates.h"
#include "board/queue.h"
#include "board/state.h"
#include "techniques/subset_scan.h"
#include "techniques/techniques.h"

namespace {

struct FishMember {
  uint32_t size;  // N base lines, N cover lines; base lines hold 2..N candidates
  uint32_t code;
};

constexpr FishMember kXWing = {2, CodeXWing};
constexpr FishMember kSwordFish = {3, CodeSwordFish};
constexpr FishMember kJerryFish = {4, CodeJerryFish};
constexpr FishMember kSquirmbag = {5, CodeSquirmbag};

template <const FishMember& m>
void FishPass(uint32_t o, uint32_t d, const LineTable& table) {
  const uint32_t qualifying = table.upTo[d][o][m.size];
  if (static_cast<uint32_t>(std::popcount(qualifying)) < m.size) return;
  const uint32_t* pos = table.holders[d] + o * 9;  // each line's positions of d
  uint32_t lines[9];
  const uint32_t n = LinesOf(qualifying, lines);
  // A base set whose cover is N lines: d leaves the cover lines outside the base.
  ForEachTightSubset(lines, n, m.size, m.size, pos, [&](const uint32_t* base, uint32_t cover) {
    uint32_t inBase = 0;
    for (uint32_t i = 0; i < m.size; ++i) inBase |= 1u << base[i];
    for (uint32_t rest = cover; rest != 0; rest &= rest - 1) {
      const uint32_t p = static_cast<uint32_t>(std::countr_zero(rest));
      for (uint32_t k = 0; k < 9; ++k)
        if (!(inBase >> k & 1)) QueueTarget(LineCell(o, k, p), d);
    }
  });
}

// Each member gets its own copy, with its size known to the compiler.
template <const FishMember& m>
uint32_t FishScan(uint32_t place) {
  ResetQueue();
  const LineTable& table = LoadLineTable();
  // The passes with N qualifying lines (bit 2d + o), found first without a branch each; only
  // those run, in the same order.
  uint32_t passing = 0;
  for (uint32_t d = 0; d < 9; ++d)
    for (uint32_t o = 0; o < 2; ++o) {
      const uint32_t k = static_cast<uint32_t>(std::popcount(table.upTo[d][o][m.size]));
      passing |= static_cast<uint32_t>(k >= m.size) << (2 * d + o);
    }
  for (; passing != 0; passing &= passing - 1) {
    const uint32_t pass = static_cast<uint32_t>(std::countr_zero(passing));
    FishPass<m>(pass & 1, pass >> 1, table);
  }
  if (g.queue.length) FlushEliminations(m.code);
  return FinishRoutine(place, KindAuto);
}

}  // namespace

uint32_t XWing(uint32_t place) { return FishScan<kXWing>(place); }
uint32_t SwordFish(uint32_t place) { return FishScan<kSwordFish>(place); }
uint32_t JerryFish(uint32_t place) { return FishScan<kJerryFish>(place); }
uint32_t Squirmbag(uint32_t place) { return FishScan<kSquirmbag>(place); }

const RoutineEntry kBasicFishRoutines[] = {
    {"XWing", XWing, 460},
    {"SwordFish", SwordFish, 470},
    {"JerryFish", JerryFish, 540},
    {"Squirmbag", Squirmbag, 860},
    {nullptr, nullptr, 0},
};
