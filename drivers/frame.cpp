#include "drivers/frame.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "board/candidates.h"
#include "board/platform.h"
#include "board/queue.h"
#include "board/state.h"
#include "drivers/batch.h"
#include "drivers/commands.h"
#include "drivers/generator.h"
#include "drivers/menu_table.h"
#include "drivers/path.h"

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
  if (g.usageView != 0) {  // the two windows share one place
    g.usageView = 0;
    P().ClosePanel(PanelCandidateUsage);
  }
  g.logWindowOpen = 1;
  P().OpenPanel(PanelTechniqueLog);
}

void CloseTechniqueLog() {
  if (!g.logWindowOpen) return;
  g.logWindowOpen = 0;
  P().ClosePanel(PanelTechniqueLog);
}

void OpenAnalysisWindows() {
  OpenTechniqueLog();
  if (g.settings.candCtrl == 1 && !g.controlPanelOpen) {
    g.controlPanelOpen = 1;
    P().OpenPanel(PanelControl);
  }
}

void CloseAnalysisWindows() {
  CloseTechniqueLog();
  // The usage window belongs to the analysis screens as well.
  if (g.usageView != 0) {
    g.usageView = 0;
    P().ClosePanel(PanelCandidateUsage);
  }
  if (g.controlPanelOpen) {
    g.controlPanelOpen = 0;
    P().ClosePanel(PanelControl);
  }
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
  P().Repaint();
  CandidateDisplayOff();
  SetStatus(0, "＜新規作成＞");
  SetStatus(1, "");
  CloseUsageWindow();
}

// 300: toggle the edit mode.
static void ToggleEdit(uint32_t) {
  if (g.screenMode == ModeEdit) {
    g.screenMode = ModeNormal;
    P().MenuCheck(300, false);
    P().ShowToolbar(ModeNormal);
    EmptyCellsBecomeEmptyKind();
    SetStatus(0, "");
    RefreshStatus(1);
    return;
  }
  g.screenMode = ModeEdit;
  P().MenuCheck(300, true);
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
    CloseAnalysisWindows();
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
  OpenAnalysisWindows();
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

// ---------------------------------------------------------------------------------------
// Glyphs, candidate texts and lists.

static const char* const kGlyphTables[6][10] = {
    {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"},
    {"０", "１", "２", "３", "４", "５", "６", "７", "８", "９"},
    {"〇", "一", "二", "三", "四", "五", "六", "七", "八", "九"},
    {"零", "壱", "弐", "参", "肆", "伍", "陸", "漆", "捌", "玖"},
    {"　", "臨", "兵", "闘", "者", "皆", "陣", "列", "在", "前"},
    {"Ⅹ", "Ⅰ", "Ⅱ", "Ⅲ", "Ⅳ", "Ⅴ", "Ⅵ", "Ⅶ", "Ⅷ", "Ⅸ"},
};

// The custom text split into characters (a character outside the basic plane is one glyph).
static std::vector<std::string> SplitGlyphs(const std::string& text) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < text.size()) {
    const uint8_t b = static_cast<uint8_t>(text[i]);
    size_t n = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    if (i + n > text.size()) n = text.size() - i;
    out.push_back(text.substr(i, n));
    i += n;
  }
  return out;
}

std::string GlyphFor(uint32_t digit) {
  if (digit > 9) return "?";
  const int32_t set = g.settings.kanSuuji;
  if (set == 0) return std::to_string(digit);
  if (set >= 1 && set <= 5) return kGlyphTables[set][digit];
  if (g.settings.customGlyph.size() > digit) return g.settings.customGlyph[digit];
  const std::vector<std::string> glyphs = SplitGlyphs(g.settings.customText);
  return digit < glyphs.size() ? glyphs[digit] : std::to_string(digit);
}

// The candidate text uses the full-width digits where the board uses plain ones.
static std::string CandidateGlyph(uint32_t digit) {
  return g.settings.kanSuuji == 0 ? kGlyphTables[1][digit] : GlyphFor(digit);
}

