#include "io/read.h"

#include <cstdio>
#include <cstring>

#include "board/candidates.h"
#include "board/state.h"
#include "io/layout.h"

namespace {

bool IsSjisLead(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// A cell kind read from a file must be one the system knows.
uint32_t SaneKind(uint32_t value, uint32_t kind) {
  const bool known = kind == 0 || kind == 1 || kind == 3 || kind == 4 || kind == 5 ||
                     kind == 6 || kind == 8 || kind == 9 || kind == 10;
  if (value == 0) return kind == 10 ? 10 : 9;
  return known && kind != 9 && kind != 10 ? kind : KindAuto;
}

struct CellWriter {
  uint32_t next = 0;
  bool blockOrder = false;
  bool full() const { return next >= 81; }
  void put(uint32_t digit) {
    if (next >= 81) return;
    const uint32_t c = blockOrder ? BlockOrder[next] : next;
    g.board.value[c] = digit;
    g.board.kind[c] = digit ? KindGiven : KindEmpty;
    ++next;
  }
};

size_t ParseBytes(const uint8_t* d, size_t n) {
  CellWriter w;
  size_t i = 0;
  while (i < n && !w.full()) {
    const uint8_t b = d[i];
    if (b == 0) return i;
    if (b >= '0' && b <= '9') {
      w.put(b - '0');
      ++i;
    } else if (b == '<') {
      while (i < n && d[i] != '>') ++i;
      if (i < n) ++i;
    } else if (b < '(') {
      ++i;
    } else if (b == '(') {
      // A parenthesised candidate list is one empty cell.
      while (i < n && d[i] != ')') ++i;
      if (i < n) ++i;
      w.put(0);
    } else if (b == '.') {
      w.put(0);
      ++i;
    } else if (IsSjisLead(b)) {
      if (i + 1 >= n) break;
      if (b == 0x82 && d[i + 1] >= 0x4F && d[i + 1] <= 0x58) w.put(d[i + 1] - 0x4F);
      i += 2;
    } else {
      ++i;
    }
  }
  if (g.problemFile.active) {
    // The next puzzle starts at the first byte that can begin a cell.
    while (i < n && d[i] < '0' && d[i] != '.' && d[i] != '(') ++i;
  }
  return i;
}

size_t ParseUtf16(const uint8_t* d, size_t n) {
  CellWriter w;
  size_t i = 0;
  while (i + 1 < n && !w.full()) {
    const uint32_t u = d[i] | (d[i + 1] << 8);
    if (u == 0) return i;
    if (u >= '0' && u <= '9')
      w.put(u - '0');
    else if (u >= 0xFF10 && u <= 0xFF19)
      w.put(u - 0xFF10);
    i += 2;
  }
  return i;
}

size_t ParseUtf8(const uint8_t* d, size_t n) {
  CellWriter w;
  size_t i = 0;
  while (i < n && !w.full()) {
    const uint8_t b = d[i];
    if (b == 0) return i;
    if (b >= '0' && b <= '9') {
      w.put(b - '0');
      ++i;
    } else if (b >= 0xE0 && b <= 0xEF && i + 2 < n && b == 0xEF && d[i + 1] == 0xBC &&
               d[i + 2] >= 0x90 && d[i + 2] <= 0x99) {
      w.put(d[i + 2] - 0x90);
      i += 3;
    } else if (b >= 0xC2 && b <= 0xF7) {
      // Any other multi-byte sequence is skipped with its continuation bytes only, so a
      // truncated sequence never swallows the digit after it.
      const size_t length = b <= 0xDF ? 2 : b <= 0xEF ? 3 : 4;
      ++i;
      for (size_t k = 1; k < length && i < n && (d[i] & 0xC0) == 0x80; ++k) ++i;
    } else {
      ++i;
    }
  }
  return i < n ? i : n;
}

size_t ParseBinary(const uint8_t* d, size_t n) {
  (void)n;  // the caller made sure of 168 bytes
  for (uint32_t c = 0; c < 81; ++c) {
    uint32_t value = d[6 + 2 * c];
    if (value > 9) value = 0;
    g.board.value[c] = value;
    g.board.kind[c] = SaneKind(value, d[7 + 2 * c]);
  }
  return 168;
}

}  // namespace

uint32_t ChooseEncoding(const uint8_t* d, size_t n, bool allowBinary) {
  if (n >= 2) {
    const uint32_t u = d[0] | (d[1] << 8);
    if (u == 0xFFFE || (d[0] >= '0' && d[0] <= '9' && d[1] == 0) || (u >= 0xFF10 && u <= 0xFF19))
      return EncodingUtf16;
    if (u == 0xFEFF) return EncodingUtf16Bom;
    if (u == 0xBBEF) return EncodingUtf8;
  }
  if (allowBinary && n >= 6 && std::memcmp(d, "VorlBD", 6) == 0) return EncodingBinary;
  return EncodingBytes;
}

size_t ParsePuzzleText(const uint8_t* data, size_t length, uint32_t encoding) {
  ClearBoard();
  switch (encoding) {
    case EncodingUtf16:
    case EncodingUtf16Bom:
      if (length < 161) return length;
      return ParseUtf16(data, length);
    case EncodingUtf8:
      if (length < 81) return length;
      return ParseUtf8(data, length);
    case EncodingBinary:
      if (length < 168) return length;
      return ParseBinary(data, length);
    default:
      if (length < 81) return length;
      return ParseBytes(data, length);
  }
}

bool ReadFileBytes(const std::string& path, size_t limit, std::vector<uint8_t>& out,
                   bool& openFailed) {
  out.clear();
  openFailed = false;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    openFailed = true;
    return false;
  }
  // A regular file's size is known: room for it at once, not by doubling.
  if (std::fseek(f, 0, SEEK_END) == 0) {
    const long size = std::ftell(f);
    if (size > 0) out.reserve(std::min(static_cast<size_t>(size), limit));
    std::rewind(f);
  }
  uint8_t buffer[65536];
  bool ok = true;
  while (out.size() < limit) {
    const size_t want = std::min(sizeof buffer, limit - out.size());
    const size_t got = std::fread(buffer, 1, want, f);
    out.insert(out.end(), buffer, buffer + got);
    if (got < want) {
      ok = !std::ferror(f);
      break;
    }
  }
  std::fclose(f);
  return ok;
}

