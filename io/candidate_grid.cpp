#include "io/candidate_grid.h"

#include <algorithm>
#include <bit>

#include "board/candidates.h"
#include "board/queue.h"
#include "board/state.h"

namespace {

std::string CellText(uint32_t c) { return Format("row %u, column %u", c / 9 + 1, c % 9 + 1); }

// Where a field stands: its cell while there are cells left, else its number.
std::string FieldText(uint32_t field) {
  return field < 81 ? CellText(field) : Format("field %u", field + 1);
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r'))
    s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return s;
}

bool Is729Line(std::string_view line) {
  size_t n = 0;
  for (char ch : line) {
    if ((ch >= '0' && ch <= '9') || ch == '.')
      ++n;
    else if (ch != ' ' && ch != '\t' && ch != '\r')
      return false;
  }
  return n == 729;
}

// Frame characters of the pencil-mark and printed layouts; bytes above 0x7F are the
// box-drawing characters some tools use.
bool IsFrame(unsigned char ch) {
  return ch == '|' || ch == '+' || ch == '-' || ch == '=' || ch == '.' || ch == ':' ||
         ch == '*' || ch == '\'' || ch == '#' || ch >= 0x80;
}
bool IsBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }

// The event kind vorel-cli writes in front of a line ("[board] " or, with -t, "board<TAB>"),
// and the length of that prefix; 0 for a line without one.
size_t EventPrefix(std::string_view line, std::string_view& kind) {
  const bool bracket = !line.empty() && line[0] == '[';
  size_t i = bracket ? 1 : 0;
  while (i < line.size() && ((line[i] >= 'a' && line[i] <= 'z') || line[i] == '-' ||
                             (line[i] >= '0' && line[i] <= '9')))
    ++i;
  const size_t from = bracket ? 1 : 0;
  if (i == from || line[from] < 'a' || line[from] > 'z') return 0;
  if (bracket && line.substr(i, 2) == "] ") {
    kind = line.substr(1, i - 1);
    return i + 2;
  }
  if (!bracket && i < line.size() && line[i] == '\t') {
    kind = line.substr(0, i);
    return i + 1;
  }
  return 0;
}

// The board lines of vorel-cli's output keep their text; its other events go.
std::string WithoutEventKinds(std::string_view text) {
  std::string out;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    std::string_view kind;
    const size_t prefix = EventPrefix(line, kind);
    start = end + 1;
    if (prefix && kind != "board") continue;
    out.append(line.substr(prefix));
    out += '\n';
  }
  return out;
}

bool Parse729(std::string_view text, CandidateGrid& grid, std::string& error) {
  uint32_t place = 0;
  for (char ch : text) {
    if (IsBlank(ch)) continue;
    const uint32_t c = place / 9, d = place % 9;
    if (ch != '.' && ch != '0' && ch != static_cast<char>('1' + d)) {
      error = Format("%s: '%c' at place %u of the cell (only %u, '.' or '0' belong there)",
                     CellText(c).c_str(), ch, d + 1, d + 1);
      return false;
    }
    if (ch != '.' && ch != '0') grid.mask[c] |= 1u << d;
    ++place;
  }
  return true;
}

