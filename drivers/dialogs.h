// What the dialogs and panels of the desktop window do, without the window: the controls as
// data, the values a dialog opens with, what "OK" stores and what a button posts. The window
// only lays the controls out, fills them from these values and hands the choices back.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct Settings;

// One radio button: control id, label and the value it stands for.
struct RadioChoice {
  uint32_t id;
  const char* label;
  int32_t value;
};

// A group of radio buttons bound to one setting (field nullptr: the candidate-usage window).
struct RadioGroup {
  const char* title;
  int32_t Settings::*field;
  RadioChoice buttons[4];
  uint32_t count;
};

// ---- "設定の変更" (290): eight radio groups; index 2 is the candidate-usage window.
constexpr uint32_t kSettingsGroupCount = 8;
constexpr uint32_t kUsageGroup = 2;
extern const RadioGroup kSettingsGroups[kSettingsGroupCount];
// The value each group starts from (the usage group: the window's view 0..3).
void SettingsDialogValues(int32_t values[kSettingsGroupCount]);
// "OK": every group's value is stored; the usage window is opened, switched or closed.
void SettingsDialogOk(const int32_t values[kSettingsGroupCount]);

// ---- Colour lists of "設定変更" (130) and "第二表示色設定" (1241).
struct ColourRole {
  uint32_t listId;
  const char* label;        // in the display dialog
  const char* secondLabel;  // in the second-set dialog
  int32_t Settings::*first;
  int32_t Settings::*second;
};
constexpr uint32_t kColourRoleCount = 9;
extern const ColourRole kColourRoles[kColourRoleCount];
// A list holds the 16 palette entries; a role of 16 (allowed by the settings) selects none,
// and a list without a selection keeps the role's value.

// ---- "設定変更" (130).
extern const RadioChoice kGlyphSetChoices[7];  // 1410..1416 → DigitGlyphSet 0..6
constexpr uint32_t kCustomFieldLimit = 29;     // UTF-16 units of the custom glyph field
struct DisplayChoice {
  int32_t colour[kColourRoleCount];  // the active set: the second one while it is in use
  int32_t glyphSet;
  std::string customText;  // the glyphs for 1..9 (the glyph for 0 is not edited)
};
DisplayChoice DisplayDialogValues();
void DisplayDialogOk(const DisplayChoice& choice);

// ---- "第二表示色設定" (1241).
struct SecondColourChoice {
  int32_t colour[kColourRoleCount];
  uint32_t inUse;  // "第二表示色使用"
};
SecondColourChoice SecondColourDialogValues();
// Stores the lists into the second set, then switches it on or off (swapping the sets).
void SecondColourDialogOk(const SecondColourChoice& choice);

// ---- "色変更..." (3030): the chooser starts from the current colour with the palette as
// its 16 custom colours; "OK" takes the chosen colour and the custom colours back.
void ColourChooserOk(uint32_t chosen, const uint32_t custom[16]);
// 0x00BBGGRR as stored in "BaseColor%02d", split and joined.
inline uint32_t RedOf(uint32_t c) { return c & 0xFF; }
inline uint32_t GreenOf(uint32_t c) { return (c >> 8) & 0xFF; }
inline uint32_t BlueOf(uint32_t c) { return (c >> 16) & 0xFF; }
inline uint32_t ColourFromRgb(uint32_t r, uint32_t gr, uint32_t b) {
  return (r & 0xFF) | (gr & 0xFF) << 8 | (b & 0xFF) << 16;
}

// ---- "文字Font" (170, 180, 190): the digit font, or the candidate font in the candidate
// screen. Height is the stored "FontSize" form (negative: character height in pixels).
struct FontChoice {
  std::string face;
  int32_t height, weight, italic;
};
bool FontDialogEditsCandidateFont();
FontChoice FontDialogValues();
void FontDialogOk(const FontChoice& choice);

// ---- "画面の編集" (1190): eight groups of three buttons.
struct EditButtonGroup {
  const char* title;
  uint32_t firstButton;  // the three ids are firstButton, +10, +20
  const char* labels[3];
};
extern const EditButtonGroup kEditButtonGroups[8];
void EditDialogOpen();
// One band or stack move at once; the candidates and (in the problem-making screen) the
// solution store move with their cells. 0 for an unknown button.
uint32_t EditDialogButton(uint32_t button);
// "OK" keeps the board, "ｷｬﾝｾﾙ" brings back the board as it was when the dialog opened.
void EditDialogClose(bool keep);

// ---- "保存ファイル名自動生成" (3000).
constexpr uint32_t kBaseNameLimit = 63;
constexpr int32_t kAutoCountMax = 9999;
constexpr int32_t kAutoDigitsMin = 1, kAutoDigitsMax = 8;
struct AutoNameChoice {
  std::string baseName;
  int32_t count, digits, flag;
};
AutoNameChoice AutoNameDialogValues();
// Stores all four, the base name cut to 63 characters and the numbers kept in range; returns
// 1. A base name that names a folder as well (a "/" in it) would put the files outside the
// start folder: it is refused with a message, nothing is stored and 0 returned.
uint32_t AutoNameDialogOk(const AutoNameChoice& choice);
// The base name is a plain file name (no "/"); otherwise says so in a message box.
bool AutoNameBaseAccepted(const std::string& baseName);
std::string DigitCountText(int32_t digits);  // "%01d"

// ---- "候補リスト表示" (1150): "増加" 1640 and "減少" 1650 step the digit within 1..9.
constexpr uint32_t kListRaise = 1640, kListLower = 1650;
uint32_t CandidateListStep(uint32_t digit, uint32_t button);

// ---- Panels. A button of a panel: id, caption and the command it posts.
struct PanelButtonInfo {
  uint32_t button;
  std::string label;
  uint32_t command;
};
// The buttons of the control panel in the current mode ("候補解析操作パネル", or
// "問題作成操作パネル" with its five extra buttons in the problem-making screen).
std::vector<PanelButtonInfo> ControlPanelButtons();
const char* ControlPanelTitle();
// The digit-input panel "数字入力": 3×3 buttons posting 621..629, captioned with the glyphs.
std::vector<PanelButtonInfo> InputPanelButtons();
// 345: the digit-input panel opens or closes.
void ToggleInputPanel();
// Remembered positions: the control panel has one, the log and usage windows share one;
// the digit-input panel has none (-1: placed by the rule every time).
int32_t RememberedPanelPosition(uint32_t panel);
void RememberPanelPosition(uint32_t panel, int32_t left, int32_t top);
