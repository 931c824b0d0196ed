#include "io/settings.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "board/state.h"
#include "io/ini.h"
#include "io/layout.h"

namespace {

std::string g_loadedPath;  // the file the settings were last loaded from

struct IntKey {
  const char* section;
  const char* key;
  int32_t Settings::*field;
};

// The colour roles of the first and the second set, in the file's order.
const IntKey kColourKeys[] = {
    {"Color", "BGC", &Settings::bgc},
    {"Color", "Line", &Settings::line},
    {"Color", "Line2", &Settings::line2},
    {"Color", "Number", &Settings::number},
    {"Color", "Input", &Settings::input},
    {"Color", "Calc", &Settings::calc},
    {"Color", "Kari", &Settings::kari},
    {"Color", "Number2", &Settings::number2},
    {"Color", "Cursor", &Settings::cursor},
    {"Color", "BGC2", &Settings::bgc2},
    {"Color", "RuledLine1", &Settings::ruledLine1},
    {"Color", "RuledLine2", &Settings::ruledLine2},
    {"Color", "ProblemNumber", &Settings::problemNumber},
    {"Color", "InputNumber", &Settings::inputNumber},
    {"Color", "AutoNumber", &Settings::autoNumber},
    {"Color", "AssumeNumber", &Settings::assumeNumber},
    {"Color", "Cursor2", &Settings::cursor2},
    {"Color", "Confirm", &Settings::confirm},
};

const IntKey kWindowKeys[] = {
    {"WinPos", "WinLeft", &Settings::winLeft},
    {"WinPos", "WinTop", &Settings::winTop},
    {"WinPos", "WinWidth", &Settings::winWidth},
    {"WinPos", "WinHigh", &Settings::winHigh},
};

const IntKey kModeKeys[] = {
    {"MODE", "Display", &Settings::display},
    {"MODE", "FontSize2", &Settings::fontSize2},
    {"MODE", "FontWeight2", &Settings::fontWeight2},
    {"MODE", "FontItalic2", &Settings::fontItalic2},
    {"MODE", "FontSize", &Settings::fontSize},
    {"MODE", "FontWeight", &Settings::fontWeight},
    {"MODE", "FontItalic", &Settings::fontItalic},
    {"MODE", "FontSize3", &Settings::fontSize3},
    {"MODE", "FontWeight3", &Settings::fontWeight3},
    {"MODE", "FontItalic3", &Settings::fontItalic3},
    {"MODE", "ToolBar", &Settings::toolBar},
    {"MODE", "CsrMove", &Settings::csrMove},
    {"MODE", "CandErase", &Settings::candErase},
    {"MODE", "KanSuuji", &Settings::kanSuuji},
    {"MODE", "CandCtrl", &Settings::candCtrl},
    {"MODE", "DispSameNumb", &Settings::dispSameNumb},
    {"MODE", "ClipboardPattern", &Settings::clipboardPattern},
    {"MODE", "KohoDisplayMode", &Settings::kohoDisplayMode},
    // The save format and the Copy&Save mode of the settings dialog persist as well.
    {"MODE", "SaveFormat", &Settings::saveFormat},
    {"MODE", "CopySaveMode", &Settings::copySaveMode},
};

// Written after the string keys.
const IntKey kNamingKeys[] = {
    {"MODE", "AutoSaveFileNameFlag", &Settings::autoSaveFileNameFlag},
    {"MODE", "AutoSaveCount", &Settings::autoSaveCount},
    {"MODE", "AutoSaveDigit", &Settings::autoSaveDigit},
};

struct StringKey {
  const char* key;
  std::string Settings::*field;
  size_t limit;  // UTF-16 units kept
};

const StringKey kStringKeys[] = {
    {"FontName2", &Settings::fontName2, 63},
    {"FontName", &Settings::fontName, 63},
    {"CustomText", &Settings::customText, 30},
    {"InitialDir", &Settings::initialDir, 511},
    {"AutoSaveFileName", &Settings::autoSaveFileName, 63},
};

std::string BaseColorKey(uint32_t i) {
  char key[16];
  std::snprintf(key, sizeof key, "BaseColor%02u", i + 1);
  return key;
}

// Roles are palette indices 0..16; anything else takes the role's default.
void CheckRole(int32_t& v, int32_t fallback) {
  if (v < 0 || v >= 17) v = fallback;
}

// Kinds are stored one character each; a kind above 9 (a hint mark) is an empty cell.
char KindChar(uint32_t kind) { return static_cast<char>('0' + (kind > 9 ? KindEmpty : kind)); }

bool IsFilledKind(uint32_t k) {
  return k == KindGiven || k == KindAutoSingle || k == KindAutoFile || k == KindAuto ||
         k == KindInput || k == KindAssumed || k == KindMarked;
}

void ApplyBoardKeys(const IniFile& ini) {
  const std::string kinds = IniGetString(ini, "STRING", "Table2", "");
  const std::string values = IniGetString(ini, "STRING", "Table", "");
  uint32_t c = 0;
  for (char ch : kinds) {
    if (c >= 81) break;
    if (ch >= '0' && ch <= '9') g.board.kind[c++] = static_cast<uint32_t>(ch - '0');
  }
  c = 0;
  bool any = false;
  for (char ch : values) {
    if (c >= 81) break;
    if (ch < '0' || ch > '9') continue;
    any = true;
    g.board.value[c] = static_cast<uint32_t>(ch - '0');
    if (ch == '0') g.board.kind[c] = KindEmpty;
    ++c;
  }
  if (!any) return;
  // Keep value and kind consistent whatever the file says.
  for (c = 0; c < 81; ++c) {
    if (g.board.value[c] == 0)
      g.board.kind[c] = KindEmpty;
    else if (!IsFilledKind(g.board.kind[c]))
      g.board.kind[c] = KindGiven;
  }
}

bool Exists(const std::filesystem::path& p) {
  std::error_code ec;
  return std::filesystem::exists(p, ec);
}

// A folder is writable when a new file can be created in it.
bool FolderWritable(const std::string& dir) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    const std::string probe = dir + ".vorel-write-test-" + std::to_string(attempt);
    std::FILE* f = std::fopen(probe.c_str(), "wbx");
    if (f) {
      std::fclose(f);
      std::remove(probe.c_str());
      return true;
    }
    if (!Exists(probe)) return false;
  }
  return false;
}

