// Grading one puzzle by the batch ladder.
#include "drivers/grade.h"

#include <cstring>

#include "board/candidates.h"
#include "board/queue.h"
#include "board/solver.h"
#include "board/state.h"
#include "drivers/batch.h"

namespace {

// The tally of the run in progress: every flush's removals under its technique code.
GradeResult* tally = nullptr;
uint32_t totalSeen = 0;
// The position every run starts from, when a candidate table was given instead of givens.
const CandidateTable* startTable = nullptr;
void (*chainedObserver)(uint32_t code) = nullptr;

void CountFlush(uint32_t code) {
  const uint32_t removed = totalSeen - g.cand.total;
  totalSeen = g.cand.total;
  const bool named = (code >= 1 && code <= 48) || (code >= kFirstRungCode && code <= kLastRungCode);
  if (removed && tally && named && tally->used < kGradeCodes) {
    uint32_t i = 0;
    while (i < tally->used && tally->code[i] != code) ++i;
    if (i == tally->used) {
      tally->code[i] = code;
      tally->removed[i] = 0;
      ++tally->used;
    }
    tally->removed[i] += removed;
  }
  if (chainedObserver) chainedObserver(code);
}

// Cells that hold no digit and not exactly one candidate.
uint32_t OpenCells() {
  uint32_t open = 0;
  for (uint32_t c = 0; c < 81; ++c)
    if (g.board.value[c] == 0 && g.cand.count[c] != 1) ++open;
  return open;
}

using Step = void (*)();

// From the givens' candidates, the steps in order, repeated until a pass removes nothing.
// True when every open cell is down to one candidate.
bool FinishesAtFixedPoint(const Step* steps, uint32_t length, GradeResult& result) {
  if (startTable) {
    g.cand = *startTable;
    ForgetUnitHolders();
  } else {
    ComputeCandidates();
  }
  result.used = 0;
  totalSeen = g.cand.total;
  // Every productive pass removes at least one of the at most 729 candidates.
  for (uint32_t pass = 0; pass <= 81 * 9; ++pass) {
    const uint32_t before = g.cand.total;
    for (uint32_t i = 0; i < length; ++i) steps[i]();
    if (g.cand.total == before) break;
  }
  result.open = OpenCells();
  return result.open == 0;
}

}  // namespace

const char* GradeName(uint32_t grade) {
  static const char* const kNames[GradeCount] = {"singles", "basic", "upper", "chains",
                                                 "nets",    "beyond", "invalid"};
  return grade < GradeCount ? kNames[grade] : "invalid";
}

uint32_t GradePuzzle(GradeResult& result) {
  std::memset(&result, 0, sizeof result);
  const bool fromTable = startTable != nullptr;
  uint32_t mask[81];
  for (uint32_t c = 0; c < 81; ++c) {
    mask[c] = 0;
    for (uint32_t d = 0; d < 9; ++d) mask[c] |= (g.cand.flag[c * 9 + d] != 0) << d;
  }
  result.solutions = CountCandidateSolutions(g.board.value, fromTable ? mask : nullptr, 2);
  if (result.solutions != 1) return result.grade = GradeInvalid;

  // The singles closure on the givens, as the limit test runs it; the board is restored.
  // From a candidate table the singles rung is Single MAX alone.
  const bool singles = fromTable ? false : UniqueClosureCheck() != 0;

  const uint32_t logMode = static_cast<uint32_t>(g.settings.candErase);
  g.settings.candErase = 0;
  g.screenMode = ModeCandidateScreen;
  chainedObserver = FlushObserver;
  FlushObserver = CountFlush;
  tally = &result;

  static const Step kSingles[] = {SingleMax};
  static const Step kBasic[] = {SingleMax, BatchBasic};
  static const Step kUpper[] = {SingleMax, BatchBasic, BatchUpper};
  static const Step kChains[] = {SingleMax, BatchBasic, BatchUpper, BatchRungChains};
  static const Step kNets[] = {SingleMax, BatchBasic, BatchUpper, BatchRung};
  if (singles) {
    // Single MAX names what the closure did in the candidate screen's terms.
    FinishesAtFixedPoint(kSingles, 1, result);
    result.grade = GradeSingles;
  } else if (fromTable && FinishesAtFixedPoint(kSingles, 1, result)) {
    result.grade = GradeSingles;
  } else if (FinishesAtFixedPoint(kBasic, 2, result)) {
    result.grade = GradeBasic;
  } else if (FinishesAtFixedPoint(kUpper, 3, result)) {
    result.grade = GradeUpper;
  } else if (FinishesAtFixedPoint(kChains, 4, result)) {
    result.grade = GradeChains;
  } else if (FinishesAtFixedPoint(kNets, 4, result)) {
    result.grade = GradeNets;
  } else {
    result.grade = GradeBeyond;
  }

  tally = nullptr;
  FlushObserver = chainedObserver;
  chainedObserver = nullptr;
  g.settings.candErase = logMode;
  return result.grade;
}

uint32_t GradePosition(GradeResult& result) {
  const CandidateTable start = g.cand;
  startTable = &start;
  const uint32_t grade = GradePuzzle(result);
  startTable = nullptr;
  return grade;
}
