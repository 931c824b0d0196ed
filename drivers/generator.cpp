// The puzzle generator. A sheet is a random solution grid; removal passes then take givens
// away one at a time in one of thirteen orders, keeping a removal only while the puzzle still
// solves by singles (320) or by the technique battery (322). Every random draw goes through
// Random(), so a seed reproduces the same puzzles.
#include "drivers/generator.h"

#include <cstring>
#include <string>
#include <vector>

#include "board/candidates.h"
#include "board/platform.h"
#include "board/queue.h"
#include "board/state.h"
#include "board/solver.h"
#include "drivers/batch.h"
#include "drivers/commands.h"
#include "drivers/frame.h"
#include "io/read.h"
#include "techniques/techniques.h"

// Inward spiral, down the left column first.
const uint32_t SpiralOrder[81] = {
    0, 31, 30, 29, 28, 27, 26, 25, 24,  //
    1, 32, 55, 54, 53, 52, 51, 50, 23,  //
    2, 33, 56, 71, 70, 69, 68, 49, 22,  //
    3, 34, 57, 72, 79, 78, 67, 48, 21,  //
    4, 35, 58, 73, 80, 77, 66, 47, 20,  //
    5, 36, 59, 74, 75, 76, 65, 46, 19,  //
    6, 37, 60, 61, 62, 63, 64, 45, 18,  //
    7, 38, 39, 40, 41, 42, 43, 44, 17,  //
    8, 9,  10, 11, 12, 13, 14, 15, 16,
};

// Anti-diagonal, then main diagonal, then the rest.
const uint32_t DiagonalOrder[81] = {
    9,  56, 29, 40, 17, 70, 25, 74, 0,   //
    60, 10, 47, 78, 31, 50, 55, 1,  39,  //
    23, 65, 11, 80, 21, 68, 2,  59, 28,  //
    49, 37, 75, 12, 43, 3,  64, 35, 46,  //
    19, 72, 34, 79, 4,  71, 44, 32, 20,  //
    53, 42, 77, 5,  62, 13, 51, 38, 67,  //
    27, 61, 6,  69, 22, 54, 14, 73, 24,  //
    36, 7,  66, 41, 33, 52, 58, 15, 76,  //
    8,  48, 26, 57, 18, 63, 30, 45, 16,
};

const uint32_t ScatterOrder[81] = {
    45, 18, 36, 44, 26, 62, 74, 20, 38,  //
    54, 0,  72, 71, 8,  35, 29, 2,  65,  //
    27, 63, 9,  53, 80, 17, 56, 47, 11,  //
    32, 68, 50, 13, 40, 76, 16, 79, 34,  //
    23, 5,  77, 49, 4,  31, 70, 7,  61,  //
    59, 41, 14, 67, 22, 58, 43, 25, 52,  //
    12, 66, 39, 33, 60, 78, 37, 46, 73,  //
    57, 3,  21, 51, 6,  24, 19, 1,  55,  //
    30, 75, 48, 15, 69, 42, 10, 64, 28,
};

