// Grading one puzzle by the first rung of the batch ladder that finishes it in the candidate
// screen: the singles closure, then Single MAX with the basic batch, then with both batches,
// then with the chain rung short of forcing (4000's chains), then with the whole rung.
#pragma once
#include <cstdint>

enum GradeValue : uint32_t {
  GradeSingles = 0,
  GradeBasic = 1,
  GradeUpper = 2,
  GradeChains = 3,
  GradeNets = 4,
  GradeBeyond = 5,
  GradeInvalid = 6,
  GradeCount = 7,
};

// Every code that can log: the catalogue's 48 and the rung's.
constexpr uint32_t kGradeCodes = 96;

struct GradeResult {
  uint32_t grade;
  uint32_t solutions;  // 0 or 2 for an invalid puzzle (2 meaning two or more), else 1
  uint32_t open;       // cells left with more than one candidate (beyond)
  // Techniques that removed candidates on the deciding run, in the order they first did,
  // with how many candidates each removed.
  uint32_t used;
  uint32_t code[kGradeCodes];
  uint32_t removed[kGradeCodes];
};

// "singles", "basic", "upper", "chains", "nets", "beyond" or "invalid".
const char* GradeName(uint32_t grade);

// Grades the puzzle whose givens are on the board (the ordinary screen, as just read).
// Leaves the board in the candidate screen at the state of the deciding run. The platform
// sees the status refreshes of the batches; the technique log is not written.
uint32_t GradePuzzle(GradeResult& result);
// The same from the candidate table as it stands (a position read as a candidate grid):
// every rung starts from that table, and the position is valid when exactly one solution
// keeps to its candidates.
uint32_t GradePosition(GradeResult& result);
