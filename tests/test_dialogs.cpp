// Dialog and panel logic, headless: what OK stores, Cancel restores, a button posts.
#include <algorithm>
#include <cstring>

#include "board/candidates.h"
#include "board/transform.h"
#include "drivers/commands.h"
#include "drivers/dialogs.h"
#include "drivers/frame.h"
#include "drivers/placement.h"
#include "drivers/technique_commands.h"
#include "io/settings.h"
#include "tests/support.h"

namespace {

using Dialogs = EngineTest;
using Ints = std::vector<int32_t>;

TEST(Placement, RightWhenRoomElseLeftRememberedWins) {
  struct Case {
    int32_t mainLeft, mainTop, mainRight, screenRight, width, remembered, left, top;
  } cases[] = {
      {100, 40, 500, 1920, 300, kNotPlaced, 501, 40},        // room on the right
      {1200, 40, 1700, 1920, 300, kNotPlaced, 899, 40},      // too little: left side
      {1200, 40, 1620, 1920, 300, kNotPlaced, 899, 40},      // exactly the width is not enough
      {1200, 40, 1619, 1920, 300, kNotPlaced, 1620, 40},
      {100, 40, 1800, 1920, 300, kNotPlaced, 0, 40},         // no room either side: stays on screen
      {100, 40, 500, 1920, 300, PackPosition(700, 230), 700, 230},
      {100, 40, 500, 1920, 300, PackPosition(0, -20), 0, -20},
      {100, 40, 500, 1920, 300, PackPosition(-300, 15), -300, 15},
  };
  for (const Case& c : cases) {
    int32_t left = 7, top = 7;
    PlacePanel(c.mainLeft, c.mainTop, c.mainRight, c.screenRight, c.width, c.remembered, left, top);
    EXPECT_EQ(left, c.left) << c.mainRight << " " << c.remembered;
    EXPECT_EQ(top, c.top) << c.mainRight << " " << c.remembered;
  }
  EXPECT_EQ(PackPosition(700, 230), 700 * 65536 + 230);
}

TEST_F(Dialogs, TheUsageWindowAndTheTechniqueLogShareOnePlace) {
  LoadGrid(kSampleGrid);
  EnterCandidateScreen();  // the log opens with the screen
  ASSERT_TRUE(platform.logOpen);
  RunCommand(1160);
  EXPECT_EQ(g.usageView, 1u);
  EXPECT_FALSE(platform.logOpen);
  platform.Clear();
  RunCommand(900);
  EXPECT_TRUE(platform.Lines("log").empty());  // no log window, no lines
  RunCommand(310);
  RunCommand(310);  // entering again: the log is back, the usage window gone
  EXPECT_TRUE(platform.logOpen);
  EXPECT_EQ(g.usageView, 0u);
}

TEST_F(Dialogs, SettingsOkDrivesTheUsageWindowAndKeepsAGroupLeftUnchecked) {
  int32_t values[kSettingsGroupCount];
  SettingsDialogValues(values);
  EXPECT_EQ(values[kUsageGroup], 0);
  values[kUsageGroup] = 2;
  values[1] = 2;
  SettingsDialogOk(values);
  ASSERT_EQ(platform.Lines("list").size(), 11u);  // opened on columns and filled

  // view after OK (from the view before): switch, close, and "無" with the window closed.
  struct Step { uint32_t before; int32_t chosen; uint32_t after; size_t lines; } steps[] = {
      {2, 3, 3, 11}, {3, 0, 0, 0}, {0, 0, 0, 0}, {0, 1, 1, 11}};
  for (const Step& st : steps) {
    ASSERT_EQ(g.usageView, st.before);
    platform.Clear();
    SettingsDialogValues(values);
    values[kUsageGroup] = st.chosen;
    SettingsDialogOk(values);
    EXPECT_EQ(g.usageView, st.after) << st.chosen;
    EXPECT_EQ(platform.Lines("list").size(), st.lines) << st.chosen;
  }
  // A group without a checked button keeps its setting.
  SettingsDialogValues(values);
  values[1] = 7;
  SettingsDialogOk(values);
  EXPECT_EQ(g.settings.candErase, 2);
}

TEST_F(Dialogs, CustomGlyphTextIsCutToTheFieldAndFallsBackWhenShort) {
  const std::string kDefault = "　いろはにほてとちりぬ";
  const std::string astral = "𠀋";
  std::string fifteenAstral, thirty;
  for (int i = 0; i < 15; ++i) fifteenAstral += astral;
  for (int i = 0; i < 30; ++i) thirty += "あ";
  struct Case { std::string field, stored; } cases[] = {
      {"一二三四五六七八九", "　一二三四五六七八九"},
      {"一二三四五六七八", kDefault},                        // eight glyphs are too few
      {"", kDefault},
      {thirty, "　" + thirty.substr(0, 29 * 3)},              // characters, not bytes
      {fifteenAstral, "　" + fifteenAstral.substr(0, 14 * 4)},  // a pair is never split
  };
  for (const Case& c : cases) {
    g.settings.customText = "★abcdefghi";
    DisplayChoice choice = DisplayDialogValues();
    EXPECT_EQ(choice.customText, "abcdefghi");
    choice.customText = c.field;
    DisplayDialogOk(choice);
    const std::string expected = c.stored == kDefault ? kDefault : "★" + c.stored.substr(3);
    EXPECT_EQ(g.settings.customText, expected) << c.field;
  }
  g.settings.kanSuuji = 6;
  EXPECT_EQ(GlyphFor(9), astral);  // the glyphs are split again
  EXPECT_EQ(GlyphFor(0), "★");
}

TEST_F(Dialogs, ColourListsEditTheSetOnScreenAndTheSecondSetSwaps) {
  // The first set on screen: the display dialog edits it, the second-set dialog the other.
  DisplayChoice display = DisplayDialogValues();
  EXPECT_EQ(display.colour[0], 15);
  display.colour[0] = 3;
  display.colour[1] = 17;  // no palette entry: the role keeps its value
  display.glyphSet = 2;
  DisplayDialogOk(display);
  EXPECT_EQ((Ints{g.settings.bgc, g.settings.line, g.settings.kanSuuji}), (Ints{3, 0, 2}));

  SecondColourChoice second = SecondColourDialogValues();
  EXPECT_EQ(second.colour[2], 7);  // "RuledLine2"
  second.colour[0] = 5;
  second.inUse = 1;
  SecondColourDialogOk(second);
  EXPECT_EQ(g.secondColourSet, 1u);  // painting reads the first-set roles
  EXPECT_EQ((Ints{g.settings.bgc, g.settings.line2}), (Ints{5, 7}));

  // While the second set is in use the display dialog edits it.
  display = DisplayDialogValues();
  EXPECT_EQ(display.colour[0], 5);
  display.colour[0] = 6;
  DisplayDialogOk(display);
  EXPECT_EQ(SecondColourDialogValues().colour[0], 6);

  second = SecondColourDialogValues();
  second.inUse = 0;
  SecondColourDialogOk(second);
  EXPECT_EQ((Ints{g.settings.bgc, g.settings.bgc2, g.settings.line2}), (Ints{3, 6, 9}));
}

TEST_F(Dialogs, FontAndColourChoosersStoreWhatTheyEdit) {
  FontChoice font = FontDialogValues();
  EXPECT_EQ(font.height, 16);
  FontDialogOk({"Noto Sans CJK JP", -120, 700, 5});
  EXPECT_EQ(g.settings.fontName, "Noto Sans CJK JP");
  EXPECT_EQ((Ints{g.settings.fontSize, g.settings.fontWeight, g.settings.fontItalic,
                  g.settings.fontSize2}),
            (Ints{-99, 700, 1, 12}));
  g.screenMode = ModeCandidateScreen;  // the candidate font there
  EXPECT_EQ(FontDialogValues().height, 12);
  FontDialogOk({std::string(70, 'x'), 14, 400, 0});
  EXPECT_EQ(g.settings.fontName2, std::string(63, 'x'));
  EXPECT_EQ((Ints{g.settings.fontSize2, g.settings.fontSize}), (Ints{14, -99}));

  uint32_t custom[16];
  for (uint32_t i = 0; i < 16; ++i) custom[i] = ColourFromRgb(i + 1, 2 * i, 3 * i);
  custom[4] |= 0xFF000000u;  // only the colour bytes are kept
  ColourChooserOk(0x123456, custom);
  for (uint32_t i = 0; i < 16; ++i) EXPECT_EQ(g.settings.baseColor[i], custom[i] & 0xFFFFFF) << i;
  EXPECT_EQ(g.chooserColour, 0x123456u);
  EXPECT_EQ(RedOf(0x123456), 0x56u);
}

TEST_F(Dialogs, EditDialogMovesCandidatesWithTheirCellsAndCancelRestoresExactly) {
  LoadGrid(kSampleGrid);
  EnterCandidateScreen();
  Drop(0, 2);  // an elimination the board alone does not give
  const Board board = g.board;
  const CandidateTable cand = g.cand;
  EditDialogOpen();
  for (uint32_t button : {1750u, 1810u, 1930u, 1800u, 1970u, 1890u}) ASSERT_EQ(EditDialogButton(button), 1u);
  EXPECT_NE(std::memcmp(&g.board, &board, sizeof board), 0);
  // The moved candidates still describe the moved board.
  for (uint32_t c = 0; c < 81; ++c)
    if (g.board.value[c]) {
      EXPECT_EQ(g.cand.count[c], 0u) << c;
    }
  EXPECT_EQ(g.cand.total, cand.total);
  TransformBoard(760);  // the turns share the backups; the dialog keeps its own
  platform.repaints = 0;
  EditDialogClose(false);
  EXPECT_GT(platform.repaints, 0u) << "the board put back is shown";
  EXPECT_EQ(std::memcmp(&g.board, &board, sizeof board), 0);
  EXPECT_EQ(std::memcmp(&g.cand, &cand, sizeof cand), 0);

  // In the problem-making screen the solution store moves along, and OK keeps the result.
  for (uint32_t c = 0; c < 81; ++c) g.solution[c] = g.board.value[c] = 100 + c;
  g.screenMode = ModeMakeProblem;
  EditDialogOpen();
  for (uint32_t button = 1750; button <= 1980; button += 10) EditDialogButton(button);
  for (uint32_t c = 0; c < 81; ++c) ASSERT_EQ(g.solution[c], g.board.value[c]) << c;
  const Board moved = g.board;
  EditDialogClose(true);
  EXPECT_EQ(std::memcmp(&g.board, &moved, sizeof moved), 0);
}

// Each control-panel button posts its command (the generator's on the make panel only).
TEST_F(Dialogs, EveryControlPanelButtonRunsItsCommand) {
  const std::pair<uint32_t, uint32_t> buttons[] = {
      {1750, 1110}, {1760, 440},  {1770, 450},  {1780, 550},  {1790, 900},  {1800, 520},
      {1810, 530},  {1820, 560},  {1830, 460},  {1840, 470},  {1850, 540},  {1860, 860},
      {1870, 1030}, {1880, 920},  {1890, 930},  {2031, 935},  {1900, 570},  {1910, 1090},
      {1920, 1101}, {1930, 890},  {1940, 940},  {1950, 1050}, {1960, 1060}, {1970, 1121},
      {1980, 1131}, {1990, 1140}, {2000, 1045}, {2010, 910},  {2020, 1070}, {2030, 1080},
      {2032, 1132}, {2, 430},     {2033, 610},  {2036, 320},  {2034, 322},  {2035, 1230},
      {2037, 330}};
  for (uint32_t mode : {310u, 330u}) {
    ResetStartupState();
    LoadGrid(kSampleGrid);
    RunCommand(mode);
    std::vector<std::pair<uint32_t, uint32_t>> offered;
    for (const auto& [button, command] : buttons) {
      const bool generator = button == 2033 || (button >= 2034 && button <= 2037);
      const uint32_t posted = mode == 330 || !generator ? command : 0;
      EXPECT_EQ(PanelButtonCommand(PanelControl, button), posted) << button << " in mode " << mode;
      if (posted) offered.push_back({button, command});
    }
    std::vector<std::pair<uint32_t, uint32_t>> listed;
    for (const PanelButtonInfo& b : ControlPanelButtons()) {
      listed.push_back({b.button, b.command});
      EXPECT_NE(b.label, "") << b.button << " has no caption";
    }
    std::sort(offered.begin(), offered.end());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, offered) << mode;
  }
  // Single Max pressed and chosen from the menu: the same board, candidates and transcript.
  std::string shown[2];
  for (int way = 0; way < 2; ++way) {
    ResetStartupState();
    LoadGrid(kSampleGrid);
    EnterCandidateScreen();
    platform.Clear();
    const uint32_t result = way ? RunCommand(910) : PressPanelButton(PanelControl, 2010);
    shown[way] = std::to_string(result) + " " + DescribeState();
    for (const TranscriptEvent& e : platform.events) shown[way] += e.kind + "\t" + e.text + "\n";
  }
  EXPECT_EQ(shown[0], shown[1]);
  EXPECT_EQ(PressPanelButton(PanelControl, 1755), CommandUnknown);
}

