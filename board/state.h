// The one process-wide state of Vorel: board, candidates, queue, logs, modes and settings.
// Every part of the engine reaches it the same way, through the global `g`.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum CellKindValue : uint32_t {
  KindGiven = 0,
  KindAutoSingle = 1,
  KindAutoFile = 3,
  KindAuto = 4,
  KindInput = 5,
  KindAssumed = 6,
  KindMarked = 8,
  KindEmpty = 9,
  KindHint = 10,
};

enum ScreenModeValue : uint32_t {
  ModeNormal = 0,
  ModeNewCreation = 1,
  ModeEdit = 2,
  ModeCandidateScreen = 3,
  ModeMakeProblem = 4,
  ModeProblemInput = 5,
};

constexpr uint32_t kQueueCapacity = 2000;
constexpr uint32_t kWitnessCapacity = 64;
constexpr uint32_t kUndoCapacity = 999;

struct Board {
  uint32_t value[81];
  uint32_t kind[81];
};

struct CandidateTable {
  uint32_t flag[81 * 9];  // cell-major: flag[cell * 9 + digit index]
  uint32_t count[81];
  uint32_t total;
};

struct EliminationQueue {
  uint32_t length;
  // Entries counted in the queue's length but not written, since they remove nothing (see
  // HiddenSingle); the flush reports length + idle.
  uint32_t idle;
  uint32_t cell[kQueueCapacity];
  uint32_t digit[kQueueCapacity];
  uint32_t witness1[kWitnessCapacity];
  uint32_t witness2[kWitnessCapacity];
  uint32_t witness3[kWitnessCapacity];
  uint32_t witnessed[kWitnessCapacity];  // 1 where this entry's witnesses were written
};

struct UndoLog {
  uint32_t length;
  uint32_t entry[kUndoCapacity][2];
};

struct BoardMemory {
  uint32_t present;
  uint32_t origin;
  uint32_t value[81];
  uint32_t kind[81];
  uint32_t flag[81 * 9];
  uint32_t count[81];
  uint32_t solution[81];
};

// Multi-puzzle paging buffer of the new-problem mode.
struct ProblemFileBuffer {
  uint32_t active;
  std::vector<uint8_t> data;
  uint32_t number;          // 1-based puzzle number shown
  uint32_t position[101];   // entry 0: start of puzzle 1; entry k: just after puzzle k
  std::string fileName;     // for the title
};

// Persisted options; keys and defaults as in Vorel.ini.
struct Settings {
  // WinPos
  int32_t winLeft, winTop, winWidth, winHigh;
  // Color: roles are palette indices
  int32_t bgc, line, line2, number, input, calc, kari, number2, cursor;
  int32_t bgc2, ruledLine1, ruledLine2, problemNumber, inputNumber, autoNumber, assumeNumber,
      cursor2, confirm;
  uint32_t baseColor[16];
  // MODE
  int32_t display, fontSize2, fontWeight2, fontItalic2, fontSize, fontWeight, fontItalic,
      fontSize3, fontWeight3, fontItalic3, toolBar, csrMove, candErase, kanSuuji, candCtrl,
      dispSameNumb, clipboardPattern, kohoDisplayMode, autoSaveFileNameFlag, autoSaveCount,
      autoSaveDigit, maltiCount;
  // Save format of command 210: 0 plain, 1 print, 2 html; Copy&Save mode 0..2
  int32_t saveFormat, copySaveMode;
  // STRING
  std::string fontName2, fontName, customText, initialDir, autoSaveFileName;
  std::vector<std::string> customGlyph;  // 10 glyphs split from customText
};

// The generator's erase-mode cycle and the work state of the current removal order.
constexpr uint32_t kEraseModeCount = 13;
struct GeneratorState {
  uint32_t modeUsed[kEraseModeCount];
  uint32_t eraseMode;
  uint32_t cellVisited[81];
  uint32_t blockVisited[9];
  uint32_t positionTaken[9];
  uint32_t phase;
  uint32_t position;
};

// The edit dialog's session: the board as it was when the dialog opened, for Cancel (with
// the candidate table and the solution store, which move along with their cells).
struct EditSession {
  uint32_t open;
  uint32_t kind[81];
  uint32_t value[81];
  CandidateTable cand;
  uint32_t solution[81];
};

// Technique routines the batch ran in log mode without writing, logging or removing anything,
// each with the state it searched: per cell the candidate mask, count, value and kind packed
// in one word, then the total and the display and screen modes. On that very state the
// routine would again find nothing, so the batch passes over it.
constexpr uint32_t kSilentRunSlots = 48;
constexpr uint32_t kSilentRunKeyLength = 83;
struct SilentRuns {
  uint32_t used;
  uint32_t (*routine[kSilentRunSlots])(uint32_t place);
  uint32_t silent[kSilentRunSlots];  // 1: the key below holds the state of a silent run
  uint32_t key[kSilentRunSlots][kSilentRunKeyLength];
};

// The unit holders of each digit and the cell masks (as LoadUnitHolders and LoadCellMasks give
// them) kept while the batch runs its routines one after another: within that stretch the
// table changes only by the queue's flush, which mends them candidate by candidate.
constexpr uint32_t kKnownCellMasks = 1u << 9;
constexpr uint32_t kKnownOpenUnits = 1u << 10;
constexpr uint32_t kKnownOnce = 1u << 11;
struct HolderCache {
  uint32_t depth;  // open stretches; the cache serves only while one is open
  uint32_t known;  // bit d: holders[d] matches the table; kKnownCellMasks: mask does;
                   // kKnownOpenUnits: open does; kKnownOnce: once does
  uint32_t holders[9][27];
  uint32_t mask[81];
  uint32_t open[27];  // per unit, the cells with two candidates or more
  uint32_t once[27];  // per unit, the digits held by one cell only
};

