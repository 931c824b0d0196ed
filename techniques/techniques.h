// Every technique routine of the catalogue. A routine takes the placement flag: 0 logs only
// (returns 1); otherwise it ends with the placement pass of kind 4 and returns its result.
#pragma once
#include <cstdint>

struct RoutineEntry {
  const char* name;    // the routine name vorel-cli --run accepts
  uint32_t (*routine)(uint32_t place);
  uint32_t commandId;  // its menu command, 0 when it has none
};

// Look a routine up by name (case-sensitive); nullptr when unknown or not available.
const RoutineEntry* FindRoutine(const char* name);
// All available routines, in catalogue order (ends with a null name).
const RoutineEntry* const* RoutineTables();

// Naked subsets
uint32_t NakedPair(uint32_t place);
uint32_t NakedTriple(uint32_t place);
uint32_t NakedQuad(uint32_t place);
uint32_t NakedQuintuplet(uint32_t place);
uint32_t HintNakedPair();
uint32_t HintNakedTriple();
uint32_t HintNakedQuad();
uint32_t HintNakedQuintuplet();
extern const RoutineEntry kNakedSubsetRoutines[];

// Hidden subsets
uint32_t HiddenPair(uint32_t place);
uint32_t HiddenTriple(uint32_t place);
uint32_t HiddenQuad(uint32_t place);
uint32_t HiddenQuintuplet(uint32_t place);
uint32_t HintHiddenPair();
uint32_t HintHiddenTriple();
extern const RoutineEntry kHiddenSubsetRoutines[];

// Locked candidates
uint32_t LockedCandidates(uint32_t place);
extern const RoutineEntry kLockedCandidateRoutines[];

// Basic fish
uint32_t XWing(uint32_t place);
uint32_t SwordFish(uint32_t place);
uint32_t JerryFish(uint32_t place);
uint32_t Squirmbag(uint32_t place);
extern const RoutineEntry kBasicFishRoutines[];

// Finned and sashimi fish
uint32_t FinnedFish(uint32_t place);
uint32_t FinnedSwordfish(uint32_t place);
uint32_t FinnedJerryfish(uint32_t place);
uint32_t FinnedSquirmbag(uint32_t place);
uint32_t FinnedWhale(uint32_t place);
uint32_t FinnedLeviathan(uint32_t place);
uint32_t SashimiFish(uint32_t place);
uint32_t SashimiSwordfish(uint32_t place);
uint32_t SashimiJerryfish(uint32_t place);
uint32_t SashimiSquirmbag(uint32_t place);
uint32_t SashimiWhale(uint32_t place);
uint32_t SashimiLeviathan(uint32_t place);
extern const RoutineEntry kFinnedFishRoutines[];

// Franken swordfish
uint32_t FrankenSwordfish(uint32_t place);
extern const RoutineEntry kFrankenFishRoutines[];

// Wings
uint32_t XYWing(uint32_t place);
uint32_t XYZWing(uint32_t place);
uint32_t WXYZWing(uint32_t place);
uint32_t WXYZWingType1(uint32_t place);
uint32_t WXYZWingType2(uint32_t place);
uint32_t WXYZWingType3(uint32_t place);
extern const RoutineEntry kWingRoutines[];

// Colouring
uint32_t SimpleColoring(uint32_t place);
uint32_t MultiColoringType1(uint32_t place);
uint32_t MultiColoringType2(uint32_t place);
uint32_t Medusa3D(uint32_t place);
extern const RoutineEntry kColouringRoutines[];

// Chains
uint32_t XCycle(uint32_t place);
uint32_t XYChain(uint32_t place);
uint32_t XYChainCheck(uint32_t place);
uint32_t RemotePairs(uint32_t place);
extern const RoutineEntry kChainRoutines[];

// Uniqueness
uint32_t UniqueRectangleType1(uint32_t place);
uint32_t UniqueRectangleType2(uint32_t place);
uint32_t UniqueRectangleType3(uint32_t place);
uint32_t UniqueRectangleType4(uint32_t place);
uint32_t GurthsSymmetricalPlacement(uint32_t place);
extern const RoutineEntry kUniquenessRoutines[];

// Almost-locked-set family
uint32_t AlsXZ(uint32_t place);
uint32_t AlignedPairExclusion(uint32_t place);
uint32_t DeathBlossom(uint32_t place);
extern const RoutineEntry kAlmostLockedSetRoutines[];

// The rung above the catalogue (techniques/rung.h), as routine entries
extern const RoutineEntry* const kRungRoutines;

// Hamada logic
uint32_t HamadaLogic(uint32_t place);
extern const RoutineEntry kHamadaRoutines[];