TEST_F(Dialogs, PanelsPostTheirCommandsAndReopenWhereTheyWereLeft) {
  LoadGrid(kSampleGrid);
  g.settings.candCtrl = 1;
  g.settings.kanSuuji = 2;
  const std::vector<PanelButtonInfo> input = InputPanelButtons();
  ASSERT_EQ(input.size(), 9u);
  EXPECT_EQ(input[0].label, "一");
  EXPECT_EQ(input[8].command, 629u);

  RunCommand(310);
  EXPECT_STREQ(ControlPanelTitle(), "候補解析操作パネル");
  std::vector<PanelButtonInfo> buttons = ControlPanelButtons();
  EXPECT_EQ(buttons.back().label, "初期化");
  EXPECT_EQ(RememberedPanelPosition(PanelControl), kNotPlaced);
  RememberPanelPosition(PanelControl, 812, 97);
  RememberPanelPosition(PanelCandidateUsage, 40, 500);  // reopening there: the window's panel test
  EXPECT_EQ(RememberedPanelPosition(PanelControl), PackPosition(812, 97));
  EXPECT_EQ(RememberedPanelPosition(PanelTechniqueLog), PackPosition(40, 500));
  RememberPanelPosition(PanelControl, -1, -1);
  EXPECT_NE(RememberedPanelPosition(PanelControl), kNotPlaced);

  g.screenMode = ModeMakeProblem;
  buttons = ControlPanelButtons();
  EXPECT_STREQ(ControlPanelTitle(), "問題作成操作パネル");
  ASSERT_FALSE(buttons.empty());
  EXPECT_EQ(buttons.back().label, "End");
}

}  // namespace
