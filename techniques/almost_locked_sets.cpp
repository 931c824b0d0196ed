// Almost-locked-set family: not built yet; every routine is a no-op and none is listed as available.
#include "board/candidates.h"
#include "board/state.h"
#include "techniques/techniques.h"

uint32_t AlsXZ(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t AlignedPairExclusion(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t DeathBlossom(uint32_t place) { return FinishRoutine(place, KindAuto); }
const RoutineEntry kAlmostLockedSetRoutines[] = {{nullptr, nullptr, 0}};
