// Per-routine cost of the wing, colouring and chain routines on a fixed set of states: the
// first 50 puzzles of hard-a.txt, candidates computed and narrowed by three rounds of the two
// singles (no placement), display mode 0. Every iteration restores the state and runs the
// routine once over all 50 states with the placement flag 0.
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_states.h"
#include "techniques/techniques.h"

namespace {

const std::vector<BenchState>& States() {
  static const std::vector<BenchState> states = LoadHardStates(50, 3);
  return states;
}

void RunRoutine(benchmark::State& state, uint32_t (*routine)(uint32_t)) {
  const std::vector<BenchState>& states = States();
  if (states.empty()) {
    state.SkipWithError("hard-a.txt not found");
    return;
  }
  g.settings.candErase = 0;
  uint64_t removed = 0;
  for (auto _ : state) {
    for (const BenchState& s : states) {
      RestoreState(s);
      routine(0);
      removed += s.cand.total - g.cand.total;
    }
  }
  state.counters["states/s"] =
      benchmark::Counter(static_cast<double>(states.size()), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["removed/pass"] =
      static_cast<double>(removed) / static_cast<double>(state.iterations());
}

}  // namespace

#define ROUTINE_BENCH(name) \
  static void BM_##name(benchmark::State& state) { RunRoutine(state, name); } \
  BENCHMARK(BM_##name)->Unit(benchmark::kMicrosecond)

ROUTINE_BENCH(XYWing);
ROUTINE_BENCH(XYZWing);
ROUTINE_BENCH(WXYZWing);
ROUTINE_BENCH(WXYZWingType1);
ROUTINE_BENCH(WXYZWingType2);
ROUTINE_BENCH(WXYZWingType3);
ROUTINE_BENCH(SimpleColoring);
ROUTINE_BENCH(MultiColoringType1);
ROUTINE_BENCH(MultiColoringType2);
ROUTINE_BENCH(Medusa3D);
ROUTINE_BENCH(XCycle);
ROUTINE_BENCH(XYChain);
ROUTINE_BENCH(XYChainCheck);
ROUTINE_BENCH(RemotePairs);