namespace {


// Positions inside a block: 0 top-left, 1 top-middle, 2 top-right, 3 middle-left, 4 centre,
// 5 middle-right, 6 bottom-left, 7 bottom-middle, 8 bottom-right.
const uint32_t kSweepCentreFirst[9] = {4, 1, 2, 5, 8, 7, 6, 3, 0};  // mode 10
const uint32_t kSweepCornersFirst[9] = {0, 4, 8, 2, 6, 1, 7, 3, 5};  // mode 11

uint32_t Transposed(uint32_t cell) { return ColumnOf(cell) * 9 + RowOf(cell); }

struct RankIndex {
  uint32_t spiral[81], diagonal[81], scatter[81];  // rank -> cell
  RankIndex() {
    for (uint32_t c = 0; c < 81; ++c) {
      spiral[SpiralOrder[c]] = c;
      diagonal[DiagonalOrder[c]] = c;
      scatter[ScatterOrder[c]] = c;
    }
  }
};
const RankIndex kRank;

// Next cell of a ranked order: step +1 or -1, end past rank 80 or below rank 0.
uint32_t RankedNext(const uint32_t* rankOf, const uint32_t* cellOf, uint32_t cell, bool up) {
  const uint32_t rank = rankOf[cell];
  if (up) return rank >= 80 ? kOrderEnd : cellOf[rank + 1];
  return rank == 0 ? kOrderEnd : cellOf[rank - 1];
}

uint32_t SpiralNext(uint32_t cell, bool up, bool transposed) {
  if (!transposed) return RankedNext(SpiralOrder, kRank.spiral, cell, up);
  const uint32_t next = RankedNext(SpiralOrder, kRank.spiral, Transposed(cell), up);
  return next > 80 ? kOrderEnd : Transposed(next);
}

// The k-th unmarked entry (k counted from 0) of a flag table.
uint32_t NthUnmarked(const uint32_t* marks, uint32_t size, uint32_t k) {
  for (uint32_t i = 0; i < size; ++i)
    if (!marks[i] && k-- == 0) return i;
  return size;
}

uint32_t CountUnmarked(const uint32_t* marks, uint32_t size) {
  uint32_t n = 0;
  for (uint32_t i = 0; i < size; ++i) n += marks[i] == 0;
  return n;
}

uint32_t RandomCellNext(uint32_t cell) {
  if (cell < 81) g.generator.cellVisited[cell] = 1;
  const uint32_t n = CountUnmarked(g.generator.cellVisited, 81);
  if (n == 0) return kOrderEnd;
  return NthUnmarked(g.generator.cellVisited, 81, n == 1 ? 0 : Random() % n);
}

uint32_t RandomBlockNext(uint32_t cell) {
  if (cell < 81) {
    g.generator.cellVisited[cell] = 1;
    g.generator.blockVisited[BlockOf(cell)] = 1;
  }
  if (CountUnmarked(g.generator.cellVisited, 81) == 0) return kOrderEnd;
  uint32_t block;
  const uint32_t blocks = CountUnmarked(g.generator.blockVisited, 9);
  if (blocks == 0) {
    std::memset(g.generator.blockVisited, 0, sizeof g.generator.blockVisited);
    block = Random() % 6;
  } else {
    block = NthUnmarked(g.generator.blockVisited, 9, Random() % blocks);
  }
  uint32_t free = 0;
  for (uint32_t k = 0; k < 9; ++k) free += g.generator.cellVisited[BlockCell(block, k)] == 0;
  if (free == 0) return kOrderEnd;
  uint32_t pick = Random() % free;
  for (uint32_t k = 0; k < 9; ++k) {
    const uint32_t c = BlockCell(block, k);
    if (!g.generator.cellVisited[c] && pick-- == 0) return c;
  }
  return kOrderEnd;
}

// Modes 10 and 11: every phase visits each block once at the phase's position.
uint32_t BlockSweepNext(uint32_t cell, const uint32_t* positions) {
  if (cell == kOrderInitial) {
    const uint32_t block = Random() % 9;
    g.generator.blockVisited[block] = 1;
    return BlockCell(block, positions[0]);
  }
  if (CountUnmarked(g.generator.blockVisited, 9) == 0) {
    if (++g.generator.phase >= 9) return kOrderEnd;
    std::memset(g.generator.blockVisited, 0, sizeof g.generator.blockVisited);
  }
  const uint32_t block = NthUnmarked(g.generator.blockVisited, 9, Random() % CountUnmarked(g.generator.blockVisited, 9));
  g.generator.blockVisited[block] = 1;
  return BlockCell(block, positions[g.generator.phase]);
}

// Mode 12: as the sweeps, with each phase's position drawn at random. The first cell is the
// chosen block's top-left cell whatever position was drawn.
uint32_t RandomSweepNext(uint32_t cell) {
  if (cell == kOrderInitial) {
    std::memset(g.generator.positionTaken, 0, sizeof g.generator.positionTaken);
    g.generator.position = Random() % 9;
    g.generator.positionTaken[g.generator.position] = 1;
    const uint32_t block = Random() % 9;
    g.generator.blockVisited[block] = 1;
    return BlockCell(block, 0);
  }
  if (CountUnmarked(g.generator.blockVisited, 9) == 0) {
    if (++g.generator.phase >= 9) return kOrderEnd;
    g.generator.position = NthUnmarked(g.generator.positionTaken, 9, Random() % CountUnmarked(g.generator.positionTaken, 9));
    g.generator.positionTaken[g.generator.position] = 1;
    std::memset(g.generator.blockVisited, 0, sizeof g.generator.blockVisited);
  }
  const uint32_t block = NthUnmarked(g.generator.blockVisited, 9, Random() % CountUnmarked(g.generator.blockVisited, 9));
  g.generator.blockVisited[block] = 1;
  return BlockCell(block, g.generator.position);
}

}  // namespace

