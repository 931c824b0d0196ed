#include "board/state.h"

#include <cstring>

#include "board/candidates.h"
#include "board/queue.h"

AppState g;

const uint32_t BlockOrder[81] = {
    0,  1,  2,  9,  10, 11, 18, 19, 20, 3,  4,  5,  12, 13, 14, 21, 22, 23, 6,  7,  8,
    15, 16, 17, 24, 25, 26, 27, 28, 29, 36, 37, 38, 45, 46, 47, 30, 31, 32, 39, 40, 41,
    48, 49, 50, 33, 34, 35, 42, 43, 44, 51, 52, 53, 54, 55, 56, 63, 64, 65, 72, 73, 74,
    57, 58, 59, 66, 67, 68, 75, 76, 77, 60, 61, 62, 69, 70, 71, 78, 79, 80};

uint32_t Peers[81][20];

void InitGeometry() {
  static bool done = false;
  if (done) return;
  done = true;
  for (uint32_t c = 0; c < 81; ++c) {
    uint32_t n = 0;
    auto add = [&](uint32_t p) {
      if (p == c) return;
      for (uint32_t i = 0; i < n; ++i)
        if (Peers[c][i] == p) return;
      Peers[c][n++] = p;
    };
    for (uint32_t k = 0; k < 9; ++k) add(CellAt(RowOf(c), k));
    for (uint32_t k = 0; k < 9; ++k) add(CellAt(k, ColumnOf(c)));
    for (uint32_t k = 0; k < 9; ++k) add(BlockCell(BlockOf(c), k));
  }
}

static void StandardPalette(uint32_t out[16]) {
  // Index i < 8: 0x80 per set bit (bit 0 blue, 1 green, 2 red); 8 light grey; 9..15 as 1..7 with 0xFF.
  for (uint32_t i = 0; i < 16; ++i) {
    uint32_t level = i < 8 ? 0x80 : 0xFF;
    uint32_t bits = i & 7;
    if (i == 8) {
      out[i] = 0xC0C0C0;
      continue;
    }
    uint32_t rgb = 0;
    if (bits & 1) rgb |= level << 16;  // blue
    if (bits & 2) rgb |= level << 8;   // green
    if (bits & 4) rgb |= level;        // red
    out[i] = rgb;
  }
}

void ApplyDefaultSettings(Settings& s) {
  s.winLeft = 0;
  s.winTop = 0;
  s.winWidth = 0;
  s.winHigh = 0;
  // Automatic digits and candidates in blue (8.6:1 on the white background; the yellow of old
  // could not be read), and marks in cyan, which stands out from the white and under which
  // every digit colour stays readable (the white of old painted marks invisible).
  s.bgc = 15; s.line = 0; s.line2 = 9; s.number = 0; s.input = 13; s.calc = 9; s.kari = 12;
  s.number2 = 11; s.cursor = 10;
  s.bgc2 = 15; s.ruledLine1 = 0; s.ruledLine2 = 7; s.problemNumber = 0; s.inputNumber = 1;
  s.autoNumber = 9; s.assumeNumber = 12; s.cursor2 = 15; s.confirm = 2;
  StandardPalette(s.baseColor);
  s.display = 0; s.fontSize2 = 12; s.fontWeight2 = 0; s.fontItalic2 = 0;
  s.fontSize = 16; s.fontWeight = 0; s.fontItalic = 0;
  s.fontSize3 = -30; s.fontWeight3 = 0; s.fontItalic3 = 0;
  s.toolBar = 1; s.csrMove = 1; s.candErase = 0; s.kanSuuji = 0; s.candCtrl = 0;
  s.dispSameNumb = 0; s.clipboardPattern = 0; s.kohoDisplayMode = 0;
  s.autoSaveFileNameFlag = 0; s.autoSaveCount = 0; s.autoSaveDigit = 3; s.maltiCount = 0;
  s.saveFormat = 0; s.copySaveMode = 0;
  s.fontName2 = "ＭＳ ゴシック";
  s.fontName = "ＭＳ ゴシック";
  s.customText = "　いろはにほてとちりぬ";
  s.initialDir.clear();
  s.autoSaveFileName = "SaveFile";
  s.customGlyph.clear();
}

