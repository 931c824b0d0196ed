// The settings file reader is not built yet.
#include "io/settings.h"

uint32_t LoadSettingsFile(const std::string&) { return 0; }
