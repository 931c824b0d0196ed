// Colouring: not built yet; every routine is a no-op and none is listed as available.
#include "board/candidates.h"
#include "board/state.h"
#include "techniques/techniques.h"

uint32_t SimpleColoring(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t MultiColoringType1(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t MultiColoringType2(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t Medusa3D(uint32_t place) { return FinishRoutine(place, KindAuto); }
const RoutineEntry kColouringRoutines[] = {{nullptr, nullptr, 0}};
