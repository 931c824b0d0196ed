// The frame's plain logic: gates, cursor keys, digit entry, status texts and lists.
#include <algorithm>
#include <cstring>
#include <map>
#include <tuple>
#include <vector>

#include "board/candidates.h"
#include "board/queue.h"
#include "drivers/commands.h"
#include "drivers/frame.h"
#include "drivers/menu_table.h"
#include "tests/support.h"

namespace {

// A full grid, so that the make-problem screen starts on a solution.
std::string FullGrid() {
  std::string grid;
  for (uint32_t r = 0; r < 9; ++r)
    for (uint32_t c = 0; c < 9; ++c) grid += static_cast<char>('1' + (r * 3 + r / 3 + c) % 9);
  return grid;
}

std::string StateBytes() {
  std::string s(reinterpret_cast<const char*>(&g.board), sizeof g.board);
  s.append(reinterpret_cast<const char*>(&g.cand), sizeof g.cand);
  for (uint32_t v : {g.cursorRow, g.cursorColumn, g.screenMode, g.undo.length}) s += std::to_string(v) + ",";
  return s;
}

using Frame = EngineTest;

TEST_F(Frame, CursorKeysStopOrWrapByMode) {
  g.cursorRow = 3; g.cursorColumn = 8;
  RunCommand(2640);  // Normal: nothing past the edge
  EXPECT_EQ(CursorCell(), 3u * 9 + 8);
  RunCommand(300);
  RunCommand(2640);  // Edit wraps: right into the next row, from the last cell to the first
  EXPECT_EQ(CursorCell(), 4u * 9);
  g.cursorRow = g.cursorColumn = 8;
  for (const auto& [key, expected] : std::vector<std::pair<uint32_t, uint32_t>>{
           {2640, 0}, {2650, 80}, {2630, 8}, {2620, 80}}) {
    RunCommand(key);
    EXPECT_EQ(CursorCell(), expected) << key;
  }
  g.settings.csrMove = 0;  // "ノーマル": stays at the edge
  RunCommand(2630);
  RunCommand(2640);
  EXPECT_EQ(CursorCell(), 80u);
  // "エディット": each digit key types its digit and moves on, across a row's end and from the
  // last cell to the first.
  g.settings.csrMove = 1;
  ClearBoard();
  RunCommand(340);
  g.cursorRow = g.cursorColumn = 7;
  for (const char key : std::string("12123456789")) RunCommand(KeyCommand(KeyTyped, key));
  EXPECT_EQ(BoardValues().substr(70), "12123456789");
  EXPECT_EQ(CursorCell(), 0u);
}

TEST_F(Frame, TypedDigitsBecomeInputOrAssumedOrAreRefused) {
  LoadGrid("123456780");  // the last cell of row 0 is forced to 9
  g.settings.csrMove = 0;
  auto type = [](uint32_t cell, uint32_t id) {
    g.cursorRow = cell / 9; g.cursorColumn = cell % 9;
    RunCommand(id);
  };
  type(8, 629);
  EXPECT_EQ(g.board.value[8], 9u);
  EXPECT_EQ(g.board.kind[8], static_cast<uint32_t>(KindInput));
  type(40, 623);
  EXPECT_EQ(g.board.kind[40], static_cast<uint32_t>(KindAssumed));
  platform.Clear();
  type(9, 622);  // block 0 already holds 2
  EXPECT_EQ(g.board.value[9], 0u);
  EXPECT_EQ(platform.Lines("message"), std::vector<std::string>{"確認\tそれで良いのですか？"});
  type(0, 625);  // givens cannot be typed over or emptied
  type(0, 620);
  EXPECT_EQ(g.board.value[0], 1u);
  type(40, 720);
  EXPECT_EQ(g.board.value[40], 0u);
  // The edit mode takes any digit: the board fills, but a broken column is not finished.
  LoadGrid("534678912672195348198342567859761423426853791713924856961537284287419635345286170");
  ASSERT_EQ(RunCommand(300), CommandDone);
  type(80, 628);
  EXPECT_EQ(platform.Lines("status1").back(), "空白は有りませんが…");
}

// Texts the command digest does not reach: one command on a grid shows `text` in a `kind` event.
TEST_F(Frame, CommandsShowTheirTexts) {
  const char* full = "534678912672195348198342567859761423426853791713924856961537284287419635345286170";
  struct Case { const char* grid; bool candidates; uint32_t cell, id; const char *kind, *text; };
  for (const Case& k : std::vector<Case>{
           {full, false, 80, 629, "status1", "完了です"},
           {"123456780", false, 8, 260, "message", "候補一覧\t<９>=(Sell Unique)"},
           {kSampleGrid.c_str(), false, 7, 1200, "status0", "1 を入力可能な箇所を塗りつぶしました"},
           {nullptr, false, 0, 1160, "list", "候補使用状況\t□□□｜456｜789"},
           {kSampleGrid.c_str(), true, 0, 1150, "list", "①"}}) {  // strong-link cells are circled
    ApplyDefaultSettings(g.settings);
    ResetStartupState();
    if (k.grid) LoadGrid(k.grid);
    if (k.candidates) EnterCandidateScreen();
    g.cursorRow = k.cell / 9;
    g.cursorColumn = k.cell % 9;
    platform.Clear();
    RunCommand(k.id);
    const std::vector<std::string> lines = platform.Lines(k.kind);
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const std::string& l) {
      return l.find(k.text) != std::string::npos;
    })) << k.id << " " << k.text;
  }
}

