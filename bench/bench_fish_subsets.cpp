// Time per call of the subset, locked-candidate and fish routines on fixed states: the first
// 50 puzzles of hard-a, candidates computed and both singles repeated until they stop. Each
// iteration restores the next state and calls every routine of the family once (placement
// flag clear, display mode 0); the "per_call" counter is the time per routine call.
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_states.h"
#include "techniques/techniques.h"

namespace {

const std::vector<BenchState>& States() {
  static const std::vector<BenchState> states = LoadHardStates(50, -1);
  return states;
}

void RunFamily(benchmark::State& state, std::vector<uint32_t (*)(uint32_t)> routines) {
  const auto& states = States();
  if (states.empty()) {
    state.SkipWithError("hard-a.txt not found");
    return;
  }
  g.settings.candErase = 0;
  size_t i = 0;
  for (auto _ : state) {
    const BenchState& s = states[i++ % states.size()];
    for (auto routine : routines) {
      RestoreState(s);
      benchmark::DoNotOptimize(routine(0));
    }
  }
  state.counters["per_call"] = benchmark::Counter(
      static_cast<double>(routines.size()),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_NakedSubsets(benchmark::State& s) {
  RunFamily(s, {NakedPair, NakedTriple, NakedQuad, NakedQuintuplet});
}
void BM_HiddenSubsets(benchmark::State& s) {
  RunFamily(s, {HiddenPair, HiddenTriple, HiddenQuad, HiddenQuintuplet});
}
void BM_LockedCandidates(benchmark::State& s) { RunFamily(s, {LockedCandidates}); }
void BM_BasicFish(benchmark::State& s) { RunFamily(s, {XWing, SwordFish, JerryFish, Squirmbag}); }
void BM_FinnedFish(benchmark::State& s) {
  RunFamily(s, {FinnedFish, FinnedSwordfish, FinnedJerryfish, FinnedSquirmbag, FinnedWhale,
                FinnedLeviathan});
}
void BM_SashimiFish(benchmark::State& s) {
  RunFamily(s, {SashimiFish, SashimiSwordfish, SashimiJerryfish, SashimiSquirmbag, SashimiWhale,
                SashimiLeviathan});
}
void BM_FrankenSwordfish(benchmark::State& s) { RunFamily(s, {FrankenSwordfish}); }

}  // namespace

BENCHMARK(BM_NakedSubsets);
BENCHMARK(BM_HiddenSubsets);
BENCHMARK(BM_LockedCandidates);
BENCHMARK(BM_BasicFish);
BENCHMARK(BM_FinnedFish);
BENCHMARK(BM_SashimiFish);
BENCHMARK(BM_FrankenSwordfish);
