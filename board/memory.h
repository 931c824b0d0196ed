// The one-slot board memory: values, kinds and, depending on where it was taken, the
// candidate table and the generator's solution grid.
#pragma once
#include <cstdint>

enum MemoryOrigin : uint32_t { OriginOther = 0, OriginMakeProblem = 1, OriginCandidate = 2 };

// Copy the board (and what the origin keeps) into the memory. Returns 1 when this was the
// first store of the process (from then on the restore command has something to restore).
uint32_t SnapshotToMemory(uint32_t origin);
// Copy values and kinds back.
void RestoreBoardFromMemory();
// Copy flags and counts back and make the total the sum of the counts.
void RestoreCandidatesFromMemory();
