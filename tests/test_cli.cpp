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

// -e runs every puzzle of a collection of nine-row blocks; plain and candidate layouts print them.
TEST(Cli, EachRunsEveryPuzzleOfACollectionOfBlocks) {
  std::string block;
  for (int r = 0; r < 9; ++r) block += kHardPuzzle.substr(r * 9, 9) + "\n";
  const std::string blocks = WriteTempFile("blocks.txt", "first\n" + block + "\n" + block);
  const auto board = Events(RunCli("-t -e -p plain " + blocks), "board");
  ASSERT_EQ(board.size(), 18u);
  EXPECT_EQ(board[0], "100 000 002");
  EXPECT_EQ(Events(RunCli("-t -m candidate -p candidates " + blocks), "board")[0],
            "1(478)(34578) (3567)(3689)(5678) (3489)(369)2");
}

TEST(Cli, EveryModeOptionOpensItsScreenAndNewAsksFirst) {
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
  // Each screen named with -m opens as its menu command opens it.
  for (const auto& [mode, title] : std::vector<std::pair<std::string, std::string>>{
           {"new", "＜新規作成＞"},         {"input", "＜問題の入力＞"},
           {"edit", "＜編集モード＞"},       {"candidate", "＜候補表示画面＞"},
           {"make", "＜問題の作成＞ [0]"}}) {
    EXPECT_EQ(Events(RunCli("-t -l 0 -m " + mode + " --sample"), "status0").at(0), title) << mode;
  }
}

// -r by name runs as the menu command; each puzzle of a run gets the same dialog answers.
TEST(Cli, RoutineNamesRunAsTheirMenuCommandsAndEachPuzzleGetsTheSameChoices) {
  const std::string hard = WriteTempFile("p.txt", kHardPuzzle), easy = WriteTempFile("s.txt", kSampleGrid);
  for (const auto& [name, id, file] : std::vector<std::tuple<std::string, std::string, std::string>>{
           {"NakedSingle", "1110", easy}, {"HiddenSingle", "900", easy},
           {"LockedCandidates", "890", hard}}) {
    const std::string byName = RunCli("-t -l 2 -m candidate -r " + name + " " + file);
    EXPECT_NE(byName.find("log\t"), std::string::npos) << name;
    EXPECT_EQ(byName, RunCli("-t -l 2 -m candidate -r " + id + " " + file)) << name;
  }
  // A routine without a menu command runs as itself (a finned swordfish left after the batches).
  const std::string finned = WriteTempFile(
      "f.txt", "000605400900030251400180000010390000050000042302500060000000005290006030000010000");
  const std::string out = RunCli("-t -l 1 -m candidate -r 910 -r 1070 -r FinnedSwordfish " + finned);
  EXPECT_NE(out.find("log\tFinned Swordfish (3,9) <8>\n"), std::string::npos) << out;
  // The first puzzle takes a.txt; the second is offered a.txt again and never overwrites it.
  const std::string dir = TempDir();
  const std::string two = WriteTempFile("two.txt", kHardPuzzle + "\n\n" + kSampleGrid + "\n");
  RunCli("-e -r 210 -c " + dir + "a.txt -c " + dir + "b.txt " + two);
  EXPECT_TRUE(std::ifstream(dir + "a.txt").good());
  EXPECT_FALSE(std::ifstream(dir + "b.txt").good());
}

// Every option's last accepted value runs (status 0); the first past it is refused (status 2).
TEST(Cli, EveryOptionAcceptsTheEndsOfItsRangeAndRefusesJustOutside) {
  const std::string file = WriteTempFile("p.txt", kHardPuzzle + "\n");
  const std::vector<std::pair<std::string, int>> cases = {
      {"--help", 0}, {"-h", 0}, {"--version", 0}, {"--no-such-option", 2}, {"-x --sample", 2},
      {"-r NoSuchRoutine --sample", 2}, {"-r 99999 --sample", 2}, {"/nonexistent/p.txt", 2},
      {file.substr(0, file.rfind('/')), 2},
      {"-l 0 --sample", 0}, {"-l 2 --sample", 0}, {"-l 3 --sample", 2}, {"--sample -l", 2},
      {"-s 0 --sample", 0}, {"-s 4294967295 --sample", 0}, {"-s 4294967296 --sample", 2},
      {"-s 0000000007 --sample", 0}, {"-s 00000000007 --sample", 2}, {"-s -1 --sample", 2},
      {"-s 7x --sample", 2}, {"-s '' --sample", 2},
      {"--first 1 -e " + file, 0}, {"--first 0 -e " + file, 2}, {"--first 2 " + file, 2},
      {"--sample --first 2", 2}, {"-r 900 - < " + file, 2}, {"--grade - < /dev/null", 2},
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
  // The html page comes whole, without the byte-order mark a saved file starts with.
  EXPECT_NE(RunCli("-t -p html --sample").find("board\t<HTML>\n"), std::string::npos);
  // A clipboard file is read up to its first MiB: a puzzle ending there is pasted, one after not.
  for (const size_t before : {(size_t{1} << 20) - 82, size_t{1} << 20}) {
    const std::string clip = WriteTempFile("clip.txt", std::string(before, '\n') + kSampleGrid + "\n");
    const std::string out = RunCli("-t -m new --clipboard " + clip + " -r 960 -p plain");
    EXPECT_EQ(out.find("board\t000 000 010\n") != std::string::npos, before < (size_t{1} << 20))
        << before;
  }
}

}  // namespace
