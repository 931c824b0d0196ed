// The settings file: defaults, validations, lookups, board keys, unknown keys and safe saves.
#include <cstring>
#include <filesystem>
#include <fstream>

#include "board/queue.h"
#include "drivers/frame.h"
#include "io/ini.h"
#include "io/settings.h"
#include "tests/support.h"

namespace {

// The files this process holds open.
size_t OpenFiles() {
  size_t n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) ++n;
  return n;
}

class SettingsTest : public EngineTest {
 protected:
  std::string dir = TempDir();
  std::string path = dir + "Vorel.ini";
  const Settings& s = g.settings;
  uint32_t LoadText(const std::string& text, int32_t w = 1920, int32_t h = 1080) {
    std::ofstream(path, std::ios::binary) << text;
    return LoadSettingsFile(path, w, h);
  }
};

TEST_F(SettingsTest, FirstStartOpensTheDefaultWindowWithDefaultOptions) {
  // Whatever the settings held before, a missing key gives its default.
  g.settings.initialDir = g.settings.fontName2 = g.settings.autoSaveFileName = "/old";
  g.settings.maltiCount = 7;
  LoadSettings(path);
  EXPECT_FALSE(std::filesystem::exists(path));  // loading never writes
  // Every integer key as the first save writes it.
  ASSERT_EQ(SaveSettingsFile(path), 1u);
  const std::string text = ReadText(path);
  for (const std::string& key : Split(
           "WinLeft=50 WinTop=50 WinWidth=350 WinHigh=300 BGC=15 Line=0 Line2=9 Number=0 Input=13 "
           "Calc=9 Kari=12 Number2=11 Cursor=10 BGC2=15 RuledLine1=0 RuledLine2=7 ProblemNumber=0 "
           "InputNumber=1 AutoNumber=9 AssumeNumber=12 Cursor2=15 Confirm=2 Display=0 FontSize2=12 "
           "FontWeight2=0 FontItalic2=0 FontSize=16 FontWeight=0 FontItalic=0 FontSize3=-30 "
           "FontWeight3=0 FontItalic3=0 ToolBar=1 CsrMove=1 CandErase=0 KanSuuji=0 CandCtrl=0 "
           "DispSameNumb=0 ClipboardPattern=0 KohoDisplayMode=0 AutoSaveFileNameFlag=0 "
           "AutoSaveCount=0 AutoSaveDigit=3 MaltiCount=0",
           ' '))
    EXPECT_NE(text.find("\n" + key + "\r\n"), std::string::npos) << key;
  // The standard palette (0x80, 0xFF from 9, 8 light grey) per index bit, red in the low byte.
  for (uint32_t i = 0; i < 16; ++i) {
    const uint32_t level = i == 8 ? 0xC0 : i < 8 ? 0x80 : 0xFF, bits = i == 8 ? 7 : i & 7;
    const uint32_t want = (bits & 1 ? level << 16 : 0) | (bits & 2 ? level << 8 : 0) |
                          (bits & 4 ? level : 0);
    EXPECT_EQ(s.baseColor[i], want) << i;
  }
  EXPECT_EQ((std::vector<std::string>{s.fontName, s.fontName2, s.initialDir, s.autoSaveFileName}),
            (std::vector<std::string>{"ＭＳ ゴシック", "ＭＳ ゴシック", "", "SaveFile"}));
  EXPECT_EQ(s.customGlyph,
            (std::vector<std::string>{"　", "い", "ろ", "は", "に", "ほ", "て", "と", "ち", "り"}));
}

