#pragma once
// The built-in sample puzzle of `vorel-cli --sample`: a classic that needs more than singles.
inline constexpr const char* kSamplePuzzle =
    "000000010400000000020000000000050407008000300001090000300400200050100000000806000";
