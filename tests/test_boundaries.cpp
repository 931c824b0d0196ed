// Routines and commands at the ends of what they take: the first and last value that does
// something, and the values just outside that must do nothing.
#include <set>

#include "board/transform.h"
#include "drivers/commands.h"
#include "drivers/dialogs.h"
#include "drivers/frame.h"
#include "tests/support.h"

namespace {

using Boundaries = EngineTest;


// The edit dialog's 24 moves are the buttons 1750, 1760, ... 1980; a number between or beyond
// them moves nothing, and every move rearranges the same 81 values.
TEST_F(Boundaries, EditMovesAreExactlyTheTwentyFourButtonsAndEachKeepsTheValues) {
  std::set<std::string> pictures;
  for (uint32_t button = 1700; button <= 2030; ++button) {
    LoadGrid(kHardPuzzle);
    BeginEditSession();
    std::multiset<uint32_t> values(g.board.value, g.board.value + 81);
    const uint32_t done = EditDialogButton(button);
    const bool move = button >= 1750 && button <= 1980 && button % 10 == 0;
    EXPECT_EQ(done != 0, move) << "button " << button;
    std::string picture;
    for (uint32_t c = 0; c < 81; ++c) picture += static_cast<char>('0' + g.board.value[c]);
    if (!move) {
      EXPECT_EQ(picture, kHardPuzzle) << "button " << button;
      continue;
    }
    EXPECT_EQ(std::multiset<uint32_t>(g.board.value, g.board.value + 81), values);
    pictures.insert(picture);
  }
  EXPECT_EQ(pictures.size(), 24u) << "every move gives its own board";
}

// Backspace steps back one cell and empties it, from the first column to the row above and
// from the first cell to the last; with the cursor set to stop at the edges it does nothing.
TEST_F(Boundaries, BackspaceEmptiesTheCellBeforeTheCursorAcrossRowEndsAndTheCorners) {
  const std::string full(81, '5');
  struct Case {
    uint32_t row, column, emptied;
  };
  for (uint32_t mode : {uint32_t{ModeNewCreation}, uint32_t{ModeEdit}})
    for (const Case& k : {Case{0, 0, 80}, Case{3, 0, 26}, Case{3, 5, 31}, Case{8, 8, 79},
                          Case{0, 1, 0}, Case{8, 0, 71}}) {
      SCOPED_TRACE(testing::Message() << "mode " << mode << " at " << k.row << "," << k.column);
      for (uint32_t csrMove : {0u, 1u}) {
        LoadGrid(full);
        g.screenMode = mode;
        g.settings.csrMove = csrMove;
        g.cursorRow = k.row;
        g.cursorColumn = k.column;
        EXPECT_EQ(RunCommand(750), CommandDone);
        for (uint32_t c = 0; c < 81; ++c)
          EXPECT_EQ(g.board.value[c], csrMove == 1 && c == k.emptied ? 0u : 5u) << "cell " << c;
        EXPECT_EQ(CursorCell(), csrMove == 1 ? k.emptied : k.row * 9 + k.column);
      }
    }
}

}  // namespace