std::string CursorCandidateText(uint32_t& n) {
  n = CursorDigitCheck(1);
  if (n == 0) return "ミスがあるため候補が見つかりません";
  std::string text = "<";
  bool any = false;
  for (uint32_t d = 1; d <= 9; ++d) {
    if (g.cursorAllowed[d] != 1) continue;
    text += CandidateGlyph(d);
    text += ' ';
    any = true;
  }
  if (any) text.back() = '>';
  return text;
}

// Status part 0 for the cursor cell: its candidates while "候補表示" is on, else the
// make-problem label with the solution digit under the cursor.
void ShowCursorStatus() {
  if (!g.candidateDisplay) {
    if (g.screenMode == ModeMakeProblem) SetStatus(0, ModeLabel());
    return;
  }
  if (g.board.value[CursorCell()] != 0) {
    SetStatus(0, "候補無し");
    return;
  }
  uint32_t n = 0;
  const std::string text = CursorCandidateText(n);
  SetStatus(0, text.empty() ? "候補無し" : text);
}

static const char* const kUsageSeparator = "－－－＋－－－＋－－－";

std::vector<std::string> UsageLines(uint32_t view) {
  std::vector<std::string> lines;
  if (view < 1 || view > 3) return lines;
  const uint32_t type = view == 1 ? 2 : view == 2 ? 1 : 0;
  for (uint32_t u = 0; u < 9; ++u) {
    bool present[10] = {false};
    for (uint32_t k = 0; k < 9; ++k) {
      const uint32_t v = g.board.value[UnitCell(type, u, k)];
      if (v >= 1 && v <= 9) present[v] = true;
    }
    std::string line;
    for (uint32_t d = 1; d <= 9; ++d) {
      line += present[d] ? "□" : GlyphFor(d);
      if (d == 3 || d == 6) line += "｜";
    }
    lines.push_back(line);
    if (u == 2 || u == 5) lines.push_back(kUsageSeparator);
  }
  return lines;
}

void FillUsageList() {
  if (g.usageView == 0) return;
  P().ListContents("候補使用状況", UsageLines(g.usageView));
}

void AlternateViewMarks(uint32_t mark[81][9], uint32_t count[81]) {
  // Block k stands for digit k+1, the position inside the block for a board row, and the
  // marks for the columns where that digit may still go in that row.
  std::memset(mark, 0, sizeof(uint32_t) * 81 * 9);
  std::memset(count, 0, sizeof(uint32_t) * 81);
  for (uint32_t k = 0; k < 9; ++k)
    for (uint32_t r = 0; r < 9; ++r)
      for (uint32_t c = 0; c < 9; ++c) {
        const uint32_t cell = CellAt(r, c);
        if (g.cand.count[cell] == 0 || !g.cand.flag[cell * 9 + k]) continue;
        const uint32_t target = CellAt(3 * (k / 3) + r / 3, 3 * (k % 3) + r % 3);
        mark[target][c] = 1;
        ++count[target];
      }
}

std::vector<std::string> AlternateViewLines() {
  uint32_t mark[81][9];
  uint32_t count[81];
  AlternateViewMarks(mark, count);
  std::vector<std::string> lines;
  for (uint32_t r = 0; r < 9; ++r) {
    std::string line;
    for (uint32_t c = 0; c < 9; ++c) {
      if (c) line += c % 3 == 0 ? " | " : " ";
      const uint32_t target = CellAt(r, c);
      if (count[target] == 0) {
        line += ".";
        continue;
      }
      for (uint32_t m = 0; m < 9; ++m)
        if (mark[target][m]) line += static_cast<char>('1' + m);
    }
    lines.push_back(line);
  }
  return lines;
}

// ---------------------------------------------------------------------------------------
// Marking displays (single candidates, fill, confirmed digits): the kinds are saved first
// and come back when the next command runs.


uint32_t HighlightDigit() { return g.highlightDigit; }
bool HighlightFill() { return g.highlightFill; }
bool QuitRequested() { return g.quitRequested; }

