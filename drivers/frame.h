// The frame's plain logic: screen modes, status bar texts and the window title.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

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
// The technique log (by the display mode) and the candidate control panel (by its setting)
// open with the analysis screens and close with them.
void OpenAnalysisWindows();
void CloseAnalysisWindows();
void ClearTechniqueLog();  // empties the list when the display mode is not 非表示
// Ask an OK/Cancel question; true on OK.
bool AskOkCancel(const std::string& text, const std::string& title);
void ShowMessage(const std::string& text, const std::string& title, uint32_t icon);

extern const char* const kAppTitle;  // "《Kelmo》"

// Start-up state of the frame, run by every front end right after loading the settings:
// mode Normal, the candidate and same-digit displays and the menu checks and enables from
// the settings, cursor (0,0), the blank count in the status bar.
void StartFrame();
// The window's last start-up step: the settings' start folder ("InitialDir") becomes the
// current folder, once; nothing happens when it is empty or missing (returns 0). vorel-cli
// keeps the folder it was started in, since its arguments are relative to it.
uint32_t ApplyStartDirectory();
// One 500 ms timer tick: the transient text of part 0 gives way to the mode label.
void TimerTick();
// Set by "終了" (140): the window would close now.
bool QuitRequested();
// Digit d (0..9) in the current glyph set (UTF-8).
std::string GlyphFor(uint32_t digit);
// The cursor cell's candidate text; n receives CursorDigitCheck's narrowed result.
std::string CursorCandidateText(uint32_t& n);
// Status part 0 for the cursor cell: CursorCandidateText (or "候補無し") while "候補表示" is
// on; otherwise, in the make-problem screen, its label with the digit under the cursor.
void ShowCursorStatus();
// Show the candidate-usage window with view 1..3, opening it when it is closed; view 0
// closes it (and changes nothing when it is closed already).
void ShowUsageView(uint32_t view);
// Refill the candidate-usage list when its window is open.
void FillUsageList();
// Lines of the candidate-usage list for view 1 blocks, 2 columns, 3 rows.
std::vector<std::string> UsageLines(uint32_t view);
// The alternate candidate view as marks: mark[t][c] is set when target cell t (block k for
// digit k+1, the position in the block for a row) shows column c; count[t] marks per cell.
void AlternateViewMarks(uint32_t mark[81][9], uint32_t count[81]);
// The alternate candidate view: nine lines of nine cells.
std::vector<std::string> AlternateViewLines();
// A left click on a cell: the cursor moves there (1), or nothing happens for a point
// outside the board (0).
uint32_t SelectCell(uint32_t row, uint32_t column);
// The digits of the right-click pop-up for the cursor cell (its candidates, from the
// candidate table in the analysis screens and from the values elsewhere); 0 when no pop-up
// opens (the candidate and make-problem screens, a cell without candidates).
uint32_t PopupDigits(uint32_t digits[9]);
// The digit chosen by "同一数値確認" and whether its fill is shown.
uint32_t HighlightDigit();
bool HighlightFill();
