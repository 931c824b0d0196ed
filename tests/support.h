// Test support: a fresh engine with a recording headless platform, puzzle loading, an
// independent brute-force solver and the shared data collections.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

#include "board/state.h"
#include "cli/headless_platform.h"

// The start-up sample puzzle (singles finish it), and a hard one that only the nested forcing
// net of the chain rung finishes.
inline const std::string kSampleGrid =
    "000000010400000000020000000000050407008000300001090000300400200050100000000806000";
inline const std::string kHardPuzzle =
    "100000002090400050006000700050903000000070000000850040700000600030009080002000001";

// A cell opened on a hand-built state: column and row from 1, as the log writes them.
struct OpenCell {
  uint32_t column, row;
  const char* digits;
};

// One example of a technique on a hand-built state: the exact log lines in order.
struct LogCase {
  const char* name;
  uint32_t (*routine)(uint32_t place);
  uint32_t mode;  // display mode
  std::vector<OpenCell> cells;
  std::vector<std::string> lines;
};

// Every test starts from the start-up state with default settings and display mode 1.
class EngineTest : public ::testing::Test {
 protected:
  HeadlessPlatform platform;
  void SetUp() override;
  void TearDown() override;  // also ends any flush observer
  // Values from an 81-character string (digits, '.' or '0' for empty), givens everywhere.
  void LoadGrid(const std::string& grid);
  // Open the candidate screen on the current board.
  void EnterCandidateScreen();
  std::vector<std::string> LogLines() const { return platform.Lines("log"); }
  // The 81 values of the board as digits, 0 for an empty cell.
  static std::string BoardValues();
  // A hand-built candidate state, put straight into the candidate screen with the technique
  // log open and the record cleared. A digit is a given, "(..)" an empty cell with exactly
  // those candidates, "." an empty cell with all nine; anything else is skipped.
  void LoadState(const std::string& text);
  // Every cell a given 9 except the listed ones.
  void LoadOpenCells(const std::vector<OpenCell>& cells);
  // Loads the case's cells, runs its routine in its display mode and checks the log.
  void ExpectLog(const LogCase& example);
};

// An empty grid in the candidate screen: every cell holds all nine candidates.
class CandidateTableTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    LoadState(std::string(81, '.'));
  }
  std::vector<std::string> Lines(const char* name, const std::vector<std::string>& places) {
    std::vector<std::string> out;
    for (const std::string& p : places) out.push_back(std::string(name) + " " + p);
    return out;
  }
};

// Edits of a hand-built state that keep the counts and the total right.
// Cell (column, row), both from 1, becomes empty with exactly these candidates.
void Open(uint32_t column, uint32_t row, const std::string& digits);
bool Has(uint32_t column, uint32_t row, uint32_t digit);
void Drop(uint32_t cell, uint32_t digit);  // digit from 1
// Keep digit d (from 1) in row r only at the listed columns (row and columns from 0).
void RowOnly(uint32_t r, uint32_t d, const std::vector<uint32_t>& columns);

// The board and the candidate table as they are now, to put back between runs on one state.
struct SavedState {
  Board board = g.board;
  CandidateTable cand = g.cand;
  void Put() const;
};

// Brute-force solver independent of the engine: counts solutions up to `limit` and keeps
// the first one found. grid: 81 digits, 0 = empty.
int CountSolutions(const uint8_t grid[81], uint8_t solution[81], int limit = 2);
bool ParseGrid(const std::string& text, uint8_t grid[81]);

// Lines of a file in the shared data folder; empty when the file is absent.
std::vector<std::string> DataLines(const std::string& name);
std::string DataPath(const std::string& name);

// Checks the candidate table's invariants: counts match flags, the total matches the counts,
// no empty cell without a candidate. Returns an empty string when they hold.
std::string CandidateInvariantError();

// Runs a shell command line (stderr dropped); returns its stdout and sets the exit status.
std::string Shell(const std::string& command, int* status = nullptr);
// Runs vorel-cli with arguments, the same way.
std::string RunCli(const std::string& args, int* status = nullptr);
// Lines [from, to) of `lines`, each ended by a line feed.
std::string Joined(const std::vector<std::string>& lines, size_t from = 0, size_t to = SIZE_MAX);
// The parts of `text` between separators (none after a final separator).
std::vector<std::string> Split(const std::string& text, char separator);
std::string TempDir();  // a fresh folder, its path ending in "/"
std::string WriteTempFile(const std::string& name, const std::string& bytes);  // in a TempDir()
std::string ReadText(const std::string& path);  // the file's bytes; empty when absent

// A puzzle state for the soundness checks: board and candidates loaded, candidate screen
// mode set directly (no platform traffic), and the unique solution.
struct SoundState {
  std::string source;  // where it came from, for messages
  uint8_t solution[81];
};
// From a puzzle line (givens only). False when it has not exactly one solution.
bool LoadPuzzleState(const std::string& line, SoundState& state);
// From a line of the technique regression library (givens, placed digits, deleted
// candidates). False for comments and states without exactly one solution.
bool LoadReglibState(const std::string& line, SoundState& state);
// The states of regression-library lines that have exactly one solution, as DescribeState
// gives them, each with its solution.
struct LibraryState {
  std::string text;
  std::vector<uint8_t> solution;
};
std::vector<LibraryState> LibraryStates(const std::vector<std::string>& lines);
// Empty cells that lost their solution digit, as "(c,r) <d>" items; empty when sound.
std::string LostSolutionDigits(const uint8_t solution[81]);

// Every flush checked against the table's invariants and, once g_solution is set, the unique
// solution; the first fault is kept in g_failure (empty while all is well).
extern const uint8_t* g_solution;
extern std::string g_failure;
void CheckAfterFlush(uint32_t code);
class SolutionCheckedTest : public EngineTest {
 protected:
  void SetUp() override;
};

// A 64-bit FNV-1a hash, fed text by text (each text closed by a separator byte).
struct Fnv {
  uint64_t hash = 14695981039346656037ull;
  void Mix(const std::string& text);
  std::string Hex() const;
};
// A table of recorded results (one line a routine or command) checked against tests/NAME, line
// by line; with VOREL_RECORD_DIGESTS=1 in the environment the file is written anew instead and
// the test skipped.
void ExpectRecordedTable(const std::string& name, const std::string& table);

// The colon-separated fields of a regression-library line (the leading colon dropped).
std::vector<std::string> ReglibFields(const std::string& line);
// The candidate state as text: digits for filled cells, "(candidates)" for empty ones.
std::string DescribeState();
// Puzzle lines for soundness runs: every `step`-th line of a data file (env
// VOREL_SOUNDNESS_FULL=1 takes every line).
std::vector<std::string> SampleLines(const std::string& name, size_t step);
