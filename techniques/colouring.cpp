// Colouring: Simple Coloring, Multi Coloring Type1/Type2 and 3D Medusa, with the conjugate
// colouring and the common-peer elimination that the chain routines and Hamada logic reuse.
//
// Two cells are conjugate for a digit when they are its only two holders in a row, column or
// box: exactly one of them takes the digit, so colouring along conjugate links splits every
// cluster into two colours of which exactly one is true.
#include "techniques/colouring.h"

#include <bit>
#include <cstring>

#include "board/candidates.h"
#include "board/queue.h"
#include "board/state.h"
#include "techniques/techniques.h"

uint32_t LinkMask[81];
uint32_t CellColour[81];
uint32_t MedusaMarked[81 * 9];
uint32_t MedusaColour[81 * 9];

void QueueCommonPeers(uint32_t a, uint32_t b, uint32_t d) {
  if (a == b || a > 80 || b > 80) return;
  QueueCommonPeers(a, b, d, OpenCellSet());
}

// The routines of one table state ask for the same set in turn: it is kept with the counts it
// came from and built again only when they differ.
CellSet OpenCellSet() {
  static uint32_t lastCount[81];
  static CellSet lastOpen;
  static bool known = false;
  const uint32_t* count = g.cand.count;
  if (known && std::memcmp(lastCount, count, sizeof lastCount) == 0) return lastOpen;
  std::memcpy(lastCount, count, sizeof lastCount);
  known = true;
  CellSet& open = lastOpen;
  open = CellSet{};
  for (uint32_t c = 0; c < 64; ++c) open.word[0] |= static_cast<uint64_t>(count[c] >= 2) << c;
  for (uint32_t c = 64; c < 81; ++c)
    open.word[1] |= static_cast<uint64_t>(count[c] >= 2) << (c - 64);
  return open;
}

namespace {

// Where every cell lies: row, column, box, band and stack.
struct CellPlace {
  uint8_t row, column, box, band, stack;
};
struct CellPlaceTable {
  CellPlace of[81];
};
constexpr CellPlaceTable MakeCellPlaceTable() {
  CellPlaceTable t{};
  for (uint32_t c = 0; c < 81; ++c) {
    const uint32_t r = c / 9, col = c % 9;
    t.of[c] = {static_cast<uint8_t>(r), static_cast<uint8_t>(col),
               static_cast<uint8_t>(r / 3 * 3 + col / 3), static_cast<uint8_t>(r / 3),
               static_cast<uint8_t>(col / 3)};
  }
  return t;
}
constexpr CellPlaceTable kCellPlaces = MakeCellPlaceTable();

// The unit of type t (0 row, 1 column, 2 box) of a cell, numbered as in kUnitCellSets.
inline uint32_t UnitOfCell(uint32_t c, uint32_t t) {
  const CellPlace& p = kCellPlaces.of[c];
  return t == 0 ? p.row : t == 1 ? 9u + p.column : 18u + p.box;
}

// Queue d in every cell of s, ascending.
void QueueCells(CellSet s, uint32_t d) {
  while (!s.Empty()) QueueElimination(s.TakeFirst(), d);
}

}  // namespace

void QueueCommonPeers(uint32_t a, uint32_t b, uint32_t d, const CellSet& open) {
  const CellPlace& pa = kCellPlaces.of[a];
  const CellPlace& pb = kCellPlaces.of[b];
  // A shared column, row or box: its other seven cells. Otherwise the cells that see both
  // through a line and a box: the two crossings, or b's row (column) in a's box and then a's
  // row (column) in b's box.
  uint32_t unit;
  if (pa.column == pb.column) {
    unit = 9u + pa.column;
  } else if (pa.row == pb.row) {
    unit = pa.row;
  } else if (pa.box == pb.box) {
    unit = 18u + pa.box;
  } else {
    if (pa.band != pb.band && pa.stack != pb.stack) {
      if (open.Has(CellAt(pb.row, pa.column))) QueueElimination(CellAt(pb.row, pa.column), d);
      if (open.Has(CellAt(pa.row, pb.column))) QueueElimination(CellAt(pa.row, pb.column), d);
    } else if (pa.band == pb.band) {
      for (uint32_t c = CellAt(pb.row, pa.stack * 3u), end = c + 3; c < end; ++c)
        if (open.Has(c)) QueueElimination(c, d);
      for (uint32_t c = CellAt(pa.row, pb.stack * 3u), end = c + 3; c < end; ++c)
        if (open.Has(c)) QueueElimination(c, d);
    } else {
      for (uint32_t c = CellAt(pa.band * 3u, pb.column), end = c + 27; c < end; c += 9)
        if (open.Has(c)) QueueElimination(c, d);
      for (uint32_t c = CellAt(pb.band * 3u, pa.column), end = c + 27; c < end; c += 9)
        if (open.Has(c)) QueueElimination(c, d);
    }
    return;
  }
  CellSet peers = kUnitCellSets.unit[unit] & open;
  peers.Remove(a);
  peers.Remove(b);
  QueueCells(peers, d);
}

