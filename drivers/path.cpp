// The solving path and "次の一手".
#include "drivers/path.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "board/candidates.h"
#include "board/platform.h"
#include "board/queue.h"
#include "board/state.h"
#include "drivers/commands.h"
#include "drivers/frame.h"
#include "techniques/chain_rung.h"
#include "techniques/rung.h"
#include "techniques/patterns.h"
#include "techniques/techniques.h"

// The difficulty ladder, simplest first. Weights follow the usual explainer scale: 1.0 for a
// full house, about 2 to 3 for the singles and locked candidates, 3 to 5 for subsets, fish
// and short wings, 5 to 7 for the larger fish, colouring and almost-locked sets; the chain
// rung continues from 7 up to about 11 for deep nets.
namespace {
// The rung's routines keep the weight of their registration table, in tenths.
constexpr uint32_t RungWeight(uint32_t code) {
  for (const RungRow& row : kRungRows)
    if (row.code == code) return static_cast<uint32_t>(row.weight * 10 + 0.5);
  return 0;
}
// The chains the last chain routine applied, collected through the engine's sink.
std::string lastChain;
const char* LastChain() { return lastChain.empty() ? nullptr : lastChain.c_str(); }
}  // namespace

const PathRung kPathLadder[] = {
    {"Full House", RungFullHouse, nullptr, CodeNakedSingle, 10, nullptr},
    {"Hidden Single", RungHiddenSingle, nullptr, CodeHiddenSingle, 15, nullptr},
    {"Naked Single", RungNakedSingle, nullptr, CodeNakedSingle, 23, nullptr},
    {"Locked Candidates", RungRoutine, LockedCandidates, CodeLockedCandidates, 26, nullptr},
    {"Naked Pair", RungRoutine, NakedPair, CodeNakedPair, 30, nullptr},
    {"X-Wing", RungRoutine, XWing, CodeXWing, 32, nullptr},
    {"Hidden Pair", RungRoutine, HiddenPair, CodeHiddenPair, 34, nullptr},
    {"Naked Triple", RungRoutine, NakedTriple, CodeNakedTriple, 36, nullptr},
    {"Sword fish", RungRoutine, SwordFish, CodeSwordFish, 38, nullptr},
    {"Hidden Triple", RungRoutine, HiddenTriple, CodeHiddenTriple, 40, nullptr},
    {"Skyscraper", RungRoutine, Skyscraper, CodeSkyscraper, RungWeight(CodeSkyscraper), nullptr},
    {"2-String Kite", RungRoutine, TwoStringKite, CodeTwoStringKite, RungWeight(CodeTwoStringKite), nullptr},
    {"XY-Wing", RungRoutine, XYWing, CodeXYWing, 42, nullptr},
    {"Turbot Fish", RungRoutine, TurbotFish, CodeTurbotFish, RungWeight(CodeTurbotFish), nullptr},
    {"Empty Rectangle", RungRoutine, EmptyRectangle, CodeEmptyRectangle, RungWeight(CodeEmptyRectangle), nullptr},
    {"XYZ-Wing", RungRoutine, XYZWing, CodeXYZWing, 44, nullptr},
    {"W-Wing", RungRoutine, WWing, CodeWWing, RungWeight(CodeWWing), nullptr},
    {"Remote Pairs", RungRoutine, RemotePairs, CodeRemotePairs, 45, nullptr},
    {"Unique Rectangle Type1", RungRoutine, UniqueRectangleType1, CodeUniqueRectangleType1, 45,
     nullptr},
    {"Unique Rectangle Type2", RungRoutine, UniqueRectangleType2, CodeUniqueRectangleType2, 46,
     nullptr},
    {"Unique Rectangle Type4", RungRoutine, UniqueRectangleType4, CodeUniqueRectangleType4, 46,
     nullptr},
    {"Unique Rectangle Type3", RungRoutine, UniqueRectangleType3, CodeUniqueRectangleType3, 47,
     nullptr},
    {"Hidden Rectangle", RungRoutine, HiddenRectangle, CodeHiddenRectangle, RungWeight(CodeHiddenRectangle), nullptr},
    {"Avoidable Rectangle Type 1", RungRoutine, AvoidableRectangleType1,
     CodeAvoidableRectangleType1, RungWeight(CodeAvoidableRectangleType1), nullptr},
    {"Avoidable Rectangle Type 2", RungRoutine, AvoidableRectangleType2,
     CodeAvoidableRectangleType2, RungWeight(CodeAvoidableRectangleType2), nullptr},
    {"Naked Quad", RungRoutine, NakedQuad, CodeNakedQuad, 50, nullptr},
    {"Simple Coloring", RungRoutine, SimpleColoring, CodeSimpleColoring, 50, nullptr},
    {"Finned Fish", RungRoutine, FinnedFish, CodeFinnedFish, 51, nullptr},
    {"Sashimi Fish", RungRoutine, SashimiFish, CodeSashimiFish, 52, nullptr},
    {"Jerry Fish", RungRoutine, JerryFish, CodeJerryFish, 52, nullptr},
    {"Hidden Quad", RungRoutine, HiddenQuad, CodeHiddenQuad, 54, nullptr},
    {"WXYZ-Wing", RungRoutine, WXYZWing, CodeWXYZWing, 55, nullptr},
    {"Multi Coloring Type1", RungRoutine, MultiColoringType1, CodeMultiColoringType1, 55,
     nullptr},
    {"Multi Coloring Type2", RungRoutine, MultiColoringType2, CodeMultiColoringType2, 55,
     nullptr},
    {"BUG+1", RungRoutine, BugPlusOne, CodeBugPlusOne, RungWeight(CodeBugPlusOne), nullptr},
    {"Finned Swordfish", RungRoutine, FinnedSwordfish, CodeFinnedSwordfish, 56, nullptr},
    {"Sashimi Swordfish", RungRoutine, SashimiSwordfish, CodeSashimiSwordfish, 57, nullptr},
    {"Sue de Coq", RungRoutine, SueDeCoq, CodeSueDeCoq, RungWeight(CodeSueDeCoq), nullptr},
    {"XY-chain", RungRoutine, XYChain, CodeXYChain, 60, nullptr},
    {"Finned Jerryfish", RungRoutine, FinnedJerryfish, CodeFinnedJerryfish, 60, nullptr},
    {"Sashimi Jerryfish", RungRoutine, SashimiJerryfish, CodeSashimiJerryfish, 61, nullptr},
    {"X-cycle", RungRoutine, XCycle, CodeXCycle, 62, nullptr},
    {"Aligned Pair Exclusion", RungRoutine, AlignedPairExclusion, CodeAlignedPairExclusion,
     62, nullptr},
    {"Hamada Logic", RungRoutine, HamadaLogic, CodeHamadaLogic, 63, nullptr},
    {"3D Medusa", RungRoutine, Medusa3D, CodeMedusa3D, 64, nullptr},
    {"Franken Swordfish", RungRoutine, FrankenSwordfish, CodeFrankenSwordfish, 65, nullptr},
    {"Continuous Nice Loop", RungRoutine, ContinuousNiceLoop, CodeContinuousNiceLoop, RungWeight(CodeContinuousNiceLoop),
     LastChain},
    {"Naked Quintuplet", RungRoutine, NakedQuintuplet, CodeNakedQuintuplet, 66, nullptr},
    {"Squirmbag", RungRoutine, Squirmbag, CodeSquirmbag, 66, nullptr},
    {"Discontinuous Nice Loop", RungRoutine, DiscontinuousNiceLoop, CodeDiscontinuousNiceLoop,
     RungWeight(CodeDiscontinuousNiceLoop), LastChain},
    {"AIC", RungRoutine, Aic, CodeAic, RungWeight(CodeAic), LastChain},
    {"Hidden Quintuplet", RungRoutine, HiddenQuintuplet, CodeHiddenQuintuplet, 68, nullptr},
    {"Finned Squirmbag", RungRoutine, FinnedSquirmbag, CodeFinnedSquirmbag, 68, nullptr},
    {"Sashimi Squirmbag", RungRoutine, SashimiSquirmbag, CodeSashimiSquirmbag, 69, nullptr},
    {"ALS-XZ", RungRoutine, AlsXZ, CodeAlsXZ, 70, nullptr},
    {"Gurths Symmetrical Placement", RungRoutine, GurthsSymmetricalPlacement,
     CodeGurthsSymmetricalPlacement, 70, nullptr},
    {"Grouped Continuous Nice Loop", RungRoutine, GroupedContinuousNiceLoop,
     CodeGroupedContinuousNiceLoop, RungWeight(CodeGroupedContinuousNiceLoop), LastChain},
    {"Grouped Discontinuous Nice Loop", RungRoutine, GroupedDiscontinuousNiceLoop,
     CodeGroupedDiscontinuousNiceLoop, RungWeight(CodeGroupedDiscontinuousNiceLoop), LastChain},
    {"Grouped AIC", RungRoutine, GroupedAic, CodeGroupedAic, RungWeight(CodeGroupedAic), LastChain},
    {"Finned Whale", RungRoutine, FinnedWhale, CodeFinnedWhale, 71, nullptr},
    {"Sashimi Whale", RungRoutine, SashimiWhale, CodeSashimiWhale, 72, nullptr},
    {"ALS-XY-Wing", RungRoutine, AlsXyWing, CodeAlsXyWing, RungWeight(CodeAlsXyWing), LastChain},
    {"Finned Leviathan", RungRoutine, FinnedLeviathan, CodeFinnedLeviathan, 73, nullptr},
    {"Sashimi Leviathan", RungRoutine, SashimiLeviathan, CodeSashimiLeviathan, 73, nullptr},
    {"Death Blossom", RungRoutine, DeathBlossom, CodeDeathBlossom, 74, nullptr},
    {"ALS Chain", RungRoutine, AlsChain, CodeAlsChain, RungWeight(CodeAlsChain), LastChain},
    {"Forcing Chain Contradiction", RungRoutine, ContradictionForcingChain,
     CodeContradictionForcingChain, RungWeight(CodeContradictionForcingChain), LastChain},
    {"Digit Forcing Chain", RungRoutine, DigitForcingChain, CodeDigitForcingChain, RungWeight(CodeDigitForcingChain), LastChain},
    {"Cell Forcing Chain", RungRoutine, CellForcingChain, CodeCellForcingChain, RungWeight(CodeCellForcingChain), LastChain},
    {"Unit Forcing Chain", RungRoutine, UnitForcingChain, CodeUnitForcingChain, RungWeight(CodeUnitForcingChain), LastChain},
    {"Forcing Net Contradiction", RungRoutine, ContradictionForcingNet,
     CodeContradictionForcingNet, RungWeight(CodeContradictionForcingNet), LastChain},
    {"Digit Forcing Net", RungRoutine, DigitForcingNet, CodeDigitForcingNet, RungWeight(CodeDigitForcingNet), LastChain},
    {"Cell Forcing Net", RungRoutine, CellForcingNet, CodeCellForcingNet, RungWeight(CodeCellForcingNet), LastChain},
    {"Unit Forcing Net", RungRoutine, UnitForcingNet, CodeUnitForcingNet, RungWeight(CodeUnitForcingNet), LastChain},
    {"Nested Forcing Net", RungRoutine, NestedForcingNet, CodeNestedForcingNet, RungWeight(CodeNestedForcingNet), LastChain},
};
const uint32_t kPathLadderLength = sizeof kPathLadder / sizeof kPathLadder[0];

