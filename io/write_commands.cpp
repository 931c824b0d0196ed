// Commands of this area are not built yet.
#include "board/state.h"
#include "drivers/commands.h"
#include "io/write.h"

void AppendToCollection() { UndoClear(); }

const CommandEntry kWriteCommands[] = {{0, 0, nullptr}};
