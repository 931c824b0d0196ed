// Commands of this area are not built yet.
#include "drivers/commands.h"

const CommandEntry kGeneratorCommands[] = {{0, 0, nullptr}};
