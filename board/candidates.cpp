#include "board/candidates.h"

#include <bit>
#include <cstring>
#include <string>
#include <utility>

#include "board/platform.h"
#include "board/queue.h"
#include "board/state.h"

// A cell's row, column and block as units, and its place in each of them.
struct CellUnits {
  uint8_t unit[3];
  uint8_t place[3];
};
struct CellUnitTable {
  CellUnits cell[81];
};
static constexpr CellUnitTable MakeCellUnits() {
  CellUnitTable t{};
  for (uint32_t c = 0; c < 81; ++c) {
    const uint32_t r = c / 9, col = c % 9;
    t.cell[c] = {{static_cast<uint8_t>(r), static_cast<uint8_t>(9 + col),
                  static_cast<uint8_t>(18 + r / 3 * 3 + col / 3)},
                 {static_cast<uint8_t>(col), static_cast<uint8_t>(r),
                  static_cast<uint8_t>(r % 3 * 3 + col % 3)}};
  }
  return t;
}
static constexpr CellUnitTable kCellUnits = MakeCellUnits();

// A cell that every digit is taken from keeps one candidate: the digit whose first filled
// peer comes last, in cell order, since a removal never takes a cell's last candidate.
static void KeepLastCandidate(uint32_t p) {
  uint32_t* flag = g.cand.flag + p * 9;
  uint32_t& count = g.cand.count[p];
  for (uint32_t d = 0; d < 9; ++d) flag[d] = 1;
  count = 9;
  for (uint32_t q = 0; q < 81; ++q) {
    const uint32_t value = g.board.value[q];
    if (value == 0 || value > 9 || !SharesUnit(p, q)) continue;
    if (count > 1 && flag[value - 1]) {
      flag[value - 1] = 0;
      --count;
    }
  }
}

uint32_t ComputeCandidates() {
  uint32_t used[27] = {0};
  for (uint32_t c = 0; c < 81; ++c) {
    const uint32_t value = g.board.value[c];
    if (value == 0 || value > 9) continue;
    const uint32_t bit = 1u << (value - 1);
    used[RowOf(c)] |= bit;
    used[9 + ColumnOf(c)] |= bit;
    used[18 + BlockOf(c)] |= bit;
  }
  uint32_t total = 0;
  for (uint32_t c = 0; c < 81; ++c) {
    uint32_t* flag = g.cand.flag + c * 9;
    uint32_t allowed = 0;
    if (g.board.value[c] == 0) {
      allowed = ~(used[RowOf(c)] | used[9 + ColumnOf(c)] | used[18 + BlockOf(c)]) & 0x1FF;
      if (allowed == 0) {
        KeepLastCandidate(c);
        total += g.cand.count[c];
        continue;
      }
    }
    for (uint32_t d = 0; d < 9; ++d) flag[d] = allowed >> d & 1;
    g.cand.count[c] = static_cast<uint32_t>(std::popcount(allowed));
    total += g.cand.count[c];
  }
  g.cand.total = total;
  ForgetUnitHolders();
  return 1;
}

void LoadCellMasks(uint32_t mask[81]) {
  HolderCache& cache = g.holderCache;
  if (cache.depth != 0 && (cache.known & kKnownCellMasks) != 0) {
    std::memcpy(mask, cache.mask, sizeof cache.mask);
    return;
  }
  const uint32_t* flag = g.cand.flag;
  for (uint32_t c = 0; c < 81; ++c, flag += 9)
    mask[c] = (flag[0] != 0) | (flag[1] != 0) << 1 | (flag[2] != 0) << 2 | (flag[3] != 0) << 3 |
              (flag[4] != 0) << 4 | (flag[5] != 0) << 5 | (flag[6] != 0) << 6 |
              (flag[7] != 0) << 7 | (flag[8] != 0) << 8;
  if (cache.depth == 0) return;
  std::memcpy(cache.mask, mask, sizeof cache.mask);
  cache.known |= kKnownCellMasks;
}

void BeginUnitHolderCache() {
  if (g.holderCache.depth++ == 0) g.holderCache.known = 0;
}

void EndUnitHolderCache() {
  if (g.holderCache.depth > 0 && --g.holderCache.depth == 0) g.holderCache.known = 0;
}

void ForgetUnitHolders() { g.holderCache.known = 0; }