TEST_F(SettingsTest, KeysMatchWithoutCaseAndValuesTakeTheirLeadingNumber) {
  // No number gives the default, a leading number is taken; a surrogate pair is one glyph.
  LoadText(
      "; comment\n[winpos]\r\nwinleft = 120\r\n;winleft=7\n#winleft=8\n[mode]\nKANSUUJI=  3 \nFontSize=abc\n"
      "FontWeight=700x\n[string]\nfontname=Noto Sans\nCustomText=〇𠀋二三四五六七八九\n");
  EXPECT_EQ((std::vector<int32_t>{s.winLeft, s.kanSuuji, s.fontSize, s.fontWeight}),
            (std::vector<int32_t>{120, 3, 16, 700}));
  EXPECT_EQ(s.fontName, "Noto Sans");
  EXPECT_EQ(s.customGlyph,
            (std::vector<std::string>{"〇", "𠀋", "二", "三", "四", "五", "六", "七", "八", "九"}));
  // Nine custom characters are too few; a count near the top of int is the dialog's top.
  LoadText("[MODE]\nAutoSaveCount=2147483647\n[String]\nCustomText=あいうえおかきくけ\n");
  EXPECT_EQ(s.customText, "　いろはにほてとちりぬ");
  EXPECT_EQ(s.autoSaveCount, 9999);
  // All sixteen base colours, the first and the last included.
  std::string colours = "[color]\n";
  for (uint32_t i = 0; i < 16; ++i) colours += Format("basecolor%02u=%u\n", i + 1, 0x10101u * i + 7);
  LoadText(colours);
  for (uint32_t i = 0; i < 16; ++i) EXPECT_EQ(s.baseColor[i], 0x10101u * i + 7) << i;
  EXPECT_EQ(LoadSettingsFile(dir + "absent.ini"), 0u);
}

// Every validated key at and just outside both ends; outside takes the fallback (colours: default).
TEST_F(SettingsTest, EveryValidatedKeyKeepsBothEndsOfItsRangeAndResetsJustOutside) {
  struct Limit {
    const char* section;
    const char* key;
    int32_t low, high;         // the range kept
    int32_t belowTo, aboveTo;  // what one below and one above become (kAbsent: the default)
  };
  constexpr int32_t kAbsent = INT32_MIN;
  std::vector<Limit> limits = {
      {"WinPos", "WinLeft", 0, 1000, 50, 50},      {"WinPos", "WinTop", 0, 744, 50, 50},
      {"WinPos", "WinWidth", 50, 1000, 350, 350},  {"WinPos", "WinHigh", 50, 5000, 300, 5001},
      {"MODE", "FontSize2", -99, 99, 10, 10},      {"MODE", "FontSize", -99, 99, 16, 16},
      {"MODE", "FontSize3", -99, 99, -30, -30},    {"MODE", "CandErase", 0, 2, 0, 0},
      {"MODE", "KanSuuji", 0, 6, 0, 0},            {"MODE", "ClipboardPattern", 0, 2, 0, 0},
      {"MODE", "KohoDisplayMode", 0, 1, 0, 0},     {"MODE", "AutoSaveFileNameFlag", 0, 1, 0, 0},
      {"MODE", "AutoSaveDigit", 1, 8, 3, 3},       {"MODE", "AutoSaveCount", 0, 9999, 0, 9999},
      {"MODE", "SaveFormat", 0, 2, 0, 0},          {"MODE", "CopySaveMode", 0, 2, 0, 0},
      {"MODE", "CsrMove", 0, 1, 1, 1},             {"MODE", "DispSameNumb", 0, 1, 0, 0},
  };
  for (const char* role : {"BGC", "Line", "Line2", "Number", "Input", "Calc", "Kari", "Number2",
                            "Cursor", "BGC2", "RuledLine1", "RuledLine2", "ProblemNumber",
                            "InputNumber", "AutoNumber", "AssumeNumber", "Cursor2", "Confirm"})
    limits.push_back({"Color", role, 0, 16, kAbsent, kAbsent});
  auto loaded = [&](const Limit& l, const std::string& value) {
    std::string text = std::string("[") + l.section + "]\n";
    if (!value.empty()) text += std::string(l.key) + "=" + value + "\n";
    LoadText(text, 1024, 768);
    EXPECT_EQ(SaveSettingsFile(path), 1u);
    IniFile ini;
    IniLoad(ini, path);
    return IniGetInt(ini, l.section, l.key, -12345);
  };
  for (const Limit& l : limits) {
    const int32_t absent = loaded(l, "");
    const int32_t below = l.belowTo == kAbsent ? absent : l.belowTo;
    const int32_t above = l.aboveTo == kAbsent ? absent : l.aboveTo;
    EXPECT_EQ(loaded(l, std::to_string(l.low - 1)), below) << l.key << " below";
    EXPECT_EQ(loaded(l, std::to_string(l.low)), l.low) << l.key << " low";
    EXPECT_EQ(loaded(l, std::to_string(l.high)), l.high) << l.key << " high";
    EXPECT_EQ(loaded(l, std::to_string(l.high + 1)), above) << l.key << " above";
  }
}

