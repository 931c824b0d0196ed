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