void ResetStartupState() {
  InitGeometry();
  Settings keep = g.settings;
  std::string exeDir = g.exeDir;
  g.problemFile.data.clear();
  g.problemFile.data.shrink_to_fit();
  ProblemFileBuffer emptyBuffer{};
  g.problemFile = emptyBuffer;
  g.title.clear();
  g.status0.clear();
  g.status1.clear();
  // Plain tables: zero everything.
  std::memset(&g.board, 0, sizeof g.board);
  std::memset(&g.cand, 0, sizeof g.cand);
  ForgetUnitHolders();
  // The queue, the undo log and the board memory are read only below their length or while
  // present: emptying them is enough, and leaves the pages a run never uses untouched.
  ResetQueue();
  g.silentRuns.used = 0;  // the slots are claimed afresh; a slot's flag is cleared when claimed
  g.undo.length = 0;
  g.memory.present = 0;
  g.memory.origin = 0;
  std::memset(g.solution, 0, sizeof g.solution);
  std::memset(g.maskTable, 0, sizeof g.maskTable);
  std::memset(g.kindBackup, 0, sizeof g.kindBackup);
  std::memset(g.valueBackup, 0, sizeof g.valueBackup);
  std::memset(g.editStartKinds, 0, sizeof g.editStartKinds);
  for (uint32_t i = 0; i < 10; ++i) g.cursorAllowed[i] = 0;
  g.cursorRow = g.cursorColumn = 0;
  g.forcedReason = 0;
  g.hintMarkCount = 0;
  g.textEncoding = 0;
  g.screenMode = ModeNormal;
  g.savedTotal = 0;
  g.editStartFlag = 0;
  g.candidateDisplay = 0;
  g.sameDigitDisplay = 0;
  g.alternateView = 0;
  g.usageView = 0;
  g.inputPanelOpen = 0;
  g.logWindowOpen = 0;
  g.controlPanelOpen = 0;
  g.acceptDrops = 1;
  g.messageCountdown = 0;
  g.secondColourSet = 0;
  g.marksShown = 0;
  g.highlightDigit = 0;
  g.highlightFill = 0;
  g.quitRequested = 0;
  g.menuStateKey = 0;
  g.controlPanelPosition = -1;
  g.logWindowPosition = -1;
  g.chooserColour = 0;
  std::memset(&g.editSession, 0, sizeof g.editSession);
  // The generator's erase-mode cycle belongs to the run, not to the board: it is kept.
  g.settings = keep;
  g.exeDir = exeDir;
  for (uint32_t r = 0; r < 9; ++r)
    for (uint32_t c = 0; c < 9; ++c) {
      g.board.value[r * 9 + c] = c + 1;
      g.board.kind[r * 9 + c] = KindGiven;
    }
}

uint32_t AllowedByValues(uint32_t cell, uint32_t allowed[10]) {
  for (uint32_t d = 0; d < 10; ++d) allowed[d] = 1;
  const uint32_t r = RowOf(cell), c = ColumnOf(cell), b = BlockOf(cell);
  for (uint32_t k = 0; k < 9; ++k) {
    uint32_t v = g.board.value[CellAt(r, k)];
    if (v >= 1 && v <= 9) allowed[v] = 0;
    v = g.board.value[CellAt(k, c)];
    if (v >= 1 && v <= 9) allowed[v] = 0;
    v = g.board.value[BlockCell(b, k)];
    if (v >= 1 && v <= 9) allowed[v] = 0;
  }
  uint32_t n = 0;
  for (uint32_t d = 1; d <= 9; ++d) n += allowed[d];
  return n;
}

uint32_t CountFilled() {
  uint32_t n = 0;
  for (uint32_t c = 0; c < 81; ++c) n += g.board.value[c] != 0;
  return n;
}

uint32_t CountGivens() {
  uint32_t n = 0;
  for (uint32_t c = 0; c < 81; ++c) n += g.board.value[c] != 0 && g.board.kind[c] == KindGiven;
  return n;
}

void ClearBoard() {
  for (uint32_t c = 0; c < 81; ++c) {
    g.board.value[c] = 0;
    g.board.kind[c] = KindEmpty;
  }
}

void UndoPush(uint32_t word0, uint32_t word1) {
  if (g.undo.length >= kUndoCapacity) return;
  g.undo.entry[g.undo.length][0] = word0;
  g.undo.entry[g.undo.length][1] = word1;
  ++g.undo.length;
}

void UndoClear() { g.undo.length = 0; }

bool IsAutomaticKind(uint32_t kind) {
  return kind != KindGiven && kind != KindInput && kind != KindAssumed;
}

bool IsAnalysisMode() {
  return g.screenMode == ModeCandidateScreen || g.screenMode == ModeMakeProblem ||
         g.screenMode == ModeProblemInput;
}

bool SharesUnit(uint32_t a, uint32_t b) {
  return RowOf(a) == RowOf(b) || ColumnOf(a) == ColumnOf(b) || BlockOf(a) == BlockOf(b);
}

static uint32_t randomState = 1;

void SeedRandom(uint32_t seed) { randomState = seed; }

uint32_t Random() {
  randomState = randomState * 214013u + 2531011u;
  return (randomState >> 16) & 0x7FFF;
}