// Every text key keeps as many characters as its field holds, and cuts one more.
TEST_F(SettingsTest, EveryTextKeyKeepsItsLengthAndCutsOneMore) {
  const struct {
    const char* key;
    const std::string Settings::*field;
    size_t limit;
  } keys[] = {{"FontName2", &Settings::fontName2, 63},   {"FontName", &Settings::fontName, 63},
              {"CustomText", &Settings::customText, 30}, {"InitialDir", &Settings::initialDir, 511},
              {"AutoSaveFileName", &Settings::autoSaveFileName, 63}};
  for (const auto& k : keys)
    for (const size_t length : {k.limit, k.limit + 1}) {
      LoadText(std::string("[String]\n") + k.key + "=" + std::string(length, 'a') + "\n");
      EXPECT_EQ(s.*k.field, std::string(k.limit, 'a')) << k.key << " " << length;
    }
}

TEST_F(SettingsTest, TheBoardComesBackAtTheNextStartWithTheKindsOfItsCells) {
  LoadGrid("530070000600195000098000060800060003400803001700020006060000280000419005000080079");
  g.board.value[2] = 4, g.board.kind[2] = KindInput;
  g.board.kind[3] = KindHint;  // a hint mark is stored as an empty cell
  const Board saved = g.board;
  ASSERT_EQ(SaveSettingsFile(path), 1u);
  const std::string text = ReadText(path);
  EXPECT_NE(text.find("Table=534070000600195000"), std::string::npos);
  EXPECT_NE(text.find("Table2=005909999"), std::string::npos);

  ResetStartupState();
  ASSERT_EQ(LoadSettingsFile(path), 1u);
  EXPECT_EQ(0, std::memcmp(g.board.value, saved.value, sizeof saved.value));
  for (uint32_t c = 0; c < 81; ++c)
    EXPECT_EQ(g.board.kind[c], c == 3 ? uint32_t{KindEmpty} : saved.kind[c]) << c;

  // Every kind digit: a filled cell keeps a filled cell's kind, else a given; an empty one empty.
  const uint32_t filledTo[10] = {0, 1, 0, 3, 4, 5, 6, 0, 8, 0};
  for (uint32_t kind = 0; kind < 10; ++kind) {
    LoadText("[STRING]\nTable=5" + std::string(80, '0') + "\nTable2=" +
             std::string(81, static_cast<char>('0' + kind)) + "\n");
    EXPECT_EQ(g.board.kind[0], filledTo[kind]) << kind;
    EXPECT_EQ(g.board.kind[80], uint32_t{KindEmpty}) << kind;
  }
}

