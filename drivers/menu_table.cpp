#include "drivers/menu_table.h"

#include <array>
#include <cstring>

#include "board/platform.h"
#include "board/state.h"
#include "drivers/commands.h"
#include "techniques/rung.h"

// Items keep the order a user looks for them in: modes first, then files, generation and the
// look of the board in "設定"; checks and views, transformations, memory and the clipboard in
// "表示"; the techniques from the simplest up, then the batches, in "解析".
namespace {

constexpr MenuRow kMenuHead[] = {
    {0, "設定", 0, nullptr},
    {1, "新規作成(&N)", 240, "Ctrl+N"},
    {1, "編集(&E)", 300, nullptr},
    {1, "候補画面(&C)", 310, "Ctrl+C"},
    {1, "問題作成(&P)", 330, nullptr},
    {1, "問題入力(&I)", 340, nullptr},
    {1, nullptr, 0, nullptr},
    {1, "ファイルから読込(&R)...", 200, nullptr},
    {1, "ファイルへ保存(&W)...", 210, "Ctrl+P"},
    {1, "マスクパターン読込...", 1170, nullptr},
    {1, nullptr, 0, nullptr},
    {1, "数独シート生成", 610, nullptr},
    {1, "自動消去", 320, nullptr},
    {1, "自動消去２", 322, nullptr},
    {1, "テクニック確認削除", 1260, nullptr},
    {1, nullptr, 0, nullptr},
    {1, "設定変更(&M)...", 130, nullptr},
    {1, "文字Font(&F)...", 180, nullptr},
    {1, "色変更...", 3030, nullptr},
    {1, nullptr, 0, nullptr},
    {1, "終了(&X)", 140, "Ctrl+Q"},

    {0, "表示", 0, nullptr},
    {1, "候補確認", 260, nullptr},
    {1, "候補表示", 280, "Ctrl+F"},
    {1, "同一数表示", 825, "Ctrl+W"},
    {1, "単体候補表示", 820, nullptr},
    {1, "同一数値確認", 740, "Ctrl+Z"},
    {1, "完成確認", 410, nullptr},
    {1, "入力画面", 345, "Ctrl+K"},
    {1, "ツールバー(&T)", 2060, "t"},
    {1, nullptr, 0, nullptr},
    {1, "右回転", 760, nullptr},
    {1, "左回転", 770, nullptr},
    {1, "左右反転", 780, nullptr},
    {1, "上下反転", 790, nullptr},
    {1, "逆転", 800, nullptr},
    {1, "XY反転", 810, nullptr},
    {1, "読み替え", 965, nullptr},
    {1, "ランダム数字交換", 1220, nullptr},
    {1, "画面編集", 1190, nullptr},
    {1, nullptr, 0, nullptr},
    {1, "メモリ記憶(&M)", 870, nullptr},
    {1, "メモリ復帰(&R)", 880, nullptr},
    {1, nullptr, 0, nullptr},
    {1, "Clipboardから複写", 960, "Ctrl+V"},
    {1, "Clipboardへ保存", 962, nullptr},

    {0, "解析", 0, nullptr},
    {1, "Block unique", 380, nullptr},
    {1, "Line Unique", 390, nullptr},
    {1, "Sell Unique", 400, nullptr},
    {1, "Hidden Single", 900, nullptr},
    {1, "Naked Single", 1110, nullptr},
    {1, "Single MAX", 910, nullptr},
    {1, nullptr, 0, nullptr},
    {1, "Naked系", 0, nullptr},
    {2, "Naked Pair", 440, nullptr},
    {2, "Naked Triple", 450, nullptr},
    {2, "Naked Quad", 550, nullptr},
    {2, "Naked Quintuplet", 580, nullptr},
    {1, "Hidden系", 0, nullptr},
    {2, "Hidden Pair", 520, nullptr},
    {2, "Hidden Triple", 530, nullptr},
    {2, "Hidden Quad", 560, nullptr},
    {2, "Hidden Quintuplet", 590, nullptr},
    {1, "Locked candidates", 890, nullptr},
    {1, "Wing系", 0, nullptr},
    {2, "X-Wing", 460, nullptr},
    {2, "Sword fish", 470, nullptr},
    {2, "Jerry fish", 540, nullptr},
    {2, "Squirmbag", 860, nullptr},
    {1, "XY-Wing", 570, nullptr},
    {1, "Simple Coloring", 1030, nullptr},
    {1, "Multi Coloring Type1", 920, nullptr},
    {1, "Multi Coloring Type2", 930, nullptr},
    {1, "3D Medusa", 935, nullptr},
    {1, "その他", 0, nullptr},
    {2, "Unique Rectangle", 940, nullptr},
    {2, "Gurths対称配置", 1152, nullptr},
    {2, "XYZ-Wing", 1090, nullptr},
    {2, "WXYZ-Wing", 1100, nullptr},
    {2, "WXYZ-Wing(2)", 1101, nullptr},
    {2, "Remote Pairs", 1050, nullptr},
    {2, "XY-chain", 1040, nullptr},
    {2, "XY-chainチェック", 1045, nullptr},
    {2, "X-cycle", 1140, nullptr},
    {2, "X-cycle補助", 1150, nullptr},
    {2, "ALS-XZ", 1102, nullptr},
    {2, "Aligned Pair Ex", 1151, nullptr},
    {2, "Death Blossom", 1153, nullptr},
    {2, "Hamada logic", 1060, nullptr},
    {2, "Fishs", 0, nullptr},
    {3, "Finned Fish", 1120, nullptr},
    {3, "Finned's", 1121, nullptr},
    {3, "Sashimi Fish", 1130, nullptr},
    {3, "Sashimi's", 1131, nullptr},
    {3, "Franken Swordfish", 1132, nullptr},
    {2, nullptr, 0, nullptr},
    {2, "最後の手段", 1261, nullptr},
};

// "解析 › 連鎖" comes here, built from the rung's table (below).

constexpr MenuRow kMenuTail[] = {
    {1, nullptr, 0, nullptr},
    {1, "一括処理NHW", 1070, nullptr},
    {1, "一括処理上位", 1080, nullptr},
    {1, "自動限界", 950, nullptr},
    {1, "候補確定", 1210, "Ctrl+R"},
    {1, nullptr, 0, nullptr},
    {1, "自動数消去", 430, nullptr},
    {1, "クリア", 420, nullptr},

    {0, "Hint", 0, nullptr},
    {1, "Naked Pair", 161, nullptr},
    {1, "Naked Triple", 162, nullptr},
    {1, "Naked Quad", 163, nullptr},
    {1, "Naked Quintuplet", 164, nullptr},
    {1, "Hidden Single", 165, nullptr},
    {1, "Hidden Pair", 166, nullptr},
    {1, "Hidden Triple", 167, nullptr},
    {1, nullptr, 0, nullptr},
    {1, "次の一手", 4100, "N"},

    {0, "Help", 0, nullptr},
    {1, "About(&A)...", 160, nullptr},
};

constexpr uint32_t kHeadRows = sizeof kMenuHead / sizeof kMenuHead[0];
constexpr uint32_t kTailRows = sizeof kMenuTail / sizeof kMenuTail[0];
// The submenu: its title, one item per routine from the simplest up, a separator and 4000.
constexpr uint32_t kRungMenuRows = 1 + kRungRowCount + 2;

constexpr std::array<MenuRow, kHeadRows + kRungMenuRows + kTailRows> MakeMenuRows() {
  std::array<MenuRow, kHeadRows + kRungMenuRows + kTailRows> rows{};
  uint32_t n = 0;
  for (const MenuRow& row : kMenuHead) rows[n++] = row;
  rows[n++] = {1, "連鎖", 0, nullptr};
  // Rows by weight, the lower id first on a tie (a selection sort, at compile time).
  bool taken[kRungRowCount] = {};
  for (uint32_t k = 0; k < kRungRowCount; ++k) {
    uint32_t best = kRungRowCount;
    for (uint32_t i = 0; i < kRungRowCount; ++i)
      if (!taken[i] && (best == kRungRowCount || kRungRows[i].weight < kRungRows[best].weight))
        best = i;
    taken[best] = true;
    rows[n++] = {2, kRungRows[best].label, kRungRows[best].commandId, nullptr};
  }
  rows[n++] = {2, nullptr, 0, nullptr};
  rows[n++] = {2, "連鎖一括", kRungBatchId, nullptr};
  for (const MenuRow& row : kMenuTail) rows[n++] = row;
  return rows;
}
constexpr auto kMenuArray = MakeMenuRows();

}  // namespace

