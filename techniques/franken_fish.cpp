// Franken swordfish: not built yet; every routine is a no-op and none is listed as available.
#include "board/candidates.h"
#include "board/state.h"
#include "techniques/techniques.h"

uint32_t FrankenSwordfish(uint32_t place) { return FinishRoutine(place, KindAuto); }
const RoutineEntry kFrankenFishRoutines[] = {{nullptr, nullptr, 0}};
