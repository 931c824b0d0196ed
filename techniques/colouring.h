// Scratch tables and building blocks shared by the wing, colouring and chain routines, and
// reused by Hamada logic and the candidate display dialog.
//
// Every table is process-wide and plain uint32_t. No routine expects their contents to
// survive from one call to the next: each routine (and each building block that says so)
// clears what it uses before it fills it. Digits are digit indices 0..8 throughout (the
// digit shown to the user minus one), exactly as the elimination queue stores them.
#pragma once
#include <bit>
#include <cstdint>

// ---------------------------------------------------------------------------------------
// Cell sets
// ---------------------------------------------------------------------------------------

// A set of cells as bits: cell c is bit c % 64 of word c / 64, so walking the set meets the
// cells in ascending order, which is also the order of every unit (row, column or box).
struct CellSet {
  uint64_t word[2] = {0, 0};

  constexpr bool Has(uint32_t c) const { return (word[c >> 6] >> (c & 63) & 1) != 0; }
  constexpr void Add(uint32_t c) { word[c >> 6] |= uint64_t{1} << (c & 63); }
  constexpr void Remove(uint32_t c) { word[c >> 6] &= ~(uint64_t{1} << (c & 63)); }
  constexpr bool Empty() const { return (word[0] | word[1]) == 0; }
  constexpr uint32_t Count() const {
    return static_cast<uint32_t>(std::popcount(word[0]) + std::popcount(word[1]));
  }
  // The lowest cell, 81 when empty.
  constexpr uint32_t First() const {
    if (word[0] != 0) return static_cast<uint32_t>(std::countr_zero(word[0]));
    return word[1] != 0 ? 64 + static_cast<uint32_t>(std::countr_zero(word[1])) : 81;
  }
  // Removes and returns the lowest cell (the set must not be empty).
  constexpr uint32_t TakeFirst() {
    if (word[0] != 0) {
      const uint32_t c = static_cast<uint32_t>(std::countr_zero(word[0]));
      word[0] &= word[0] - 1;
      return c;
    }
    const uint32_t c = 64 + static_cast<uint32_t>(std::countr_zero(word[1]));
    word[1] &= word[1] - 1;
    return c;
  }
  // The lowest cell from `from` on, 81 when there is none.
  constexpr uint32_t NextFrom(uint32_t from) const {
    if (from < 64) {
      const uint64_t m = word[0] & (~uint64_t{0} << from);
      if (m != 0) return static_cast<uint32_t>(std::countr_zero(m));
      from = 64;
    }
    if (from >= 81) return 81;
    const uint64_t m = word[1] & (~uint64_t{0} << (from - 64));
    return m != 0 ? 64 + static_cast<uint32_t>(std::countr_zero(m)) : 81;
  }
  constexpr CellSet operator&(const CellSet& o) const {
    return {{word[0] & o.word[0], word[1] & o.word[1]}};
  }
  constexpr CellSet operator|(const CellSet& o) const {
    return {{word[0] | o.word[0], word[1] | o.word[1]}};
  }
  // The cells of this set that are not in o.
  constexpr CellSet Without(const CellSet& o) const {
    return {{word[0] & ~o.word[0], word[1] & ~o.word[1]}};
  }
  constexpr bool Intersects(const CellSet& o) const {
    return ((word[0] & o.word[0]) | (word[1] & o.word[1])) != 0;
  }
};

// The 27 units as cell sets (rows 0..8, columns 9..17, boxes 18..26) and the 20 peers of
// every cell.
struct UnitCellSets {
  CellSet unit[27];
  CellSet peers[81];
};
constexpr UnitCellSets MakeUnitCellSets() {
  UnitCellSets s{};
  for (uint32_t c = 0; c < 81; ++c) {
    const uint32_t r = c / 9, col = c % 9, box = r / 3 * 3 + col / 3;
    s.unit[r].Add(c);
    s.unit[9 + col].Add(c);
    s.unit[18 + box].Add(c);
  }
  for (uint32_t c = 0; c < 81; ++c) {
    const uint32_t r = c / 9, col = c % 9, box = r / 3 * 3 + col / 3;
    s.peers[c] = s.unit[r] | s.unit[9 + col] | s.unit[18 + box];
    s.peers[c].Remove(c);
  }
  return s;
}
inline constexpr UnitCellSets kUnitCellSets = MakeUnitCellSets();

// Cells with at least two candidates: the ones the elimination queue takes.
CellSet OpenCellSet();

// ---------------------------------------------------------------------------------------
// Colouring tables
// ---------------------------------------------------------------------------------------

