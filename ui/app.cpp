#include "ui/app.h"

#include <QGuiApplication>
#include <QScreen>
#include <ctime>

#include "board/state.h"
#include "drivers/frame.h"
#include "io/settings.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"

void StartApp(VorelApp& app, const std::string& dataFolder) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize size = screen ? screen->size() : QSize(kDefaultScreenWidth, kDefaultScreenHeight);
  g.exeDir = dataFolder.empty() ? ChooseDataFolder(ExecutableFolder()) : dataFolder;
  ApplyDefaultSettings(g.settings);
  ResetStartupState();
  LoadSettings(SettingsPath(), size.width(), size.height());
  RebuildFonts();

  app.window = new MainWindow();
  app.platform = std::make_unique<QtPlatform>(app.window);
  SetPlatform(app.platform.get());
  app.window->move(g.settings.winLeft, g.settings.winTop);
  app.window->resize(g.settings.winWidth, g.settings.winHigh);
  StartFrame();
  SeedRandom(static_cast<uint32_t>(std::time(nullptr)));
  // The window, unlike vorel-cli, starts in the folder the settings name.
  ApplyStartDirectory();
}

void StopApp(VorelApp& app) {
  SetPlatform(nullptr);
  delete app.window;
  app.window = nullptr;
  app.platform.reset();
}