static void EndMarks() {
  if (!g.marksShown) return;
  g.marksShown = false;
  // Only cells still showing a mark go back: a board read in between keeps its own kinds.
  for (uint32_t c = 0; c < 81; ++c)
    if (g.board.kind[c] == KindMarked) g.board.kind[c] = g.kindBackup[c];
  P().Repaint();
}

static void BeginMarks() {
  EndMarks();
  std::memcpy(g.kindBackup, g.board.kind, sizeof g.kindBackup);
  g.marksShown = true;
}

static bool IsSingleCandidateCell(uint32_t c) {
  if (g.board.value[c] != 0) return false;
  if (IsAnalysisMode()) return g.cand.count[c] == 1;
  uint32_t allowed[10];
  return AllowedByValues(c, allowed) == 1;
}

// 820
static void MarkSingleCandidates(uint32_t) {
  BeginMarks();
  uint32_t n = 0;
  for (uint32_t c = 0; c < 81; ++c)
    if (IsSingleCandidateCell(c)) {
      g.board.kind[c] = KindMarked;
      ++n;
    }
  P().Repaint();
  SetStatus(0, Format("単体候補は%u個あります", n));
}

// Repaint what a cursor move changes: the old and the new cell and, with the same-digit
// display on, the cells holding the old or the new cursor's digit.
static void RepaintCursorMove(uint32_t from) {
  const uint32_t to = CursorCell();
  P().RepaintCell(from);
  P().RepaintCell(to);
  if (!g.sameDigitDisplay) return;
  const uint32_t a = g.board.value[from], b = g.board.value[to];
  for (uint32_t c = 0; c < 81; ++c) {
    const uint32_t v = g.board.value[c];
    if (v != 0 && (v == a || v == b) && c != from && c != to) P().RepaintCell(c);
  }
}

static void MoveCursorTo(uint32_t cell) {
  const uint32_t from = CursorCell();
  g.cursorRow = RowOf(cell);
  g.cursorColumn = ColumnOf(cell);
  RepaintCursorMove(from);
  ShowCursorStatus();
}

// 822 first, 3010 next, 3020 previous single-candidate cell (the search wraps round).
static void JumpToSingle(uint32_t id) {
  const uint32_t here = CursorCell();
  for (uint32_t step = 1; step <= 81; ++step) {
    uint32_t c;
    if (id == 822)
      c = step - 1;
    else if (id == 3010)
      c = (here + step) % 81;
    else
      c = (here + 81 * 2 - step) % 81;
    if (IsSingleCandidateCell(c)) {
      MoveCursorTo(c);
      return;
    }
  }
}

// Texts that show a digit: plain decimal in set 0, the glyph otherwise.
static std::string DigitText(const char* decimal, const char* glyph, uint32_t d, uint32_t n,
                             bool withCount) {
  if (g.settings.kanSuuji == 0)
    return withCount ? Format(decimal, d, n) : Format(decimal, d);
  const std::string gl = GlyphFor(d);
  return withCount ? Format(glyph, gl.c_str(), n) : Format(glyph, gl.c_str());
}

// 1200: the empty cells where the cursor's digit can still go.
static void FillPossible(uint32_t) {
  const uint32_t d = g.board.value[CursorCell()];
  if (d == 0) return;
  BeginMarks();
  bool sees[81] = {false};
  for (uint32_t c = 0; c < 81; ++c) {
    if (g.board.value[c] != d) continue;
    for (uint32_t p : Peers[c]) sees[p] = true;
  }
  for (uint32_t c = 0; c < 81; ++c)
    if (g.board.value[c] == 0 && !sees[c]) g.board.kind[c] = KindMarked;
  P().Repaint();
  SetStatus(0, DigitText("%u を入力可能な箇所を塗りつぶしました",
                         "%s を入力可能な箇所を塗りつぶしました", d, 0, false));
}

// 1205: the cells holding the cursor's digit.
static void ShowConfirmed(uint32_t) {
  const uint32_t d = g.board.value[CursorCell()];
  if (d == 0) return;
  BeginMarks();
  for (uint32_t c = 0; c < 81; ++c)
    if (g.board.value[c] == d) g.board.kind[c] = KindMarked;
  P().Repaint();
  SetStatus(0, DigitText("%u が確定している箇所を表示しました",
                         "%s が確定している箇所を表示しました", d, 0, false));
}

