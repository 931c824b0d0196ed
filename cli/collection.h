// Running a collection of puzzles: one process or several workers with the output merged in
// input order, the progress line, and the grade lines.
#pragma once
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// Runs puzzle n (from 0) and writes its output to stdout; returns a tag below
// kCollectionTags that the run counts (the grade for --grade, 0 otherwise).
using PuzzleRun = std::function<uint32_t(size_t n)>;
constexpr uint32_t kCollectionTags = 8;

struct CollectionOutcome {
  uint64_t tags[kCollectionTags];
  size_t done;     // puzzles whose output was written
  double seconds;  // wall time of the run
};

// Seconds as the progress line shows them: M:SS, or H:MM:SS from an hour up; rounded, never
// below zero.
std::string DurationText(double seconds);

// The number of worker processes for -j N: 0 means one per core.
uint32_t WorkerCount(uint32_t requested);

// Runs puzzles 0..count-1. With workers > 1 the puzzles are shared out in small interleaved
// chunks to forked worker processes; each writes into its own unlinked temporary file and
// reports every finished puzzle over a pipe, and this process copies the outputs to stdout
// in input order, so stdout is the same byte for byte as with one process. A worker that
// dies is reported on stderr with the puzzle it was working on; output stops before that
// puzzle and the other workers are ended. Returns 0 when every puzzle ran, 1 otherwise.
int RunCollection(size_t count, uint32_t workers, const PuzzleRun& run, CollectionOutcome& out);

// Reads standard input to its end, at most `limit` bytes; false on a read error.
bool ReadStandardInput(size_t limit, std::vector<uint8_t>& out);

// Puzzle n's seed for a collection: the run's seed itself for the first puzzle, so that a
// puzzle's random choices never depend on the puzzles before it.
uint32_t PuzzleSeed(uint32_t seed, size_t n);

// The grade line of the puzzle just read onto the board (text: the puzzle as the file gave
// it): N<TAB>PUZZLE<TAB>GRADE<TAB>DETAIL. Returns the grade.
// fromTable: grade from the candidate table on the board (a position read as a grid).
uint32_t PrintGradeLine(size_t n, const std::string& text, std::FILE* out,
                        bool fromTable = false);

// The solving path of the board's position: the puzzle, one line per step and the outcome
// as text, or one JSON object on one line. Returns 0 when solved, 1 otherwise.
uint32_t PrintPath(size_t n, bool json, std::FILE* out);
// The closing summary of a --path run, one line for stderr.
std::string PathSummary(const CollectionOutcome& outcome);

// The closing summary of a graded collection, one line for stderr.
std::string GradeSummary(const CollectionOutcome& outcome);