struct AppState {
  Board board;
  CandidateTable cand;
  EliminationQueue queue;
  uint32_t techniqueOutputs;  // removals, logger lines and boxes, free technique log lines
  SilentRuns silentRuns;
  HolderCache holderCache;
  uint32_t cursorRow, cursorColumn;
  uint32_t cursorAllowed[10];
  uint32_t forcedReason;
  uint32_t kindBackup[81];
  uint32_t valueBackup[81];
  uint32_t hintMarkCount;
  UndoLog undo;
  BoardMemory memory;
  uint32_t solution[81];  // SolutionStore of the generator
  uint32_t maskTable[81];
  ProblemFileBuffer problemFile;
  uint32_t textEncoding;

  // Frame
  uint32_t screenMode;
  uint32_t savedTotal;
  uint32_t editStartFlag;
  uint32_t editStartKinds[81];
  uint32_t candidateDisplay;    // 280 "候補表示"
  uint32_t sameDigitDisplay;    // 825 (mirrors settings.dispSameNumb at start)
  uint32_t alternateView;       // 1242
  uint32_t usageView;           // candidate-usage window 0..3
  uint32_t inputPanelOpen;      // 345
  uint32_t logWindowOpen;
  uint32_t controlPanelOpen;
  uint32_t acceptDrops;
  uint32_t messageCountdown;
  uint32_t secondColourSet;
  uint32_t marksShown;       // a marking display (820, 1200, 1205) holds kinds in KindBackup
  uint32_t highlightDigit;   // digit of the last marking display, for the painter
  uint32_t highlightFill;    // 1 when that display was the fill of 1200
  uint32_t quitRequested;    // 140 was given
  uint32_t menuStateKey;     // mode × 2 + memory flag the menu enables were last set for
  // Remembered panel positions, (left × 65536) + top or -1: the control / problem-making
  // panel, and the technique log and candidate-usage windows.
  int32_t controlPanelPosition;
  int32_t logWindowPosition;
  uint32_t chooserColour;    // the colour chooser's current colour, 0x00BBGGRR
  EditSession editSession;
  GeneratorState generator;  // lives for the whole run, across fresh boards
  std::string title;
  std::string status0, status1;

  Settings settings;
  std::string exeDir;  // folder of the settings and collection files, ends with "/"
};

extern AppState g;

// Cell geometry.
inline uint32_t RowOf(uint32_t c) { return c / 9; }
inline uint32_t ColumnOf(uint32_t c) { return c % 9; }
inline uint32_t BlockOf(uint32_t c) { return (c / 27) * 3 + (c % 9) / 3; }
inline uint32_t BlockFirst(uint32_t b) { return 27 * (b / 3) + 3 * (b % 3); }
inline uint32_t BlockCell(uint32_t b, uint32_t k) { return BlockFirst(b) + 9 * (k / 3) + (k % 3); }
inline uint32_t CellAt(uint32_t r, uint32_t c) { return r * 9 + c; }
inline uint32_t CursorCell() { return g.cursorRow * 9 + g.cursorColumn; }
inline uint32_t& Flag(uint32_t c, uint32_t d) { return g.cand.flag[c * 9 + d]; }

// Unit walks: unit u of type t (0 row, 1 column, 2 block), k-th cell in the fixed order.
inline uint32_t UnitCell(uint32_t t, uint32_t u, uint32_t k) {
  return t == 0 ? u * 9 + k : t == 1 ? k * 9 + u : BlockCell(u, k);
}
// The 27 units numbered rows 0..8, columns 9..17, blocks 18..26.
inline uint32_t UnitCell27(uint32_t unit, uint32_t k) { return UnitCell(unit / 9, unit % 9, k); }

// The cells of the 27 units in the order UnitCell27 walks them, as a table.
struct UnitCellTable {
  uint8_t cell[27][9];
};
constexpr UnitCellTable MakeUnitCells() {
  UnitCellTable t{};
  for (uint32_t u = 0; u < 9; ++u)
    for (uint32_t k = 0; k < 9; ++k) {
      t.cell[u][k] = static_cast<uint8_t>(u * 9 + k);
      t.cell[9 + u][k] = static_cast<uint8_t>(k * 9 + u);
      t.cell[18 + u][k] = static_cast<uint8_t>(27 * (u / 3) + 3 * (u % 3) + 9 * (k / 3) + k % 3);
    }
  return t;
}
inline constexpr UnitCellTable kUnitCells = MakeUnitCells();

extern const uint32_t BlockOrder[81];
// Peers of a cell: row by column, column by row, block by k (20 entries, duplicates removed,
// the cell itself excluded), in the order the singles walk them.
extern uint32_t Peers[81][20];

void InitGeometry();
void ResetStartupState();   // start-up board (rows 1..9, kind 0), empty tables, cursor (0,0)
void ApplyDefaultSettings(Settings& s);
uint32_t AllowedByValues(uint32_t cell, uint32_t allowed[10]);  // returns how many digits
uint32_t CountFilled();
uint32_t CountGivens();
void ClearBoard();  // New: every value 0, every kind 9
void UndoPush(uint32_t word0, uint32_t word1);
void UndoClear();
bool IsAutomaticKind(uint32_t kind);
bool IsAnalysisMode();
bool SharesUnit(uint32_t a, uint32_t b);

// Pseudo-random generator: x * 214013 + 2531011, result bits 16..30.
void SeedRandom(uint32_t seed);
uint32_t Random();
