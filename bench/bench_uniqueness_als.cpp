// Time per call of the uniqueness, almost-locked-set and Hamada routines on the candidate
// states of hard puzzles (givens only, full candidate tables: the heaviest case).
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "board/candidates.h"
#include "board/state.h"
#include "techniques/techniques.h"

namespace {

struct Snapshot {
  Board board;
  CandidateTable cand;
};

const std::vector<Snapshot>& HardStates() {
  static std::vector<Snapshot> states = [] {
    std::vector<Snapshot> out;
    std::ifstream in(std::string(VOREL_DATA_DIR) + "/hard-a.txt");
    std::string line;
    while (out.size() < 200 && std::getline(in, line)) {
      if (line.size() < 81) continue;
      ClearBoard();
      for (uint32_t c = 0; c < 81; ++c)
        if (line[c] >= '1' && line[c] <= '9') {
          g.board.value[c] = static_cast<uint32_t>(line[c] - '0');
          g.board.kind[c] = KindGiven;
        }
      ComputeCandidates();
      out.push_back({g.board, g.cand});
    }
    return out;
  }();
  return states;
}

void RunRoutine(benchmark::State& bench, uint32_t (*routine)(uint32_t)) {
  const auto& states = HardStates();
  if (states.empty()) {
    bench.SkipWithError("hard-a.txt not found");
    return;
  }
  g.settings.candErase = 0;
  g.screenMode = ModeCandidateScreen;
  size_t i = 0;
  for (auto _ : bench) {
    const Snapshot& s = states[i++ % states.size()];
    std::memcpy(&g.board, &s.board, sizeof s.board);
    std::memcpy(&g.cand, &s.cand, sizeof s.cand);
    benchmark::DoNotOptimize(routine(0));
  }
}

#define ROUTINE_BENCH(name) \
  void Bm##name(benchmark::State& s) { RunRoutine(s, name); } \
  BENCHMARK(Bm##name)

ROUTINE_BENCH(UniqueRectangleType1);
ROUTINE_BENCH(UniqueRectangleType2);
ROUTINE_BENCH(UniqueRectangleType3);
ROUTINE_BENCH(UniqueRectangleType4);
ROUTINE_BENCH(GurthsSymmetricalPlacement);
ROUTINE_BENCH(AlsXZ);
ROUTINE_BENCH(AlignedPairExclusion);
ROUTINE_BENCH(DeathBlossom);
ROUTINE_BENCH(HamadaLogic);

}  // namespace