// Fields of the pencil-mark grid or the printed layout. parenthesised: "(…)" is an open cell
// and a bare digit a filled one; otherwise every run of digits is a field.
bool ParseFields(std::string_view text, bool parenthesised, CandidateGrid& grid,
                 std::string& error) {
  uint32_t fields = 0;
  size_t i = 0;
  while (i < text.size()) {
    const unsigned char ch = static_cast<unsigned char>(text[i]);
    if (IsBlank(static_cast<char>(ch)) || (IsFrame(ch) && !(ch == '.' && parenthesised))) {
      ++i;
      continue;
    }
    uint32_t mask = 0;
    bool open = false, empty = false;
    if (parenthesised && ch == '(') {
      const size_t close = text.find(')', i);
      if (close == std::string_view::npos) {
        error = FieldText(fields) + ": \"(\" without \")\"";
        return false;
      }
      for (size_t k = i + 1; k < close; ++k) {
        const char d = text[k];
        if (d < '1' || d > '9') {
          error = FieldText(fields) + Format(": '%c' is not a candidate digit", d);
          return false;
        }
        mask |= 1u << (d - '1');
      }
      open = true;
      empty = mask == 0;
      i = close + 1;
    } else if (parenthesised) {
      if (ch < '1' || ch > '9') {
        error = FieldText(fields) + Format(": '%c' is neither a digit 1-9 nor \"(…)\"", ch);
        return false;
      }
      mask = 1u << (ch - '1');
      ++i;
    } else {
      for (; i < text.size() && !IsBlank(text[i]) &&
             !IsFrame(static_cast<unsigned char>(text[i]));
           ++i) {
        const char d = text[i];
        if (d == '0') continue;
        if (d < '1' || d > '9') {
          error = FieldText(fields) + Format(": unexpected character '%c'", d);
          return false;
        }
        mask |= 1u << (d - '1');
      }
      empty = mask == 0;
    }
    if (fields < 81) {
      if (empty) {
        error = CellText(fields) + ": empty field";
        return false;
      }
      if (open || std::popcount(mask) > 1)
        grid.mask[fields] = mask;
      else
        grid.value[fields] = static_cast<uint32_t>(std::countr_zero(mask)) + 1;
    }
    ++fields;
  }
  if (fields != 81) {
    error = Format("%u fields, 81 wanted", fields);
    return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> SplitCandidateGrids(std::string_view text) {
  std::vector<std::string> out;
  std::vector<std::string_view> block;
  auto flush = [&] {
    if (block.empty()) return;
    bool all729 = true;
    for (std::string_view line : block) all729 &= Is729Line(line);
    if (all729) {
      for (std::string_view line : block) out.emplace_back(Trim(line));
    } else {
      std::string joined;
      for (std::string_view line : block) {
        joined.append(line);
        joined += '\n';
      }
      out.push_back(joined);
    }
    block.clear();
  };
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    if (Trim(line).empty())
      flush();
    else
      block.push_back(line);
    if (end == text.size()) break;
    start = end + 1;
  }
  flush();
  return out;
}

uint32_t ParseCandidateGrid(std::string_view raw, CandidateGrid& grid, std::string& error) {
  grid = CandidateGrid{};
  const std::string text = WithoutEventKinds(raw);
  size_t symbols = 0;
  bool only729 = true;
  for (char ch : text) {
    if (IsBlank(ch)) continue;
    if ((ch >= '0' && ch <= '9') || ch == '.')
      ++symbols;
    else
      only729 = false;
  }
  bool ok;
  if (only729 && symbols == 729) {
    ok = Parse729(text, grid, error);
    // In this form a cell with one digit is filled with it.
    for (uint32_t c = 0; ok && c < 81; ++c) {
      if (grid.mask[c] == 0) {
        error = CellText(c) + ": empty field";
        ok = false;
      } else if (std::popcount(grid.mask[c]) == 1) {
        grid.value[c] = static_cast<uint32_t>(std::countr_zero(grid.mask[c])) + 1;
        grid.mask[c] = 0;
      }
    }
  } else {
    ok = ParseFields(text, text.find('(') != std::string::npos, grid, error);
  }
  if (!ok) return 0;
  // The singles (filled cells and open cells down to one candidate) must not clash.
  static const char* const kUnitName[3] = {"row", "column", "block"};
  for (uint32_t u = 0; u < 27; ++u) {
    uint32_t seen = 0;
    for (uint32_t k = 0; k < 9; ++k) {
      const uint32_t c = kUnitCells.cell[u][k];
      uint32_t bit = grid.value[c] ? 1u << (grid.value[c] - 1) : 0;
      if (!bit && std::popcount(grid.mask[c]) == 1) bit = grid.mask[c];
      if (!bit) continue;
      if (seen & bit) {
        error = Format("digit %d twice in %s %u", std::countr_zero(bit) + 1, kUnitName[u / 9],
                       u % 9 + 1);
        return 0;
      }
      seen |= bit;
    }
  }
  return 1;
}

std::string CandidateGrid729(const CandidateGrid& grid) {
  std::string out;
  for (uint32_t c = 0; c < 81; ++c) {
    const uint32_t mask = grid.value[c] ? 1u << (grid.value[c] - 1) : grid.mask[c];
    for (uint32_t d = 0; d < 9; ++d) out += (mask >> d & 1) ? static_cast<char>('1' + d) : '.';
  }
  return out;
}

std::vector<std::string> PencilMarkLines(const CandidateGrid& grid, bool frame) {
  std::string field[81];
  size_t width[9] = {};
  for (uint32_t c = 0; c < 81; ++c) {
    const uint32_t mask = grid.value[c] ? 1u << (grid.value[c] - 1) : grid.mask[c];
    for (uint32_t d = 0; d < 9; ++d)
      if (mask >> d & 1) field[c] += static_cast<char>('1' + d);
    width[c % 9] = std::max(width[c % 9], field[c].size());
  }
  std::vector<std::string> lines;
  std::string rule;
  if (frame) {
    for (uint32_t b = 0; b < 3; ++b) {
      rule += b ? "+" : ".";
      rule += std::string(width[3 * b] + width[3 * b + 1] + width[3 * b + 2] + 4, '-');
    }
    rule += ".";
    lines.push_back(rule);
  }
  for (uint32_t r = 0; r < 9; ++r) {
    std::string line = frame ? "|" : "";
    for (uint32_t col = 0; col < 9; ++col) {
      const std::string& f = field[r * 9 + col];
      line += (frame || col) ? " " : "";
      line += f + std::string(width[col] - f.size(), ' ');
      if (frame && col % 3 == 2) line += " |";
    }
    lines.push_back(line);
    if (frame && (r == 2 || r == 5 || r == 8)) lines.push_back(rule);
  }
  return lines;
}

void CandidateGridFromBoard(CandidateGrid& grid) {
  for (uint32_t c = 0; c < 81; ++c) {
    const uint32_t v = g.board.value[c];
    grid.value[c] = v <= 9 ? v : 0;
    grid.mask[c] = 0;
    if (grid.value[c]) continue;
    for (uint32_t d = 0; d < 9; ++d)
      if (g.cand.flag[c * 9 + d]) grid.mask[c] |= 1u << d;
  }
}

void InstallCandidateGrid(const CandidateGrid& grid) {
  uint32_t total = 0;
  for (uint32_t c = 0; c < 81; ++c) {
    g.board.value[c] = grid.value[c];
    g.board.kind[c] = grid.value[c] ? KindGiven : KindEmpty;
    const uint32_t mask = grid.value[c] ? 0 : grid.mask[c];
    for (uint32_t d = 0; d < 9; ++d) g.cand.flag[c * 9 + d] = mask >> d & 1;
    g.cand.count[c] = static_cast<uint32_t>(std::popcount(mask));
    total += g.cand.count[c];
  }
  g.cand.total = total;
  ForgetUnitHolders();
}
