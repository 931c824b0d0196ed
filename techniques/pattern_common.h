// What the short named patterns share: 81-bit cell sets with the peers of every cell, one
// snapshot of the table per run (candidate masks, unit holders, the cells of each digit), the
// run's removals with their duplicate check, and the notation of the detailed log's header
// lines ("(5)r3c4=(5)r3c7-(5)r8c7=(5)r8c2 => r3c2<>5").
#pragma once
#include <bit>
#include <cstdint>
#include <string>

#include "board/state.h"

// A set of cells: bit c of lo for cells 0..63, bit c - 64 of hi for 64..80.
struct Cells81 {
  uint64_t lo;
  uint64_t hi;
};

inline Cells81 operator&(Cells81 a, Cells81 b) { return {a.lo & b.lo, a.hi & b.hi}; }
inline Cells81 operator|(Cells81 a, Cells81 b) { return {a.lo | b.lo, a.hi | b.hi}; }
inline Cells81 Without(Cells81 a, Cells81 b) { return {a.lo & ~b.lo, a.hi & ~b.hi}; }
inline bool IsEmpty(Cells81 a) { return (a.lo | a.hi) == 0; }
inline bool Contains(Cells81 a, uint32_t c) {
  return c < 64 ? (a.lo >> c & 1) != 0 : (a.hi >> (c - 64) & 1) != 0;
}
inline Cells81 OneCell(uint32_t c) {
  return c < 64 ? Cells81{1ull << c, 0} : Cells81{0, 1ull << (c - 64)};
}
inline uint32_t CountCells(Cells81 a) {
  return static_cast<uint32_t>(std::popcount(a.lo) + std::popcount(a.hi));
}
// Removes and returns the lowest cell; the set must not be empty.
inline uint32_t TakeFirst(Cells81& a) {
  if (a.lo != 0) {
    const uint32_t c = static_cast<uint32_t>(std::countr_zero(a.lo));
    a.lo &= a.lo - 1;
    return c;
  }
  const uint32_t c = 64 + static_cast<uint32_t>(std::countr_zero(a.hi));
  a.hi &= a.hi - 1;
  return c;
}

// The 20 peers of each cell, and the cells of each of the 27 units, as sets.
struct PeerSetTable {
  Cells81 peers[81];
  Cells81 unit[27];
};
constexpr PeerSetTable MakePeerSets() {
  PeerSetTable t{};
  for (uint32_t u = 0; u < 27; ++u)
    for (uint32_t k = 0; k < 9; ++k) {
      const uint32_t c = kUnitCells.cell[u][k];
      if (c < 64)
        t.unit[u].lo |= 1ull << c;
      else
        t.unit[u].hi |= 1ull << (c - 64);
    }
  for (uint32_t c = 0; c < 81; ++c) {
    const uint32_t units[3] = {c / 9, 9 + c % 9, 18 + (c / 27) * 3 + (c % 9) / 3};
    for (uint32_t u : units) {
      t.peers[c].lo |= t.unit[u].lo;
      t.peers[c].hi |= t.unit[u].hi;
    }
    if (c < 64)
      t.peers[c].lo &= ~(1ull << c);
    else
      t.peers[c].hi &= ~(1ull << (c - 64));
  }
  return t;
}
inline constexpr PeerSetTable kPeerSets = MakePeerSets();

inline bool Sees(uint32_t a, uint32_t b) { return Contains(kPeerSets.peers[a], b); }
inline Cells81 CommonPeers(uint32_t a, uint32_t b) {
  return kPeerSets.peers[a] & kPeerSets.peers[b];
}

// The table as a pattern search reads it, taken once at the start of a run.
struct PatternTable {
  uint32_t mask[81];         // candidate bits (bit d = digit index d); 0 for filled cells
  uint32_t holders[9][27];   // per digit and unit, bit k: the unit's k-th cell holds it
  Cells81 digitCells[9];     // cells holding digit d (count at least 1)
  Cells81 open;              // cells with two candidates or more: where removals go
};
void LoadPatternTable(PatternTable& t);

// The removals of one run. A pattern offers its removals one by one; only candidates that
// are present, in an open cell and not yet queued by an earlier pattern of the run are kept.
// A pattern that keeps at least one is reported (one header line in the detailed log) and
// queued; one that keeps none is dropped silently.
constexpr uint32_t kPatternRemovalCapacity = 256;
struct PatternRun {
  uint64_t queued[12];  // candidate bits cell * 9 + d already queued in this run
  uint32_t pending;
  uint32_t cell[kPatternRemovalCapacity];
  uint32_t digit[kPatternRemovalCapacity];
  uint32_t patterns;  // patterns queued so far
};
void BeginRun(PatternRun& run);
// Starts collecting one pattern's removals.
inline void BeginPattern(PatternRun& run) { run.pending = 0; }
void OfferRemoval(PatternRun& run, const PatternTable& t, uint32_t cell, uint32_t d);
// Offers digit d in every cell of the set.
void OfferRemovals(PatternRun& run, const PatternTable& t, Cells81 cells, uint32_t d);
inline bool DetailedPatternLog() { return g.settings.candErase == 2; }
// Queues the pattern's kept removals (in the order offered) after writing its header line
// in the detailed log; returns how many were queued. `header` is called only when the line
// is written: the notation is built only then.
template <typename Header>
uint32_t EndPattern(PatternRun& run, Header header);
// Flushes the run under the code when it queued something, then the routine's tail.
uint32_t FinishPatternRoutine(uint32_t code, uint32_t place);

// Notation. Cells as "r3c4"; a group that fills every crossing of its rows and columns as
// "r3c45", "r12c5" or "r14c15", any other group as its cells joined by commas; candidates as
// "(5)r3c4"; digit sets as "1234".
std::string CellName(uint32_t cell);
std::string GroupName(Cells81 cells);
std::string Candidate(uint32_t d, uint32_t cell);
std::string GroupCandidate(uint32_t d, Cells81 cells);
std::string DigitList(uint32_t mask);
// The pending removals, one entry per digit (ascending): "r3c2,r8c4<>5, r1c1<>7".
std::string RemovalText(const PatternRun& run);
// The header line "<pattern> => <removals>".
std::string PatternLine(const std::string& pattern, const PatternRun& run);

void QueuePendingRemovals(PatternRun& run);
void WriteHeaderLine(const std::string& line);

template <typename Header>
uint32_t EndPattern(PatternRun& run, Header header) {
  if (run.pending == 0) return 0;
  if (DetailedPatternLog()) WriteHeaderLine(PatternLine(header(), run));
  const uint32_t n = run.pending;
  QueuePendingRemovals(run);
  return n;
}
// The same, with `line` giving the whole header line.
template <typename Line>
uint32_t EndPatternWithLine(PatternRun& run, Line line) {
  if (run.pending == 0) return 0;
  if (DetailedPatternLog()) WriteHeaderLine(line());
  const uint32_t n = run.pending;
  QueuePendingRemovals(run);
  return n;
}
