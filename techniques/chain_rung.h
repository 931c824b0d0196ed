// The chain engine's routines: AICs and nice loops (plain and grouped), ALS-XY-Wing and ALS
// chains, and forcing chains and nets. Each follows the catalogue's routine frame (queue, flush under its own code, placement
// pass with the flag); the Shared forms take the engine's tables from the caller so that the
// routines run one after the other on one table build them once.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

struct ChainTables;

// Scratch of the chain engine, kept by the caller for as long as it likes; everything in it is
// rebuilt when the candidate table changed.
struct ChainScratch {
  ChainScratch();
  ~ChainScratch();
  std::unique_ptr<ChainTables> tables;
};

// When set, every chain step a routine applies appends its chain text here ("; " between two),
// whatever the log display mode; the solving path reads its steps' chains through it.
extern std::string* ChainTextSink;

// The depth bound of the forcing nets: conclusions more than this many steps from the premise
// are not drawn.
constexpr uint32_t kNetDepth = 40;

uint32_t ContinuousNiceLoop(uint32_t place);
uint32_t DiscontinuousNiceLoop(uint32_t place);
uint32_t Aic(uint32_t place);
uint32_t GroupedContinuousNiceLoop(uint32_t place);
uint32_t GroupedDiscontinuousNiceLoop(uint32_t place);
uint32_t GroupedAic(uint32_t place);
uint32_t AlsXyWing(uint32_t place);
uint32_t AlsChain(uint32_t place);
uint32_t ContradictionForcingChain(uint32_t place);
uint32_t DigitForcingChain(uint32_t place);
uint32_t CellForcingChain(uint32_t place);
uint32_t UnitForcingChain(uint32_t place);
uint32_t ContradictionForcingNet(uint32_t place);
uint32_t DigitForcingNet(uint32_t place);
uint32_t CellForcingNet(uint32_t place);
uint32_t UnitForcingNet(uint32_t place);
uint32_t NestedForcingNet(uint32_t place);

uint32_t SharedContinuousNiceLoop(ChainScratch& scratch, uint32_t place);
uint32_t SharedDiscontinuousNiceLoop(ChainScratch& scratch, uint32_t place);
uint32_t SharedAic(ChainScratch& scratch, uint32_t place);
uint32_t SharedGroupedContinuousNiceLoop(ChainScratch& scratch, uint32_t place);
uint32_t SharedGroupedDiscontinuousNiceLoop(ChainScratch& scratch, uint32_t place);
uint32_t SharedGroupedAic(ChainScratch& scratch, uint32_t place);
uint32_t SharedAlsXyWing(ChainScratch& scratch, uint32_t place);
uint32_t SharedAlsChain(ChainScratch& scratch, uint32_t place);
uint32_t SharedContradictionForcingChain(ChainScratch& scratch, uint32_t place);
uint32_t SharedDigitForcingChain(ChainScratch& scratch, uint32_t place);
uint32_t SharedCellForcingChain(ChainScratch& scratch, uint32_t place);
uint32_t SharedUnitForcingChain(ChainScratch& scratch, uint32_t place);
uint32_t SharedContradictionForcingNet(ChainScratch& scratch, uint32_t place);
uint32_t SharedDigitForcingNet(ChainScratch& scratch, uint32_t place);
uint32_t SharedCellForcingNet(ChainScratch& scratch, uint32_t place);
uint32_t SharedUnitForcingNet(ChainScratch& scratch, uint32_t place);
uint32_t SharedNestedForcingNet(ChainScratch& scratch, uint32_t place);
