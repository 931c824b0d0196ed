// Placeholders until each pattern lands: every one queues nothing.
#include "techniques/patterns.h"

#include "board/candidates.h"
#include "board/queue.h"

namespace {
uint32_t Nothing(uint32_t code, uint32_t place) {
  ResetQueue();
  FlushEliminations(code);
  return FinishRoutine(place, 4);
}
}  // namespace

uint32_t Skyscraper(uint32_t place) { return Nothing(CodeSkyscraper, place); }
uint32_t TwoStringKite(uint32_t place) { return Nothing(CodeTwoStringKite, place); }
uint32_t TurbotFish(uint32_t place) { return Nothing(CodeTurbotFish, place); }
uint32_t EmptyRectangle(uint32_t place) { return Nothing(CodeEmptyRectangle, place); }
uint32_t WWing(uint32_t place) { return Nothing(CodeWWing, place); }
uint32_t HiddenRectangle(uint32_t place) { return Nothing(CodeHiddenRectangle, place); }
uint32_t AvoidableRectangleType1(uint32_t place) { return Nothing(CodeAvoidableRectangleType1, place); }
uint32_t AvoidableRectangleType2(uint32_t place) { return Nothing(CodeAvoidableRectangleType2, place); }
uint32_t BugPlusOne(uint32_t place) { return Nothing(CodeBugPlusOne, place); }
uint32_t SueDeCoq(uint32_t place) { return Nothing(CodeSueDeCoq, place); }
