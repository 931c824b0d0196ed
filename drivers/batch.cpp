// Batch solving, limits, the technique check and the last resort.
#include "drivers/batch.h"

#include <cstring>

#include "board/candidates.h"
#include "board/memory.h"
#include "board/platform.h"
#include "board/queue.h"
#include "board/state.h"
#include "drivers/frame.h"
#include "techniques/rung.h"
#include "techniques/techniques.h"

using TechniqueRoutine = uint32_t (*)(uint32_t);

static const TechniqueRoutine kBasicBatch[] = {
    HiddenQuintuplet, HiddenQuad, HiddenTriple, HiddenPair, NakedQuintuplet,
    NakedQuad,        NakedTriple, NakedPair,   HiddenSingle, NakedSingle,
};

// "WXYZ-Wing" in this list is the first of the three patterns of "WXYZ-Wing(2)", as in
// that group.
static const TechniqueRoutine kUpperBatch[] = {
    Squirmbag,     JerryFish,     SwordFish,     XWing,         LockedCandidates,
    XYWing,        SimpleColoring, MultiColoringType1, MultiColoringType2, RemotePairs,
    HamadaLogic,   XCycle,        XYChain,       XYZWing,       WXYZWingType1,
    WXYZWingType2, WXYZWingType3, AlsXZ,         FinnedFish,    SashimiFish,
    AlignedPairExclusion, DeathBlossom, Medusa3D,
};

TechniqueRoutine TechniqueCheckRoutines[kTechniqueCheckLength] = {
    HiddenQuad,    HiddenTriple,  HiddenPair,    NakedQuad,     NakedTriple,
    NakedPair,     Squirmbag,     JerryFish,     SwordFish,     XWing,
    LockedCandidates, HiddenSingle, NakedSingle, XYWing,        SimpleColoring,
    MultiColoringType1, MultiColoringType2, Medusa3D, XCycle,     XYChain,
    RemotePairs,   HamadaLogic,   XYZWing,       WXYZWingType1, WXYZWingType2,
    WXYZWingType3, AlsXZ,         FinnedFish,    SashimiFish,   AlignedPairExclusion,
    DeathBlossom,  HiddenSingle,  NakedSingle,
};

// The state a routine in log mode reads, packed as SilentRuns keeps it. False when a field
// does not fit its bits; such a state is never matched.
static bool LoadRunKey(uint32_t key[kSilentRunKeyLength]) {
  LoadCellMasks(key);
  uint32_t fields = 0;
  for (uint32_t c = 0; c < 81; ++c) {
    const uint32_t count = g.cand.count[c], value = g.board.value[c], kind = g.board.kind[c];
    fields |= count | value | kind;
    key[c] |= count << 9 | value << 13 | kind << 17;
  }
  if (fields > 15) return false;
  const uint32_t mode = static_cast<uint32_t>(g.settings.candErase);
  if (mode > 255 || g.screenMode > 255) return false;
  key[81] = g.cand.total;
  key[82] = mode | g.screenMode << 8;
  return true;
}

// The state the routines of one batch share until one of them removes a candidate, packed on
// first use.
struct RunState {
  bool loaded = false;
  bool valid = false;
  uint32_t key[kSilentRunKeyLength];
};

static uint32_t SilentRunSlot(TechniqueRoutine routine) {
  SilentRuns& runs = g.silentRuns;
  for (uint32_t i = 0; i < runs.used; ++i)
    if (runs.routine[i] == routine) return i;
  if (runs.used == kSilentRunSlots) return kSilentRunSlots;
  runs.routine[runs.used] = routine;
  runs.silent[runs.used] = 0;
  return runs.used++;
}

static bool LoadedRunKey(RunState& state) {
  if (!state.loaded) {
    state.valid = LoadRunKey(state.key);
    state.loaded = true;
  }
  return state.valid;
}

// Run a routine in log mode, unless its last run searched this very state and wrote, logged
// and removed nothing: it would find nothing again, and everything around it (the batch's
// status refresh) runs as ever.
static void RunLogOnly(TechniqueRoutine routine, RunState& state) {
  SilentRuns& runs = g.silentRuns;
  const uint32_t slot = SilentRunSlot(routine);
  const bool known = slot < kSilentRunSlots;
  if (known && runs.silent[slot] && LoadedRunKey(state) &&
      std::memcmp(runs.key[slot], state.key, sizeof state.key) == 0)
    return;
  const uint32_t outputs = g.techniqueOutputs, total = g.cand.total;
  routine(0);
  // In log mode a routine changes the table only through the logger, which counts every
  // removal off the total: the same total is the same table.
  if (g.cand.total != total) state.loaded = false;
  if (!known) return;
  runs.silent[slot] = 0;
  if (g.techniqueOutputs != outputs || !LoadedRunKey(state)) return;
  runs.silent[slot] = 1;
  std::memcpy(runs.key[slot], state.key, sizeof state.key);
}