namespace {

inline bool Holds(const uint32_t* mask, uint32_t c, uint32_t d) { return mask[c] >> d & 1; }

uint32_t MaskOf(uint32_t c) {
  uint32_t m = 0;
  for (uint32_t d = 0; d < 9; ++d)
    if (g.cand.flag[c * 9 + d]) m |= 1u << d;
  return m;
}

// The digits placed in each of the 27 units.
void PlacedDigits(const PathState& s, uint32_t used[27]) {
  for (uint32_t u = 0; u < 27; ++u) {
    used[u] = 0;
    for (uint32_t k = 0; k < 9; ++k) {
      const uint32_t v = s.placed[kUnitCells.cell[u][k]];
      if (v >= 1 && v <= 9) used[u] |= 1u << (v - 1);
    }
  }
}

void Placement(PathStep& step, uint32_t rung, uint32_t c, uint32_t d) {
  step = PathStep{};
  step.rung = rung;
  step.weight = kPathLadder[rung].weight;
  step.technique = kPathLadder[rung].name;
  step.cells.push_back(c);
  step.digits = 1u << d;
  step.placed.push_back(c * 9 + d);
}

// Singles, in cell order (full house, naked) or unit order, blocks first (hidden).
bool FindSingle(const PathState& s, uint32_t rung, PathStep& step) {
  const uint32_t kind = kPathLadder[rung].kind;
  uint32_t used[27];
  PlacedDigits(s, used);
  if (kind == RungFullHouse) {
    for (uint32_t u = 0; u < 27; ++u) {
      uint32_t open = 0, cell = 0;
      for (uint32_t k = 0; k < 9; ++k)
        if (s.placed[kUnitCells.cell[u][k]] == 0) ++open, cell = kUnitCells.cell[u][k];
      const uint32_t missing = ~used[u] & 0x1FF;
      if (open != 1 || std::popcount(missing) != 1) continue;
      const uint32_t d = static_cast<uint32_t>(std::countr_zero(missing));
      if (!g.cand.flag[cell * 9 + d]) continue;
      Placement(step, rung, cell, d);
      return true;
    }
    return false;
  }
  if (kind == RungNakedSingle) {
    for (uint32_t c = 0; c < 81; ++c) {
      if (s.placed[c] != 0 || g.cand.count[c] != 1) continue;
      const uint32_t d = static_cast<uint32_t>(std::countr_zero(MaskOf(c)));
      Placement(step, rung, c, d);
      return true;
    }
    return false;
  }
  for (uint32_t i = 0; i < 27; ++i) {
    const uint32_t u = (i + 18) % 27;  // blocks, rows, columns
    for (uint32_t d = 0; d < 9; ++d) {
      if (used[u] >> d & 1) continue;
      uint32_t n = 0, cell = 0;
      for (uint32_t k = 0; k < 9; ++k) {
        const uint32_t c = kUnitCells.cell[u][k];
        if (s.placed[c] == 0 && g.cand.flag[c * 9 + d]) ++n, cell = c;
      }
      if (n != 1 || g.cand.count[cell] < 2) continue;
      Placement(step, rung, cell, d);
      return true;
    }
  }
  return false;
}

// A single's table change: the cell's other digits, and the digit in every open peer.
void FlushSingle(PathState& s, uint32_t c, uint32_t d, uint32_t code) {
  ResetQueue();
  for (uint32_t e = 0; e < 9; ++e)
    if (e != d && g.cand.flag[c * 9 + e]) QueueElimination(c, e);
  for (uint32_t p : Peers[c])
    if (s.placed[p] == 0 && g.cand.flag[p * 9 + d]) QueueElimination(p, d);
  FlushEliminations(code);
  s.placed[c] = d + 1;
}

// The flushes of a routine run: the first code that removed something.
uint32_t observedCode = 0;
uint32_t observedTotal = 0;
void (*chainedObserver)(uint32_t code) = nullptr;
void ObserveFlush(uint32_t code) {
  if (observedCode == 0 && g.cand.total != observedTotal) observedCode = code;
  observedTotal = g.cand.total;
  if (chainedObserver) chainedObserver(code);
}

void AddCell(std::vector<uint32_t>& cells, uint32_t c) {
  for (uint32_t x : cells)
    if (x == c) return;
  cells.push_back(c);
}

// Pattern cells of a routine's step, worked out from the table before it and what it
// removed: by search for subsets, locked candidates, basic, finned and sashimi fish,
// XY/XYZ-Wings and unique rectangles, from the queue's witnesses for WXYZ-Wing and ALS-XZ; for the rest the
// unchanged cells that hold a removed digit as one end of a strong link seen from a removal
// (the links the pattern is made of, as near as the removals tell).
struct StepView {
  const PathState* state;
  uint32_t before[81];
  uint32_t after[81];
  uint32_t removedDigits[81];  // per cell
};

bool Open(const StepView& v, uint32_t c) { return v.state->placed[c] == 0 && v.before[c] != 0; }

void NakedSubsetCells(const StepView& v, uint32_t n, PathStep& step) {
  for (uint32_t u = 0; u < 27; ++u) {
    uint32_t target = 0;
    for (uint32_t k = 0; k < 9; ++k) target |= v.removedDigits[kUnitCells.cell[u][k]];
    if (!target) continue;
    uint32_t pool[9], size = 0;
    for (uint32_t k = 0; k < 9; ++k) {
      const uint32_t c = kUnitCells.cell[u][k];
      const uint32_t m = v.before[c];
      if (Open(v, c) && !v.removedDigits[c] && std::popcount(m) >= 2 &&
          static_cast<uint32_t>(std::popcount(m)) <= n)
        pool[size++] = c;
    }
    for (uint32_t pick = 0; pick < (1u << size); ++pick) {
      if (static_cast<uint32_t>(std::popcount(pick)) != n) continue;
      uint32_t uni = 0;
      for (uint32_t i = 0; i < size; ++i)
        if (pick >> i & 1) uni |= v.before[pool[i]];
      if (static_cast<uint32_t>(std::popcount(uni)) != n || (uni & target) == 0) continue;
      for (uint32_t i = 0; i < size; ++i)
        if (pick >> i & 1) AddCell(step.cells, pool[i]);
      step.digits |= uni;
    }
  }
}

void LockedCells(const StepView& v, PathStep& step) {
  for (uint32_t b = 0; b < 9; ++b)
    for (uint32_t line = 0; line < 18; ++line) {
      // The three cells where block b meets the line, if it does.
      uint32_t inter[3], n = 0;
      for (uint32_t k = 0; k < 9; ++k) {
        const uint32_t c = kUnitCells.cell[line][k];
        if (BlockOf(c) == b) inter[n++] = c;
      }
      if (n != 3) continue;
      auto inInter = [&](uint32_t c) { return c == inter[0] || c == inter[1] || c == inter[2]; };
      for (uint32_t d = 0; d < 9; ++d) {
        uint32_t inside = 0, blockOutside = 0, lineOutside = 0;
        bool removedBlock = false, removedLine = false;
        for (uint32_t k = 0; k < 9; ++k) {
          const uint32_t cb = kUnitCells.cell[18 + b][k], cl = kUnitCells.cell[line][k];
          if (!inInter(cb) && Open(v, cb) && Holds(v.before, cb, d)) {
            ++blockOutside;
            removedBlock |= (v.removedDigits[cb] >> d & 1) != 0;
          }
          if (!inInter(cl) && Open(v, cl) && Holds(v.before, cl, d)) {
            ++lineOutside;
            removedLine |= (v.removedDigits[cl] >> d & 1) != 0;
          }
        }
        for (uint32_t c : inter)
          if (Open(v, c) && Holds(v.before, c, d)) ++inside;
        if (inside == 0) continue;
        const bool pointing = blockOutside == 0 && removedLine;
        const bool claiming = lineOutside == 0 && removedBlock;
        if (!pointing && !claiming) continue;
        for (uint32_t c : inter)
          if (Open(v, c) && Holds(v.before, c, d)) AddCell(step.cells, c);
      }
    }
}

void FishCells(const StepView& v, uint32_t n, PathStep& step) {
  for (uint32_t d = 0; d < 9; ++d) {
    bool any = false;
    for (uint32_t c = 0; c < 81; ++c) any |= (v.removedDigits[c] >> d & 1) != 0;
    if (!any) continue;
    bool explained[81] = {};  // each removal by the first fish that takes it
    for (uint32_t o = 0; o < 2; ++o) {
      uint32_t positions[9];
      for (uint32_t line = 0; line < 9; ++line) {
        positions[line] = 0;
        for (uint32_t k = 0; k < 9; ++k) {
          const uint32_t c = o == 0 ? line * 9 + k : k * 9 + line;
          if (Open(v, c) && Holds(v.before, c, d)) positions[line] |= 1u << k;
        }
      }
      for (uint32_t base = 0; base < 512; ++base) {
        if (static_cast<uint32_t>(std::popcount(base)) != n) continue;
        uint32_t cover = 0;
        bool usable = true;
        for (uint32_t line = 0; line < 9; ++line)
          if (base >> line & 1) {
            usable &= positions[line] != 0;
            cover |= positions[line];
          }
        if (!usable || static_cast<uint32_t>(std::popcount(cover)) != n) continue;
        bool removes = false;
        for (uint32_t line = 0; line < 9; ++line) {
          if (base >> line & 1) continue;
          for (uint32_t k = 0; k < 9; ++k) {
            const uint32_t c = o == 0 ? line * 9 + k : k * 9 + line;
            if (!(cover >> k & 1) || !(v.removedDigits[c] >> d & 1) || explained[c]) continue;
            removes = explained[c] = true;
          }
        }
        if (!removes) continue;
        for (uint32_t line = 0; line < 9; ++line)
          if (base >> line & 1)
            for (uint32_t k = 0; k < 9; ++k)
              if (positions[line] >> k & 1) AddCell(step.cells, o == 0 ? line * 9 + k : k * 9 + line);
      }
    }
  }
}

// Finned and sashimi fish: n base lines whose holders of d lie in n cover lines but for fins
// in one block, and a removal in a cover line inside that block.
void FinnedFishCells(const StepView& v, uint32_t n, PathStep& step) {
  for (uint32_t d = 0; d < 9; ++d) {
    bool any = false;
    for (uint32_t c = 0; c < 81; ++c) any |= (v.removedDigits[c] >> d & 1) != 0;
    if (!any) continue;
    bool explained[81] = {};
    for (uint32_t o = 0; o < 2; ++o) {
      auto at = [o](uint32_t line, uint32_t k) { return o == 0 ? line * 9 + k : k * 9 + line; };
      uint32_t positions[9];
      for (uint32_t line = 0; line < 9; ++line) {
        positions[line] = 0;
        for (uint32_t k = 0; k < 9; ++k)
          if (Open(v, at(line, k)) && Holds(v.before, at(line, k), d)) positions[line] |= 1u << k;
      }
      for (uint32_t base = 0; base < 512; ++base) {
        if (static_cast<uint32_t>(std::popcount(base)) != n) continue;
        bool usable = true;
        for (uint32_t line = 0; line < 9; ++line)
          if (base >> line & 1) usable &= positions[line] != 0;
        if (!usable) continue;
        for (uint32_t cover = 0; cover < 512; ++cover) {
          if (static_cast<uint32_t>(std::popcount(cover)) != n) continue;
          uint32_t finBlock = 9;
          bool oneBlock = true, fins = false;
          for (uint32_t line = 0; line < 9 && oneBlock; ++line) {
            if (!(base >> line & 1)) continue;
            for (uint32_t m = positions[line] & ~cover; m; m &= m - 1) {
              const uint32_t b = BlockOf(at(line, static_cast<uint32_t>(std::countr_zero(m))));
              fins = true;
              if (finBlock == 9) finBlock = b;
              oneBlock &= finBlock == b;
            }
          }
          if (!fins || !oneBlock) continue;
          // Each removal is explained once: the first fish that takes it.
          bool removes = false;
          for (uint32_t line = 0; line < 9; ++line) {
            if (base >> line & 1) continue;
            for (uint32_t m = cover; m; m &= m - 1) {
              const uint32_t c = at(line, static_cast<uint32_t>(std::countr_zero(m)));
              if (BlockOf(c) != finBlock || !(v.removedDigits[c] >> d & 1) || explained[c]) continue;
              removes = explained[c] = true;
            }
          }
          if (!removes) continue;
          for (uint32_t line = 0; line < 9; ++line)
            if (base >> line & 1)
              for (uint32_t m = positions[line]; m; m &= m - 1)
                AddCell(step.cells, at(line, static_cast<uint32_t>(std::countr_zero(m))));
        }
      }
    }
  }
}

// XY- and XYZ-Wings: for each removal of z, a pivot {x,y} ({x,y,z}) seeing two bivalue
// wings {x,z} and {y,z} that both see the removal (the XYZ pivot sees it too).
void WingCells(const StepView& v, bool xyz, PathStep& step) {
  uint32_t bivalue[81], nb = 0;
  for (uint32_t c = 0; c < 81; ++c)
    if (Open(v, c) && std::popcount(v.before[c]) == 2) bivalue[nb++] = c;
  for (uint32_t r = 0; r < 81; ++r)
    for (uint32_t zs = v.removedDigits[r]; zs; zs &= zs - 1) {
      const uint32_t z = zs & (0u - zs);
      for (uint32_t i = 0; i < nb; ++i) {
        const uint32_t a = bivalue[i];
        if (a == r || !(v.before[a] & z) || !SharesUnit(a, r)) continue;
        for (uint32_t j = i + 1; j < nb; ++j) {
          const uint32_t b = bivalue[j];
          if (b == r || !(v.before[b] & z) || !SharesUnit(b, r)) continue;
          const uint32_t x = v.before[a] & ~z, y = v.before[b] & ~z;
          if (x == y) continue;
          const uint32_t pivotMask = x | y | (xyz ? z : 0);
          for (uint32_t p = 0; p < 81; ++p) {
            if (p == a || p == b || !Open(v, p) || v.before[p] != pivotMask) continue;
            if (!SharesUnit(p, a) || !SharesUnit(p, b) || (xyz && !SharesUnit(p, r))) continue;
            AddCell(step.cells, p);
            AddCell(step.cells, a);
            AddCell(step.cells, b);
          }
        }
      }
    }
}

// Unique rectangles: four open cells in two rows, two columns and two blocks that all hold
// a pair {a,b}, two of them holding nothing else, with a removal inside the rectangle or
// removals that each see two of its cells.
void RectangleCells(const StepView& v, uint32_t code, PathStep& step) {
  for (uint32_t r1 = 0; r1 < 9; ++r1)
    for (uint32_t r2 = r1 + 1; r2 < 9; ++r2)
      for (uint32_t c1 = 0; c1 < 9; ++c1)
        for (uint32_t c2 = c1 + 1; c2 < 9; ++c2) {
          if ((r1 / 3 == r2 / 3) == (c1 / 3 == c2 / 3)) continue;  // two blocks exactly
          const uint32_t cells[4] = {r1 * 9 + c1, r1 * 9 + c2, r2 * 9 + c1, r2 * 9 + c2};
          uint32_t common = 0x1FF, exact = 0;
          bool open = true;
          for (uint32_t c : cells) {
            open &= Open(v, c);
            common &= v.before[c];
          }
          if (!open || std::popcount(common) != 2) continue;
          for (uint32_t c : cells) exact += v.before[c] == common;
          if (exact < 2) continue;
          // A removal of a or b inside (types 1 and 4), or of another digit from a cell
          // that sees every cell with digits beyond the pair (types 2 and 3).
          bool fits = false;
          for (uint32_t r = 0; r < 81 && !fits; ++r) {
            const uint32_t removed = v.removedDigits[r];
            if (!removed) continue;
            bool inside = false, seesRoof = true;
            uint32_t extras = 0, sameExtra = 0x1FF;
            for (uint32_t c : cells) {
              inside |= c == r;
              if (v.before[c] == common) continue;
              seesRoof &= c != r && SharesUnit(c, r);
              extras |= v.before[c] & ~common;
              sameExtra &= v.before[c] & ~common;
            }
            // Type 2 removes the one extra digit both roof cells share.
            if (code == CodeUniqueRectangleType2) extras = sameExtra;
            fits = inside ? (removed & common) != 0 : (seesRoof && (removed & extras) != 0);
          }
          if (!fits) continue;
          for (uint32_t c : cells) AddCell(step.cells, c);
          step.digits |= common;
        }
}

void StrongLinkCells(const StepView& v, PathStep& step) {
  for (uint32_t r = 0; r < 81; ++r)
    for (uint32_t m = v.removedDigits[r]; m; m &= m - 1) {
      const uint32_t d = static_cast<uint32_t>(std::countr_zero(m));
      for (uint32_t u = 0; u < 27; ++u) {
        uint32_t holders[9], n = 0;
        for (uint32_t k = 0; k < 9; ++k) {
          const uint32_t c = kUnitCells.cell[u][k];
          if (Open(v, c) && Holds(v.before, c, d)) holders[n++] = c;
        }
        if (n != 2) continue;
        for (uint32_t i = 0; i < 2; ++i)
          if (!(v.removedDigits[holders[i]] >> d & 1) && SharesUnit(holders[i], r))
            AddCell(step.cells, holders[i]);
      }
    }
}

void PatternCells(const StepView& v, uint32_t code, PathStep& step) {
  const EliminationQueue& q = g.queue;
  switch (code) {
    case CodeNakedPair: NakedSubsetCells(v, 2, step); break;
    case CodeNakedTriple: NakedSubsetCells(v, 3, step); break;
    case CodeNakedQuad: NakedSubsetCells(v, 4, step); break;
    case CodeNakedQuintuplet: NakedSubsetCells(v, 5, step); break;
    case CodeHiddenPair: case CodeHiddenTriple: case CodeHiddenQuad: case CodeHiddenQuintuplet:
      for (uint32_t c = 0; c < 81; ++c)
        if (v.removedDigits[c]) {
          AddCell(step.cells, c);
          step.digits |= v.after[c];
        }
      break;
    case CodeLockedCandidates: LockedCells(v, step); break;
    case CodeXWing: FishCells(v, 2, step); break;
    case CodeSwordFish: FishCells(v, 3, step); break;
    case CodeJerryFish: FishCells(v, 4, step); break;
    case CodeSquirmbag: FishCells(v, 5, step); break;
    case CodeUniqueRectangleType1: case CodeUniqueRectangleType2:
    case CodeUniqueRectangleType3: case CodeUniqueRectangleType4:
    case CodeHiddenRectangle: case CodeAvoidableRectangleType1:
    case CodeAvoidableRectangleType2:
      RectangleCells(v, code, step);
      break;
    case CodeFinnedFish: case CodeSashimiFish: FinnedFishCells(v, 2, step); break;
    case CodeFinnedSwordfish: case CodeSashimiSwordfish: FinnedFishCells(v, 3, step); break;
    case CodeFinnedJerryfish: case CodeSashimiJerryfish: FinnedFishCells(v, 4, step); break;
    case CodeFinnedSquirmbag: case CodeSashimiSquirmbag: FinnedFishCells(v, 5, step); break;
    case CodeFinnedWhale: case CodeSashimiWhale: FinnedFishCells(v, 6, step); break;
    case CodeFinnedLeviathan: case CodeSashimiLeviathan: FinnedFishCells(v, 7, step); break;
    case CodeXYWing: WingCells(v, false, step); break;
    case CodeXYZWing: WingCells(v, true, step); break;
    case CodeWXYZWing: case CodeAlsXZ:
      // The queue's witnesses: WXYZ its pivot (second), ALS-XZ its three cells.
      for (uint32_t i = 0; i < kWitnessCapacity; ++i) {
        if (!q.witnessed[i]) continue;
        AddCell(step.cells, q.witness2[i] % 81);
        if (code == CodeAlsXZ) {
          AddCell(step.cells, q.witness1[i] % 81);
          AddCell(step.cells, q.witness3[i] % 81);
        }
      }
      break;
    default: break;
  }
  if (step.cells.empty()) StrongLinkCells(v, step);
  std::sort(step.cells.begin(), step.cells.end());
  if (step.digits == 0)
    for (uint32_t c = 0; c < 81; ++c) step.digits |= v.removedDigits[c];
}

// Runs a rung's routine log-only on the table; true (and the step) when it removed
// something. The table is left as the routine left it.
// before: the table as it was.
bool RunRoutineRung(const PathState& s, uint32_t rung, const CandidateTable& before,
                    PathStep& step) {
  const PathRung& r = kPathLadder[rung];
  for (uint32_t i = 0; i < kWitnessCapacity; ++i) g.queue.witnessed[i] = 0;
  const uint32_t total = g.cand.total;
  observedCode = 0;
  observedTotal = total;
  chainedObserver = FlushObserver;
  FlushObserver = ObserveFlush;
  lastChain.clear();
  ChainTextSink = r.chainText ? &lastChain : nullptr;
  r.routine(0);
  ChainTextSink = nullptr;
  FlushObserver = chainedObserver;
  chainedObserver = nullptr;
  if (g.cand.total == total) return false;
  StepView v;
  v.state = &s;
  for (uint32_t c = 0; c < 81; ++c) {
    v.before[c] = 0;
    for (uint32_t d = 0; d < 9; ++d) v.before[c] |= (before.flag[c * 9 + d] != 0) << d;
  }
  step = PathStep{};
  step.rung = rung;
  step.weight = r.weight;
  const uint32_t code = observedCode ? observedCode : r.code;
  const char* name = TechniqueName(code);
  step.technique = std::strcmp(name, "UnKnown") == 0 ? r.name : name;
  for (uint32_t c = 0; c < 81; ++c) {
    v.after[c] = MaskOf(c);
    v.removedDigits[c] = v.before[c] & ~v.after[c];
    for (uint32_t m = v.removedDigits[c]; m; m &= m - 1)
      step.removed.push_back(c * 9 + static_cast<uint32_t>(std::countr_zero(m)));
  }
  if (r.chainText) {
    const char* text = r.chainText();
    if (text) step.chain = text;
  }
  PatternCells(v, code, step);
  return true;
}

// The log display mode and screen for a search: nothing logged, the candidate screen's
// rules (removals only).
struct QuietSearch {
  int32_t logMode = g.settings.candErase;
  uint32_t screen = g.screenMode;
  QuietSearch() {
    g.settings.candErase = 0;
    g.screenMode = ModeCandidateScreen;
  }
  ~QuietSearch() {
    g.settings.candErase = logMode;
    g.screenMode = screen;
  }
};

}  // namespace

