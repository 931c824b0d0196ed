#include "techniques/links.h"

#include <bit>
#include <cstring>

#include "board/queue.h"
#include "board/state.h"

namespace {

// The 54 crossings of a line with a block: block b, k 0..2 its rows, 3..5 its columns.
CellSet CrossingCells(uint32_t crossing) {
  const uint32_t b = crossing / 6, k = crossing % 6, first = BlockFirst(b);
  CellSet s;
  for (uint32_t i = 0; i < 3; ++i) s.Set(k < 3 ? first + 9 * k + i : first + (k - 3) + 9 * i);
  return s;
}

// The crossing holding every cell of s inside unit u, or 54 when the cells spread wider.
uint32_t CrossingOf(uint32_t unit, const CellSet& s) {
  const CellGeometry& geo = Geometry();
  const uint32_t first = s.First();
  if (first > 80) return 54;
  const uint32_t b = BlockOf(first), r = RowOf(first), c = ColumnOf(first);
  if (unit < 18) {
    const uint32_t crossing = unit < 9 ? b * 6 + r % 3 : b * 6 + 3 + c % 3;
    return s.Within(CrossingCells(crossing)) ? crossing : 54;
  }
  const uint32_t row = b * 6 + r % 3, col = b * 6 + 3 + c % 3;
  if (s.Within(CrossingCells(row))) return row;
  if (s.Within(CrossingCells(col))) return col;
  (void)geo;
  return 54;
}

}  // namespace

uint32_t NodeDigit(const LinkGraph& graph, uint32_t node) {
  if (node >= kAlsBase) return graph.alsDigit[node - kAlsBase];
  return node < 729 ? node % 9 : graph.groupDigit[node - 729];
}

CellSet NodeCells(const LinkGraph& graph, uint32_t node) {
  if (node >= kAlsBase) return graph.alsCells[node - kAlsBase];
  if (node >= 729) return graph.groupCells[node - 729];
  CellSet s;
  s.Set(node / 9);
  return s;
}

bool EnsureLinkGraph(LinkGraph& graph) {
  uint32_t snapshot[729];
  for (uint32_t c = 0; c < 81; ++c)
    for (uint32_t d = 0; d < 9; ++d)
      snapshot[c * 9 + d] = g.cand.count[c] >= 1 && g.cand.flag[c * 9 + d] ? 1 : 0;
  if (graph.built && std::memcmp(snapshot, graph.snapshot, sizeof snapshot) == 0) return false;
  std::memcpy(graph.snapshot, snapshot, sizeof snapshot);
  graph.built = true;
  graph.alsBuilt = false;

  const CellGeometry& geo = Geometry();
  graph.candidates = NodeSet{};
  CellSet holders[9];  // cells holding each digit
  for (uint32_t c = 0; c < 81; ++c) {
    graph.cellMask[c] = 0;
    for (uint32_t d = 0; d < 9; ++d)
      if (snapshot[c * 9 + d]) {
        graph.cellMask[c] |= 1u << d;
        graph.candidates.Set(c * 9 + d);
        holders[d].Set(c);
      }
  }

  // Group nodes, and the node of each crossing and digit.
  uint16_t groupAt[54][9];
  graph.groupCount = 0;
  for (uint32_t x = 0; x < 54; ++x) {
    const CellSet cells = CrossingCells(x);
    for (uint32_t d = 0; d < 9; ++d) {
      groupAt[x][d] = kNoNode;
      const CellSet in = cells & holders[d];
      if (in.Count() < 2) continue;
      const uint32_t n = graph.groupCount++;
      graph.groupCells[n] = in;
      graph.groupDigit[n] = static_cast<uint8_t>(d);
      groupAt[x][d] = static_cast<uint16_t>(729 + n);
    }
  }
  std::vector<uint16_t> groupsOf[9];
  for (uint32_t n = 0; n < graph.groupCount; ++n) groupsOf[graph.groupDigit[n]].push_back(static_cast<uint16_t>(n));
  graph.all = graph.candidates;
  for (uint32_t n = 0; n < graph.groupCount; ++n) graph.all.Set(729 + n);

  // The node whose cells are exactly `rest` (holders of d in a unit): a candidate or a group.
  auto nodeOf = [&](uint32_t unit, const CellSet& rest, uint32_t d) -> uint32_t {
    const uint32_t n = rest.Count();
    if (n == 1) return rest.First() * 9 + d;
    if (n < 2) return kNoNode;
    const uint32_t x = CrossingOf(unit, rest);
    if (x == 54 || groupAt[x][d] == kNoNode) return kNoNode;
    const uint32_t node = groupAt[x][d];
    return graph.groupCells[node - 729] == rest ? node : kNoNode;
  };

  const uint32_t nodes = 729 + graph.groupCount;
  for (uint32_t node = 0; node < nodes; ++node) {
    NodeSet& weak = graph.weak[node];
    weak = NodeSet{};
    graph.strongCount[node] = 0;
    if (node < 729 && !snapshot[node]) continue;
    const uint32_t d = NodeDigit(graph, node);
    const CellSet cells = NodeCells(graph, node);
    // Cells that see every cell of the node.
    CellSet seeing;
    seeing.w[0] = seeing.w[1] = ~uint64_t{0};
    ForEachCell(cells, [&](uint32_t c) { seeing &= geo.peers[c]; });
    seeing = seeing & holders[d];
    ForEachCell(seeing, [&](uint32_t c) { weak.Set(c * 9 + d); });
    for (uint16_t n : groupsOf[d])
      if (graph.groupCells[n].Within(seeing)) weak.Set(729 + n);
    auto addStrong = [&](uint32_t partner) {
      if (partner == kNoNode) return;
      for (uint32_t i = 0; i < graph.strongCount[node]; ++i)
        if (graph.strong[node][i] == partner) return;
      graph.strong[node][graph.strongCount[node]++] = static_cast<uint16_t>(partner);
    };
    if (node < 729) {
      const uint32_t c = node / 9, mask = graph.cellMask[c];
      for (uint32_t m = mask & ~(1u << d); m; m &= m - 1) weak.Set(c * 9 + std::countr_zero(m));
      if (std::popcount(mask) == 2) addStrong(c * 9 + std::countr_zero(mask & ~(1u << d)));
    }
    // The units holding every cell of the node are among those of its first cell.
    const uint32_t first = cells.First();
    for (uint32_t t = 0; t < 3; ++t) {
      const uint32_t u = geo.unitsOf[first][t];
      if (!cells.Within(geo.unit[u])) continue;
      addStrong(nodeOf(u, (geo.unit[u] & holders[d]) - cells, d));
    }
  }
  return true;
}

