// Hidden subsets: not built yet; every routine is a no-op and none is listed as available.
#include "board/candidates.h"
#include "board/state.h"
#include "techniques/techniques.h"

uint32_t HiddenPair(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t HiddenTriple(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t HiddenQuad(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t HiddenQuintuplet(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t HintHiddenPair() { return 0; }
uint32_t HintHiddenTriple() { return 0; }
const RoutineEntry kHiddenSubsetRoutines[] = {{nullptr, nullptr, 0}};
