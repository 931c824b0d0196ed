#include "drivers/dialogs.h"

#include <cstring>

#include "board/candidates.h"
#include "board/platform.h"
#include "board/queue.h"
#include "board/state.h"
#include "board/transform.h"
#include "drivers/frame.h"
#include "drivers/placement.h"
#include "drivers/technique_commands.h"
#include "io/layout.h"
#include "io/settings.h"

// ---------------------------------------------------------------------------------------
// "設定の変更"

const RadioGroup kSettingsGroups[kSettingsGroupCount] = {
    {"編集時のカーソル移動", &Settings::csrMove, {{1410, "ノーマル", 0}, {1411, "エディット", 1}}, 2},
    {"候補消去状況", &Settings::candErase, {{1412, "通常", 1}, {1413, "詳細", 2}, {1414, "非表示", 0}}, 3},
    {"候補使用状況", nullptr, {{1415, "無", 0}, {1416, "塊", 1}, {1417, "列", 2}, {1418, "行", 3}}, 4},
    {"保存ファイル形式", &Settings::saveFormat, {{1419, "通常", 0}, {1421, "印刷用", 1}, {1424, "html", 2}}, 3},
    {"Copy＆Saveモード", &Settings::copySaveMode, {{1422, "通常", 0}, {1423, "即保存", 1}, {1425, "変換保存", 2}}, 3},
    {"候補コントロールパネル", &Settings::candCtrl, {{1426, "表示", 1}, {1427, "非表示", 0}}, 2},
    {"クリップボード配列", &Settings::clipboardPattern, {{1428, "通常", 0}, {1429, "函型", 1}, {1430, "TAB式", 2}}, 3},
    {"候補画面表示", &Settings::kohoDisplayMode, {{1431, "通常", 0}, {1432, "箱型", 1}}, 2},
};

void SettingsDialogValues(int32_t values[kSettingsGroupCount]) {
  for (uint32_t i = 0; i < kSettingsGroupCount; ++i) {
    const RadioGroup& group = kSettingsGroups[i];
    values[i] = group.field ? g.settings.*group.field : static_cast<int32_t>(g.usageView);
  }
}

static bool GroupHasValue(const RadioGroup& group, int32_t value) {
  for (uint32_t k = 0; k < group.count; ++k)
    if (group.buttons[k].value == value) return true;
  return false;
}

void SettingsDialogOk(const int32_t values[kSettingsGroupCount]) {
  for (uint32_t i = 0; i < kSettingsGroupCount; ++i) {
    const RadioGroup& group = kSettingsGroups[i];
    // A group without a checked button (a value no button stands for) keeps its setting.
    if (!GroupHasValue(group, values[i])) continue;
    if (group.field)
      g.settings.*group.field = values[i];
    else
      ShowUsageView(static_cast<uint32_t>(values[i]));
  }
  P().Repaint();
}

// ---------------------------------------------------------------------------------------
// Colours

const ColourRole kColourRoles[kColourRoleCount] = {
    {1270, "壁", "壁", &Settings::bgc, &Settings::bgc2},
    {1280, "罫線１", "罫線１", &Settings::line, &Settings::ruledLine1},
    {1290, "罫線２", "罫線２", &Settings::line2, &Settings::ruledLine2},
    {1300, "固定数", "問題数", &Settings::number, &Settings::problemNumber},
    {1320, "入力数", "入力数", &Settings::input, &Settings::inputNumber},
    {1310, "自動数", "自動数", &Settings::calc, &Settings::autoNumber},
    {1330, "仮定数", "仮定数", &Settings::kari, &Settings::assumeNumber},
    {1340, "確認色", "確認色", &Settings::number2, &Settings::confirm},
    {1350, "カーソル", "カーソル", &Settings::cursor, &Settings::cursor2},
};

static bool IsRole(int32_t v) { return v >= 0 && v <= 16; }