// 740: how many cells hold the cursor's digit.
static void CountSameDigit(uint32_t) {
  const uint32_t d = g.board.value[CursorCell()];
  if (d == 0) return;
  uint32_t n = 0;
  for (uint32_t c = 0; c < 81; ++c) n += g.board.value[c] == d;
  g.highlightDigit = d;
  g.highlightFill = true;
  P().Repaint();
  std::string text;
  if (g.settings.kanSuuji == 6)
    text = Format("%s　は%u個あります", GlyphFor(d).c_str(), n);
  else
    text = DigitText("「%u」は%u個あります", "「%s」は%u個あります", d, n, true);
  ShowMessage(text, "同一数値確認", IconInformation);
}

// ---------------------------------------------------------------------------------------
// Cursor, digits and cell edits.

static bool EditingMode() {
  return g.screenMode == ModeNewCreation || g.screenMode == ModeEdit;
}

static void CursorKey(uint32_t id) {
  uint32_t r = g.cursorRow, c = g.cursorColumn;
  const bool wrap = EditingMode() && g.settings.csrMove == 1;
  const bool clamp = EditingMode() && g.settings.csrMove != 1;
  switch (id) {
    case 2620:
      if (r > 0) --r; else if (wrap) r = 8; else if (!clamp) return;
      break;
    case 2630:
      if (r < 8) ++r; else if (wrap) r = 0; else if (!clamp) return;
      break;
    case 2640:
      if (c < 8) ++c;
      else if (wrap) { c = 0; r = r == 8 ? 0 : r + 1; }
      else if (!clamp) return;
      break;
    case 2650:
      if (c > 0) --c;
      else if (wrap) { c = 8; r = r == 0 ? 8 : r - 1; }
      else if (!clamp) return;
      break;
    default: return;
  }
  const uint32_t from = CursorCell();
  g.cursorRow = r;
  g.cursorColumn = c;
  RepaintCursorMove(from);
  ShowCursorStatus();
}

static void AdvanceCursor() {
  if (++g.cursorColumn == 9) {
    g.cursorColumn = 0;
    g.cursorRow = g.cursorRow == 8 ? 0 : g.cursorRow + 1;
  }
}

static void EmptyCell(uint32_t c) {
  g.board.value[c] = 0;
  g.board.kind[c] = KindEmpty;
}

static void PushCellUndo(uint32_t c) {
  UndoPush(c, g.board.value[c] * 256 + g.board.kind[c]);
}

// 621..629
static void DigitEntry(uint32_t id) {
  const uint32_t d = id - 620;
  const uint32_t cell = CursorCell();
  switch (g.screenMode) {
    case ModeNormal: {
      const uint32_t kind = g.board.kind[cell];
      if (g.board.value[cell] != 0 && kind != KindInput && kind != KindAssumed) return;
      if (!AcceptTypedDigit(d)) {
        ShowMessage("それで良いのですか？", "確認", IconExclamation);
        return;
      }
      break;
    }
    case ModeProblemInput: {
      const uint32_t saved = g.board.value[cell] * 256 + g.board.kind[cell];
      if (!AcceptTypedDigit(d)) {
        ShowMessage("それで良いのですか？", "確認", IconExclamation);
        return;
      }
      // A digit typed here is part of the problem.
      g.board.kind[cell] = KindGiven;
      UndoPush(cell, saved);
      AutoLimit();
      break;
    }
    case ModeNewCreation:
    case ModeEdit:
      if (g.screenMode == ModeEdit) {
        PushCellUndo(cell);
        g.editStartFlag = 0;
      }
      g.board.value[cell] = d;
      g.board.kind[cell] = KindGiven;
      break;
    default: return;
  }
  P().Repaint();
  if (g.screenMode != ModeProblemInput && CountFilled() == 81)
    SetStatus(1, CheckComplete() ? "完了です" : "空白は有りませんが…");
  if (g.settings.csrMove == 1) AdvanceCursor();
  ShowCursorStatus();
}

