// The writing commands: save the puzzle in the chosen layout, the binary board, the creation
// state, the clipboard text and the collection file; and the candidate file reader, the
// inverse of the plain layout written in the candidate screen.
#include <cstring>

#include "board/candidates.h"
#include "board/platform.h"
#include "board/state.h"
#include "drivers/commands.h"
#include "drivers/frame.h"
#include "io/layout.h"
#include "io/read.h"
#include "io/settings.h"
#include "io/write.h"

namespace {

const char* const kTakenOrBad = "エラーまたは同名ファイルが存在します";
const char* const kWriteError = "書き込み異常";

FileDialogRequest SaveRequest(const char* title, const char* extension) {
  FileDialogRequest r;
  r.title = title;
  r.defaultExtension = extension;
  r.filters = {{"すべてのファイル", "*.*"}};
  r.initialDir = g.settings.initialDir;
  r.forSave = true;
  return r;
}

// Create the file and report failures; true when it was written.
bool WriteReported(const std::string& path, const std::vector<uint8_t>& bytes) {
  switch (WriteNewFile(path, bytes)) {
    case WriteOk: return true;
    case WriteCreateFailed: ShowMessage(path, kTakenOrBad, IconExclamation); return false;
    default: ShowMessage(path, kWriteError, IconExclamation); return false;
  }
}

void AppendCollectionFile() {
  const std::string path = CollectionPath();
  switch (AppendToFile(path, CollectionBytes())) {
    case WriteOk: break;
    case WriteCreateFailed:
      ShowMessage(path, "保存ファイルにアクセスできません", IconExclamation);
      break;
    default: ShowMessage(path, kWriteError, IconExclamation); break;
  }
}

}  // namespace

void SavePuzzle() {
  if (g.screenMode == ModeNewCreation || g.screenMode == ModeEdit) {
    if (!AskOkCancel("作業を終了してファイルに保存しますか？", "編集作業中")) return;
    RunCommand(g.screenMode == ModeNewCreation ? 240 : 300);
  }
  const bool candidateScreen = g.screenMode == ModeCandidateScreen;
  Settings& s = g.settings;
  std::string path;
  std::vector<uint8_t> bytes;
  const bool automatic = s.autoSaveFileNameFlag != 0;
  if (automatic) {
    path = AutoNameFile();
    bytes = PlainLayoutBytes(candidateScreen);
  } else {
    path = P().ChooseFile(SaveRequest("書込ファイル名の指定", s.saveFormat == 2 ? "html" : "txt"));
    if (path.empty()) return;
    if (s.saveFormat == 1)
      bytes = candidateScreen ? CandidatePrintLayoutBytes() : PrintLayoutBytes();
    else if (s.saveFormat == 2)
      bytes = HtmlLayoutBytes(candidateScreen);
    else
      bytes = PlainLayoutBytes(candidateScreen);
  }
  if (!WriteReported(path, bytes)) return;
  if (automatic) ++s.autoSaveCount;
  SetTitle(TitleForFile(path));
}

void SaveBinaryBoard() {
  const std::string path = P().ChooseFile(SaveRequest("書込ファイル名の指定", "bin"));
  if (path.empty()) return;
  WriteReported(path, BinaryBoardBytes());
}

void SaveCreationState() {
  const std::string path = P().ChooseFile(SaveRequest("保存ファイル名の指定", "txt"));
  if (path.empty()) return;
  WriteReported(path, CreationStateBytes());
}

void CopyToClipboard() {
  if (P().ClipboardWriteText(ClipboardBytes()))
    ShowMessage("クリップボードに保存しました", "複写完了", IconExclamation);
  else
    ShowMessage("クリップボードに複写できません", "エラー", IconExclamation);
}

void AppendToCollection() {
  const int32_t mode = g.settings.copySaveMode;
  UndoClear();
  if (mode != 1 && mode != 2) return;
  if (mode == 2) {
    // Block order and row order are each other's inverse under the same table.
    const Board before = g.board;
    for (uint32_t k = 0; k < 81; ++k) {
      g.board.value[k] = before.value[BlockOrder[k]];
      g.board.kind[k] = before.kind[BlockOrder[k]];
    }
    RefreshStatus(0);
  }
  AppendCollectionFile();
}

void AppendGivensToCollection() { AppendCollectionFile(); }

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

void ReadCandidateFile() {
  FileDialogRequest r;
  r.title = "候補ファイル名の指定";
  r.defaultExtension = "txt";
  r.filters = {{"すべてのファイル", "*.*"}};
  r.initialDir = g.settings.initialDir;
  const std::string path = P().ChooseFile(r);
  if (path.empty()) return;
  std::vector<uint8_t> bytes;
  bool openFailed = false;
  if (!ReadFileBytes(path, 1u << 16, bytes, openFailed)) {
    ShowMessage(path, openFailed ? "ファイルがオープンできません" : "読み込み異常", IconExclamation);
    return;
  }
  ParseCandidateText(bytes.data(), bytes.size());
  SetTitle(TitleForFile(path));
  RefreshStatus(2);
}

static void SavePuzzleCommand(uint32_t) { SavePuzzle(); }
static void SaveBinaryCommand(uint32_t) { SaveBinaryBoard(); }
static void SaveCreationCommand(uint32_t) { SaveCreationState(); }
static void CopyCommand(uint32_t) { CopyToClipboard(); }
static void HomeCommand(uint32_t) { AppendGivensToCollection(); }
static void CandidateFileCommand(uint32_t) { ReadCandidateFile(); }

const CommandEntry kWriteCommands[] = {
    {210, GateAll, SavePuzzleCommand},
    {220, GateMake, SaveCreationCommand},
    {225, GateNormal | GateCandidate | GateMake | GateInput, SaveBinaryCommand},
    {962, GateAll & ~GateCandidate, CopyCommand},
    {1240, GateCandidate, CandidateFileCommand},
    {2670, GateAll, HomeCommand},
    {0, 0, nullptr},
};