uint32_t NextCell(uint32_t cell, uint32_t mode) {
  if (cell > 80 && cell != kOrderInitial) return kOrderEnd;
  switch (mode) {
    case 0: return cell > 80 ? kOrderEnd : SpiralNext(cell, true, false);
    case 1: return cell > 80 ? kOrderEnd : SpiralNext(cell, false, false);
    case 8: return cell > 80 ? kOrderEnd : SpiralNext(cell, true, true);
    case 9: return cell > 80 ? kOrderEnd : SpiralNext(cell, false, true);
    case 4:
    case 5:
      if (cell > 80) return kOrderEnd;
      return RankedNext(DiagonalOrder, kRank.diagonal, cell, mode == 4);
    case 6:
    case 7:
      if (cell > 80) return kOrderEnd;
      return RankedNext(ScatterOrder, kRank.scatter, cell, mode == 6);
    case 2: return RandomCellNext(cell);
    case 3: return RandomBlockNext(cell);
    case 10: return BlockSweepNext(cell, kSweepCentreFirst);
    case 11: return BlockSweepNext(cell, kSweepCornersFirst);
    case 12: return RandomSweepNext(cell);
    default: return kOrderEnd;
  }
}

uint32_t StartCell(uint32_t mode) {
  switch (mode) {
    case 0: case 8: return 0;
    case 1: case 9: return 40;
    case 2: case 3:
      std::memset(g.generator.cellVisited, 0, sizeof g.generator.cellVisited);
      std::memset(g.generator.blockVisited, 0, sizeof g.generator.blockVisited);
      return Random() % 81;
    case 4: return 8;
    case 5: return 21;
    case 6: return 10;
    case 7: return 22;
    case 10: case 11: case 12:
      std::memset(g.generator.blockVisited, 0, sizeof g.generator.blockVisited);
      g.generator.phase = 0;
      return NextCell(kOrderInitial, mode);
    default: return kOrderEnd;
  }
}

uint32_t ChooseEraseMode() {
  if (CountUnmarked(g.generator.modeUsed, kEraseModeCount) == 0)
    std::memset(g.generator.modeUsed, 0, sizeof g.generator.modeUsed);
  const uint32_t k = CountUnmarked(g.generator.modeUsed, kEraseModeCount);
  g.generator.eraseMode = NthUnmarked(g.generator.modeUsed, kEraseModeCount, Random() % k);
  g.generator.modeUsed[g.generator.eraseMode] = 1;
  return g.generator.eraseMode;
}

uint32_t CurrentEraseMode() { return g.generator.eraseMode; }

void ResetEraseModes() {
  std::memset(g.generator.modeUsed, 0, sizeof g.generator.modeUsed);
  g.generator.eraseMode = 0;
}

// ---------------------------------------------------------------------------------------------
// Solution grids

