// The Qt side of the platform seam: what the engine asks of the window system, answered by
// the main window, Qt's dialogs and the system clipboard.
#pragma once
#include "board/platform.h"

class MainWindow;

class QtPlatform final : public Platform {
 public:
  explicit QtPlatform(MainWindow* window) : window_(window) {}
  bool LogAppend(const std::string& line, bool caret) override;
  void LogClear() override;
  uint32_t MessageBox(const std::string& text, const std::string& title, uint32_t icon,
                      uint32_t buttons) override;
  void SetStatus(uint32_t part, const std::string& text) override;
  void SetTitle(const std::string& text) override;
  void Repaint() override;
  void RepaintCell(uint32_t cell) override;
  void DrainMessages() override;
  std::string ChooseFile(const FileDialogRequest& request) override;
  bool ClipboardRead(std::vector<ClipboardItem>& items) override;
  bool ClipboardWriteText(const std::vector<uint8_t>& bytes) override;
  void MenuCheck(uint32_t id, bool checked) override;
  void MenuEnable(uint32_t id, bool enabled) override;
  void OpenPanel(uint32_t panel) override;
  void ClosePanel(uint32_t panel) override;
  void ShowToolbar(uint32_t mode) override;
  void Dialog(uint32_t id, const std::string& name) override;
  void ListContents(const std::string& name, const std::vector<std::string>& lines) override;

 private:
  MainWindow* window_;
};

// Clipboard text in the two forms the readers take: Shift_JIS bytes with CR LF line ends and a
// closing zero byte, and UTF-16LE with a closing zero unit.
std::vector<uint8_t> ClipboardAnsiBytes(const std::string& utf8);
std::vector<uint8_t> ClipboardUnicodeBytes(const std::string& utf8);
// Bytes the writers put on the clipboard (Shift_JIS, maybe zero-terminated) as UTF-8 text.
std::string ClipboardTextFromAnsi(const std::vector<uint8_t>& bytes);