void Alternate(const LinkGraph& graph, uint32_t startLit, const NodeSet& allowed, Closure& out) {
  out.on = NodeSet{};
  out.off = NodeSet{};
  NodeSet frontierOn, frontierOff;
  const uint32_t start = startLit / 2;
  if (startLit & 1) {
    out.on.Set(start);
    frontierOn.Set(start);
  } else {
    out.off.Set(start);
    frontierOff.Set(start);
  }
  for (;;) {
    NodeSet nextOff, nextOn;
    ForEachCand(frontierOn, [&](uint32_t n) { nextOff |= graph.weak[n]; });
    ForEachCand(frontierOff, [&](uint32_t n) {
      for (uint32_t i = 0; i < graph.strongCount[n]; ++i) nextOn.Set(graph.strong[n][i]);
    });
    nextOff &= allowed;
    nextOff -= out.off;
    nextOn &= allowed;
    nextOn -= out.on;
    if (nextOff.Empty() && nextOn.Empty()) return;
    out.off |= nextOff;
    out.on |= nextOn;
    frontierOn = nextOn;
    frontierOff = nextOff;
  }
}

namespace {

template <typename WeakOf, typename Allowed>
std::vector<uint32_t> Trace(const LinkGraph& graph, uint32_t startLit, uint32_t targetLit,
                            uint32_t nodes, WeakOf weakOf, Allowed allowed) {
  std::vector<uint16_t> parent(nodes * 2, kNoNode);
  std::vector<uint16_t> queue;
  queue.reserve(nodes * 2);
  parent[startLit] = static_cast<uint16_t>(startLit);
  queue.push_back(static_cast<uint16_t>(startLit));
  for (size_t head = 0; head < queue.size() && parent[targetLit] == kNoNode; ++head) {
    const uint32_t lit = queue[head], node = lit / 2;
    auto reach = [&](uint32_t next) {
      if (parent[next] != kNoNode) return;
      parent[next] = static_cast<uint16_t>(lit);
      queue.push_back(static_cast<uint16_t>(next));
    };
    if (lit & 1) {
      ForEachCand(weakOf(node), [&](uint32_t n) {
        if (allowed(n)) reach(LitOff(n));
      });
    } else {
      for (uint32_t i = 0; i < graph.strongCount[node]; ++i)
        if (allowed(graph.strong[node][i])) reach(LitOn(graph.strong[node][i]));
    }
  }
  std::vector<uint32_t> path;
  if (parent[targetLit] == kNoNode) return path;
  for (uint32_t lit = targetLit;; lit = parent[lit]) {
    path.push_back(lit);
    if (lit == startLit) break;
  }
  return {path.rbegin(), path.rend()};
}

}  // namespace

