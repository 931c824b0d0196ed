// Puzzle writers: byte-exact layouts, round trips through the readers, the never-overwrite
// rule, automatic names, the collection file and the candidate file.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "board/candidates.h"
#include "board/platform.h"
#include "drivers/commands.h"
#include "io/layout.h"
#include "io/read.h"
#include "io/settings.h"
#include "io/write.h"
#include "tests/support.h"

namespace {

std::string GoldenDir() {
  std::string here = __FILE__;
  return here.substr(0, here.find_last_of('/')) + "/golden/";
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::string FreshDir() {
  char dir[] = "/tmp/vorel-write-XXXXXX";
  const char* made = mkdtemp(dir);
  return made ? std::string(made) + "/" : std::string("/tmp/");
}

std::string Utf16Text(const std::string& utf8) {
  const std::vector<uint8_t> b = Utf16le(utf8);
  return std::string(b.begin(), b.end());
}

bool Contains(const std::vector<uint8_t>& hay, const std::string& utf8) {
  const std::string h(hay.begin(), hay.end());
  return h.find(Utf16Text(utf8)) != std::string::npos;
}

const char* const kPuzzle =
    "000000010400000000020000000000050407008000300001090000300400200050100000000806000";

class WriterTest : public EngineTest {
 protected:
  std::string dir;
  void SetUp() override {
    EngineTest::SetUp();
    dir = FreshDir();
    g.exeDir = dir;
  }
  void TearDown() override {
    g.exeDir.clear();
    EngineTest::TearDown();
  }
  uint32_t Save(uint32_t command, const std::string& path) {
    platform.fileChoices.push_back(path);
    return RunCommand(command);
  }
  std::vector<std::string> Messages() const { return platform.Lines("message"); }
};

TEST_F(WriterTest, LayoutsMatchGoldenFilesByteForByte) {
  ClearBoard();
  EXPECT_EQ(PrintLayoutBytes(), ReadBytes(GoldenDir() + "print_empty.txt"));
  EXPECT_EQ(PrintLayoutBytes().size(), 798u);

  g.board.value[0] = 5, g.board.kind[0] = KindGiven;
  g.board.value[4] = 7, g.board.kind[4] = KindGiven;
  EXPECT_EQ(PlainLayoutBytes(false), ReadBytes(GoldenDir() + "plain_row0.txt"));

  ClearBoard();
  g.board.value[0] = 5, g.board.kind[0] = KindGiven;
  EXPECT_EQ(HtmlLayoutBytes(false), ReadBytes(GoldenDir() + "html_given5.html"));

  ClearBoard();
  ComputeCandidates();
  const std::vector<uint8_t> html = HtmlLayoutBytes(true);
  EXPECT_EQ(html, ReadBytes(GoldenDir() + "html_candidates_empty.html"));
  EXPECT_TRUE(Contains(html, "<font color=\"#f0f000\">123<BR>456789</TD>\n"));
  EXPECT_EQ(CandidatePrintLayoutBytes(), ReadBytes(GoldenDir() + "candidate_print_empty.txt"));
}

TEST_F(WriterTest, PlainLayoutWritesProblemOnlyOutsideTheCandidateScreen) {
  LoadGrid(kPuzzle);
  g.board.value[0] = 9, g.board.kind[0] = KindAuto;
  g.board.value[1] = 8, g.board.kind[1] = KindInput;
  EXPECT_EQ(PlainLayoutLines(false)[0], "000 000 010");
  // In the candidate screen: automatic "(d)", input as a digit, empty cells with candidates.
  ComputeCandidates();
  for (uint32_t d = 0; d < 9; ++d) g.cand.flag[2 * 9 + d] = d == 1 || d == 4 || d == 7;
  EXPECT_EQ(PlainLayoutLines(true)[0].substr(0, 9), "(9)8(258)");
}

TEST_F(WriterTest, HtmlColoursBackgroundsAndGlyphSets) {
  ClearBoard();
  g.board.value[0] = 5, g.board.kind[0] = KindGiven;
  g.board.value[3] = 6, g.board.kind[3] = KindInput;
  g.board.value[30] = 7, g.board.kind[30] = KindAssumed;
  g.board.value[31] = 1, g.board.kind[31] = KindAuto;
  g.settings.number = 9, g.settings.input = 12, g.settings.kari = 4, g.settings.calc = 0;
  std::vector<uint8_t> html = HtmlLayoutBytes(false);
  EXPECT_TRUE(Contains(html, "<TD bgcolor=\"#d0d0d0\"><font color=\"#0000f0\" size=\"+2\">５<"));
  EXPECT_TRUE(Contains(html, "<TD bgcolor=\"#f0f0f0\"><font color=\"#f00000\" size=\"+2\">６<"));
  EXPECT_TRUE(Contains(html, "<TD bgcolor=\"#d0d0d0\"><font color=\"#800000\" size=\"+2\">７<"));
  EXPECT_TRUE(Contains(html, "<TD bgcolor=\"#d0d0d0\"><font color=\"#000000\" size=\"+2\">１<"));

  g.settings.kanSuuji = 2;
  EXPECT_TRUE(Contains(HtmlLayoutBytes(false), ">五</font>"));
  // A custom glyph outside the basic plane is written as its surrogate pair.
  g.settings.kanSuuji = 6;
  g.settings.customText = "　𠀋ろはにほてとちりぬ";
  g.settings.customGlyph = SplitCustomText(g.settings.customText);
  html = HtmlLayoutBytes(false);
  EXPECT_TRUE(Contains(html, ">ほ</font>"));
  const std::string pair = "\x40\xD8\x0B\xDC";
  EXPECT_NE(std::string(html.begin(), html.end()).find(pair), std::string::npos);
}

TEST_F(WriterTest, SavedFilesReadBackThroughTheReaders) {
  LoadGrid(kPuzzle);
  g.board.value[0] = 9, g.board.kind[0] = KindInput;
  const Board before = g.board;

  ASSERT_EQ(Save(210, dir + "plain.txt"), CommandDone);
  EXPECT_EQ(g.title, "《Kelmo》 - plain");
  ASSERT_EQ(Save(225, dir + "board.bin"), CommandDone);
  EXPECT_EQ(ReadBytes(dir + "board.bin").size(), 168u);

  ClearBoard();
  ASSERT_EQ(ReadPuzzleFromPath(dir + "board.bin"), 1u);
  EXPECT_EQ(0, std::memcmp(g.board.value, before.value, sizeof before.value));
  EXPECT_EQ(0, std::memcmp(g.board.kind, before.kind, sizeof before.kind));

  ASSERT_EQ(ReadPuzzleFromPath(dir + "plain.txt"), 1u);
  EXPECT_EQ(LineLayout(), kPuzzle);  // the plain layout keeps the givens only

  // Creation state: values, kinds and the solution grid.
  g.board = before;
  g.board.kind[5] = KindHint;  // written as an empty cell, never as a non-digit
  for (uint32_t c = 0; c < 81; ++c) g.solution[c] = 1 + (c * 7) % 9;
  uint32_t solution[81];
  std::memcpy(solution, g.solution, sizeof solution);
  g.screenMode = ModeMakeProblem;
  ASSERT_EQ(Save(220, dir + "state.txt"), CommandDone);
  std::memset(g.solution, 0, sizeof g.solution);
  const std::vector<uint8_t> state = ReadBytes(dir + "state.txt");
  EXPECT_EQ(ParseCreationState(state.data(), state.size()), 243u);
  EXPECT_EQ(0, std::memcmp(g.board.value, before.value, sizeof before.value));
  EXPECT_EQ(g.board.kind[5], uint32_t{KindEmpty});
  EXPECT_EQ(g.board.kind[0], uint32_t{KindInput});
  EXPECT_EQ(0, std::memcmp(g.solution, solution, sizeof solution));
}

TEST_F(WriterTest, WritersNeverOverwrite) {
  const std::string path = WriteTempFile("taken.txt", "precious");
  LoadGrid(kPuzzle);
  for (uint32_t command : {210u, 225u}) {
    platform.Clear();
    ASSERT_EQ(Save(command, path), CommandDone);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "エラーまたは同名ファイルが存在します\t" + path);
  }
  const std::vector<uint8_t> kept = ReadBytes(path);
  EXPECT_EQ(std::string(kept.begin(), kept.end()), "precious");
  // A folder that does not exist is the same failure.
  platform.Clear();
  Save(210, dir + "missing/x.txt");
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(WriterTest, AutomaticNamesCountUpAndRefuseTakenNames) {
  g.settings.initialDir = dir;
  g.settings.autoSaveFileNameFlag = 1;
  g.settings.autoSaveCount = 7;
  g.settings.saveFormat = 1;  // automatic names always write the plain layout
  EXPECT_EQ(AutoNameFile(), dir + "SaveFile007.txt");
  LoadGrid(kPuzzle);
  ASSERT_EQ(RunCommand(210), CommandDone);
  EXPECT_EQ(g.settings.autoSaveCount, 8);
  EXPECT_EQ(ReadBytes(dir + "SaveFile007.txt"), PlainLayoutBytes(false));
  g.settings.autoSaveCount = 7;
  RunCommand(210);
  EXPECT_EQ(g.settings.autoSaveCount, 7);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], "エラーまたは同名ファイルが存在します\t" + dir + "SaveFile007.txt");
  g.settings.autoSaveDigit = 5;
  g.settings.initialDir = "/data/puzzles/";
  EXPECT_EQ(AutoNameFile(), "/data/puzzles/SaveFile00007.txt");
}

