// Building blocks of Death Blossom, open to tests. Cells are addressed by column c and row r
// (both 0..8); z, d are digit indices 0..8.
#pragma once
#include <cstdint>

// A petal through column c: a bivalue cell P = (k, c) outside r's band holding d and not z
// (other digit e), three cells of row r outside c's stack holding three digits besides z, and
// a bivalue cell {e, w} in row k below the only one of those three cells that holds w.
uint32_t PetalTestRow(uint32_t c, uint32_t r, uint32_t z, uint32_t d);
// The transpose: P = (r, k), the three cells in column c outside r's band.
uint32_t PetalTestColumn(uint32_t c, uint32_t r, uint32_t z, uint32_t d);
// Queue z in the three cells of row r in column c's stack.
void QueueStemRow(uint32_t c, uint32_t r, uint32_t z);
// Queue z in the three cells of column c in row r's band.
void QueueStemColumn(uint32_t c, uint32_t r, uint32_t z);
