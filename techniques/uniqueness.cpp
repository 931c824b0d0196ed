// Uniqueness: not built yet; every routine is a no-op and none is listed as available.
#include "board/candidates.h"
#include "board/state.h"
#include "techniques/techniques.h"

uint32_t UniqueRectangleType1(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t UniqueRectangleType2(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t UniqueRectangleType3(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t UniqueRectangleType4(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t GurthsSymmetricalPlacement(uint32_t place) { return FinishRoutine(place, KindAuto); }
const RoutineEntry kUniquenessRoutines[] = {{nullptr, nullptr, 0}};