// 620 and 720
static void ZeroKey(uint32_t) {
  const uint32_t cell = CursorCell();
  switch (g.screenMode) {
    case ModeNormal:
      if (g.board.kind[cell] == KindInput || g.board.kind[cell] == KindAssumed) EmptyCell(cell);
      break;
    case ModeNewCreation: EmptyCell(cell); break;
    case ModeEdit:
      PushCellUndo(cell);
      g.editStartFlag = 0;
      EmptyCell(cell);
      break;
    case ModeProblemInput:
      PushCellUndo(cell);
      EmptyCell(cell);
      RunCommand(950);
      break;
    case ModeMakeProblem: ToggleGiven(); break;
    default: return;
  }
  P().Repaint();
  ShowCursorStatus();
}

// 750: back one cell and empty it.
static void BackspaceKey(uint32_t) {
  if (g.settings.csrMove != 1) return;
  if (g.cursorColumn > 0) {
    --g.cursorColumn;
  } else {
    g.cursorColumn = 8;
    g.cursorRow = g.cursorRow == 0 ? 8 : g.cursorRow - 1;
  }
  EmptyCell(CursorCell());
  P().Repaint();
}

// The order 970 and 980 shift cells in: row by row, or block by block with the box layout.
static uint32_t ShiftOrder(uint32_t position) {
  return g.settings.clipboardPattern == 1 ? BlockOrder[position] : position;
}

static uint32_t CursorPosition() {
  const uint32_t cell = CursorCell();
  for (uint32_t i = 0; i < 81; ++i)
    if (ShiftOrder(i) == cell) return i;
  return cell;
}

static void CopyCell(uint32_t to, uint32_t from) {
  g.board.value[to] = g.board.value[from];
  g.board.kind[to] = g.board.kind[from];
}

// 970: insert an empty cell at the cursor; the last cell drops out.
static void InsertCell(uint32_t) {
  const uint32_t pos = CursorPosition();
  for (uint32_t i = 80; i > pos; --i) CopyCell(ShiftOrder(i), ShiftOrder(i - 1));
  EmptyCell(ShiftOrder(pos));
  P().Repaint();
}

// 980: remove the cursor cell; the last cell becomes empty.
static void DeleteCell(uint32_t) {
  const uint32_t pos = CursorPosition();
  for (uint32_t i = pos; i < 80; ++i) CopyCell(ShiftOrder(i), ShiftOrder(i + 1));
  EmptyCell(ShiftOrder(80));
  P().Repaint();
}

// 350: input and assumed digits become givens; 360: automatic digits become givens.
static void MakeGivens(uint32_t id) {
  for (uint32_t c = 0; c < 81; ++c) {
    if (g.board.value[c] == 0) continue;
    const uint32_t k = g.board.kind[c];
    const bool take = id == 350 ? (k == KindInput || k == KindAssumed) : (k >= 1 && k <= 4);
    if (take) g.board.kind[c] = KindGiven;
  }
  RefreshStatus(0);
  UndoClear();
}

// 615: automatic digits become input digits.
static void AutomaticToInput(uint32_t) {
  for (uint32_t c = 0; c < 81; ++c)
    if (g.board.kind[c] == KindAuto) g.board.kind[c] = KindInput;
  RefreshStatus(0);
}

// 1232: undo one entry of the edit, make-problem or problem-input screen.
static void UndoOneEntry(uint32_t) {
  if (g.undo.length == 0) return;
  --g.undo.length;
  const uint32_t cell = g.undo.entry[g.undo.length][0] & 0xFF;
  const uint32_t word = g.undo.entry[g.undo.length][1];
  if (cell >= 81) return;
  if (g.screenMode == ModeMakeProblem) {
    if (word == 1) {
      EmptyCell(cell);
    } else {
      g.board.value[cell] = g.solution[cell];
      g.board.kind[cell] = KindGiven;
    }
    ComputeCandidates();
  } else {
    g.board.value[cell] = word / 256 <= 9 ? word / 256 : 0;
    g.board.kind[cell] = word % 256;
    if (g.screenMode == ModeProblemInput) ComputeCandidates();
  }
  RefreshStatus(3);
}

