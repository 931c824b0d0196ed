// Dialogs and panels of the window. The settings they change and the commands they post are
// the engine's; these only lay out the controls and wire them.
#pragma once
#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

// Modal dialogs by command id: 130, 160 (About), 170/180/190, 290, 1150, 1190, 1241, 3000, 3030.
void RunDialog(uint32_t id, QWidget* mainWindow);
// Modeless panels: PanelControl (the candidate control panel, or the problem-making panel in
// the make-problem screen), PanelInput ("数字入力"), PanelCandidateUsage ("候補使用状況").
// The caller shows, places and deletes it; nullptr when there is no such panel.
QWidget* CreatePanel(uint32_t panel, QWidget* mainWindow);
// The digit-input panel's captions and font from the glyph set and the candidate font of the
// moment (nothing when the panel is closed or already shows them).
void RefreshInputPanel(QWidget* mainWindow);
// New contents for a panel's list (the candidate usage list).
void FillPanelList(QWidget* panel, const std::vector<std::string>& lines);
