// The generator is not built yet.
#include "drivers/generator.h"

void GenerateSheet() {}
void RemovalPassSingles() {}
void RemovalPassTechniques() {}
void ApplyMask() {}
void UndoSteps() {}
void ToggleGiven() {}
void EnterMakeProblem() {}
void LeaveMakeProblem() {}
void ReadCreationStateCommand() {}
