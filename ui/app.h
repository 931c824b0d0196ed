// Start-up and shut-down of the desktop program, shared by `vorel` and the window tests.
#pragma once
#include <memory>
#include <string>

class MainWindow;
class QtPlatform;

struct VorelApp {
  std::unique_ptr<QtPlatform> platform;
  MainWindow* window = nullptr;
};

// Load the settings from `dataFolder` (ending with "/"; the usual folder when empty), create
// the main window at the stored place with the stored board, install the Qt platform and run
// the frame's start-up. The window is not shown yet.
void StartApp(VorelApp& app, const std::string& dataFolder);
// Remove the window and the platform again (the settings are saved when the window closes).
void StopApp(VorelApp& app);
