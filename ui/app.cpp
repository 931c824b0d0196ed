#include "ui/app.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLayout>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>
#include <algorithm>
#include <ctime>

#include "board/state.h"
#include "drivers/frame.h"
#include "drivers/sample.h"
#include "io/read.h"
#include "io/settings.h"
#include "ui/board_view.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"

namespace {

// Room left around a first-start window for the frame and title bar of the window manager.
constexpr int kFrameAllowance = 40;

}  // namespace

bool InstallQtTranslations(const QString& folder) {
  static QTranslator* installed = nullptr;
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(QStringLiteral("qtbase_ja"), folder)) {
    delete translator;
    return false;
  }
  if (installed) {
    QCoreApplication::removeTranslator(installed);
    delete installed;
  }
  QCoreApplication::installTranslator(translator);
  installed = translator;
  return true;
}

bool InstallQtTranslations() {
  return InstallQtTranslations(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

void FitFirstStart(MainWindow* window, const QRect& available) {
  BoardView* board = window->Board();
  const QSize need(9 * kFirstStartCell + 1, 9 * kFirstStartCell + 1);
  const QSize room(available.width() - kFrameAllowance, available.height() - kFrameAllowance);
  // The menu bar, toolbar and status bar take what they take once shown (the status bar's
  // size grip appears only then): measure the board in the shown window and add what it lacks.
  window->show();
  window->resize(window->size().boundedTo(room));
  for (int attempt = 0; attempt < 3; ++attempt) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    if (QLayout* layout = window->layout()) layout->activate();
    const QSize lack = (need - board->size()).expandedTo(QSize(0, 0));
    const QSize next = (window->size() + lack).boundedTo(room);
    if (next == window->size()) break;
    window->resize(next);
  }
  const QSize size = window->size();
  const int left = std::clamp(available.left() + g.settings.winLeft, available.left(),
                              std::max(available.left(), available.right() - size.width() - kFrameAllowance));
  const int top = std::clamp(available.top() + g.settings.winTop, available.top(),
                             std::max(available.top(), available.bottom() - size.height() - kFrameAllowance));
  window->move(left, top);
  g.settings.winLeft = left;
  g.settings.winTop = top;
  g.settings.winWidth = window->width();
  g.settings.winHigh = window->height();
}

void StartApp(VorelApp& app, const std::string& dataFolder) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize size = screen ? screen->size() : QSize(kDefaultScreenWidth, kDefaultScreenHeight);
  g.exeDir = dataFolder.empty() ? ChooseDataFolder(ExecutableFolder()) : dataFolder;
  ApplyDefaultSettings(g.settings);
  ResetStartupState();
  // A first start (no settings file yet) opens on the sample puzzle in a window whose cells
  // can be read; afterwards the settings file says how the window opens.
  const bool firstStart = !QFileInfo::exists(QString::fromStdString(SettingsPath()));
  LoadSettings(SettingsPath(), size.width(), size.height());
  if (firstStart) ParsePuzzleText(reinterpret_cast<const uint8_t*>(kSamplePuzzle), 81, EncodingBytes);
  RebuildFonts();

  app.window = new MainWindow();
  app.platform = std::make_unique<QtPlatform>(app.window);
  SetPlatform(app.platform.get());
  app.window->move(g.settings.winLeft, g.settings.winTop);
  app.window->resize(g.settings.winWidth, g.settings.winHigh);
  StartFrame();
  if (firstStart)
    FitFirstStart(app.window, screen ? screen->availableGeometry()
                                     : QRect(0, 0, kDefaultScreenWidth, kDefaultScreenHeight));
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
