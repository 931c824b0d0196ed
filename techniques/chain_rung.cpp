// AICs, nice loops, forcing chains and forcing nets on the link graph.
//
// AIC family: from every node X assumed off, the alternating links reach nodes that must then
// be on; a candidate Z that sees X and such a node Y is off either way (X=...=Y with Z seeing
// both ends). When X assumed off comes back on, X is true. Every removal keeps its shortest
// chain; the step is named by the chain's shape:
//   Continuous Nice Loop     the two ends see each other, closing the loop
//   Discontinuous Nice Loop  X off forces X on (placement), or Z shares a cell with an end
//   AIC                      every other chain
// and "Grouped" when only a chain through a group node reaches it.
//
// Forcing family: every candidate of an open cell assumed on and off, closed along the same
// links (chains) or with the singles several conclusions force together (nets, depth bounded):
//   Contradiction  the premise forces a node on and off, or empties a cell or a unit
//   Digit          X on and X off force the same conclusion
//   Cell           every candidate of a cell forces it
//   Unit           every place of a digit in a unit forces it
//
// Steps are collected as data, de-duplicated by what they conclude, and formatted only when
// the detailed log asks for the chain.
#include "techniques/chain_rung.h"

#include <algorithm>
#include <bit>
#include <string>
#include <vector>

#include "board/candidates.h"
#include "board/queue.h"
#include "board/state.h"
#include "techniques/links.h"

namespace chain_rung {

enum StepKind : uint32_t { StepChain, StepLoopPlacement, StepForcing, StepContradiction };

struct Step {
  uint32_t code = 0;
  uint32_t kind = StepChain;
  uint32_t length = 0;
  bool grouped = false;
  bool als = false;
  bool net = false;
  uint32_t start = kNoNode, end = kNoNode;  // chains: start literal, end node
  std::vector<uint32_t> premises;           // forcing: premise literals
  uint32_t conclusion = kNoNode;            // forcing: concluded literal; contradiction: the
                                            // node found on and off, or kNoNode
  uint32_t emptyCell = 81;                  // contradiction: a cell left without candidates
  std::vector<uint16_t> removals;
};

// The shortest walk found to a conclusion: its length and start node.
struct Best {
  uint32_t length = ~0u;
  uint32_t start = kNoNode;
};

}  // namespace chain_rung

using chain_rung::Best;
using chain_rung::Step;

struct ChainTables {
  LinkGraph graph;
  uint64_t generation = 0;
  uint64_t aicGeneration = ~uint64_t{0};
  uint64_t forcingGeneration = ~uint64_t{0};
  uint64_t netGeneration = ~uint64_t{0};
  bool groupedAicDone = false, alsAicDone = false;
  std::vector<Best> groupedElim, groupedPlace;  // the grouped pass's
  std::vector<Step> aicSteps, forcingSteps, netSteps;
  std::vector<Best> aicElim, aicPlace;  // the plain pass's shortest walks
};

ChainScratch::ChainScratch() = default;
ChainScratch::~ChainScratch() = default;

std::string* ChainTextSink = nullptr;