namespace {

// Preference sets of cells 27..63. A cell of the middle band (rows 3-5) in stack s at offset j
// within the stack prefers the digits of the top band's block two stacks to the right
// (wrapping), in the two columns at offsets j and j+1 (wrapping) of that block; a cell of
// rows 6 and 7 prefers, in the same way, the top band's block one stack to the right. Those
// are the digits a shifted arrangement of the top band would put there, which keeps dead ends
// rare. Only the digits still allowed in the cell count; when none is, every allowed digit is
// a choice. Cell 27, for example, prefers the digits of cells 6, 7, 15, 16, 24 and 25.
struct PreferenceTable {
  uint32_t source[81][6];
  PreferenceTable() {
    for (uint32_t c = 27; c < 64; ++c) {
      const uint32_t r = RowOf(c), s = ColumnOf(c) / 3, j = ColumnOf(c) % 3;
      const uint32_t stack = r < 6 ? (s + 2) % 3 : (s + 1) % 3;
      uint32_t n = 0;
      for (uint32_t row = 0; row < 3; ++row)
        for (uint32_t k = 0; k < 2; ++k) source[c][n++] = row * 9 + stack * 3 + (j + k) % 3;
    }
  }
};
const PreferenceTable kPreference;

// The permutations of three items in lexicographic order.
const uint32_t kPermutation[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2},
                                     {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};

void SortThree(uint32_t t[3]) {
  for (uint32_t i = 0; i < 3; ++i)
    for (uint32_t k = i + 1; k < 3; ++k)
      if (t[k] < t[i]) std::swap(t[i], t[k]);
}

// Rows 1 and 2 of the top band. With A, B, C the top-row digits of blocks 0, 1, 2, row 1 of
// block 0 takes m digits of B and 3 - m of C, block 1 takes 3 - m of A and m of C, block 2
// takes m of A and 3 - m of B; row 2 of each block gets the digits its block still lacks.
// rand() mod 2 chooses a pure band (m 0 or 3) or a mixed one (m 1 or 2), rand() mod 2 which
// of the two; in a mixed band three rand() mod 3 draws pick the single digits of B (for
// block 0 when m = 1, kept out of it when m = 2), of C (kept out of block 0 when m = 1, given
// to it when m = 2) and of A (for block 2 when m = 1, for block 1 when m = 2). Each block row
// is then arranged by rand() mod 6 among the six orders of its three digits.
void FillTopBandRows() {
  uint32_t top[3][3];
  for (uint32_t b = 0; b < 3; ++b)
    for (uint32_t k = 0; k < 3; ++k) top[b][k] = g.board.value[b * 3 + k];
  const uint32_t* A = top[0];
  const uint32_t* B = top[1];
  const uint32_t* C = top[2];
  uint32_t row1[3][3];
  const uint32_t mixed = Random() % 2;
  const uint32_t which = Random() % 2;
  if (!mixed) {
    // m = 0: C, A, B; m = 3: B, C, A.
    const uint32_t* order[3] = {which ? B : C, which ? C : A, which ? A : B};
    for (uint32_t b = 0; b < 3; ++b)
      for (uint32_t k = 0; k < 3; ++k) row1[b][k] = order[b][k];
  } else {
    const uint32_t bi = Random() % 3, ck = Random() % 3, al = Random() % 3;
    auto others = [](const uint32_t* t, uint32_t skip, uint32_t out[2]) {
      uint32_t n = 0;
      for (uint32_t k = 0; k < 3; ++k)
        if (k != skip) out[n++] = t[k];
    };
    uint32_t bRest[2], cRest[2], aRest[2];
    others(B, bi, bRest);
    others(C, ck, cRest);
    others(A, al, aRest);
    if (which == 0) {  // m = 1
      const uint32_t b0[3] = {B[bi], cRest[0], cRest[1]};
      const uint32_t b1[3] = {aRest[0], aRest[1], C[ck]};
      const uint32_t b2[3] = {A[al], bRest[0], bRest[1]};
      std::memcpy(row1[0], b0, sizeof b0);
      std::memcpy(row1[1], b1, sizeof b1);
      std::memcpy(row1[2], b2, sizeof b2);
    } else {  // m = 2
      const uint32_t b0[3] = {bRest[0], bRest[1], C[ck]};
      const uint32_t b1[3] = {A[al], cRest[0], cRest[1]};
      const uint32_t b2[3] = {aRest[0], aRest[1], B[bi]};
      std::memcpy(row1[0], b0, sizeof b0);
      std::memcpy(row1[1], b1, sizeof b1);
      std::memcpy(row1[2], b2, sizeof b2);
    }
  }
  uint32_t row2[3][3];
  for (uint32_t b = 0; b < 3; ++b) {
    uint32_t used[10] = {0};
    for (uint32_t k = 0; k < 3; ++k) used[top[b][k]] = used[row1[b][k]] = 1;
    uint32_t n = 0;
    for (uint32_t d = 1; d <= 9; ++d)
      if (!used[d]) row2[b][n++] = d;
  }
  for (uint32_t r = 1; r <= 2; ++r)
    for (uint32_t b = 0; b < 3; ++b) {
      uint32_t t[3];
      std::memcpy(t, r == 1 ? row1[b] : row2[b], sizeof t);
      SortThree(t);
      const uint32_t* p = kPermutation[Random() % 6];
      for (uint32_t k = 0; k < 3; ++k) g.board.value[r * 9 + b * 3 + k] = t[p[k]];
    }
}

// The (rand() mod k)-th of the k digits marked in allowed, in increasing order; without a
// draw when there is only one.
uint32_t ChooseDigit(const uint32_t allowed[10], uint32_t k) {
  uint32_t pick = k == 1 ? 0 : Random() % k;
  for (uint32_t d = 1; d <= 9; ++d)
    if (allowed[d] && pick-- == 0) return d;
  return 0;
}

// A dead end: the cells the attempt could not fill are empty, not givens without a digit.
uint32_t AttemptFailed() {
  for (uint32_t c = 0; c < 81; ++c)
    if (g.board.value[c] == 0) g.board.kind[c] = KindEmpty;
  return 0;
}

}  // namespace