void PathBegin(PathState& state, bool settled) {
  for (uint32_t c = 0; c < 81; ++c) {
    const uint32_t v = g.board.value[c];
    state.placed[c] = v <= 9 ? v : 0;
  }
  if (!settled) return;
  for (uint32_t c = 0; c < 81; ++c) {
    if (state.placed[c] != 0 || g.cand.count[c] != 1) continue;
    const uint32_t d = static_cast<uint32_t>(std::countr_zero(MaskOf(c)));
    bool seen = false;
    for (uint32_t p : Peers[c])
      seen |= g.board.value[p] == 0 && g.cand.count[p] >= 2 && g.cand.flag[p * 9 + d] != 0;
    if (!seen) state.placed[c] = d + 1;
  }
}

bool PathSolved(const PathState& state) {
  for (uint32_t c = 0; c < 81; ++c)
    if (state.placed[c] == 0) return false;
  return true;
}

uint32_t NextPathStep(PathState& state, PathStep& step, bool apply) {
  for (uint32_t rung = 0; rung < kPathLadderLength; ++rung) {
    const PathRung& r = kPathLadder[rung];
    if (r.kind != RungRoutine) {
      if (!FindSingle(state, rung, step)) continue;
      if (apply) {
        QuietSearch quiet;
        ApplyPathStep(state, step);
      }
      return 1;
    }
    CandidateTable saved;
    std::memcpy(&saved, &g.cand, sizeof saved);
    bool found;
    {
      QuietSearch quiet;
      found = RunRoutineRung(state, rung, saved, step);
    }
    if (!found) continue;
    if (!apply) {
      std::memcpy(&g.cand, &saved, sizeof saved);
      ForgetUnitHolders();
    }
    return 1;
  }
  return 0;
}

