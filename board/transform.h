// Whole-board rearrangements: the six symmetry turns, block order, random digit exchange and
// the band/stack moves of the edit dialog. Values and kinds always move together; the
// candidate table is left to the caller.
#pragma once
#include <cstdint>

// Copy kinds and values into KindBackup / ValueBackup (the source of every rearrangement).
void BackupBoard();
// 760 right turn, 770 left turn, 780 mirror left-right, 790 mirror top-bottom, 800 half
// turn, 810 main diagonal. Returns 0 for any other id.
uint32_t TransformBoard(uint32_t command);
// Cell k takes cell BlockOrder[k]; the table is its own inverse.
void SwapBlockOrder();
// Four draws from Random(): two digit pairs exchanged in every value. Kinds stay.
void ExchangeRandomDigits();
// One of the 24 edit-dialog moves by button id 1750..1980 (step 10). Returns 0 for an
// unknown button.
uint32_t EditMove(uint32_t button);

// The edit dialog's session: opening saves the board, Cancel brings it back.
void BeginEditSession();
void EndEditSession(bool keep);