void ScanClipboardBytes(const uint8_t* d, size_t n, uint32_t layout) {
  ClearBoard();
  CellWriter w;
  w.blockOrder = layout == 1;
  size_t i = 0;
  while (i < n && !w.full()) {
    const uint8_t b = d[i];
    if (b == 0) break;
    if (layout == 2) {
      if (b >= '0' && b <= '9') {
        w.put(b - '0');
        ++i;
        if (i < n && d[i] == '\t') {
          ++i;
          if (i < n && d[i] == '\r') w.put(0);
        }
      } else if (b == '\t') {
        w.put(0);
        ++i;
        if (i < n && d[i] == '\r') w.put(0);
      } else {
        ++i;
      }
      continue;
    }
    if (b >= '0' && b <= '9') {
      w.put(b - '0');
      ++i;
    } else if (b == '.') {
      w.put(0);
      ++i;
    } else if (IsSjisLead(b)) {
      if (i + 1 >= n) break;
      if (b == 0x82 && d[i + 1] >= 0x4F && d[i + 1] <= 0x58)
        w.put(d[i + 1] - 0x4F);
      else if (b == 0x81)
        w.put(0);
      i += 2;
    } else {
      ++i;
    }
  }
}

void ScanClipboardUnicode(const uint8_t* d, size_t n) {
  ClearBoard();
  ParseUtf16(d, n);
}

uint32_t ParseMaskText(const uint8_t* d, size_t n, uint32_t encoding) {
  std::memset(g.maskTable, 0, sizeof g.maskTable);
  uint32_t k = 0;
  if (encoding == EncodingUtf16 || encoding == EncodingUtf16Bom) {
    if (n < 161) return 0;
    for (size_t i = 0; i + 1 < n && k < 81; i += 2) {
      const uint32_t u = d[i] | (d[i + 1] << 8);
      if (u == 0) break;
      if (u >= '0' && u <= '9') g.maskTable[k++] = u - '0';
      else if (u >= 0xFF10 && u <= 0xFF19) g.maskTable[k++] = u - 0xFF10;
    }
    return k;
  }
  if (n < 81) return 0;
  size_t i = 0;
  while (i < n && k < 81) {
    const uint8_t b = d[i];
    if (b == 0) break;
    if (b >= '0' && b <= '9') {
      g.maskTable[k++] = b - '0';
      ++i;
    } else if (b == '<') {
      while (i < n && d[i] != '>') ++i;
      if (i < n) ++i;
    } else if (IsSjisLead(b)) {
      if (i + 1 >= n) break;
      if (b == 0x82 && d[i + 1] >= 0x4F && d[i + 1] <= 0x58) g.maskTable[k++] = d[i + 1] - 0x4F;
      i += 2;
    } else {
      ++i;
    }
  }
  return k;
}

