// Memory store and restore, the board transformations and the digit exchange.
#include <cstring>

#include "board/candidates.h"
#include "board/memory.h"
#include "board/platform.h"
#include "board/state.h"
#include "board/transform.h"
#include "drivers/commands.h"
#include "drivers/frame.h"

// 870
static void StoreMemory(uint32_t) {
  const uint32_t origin = g.screenMode == ModeMakeProblem       ? OriginMakeProblem
                          : g.screenMode == ModeCandidateScreen ? OriginCandidate
                                                                : OriginOther;
  SnapshotToMemory(origin);
}

// 880
static void RestoreMemory(uint32_t) {
  if (!g.memory.present) return;
  if (g.screenMode == ModeMakeProblem) {
    if (g.memory.origin != OriginMakeProblem) {
      ShowMessage("問題作成画面での記憶ではありません", "注意", IconExclamation);
      return;
    }
    RestoreCandidatesFromMemory();
    std::memcpy(g.solution, g.memory.solution, sizeof g.solution);
    RestoreBoardFromMemory();
    UndoClear();
    RefreshStatus(3);
    return;
  }
  RestoreBoardFromMemory();
  if (g.screenMode == ModeCandidateScreen) {
    if (g.memory.origin == OriginCandidate)
      RestoreCandidatesFromMemory();
    else
      ComputeCandidates();
    RefreshStatus(2);
  } else if (g.screenMode == ModeEdit) {
    UndoClear();
    RefreshStatus(3);
  } else if (g.screenMode == ModeProblemInput) {
    // The candidate table is the state here: it must describe the restored board.
    ComputeCandidates();
    RefreshStatus(3);
  } else {
    RefreshStatus(1);
  }
}

// After a rearrangement: in the problem-input screen the candidates are the state and
// would describe the old board, so they are recomputed.
static void AfterRearrange() {
  if (g.screenMode == ModeProblemInput) {
    ComputeCandidates();
    RefreshStatus(3);
    return;
  }
  RefreshStatus(1);
}

static void TransformCommand(uint32_t id) {
  if (TransformBoard(id)) AfterRearrange();
}

static void BlockOrderCommand(uint32_t) {
  SwapBlockOrder();
  AfterRearrange();
}

static void ExchangeCommand(uint32_t) {
  ExchangeRandomDigits();
  AfterRearrange();
}

constexpr uint32_t kTransformGate = GateNormal | GateInput;

const CommandEntry kEditCommands[] = {
    {870, GateAll, StoreMemory},
    {880, GateAll, RestoreMemory},
    {760, kTransformGate, TransformCommand},
    {770, kTransformGate, TransformCommand},
    {780, kTransformGate, TransformCommand},
    {790, kTransformGate, TransformCommand},
    {800, kTransformGate, TransformCommand},
    {810, kTransformGate, TransformCommand},
    {965, kTransformGate | GateNew, BlockOrderCommand},
    {1220, kTransformGate, ExchangeCommand},
    {0, 0, nullptr},
};
