// Building blocks of Hamada logic, open to tests. Cells are indices 0..80, p, q, x, y digit
// indices 0..8, c a colour of the remote-pair colouring (CellColour).
#pragma once
#include <cstdint>

// Same-coloured cells a and b hold the same digit. If that digit being p (or q) would leave
// a line crossing both their columns (or rows) without p (or q), the colour is fixed: queue
// it and return 1. Otherwise 0.
uint32_t HamadaContradiction(uint32_t a, uint32_t b, uint32_t p, uint32_t q, uint32_t c);
// Queue x in every cell of colour c and y in every cell of any other colour.
void HamadaColourQueue(uint32_t x, uint32_t y, uint32_t c);
// Bivalue cells U {q,e} seeing a and V {p,e} seeing b (or U {p,e}, V {q,e}): one of them is
// e, so e leaves the cells that see both.
void HamadaCrossPairs(uint32_t a, uint32_t b, uint32_t p, uint32_t q);
