#include <cstring>

#include "board/candidates.h"
#include "techniques/techniques.h"

static const RoutineEntry kSingleRoutines[] = {
    {"HiddenSingle", HiddenSingle, 900},
    {"NakedSingle", NakedSingle, 1110},
    {nullptr, nullptr, 0},
};

static const RoutineEntry* const kTables[] = {
    kSingleRoutines,
    kNakedSubsetRoutines,
    kHiddenSubsetRoutines,
    kLockedCandidateRoutines,
    kBasicFishRoutines,
    kFinnedFishRoutines,
    kFrankenFishRoutines,
    kWingRoutines,
    kColouringRoutines,
    kChainRoutines,
    kUniquenessRoutines,
    kAlmostLockedSetRoutines,
    kHamadaRoutines,
    kRungRoutines,
    nullptr,
};

const RoutineEntry* const* RoutineTables() { return kTables; }

const RoutineEntry* FindRoutine(const char* name) {
  for (const RoutineEntry* const* t = kTables; *t; ++t)
    for (const RoutineEntry* e = *t; e->name; ++e)
      if (std::strcmp(e->name, name) == 0) return e;
  return nullptr;
}