// 1 where the cell takes part in the current structure (a conjugate pair, a strong link, a
// bivalue cell of the remote-pair colouring). Read by the candidate display dialog after
// MarkStrongLinks.
extern uint32_t LinkMask[81];
// Per cell: 0 uncoloured, otherwise a colour. Colours come in partner pairs (1,2), (3,4), …
// one pair per cluster (the partner of odd c is c + 1, of even c is c − 1). The XY-chain
// walk reuses this table for "next cell" pointers instead of colours.
extern uint32_t CellColour[81];
// 3D Medusa, indexed cell * 9 + digit: 1 where the candidate belongs to the current cluster,
// and its Medusa colour (0 or 1, meaningful only where marked).
extern uint32_t MedusaMarked[81 * 9];
extern uint32_t MedusaColour[81 * 9];

// Partner of a colour (1 <-> 2, 3 <-> 4, …); 0 stays 0.
inline uint32_t PartnerColour(uint32_t c) { return c == 0 ? 0 : (c & 1) ? c + 1 : c - 1; }

// Queue digit d in every cell (count at least 2) that sees both a and b, never a or b
// themselves. Nothing when a == b. Presence of d is not tested.
void QueueCommonPeers(uint32_t a, uint32_t b, uint32_t d);
// The same for two different cells, with the open cells (OpenCellSet) given.
void QueueCommonPeers(uint32_t a, uint32_t b, uint32_t d, const CellSet& open);
// One 3D Medusa spreading pass over digit e; returns the number of candidates newly marked.
// Candidates marked earlier in the same pass are spread in that same pass.
uint32_t MedusaSpread(uint32_t e);
// Detailed display mode only: the line telling that candidate d of cell got both colours.
void ReportMedusaContradiction(uint32_t cell, uint32_t d);

// ---------------------------------------------------------------------------------------
// Strong and weak links, the X-cycle path
// ---------------------------------------------------------------------------------------

// 1 where the cell is one of exactly two holders of the digit under study in its row,
// column or box.
extern uint32_t RowStrong[81], ColumnStrong[81], BoxStrong[81];
// 1 where the cell is marked and its row, column or box (not a strong one) holds another
// marked cell.
extern uint32_t RowWeak[81], ColumnWeak[81], BoxWeak[81];

// The cycle path of the last FindXCycle: CyclePath[i] is the cell at position i and
// CycleLinkType[i] the type of the link leaving it (1 row, 2 column, 3 box through a strong
// unit; 5, 6, 7 through a weak one; the unit kind is type % 4).
constexpr uint32_t kCyclePathCapacity = 32;
extern uint32_t CyclePath[kCyclePathCapacity];
extern uint32_t CycleLinkType[kCyclePathCapacity];
// Steps refused because the path already held all its cells (a step onto a 33rd cell is
// refused like a step onto a cell already on the path). Counts up across searches.
extern uint32_t CyclePathOverflows;

// Clear CellColour, LinkMask and the strong tables; mark the strong links of digit d.
// Returns the number of markings (2 per strong unit). This is also the whole work of the
// X-cycle auxiliary command, which calls it for digit index 0 and then shows LinkMask.
uint32_t MarkStrongLinks(uint32_t d);
// Clear and fill the weak tables from LinkMask and the strong tables.
void MarkWeakLinks();
// Search one alternating strong/weak cycle from a marked cell; returns its number of links
// (at least 2) with the path in CyclePath/CycleLinkType, or 0.
uint32_t FindXCycle(uint32_t start);
// The elimination of one weak link of an even X-cycle: d in the first other cell (count at
// least 2, holding d) of the unit a and b share, row first, then column, then box.
void QueueWeakLinkUnit(uint32_t a, uint32_t b, uint32_t d);

// ---------------------------------------------------------------------------------------
// XY-chain walk and remote pairs
// ---------------------------------------------------------------------------------------

// Pair digits of every bivalue cell (lower and higher digit index), set by the caller of
// ColourRemotePairs.
extern uint32_t PairFirst[81], PairSecond[81];
// Cells coloured by the current remote-pair colouring, the seed included.
extern uint32_t PairColourCount;

// The next cell of an XY-chain walk: from the cell `steps` steps from start (following
// CellColour), a bivalue cell holding linkDigit whose other digit is neither linkDigit nor
// previousDigit; 81 when there is none.
uint32_t NextChainCell(uint32_t start, uint32_t steps, uint32_t linkDigit,
                       uint32_t previousDigit);
// Eliminations of a closed XY loop of `steps` links starting at start.
void QueueChainLoop(uint32_t start, uint32_t steps);
// One remote-pair colouring step around the pair of cell v; returns 1 when it coloured a
// cell, adding the number coloured to PairColourCount.
uint32_t ColourRemotePairs(uint32_t v, uint32_t colourA, uint32_t colourB);

// ---------------------------------------------------------------------------------------
// Wings
// ---------------------------------------------------------------------------------------

// Queue z in the cells that see the pivot and the wings (pivot, wing1 in its box, wing2 in
// one of its lines). Entries carry the pivot as first witness, 0 as second and third.
void QueueWingIntersection(uint32_t pivot, uint32_t wing1, uint32_t wing2, uint32_t z);