void ApplyPathStep(PathState& state, const PathStep& step) {
  const PathRung& r = kPathLadder[step.rung];
  if (r.kind == RungRoutine) {
    r.routine(0);
    return;
  }
  for (uint32_t p : step.placed) FlushSingle(state, p / 9, p % 9, r.code);
}

void SolvePath(PathResult& result) {
  result = PathResult{};
  PathState state;
  PathBegin(state, false);
  const int32_t logMode = g.settings.candErase;
  g.settings.candErase = 0;
  g.screenMode = ModeCandidateScreen;
  PathStep step;
  // Every step places a digit or removes a candidate: at most 81 + 729 of them.
  while (!PathSolved(state) && result.steps.size() < 810 && NextPathStep(state, step, true)) {
    if (step.weight > result.rating) result.rating = step.weight;
    result.steps.push_back(std::move(step));
  }
  g.settings.candErase = logMode;
  result.solved = PathSolved(state);
}

std::string WeightText(uint32_t tenths) { return Format("%u.%u", tenths / 10, tenths % 10); }

static std::string CellName(uint32_t c) { return Format("r%uc%u", c / 9 + 1, c % 9 + 1); }

std::string PathStepText(const PathStep& step) {
  std::string text = step.technique;
  for (uint32_t c : step.cells) text += " " + CellName(c);
  if (step.digits) {
    text += " {";
    for (uint32_t d = 0; d < 9; ++d)
      if (step.digits >> d & 1) text += static_cast<char>('1' + d);
    text += "}";
  }
  if (!step.chain.empty()) text += " " + step.chain;
  text += ":";
  const char* sep = " ";
  for (uint32_t p : step.placed) {
    text += sep + CellName(p / 9) + Format("=%u", p % 9 + 1);
    sep = ", ";
  }
  for (uint32_t p : step.removed) {
    text += sep + CellName(p / 9) + Format("<>%u", p % 9 + 1);
    sep = ", ";
  }
  return text;
}

