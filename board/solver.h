// A fast exhaustive solver used to tell at once whether a grid can have one solution.
#pragma once
#include <cstdint>

// Number of solutions of the grid (values 0 = empty), counting no further than limit.
// 0 also for a grid whose digits already clash.
uint32_t CountGridSolutions(const uint32_t value[81], uint32_t limit);
// The same for a position whose open cells may only take the digits of their masks (bit d
// for digit d + 1); mask nullptr allows every digit.
uint32_t CountCandidateSolutions(const uint32_t value[81], const uint32_t mask[81],
                                 uint32_t limit);
