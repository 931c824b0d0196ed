#include "board/queue.h"

#include <cstdarg>
#include <cstdio>

#include "board/candidates.h"
#include "board/platform.h"
#include "board/state.h"

static const char* const kTechniqueNames[49] = {
    "UnKnown",
    "Hidden Single",
    "Naked Pair",
    "Hidden Pair",
    "Naked Triple",
    "Hidden Triple",
    "Naked Quad",
    "Hidden Quad",
    "Naked Quintuplet",
    "Hidden Quintuplet",
    "X-Wing",
    "Sword fish",
    "Jerry Fish",
    "Squirmbag",
    "XY-Wing",
    "Locked Candidates",
    "Multi Coloring Type1",
    "Multi Coloring Type2",
    "Unique Rectangle Type1",
    "Unique Rectangle Type2",
    "Unique Rectangle Type3",
    "Unique Rectangle Type4",
    "Simple Coloring",
    "XY-chain",
    "Remote Pairs",
    "Hamada Logic",
    "XYZ-Wing",
    "WXYZ-Wing",
    "Naked Single",
    "Finned Fish",
    "Sashimi Fish",
    "X-cycle",
    "Sashimi Swordfish",
    "Sashimi Jerryfish",
    "Sashimi Squirmbag",
    "Sashimi Whale",
    "Sashimi Leviathan",
    "Finned Swordfish",
    "Finned Jerryfish",
    "Finned Squirmbag",
    "Finned Whale",
    "Finned Leviathan",
    "Aligned Pair Exclusion",
    "Gurths Symmetrical Placement",
    "Death Blossom",
    "ALS-XZ",
    "Franken Swordfish",
    "Franken Jellyfish",
    "3D Medusa",
};

void (*FlushObserver)(uint32_t code) = nullptr;

// Names of the rung's codes, kFirstRungCode up; a null entry is unused.
static const char* const kRungNames[kLastRungCode - kFirstRungCode + 1] = {
    "Skyscraper",
    "2-String Kite",
    "Turbot Fish",
    "Empty Rectangle",
    "W-Wing",
    "Hidden Rectangle",
    "Avoidable Rectangle Type 1",
    "Avoidable Rectangle Type 2",
    "BUG+1",
    "Sue de Coq",
    // 111 up: the chain engine (AICs, nice loops, ALS chains, forcing chains and nets).
    "Continuous Nice Loop",
    "Discontinuous Nice Loop",
    "AIC",
    "Grouped Continuous Nice Loop",
    "Grouped Discontinuous Nice Loop",
    "Grouped AIC",
    "ALS-XY-Wing",
    "ALS Chain",
    "Forcing Chain Contradiction",
    "Digit Forcing Chain",
    "Cell Forcing Chain",
    "Unit Forcing Chain",
    "Forcing Net Contradiction",
    "Digit Forcing Net",
    "Cell Forcing Net",
    "Unit Forcing Net",
    "Nested Forcing Net",
};

const char* TechniqueName(uint32_t code) {
  if (code >= kFirstRungCode && code <= kLastRungCode) {
    const char* name = kRungNames[code - kFirstRungCode];
    return name ? name : kTechniqueNames[0];
  }
  if (code < 1 || code > 48) return kTechniqueNames[0];
  return kTechniqueNames[code];
}

std::string Format(const char* fmt, ...) {
  char buffer[512];
  va_list args;
  va_start(args, fmt);
  int n = std::vsnprintf(buffer, sizeof buffer, fmt, args);
  va_end(args);
  if (n < 0) return {};
  if (static_cast<size_t>(n) < sizeof buffer) return std::string(buffer, static_cast<size_t>(n));
  std::string out(static_cast<size_t>(n) + 1, '\0');
  va_start(args, fmt);
  std::vsnprintf(out.data(), out.size(), fmt, args);
  va_end(args);
  out.resize(static_cast<size_t>(n));
  return out;
}

uint32_t QueueEliminationWitness(uint32_t cell, uint32_t digit, uint32_t w1, uint32_t w2,
                                 uint32_t w3) {
  EliminationQueue& q = g.queue;
  if (q.length >= kWitnessCapacity) return 0;
  q.witness1[q.length] = w1;
  q.witness2[q.length] = w2;
  q.witness3[q.length] = w3;
  QueueElimination(cell, digit);
  q.witnessed[q.length - 1] = 1;
  return 1;
}

void LogLine(const std::string& line) {
  ++g.techniqueOutputs;
  if (g.settings.candErase == 0) return;
  P().LogAppend(line, true);
  P().DrainMessages();
}

static uint32_t WitnessCol(uint32_t cell) { return cell % 9 + 1; }
static uint32_t WitnessRow(uint32_t cell) { return cell / 9 + 1; }

void FlushEliminations(uint32_t code) {
  EliminationQueue& q = g.queue;
  const uint32_t mode = static_cast<uint32_t>(g.settings.candErase);
  const uint32_t queued = q.length + q.idle;
  q.idle = 0;
  if (queued > 1999) {
    ++g.techniqueOutputs;
    P().MessageBox(Format("消去予定数が多すぎます！＜%u＞", queued), "緊急停止希望",
                   IconExclamation, ButtonsOk);
  }
  const char* name = TechniqueName(code);
  if (mode == 2) {
    ++g.techniqueOutputs;
    P().LogAppend(Format("処理(%s) %u件", name, queued), true);
  }
  while (q.length > 0) {
    --q.length;
    const uint32_t i = q.length;
    const uint32_t c = q.cell[i];
    if (c > 80) {
      if (mode != 0) {
        ++g.techniqueOutputs;
        P().LogAppend(Format("処理(%s)で異常値[%u]", name, c), false);
      }
      continue;
    }
    if (g.cand.count[c] <= 1) continue;
    const uint32_t d = q.digit[i];
    if (d > 8 || g.cand.flag[c * 9 + d] == 0) continue;
    g.cand.flag[c * 9 + d] = 0;
    --g.cand.count[c];
    ForgetCandidate(c, d);
    --g.cand.total;
    ++g.techniqueOutputs;
    if (mode == 0) continue;
    std::string line;
    const bool witnessed = i < kWitnessCapacity && q.witnessed[i] != 0;
    if (mode == 2 && witnessed && (code == 26 || code == 45)) {
      const uint32_t w1 = q.witness1[i] % 81, w2 = q.witness2[i] % 81, w3 = q.witness3[i] % 81;
      line = Format(code == 26 ? "%s (%u,%u) [(%u,%u),(%u,%u),(%u,%u)] <%u>"
                               : "%s (%u,%u) [(%u,%u)-(%u,%u)-(%u,%u)] <%u>",
                    name, c % 9 + 1, c / 9 + 1, WitnessCol(w3), WitnessRow(w3), WitnessCol(w2),
                    WitnessRow(w2), WitnessCol(w1), WitnessRow(w1), d + 1);
    } else if (mode == 2 && witnessed && code == 27) {
      const uint32_t w2 = q.witness2[i] % 81;
      line = Format("%s Type%u (%u,%u) [(%u,%u)] <%u>", name, q.witness3[i], c % 9 + 1,
                    c / 9 + 1, WitnessCol(w2), WitnessRow(w2), d + 1);
    } else {
      line = Format("%s (%u,%u) <%u>", name, c % 9 + 1, c / 9 + 1, d + 1);
    }
    P().LogAppend(line, true);
    P().DrainMessages();
  }
  if (FlushObserver) FlushObserver(code);
}
