// Pictures of every dialog and panel for docs/, taken by scripts/screenshots.sh in a virtual
// X server with a window manager (so the title bars show). Skipped unless VOREL_SHOTS_DIR
// names the folder for the pictures.
#include <QApplication>
#include <QElapsedTimer>
#include <QScreen>
#include <QTimer>
#include <functional>

#include "board/platform.h"
#include "board/state.h"
#include "drivers/commands.h"
#include "tests/ui/window_fixture.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"

namespace {

const char* const kSample =
    "000000010400000000020000000000050407008000300001090000300400200050100000000806000";

void Wait(int ms) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// The screen around a rectangle, title bar and frame included.
void Save(const QRect& area, const QString& name) {
  QScreen* screen = QGuiApplication::primaryScreen();
  const QRect r = area.adjusted(-2, -30, 2, 2).intersected(screen->geometry());
  screen->grabWindow(0, r.x(), r.y(), r.width(), r.height())
      .save(qEnvironmentVariable("VOREL_SHOTS_DIR") + "/" + name + ".png");
}

class DialogPictures : public WindowTest {
 protected:
  std::string StartSettings() const override {
    return "[WinPos]\nWinLeft=20\nWinTop=40\nWinWidth=560\nWinHigh=600\n[MODE]\nFontSize=-30\nFontSize2=-15\n"
           "CandCtrl=1\n";
  }
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("VOREL_SHOTS_DIR")) GTEST_SKIP() << "VOREL_SHOTS_DIR is not set";
    WindowTest::SetUp();
  }
  void TearDown() override {
    if (app.window) WindowTest::TearDown();
  }
  // Run a command and photograph the modal dialog it opens, then close it.
  void ShootDialog(uint32_t command, const QString& name) {
    QTimer::singleShot(0, [name] {
      QWidget* dialog = nullptr;
      for (int i = 0; i < 100 && !(dialog = QApplication::activeModalWidget()); ++i) Wait(20);
      if (!dialog) return;
      Wait(600);
      Save(dialog->frameGeometry(), name);
      dialog->close();
    });
    RunCommand(command);
  }
  void ShootWithPanel(uint32_t panel, const QString& name) {
    Wait(600);
    QRect area = app.window->frameGeometry();
    if (QWidget* w = app.window->Panel(panel)) area = area.united(w->frameGeometry());
    Save(area, name);
  }
};

TEST_F(DialogPictures, EveryDialogAndPanel) {
  LoadGivens(kSample);
  Wait(500);
  for (const auto& [id, name] : std::vector<std::pair<uint32_t, QString>>{
           {290, "dialog-settings"}, {130, "dialog-display"}, {1241, "dialog-second-colours"},
           {1190, "dialog-edit"}, {3000, "dialog-file-names"}, {160, "dialog-about"},
           {3030, "dialog-colour-chooser"}, {180, "dialog-font-chooser"}})
    ShootDialog(id, name);
  g.settings.kanSuuji = 2;
  RunCommand(345);
  ShootWithPanel(PanelInput, "panel-digit-input");
  RunCommand(345);
  RunCommand(1160);
  RunCommand(1160);
  ShootWithPanel(PanelCandidateUsage, "panel-candidate-usage");
  RunCommand(1160);
  RunCommand(1160);
  g.settings.kanSuuji = 0;
  RunCommand(310);
  ShootWithPanel(PanelControl, "panel-candidate-control");
  ShootDialog(1150, "dialog-candidate-list");
  RunCommand(310);
  RunCommand(330);
  ShootWithPanel(PanelControl, "panel-problem-making");
}

}  // namespace
