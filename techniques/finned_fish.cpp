// Finned and sashimi fish of sizes 2 to 7: base sets one cover line too wide. A finned set
// has one fin (a single extra candidate) and eliminates in the fin's block; a sashimi set has
// N+1 cover lines with no lower bound on their tallies and eliminates next to each single
// cover position. Two parameterised scans, one per family, driven by the members' table.
#include <bit>

#include "board/candidates.h"
#include "board/queue.h"
#include "board/state.h"
#include "techniques/subset_scan.h"
#include "techniques/techniques.h"

namespace {

struct FinnedMember {
  uint32_t size;  // N
  uint32_t code;
};

const FinnedMember kFinned[6] = {
    {2, CodeFinnedFish},      {3, CodeFinnedSwordfish}, {4, CodeFinnedJerryfish},
    {5, CodeFinnedSquirmbag}, {6, CodeFinnedWhale},     {7, CodeFinnedLeviathan},
};
const FinnedMember kSashimi[6] = {
    {2, CodeSashimiFish},      {3, CodeSashimiSwordfish}, {4, CodeSashimiJerryfish},
    {5, CodeSashimiSquirmbag}, {6, CodeSashimiWhale},     {7, CodeSashimiLeviathan},
};

// The highest position of a mask, 9 when it is empty.
inline uint32_t HighestPosition(uint32_t mask) {
  return mask == 0 ? 9 : 31 - static_cast<uint32_t>(std::countl_zero(mask));
}

// Queue d at position p of every line of `owner`'s band (or stack) that is not a base line.
void QueueBandOutsideBase(uint32_t o, uint32_t d, uint32_t owner, uint32_t p,
                          const uint32_t* base, uint32_t n) {
  const uint32_t first = (owner / 3) * 3;
  for (uint32_t line = first; line < first + 3; ++line)
    if (!Contains(base, n, line)) QueueTarget(LineCell(o, line, p), d);
}

// Finned: N cover positions with a tally of 2 or more and exactly one more, the fin, with
// tally 1. Cover positions in the fin's third lose d in the fin line's band.
void FinnedPass(uint32_t n, uint32_t o, uint32_t d, const LineTable& table) {
  const uint32_t qualifying = table.upTo[d][o][n + 1];
  if (static_cast<uint32_t>(std::popcount(qualifying)) < n) return;
  const uint32_t* positions = table.holders[d] + o * 9;
  uint32_t lines[9];
  const uint32_t count = LinesOf(qualifying, lines);
  ForEachTightSubset(lines, count, n, n + 1, positions, [&](const uint32_t* base, uint32_t) {
    // Positions held by one base line and by two or more.
    uint32_t once = 0, twice = 0;
    for (uint32_t i = 0; i < n; ++i) {
      twice |= once & positions[base[i]];
      once |= positions[base[i]];
    }
    const uint32_t single = once & ~twice;
    if (static_cast<uint32_t>(std::popcount(twice)) != n || single == 0) return;
    const uint32_t fin = HighestPosition(single);
    uint32_t owner = 9;  // the last base line holding the fin
    for (uint32_t i = 0; i < n; ++i)
      if (positions[base[i]] >> fin & 1) owner = base[i];
    for (uint32_t c = fin / 3 * 3; c < fin / 3 * 3 + 3; ++c)
      if (twice >> c & 1) QueueBandOutsideBase(o, d, owner, c, base, n);
  });
}

// Sashimi of size 2: two lines with exactly two candidates each, sharing one position, their
// single positions in one third.
void SashimiPairPass(uint32_t o, uint32_t d, const LineTable& table) {
  const uint32_t qualifying = table.upTo[d][o][2];
  if (static_cast<uint32_t>(std::popcount(qualifying)) < 2) return;
  const uint32_t* positions = table.holders[d] + o * 9;
  uint32_t lines[9];
  const uint32_t count = LinesOf(qualifying, lines);
  ForEachTightSubset(lines, count, 2, 3, positions, [&](const uint32_t* base, uint32_t) {
    // Each line's highest position the other lacks.
    const uint32_t first = positions[base[0]], second = positions[base[1]];
    const uint32_t a = HighestPosition(first & ~second), b = HighestPosition(second & ~first);
    if (a > 8 || b > 8 || a / 3 != b / 3) return;
    QueueBandOutsideBase(o, d, base[0], b, base, 2);
    QueueBandOutsideBase(o, d, base[1], a, base, 2);
  });
}

// Sashimi of size 3 and up: exactly N+1 cover positions. Each single position f, with every
// other cover position c in f's third, gives c in f's owner's band, and, when c is single
// too, f in the band of c's owner.
void SashimiPass(uint32_t n, uint32_t o, uint32_t d, const LineTable& table) {
  const uint32_t qualifying = table.upTo[d][o][n];
  if (static_cast<uint32_t>(std::popcount(qualifying)) < n) return;
  const uint32_t* positions = table.holders[d] + o * 9;
  uint32_t lines[9];
  const uint32_t count = LinesOf(qualifying, lines);
  ForEachTightSubset(lines, count, n, n + 1, positions, [&](const uint32_t* base, uint32_t) {
    uint32_t tally[9], owner[9];
    CoverTally(positions, base, n, tally, owner);
    for (uint32_t f = 0; f < 9; ++f) {
      if (tally[f] != 1) continue;
      for (uint32_t c = 0; c < 9; ++c) {
        if (c == f || !tally[c] || c / 3 != f / 3) continue;
        QueueBandOutsideBase(o, d, owner[f], c, base, n);
        if (tally[c] == 1) QueueBandOutsideBase(o, d, owner[c], f, base, n);
      }
    }
  });
}

uint32_t FinnedScan(const FinnedMember& m, uint32_t place) {
  ResetQueue();
  const LineTable& table = LoadLineTable();
  for (uint32_t d = 0; d < 9; ++d)
    for (uint32_t o = 0; o < 2; ++o) FinnedPass(m.size, o, d, table);
  if (g.queue.length) FlushEliminations(m.code);
  return FinishRoutine(place, KindAuto);
}

uint32_t SashimiScan(const FinnedMember& m, uint32_t place) {
  ResetQueue();
  const LineTable& table = LoadLineTable();
  for (uint32_t d = 0; d < 9; ++d)
    for (uint32_t o = 0; o < 2; ++o) {
      if (m.size == 2)
        SashimiPairPass(o, d, table);
      else
        SashimiPass(m.size, o, d, table);
    }
  if (g.queue.length) FlushEliminations(m.code);
  return FinishRoutine(place, KindAuto);
}

}  // namespace