static std::string JsonString(const std::string& s) {
  std::string out = "\"";
  for (unsigned char ch : s) {
    if (ch == '"' || ch == '\\') {
      out += '\\';
      out += static_cast<char>(ch);
    } else if (ch < 0x20) {
      out += Format("\\u%04x", ch);
    } else {
      out += static_cast<char>(ch);
    }
  }
  return out + "\"";
}

static std::string JsonCells(const std::vector<uint32_t>& cells) {
  std::string out = "[";
  for (size_t i = 0; i < cells.size(); ++i)
    out += Format("%s{\"row\":%u,\"col\":%u}", i ? "," : "", cells[i] / 9 + 1, cells[i] % 9 + 1);
  return out + "]";
}

static std::string JsonDigits(const std::vector<uint32_t>& entries) {
  std::string out = "[";
  for (size_t i = 0; i < entries.size(); ++i) {
    const uint32_t c = entries[i] / 9;
    out += Format("%s{\"row\":%u,\"col\":%u,\"digit\":%u}", i ? "," : "", c / 9 + 1, c % 9 + 1,
                  entries[i] % 9 + 1);
  }
  return out + "]";
}

std::string PathJson(uint32_t n, const std::string& puzzle, const PathResult& result) {
  std::string out = Format("{\"n\":%u,\"puzzle\":", n) + JsonString(puzzle) +
                    Format(",\"solved\":%s,\"rating\":", result.solved ? "true" : "false") +
                    WeightText(result.rating) + ",\"steps\":[";
  for (size_t i = 0; i < result.steps.size(); ++i) {
    const PathStep& s = result.steps[i];
    out += i ? ",{" : "{";
    out += "\"technique\":" + JsonString(s.technique);
    out += ",\"cells\":" + JsonCells(s.cells);
    out += ",\"placed\":" + JsonDigits(s.placed);
    out += ",\"removed\":" + JsonDigits(s.removed);
    out += ",\"chain\":" + (s.chain.empty() ? std::string("null") : JsonString(s.chain));
    out += "}";
  }
  return out + "]}";
}

