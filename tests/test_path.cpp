// The solving path: every step sound against the unique solution, the simplest step first,
// the next-step command's two presses, candidate grids read back, and the --path output.
#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>

#include "board/candidates.h"
#include "board/queue.h"
#include "drivers/commands.h"
#include "drivers/path.h"
#include "io/candidate_grid.h"
#include "io/layout.h"
#include "techniques/techniques.h"
#include "tests/support.h"

namespace {

bool IsSingle(const std::string& technique) {
  return technique == "Full House" || technique == "Hidden Single" ||
         technique == "Naked Single";
}

// An independent model of the position the path walks: values and candidate masks, with a
// placement taking its digit from the cell's peers.
struct Model {
  uint32_t value[81];
  uint32_t mask[81];

  bool SingleAvailable() const {
    for (uint32_t c = 0; c < 81; ++c)
      if (!value[c] && std::popcount(mask[c]) == 1) return true;
    for (uint32_t u = 0; u < 27; ++u)
      for (uint32_t d = 0; d < 9; ++d) {
        uint32_t holders = 0;
        bool placed = false;
        for (uint32_t k = 0; k < 9; ++k) {
          const uint32_t c = kUnitCells.cell[u][k];
          placed |= value[c] == d + 1;
          holders += !value[c] && (mask[c] >> d & 1);
        }
        if (!placed && holders == 1) return true;
      }
    return false;
  }
  void Place(uint32_t c, uint32_t d) {
    value[c] = d + 1;
    mask[c] = 1u << d;
    for (uint32_t p = 0; p < 81; ++p)
      if (p != c && !value[p] && SharesUnit(p, c)) mask[p] &= ~(1u << d);
  }
};

// The marked cells of a plain pattern (locked candidates, naked subset, fish, unique rectangle)
// explain one removal at least, and every marked cell takes part in some explanation.
void CheckPattern(const PathStep& step, const Model& m) {
  const std::string& t = step.technique;
  // A fish's size: basic fish of 2 to 5 lines, finned and sashimi ones of 2 to 7.
  const char* const basicFish[] = {"X-Wing", "Sword fish", "Jerry Fish", "Squirmbag"};
  const char* const finnedFish[] = {"Fish", "Swordfish", "Jerryfish", "Squirmbag", "Whale", "Leviathan"};
  uint32_t fish = 0;
  bool basic = false;
  for (uint32_t i = 0; i < 6 && !fish; ++i) {
    basic = i < 4 && t == basicFish[i];
    if (basic || t == std::string("Finned ") + finnedFish[i] || t == std::string("Sashimi ") + finnedFish[i])
      fish = i + 2;
  }
  if (t.rfind("Unique Rectangle", 0) == 0) {
    // Each marked cell is a corner: one of four in two rows, columns and boxes sharing two digits.
    ASSERT_FALSE(step.cells.empty());
    const std::vector<uint32_t>& x = step.cells;
    const size_t n = x.size();
    std::vector<bool> corner(n, false);
    for (size_t a = 0; a < n; ++a)
      for (size_t b = a + 1; b < n; ++b)
        for (size_t c = b + 1; c < n; ++c)
          for (size_t e = c + 1; e < n; ++e) {
            uint32_t rows = 0, columns = 0, boxes = 0, pair = step.digits;
            for (const size_t i : {a, b, c, e}) {
              rows |= 1u << RowOf(x[i]);
              columns |= 1u << ColumnOf(x[i]);
              boxes |= 1u << BlockOf(x[i]);
              pair &= m.mask[x[i]];
            }
            if (std::popcount(rows) != 2 || std::popcount(columns) != 2 ||
                std::popcount(boxes) != 2 || std::popcount(pair) < 2)
              continue;
            for (const size_t i : {a, b, c, e}) corner[i] = true;
          }
    for (size_t i = 0; i < n; ++i)
      EXPECT_TRUE(corner[i]) << "r" << x[i] / 9 + 1 << "c" << x[i] % 9 + 1 << " is no corner";
    return;
  }
  const bool locked = t == "Locked Candidates";
  const uint32_t naked = t == "Naked Pair" ? 2 : t == "Naked Triple" ? 3 : t == "Naked Quad" ? 4
                                                : t == "Naked Quintuplet" ? 5 : 0;
  if (!locked && !naked && !fish) return;
  bool some = false;
  uint32_t used[81] = {};  // marked cells that take part in an explanation
  for (uint32_t p : step.removed) {
    const uint32_t c = p / 9, d = p % 9;
    std::vector<uint32_t> holders;
    uint32_t rows = 0, columns = 0;
    for (uint32_t x : step.cells) {
      ASSERT_EQ(m.value[x], 0u);
      if (!(m.mask[x] >> d & 1)) continue;
      holders.push_back(x);
      rows |= 1u << RowOf(x);
      columns |= 1u << ColumnOf(x);
    }
    if (holders.empty()) continue;
    if (locked) {
      // A block and line meet in marked holders of d, all of d's places in the unit c lies outside.
      bool explained = false;
      for (uint32_t x : holders)
        for (uint32_t line : {RowOf(x), 9 + ColumnOf(x)}) {
          const uint32_t block = 18 + BlockOf(x);
          const auto in = [](uint32_t u, uint32_t y) {
            for (uint32_t k = 0; k < 9; ++k)
              if (kUnitCells.cell[u][k] == y) return true;
            return false;
          };
          if (in(block, c) == in(line, c)) continue;
          const uint32_t source = in(block, c) ? line : block;
          bool all = true;
          for (uint32_t k = 0; k < 9; ++k) {
            const uint32_t y = kUnitCells.cell[source][k];
            const bool open = !m.value[y] && (m.mask[y] >> d & 1);
            all &= !open || (in(block, y) && in(line, y) &&
                             std::find(holders.begin(), holders.end(), y) != holders.end());
          }
          if (!all) continue;
          explained = true;
          for (uint32_t y : holders) used[y] |= in(block, y) && in(line, y);
        }
      some |= explained;
    } else if (naked) {
      // n marked cells of one of c's units with n digits between them, d among them.
      bool explained = false;
      for (uint32_t u = 0; u < 27; ++u) {
        std::vector<uint32_t> in;
        bool hasC = false;
        for (uint32_t k = 0; k < 9; ++k) {
          const uint32_t y = kUnitCells.cell[u][k];
          hasC |= y == c;
          if (std::find(step.cells.begin(), step.cells.end(), y) != step.cells.end()) in.push_back(y);
        }
        for (uint32_t pick = 0; hasC && pick < (1u << in.size()); ++pick) {
          uint32_t digits = 0;
          for (size_t i = 0; i < in.size(); ++i)
            if (pick >> i & 1) digits |= m.mask[in[i]];
          if (static_cast<uint32_t>(std::popcount(pick)) != naked ||
              static_cast<uint32_t>(std::popcount(digits)) != naked || !(digits >> d & 1))
            continue;
          explained = true;
          for (size_t i = 0; i < in.size(); ++i) used[in[i]] |= pick >> i & 1;
        }
      }
      some |= explained;
    } else {
      // n base lines without c, d's places in them all marked; a basic fish's in n covers, c's one.
      bool explained = false;
      for (uint32_t o = 0; o < 2; ++o) {
        const uint32_t lines = o == 0 ? rows : columns;
        const auto at = [o](uint32_t line, uint32_t k) { return o == 0 ? line * 9 + k : k * 9 + line; };
        const uint32_t own = o == 0 ? RowOf(c) : ColumnOf(c), cross = o == 0 ? ColumnOf(c) : RowOf(c);
        for (uint32_t base = lines; base; base = (base - 1) & lines) {
          if (static_cast<uint32_t>(std::popcount(base)) != fish || (base >> own & 1)) continue;
          uint32_t cover = 0;
          bool all = true;
          for (uint32_t line = 0; line < 9; ++line)
            for (uint32_t k = 0; k < 9 && (base >> line & 1); ++k) {
              const uint32_t y = at(line, k);
              if (m.value[y] || !(m.mask[y] >> d & 1)) continue;
              all &= std::find(holders.begin(), holders.end(), y) != holders.end();
              cover |= 1u << k;
            }
          if (!all || (basic && (static_cast<uint32_t>(std::popcount(cover)) != fish ||
                                 !(cover >> cross & 1))))
            continue;
          explained = true;
          for (uint32_t y : holders) used[y] |= base >> (o == 0 ? RowOf(y) : ColumnOf(y)) & 1;
        }
      }
      some |= explained;
    }
  }
  EXPECT_TRUE(some) << "no removal explained";
  for (uint32_t x : step.cells) EXPECT_TRUE(used[x]) << "r" << x / 9 + 1 << "c" << x % 9 + 1;
}

class Path : public SolutionCheckedTest {
 protected:
  // Walks the path of the loaded state against its solution; counts solved paths.
  void CheckPath(const SoundState& state, size_t& solved, size_t& steps) {
    Model m;
    for (uint32_t c = 0; c < 81; ++c) {
      m.value[c] = g.board.value[c];
      m.mask[c] = 0;
      for (uint32_t d = 0; d < 9 && !m.value[c]; ++d) m.mask[c] |= (g.cand.flag[c * 9 + d] != 0) << d;
    }
    PathResult result;
    SolvePath(result);
    ASSERT_EQ(g_failure, "") << state.source;
    uint32_t hardest = 0;
    for (const PathStep& step : result.steps) {
      ++steps;
      SCOPED_TRACE(state.source + "\n  step: " + PathStepText(step));
      ASSERT_TRUE(!step.placed.empty() || !step.removed.empty());
      if (m.SingleAvailable()) {
        ASSERT_TRUE(IsSingle(step.technique));
      }
      CheckPattern(step, m);
      if (HasFatalFailure()) return;
      for (uint32_t p : step.placed) {
        const uint32_t c = p / 9, d = p % 9;
        ASSERT_EQ(state.solution[c], d + 1);
        ASSERT_EQ(m.value[c], 0u);
        ASSERT_TRUE(m.mask[c] >> d & 1);
        m.Place(c, d);
      }
      for (uint32_t p : step.removed) {
        const uint32_t c = p / 9, d = p % 9;
        ASSERT_NE(state.solution[c], d + 1);
        ASSERT_TRUE(m.mask[c] >> d & 1);
        m.mask[c] &= ~(1u << d);
      }
      hardest = std::max(hardest, step.weight);
    }
    EXPECT_EQ(result.rating, hardest);
    bool all = true;
    for (uint32_t c = 0; c < 81; ++c) all &= m.value[c] != 0;
    EXPECT_EQ(result.solved, all) << state.source;
    if (!result.solved) return;
    ++solved;
    for (uint32_t c = 0; c < 81; ++c) ASSERT_EQ(m.value[c], state.solution[c]) << state.source;
  }
};

TEST_F(Path, EveryStepIsSoundAndASolvedPathReplaysToTheSolution) {
  size_t positions = 0, solved = 0, steps = 0;
  const struct {
    const char* file;
    size_t every;
    bool reglib;  // mid-solve states of the regression library, deletions included
  } kSources[] = {{"qq-expert-a.txt", 10, false}, {"hard-a.txt", 100, false},
                  {"sudoku17-a.txt", 500, false}, {"reglib-1.4.txt", 8, true}};
  for (const auto& source : kSources)
    for (const std::string& line : SampleLines(source.file, source.every)) {
      SoundState state;
      if (!(source.reglib ? LoadReglibState(line, state) : LoadPuzzleState(line, state))) continue;
      ++positions;
      CheckPath(state, solved, steps);
      if (HasFatalFailure()) return;
    }
  if (positions == 0) GTEST_SKIP() << "no puzzle collections in ../shared/data";
  EXPECT_GT(solved, positions / 3);
  std::printf("paths: %zu positions, %zu solved, %zu steps\n", positions, solved, steps);
}

// Row 1 holds the naked pair {12} in its first two cells; digit 9 an X-Wing in rows 5 and 8.
void LoadPairAndXWing() {
  Open(1, 1, "12");
  Open(2, 1, "12");
  RowOnly(4, 9, {2, 6});
  RowOnly(7, 9, {2, 6});
}

std::string PairStepText() {
  std::string text = "Naked Pair r1c1 r1c2 {12}:";
  const char* sep = " ";
  for (const char* cell : {"r1c3", "r1c4", "r1c5", "r1c6", "r1c7", "r1c8", "r1c9", "r2c1",
                           "r2c2", "r2c3", "r3c1", "r3c2", "r3c3"})
    for (const char* d : {"1", "2"}) {
      text += std::string(sep) + cell + "<>" + d;
      sep = ", ";
    }
  return text;
}

class NextStep : public CandidateTableTest {};

// The step the path takes on the table as it is, once it has applied `applied` steps.
PathStep StepAfter(int applied) {
  PathState state;
  PathBegin(state, true);
  PathStep step;
  for (int k = 0; k <= applied; ++k) EXPECT_EQ(NextPathStep(state, step, k < applied), 1u);
  return step;
}

TEST_F(NextStep, APairIsTakenBeforeAnXWingAndEverySingleBeforeEither) {
  LoadPairAndXWing();
  PathState state;
  PathBegin(state, true);
  PathStep step;
  ASSERT_EQ(NextPathStep(state, step, false), 1u);
  EXPECT_EQ(PathStepText(step), PairStepText());
  // A hidden single of 5 in row 9 comes before the pair.
  const CandidateTable saved = g.cand;
  RowOnly(8, 5, {4});
  ASSERT_EQ(NextPathStep(state, step, false), 1u);
  EXPECT_EQ(PathStepText(step), "Hidden Single r9c5 {5}: r9c5=5");
  g.cand = saved;
  ForgetUnitHolders();
  // Once the pair is gone, the X-Wing is next.
  g.settings.candErase = 0;
  ASSERT_EQ(NextPathStep(state, step, true), 1u);
  ASSERT_EQ(NextPathStep(state, step, false), 1u);
  EXPECT_EQ(step.technique, "X-Wing");
  EXPECT_EQ(step.cells, (std::vector<uint32_t>{38, 42, 65, 69}));
}

// Pivot r1c1 {12} with wings r1c5 {13} and r5c1 {23} takes 3 from r5c5. r2c5 {12} looks
// like a pivot and sees the first wing, but not the second: it is not one of the step's cells.
TEST_F(NextStep, AWingStepMarksItsPivotAndWingsOnly) {
  Open(1, 1, "12");
  Open(5, 1, "13");
  Open(1, 5, "23");
  Open(5, 2, "12");
  const PathStep step = StepAfter(0);
  EXPECT_EQ(PathStepText(step), "XY-Wing r1c1 r1c5 r5c1 {3}: r5c5<>3");
  EXPECT_EQ(step.cells, (std::vector<uint32_t>{0, 4, 36}));
}

// Roof r1c1 {123} and r1c2 {124} over the floor r4c1 r4c2 {12}: with r1c6 {34} the roof's
// extra digits, different in each roof cell, form a pair that takes 3 and 4 from row 1. The
// given 5 in r9c8 keeps Gurth's placement away.
TEST_F(NextStep, ARectangleStepMarksItsCornersWhenTheRoofsExtrasDiffer) {
  std::string text;
  for (uint32_t c = 0; c < 81; ++c) text += c == 79 ? "5" : SharesUnit(c, 79) ? "(12346789)" : ".";
  LoadState(text);
  Open(1, 1, "123");
  Open(2, 1, "124");
  Open(6, 1, "34");
  Open(1, 4, "12");
  Open(2, 4, "12");
  const PathStep step = StepAfter(1);  // the floor's naked pair first
  EXPECT_EQ(step.technique, "Unique Rectangle Type3");
  for (uint32_t corner : {0u, 1u, 27u, 28u})
    EXPECT_NE(std::find(step.cells.begin(), step.cells.end(), corner), step.cells.end()) << corner;
}

// An ALS-XZ step, met early on the paths of a few library states, marks every cell its
// detailed log lines name as witnesses: the bivalue cell and both sets.
TEST_F(NextStep, AnAlsStepMarksEveryCellItsLogNames) {
  const std::vector<std::string> lines = DataLines("reglib-1.4.txt");
  if (lines.empty()) GTEST_SKIP() << "reglib-1.4.txt not found in " << DataPath("");
  size_t found = 0;
  for (const LibraryState& s : LibraryStates(lines)) {
    LoadState(s.text);
    PathState state;
    PathBegin(state, true);
    PathStep step;
    for (int k = 0; k < 6 && NextPathStep(state, step, false); ++k) {
      if (step.technique != "ALS-XZ") {
        ApplyPathStep(state, step);
        continue;
      }
      ++found;
      const SavedState saved;
      g.settings.candErase = 2;
      platform.Clear();
      AlsXZ(0);
      for (const std::string& line : LogLines()) {
        const size_t open = line.find('[');
        if (open == std::string::npos) continue;
        for (size_t at = open; (at = line.find('(', at)) < line.find(']'); ++at) {
          const uint32_t cell = (line[at + 3] - '1') * 9 + (line[at + 1] - '1');
          EXPECT_NE(std::find(step.cells.begin(), step.cells.end(), cell), step.cells.end())
              << line << " in " << PathStepText(step);
        }
      }
      saved.Put();
      break;
    }
  }
  EXPECT_GT(found, 0u);
}

TEST_F(NextStep, FirstPressMarksAndShowsTheStepTheSecondAppliesIt) {
  LoadPairAndXWing();
  CandidateTable before;
  std::memcpy(&before, &g.cand, sizeof before);
  ASSERT_EQ(RunCommand(4100), CommandDone);
  EXPECT_EQ(std::memcmp(&before, &g.cand, sizeof before), 0);
  EXPECT_EQ(g.status0, PairStepText());
  EXPECT_EQ(platform.Lines("log"), std::vector<std::string>{PairStepText()});
  const uint32_t* marks = NextStepMarks();  // the pair's cells 1; r1c3 and r3c3 lose two
  EXPECT_EQ((std::vector<uint32_t>{marks[0], marks[1], marks[2], marks[20], marks[27]}),
            (std::vector<uint32_t>{1, 1, 2, 2, 0}));
  platform.Clear();
  ASSERT_EQ(RunCommand(4100), CommandDone);
  EXPECT_FALSE(Has(3, 1, 1));
  EXPECT_FALSE(Has(3, 3, 2));
  EXPECT_EQ(g.cand.total, before.total - 26);
  const std::vector<std::string> log = platform.Lines("log");
  ASSERT_EQ(log.size(), 26u);  // the routine's own lines
  EXPECT_EQ(log.front().rfind("Naked Pair (", 0), 0u);
  for (uint32_t c = 0; c < 81; ++c) EXPECT_EQ(NextStepMarks()[c], 0u);
  // A change between the presses makes the second press look again.
  ASSERT_EQ(RunCommand(4100), CommandDone);
  EXPECT_NE(NextStepMarks()[38], 0u);
  Drop(0, 1);
  for (uint32_t c = 0; c < 81; ++c) EXPECT_EQ(NextStepMarks()[c], 0u);
}

TEST_F(NextStep, TheBoardViewNamesASingleAndTheSecondPressPlacesIt) {
  LoadGrid(kSampleGrid);
  g.screenMode = ModeNormal;
  ASSERT_EQ(RunCommand(4100), CommandDone);
  const std::string text = g.status0;
  ASSERT_TRUE(IsSingle(text.substr(0, text.find(" r"))));
  uint32_t cell = 0;
  for (; cell < 81 && NextStepMarks()[cell] == 0; ++cell) {
  }
  ASSERT_LT(cell, 81u);
  EXPECT_EQ(g.board.value[cell], 0u);
  const uint32_t digit = static_cast<uint32_t>(text[text.find('=') + 1] - '0');
  ASSERT_EQ(RunCommand(4100), CommandDone);
  EXPECT_EQ(g.board.value[cell], digit);
}

// The path runs until every cell is placed, the first one included; then nothing is left to do.
TEST_F(NextStep, APathEndsOnlyWhenTheFirstCellIsPlacedTooAndThenNothingIsLeft) {
  LoadState(".23456789456789123789123456214365897365897214897214365531642978642978531978531642");
  PathResult result;
  SolvePath(result);
  EXPECT_TRUE(result.solved);
  ASSERT_EQ(result.steps.size(), 1u);
  EXPECT_EQ(PathStepText(result.steps[0]).substr(PathStepText(result.steps[0]).find(':')), ": r1c1=1");
  LoadState("123456789456789123789123456214365897365897214897214365531642978642978531978531642");
  ASSERT_EQ(RunCommand(4100), CommandDone);
  EXPECT_EQ(g.status0, "次の一手が見つかりません");
}

// ---- candidate grids ----

class CandidateGrids : public EngineTest {};

bool SameGrid(const CandidateGrid& a, const CandidateGrid& b) {
  return std::memcmp(a.value, b.value, sizeof a.value) == 0 &&
         std::memcmp(a.mask, b.mask, sizeof a.mask) == 0;
}

TEST_F(CandidateGrids, EachFormReadsBackTheTableThatWasWritten) {
  LoadGrid(kSampleGrid);
  EnterCandidateScreen();
  g.settings.candErase = 0;
  RunCommand(890);  // locked candidates: a table that is no longer the givens' own
  CandidateGrid written;
  CandidateGridFromBoard(written);
  // In the 729 and pencil-mark forms a single digit is a given.
  CandidateGrid asGivens = written;
  for (uint32_t c = 0; c < 81; ++c)
    if (std::popcount(asGivens.mask[c]) == 1) {
      asGivens.value[c] = static_cast<uint32_t>(std::countr_zero(asGivens.mask[c])) + 1;
      asGivens.mask[c] = 0;
    }
  // The 729 form may part its cells with spaces and tabs, and end in a carriage return.
  std::string spaced;
  const std::string plain729 = CandidateGrid729(written);
  for (size_t i = 0; i < plain729.size(); i += 9)
    spaced += plain729.substr(i, 9) + (i / 9 % 2 ? "\t" : " ");
  // Other tools draw the frame with box-drawing characters.
  std::string boxed;
  for (const char ch : Joined(PencilMarkLines(written, true)))
    boxed += ch == '|' ? "│" : ch == '-' ? "─" : ch == '+' ? "┼" : std::string(1, ch);
  const std::string texts[] = {plain729, Joined(PencilMarkLines(written, false)),
                               Joined(PencilMarkLines(written, true)), spaced + "\r", boxed};
  // The framed form's rules run exactly as wide as its rows, whatever each column's width.
  for (const std::string& line : PencilMarkLines(written, true))
    EXPECT_EQ(line.size(), PencilMarkLines(written, true)[0].size()) << line;
  for (const std::string& text : texts) {
    CandidateGrid read;
    std::string error;
    ASSERT_EQ(ParseCandidateGrid(text, read, error), 1u) << error << "\n" << text;
    EXPECT_TRUE(SameGrid(read, asGivens)) << text;
  }
  // The candidate screen's printed layout keeps an open cell with one candidate open.
  const std::string printed = Joined(PlainLayoutLines(true));
  CandidateGrid read;
  std::string error;
  ASSERT_EQ(ParseCandidateGrid(printed, read, error), 1u) << error;
  EXPECT_TRUE(SameGrid(read, written)) << printed;
  // Put back on the board, the grid is the same table.
  const CandidateTable table = g.cand;
  InstallCandidateGrid(read);
  EXPECT_EQ(std::memcmp(&table, &g.cand, sizeof table), 0);
  // Positions of one file: blank lines part the blocks, 729-character lines are one each.
  const std::string file = texts[0] + "\n" + texts[0] + "\n\n" + texts[2] + "\n\n" + printed;
  EXPECT_EQ(SplitCandidateGrids(file).size(), 4u);
  EXPECT_EQ(SplitCandidateGrids(spaced + "\r\n" + spaced + "\n").size(), 2u);
}

TEST_F(CandidateGrids, MalformedGridsAreRefusedWithTheirPlace) {
  CandidateGrid full{};
  for (uint32_t c = 0; c < 81; ++c) full.mask[c] = 0x1FF;
  std::vector<std::string> fields(81, "123456789");
  auto pencil = [&](const std::vector<std::string>& f) {
    std::string text;
    for (size_t i = 0; i < f.size(); ++i) text += f[i] + (i % 9 == 8 ? "\n" : " ");
    return text;
  };
  const struct {
    std::string text;
    const char* reason;
  } kBad[] = {
      {[&] { auto f = fields; f[13] = "0"; return pencil(f); }(), "row 2, column 5: empty field"},
      {[&] { auto f = fields; f.pop_back(); return pencil(f); }(), "80 fields, 81 wanted"},
      {[&] { auto f = fields; f.push_back("12"); return pencil(f); }(), "82 fields, 81 wanted"},
      {[&] { auto f = fields; f[0] = "4"; f[8] = "4"; return pencil(f); }(), "digit 4 twice in row 1"},
      {[&] { auto f = fields; f[0] = "7"; f[72] = "7"; return pencil(f); }(), "digit 7 twice in column 1"},
      {[&] { auto f = fields; f[3] = "1x"; return pencil(f); }(), "unexpected character 'x'"},
      // A word without a tab after it is no event of vorel-cli's output: it is read, and refused.
      {"note " + pencil(fields), "unexpected character 'n'"},
      {std::string(9, '.') + CandidateGrid729(full).substr(9), "row 1, column 1: empty field"},
      {"3" + CandidateGrid729(full).substr(1), "row 1, column 1: '3' at place 1"},
      {Joined(std::vector<std::string>(9, "(12)(3)4 ()(5)6 789")), "row 1, column 4: empty field"},
      {Joined(std::vector<std::string>(8, "(12)(3)4 (5)(6)7 (8)9(1)")), "72 fields, 81 wanted"},
      {Joined(std::vector<std::string>(9, "(12)(3)4 (5)(6)7 (8)9(3)")), "digit 3 twice in row 1"},
      {Joined(std::vector<std::string>(8, "(12)(3)4 (5)(6)7 (8)9(1)")) + "(12)(3)4 (5)(6)7 (8)9(1",
       "row 9, column 9: \"(\" without"},
      {Joined(std::vector<std::string>(9, "(12)(3)4 (5)(6)7 (8)9(0)")), "row 1, column 9: '0' is not a"},
      {Joined(std::vector<std::string>(9, "(12)(3)4 (5)(6)7 (8)9x")), "row 1, column 9: 'x' is neither"},
  };
  for (const auto& bad : kBad) {
    CandidateGrid grid;
    std::string error;
    EXPECT_EQ(ParseCandidateGrid(bad.text, grid, error), 0u) << bad.text;
    EXPECT_NE(error.find(bad.reason), std::string::npos) << error << " / " << bad.reason;
  }
  CandidateGrid grid;
  std::string error;
  EXPECT_EQ(ParseCandidateGrid(pencil(fields), grid, error), 1u) << error;
}

// ---- vorel-cli --path ----

TEST(PathCli, JsonLinesParseAndEveryWorkerCountGivesTheSameBytes) {
  const std::string text = Joined(DataLines("qq-expert-a.txt"), 0, 40);
  if (text.empty()) GTEST_SKIP() << "qq-expert-a.txt not in ../shared/data";
  const std::string file = WriteTempFile("path-json.txt", text);
  int status = -1;
  const std::string one = RunCli("--path --json -j 1 " + file, &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(RunCli("--path --json -j 2 " + file), one);
  // A printed position grades as its puzzle does, beyond the singles too.
  const std::string first = WriteTempFile("path-first.txt", text.substr(0, text.find('\n') + 1));
  const std::string position =
      WriteTempFile("path-first-position.txt", RunCli("-l 0 -m candidate -p candidates " + first));
  EXPECT_EQ(RunCli("--candidates --grade " + position), RunCli("--grade " + first));
  if (std::system("python3 -c '' 2>/dev/null") != 0) GTEST_SKIP() << "no python3 for the JSON check";
  const std::string out = WriteTempFile("path-json.out", one);
  const std::string check = R"(python3 -c '
import json, sys
n = 0
for line in open(sys.argv[1]):
    o = json.loads(line)
    n += 1
    assert o["n"] == n and len(o["puzzle"]) == 81 and isinstance(o["solved"], bool)
    assert isinstance(o["rating"], float) or isinstance(o["rating"], int)
    for s in o["steps"]:
        assert set(s) == {"technique", "cells", "placed", "removed", "chain"}
        assert s["placed"] or s["removed"]
        chained = any(w in s["technique"] for w in ("Loop", "AIC", "ALS Chain", "ALS-XY", "Forcing"))
        assert (s["chain"] is None) != chained and (s["chain"] is None or s["chain"])
        for e in s["cells"] + s["placed"] + s["removed"]:
            assert 1 <= e["row"] <= 9 and 1 <= e["col"] <= 9 and 1 <= e.get("digit", 1) <= 9
print("ok", n)' )" + out;
  EXPECT_EQ(Shell(check), "ok 40\n");
}

TEST(PathCli, APositionPrintedByTheCandidateScreenGivesThePuzzlesOwnPathAndGrade) {
  const std::string puzzle = WriteTempFile("path-puzzle.txt", std::string(kSampleGrid) + "\n");
  const std::string path = RunCli("--path " + puzzle);
  ASSERT_EQ(path.rfind(std::string("puzzle 1 ") + kSampleGrid + "\n", 0), 0u) << path;
  EXPECT_NE(path.find("\nsolved, rating "), std::string::npos) << path;
  // Every given is named, the last cell's too.
  const std::string nearlyFull =
      "023456789456789123789123456214365897365897214897214365531642978642978531978531642";
  EXPECT_EQ(RunCli("--path " + WriteTempFile("path-full.txt", nearlyFull + "\n")).substr(0, 91),
            "puzzle 1 " + nearlyFull + "\n");
  // The empty grid: the centre is placed by symmetry, then the path is stuck with 80 cells open.
  const std::string empty = RunCli("--path " + WriteTempFile("path-empty.txt", std::string(81, '0') + "\n"));
  EXPECT_NE(empty.find("\nstuck, rating 7.0, 80 cells open\n"), std::string::npos) << empty;
  const std::string printed = RunCli("-l 0 -m candidate -p candidates " + puzzle);
  const std::string position = WriteTempFile("path-position.txt", printed);
  EXPECT_EQ(RunCli("--candidates --path " + position), path);
  EXPECT_EQ(RunCli("--candidates --grade " + position), RunCli("--grade " + puzzle));
  // Graded from a narrower table the count starts there: locked candidates took 14 of 181.
  const std::string narrowed =
      WriteTempFile("path-narrowed.txt", RunCli("-l 0 -m candidate -r 890 -p candidates " + puzzle));
  EXPECT_NE(RunCli("--candidates --grade " + narrowed).find("\tsingles\tHidden Single 167, Naked"),
            std::string::npos);
  // A bad position among good ones is named, skipped, and fails the run.
  const std::string mixed =
      WriteTempFile("path-mixed.txt", printed + "\n" + std::string(80, '.') + "\n\n" + printed);
  int status = 0;
  const std::string out = RunCli("--candidates --path " + mixed, &status);
  EXPECT_EQ(status, 2);
  EXPECT_NE(out.find("puzzle 1 "), std::string::npos);
  EXPECT_EQ(out.find("puzzle 2 "), std::string::npos);
  EXPECT_NE(out.find("puzzle 3 "), std::string::npos);
}

}  // namespace