TEST_F(SettingsTest, SaveKeepsWhatItDoesNotKnowAndWritesEveryKey) {
  LoadText(
      "; user notes\n[Plugins]\nPath=/opt/x\n[MODE]\nKanSuuji=2\nFutureKey=abc\n"
      "[STRING]\nFontName=Old\n");
  g.settings.kanSuuji = 4;
  g.settings.fontName = "New Face";
  g.settings.initialDir = "/home/u/puzzles";
  g.secondColourSet = 1;  // the second set is shown: the first set's fields hold it
  SwapColourSets(g.settings);
  ASSERT_EQ(SaveSettingsFile(path), 1u);
  g.secondColourSet = 0;
  const std::string text = ReadText(path);
  EXPECT_EQ(text.find("KanSuuji=2"), std::string::npos);
  EXPECT_EQ(text.find("[String]"), std::string::npos);
  // String keys go into the existing section whatever its spelling.
  for (const char* key :
       {"; user notes\r\n", "[Plugins]\r\nPath=/opt/x\r\n", "FutureKey=abc\r\n", "KanSuuji=4\r\n",
        "[STRING]\r\nFontName=New Face\r\n", "WinLeft=", "BaseColor16=", "Cursor2=15", "BGC=15",
        "MaltiCount=", "AutoSaveDigit=3", "InitialDir=/home/u/puzzles", "CustomText="})
    EXPECT_NE(text.find(key), std::string::npos) << key;
}

TEST_F(SettingsTest, InterruptedSaveLeavesTheOldFileIntact) {
  const std::string old = "[MODE]\r\nKanSuuji=2\r\n";
  std::ofstream(path, std::ios::binary) << old;
  IniFile ini;
  ASSERT_TRUE(IniLoad(ini, path));
  IniSetInt(ini, "MODE", "KanSuuji", 5);
  ASSERT_TRUE(IniWriteTemp(ini, path));  // the program dies here, before the rename
  EXPECT_EQ(ReadText(path), old);
  EXPECT_TRUE(std::filesystem::exists(IniTempPath(path)));
  // The next save replaces the stale temporary file and then the file as a whole.
  ASSERT_EQ(SaveSettingsFile(path), 1u);
  EXPECT_FALSE(std::filesystem::exists(IniTempPath(path)));
  EXPECT_EQ(LoadSettingsFile(path), 1u);
  // A save into a folder that does not exist fails without creating anything.
  EXPECT_EQ(SaveSettingsFile(dir + "missing/Vorel.ini"), 0u);
}

TEST_F(SettingsTest, AFileOfAnySizeIsSavedWhole) {
  const std::string tail = "[UserSection]\r\nKeep=1\r\n";
  const std::string text = "; " + std::string(17u << 20, 'x') + "\r\n" + tail;
  std::ofstream(path, std::ios::binary) << text;
  const size_t open = OpenFiles();
  ASSERT_EQ(SaveSettingsFile(path), 1u);
  EXPECT_EQ(OpenFiles(), open) << "reading and writing leave no file open";
  std::ifstream saved(path, std::ios::binary | std::ios::ate);
  const std::streamoff size = saved.tellg();
  EXPECT_GT(size, static_cast<std::streamoff>(text.size()));
  std::string end(8192, '\0');  // the file's end: the user's section, then the new keys
  saved.seekg(size - static_cast<std::streamoff>(end.size()));
  saved.read(end.data(), static_cast<std::streamsize>(end.size()));
  EXPECT_NE(end.find(tail), std::string::npos);
}

TEST_F(SettingsTest, SaveWritesThroughALinkAndLeavesAReadOnlyFileAlone) {
  namespace fs = std::filesystem;
  fs::create_directory(dir + "real");
  const std::string real = dir + "real/Vorel.ini", old = "[MODE]\r\nKanSuuji=2\r\n";
  std::ofstream(real, std::ios::binary) << old;
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink("real/Vorel.ini", path);
  g.settings.kanSuuji = 5;
  ASSERT_EQ(SaveSettingsFile(path), 1u);
  EXPECT_TRUE(fs::is_symlink(path));
  EXPECT_NE(ReadText(real).find("KanSuuji=5\r\n"), std::string::npos);
  EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  fs::permissions(real, fs::perms::owner_read | fs::perms::group_read);
  std::ofstream(dir + "plain.ini", std::ios::binary) << old;  // a read-only copy, as root too
  fs::permissions(dir + "plain.ini", fs::perms::owner_read);
  for (const std::string& p : {path, dir + "plain.ini"}) EXPECT_EQ(SaveSettingsFile(p), 0u) << p;
  EXPECT_NE(ReadText(real).find("KanSuuji=5"), std::string::npos);
  EXPECT_EQ(ReadText(dir + "plain.ini"), old);
  EXPECT_FALSE(std::filesystem::exists(IniTempPath(real)));
}

