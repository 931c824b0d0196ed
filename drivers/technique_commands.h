// Running techniques as commands: one technique or one group, in the current screen mode.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

using Routine = uint32_t (*)(uint32_t place);

// One technique: in an analysis mode log-only with a status refresh when the total changed;
// in the ordinary screen recompute candidates first and place.
void RunTechniqueCommand(Routine routine);
// The routine behind a technique menu command, or nullptr when it is not available yet.
Routine RoutineForCommand(uint32_t id);
// False for a technique command whose routine is not built yet.
bool CommandAvailable(uint32_t id);

// A panel button and the command it posts.
struct PanelButton {
  uint32_t button;
  uint32_t command;  // 0 ends a table
};
extern const PanelButton kControlPanelButtons[];  // candidate control / problem-making panel
extern const PanelButton kInputPanelButtons[];    // digit-input panel "数字入力"
// The command a button of a panel (PanelControl or PanelInput) posts, 0 when it has none.
uint32_t PanelButtonCommand(uint32_t panel, uint32_t button);
// Press a panel button: its command runs through its gate like a menu choice.
uint32_t PressPanelButton(uint32_t panel, uint32_t button);
// The lines of "候補リスト表示" for a digit 1..9: the label, then the board with strong-link
// cells shown as circled digits.
std::vector<std::string> CandidateListLines(uint32_t digit);
