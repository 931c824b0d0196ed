// The file readers of the writers' side over arbitrary bytes: the candidate file and the
// settings file (all sections, "Table", "Table2" and "CustomText"). A settings text that was
// read must also survive being written and read again unchanged.
#include <string>
#include <vector>

#include "io/ini.h"
#include "io/settings.h"
#include "io/read.h"
#include "tests/fuzz/fuzz_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  FuzzFreshState(data[0]);
  std::vector<uint8_t> body(data + 1, data + size);
  if (data[0] & 0x80) {
    g.screenMode = ModeCandidateScreen;
    ParseCandidateText(body.empty() ? nullptr : body.data(), body.size());
    for (uint32_t c = 0; c < 81; ++c) {
      uint32_t n = 0;
      for (uint32_t d = 0; d < 9; ++d) n += g.cand.flag[c * 9 + d] != 0;
      FUZZ_CHECK(n == g.cand.count[c], "candidate file left a count unequal to its flags");
    }
  } else {
    IniFile ini;
    IniParse(ini, std::string(body.begin(), body.end()));
    Settings s = g.settings;
    SettingsFromIni(ini, s, 1920, 1080);
    ValidateSettings(s, 1920, 1080);
    FUZZ_CHECK(s.candErase >= 0 && s.candErase <= 2, "display mode out of range");
    FUZZ_CHECK(s.kanSuuji >= 0 && s.kanSuuji <= 6, "glyph set out of range");
    // Writing what was read and reading it again gives the same ini text.
    const std::string text = IniText(ini);
    IniFile again;
    IniParse(again, text);
    FUZZ_CHECK(IniText(again) == text, "ini text changed by a round trip");
  }
  FuzzCheckBoardSane();
  return 0;
}
