// Chains: not built yet; every routine is a no-op and none is listed as available.
#include "board/candidates.h"
#include "board/state.h"
#include "techniques/techniques.h"

uint32_t XCycle(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t XYChain(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t XYChainCheck(uint32_t place) { return FinishRoutine(place, KindAuto); }
uint32_t RemotePairs(uint32_t place) { return FinishRoutine(place, KindAuto); }
const RoutineEntry kChainRoutines[] = {{nullptr, nullptr, 0}};
