// Finned and sashimi fish: not built yet; every routine is a no-op and none is listed as available.
#include "board/candidates.h"
#include "board/state.h"
#include "techniques/techniques.h"

uint32_t FinnedFish(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t FinnedSwordfish(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t FinnedJerryfish(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t FinnedSquirmbag(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t FinnedWhale(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t FinnedLeviathan(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t SashimiFish(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t SashimiSwordfish(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t SashimiJerryfish(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t SashimiSquirmbag(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t SashimiWhale(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t SashimiLeviathan(uint32_t place) { return FinishRoutine(place, KindAuto); }
const RoutineEntry kFinnedFishRoutines[] = {{nullptr, nullptr, 0}};
