#include "techniques/pattern_common.h"

#include "board/candidates.h"
#include "board/queue.h"

void LoadPatternTable(PatternTable& t) {
  LoadCellMasks(t.mask);
  LoadAllUnitHolders(t.holders);
  t.open = {0, 0};
  for (uint32_t d = 0; d < 9; ++d) t.digitCells[d] = {0, 0};
  for (uint32_t c = 0; c < 81; ++c) {
    const uint32_t count = g.cand.count[c];
    if (count == 0) {
      t.mask[c] = 0;
      continue;
    }
    if (count >= 2) t.open = t.open | OneCell(c);
    for (uint32_t m = t.mask[c]; m; m &= m - 1)
      t.digitCells[std::countr_zero(m)] = t.digitCells[std::countr_zero(m)] | OneCell(c);
  }
}

void BeginRun(PatternRun& run) {
  ResetQueue();
  for (uint64_t& w : run.queued) w = 0;
  run.pending = 0;
  run.patterns = 0;
}

void OfferRemoval(PatternRun& run, const PatternTable& t, uint32_t cell, uint32_t d) {
  if (cell > 80 || d > 8 || !Contains(t.open, cell) || (t.mask[cell] >> d & 1) == 0) return;
  const uint32_t bit = cell * 9 + d;
  uint64_t& word = run.queued[bit / 64];
  if (word >> (bit % 64) & 1) return;
  if (run.pending >= kPatternRemovalCapacity || g.queue.length + run.pending >= kQueueCapacity)
    return;
  word |= 1ull << (bit % 64);
  run.cell[run.pending] = cell;
  run.digit[run.pending] = d;
  ++run.pending;
}

void OfferRemovals(PatternRun& run, const PatternTable& t, Cells81 cells, uint32_t d) {
  for (Cells81 s = cells & t.digitCells[d] & t.open; !IsEmpty(s);)
    OfferRemoval(run, t, TakeFirst(s), d);
}

void QueuePendingRemovals(PatternRun& run) {
  for (uint32_t i = 0; i < run.pending; ++i) QueueElimination(run.cell[i], run.digit[i]);
  run.pending = 0;
  ++run.patterns;
}

void WriteHeaderLine(const std::string& line) { LogLine(line); }

uint32_t FinishPatternRoutine(uint32_t code, uint32_t place) {
  if (g.queue.length > 0) FlushEliminations(code);
  return FinishRoutine(place, KindAuto);
}

std::string CellName(uint32_t cell) {
  return Format("r%uc%u", RowOf(cell) + 1, ColumnOf(cell) + 1);
}

std::string GroupName(Cells81 cells) {
  uint32_t rows = 0, columns = 0, n = 0;
  for (Cells81 s = cells; !IsEmpty(s); ++n) {
    const uint32_t c = TakeFirst(s);
    rows |= 1u << RowOf(c);
    columns |= 1u << ColumnOf(c);
  }
  std::string out;
  if (n == 0) return out;
  auto digits = [](uint32_t bits) {
    std::string s;
    for (; bits; bits &= bits - 1) s += static_cast<char>('1' + std::countr_zero(bits));
    return s;
  };
  if (static_cast<uint32_t>(std::popcount(rows) * std::popcount(columns)) == n)
    return "r" + digits(rows) + "c" + digits(columns);
  for (Cells81 s = cells; !IsEmpty(s);) {
    if (!out.empty()) out += ',';
    out += CellName(TakeFirst(s));
  }
  return out;
}

std::string Candidate(uint32_t d, uint32_t cell) { return Format("(%u)", d + 1) + CellName(cell); }

std::string GroupCandidate(uint32_t d, Cells81 cells) {
  return Format("(%u)", d + 1) + GroupName(cells);
}

std::string DigitList(uint32_t mask) {
  std::string s;
  for (uint32_t m = mask; m; m &= m - 1) s += static_cast<char>('1' + std::countr_zero(m));
  return s;
}

std::string RemovalText(const PatternRun& run) {
  std::string out;
  for (uint32_t d = 0; d < 9; ++d) {
    Cells81 cells{0, 0};
    for (uint32_t i = 0; i < run.pending; ++i)
      if (run.digit[i] == d) cells = cells | OneCell(run.cell[i]);
    if (IsEmpty(cells)) continue;
    if (!out.empty()) out += ", ";
    std::string names;
    for (Cells81 s = cells; !IsEmpty(s);) {
      if (!names.empty()) names += ',';
      names += CellName(TakeFirst(s));
    }
    out += names + Format("<>%u", d + 1);
  }
  return out;
}

std::string PatternLine(const std::string& pattern, const PatternRun& run) {
  return pattern + " => " + RemovalText(run);
}
