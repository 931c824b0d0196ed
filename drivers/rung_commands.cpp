// The rung's commands: 4000 "連鎖一括" and one item per routine of the registration table, all
// gated like the catalogue's technique items.
#include <array>
#include <utility>

#include "board/candidates.h"
#include "board/state.h"
#include "drivers/batch.h"
#include "drivers/commands.h"
#include "drivers/frame.h"
#include "drivers/technique_commands.h"
#include "techniques/rung.h"

namespace {

constexpr uint32_t kGate = GateNormal | GateAnalysis;

void RungItem(uint32_t id) {
  const RungRow* row = RungRowForCommand(id);
  if (row) RunTechniqueCommand(row->routine);
}

// In an analysis mode log only; in the ordinary screen from fresh candidates, placing.
void RungBatch(uint32_t) {
  if (IsAnalysisMode()) {
    BatchRung();
    return;
  }
  if (g.screenMode != ModeNormal) return;
  ComputeCandidates();
  uint32_t placed = 0;
  RunRungStep(1, &placed);
  if (placed) {
    RefreshStatus(1);
    FillUsageList();
  }
}

template <size_t... I>
constexpr std::array<CommandEntry, sizeof...(I) + 2> MakeRungCommands(std::index_sequence<I...>) {
  return {{{kRungBatchId, kGate, RungBatch},
           {kRungRows[I].commandId, kGate, RungItem}...,
           {0, 0, nullptr}}};
}
constexpr auto kRungCommandArray = MakeRungCommands(std::make_index_sequence<kRungRowCount>{});

}  // namespace

const CommandEntry* const kRungCommands = kRungCommandArray.data();