namespace {

// Common peers of every pair a < b of cells, one in x and the other in y (the two sets share
// no cell), in the order of a, then of b. Stops early once the queue is full, when no entry
// can be added any more.
void QueuePairPeers(CellSet x, CellSet y, uint32_t d, const CellSet& open) {
  // Once either set runs out, the cells left have no partner above them.
  while (!x.Empty() && !y.Empty()) {
    if (g.queue.length >= kQueueCapacity) return;
    const CellSet both = x | y;
    const uint32_t a = both.First();
    CellSet other;
    if (x.Has(a)) {
      x.Remove(a);
      other = y;
    } else {
      y.Remove(a);
      other = x;
    }
    while (!other.Empty()) QueueCommonPeers(a, other.TakeFirst(), d, open);
  }
}

// The conjugate colouring of one digit, with the holders it came from: it depends on nothing
// else, so the routines of one table state share it. Colours are numbered as in CellColour.
struct DigitColouring {
  uint32_t valid;
  uint32_t holders[27];
  uint32_t next;  // 1 + 2 × number of clusters
  CellSet links;  // the cells of the conjugate pairs
  uint8_t colour[81];
  // The other holder of the digit in the cell's row, column and box when the unit holds the
  // digit exactly twice; 81 otherwise.
  uint8_t conjugate[81][3];
  CellSet ofColour[82];
};
DigitColouring gColouring[9];

// Colours every cluster from its lowest cell: a cell an even number of conjugate steps away
// takes the cluster's first colour, the others its second, which is what spreading the two
// colours alternately from the lowest cell gives.
void BuildColouring(DigitColouring& k) {
  std::memset(k.conjugate, 81, sizeof k.conjugate);
  std::memset(k.colour, 0, sizeof k.colour);
  k.links = CellSet{};
  for (uint32_t unit = 0; unit < 27; ++unit) {
    const uint32_t h = k.holders[unit];
    if (std::popcount(h) != 2) continue;
    const uint32_t a = UnitCell27(unit, static_cast<uint32_t>(std::countr_zero(h)));
    const uint32_t b = UnitCell27(unit, static_cast<uint32_t>(std::countr_zero(h & (h - 1))));
    k.conjugate[a][unit / 9] = static_cast<uint8_t>(b);
    k.conjugate[b][unit / 9] = static_cast<uint8_t>(a);
    k.links.Add(a);
    k.links.Add(b);
  }
  uint32_t next = 1;
  uint8_t queue[81];
  for (CellSet seeds = k.links; !seeds.Empty();) {
    const uint32_t seed = seeds.TakeFirst();
    if (k.colour[seed] != 0) continue;
    k.ofColour[next] = CellSet{};
    k.ofColour[next + 1] = CellSet{};
    k.colour[seed] = static_cast<uint8_t>(next);
    k.ofColour[next].Add(seed);
    uint32_t head = 0, tail = 0;
    queue[tail++] = static_cast<uint8_t>(seed);
    while (head < tail) {
      const uint32_t s = queue[head++];
      const uint32_t partner = PartnerColour(k.colour[s]);
      for (uint32_t t = 0; t < 3; ++t) {
        const uint32_t o = k.conjugate[s][t];
        if (o == 81 || k.colour[o] != 0) continue;
        k.colour[o] = static_cast<uint8_t>(partner);
        k.ofColour[partner].Add(o);
        queue[tail++] = static_cast<uint8_t>(o);
      }
    }
    next += 2;
  }
  k.next = next;
}

const DigitColouring& ColouringOf(uint32_t d) {
  uint32_t holders[27];
  LoadUnitHolders(d, holders);
  DigitColouring& k = gColouring[d];
  if (k.valid && std::memcmp(k.holders, holders, sizeof holders) == 0) return k;
  std::memcpy(k.holders, holders, sizeof holders);
  BuildColouring(k);
  k.valid = 1;
  return k;
}

// True when two cells of the set share a row, a column or a box.
bool SeesItself(const CellSet& cells) {
  for (CellSet rest = cells; !rest.Empty();)
    if (cells.Intersects(kUnitCellSets.peers[rest.TakeFirst()])) return true;
  return false;
}

}  // namespace

