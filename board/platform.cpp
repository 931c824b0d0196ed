#include "board/platform.h"

namespace {
class SilentPlatform final : public Platform {
 public:
  bool LogAppend(const std::string&, bool) override { return false; }
  void LogClear() override {}
  uint32_t MessageBox(const std::string&, const std::string&, uint32_t, uint32_t) override {
    return AnswerOk;
  }
  void SetStatus(uint32_t, const std::string&) override {}
  void SetTitle(const std::string&) override {}
  void Repaint() override {}
  void DrainMessages() override {}
  std::string ChooseFile(const FileDialogRequest&) override { return {}; }
  bool ClipboardRead(std::vector<ClipboardItem>&) override { return false; }
  bool ClipboardWriteText(const std::vector<uint8_t>&) override { return false; }
  void MenuCheck(uint32_t, bool) override {}
  void MenuEnable(uint32_t, bool) override {}
  void OpenPanel(uint32_t) override {}
  void ClosePanel(uint32_t) override {}
  void ShowToolbar(uint32_t) override {}
  void Dialog(uint32_t, const std::string&) override {}
  void ListContents(const std::string&, const std::vector<std::string>&) override {}
};
SilentPlatform silent;
Platform* current = &silent;
}  // namespace

Platform& P() { return *current; }
void SetPlatform(Platform* platform) { current = platform ? platform : &silent; }