uint32_t ParseCreationState(const uint8_t* d, size_t n) {
  ClearBoard();
  uint32_t k = 0;
  for (size_t i = 0; i + 1 < n && k < 243; i += 2) {
    const uint32_t u = d[i] | (d[i + 1] << 8);
    if (u < '0' || u > '9') continue;
    const uint32_t v = u - '0';
    if (k < 81)
      g.board.value[k] = v;
    else if (k < 162)
      g.board.kind[k - 81] = v;
    else
      g.solution[k - 162] = v;
    ++k;
  }
  for (uint32_t c = 0; c < 81; ++c) g.board.kind[c] = SaneKind(g.board.value[c], g.board.kind[c]);
  return k;
}

uint32_t ParseCandidateText(const uint8_t* data, size_t length) {
  std::string text;
  if (length >= 2 && data[0] == 0xFF && data[1] == 0xFE)
    text = Utf8FromUtf16le(data + 2, length - 2);
  else if (length >= 2 && data[1] == 0 && data[0] != 0)
    text = Utf8FromUtf16le(data, length);
  else
    text.assign(reinterpret_cast<const char*>(data), length);
  // Full-width digits count as digits.
  std::string ascii;
  for (size_t i = 0; i < text.size(); ++i) {
    const uint8_t b = static_cast<uint8_t>(text[i]);
    if (b == 0xEF && i + 2 < text.size() && static_cast<uint8_t>(text[i + 1]) == 0xBC &&
        static_cast<uint8_t>(text[i + 2]) >= 0x90 && static_cast<uint8_t>(text[i + 2]) <= 0x99) {
      ascii += static_cast<char>('0' + static_cast<uint8_t>(text[i + 2]) - 0x90);
      i += 2;
    } else {
      ascii += static_cast<char>(b);
    }
  }

  ClearBoard();
  std::memset(g.cand.flag, 0, sizeof g.cand.flag);
  std::memset(g.cand.count, 0, sizeof g.cand.count);
  bool listed[81] = {};  // the file gave this cell's candidates
  uint32_t cell = 0;
  size_t i = 0;
  while (i < ascii.size() && cell < 81) {
    const char ch = ascii[i];
    if (ch == 0) break;
    if (ch >= '1' && ch <= '9') {
      g.board.value[cell] = static_cast<uint32_t>(ch - '0');
      g.board.kind[cell] = KindGiven;
      listed[cell++] = true;
      ++i;
    } else if (ch == '0' || ch == '.') {
      ++cell;  // empty, candidates from the values below
      ++i;
    } else if (ch == '(') {
      const size_t close = ascii.find(')', i);
      if (close == std::string::npos) break;
      uint32_t digits[9] = {}, n = 0, last = 0;
      for (size_t k = i + 1; k < close; ++k)
        if (ascii[k] >= '1' && ascii[k] <= '9' && !digits[ascii[k] - '1']) {
          digits[ascii[k] - '1'] = 1;
          last = static_cast<uint32_t>(ascii[k] - '0');
          ++n;
        }
      if (n == 1) {
        g.board.value[cell] = last;
        g.board.kind[cell] = KindAuto;
      } else {
        for (uint32_t d = 0; d < 9; ++d) g.cand.flag[cell * 9 + d] = digits[d];
        g.cand.count[cell] = n;
      }
      listed[cell++] = true;
      i = close + 1;
    } else {
      ++i;
    }
  }
  const uint32_t read = cell;
  for (uint32_t c = 0; c < 81; ++c) {
    if (listed[c] || g.board.value[c]) continue;
    uint32_t allowed[10];
    g.cand.count[c] = AllowedByValues(c, allowed);
    for (uint32_t d = 0; d < 9; ++d) g.cand.flag[c * 9 + d] = allowed[d + 1];
  }
  g.cand.total = 0;
  for (uint32_t c = 0; c < 81; ++c) g.cand.total += g.cand.count[c];
  ForgetUnitHolders();
  return read;
}