namespace {

using namespace chain_rung;

ChainTables& Tables(ChainScratch& scratch) {
  if (!scratch.tables) scratch.tables = std::make_unique<ChainTables>();
  ChainTables& t = *scratch.tables;
  if (EnsureLinkGraph(t.graph)) ++t.generation;
  return t;
}

inline uint32_t CellCount(const LinkGraph& graph, uint32_t cell) {
  return static_cast<uint32_t>(std::popcount(graph.cellMask[cell]));
}

// Candidates whose removal is a real step: the cell keeps another.
NodeSet Removable(const LinkGraph& graph) {
  NodeSet s;
  for (uint32_t c = 0; c < 81; ++c)
    if (CellCount(graph, c) >= 2)
      for (uint32_t m = graph.cellMask[c]; m; m &= m - 1) s.Set(c * 9 + std::countr_zero(m));
  return s;
}

bool AnyRemovable(const LinkGraph& graph) {
  for (uint32_t c = 0; c < 81; ++c)
    if (CellCount(graph, c) >= 2) return true;
  return false;
}

// The removals that place candidate i: the other candidates of its cell.
void AddPlacement(const LinkGraph& graph, uint32_t i, std::vector<uint16_t>& removals) {
  const uint32_t c = i / 9;
  for (uint32_t m = graph.cellMask[c] & ~(1u << (i % 9)); m; m &= m - 1)
    removals.push_back(static_cast<uint16_t>(c * 9 + std::countr_zero(m)));
}

// ---------------------------------------------------------------------------------------
// AIC family
// ---------------------------------------------------------------------------------------

// One breadth-first walk per start node X assumed off, over the first W words of the node
// sets (12: candidates only; 20: with the group nodes). For every removable Z seeing X that
// turns off, and every X that comes back on, the shortest walk is kept.
template <uint32_t W, typename Full, typename WeakOf, typename Visit>
void Walk(const LinkGraph& graph, const Full& allowedNodes, WeakOf weakOf, uint32_t startLit,
          Visit visit) {
  using Set = WordSet<W>;
  // The walk reads the first W words of the wider sets.
  Set allowed;
  for (uint32_t k = 0; k < W; ++k) allowed.w[k] = allowedNodes.w[k];
  Set on, off, frontierOn, frontierOff;
  const uint32_t start = startLit / 2;
  if (startLit & 1) {
    on.Set(start);
    frontierOn.Set(start);
  } else {
    off.Set(start);
    frontierOff.Set(start);
  }
  for (uint32_t level = 1;; ++level) {
    Set nextOff, nextOn;
    ForEachCand(frontierOn, [&](uint32_t n) {
      const uint64_t* weak = weakOf(n).w;
      for (uint32_t k = 0; k < W; ++k) nextOff.w[k] |= weak[k];
    });
    ForEachCand(frontierOff, [&](uint32_t n) {
      for (uint32_t i = 0; i < graph.strongCount[n]; ++i) {
        const uint32_t m = graph.strong[n][i];
        if (m < 64 * W) nextOn.Set(m);
      }
    });
    nextOff &= allowed;
    nextOff -= off;
    nextOn &= allowed;
    nextOn -= on;
    if (nextOff.Empty() && nextOn.Empty()) return;
    if (!visit(level, nextOn, nextOff)) return;
    off |= nextOff;
    on |= nextOn;
    frontierOn = nextOn;
    frontierOff = nextOff;
  }
}

// The plain pass: one walk per candidate X assumed off. Every removable Z seeing X that turns
// off, and X when it comes back on, keep their shortest walk.
template <uint32_t W, typename Full, typename WeakOf>
void WalkFromEveryStart(const LinkGraph& graph, const Full& allowedNodes, const NodeSet& removable,
                        WeakOf weakOf, std::vector<Best>& elim, std::vector<Best>& place) {
  using Set = WordSet<W>;
  ForEachCand(removable, [&](uint32_t x) {
    Set target;
    for (uint32_t k = 0; k < W; ++k) target.w[k] = weakOf(x).w[k] & removable.w[k];
    Walk<W>(graph, allowedNodes, weakOf, LitOff(x),
            [&](uint32_t level, const Set& nextOn, const Set& nextOff) {
              if (nextOn.Has(x) && level < place[x].length) place[x] = {level, x};
              const Set hit = nextOff & target;
              ForEachCand(hit, [&](uint32_t z) {
                if (level < elim[z].length) elim[z] = {level, x};
              });
              return true;
            });
  });
}

// The wider passes, whose chains may end in group or set nodes: one walk per removable Z
// assumed on (Z is removed when it comes back off) and one per candidate assumed off (placed
// when it comes back on). The walk's start is Z itself; the chain is rebuilt from its path.
template <uint32_t W, typename Full, typename WeakOf>
void WalkFromEveryTarget(const LinkGraph& graph, const Full& allowedNodes,
                         const NodeSet& removable, const std::vector<Best>& known,
                         const std::vector<Best>& knownPlace, WeakOf weakOf,
                         std::vector<Best>& elim, std::vector<Best>& place) {
  using Set = WordSet<W>;
  ForEachCand(removable, [&](uint32_t z) {
    if (known[z].start == kNoNode)
      Walk<W>(graph, allowedNodes, weakOf, LitOn(z),
              [&](uint32_t level, const Set&, const Set& nextOff) {
                if (!nextOff.Has(z)) return true;
                elim[z] = {level, z};
                return false;
              });
    if (knownPlace[z].start == kNoNode)
      Walk<W>(graph, allowedNodes, weakOf, LitOff(z),
              [&](uint32_t level, const Set& nextOn, const Set&) {
                if (!nextOn.Has(z)) return true;
                place[z] = {level, z};
                return false;
              });
  });
}

// The steps of one pass: a placement per X that comes back on, one step per chain (start, end,
// name) with its removals.
void CollectAicSteps(const LinkGraph& graph, uint32_t pass, const std::vector<Best>& elim,
                     const std::vector<Best>& place, std::vector<Step>& steps) {
  const bool grouped = pass == 1, als = pass == 2;
  const size_t first = steps.size();
  for (uint32_t x = 0; x < 729; ++x) {
    const Best& b = place[x];
    if (b.start == kNoNode) continue;
    Step s;
    s.kind = StepLoopPlacement;
    s.code = als       ? CodeAlsChain
             : grouped ? CodeGroupedDiscontinuousNiceLoop
                       : CodeDiscontinuousNiceLoop;
    s.length = b.length;
    s.grouped = grouped;
    s.als = als;
    s.start = LitOff(x);
    s.end = x;
    AddPlacement(graph, x, s.removals);
    steps.push_back(s);
  }
  const NodeSet& allowed = grouped ? graph.all : graph.candidates;
  for (uint32_t z = 0; z < 729; ++z) {
    const Best& b = elim[z];
    if (b.start == kNoNode) continue;
    // The plain pass walked from the end X; the wider ones from Z on, through X, back to Z.
    const uint32_t from = pass == 0 ? LitOff(b.start) : LitOn(z);
    std::vector<uint32_t> path = als ? TracePathAls(graph, from, LitOff(z))
                                     : TracePath(graph, from, LitOff(z), allowed);
    if (pass != 0 && path.size() >= 2) path.erase(path.begin());
    if (path.size() < 3) continue;
    const uint32_t x = path[0] / 2, y = path[path.size() - 2] / 2;
    uint32_t code;
    if (als) {
      // Three sets linked by restricted commons, the ends sharing the removed digit.
      bool allSets = true;
      uint32_t owners[8], owned = 0;
      for (size_t k = 0; k + 1 < path.size(); ++k) {
        const uint32_t node = path[k] / 2;
        if (node < kAlsBase) {
          allSets = false;
          break;
        }
        const uint32_t owner = graph.alsOwner[node - kAlsBase];
        bool known = false;
        for (uint32_t i = 0; i < owned; ++i) known = known || owners[i] == owner;
        if (!known && owned < 8) owners[owned++] = owner;
      }
      code = allSets && owned == 3 ? CodeAlsXyWing : CodeAlsChain;
    } else if (graph.weak[x].Has(y))
      code = CodeContinuousNiceLoop;
    else if (x == y)  // X off forces X on: the loop through X places it
      code = CodeDiscontinuousNiceLoop;
    else if ((x < 729 && x / 9 == z / 9) || (y < 729 && y / 9 == z / 9))
      code = CodeDiscontinuousNiceLoop;
    else
      code = CodeAic;
    if (grouped && !als) code += CodeGroupedAic - CodeAic;
    Step* step = nullptr;
    for (size_t k = first; k < steps.size(); ++k)
      if (steps[k].kind == StepChain && steps[k].start == LitOff(x) && steps[k].end == y &&
          steps[k].code == code)
        step = &steps[k];
    if (!step) {
      Step s;
      s.code = code;
      s.length = static_cast<uint32_t>(path.size()) - 1;
      s.grouped = grouped;
      s.als = als;
      s.start = LitOff(x);
      s.end = y;
      steps.push_back(s);
      step = &steps.back();
    }
    step->removals.push_back(static_cast<uint16_t>(z));
  }
  std::stable_sort(steps.begin() + static_cast<std::ptrdiff_t>(first), steps.end(),
                   [](const Step& a, const Step& b) { return a.length < b.length; });
}

// The plain pass (candidates only) and, asked for separately, the grouped pass, which keeps
// only what the plain pass could not reach.
void SearchAic(ChainTables& t, uint32_t pass) {
  if (t.aicGeneration != t.generation) {
    t.aicGeneration = t.generation;
    t.aicSteps.clear();
    t.groupedAicDone = false;
    t.alsAicDone = false;
    const LinkGraph& graph = t.graph;
    t.aicElim.assign(729, Best{});
    t.aicPlace.assign(729, Best{});
    if (AnyRemovable(graph)) {
      WalkFromEveryStart<CandSet::kCandWords>(
          graph, graph.candidates, Removable(graph),
          [&](uint32_t n) -> const NodeSet& { return graph.weak[n]; }, t.aicElim, t.aicPlace);
      CollectAicSteps(graph, 0, t.aicElim, t.aicPlace, t.aicSteps);
    }
  }
  if (pass == 0) return;
  const LinkGraph& graph = t.graph;
  if (!t.groupedAicDone) {
    t.groupedAicDone = true;
    t.groupedElim.assign(729, Best{});
    t.groupedPlace.assign(729, Best{});
    if (graph.groupCount > 0 && AnyRemovable(graph)) {
      WalkFromEveryTarget<NodeSet::kCandWords>(
          graph, graph.all, Removable(graph), t.aicElim, t.aicPlace,
          [&](uint32_t n) -> const NodeSet& { return graph.weak[n]; }, t.groupedElim,
          t.groupedPlace);
      std::vector<Best> elim = t.groupedElim, place = t.groupedPlace;
      for (uint32_t i = 0; i < 729; ++i) {
        if (t.aicElim[i].start != kNoNode) elim[i] = Best{};
        if (t.aicPlace[i].start != kNoNode) place[i] = Best{};
      }
      CollectAicSteps(graph, 1, elim, place, t.aicSteps);
    }
  }
  if (pass == 1 || t.alsAicDone) return;
  t.alsAicDone = true;
  if (!AnyRemovable(graph)) return;
  EnsureAlsNodes(t.graph);
  if (graph.alsNodes == 0) return;
  std::vector<Best> known = t.aicElim, knownPlace = t.aicPlace;
  for (uint32_t i = 0; i < 729; ++i) {
    if (t.groupedElim[i].start != kNoNode) known[i] = t.groupedElim[i];
    if (t.groupedPlace[i].start != kNoNode) knownPlace[i] = t.groupedPlace[i];
  }
  std::vector<Best> elim(729), place(729);
  WalkFromEveryTarget<AlsSet::kCandWords>(
      graph, graph.withAls, Removable(graph), known, knownPlace,
      [&](uint32_t n) -> const AlsSet& { return graph.alsWeak[n]; }, elim, place);
  CollectAicSteps(graph, 2, elim, place, t.aicSteps);
}

// ---------------------------------------------------------------------------------------
// Forcing family
// ---------------------------------------------------------------------------------------

// The conclusions one premise family shares: nodes on in all, nodes off in all.
struct Common {
  NodeSet on, off;
  bool first = true;
  void Meet(const NodeSet& on2, const NodeSet& off2) {
    if (first) {
      on = on2;
      off = off2;
      first = false;
    } else {
      on &= on2;
      off &= off2;
    }
  }
};

// Adds the steps a family concludes, one per conclusion not concluded before.
void AddConclusions(const LinkGraph& graph, const Common& common, const NodeSet& removable,
                    const std::vector<uint32_t>& premises, uint32_t code, bool net,
                    std::vector<Step>& steps, NodeSet& concludedOn, NodeSet& concludedOff) {
  NodeSet on = common.on & removable;
  on -= concludedOn;
  NodeSet off = common.off & graph.all;
  off &= removable | (graph.all - graph.candidates);
  off -= concludedOff;
  auto add = [&](uint32_t lit) {
    Step s;
    s.code = code;
    s.kind = StepForcing;
    s.net = net;
    s.premises = premises;
    s.conclusion = lit;
    const uint32_t node = lit / 2;
    if (lit & 1) {
      AddPlacement(graph, node, s.removals);
    } else if (node < 729) {
      s.removals.push_back(static_cast<uint16_t>(node));
    } else {
      const uint32_t d = NodeDigit(graph, node);
      ForEachCell(NodeCells(graph, node), [&](uint32_t c) {
        if (CellCount(graph, c) >= 2) s.removals.push_back(static_cast<uint16_t>(c * 9 + d));
      });
    }
    if (!s.removals.empty()) steps.push_back(s);
  };
  ForEachCand(on, [&](uint32_t n) { add(LitOn(n)); });
  ForEachCand(off, [&](uint32_t n) { add(LitOff(n)); });
  concludedOn |= on;
  concludedOff |= off;
}

// A cell whose every candidate the set holds (an emptied cell), or 81.
uint32_t EmptiedCell(const LinkGraph& graph, const NodeSet& off) {
  for (uint32_t c = 0; c < 81; ++c) {
    const uint32_t mask = graph.cellMask[c];
    if (mask && (CellBits(off, c) & mask) == mask) return c;
  }
  return 81;
}

struct PremiseResult {
  NodeSet on, off;
  bool contradiction = false;
  uint32_t conflict = kNoNode;  // node on and off
  uint32_t emptyCell = 81;
};

template <typename Propagate>
void SearchForcingFamily(const LinkGraph& graph, bool net, Propagate propagate,
                         std::vector<Step>& steps) {
  const NodeSet removable = Removable(graph);
  // Results per removable candidate, packed.
  uint16_t slot[729];
  uint32_t slots = 0;
  for (uint32_t i = 0; i < 729; ++i) slot[i] = removable.Has(i) ? static_cast<uint16_t>(slots++) : 0;
  if (slots == 0) return;
  std::vector<PremiseResult> onResults(slots), offResults(slots);
  for (uint32_t i = 0; i < 729; ++i) {
    if (!removable.Has(i)) continue;
    propagate(LitOn(i), onResults[slot[i]]);
    propagate(LitOff(i), offResults[slot[i]]);
  }
  struct Packed {
    const std::vector<PremiseResult>& results;
    const uint16_t* slot;
    const PremiseResult& operator[](uint32_t i) const { return results[slot[i]]; }
  };
  const Packed onResult{onResults, slot}, offResult{offResults, slot};
  const uint32_t contradiction = net ? CodeContradictionForcingNet : CodeContradictionForcingChain;
  const uint32_t digit = net ? CodeDigitForcingNet : CodeDigitForcingChain;
  const uint32_t cell = net ? CodeCellForcingNet : CodeCellForcingChain;
  const uint32_t unit = net ? CodeUnitForcingNet : CodeUnitForcingChain;

  // Contradictions: the premise is false.
  for (uint32_t i = 0; i < 729; ++i) {
    if (!removable.Has(i)) continue;
    for (uint32_t value = 0; value < 2; ++value) {
      const PremiseResult& r = value ? onResult[i] : offResult[i];
      if (!r.contradiction) continue;
      Step s;
      s.code = contradiction;
      s.kind = StepContradiction;
      s.net = net;
      s.premises = {value ? LitOn(i) : LitOff(i)};
      s.conclusion = r.conflict;
      s.emptyCell = r.emptyCell;
      if (value)
        s.removals.push_back(static_cast<uint16_t>(i));
      else
        AddPlacement(graph, i, s.removals);
      steps.push_back(s);
    }
  }
  // Verities, each conclusion once per name.
  NodeSet doneOn, doneOff;
  for (uint32_t i = 0; i < 729; ++i) {
    if (!removable.Has(i) || onResult[i].contradiction || offResult[i].contradiction) continue;
    Common common;
    common.Meet(onResult[i].on, onResult[i].off);
    common.Meet(offResult[i].on, offResult[i].off);
    common.on.Clear(i);
    common.off.Clear(i);
    AddConclusions(graph, common, removable, {LitOn(i), LitOff(i)}, digit, net, steps, doneOn,
                   doneOff);
  }
  doneOn = NodeSet{};
  doneOff = NodeSet{};
  for (uint32_t c = 0; c < 81; ++c) {
    if (CellCount(graph, c) < 3) continue;
    Common common;
    std::vector<uint32_t> premises;
    bool usable = true;
    for (uint32_t m = graph.cellMask[c]; m; m &= m - 1) {
      const uint32_t i = c * 9 + std::countr_zero(m);
      if (onResult[i].contradiction) usable = false;
      common.Meet(onResult[i].on, onResult[i].off);
      premises.push_back(LitOn(i));
    }
    if (!usable) continue;
    AddConclusions(graph, common, removable, premises, cell, net, steps, doneOn, doneOff);
  }
  doneOn = NodeSet{};
  doneOff = NodeSet{};
  for (uint32_t u = 0; u < 27; ++u)
    for (uint32_t d = 0; d < 9; ++d) {
      Common common;
      std::vector<uint32_t> premises;
      bool usable = true;
      for (uint32_t k = 0; k < 9; ++k) {
        const uint32_t c = kUnitCells.cell[u][k], i = c * 9 + d;
        if (!(graph.cellMask[c] >> d & 1)) continue;
        if (CellCount(graph, c) < 2 || onResult[i].contradiction) usable = false;
        common.Meet(onResult[i].on, onResult[i].off);
        premises.push_back(LitOn(i));
      }
      if (!usable || premises.size() < 3) continue;
      // The unit's own holders are off in all but one premise each: none is common.
      AddConclusions(graph, common, removable, premises, unit, net, steps, doneOn, doneOff);
    }
}

void SearchForcingChains(ChainTables& t) {
  if (t.forcingGeneration == t.generation) return;
  t.forcingGeneration = t.generation;
  t.forcingSteps.clear();
  const LinkGraph& graph = t.graph;
  auto propagate = [&](uint32_t lit, PremiseResult& r) {
    Closure closure;
    Alternate(graph, lit, graph.all, closure);
    r.on = closure.on;
    r.off = closure.off;
    const NodeSet conflict = closure.on & closure.off;
    r.conflict = conflict.Empty() ? kNoNode : conflict.First();
    r.emptyCell = EmptiedCell(graph, closure.off);
    r.contradiction = r.conflict != kNoNode || r.emptyCell != 81;
  };
  SearchForcingFamily(graph, false, propagate, t.forcingSteps);
}

void SearchForcingNets(ChainTables& t) {
  if (t.netGeneration == t.generation) return;
  t.netGeneration = t.generation;
  t.netSteps.clear();
  const LinkGraph& graph = t.graph;
  NetResult net;
  auto propagate = [&](uint32_t lit, PremiseResult& r) {
    PropagateNet(graph, lit, kNetDepth, true, net);
    r.on = NodeSet{};
    r.off = NodeSet{};
    for (uint32_t k = 0; k < CandSet::kCandWords; ++k) {
      r.on.w[k] = net.on.w[k];
      r.off.w[k] = net.off.w[k];
    }
    r.contradiction = net.contradiction;
    r.conflict = net.contradictionLit;  // a literal here: rebuilt for the text
  };
  SearchForcingFamily(graph, true, propagate, t.netSteps);
}

// ---------------------------------------------------------------------------------------
// Text and the flush
// ---------------------------------------------------------------------------------------

std::string RemovalText(const std::vector<uint16_t>& removals) {
  std::string s;
  for (uint16_t i : removals) {
    if (!s.empty()) s += ", ";
    s += Format("r%uc%u<>%u", i / 9 / 9 + 1, i / 9 % 9 + 1, i % 9 + 1);
  }
  return s;
}

std::string NetLine(const LinkGraph& graph, uint32_t premise, uint32_t target) {
  NetResult net;
  PropagateNet(graph, premise, kNetDepth, true, net);
  return ImplicationText(graph, NetPath(net, target));
}

std::string StepText(const LinkGraph& graph, const Step& s) {
  const NodeSet& allowed = s.grouped ? graph.all : graph.candidates;
  switch (s.kind) {
    case StepChain: {
      // X=...=Y, then the removals that see both ends.
      const std::vector<uint32_t> path = s.als ? TracePathAls(graph, s.start, LitOn(s.end))
                                               : TracePath(graph, s.start, LitOn(s.end), allowed);
      return ChainText(graph, path) + " => " + RemovalText(s.removals);
    }
    case StepLoopPlacement: {
      const std::vector<uint32_t> path = s.als ? TracePathAls(graph, s.start, LitOn(s.end))
                                               : TracePath(graph, s.start, LitOn(s.end), allowed);
      return ChainText(graph, path) + " => " + LitText(graph, LitOn(s.end));
    }
    case StepContradiction: {
      const uint32_t premise = s.premises[0];
      std::string text;
      if (s.net) {
        NetResult net;
        PropagateNet(graph, premise, kNetDepth, true, net);
        const uint32_t lit = net.contradictionLit;
        text = ImplicationText(graph, NetPath(net, lit));
        if (lit == kNoNode) {
          text += " => contradiction";
        } else if (net.contradictionUnit == 28) {
          text += " | " + ImplicationText(graph, NetPath(net, lit ^ 1));
        } else if (net.contradictionUnit == 27) {
          text += Format(" => r%uc%u has no candidate", lit / 2 / 9 / 9 + 1, lit / 2 / 9 % 9 + 1);
        } else {
          static const char* const kUnit[3] = {"row", "column", "box"};
          text += Format(" => %s %u has no %u", kUnit[net.contradictionUnit / 9],
                         net.contradictionUnit % 9 + 1, lit / 2 % 9 + 1);
        }
      } else if (s.conclusion != kNoNode) {
        text = ImplicationText(graph, TracePath(graph, premise, LitOn(s.conclusion), graph.all)) +
               " | " +
               ImplicationText(graph, TracePath(graph, premise, LitOff(s.conclusion), graph.all));
      } else {
        text = LitText(graph, premise) + Format(" empties r%uc%u", RowOf(s.emptyCell) + 1,
                                                ColumnOf(s.emptyCell) + 1);
      }
      return text + " => " + LitText(graph, premise ^ 1);
    }
    default: {
      std::string text;
      for (uint32_t premise : s.premises) {
        if (!text.empty()) text += " | ";
        text += s.net ? NetLine(graph, premise, s.conclusion)
                      : ImplicationText(graph, TracePath(graph, premise, s.conclusion, graph.all));
      }
      return text + " => " + LitText(graph, s.conclusion);
    }
  }
}

// Queues and flushes each step of the code that still removes something; in the detailed log
// its chain comes first.
uint32_t EmitSteps(const LinkGraph& graph, const std::vector<Step>& steps, uint32_t code,
                   uint32_t place) {
  ResetQueue();
  for (const Step& s : steps) {
    if (s.code != code) continue;
    bool live = false;
    for (uint16_t i : s.removals)
      if (g.cand.flag[i] && g.cand.count[i / 9] > 1) live = true;
    if (!live) continue;
    if (g.settings.candErase == 2 || ChainTextSink) {
      const std::string text = StepText(graph, s);
      if (g.settings.candErase == 2) LogLine(text);
      if (ChainTextSink) *ChainTextSink += (ChainTextSink->empty() ? "" : "; ") + text;
    }
    // The flush takes the queue from its end: queue backwards so the log reads forwards.
    for (size_t k = s.removals.size(); k-- > 0;) QueueElimination(s.removals[k] / 9, s.removals[k] % 9);
    FlushEliminations(code);
  }
  return FinishRoutine(place, KindAuto);
}

uint32_t RunAic(ChainScratch& scratch, uint32_t code, uint32_t place) {
  ChainTables& t = Tables(scratch);
  SearchAic(t, code >= CodeAlsXyWing ? 2 : code >= CodeGroupedContinuousNiceLoop ? 1 : 0);
  return EmitSteps(t.graph, t.aicSteps, code, place);
}

uint32_t RunForcing(ChainScratch& scratch, uint32_t code, uint32_t place) {
  ChainTables& t = Tables(scratch);
  SearchForcingChains(t);
  return EmitSteps(t.graph, t.forcingSteps, code, place);
}

uint32_t RunNets(ChainScratch& scratch, uint32_t code, uint32_t place) {
  ChainTables& t = Tables(scratch);
  SearchForcingNets(t);
  return EmitSteps(t.graph, t.netSteps, code, place);
}

}  // namespace

