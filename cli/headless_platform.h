// The headless platform: records what a window would show as transcript events and answers
// dialogs from prepared choices. Serves vorel-cli and the tests.
#pragma once
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "board/platform.h"

struct TranscriptEvent {
  std::string kind;
  std::string text;
};

class HeadlessPlatform : public Platform {
 public:
  // Answers for the next file dialogs, in order; none left = Cancel.
  std::deque<std::string> fileChoices;
  std::vector<FileDialogRequest> fileRequests;  // the file dialogs asked for, in order
  // Clipboard contents; clipboardAvailable false = it cannot be opened.
  std::vector<ClipboardItem> clipboard;
  bool clipboardAvailable = true;
  uint32_t answer = AnswerOk;  // answer to OK/Cancel questions
  bool logOpen = false;
  std::vector<TranscriptEvent> events;
  // When set, every event is also written to this stream as it happens.
  std::FILE* stream = nullptr;
  bool machineReadable = true;
  bool record = true;

  void Emit(const std::string& kind, const std::string& text);
  std::vector<std::string> Lines(const std::string& kind) const;
  void Clear() { events.clear(); }

  bool LogAppend(const std::string& line, bool caret) override;
  void LogClear() override;
  uint32_t MessageBox(const std::string& text, const std::string& title, uint32_t icon,
                      uint32_t buttons) override;
  void SetStatus(uint32_t part, const std::string& text) override;
  void SetTitle(const std::string& text) override;
  void Repaint() override { ++repaints; }
  void DrainMessages() override {}
  std::string ChooseFile(const FileDialogRequest& request) override;
  bool ClipboardRead(std::vector<ClipboardItem>& items) override;
  bool ClipboardWriteText(const std::vector<uint8_t>& bytes) override;
  void MenuCheck(uint32_t id, bool checked) override;
  void MenuEnable(uint32_t id, bool enabled) override;
  void OpenPanel(uint32_t panel) override;
  void ClosePanel(uint32_t panel) override;
  void ShowToolbar(uint32_t) override {}
  void Dialog(uint32_t id, const std::string& name) override;
  void ListContents(const std::string& name, const std::vector<std::string>& lines) override;

  uint32_t repaints = 0;  // repaints asked for, a repainted cell counted as one
  std::vector<uint32_t> checkedMenus;
  std::vector<uint32_t> disabledMenus;
};

// Escape tabs and line ends so that one event stays one line.
std::string EscapeEventText(const std::string& text);