TEST_F(WriterTest, SaveInEditModeAsksAndLeavesTheMode) {
  ASSERT_EQ(RunCommand(300), CommandDone);
  platform.answer = AnswerCancel;
  RunCommand(210);
  EXPECT_EQ(g.screenMode, uint32_t{ModeEdit});
  EXPECT_EQ(platform.Lines("message").back(),
            "編集作業中\t作業を終了してファイルに保存しますか？\tcancel");
  platform.answer = AnswerOk;
  Save(210, dir + "edit.txt");
  EXPECT_EQ(g.screenMode, uint32_t{ModeNormal});
  EXPECT_EQ(ReadBytes(dir + "edit.txt").size(), 2u + 9 * 13 * 2);
}

TEST_F(WriterTest, CollectionFileCollectsPuzzlesForPaging) {
  const std::string second =
      "100000000000000000000000000000000000000000000000000000000000000000000000000000009";
  g.settings.copySaveMode = 1;
  g.undo.length = 3;
  platform.clipboard = {{ClipText, std::vector<uint8_t>(kPuzzle, kPuzzle + 81)}};
  ASSERT_EQ(RunCommand(240), CommandDone);
  ASSERT_EQ(RunCommand(960), CommandDone);
  EXPECT_EQ(g.undo.length, 0u);
  LoadGrid(second);
  RunCommand(2670);
  const std::vector<uint8_t> file = ReadBytes(CollectionPath());
  EXPECT_EQ(file.size(), 2u * 238);
  // The paging reader steps through both.
  ASSERT_EQ(ReadPuzzleFromPath(CollectionPath()), 1u);
  EXPECT_EQ(LineLayout(), kPuzzle);
  RunCommand(1020);
  EXPECT_EQ(LineLayout(), second);

  // Mode 2 puts a block-order text into row order before appending.
  g.settings.copySaveMode = 2;
  std::string blocks(81, '0');
  for (uint32_t k = 0; k < 9; ++k) blocks[k] = static_cast<char>('1' + k);
  platform.clipboard = {{ClipText, std::vector<uint8_t>(blocks.begin(), blocks.end())}};
  RunCommand(960);
  EXPECT_EQ(LineLayout().substr(0, 27), "123000000456000000789000000");
  EXPECT_EQ(ReadBytes(CollectionPath()).size(), 3u * 238);

  g.settings.copySaveMode = 0;
  RunCommand(960);
  EXPECT_EQ(ReadBytes(CollectionPath()).size(), 3u * 238);
}

