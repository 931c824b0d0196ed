#include "drivers/frame.h"

#include <cstring>

#include "board/candidates.h"
#include "board/platform.h"
#include "board/queue.h"
#include "board/state.h"
#include "drivers/commands.h"

const char* const kAppTitle = "《Kelmo》";

void SetStatus(uint32_t part, const std::string& text) {
  if (part == 0)
    g.status0 = text;
  else
    g.status1 = text;
  P().SetStatus(part, text);
}

void SetTitle(const std::string& text) {
  g.title = text;
  P().SetTitle(text);
}

std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string TitleForFile(const std::string& path) {
  std::string name = BaseName(path);
  if (name.size() >= 4) {
    std::string tail = name.substr(name.size() - 4);
    for (char& ch : tail) ch = static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch + 32 : ch);
    if (tail == ".txt") name.resize(name.size() - 4);
  }
  return std::string(kAppTitle) + " - " + name;
}

std::string ModeLabel() {
  switch (g.screenMode) {
    case ModeNewCreation: return "＜新規作成＞";
    case ModeEdit: return "＜編集モード＞";
    case ModeCandidateScreen: return "＜候補表示画面＞";
    case ModeMakeProblem: return Format("＜問題の作成＞ [%u]", g.solution[CursorCell()]);
    case ModeProblemInput: return "＜問題の入力＞";
    default: return "";
  }
}

void RefreshStatus(uint32_t kind) {
  P().Repaint();
  switch (kind) {
    case 1: SetStatus(1, Format("空白残り[%u]", 81 - CountFilled())); break;
    case 2: SetStatus(1, Format("全候補数[%u]", g.cand.total)); break;
    case 3:
      if (g.screenMode == ModeMakeProblem) SetStatus(0, ModeLabel());
      SetStatus(1, Format("問題数[%u]", CountGivens()));
      break;
    default: break;
  }
}

void OpenTechniqueLog() {
  if (g.settings.candErase == 0 || g.logWindowOpen) return;
  g.logWindowOpen = 1;
  P().OpenPanel(PanelTechniqueLog);
}

void CloseTechniqueLog() {
  if (!g.logWindowOpen) return;
  g.logWindowOpen = 0;
  P().ClosePanel(PanelTechniqueLog);
}

void ClearTechniqueLog() {
  if (g.settings.candErase != 0) P().LogClear();
}

bool AskOkCancel(const std::string& text, const std::string& title) {
  return P().MessageBox(text, title, IconQuestion, ButtonsOkCancel) == AnswerOk;
}

void ShowMessage(const std::string& text, const std::string& title, uint32_t icon) {
  P().MessageBox(text, title, icon, ButtonsOk);
}

static void CloseUsageWindow() {
  if (g.usageView == 0) return;
  g.usageView = 0;
  P().ClosePanel(PanelCandidateUsage);
}

static void CandidateDisplayOff() {
  g.candidateDisplay = 0;
  P().MenuCheck(280, false);
}

static void EmptyCellsBecomeEmptyKind() {
  for (uint32_t c = 0; c < 81; ++c)
    if (g.board.value[c] == 0) g.board.kind[c] = KindEmpty;
}

// 240: toggle the new-problem mode.
static void ToggleNewCreation(uint32_t) {
  if (g.screenMode == ModeNewCreation) {
    g.screenMode = ModeNormal;
    P().MenuCheck(240, false);
    SetStatus(0, "");
    RefreshStatus(1);
    return;
  }
  if (!AskOkCancel("データが初期化されますが良いですか？", "新規作成")) return;
  g.screenMode = ModeNewCreation;
  P().MenuCheck(240, true);
  ClearBoard();
  CandidateDisplayOff();
  SetStatus(0, "＜新規作成＞");
  SetStatus(1, "");
  CloseUsageWindow();
}

static const uint32_t kEditEnabled[] = {960, 1170, 610, 320, 322};
static const uint32_t kEditDisabled[] = {200, 280, 240, 330, 340, 310};

