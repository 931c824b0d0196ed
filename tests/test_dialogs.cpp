// Dialog and panel logic of the desktop window, run headless.
#include <gtest/gtest.h>

#include "drivers/placement.h"

TEST(Placement, RightWhenRoomElseLeftRememberedWins) {
  struct Case {
    int32_t mainLeft, mainTop, mainRight, screenRight, width, remembered, left, top;
  } cases[] = {
      {100, 40, 500, 1920, 300, kNotPlaced, 501, 40},        // room on the right
      {1200, 40, 1700, 1920, 300, kNotPlaced, 899, 40},      // too little: left side
      {1200, 40, 1620, 1920, 300, kNotPlaced, 899, 40},      // exactly the width is not enough
      {1200, 40, 1619, 1920, 300, kNotPlaced, 1620, 40},
      {100, 40, 1800, 1920, 300, kNotPlaced, 0, 40},         // no room either side: stays on screen
      {100, 40, 500, 1920, 300, PackPosition(700, 230), 700, 230},
      {100, 40, 500, 1920, 300, PackPosition(0, -20), 0, -20},
      {100, 40, 500, 1920, 300, PackPosition(-300, 15), -300, 15},
  };
  for (const Case& c : cases) {
    int32_t left = 7, top = 7;
    PlacePanel(c.mainLeft, c.mainTop, c.mainRight, c.screenRight, c.width, c.remembered, left, top);
    EXPECT_EQ(left, c.left) << c.mainRight << " " << c.remembered;
    EXPECT_EQ(top, c.top) << c.mainRight << " " << c.remembered;
  }
  EXPECT_EQ(PackPosition(700, 230), 700 * 65536 + 230);
}
