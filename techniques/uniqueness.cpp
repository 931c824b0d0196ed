// Uniqueness: the four unique-rectangle types and Gurth's symmetrical placement. Both rely on
// the puzzle having exactly one solution.
#include "board/candidates.h"
#include "board/queue.h"
#include "board/state.h"
#include "techniques/techniques.h"

namespace {

inline bool Holds(uint32_t cell, uint32_t d) { return g.cand.flag[cell * 9 + d] != 0; }
inline uint32_t Count(uint32_t cell) { return g.cand.count[cell]; }

// Queue when the cell still takes part (two or more candidates); presence is not tested.
inline void QueueOpen(uint32_t cell, uint32_t d) {
  if (Count(cell) >= 2) QueueElimination(cell, d);
}

// The one candidate of a three-candidate corner besides x and y.
uint32_t ThirdDigit(uint32_t cell, uint32_t x, uint32_t y) {
  for (uint32_t d = 0; d < 9; ++d)
    if (d != x && d != y && Holds(cell, d)) return d;
  return 9;
}

// A rectangle of two boxes: A and C share the roof line and a box; B and D lie opposite.
// Pass 1 has its roof on a row, pass 2 on a column.
struct Rectangle {
  uint32_t pass;
  uint32_t a, b, c, d;
};

// k-th cell (0..8) of the line through `cell` that the pass uses as roof line.
inline uint32_t LineCell(uint32_t pass, uint32_t cell, uint32_t k) {
  return pass == 1 ? CellAt(RowOf(cell), k) : CellAt(k, ColumnOf(cell));
}
// Position of a cell along the roof line.
inline uint32_t LinePos(uint32_t pass, uint32_t cell) {
  return pass == 1 ? ColumnOf(cell) : RowOf(cell);
}

using RectangleTest = void (*)(const Rectangle& rect, uint32_t x, uint32_t y);

void ScanRectangles(RectangleTest test) {
  const uint32_t* count = g.cand.count;
  auto corners = [&](uint32_t pass, uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    const uint32_t cells[4] = {a, b, c, d};
    for (uint32_t cell : cells)
      if (count[cell] < 2 || count[cell] > 3) return;
    const Rectangle rect{pass, a, b, c, d};
    for (uint32_t x = 0; x < 9; ++x)
      for (uint32_t y = 0; y < 9; ++y) {
        if (x == y) continue;
        bool all = true;
        for (uint32_t cell : cells) all = all && Holds(cell, x) && Holds(cell, y);
        if (all) test(rect, x, y);
      }
  };
  // Pass 1: two rows of different bands, two columns of one stack.
  for (uint32_t r1 = 0; r1 < 9; ++r1)
    for (uint32_t r2 = 0; r2 < 9; ++r2) {
      if (r1 / 3 == r2 / 3) continue;
      for (uint32_t c = 0; c < 8; ++c) {
        if ((c + 1) / 3 == c / 3)
          corners(1, CellAt(r1, c), CellAt(r2, c), CellAt(r1, c + 1), CellAt(r2, c + 1));
        if (c % 3 == 0)
          corners(1, CellAt(r1, c), CellAt(r2, c), CellAt(r1, c + 2), CellAt(r2, c + 2));
      }
    }
  // Pass 2: two columns of different stacks, two rows of one band.
  for (uint32_t c1 = 0; c1 < 9; ++c1)
    for (uint32_t c2 = 0; c2 < 9; ++c2) {
      if (c1 / 3 == c2 / 3) continue;
      for (uint32_t r = 0; r < 8; ++r) {
        if ((r + 1) / 3 == r / 3)
          corners(2, CellAt(r, c1), CellAt(r, c2), CellAt(r + 1, c1), CellAt(r + 1, c2));
        if (r % 3 == 0)
          corners(2, CellAt(r, c1), CellAt(r, c2), CellAt(r + 2, c1), CellAt(r + 2, c2));
      }
    }
}

// Every rectangle routine shares this frame.
uint32_t RunRectangles(RectangleTest test, uint32_t code, uint32_t place) {
  ResetQueue();
  ScanRectangles(test);
  if (g.queue.length > 0) FlushEliminations(code);
  return FinishRoutine(place, KindAuto);
}

// Type 1: three corners hold only x and y; the fourth cannot be x or y.
void Type1(const Rectangle& r, uint32_t x, uint32_t y) {
  const uint32_t na = Count(r.a), nb = Count(r.b), nc = Count(r.c), nd = Count(r.d);
  uint32_t target = 81;
  if (na == 3 && nb == 2 && nc == 2 && nd == 2)
    target = r.a;
  else if (na == 2 && nb == 2 && nc == 2 && nd == 3)
    target = r.d;
  else if (na == 2 && nb == 2 && nd == 2 && nc == 3)
    target = r.c;
  else if (na == 2 && nc == 2 && nd == 2 && nb == 3)
    target = r.b;
  if (target == 81) return;
  QueueOpen(target, x);
  QueueOpen(target, y);
}

// z leaves the roof's line (outside the roof) and the roof's box (outside the roof's line).
void QueueRoofDigit(uint32_t pass, uint32_t roof1, uint32_t roof2, uint32_t z) {
  const uint32_t p1 = LinePos(pass, roof1), p2 = LinePos(pass, roof2);
  for (uint32_t k = 0; k < 9; ++k)
    if (k != p1 && k != p2) QueueOpen(LineCell(pass, roof1, k), z);
  const uint32_t row = RowOf(roof1), col = ColumnOf(roof1);
  if (pass == 1) {
    const uint32_t band = row / 3 * 3, stack = col / 3 * 3;
    for (uint32_t rr = band; rr < band + 3; ++rr) {
      if (rr == row) continue;
      for (uint32_t cc = stack; cc < stack + 3; ++cc) QueueOpen(CellAt(rr, cc), z);
    }
  } else {
    const uint32_t band = row / 3 * 3, stack = col / 3 * 3;
    for (uint32_t cc = stack; cc < stack + 3; ++cc) {
      if (cc == col) continue;
      for (uint32_t rr = band; rr < band + 3; ++rr) QueueOpen(CellAt(rr, cc), z);
    }
  }
}

// Type 2: both roof corners carry the same extra digit z, which then sees the whole roof.
void Type2(const Rectangle& r, uint32_t x, uint32_t y) {
  uint32_t roof1, roof2;
  if (Count(r.a) == 3 && Count(r.c) == 3 && Count(r.b) == 2 && Count(r.d) == 2) {
    roof1 = r.a;
    roof2 = r.c;
  } else if (Count(r.b) == 3 && Count(r.d) == 3 && Count(r.a) == 2 && Count(r.c) == 2) {
    roof1 = r.b;
    roof2 = r.d;
  } else {
    return;
  }
  for (uint32_t z = 0; z < 9; ++z)
    if (z != x && z != y && Holds(roof1, z) && Holds(roof2, z))
      QueueRoofDigit(r.pass, roof1, roof2, z);
}

inline bool RoofShape(const Rectangle& r) {
  return Count(r.a) == 3 && Count(r.c) == 3 && Count(r.b) == 2 && Count(r.d) == 2;
}

// Type 3: the roof's two extra digits act as one cell; with a bivalue partner on the roof
// line holding the same two digits they form a naked pair on that line.
void Type3(const Rectangle& r, uint32_t x, uint32_t y) {
  if (!RoofShape(r)) return;
  const uint32_t a = ThirdDigit(r.a, x, y), c = ThirdDigit(r.c, x, y);
  if (a == c) return;
  const uint32_t boxStart = LinePos(r.pass, r.a) / 3 * 3;
  uint32_t partner = 81;
  for (uint32_t k = 0; k < 9 && partner == 81; ++k) {
    if (k / 3 * 3 == boxStart) continue;
    const uint32_t w = LineCell(r.pass, r.a, k);
    if (Count(w) == 2 && Holds(w, a) && Holds(w, c)) partner = w;
  }
  if (partner == 81) return;
  for (uint32_t k = 0; k < 9; ++k) {
    const uint32_t cell = LineCell(r.pass, r.a, k);
    if (cell == r.a || cell == r.c || cell == partner) continue;
    QueueOpen(cell, a);
    QueueOpen(cell, c);
  }
}

// Type 4: a digit of the rectangle confined to the roof on its line forces the roof to hold
// it, so the other rectangle digit leaves both roof corners.
void Type4(const Rectangle& r, uint32_t x, uint32_t y) {
  if (!RoofShape(r)) return;
  if (ThirdDigit(r.a, x, y) == ThirdDigit(r.c, x, y)) return;
  bool xElsewhere = false, yElsewhere = false;
  for (uint32_t k = 0; k < 9; ++k) {
    const uint32_t cell = LineCell(r.pass, r.a, k);
    if (cell == r.a || cell == r.c || Count(cell) < 1) continue;
    xElsewhere = xElsewhere || Holds(cell, x);
    yElsewhere = yElsewhere || Holds(cell, y);
  }
  if (!xElsewhere) {
    QueueOpen(r.a, y);
    QueueOpen(r.c, y);
  }
  if (!yElsewhere) {
    QueueOpen(r.a, x);
    QueueOpen(r.c, x);
  }
}

}  // namespace

