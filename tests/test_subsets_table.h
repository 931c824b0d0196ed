// Hand-built candidate tables for the subset, locked-candidate and fish tests: the candidate
// screen is open with its log, and the table is set cell by cell.
#pragma once
#include <string>
#include <vector>

#include "board/candidates.h"
#include "board/queue.h"
#include "board/state.h"
#include "tests/support.h"

class CandidateTableTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    LoadGrid(std::string(81, '.'));
    EnterCandidateScreen();
    platform.Clear();
  }

  // Every cell filled (value 1, given, no candidates); open cells are added with Open().
  void FillAll() {
    for (uint32_t c = 0; c < 81; ++c) {
      g.board.value[c] = 1;
      g.board.kind[c] = KindGiven;
      for (uint32_t d = 0; d < 9; ++d) Flag(c, d) = 0;
      g.cand.count[c] = 0;
    }
    Retotal();
  }
  // An empty cell (row, column from 0) with the given digits as its candidates.
  void Open(uint32_t r, uint32_t c, const std::string& digits) {
    const uint32_t cell = r * 9 + c;
    g.board.value[cell] = 0;
    g.board.kind[cell] = KindEmpty;
    for (uint32_t d = 0; d < 9; ++d) Flag(cell, d) = 0;
    g.cand.count[cell] = 0;
    for (char ch : digits) {
      Flag(cell, static_cast<uint32_t>(ch - '1')) = 1;
      ++g.cand.count[cell];
    }
    Retotal();
  }
  // Keep digit d (1..9) in row r only at the listed columns (cells keep their other digits).
  void RowOnly(uint32_t r, uint32_t d, const std::vector<uint32_t>& columns) {
    for (uint32_t c = 0; c < 9; ++c) {
      bool keep = false;
      for (uint32_t k : columns) keep = keep || k == c;
      if (!keep) Drop(r * 9 + c, d);
    }
  }
  void Drop(uint32_t cell, uint32_t d) {
    if (Flag(cell, d - 1)) {
      Flag(cell, d - 1) = 0;
      --g.cand.count[cell];
      --g.cand.total;
    }
  }
  void Retotal() {
    g.cand.total = 0;
    for (uint32_t c = 0; c < 81; ++c) g.cand.total += g.cand.count[c];
  }
  std::vector<std::string> Lines(const char* name, const std::vector<std::string>& places) {
    std::vector<std::string> out;
    for (const std::string& p : places) out.push_back(std::string(name) + " " + p);
    return out;
  }
};
