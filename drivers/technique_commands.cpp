#include "drivers/technique_commands.h"

#include <string>
#include <vector>

#include "board/candidates.h"
#include "board/platform.h"
#include "board/queue.h"
#include "board/state.h"
#include "drivers/batch.h"
#include "drivers/commands.h"
#include "drivers/frame.h"
#include "techniques/colouring.h"
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
  if (routine(1)) {
    RefreshStatus(1);
    FillUsageList();
  }
}

// Technique groups: every member in log mode in the analysis modes; in the ordinary screen
// the group's own placement call.
struct TechniqueGroup {
  uint32_t id;
  Routine members[6];
  uint32_t memberCount;
  Routine placement;  // the one routine the ordinary screen runs; nullptr: all members
};

static const TechniqueGroup kGroups[] = {
    {940,
     {UniqueRectangleType1, UniqueRectangleType2, UniqueRectangleType3, UniqueRectangleType4},
     4,
     nullptr},
    {1101, {WXYZWingType1, WXYZWingType2, WXYZWingType3}, 3, nullptr},
    {1121,
     {FinnedFish, FinnedSwordfish, FinnedJerryfish, FinnedSquirmbag, FinnedWhale,
      FinnedLeviathan},
     6,
     FinnedSwordfish},
    {1131,
     {SashimiFish, SashimiSwordfish, SashimiJerryfish, SashimiSquirmbag, SashimiWhale,
      SashimiLeviathan},
     6,
     SashimiSwordfish},
};

static void GroupCommand(uint32_t id) {
  const TechniqueGroup* group = nullptr;
  for (const TechniqueGroup& t : kGroups)
    if (t.id == id) group = &t;
  if (!group) return;
  if (IsAnalysisMode()) {
    g.savedTotal = g.cand.total;
    for (uint32_t i = 0; i < group->memberCount; ++i) group->members[i](0);
    if (g.cand.total != g.savedTotal)
      RefreshStatus(g.screenMode == ModeCandidateScreen ? 2 : 3);
    return;
  }
  if (g.screenMode != ModeNormal) return;
  ComputeCandidates();
  if (group->placement) {
    if (group->placement(1)) {
      RefreshStatus(1);
      FillUsageList();
    }
    return;
  }
  for (uint32_t i = 0; i < group->memberCount; ++i) group->members[i](1);
  RefreshStatus(1);
  FillUsageList();
}

static const char* const kCircled[10] = {"⑩", "①", "②", "③", "④", "⑤", "⑥", "⑦", "⑧", "⑨"};
static const char* const kWideDigit[10] = {"０", "１", "２", "３", "４",
                                           "５", "６", "７", "８", "９"};
static const char* const kBandLine = "－－－＋－－－＋－－－";

// The cells of the strong links of the digit (the only two cells of a row, column or block
// that still hold it) are the ones the strong-link marking leaves in LinkMask.
std::vector<std::string> CandidateListLines(uint32_t digit) {
  MarkStrongLinks(digit - 1);
  std::vector<std::string> lines;
  lines.push_back(Format("候補 <%u>", digit));
  for (uint32_t r = 0; r < 9; ++r) {
    std::string line;
    for (uint32_t c = 0; c < 9; ++c) {
      if (c == 3 || c == 6) line += "｜";
      const uint32_t cell = CellAt(r, c);
      const uint32_t v = g.board.value[cell];
      if (v >= 1 && v <= 9)
        line += kWideDigit[v];
      else
        line += LinkMask[cell] ? kCircled[digit] : "□";
    }
    lines.push_back(line);
    if (r == 2 || r == 5) lines.push_back(kBandLine);
  }
  return lines;
}

// 1150: the strong links of digit 1 shown as the list "候補リスト表示" (no status refresh).
static void CandidateListCommand(uint32_t id) {
  P().Dialog(id, "候補リスト表示");
  P().ListContents("候補リスト表示", CandidateListLines(1));
}