template <size_t N>
static void RunOnceEach(const TechniqueRoutine (&list)[N]) {
  RunState state;
  BeginUnitHolderCache();
  for (TechniqueRoutine routine : list) RunLogOnly(routine, state);
  EndUnitHolderCache();
}

static uint32_t ProblemScreenOr(uint32_t otherwise) {
  return g.screenMode == ModeMakeProblem || g.screenMode == ModeProblemInput ? 3 : otherwise;
}

template <size_t N>
static void RunBatch(const TechniqueRoutine (&list)[N]) {
  g.savedTotal = g.cand.total;
  RunOnceEach(list);
  if (g.cand.total == g.savedTotal) return;
  RefreshStatus(ProblemScreenOr(2));
}

static void RunRung(uint32_t maxGrade) {
  g.savedTotal = g.cand.total;
  RunRungStep(0, nullptr, maxGrade);
  if (g.cand.total == g.savedTotal) return;
  RefreshStatus(ProblemScreenOr(2));
}

void BatchRung() { RunRung(RungNets); }
void BatchRungChains() { RunRung(RungChains); }

void BatchBasic() { RunBatch(kBasicBatch); }
void BatchUpper() { RunBatch(kUpperBatch); }

// Hidden Single and Naked Single in log mode while they remove candidates.
static void SinglesLoop() {
  RunState state;
  BeginUnitHolderCache();
  do {
    g.savedTotal = g.cand.total;
    RunLogOnly(HiddenSingle, state);
    RunLogOnly(NakedSingle, state);
  } while (g.cand.total != g.savedTotal);
  EndUnitHolderCache();
}

void SingleMax() {
  SinglesLoop();
  RefreshStatus(g.screenMode == ModeCandidateScreen ? 2 : 3);
}

// Every cell whose kind is not given, input or assumed becomes empty.
static void ResetAutomaticCells() {
  for (uint32_t c = 0; c < 81; ++c)
    if (IsAutomaticKind(g.board.kind[c])) {
      g.board.value[c] = 0;
      g.board.kind[c] = KindEmpty;
    }
}

static void ResetNonGivens() {
  for (uint32_t c = 0; c < 81; ++c)
    if (g.board.kind[c] != KindGiven) {
      g.board.value[c] = 0;
      g.board.kind[c] = KindEmpty;
    }
}

void AutoLimit() {
  if (g.screenMode == ModeEdit) {
    uint32_t kind[81], value[81];
    std::memcpy(kind, g.board.kind, sizeof kind);
    std::memcpy(value, g.board.value, sizeof value);
    RunUniqueClosure();
    if (CheckComplete())
      ShowMessage("自動で最後まで処理可能", "確認", IconExclamation);
    else
      ShowMessage("自動で処理不可能です", "確認", IconStop);
    std::memcpy(g.board.kind, kind, sizeof kind);
    std::memcpy(g.board.value, value, sizeof value);
    // The trial board may have been painted behind the message.
    P().Repaint();
    return;
  }
  const bool problemScreen =
      g.screenMode == ModeMakeProblem || g.screenMode == ModeProblemInput;
  if (problemScreen) {
    ClearTechniqueLog();
    ResetAutomaticCells();
  }
  const uint32_t placed = RunUniqueClosure();
  if (g.screenMode == ModeProblemInput) {
    ComputeCandidates();
    RefreshStatus(3);
    return;
  }
  if (placed == 0) return;
  if (g.screenMode == ModeMakeProblem) {
    ComputeCandidates();
    RefreshStatus(3);
    FillUsageList();
  } else if (g.screenMode == ModeNormal) {
    RefreshStatus(1);
  }
}

void FixSoleCandidates() {
  for (uint32_t c = 0; c < 81; ++c) {
    if (g.cand.count[c] != 1 || g.board.value[c] != 0) continue;
    for (uint32_t d = 0; d < 9; ++d)
      if (g.cand.flag[c * 9 + d]) {
        g.board.value[c] = d + 1;
        g.board.kind[c] = KindAuto;
      }
  }
  ComputeCandidates();
  RefreshStatus(g.screenMode == ModeCandidateScreen ? 2 : 3);
}

void ClearAutomatic() {
  if (g.screenMode == ModeEdit && g.editStartFlag) {
    std::memcpy(g.board.kind, g.editStartKinds, sizeof g.board.kind);
    RefreshStatus(3);
    UndoClear();
    return;
  }
  if (g.screenMode == ModeCandidateScreen) {
    ComputeCandidates();
    RefreshStatus(2);
    return;
  }
  ResetAutomaticCells();
  if (g.screenMode == ModeMakeProblem || g.screenMode == ModeProblemInput) {
    ComputeCandidates();
    ClearTechniqueLog();
    RefreshStatus(3);
  } else if (g.screenMode == ModeNormal) {
    RefreshStatus(1);
  } else if (g.screenMode == ModeEdit) {
    RefreshStatus(3);
  }
}

