// Puzzle writers: layouts, round trips, no overwriting, automatic names, collection and candidates.
#include <algorithm>
#include <cstring>
#include <fstream>

#include "board/candidates.h"
#include "board/platform.h"
#include "drivers/commands.h"
#include "drivers/file_commands.h"
#include "io/layout.h"
#include "io/read.h"
#include "io/settings.h"
#include "io/write.h"
#include "tests/support.h"

namespace {

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::vector<uint8_t> Golden(const std::string& name) {
  const std::string here = __FILE__;
  return ReadBytes(here.substr(0, here.find_last_of('/')) + "/golden/" + name);
}

// The UTF-16 text holds the given text.
bool Contains(const std::vector<uint8_t>& text, const std::string& utf8) {
  const std::vector<uint8_t> part = Utf16le(utf8);
  return std::search(text.begin(), text.end(), part.begin(), part.end()) != text.end();
}

const std::string kTaken = "エラーまたは同名ファイルが存在します\t";

class WriterTest : public EngineTest {
 protected:
  std::string dir;
  void SetUp() override {
    EngineTest::SetUp();
    dir = TempDir();
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
};

TEST_F(WriterTest, LayoutsMatchGoldenFilesByteForByte) {
  ClearBoard();
  EXPECT_EQ(PrintLayoutBytes(), Golden("print_empty.txt"));
  g.board.value[0] = 5, g.board.kind[0] = KindGiven;
  EXPECT_EQ(HtmlLayoutBytes(false), Golden("html_given5.html"));
  g.board.value[4] = 7, g.board.kind[4] = KindGiven;
  EXPECT_EQ(PlainLayoutBytes(false), Golden("plain_row0.txt"));
  ClearBoard();
  ComputeCandidates();
  EXPECT_EQ(HtmlLayoutBytes(true), Golden("html_candidates_empty.html"));
  EXPECT_EQ(CandidatePrintLayoutBytes(), Golden("candidate_print_empty.txt"));
}

// Every digit of every kind (rows 1 to 4: given, input, assumed, automatic) in every layout.
TEST_F(WriterTest, EveryDigitOfEveryKindInEveryLayout) {
  ClearBoard();
  const uint32_t kinds[4] = {KindGiven, KindInput, KindAssumed, KindAuto};
  for (uint32_t r = 0; r < 4; ++r)
    for (uint32_t c = 0; c < 9; ++c)
      g.board.value[r * 9 + c] = c + 1, g.board.kind[r * 9 + c] = kinds[r];
  const std::vector<std::string> givens = PlainLayoutLines(false);
  EXPECT_EQ(givens[0], "123 456 789");
  for (uint32_t r = 1; r < 4; ++r) EXPECT_EQ(givens[r], "000 000 000") << r;
  // The clipboard text likewise, with its terminating NUL.
  const std::string clip = "123456789" + std::string(72, '0');
  EXPECT_EQ(ClipboardBytes(), std::vector<uint8_t>(clip.c_str(), clip.c_str() + 82));
  ComputeCandidates();
  const std::vector<std::string> screen = PlainLayoutLines(true);
  for (uint32_t r = 0; r < 3; ++r) EXPECT_EQ(screen[r], "123 456 789") << r;
  EXPECT_EQ(screen[3], "(1)(2)(3) (4)(5)(6) (7)(8)(9)");
  // In the candidate screen empty cells show their candidates.
  for (uint32_t d = 0; d < 9; ++d) Flag(40, d) = d == 1 || d == 4 || d == 7;
  EXPECT_NE(PlainLayoutLines(true)[4].find(")(258)("), std::string::npos);

  g.settings.number = 9, g.settings.input = 12, g.settings.kari = 4, g.settings.calc = 0;
  const std::vector<uint8_t> html = HtmlLayoutBytes(false);
  const char* const colours[4] = {"#0000f0", "#f00000", "#800000", "#000000"};
  const char* const glyphs[9] = {"１", "２", "３", "４", "５", "６", "７", "８", "９"};
  for (uint32_t r = 0; r < 4; ++r)
    for (uint32_t d = 0; d < 9; ++d)
      EXPECT_TRUE(Contains(html, std::string("<font color=\"") + colours[r] + "\" size=\"+2\">" +
                                     glyphs[d] + "<"))
          << "kind " << kinds[r] << " digit " << d + 1;
  g.settings.kanSuuji = 2;
  EXPECT_TRUE(Contains(HtmlLayoutBytes(false), ">五</font>"));
  // A custom glyph outside the basic plane is written as its surrogate pair.
  g.settings.kanSuuji = 6;
  g.settings.customGlyph = SplitCustomText("　𠀋ろはにほてとちりぬ");
  const std::vector<uint8_t> custom = HtmlLayoutBytes(false);
  EXPECT_TRUE(Contains(custom, ">ほ</font>"));
  EXPECT_NE(std::string(custom.begin(), custom.end()).find("\x40\xD8\x0B\xDC"), std::string::npos);
}

TEST_F(WriterTest, SavedFilesReadBackThroughTheReaders) {
  LoadGrid(kSampleGrid);
  g.board.value[0] = 9, g.board.kind[0] = KindInput;
  const Board before = g.board;
  ASSERT_EQ(Save(210, dir + "plain.txt"), CommandDone);
  EXPECT_EQ(g.title, "《Kelmo》 - plain");
  ASSERT_EQ(Save(225, dir + "board.bin"), CommandDone);
  EXPECT_EQ(ReadBytes(dir + "board.bin").size(), 168u);
  ClearBoard();
  ASSERT_EQ(ReadPuzzleFromPath(dir + "board.bin"), 1u);
  EXPECT_EQ(0, std::memcmp(&g.board, &before, sizeof before));
  ASSERT_EQ(ReadPuzzleFromPath(dir + "plain.txt"), 1u);
  EXPECT_EQ(LineLayout(), kSampleGrid);  // the plain layout keeps the givens only

  // The creation state keeps values, kinds and the solution; a hint mark is written as empty.
  g.board = before;
  g.board.kind[5] = KindHint;
  for (uint32_t c = 0; c < 81; ++c) g.solution[c] = 1 + (c * 7) % 9;
  const std::vector<uint32_t> solution(g.solution, g.solution + 81);
  g.screenMode = ModeMakeProblem;
  ASSERT_EQ(Save(220, dir + "state.txt"), CommandDone);
  // Three grids of nine rows, a blank line between, each row in groups of three.
  const std::vector<std::string> lines = CreationStateLines();
  ASSERT_EQ(lines.size(), 29u);
  EXPECT_TRUE(Contains(ReadBytes(dir + "state.txt"), "\r\n186 429 753\r\n")) << lines[20];
  std::memset(g.solution, 0, sizeof g.solution);
  g.undo.length = 2;
  ASSERT_EQ(Save(230, dir + "state.txt"), CommandDone);
  EXPECT_EQ(0, std::memcmp(&g.board, &before, sizeof before));  // the hint mark read as empty
  EXPECT_EQ(std::vector<uint32_t>(g.solution, g.solution + 81), solution);
  EXPECT_EQ(g.undo.length, 0u);
  EXPECT_EQ(g.title, "《Kelmo》 - state");
}

TEST_F(WriterTest, WritersNeverOverwrite) {
  const std::string taken = WriteTempFile("taken.txt", "precious");
  LoadGrid(kSampleGrid);
  // A folder that does not exist is the same failure.
  for (const auto& [command, path] : std::vector<std::pair<uint32_t, std::string>>{
           {210, taken}, {225, taken}, {210, dir + "missing/x.txt"}}) {
    platform.Clear();
    ASSERT_EQ(Save(command, path), CommandDone);
    EXPECT_EQ(platform.Lines("message"), std::vector<std::string>{kTaken + path});
  }
  EXPECT_EQ(ReadBytes(taken), std::vector<uint8_t>({'p', 'r', 'e', 'c', 'i', 'o', 'u', 's'}));
}

// The chosen save format decides the layout in both screens, and the chooser's extension.
TEST_F(WriterTest, SaveWritesTheLayoutOfTheChosenFormat) {
  LoadGrid(kSampleGrid);
  for (bool candidates : {false, true}) {
    if (candidates) EnterCandidateScreen();
    const std::vector<uint8_t> layouts[3] = {
        PlainLayoutBytes(candidates),
        candidates ? CandidatePrintLayoutBytes() : PrintLayoutBytes(),
        HtmlLayoutBytes(candidates)};
    for (int32_t format = 0; format < 3; ++format) {
      g.settings.saveFormat = format;
      const std::string path = dir + "f" + std::to_string(format) + std::to_string(candidates);
      ASSERT_EQ(Save(210, path), CommandDone);
      EXPECT_EQ(ReadBytes(path), layouts[format]) << format << candidates;
      ASSERT_FALSE(platform.fileRequests.empty());
      EXPECT_EQ(platform.fileRequests.back().defaultExtension, format == 2 ? "html" : "txt");
    }
  }
}

TEST_F(WriterTest, AutomaticNamesCountUpAndRefuseTakenNames) {
  g.settings.initialDir = dir;
  g.settings.autoSaveFileNameFlag = 1;
  g.settings.autoSaveCount = 7;
  g.settings.saveFormat = 1;  // automatic names always write the plain layout
  EXPECT_EQ(AutoNameFile(), dir + "SaveFile007.txt");
  LoadGrid(kSampleGrid);
  ASSERT_EQ(RunCommand(210), CommandDone);
  EXPECT_EQ(g.settings.autoSaveCount, 8);
  EXPECT_EQ(ReadBytes(dir + "SaveFile007.txt"), PlainLayoutBytes(false));
  g.settings.autoSaveCount = 7;
  RunCommand(210);
  EXPECT_EQ(g.settings.autoSaveCount, 7);
  EXPECT_EQ(platform.Lines("message"), std::vector<std::string>{kTaken + dir + "SaveFile007.txt"});
  // Widths 1..8 are taken; one outside them gives the default three digits.
  g.settings.initialDir = "/data/puzzles/";
  for (const auto& [digits, name] : std::vector<std::pair<int32_t, const char*>>{
           {5, "SaveFile00007"}, {1, "SaveFile7"}, {8, "SaveFile00000007"},
           {0, "SaveFile007"}, {9, "SaveFile007"}}) {
    g.settings.autoSaveDigit = digits;
    EXPECT_EQ(AutoNameFile(), std::string("/data/puzzles/") + name + ".txt") << digits;
  }
}

// Saving from the edit screen asks first; a cancelled question keeps the edit going.
TEST_F(WriterTest, SaveInEditModeKeepsEditingWhenTheQuestionIsCancelled) {
  ASSERT_EQ(RunCommand(300), CommandDone);
  platform.answer = AnswerCancel;
  RunCommand(210);
  EXPECT_EQ(g.screenMode, uint32_t{ModeEdit});
}

TEST_F(WriterTest, CollectionFileCollectsPuzzlesForPaging) {
  const auto paste = [this](const std::string& text, int32_t mode) {
    g.settings.copySaveMode = mode;
    platform.clipboard = {{ClipText, std::vector<uint8_t>(text.begin(), text.end())}};
    return RunCommand(960);
  };
  const std::string second = "1" + std::string(79, '0') + "9";
  g.undo.length = 3;
  ASSERT_EQ(RunCommand(240), CommandDone);
  ASSERT_EQ(paste(kSampleGrid, 1), CommandDone);
  EXPECT_EQ(g.undo.length, 0u);
  LoadGrid(second);
  RunCommand(2670);
  EXPECT_EQ(ReadBytes(CollectionPath()).size(), 2u * 238);
  ASSERT_EQ(ReadPuzzleFromPath(CollectionPath()), 1u);  // the paging reader steps through both
  EXPECT_EQ(LineLayout(), kSampleGrid);
  RunCommand(1020);
  EXPECT_EQ(LineLayout(), second);

  // Mode 2 puts a block-order text into row order before appending; mode 0 appends nothing.
  paste("123456789" + std::string(72, '0'), 2);
  EXPECT_EQ(LineLayout().substr(0, 27), "123000000456000000789000000");
  EXPECT_EQ(ReadBytes(CollectionPath()).size(), 3u * 238);
  paste(kSampleGrid, 0);
  EXPECT_EQ(ReadBytes(CollectionPath()).size(), 3u * 238);

  // A collection file that cannot be made is reported; the pasted puzzle is still shown.
  g.exeDir = TempDir() + "missing/";
  platform.Clear();
  ASSERT_EQ(paste(second, 1), CommandDone);
  EXPECT_EQ(platform.Lines("message"),
            std::vector<std::string>{"保存ファイルにアクセスできません\t" + g.exeDir + "VorelMalti.txt"});
  EXPECT_EQ(LineLayout(), second);
}

TEST_F(WriterTest, CandidateFileRestoresASavedAnalysisState) {
  // An automatic digit and some candidates thinned by hand.
  LoadGrid(kSampleGrid);
  g.board.value[80] = 9, g.board.kind[80] = KindAuto;
  EnterCandidateScreen();
  for (uint32_t c : {0u, 20u, 44u})
    for (uint32_t d = 0; d < 9 && g.cand.count[c] > 2; ++d)
      if (Flag(c, d)) Flag(c, d) = 0, --g.cand.count[c], --g.cand.total;
  ASSERT_EQ(Save(210, dir + "cands.txt"), CommandDone);
  // "(d)" reads back as the automatic digit d: a cell left with one candidate returns placed.
  uint32_t single = 0;
  while (single < 81 && (g.board.value[single] != 0 || g.cand.count[single] != 1)) ++single;
  ASSERT_LT(single, 81u);
  for (uint32_t d = 0; d < 9; ++d)
    if (Flag(single, d)) g.board.value[single] = d + 1, Flag(single, d) = 0;
  g.cand.count[single] = 0;
  const std::string state = DescribeState();
  const uint32_t total = g.cand.total - 1;

  ResetStartupState();
  LoadGrid(kSampleGrid);
  EnterCandidateScreen();
  ASSERT_EQ(Save(1240, dir + "cands.txt"), CommandDone);
  EXPECT_EQ(DescribeState(), state);  // with the invariants below, the total too
  EXPECT_EQ((std::vector<uint32_t>{g.board.kind[80], g.board.kind[single], g.board.kind[7]}),
            (std::vector<uint32_t>{KindAuto, KindAuto, KindGiven}));
  EXPECT_EQ(CandidateInvariantError(), "");
  EXPECT_EQ(platform.Lines("status1").back(), "全候補数[" + std::to_string(total) + "]");
}

// Full-width ０ to ９ are digits, their code-table neighbours not; nothing after cell 81 is read.
TEST_F(WriterTest, CandidateTextReadsFullWidthDigitsButNotTheirNeighboursUpToTheLastCell) {
  const auto parse = [](const std::string& text) {
    return ParseCandidateText(reinterpret_cast<const uint8_t*>(text.data()), text.size());
  };
  EXPECT_EQ(parse("９(１２)０：／ｐ1"), 4u);
  EXPECT_EQ((std::vector<uint32_t>{g.board.value[0], g.board.value[2], g.board.value[3]}),
            (std::vector<uint32_t>{9, 0, 1}));
  EXPECT_EQ(g.cand.count[1], 2u);
  EXPECT_TRUE(Flag(1, 0) && Flag(1, 1));
  EXPECT_EQ(parse(std::string(80, '.') + "(12)" + "8(34)"), 81u);
  EXPECT_EQ(g.board.kind[0], uint32_t{KindEmpty});
  EXPECT_EQ(g.cand.count[80], 2u);
}

}  // namespace

// UTF-8 at every sequence length's edges; each invalid byte one U+FFFD; back from UTF-16.
TEST(Utf16, EveryUtf8SequenceLengthAtItsEdgesAndInvalidBytesAndTheWayBack) {
  const std::pair<std::string, std::vector<uint16_t>> cases[] = {
      {"\x7F", {0x7F}},
      {"\xC2\x80", {0x80}},
      {"\xDF\xBF", {0x7FF}},
      {"\xE0\xA0\x80", {0x800}},
      {"\xEF\xBF\xBF", {0xFFFF}},
      {"\xF0\x90\x80\x80", {0xD800, 0xDC00}},
      {"\xF4\x8F\xBF\xBF", {0xDBFF, 0xDFFF}},
      {"\x80" "a", {0xFFFD, 'a'}},
      {"\xBF" "a", {0xFFFD, 'a'}},
      {"\xC1\x81" "a", {0xFFFD, 0xFFFD, 'a'}},
      {"\xF5\x80" "a", {0xFFFD, 0xFFFD, 'a'}},
      {"\xC3" "a", {0xFFFD, 'a'}},
      {"a\xE3\x81", {'a', 0xFFFD, 0xFFFD}}};
  for (const auto& [utf8, units] : cases) {
    const std::vector<uint8_t> bytes = Utf16le(utf8);
    std::vector<uint16_t> got;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) got.push_back(bytes[i] | bytes[i + 1] << 8);
    EXPECT_EQ(got, units) << utf8;
  }
  // Text through UTF-16 and back, with the code points at both ends of the surrogate ranges.
  for (const char* text : {"a\u00FF", "\uD7FF\uE000\uFFFF", "\U00010000", "\U000103FF",
                           "\U0010FC00", "\U0010FFFF", "\U0001F600", "九"}) {
    const std::vector<uint8_t> units = Utf16le(text);
    EXPECT_EQ(Utf8FromUtf16le(units.data(), units.size()), text) << text;
    EXPECT_EQ(Utf16Units(text), units.size() / 2) << text;
  }
}
