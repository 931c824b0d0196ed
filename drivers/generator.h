// The puzzle generator: solution grids, removal passes, masks, undo and the make-problem mode.
#pragma once
#include <cstdint>

void GenerateSheet();
void RemovalPassSingles();
void RemovalPassTechniques();
void ApplyMask();
void UndoSteps();
void ToggleGiven();       // keys "0" and Space in the make-problem mode
void EnterMakeProblem();
void LeaveMakeProblem();
void ReadCreationStateCommand();

// Fill all 81 cells with a random solution grid; 1 on success, 0 on a dead end.
uint32_t FillSolutionGrid();

// The thirteen removal orders. NextCell returns the next cell of the order after `cell`, or a
// value above 80 when the order is exhausted; cell 82 is the initial call of the block sweeps.
constexpr uint32_t kOrderEnd = 81;
constexpr uint32_t kOrderInitial = 82;
uint32_t NextCell(uint32_t cell, uint32_t mode);
// Prepare the order's work state and return its first cell.
uint32_t StartCell(uint32_t mode);
// Choose the next removal order: every mode is used once before any repeats.
uint32_t ChooseEraseMode();
// The order of the last removal pass (0-12), shown 1-based as "消去モード %d".
uint32_t CurrentEraseMode();
// Forget which modes the current cycle has used (start-up state; tests).
void ResetEraseModes();

// Rank tables of the fixed orders: rank (0-80) of each cell, row-major.
extern const uint32_t SpiralOrder[81];
extern const uint32_t DiagonalOrder[81];
extern const uint32_t ScatterOrder[81];