void LoadUnitHolders(uint32_t d, uint32_t holders[27]) {
  HolderCache& cache = g.holderCache;
  if (cache.depth != 0) {
    // Working out all nine digits costs little more than one, and the next caller will
    // likely ask for the others.
    if ((cache.known >> d & 1) == 0) {
      uint32_t all[9][27];
      LoadAllUnitHolders(all);
    }
    std::memcpy(holders, cache.holders[d], sizeof cache.holders[d]);
    return;
  }
  for (uint32_t unit = 0; unit < 27; ++unit) holders[unit] = 0;
  for (uint32_t c = 0; c < 81; ++c) {
    if (g.cand.count[c] == 0 || g.cand.flag[c * 9 + d] == 0) continue;
    const uint32_t r = RowOf(c), col = ColumnOf(c);
    holders[r] |= 1u << col;
    holders[9 + col] |= 1u << r;
    holders[18 + BlockOf(c)] |= 1u << (r % 3 * 3 + col % 3);
  }
}

void LoadAllUnitHolders(uint32_t holders[9][27]) {
  HolderCache& cache = g.holderCache;
  constexpr uint32_t kAllDigits = 0x1FF;
  if (cache.depth != 0 && (cache.known & kAllDigits) == kAllDigits) {
    std::memcpy(holders, cache.holders, sizeof cache.holders);
    return;
  }
  uint32_t mask[81];
  LoadCellMasks(mask);
  std::memset(holders, 0, sizeof cache.holders);
  for (uint32_t c = 0; c < 81; ++c) {
    if (g.cand.count[c] == 0) continue;
    const uint32_t r = RowOf(c), col = ColumnOf(c), b = 18 + BlockOf(c);
    const uint32_t inBlock = r % 3 * 3 + col % 3;
    for (uint32_t m = mask[c]; m != 0; m &= m - 1) {
      uint32_t* h = holders[std::countr_zero(m)];
      h[r] |= 1u << col;
      h[9 + col] |= 1u << r;
      h[b] |= 1u << inBlock;
    }
  }
  if (cache.depth == 0) return;
  std::memcpy(cache.holders, holders, sizeof cache.holders);
  cache.known |= kAllDigits;
}

// Bit d: the digit is held by one cell of the unit only.
static uint32_t HeldOnce(uint32_t positions, uint32_t d) {
  return static_cast<uint32_t>(positions != 0 && (positions & (positions - 1)) == 0) << d;
}

void ForgetCandidate(uint32_t c, uint32_t d) {
  HolderCache& cache = g.holderCache;
  const CellUnits& cu = kCellUnits.cell[c];
  if ((cache.known >> d & 1) != 0) {
    for (uint32_t i = 0; i < 3; ++i) {
      uint32_t& positions = cache.holders[d][cu.unit[i]];
      positions &= ~(1u << cu.place[i]);
      if ((cache.known & kKnownOnce) != 0) {
        uint32_t& once = cache.once[cu.unit[i]];
        once = (once & ~(1u << d)) | HeldOnce(positions, d);
      }
    }
  }
  if ((cache.known & kKnownCellMasks) != 0) cache.mask[c] &= ~(1u << d);
  if ((cache.known & kKnownOpenUnits) != 0 && g.cand.count[c] == 1)
    for (uint32_t i = 0; i < 3; ++i) cache.open[cu.unit[i]] &= ~(1u << cu.place[i]);
}

// Digit table check of one unit from a per-cell digit source; returns 1 when every digit 1..9
// is present.
template <typename DigitOf>
static uint32_t UnitComplete(uint32_t type, uint32_t unit, DigitOf digitOf) {
  uint32_t present[10] = {0};
  for (uint32_t k = 0; k < 9; ++k) {
    uint32_t d = digitOf(UnitCell(type, unit, k));
    if (d >= 1 && d <= 9) present[d] = 1;
  }
  for (uint32_t d = 1; d <= 9; ++d)
    if (!present[d]) return 0;
  return 1;
}

uint32_t CheckComplete() {
  for (uint32_t c = 0; c < 81; ++c)
    if (g.board.value[c] == 0) return 0;
  auto value = [](uint32_t c) { return g.board.value[c]; };
  for (uint32_t t = 0; t < 3; ++t)
    for (uint32_t u = 0; u < 9; ++u)
      if (!UnitComplete(t, u, value)) return 0;
  return 1;
}