TEST_F(Frame, MarkingsEndWithTheNextCommandAndTextsGiveWayToTheModeLabel) {
  LoadGrid(kSampleGrid);
  g.cursorRow = 3; g.cursorColumn = 4;  // the given 5, free to go in the first and last cells
  const std::vector<uint32_t> kinds(g.board.kind, g.board.kind + 81);
  RunCommand(1200);
  EXPECT_EQ((std::vector<uint32_t>{g.board.kind[0], g.board.kind[80]}),
            (std::vector<uint32_t>{KindMarked, KindMarked}));
  RunCommand(2630);  // the next command ends the marking: every kind as it was
  EXPECT_EQ(std::vector<uint32_t>(g.board.kind, g.board.kind + 81), kinds);
  // So does the same-digit fill, and a click on another cell too.
  g.cursorRow = 0; g.cursorColumn = 7;
  RunCommand(740);
  EXPECT_TRUE(HighlightFill());
  SelectCell(4, 4);
  EXPECT_FALSE(HighlightFill());
  SelectCell(0, 7);
  RunCommand(740);
  RunCommand(2630);
  EXPECT_FALSE(HighlightFill());
  // The confirmed cells of a digit reach the last cell too.
  LoadGrid(FullGrid());
  g.cursorRow = 8;
  g.cursorColumn = 8;
  RunCommand(1205);
  uint32_t marked = 0;
  for (uint32_t c = 0; c < 81; ++c)
    marked += g.board.kind[c] == KindMarked && g.board.value[c] == g.board.value[80];
  EXPECT_EQ(marked, 9u);
  RunCommand(2630);

  EnterCandidateScreen();
  RunCommand(410);
  platform.Clear();
  for (int i = 0; i < 5; ++i) TimerTick();
  EXPECT_TRUE(platform.Lines("status0").empty());
  TimerTick();  // the completion text gives way to the mode label after six ticks
  EXPECT_EQ(platform.Lines("status0"), std::vector<std::string>{"＜候補表示画面＞"});
  // After a start no text is timed: the ticks leave the status bar alone.
  ResetStartupState();
  platform.Clear();
  for (int i = 0; i < 10; ++i) TimerTick();
  EXPECT_TRUE(platform.Lines("status0").empty());
}

