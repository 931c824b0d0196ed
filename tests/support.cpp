#include "tests/support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <bit>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "board/candidates.h"
#include "board/queue.h"
#include "board/platform.h"
#include "drivers/commands.h"

void EngineTest::SetUp() {
  ApplyDefaultSettings(g.settings);
  g.settings.candErase = 1;
  ResetStartupState();
  SetPlatform(&platform);
}

void EngineTest::TearDown() {
  // Every batch that keeps the unit positions lets them go when it ends.
  EXPECT_EQ(g.holderCache.depth, 0u) << "a batch left its unit positions kept";
  g.holderCache.depth = 0;
  FlushObserver = nullptr;
  g_solution = nullptr;
  SetPlatform(nullptr);
}

void EngineTest::LoadGrid(const std::string& grid) {
  ClearBoard();
  for (uint32_t c = 0; c < 81 && c < grid.size(); ++c) {
    const char ch = grid[c];
    if (ch >= '1' && ch <= '9') {
      g.board.value[c] = static_cast<uint32_t>(ch - '0');
      g.board.kind[c] = KindGiven;
    }
  }
}

std::string EngineTest::BoardValues() {
  std::string s;
  for (uint32_t c = 0; c < 81; ++c) s += static_cast<char>('0' + g.board.value[c]);
  return s;
}

void EngineTest::EnterCandidateScreen() {
  ASSERT_EQ(RunCommand(310), CommandDone);
  ASSERT_EQ(g.screenMode, ModeCandidateScreen);
}

void Open(uint32_t column, uint32_t row, const std::string& digits) {
  const uint32_t c = (row - 1) * 9 + (column - 1);
  g.cand.total -= g.cand.count[c];
  g.board.value[c] = 0;
  g.board.kind[c] = KindEmpty;
  g.cand.count[c] = 0;
  for (uint32_t d = 0; d < 9; ++d) g.cand.flag[c * 9 + d] = 0;
  for (char ch : digits) {
    const uint32_t d = static_cast<uint32_t>(ch - '1');
    if (d < 9 && !g.cand.flag[c * 9 + d]) {
      g.cand.flag[c * 9 + d] = 1;
      ++g.cand.count[c];
    }
  }
  g.cand.total += g.cand.count[c];
}

void SavedState::Put() const {
  g.board = board;
  g.cand = cand;
  ForgetUnitHolders();
}

bool Has(uint32_t column, uint32_t row, uint32_t digit) {
  return g.cand.flag[((row - 1) * 9 + (column - 1)) * 9 + digit - 1] != 0;
}

void Drop(uint32_t cell, uint32_t digit) {
  if (!g.cand.flag[cell * 9 + digit - 1]) return;
  g.cand.flag[cell * 9 + digit - 1] = 0;
  --g.cand.count[cell];
  --g.cand.total;
}

void RowOnly(uint32_t r, uint32_t d, const std::vector<uint32_t>& columns) {
  for (uint32_t c = 0; c < 9; ++c) {
    bool keep = false;
    for (uint32_t k : columns) keep = keep || k == c;
    if (!keep) Drop(r * 9 + c, d);
  }
}

void EngineTest::LoadState(const std::string& text) {
  ClearBoard();
  for (uint32_t c = 0; c < 81 * 9; ++c) g.cand.flag[c] = 0;
  for (uint32_t c = 0; c < 81; ++c) g.cand.count[c] = 0;
  g.cand.total = 0;
  uint32_t cell = 0;
  for (size_t i = 0; i < text.size() && cell < 81; ++i) {
    const char ch = text[i];
    if (ch >= '1' && ch <= '9') {
      g.board.value[cell] = static_cast<uint32_t>(ch - '0');
      g.board.kind[cell++] = KindGiven;
    } else if (ch == '.' || ch == '(') {
      const size_t end = ch == '.' ? i : text.find(')', i);
      Open(cell % 9 + 1, cell / 9 + 1, ch == '.' ? "123456789" : text.substr(i + 1, end - i - 1));
      ++cell;
      i = end;
    }
  }
  ASSERT_EQ(cell, 81u) << "the state holds " << cell << " cells";
  g.screenMode = ModeCandidateScreen;
  g.logWindowOpen = 1;
  platform.logOpen = true;
  platform.Clear();
}

void EngineTest::LoadOpenCells(const std::vector<OpenCell>& cells) {
  LoadState(std::string(81, '9'));
  for (const OpenCell& o : cells) Open(o.column, o.row, o.digits);
}

