// Grading one puzzle by the first rung of the batch ladder that finishes it in the candidate
// screen: the singles closure, then Single MAX with the basic batch, then with both batches.
#pragma once
#include <cstdint>

enum GradeValue : uint32_t {
  GradeSingles = 0,
  GradeBasic = 1,
  GradeUpper = 2,
  GradeBeyond = 3,
  GradeInvalid = 4,
  GradeCount = 5,
};

struct GradeResult {
  uint32_t grade;
  uint32_t solutions;  // 0 or 2 for an invalid puzzle (2 meaning two or more), else 1
  uint32_t open;       // cells left with more than one candidate (beyond)
  // Techniques that removed candidates on the deciding run, in the order they first did,
  // with how many candidates each removed.
  uint32_t used;
  uint32_t code[48];
  uint32_t removed[48];
};

// "singles", "basic", "upper", "beyond" or "invalid".
const char* GradeName(uint32_t grade);

// Grades the puzzle whose givens are on the board (the ordinary screen, as just read).
// Leaves the board in the candidate screen at the state of the deciding run. The platform
// sees the status refreshes of the batches; the technique log is not written.
uint32_t GradePuzzle(GradeResult& result);
// The same from the candidate table as it stands (a position read as a candidate grid):
// every rung starts from that table, and the position is valid when exactly one solution
// keeps to its candidates.
uint32_t GradePosition(GradeResult& result);
