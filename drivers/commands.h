// The command table: every CommandId with the screen modes it may run in and its action.
// The window only turns keys, clicks and menu items into ids and calls RunCommand.
#pragma once
#include <cstdint>

enum GateBits : uint32_t {
  GateNormal = 1u << 0,
  GateNew = 1u << 1,
  GateEdit = 1u << 2,
  GateCandidate = 1u << 3,
  GateMake = 1u << 4,
  GateInput = 1u << 5,
  GateAll = 0x3F,
  GateAnalysis = GateCandidate | GateMake | GateInput,
};

struct CommandEntry {
  uint32_t id;     // 0 ends a table
  uint32_t gate;   // modes in which the command runs; anywhere else it does nothing
  void (*action)(uint32_t id);
};

enum CommandResult : uint32_t { CommandUnknown = 0, CommandRefused = 1, CommandDone = 2 };

// Run one command id in the current mode. CommandUnknown when no table holds the id.
uint32_t RunCommand(uint32_t id);
// The table entry of an id, or nullptr.
const CommandEntry* FindCommand(uint32_t id);
inline uint32_t GateOf(uint32_t mode) { return 1u << mode; }

// Table fragments, one per area; each ends with id 0.
extern const CommandEntry kFrameCommands[];      // modes, checks, cursor and digits
extern const CommandEntry kTechniqueCommands[];  // technique items, groups, batches
extern const CommandEntry kReadCommands[];       // puzzle reading
extern const CommandEntry kWriteCommands[];      // puzzle writing
extern const CommandEntry kEditCommands[];       // memory and transformations
extern const CommandEntry kGeneratorCommands[];  // generator, masks, undo
extern const CommandEntry kPathCommands[];       // the solving path's next step
extern const CommandEntry* const kRungCommands;  // the chain rung: 4000 and its routines
