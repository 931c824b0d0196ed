// Commands of this area are not built yet.
#include "drivers/commands.h"

const CommandEntry kEditCommands[] = {{0, 0, nullptr}};