TEST_F(WriterTest, CandidateFileRestoresASavedAnalysisState) {
  LoadGrid(kPuzzle);
  EnterCandidateScreen();
  // Thin some candidates by hand and place one automatic digit.
  for (uint32_t c : {0u, 20u, 44u}) {
    for (uint32_t d = 0; d < 9; ++d)
      if (g.cand.flag[c * 9 + d] && g.cand.count[c] > 2) {
        g.cand.flag[c * 9 + d] = 0;
        --g.cand.count[c];
        --g.cand.total;
      }
  }
  g.board.value[80] = 9, g.board.kind[80] = KindAuto;
  g.cand.total -= g.cand.count[80];
  g.cand.count[80] = 0;
  for (uint32_t d = 0; d < 9; ++d) g.cand.flag[80 * 9 + d] = 0;
  ASSERT_EQ(Save(210, dir + "cands.txt"), CommandDone);
  // "(d)" reads back as the automatic digit d, so an empty cell left with one candidate
  // returns placed.
  uint32_t single = 81;
  for (uint32_t c = 0; c < 81 && single == 81; ++c)
    if (g.board.value[c] == 0 && g.cand.count[c] == 1) single = c;
  ASSERT_LT(single, 81u);
  for (uint32_t d = 0; d < 9; ++d)
    if (g.cand.flag[single * 9 + d]) g.board.value[single] = d + 1, g.cand.flag[single * 9 + d] = 0;
  g.cand.count[single] = 0;
  const std::string state = DescribeState();
  const uint32_t total = g.cand.total - 1;

  ResetStartupState();
  LoadGrid(kPuzzle);
  EnterCandidateScreen();
  platform.Clear();
  ASSERT_EQ(Save(1240, dir + "cands.txt"), CommandDone);
  EXPECT_EQ(DescribeState(), state);
  EXPECT_EQ(g.cand.total, total);
  EXPECT_EQ(g.board.kind[80], uint32_t{KindAuto});
  EXPECT_EQ(g.board.kind[single], uint32_t{KindAuto});
  EXPECT_EQ(g.board.kind[7], uint32_t{KindGiven});
  EXPECT_EQ(CandidateInvariantError(), "");
  EXPECT_EQ(platform.Lines("status1").back(), "全候補数[" + std::to_string(total) + "]");
}