const MenuRow* const kMenuRows = kMenuArray.data();
const uint32_t kMenuRowCount = static_cast<uint32_t>(kMenuArray.size());

bool MenuItemCheckable(uint32_t id) {
  switch (id) {
    case 240: case 280: case 300: case 310: case 330: case 340: case 825: case 2060:
      return true;
    default:
      return false;
  }
}

bool MenuItemEnabled(uint32_t id, uint32_t mode) {
  const CommandEntry* e = FindCommand(id);
  if (!e || mode > ModeProblemInput || !(e->gate & GateOf(mode))) return false;
  if (id == 880) return g.memory.present != 0;
  return true;
}

void ApplyMenuStates(bool force) {
  const uint32_t now = g.screenMode * 2 + (g.memory.present ? 1 : 0) + 1;
  if (!force && now == g.menuStateKey) return;
  g.menuStateKey = now;
  for (uint32_t i = 0; i < kMenuRowCount; ++i)
    if (kMenuRows[i].id) P().MenuEnable(kMenuRows[i].id, MenuItemEnabled(kMenuRows[i].id, g.screenMode));
  for (uint32_t t = 0; t < 4; ++t)
    for (const uint32_t* b = ToolbarButtons(t); *b != kToolbarEnd; ++b)
      if (*b) P().MenuEnable(*b, MenuItemEnabled(*b, g.screenMode));
}

constexpr uint32_t Ctrl(char letter) { return static_cast<uint32_t>(letter - 'A' + 1); }

