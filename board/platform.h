// The narrow seam between the engine and a window system. The engine asks for everything it
// shows or reads from the desktop through this interface; `vorel-cli` and the tests use a
// headless implementation, the desktop program a Qt one. All text is UTF-8.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum MessageIcon : uint32_t { IconNone = 0, IconExclamation = 1, IconStop = 2, IconQuestion = 3, IconInformation = 4 };
enum MessageButtons : uint32_t { ButtonsOk = 0, ButtonsOkCancel = 1 };
enum MessageAnswer : uint32_t { AnswerOk = 1, AnswerCancel = 2 };

// Windows and panels the frame opens and closes.
enum PanelId : uint32_t {
  PanelTechniqueLog = 1,     // "候補処理内容"
  PanelControl = 2,          // candidate control panel
  PanelInput = 3,            // digit-input panel "数字入力"
  PanelCandidateUsage = 4,   // "候補使用状況"
};

// Clipboard formats, in the numbering the clipboard readers test.
enum ClipboardFormat : uint32_t {
  ClipText = 1, ClipBitmap = 2, ClipMetafilePict = 3, ClipSylk = 4, ClipDif = 5, ClipTiff = 6,
  ClipOemText = 7, ClipDib = 8, ClipPalette = 9, ClipPenData = 10, ClipRiff = 11, ClipWave = 12,
  ClipUnicodeText = 13,
};

struct ClipboardItem {
  uint32_t format;
  std::vector<uint8_t> bytes;
};

struct FileDialogRequest {
  std::string title;
  std::string defaultExtension;
  std::vector<std::pair<std::string, std::string>> filters;  // (label, pattern)
  std::string initialDir;
  bool forSave = false;
};

class Platform {
 public:
  virtual ~Platform() = default;
  // Technique log list: returns false when the log window is not open.
  virtual bool LogAppend(const std::string& line, bool caret) = 0;
  virtual void LogClear() = 0;
  virtual uint32_t MessageBox(const std::string& text, const std::string& title, uint32_t icon,
                              uint32_t buttons) = 0;
  virtual void SetStatus(uint32_t part, const std::string& text) = 0;
  virtual void SetTitle(const std::string& text) = 0;
  virtual void Repaint() = 0;
  // Repaint one cell only (a cursor move, a typed digit); a whole repaint does as well.
  virtual void RepaintCell(uint32_t cell) { (void)cell; Repaint(); }
  virtual void DrainMessages() = 0;
  // Empty string = cancelled.
  virtual std::string ChooseFile(const FileDialogRequest& request) = 0;
  // Clipboard: returns false when it cannot be opened.
  virtual bool ClipboardRead(std::vector<ClipboardItem>& items) = 0;
  virtual bool ClipboardWriteText(const std::vector<uint8_t>& bytes) = 0;
  virtual void MenuCheck(uint32_t id, bool checked) = 0;
  virtual void MenuEnable(uint32_t id, bool enabled) = 0;
  virtual void OpenPanel(uint32_t panel) = 0;
  virtual void ClosePanel(uint32_t panel) = 0;
  virtual void ShowToolbar(uint32_t mode) = 0;
  // A dialog the window would open (headless: reported, nothing changes).
  virtual void Dialog(uint32_t id, const std::string& name) = 0;
  // Contents of a list the window would show (candidate usage, candidate list).
  virtual void ListContents(const std::string& name, const std::vector<std::string>& lines) = 0;
};

// The current platform; never null (a silent headless one until someone installs another).
Platform& P();
void SetPlatform(Platform* platform);
