// Short named patterns of the chain rung: single-digit two-link chains (Skyscraper, 2-String
// Kite, Turbot Fish, Empty Rectangle), W-Wing, Sue de Coq, and the uniqueness patterns Hidden
// Rectangle, Avoidable Rectangle 1/2 and BUG+1. Each follows the catalogue's routine frame:
// it resets the queue, queues removals, flushes once under its own code and, with the
// placement flag, ends with the placement pass.
#pragma once
#include <cstdint>

uint32_t Skyscraper(uint32_t place);
uint32_t TwoStringKite(uint32_t place);
uint32_t TurbotFish(uint32_t place);
uint32_t EmptyRectangle(uint32_t place);
uint32_t WWing(uint32_t place);
uint32_t HiddenRectangle(uint32_t place);
uint32_t AvoidableRectangleType1(uint32_t place);
uint32_t AvoidableRectangleType2(uint32_t place);
uint32_t BugPlusOne(uint32_t place);
uint32_t SueDeCoq(uint32_t place);
