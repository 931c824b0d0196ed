// The elimination queue and the technique log at their edges.
#include "board/queue.h"
#include "techniques/techniques.h"
#include "tests/support.h"

namespace {

class Logger : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ClearBoard();
    for (uint32_t c = 0; c < 81; ++c) {  // every candidate of the empty board
      for (uint32_t d = 0; d < 9; ++d) g.cand.flag[c * 9 + d] = 1;
      g.cand.count[c] = 9;
    }
    g.cand.total = 729;
    platform.logOpen = true;
  }
};

TEST_F(Logger, SkipsDuplicatesAndLastCandidatesAndNamesUnknownCodes) {
  g.settings.candErase = 2;
  for (uint32_t d = 1; d < 9; ++d) g.cand.flag[5 * 9 + d] = 0;
  g.cand.count[5] = 1;
  g.cand.total -= 8;
  ResetQueue();
  QueueElimination(3, 4);
  QueueElimination(3, 4);
  QueueElimination(5, 0);  // the last candidate of cell 5 stays
  FlushEliminations(CodeNakedPair);
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"処理(Naked Pair) 3件", "Naked Pair (4,1) <5>"}));
  EXPECT_EQ(g.cand.count[5], 1u);
  EXPECT_EQ(g.cand.flag[5 * 9], 1u);
  EXPECT_EQ(CandidateInvariantError(), "");
  // In the ordinary log an unknown code and a cell past the board are named as such.
  platform.Clear();
  g.settings.candErase = 1;
  QueueElimination(0, 0);
  QueueElimination(81, 3);
  FlushEliminations(99);
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"処理(UnKnown)で異常値[81]", "UnKnown (1,1) <1>"}));
  // A detailed line never prints the witnesses an earlier entry left in the same slot.
  g.settings.candErase = 2;
  QueueEliminationWitness(22, 2, 0, 12, 4);
  FlushEliminations(CodeXYZWing);
  QueueElimination(22, 3);
  FlushEliminations(CodeXYZWing);
  EXPECT_EQ(LogLines().back(), "XYZ-Wing (5,3) <4>");
}

TEST_F(Logger, WarningBoxFromTwoThousandEntries) {
  g.settings.candErase = 0;
  for (uint32_t i = 0; i < 1999; ++i) QueueElimination(i % 81, i % 9);
  FlushEliminations(CodeSquirmbag);
  EXPECT_TRUE(platform.Lines("message").empty());
  for (uint32_t i = 0; i < 2000; ++i) QueueElimination(i % 81, i % 9);
  FlushEliminations(CodeSquirmbag);
  EXPECT_EQ(platform.Lines("message"),
            std::vector<std::string>{"緊急停止希望\t消去予定数が多すぎます！＜2000＞"});
  EXPECT_EQ(CandidateInvariantError(), "");
}

TEST_F(Logger, QueueRefusesEntriesBeyondItsCapacity) {
  ResetQueue();
  for (uint32_t i = 0; i < kQueueCapacity; ++i) ASSERT_EQ(QueueElimination(i % 81, i % 9), 1u);
  EXPECT_EQ(QueueElimination(0, 0), 0u);
  EXPECT_EQ(g.queue.length, kQueueCapacity);
  ResetQueue();
  for (uint32_t i = 0; i < kWitnessCapacity; ++i)
    ASSERT_EQ(QueueEliminationWitness(i, 0, 1, 2, 3), 1u);
  EXPECT_EQ(QueueEliminationWitness(70, 0, 1, 2, 3), 0u);
  EXPECT_EQ(g.queue.length, kWitnessCapacity);
  // Plain entries may still follow; they are logged in the short form.
  g.settings.candErase = 2;
  EXPECT_EQ(QueueElimination(70, 1), 1u);
  FlushEliminations(CodeXYZWing);
  EXPECT_EQ(LogLines()[1], "XYZ-Wing (8,8) <2>");
}

}  // namespace

// The headless platform with the log's last line at each drain of the window's messages.
class DrainRecorder final : public HeadlessPlatform {
 public:
  std::vector<std::string> drainedAfter;
  void DrainMessages() override {
    const std::vector<std::string> lines = Lines("log");
    drainedAfter.push_back(lines.empty() ? "" : lines.back());
  }
};

// The window drains its messages after each line a technique writes: chain, then removal.
TEST_F(Logger, EveryTechniqueLineIsFollowedByADrainOfTheWindowsMessages) {
  DrainRecorder recorder;
  recorder.logOpen = true;
  SetPlatform(&recorder);
  LoadGrid("800000000050904000007000600020300040000010000000205090600090800090003050001000007");
  EnterCandidateScreen();
  g.settings.candErase = 2;
  recorder.Clear();
  recorder.drainedAfter.clear();
  XCycle(0);
  EXPECT_EQ(recorder.drainedAfter,
            (std::vector<std::string>{"☆候補[9]でX-cycleが(3,1)から4連鎖しました", "X-cycle (7,1) <9>"}));
  SetPlatform(&platform);
}

// A formatted line of any length comes out whole, on both sides of the first buffer's size.
TEST(FormatText, LinesOfAnyLengthComeOutWhole) {
  for (size_t n : {0u, 510u, 511u, 512u, 513u, 3000u}) {
    const std::string text(n, 'x');
    EXPECT_EQ(Format("%s%u", text.c_str(), 7u), text + "7") << n;
  }
}
