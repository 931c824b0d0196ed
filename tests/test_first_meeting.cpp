// What a new user meets first: unreadable paths, the automatic save name, default colours.
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "board/platform.h"
#include "drivers/commands.h"
#include "drivers/dialogs.h"
#include "drivers/file_commands.h"
#include "drivers/frame.h"
#include "drivers/sample.h"
#include "io/settings.h"
#include "tests/support.h"

namespace {


class UnreadablePaths : public EngineTest {
 protected:
  std::string dir;
  void SetUp() override {
    EngineTest::SetUp();
    dir = std::filesystem::path(WriteTempFile("junk.txt", "<< no digits here at all >>")).parent_path();
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::permissions(dir + "/locked.txt", std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(dir, ec);
    EngineTest::TearDown();
  }
  // Paths no reader can take; an unreadable file only when it is so for this user (not root).
  std::vector<std::string> BadPaths() {
    std::vector<std::string> paths{dir, dir + "/missing.txt"};
    const std::string locked = dir + "/locked.txt";
    std::ofstream(locked) << kHardPuzzle;
    chmod(locked.c_str(), 0);
    if (access(locked.c_str(), R_OK) != 0) paths.push_back(locked);
    return paths;
  }
};

TEST_F(UnreadablePaths, LeaveTheBoardAndSaySoInOneMessageWhateverTheRoad) {
  const char* const roads[] = {"open dialog", "dropped", "command line"};
  for (const bool newMode : {false, true}) {
    for (int road = 0; road < 3; ++road) {
      for (const std::string& path : BadPaths()) {
        ResetStartupState();
        if (newMode) {
          ASSERT_EQ(RunCommand(240), CommandDone);  // empties the board
        }
        LoadGrid(kHardPuzzle);
        platform.Clear();
        switch (road) {
          case 0: platform.fileChoices.push_back(path); RunCommand(200); break;
          case 1: ReadDroppedFile({path}); break;
          default: ReadPuzzleFromPath(path); break;
        }
        const std::string where = std::string(roads[road]) + (newMode ? " (新規作成) " : " ") + path;
        EXPECT_EQ(BoardValues(), kHardPuzzle) << where;
        EXPECT_EQ(platform.Lines("message"),
                  std::vector<std::string>{"ファイルがオープンできません\t" + path})
            << where;
        EXPECT_TRUE(platform.Lines("title").empty()) << where;
      }
    }
  }
  // A readable file with nothing recognisable in it is still read: the board empties.
  LoadGrid(kHardPuzzle);
  platform.Clear();
  ReadDroppedFile({dir + "/junk.txt"});
  EXPECT_EQ(BoardValues(), std::string(81, '0'));
  EXPECT_TRUE(platform.Lines("message").empty());
}

class AutoSaveName : public EngineTest {};

TEST_F(AutoSaveName, ABaseNameWithAFolderPartIsRefusedInTheDialogAndOnSaving) {
  const std::string dir = std::filesystem::path(WriteTempFile("keep", "")).parent_path();
  const std::string inner = dir + "/inner/";
  std::filesystem::create_directories(inner);
  g.settings.initialDir = inner;
  g.settings.autoSaveFileName = "SaveFile";
  const std::string refused = "基準ファイル名に「/」は使えません";
  EXPECT_EQ(AutoNameDialogOk({"../x", 5, 2, 1}), 0u);
  EXPECT_EQ(platform.Lines("message"), std::vector<std::string>{"保存ファイル名自動生成\t" + refused});
  EXPECT_EQ(g.settings.autoSaveFileName, "SaveFile");
  EXPECT_EQ(g.settings.autoSaveFileNameFlag, 0);
  EXPECT_EQ(AutoNameDialogOk({"x..y", 5, 2, 1}), 1u);
  EXPECT_EQ(g.settings.autoSaveFileName, "x..y");

  // A settings file of an older version may still hold one: nothing is written.
  g.settings.autoSaveFileName = "../x";
  LoadGrid(kHardPuzzle);
  platform.Clear();
  RunCommand(210);
  EXPECT_EQ(platform.Lines("message"), std::vector<std::string>{"保存ファイル名自動生成\t" + refused});
  EXPECT_FALSE(std::filesystem::exists(dir + "/x05.txt"));
  EXPECT_EQ(g.settings.autoSaveCount, 5);
  g.settings.autoSaveFileName = "x";
  RunCommand(210);
  EXPECT_TRUE(std::filesystem::exists(inner + "x05.txt"));
  EXPECT_EQ(g.settings.autoSaveCount, 6);
  std::filesystem::remove_all(dir);
}

// WCAG 2 relative luminance and contrast ratio of two 0xBBGGRR palette colours.
double Luminance(uint32_t rgb) {
  double sum = 0;
  const double weight[3] = {0.2126, 0.7152, 0.0722};  // red, green, blue
  for (int i = 0; i < 3; ++i) {
    const double c = ((rgb >> (8 * i)) & 0xFF) / 255.0;
    sum += weight[i] * (c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
  }
  return sum;
}
double Contrast(uint32_t a, uint32_t b) {
  const double la = Luminance(a) + 0.05, lb = Luminance(b) + 0.05;
  return la > lb ? la / lb : lb / la;
}
// The largest difference of one colour channel: how far a fill stands out by its hue alone.
uint32_t ChannelDistance(uint32_t a, uint32_t b) {
  uint32_t most = 0;
  for (int i = 0; i < 3; ++i) {
    const uint32_t x = (a >> (8 * i)) & 0xFF, y = (b >> (8 * i)) & 0xFF;
    most = std::max(most, x > y ? x - y : y - x);
  }
  return most;
}

TEST(DefaultColours, AutomaticDigitsReadAndMarksShow) {
  Settings s;
  ApplyDefaultSettings(s);
  const uint32_t* palette = s.baseColor;
  const uint32_t background = palette[s.bgc], mark = palette[s.number2];
  EXPECT_GE(Contrast(palette[s.calc], background), 4.5);
  // A mark must show, and the givens and automatic digits stay readable on it.
  EXPECT_NE(mark, background);
  EXPECT_GE(ChannelDistance(mark, background), 128u);
  EXPECT_GE(Contrast(palette[s.number], mark), 4.5);
  EXPECT_GE(Contrast(palette[s.calc], mark), 4.5);
  // The cursor stays apart from the mark, and the automatic digits readable on it too.
  EXPECT_NE(s.cursor, s.number2);
  EXPECT_GE(Contrast(palette[s.calc], palette[s.cursor]), 4.5);
}

}  // namespace