uint32_t CheckUnits() {
  const bool analysis = IsAnalysisMode();
  for (uint32_t c = 0; c < 81; ++c) {
    if (g.board.value[c] != 0) continue;
    if (!analysis || g.cand.count[c] >= 2) return kBrokenUnknown;
  }
  auto digitOf = [analysis](uint32_t c) -> uint32_t {
    if (g.board.value[c] != 0) return g.board.value[c];
    if (!analysis || g.cand.count[c] != 1) return 0;
    for (uint32_t d = 0; d < 9; ++d)
      if (g.cand.flag[c * 9 + d]) return d + 1;
    return 0;
  };
  uint32_t mask = 0;
  for (uint32_t t = 0; t < 3; ++t)
    for (uint32_t u = 0; u < 9; ++u)
      if (!UnitComplete(t, u, digitOf)) mask |= 1u << (t * 9 + u);
  return mask;
}

void MarkDuplicates(uint32_t unitType, uint32_t unit) {
  for (uint32_t d = 1; d <= 9; ++d) {
    uint32_t n = 0;
    for (uint32_t k = 0; k < 9; ++k) n += g.board.value[UnitCell(unitType, unit, k)] == d;
    if (n < 2) continue;
    for (uint32_t k = 0; k < 9; ++k) {
      uint32_t c = UnitCell(unitType, unit, k);
      if (g.board.value[c] == d) g.board.kind[c] = KindMarked;
    }
  }
}

void CompletionDisplay() {
  const bool normal = g.screenMode == ModeNormal;
  uint32_t sameDigit = g.sameDigitDisplay;
  if (normal) {
    g.sameDigitDisplay = 0;
    std::memcpy(g.kindBackup, g.board.kind, sizeof g.kindBackup);
  }
  const uint32_t r = CheckUnits();
  if (r == 0) {
    P().SetStatus(0, "祝！完成");
  } else if (r == kBrokenUnknown) {
    P().SetStatus(0, "失敗です…");
  } else {
    static const char* const kSection[3] = {"行：", "列：", "塊："};
    std::string text;
    for (uint32_t t = 0; t < 3; ++t) {
      if (((r >> (t * 9)) & 0x1FF) == 0) continue;
      text += kSection[t];
      for (uint32_t i = 0; i < 9; ++i) {
        if (!(r & (1u << (t * 9 + i)))) continue;
        // Full-width digit U+FF11 + i, encoded in UTF-8 (EF BC 91 + i).
        text += '\xEF';
        text += '\xBC';
        text += static_cast<char>(0x91 + i);
        text += ' ';
        if (normal) MarkDuplicates(t, i);
      }
    }
    P().Repaint();
    P().MessageBox(text, "矛盾しています", IconStop, ButtonsOk);
    P().SetStatus(0, "失敗です…");
  }
  if (normal) {
    std::memcpy(g.board.kind, g.kindBackup, sizeof g.kindBackup);
    g.sameDigitDisplay = sameDigit;
  }
  g.messageCountdown = 6;
}

uint32_t FinishRoutine(uint32_t place, uint32_t kind) {
  if (place == 0) return 1;
  return PlacementPass(kind);
}

// Per unit, the cells that hold two candidates or more (bit k for the unit's k-th cell): the
// only cells the singles queue in.
static void LoadOpenUnits(uint32_t open[27]) {
  HolderCache& cache = g.holderCache;
  if (cache.depth != 0 && (cache.known & kKnownOpenUnits) != 0) {
    std::memcpy(open, cache.open, sizeof cache.open);
    return;
  }
  std::memset(open, 0, sizeof cache.open);
  for (uint32_t c = 0; c < 81; ++c) {
    if (g.cand.count[c] < 2) continue;
    const uint32_t r = RowOf(c), col = ColumnOf(c);
    open[r] |= 1u << col;
    open[9 + col] |= 1u << r;
    open[18 + BlockOf(c)] |= 1u << (r % 3 * 3 + col % 3);
  }
  if (cache.depth == 0) return;
  std::memcpy(cache.open, open, sizeof cache.open);
  cache.known |= kKnownOpenUnits;
}

