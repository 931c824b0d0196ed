// Grading a collection and running one over worker processes, through vorel-cli.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <cstring>
#include <thread>

#include "cli/collection.h"
#include "drivers/grade.h"
#include "tests/support.h"

namespace {

// Grade lines of a collection, split into their four fields.
std::vector<std::vector<std::string>> Grades(const std::vector<std::string>& puzzles) {
  const std::string file = WriteTempFile("grade.txt", Joined(puzzles));
  int status = -1;
  const std::string out = RunCli("--grade -e " + file, &status);
  EXPECT_EQ(status, 0);
  std::vector<std::vector<std::string>> rows;
  for (const std::string& line : Split(out, '\n')) rows.push_back(Split(line, '\t'));
  EXPECT_EQ(rows.size(), puzzles.size());
  return rows;
}

TEST(Grading, InvalidPuzzlesAndTheLadderOnKnownPuzzles) {
  std::string clash = kHardPuzzle;
  clash[1] = '1';
  const std::string few = kHardPuzzle.substr(0, 27) + std::string(54, '0');
  // A solved grid is a puzzle too: its one solution needs no technique.
  const std::string solved =
      "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
  // The sample needs nothing but singles; its dots stay dots.
  std::string dotted = kSampleGrid;
  for (char& ch : dotted)
    if (ch == '0') ch = '.';
  const auto rows = Grades({kHardPuzzle, clash, few, solved, dotted});
  ASSERT_EQ(rows.size(), 5u);
  // Nothing of the catalogue bites on it: only the nested forcing net of the chain rung does.
  ASSERT_EQ(rows[0].size(), 4u);
  EXPECT_EQ(rows[0][2], "nets");
  EXPECT_EQ(rows[0][3].rfind("Nested Forcing Net ", 0), 0u) << rows[0][3];
  EXPECT_EQ(rows[1], (std::vector<std::string>{"2", clash, "invalid", "no solution"}));
  EXPECT_EQ(rows[2], (std::vector<std::string>{"3", few, "invalid", "several solutions"}));
  EXPECT_EQ(rows[3], (std::vector<std::string>{"4", solved, "singles", "none"}));
  ASSERT_EQ(rows[4].size(), 4u);
  EXPECT_EQ((std::vector<std::string>{rows[4][1], rows[4][2]}),
            (std::vector<std::string>{dotted, "singles"}));
  for (const std::string& item : Split(rows[4][3], ','))
    EXPECT_TRUE(item.find("Hidden Single ") != std::string::npos ||
                item.find("Naked Single ") != std::string::npos)
        << rows[4][3];
}

// The processes whose parent is `parent`.
std::vector<pid_t> ChildrenOf(pid_t parent) {
  DIR* proc = opendir("/proc");
  std::vector<pid_t> found;
  while (dirent* e = proc ? readdir(proc) : nullptr) {
    if (e->d_name[0] < '1' || e->d_name[0] > '9') continue;
    const std::string stat = ReadText(std::string("/proc/") + e->d_name + "/stat");
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) continue;
    int ppid = 0;
    if (std::sscanf(stat.c_str() + close + 1, " %*c %d", &ppid) == 1 && ppid == parent)
      found.push_back(static_cast<pid_t>(std::atoi(e->d_name)));
  }
  if (proc) closedir(proc);
  return found;
}

// True while `pid` runs: neither gone nor a zombie waiting to be reaped.
bool Running(pid_t pid) {
  const std::string stat = ReadText("/proc/" + std::to_string(pid) + "/stat");
  const size_t close = stat.rfind(')');
  return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] != 'Z';
}

// vorel-cli grading 20000 puzzles over two workers into `path`.out/.err; returns once both run.
pid_t StartLongGrading(std::string& path, std::vector<pid_t>& workers) {
  std::string many;
  for (int i = 0; i < 20000; ++i) many += kHardPuzzle + "\n";
  path = WriteTempFile("many.txt", many);
  const std::string out = path + ".out", err = path + ".err";
  const pid_t cli = fork();
  if (cli == 0) {
    if (!std::freopen(out.c_str(), "w", stdout) || !std::freopen(err.c_str(), "w", stderr))
      _exit(99);
    execl(VOREL_CLI_PATH, VOREL_CLI_PATH, "--grade", "-j", "2", "-e", path.c_str(),
          static_cast<char*>(nullptr));
    _exit(98);
  }
  for (int i = 0; i < 1000 && cli > 0 && workers.size() < 2; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    workers = ChildrenOf(cli);
  }
  return cli;
}

