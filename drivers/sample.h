#pragma once
// The built-in sample puzzle, a classic that needs more than singles: `vorel-cli --sample`
// and the window's first start, when there is no settings file yet.
inline constexpr const char* kSamplePuzzle =
    "000000010400000000020000000000050407008000300001090000300400200050100000000806000";