void ClearAll() {
  if (g.screenMode == ModeCandidateScreen) {
    ComputeCandidates();
    RefreshStatus(2);
    return;
  }
  ResetNonGivens();
  if (g.screenMode == ModeEdit) {
    UndoClear();
    g.editStartFlag = 0;
    RefreshStatus(3);
  } else if (g.screenMode == ModeMakeProblem || g.screenMode == ModeProblemInput) {
    ComputeCandidates();
    RefreshStatus(3);
  } else if (g.screenMode == ModeNormal) {
    RefreshStatus(1);
  }
}

void TechniqueCheckDelete() {
  const uint32_t start = CursorCell();
  uint32_t keptValue[81], keptKind[81];
  std::memcpy(keptValue, g.board.value, sizeof keptValue);
  std::memcpy(keptKind, g.board.kind, sizeof keptKind);
  for (uint32_t c = start; c < 81; ++c) {
    if (g.board.kind[c] != KindGiven || g.board.value[c] == 0) continue;
    const uint32_t given = g.board.value[c];
    ResetNonGivens();
    g.board.value[c] = 0;
    g.board.kind[c] = KindEmpty;
    RunUniqueClosure();
    ComputeCandidates();
    const uint32_t before = g.cand.count[c];
    RunOnceEach(TechniqueCheckRoutines);
    const uint32_t after = g.cand.count[c];
    if (after != before && after < 4) {
      UndoPush(c, 0);
      g.cursorRow = RowOf(c);
      g.cursorColumn = ColumnOf(c);
      SetTitle(Format("%s - (%u,%u)", kAppTitle, ColumnOf(c) + 1, RowOf(c) + 1));
      ComputeCandidates();
      RefreshStatus(3);
      return;
    }
    g.board.value[c] = given;
    g.board.kind[c] = KindGiven;
  }
  // Nothing qualified: the board goes back to what it was before the search.
  std::memcpy(g.board.value, keptValue, sizeof keptValue);
  std::memcpy(g.board.kind, keptKind, sizeof keptKind);
  SetTitle(kAppTitle);
  g.cursorRow = 0;
  g.cursorColumn = 0;
  ComputeCandidates();
  RefreshStatus(3);
}

// The state a trial of the last resort starts from (the memory holds the same).
struct TrialSnapshot {
  uint32_t flag[81 * 9];
  uint32_t count[81];
  uint32_t total;
  uint32_t value[81];
  uint32_t kind[81];
};
static TrialSnapshot trial;

static void RestoreTrial() {
  ForgetUnitHolders();
  std::memcpy(g.cand.flag, trial.flag, sizeof trial.flag);
  std::memcpy(g.cand.count, trial.count, sizeof trial.count);
  g.cand.total = trial.total;
  std::memcpy(g.board.value, trial.value, sizeof trial.value);
  std::memcpy(g.board.kind, trial.kind, sizeof trial.kind);
}

// Remove one candidate of the bivalue cell, run the singles to a fixed point and tell
// whether the grid came out complete and correct.
static bool TrialSolves(uint32_t cell, uint32_t removed) {
  ClearTechniqueLog();
  ForgetUnitHolders();
  g.cand.flag[cell * 9 + removed] = 0;
  --g.cand.count[cell];
  --g.cand.total;
  SinglesLoop();
  return CheckUnits() == 0;
}

void LastResort() {
  SnapshotToMemory(OriginCandidate);
  std::memcpy(trial.flag, g.cand.flag, sizeof trial.flag);
  std::memcpy(trial.count, g.cand.count, sizeof trial.count);
  trial.total = g.cand.total;
  std::memcpy(trial.value, g.board.value, sizeof trial.value);
  std::memcpy(trial.kind, g.board.kind, sizeof trial.kind);
  for (uint32_t c = 0; c < 81; ++c) {
    if (g.cand.count[c] != 2 || g.board.value[c] != 0) continue;
    uint32_t p = 9, q = 9;
    for (uint32_t d = 0; d < 9; ++d)
      if (g.cand.flag[c * 9 + d]) (p == 9 ? p : q) = d;
    if (q == 9) continue;
    // The higher candidate first: remove the lower one.
    if (TrialSolves(c, p)) {
      g.board.value[c] = q + 1;
      g.board.kind[c] = KindAssumed;
      RefreshStatus(2);
      return;
    }
    RestoreTrial();
    if (TrialSolves(c, q)) {
      g.board.value[c] = p + 1;
      g.board.kind[c] = KindAssumed;
      RefreshStatus(2);
      return;
    }
    RestoreTrial();
  }
}
