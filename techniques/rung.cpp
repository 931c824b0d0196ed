#include "techniques/rung.h"

#include <algorithm>
#include <array>

#include "board/candidates.h"
#include "board/state.h"
#include "techniques/techniques.h"

namespace {

constexpr std::array<RoutineEntry, kRungRowCount + 1> MakeRungRoutines() {
  std::array<RoutineEntry, kRungRowCount + 1> entries{};
  for (uint32_t i = 0; i < kRungRowCount; ++i)
    entries[i] = {kRungRows[i].name, kRungRows[i].routine, kRungRows[i].commandId};
  entries[kRungRowCount] = {nullptr, nullptr, 0};
  return entries;
}
constexpr std::array<RoutineEntry, kRungRowCount + 1> kRungRoutineArray = MakeRungRoutines();

struct Order {
  const RungRow* rows[kRungRowCount + 1];
  Order() {
    for (uint32_t i = 0; i < kRungRowCount; ++i) rows[i] = &kRungRows[i];
    std::stable_sort(rows, rows + kRungRowCount, [](const RungRow* a, const RungRow* b) {
      return a->weight < b->weight;
    });
    rows[kRungRowCount] = nullptr;
  }
};

}  // namespace

const RoutineEntry* const kRungRoutines = kRungRoutineArray.data();

const RungRow* RungRowForCommand(uint32_t id) {
  for (const RungRow& row : kRungRows)
    if (row.commandId == id) return &row;
  return nullptr;
}

const RungRow* const* RungOrder() {
  static const Order order;
  return order.rows;
}

const RungRow* RunRungStep(uint32_t place, uint32_t* placed, uint32_t maxGrade) {
  ChainScratch scratch;
  const RungRow* found = nullptr;
  for (const RungRow* const* r = RungOrder(); *r && !found; ++r) {
    const RungRow& row = **r;
    if (row.uniqueness || row.grade > maxGrade) continue;
    const uint32_t total = g.cand.total;
    if (row.shared)
      row.shared(scratch, 0);
    else
      row.routine(0);
    if (g.cand.total != total) found = &row;
  }
  // The routines' own tail with the placement flag, once for the step taken.
  const uint32_t result = place ? PlacementPass(KindAuto) : 1;
  if (placed) *placed = result;
  return found;
}