void EngineTest::ExpectLog(const LogCase& example) {
  LoadOpenCells(example.cells);
  g.settings.candErase = example.mode;
  example.routine(0);
  EXPECT_EQ(LogLines(), example.lines) << example.name;
  EXPECT_EQ(CandidateInvariantError(), "") << example.name;
}

bool ParseGrid(const std::string& text, uint8_t grid[81]) {
  int n = 0;
  for (char ch : text) {
    if (n == 81) break;
    if (ch >= '0' && ch <= '9')
      grid[n++] = static_cast<uint8_t>(ch - '0');
    else if (ch == '.')
      grid[n++] = 0;
  }
  return n == 81;
}

namespace {
struct Solver {
  uint8_t g[81];
  uint16_t row[9], col[9], box[9];
  uint8_t first[81];
  int found = 0, limit = 2;
  bool Place(int c, int d) {
    const uint16_t bit = static_cast<uint16_t>(1u << d);
    const int r = c / 9, k = c % 9, b = (r / 3) * 3 + k / 3;
    if ((row[r] | col[k] | box[b]) & bit) return false;
    row[r] |= bit; col[k] |= bit; box[b] |= bit;
    g[c] = static_cast<uint8_t>(d);
    return true;
  }
  void Remove(int c, int d) {
    const uint16_t bit = static_cast<uint16_t>(~(1u << d));
    const int r = c / 9, k = c % 9, b = (r / 3) * 3 + k / 3;
    row[r] &= bit; col[k] &= bit; box[b] &= bit;
    g[c] = 0;
  }
  void Search() {
    if (found >= limit) return;
    int best = -1, bestCount = 10;
    uint16_t bestMask = 0;
    for (int c = 0; c < 81; ++c) {
      if (g[c]) continue;
      const int r = c / 9, k = c % 9, b = (r / 3) * 3 + k / 3;
      const uint16_t free = static_cast<uint16_t>(~(row[r] | col[k] | box[b]) & 0x3FE);
      const int n = __builtin_popcount(free);
      if (n < bestCount) {
        best = c; bestCount = n; bestMask = free;
        if (n == 0) return;
      }
    }
    if (best < 0) {
      if (found++ == 0)
        for (int c = 0; c < 81; ++c) first[c] = g[c];
      return;
    }
    for (int d = 1; d <= 9; ++d) {
      if (!(bestMask & (1u << d))) continue;
      Place(best, d);
      Search();
      Remove(best, d);
      if (found >= limit) return;
    }
  }
};
}  // namespace

int CountSolutions(const uint8_t grid[81], uint8_t solution[81], int limit) {
  Solver s{};
  s.limit = limit;
  for (int c = 0; c < 81; ++c) {
    s.g[c] = 0;
    if (grid[c] && !s.Place(c, grid[c])) return 0;
  }
  s.Search();
  if (s.found && solution)
    for (int c = 0; c < 81; ++c) solution[c] = s.first[c];
  return s.found;
}

std::string DataPath(const std::string& name) {
  const char* env = std::getenv("VOREL_DATA_DIR");
  return std::string(env && *env ? env : VOREL_DATA_DIR) + "/" + name;
}