std::vector<uint32_t> TracePath(const LinkGraph& graph, uint32_t startLit, uint32_t targetLit,
                                const NodeSet& allowed) {
  return Trace(
      graph, startLit, targetLit, kAlsBase,
      [&](uint32_t n) -> const NodeSet& { return graph.weak[n]; },
      [&](uint32_t n) { return n < kAlsBase && allowed.Has(n); });
}

std::vector<uint32_t> TracePathAls(const LinkGraph& graph, uint32_t startLit, uint32_t targetLit) {
  return Trace(
      graph, startLit, targetLit, kNodeCapacity,
      [&](uint32_t n) -> const AlsSet& { return graph.alsWeak[n]; },
      [&](uint32_t n) { return graph.withAls.Has(n); });
}

void EnsureAlsNodes(LinkGraph& graph) {
  if (graph.alsBuilt) return;
  graph.alsBuilt = true;
  const CellGeometry& geo = Geometry();
  graph.alsNodes = 0;
  // Every set of 2..4 open cells of a unit holding one digit more than cells, once.
  std::vector<CellSet> seen;
  uint32_t owners = 0;
  for (uint32_t u = 0; u < 27 && graph.alsNodes < kMaxAlsNodes; ++u) {
    uint32_t open[9], n = 0;
    for (uint32_t k = 0; k < 9; ++k) {
      const uint32_t c = kUnitCells.cell[u][k];
      if (std::popcount(graph.cellMask[c]) >= 2) open[n++] = c;
    }
    for (uint32_t pick = 1; pick < (1u << n); ++pick) {
      const uint32_t size = static_cast<uint32_t>(std::popcount(pick));
      if (size < 2 || size > kMaxAlsCells) continue;
      uint32_t digits = 0;
      CellSet cells;
      for (uint32_t m = pick; m; m &= m - 1) {
        const uint32_t c = open[std::countr_zero(m)];
        digits |= graph.cellMask[c];
        cells.Set(c);
      }
      if (static_cast<uint32_t>(std::popcount(digits)) != size + 1) continue;
      bool known = false;
      for (const CellSet& s : seen) known = known || s == cells;
      if (known) continue;
      if (graph.alsNodes + size + 1 > kMaxAlsNodes) break;
      seen.push_back(cells);
      const uint32_t owner = owners++;
      const uint32_t first = graph.alsNodes;
      for (uint32_t m = digits; m; m &= m - 1) {
        const uint32_t d = static_cast<uint32_t>(std::countr_zero(m)), k = graph.alsNodes++;
        CellSet in;
        ForEachCell(cells, [&](uint32_t c) {
          if (graph.cellMask[c] >> d & 1) in.Set(c);
        });
        graph.alsCells[k] = in;
        graph.alsDigit[k] = static_cast<uint8_t>(d);
        graph.alsOwner[k] = static_cast<uint16_t>(owner);
        graph.alsWhole[k] = cells;
      }
      // Off for one digit, on for each other.
      for (uint32_t a = first; a < graph.alsNodes; ++a) {
        graph.strongCount[kAlsBase + a] = 0;
        for (uint32_t b = first; b < graph.alsNodes; ++b)
          if (a != b)
            graph.strong[kAlsBase + a][graph.strongCount[kAlsBase + a]++] =
                static_cast<uint16_t>(kAlsBase + b);
      }
    }
  }
  const uint32_t low = 729 + graph.groupCount;
  graph.withAls = AlsSet{};
  for (uint32_t k = 0; k < NodeSet::kCandWords; ++k) {
    graph.withAls.w[k] = graph.all.w[k];
  }
  for (uint32_t a = 0; a < graph.alsNodes; ++a) graph.withAls.Set(kAlsBase + a);
  graph.alsWeak.assign(kAlsBase + graph.alsNodes, AlsSet{});
  // Which cells see all cells of each node, per node; then the weak links among all.
  auto seeingAll = [&](const CellSet& cells) {
    CellSet seeing;
    seeing.w[0] = seeing.w[1] = ~uint64_t{0};
    ForEachCell(cells, [&](uint32_t c) { seeing &= geo.peers[c]; });
    return seeing;
  };
  std::vector<uint16_t> alsOf[9];
  for (uint32_t a = 0; a < graph.alsNodes; ++a) alsOf[graph.alsDigit[a]].push_back(static_cast<uint16_t>(a));
  for (uint32_t node = 0; node < low; ++node) {
    if (!graph.all.Has(node)) continue;
    AlsSet& weak = graph.alsWeak[node];
    for (uint32_t k = 0; k < NodeSet::kCandWords; ++k) weak.w[k] = graph.weak[node].w[k];
    const CellSet seeing = seeingAll(NodeCells(graph, node));
    for (uint16_t a : alsOf[NodeDigit(graph, node)])
      if (graph.alsCells[a].Within(seeing)) weak.Set(kAlsBase + a);
  }
  for (uint32_t a = 0; a < graph.alsNodes; ++a) {
    const uint32_t node = kAlsBase + a, d = graph.alsDigit[a];
    AlsSet& weak = graph.alsWeak[node];
    const CellSet seeing = seeingAll(graph.alsCells[a]);
    ForEachCell(seeing, [&](uint32_t c) {
      if (graph.cellMask[c] >> d & 1) weak.Set(c * 9 + d);
    });
    for (uint32_t n = 0; n < graph.groupCount; ++n)
      if (graph.groupDigit[n] == d && graph.groupCells[n].Within(seeing)) weak.Set(729 + n);
    for (uint16_t b : alsOf[d])
      if (graph.alsCells[b].Within(seeing)) weak.Set(kAlsBase + b);
  }
}