#define CHAIN_ROUTINE(Name, Runner, Code)                               \
  uint32_t Shared##Name(ChainScratch& scratch, uint32_t place) {       \
    return Runner(scratch, Code, place);                               \
  }                                                                    \
  uint32_t Name(uint32_t place) {                                      \
    ChainScratch scratch;                                              \
    return Runner(scratch, Code, place);                               \
  }

CHAIN_ROUTINE(ContinuousNiceLoop, RunAic, CodeContinuousNiceLoop)
CHAIN_ROUTINE(DiscontinuousNiceLoop, RunAic, CodeDiscontinuousNiceLoop)
CHAIN_ROUTINE(Aic, RunAic, CodeAic)
CHAIN_ROUTINE(GroupedContinuousNiceLoop, RunAic, CodeGroupedContinuousNiceLoop)
CHAIN_ROUTINE(GroupedDiscontinuousNiceLoop, RunAic, CodeGroupedDiscontinuousNiceLoop)
CHAIN_ROUTINE(GroupedAic, RunAic, CodeGroupedAic)
CHAIN_ROUTINE(AlsXyWing, RunAic, CodeAlsXyWing)
CHAIN_ROUTINE(AlsChain, RunAic, CodeAlsChain)
CHAIN_ROUTINE(ContradictionForcingChain, RunForcing, CodeContradictionForcingChain)
CHAIN_ROUTINE(DigitForcingChain, RunForcing, CodeDigitForcingChain)
CHAIN_ROUTINE(CellForcingChain, RunForcing, CodeCellForcingChain)
CHAIN_ROUTINE(UnitForcingChain, RunForcing, CodeUnitForcingChain)
CHAIN_ROUTINE(ContradictionForcingNet, RunNets, CodeContradictionForcingNet)
CHAIN_ROUTINE(DigitForcingNet, RunNets, CodeDigitForcingNet)
CHAIN_ROUTINE(CellForcingNet, RunNets, CodeCellForcingNet)
CHAIN_ROUTINE(UnitForcingNet, RunNets, CodeUnitForcingNet)