std::string WithSlash(std::string dir) {
  if (!dir.empty() && dir.back() != '/') dir += '/';
  return dir;
}

}  // namespace

std::vector<std::string> SplitCustomText(const std::string& text) {
  std::vector<std::string> glyphs = SplitCodePoints(text);
  if (glyphs.size() > 10) glyphs.resize(10);
  while (glyphs.size() < 10) glyphs.push_back("　");
  return glyphs;
}

void SwapColourSets(Settings& s) {
  std::swap(s.bgc, s.bgc2);
  std::swap(s.line, s.ruledLine1);
  std::swap(s.line2, s.ruledLine2);
  std::swap(s.number, s.problemNumber);
  std::swap(s.input, s.inputNumber);
  std::swap(s.calc, s.autoNumber);
  std::swap(s.kari, s.assumeNumber);
  std::swap(s.cursor, s.cursor2);
  std::swap(s.number2, s.confirm);
}

void ValidateSettings(Settings& s, int32_t screenWidth, int32_t screenHeight) {
  if (s.winLeft < 0 || s.winLeft > screenWidth - 24) s.winLeft = 50;
  if (s.winTop < 0 || s.winTop > screenHeight - 24) s.winTop = 50;
  if (s.winWidth < 50 || s.winWidth > screenWidth - 24) s.winWidth = 350;
  if (s.winHigh < 50) s.winHigh = 300;
  Settings d;
  ApplyDefaultSettings(d);
  for (const IntKey& k : kColourKeys) CheckRole(s.*k.field, d.*k.field);
  if (s.fontSize2 < -99 || s.fontSize2 > 99) s.fontSize2 = 10;
  if (s.fontSize < -99 || s.fontSize > 99) s.fontSize = 16;
  if (s.fontSize3 < -99 || s.fontSize3 > 99) s.fontSize3 = -30;
  if (s.csrMove != 0) s.csrMove = 1;
  if (s.candErase < 0 || s.candErase >= 3) s.candErase = 0;
  if (s.kanSuuji < 0 || s.kanSuuji >= 7) s.kanSuuji = 0;
  if (s.dispSameNumb != 1) s.dispSameNumb = 0;
  if (s.clipboardPattern < 0 || s.clipboardPattern >= 3) s.clipboardPattern = 0;
  if (s.kohoDisplayMode < 0 || s.kohoDisplayMode >= 2) s.kohoDisplayMode = 0;
  if (s.autoSaveFileNameFlag < 0 || s.autoSaveFileNameFlag >= 2) s.autoSaveFileNameFlag = 0;
  if (s.autoSaveDigit <= 0 || s.autoSaveDigit > 8) s.autoSaveDigit = 3;
  // The range of the naming dialog; a count near the top of int would overflow on saving.
  if (s.autoSaveCount < 0) s.autoSaveCount = 0;
  if (s.autoSaveCount > 9999) s.autoSaveCount = 9999;
  if (s.saveFormat < 0 || s.saveFormat >= 3) s.saveFormat = 0;
  if (s.copySaveMode < 0 || s.copySaveMode >= 3) s.copySaveMode = 0;
  if (Utf16Units(s.customText) < 10) s.customText = d.customText;
}

