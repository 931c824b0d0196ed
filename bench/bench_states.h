// Fixed candidate states for the technique benchmarks: puzzles of hard-a in the candidate
// screen, display mode 0.
#pragma once
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "board/candidates.h"
#include "board/state.h"

struct BenchState {
  Board board;
  CandidateTable cand;
};

// The first `count` puzzles of hard-a with their candidates, narrowed by `singleRounds` rounds
// of the two singles (a negative number: until they stop). Empty when the file is missing.
inline std::vector<BenchState> LoadHardStates(size_t count, int singleRounds) {
  ApplyDefaultSettings(g.settings);
  ResetStartupState();
  g.settings.candErase = 0;
  g.screenMode = ModeCandidateScreen;
  std::vector<BenchState> states;
  std::ifstream in(std::string(VOREL_DATA_DIR) + "/hard-a.txt");
  std::string line;
  while (states.size() < count && std::getline(in, line)) {
    if (line.size() < 81) continue;
    ClearBoard();
    for (uint32_t c = 0; c < 81; ++c)
      if (line[c] >= '1' && line[c] <= '9') {
        g.board.value[c] = static_cast<uint32_t>(line[c] - '0');
        g.board.kind[c] = KindGiven;
      }
    ComputeCandidates();
    for (int round = 0; singleRounds < 0 || round < singleRounds; ++round) {
      const uint32_t before = g.cand.total;
      HiddenSingle(0);
      NakedSingle(0);
      if (g.cand.total == before) break;
    }
    states.push_back({g.board, g.cand});
  }
  return states;
}

inline void RestoreState(const BenchState& s) {
  std::memcpy(&g.board, &s.board, sizeof g.board);
  std::memcpy(&g.cand, &s.cand, sizeof g.cand);
}
