#include "io/write.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "board/state.h"
#include "io/layout.h"

namespace {

std::vector<uint8_t> Lines16(const std::vector<std::string>& lines, bool bom, const char* end) {
  std::vector<uint8_t> out;
  if (bom) AppendUtf16(out, "\xEF\xBB\xBF");
  for (const std::string& line : lines) {
    AppendUtf16(out, line);
    AppendUtf16(out, end);
  }
  return out;
}

uint32_t WriteAll(std::FILE* f, const std::vector<uint8_t>& bytes) {
  bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fclose(f) == 0 && ok;
  return ok ? WriteOk : WriteFailed;
}

}  // namespace

std::vector<uint8_t> PlainLayoutBytes(bool candidateScreen) {
  return Lines16(PlainLayoutLines(candidateScreen), true, "\r\n");
}

std::vector<uint8_t> PrintLayoutBytes() { return Lines16(PrintLayoutLines(), false, "\r\n"); }

std::vector<uint8_t> CandidatePrintLayoutBytes() {
  return Lines16(CandidatePrintLayoutLines(), false, "\r\n");
}

std::vector<uint8_t> HtmlLayoutBytes(bool candidateScreen) {
  std::vector<uint8_t> out;
  for (const std::string& piece : HtmlLayoutPieces(candidateScreen)) AppendUtf16(out, piece);
  return out;
}

std::vector<uint8_t> BinaryBoardBytes() {
  std::vector<uint8_t> out = {'V', 'o', 'r', 'l', 'B', 'D'};
  for (uint32_t c = 0; c < 81; ++c) {
    out.push_back(static_cast<uint8_t>(g.board.value[c]));
    out.push_back(static_cast<uint8_t>(g.board.kind[c]));
  }
  return out;
}

std::vector<uint8_t> CreationStateBytes() { return Lines16(CreationStateLines(), false, "\r\n"); }

std::vector<uint8_t> CollectionBytes() {
  std::vector<std::string> lines = PlainLayoutLines(false);
  lines.emplace_back();
  return Lines16(lines, false, "\r\n");
}

std::vector<uint8_t> ClipboardBytes() {
  std::vector<uint8_t> out(82, 0);
  for (uint32_t c = 0; c < 81; ++c) {
    const uint32_t v = g.board.value[c];
    out[c] = static_cast<uint8_t>(g.board.kind[c] == KindGiven && v <= 9 ? '0' + v : '0');
  }
  return out;
}

uint32_t WriteNewFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  // "x": create a new file only, never replace one.
  std::FILE* f = path.empty() ? nullptr : std::fopen(path.c_str(), "wbx");
  if (!f) return WriteCreateFailed;
  return WriteAll(f, bytes);
}

uint32_t AppendToFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* f = path.empty() ? nullptr : std::fopen(path.c_str(), "ab");
  if (!f) return WriteCreateFailed;
  return WriteAll(f, bytes);
}

std::string AutoNameFile() {
  const Settings& s = g.settings;
  std::string dir = s.initialDir;
  if (dir.empty()) {
    std::error_code ec;
    dir = std::filesystem::current_path(ec).string();
  }
  if (!dir.empty() && dir.back() == '/') dir.pop_back();
  const int width = s.autoSaveDigit >= 1 && s.autoSaveDigit <= 8 ? s.autoSaveDigit : 3;
  char number[32];
  std::snprintf(number, sizeof number, "%0*d", width, s.autoSaveCount);
  return dir + "/" + s.autoSaveFileName + number + ".txt";
}
