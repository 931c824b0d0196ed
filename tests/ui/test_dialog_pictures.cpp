// Every dialog and panel opened by its command comes up (the dialogs modal) with its title.
// Under scripts/screenshots.sh (VOREL_SHOTS_DIR naming the folder) the walk takes the pictures.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLineEdit>
#include <QFontDialog>
#include <QElapsedTimer>
#include <QScreen>
#include <algorithm>
#include <tuple>

#include "tests/ui/window_fixture.h"

namespace {

bool Shooting() { return !qEnvironmentVariableIsEmpty("VOREL_SHOTS_DIR"); }

void Wait(int ms) {
  if (!Shooting()) ms = std::min(ms, 20);
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// The screen around a rectangle, title bar and frame included.
void Save(const QRect& area, const QString& name) {
  if (!Shooting() || name.isEmpty()) return;
  QScreen* screen = QGuiApplication::primaryScreen();
  const QRect r = area.adjusted(-2, -30, 2, 2).intersected(screen->geometry());
  screen->grabWindow(0, r.x(), r.y(), r.width(), r.height())
      .save(qEnvironmentVariable("VOREL_SHOTS_DIR") + "/" + name + ".png");
}

// Every control of a dialog lies inside it and clear of every other one.
void ExpectEveryControlInReach(QWidget* dialog, const QString& name) {
  const auto isControl = [](QWidget* w) {
    return qobject_cast<QAbstractButton*>(w) || qobject_cast<QLabel*>(w) || qobject_cast<QLineEdit*>(w) ||
           qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w);
  };
  std::vector<std::pair<QWidget*, QRect>> controls;
  for (QWidget* w : dialog->findChildren<QWidget*>()) {
    // Not the inner parts of a list, a spin box or a combo box.
    if (!w->isVisible() || !isControl(w) || isControl(w->parentWidget())) continue;
    const QRect r(w->mapTo(dialog, QPoint(0, 0)), w->size());
    EXPECT_TRUE(dialog->rect().contains(r)) << name.toStdString() << ": "
                                            << w->objectName().toStdString() << " outside";
    controls.emplace_back(w, r);
  }
  for (size_t i = 0; i < controls.size(); ++i)
    for (size_t j = i + 1; j < controls.size(); ++j)
      EXPECT_FALSE(controls[i].second.intersects(controls[j].second))
          << name.toStdString() << ": " << controls[i].first->objectName().toStdString() << " and "
          << controls[j].first->objectName().toStdString() << " overlap";
}

class DialogPictures : public WindowTest {
 protected:
  std::string StartSettings() const override {
    return "[WinPos]\nWinLeft=20\nWinTop=40\nWinWidth=560\nWinHigh=600\n[MODE]\nFontSize=-30\nFontSize2=-15\n"
           "CandCtrl=1\n";
  }
  // Runs a command, photographs its modal dialog and closes it; returns its title or "(none)".
  QString ShootDialog(uint32_t command, const QString& name) {
    QString title = QStringLiteral("(none)");
    QTimer::singleShot(0, [name, &title] {
      QWidget* dialog = nullptr;
      for (int i = 0; i < 100 && !(dialog = QApplication::activeModalWidget()); ++i) Wait(20);
      if (!dialog) return;
      Wait(600);
      title = dialog->windowTitle();
      if (qobject_cast<QColorDialog*>(dialog)) title = QStringLiteral("(colour chooser)");
      if (qobject_cast<QFontDialog*>(dialog)) title = QStringLiteral("(font chooser)");
      if (!title.startsWith('(')) ExpectEveryControlInReach(dialog, name);
      Save(dialog->frameGeometry(), name);
      dialog->close();
    });
    RunCommand(command);
    return title;
  }
  // Photographs the window with the panel beside it (when named); its title or "(none)".
  QString ShootWithPanel(uint32_t panel, const QString& name) {
    Wait(600);
    QWidget* w = app.window->Panel(panel);
    if (!w || !w->isVisible()) return QStringLiteral("(none)");
    Save(app.window->frameGeometry().united(w->frameGeometry()), name);
    return w->windowTitle();
  }
};

TEST_F(DialogPictures, EveryDialogAndPanelOpensWithItsTitle) {
  LoadGivens(kSample);
  Wait(500);
  for (const auto& [id, name, title] : std::vector<std::tuple<uint32_t, QString, QString>>{
           {290, "dialog-settings", "設定の変更"}, {130, "dialog-display", "設定変更"},
           {1241, "dialog-second-colours", "第二表示色設定"}, {1190, "dialog-edit", "画面の編集"},
           {3000, "dialog-file-names", "保存ファイル名自動生成"},
           {160, "dialog-about", "Vorelのバージョン情報"},
           {3030, "dialog-colour-chooser", "(colour chooser)"},
           {180, "dialog-font-chooser", "(font chooser)"}})
    EXPECT_EQ(ShootDialog(id, name), title) << id;
  g.settings.kanSuuji = 2;
  RunCommand(345);
  EXPECT_EQ(ShootWithPanel(PanelInput, "panel-digit-input"), "数字入力");
  RunCommand(345);
  RunCommand(1160);
  RunCommand(1160);
  EXPECT_EQ(ShootWithPanel(PanelCandidateUsage, "panel-candidate-usage"), "候補使用状況");
  RunCommand(1160);
  RunCommand(1160);
  g.settings.kanSuuji = 0;
  RunCommand(310);
  EXPECT_EQ(ShootWithPanel(PanelControl, "panel-candidate-control"), "候補解析操作パネル");
  EXPECT_EQ(ShootDialog(1150, "dialog-candidate-list"), "候補リスト表示");
  RunCommand(310);
  RunCommand(345);  // the digit-input panel closes with the way into the problem-making screen
  RunCommand(330);
  EXPECT_EQ(ShootWithPanel(PanelInput, ""), "(none)");
  EXPECT_EQ(ShootWithPanel(PanelControl, "panel-problem-making"), "問題作成操作パネル");
  RunCommand(330);
  RunCommand(345);  // and opens again on the next press
  EXPECT_EQ(ShootWithPanel(PanelInput, ""), "数字入力");
}

}  // namespace