uint32_t SimpleColoring(uint32_t place) {
  ResetQueue();
  const CellSet open = OpenCellSet();
  for (uint32_t d = 0; d < 9; ++d) {
    const DigitColouring& k = ColouringOf(d);
    uint32_t trapStart = 0, trapEnd = 0;
    for (uint32_t colour = 1; colour < k.next; ++colour) {
      const CellSet& cells = k.ofColour[colour];
      if (SeesItself(cells)) QueueCells(cells & open, d);  // colour wrap: false everywhere
      // Colour trap. The trap of the cluster's second colour pairs the same cells in the same
      // order as the first colour's did: it repeats the entries queued then.
      if (colour % 2 == 0) {
        for (uint32_t i = trapStart; i < trapEnd; ++i)
          QueueElimination(g.queue.cell[i], g.queue.digit[i]);
        continue;
      }
      trapStart = g.queue.length;
      QueuePairPeers(cells, k.ofColour[colour + 1], d, open);
      trapEnd = g.queue.length;
    }
  }
  if (g.queue.length) FlushEliminations(CodeSimpleColoring);
  return FinishRoutine(place, KindAuto);
}

namespace {

// The cluster of a colour: colours 2k+1 and 2k+2 form cluster k.
inline uint32_t ClusterOf(uint32_t colour) { return (colour - 1) / 2; }

// Calls visit(c) for every marked cell c in the units of the cells of colour A whose colour
// lies in another cluster, in unit order (row, column, box) per cell, repeats kept.
template <typename Visit>
void VisitSeen(const DigitColouring& k, uint32_t colour, Visit visit) {
  const uint32_t cluster = ClusterOf(colour);
  for (CellSet cells = k.ofColour[colour]; !cells.Empty();) {
    const uint32_t s = cells.TakeFirst();
    for (uint32_t t = 0; t < 3; ++t) {
      CellSet seen = kUnitCellSets.unit[UnitOfCell(s, t)] & k.links;
      seen.Remove(s);
      while (!seen.Empty()) {
        const uint32_t c = seen.TakeFirst();
        if (ClusterOf(k.colour[c]) != cluster) visit(c);
      }
    }
  }
}

}  // namespace

uint32_t MultiColoringType1(uint32_t place) {
  ResetQueue();
  const CellSet open = OpenCellSet();
  for (uint32_t d = 0; d < 9; ++d) {
    const DigitColouring& k = ColouringOf(d);
    if (k.next < 6) continue;  // needs three clusters
    for (uint32_t colour = 1; colour < k.next; ++colour) {
      if (k.ofColour[colour].Count() < 2) continue;
      // A colour that sees both colours of another cluster is false: its cells are queued
      // once for every two sightings, one of each colour of that cluster.
      uint32_t seen[82] = {};
      VisitSeen(k, colour, [&](uint32_t c) { ++seen[k.colour[c]]; });
      uint32_t pairs = 0;
      for (uint32_t c = 1; c < k.next; c += 2) pairs += seen[c] * seen[c + 1];
      const CellSet cells = k.ofColour[colour] & open;
      for (uint32_t i = 0; i < pairs && g.queue.length < kQueueCapacity; ++i) QueueCells(cells, d);
    }
  }
  if (g.queue.length) FlushEliminations(CodeMultiColoringType1);
  return FinishRoutine(place, KindAuto);
}

uint32_t MultiColoringType2(uint32_t place) {
  ResetQueue();
  const CellSet open = OpenCellSet();
  for (uint32_t d = 0; d < 9; ++d) {
    const DigitColouring& k = ColouringOf(d);
    if (k.next < 5) continue;  // needs two clusters
    for (uint32_t colour = 1; colour < k.next; ++colour) {
      // Colour A sees colour C: A' or C' is true, so cells seeing both lose d. Every colour
      // seen is taken once, in the order first seen.
      CellSet seenColours;  // colours as bits
      VisitSeen(k, colour, [&](uint32_t c) {
        const uint32_t seen = k.colour[c];
        if (seenColours.Has(seen)) return;
        seenColours.Add(seen);
        QueuePairPeers(k.ofColour[PartnerColour(seen)], k.ofColour[PartnerColour(colour)], d,
                       open);
      });
    }
  }
  if (g.queue.length) FlushEliminations(CodeMultiColoringType2);
  return FinishRoutine(place, KindAuto);
}

void ReportMedusaContradiction(uint32_t cell, uint32_t d) {
  if (g.settings.candErase != 2) return;
  LogLine(Format("3D Medusa Coloring Contradiction <%u> (%u,%u)", d + 1, ColumnOf(cell) + 1,
                 RowOf(cell) + 1));
}

