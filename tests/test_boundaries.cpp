// Routines and commands at the ends of what they take: the first and last value that does
// something, and the values just outside that must do nothing.
#include <set>

#include "board/transform.h"
#include "drivers/dialogs.h"
#include "tests/support.h"

namespace {

using Boundaries = EngineTest;

const char* const kGivens =
    "100000002090400050006000700050903000000070000000850040700000600030009080002000001";

// The edit dialog's 24 moves are the buttons 1750, 1760, ... 1980; a number between or beyond
// them moves nothing, and every move rearranges the same 81 values.
TEST_F(Boundaries, EditMovesAreExactlyTheTwentyFourButtonsAndEachKeepsTheValues) {
  std::set<std::string> pictures;
  for (uint32_t button = 1700; button <= 2030; ++button) {
    LoadGrid(kGivens);
    BeginEditSession();
    std::multiset<uint32_t> values(g.board.value, g.board.value + 81);
    const uint32_t done = EditDialogButton(button);
    const bool move = button >= 1750 && button <= 1980 && button % 10 == 0;
    EXPECT_EQ(done != 0, move) << "button " << button;
    std::string picture;
    for (uint32_t c = 0; c < 81; ++c) picture += static_cast<char>('0' + g.board.value[c]);
    if (!move) {
      EXPECT_EQ(picture, kGivens) << "button " << button;
      continue;
    }
    EXPECT_EQ(std::multiset<uint32_t>(g.board.value, g.board.value + 81), values);
    pictures.insert(picture);
  }
  EXPECT_EQ(pictures.size(), 24u) << "every move gives its own board";
}

}  // namespace
