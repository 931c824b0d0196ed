// Candidate computation, the two singles, the placement pass and the board checks.
#pragma once
#include <cstdint>

constexpr uint32_t kBrokenUnknown = 0xFFFFFFFFu;  // CheckUnits: board not ready for the check

uint32_t ComputeCandidates();
// The candidate flags of every cell as a mask (bit d for digit index d), filled cells too.
void LoadCellMasks(uint32_t mask[81]);
// The cells holding digit index d (count at least 1, flag set) per unit, units numbered as
// UnitCell27 (rows, columns, boxes); bit k stands for the unit's k-th cell.
void LoadUnitHolders(uint32_t d, uint32_t holders[27]);
// LoadUnitHolders for the nine digits at once.
void LoadAllUnitHolders(uint32_t holders[9][27]);
// A stretch in which LoadUnitHolders and LoadCellMasks keep what they found for the next
// caller; every change of the table inside it must go through the queue's flush (or call
// ForgetUnitHolders).
void BeginUnitHolderCache();
void EndUnitHolderCache();
void ForgetUnitHolders();
// The flush's note that candidate d of cell c is gone (the cell keeps another), given once
// the flag and the count are written: what the cache keeps is mended rather than forgotten.
void ForgetCandidate(uint32_t c, uint32_t d);
uint32_t CheckComplete();
uint32_t CheckUnits();  // UnitMask of broken units, or kBrokenUnknown
void MarkDuplicates(uint32_t unitType, uint32_t unit);
uint32_t HiddenSingle(uint32_t place);
uint32_t NakedSingle(uint32_t place);
uint32_t PlacementPass(uint32_t kind);
uint32_t HintHiddenSingle();
uint32_t BlockUnique();
uint32_t LineUnique();
uint32_t SellUnique();
// Block, line and cell unique passes repeated until none places anything; returns how many
// digits were placed.
uint32_t RunUniqueClosure();
uint32_t UniqueClosureCheck();
uint32_t CursorDigitCheck(uint32_t narrow);
uint32_t AcceptTypedDigit(uint32_t digit);
// Command 410: the completion check with its status texts and contradiction box.
void CompletionDisplay();
// The technique routine's common tail: flag clear → 1, else PlacementPass(kind).
uint32_t FinishRoutine(uint32_t place, uint32_t kind);