// A killed worker is reported and output stops before its puzzle; a killed run leaves no worker.
TEST(Collection, AWorkerKilledIsReportedAndWorkersEndWhenTheirRunIsKilled) {
  for (const bool killRun : {false, true}) {
    std::string file;
    std::vector<pid_t> workers;
    const pid_t cli = StartLongGrading(file, workers);
    ASSERT_GT(cli, 0);
    if (killRun || !workers.empty()) kill(killRun ? cli : workers[0], SIGKILL);
    int status = 0;
    waitpid(cli, &status, 0);
    ASSERT_EQ(workers.size(), 2u) << "the workers did not appear";
    if (killRun) {
      for (pid_t worker : workers) {
        bool running = true;
        for (int i = 0; i < 500 && running; ++i) {
          std::this_thread::sleep_for(std::chrono::milliseconds(10));
          running = Running(worker);
        }
        if (running) kill(worker, SIGKILL);
        EXPECT_FALSE(running) << "worker " << worker << " still runs 5 s after its run was killed";
      }
      continue;
    }
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    const std::string message = ReadText(file + ".err"), prefix = "vorel-cli: worker died on puzzle ";
    const size_t at = message.find(prefix);
    ASSERT_NE(at, std::string::npos) << message;
    EXPECT_NE(message.find(": Killed\n", at), std::string::npos) << message;
    const size_t dead = std::strtoul(message.c_str() + at + prefix.size(), nullptr, 10);
    const std::vector<std::string> lines = Split(ReadText(file + ".out"), '\n');
    ASSERT_EQ(lines.size() + 1, dead);
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].rfind(std::to_string(i + 1) + "\t", 0), 0u);
  }
  // A worker that cannot write its output (a file size limit, its signal ignored) gives up with
  // status 1, and the message says so.
  const std::string file = WriteTempFile("limited.txt", Joined(std::vector<std::string>(40, kHardPuzzle)));
  int status = -1;
  const std::string said =
      Shell("trap '' XFSZ; ulimit -f 1; " + std::string(VOREL_CLI_PATH) + " --grade -j 2 " + file +
                " 2>&1 >/dev/null",
            &status);
  EXPECT_EQ(status, 1);
  EXPECT_NE(said.find("vorel-cli: worker died on puzzle "), std::string::npos) << said;
  EXPECT_NE(said.find(": exit status 1\n"), std::string::npos) << said;
}

// The text holds "\r<done>/<total>  <rate> puzzles/s  <m>:<ss> left" (no std::regex: GCC 12 warns).
bool HasProgressLine(const std::string& text, int total) {
  const std::string middle = "/" + std::to_string(total) + "  ";
  for (size_t at = text.find('\r'); at != std::string::npos; at = text.find('\r', at + 1)) {
    size_t i = at + 1;
    const auto run = [&](const char* allowed) {
      const size_t start = i;
      while (i < text.size() && std::strchr(allowed, text[i]) != nullptr && text[i] != '\0') ++i;
      return i - start;
    };
    const auto literal = [&](const std::string& word) {
      if (text.compare(i, word.size(), word) != 0) return false;
      i += word.size();
      return true;
    };
    if (run("0123456789") > 0 && literal(middle) && run("0123456789.") > 0 &&
        literal(" puzzles/s  ") && run("0123456789") > 0 && literal(":") &&
        run("0123456789") == 2 && literal(" left"))
      return true;
  }
  return false;
}

// True when the progress line ends, is overwritten with spaces, and the summary follows.
bool BlankedBefore(const std::string& text, const std::string& summary) {
  for (size_t end = text.find("left\r"); end != std::string::npos;
       end = text.find("left\r", end + 1)) {
    size_t i = end + 5;
    const size_t spaces = i;
    while (i < text.size() && text[i] == ' ') ++i;
    if (i > spaces && text.compare(i, 1 + summary.size(), "\r" + summary) == 0) return true;
  }
  return false;
}

}  // namespace

