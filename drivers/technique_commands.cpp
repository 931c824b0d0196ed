#include "drivers/technique_commands.h"

#include "board/candidates.h"
#include "board/platform.h"
#include "board/state.h"
#include "drivers/commands.h"
#include "drivers/frame.h"
#include "techniques/techniques.h"

Routine RoutineForCommand(uint32_t id) {
  for (const RoutineEntry* const* t = RoutineTables(); *t; ++t)
    for (const RoutineEntry* e = *t; e->name; ++e)
      if (e->commandId == id) return e->routine;
  return nullptr;
}

void RunTechniqueCommand(Routine routine) {
  if (IsAnalysisMode()) {
    g.savedTotal = g.cand.total;
    routine(0);
    if (g.cand.total != g.savedTotal)
      RefreshStatus(g.screenMode == ModeCandidateScreen ? 2 : 3);
    return;
  }
  if (g.screenMode != ModeNormal) return;
  ComputeCandidates();
  if (routine(1)) RefreshStatus(1);
}

// A single technique item of the 解析 menu.
static void MenuTechnique(uint32_t id) {
  Routine routine = RoutineForCommand(id);
  if (routine) RunTechniqueCommand(routine);
}

// Hint items (candidate screen): mark cells, then repaint.
static void HintCommand(uint32_t id) {
  switch (id) {
    case 161: HintNakedPair(); break;
    case 162: HintNakedTriple(); break;
    case 163: HintNakedQuad(); break;
    case 164: HintNakedQuintuplet(); break;
    case 165: HintHiddenSingle(); break;
    case 166: HintHiddenPair(); break;
    case 167: HintHiddenTriple(); break;
    default: return;
  }
  RefreshStatus(0);
}

static const uint32_t kSingleTechniqueIds[] = {
    440, 450, 550, 580, 520, 530, 560, 590, 460, 470, 540, 860, 570, 890, 900, 1110,
    920, 930, 1030, 935, 1040, 1050, 1060, 1090, 1100, 1102, 1151, 1153, 1120, 1130,
    1132, 1140, 1152};

bool CommandAvailable(uint32_t id) {
  if (!FindCommand(id)) return false;
  for (uint32_t t : kSingleTechniqueIds)
    if (t == id) return RoutineForCommand(id) != nullptr;
  if (id >= 161 && id <= 167 && id != 165) return RoutineForCommand(id == 166 ? 520 : id == 167 ? 530 : id == 161 ? 440 : id == 162 ? 450 : id == 163 ? 550 : 580) != nullptr;
  return true;
}

constexpr uint32_t kTechniqueGate = GateNormal | GateAnalysis;

const CommandEntry kTechniqueCommands[] = {
    {440, kTechniqueGate, MenuTechnique},  {450, kTechniqueGate, MenuTechnique},
    {550, kTechniqueGate, MenuTechnique},  {580, kTechniqueGate, MenuTechnique},
    {520, kTechniqueGate, MenuTechnique},  {530, kTechniqueGate, MenuTechnique},
    {560, kTechniqueGate, MenuTechnique},  {590, kTechniqueGate, MenuTechnique},
    {460, kTechniqueGate, MenuTechnique},  {470, kTechniqueGate, MenuTechnique},
    {540, kTechniqueGate, MenuTechnique},  {860, kTechniqueGate, MenuTechnique},
    {570, kTechniqueGate, MenuTechnique},  {890, kTechniqueGate, MenuTechnique},
    {900, kTechniqueGate, MenuTechnique},  {1110, kTechniqueGate, MenuTechnique},
    {920, kTechniqueGate, MenuTechnique},  {930, kTechniqueGate, MenuTechnique},
    {1030, kTechniqueGate, MenuTechnique}, {935, kTechniqueGate, MenuTechnique},
    {1040, kTechniqueGate, MenuTechnique}, {1050, kTechniqueGate, MenuTechnique},
    {1060, kTechniqueGate, MenuTechnique}, {1090, kTechniqueGate, MenuTechnique},
    {1100, kTechniqueGate, MenuTechnique}, {1102, kTechniqueGate, MenuTechnique},
    {1151, kTechniqueGate, MenuTechnique}, {1153, kTechniqueGate, MenuTechnique},
    {1120, kTechniqueGate, MenuTechnique}, {1130, kTechniqueGate, MenuTechnique},
    {1132, kTechniqueGate, MenuTechnique}, {1140, kTechniqueGate, MenuTechnique},
    {1152, kTechniqueGate, MenuTechnique},
    {161, GateCandidate, HintCommand},     {162, GateCandidate, HintCommand},
    {163, GateCandidate, HintCommand},     {164, GateCandidate, HintCommand},
    {165, GateCandidate, HintCommand},     {166, GateCandidate, HintCommand},
    {167, GateCandidate, HintCommand},
    {0, 0, nullptr},
};
