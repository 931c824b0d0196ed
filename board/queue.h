// The elimination queue and the logger that applies it and writes the technique log.
#pragma once
#include <cstdint>
#include <string>

enum TechniqueCodeValue : uint32_t {
  CodeHiddenSingle = 1, CodeNakedPair = 2, CodeHiddenPair = 3, CodeNakedTriple = 4,
  CodeHiddenTriple = 5, CodeNakedQuad = 6, CodeHiddenQuad = 7, CodeNakedQuintuplet = 8,
  CodeHiddenQuintuplet = 9, CodeXWing = 10, CodeSwordFish = 11, CodeJerryFish = 12,
  CodeSquirmbag = 13, CodeXYWing = 14, CodeLockedCandidates = 15, CodeMultiColoringType1 = 16,
  CodeMultiColoringType2 = 17, CodeUniqueRectangleType1 = 18, CodeUniqueRectangleType2 = 19,
  CodeUniqueRectangleType3 = 20, CodeUniqueRectangleType4 = 21, CodeSimpleColoring = 22,
  CodeXYChain = 23, CodeRemotePairs = 24, CodeHamadaLogic = 25, CodeXYZWing = 26,
  CodeWXYZWing = 27, CodeNakedSingle = 28, CodeFinnedFish = 29, CodeSashimiFish = 30,
  CodeXCycle = 31, CodeSashimiSwordfish = 32, CodeSashimiJerryfish = 33,
  CodeSashimiSquirmbag = 34, CodeSashimiWhale = 35, CodeSashimiLeviathan = 36,
  CodeFinnedSwordfish = 37, CodeFinnedJerryfish = 38, CodeFinnedSquirmbag = 39,
  CodeFinnedWhale = 40, CodeFinnedLeviathan = 41, CodeAlignedPairExclusion = 42,
  CodeGurthsSymmetricalPlacement = 43, CodeDeathBlossom = 44, CodeAlsXZ = 45,
  CodeFrankenSwordfish = 46, CodeFrankenJellyfish = 47, CodeMedusa3D = 48,
};

// The chain rung above the catalogue logs under codes of its own, from 101 up, so that no
// catalogue line changes. 101-110 are the short named patterns; 111 up the chain engine's.
enum RungCodeValue : uint32_t {
  CodeSkyscraper = 101, CodeTwoStringKite = 102, CodeTurbotFish = 103,
  CodeEmptyRectangle = 104, CodeWWing = 105, CodeHiddenRectangle = 106,
  CodeAvoidableRectangleType1 = 107, CodeAvoidableRectangleType2 = 108, CodeBugPlusOne = 109,
  CodeSueDeCoq = 110,
  CodeContinuousNiceLoop = 111, CodeDiscontinuousNiceLoop = 112, CodeAic = 113,
  CodeGroupedContinuousNiceLoop = 114, CodeGroupedDiscontinuousNiceLoop = 115,
  CodeGroupedAic = 116, CodeAlsXyWing = 117, CodeAlsChain = 118,
  CodeContradictionForcingChain = 119, CodeDigitForcingChain = 120, CodeCellForcingChain = 121,
  CodeUnitForcingChain = 122, CodeContradictionForcingNet = 123, CodeDigitForcingNet = 124,
  CodeCellForcingNet = 125, CodeUnitForcingNet = 126, CodeNestedForcingNet = 127,
  kFirstRungCode = 101, kLastRungCode = 140,
};

// Name the log prints for a code; "UnKnown" outside 1..48 and the rung's named codes.
const char* TechniqueName(uint32_t code);

// Start a routine's queue (length 0).
inline void ResetQueue();
// Append (cell, digit index). Refused (returns 0) when the queue already holds its 2000
// entries: nothing is written past the columns. Returns 1 when queued.
inline uint32_t QueueElimination(uint32_t cell, uint32_t digit);
// Append with witnesses. Entries that record witnesses are refused once the 64 witness rows
// are used, so a detailed line never prints a witness that was not written.
uint32_t QueueEliminationWitness(uint32_t cell, uint32_t digit, uint32_t w1, uint32_t w2,
                                 uint32_t w3);

// Apply and log the queue under a technique code; the queue is empty afterwards.
void FlushEliminations(uint32_t code);

// Called at the end of every flush when set (tests and fuzzers check invariants here).
extern void (*FlushObserver)(uint32_t code);

// Shared formatting helper: printf into a std::string.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// Append a free line to the technique log (modes 1 and 2 only; used by the explanation
// lines some techniques write in the detailed mode). Drains like a logger line.
void LogLine(const std::string& line);

#include "board/state.h"
inline void ResetQueue() {
  g.queue.length = 0;
  g.queue.idle = 0;
}
inline uint32_t QueueElimination(uint32_t cell, uint32_t digit) {
  EliminationQueue& q = g.queue;
  if (q.length >= kQueueCapacity) return 0;
  q.cell[q.length] = cell;
  q.digit[q.length] = digit;
  if (q.length < kWitnessCapacity) q.witnessed[q.length] = 0;
  ++q.length;
  return 1;
}
