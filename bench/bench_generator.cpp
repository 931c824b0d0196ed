// Generator throughput: sheets alone, sheet + singles pass (610 + 320) and sheet + technique
// pass (610 + 322) in the make-problem screen, one puzzle per iteration.
#include <benchmark/benchmark.h>

#include "board/state.h"
#include "drivers/commands.h"
#include "drivers/generator.h"

namespace {

void EnterMakeProblemScreen() {
  ApplyDefaultSettings(g.settings);
  g.settings.candErase = 0;
  ResetStartupState();
  ResetEraseModes();
  SeedRandom(12345);
  RunCommand(330);
}

void BM_FillSolutionGrid(benchmark::State& state) {
  EnterMakeProblemScreen();
  for (auto _ : state) {
    while (!FillSolutionGrid()) {
    }
    benchmark::DoNotOptimize(g.board.value[80]);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FillSolutionGrid);

void BM_SheetAndPass(benchmark::State& state) {
  EnterMakeProblemScreen();
  const uint32_t pass = static_cast<uint32_t>(state.range(0));
  for (auto _ : state) {
    RunCommand(610);
    RunCommand(pass);
    benchmark::DoNotOptimize(g.board.value[40]);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SheetAndPass)->Arg(320)->Arg(322)->Unit(benchmark::kMicrosecond);

}  // namespace