// ---- "次の一手" ----

namespace {

struct PendingStep {
  bool pending = false;
  bool boardView = false;  // a single named in the board view
  uint32_t key = 0;
  PathStep step;
  uint32_t mark[81] = {};
};
PendingStep next;
const uint32_t kNoMarks[81] = {};

// A fingerprint of everything a step depends on: the mode, the values and the candidates.
uint32_t StateKey() {
  uint32_t h = 2166136261u ^ g.screenMode;
  auto mix = [&h](uint32_t x) { h = (h ^ x) * 16777619u; };
  for (uint32_t c = 0; c < 81; ++c) mix(g.board.value[c] * 1024 + MaskOf(c));
  return h;
}

void ShowStep(const std::string& text) {
  P().LogAppend(text, true);
  SetStatus(0, text);
  g.messageCountdown = 6;
  P().Repaint();
}

void NoStep() {
  next.pending = false;
  SetStatus(0, "次の一手が見つかりません");
  g.messageCountdown = 6;
  P().Repaint();
}

void NextStepCommand(uint32_t) {
  const bool boardView = g.screenMode == ModeNormal;
  if (boardView) ComputeCandidates();
  const uint32_t key = StateKey();
  PathState state;
  PathBegin(state, !boardView);
  if (next.pending && next.key == key && next.boardView == boardView) {
    next.pending = false;
    if (boardView) {
      const uint32_t p = next.step.placed[0];
      g.cursorRow = p / 9 / 9;
      g.cursorColumn = p / 9 % 9;
      RunCommand(621 + p % 9);
      return;
    }
    ApplyPathStep(state, next.step);
    RefreshStatus(g.screenMode == ModeCandidateScreen ? 2 : 3);
    return;
  }
  PathStep step;
  bool found = false;
  if (boardView) {
    for (uint32_t rung = 0; rung < kPathLadderLength && !found; ++rung)
      if (kPathLadder[rung].kind != RungRoutine) found = FindSingle(state, rung, step);
  } else {
    found = NextPathStep(state, step, false) != 0;
  }
  if (!found) return NoStep();
  next.pending = true;
  next.boardView = boardView;
  next.key = key;
  next.step = step;
  std::memset(next.mark, 0, sizeof next.mark);
  for (uint32_t c : step.cells) next.mark[c] = 1;
  for (uint32_t p : step.placed) next.mark[p / 9] = 2;
  for (uint32_t p : step.removed) next.mark[p / 9] = 2;
  ShowStep(PathStepText(step));
}

}  // namespace

const uint32_t* NextStepMarks() {
  if (!next.pending || next.key != StateKey()) return kNoMarks;
  return next.mark;
}

void ForgetStaleNextStep() {
  if (!next.pending || next.key == StateKey()) return;
  next.pending = false;
  P().Repaint();
}

const CommandEntry kPathCommands[] = {
    {4100, GateNormal | GateAnalysis, NextStepCommand},
    {0, 0, nullptr},
};
