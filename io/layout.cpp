#include "io/layout.h"

#include "board/state.h"
#include "io/settings.h"

namespace {

const char* const kFullWidthDigits[10] = {"０", "１", "２", "３", "４",
                                          "５", "６", "７", "８", "９"};
const char* const kIdeographicSpace = "　";

// Code point at s[i]; advances i. Invalid sequences give U+FFFD and consume one byte.
uint32_t NextCodePoint(const std::string& s, size_t& i) {
  const uint8_t b = static_cast<uint8_t>(s[i]);
  uint32_t need = 0, cp = 0, min = 0;
  if (b < 0x80) {
    ++i;
    return b;
  } else if (b >= 0xC2 && b <= 0xDF) {
    need = 1, cp = b & 0x1F, min = 0x80;
  } else if (b >= 0xE0 && b <= 0xEF) {
    need = 2, cp = b & 0x0F, min = 0x800;
  } else if (b >= 0xF0 && b <= 0xF4) {
    need = 3, cp = b & 0x07, min = 0x10000;
  } else {
    ++i;
    return 0xFFFD;
  }
  if (i + need >= s.size()) {
    ++i;
    return 0xFFFD;
  }
  for (uint32_t k = 1; k <= need; ++k) {
    const uint8_t t = static_cast<uint8_t>(s[i + k]);
    if ((t & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    cp = (cp << 6) | (t & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return 0xFFFD;
  }
  i += need + 1;
  return cp;
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Border line of the candidate print layout from the print layout's pieces, each
// horizontal segment three characters wide.
std::string WideBorder(const char* left, const char* bar, const char* thin, const char* thick,
                       const char* right) {
  std::string s = left;
  for (uint32_t c = 0; c < 9; ++c) {
    for (int k = 0; k < 3; ++k) s += bar;
    s += c == 8 ? right : (c % 3 == 2 ? thick : thin);
  }
  return s;
}

}  // namespace

std::vector<std::string> PlainLayoutLines(bool candidateScreen) {
  std::vector<std::string> lines;
  for (uint32_t r = 0; r < 9; ++r) {
    std::string line;
    for (uint32_t col = 0; col < 9; ++col) {
      const uint32_t c = r * 9 + col;
      const uint32_t v = g.board.value[c], k = g.board.kind[c];
      if (k == KindGiven && v != 0) {
        line += static_cast<char>('0' + v);
      } else if (!candidateScreen) {
        line += '0';
      } else if ((k == KindInput || k == KindAssumed) && v != 0) {
        line += static_cast<char>('0' + v);
      } else if ((k == KindAuto || k == KindAutoSingle || k == KindAutoFile) && v != 0) {
        line += '(';
        line += static_cast<char>('0' + v);
        line += ')';
      } else {
        line += '(';
        for (uint32_t d = 0; d < 9; ++d)
          if (g.cand.flag[c * 9 + d]) line += static_cast<char>('1' + d);
        line += ')';
      }
      if (col == 2 || col == 5) line += ' ';
    }
    lines.push_back(line);
  }
  return lines;
}

std::string LineLayout() {
  std::string s(81, '0');
  for (uint32_t c = 0; c < 81; ++c) s[c] = static_cast<char>('0' + (g.board.value[c] % 10));
  return s;
}

std::vector<std::string> PrintLayoutLines() {
  std::vector<std::string> lines;
  lines.push_back("┏━┯━┯━┳━┯━┯━┳━┯━┯━┓");
  for (uint32_t r = 0; r < 9; ++r) {
    std::string line = "┃";
    for (uint32_t c = 0; c < 9; ++c) {
      const uint32_t v = g.board.value[r * 9 + c];
      line += v >= 1 && v <= 9 ? kFullWidthDigits[v] : kIdeographicSpace;
      line += c % 3 == 2 ? "┃" : "│";
    }
    lines.push_back(line);
    if (r == 8)
      lines.push_back("┗━┷━┷━┻━┷━┷━┻━┷━┷━┛");
    else if (r % 3 == 2)
      lines.push_back("┣━┿━┿━╋━┿━┿━╋━┿━┿━┫");
    else
      lines.push_back("┠─┼─┼─╂─┼─┼─╂─┼─┼─┨");
  }
  return lines;
}

std::vector<std::string> CandidatePrintLayoutLines() {
  std::vector<std::string> lines;
  lines.push_back(WideBorder("┏", "━", "┯", "┳", "┓"));
  for (uint32_t r = 0; r < 9; ++r) {
    for (uint32_t sub = 0; sub < 3; ++sub) {
      std::string line = "┃";
      for (uint32_t col = 0; col < 9; ++col) {
        const uint32_t c = r * 9 + col, v = g.board.value[c];
        for (uint32_t k = 0; k < 3; ++k) {
          const uint32_t d = sub * 3 + k;  // digit index 0..8
          if (v >= 1 && v <= 9)
            line += sub == 0 && k == 0 ? kFullWidthDigits[v] : kIdeographicSpace;
          else
            line += g.cand.flag[c * 9 + d] ? kFullWidthDigits[d + 1] : kIdeographicSpace;
        }
        line += col % 3 == 2 ? "┃" : "│";
      }
      lines.push_back(line);
    }
    if (r == 8)
      lines.push_back(WideBorder("┗", "━", "┷", "┻", "┛"));
    else if (r % 3 == 2)
      lines.push_back(WideBorder("┣", "━", "┿", "╋", "┫"));
    else
      lines.push_back(WideBorder("┠", "─", "┼", "╂", "┨"));
  }
  return lines;
}

std::string HtmlGlyph(uint32_t glyphSet, uint32_t d) {
  static const char* const kTables[6] = {
      nullptr, nullptr, "〇一二三四五六七八九", "零壱弐参肆伍陸漆捌玖", "　臨兵闘者皆陣列在前",
      "ⅩⅠⅡⅢⅣⅤⅥⅦⅧⅨ"};
  if (d > 9) return kIdeographicSpace;
  if (glyphSet == 6) {
    const std::vector<std::string> glyphs = g.settings.customGlyph.size() == 10
                                                ? g.settings.customGlyph
                                                : SplitCustomText(g.settings.customText);
    return glyphs[d];
  }
  if (glyphSet >= 2 && glyphSet <= 5) return SplitCodePoints(kTables[glyphSet])[d];
  return kFullWidthDigits[d];
}

std::vector<std::string> HtmlLayoutPieces(bool candidateScreen) {
  std::vector<std::string> pieces;
  pieces.push_back("\xEF\xBB\xBF<HTML>\n<tt>\n<CENTER>\n<TABLE border=\"1\">\n");
  const Settings& s = g.settings;
  const uint32_t glyphSet = static_cast<uint32_t>(s.kanSuuji);
  for (uint32_t r = 0; r < 9; ++r) {
    std::string row = "<TR>\n";
    for (uint32_t col = 0; col < 9; ++col) {
      const uint32_t c = r * 9 + col, v = g.board.value[c], kind = g.board.kind[c];
      const char shade = (r / 3) % 2 == (col / 3) % 2 ? 'd' : 'f';
      const int32_t role = kind == KindGiven    ? s.number
                           : kind == KindInput  ? s.input
                           : kind == KindAssumed ? s.kari
                                                 : s.calc;
      const uint32_t index = static_cast<uint32_t>(role);
      const char on = index >= 8 ? 'f' : '8';
      char colour[8] = {'#', '0', '0', '0', '0', '0', '0', 0};
      if (index & 4) colour[1] = on;
      if (index & 2) colour[3] = on;
      if (index & 1) colour[5] = on;
      std::string cell = "<TD bgcolor=\"#";
      cell.append(1, shade).append("0").append(1, shade).append("0").append(1, shade);
      cell += "0\"><font color=\"";
      cell += colour;
      cell += '"';
      if (v == 0 && candidateScreen) {
        cell += '>';
        uint32_t n = 0;
        for (uint32_t d = 0; d < 9; ++d) {
          if (!g.cand.flag[c * 9 + d]) continue;
          cell += static_cast<char>('1' + d);
          if (++n == 3) cell += "<BR>";
        }
        cell += "</TD>\n";
      } else {
        cell += " size=\"+2\">";
        // A glyph outside the basic plane fills both slots of the two-slot template.
        cell += v >= 1 && v <= 9 ? HtmlGlyph(glyphSet, v) : kIdeographicSpace;
        cell += "</font></TD>\n";
      }
      row += cell;
    }
    row += "</TR>\n";
    pieces.push_back(row);
  }
  pieces.push_back("</TABLE>\n</CENTER>\n</tt>\n</HTML>\n");
  return pieces;
}

std::vector<std::string> CreationStateLines() {
  std::vector<std::string> lines;
  for (uint32_t part = 0; part < 3; ++part) {
    if (part) lines.emplace_back();
    for (uint32_t r = 0; r < 9; ++r) {
      std::string line;
      for (uint32_t col = 0; col < 9; ++col) {
        const uint32_t c = r * 9 + col;
        uint32_t d = part == 0 ? g.board.value[c] : part == 1 ? g.board.kind[c] : g.solution[c];
        // A hint mark is an empty cell; one digit per cell keeps the file readable.
        if (d > 9) d = part == 1 ? static_cast<uint32_t>(KindEmpty) : 0u;
        line += static_cast<char>('0' + d);
        if (col == 2 || col == 5) line += ' ';
      }
      lines.push_back(line);
    }
  }
  return lines;
}

void AppendUtf16(std::vector<uint8_t>& out, const std::string& utf8) {
  size_t i = 0;
  auto unit = [&](uint32_t u) {
    out.push_back(static_cast<uint8_t>(u & 0xFF));
    out.push_back(static_cast<uint8_t>(u >> 8));
  };
  while (i < utf8.size()) {
    const uint32_t cp = NextCodePoint(utf8, i);
    if (cp >= 0x10000) {
      unit(0xD800 + ((cp - 0x10000) >> 10));
      unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      unit(cp);
    }
  }
}

std::vector<uint8_t> Utf16le(const std::string& utf8) {
  std::vector<uint8_t> out;
  AppendUtf16(out, utf8);
  return out;
}

std::string Utf8FromUtf16le(const uint8_t* d, size_t n) {
  std::string out;
  size_t i = 0;
  while (i + 1 < n) {
    uint32_t u = d[i] | (d[i + 1] << 8);
    i += 2;
    if (u >= 0xD800 && u <= 0xDBFF) {
      const uint32_t low = i + 1 < n ? (d[i] | (d[i + 1] << 8)) : 0;
      if (low >= 0xDC00 && low <= 0xDFFF) {
        i += 2;
        u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
      } else {
        u = 0xFFFD;
      }
    } else if (u >= 0xDC00 && u <= 0xDFFF) {
      u = 0xFFFD;
    }
    AppendUtf8(out, u);
  }
  return out;
}

std::vector<std::string> SplitCodePoints(const std::string& utf8) {
  std::vector<std::string> out;
  size_t i = 0;
  while (i < utf8.size()) {
    const uint32_t cp = NextCodePoint(utf8, i);
    std::string one;
    AppendUtf8(one, cp);
    out.push_back(one);
  }
  return out;
}

size_t Utf16Units(const std::string& utf8) {
  size_t i = 0, n = 0;
  while (i < utf8.size()) n += NextCodePoint(utf8, i) >= 0x10000 ? 2 : 1;
  return n;
}

std::string TruncateUtf16(const std::string& utf8, size_t units) {
  size_t i = 0, n = 0;
  while (i < utf8.size()) {
    size_t next = i;
    const size_t need = NextCodePoint(utf8, next) >= 0x10000 ? 2 : 1;
    if (n + need > units) break;
    n += need;
    i = next;
  }
  return utf8.substr(0, i);
}