const RadioChoice kGlyphSetChoices[7] = {
    {1410, "半角文字", 0}, {1411, "全角文字", 1}, {1412, "漢数字", 2}, {1413, "大字", 3},
    {1414, "九字", 4},     {1415, "ローマ数字", 5}, {1416, "カスタム", 6},
};

DisplayChoice DisplayDialogValues() {
  DisplayChoice choice;
  // The first-set fields hold the set on screen (the second one while it is in use).
  for (uint32_t i = 0; i < kColourRoleCount; ++i) choice.colour[i] = g.settings.*kColourRoles[i].first;
  choice.glyphSet = g.settings.kanSuuji;
  const std::vector<std::string> glyphs = SplitCodePoints(g.settings.customText);
  for (size_t i = 1; i < glyphs.size(); ++i) choice.customText += glyphs[i];
  return choice;
}

void DisplayDialogOk(const DisplayChoice& choice) {
  for (uint32_t i = 0; i < kColourRoleCount; ++i)
    if (IsRole(choice.colour[i])) g.settings.*kColourRoles[i].first = choice.colour[i];
  if (choice.glyphSet >= 0 && choice.glyphSet <= 6) g.settings.kanSuuji = choice.glyphSet;
  const std::string field = TruncateUtf16(choice.customText, kCustomFieldLimit);
  Settings defaults;
  ApplyDefaultSettings(defaults);
  // Nine glyphs are needed; a shorter text gives way to the default one.
  if (SplitCodePoints(field).size() < 9) {
    g.settings.customText = defaults.customText;
  } else {
    const std::vector<std::string> now = SplitCodePoints(g.settings.customText);
    g.settings.customText = (now.empty() ? std::string("　") : now[0]) + field;
  }
  g.settings.customGlyph = SplitCustomText(g.settings.customText);
  P().Repaint();
  FillUsageList();
  ShowCursorStatus();
}

SecondColourChoice SecondColourDialogValues() {
  SecondColourChoice choice;
  for (uint32_t i = 0; i < kColourRoleCount; ++i) {
    const ColourRole& role = kColourRoles[i];
    choice.colour[i] = g.secondColourSet ? g.settings.*role.first : g.settings.*role.second;
  }
  choice.inUse = g.secondColourSet ? 1 : 0;
  return choice;
}

void SecondColourDialogOk(const SecondColourChoice& choice) {
  for (uint32_t i = 0; i < kColourRoleCount; ++i) {
    if (!IsRole(choice.colour[i])) continue;
    const ColourRole& role = kColourRoles[i];
    (g.secondColourSet ? g.settings.*role.first : g.settings.*role.second) = choice.colour[i];
  }
  const uint32_t want = choice.inUse ? 1 : 0;
  if (want != g.secondColourSet) {
    SwapColourSets(g.settings);
    g.secondColourSet = want;
  }
  P().Repaint();
}

void ColourChooserOk(uint32_t chosen, const uint32_t custom[16]) {
  g.chooserColour = chosen & 0xFFFFFF;
  for (uint32_t i = 0; i < 16; ++i) g.settings.baseColor[i] = custom[i] & 0xFFFFFF;
  P().Repaint();
}

// ---------------------------------------------------------------------------------------
// Fonts

bool FontDialogEditsCandidateFont() { return g.screenMode == ModeCandidateScreen; }

FontChoice FontDialogValues() {
  const Settings& s = g.settings;
  if (FontDialogEditsCandidateFont()) return {s.fontName2, s.fontSize2, s.fontWeight2, s.fontItalic2};
  return {s.fontName, s.fontSize, s.fontWeight, s.fontItalic};
}

void FontDialogOk(const FontChoice& choice) {
  Settings& s = g.settings;
  const std::string face = TruncateUtf16(choice.face, 63);
  // Heights outside what the settings accept would be replaced at the next start.
  const int32_t height = choice.height < -99 ? -99 : choice.height > 99 ? 99 : choice.height;
  const int32_t italic = choice.italic ? 1 : 0;
  if (FontDialogEditsCandidateFont()) {
    if (!face.empty()) s.fontName2 = face;
    s.fontSize2 = height;
    s.fontWeight2 = choice.weight;
    s.fontItalic2 = italic;
  } else {
    if (!face.empty()) s.fontName = face;
    s.fontSize = height;
    s.fontWeight = choice.weight;
    s.fontItalic = italic;
  }
  P().Repaint();
}