void PropagateNet(const LinkGraph& graph, uint32_t premiseLit, uint32_t depth, bool singlesFromMany,
                  NetResult& out) {
  const CellGeometry& geo = Geometry();
  out.on = CandSet{};
  out.off = CandSet{};
  out.contradiction = false;
  out.contradictionLit = kNoNode;
  out.contradictionUnit = 28;
  std::memset(out.parent, 0xFF, sizeof out.parent);
  uint32_t rem[81];
  uint32_t holders[27][9];
  std::memcpy(rem, graph.cellMask, sizeof rem);
  for (uint32_t u = 0; u < 27; ++u)
    for (uint32_t d = 0; d < 9; ++d) {
      uint32_t h = 0;
      for (uint32_t k = 0; k < 9; ++k)
        if (graph.cellMask[kUnitCells.cell[u][k]] >> d & 1) h |= 1u << k;
      holders[u][d] = h;
    }
  uint16_t queue[1458];
  uint8_t level[1458];
  uint32_t tail = 0;

  auto assign = [&](uint32_t lit, uint32_t from, uint32_t lvl) {
    const uint32_t i = lit / 2;
    CandSet& mine = (lit & 1) ? out.on : out.off;
    CandSet& other = (lit & 1) ? out.off : out.on;
    if (mine.Has(i) || out.contradiction) return;
    out.parent[lit] = static_cast<uint16_t>(from);
    if (other.Has(i)) {
      out.contradiction = true;
      out.contradictionLit = lit;
      return;
    }
    mine.Set(i);
    queue[tail] = static_cast<uint16_t>(lit);
    level[tail] = static_cast<uint8_t>(lvl);
    ++tail;
  };
  assign(premiseLit, kNoNode, 0);
  for (uint32_t head = 0; head < tail && !out.contradiction; ++head) {
    const uint32_t lit = queue[head], lvl = level[head];
    if (lvl >= depth) continue;
    const uint32_t i = lit / 2, c = i / 9, d = i % 9;
    if (lit & 1) {
      for (uint32_t m = rem[c] & ~(1u << d); m; m &= m - 1)
        assign(LitOff(c * 9 + std::countr_zero(m)), lit, lvl + 1);
      ForEachCell(geo.peers[c], [&](uint32_t p) {
        if (rem[p] >> d & 1) assign(LitOff(p * 9 + d), lit, lvl + 1);
      });
      continue;
    }
    // Off: the cell and its three units lose the candidate.
    const uint32_t before = graph.cellMask[c];
    rem[c] &= ~(1u << d);
    if (rem[c] == 0) {
      out.contradiction = true;
      out.contradictionLit = lit;
      out.contradictionUnit = 27;
      break;
    }
    if (std::popcount(rem[c]) == 1 && (singlesFromMany || std::popcount(before) == 2))
      assign(LitOn(c * 9 + std::countr_zero(rem[c])), lit, lvl + 1);
    for (uint32_t t = 0; t < 3 && !out.contradiction; ++t) {
      const uint32_t u = geo.unitsOf[c][t];
      uint32_t k = 0;
      while (kUnitCells.cell[u][k] != c) ++k;
      const uint32_t original = holders[u][d];
      holders[u][d] &= ~(1u << k);
      const uint32_t h = holders[u][d];
      if (h == 0) {
        out.contradiction = true;
        out.contradictionLit = lit;
        out.contradictionUnit = u;
        break;
      }
      (void)original;
      if (std::popcount(h) == 1) {
        // A bilocal unit is one link; a unit emptied down to one cell by several is a net.
        uint32_t had = 0;
        for (uint32_t j = 0; j < 9; ++j)
          if (graph.cellMask[kUnitCells.cell[u][j]] >> d & 1) ++had;
        if (singlesFromMany || had == 2)
          assign(LitOn(kUnitCells.cell[u][std::countr_zero(h)] * 9 + d), lit, lvl + 1);
      }
    }
  }
}