// The digits offered on the board are the window's right-button test's.
TEST_F(Frame, RightClickOffersNothingOnAGivenAndTheCandidateTableInProblemInput) {
  LoadGrid(kSampleGrid);
  uint32_t digits[9];
  SelectCell(0, 7);  // a given: nothing to offer
  EXPECT_EQ(PopupDigits(digits), 0u);
  EXPECT_EQ(SelectCell(9, 0), 0u);  // below the board
  EXPECT_EQ(CursorCell(), 7u);
  SelectCell(0, 0);  // 5 to 9 open; in problem input the candidate table decides
  EnterCandidateScreen();
  EXPECT_EQ(PopupDigits(digits), 0u);
  RunCommand(310);
  RunCommand(340);
  Drop(0, 5);
  ASSERT_EQ(PopupDigits(digits), 4u);
  EXPECT_EQ(digits[0], 6u);
}

TEST_F(Frame, ProblemInputTakesDigitsAsGivensWithUndo) {
  ClearBoard();
  RunCommand(340);
  RunCommand(625);
  EXPECT_EQ(g.board.kind[0], static_cast<uint32_t>(KindGiven));
  ASSERT_EQ(g.undo.length, 1u);
  EXPECT_EQ(g.undo.entry[0][1], 0u * 256 + KindEmpty);
  EXPECT_EQ(platform.Lines("status1").back(), "問題数[1]");
  g.cursorRow = g.cursorColumn = 0;
  RunCommand(1232);
  EXPECT_EQ(g.board.value[0], 0u);
  // Overwritten and emptied digits come back, kind and all.
  for (uint32_t id : {629u, 627u, 620u}) {
    g.cursorRow = g.cursorColumn = 0;
    RunCommand(id);
  }
  EXPECT_EQ(g.board.value[0], 0u);
  RunCommand(1232);
  EXPECT_EQ(g.board.value[0], 7u);
  RunCommand(1232);
  EXPECT_EQ(g.board.value[0], 9u);
  EXPECT_EQ(g.board.kind[0], static_cast<uint32_t>(KindGiven));
}

