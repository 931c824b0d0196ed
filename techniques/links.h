// The link graph of the chain rung. Nodes are the candidates (cell * 9 + digit index), then
// group nodes: a digit confined to the cells of one line within one block (two or three cells).
// A node is "on" when its digit sits in one of its cells, "off" when in none.
//   weak link   a - b : a on  => b off (one cell, two digits; or one digit, every cell of b
//                       seeing every cell of a)
//   strong link a = b : a off => b on  (a cell with two candidates; or a unit whose holders of
//                       the digit are exactly the cells of a and b)
// Almost-locked-set nodes come last, built only when asked for: for an ALS A (2 to 6 cells of
// one unit holding one digit more than cells) and each digit x of A, the node (A,x) stands for
// "x sits in A". It is turned off by any x that sees all of A's x cells; off, it leaves A locked
// on its other digits, so a strong link runs from (A,x) to every (A,z).
// Chains alternate them; forcing chains follow them from a premise; forcing nets add the
// singles that several earlier conclusions together force.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "board/bitsets.h"

constexpr uint32_t kMaxGroupNodes = 486;  // 54 line-block crossings x 9 digits
constexpr uint32_t kAlsBase = 1280;       // almost-locked-set nodes from here
constexpr uint32_t kMaxAlsNodes = 1792;
constexpr uint32_t kNodeCapacity = kAlsBase + kMaxAlsNodes;
constexpr uint32_t kMaxAlsCells = 6;
using NodeSet = WordSet<20>;  // candidates and group nodes
using AlsSet = WordSet<48>;   // with the almost-locked-set nodes
constexpr uint32_t kNoNode = 0xFFFF;

// A literal: node * 2 + 1 for "on", node * 2 for "off".
inline uint32_t LitOn(uint32_t node) { return node * 2 + 1; }
inline uint32_t LitOff(uint32_t node) { return node * 2; }

struct LinkGraph {
  uint32_t snapshot[729];  // the table the graph was built from (flag, 0 for filled cells)
  bool built = false;
  uint32_t groupCount = 0;
  CellSet groupCells[kMaxGroupNodes];
  uint8_t groupDigit[kMaxGroupNodes];
  uint32_t cellMask[81];  // candidates of each open cell (count >= 1)
  NodeSet candidates;     // candidate nodes of open cells
  NodeSet all;            // candidates and group nodes
  NodeSet weak[kAlsBase];
  uint16_t strong[kNodeCapacity][kMaxAlsCells];
  uint8_t strongCount[kNodeCapacity];
  // The almost-locked-set part, built by EnsureAlsNodes.
  bool alsBuilt = false;
  uint32_t alsNodes = 0;
  CellSet alsCells[kMaxAlsNodes];
  uint8_t alsDigit[kMaxAlsNodes];
  uint16_t alsOwner[kMaxAlsNodes];  // the ALS a node belongs to
  CellSet alsWhole[kMaxAlsNodes];   // all cells of that ALS
  AlsSet withAls;                   // every node
  std::vector<AlsSet> alsWeak;      // weak links of every node, ALS nodes included
};

uint32_t NodeDigit(const LinkGraph& graph, uint32_t node);
CellSet NodeCells(const LinkGraph& graph, uint32_t node);

// Builds the graph for the current table unless it already holds it. False when nothing changed.
bool EnsureLinkGraph(LinkGraph& graph);
// Adds the almost-locked-set nodes to a built graph (once per build).
void EnsureAlsNodes(LinkGraph& graph);

// Everything a literal implies along alternating links inside `allowed`, breadth first.
// level[node] (when given) gets the step at which the node was first reached.
struct Closure {
  NodeSet on, off;
};
void Alternate(const LinkGraph& graph, uint32_t startLit, const NodeSet& allowed, Closure& out);

// The shortest alternating path of literals from startLit to targetLit inside `allowed`;
// empty when there is none.
std::vector<uint32_t> TracePath(const LinkGraph& graph, uint32_t startLit, uint32_t targetLit,
                                const NodeSet& allowed);
// The same over every node, almost-locked sets included.
std::vector<uint32_t> TracePathAls(const LinkGraph& graph, uint32_t startLit, uint32_t targetLit);

// The singles net: from a premise literal on candidates, every conclusion the singles force,
// breadth first up to `depth` steps. A contradiction (a cell or a unit left without its digit, a
// candidate both on and off) stops it and is reported. parent[] keeps, per candidate literal,
// the literal that forced it (kNoNode for the premise) to rebuild the net's main line.
struct NetResult {
  CandSet on, off;
  bool contradiction = false;
  uint32_t contradictionLit = kNoNode;  // the literal that broke the table
  uint32_t contradictionUnit = 28;      // 0..26 the unit it emptied of its digit, 27 its cell
                                        // emptied, 28 its opposite already derived
  uint16_t parent[1458];
};
void PropagateNet(const LinkGraph& graph, uint32_t premiseLit, uint32_t depth, bool singlesFromMany,
                  NetResult& out);
std::vector<uint32_t> NetPath(const NetResult& net, uint32_t lit);

// Text of nodes and literals in the usual notation: "(5)r3c4", "(5)r3c45"; "r3c4=5", "r3c4<>5".
std::string NodeText(const LinkGraph& graph, uint32_t node);
std::string LitText(const LinkGraph& graph, uint32_t lit);
std::string CellsText(const CellSet& cells);
// An alternating path as "(5)r3c4=(5)r3c7-(5)r8c7=(5)r8c2" (start off: strong first); an
// almost-locked set entered on one digit and left on another reads "(5=3)r1c23".
std::string ChainText(const LinkGraph& graph, const std::vector<uint32_t>& path);
// A path of literals as "r3c4=5 -> r3c7<>5 -> ...".
std::string ImplicationText(const LinkGraph& graph, const std::vector<uint32_t>& path);