// ---------------------------------------------------------------------------------------
// "画面の編集"

const EditButtonGroup kEditButtonGroups[8] = {
    {"ブロック単位", 1750, {"右ロール", "左ロール", "左右交換"}},
    {"ブロック単位", 1780, {"上ロール", "下ロール", "上下交換"}},
    {"上三行", 1810, {"上ロール", "下ロール", "上下交換"}},
    {"中三行", 1840, {"上ロール", "下ロール", "上下交換"}},
    {"下三行", 1870, {"上ロール", "下ロール", "上下交換"}},
    {"左三列", 1900, {"右ロール", "左ロール", "左右交換"}},
    {"中三列", 1930, {"右ロール", "左ロール", "左右交換"}},
    {"右三列", 1960, {"右ロール", "左ロール", "左右交換"}},
};

void EditDialogOpen() { BeginEditSession(); }

uint32_t EditDialogButton(uint32_t button) {
  // The move as a permutation of cells: run it on a board of cell numbers.
  const Board saved = g.board;
  for (uint32_t c = 0; c < 81; ++c) g.board.value[c] = c;
  const uint32_t done = EditMove(button);
  uint32_t source[81];
  for (uint32_t c = 0; c < 81; ++c) source[c] = g.board.value[c];
  g.board = saved;
  if (!done) return 0;
  const Board before = g.board;
  const CandidateTable cand = g.cand;
  uint32_t solution[81];
  std::memcpy(solution, g.solution, sizeof solution);
  for (uint32_t c = 0; c < 81; ++c) {
    const uint32_t from = source[c];
    g.board.value[c] = before.value[from];
    g.board.kind[c] = before.kind[from];
    // Candidates and the generator's solution belong to their cells.
    g.cand.count[c] = cand.count[from];
    for (uint32_t d = 0; d < 9; ++d) g.cand.flag[c * 9 + d] = cand.flag[from * 9 + d];
    if (g.screenMode == ModeMakeProblem) g.solution[c] = solution[from];
  }
  ForgetUnitHolders();
  P().Repaint();
  FillUsageList();
  return 1;
}

void EditDialogClose(bool keep) {
  EndEditSession(keep);
  P().Repaint();
  if (!keep) FillUsageList();
}

// ---------------------------------------------------------------------------------------
// "保存ファイル名自動生成"

static int32_t Clamp(int32_t v, int32_t lo, int32_t hi) { return v < lo ? lo : v > hi ? hi : v; }

AutoNameChoice AutoNameDialogValues() {
  const Settings& s = g.settings;
  return {s.autoSaveFileName, Clamp(s.autoSaveCount, 0, kAutoCountMax),
          Clamp(s.autoSaveDigit, kAutoDigitsMin, kAutoDigitsMax), s.autoSaveFileNameFlag ? 1 : 0};
}

bool AutoNameBaseAccepted(const std::string& baseName) {
  if (baseName.find('/') == std::string::npos) return true;
  ShowMessage("基準ファイル名に「/」は使えません", "保存ファイル名自動生成", IconExclamation);
  return false;
}

uint32_t AutoNameDialogOk(const AutoNameChoice& choice) {
  if (!AutoNameBaseAccepted(choice.baseName)) return 0;
  Settings& s = g.settings;
  s.autoSaveFileName = TruncateUtf16(choice.baseName, kBaseNameLimit);
  s.autoSaveCount = Clamp(choice.count, 0, kAutoCountMax);
  s.autoSaveDigit = Clamp(choice.digits, kAutoDigitsMin, kAutoDigitsMax);
  s.autoSaveFileNameFlag = choice.flag ? 1 : 0;
  return 1;
}