// The tables the singles read: what the batch keeps, when it keeps them, else worked out
// into the caller's buffer.
static const uint32_t (*AllUnitHolders(uint32_t (*buffer)[27]))[27] {
  const HolderCache& cache = g.holderCache;
  if (cache.depth != 0 && (cache.known & 0x1FF) == 0x1FF) return cache.holders;
  LoadAllUnitHolders(buffer);
  return buffer;
}
static const uint32_t* OpenUnits(uint32_t* buffer) {
  const HolderCache& cache = g.holderCache;
  if (cache.depth != 0 && (cache.known & kKnownOpenUnits) != 0) return cache.open;
  LoadOpenUnits(buffer);
  return buffer;
}
static const uint32_t* CellMasks(uint32_t* buffer) {
  const HolderCache& cache = g.holderCache;
  if (cache.depth != 0 && (cache.known & kKnownCellMasks) != 0) return cache.mask;
  LoadCellMasks(buffer);
  return buffer;
}
// Per unit, the digits held by one cell only, from the unit holders of all nine digits.
static const uint32_t* OnceDigits(const uint32_t (*holders)[27], uint32_t* buffer) {
  HolderCache& cache = g.holderCache;
  if (cache.depth != 0 && (cache.known & kKnownOnce) != 0) return cache.once;
  for (uint32_t unit = 0; unit < 27; ++unit) {
    uint32_t once = 0;
    for (uint32_t d = 0; d < 9; ++d) once |= HeldOnce(holders[d][unit], d);
    buffer[unit] = once;
  }
  if (holders != cache.holders) return buffer;
  std::memcpy(cache.once, buffer, sizeof cache.once);
  cache.known |= kKnownOnce;
  return cache.once;
}


// A hidden single queues, in this order, the cell's other digits and then the digit in every
// other open cell of the cell's row, column and block (a cell of both the row and the block
// twice). Entries that find the candidate gone are queued as well: they count towards the
// queue's length, its limit and the header of the detailed log, though they remove nothing.
// Of those only the number is kept (the queue's idle entries); the others are written.
namespace {
class SingleQueue {
 public:
  uint32_t Length() const { return length_; }

  // Counts n entries that remove nothing; false (and nothing counted) if the limit could cut
  // them short, so that the caller queues them one by one.
  bool Idle(uint32_t n) {
    if (length_ + n > kQueueCapacity) return false;
    length_ += n;
    return true;
  }

  // One entry for each bit k of `all`, ascending, naming entry(k) = {cell, digit}; the
  // entries of `removes` (part of `all`) are the ones written.
  template <typename Entry>
  void Queue(uint32_t all, uint32_t removes, Entry entry) {
    const uint32_t n = static_cast<uint32_t>(std::popcount(all));
    if (length_ + n <= kQueueCapacity) {
      length_ += n;
      for (uint32_t m = removes; m != 0; m &= m - 1) Write(entry(std::countr_zero(m)));
      return;
    }
    for (uint32_t m = all; m != 0 && length_ < kQueueCapacity; m &= m - 1) {
      ++length_;
      const uint32_t k = static_cast<uint32_t>(std::countr_zero(m));
      if ((removes >> k & 1) != 0) Write(entry(k));
    }
  }

 private:
  static void Write(std::pair<uint32_t, uint32_t> entry) {
    QueueElimination(entry.first, entry.second);
  }
  uint32_t length_ = 0;
};
}  // namespace