// A list that never settles makes the fixed-point run give up with a warning, still ending well.
TEST_F(Frame, FixpointGivesUpWithAWarningOnAListThatNeverSettles) {
  int status = -1;
  const std::string turning = RunCli("--sample --fixpoint -r 760 -p line 2>&1", &status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(turning.find("no fixed point after 1000 passes"), std::string::npos);
  EXPECT_EQ(RunCli("--sample --fixpoint -r 910 -r 1070 2>&1").find("no fixed point"), std::string::npos);
}

bool Disabled(const HeadlessPlatform& platform, uint32_t id) {
  return std::find(platform.disabledMenus.begin(), platform.disabledMenus.end(), id) !=
         platform.disabledMenus.end();
}

TEST_F(Frame, MenuItemsAreEnabledExactlyInTheModesTheirCommandsRunIn) {
  StartFrame();
  // Start-up greys these, and whatever else would be refused in the ordinary screen.
  for (uint32_t id : {880u, 960u, 1070u, 1080u, 1170u, 610u, 320u, 322u, 1210u, 1260u, 910u, 161u, 162u,
                      163u, 164u, 165u, 166u, 167u})
    EXPECT_TRUE(Disabled(platform, id)) << id;
  for (uint32_t id : {200u, 240u, 300u, 310u, 330u, 340u, 380u, 890u, 2060u, 130u})
    EXPECT_FALSE(Disabled(platform, id)) << id;

  // Each mode entered by its own command, then the whole menu against the command gates.
  const std::pair<uint32_t, uint32_t> ways[] = {{ModeNormal, 0},          {ModeNewCreation, 240},
                                                {ModeEdit, 300},          {ModeCandidateScreen, 310},
                                                {ModeMakeProblem, 330},   {ModeProblemInput, 340}};
  for (const auto& [mode, enter] : ways) {
    LoadGrid(mode == ModeMakeProblem ? FullGrid() : std::string(kSampleGrid));
    if (enter) {
      ASSERT_EQ(RunCommand(enter), CommandDone);
    }
    ASSERT_EQ(g.screenMode, mode);
    uint32_t items = 0;
    for (uint32_t i = 0; i < kMenuRowCount; ++i) {
      const uint32_t id = kMenuRows[i].id;
      if (!id || id == 880) continue;
      ++items;
      const bool runs = (FindCommand(id)->gate & GateOf(mode)) != 0;
      EXPECT_EQ(Disabled(platform, id), !runs) << "item " << id << " in mode " << mode;
    }
    EXPECT_GT(items, 90u);
    if (mode == ModeMakeProblem) {
      for (uint32_t id : {910u, 1070u, 1080u, 1210u, 1260u}) EXPECT_FALSE(Disabled(platform, id)) << id;
    }
    // Back to the ordinary screen by the same command.
    if (enter) {
      ASSERT_EQ(RunCommand(enter), CommandDone);
    }
    ASSERT_EQ(g.screenMode, static_cast<uint32_t>(ModeNormal));
    for (uint32_t id : {1260u, 910u}) EXPECT_TRUE(Disabled(platform, id)) << id;
  }
  // "メモリ復帰" waits for something to restore, then stays available in every mode.
  EXPECT_TRUE(Disabled(platform, 880));
  RunCommand(870);
  EXPECT_FALSE(Disabled(platform, 880));
  RunCommand(310);
  EXPECT_FALSE(Disabled(platform, 880));
  for (uint32_t mode = ModeNormal; mode <= ModeProblemInput; ++mode)
    EXPECT_TRUE(MenuItemEnabled(880, mode));
}

// The analysis screens refuse drops; leaving one takes them again and closes the usage list.
TEST_F(Frame, LeavingAnAnalysisScreenTakesDropsAgainAndClosesTheUsageWindow) {
  for (uint32_t enter : {310u, 340u, 330u}) {
    LoadGrid(enter == 330 ? FullGrid() : std::string(kSampleGrid));
    ASSERT_EQ(g.acceptDrops, 1u) << enter;
    ASSERT_EQ(RunCommand(enter), CommandDone);
    ASSERT_NE(g.screenMode, static_cast<uint32_t>(ModeNormal)) << enter;
    EXPECT_EQ(g.acceptDrops, 0u) << enter;
    RunCommand(1160);
    ASSERT_EQ(g.usageView, 1u) << enter;
    RunCommand(enter);
    ASSERT_EQ(g.screenMode, static_cast<uint32_t>(ModeNormal));
    EXPECT_EQ(g.usageView, 0u) << enter;
    // A technique command later fills no usage list.
    platform.Clear();
    RunCommand(380);
    EXPECT_TRUE(platform.Lines("list").empty()) << enter;
  }
  EXPECT_EQ(g.acceptDrops, 1u);
}

TEST_F(Frame, TheCursorStatusFollowsGlyphsEmptiedCellsAndTheMakeProblemCursor) {
  LoadGrid(kSampleGrid);
  RunCommand(280);  // "候補表示"
  g.cursorRow = 0;
  g.cursorColumn = 0;
  RunCommand(2640);
  RunCommand(2650);
  EXPECT_EQ(g.status0, "<５ ６ ７ ８ ９>");
  RunCommand(730);  // Ctrl+A: the next glyph set shows at once
  EXPECT_EQ(g.status0, "<５ ６ ７ ８ ９>");
  RunCommand(730);
  EXPECT_EQ(g.status0, "<五 六 七 八 九>");
  g.settings.kanSuuji = 0;
  RunCommand(625);  // a 5 typed here, the cursor moves on; back and empty it again
  RunCommand(2650);
  EXPECT_EQ(g.status0, "候補無し");
  RunCommand(620);
  EXPECT_EQ(g.status0, "<５ ６ ７ ８ ９>");

  RunCommand(280);
  LoadGrid(FullGrid());
  RunCommand(330);
  ASSERT_EQ(g.screenMode, static_cast<uint32_t>(ModeMakeProblem));
  EXPECT_EQ(g.status0, "＜問題の作成＞ [1]");
  RunCommand(2640);
  EXPECT_EQ(g.status0, "＜問題の作成＞ [2]");
  RunCommand(2630);
  EXPECT_EQ(g.status0, "＜問題の作成＞ [5]");
  SelectCell(8, 8);
  EXPECT_EQ(g.status0, Format("＜問題の作成＞ [%u]", g.solution[80]));
  // Clearing takes the given away and puts it back; undo reverses each in turn.
  const uint32_t digit = g.solution[80];
  for (const auto& [id, value, kind] : std::vector<std::tuple<uint32_t, uint32_t, uint32_t>>{
           {620, 0, KindEmpty}, {620, digit, KindGiven}, {1232, 0, KindEmpty}, {1232, digit, KindGiven}}) {
    RunCommand(id);
    EXPECT_EQ(std::make_pair(g.board.value[80], g.board.kind[80]), std::make_pair(value, kind)) << id;
  }
  // Leaving counts the empty cells twice: before and after the emptied cells become empty kinds.
  RunCommand(620);
  platform.Clear();
  RunCommand(330);
  ASSERT_EQ(g.screenMode, static_cast<uint32_t>(ModeNormal));
  EXPECT_EQ(platform.Lines("status1"), (std::vector<std::string>{"空白残り[1]", "空白残り[1]"}));
}

}  // namespace