// 260
static void CandidateCheck(uint32_t) {
  uint32_t n = 0;
  std::string text = CursorCandidateText(n);
  if (n == 0) return;
  if (n == 1) {
    static const char* const kReason[3] = {"=(Sell Unique)", "=(Block Unique)", "=(Line Unique)"};
    text += kReason[g.forcedReason < 3 ? g.forcedReason : 0];
  }
  ShowMessage(text, "候補一覧", IconExclamation);
}

// 280
static void ToggleCandidateDisplay(uint32_t) {
  g.candidateDisplay = g.candidateDisplay ? 0 : 1;
  g.settings.display = static_cast<int32_t>(g.candidateDisplay);
  P().MenuCheck(280, g.candidateDisplay != 0);
  if (g.candidateDisplay)
    ShowCursorStatus();
  else
    SetStatus(0, ModeLabel());
}

// 825
static void ToggleSameDigit(uint32_t) {
  g.sameDigitDisplay = g.sameDigitDisplay ? 0 : 1;
  g.settings.dispSameNumb = static_cast<int32_t>(g.sameDigitDisplay);
  P().MenuCheck(825, g.sameDigitDisplay != 0);
  P().Repaint();
}

// 730
static void CycleGlyphSet(uint32_t) {
  g.settings.kanSuuji = (g.settings.kanSuuji + 1) % 7;
  P().Repaint();
  FillUsageList();
  ShowCursorStatus();
}

// 2060: the window shows the mode's toolbar, or none, by the setting.
static void ToggleToolbar(uint32_t) {
  g.settings.toolBar = g.settings.toolBar ? 0 : 1;
  P().MenuCheck(2060, g.settings.toolBar != 0);
  P().ShowToolbar(g.screenMode);
  P().Repaint();
}

void ShowUsageView(uint32_t view) {
  if (view > 3) return;
  const uint32_t was = g.usageView;
  g.usageView = view;
  if (view == 0) {
    if (was != 0) P().ClosePanel(PanelCandidateUsage);
    return;
  }
  if (was == 0) {
    // The usage window takes the technique log's place: one of the two is open at a time.
    CloseTechniqueLog();
    P().OpenPanel(PanelCandidateUsage);
  }
  FillUsageList();
}

// 1160: closed -> blocks -> columns -> rows -> closed.
static void CycleUsageView(uint32_t) { ShowUsageView((g.usageView + 1) % 4); }

// 1242
static void ToggleAlternateView(uint32_t) {
  g.alternateView = g.alternateView ? 0 : 1;
  if (g.alternateView) P().ListContents("代替候補表示", AlternateViewLines());
  RefreshStatus(2);
}

// 840: sole candidates become automatic digits, then the candidate screen is left.
static void ApplyResult(uint32_t) {
  for (uint32_t c = 0; c < 81; ++c) {
    if (g.board.value[c] != 0 || g.cand.count[c] != 1) continue;
    for (uint32_t d = 0; d < 9; ++d)
      if (g.cand.flag[c * 9 + d]) {
        g.board.value[c] = d + 1;
        g.board.kind[c] = KindAuto;
      }
  }
  ToggleCandidateScreen(310);
}

static void Quit(uint32_t) { g.quitRequested = true; }

static void DialogOnly(uint32_t id) {
  const char* name = "";
  switch (id) {
    case 130: name = "設定変更"; break;
    case 160: name = "Vorelのバージョン情報"; break;
    case 170: case 180: case 190: name = "文字Font"; break;
    case 290: name = "設定の変更"; break;
    case 345: name = "数字入力"; break;
    case 1190: name = "画面の編集"; break;
    case 1241: name = "第二表示色設定"; break;
    case 3000: name = "保存ファイル名自動生成"; break;
    case 3030: name = "色変更"; break;
    default: break;
  }
  P().Dialog(id, name);
}

