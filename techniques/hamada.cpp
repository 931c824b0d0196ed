// Hamada logic: not built yet; every routine is a no-op and none is listed as available.
#include "board/candidates.h"
#include "board/state.h"
#include "techniques/techniques.h"

uint32_t HamadaLogic(uint32_t place) { return FinishRoutine(place, KindAuto); }
const RoutineEntry kHamadaRoutines[] = {{nullptr, nullptr, 0}};
