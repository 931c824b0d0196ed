#include "board/transform.h"

#include <cstring>

#include "board/candidates.h"
#include "board/state.h"

void BackupBoard() {
  std::memcpy(g.kindBackup, g.board.kind, sizeof g.kindBackup);
  std::memcpy(g.valueBackup, g.board.value, sizeof g.valueBackup);
}

// New cell (r, c) takes old cell source(r, c), both from the backups.
template <typename Source>
static void Rearrange(Source source) {
  BackupBoard();
  for (uint32_t r = 0; r < 9; ++r)
    for (uint32_t c = 0; c < 9; ++c) {
      const uint32_t from = source(r, c);
      g.board.value[CellAt(r, c)] = g.valueBackup[from];
      g.board.kind[CellAt(r, c)] = g.kindBackup[from];
    }
}

uint32_t TransformBoard(uint32_t command) {
  switch (command) {
    case 760: Rearrange([](uint32_t r, uint32_t c) { return CellAt(8 - c, r); }); return 1;
    case 770: Rearrange([](uint32_t r, uint32_t c) { return CellAt(c, 8 - r); }); return 1;
    case 780: Rearrange([](uint32_t r, uint32_t c) { return CellAt(r, 8 - c); }); return 1;
    case 790: Rearrange([](uint32_t r, uint32_t c) { return CellAt(8 - r, c); }); return 1;
    case 800: Rearrange([](uint32_t r, uint32_t c) { return CellAt(8 - r, 8 - c); }); return 1;
    case 810: Rearrange([](uint32_t r, uint32_t c) { return CellAt(c, r); }); return 1;
    default: return 0;
  }
}

void SwapBlockOrder() {
  Rearrange([](uint32_t r, uint32_t c) { return BlockOrder[CellAt(r, c)]; });
}

void ExchangeRandomDigits() {
  const uint32_t a = Random() % 9 + 1;
  const uint32_t x = Random() % 8;
  const uint32_t b = x + 1 < a ? x + 1 : x + 2;
  const uint32_t y = Random() % 7;
  uint32_t t = y + 1 < a ? y + 1 : y + 2;
  const uint32_t c = t < b ? t : t + 1;
  const uint32_t z = Random() % 6;
  t = z + 1 < a ? z + 1 : z + 2;
  const uint32_t u = t < b ? t : t + 1;
  const uint32_t d = u < c ? u : u + 1;
  // The skips above assume a < b; when b < a the second pair can share a digit with the
  // first (a = 3, b = 2 gives c = 3). Exchanging both pairs on the original value would then
  // send two digits to the same one and break a valid grid, so the second exchange is
  // applied to the result of the first: always a permutation of the digits, and the same
  // result whenever the two pairs are disjoint.
  for (uint32_t cell = 0; cell < 81; ++cell) {
    uint32_t v = g.board.value[cell];
    if (v == 0) continue;
    if (v == a)
      v = b;
    else if (v == b)
      v = a;
    if (v == c)
      v = d;
    else if (v == d)
      v = c;
    g.board.value[cell] = v;
  }
}

// Position inside a group of three after a roll or an exchange: entry p is the old index
// the new index p takes.
static const uint32_t kRollUp[3] = {1, 2, 0};    // first takes second, ... third takes first
static const uint32_t kRollDown[3] = {2, 0, 1};  // the reverse
static const uint32_t kExchange[3] = {2, 1, 0};

uint32_t EditMove(uint32_t button) {
  if (button < 1750 || button > 1980 || (button - 1750) % 10 != 0) return 0;
  const uint32_t step = (button - 1750) / 10;  // 0..23
  switch (step) {
    case 0: Rearrange([](uint32_t r, uint32_t c) { return CellAt(r, (c + 6) % 9); }); return 1;
    case 1: Rearrange([](uint32_t r, uint32_t c) { return CellAt(r, (c + 3) % 9); }); return 1;
    case 2:
      Rearrange([](uint32_t r, uint32_t c) { return CellAt(r, c < 3 ? c + 6 : c >= 6 ? c - 6 : c); });
      return 1;
    case 3: Rearrange([](uint32_t r, uint32_t c) { return CellAt((r + 3) % 9, c); }); return 1;
    case 4: Rearrange([](uint32_t r, uint32_t c) { return CellAt((r + 6) % 9, c); }); return 1;
    case 5:
      Rearrange([](uint32_t r, uint32_t c) { return CellAt(r < 3 ? r + 6 : r >= 6 ? r - 6 : r, c); });
      return 1;
    default: break;
  }
  const uint32_t local = step - 6;       // 0..17
  const uint32_t group = local / 3 % 3;  // band or stack
  const uint32_t kind = local % 3;       // roll one way, the other way, exchange
  const uint32_t* map;
  if (local < 9) {
    map = kind == 0 ? kRollUp : kind == 1 ? kRollDown : kExchange;
    Rearrange([group, map](uint32_t r, uint32_t c) {
      return r / 3 == group ? CellAt(group * 3 + map[r % 3], c) : CellAt(r, c);
    });
  } else {
    // Columns: "right roll" means the first column takes the third.
    map = kind == 0 ? kRollDown : kind == 1 ? kRollUp : kExchange;
    Rearrange([group, map](uint32_t r, uint32_t c) {
      return c / 3 == group ? CellAt(r, group * 3 + map[c % 3]) : CellAt(r, c);
    });
  }
  return 1;
}


void BeginEditSession() {
  BackupBoard();
  std::memcpy(g.editSession.kind, g.kindBackup, sizeof g.editSession.kind);
  std::memcpy(g.editSession.value, g.valueBackup, sizeof g.editSession.value);
  g.editSession.cand = g.cand;
  std::memcpy(g.editSession.solution, g.solution, sizeof g.editSession.solution);
  g.editSession.open = true;
}

void EndEditSession(bool keep) {
  if (!g.editSession.open) return;
  g.editSession.open = false;
  if (keep) return;
  std::memcpy(g.board.kind, g.editSession.kind, sizeof g.editSession.kind);
  std::memcpy(g.board.value, g.editSession.value, sizeof g.editSession.value);
  g.cand = g.editSession.cand;
  ForgetUnitHolders();
  std::memcpy(g.solution, g.editSession.solution, sizeof g.solution);
}