std::vector<uint32_t> NetPath(const NetResult& net, uint32_t lit) {
  std::vector<uint32_t> path;
  // The premise's parent is kNoNode; a literal never reached has none and gives no path.
  if (lit >= 1458 || net.parent[lit] == 0xFFFF) {
    if (lit < 1458 && ((lit & 1) ? net.on : net.off).Has(lit / 2)) path.push_back(lit);
    return path;
  }
  for (uint32_t l = lit; l < 1458 && path.size() < 200; l = net.parent[l]) path.push_back(l);
  return {path.rbegin(), path.rend()};
}

std::string CellsText(const CellSet& cells) {
  uint32_t rows = 0, cols = 0;
  ForEachCell(cells, [&](uint32_t c) {
    rows |= 1u << RowOf(c);
    cols |= 1u << ColumnOf(c);
  });
  auto digits = [](uint32_t mask) {
    std::string s;
    for (uint32_t i = 0; i < 9; ++i)
      if (mask >> i & 1) s += static_cast<char>('1' + i);
    return s;
  };
  if (std::popcount(rows) == 1 || std::popcount(cols) == 1)
    return "r" + digits(rows) + "c" + digits(cols);
  std::string s;
  ForEachCell(cells, [&](uint32_t c) {
    if (!s.empty()) s += ",";
    s += Format("r%uc%u", RowOf(c) + 1, ColumnOf(c) + 1);
  });
  return s;
}

std::string NodeText(const LinkGraph& graph, uint32_t node) {
  return Format("(%u)", NodeDigit(graph, node) + 1) + CellsText(NodeCells(graph, node));
}

std::string LitText(const LinkGraph& graph, uint32_t lit) {
  const uint32_t node = lit / 2;
  return CellsText(NodeCells(graph, node)) + ((lit & 1) ? "=" : "<>") +
         Format("%u", NodeDigit(graph, node) + 1);
}

std::string ChainText(const LinkGraph& graph, const std::vector<uint32_t>& path) {
  std::string s;
  for (size_t i = 0; i < path.size(); ++i) {
    const uint32_t node = path[i] / 2;
    if (i > 0) s += (path[i] & 1) ? "=" : "-";
    if (node >= kAlsBase && !(path[i] & 1) && i + 1 < path.size() && path[i + 1] / 2 >= kAlsBase &&
        graph.alsOwner[node - kAlsBase] == graph.alsOwner[path[i + 1] / 2 - kAlsBase]) {
      s += Format("(%u=%u)", NodeDigit(graph, node) + 1, NodeDigit(graph, path[i + 1] / 2) + 1) +
           CellsText(graph.alsWhole[node - kAlsBase]);
      ++i;
      continue;
    }
    s += NodeText(graph, node);
  }
  return s;
}

std::string ImplicationText(const LinkGraph& graph, const std::vector<uint32_t>& path) {
  std::string s;
  for (size_t i = 0; i < path.size(); ++i) {
    if (i > 0) s += " -> ";
    s += LitText(graph, path[i]);
  }
  return s;
}