TEST_F(WriterTest, CommandsRunOnlyInTheirModes) {
  LoadGrid(kPuzzle);
  EXPECT_EQ(RunCommand(1240), CommandRefused);
  EXPECT_EQ(RunCommand(220), CommandRefused);
  ASSERT_EQ(RunCommand(962), CommandDone);
  ASSERT_EQ(platform.Lines("clipboard").size(), 1u);
  EXPECT_EQ(platform.Lines("clipboard")[0], kPuzzle);
  EXPECT_EQ(platform.Lines("message").back(), "複写完了\tクリップボードに保存しました");
  EnterCandidateScreen();
  EXPECT_EQ(RunCommand(962), CommandRefused);
  ClearBoard();
  std::vector<uint8_t> empty(81, '0');
  empty.push_back(0);
  EXPECT_EQ(ClipboardBytes(), empty);
}

TEST(WriterCli, PrintsPrintAndHtmlLayouts) {
  const std::string out = RunCli("-t --sample -p print");
  EXPECT_NE(out.find("board\t┃　│　│　┃　│　│　┃　│１│　┃\n"), std::string::npos);
  const std::string html = RunCli("-t --sample -m candidate -p html");
  EXPECT_NE(html.find("board\t<HTML>\n"), std::string::npos);
  EXPECT_NE(html.find("board\t<TD bgcolor=\"#d0d0d0\"><font color=\"#f0f000\">567<BR>89</TD>\n"),
            std::string::npos);
}

}  // namespace