namespace {

// The 3D Medusa marks of one digit: the marked cells and, among them, those of colour 1.
// Spread holds the marked cells a pass has spread from: all their conjugates are marked, so
// spreading from them again could only report contradictions.
struct MedusaMarks {
  CellSet marked, one, spread;
};

// One spreading pass over digit e along its conjugate pairs (k is its colouring; every marked
// cell holds e); returns the number of candidates newly marked. A cell marked during the pass
// is spread in the same pass when it comes after the cell that marked it. Outside the
// detailed display mode, where contradictions are not reported, the cells in m.spread are
// passed over.
uint32_t SpreadMarks(uint32_t e, const DigitColouring& k, MedusaMarks& m) {
  const bool report = g.settings.candErase == 2;
  uint32_t marked = 0;
  for (uint32_t s = m.marked.First(); s < 81; s = m.marked.NextFrom(s + 1)) {
    if (!report) {
      if (m.spread.Has(s)) continue;
      m.spread.Add(s);
    }
    const bool one = m.one.Has(s);
    for (uint32_t t = 0; t < 3; ++t) {
      const uint32_t other = k.conjugate[s][t];
      if (other == 81) continue;
      if (!m.marked.Has(other)) {
        m.marked.Add(other);
        if (!one) m.one.Add(other);
        ++marked;
      } else if (m.one.Has(other) == one) {
        ReportMedusaContradiction(other, e);
      }
    }
  }
  return marked;
}

}  // namespace

uint32_t MedusaSpread(uint32_t e) {
  MedusaMarks m;
  for (uint32_t c = 0; c < 81; ++c) {
    if (!MedusaMarked[c * 9 + e]) continue;
    m.marked.Add(c);
    if (MedusaColour[c * 9 + e]) m.one.Add(c);
  }
  const uint32_t marked = SpreadMarks(e, ColouringOf(e), m);
  for (CellSet cells = m.marked; !cells.Empty();) {
    const uint32_t c = cells.TakeFirst();
    MedusaMarked[c * 9 + e] = 1;
    MedusaColour[c * 9 + e] = m.one.Has(c);
  }
  return marked;
}

uint32_t Medusa3D(uint32_t place) {
  ResetQueue();
  const CellSet open = OpenCellSet();
  uint32_t mask[81];
  LoadCellMasks(mask);
  CellSet bivalue;
  for (uint32_t c = 0; c < 81; ++c)
    if (g.cand.count[c] == 2) bivalue.Add(c);
  const DigitColouring* colouring[9];
  for (uint32_t e = 0; e < 9; ++e) colouring[e] = &ColouringOf(e);
  for (uint32_t d = 0; d < 9; ++d) {
    const DigitColouring& k = *colouring[d];
    for (uint32_t colour = 1; colour < k.next; colour += 2) {  // one cluster: (colour, colour+1)
      // Bivalue step: the other candidate of a coloured bivalue cell takes the other colour
      // (the cluster's first colour is Medusa colour 1).
      MedusaMarks marks[9];
      uint32_t crossed = 0;  // bit e: digit e has marks
      const CellSet cluster = k.ofColour[colour] | k.ofColour[colour + 1];
      for (CellSet cells = cluster & bivalue; !cells.Empty();) {
        const uint32_t c = cells.TakeFirst();
        const uint32_t others = mask[c] & ~(1u << d);
        if (others == 0) continue;
        const uint32_t e = static_cast<uint32_t>(std::countr_zero(others));
        marks[e].marked.Add(c);
        if (!k.ofColour[colour].Has(c)) marks[e].one.Add(c);
        crossed |= 1u << e;
      }
      for (uint32_t m = crossed; m != 0; m &= m - 1) {
        const uint32_t e = static_cast<uint32_t>(std::countr_zero(m));
        while (SpreadMarks(e, *colouring[e], marks[e]) != 0) {
        }
      }
      for (uint32_t m = crossed; m != 0; m &= m - 1) {
        const uint32_t e = static_cast<uint32_t>(std::countr_zero(m));
        QueuePairPeers(marks[e].marked.Without(marks[e].one), marks[e].one, e, open);
      }
    }
  }
  if (g.queue.length) FlushEliminations(CodeMedusa3D);
  return FinishRoutine(place, KindAuto);
}

const RoutineEntry kColouringRoutines[] = {
    {"SimpleColoring", SimpleColoring, 1030},
    {"MultiColoringType1", MultiColoringType1, 920},
    {"MultiColoringType2", MultiColoringType2, 930},
    {"Medusa3D", Medusa3D, 935},
    {nullptr, nullptr, 0},
};