const KeyRow kKeyRows[] = {
    {KeyControl, Ctrl('Q'), 140},  {KeyControl, Ctrl('P'), 210},  {KeyControl, Ctrl('B'), 225},
    {KeyControl, Ctrl('N'), 240},  {KeyControl, Ctrl('F'), 280},  {KeyControl, Ctrl('M'), 290},
    {KeyControl, Ctrl('C'), 310},  {KeyControl, Ctrl('K'), 345},  {KeyControl, Ctrl('T'), 615},
    {KeyControl, Ctrl('A'), 730},  {KeyControl, Ctrl('Z'), 740},  {KeyControl, Ctrl('O'), 822},
    {KeyControl, Ctrl('W'), 825},  {KeyControl, Ctrl('H'), 830},  {KeyControl, Ctrl('V'), 990},
    {KeyControl, Ctrl('G'), 1160}, {KeyControl, Ctrl('R'), 1210}, {KeyControl, Ctrl('U'), 1232},
    {KeyControl, Ctrl('E'), 2620}, {KeyControl, Ctrl('X'), 2630}, {KeyControl, Ctrl('D'), 2640},
    {KeyControl, Ctrl('S'), 2650}, {KeyControl, Ctrl('L'), 3000},
    {KeyVirtual, VkUp, 2620},      {KeyVirtual, VkDown, 2630},    {KeyVirtual, VkRight, 2640},
    {KeyVirtual, VkLeft, 2650},    {KeyVirtual, VkHome, 2670},    {KeyVirtual, VkPageUp, 1010},
    {KeyVirtual, VkPageDown, 1020}, {KeyVirtual, VkInsert, 970},  {KeyVirtual, VkDelete, 980},
    {KeyVirtual, VkBackspace, 750}, {KeyVirtual, VkEnter, 1000},  {KeyVirtual, VkSpace, 720},
    {KeyTyped, '0', 620},          {KeyTyped, '1', 621},          {KeyTyped, '2', 622},
    {KeyTyped, '3', 623},          {KeyTyped, '4', 624},          {KeyTyped, '5', 625},
    {KeyTyped, '6', 626},          {KeyTyped, '7', 627},          {KeyTyped, '8', 628},
    {KeyTyped, '9', 629},          {KeyTyped, '#', 1200},         {KeyTyped, '%', 1205},
    {KeyTyped, '@', 1240},         {KeyTyped, '!', 1241},         {KeyTyped, '$', 1242},
    {KeyTyped, 't', 2060},         {KeyTyped, 'a', 970},          {KeyTyped, 'd', 980},
    {KeyTyped, '>', 3010},         {KeyTyped, '<', 3020},         {KeyTyped, 'n', 4100},
    {0, 0, 0},
};

uint32_t KeyCommand(uint32_t kind, uint32_t code) {
  for (const KeyRow* k = kKeyRows; k->id; ++k)
    if (k->kind == kind && k->code == code) return k->id;
  return 0;
}

namespace {

const uint32_t kNormalToolbar[] = {0, 950, 400, 390, 380, 430, 0, 310, 260, kToolbarEnd};
const uint32_t kEditToolbar[] = {0, 320, 360, 350, 430, 0, 950, 1230, kToolbarEnd};
const uint32_t kCandidateToolbar[] = {0, 840, 0, 890, 470, 460, 530, 450, 520, 440,
                                      0, 430, 310, kToolbarEnd};
const uint32_t kProblemToolbar[] = {0, 220, 230, 0, 1230, 0, 890, 470, 460, 530, 450,
                                    520, 440, 0, 430, 950, 410, kToolbarEnd};

}  // namespace

uint32_t ToolbarForMode(uint32_t mode) {
  switch (mode) {
    case ModeEdit: return 1;
    case ModeCandidateScreen: return 2;
    case ModeMakeProblem:
    case ModeProblemInput: return 3;
    default: return 0;
  }
}

const uint32_t* ToolbarButtons(uint32_t toolbar) {
  switch (toolbar) {
    case 1: return kEditToolbar;
    case 2: return kCandidateToolbar;
    case 3: return kProblemToolbar;
    default: return kNormalToolbar;
  }
}

std::string ToolbarTip(uint32_t id) {
  static const struct {
    uint32_t id;
    const char* text;
  } kTips[] = {
      {950, "自動限界"},          {1230, "UNDO"},       {380, "Block unique"},
      {390, "Line unique"},       {400, "Sell unique"}, {430, "自動数消去"},
      {890, "Locked candidates"}, {470, "Sword fish"},  {460, "X-Wing"},
      {520, "Hidden Pair"},       {530, "Hidden Triple"}, {840, "結果反映"},
      {220, "Save"},
  };
  for (const auto& t : kTips)
    if (t.id == id) return t.text;
  for (const MenuRow& row : kMenuArray) {
    if (row.id != id || !row.label) continue;
    std::string label = row.label;
    const size_t amp = label.find("(&");
    if (amp != std::string::npos) label.erase(amp);
    while (label.size() >= 3 && label.compare(label.size() - 3, 3, "...") == 0)
      label.resize(label.size() - 3);
    return label;
  }
  return {};
}