uint32_t HiddenSingle(uint32_t place) {
  ResetQueue();
  const uint32_t* count = g.cand.count;
  uint32_t holderBuffer[9][27], openBuffer[27], maskBuffer[81];
  const uint32_t(*holders)[27] = AllUnitHolders(holderBuffer);
  const uint32_t* open = OpenUnits(openBuffer);
  const uint32_t* mask = CellMasks(maskBuffer);
  uint32_t onceBuffer[27];
  const uint32_t* once = OnceDigits(holders, onceBuffer);
  SingleQueue queue;
  // A cell down to one candidate is a single of that digit in each of its units, each time
  // with the same peers: their entries are counted once for the three.
  constexpr uint8_t kUnknown = 0xFF, kRemoves = 0xFE;
  uint8_t idlePeers[81];
  std::memset(idlePeers, kUnknown, sizeof idlePeers);
  for (uint32_t unit = 0; unit < 27; ++unit) {
    for (uint32_t digits = once[unit]; digits != 0; digits &= digits - 1) {
      const uint32_t d = static_cast<uint32_t>(std::countr_zero(digits));
      const uint32_t c = kUnitCells.cell[unit][std::countr_zero(holders[d][unit])];
      const bool solved = count[c] < 2;
      if (solved && idlePeers[c] != kUnknown && idlePeers[c] != kRemoves &&
          queue.Idle(idlePeers[c]))
        continue;
      if (!solved) {
        const uint32_t others = 0x1FFu & ~(1u << d);
        queue.Queue(others, mask[c] & others,
                    [c](uint32_t e) { return std::pair<uint32_t, uint32_t>{c, e}; });
      }
      const CellUnits& cu = kCellUnits.cell[c];
      uint32_t peers[3], removes = 0, n = 0;
      for (uint32_t i = 0; i < 3; ++i) {
        peers[i] = open[cu.unit[i]] & ~(1u << cu.place[i]);
        removes |= peers[i] & holders[d][cu.unit[i]];
        n += static_cast<uint32_t>(std::popcount(peers[i]));
      }
      if (solved) idlePeers[c] = removes == 0 ? static_cast<uint8_t>(n) : kRemoves;
      // Most singles are cells already down to their digit, whose peers have lost it too.
      if (removes == 0 && queue.Idle(n)) continue;
      for (uint32_t i = 0; i < 3; ++i) {
        const uint32_t u = cu.unit[i];
        queue.Queue(peers[i], peers[i] & holders[d][u], [u, d](uint32_t k) {
          return std::pair<uint32_t, uint32_t>{kUnitCells.cell[u][k], d};
        });
      }
    }
  }
  g.queue.idle = queue.Length() - g.queue.length;
  if (queue.Length() != 0) FlushEliminations(CodeHiddenSingle);
  return FinishRoutine(place, KindAutoSingle);
}

uint32_t NakedSingle(uint32_t place) {
  ResetQueue();
  const uint32_t* count = g.cand.count;
  uint32_t holderBuffer[9][27], openBuffer[27], maskBuffer[81];
  const uint32_t* mask = CellMasks(maskBuffer);
  const uint32_t(*holders)[27] = nullptr;
  const uint32_t* open = nullptr;
  for (uint32_t c = 0; c < 81; ++c) {
    if (count[c] != 1 || mask[c] == 0) continue;
    const uint32_t d = static_cast<uint32_t>(std::countr_zero(mask[c]));
    if (holders == nullptr) {
      holders = AllUnitHolders(holderBuffer);
      open = OpenUnits(openBuffer);
    }
    // The row, the column and the block in turn; a cell of both the row and the block is
    // queued twice.
    const CellUnits& cu = kCellUnits.cell[c];
    for (uint32_t i = 0; i < 3; ++i) {
      const uint32_t u = cu.unit[i];
      for (uint32_t m = open[u] & holders[d][u] & ~(1u << cu.place[i]); m != 0; m &= m - 1)
        QueueElimination(kUnitCells.cell[u][std::countr_zero(m)], d);
    }
  }
  if (g.queue.length) FlushEliminations(CodeNakedSingle);
  return FinishRoutine(place, KindAutoSingle);
}

uint32_t PlacementPass(uint32_t kind) {
  uint32_t placed = 0;
  for (uint32_t c = 0; c < 81; ++c) {
    if (g.cand.count[c] != 1) continue;
    if (g.board.value[c] != 0) return 0;
    for (uint32_t d = 0; d < 9; ++d)
      if (g.cand.flag[c * 9 + d]) {
        g.board.value[c] = d + 1;
        g.board.kind[c] = kind;
      }
    ++placed;
  }
  return placed ? 1 : 0;
}

uint32_t HintHiddenSingle() {
  g.hintMarkCount = 0;
  for (uint32_t t = 0; t < 3; ++t)
    for (uint32_t u = 0; u < 9; ++u) {
      uint32_t n[9] = {0};
      for (uint32_t k = 0; k < 9; ++k) {
        const uint32_t c = UnitCell(t, u, k);
        if (g.cand.count[c] == 0) continue;
        for (uint32_t d = 0; d < 9; ++d) n[d] += g.cand.flag[c * 9 + d] != 0;
      }
      for (uint32_t d = 0; d < 9; ++d) {
        if (n[d] != 1) continue;
        for (uint32_t k = 0; k < 9; ++k) {
          const uint32_t c = UnitCell(t, u, k);
          if (g.cand.count[c] != 0 && g.cand.flag[c * 9 + d]) {
            g.board.kind[c] = KindHint;
            ++g.hintMarkCount;
          }
        }
      }
    }
  return g.hintMarkCount > 0 ? 1 : 0;
}