// Stderr alone on a terminal shows a progress line and blanks it before the summary; not both.
TEST(Collection, ATerminalOnStderrAloneShowsTheProgressLineAndBlanksIt) {
  const std::vector<std::string> hard = DataLines("hard-a.txt");
  if (hard.empty()) GTEST_SKIP() << "hard-a.txt is not in ../shared/data";
  if (std::system("command -v script >/dev/null 2>&1") != 0) GTEST_SKIP() << "no script(1)";
  const std::string file = WriteTempFile("progress.txt", Joined(hard, 0, 30));
  const std::string typescript = file + ".tty";
  const auto onTerminal = [&](const std::string& command) {
    Shell("script -q -c '" + std::string(VOREL_CLI_PATH) + " " + command + "' " + typescript +
          " </dev/null");  // script passes on what it reads: the caller's input is not its
    return ReadText(typescript);
  };
  for (const char* workers : {"1", "2"}) {
    const std::string shown = onTerminal("--grade -j " + std::string(workers) + " " + file +
                                         " >" + file + ".out");
    EXPECT_TRUE(HasProgressLine(shown, 30)) << workers << "\n" << shown;
    EXPECT_TRUE(BlankedBefore(shown, "vorel-cli: graded 30")) << shown;
  }
  EXPECT_FALSE(HasProgressLine(onTerminal("--grade " + file), 30));
  // A run too short to draw its line leaves the summary to start its own line.
  const std::string one = WriteTempFile("progress-one.txt", std::string(kSampleGrid) + "\n");
  const std::string quick = onTerminal("--grade " + one + " >" + one + ".out");
  EXPECT_NE(quick.find("\nvorel-cli: graded 1 "), std::string::npos) << quick;
}

// Progress times at the edges of minutes and hours; the summary names every grade in order.
TEST(Collection, TheProgressTimesAndTheSummaryLine) {
  const std::pair<double, const char*> cases[] = {
      {-3, "0:00"},      {0.49, "0:00"},       {0.5, "0:01"},    {59, "0:59"},
      {59.6, "1:00"},    {61, "1:01"},         {3599, "59:59"},  {3600, "1:00:00"},
      {3661, "1:01:01"}, {36000 + 59, "10:00:59"}};
  for (const auto& [seconds, text] : cases) EXPECT_EQ(DurationText(seconds), text) << seconds;
  CollectionOutcome outcome = {};
  const uint64_t counts[GradeCount] = {7, 6, 5, 4, 3, 2, 1};
  for (uint32_t grade = 0; grade < GradeCount; ++grade) outcome.tags[grade] = counts[grade];
  outcome.done = 28;
  outcome.seconds = 2.0;
  EXPECT_EQ(GradeSummary(outcome),
            "vorel-cli: graded 28 puzzles in 2.00 s (14 puzzles/s): singles 7, basic 6, upper 5, "
            "chains 4, nets 3, beyond 2, invalid 1");
}

// A finished grade's detail counts every removed candidate: no technique is left out.
TEST(Grading, TheDetailOfAFinishedGradeCountsEveryRemovedCandidate) {
  std::vector<std::string> puzzles = DataLines("qq-expert-a.txt");
  if (puzzles.empty()) GTEST_SKIP() << "qq-expert-a.txt is not in ../shared/data";
  puzzles.resize(std::min<size_t>(puzzles.size(), 60));
  size_t finished = 0;
  for (const auto& row : Grades(puzzles)) {
    ASSERT_EQ(row.size(), 4u);
    if (row[2] != "basic" && row[2] != "upper") continue;
    ++finished;
    uint32_t total = 0, open = 0;
    for (uint32_t c = 0; c < 81; ++c) {
      if (row[1][c] != '0' && row[1][c] != '.') continue;
      ++open;
      for (char d = '1'; d <= '9'; ++d) {
        bool seen = false;
        for (uint32_t k = 0; k < 81; ++k)
          seen |= row[1][k] == d && (k / 9 == c / 9 || k % 9 == c % 9 ||
                                     (k / 27 == c / 27 && k % 9 / 3 == c % 9 / 3));
        total += !seen;
      }
    }
    uint32_t counted = 0;
    for (const std::string& item : Split(row[3], ','))
      counted += std::atoi(item.c_str() + item.rfind(' '));
    EXPECT_EQ(counted, total - open) << row[0] << " " << row[3];
  }
  EXPECT_GT(finished, 20u);
}
