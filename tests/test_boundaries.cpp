// Routines and commands at the ends of what they take, and just outside.
#include "drivers/commands.h"
#include "drivers/frame.h"
#include "tests/support.h"

namespace {

using Boundaries = EngineTest;

// Backspace empties the cell before the cursor across row ends and corners; stopping: nothing.
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
