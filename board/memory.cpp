#include "board/memory.h"

#include <cstring>

#include "board/candidates.h"
#include "board/state.h"

uint32_t SnapshotToMemory(uint32_t origin) {
  BoardMemory& m = g.memory;
  const uint32_t first = m.present ? 0 : 1;
  m.present = 1;
  m.origin = origin;
  if (origin == OriginMakeProblem || origin == OriginCandidate) {
    std::memcpy(m.flag, g.cand.flag, sizeof m.flag);
    std::memcpy(m.count, g.cand.count, sizeof m.count);
  }
  if (origin == OriginMakeProblem) std::memcpy(m.solution, g.solution, sizeof m.solution);
  std::memcpy(m.kind, g.board.kind, sizeof m.kind);
  std::memcpy(m.value, g.board.value, sizeof m.value);
  return first;
}

void RestoreBoardFromMemory() {
  std::memcpy(g.board.kind, g.memory.kind, sizeof g.board.kind);
  std::memcpy(g.board.value, g.memory.value, sizeof g.board.value);
}

void RestoreCandidatesFromMemory() {
  ForgetUnitHolders();
  std::memcpy(g.cand.flag, g.memory.flag, sizeof g.cand.flag);
  std::memcpy(g.cand.count, g.memory.count, sizeof g.cand.count);
  uint32_t total = 0;
  for (uint32_t c = 0; c < 81; ++c) total += g.cand.count[c];
  g.cand.total = total;
}
