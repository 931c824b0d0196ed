#include "ui/dialogs.h"

#include <QMessageBox>

#include "ui/fonts.h"

void RunDialog(uint32_t id, QWidget* mainWindow) {
  if (id == 160) {
    QMessageBox box(mainWindow);
    box.setWindowTitle(QStringLiteral("Vorelのバージョン情報"));
    box.setText(QStringLiteral("Kelmo for Windows\nUnicode Version 0.22"));
    box.setIconPixmap(mainWindow->windowIcon().pixmap(32, 32));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
  }
}

QWidget* CreatePanel(uint32_t, QWidget*) { return nullptr; }

void FillPanelList(QWidget*, const std::vector<std::string>&) {}
