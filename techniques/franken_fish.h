// The Franken swordfish's cover-line clearing helpers. Each queues d in the conjugate line's
// two cover lines outside the conjugate line and the two partners: per other line, the first
// cover cell and, only when that one was queued (count at least 2), the second.
#pragma once
#include <cstdint>

// Rows: conjugate row r, partner rows ra and rb, cover columns c1 and c2, digit index d.
void FrankenClearColumns(uint32_t r, uint32_t ra, uint32_t rb, uint32_t c1, uint32_t c2,
                         uint32_t d);
// Columns: conjugate column c, partner columns ca and cb, cover rows r1 and r2.
void FrankenClearRows(uint32_t c, uint32_t ca, uint32_t cb, uint32_t r1, uint32_t r2,
                      uint32_t d);