static bool RowHas(uint32_t r, uint32_t d) {
  for (uint32_t k = 0; k < 9; ++k)
    if (g.board.value[r * 9 + k] == d) return true;
  return false;
}
static bool ColumnHas(uint32_t c, uint32_t d) {
  for (uint32_t k = 0; k < 9; ++k)
    if (g.board.value[k * 9 + c] == d) return true;
  return false;
}
static bool BlockHas(uint32_t b, uint32_t d) {
  for (uint32_t k = 0; k < 9; ++k)
    if (g.board.value[BlockCell(b, k)] == d) return true;
  return false;
}

// Free cells of block b for digit d after the row and column exclusions; returns how many,
// and the last one found.
static uint32_t BlockFreeCells(uint32_t b, uint32_t d, uint32_t& only) {
  uint32_t free = 0;
  const uint32_t r0 = (b / 3) * 3, c0 = (b % 3) * 3;
  bool rowBlocked[3], colBlocked[3];
  for (uint32_t i = 0; i < 3; ++i) {
    rowBlocked[i] = RowHas(r0 + i, d);
    colBlocked[i] = ColumnHas(c0 + i, d);
  }
  for (uint32_t k = 0; k < 9; ++k) {
    const uint32_t c = BlockCell(b, k);
    if (g.board.value[c] != 0 || rowBlocked[k / 3] || colBlocked[k % 3]) continue;
    ++free;
    only = c;
  }
  return free;
}

// Digits present in every row, column and block, kept up to date while a pass places
// digits, so that later digits and units see each placement at once.
struct UnitDigits {
  uint32_t row[9], col[9], box[9];
  void Load() {
    for (uint32_t i = 0; i < 9; ++i) row[i] = col[i] = box[i] = 0;
    for (uint32_t c = 0; c < 81; ++c) {
      const uint32_t v = g.board.value[c];
      if (v >= 1 && v <= 9) Add(c, v);
    }
  }
  void Add(uint32_t c, uint32_t v) {
    const uint32_t bit = 1u << v;
    row[RowOf(c)] |= bit;
    col[ColumnOf(c)] |= bit;
    box[BlockOf(c)] |= bit;
  }
  void Place(uint32_t c, uint32_t v) {
    g.board.value[c] = v;
    g.board.kind[c] = KindAuto;
    Add(c, v);
  }
};

uint32_t BlockUnique() {
  UnitDigits u;
  u.Load();
  uint32_t placed = 0;
  for (uint32_t b = 0; b < 9; ++b)
    for (uint32_t d = 1; d <= 9; ++d) {
      const uint32_t bit = 1u << d;
      if (u.box[b] & bit) continue;
      uint32_t free = 0, only = 0;
      for (uint32_t k = 0; k < 9; ++k) {
        const uint32_t c = BlockCell(b, k);
        if (g.board.value[c] != 0 || (u.row[RowOf(c)] & bit) || (u.col[ColumnOf(c)] & bit))
          continue;
        ++free;
        only = c;
      }
      if (free == 1) {
        u.Place(only, d);
        placed = 1;
      }
    }
  return placed;
}

// Free cells of line (type 0 row, 1 column) for digit d; count and the last one.
static uint32_t LineFreeCells(uint32_t type, uint32_t line, uint32_t d, uint32_t& only) {
  uint32_t free = 0;
  bool blockBlocked[3];
  for (uint32_t i = 0; i < 3; ++i) {
    const uint32_t b = type == 0 ? (line / 3) * 3 + i : i * 3 + line / 3;
    blockBlocked[i] = BlockHas(b, d);
  }
  for (uint32_t k = 0; k < 9; ++k) {
    const uint32_t c = type == 0 ? line * 9 + k : k * 9 + line;
    if (g.board.value[c] != 0 || blockBlocked[k / 3]) continue;
    if (type == 0 ? ColumnHas(k, d) : RowHas(k, d)) continue;
    ++free;
    only = c;
  }
  return free;
}

uint32_t LineUnique() {
  UnitDigits u;
  u.Load();
  uint32_t placed = 0;
  for (uint32_t type = 0; type < 2; ++type)
    for (uint32_t line = 0; line < 9; ++line)
      for (uint32_t d = 1; d <= 9; ++d) {
        const uint32_t bit = 1u << d;
        if ((type == 0 ? u.row[line] : u.col[line]) & bit) continue;
        uint32_t free = 0, only = 0;
        for (uint32_t k = 0; k < 9; ++k) {
          const uint32_t c = type == 0 ? line * 9 + k : k * 9 + line;
          if (g.board.value[c] != 0 || (u.box[BlockOf(c)] & bit)) continue;
          if ((type == 0 ? u.col[k] : u.row[k]) & bit) continue;
          ++free;
          only = c;
        }
        if (free == 1) {
          u.Place(only, d);
          placed = 1;
        }
      }
  return placed;
}