TEST_F(SettingsTest, TheStartFolderBecomesTheCurrentFolderOnlyWhenItExists) {
  namespace fs = std::filesystem;
  const fs::path before = fs::current_path();
  g.settings.initialDir = dir + "missing";
  EXPECT_EQ(ApplyStartDirectory(), 0u);
  EXPECT_EQ(fs::current_path(), before);
  g.settings.initialDir = dir;
  EXPECT_EQ(ApplyStartDirectory(), 1u);
  EXPECT_TRUE(fs::equivalent(fs::current_path(), dir));
  fs::current_path(before);
}

TEST(SettingsFolder, PortableFolderElseTheUserConfigFolder) {
  const std::string exe = TempDir(), config = TempDir(), home = TempDir();
  const size_t open = OpenFiles();
  EXPECT_EQ(ChooseDataFolder(exe, "/nowhere", "/nowhere"), exe);
  EXPECT_EQ(OpenFiles(), open) << "the probe for a writable folder leaves no file open";
  EXPECT_TRUE(std::filesystem::is_empty(exe)) << "nor a file behind";
  const std::string missing = exe + "not-there/";
  EXPECT_EQ(ChooseDataFolder(missing, config.c_str(), home.c_str()), config + "vorel/");
  EXPECT_TRUE(std::filesystem::exists(config + "vorel/."));
  // Unset or relative XDG_CONFIG_HOME: ~/.config/vorel/.
  EXPECT_EQ(ChooseDataFolder(missing, nullptr, home.c_str()), home + ".config/vorel/");
  EXPECT_EQ(ChooseDataFolder(missing, "relative", home.c_str()), home + ".config/vorel/");
  // An installed program never writes beside itself, even with the rights to (as root).
  EXPECT_EQ(ChooseDataFolder("/usr/bin", config.c_str(), home.c_str()), config + "vorel/");
  // With neither variable of any use, the program's own folder, even if it cannot be written.
  EXPECT_EQ(ChooseDataFolder(missing, nullptr, ""), missing);
}