// 340: toggle the problem-input screen.
static void ToggleProblemInput(uint32_t) {
  if (g.screenMode == ModeProblemInput) {
    g.screenMode = ModeNormal;
    P().ShowToolbar(ModeNormal);
    P().MenuCheck(340, false);
    SetStatus(0, "");
    RefreshStatus(1);
    EmptyCellsBecomeEmptyKind();
    CloseAnalysisWindows();
    g.acceptDrops = 1;
    return;
  }
  CloseUsageWindow();
  if (g.inputPanelOpen) {
    g.inputPanelOpen = 0;
    P().ClosePanel(PanelInput);
  }
  g.acceptDrops = 0;
  g.screenMode = ModeProblemInput;
  P().MenuCheck(340, true);
  // The digits on the board are the problem.
  for (uint32_t c = 0; c < 81; ++c) g.board.kind[c] = g.board.value[c] ? KindGiven : KindEmpty;
  ComputeCandidates();
  SetStatus(0, "＜問題の入力＞");
  RefreshStatus(3);
  UndoClear();
  OpenAnalysisWindows();
  P().ShowToolbar(ModeProblemInput);
}

// Both front ends run this once the settings are loaded (vorel-cli again for every fresh
// board of --repeat and --each).
void StartFrame() {
  g.screenMode = ModeNormal;
  g.candidateDisplay = g.settings.display ? 1 : 0;
  g.sameDigitDisplay = g.settings.dispSameNumb ? 1 : 0;
  P().MenuCheck(2060, g.settings.toolBar != 0);
  P().MenuCheck(280, g.candidateDisplay != 0);
  P().MenuCheck(825, g.sameDigitDisplay != 0);
  // Every menu item is enabled exactly in the modes its command runs in.
  ApplyMenuStates(true);
  if (g.settings.toolBar) P().ShowToolbar(ModeNormal);
  g.cursorRow = g.cursorColumn = 0;
  RefreshStatus(1);
}

uint32_t ApplyStartDirectory() {
  const std::string& dir = g.settings.initialDir;
  std::error_code ec;
  if (dir.empty() || !std::filesystem::is_directory(dir, ec)) return 0;
  std::filesystem::current_path(dir, ec);
  return ec ? 0 : 1;
}

void TimerTick() {
  if (g.messageCountdown != 0 && --g.messageCountdown == 0) {
    if (g.screenMode == ModeProblemInput)
      SetStatus(0, "＜問題の入力＞");
    else if (g.screenMode == ModeCandidateScreen)
      SetStatus(0, "＜候補表示画面＞");
    else
      SetStatus(0, "");
  }
  P().DrainMessages();
}

static void NoAction(uint32_t) {}

constexpr uint32_t kDigitGate = GateNormal | GateNew | GateEdit | GateInput;
constexpr uint32_t kMarkGate = GateNormal | GateMake | GateInput;

