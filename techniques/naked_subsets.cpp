// Naked subsets: not built yet; every routine is a no-op and none is listed as available.
#include "board/candidates.h"
#include "board/state.h"
#include "techniques/techniques.h"

uint32_t NakedPair(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t NakedTriple(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t NakedQuad(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t NakedQuintuplet(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t HintNakedPair() { return 0; }
uint32_t HintNakedTriple() { return 0; }
uint32_t HintNakedQuad() { return 0; }
uint32_t HintNakedQuintuplet() { return 0; }
const RoutineEntry kNakedSubsetRoutines[] = {{nullptr, nullptr, 0}};
