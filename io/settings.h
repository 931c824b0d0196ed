// The settings file.
#pragma once
#include <cstdint>
#include <string>

// Load settings from an ini file into g.settings (defaults for missing keys); applies the
// board keys "Table2" and "Table". Returns 0 when the file cannot be read.
uint32_t LoadSettingsFile(const std::string& path);