uint32_t UniqueRectangleType1(uint32_t place) {
  return RunRectangles(Type1, CodeUniqueRectangleType1, place);
}
uint32_t UniqueRectangleType2(uint32_t place) {
  return RunRectangles(Type2, CodeUniqueRectangleType2, place);
}
uint32_t UniqueRectangleType3(uint32_t place) {
  return RunRectangles(Type3, CodeUniqueRectangleType3, place);
}
uint32_t UniqueRectangleType4(uint32_t place) {
  return RunRectangles(Type4, CodeUniqueRectangleType4, place);
}

// A puzzle whose givens are symmetric under the half turn, with a consistent digit pairing,
// has a symmetric solution; the centre then holds the one digit that maps to itself.
uint32_t GurthsSymmetricalPlacement(uint32_t place) {
  ResetQueue();
  uint32_t map[10] = {0};
  for (uint32_t i = 0; i < 40; ++i) {
    const uint32_t j = 80 - i;
    const bool gi = g.board.kind[i] == KindGiven, gj = g.board.kind[j] == KindGiven;
    if (gi != gj) return 0;
    if (!gi) continue;
    const uint32_t u = g.board.value[i], v = g.board.value[j];
    if (u < 1 || u > 9 || v < 1 || v > 9) return 0;
    if (map[u] != 0 && map[u] != v) return 0;
    map[u] = v;
    if (map[v] != 0 && map[v] != u) return 0;
    map[v] = u;
  }
  uint32_t t = 0;
  for (uint32_t d = 1; d <= 9 && t == 0; ++d)
    if (map[d] == d || map[d] == 0) t = d;
  if (t != 0 && Count(40) >= 2)
    for (uint32_t d = 1; d <= 9; ++d)
      if (d != t) QueueElimination(40, d - 1);
  if (g.queue.length > 0) FlushEliminations(CodeGurthsSymmetricalPlacement);
  return FinishRoutine(place, KindAuto);
}

const RoutineEntry kUniquenessRoutines[] = {
    {"UniqueRectangleType1", UniqueRectangleType1, 0},
    {"UniqueRectangleType2", UniqueRectangleType2, 0},
    {"UniqueRectangleType3", UniqueRectangleType3, 0},
    {"UniqueRectangleType4", UniqueRectangleType4, 0},
    {"GurthsSymmetricalPlacement", GurthsSymmetricalPlacement, 1152},
    {nullptr, nullptr, 0},
};