std::string DigitCountText(int32_t digits) { return Format("%01d", digits); }

// ---------------------------------------------------------------------------------------
// "候補リスト表示"

uint32_t CandidateListStep(uint32_t digit, uint32_t button) {
  if (digit < 1) digit = 1;
  if (digit > 9) digit = 9;
  if (button == kListRaise && digit < 9) return digit + 1;
  if (button == kListLower && digit > 1) return digit - 1;
  return digit;
}

// ---------------------------------------------------------------------------------------
// Panels

static const char* ControlButtonLabel(uint32_t button) {
  static const struct {
    uint32_t button;
    const char* label;
  } kLabels[] = {
      {1750, "Single"},     {1760, "Pair"},        {1770, "Triple"},      {1780, "Quad"},
      {1790, "Single"},     {1800, "Pair"},        {1810, "Triple"},      {1820, "Quad"},
      {1830, "X-Wing"},     {1840, "SwordFish"},   {1850, "JerryFish"},   {1860, "Squirmbag"},
      {1870, "Simple"},     {1880, "Multi Type1"}, {1890, "Multi Type2"}, {2031, "3D Medusa"},
      {1900, "XY-Wing"},    {1910, "XYZ-Wing"},    {1920, "WXYZ-Wing"},   {1930, "Locked C"},
      {1940, "Unique R"},   {1950, "Remote P"},    {1960, "Hamada L"},    {1970, "Finned all"},
      {1980, "Sashimi all"}, {1990, "X-cycle"},    {2000, "XY-chain"},    {2010, "MAX Single"},
      {2020, "MAX LOW"},    {2030, "MAX HIGH"},    {2032, "Franken Sf"},  {2033, "New"},
      {2036, "消１"},       {2034, "消２"},        {2035, "Undo"},        {2037, "End"},
  };
  if (button == 2) return g.screenMode == ModeMakeProblem ? "初期" : "初期化";
  for (const auto& l : kLabels)
    if (l.button == button) return l.label;
  return "";
}

const char* ControlPanelTitle() {
  return g.screenMode == ModeMakeProblem ? "問題作成操作パネル" : "候補解析操作パネル";
}

std::vector<PanelButtonInfo> ControlPanelButtons() {
  std::vector<PanelButtonInfo> out;
  for (const PanelButton* b = kControlPanelButtons; b->command; ++b) {
    const uint32_t command = PanelButtonCommand(PanelControl, b->button);
    if (command) out.push_back({b->button, ControlButtonLabel(b->button), command});
  }
  return out;
}

std::vector<PanelButtonInfo> InputPanelButtons() {
  std::vector<PanelButtonInfo> out;
  for (const PanelButton* b = kInputPanelButtons; b->command; ++b)
    out.push_back({b->button, GlyphFor(b->command - 620), b->command});
  return out;
}

void ToggleInputPanel() {
  g.inputPanelOpen = g.inputPanelOpen ? 0 : 1;
  if (g.inputPanelOpen)
    P().OpenPanel(PanelInput);
  else
    P().ClosePanel(PanelInput);
}

int32_t RememberedPanelPosition(uint32_t panel) {
  switch (panel) {
    case PanelControl: return g.controlPanelPosition;
    case PanelTechniqueLog:
    case PanelCandidateUsage: return g.logWindowPosition;
    default: return kNotPlaced;
  }
}

void RememberPanelPosition(uint32_t panel, int32_t left, int32_t top) {
  int32_t packed = PackPosition(left, top);
  // (-1, -1) packs to "not placed"; one pixel off is the nearest position that is remembered.
  if (packed == kNotPlaced) packed = PackPosition(0, -1);
  switch (panel) {
    case PanelControl: g.controlPanelPosition = packed; break;
    case PanelTechniqueLog:
    case PanelCandidateUsage: g.logWindowPosition = packed; break;
    default: break;
  }
}
