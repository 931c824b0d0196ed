// Per-routine cost of the wing, colouring and chain routines on a fixed set of states: the
// first 50 puzzles of hard-a.txt, candidates computed and narrowed by three rounds of the two
// singles (no placement), display mode 0. Every iteration restores the state and runs the
// routine once over all 50 states with the placement flag 0.
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "board/candidates.h"
#include "board/platform.h"
#include "board/state.h"
#include "cli/headless_platform.h"
#include "techniques/techniques.h"

namespace {

struct Snapshot {
  uint32_t value[81], kind[81], flag[81 * 9], count[81], total;
};

HeadlessPlatform gPlatform;

const std::vector<Snapshot>& States() {
  static std::vector<Snapshot> states = [] {
    std::vector<Snapshot> out;
    SetPlatform(&gPlatform);
    gPlatform.record = false;
    ApplyDefaultSettings(g.settings);
    g.settings.candErase = 0;
    std::ifstream in(std::string(VOREL_DATA_DIR) + "/hard-a.txt");
    std::string line;
    while (out.size() < 50 && std::getline(in, line)) {
      if (line.size() < 81) continue;
      ClearBoard();
      for (uint32_t c = 0; c < 81; ++c)
        if (line[c] >= '1' && line[c] <= '9') {
          g.board.value[c] = static_cast<uint32_t>(line[c] - '0');
          g.board.kind[c] = KindGiven;
        }
      g.screenMode = ModeCandidateScreen;
      ComputeCandidates();
      for (int round = 0; round < 3; ++round) {
        HiddenSingle(0);
        NakedSingle(0);
      }
      Snapshot s;
      std::memcpy(s.value, g.board.value, sizeof s.value);
      std::memcpy(s.kind, g.board.kind, sizeof s.kind);
      std::memcpy(s.flag, g.cand.flag, sizeof s.flag);
      std::memcpy(s.count, g.cand.count, sizeof s.count);
      s.total = g.cand.total;
      out.push_back(s);
    }
    return out;
  }();
  return states;
}

void Restore(const Snapshot& s) {
  std::memcpy(g.board.value, s.value, sizeof s.value);
  std::memcpy(g.board.kind, s.kind, sizeof s.kind);
  std::memcpy(g.cand.flag, s.flag, sizeof s.flag);
  std::memcpy(g.cand.count, s.count, sizeof s.count);
  g.cand.total = s.total;
}

void RunRoutine(benchmark::State& state, uint32_t (*routine)(uint32_t)) {
  const std::vector<Snapshot>& states = States();
  if (states.empty()) {
    state.SkipWithError("hard-a.txt not found");
    return;
  }
  g.settings.candErase = 0;
  uint64_t removed = 0;
  for (auto _ : state) {
    for (const Snapshot& s : states) {
      Restore(s);
      routine(0);
      removed += s.total - g.cand.total;
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
