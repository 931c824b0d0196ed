// The vorel-cli contract: options, exit codes and the transcript format.
#include <fstream>
#include <tuple>

#include "tests/support.h"

namespace {


// The texts of the transcript's events of one kind, in order.
std::vector<std::string> Events(const std::string& out, const std::string& kind) {
  std::vector<std::string> lines;
  for (const std::string& line : Split(out, '\n'))
    if (line.rfind(kind + "\t", 0) == 0) lines.push_back(line.substr(kind.size() + 1));
  return lines;
}


TEST(Cli, CandidateScreenTranscriptAndTheLogModes) {
  const std::string file = WriteTempFile("p.txt", kSampleGrid + "\n");
  int status = -1;
  const std::string out = RunCli("-t -m candidate -r NakedSingle -r 900 " + file, &status);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(Events(out, "title"), std::vector<std::string>{"《Kelmo》 - p"});
  const auto status0 = Events(out, "status0");
  ASSERT_FALSE(status0.empty());
  EXPECT_EQ(status0.front(), "＜候補表示画面＞");
  // The start-up board first, then the puzzle read.
  const auto status1 = Events(out, "status1");
  ASSERT_GE(status1.size(), 2u);
  EXPECT_EQ((std::vector<std::string>{status1[0], status1[1]}),
            (std::vector<std::string>{"空白残り[0]", "空白残り[64]"}));
  const auto logs = Events(out, "log");
  ASSERT_FALSE(logs.empty());
  // Naked singles first, then hidden singles; every line has the short form.
  for (const std::string& line : logs)
    EXPECT_TRUE(line.rfind("Naked Single (", 0) == 0 || line.rfind("Hidden Single (", 0) == 0)
        << line;
  EXPECT_EQ(out.find("log\tNaked Single"), out.find("log\t"));
  // -l 2 writes the summary lines, -l 0 no log at all.
  const std::string detailed = RunCli("-t -l 2 -m candidate -r HiddenSingle " + file);
  ASSERT_FALSE(Events(detailed, "log").empty());
  EXPECT_EQ(Events(detailed, "log").front().rfind("処理(Hidden Single) ", 0), 0u);
  EXPECT_TRUE(Events(RunCli("-t -l 0 -m candidate -r HiddenSingle " + file), "log").empty());
}

// -e runs every puzzle of a collection from a fresh start, whether the puzzles are lines or
// blocks of nine rows separated by blank lines; the plain and candidate layouts print them.
TEST(Cli, EachRunsEveryPuzzleFromAFreshStartInLinesOrBlocks) {
  std::string second = kHardPuzzle;
  second[0] = '0';
  const std::string file = WriteTempFile("many.txt", kHardPuzzle + "\n\n" + second + "\n");
  const std::string out = RunCli("-t -e -p line " + file);
  EXPECT_EQ(Events(out, "puzzle"), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(Events(out, "board"), (std::vector<std::string>{kHardPuzzle, second}));

  std::string block;
  for (int r = 0; r < 9; ++r) block += kHardPuzzle.substr(r * 9, 9) + "\n";
  const std::string blocks = WriteTempFile("blocks.txt", "first\n" + block + "\n" + block);
  const auto board = Events(RunCli("-t -e -p plain " + blocks), "board");
  ASSERT_EQ(board.size(), 18u);
  EXPECT_EQ(board[0], "100 000 002");
  EXPECT_EQ(Events(RunCli("-t -m candidate -p candidates " + blocks), "board")[0],
            "1(478)(34578) (3567)(3689)(5678) (3489)(369)2");
}

TEST(Cli, NewModeAsksAndCancelKeepsTheBoardWhileOkEmptiesIt) {
  const std::string file = WriteTempFile("p.txt", kHardPuzzle);
  const std::string head = "status1\t空白残り[0]\ntitle\t《Kelmo》 - p\nstatus1\t空白残り[60]\n";
  const std::string ask = "message\t新規作成\tデータが初期化されますが良いですか？\t";
  EXPECT_EQ(RunCli("-t -l 0 -a cancel -r 240 -p line " + file),
            head + ask + "cancel\nboard\t" + kHardPuzzle + "\n");
  EXPECT_EQ(RunCli("-t -l 0 -a ok -r 240 -p line " + file),
            head + ask + "ok\nstatus0\t＜新規作成＞\nstatus1\t\nboard\t" + std::string(81, '0') + "\n");
  // Entered first with -m new, the file is then read into the new mode either way.
  EXPECT_EQ(Events(RunCli("-t -m new -a cancel -p line " + file), "board"),
            std::vector<std::string>{kHardPuzzle});
}

// The alternate view (1242) lists block k for digit k+1, its position r for board row r and
// there the columns where the digit may still go; "." where it has none. The second press
// turns it off and lists nothing more.
TEST(Cli, AlternateViewListsEachDigitsOpenColumnsPerRow) {
  const std::string file = WriteTempFile("s.txt", kSampleGrid);
  const std::vector<std::string> view = {
      "代替候補表示\t. 256 156 | 4569 45689 . | 234569 2345689 345689",
      "代替候補表示\t6 569 . | 13468 145689 14689 | 2346 . 246",
      "代替候補表示\t29 . 1279 | . 1356 135 | . 5689 589",
      "代替候補表示\t569 . 5689 | 134679 346789 1346789 | 1234579 2345789 1345789",
      "代替候補表示\t. 256 26 | . 189 1789 | 12348 124589 124789",
      "代替候補表示\t. 389 2389 | 689 . 789 | 2389 13789 .",
      "代替候補表示\t1234567 2345678 1345678 | 125679 256789 156789 | 1234679 2346789 1346789",
      "代替候補表示\t. 12456 1246 | 68 . 6789 | 1238 1289 .",
      "代替候補表示\t23568 135678 123578 | 289 1789 . | 23689 136789 123789"};
  EXPECT_EQ(Events(RunCli("-t -l 0 -m candidate -r 1242 " + file), "list"), view);
  EXPECT_EQ(Events(RunCli("-t -l 0 -m candidate -r 1242 -r 1242 " + file), "list"), view);
}

// The board memory in every screen: store (870), a right turn (760), restore (880); what each
// screen shows on the way and the board that comes back.
TEST(Cli, MemoryStoreTurnAndRestoreInEveryScreen) {
  const std::string file = WriteTempFile("s.txt", kSampleGrid);
  const std::string start = "status1\t空白残り[0]\ntitle\t《Kelmo》 - s\nstatus1\t空白残り[64]\n";
  const std::string board = "board\t" + kSampleGrid + "\n";
  const std::pair<const char*, std::string> screens[] = {
      {"normal", start + "status1\t空白残り[64]\nstatus1\t空白残り[64]\n" + board},
      {"input", start + "status0\t＜問題の入力＞\nstatus1\t問題数[17]\nstatus1\t問題数[17]\n"
                        "status1\t問題数[17]\n" + board},
      {"edit", start + "status0\t＜編集モード＞\nstatus1\t問題数[17]\n" + board},
      {"candidate", start + "status0\t＜候補表示画面＞\nstatus1\t\nstatus1\t全候補数[303]\n"
                            "status1\t全候補数[303]\n" + board},
      {"make", start + "status0\t＜問題の作成＞ [0]\nstatus1\t問題数[0]\nstatus1\t\n"
                       "status0\t＜問題の作成＞ [0]\nstatus1\t問題数[0]\nboard\t" +
                   std::string(81, '0') + "\n"}};
  for (const auto& [mode, transcript] : screens)
    EXPECT_EQ(RunCli("-t -l 0 -m " + std::string(mode) + " -r 870 -r 760 -r 880 -p line " + file),
              transcript)
        << mode;
}

// A routine named with -r runs as its menu command, with the same transcript, and a
// collection run with a save per puzzle answers each puzzle's dialog from the same choices.
TEST(Cli, RoutineNamesRunAsTheirMenuCommandsAndEachPuzzleGetsTheSameChoices) {
  const std::string hard = WriteTempFile("p.txt", kHardPuzzle), easy = WriteTempFile("s.txt", kSampleGrid);
  for (const auto& [name, id, file] : std::vector<std::tuple<std::string, std::string, std::string>>{
           {"NakedSingle", "1110", easy}, {"HiddenSingle", "900", easy},
           {"LockedCandidates", "890", hard}}) {
    const std::string byName = RunCli("-t -l 2 -m candidate -r " + name + " " + file);
    EXPECT_NE(byName.find("log\t"), std::string::npos) << name;
    EXPECT_EQ(byName, RunCli("-t -l 2 -m candidate -r " + id + " " + file)) << name;
  }
  // A routine without a menu command runs as itself.
  int status = -1;
  RunCli("-t -l 2 -m candidate -r FinnedSwordfish -r XWing " + hard, &status);
  EXPECT_EQ(status, 0);
  // The first puzzle takes a.txt and leaves b.txt; the second is offered a.txt again, which
  // is never overwritten.
  const std::string marker = WriteTempFile("x", "");
  const std::string dir = marker.substr(0, marker.rfind('/') + 1);
  const std::string two = WriteTempFile("two.txt", kHardPuzzle + "\n\n" + kSampleGrid + "\n");
  RunCli("-e -r 210 -c " + dir + "a.txt -c " + dir + "b.txt " + two);
  EXPECT_TRUE(std::ifstream(dir + "a.txt").good());
  EXPECT_FALSE(std::ifstream(dir + "b.txt").good());
}

// Every option at both ends of what it takes: the last value it accepts runs (status 0), the
// first one past it is refused with status 2 before anything runs.
TEST(Cli, EveryOptionAcceptsTheEndsOfItsRangeAndRefusesJustOutside) {
  const std::string file = WriteTempFile("p.txt", kHardPuzzle + "\n");
  const std::vector<std::pair<std::string, int>> cases = {
      {"--help", 0}, {"-h", 0}, {"--version", 0}, {"--no-such-option", 2}, {"-x --sample", 2},
      {"-r NoSuchRoutine --sample", 2}, {"-r 99999 --sample", 2}, {"/nonexistent/p.txt", 2},
      {"-l 0 --sample", 0}, {"-l 2 --sample", 0}, {"-l 3 --sample", 2}, {"--sample -l", 2},
      {"-s 0 --sample", 0}, {"-s 4294967295 --sample", 0}, {"-s 4294967296 --sample", 2},
      {"-s 0000000007 --sample", 0}, {"-s 00000000007 --sample", 2}, {"-s -1 --sample", 2},
      {"-s 7x --sample", 2}, {"-s '' --sample", 2},
      {"--first 1 -e " + file, 0}, {"--first 0 -e " + file, 2}, {"--first 2 " + file, 2},
      {"-m candidate --sample", 0}, {"-m normal --sample", 0}, {"-m bogus --sample", 2},
      {"-a ok --sample", 0}, {"-a cancel --sample", 0}, {"-a yes --sample", 2},
      {"-j 1024 -e " + file, 0}, {"-j 1025 -e " + file, 2}, {"-j 2 " + file, 2},
      {"-p html --sample", 0}, {"-p line --sample", 0}, {"-p csv --sample", 2},
      {"--repeat 1 --sample", 0}, {"--repeat 0 --sample", 2}, {"--repeat 2 -e " + file, 2},
      {"--grade " + file, 0}, {"--grade -r 900 " + file, 2}, {"--grade -m candidate " + file, 2},
      {"--path " + file, 0}, {"--path --grade " + file, 2}, {"--path -r 900 " + file, 2},
      {"--path -m candidate " + file, 2}, {"--path -p line " + file, 2},
      {"--path --fixpoint " + file, 2}, {"--json --sample", 2},
      {"-e", 2}, {"- ", 2}};
  for (const auto& [args, expected] : cases) {
    int status = -1;
    RunCli(args, &status);
    EXPECT_EQ(status, expected) << "vorel-cli " << args;
  }
}

}  // namespace