uint32_t FillSolutionGrid() {
  for (uint32_t c = 0; c < 81; ++c) {
    g.board.value[c] = 0;
    g.board.kind[c] = KindGiven;
  }
  // Row 0: a permutation of 1-9 by rejection.
  uint32_t inRow[10] = {0};
  for (uint32_t placed = 0; placed < 9;) {
    const uint32_t d = Random() % 9 + 1;
    if (inRow[d]) continue;
    inRow[d] = 1;
    g.board.value[placed++] = d;
  }
  FillTopBandRows();
  // Cells 27..63, each among its allowed digits, preferring its preference set.
  uint32_t allowed[10];
  for (uint32_t c = 27; c < 64; ++c) {
    const uint32_t n = AllowedByValues(c, allowed);
    if (n == 0) return AttemptFailed();
    uint32_t preferred[10] = {0};
    uint32_t k = 0;
    for (uint32_t i = 0; i < 6; ++i) {
      const uint32_t d = g.board.value[kPreference.source[c][i]];
      if (allowed[d] && !preferred[d]) {
        preferred[d] = 1;
        ++k;
      }
    }
    g.board.value[c] = k ? ChooseDigit(preferred, k) : ChooseDigit(allowed, n);
  }
  RunUniqueClosure();
  for (uint32_t c = 64; c < 81; ++c) {
    if (g.board.value[c] != 0) continue;
    const uint32_t n = AllowedByValues(c, allowed);
    if (n == 0) return AttemptFailed();
    g.board.value[c] = ChooseDigit(allowed, n);
    BlockUnique();
    LineUnique();
    SellUnique();
  }
  for (uint32_t c = 0; c < 81; ++c) g.board.kind[c] = KindGiven;
  return 1;
}

// ---------------------------------------------------------------------------------------------
// Sheets and removal passes

namespace {

void CopyBoardToSolution() {
  for (uint32_t c = 0; c < 81; ++c) g.solution[c] = g.board.value[c];
}

// A cell restored from the solution store: a given with the stored digit, or an empty cell
// when the store holds no digit there (make-problem entered with an incomplete board).
void RestoreFromSolution(uint32_t cell) {
  const uint32_t d = g.solution[cell];
  g.board.value[cell] = d <= 9 ? d : 0;
  g.board.kind[cell] = g.board.value[cell] ? KindGiven : KindEmpty;
}

uint32_t AcceptBySingles() {
  RunUniqueClosure();
  return CheckComplete();
}

using Routine = uint32_t (*)(uint32_t);
// "WXYZ-Wing" in the battery is the first member of the WXYZ-Wing(2) group, as in the
// batch and technique-check lists.
const Routine kBattery[] = {
    HiddenQuintuplet,   NakedQuintuplet,    HiddenQuad,       NakedQuad,
    HiddenTriple,       NakedTriple,        HiddenPair,       NakedPair,
    HiddenSingle,       NakedSingle,        Squirmbag,        JerryFish,
    SwordFish,          XWing,              LockedCandidates, XYWing,
    SimpleColoring,     MultiColoringType1, MultiColoringType2, RemotePairs,
    HamadaLogic,        XCycle,             XYChain,          XYZWing,
    WXYZWingType1,      WXYZWingType2,      WXYZWingType3,    AlsXZ,
    FinnedFish,         SashimiFish,        AlignedPairExclusion, DeathBlossom,
    Medusa3D,           SashimiSwordfish,   SashimiJerryfish, SashimiSquirmbag,
    SashimiWhale,       SashimiLeviathan,
};

bool AnyEmpty() {
  for (uint32_t c = 0; c < 81; ++c)
    if (g.board.value[c] == 0) return true;
  return false;
}

uint32_t AcceptByTechniques() {
  // Every technique of the battery removes only candidates that belong to no solution, so a
  // grid with two solutions can never be completed by it: refuse it without running it.
  if (CountGridSolutions(g.board.value, 2) != 1) return 0;
  uint32_t successes;
  do {
    successes = RunUniqueClosure();
    if (!AnyEmpty()) break;
    ComputeCandidates();
    for (Routine routine : kBattery)
      while (routine(1)) ++successes;
    for (uint32_t c = 0; c < 81; ++c) {
      if (g.board.value[c] != 0 || g.cand.count[c] != 1) continue;
      for (uint32_t d = 0; d < 9; ++d)
        if (g.cand.flag[c * 9 + d]) {
          g.board.value[c] = d + 1;
          g.board.kind[c] = KindAuto;
        }
    }
  } while (successes > 0);
  return CheckComplete();
}

void RemovalPass(uint32_t (*accept)()) {
  for (uint32_t c = 0; c < 81; ++c)
    if (g.board.kind[c] != KindGiven) {
      g.board.value[c] = 0;
      g.board.kind[c] = KindEmpty;
    }
  const uint32_t mode = ChooseEraseMode();
  const bool make = g.screenMode == ModeMakeProblem;
  uint32_t savedValue[81], savedKind[81];
  uint32_t cell = StartCell(mode);
  while (cell <= 80) {
    while (cell <= 80 && g.board.value[cell] == 0) cell = NextCell(cell, mode);
    if (cell > 80) break;
    const uint32_t d = g.board.value[cell];
    g.board.value[cell] = 0;
    g.board.kind[cell] = KindEmpty;
    std::memcpy(savedValue, g.board.value, sizeof savedValue);
    std::memcpy(savedKind, g.board.kind, sizeof savedKind);
    const uint32_t accepted = accept();
    std::memcpy(g.board.value, savedValue, sizeof savedValue);
    std::memcpy(g.board.kind, savedKind, sizeof savedKind);
    if (accepted) {
      UndoPush(cell + 256, make ? 0 : d * 256 + KindGiven);
    } else {
      g.board.value[cell] = d;
      g.board.kind[cell] = KindGiven;
    }
    cell = NextCell(cell, mode);
  }
}

void FinishRemovalPass() {
  ComputeCandidates();
  RefreshStatus(3);
  SetStatus(0, Format("消去モード %u", CurrentEraseMode() + 1));
}

}  // namespace

