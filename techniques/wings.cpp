// Wings: not built yet; every routine is a no-op and none is listed as available.
#include "board/candidates.h"
#include "board/state.h"
#include "techniques/techniques.h"

uint32_t XYWing(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t XYZWing(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t WXYZWing(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t WXYZWingType1(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t WXYZWingType2(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t WXYZWingType3(uint32_t place) { return FinishRoutine(place, KindAuto); }
const RoutineEntry kWingRoutines[] = {{nullptr, nullptr, 0}};
