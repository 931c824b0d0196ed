// The frame's plain logic: screen modes, status bar texts and the window title.
#pragma once
#include <cstdint>
#include <string>

// StatusView: 0 repaint only; 1 "空白残り[%d]"; 2 "全候補数[%d]"; 3 "問題数[%d]" (and the
// make-problem label in part 0).
void RefreshStatus(uint32_t kind);
void SetStatus(uint32_t part, const std::string& text);
void SetTitle(const std::string& text);
// "《Kelmo》 - name" with the folder and a trailing ".txt" (any case) removed.
std::string TitleForFile(const std::string& path);
std::string BaseName(const std::string& path);
std::string ModeLabel();
void OpenTechniqueLog();
void CloseTechniqueLog();
void ClearTechniqueLog();  // empties the list when the display mode is not 非表示
// Ask an OK/Cancel question; true on OK.
bool AskOkCancel(const std::string& text, const std::string& title);
void ShowMessage(const std::string& text, const std::string& title, uint32_t icon);

extern const char* const kAppTitle;  // "《Kelmo》"