// 300: toggle the edit mode.
static void ToggleEdit(uint32_t) {
  if (g.screenMode == ModeEdit) {
    g.screenMode = ModeNormal;
    P().MenuCheck(300, false);
    for (uint32_t id : kEditEnabled) P().MenuEnable(id, false);
    for (uint32_t id : kEditDisabled) P().MenuEnable(id, true);
    P().ShowToolbar(ModeNormal);
    EmptyCellsBecomeEmptyKind();
    SetStatus(0, "");
    RefreshStatus(1);
    return;
  }
  g.screenMode = ModeEdit;
  P().MenuCheck(300, true);
  for (uint32_t id : kEditEnabled) P().MenuEnable(id, true);
  for (uint32_t id : kEditDisabled) P().MenuEnable(id, false);
  g.editStartFlag = 1;
  std::memcpy(g.editStartKinds, g.board.kind, sizeof g.editStartKinds);
  CandidateDisplayOff();
  SetStatus(0, "＜編集モード＞");
  UndoClear();
  P().ShowToolbar(ModeEdit);
  CloseUsageWindow();
}

// 310: toggle the candidate screen.
static void ToggleCandidateScreen(uint32_t) {
  if (g.screenMode == ModeCandidateScreen) {
    g.screenMode = ModeNormal;
    P().MenuCheck(310, false);
    SetStatus(0, "");
    RefreshStatus(1);
    P().ShowToolbar(ModeNormal);
    RefreshStatus(0);
    CloseTechniqueLog();
    if (g.controlPanelOpen) {
      g.controlPanelOpen = 0;
      P().ClosePanel(PanelControl);
    }
    g.acceptDrops = 1;
    return;
  }
  if (g.screenMode == ModeNewCreation) {
    ShowMessage("新規作成では候補画面にはできません", "注意", IconExclamation);
    return;
  }
  if (g.screenMode != ModeNormal) return;
  CloseUsageWindow();
  if (g.inputPanelOpen) {
    g.inputPanelOpen = 0;
    P().ClosePanel(PanelInput);
  }
  CandidateDisplayOff();
  g.acceptDrops = 0;
  g.screenMode = ModeCandidateScreen;
  P().MenuCheck(310, true);
  SetStatus(0, "＜候補表示画面＞");
  SetStatus(1, "");
  P().ShowToolbar(ModeCandidateScreen);
  ComputeCandidates();
  RefreshStatus(2);
  OpenTechniqueLog();
  if (g.settings.candCtrl == 1 && !g.controlPanelOpen) {
    g.controlPanelOpen = 1;
    P().OpenPanel(PanelControl);
  }
}

static void CompletionCommand(uint32_t) { CompletionDisplay(); }

// 380, 390, 400: the value-only singles of the ordinary screen, repeated while they place.
static void NormalSingles(uint32_t id) {
  uint32_t (*pass)() = id == 380 ? BlockUnique : id == 390 ? LineUnique : SellUnique;
  if (!pass()) return;
  while (pass()) {
  }
  RefreshStatus(1);
}

static void NoAction(uint32_t) {}

const CommandEntry kFrameCommands[] = {
    {240, GateNormal | GateNew, ToggleNewCreation},
    {300, GateNormal | GateEdit, ToggleEdit},
    {310, GateNormal | GateNew | GateCandidate, ToggleCandidateScreen},
    {380, GateNormal, NormalSingles},
    {390, GateNormal, NormalSingles},
    {400, GateNormal, NormalSingles},
    {410, GateNormal | GateCandidate | GateMake | GateInput, CompletionCommand},
    {830, GateAll, NoAction},
    {1000, GateAll, NoAction},
    {0, 0, nullptr},
};

static const CommandEntry* const kCommandTables[] = {
    kFrameCommands, kTechniqueCommands, kReadCommands,     kWriteCommands,
    kEditCommands,  kGeneratorCommands, nullptr,
};

const CommandEntry* FindCommand(uint32_t id) {
  for (const CommandEntry* const* t = kCommandTables; *t; ++t)
    for (const CommandEntry* e = *t; e->id; ++e)
      if (e->id == id) return e;
  return nullptr;
}

uint32_t RunCommand(uint32_t id) {
  const CommandEntry* e = FindCommand(id);
  if (!e) return CommandUnknown;
  if (!(e->gate & GateOf(g.screenMode))) return CommandRefused;
  e->action(id);
  return CommandDone;
}