uint32_t FinnedFish(uint32_t place) { return FinnedScan(kFinned[0], place); }
uint32_t FinnedSwordfish(uint32_t place) { return FinnedScan(kFinned[1], place); }
uint32_t FinnedJerryfish(uint32_t place) { return FinnedScan(kFinned[2], place); }
uint32_t FinnedSquirmbag(uint32_t place) { return FinnedScan(kFinned[3], place); }
uint32_t FinnedWhale(uint32_t place) { return FinnedScan(kFinned[4], place); }
uint32_t FinnedLeviathan(uint32_t place) { return FinnedScan(kFinned[5], place); }
uint32_t SashimiFish(uint32_t place) { return SashimiScan(kSashimi[0], place); }
uint32_t SashimiSwordfish(uint32_t place) { return SashimiScan(kSashimi[1], place); }
uint32_t SashimiJerryfish(uint32_t place) { return SashimiScan(kSashimi[2], place); }
uint32_t SashimiSquirmbag(uint32_t place) { return SashimiScan(kSashimi[3], place); }
uint32_t SashimiWhale(uint32_t place) { return SashimiScan(kSashimi[4], place); }
uint32_t SashimiLeviathan(uint32_t place) { return SashimiScan(kSashimi[5], place); }

const RoutineEntry kFinnedFishRoutines[] = {
    {"FinnedFish", FinnedFish, 1120},
    {"FinnedSwordfish", FinnedSwordfish, 0},
    {"FinnedJerryfish", FinnedJerryfish, 0},
    {"FinnedSquirmbag", FinnedSquirmbag, 0},
    {"FinnedWhale", FinnedWhale, 0},
    {"FinnedLeviathan", FinnedLeviathan, 0},
    {"SashimiFish", SashimiFish, 1130},
    {"SashimiSwordfish", SashimiSwordfish, 0},
    {"SashimiJerryfish", SashimiJerryfish, 0},
    {"SashimiSquirmbag", SashimiSquirmbag, 0},
    {"SashimiWhale", SashimiWhale, 0},
    {"SashimiLeviathan", SashimiLeviathan, 0},
    {nullptr, nullptr, 0},
};
