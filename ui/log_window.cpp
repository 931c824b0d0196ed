#include "ui/log_window.h"

#include <QListWidget>
#include <QVBoxLayout>

#include "board/platform.h"
#include "drivers/dialogs.h"

LogWindow::LogWindow(QWidget* mainWindow) : QDialog(mainWindow, Qt::Tool) {
  setWindowTitle(QStringLiteral("消去状況"));
  setObjectName(QStringLiteral("TechniqueLog"));
  setModal(false);
  setAttribute(Qt::WA_ShowWithoutActivating);
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("list1560"));
  list_->setUniformItemSizes(true);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(list_);
  resize(300, 420);
}

void LogWindow::Append(const QString& line, bool caret) {
  list_->addItem(line);
  if (caret) {
    // The caret stays on the last line, so the newest removal is always in view.
    list_->setCurrentRow(list_->count() - 1);
    list_->scrollToBottom();
  }
}

void LogWindow::Clear() { list_->clear(); }

// The log and usage windows share one remembered position.
void LogWindow::moveEvent(QMoveEvent* event) {
  QDialog::moveEvent(event);
  if (isVisible()) RememberPanelPosition(PanelTechniqueLog, pos().x(), pos().y());
}
