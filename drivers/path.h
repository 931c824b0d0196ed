// The solving path: from the current candidate table, the simplest step that places or
// removes something, again and again until the puzzle is solved or nothing applies. The
// ladder below fixes the order of difficulty and gives every technique its weight; the
// rating of a path is the weight of its hardest step. Behind "次の一手" (4100) and
// vorel-cli --path.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// How a rung finds its step.
enum PathRungKind : uint32_t {
  RungFullHouse = 0,    // the last open cell of a unit
  RungHiddenSingle = 1, // a digit with one place left in a unit
  RungNakedSingle = 2,  // a cell with one candidate left
  RungRoutine = 3,      // a technique routine, run log-only; its step is what it removed
};

// One rung of the difficulty ladder.
struct PathRung {
  const char* name;                  // the step's technique name when the routine logs none
  uint32_t kind;                     // PathRungKind
  uint32_t (*routine)(uint32_t place);  // RungRoutine only
  uint32_t code;                     // log code the step is flushed under
  uint32_t weight;                   // difficulty in tenths: 15 is 1.5
  // The chain the routine last wrote (chain rungs only; nullptr elsewhere): the step's
  // chain text, read right after the routine ran.
  const char* (*chainText)();
};
extern const PathRung kPathLadder[];
extern const uint32_t kPathLadderLength;

// One step: cells are 0..80, digits 0..8 (the text and JSON count both from 1).
struct PathStep {
  uint32_t rung;            // index into kPathLadder
  uint32_t weight;          // tenths
  std::string technique;    // the name the step is logged under
  std::vector<uint32_t> cells;    // the pattern's cells, ascending
  uint32_t digits;          // the pattern's digits as a mask (bit d)
  std::vector<uint32_t> placed;   // cell * 9 + digit
  std::vector<uint32_t> removed;  // cell * 9 + digit, ascending
  std::string chain;        // empty: no chain
};

// What the path knows beyond the candidate table: the digit standing in each cell (the
// board's values, then every placement of the path), 0 for an open cell.
struct PathState {
  uint32_t placed[81];
};

// The state of the board and the candidate table as they are. Cells with a value are
// placed; with settled set, so is an open cell down to one candidate that no open peer
// still holds (the candidate screen shows it as solved, so a single there changes nothing).
void PathBegin(PathState& state, bool settled);
// True when every cell is placed.
bool PathSolved(const PathState& state);
// The simplest step from the current table (the ladder from its first rung). With apply,
// the step is left applied (its flush logs it as the display mode says) and the state
// records its placements; without, the table is as it was. Returns 1 when a step was found.
uint32_t NextPathStep(PathState& state, PathStep& step, bool apply);
// Apply a step found earlier on this very table: a routine's step by running the routine
// again (its own flush logs it), a single by flushing its removals under the rung's code.
void ApplyPathStep(PathState& state, const PathStep& step);

struct PathResult {
  bool solved;
  uint32_t rating;  // tenths: the weight of the hardest step, 0 without steps
  std::vector<PathStep> steps;
};
// The whole path from the current table; leaves the table at its end, in the candidate
// screen, with nothing logged.
void SolvePath(PathResult& result);

// "Naked Pair r1c2 r1c5 {37}: r1c7<>3, r1c8<>7".
std::string PathStepText(const PathStep& step);
// One JSON object on one line (see the README for the schema).
std::string PathJson(uint32_t n, const std::string& puzzle, const PathResult& result);
// "4.2" for 42.
std::string WeightText(uint32_t tenths);

// "次の一手" (4100). The cells it marks: 1 pattern cell, 2 a cell the step changes; all 0
// when no step is pending or the board has changed since it was found.
const uint32_t* NextStepMarks();
// After any command: a marked step whose position has changed is dropped, and the board is
// repainted so that its marks go from the screen too.
void ForgetStaleNextStep();
