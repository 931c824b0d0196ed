// The file commands: reading puzzles through the file dialog, dropped files, the clipboard and
// the paging reader; saving in the chosen layout, the binary board, the creation state, the
// clipboard text and the collection file; the candidate file. Each one reports through the
// frame (title, status bar, messages); the bytes themselves are read and written by io/.
#include "drivers/file_commands.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "board/candidates.h"
#include "board/platform.h"
#include "board/queue.h"
#include "board/state.h"
#include "drivers/commands.h"
#include "drivers/dialogs.h"
#include "drivers/frame.h"
#include "io/read.h"
#include "io/settings.h"
#include "io/write.h"

namespace {

constexpr size_t kSingleReadLimit = 2047;
// The paging reader keeps the whole file; past this size it is refused like a failed
// allocation rather than exhausting memory.
constexpr size_t kPagingLimit = 16u << 20;

void AfterRead(const std::string& path) {
  SetTitle(TitleForFile(path));
  if (g.screenMode == ModeProblemInput) {
    ComputeCandidates();
    RefreshStatus(3);
  } else {
    RefreshStatus(1);
  }
}

bool FileRefusedHere() {
  if (g.screenMode == ModeEdit || g.screenMode == ModeCandidateScreen) {
    ShowMessage("編集中・候補画面ではファイル操作できません", "注意", IconExclamation);
    return true;
  }
  return false;
}

FileDialogRequest OpenRequest(const char* title) {
  FileDialogRequest r;
  r.title = title;
  r.defaultExtension = "txt";
  r.filters = {{"すべてのファイル", "*.*"}};
  r.initialDir = g.settings.initialDir;
  return r;
}

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

const char* const kCannotOpen = "ファイルがオープンできません";

// A path the readers cannot take (a folder, a missing file, one without read permission) is
// refused before anything is read, with the open-failure box: the board stays as it was.
bool RefusedPath(const std::string& path) {
  if (ReadableFile(path)) return false;
  ShowMessage(path, kCannotOpen, IconExclamation);
  return true;
}

}  // namespace

bool ReadableFile(const std::string& path) {
  std::error_code ec;
  if (path.empty() || !std::filesystem::is_regular_file(path, ec)) return false;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::fclose(f);
  return true;
}

uint32_t ReadPuzzleFromPath(const std::string& path) {
  if (RefusedPath(path)) return 0;
  g.textEncoding = EncodingBytes;
  std::vector<uint8_t> bytes;
  bool openFailed = false;
  if (g.screenMode == ModeNewCreation) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
      ShowMessage(path, kCannotOpen, IconExclamation);
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
  AfterRead(path);
  return 1;
}

uint32_t LoadPuzzleBytes(const std::vector<uint8_t>& bytes, const std::string& name) {
  g.textEncoding = ChooseEncoding(bytes.data(), bytes.size(), true);
  ParsePuzzleText(bytes.data(), bytes.size(), g.textEncoding);
  AfterRead(name);
  return 1;
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
  for (const std::string& path : paths)
    if (RefusedPath(path)) return;
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
    // A base name from an older settings file may still hold a folder part.
    if (!AutoNameBaseAccepted(s.autoSaveFileName)) return;
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

void ReadCandidateFile() {
  FileDialogRequest r;
  r.title = "候補ファイル名の指定";
  r.defaultExtension = "txt";
  r.filters = {{"すべてのファイル", "*.*"}};
  r.initialDir = g.settings.initialDir;
  const std::string path = P().ChooseFile(r);
  if (path.empty() || RefusedPath(path)) return;
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
