// The main window: menu bar, toolbars, board area and status bar. Keys, clicks and menu items
// become command ids for RunCommand; everything else is drawn from the engine state.
#pragma once
#include <QMainWindow>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>

class BoardView;
class LogWindow;
class QLabel;
class QSystemTrayIcon;
class QToolBar;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  MainWindow();
  ~MainWindow() override;

  // Run a command now, or after the running one when a command is in progress (a technique
  // drains the event queue after every log line; what arrives meanwhile waits its turn).
  void PostCommand(uint32_t id);
  void Post(std::function<void()> action);
  bool Busy() const { return running_; }

  BoardView* Board() const { return board_; }
  QAction* MenuAction(uint32_t id) const;
  // The toolbar button of a command on toolbar `which` (0 normal, 1 edit, 2 candidate,
  // 3 problem), or nullptr.
  QAction* ToolbarAction(uint32_t which, uint32_t id) const;
  // Enable or disable a command's menu item and toolbar buttons.
  void EnableCommand(uint32_t id, bool enabled);
  QToolBar* Toolbar(uint32_t which) const { return toolbars_[which]; }
  QLabel* StatusPart(uint32_t part) const { return status_[part ? 1 : 0]; }
  LogWindow* Log() const { return log_; }
  QWidget* Panel(uint32_t panel) const;

  // The platform seam's window side.
  void SetStatusText(uint32_t part, const QString& text);
  void ShowToolbarFor(uint32_t mode);
  void OpenPanel(uint32_t panel);
  void ClosePanel(uint32_t panel);
  bool LogAppend(const QString& line, bool caret);
  void LogClear();
  void DrainMessages();
  void RepaintCell(uint32_t cell);
  // A key as the accelerator table sees it; true when it was a command key.
  bool HandleKey(int key, Qt::KeyboardModifiers modifiers, const QString& text);
  // Save the settings file, once per run.
  void SaveSettingsOnce();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolbars();
  // The main window itself, the technique log or one of the panels.
  bool OwnWindow(const QWidget* window) const;
  void StoreWindowRect();
  // The placement rule with the panel's remembered position.
  void PlaceBeside(QWidget* panel, int32_t remembered);
  void TimerTick();
  void HideToTray();
  void RestoreFromTray();

  BoardView* board_ = nullptr;
  LogWindow* log_ = nullptr;
  QToolBar* toolbars_[4] = {};
  QLabel* status_[2] = {};
  std::map<uint32_t, QAction*> actions_;
  std::multimap<uint32_t, QAction*> buttons_;  // toolbar buttons by command
  std::map<uint32_t, QWidget*> panels_;
  std::deque<std::function<void()>> pending_;
  bool running_ = false;
  bool draining_ = false;
  bool saved_ = false;
  uint32_t toolbarMode_ = 0;
  QSystemTrayIcon* tray_ = nullptr;
};
