// Running techniques as commands: one technique or one group, in the current screen mode.
#pragma once
#include <cstdint>

using Routine = uint32_t (*)(uint32_t place);

// One technique: in an analysis mode log-only with a status refresh when the total changed;
// in the ordinary screen recompute candidates first and place.
void RunTechniqueCommand(Routine routine);
// The routine behind a technique menu command, or nullptr when it is not available yet.
Routine RoutineForCommand(uint32_t id);
// False for a technique command whose routine is not built yet.
bool CommandAvailable(uint32_t id);
