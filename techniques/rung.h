// The rung above the catalogue: one registration table for its routines, the short named
// patterns and the chain engine's, read by the menus, vorel-cli, command 4000, the grader and
// the soundness tests. Adding a routine is one row here plus its file.
#pragma once
#include <cstdint>

#include "board/queue.h"
#include "techniques/chain_rung.h"
#include "techniques/patterns.h"

enum RungGrade : uint32_t {
  RungChains = 0,  // chains, loops and patterns
  RungNets = 1,    // forcing chains and nets
};

struct RungRow {
  uint32_t commandId;
  const char* name;  // the routine name vorel-cli --run accepts
  uint32_t (*routine)(uint32_t place);
  const char* label;  // menu item under 解析 › 連鎖
  uint32_t code;      // log code (TechniqueName)
  double weight;      // difficulty, 1.0 for a single up to about 11 for the deepest nets
  uint32_t grade;     // RungGrade
  bool uniqueness;    // relies on a unique solution: never run by 4000 or the grader
  // The same search sharing the chain engine's tables with the routines run before it on the
  // same table (4000); nullptr for the routines that keep no tables.
  uint32_t (*shared)(ChainScratch& scratch, uint32_t place);
};

inline constexpr RungRow kRungRows[] = {
    {4001, "Skyscraper", Skyscraper, "Skyscraper", CodeSkyscraper, 4.0, RungChains, false,
     nullptr},
    {4002, "TwoStringKite", TwoStringKite, "2-String Kite", CodeTwoStringKite, 4.1, RungChains,
     false, nullptr},
    {4003, "TurbotFish", TurbotFish, "Turbot Fish", CodeTurbotFish, 4.2, RungChains, false,
     nullptr},
    {4004, "EmptyRectangle", EmptyRectangle, "Empty Rectangle", CodeEmptyRectangle, 4.3,
     RungChains, false, nullptr},
    {4005, "WWing", WWing, "W-Wing", CodeWWing, 4.4, RungChains, false, nullptr},
    {4006, "HiddenRectangle", HiddenRectangle, "Hidden Rectangle", CodeHiddenRectangle, 4.7,
     RungChains, true, nullptr},
    {4007, "AvoidableRectangleType1", AvoidableRectangleType1, "Avoidable Rectangle Type 1",
     CodeAvoidableRectangleType1, 4.7, RungChains, true, nullptr},
    {4008, "AvoidableRectangleType2", AvoidableRectangleType2, "Avoidable Rectangle Type 2",
     CodeAvoidableRectangleType2, 4.8, RungChains, true, nullptr},
    {4009, "BugPlusOne", BugPlusOne, "BUG+1", CodeBugPlusOne, 5.6, RungChains, true, nullptr},
    {4010, "SueDeCoq", SueDeCoq, "Sue de Coq", CodeSueDeCoq, 5.8, RungChains, false, nullptr},
    {4011, "ContinuousNiceLoop", ContinuousNiceLoop, "Continuous Nice Loop",
     CodeContinuousNiceLoop, 6.5, RungChains, false, SharedContinuousNiceLoop},
    {4012, "DiscontinuousNiceLoop", DiscontinuousNiceLoop, "Discontinuous Nice Loop",
     CodeDiscontinuousNiceLoop, 6.6, RungChains, false, SharedDiscontinuousNiceLoop},
    {4013, "Aic", Aic, "AIC", CodeAic, 6.6, RungChains, false, SharedAic},
    {4014, "GroupedContinuousNiceLoop", GroupedContinuousNiceLoop,
     "Grouped Continuous Nice Loop", CodeGroupedContinuousNiceLoop, 7.0, RungChains, false,
     SharedGroupedContinuousNiceLoop},
    {4015, "GroupedDiscontinuousNiceLoop", GroupedDiscontinuousNiceLoop,
     "Grouped Discontinuous Nice Loop", CodeGroupedDiscontinuousNiceLoop, 7.0, RungChains, false,
     SharedGroupedDiscontinuousNiceLoop},
    {4016, "GroupedAic", GroupedAic, "Grouped AIC", CodeGroupedAic, 7.0, RungChains, false,
     SharedGroupedAic},
    {4017, "AlsXyWing", AlsXyWing, "ALS-XY-Wing", CodeAlsXyWing, 7.2, RungChains, false,
     SharedAlsXyWing},
    {4018, "AlsChain", AlsChain, "ALS Chain", CodeAlsChain, 7.5, RungChains, false,
     SharedAlsChain},
    {4019, "ContradictionForcingChain", ContradictionForcingChain, "Forcing Chain Contradiction",
     CodeContradictionForcingChain, 8.0, RungNets, false, SharedContradictionForcingChain},
    {4020, "DigitForcingChain", DigitForcingChain, "Digit Forcing Chain", CodeDigitForcingChain,
     8.2, RungNets, false, SharedDigitForcingChain},
    {4021, "CellForcingChain", CellForcingChain, "Cell Forcing Chain", CodeCellForcingChain, 8.3,
     RungNets, false, SharedCellForcingChain},
    {4022, "UnitForcingChain", UnitForcingChain, "Unit Forcing Chain", CodeUnitForcingChain, 8.4,
     RungNets, false, SharedUnitForcingChain},
    {4023, "ContradictionForcingNet", ContradictionForcingNet, "Forcing Net Contradiction",
     CodeContradictionForcingNet, 9.0, RungNets, false, SharedContradictionForcingNet},
    {4024, "DigitForcingNet", DigitForcingNet, "Digit Forcing Net", CodeDigitForcingNet, 9.2,
     RungNets, false, SharedDigitForcingNet},
    {4025, "CellForcingNet", CellForcingNet, "Cell Forcing Net", CodeCellForcingNet, 9.3,
     RungNets, false, SharedCellForcingNet},
    {4026, "UnitForcingNet", UnitForcingNet, "Unit Forcing Net", CodeUnitForcingNet, 9.4,
     RungNets, false, SharedUnitForcingNet},
    {4027, "NestedForcingNet", NestedForcingNet, "Nested Forcing Net", CodeNestedForcingNet,
     10.5, RungNets, false, SharedNestedForcingNet},
};
inline constexpr uint32_t kRungRowCount = sizeof kRungRows / sizeof kRungRows[0];
inline constexpr uint32_t kRungBatchId = 4000;

// The row of a command id, nullptr when none.
const RungRow* RungRowForCommand(uint32_t id);
// The rows in the order 4000 tries them: by weight, the lower id first on a tie.
const RungRow* const* RungOrder();
// Command 4000's search: the rows in order, not those relying on uniqueness, until one removes
// something. Returns the row that did, or nullptr. With the placement flag the placement pass
// follows, as at the end of a routine; *placed (when given) gets the routine's result.
// Rows of a higher grade than maxGrade are left out.
const RungRow* RunRungStep(uint32_t place, uint32_t* placed = nullptr,
                           uint32_t maxGrade = RungNets);
