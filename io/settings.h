// The settings file Vorel.ini: window placement, colours, display modes, fonts, custom
// glyphs, file naming, the start folder and the board itself.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct Settings;
struct IniFile;

constexpr int32_t kDefaultScreenWidth = 1920;
constexpr int32_t kDefaultScreenHeight = 1080;

// Load settings from an ini file into g.settings: every key takes its default first, then
// the file's value, then the validations (the window must fit a screen of the given size);
// applies the board keys "Table2" and "Table" and splits the custom glyphs. Returns 0 (and
// changes nothing) when the file cannot be read.
uint32_t LoadSettingsFile(const std::string& path, int32_t screenWidth = kDefaultScreenWidth,
                          int32_t screenHeight = kDefaultScreenHeight);
// Start-up load: defaults when the file is absent or unreadable, else LoadSettingsFile.
void LoadSettings(const std::string& path, int32_t screenWidth = kDefaultScreenWidth,
                  int32_t screenHeight = kDefaultScreenHeight);
// Read every key from a parsed file into s (defaults for missing keys) and validate.
void SettingsFromIni(const IniFile& ini, Settings& s, int32_t screenWidth, int32_t screenHeight);
// Write every key of s (and the board) into ini, keeping whatever else it holds.
void SettingsToIni(const Settings& s, IniFile& ini);
// Save at exit: the file's present contents are read again so that keys and sections this
// program does not know survive; the new text replaces the file (or a symbolic link's
// target) atomically. 0 on failure, the file untouched: it cannot be read, is read-only, or
// the new text cannot be written. The caller says so; nothing else is reported.
uint32_t SaveSettingsFile(const std::string& path);
// The validations of the loaded values.
void ValidateSettings(Settings& s, int32_t screenWidth, int32_t screenHeight);
// Custom glyphs: the text split into the glyphs for 0..9 (a character outside the basic plane
// is one glyph); missing glyphs are the full-width space.
std::vector<std::string> SplitCustomText(const std::string& text);
// Exchange the first and the second colour set (the frame shows the second set this way).
void SwapColourSets(Settings& s);

// Where the settings and collection files live: the executable's folder when it already
// holds Vorel.ini or is writable and not a system folder such as /usr/bin (a portable
// install), else $XDG_CONFIG_HOME/vorel/ (default
// ~/.config/vorel/). The result ends with "/". The second form takes the environment values
// as parameters; the config folder is created when it is chosen.
std::string ChooseDataFolder(const std::string& exeDir);
std::string ChooseDataFolder(const std::string& exeDir, const char* xdgConfigHome,
                             const char* home);
// The folder of the running executable, ending with "/" (empty when unknown).
std::string ExecutableFolder();
std::string SettingsPath();    // g.exeDir + "Vorel.ini"
std::string CollectionPath();  // g.exeDir + "VorelMalti.txt"
