// The settings file: defaults and validations, case-insensitive lookups, the board keys,
// keys this program does not know surviving a save, and saves that never half-write.
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "io/ini.h"
#include "io/settings.h"
#include "tests/support.h"

namespace {

std::string FreshDir() {
  char dir[] = "/tmp/vorel-settings-XXXXXX";
  const char* made = mkdtemp(dir);
  return made ? std::string(made) + "/" : std::string("/tmp/");
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool FileExists(const std::string& path) { return std::ifstream(path).good(); }

class SettingsTest : public EngineTest {
 protected:
  std::string dir;
  void SetUp() override {
    EngineTest::SetUp();
    dir = FreshDir();
  }
  uint32_t LoadText(const std::string& text, int32_t w = 1920, int32_t h = 1080) {
    const std::string path = dir + "Vorel.ini";
    std::ofstream(path, std::ios::binary) << text;
    return LoadSettingsFile(path, w, h);
  }
};

TEST_F(SettingsTest, FirstStartOpensTheDefaultWindowWithDefaultOptions) {
  LoadSettings(dir + "Vorel.ini");
  const Settings& s = g.settings;
  EXPECT_EQ(s.winLeft, 50);
  EXPECT_EQ(s.winTop, 50);
  EXPECT_EQ(s.winWidth, 350);
  EXPECT_EQ(s.winHigh, 300);
  EXPECT_EQ(s.bgc, 15);
  EXPECT_EQ(s.input, 13);
  EXPECT_EQ(s.ruledLine2, 7);
  EXPECT_EQ(s.baseColor[0], 0x000000u);
  EXPECT_EQ(s.baseColor[4], 0x000080u);  // red 0x80 in the low byte
  EXPECT_EQ(s.baseColor[8], 0xC0C0C0u);
  EXPECT_EQ(s.baseColor[9], 0xFF0000u);  // blue in bits 16..23
  EXPECT_EQ(s.fontSize3, -30);
  EXPECT_EQ(s.fontName, "ＭＳ ゴシック");
  EXPECT_EQ(s.autoSaveDigit, 3);
  EXPECT_EQ(s.autoSaveFileName, "SaveFile");
  ASSERT_EQ(s.customGlyph.size(), 10u);
  EXPECT_EQ(s.customGlyph[1], "い");
  EXPECT_FALSE(FileExists(dir + "Vorel.ini"));  // loading never writes
}

TEST_F(SettingsTest, ValuesOutsideTheirRangeTakeTheirFallbacks) {
  ASSERT_EQ(LoadText("[WinPos]\nWinLeft=1200\nWinTop=-5\nWinWidth=1001\nWinHigh=20\n"
                     "[Color]\nBGC=17\nKari=16\nCursor=-1\n"
                     "[MODE]\nFontSize2=100\nFontSize=-100\nFontSize3=99\nCsrMove=5\n"
                     "CandErase=3\nKanSuuji=7\nDispSameNumb=2\nClipboardPattern=3\n"
                     "KohoDisplayMode=2\nAutoSaveFileNameFlag=2\nAutoSaveDigit=9\n"
                     "[String]\nCustomText=あいうえおかきくけ\n",
                     1024, 768),
            1u);
  const Settings& s = g.settings;
  EXPECT_EQ(s.winLeft, 50);   // beyond 1024 - 24
  EXPECT_EQ(s.winTop, 50);
  EXPECT_EQ(s.winWidth, 350);
  EXPECT_EQ(s.winHigh, 300);
  EXPECT_EQ(s.bgc, 15);
  EXPECT_EQ(s.kari, 16);
  EXPECT_EQ(s.cursor, 10);
  EXPECT_EQ(s.fontSize2, 10);
  EXPECT_EQ(s.fontSize, 16);
  EXPECT_EQ(s.fontSize3, 99);
  EXPECT_EQ(s.csrMove, 1);
  EXPECT_EQ(s.candErase, 0);
  EXPECT_EQ(s.kanSuuji, 0);
  EXPECT_EQ(s.dispSameNumb, 0);
  EXPECT_EQ(s.clipboardPattern, 0);
  EXPECT_EQ(s.kohoDisplayMode, 0);
  EXPECT_EQ(s.autoSaveFileNameFlag, 0);
  EXPECT_EQ(s.autoSaveDigit, 3);
  EXPECT_EQ(s.customText, "　いろはにほてとちりぬ");  // nine characters are too few

  // The same position fits a larger screen.
  LoadText("[WinPos]\nWinLeft=1200\nWinTop=0\nWinWidth=1000\nWinHigh=2000\n");
  EXPECT_EQ(g.settings.winLeft, 1200);
  EXPECT_EQ(g.settings.winTop, 0);
  EXPECT_EQ(g.settings.winWidth, 1000);
  EXPECT_EQ(g.settings.winHigh, 2000);
}

TEST_F(SettingsTest, SectionsAndKeysMatchWithoutCaseAndIntegersAreDecimal) {
  LoadText("; comment\n[winpos]\r\nwinleft = 120\r\n[mode]\nKANSUUJI=  3 \nFontSize=abc\n"
           "FontWeight=700x\n[string]\nfontname=Noto Sans\nCustomText=〇𠀋二三四五六七八九\n");
  EXPECT_EQ(g.settings.winLeft, 120);
  EXPECT_EQ(g.settings.kanSuuji, 3);
  EXPECT_EQ(g.settings.fontSize, 16);      // no number: the default
  EXPECT_EQ(g.settings.fontWeight, 700);   // the leading number
  EXPECT_EQ(g.settings.fontName, "Noto Sans");
  ASSERT_EQ(g.settings.customGlyph.size(), 10u);
  EXPECT_EQ(g.settings.customGlyph[1], "𠀋");  // a surrogate pair is one glyph
  EXPECT_EQ(g.settings.customGlyph[2], "二");
  EXPECT_EQ(LoadSettingsFile(dir + "absent.ini"), 0u);
}

TEST_F(SettingsTest, TheBoardComesBackAtTheNextStart) {
  const std::string path = dir + "Vorel.ini";
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
}

TEST_F(SettingsTest, SaveKeepsWhatItDoesNotKnowAndWritesEveryKey) {
  const std::string path = dir + "Vorel.ini";
  std::ofstream(path, std::ios::binary)
      << "; user notes\n[Plugins]\nPath=/opt/x\n[MODE]\nKanSuuji=2\nFutureKey=abc\n"
         "[STRING]\nFontName=Old\n";
  ASSERT_EQ(LoadSettingsFile(path), 1u);
  g.settings.kanSuuji = 4;
  g.settings.fontName = "New Face";
  g.settings.initialDir = "/home/u/puzzles";
  g.secondColourSet = 1;  // the second set is shown: the first set's fields hold it
  SwapColourSets(g.settings);
  ASSERT_EQ(SaveSettingsFile(path), 1u);
  const std::string text = ReadText(path);
  for (const char* kept : {"; user notes\r\n", "[Plugins]\r\nPath=/opt/x\r\n", "FutureKey=abc\r\n"})
    EXPECT_NE(text.find(kept), std::string::npos) << kept;
  EXPECT_NE(text.find("KanSuuji=4\r\n"), std::string::npos);
  EXPECT_EQ(text.find("KanSuuji=2"), std::string::npos);
  // String keys go into the existing section whatever its spelling.
  EXPECT_NE(text.find("[STRING]\r\nFontName=New Face\r\n"), std::string::npos);
  EXPECT_EQ(text.find("[String]"), std::string::npos);
  for (const char* key : {"WinLeft=", "BaseColor16=", "Cursor2=15", "BGC=15", "MaltiCount=",
                          "AutoSaveDigit=3", "InitialDir=/home/u/puzzles", "CustomText="})
    EXPECT_NE(text.find(key), std::string::npos) << key;
  g.secondColourSet = 0;
}

TEST_F(SettingsTest, InterruptedSaveLeavesTheOldFileIntact) {
  const std::string path = dir + "Vorel.ini";
  const std::string old = "[MODE]\r\nKanSuuji=2\r\n";
  std::ofstream(path, std::ios::binary) << old;
  IniFile ini;
  ASSERT_TRUE(IniLoad(ini, path));
  IniSetInt(ini, "MODE", "KanSuuji", 5);
  ASSERT_TRUE(IniWriteTemp(ini, path));  // the program dies here, before the rename
  EXPECT_EQ(ReadText(path), old);
  EXPECT_TRUE(FileExists(IniTempPath(path)));
  // The next save replaces the stale temporary file and then the file as a whole.
  ASSERT_EQ(SaveSettingsFile(path), 1u);
  EXPECT_FALSE(FileExists(IniTempPath(path)));
  EXPECT_EQ(LoadSettingsFile(path), 1u);
  // A save into a folder that does not exist fails without creating anything.
  EXPECT_EQ(SaveSettingsFile(dir + "missing/Vorel.ini"), 0u);
}

TEST(SettingsFolder, PortableFolderElseTheUserConfigFolder) {
  const std::string exe = FreshDir();
  EXPECT_EQ(ChooseDataFolder(exe, "/nowhere", "/nowhere"), exe);
  const std::string config = FreshDir();
  const std::string home = FreshDir();
  const std::string missing = exe + "not-there/";
  EXPECT_EQ(ChooseDataFolder(missing, config.c_str(), home.c_str()), config + "vorel/");
  EXPECT_TRUE(FileExists(config + "vorel/."));
  // Unset or relative XDG_CONFIG_HOME: ~/.config/vorel/.
  EXPECT_EQ(ChooseDataFolder(missing, nullptr, home.c_str()), home + ".config/vorel/");
  EXPECT_EQ(ChooseDataFolder(missing, "relative", home.c_str()), home + ".config/vorel/");
}

}  // namespace

namespace {

TEST(SettingsCli, LoadsAndSavesThroughTheCommandLine) {
  const std::string dir = FreshDir();
  std::ofstream(dir + "in.ini", std::ios::binary)
      << "[MODE]\nSaveFormat=2\nMystery=1\n[String]\nTable=5\n";
  int status = -1;
  RunCli("--settings " + dir + "in.ini -r 210 -c " + dir + "out.html --save-settings " + dir +
             "out.ini",
         &status);
  EXPECT_EQ(status, 0);
  const std::string html = ReadText(dir + "out.html");
  EXPECT_EQ(html.substr(0, 4), std::string("\xFF\xFE<\0", 4));
  const std::string ini = ReadText(dir + "out.ini");
  EXPECT_NE(ini.find("Mystery=1\r\n"), std::string::npos);
  EXPECT_NE(ini.find("SaveFormat=2\r\n"), std::string::npos);
  EXPECT_NE(ini.find("Table=5"), std::string::npos);
  RunCli("--settings " + dir + "absent.ini", &status);
  EXPECT_EQ(status, 2);
}

}  // namespace

TEST(IniFile, DoubledByteOrderMarkReadsBackAsWritten) {
  // A UTF-16 file whose text starts with a second byte-order mark: found by fuzzing.
  const std::string raw("\xFF\xFE\xFF\xFE\x32\x05\x32\x05", 8);
  IniFile ini;
  IniParse(ini, raw);
  const std::string text = IniText(ini);
  IniFile again;
  IniParse(again, text);
  EXPECT_EQ(IniText(again), text);
  EXPECT_EQ(text.rfind("\xEF\xBB\xBF", 0), std::string::npos);
}
