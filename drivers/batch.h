// Batch solving, limits and grading: the drivers behind 1070, 1080, 910, 950, 1210, 430,
// 420, 1260 and 1261.
#pragma once
#include <cstdint>

void BatchBasic();
void BatchUpper();
// Command 4000 in an analysis mode: the rung's routines, simplest first, until one removes
// something; the status refreshes when the total changed. BatchRungChains stops short of the
// forcing chains and nets (the grader's "chains" rung).
void BatchRung();
void BatchRungChains();
void SingleMax();
void AutoLimit();
void FixSoleCandidates();
void ClearAutomatic();
void ClearAll();
void TechniqueCheckDelete();
void LastResort();

// The routines "テクニック確認削除" runs on each trial, in order (Hidden Quad first).
constexpr uint32_t kTechniqueCheckLength = 33;
extern uint32_t (*TechniqueCheckRoutines[kTechniqueCheckLength])(uint32_t place);