// Every screen's toolbar, each button a menu command with its tip; every menu item and key too.
TEST(Toolbars, EveryScreensButtonsTheirTipsAndEveryMenuAndKeyReachACommand) {
  const char* const bars[] = {
      "| 950 400 390 380 430 | 310 260",                              // normal
      "| 950 400 390 380 430 | 310 260",                              // new
      "| 320 360 350 430 | 950 1230",                                 // edit
      "| 840 | 890 470 460 530 450 520 440 | 430 310",                // candidate
      "| 220 230 | 1230 | 890 470 460 530 450 520 440 | 430 950 410",  // make
      "| 220 230 | 1230 | 890 470 460 530 450 520 440 | 430 950 410"}; // input
  for (uint32_t mode = ModeNormal; mode <= ModeProblemInput; ++mode) {
    std::string bar;
    for (const uint32_t* b = ToolbarButtons(ToolbarForMode(mode)); *b != kToolbarEnd; ++b) {
      bar += (bar.empty() ? "" : " ") + (*b ? std::to_string(*b) : std::string("|"));
      if (*b) {
        EXPECT_NE(FindCommand(*b), nullptr) << *b;
      }
    }
    EXPECT_EQ(bar, bars[mode]) << "mode " << mode;
  }
  const std::pair<uint32_t, const char*> tips[] = {
      {950, "自動限界"},     {1230, "UNDO"},         {380, "Block unique"}, {390, "Line unique"},
      {400, "Sell unique"},  {430, "自動数消去"},    {890, "Locked candidates"},
      {470, "Sword fish"},   {460, "X-Wing"},        {520, "Hidden Pair"},
      {530, "Hidden Triple"}, {840, "結果反映"},     {220, "Save"},
      {310, "候補画面"},     {260, "候補確認"},      {320, "自動消去"},     {440, "Naked Pair"},
      {450, "Naked Triple"}, {410, "完成確認"}};
  for (const auto& [id, tip] : tips) EXPECT_EQ(ToolbarTip(id), tip) << id;
  // Every menu item and every key reaches a command of the tables.
  std::vector<uint32_t> ids;
  for (uint32_t i = 0; i < kMenuRowCount; ++i) ids.push_back(kMenuRows[i].id);
  for (uint32_t code = 1; code <= 26; ++code) ids.push_back(KeyCommand(KeyControl, code));
  for (uint32_t key = VkUp; key <= VkSpace; ++key) ids.push_back(KeyCommand(KeyVirtual, key));
  for (uint32_t ch = 32; ch < 127; ++ch) ids.push_back(KeyCommand(KeyTyped, ch));
  for (uint32_t id : ids) EXPECT_TRUE(id == 0 || FindCommand(id) != nullptr) << id;
}

// The headless platform recording the toolbar asked for last.
class RepaintCounter final : public HeadlessPlatform {
 public:
  uint32_t toolbar = kNoToolbar;
  static constexpr uint32_t kNoToolbar = 99;
  void ShowToolbar(uint32_t mode) override { toolbar = mode; }
};

