// Basic fish: not built yet; every routine is a no-op and none is listed as available.
#include "board/candidates.h"
#include "board/state.h"
#include "techniques/techniques.h"

uint32_t XWing(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t SwordFish(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t JerryFish(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t Squirmbag(uint32_t place) { return FinishRoutine(place, KindAuto); }
const RoutineEntry kBasicFishRoutines[] = {{nullptr, nullptr, 0}};
