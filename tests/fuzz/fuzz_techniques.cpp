// Every technique routine and batch on an arbitrary candidate table: any flags (counts made consistent),
// any values and kinds, either placement flag, any display mode. After every flush the counts
// must equal their flags and the total the counts; no cell may lose its last candidate.
#include <cstring>

#include "board/queue.h"
#include "drivers/batch.h"
#include "techniques/techniques.h"
#include "tests/fuzz/fuzz_common.h"

namespace {

uint32_t countsBefore[81];

void CheckTable(uint32_t) {
  uint32_t total = 0;
  for (uint32_t c = 0; c < 81; ++c) {
    uint32_t n = 0;
    for (uint32_t d = 0; d < 9; ++d) n += g.cand.flag[c * 9 + d] != 0;
    FUZZ_CHECK(n == g.cand.count[c], "count differs from its flags");
    FUZZ_CHECK(!(countsBefore[c] > 0 && n == 0), "a cell lost its last candidate");
    total += n;
  }
  FUZZ_CHECK(total == g.cand.total, "total differs from the counts");
  FUZZ_CHECK(g.queue.length <= kQueueCapacity, "queue beyond its capacity");
}

// The batch drivers run on the same tables (log mode, candidate screen).
uint32_t RunBatchBasic(uint32_t) { BatchBasic(); return 1; }
uint32_t RunBatchUpper(uint32_t) { BatchUpper(); return 1; }
uint32_t RunSingleMax(uint32_t) { SingleMax(); return 1; }
const RoutineEntry kBatches[] = {
    {"BatchBasic", RunBatchBasic, 1070},
    {"BatchUpper", RunBatchUpper, 1080},
    {"SingleMax", RunSingleMax, 910},
};

std::vector<const RoutineEntry*> Routines() {
  std::vector<const RoutineEntry*> all;
  for (const RoutineEntry* const* t = RoutineTables(); *t; ++t)
    for (const RoutineEntry* e = *t; e->name; ++e) all.push_back(e);
  for (const RoutineEntry& e : kBatches) all.push_back(&e);
  return all;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::vector<const RoutineEntry*> routines = Routines();
  if (size < 4 || routines.empty()) return 0;
  FuzzFreshState(data[1]);
  FlushObserver = CheckTable;
  g.screenMode = ModeCandidateScreen;
  const RoutineEntry* routine = routines[data[0] % routines.size()];
  const uint32_t place = data[2] & 1;
  // Cells: one byte of value/kind, two bytes of flags; missing bytes mean an empty cell
  // with every candidate, so short inputs are nearly empty grids.
  size_t at = 3;
  static const uint32_t kinds[] = {0, 1, 3, 4, 5, 6, 8, 9, 10};
  for (uint32_t c = 0; c < 81; ++c) {
    uint32_t cellByte = at < size ? data[at++] : 0;
    uint32_t flags = 0x1FF;
    if (at + 1 < size) {
      flags = (data[at] | (data[at + 1] << 8)) & 0x1FF;
      at += 2;
    }
    const uint32_t value = (cellByte & 0x0F) <= 9 ? (cellByte & 0x0F) : 0;
    g.board.value[c] = (cellByte & 0x80) ? value : 0;
    g.board.kind[c] = g.board.value[c] ? kinds[(cellByte >> 4) % 9] : KindEmpty;
    uint32_t n = 0;
    for (uint32_t d = 0; d < 9; ++d) {
      g.cand.flag[c * 9 + d] = (flags >> d) & 1;
      n += (flags >> d) & 1;
    }
    g.cand.count[c] = n;
  }
  g.cand.total = 0;
  for (uint32_t c = 0; c < 81; ++c) g.cand.total += g.cand.count[c];
  std::memcpy(countsBefore, g.cand.count, sizeof countsBefore);
  g.cursorRow = data[2] % 9;
  g.cursorColumn = (data[2] / 9) % 9;
  routine->routine(place);
  CheckTable(0);
  FuzzCheckBoardSane();
  FlushObserver = nullptr;
  return 0;
}