// Saving to another path than the one loaded keeps the loaded file's unknown keys; the start-up
// takes the window's displays and menu checks; settings changed by commands carry across passes.
TEST(SettingsCli, LoadsStartsFromAndSavesTheSettingsThroughTheCommandLine) {
  const std::string dir = TempDir();
  std::ofstream(dir + "in.ini", std::ios::binary)
      << "[MODE]\nSaveFormat=2\nMystery=1\n[String]\nTable=5\n";
  int status = -1;
  RunCli("--settings " + dir + "in.ini -r 210 -c " + dir + "out.html --save-settings " + dir +
             "out.ini",
         &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadText(dir + "out.html").substr(0, 4), std::string("\xFF\xFE<\0", 4));
  for (const char* key : {"Mystery=1\r\n", "SaveFormat=2\r\n", "Table=5"})
    EXPECT_NE(ReadText(dir + "out.ini").find(key), std::string::npos) << key;
  // A missing file gives the defaults and is created on saving; a failed save only warns.
  RunCli("--settings " + dir + "new.ini --save-settings " + dir + "new.ini", &status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(ReadText(dir + "new.ini").find("AutoSaveDigit=3\r\n"), std::string::npos);
  RunCli("--sample --save-settings " + dir + "missing/out.ini", &status);
  EXPECT_EQ(status, 0);
  // The collection file lives beside the settings file.
  RunCli("--settings " + dir + "in.ini --sample -r 2670", &status);
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(std::filesystem::exists(dir + "VorelMalti.txt"));

  std::ofstream(dir + "shown.ini", std::ios::binary)
      << "[MODE]\nDisplay=1\nDispSameNumb=1\n[String]\nTable=" << std::string(81, '0') << "\n";
  EXPECT_EQ(RunCli("-t --settings " + dir + "shown.ini -r 2640 -r 280 -r 825 --save-settings " +
                       dir + "shown.ini",
                   &status),
            "status1\t空白残り[81]\nstatus0\t<１ ２ ３ ４ ５ ６ ７ ８ ９>\nstatus0\t\n");
  EXPECT_EQ(status, 0);
  for (const char* key : {"Display=0\r\n", "DispSameNumb=0\r\n"})
    EXPECT_NE(ReadText(dir + "shown.ini").find(key), std::string::npos) << key;

  const std::string ini = dir + "rep.ini";
  std::ofstream(ini, std::ios::binary)
      << "[MODE]\nAutoSaveFileNameFlag=1\nAutoSaveCount=7\n[String]\nInitialDir=" << dir << "\n";
  const std::string out = RunCli("-t -s 5 --settings " + ini +
                                     " -m make -r 610 -r 320 -r 210 --repeat 3 --save-settings " +
                                     ini,
                                 &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(out.find("message\t"), std::string::npos) << out;
  for (const char* name : {"SaveFile007.txt", "SaveFile008.txt", "SaveFile009.txt"})
    EXPECT_TRUE(std::filesystem::exists(dir + name)) << name;
  EXPECT_NE(ReadText(ini).find("AutoSaveCount=10\r\n"), std::string::npos);
}

}  // namespace

// Ini text reads back as written: outer spaces, tabs and quotes, and stray byte order marks.
TEST(IniFile, TextReadsBackAsWrittenWithOuterSpacesQuotesAndStrayMarks) {
  for (const std::string value : {"", "a", " a", "a ", "\ta", "a\t", "\"a\"", "\"\"", "\"", "a\"", "\"a",
                                   " \"a\" ", "a b"}) {
    IniFile ini;
    IniSetString(ini, "String", "Key", value);
    IniFile again;
    IniParse(again, IniText(ini));
    EXPECT_EQ(IniGetString(again, "STRING", "key", "absent"), value) << "[" << value << "]";
  }
  // Found by fuzzing: a second UTF-16 mark, and a UTF-16 mark look-alike after a UTF-8 mark.
  for (const std::string& raw : {std::string("\xFF\xFE\xFF\xFE\x32\x05\x32\x05", 8),
                                std::string("\xEF\xBB\xBF\xFF\xFE[\xFF[\x00i", 10)}) {
    IniFile ini;
    IniParse(ini, raw);
    const std::string text = IniText(ini);
    IniFile again;
    IniParse(again, text);
    EXPECT_EQ(IniText(again), text);
  }
  // A UTF-16 file whose last line has no line end keeps that line's last character.
  IniFile utf16;
  IniParse(utf16, std::string("\xFF\xFE[\0a\0]\0\n\0k\0=\0" "1\0" "2\0", 18));
  EXPECT_EQ(IniGetString(utf16, "a", "k", "absent"), "12");
  // One or more marks before the first section leave its name whole.
  for (const std::string marks : {"\xEF\xBB\xBF", "\xEF\xBB\xBF\xEF\xBB\xBF", "\xEF\xBB\xBF\xEF\xBB\xBF\xEF\xBB\xBF"}) {
    IniFile ini;
    IniParse(ini, marks + "[Mode]\nKey=v\n");
    EXPECT_EQ(IniGetString(ini, "MODE", "Key", "absent"), "v") << marks.size() / 3 << " marks";
  }
}
