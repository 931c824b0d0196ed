// Start-up and shut-down of the desktop program, shared by `vorel` and the window tests.
#pragma once
#include <QRect>
#include <QString>
#include <memory>
#include <string>

class MainWindow;
class QtPlatform;

// Smallest cell, in pixels, of the window a first start opens.
constexpr int kFirstStartCell = 48;

struct VorelApp {
  std::unique_ptr<QtPlatform> platform;
  MainWindow* window = nullptr;
};

// Load the settings from `dataFolder` (ending with "/"; the usual folder when empty), create
// the main window at the stored place with the stored board, install the Qt platform and run
// the frame's start-up. The window is not shown yet, except on a first start (no settings
// file), which opens it at a readable size on the sample puzzle.
void StartApp(VorelApp& app, const std::string& dataFolder);
// Remove the window and the platform again (the settings are saved when the window closes).
void StopApp(VorelApp& app);
// Qt's own Japanese texts (qtbase_ja) for its file, colour and font choosers and standard
// buttons, from Qt's translation folder or the given one; false when the file is not there.
bool InstallQtTranslations();
bool InstallQtTranslations(const QString& folder);
// The first start's window: cells of kFirstStartCell pixels or more as far as the available
// screen area allows, kept inside it; the place and size are kept for the settings. The
// window is shown, since its parts take their final sizes only then.
void FitFirstStart(MainWindow* window, const QRect& available);
