// Puzzle writers.
#pragma once
#include <cstdint>

// After a successful clipboard read: Copy&Save modes 1 and 2 append the puzzle to the
// collection file (mode 2 converts block order first); every mode empties the UndoLog.
void AppendToCollection();
