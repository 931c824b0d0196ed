// Collections through standard input (`-`), pieces numbered with --first, and workers.
#include <algorithm>

#include "tests/support.h"

namespace {

const std::string kCli = VOREL_CLI_PATH;

TEST(Streams, StandardInputPiecesAndParallelJobsGiveTheOutputOfTheWholeFile) {
  std::vector<std::string> puzzles;  // 20 hard and 40 quick puzzles, one per line
  for (const auto& [name, take] :
       {std::pair<const char*, size_t>{"hard-a.txt", 20}, {"qq-expert-a.txt", 40}}) {
    const std::vector<std::string> lines = DataLines(name);
    for (size_t i = 0; i < lines.size() && i < take; ++i)
      if (lines[i].size() >= 81) puzzles.push_back(lines[i]);
  }
  if (puzzles.size() < 60)
    GTEST_SKIP() << "the collections hard-a.txt and qq-expert-a.txt are not in " << DataPath("");
  const std::string file = WriteTempFile("c.txt", Joined(puzzles));
  int status = -1;
  const std::string expected = RunCli("--grade -e " + file, &status);
  ASSERT_EQ(status, 0);
  ASSERT_EQ(std::count(expected.begin(), expected.end(), '\n'), 60);

  // Standard input; with it closed a worker's file may be descriptor 0; a pipe cannot be measured
  // or reread (the workers share what was read before them); a file is shared out too.
  for (const std::string& command :
       {kCli + " --grade - < " + file, kCli + " --grade -j 2 " + file + " <&-",
        "cat " + file + " | " + kCli + " --grade -j 2 -", kCli + " --grade -j 2 -e " + file}) {
    EXPECT_EQ(Shell(command, &status), expected) << command;
    EXPECT_EQ(status, 0) << command;
  }
  // In one stream the summary follows every puzzle's line.
  const std::string merged = RunCli("--grade -j 2 -e " + file + " 2>&1");
  EXPECT_EQ(merged.substr(0, expected.size()), expected);
  EXPECT_GT(merged.size(), expected.size());
  // Any -e run: batches, log lines and 1220's per-puzzle seeds; the title names c.txt, there -.
  const std::string some = WriteTempFile("c.txt", Joined(puzzles, 10, 30));
  const std::string args = " -t -s 77 -l 1 -m candidate -r 910 -r 1070 -r 1220 -p line";
  std::string fromFile = RunCli(args + " -e " + some);
  ASSERT_NE(fromFile.find("log\t"), std::string::npos);
  const std::string named = "》 - c\n";
  for (size_t at; (at = fromFile.find(named)) != std::string::npos;)
    fromFile.replace(at, named.size(), "》 - -\n");
  EXPECT_EQ(Shell("cat " + some + " | " + kCli + args + " -j 3 -e -"), fromFile);

  // Pieces numbered with --first join up byte for byte: grade numbers, events and seeds.
  for (const std::string& pieceArgs :
       {std::string("--grade"), std::string("-t -s 5 -l 0 -r 1220 -r 910 -p line")}) {
    SCOPED_TRACE(pieceArgs);
    const std::string whole = pieceArgs == "--grade" ? expected : RunCli(pieceArgs + " -e " + file);
    std::string joined;
    for (size_t from = 0, size = 1; from < puzzles.size(); from += size, size = size * 3 + 7) {
      const std::string piece = WriteTempFile("c.txt", Joined(puzzles, from, from + size));
      joined += RunCli(pieceArgs + " --first " + std::to_string(from + 1) + " -e " + piece);
    }
    EXPECT_EQ(joined, whole);
  }
}

}  // namespace
