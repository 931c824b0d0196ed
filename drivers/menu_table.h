// The menu bar, the accelerator keys and the toolbars as data, next to the command table.
// The window builds its menus and toolbars from these tables and turns every key it receives
// into a command id through KeyCommand; what a command does and where it may run is decided by
// RunCommand alone.
#pragma once
#include <cstdint>
#include <string>

// One row of the menu tree, in display order. A row with id 0 and a label opens a submenu
// (its items follow at depth + 1); a row with id 0 and no label is a separator.
struct MenuRow {
  uint32_t depth;     // 0 for the menu bar's own entries
  const char* label;  // exact label, mnemonics included; nullptr for a separator
  uint32_t id;        // the command the item posts, 0 for a submenu or separator
  const char* keyText;  // the accelerator as shown beside the label, or nullptr
};
extern const MenuRow* const kMenuRows;
extern const uint32_t kMenuRowCount;

// Menu items that carry a check mark (the modes and the display toggles).
bool MenuItemCheckable(uint32_t id);

// Whether menu item `id` can be chosen in screen mode `mode`: exactly when its command's gate
// admits the mode, so a greyed item is one whose command would do nothing there and every
// enabled item does something. "メモリ復帰" (880) also needs a stored board.
bool MenuItemEnabled(uint32_t id, uint32_t mode);
// Enable and disable every item of the menu bar and every toolbar button through the platform
// by MenuItemEnabled for the current mode. Only the first call and calls after the mode or the
// memory changed do any work; `force` makes a call work regardless (a new platform at start-up).
void ApplyMenuStates(bool force);

// How a key reaches the accelerator table.
enum KeyKind : uint32_t {
  KeyControl = 0,  // Ctrl + letter, as its character code 1..26
  KeyVirtual = 1,  // a named key (below)
  KeyTyped = 2,    // a typed character
};
enum VirtualKey : uint32_t {
  VkUp = 1, VkDown, VkRight, VkLeft, VkHome, VkPageUp, VkPageDown, VkInsert, VkDelete,
  VkBackspace, VkEnter, VkSpace,
};
struct KeyRow {
  uint32_t kind;
  uint32_t code;  // character code for KeyControl and KeyTyped, VirtualKey for KeyVirtual
  uint32_t id;
};
extern const KeyRow kKeyRows[];
// The command of a key, 0 when the table has none.
uint32_t KeyCommand(uint32_t kind, uint32_t code);

// Toolbars: one per mode group; 0 in a button list is a separator, the list ends at ~0u.
constexpr uint32_t kToolbarEnd = ~0u;
// The toolbar (0 normal, 1 edit, 2 candidate, 3 problem) a screen mode shows.
uint32_t ToolbarForMode(uint32_t mode);
const uint32_t* ToolbarButtons(uint32_t toolbar);
// Tooltip of a toolbar button: the string table's text, else the menu label without its
// mnemonic; empty when there is neither.
std::string ToolbarTip(uint32_t id);