uint32_t SellUnique() {
  UnitDigits u;
  u.Load();
  uint32_t placed = 0;
  for (uint32_t c = 0; c < 81; ++c) {
    if (g.board.value[c] != 0) continue;
    const uint32_t allowed = ~(u.row[RowOf(c)] | u.col[ColumnOf(c)] | u.box[BlockOf(c)]) & 0x3FE;
    if (std::popcount(allowed) != 1) continue;
    u.Place(c, static_cast<uint32_t>(std::countr_zero(allowed)));
    placed = 1;
  }
  return placed;
}

uint32_t RunUniqueClosure() {
  const uint32_t before = CountFilled();
  bool any = true;
  while (any) {
    any = false;
    while (BlockUnique()) any = true;
    while (LineUnique()) any = true;
    while (SellUnique()) any = true;
  }
  return CountFilled() - before;
}

uint32_t UniqueClosureCheck() {
  uint32_t savedValue[81], savedKind[81];
  std::memcpy(savedValue, g.board.value, sizeof savedValue);
  std::memcpy(savedKind, g.board.kind, sizeof savedKind);
  if (g.screenMode == ModeMakeProblem || g.screenMode == ModeProblemInput) {
    for (uint32_t c = 0; c < 81; ++c)
      if (IsAutomaticKind(g.board.kind[c])) {
        g.board.value[c] = 0;
        g.board.kind[c] = KindEmpty;
      }
  }
  RunUniqueClosure();
  const uint32_t r = CheckComplete();
  std::memcpy(g.board.value, savedValue, sizeof savedValue);
  std::memcpy(g.board.kind, savedKind, sizeof savedKind);
  return r;
}

// Block test of CursorDigitCheck: d is forced into the cursor cell by its block.
static bool CursorBlockTest(uint32_t d) {
  const uint32_t cell = CursorCell();
  const uint32_t b = BlockOf(cell);
  if (BlockHas(b, d)) return false;
  uint32_t only = 0;
  return BlockFreeCells(b, d, only) == 1 && only == cell;
}

static bool CursorLineTest(uint32_t d) {
  const uint32_t cell = CursorCell();
  for (uint32_t type = 0; type < 2; ++type) {
    const uint32_t line = type == 0 ? RowOf(cell) : ColumnOf(cell);
    if (type == 0 ? RowHas(line, d) : ColumnHas(line, d)) return false;
    uint32_t only = 0;
    if (LineFreeCells(type, line, d, only) == 1 && only == cell) return true;
  }
  return false;
}

uint32_t CursorDigitCheck(uint32_t narrow) {
  const uint32_t cell = CursorCell();
  if (g.board.value[cell] != 0) return 0;
  uint32_t* allowed = g.cursorAllowed;
  const uint32_t n = AllowedByValues(cell, allowed);
  if (narrow == 0) return n;
  if (n == 1) {
    g.forcedReason = 0;
    return 1;
  }
  if (n == 0) return 0;
  for (uint32_t d = 1; d <= 9; ++d) {
    if (!allowed[d]) continue;
    uint32_t reason = 0;
    if (CursorBlockTest(d))
      reason = 1;
    else if (CursorLineTest(d))
      reason = 2;
    if (reason == 0) continue;
    g.forcedReason = reason;
    for (uint32_t e = 1; e <= 9; ++e)
      if (e != d) allowed[e] = 0;
    return 1;
  }
  return n;
}

uint32_t AcceptTypedDigit(uint32_t digit) {
  const uint32_t cell = CursorCell();
  const uint32_t old = g.board.value[cell];
  g.board.value[cell] = 0;
  const uint32_t r = CursorDigitCheck(1);
  if (digit < 1 || digit > 9 || g.cursorAllowed[digit] != 1) {
    g.board.value[cell] = old;
    return 0;
  }
  g.board.value[cell] = digit;
  if (g.screenMode == ModeProblemInput) return 1;
  g.board.kind[cell] = r < 2 ? KindInput : KindAssumed;
  return 1;
}