const CommandEntry kFrameCommands[] = {
    {130, GateAll, DialogOnly},
    {140, GateAll, Quit},
    {160, GateAll, DialogOnly},
    {170, GateAll, DialogOnly},
    {180, GateAll, DialogOnly},
    {190, GateAll, DialogOnly},
    {240, GateNormal | GateNew, ToggleNewCreation},
    {260, GateNormal | GateEdit | GateMake | GateInput, CandidateCheck},
    {280, GateNormal | GateMake | GateInput, ToggleCandidateDisplay},
    {290, GateAll & ~GateCandidate, DialogOnly},
    {300, GateNormal | GateEdit, ToggleEdit},
    {310, GateNormal | GateNew | GateCandidate, ToggleCandidateScreen},
    {340, GateNormal | GateInput, ToggleProblemInput},
    {345, GateAll, DialogOnly},
    {350, GateEdit, MakeGivens},
    {360, GateEdit, MakeGivens},
    {380, GateNormal, NormalSingles},
    {390, GateNormal, NormalSingles},
    {400, GateNormal, NormalSingles},
    {410, GateNormal | GateCandidate | GateMake | GateInput, CompletionCommand},
    {615, GateNormal | GateMake, AutomaticToInput},
    {620, GateAll & ~GateCandidate, ZeroKey},
    {621, kDigitGate, DigitEntry},
    {622, kDigitGate, DigitEntry},
    {623, kDigitGate, DigitEntry},
    {624, kDigitGate, DigitEntry},
    {625, kDigitGate, DigitEntry},
    {626, kDigitGate, DigitEntry},
    {627, kDigitGate, DigitEntry},
    {628, kDigitGate, DigitEntry},
    {629, kDigitGate, DigitEntry},
    {720, GateAll & ~GateCandidate, ZeroKey},
    {730, GateAll, CycleGlyphSet},
    {740, GateAll, CountSameDigit},
    {750, GateNew | GateEdit, BackspaceKey},
    {820, GateAll, MarkSingleCandidates},
    {822, GateAll, JumpToSingle},
    {825, GateAll, ToggleSameDigit},
    {830, GateAll, NoAction},
    {840, GateCandidate, ApplyResult},
    {970, GateNew | GateEdit, InsertCell},
    {980, GateNew | GateEdit, DeleteCell},
    {1000, GateAll, NoAction},
    {1160, GateAll, CycleUsageView},
    {1190, GateAll, DialogOnly},
    {1200, kMarkGate, FillPossible},
    {1205, kMarkGate, ShowConfirmed},
    {1232, GateEdit | GateMake | GateInput, UndoOneEntry},
    {1241, GateAll, DialogOnly},
    {1242, GateCandidate, ToggleAlternateView},
    {2060, GateNormal | GateEdit | GateInput, ToggleToolbar},
    {2620, GateAll, CursorKey},
    {2630, GateAll, CursorKey},
    {2640, GateAll, CursorKey},
    {2650, GateAll, CursorKey},
    {3000, GateAll, DialogOnly},
    {3010, GateAll, JumpToSingle},
    {3020, GateAll, JumpToSingle},
    {3030, GateAll, DialogOnly},
    {0, 0, nullptr},
};

static const CommandEntry* const kCommandTables[] = {
    kFrameCommands, kTechniqueCommands, kReadCommands,     kWriteCommands,
    kEditCommands,  kGeneratorCommands, kPathCommands,     kRungCommands, nullptr,
};

const CommandEntry* FindCommand(uint32_t id) {
  for (const CommandEntry* const* t = kCommandTables; *t; ++t)
    for (const CommandEntry* e = *t; e->id; ++e)
      if (e->id == id) return e;
  return nullptr;
}

// The fill of "同一数値確認" lasts until the user does something else.
static void EndFill() {
  if (!g.highlightFill) return;
  g.highlightFill = 0;
  P().Repaint();
}

uint32_t RunCommand(uint32_t id) {
  const CommandEntry* e = FindCommand(id);
  if (!e) return CommandUnknown;
  if (!(e->gate & GateOf(g.screenMode))) return CommandRefused;
  // A marking display ends with the next command (the marking commands start a new one).
  EndMarks();
  EndFill();
  e->action(id);
  ForgetStaleNextStep();
  ApplyMenuStates(false);
  return CommandDone;
}

uint32_t SelectCell(uint32_t row, uint32_t column) {
  if (row > 8 || column > 8) return 0;
  EndFill();
  MoveCursorTo(CellAt(row, column));
  return 1;
}

uint32_t PopupDigits(uint32_t digits[9]) {
  if (g.screenMode == ModeMakeProblem || g.screenMode == ModeCandidateScreen) return 0;
  const uint32_t cell = CursorCell();
  uint32_t n = 0;
  if (IsAnalysisMode()) {
    if (g.cand.count[cell] == 0) return 0;
    for (uint32_t d = 0; d < 9; ++d)
      if (g.cand.flag[cell * 9 + d]) digits[n++] = d + 1;
    return n;
  }
  if (g.board.value[cell] != 0) return 0;
  uint32_t allowed[10];
  AllowedByValues(cell, allowed);
  for (uint32_t d = 1; d <= 9; ++d)
    if (allowed[d]) digits[n++] = d;
  return n;
}
