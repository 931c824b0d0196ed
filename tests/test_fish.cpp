// Fish of every size at the edges of their tables: a queue that fills up, and every routine
// of the subset, locked and fish families on empty and crowded candidate tables.
#include <string>

#include "board/queue.h"
#include "techniques/techniques.h"
#include "tests/support.h"

using Fish = CandidateTableTest;
using Strings = std::vector<std::string>;

// Digit 1 confined to columns 1..5 in every row: every 5-row set of Squirmbag is a fish with
// 20 targets, 2520 entries in all. The queue takes 2000 and refuses the rest.
TEST_F(Fish, FullQueueRefusesEntriesAndTheFlushWarnsOnce) {
  for (uint32_t r = 0; r < 9; ++r) RowOnly(r, 1, {0, 1, 2, 3, 4});
  g.settings.candErase = 0;
  Squirmbag(0);
  EXPECT_EQ(platform.Lines("message"), Strings{"緊急停止希望\t消去予定数が多すぎます！＜2000＞"});
  EXPECT_EQ(g.queue.length, 0u);
  EXPECT_EQ(CandidateInvariantError(), "");
}

// Every routine of these families on an empty grid, the confined digit above and a grid where
// every line holds each digit about twice: the queue drains and the table stays consistent.
TEST_F(Fish, EveryRoutineKeepsTheTableConsistentOnExtremeTables) {
  for (int shape = 0; shape < 3; ++shape)
    for (const RoutineEntry* table :
         {kNakedSubsetRoutines, kHiddenSubsetRoutines, kLockedCandidateRoutines,
          kBasicFishRoutines, kFinnedFishRoutines, kFrankenFishRoutines})
      for (const RoutineEntry* e = table; e->name; ++e) {
        LoadState(std::string(81, '.'));
        g.settings.candErase = 0;
        for (uint32_t c = 0; c < 81; ++c)
          for (uint32_t d = 1; d <= 9; ++d)
            if ((shape == 1 && d == 1 && c % 9 > 4) ||
                (shape == 2 && (c + d) % 9 > 1 && (c / 9 + c % 9 + d) % 4 != 0))
              Drop(c, d);
        e->routine(0);
        EXPECT_EQ(g.queue.length, 0u) << e->name;
        EXPECT_EQ(CandidateInvariantError(), "") << e->name << " on shape " << shape;
      }
}
