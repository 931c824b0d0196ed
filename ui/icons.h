// Toolbar images and the program icon, drawn by the program itself.
#pragma once
#include <QIcon>
#include <cstdint>

// The 16x16 image of a toolbar button (with a 32x32 form for dense screens).
QIcon ToolbarIcon(uint32_t id);
// The program's icon: a small board with a highlighted cell.
QIcon ProgramIcon();