void SettingsFromIni(const IniFile& ini, Settings& s, int32_t screenWidth, int32_t screenHeight) {
  ApplyDefaultSettings(s);
  // A missing position is no position: the validation places the window at (50,50), so a
  // first start opens a 350x300 window there.
  s.winLeft = s.winTop = -1;
  for (const IntKey& k : kWindowKeys) s.*k.field = IniGetInt(ini, k.section, k.key, s.*k.field);
  for (const IntKey& k : kColourKeys) s.*k.field = IniGetInt(ini, k.section, k.key, s.*k.field);
  for (uint32_t i = 0; i < 16; ++i)
    s.baseColor[i] = static_cast<uint32_t>(
        IniGetInt(ini, "Color", BaseColorKey(i), static_cast<int32_t>(s.baseColor[i])));
  for (const IntKey& k : kModeKeys) s.*k.field = IniGetInt(ini, k.section, k.key, s.*k.field);
  for (const IntKey& k : kNamingKeys) s.*k.field = IniGetInt(ini, k.section, k.key, s.*k.field);
  for (const StringKey& k : kStringKeys)
    s.*k.field = TruncateUtf16(IniGetString(ini, "STRING", k.key, s.*k.field), k.limit);
  ValidateSettings(s, screenWidth, screenHeight);
  s.customGlyph = SplitCustomText(s.customText);
}

void SettingsToIni(const Settings& given, IniFile& ini) {
  Settings s = given;
  // The second colour set lives in the first set's fields while it is shown.
  if (g.secondColourSet) SwapColourSets(s);
  for (const IntKey& k : kWindowKeys) IniSetInt(ini, k.section, k.key, s.*k.field);
  for (const IntKey& k : kColourKeys) IniSetInt(ini, k.section, k.key, s.*k.field);
  for (uint32_t i = 0; i < 16; ++i)
    IniSetInt(ini, "Color", BaseColorKey(i), static_cast<int32_t>(s.baseColor[i]));
  for (const IntKey& k : kModeKeys) IniSetInt(ini, k.section, k.key, s.*k.field);
  const int32_t malti = g.problemFile.active ? static_cast<int32_t>(g.problemFile.number)
                                             : s.maltiCount;
  IniSetInt(ini, "MODE", "MaltiCount", malti);
  for (const StringKey& k : kStringKeys) {
    std::string value = s.*k.field;
    if (k.field == &Settings::initialDir && value.empty()) {
      std::error_code ec;
      value = std::filesystem::current_path(ec).string();
    }
    IniSetString(ini, "String", k.key, value);
  }
  for (const IntKey& k : kNamingKeys) IniSetInt(ini, k.section, k.key, s.*k.field);
  std::string values(81, '0'), kinds(81, '0');
  for (uint32_t c = 0; c < 81; ++c) {
    values[c] = static_cast<char>('0' + g.board.value[c] % 10);
    kinds[c] = KindChar(g.board.kind[c]);
  }
  IniSetString(ini, "String", "Table", values);
  IniSetString(ini, "String", "Table2", kinds);
}

uint32_t LoadSettingsFile(const std::string& path, int32_t screenWidth, int32_t screenHeight) {
  IniFile ini;
  if (!IniLoad(ini, path)) return 0;
  g_loadedPath = path;
  SettingsFromIni(ini, g.settings, screenWidth, screenHeight);
  ApplyBoardKeys(ini);
  return 1;
}

void LoadSettings(const std::string& path, int32_t screenWidth, int32_t screenHeight) {
  if (LoadSettingsFile(path, screenWidth, screenHeight)) return;
  IniFile empty;
  SettingsFromIni(empty, g.settings, screenWidth, screenHeight);
}

uint32_t SaveSettingsFile(const std::string& path) {
  const std::string target = IniSaveTarget(path);
  IniFile ini;
  // Start from the file's present contents, else from the file the settings came from. A
  // file that exists but cannot be read or replaced is left exactly as it is.
  if (Exists(target)) {
    if (!IniMayReplace(target) || !IniLoad(ini, target)) return 0;
  } else if (!g_loadedPath.empty()) {
    IniLoad(ini, g_loadedPath);
  }
  SettingsToIni(g.settings, ini);
  return IniSave(ini, target) ? 1 : 0;
}

std::string ChooseDataFolder(const std::string& exeDir, const char* xdgConfigHome,
                             const char* home) {
  const std::string dir = WithSlash(exeDir);
  // A program installed by the system (/usr/bin and the like) is not a portable copy even when
  // it runs with the rights to write there: its settings go to the user's folder, so that no
  // file appears beside it that the package does not know. A Vorel.ini already placed there
  // is still read.
  const bool systemFolder =
      dir.rfind("/usr/", 0) == 0 || dir.rfind("/bin/", 0) == 0 || dir.rfind("/sbin/", 0) == 0;
  if (!dir.empty() && (Exists(dir + "Vorel.ini") || (FolderWritable(dir) && !systemFolder)))
    return dir;
  std::string base;
  if (xdgConfigHome && xdgConfigHome[0] == '/')
    base = WithSlash(xdgConfigHome);
  else if (home && home[0])
    base = WithSlash(home) + ".config/";
  else
    return dir;
  const std::string folder = base + "vorel/";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  return folder;
}

std::string ChooseDataFolder(const std::string& exeDir) {
  return ChooseDataFolder(exeDir, std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

std::string ExecutableFolder() {
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec || exe.empty()) return {};
  return WithSlash(exe.parent_path().string());
}

std::string SettingsPath() { return g.exeDir + "Vorel.ini"; }
std::string CollectionPath() { return g.exeDir + "VorelMalti.txt"; }
