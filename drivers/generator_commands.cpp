// Commands of the generator: sheets, removal passes, masks, undo, the make-problem mode and
// the creation-state reader.
#include "board/state.h"
#include "drivers/commands.h"
#include "drivers/generator.h"

namespace {

void SheetCommand(uint32_t) { GenerateSheet(); }
void SinglesPassCommand(uint32_t) { RemovalPassSingles(); }
void TechniquePassCommand(uint32_t) { RemovalPassTechniques(); }
void MaskCommand(uint32_t) { ApplyMask(); }
void UndoCommand(uint32_t) { UndoSteps(); }
void CreationStateCommand(uint32_t) { ReadCreationStateCommand(); }

// 330 toggles the make-problem mode.
void MakeProblemCommand(uint32_t) {
  if (g.screenMode == ModeMakeProblem)
    LeaveMakeProblem();
  else
    EnterMakeProblem();
}

}  // namespace

const CommandEntry kGeneratorCommands[] = {
    {610, GateEdit | GateMake, SheetCommand},
    {320, GateEdit | GateMake, SinglesPassCommand},
    {322, GateEdit | GateMake, TechniquePassCommand},
    {1170, GateEdit | GateMake, MaskCommand},
    {1230, GateEdit | GateMake | GateInput, UndoCommand},
    {330, GateNormal | GateMake, MakeProblemCommand},
    {230, GateMake, CreationStateCommand},
    {0, 0, nullptr},
};