std::vector<std::string> DataLines(const std::string& name) {
  std::vector<std::string> lines;
  std::ifstream in(DataPath(name));
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string CandidateInvariantError() {
  uint32_t total = 0;
  for (uint32_t c = 0; c < 81; ++c) {
    uint32_t n = 0;
    for (uint32_t d = 0; d < 9; ++d) n += g.cand.flag[c * 9 + d] != 0;
    if (n != g.cand.count[c]) return "count of cell " + std::to_string(c) + " differs from its flags";
    if (g.board.value[c] == 0 && n == 0) return "empty cell " + std::to_string(c) + " has no candidate";
    total += n;
  }
  if (total != g.cand.total) return "total differs from the counts";
  // While a batch keeps the unit positions, what it kept must match the table.
  const HolderCache& cache = g.holderCache;
  if (cache.depth == 0) return {};
  uint32_t holders[9][27] = {}, mask[81] = {}, open[27] = {};
  for (uint32_t c = 0; c < 81; ++c) {
    const uint32_t r = c / 9, col = c % 9, units[3] = {r, 9 + col, 18 + r / 3 * 3 + col / 3};
    const uint32_t places[3] = {col, r, r % 3 * 3 + col % 3};
    for (uint32_t d = 0; d < 9; ++d) {
      if (g.cand.flag[c * 9 + d] == 0) continue;
      mask[c] |= 1u << d;
      if (g.cand.count[c] != 0)
        for (uint32_t i = 0; i < 3; ++i) holders[d][units[i]] |= 1u << places[i];
    }
    if (g.cand.count[c] >= 2)
      for (uint32_t i = 0; i < 3; ++i) open[units[i]] |= 1u << places[i];
  }
  for (uint32_t d = 0; d < 9; ++d)
    if ((cache.known >> d & 1) != 0 && std::memcmp(cache.holders[d], holders[d], sizeof holders[d]) != 0)
      return "kept positions of digit " + std::to_string(d + 1) + " differ from the table";
  if ((cache.known & kKnownCellMasks) != 0 && std::memcmp(cache.mask, mask, sizeof mask) != 0)
    return "kept cell masks differ from the table";
  if ((cache.known & kKnownOpenUnits) != 0 && std::memcmp(cache.open, open, sizeof open) != 0)
    return "kept open cells differ from the table";
  if ((cache.known & kKnownOnce) != 0)
    for (uint32_t u = 0; u < 27; ++u) {
      uint32_t once = 0;
      for (uint32_t d = 0; d < 9; ++d) once |= (std::popcount(holders[d][u]) == 1 ? 1u : 0u) << d;
      if (cache.once[u] != once) return "kept single holders of unit " + std::to_string(u) + " differ";
    }
  return {};
}

std::string TempDir() {
  char dir[] = "/tmp/vorel-test-XXXXXX";
  const char* made = mkdtemp(dir);
  return std::string(made ? made : "/tmp") + "/";
}

std::string WriteTempFile(const std::string& name, const std::string& bytes) {
  const std::string path = TempDir() + name;
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return path;
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void Fnv::Mix(const std::string& text) {
  for (const char ch : text) hash = (hash ^ static_cast<uint8_t>(ch)) * 1099511628211ull;
  hash = (hash ^ 0xFFu) * 1099511628211ull;
}

std::string Fnv::Hex() const {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

void ExpectRecordedTable(const std::string& name, const std::string& table) {
  const std::string path = std::string(VOREL_SOURCE_DIR) + "/tests/" + name;
  const char* record = std::getenv("VOREL_RECORD_DIGESTS");
  if (record && std::string(record) == "1") {
    std::ofstream(path) << table;
    GTEST_SKIP() << "recorded " << path;
  }
  const std::vector<std::string> got = Split(table, '\n');
  const std::vector<std::string> want = Split(ReadText(path), '\n');
  ASSERT_FALSE(want.empty()) << path << " is missing";
  for (size_t i = 0; i < std::max(got.size(), want.size()); ++i)
    EXPECT_EQ(i < got.size() ? got[i] : "", i < want.size() ? want[i] : "") << name << " line " << i + 1;
}

std::string Shell(const std::string& command, int* status) {
  std::FILE* pipe = popen(("(" + command + ") 2>/dev/null").c_str(), "r");
  std::string out;
  char buffer[4096];
  size_t n;
  while (pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  const int rc = pipe ? pclose(pipe) : -1;
  if (status) *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  return out;
}

std::string RunCli(const std::string& args, int* status) {
  return Shell(std::string(VOREL_CLI_PATH) + " " + args, status);
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::stringstream in(text);
  std::string part;
  while (std::getline(in, part, separator)) parts.push_back(part);
  return parts;
}

std::string Joined(const std::vector<std::string>& lines, size_t from, size_t to) {
  std::string text;
  for (size_t i = from; i < to && i < lines.size(); ++i) text += lines[i] + "\n";
  return text;
}

static bool SolveCurrentValues(SoundState& state) {
  uint8_t grid[81];
  for (int c = 0; c < 81; ++c) grid[c] = static_cast<uint8_t>(g.board.value[c]);
  if (CountSolutions(grid, state.solution, 2) != 1) return false;
  for (int c = 0; c < 81; ++c)
    if (g.board.value[c] == 0 && !g.cand.flag[c * 9 + state.solution[c] - 1]) return false;
  return true;
}

bool LoadPuzzleState(const std::string& line, SoundState& state) {
  uint8_t grid[81];
  if (!ParseGrid(line, grid)) return false;
  ClearBoard();
  for (int c = 0; c < 81; ++c)
    if (grid[c]) {
      g.board.value[c] = grid[c];
      g.board.kind[c] = KindGiven;
    }
  g.screenMode = ModeCandidateScreen;
  ComputeCandidates();
  state.source = line;
  return SolveCurrentValues(state);
}

std::vector<std::string> ReglibFields(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 1;
  while (start <= line.size()) {
    size_t end = line.find(':', start);
    if (end == std::string::npos) end = line.size();
    fields.push_back(line.substr(start, end - start));
    start = end + 1;
  }
  return fields;
}

const uint8_t* g_solution = nullptr;
std::string g_failure;

void CheckAfterFlush(uint32_t code) {
  if (!g_failure.empty()) return;
  const std::string lost = g_solution ? LostSolutionDigits(g_solution) : "";
  const std::string broken = CandidateInvariantError();
  if (!lost.empty() || !broken.empty())
    g_failure = std::string(TechniqueName(code)) + " removed " + lost + " " + broken;
}

void SolutionCheckedTest::SetUp() {
  EngineTest::SetUp();
  g.settings.candErase = 0;
  platform.record = false;
  FlushObserver = CheckAfterFlush;
}

bool LoadReglibState(const std::string& line, SoundState& state) {
  if (line.empty() || line[0] != ':') return false;
  const std::vector<std::string> fields = ReglibFields(line);
  if (fields.size() < 4) return false;
  ClearBoard();
  uint32_t c = 0;
  bool placed = false;
  for (char ch : fields[2]) {
    if (c >= 81) break;
    if (ch == '+') {
      placed = true;
      continue;
    }
    if (ch >= '1' && ch <= '9') {
      g.board.value[c] = static_cast<uint32_t>(ch - '0');
      g.board.kind[c] = placed ? KindAuto : KindGiven;
    }
    if ((ch >= '0' && ch <= '9') || ch == '.') ++c;
    placed = false;
  }
  if (c != 81) return false;
  g.screenMode = ModeCandidateScreen;
  ComputeCandidates();
  std::istringstream deleted(fields[3]);
  std::string item;
  while (deleted >> item) {
    if (item.size() != 3) continue;
    const uint32_t d = static_cast<uint32_t>(item[0] - '1'), r = static_cast<uint32_t>(item[1] - '1'),
                   k = static_cast<uint32_t>(item[2] - '1');
    if (d > 8 || r > 8 || k > 8) continue;
    const uint32_t cell = r * 9 + k;
    if (g.cand.flag[cell * 9 + d] && g.cand.count[cell] > 1) {
      g.cand.flag[cell * 9 + d] = 0;
      --g.cand.count[cell];
      --g.cand.total;
    }
  }
  state.source = line;
  return SolveCurrentValues(state);
}

std::string LostSolutionDigits(const uint8_t solution[81]) {
  std::string out;
  for (uint32_t c = 0; c < 81; ++c) {
    if (g.board.value[c] != 0) continue;
    if (!g.cand.flag[c * 9 + solution[c] - 1])
      out += "(" + std::to_string(c % 9 + 1) + "," + std::to_string(c / 9 + 1) + ") <" +
             std::to_string(solution[c]) + "> ";
  }
  return out;
}

std::string DescribeState() {
  std::string s;
  for (uint32_t c = 0; c < 81; ++c) {
    if (g.board.value[c]) {
      s += static_cast<char>('0' + g.board.value[c]);
      continue;
    }
    s += '(';
    for (uint32_t d = 0; d < 9; ++d)
      if (g.cand.flag[c * 9 + d]) s += static_cast<char>('1' + d);
    s += ')';
  }
  return s;
}

std::vector<LibraryState> LibraryStates(const std::vector<std::string>& lines) {
  std::vector<LibraryState> states;
  for (const std::string& line : lines) {
    SoundState s;
    if (LoadReglibState(line, s)) states.push_back({DescribeState(), {s.solution, s.solution + 81}});
  }
  return states;
}

std::vector<std::string> SampleLines(const std::string& name, size_t step) {
  const char* full = std::getenv("VOREL_SOUNDNESS_FULL");
  if (full && *full == '1') step = 1;
  std::vector<std::string> all = DataLines(name), out;
  for (size_t i = 0; i < all.size(); i += step) out.push_back(all[i]);
  return out;
}