void GenerateSheet() {
  if (g.screenMode == ModeEdit) g.editStartFlag = 0;
  uint32_t attempts = 0;
  while (attempts < 201) {
    ++attempts;
    if (FillSolutionGrid()) break;
  }
  // In the make-problem screen the store and the candidate table follow the new grid before
  // the status shows the store's digit under the cursor.
  if (g.screenMode == ModeMakeProblem) {
    CopyBoardToSolution();
    ComputeCandidates();
  }
  RefreshStatus(3);
  SetStatus(1, Format(CheckComplete() ? "試行回数[%u]" : "作成失敗[%u]", attempts));
  UndoClear();
  ClearTechniqueLog();
}

void RemovalPassSingles() {
  if (g.screenMode == ModeEdit) g.editStartFlag = 0;
  if (!UniqueClosureCheck()) {
    ShowMessage("既に基本手法で解けなくなっています", "確認", IconStop);
    return;
  }
  RemovalPass(AcceptBySingles);
  FinishRemovalPass();
}

void RemovalPassTechniques() {
  if (g.screenMode == ModeEdit) g.editStartFlag = 0;
  const int32_t display = g.settings.candErase;
  g.settings.candErase = 0;
  RemovalPass(AcceptByTechniques);
  g.settings.candErase = display;
  FinishRemovalPass();
}

// ---------------------------------------------------------------------------------------------
// Hand toggles, masks, undo and the make-problem mode

void ToggleGiven() {
  if (g.screenMode != ModeMakeProblem) return;
  const uint32_t cell = CursorCell();
  if (g.board.kind[cell] != KindGiven) {
    // Nothing to put back where the store holds no digit.
    if (g.solution[cell] == 0 || g.solution[cell] > 9) return;
    RestoreFromSolution(cell);
    UndoPush(cell, 1);
  } else {
    g.board.value[cell] = 0;
    g.board.kind[cell] = KindEmpty;
    UndoPush(cell, 0);
  }
  ComputeCandidates();
  RefreshStatus(3);
}

