// Time per call of the uniqueness, almost-locked-set and Hamada routines on the candidate
// states of hard puzzles (givens only, full candidate tables: the heaviest case).
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_states.h"
#include "techniques/techniques.h"

namespace {

const std::vector<BenchState>& HardStates() {
  static const std::vector<BenchState> states = LoadHardStates(200, 0);
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
    RestoreState(states[i++ % states.size()]);
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