static void BatchCommand(uint32_t id) {
  switch (id) {
    case 1070: BatchBasic(); break;
    case 1080: BatchUpper(); break;
    case 910: SingleMax(); break;
    case 950: AutoLimit(); break;
    case 1210: FixSoleCandidates(); break;
    case 430: ClearAutomatic(); break;
    case 420: ClearAll(); break;
    case 1260: TechniqueCheckDelete(); break;
    case 1261: LastResort(); break;
    default: break;
  }
}

// Buttons of the candidate control panel and the problem-making panel, and the commands
// they post (the last five exist on the problem-making panel only).
const PanelButton kControlPanelButtons[] = {
    {1750, 1110}, {1760, 440},  {1770, 450},  {1780, 550},  {1790, 900},  {1800, 520},
    {1810, 530},  {1820, 560},  {1830, 460},  {1840, 470},  {1850, 540},  {1860, 860},
    {1870, 1030}, {1880, 920},  {1890, 930},  {2031, 935},  {1900, 570},  {1910, 1090},
    {1920, 1101}, {1930, 890},  {1940, 940},  {1950, 1050}, {1960, 1060}, {1970, 1121},
    {1980, 1131}, {1990, 1140}, {2000, 1045}, {2010, 910},  {2020, 1070}, {2030, 1080},
    {2032, 1132}, {2, 430},     {2033, 610},  {2036, 320},  {2034, 322},  {2035, 1230},
    {2037, 330},  {0, 0},
};

// The digit-input panel: nine buttons in a 3x3 layout posting the digits 1..9.
const PanelButton kInputPanelButtons[] = {
    {1750, 621}, {1760, 622}, {1770, 623}, {1780, 624}, {1790, 625},
    {1800, 626}, {1810, 627}, {1820, 628}, {1830, 629}, {0, 0},
};

static bool ProblemPanelOnly(uint32_t button) {
  return button == 2033 || button == 2036 || button == 2034 || button == 2035 || button == 2037;
}

uint32_t PanelButtonCommand(uint32_t panel, uint32_t button) {
  const PanelButton* table = panel == PanelInput ? kInputPanelButtons : kControlPanelButtons;
  for (const PanelButton* b = table; b->command; ++b) {
    if (b->button != button) continue;
    // The candidate control panel opens in the candidate and problem-input screens and
    // lacks the generator's buttons.
    if (panel == PanelControl && g.screenMode != ModeMakeProblem && ProblemPanelOnly(button))
      return 0;
    return b->command;
  }
  return 0;
}

uint32_t PressPanelButton(uint32_t panel, uint32_t button) {
  const uint32_t id = PanelButtonCommand(panel, button);
  return id ? RunCommand(id) : CommandUnknown;
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
    1132, 1140, 1152, 1045};

bool CommandAvailable(uint32_t id) {
  if (!FindCommand(id)) return false;
  for (uint32_t t : kSingleTechniqueIds)
    if (t == id) return RoutineForCommand(id) != nullptr;
  // A hint item is there once its technique is: 161-164 naked, 166-167 hidden subsets.
  static const uint32_t kHintTechnique[][2] = {{161, 440}, {162, 450}, {163, 550},
                                                {164, 580}, {166, 520}, {167, 530}};
  for (const auto& hint : kHintTechnique)
    if (hint[0] == id) return RoutineForCommand(hint[1]) != nullptr;
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
    {1045, GateAnalysis, MenuTechnique},
    {940, kTechniqueGate, GroupCommand},   {1101, kTechniqueGate, GroupCommand},
    {1121, kTechniqueGate, GroupCommand},  {1131, kTechniqueGate, GroupCommand},
    {1150, GateAnalysis, CandidateListCommand},
    {1070, GateAnalysis, BatchCommand},    {1080, GateAnalysis, BatchCommand},
    {910, GateAnalysis, BatchCommand},
    {950, GateNormal | GateEdit | GateMake | GateInput, BatchCommand},
    {1210, GateAnalysis, BatchCommand},
    {430, GateAll & ~GateNew, BatchCommand},
    {420, GateAll & ~GateNew, BatchCommand},
    {1260, GateMake, BatchCommand},
    {1261, GateCandidate, BatchCommand},
    {0, 0, nullptr},
};