void ApplyMask() {
  FileDialogRequest request;
  request.title = "読込マスク名の指定";
  request.defaultExtension = "txt";
  request.filters = {{"すべてのファイル", "*.*"}};
  request.initialDir = g.settings.initialDir;
  const std::string path = P().ChooseFile(request);
  if (path.empty()) return;
  std::vector<uint8_t> bytes;
  bool openFailed = false;
  if (!ReadFileBytes(path, 2047, bytes, openFailed)) {
    ShowMessage(path, openFailed ? "ファイルがオープンできません" : "読み込み異常",
                IconExclamation);
    return;
  }
  ParseMaskText(bytes.data(), bytes.size(), ChooseEncoding(bytes.data(), bytes.size(), false));
  const bool make = g.screenMode == ModeMakeProblem;
  for (uint32_t c = 0; c < 81; ++c) {
    if (g.maskTable[c] != 0) {
      if (make)
        RestoreFromSolution(c);
      else
        g.board.kind[c] = g.board.value[c] ? KindGiven : KindEmpty;
    } else {
      if (!make) UndoPush(c + 512, g.board.value[c] * 256 + g.board.kind[c]);
      g.board.value[c] = 0;
      g.board.kind[c] = KindEmpty;
    }
  }
  if (make) ComputeCandidates();
  RefreshStatus(3);
}

void UndoSteps() {
  UndoLog& log = g.undo;
  if (log.length == 0) return;
  const uint32_t mode = g.screenMode;
  const uint32_t group = log.entry[log.length - 1][0] >> 8;
  do {
    --log.length;
    const uint32_t cell = log.entry[log.length][0] & 0xFF;
    const uint32_t saved = log.entry[log.length][1];
    if (cell > 80) continue;
    if (mode == ModeMakeProblem) {
      if (saved == 1) {
        g.board.value[cell] = 0;
        g.board.kind[cell] = KindEmpty;
      } else {
        RestoreFromSolution(cell);
      }
    } else {
      const uint32_t value = saved >> 8;
      g.board.value[cell] = value <= 9 ? value : 0;
      g.board.kind[cell] = saved & 0xFF;
    }
  } while (group != 0 && log.length > 0 && (log.entry[log.length - 1][0] >> 8) == group);
  if (mode == ModeEdit) {
    P().Repaint();
    RefreshStatus(3);
  } else if (mode == ModeMakeProblem) {
    ComputeCandidates();
    RefreshStatus(3);
  } else if (mode == ModeProblemInput) {
    RunCommand(950);
  }
}

void EnterMakeProblem() {
  if (g.usageView != 0) {
    g.usageView = 0;
    P().ClosePanel(PanelCandidateUsage);
  }
  if (g.inputPanelOpen) {
    g.inputPanelOpen = 0;
    P().ClosePanel(PanelInput);
  }
  g.acceptDrops = 0;
  P().MenuCheck(330, true);
  g.screenMode = ModeMakeProblem;
  if (AnyEmpty()) {
    ClearBoard();
  } else {
    for (uint32_t c = 0; c < 81; ++c) g.board.kind[c] = KindGiven;
  }
  CopyBoardToSolution();
  ComputeCandidates();
  RefreshStatus(3);
  SetStatus(1, "");
  UndoClear();
  OpenAnalysisWindows();
  P().ShowToolbar(ModeMakeProblem);
}

void LeaveMakeProblem() {
  g.screenMode = ModeNormal;
  P().ShowToolbar(ModeNormal);
  P().MenuCheck(330, false);
  SetStatus(0, "");
  RefreshStatus(1);
  for (uint32_t c = 0; c < 81; ++c)
    if (g.board.value[c] == 0) g.board.kind[c] = KindEmpty;
  SetStatus(1, Format("空白残り[%u]", 81 - CountFilled()));
  CloseAnalysisWindows();
  g.acceptDrops = 1;
}

void ReadCreationStateCommand() {
  FileDialogRequest request;
  request.title = "読込ファイル名の指定";
  request.defaultExtension = "txt";
  request.filters = {{"すべてのファイル", "*.*"}};
  request.initialDir = g.settings.initialDir;
  const std::string path = P().ChooseFile(request);
  if (path.empty()) return;
  std::vector<uint8_t> bytes;
  bool openFailed = false;
  if (!ReadFileBytes(path, 2047, bytes, openFailed)) {
    ShowMessage(path, openFailed ? "ファイルがオープンできません" : "読み込み異常",
                IconExclamation);
    return;
  }
  ParseCreationState(bytes.data(), bytes.size());
  SetTitle(TitleForFile(path));
  UndoClear();
  ComputeCandidates();
  RefreshStatus(3);
}
