// The technique log window "消去状況": list 1560 receives one line per removed candidate.
#pragma once
#include <QDialog>

class QListWidget;

class LogWindow : public QDialog {
  Q_OBJECT
 public:
  explicit LogWindow(QWidget* mainWindow);
  void Append(const QString& line, bool caret);
  void Clear();
  QListWidget* List() const { return list_; }

 protected:
  void moveEvent(QMoveEvent* event) override;

 private:
  QListWidget* list_;
};
