#include "io/read.h"

#include <cstdio>
#include <cstring>

#include "board/candidates.h"
#include "board/platform.h"
#include "board/queue.h"
#include "board/state.h"
#include "drivers/commands.h"
#include "drivers/frame.h"
#include "io/write.h"

namespace {

constexpr size_t kSingleReadLimit = 2047;
// The paging reader keeps the whole file; past this size it is refused like a failed
// allocation rather than exhausting memory.
constexpr size_t kPagingLimit = 16u << 20;

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

std::string g_lastPath;

void AfterRead(const std::string& path) {
  SetTitle(TitleForFile(path));
  if (g.screenMode == ModeProblemInput) {
    ComputeCandidates();
    RefreshStatus(3);
  } else {
    RefreshStatus(1);
  }
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

static bool FileRefusedHere() {
  if (g.screenMode == ModeEdit || g.screenMode == ModeCandidateScreen) {
    ShowMessage("編集中・候補画面ではファイル操作できません", "注意", IconExclamation);
    return true;
  }
  return false;
}

uint32_t ReadPuzzleFromPath(const std::string& path) {
  g.textEncoding = EncodingBytes;
  std::vector<uint8_t> bytes;
  bool openFailed = false;
  if (g.screenMode == ModeNewCreation) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
      ShowMessage(path, "ファイルがオープンできません", IconExclamation);
      return 0;
    }
    std::fseek(f, 0, SEEK_END);
    const long size = std::ftell(f);
    std::fclose(f);
    if (size < 0 || static_cast<size_t>(size) > kPagingLimit) {
      ShowMessage("ファイル読込メモリを確保できません", "警告", IconExclamation);
      return 0;
    }
    if (!ReadFileBytes(path, static_cast<size_t>(size), bytes, openFailed)) {
      ShowMessage(path, openFailed ? "ファイルがオープンできません" : "読み込み異常",
                  IconExclamation);
      return 0;
    }
    ProblemFileBuffer& pf = g.problemFile;
    pf.data = std::move(bytes);
    pf.active = 1;
    pf.number = 1;
    pf.fileName = path;
    std::memset(pf.position, 0, sizeof pf.position);
    if (pf.data.size() >= 2 && pf.data[1] == 0 && pf.data[0] >= '0' && pf.data[0] <= '9')
      g.textEncoding = EncodingUtf16;
    pf.position[1] =
        static_cast<uint32_t>(ParsePuzzleText(pf.data.data(), pf.data.size(), g.textEncoding));
  } else {
    if (!ReadFileBytes(path, kSingleReadLimit, bytes, openFailed)) {
      ShowMessage(path, openFailed ? "ファイルがオープンできません" : "読み込み異常",
                  IconExclamation);
      return 0;
    }
    g.textEncoding = ChooseEncoding(bytes.data(), bytes.size(), true);
    ParsePuzzleText(bytes.data(), bytes.size(), g.textEncoding);
  }
  g_lastPath = path;
  AfterRead(path);
  return 1;
}

uint32_t LoadPuzzleBytes(const std::vector<uint8_t>& bytes, const std::string& name) {
  g.textEncoding = ChooseEncoding(bytes.data(), bytes.size(), true);
  ParsePuzzleText(bytes.data(), bytes.size(), g.textEncoding);
  AfterRead(name);
  return 1;
}

static FileDialogRequest OpenRequest(const char* title) {
  FileDialogRequest r;
  r.title = title;
  r.defaultExtension = "txt";
  r.filters = {{"すべてのファイル", "*.*"}};
  r.initialDir = g.settings.initialDir;
  return r;
}

void ReadPuzzleFile() {
  if (FileRefusedHere()) return;
  g.textEncoding = EncodingBytes;
  const std::string path = P().ChooseFile(OpenRequest("読込ファイル名の指定"));
  if (path.empty()) return;
  ReadPuzzleFromPath(path);
}

void PageProblem(uint32_t next) {
  ProblemFileBuffer& pf = g.problemFile;
  if (g.screenMode != ModeNewCreation || !pf.active) return;
  const uint8_t* base = pf.data.data();
  const size_t size = pf.data.size();
  if (next) {
    if (pf.number >= 100) return;
    const size_t start = pf.position[pf.number];
    if (start > size || size - start < 81) return;
    const size_t end = start + ParsePuzzleText(base + start, size - start, g.textEncoding);
    ++pf.number;
    if (pf.number < 100) pf.position[pf.number] = static_cast<uint32_t>(end);
  } else {
    if (pf.number <= 1) return;
    --pf.number;
    const size_t from = pf.position[pf.number - 1], to = pf.position[pf.number];
    if (from > size || to > size || to < from) return;
    ParsePuzzleText(base + from, to - from, g.textEncoding);
  }
  SetTitle(Format("%s (%u)", TitleForFile(pf.fileName).c_str(), pf.number));
  RefreshStatus(1);
}

void ReadDroppedFile(const std::vector<std::string>& paths) {
  if (g.screenMode == ModeCandidateScreen || g.screenMode == ModeMakeProblem ||
      g.screenMode == ModeProblemInput)
    return;
  for (const std::string& path : paths) {
    std::vector<uint8_t> bytes;
    bool openFailed = false;
    if (!ReadFileBytes(path, kSingleReadLimit, bytes, openFailed) && openFailed) break;
    g.textEncoding = ChooseEncoding(bytes.data(), bytes.size(), false);
    ParsePuzzleText(bytes.data(), bytes.size(), g.textEncoding);
  }
  SetTitle(kAppTitle);
  RefreshStatus(1);
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

uint32_t ReadClipboard() {
  std::vector<ClipboardItem> items;
  if (!P().ClipboardRead(items)) {
    ShowMessage("クリップボードが使用できません", "ClipBoard", IconExclamation);
    return 0;
  }
  if (items.empty()) {
    ShowMessage("データは登録されていません", "ClipBoard", IconExclamation);
    return 0;
  }
  const uint32_t layout = static_cast<uint32_t>(g.settings.clipboardPattern);
  const ClipboardItem* chosen = nullptr;
  for (const ClipboardItem& item : items) {
    switch (item.format) {
      case ClipText: case ClipSylk: case ClipDif: case ClipTiff: case ClipOemText:
      case ClipDib: case ClipPenData: case ClipRiff:
        chosen = &item;
        break;
      case ClipUnicodeText:
        if (layout == 0) chosen = &item;
        break;
      default:
        break;
    }
    if (chosen) break;
  }
  if (!chosen) {
    ShowMessage("テキストファイルはありません", "ClipBoard", IconExclamation);
    return 0;
  }
  if (chosen->format == ClipUnicodeText)
    ScanClipboardUnicode(chosen->bytes.data(), chosen->bytes.size());
  else
    ScanClipboardBytes(chosen->bytes.data(), chosen->bytes.size(), layout);
  return 1;
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

static void ReadFileCommand(uint32_t) { ReadPuzzleFile(); }
static void PageCommand(uint32_t id) { PageProblem(id == 1020 ? 1 : 0); }
static void ClipboardCommand(uint32_t) {
  if (!ReadClipboard()) return;
  SetTitle(kAppTitle);
  RefreshStatus(1);
  AppendToCollection();
}

const CommandEntry kReadCommands[] = {
    {200, GateAll, ReadFileCommand},
    {960, GateNew | GateEdit, ClipboardCommand},
    {990, GateNew | GateEdit, ClipboardCommand},
    {1010, GateNew, PageCommand},
    {1020, GateNew, PageCommand},
    {0, 0, nullptr},
};
