#include "cli/headless_platform.h"

#include <algorithm>

#include "board/state.h"

std::string EscapeEventText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char ch : text) {
    if (ch == '\t')
      out += "\\t";
    else if (ch == '\n')
      out += "\\n";
    else if (ch == '\r')
      out += "\\r";
    else
      out += ch;
  }
  return out;
}

void HeadlessPlatform::Emit(const std::string& kind, const std::string& text) {
  if (record) events.push_back({kind, text});
  if (!stream) return;
  if (machineReadable)
    std::fprintf(stream, "%s\t%s\n", kind.c_str(), text.c_str());
  else
    std::fprintf(stream, "[%s] %s\n", kind.c_str(), text.c_str());
}

std::vector<std::string> HeadlessPlatform::Lines(const std::string& kind) const {
  std::vector<std::string> out;
  for (const TranscriptEvent& e : events)
    if (e.kind == kind) out.push_back(e.text);
  return out;
}

bool HeadlessPlatform::LogAppend(const std::string& line, bool) {
  if (!logOpen) return false;
  Emit("log", EscapeEventText(line));
  return true;
}

void HeadlessPlatform::LogClear() {
  if (logOpen) Emit("log-clear", "");
}

uint32_t HeadlessPlatform::MessageBox(const std::string& text, const std::string& title,
                                      uint32_t, uint32_t buttons) {
  std::string line = EscapeEventText(title) + "\t" + EscapeEventText(text);
  uint32_t result = AnswerOk;
  if (buttons == ButtonsOkCancel) {
    result = answer;
    line += result == AnswerOk ? "\tok" : "\tcancel";
  }
  Emit("message", line);
  return result;
}

void HeadlessPlatform::SetStatus(uint32_t part, const std::string& text) {
  Emit(part == 0 ? "status0" : "status1", EscapeEventText(text));
}

void HeadlessPlatform::SetTitle(const std::string& text) { Emit("title", EscapeEventText(text)); }

std::string HeadlessPlatform::ChooseFile(const FileDialogRequest& request) {
  fileRequests.push_back(request);
  if (fileChoices.empty()) return {};
  std::string path = fileChoices.front();
  fileChoices.pop_front();
  return path;
}

bool HeadlessPlatform::ClipboardRead(std::vector<ClipboardItem>& items) {
  if (!clipboardAvailable) return false;
  items = clipboard;
  return true;
}

bool HeadlessPlatform::ClipboardWriteText(const std::vector<uint8_t>& bytes) {
  clipboard.clear();
  clipboard.push_back({ClipText, bytes});
  std::string text(bytes.begin(), bytes.end());
  while (!text.empty() && text.back() == '\0') text.pop_back();
  Emit("clipboard", EscapeEventText(text));
  return true;
}

void HeadlessPlatform::MenuCheck(uint32_t id, bool checked) {
  auto it = std::find(checkedMenus.begin(), checkedMenus.end(), id);
  if (checked && it == checkedMenus.end()) checkedMenus.push_back(id);
  if (!checked && it != checkedMenus.end()) checkedMenus.erase(it);
}

void HeadlessPlatform::MenuEnable(uint32_t id, bool enabled) {
  auto it = std::find(disabledMenus.begin(), disabledMenus.end(), id);
  if (!enabled && it == disabledMenus.end()) disabledMenus.push_back(id);
  if (enabled && it != disabledMenus.end()) disabledMenus.erase(it);
}

void HeadlessPlatform::OpenPanel(uint32_t panel) {
  if (panel == PanelTechniqueLog) logOpen = true;
}

void HeadlessPlatform::ClosePanel(uint32_t panel) {
  if (panel == PanelTechniqueLog) logOpen = false;
}

void HeadlessPlatform::Dialog(uint32_t id, const std::string& name) {
  Emit("dialog", std::to_string(id) + "\t" + EscapeEventText(name));
}

void HeadlessPlatform::ListContents(const std::string& name, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) Emit("list", EscapeEventText(name) + "\t" + EscapeEventText(line));
}