// Every command in every mode: a refused one changes and shows nothing, a change repaints; all
// that each shows and leaves is pinned per setup and mode in tests/commands.digest.
TEST_F(Frame, ARefusedCommandChangesNothingAndAChangeRepaints) {
  RepaintCounter counter;
  SetPlatform(&counter);
  const std::string folder = TempDir();
  g.exeDir = folder;  // the collection file of 2670
  std::map<uint32_t, std::string> digests;
  auto shown = [] {
    std::string s(reinterpret_cast<const char*>(g.board.value), sizeof g.board.value);
    s.append(reinterpret_cast<const char*>(g.board.kind), sizeof g.board.kind);
    // The candidates show in the candidate screens only.
    if (IsAnalysisMode()) s.append(reinterpret_cast<const char*>(g.cand.flag), sizeof g.cand.flag);
    return s + std::to_string(g.cursorRow) + "," + std::to_string(g.cursorColumn);
  };
  size_t refused = 0, changing = 0;
  // Twice: the sample, cursor in the middle; the hard puzzle, last cell, detailed log, glyph set 3.
  for (const uint32_t setup : {0u, 1u})
  for (uint32_t mode = ModeNormal; mode <= ModeProblemInput; ++mode)
    for (const CommandEntry* t : {kFrameCommands, kTechniqueCommands, kReadCommands,
                                  kWriteCommands, kEditCommands, kGeneratorCommands})
      for (const CommandEntry* e = t; e->id; ++e) {
        // 240's question box repaints what lay under it; it asks for no repaint of its own.
        const bool runs = (e->gate & GateOf(mode)) != 0;
        if (runs && e->id == 240) continue;
        LoadGrid(setup == 0 ? kSampleGrid : kHardPuzzle);
        const uint32_t typed = setup == 0 ? 0 : 79;
        g.board.value[typed] = 9;
        g.board.kind[typed] = KindInput;
        g.screenMode = mode;
        ComputeCandidates();
        g.cursorRow = g.cursorColumn = setup == 0 ? 4 : 8;
        if (setup == 1) g.settings.candErase = 2, g.settings.kanSuuji = 3;
        SeedRandom(5);
        const std::string before = shown(), bytes = StateBytes();
        counter.repaints = 0;
        counter.toolbar = RepaintCounter::kNoToolbar;
        counter.Clear();
        const uint32_t result = RunCommand(e->id);
        SCOPED_TRACE(testing::Message() << "command " << e->id << " in mode " << mode << ", setup " << setup);
        Fnv digest;
        digest.Mix(std::to_string(result));
        for (const TranscriptEvent& event : counter.events) {
          std::string text = event.text;
          for (size_t at; (at = text.find(folder)) != std::string::npos;) text.replace(at, folder.size(), "FOLDER/");
          digest.Mix(event.kind + "\t" + text);
        }
        digest.Mix(StateBytes());
        digests[e->id] += " " + (runs ? digest.Hex().substr(0, 8) : std::string("-"));
        if (!runs) {
          ++refused;
          EXPECT_EQ(result, CommandRefused);
          EXPECT_TRUE(StateBytes() == bytes);
          EXPECT_TRUE(counter.events.empty());
        } else if (shown() != before) {
          ++changing;
          EXPECT_GT(counter.repaints, 0u);
        }
        if (runs && ToolbarForMode(g.screenMode) != ToolbarForMode(mode)) {
          ASSERT_NE(counter.toolbar, RepaintCounter::kNoToolbar);
          EXPECT_EQ(ToolbarForMode(counter.toolbar), ToolbarForMode(g.screenMode));
        }
      }
  SetPlatform(&platform);
  g.exeDir.clear();
  EXPECT_GT(refused, 100u);
  EXPECT_GT(changing, 50u);
  std::string table;
  for (const auto& [id, line] : digests) table += std::to_string(id) + line + "\n";
  ExpectRecordedTable("commands.digest", table);
}
