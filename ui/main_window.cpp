#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <cstdio>
#include <vector>

#include "board/platform.h"
#include "board/state.h"
#include "drivers/commands.h"
#include "drivers/frame.h"
#include "drivers/dialogs.h"
#include "drivers/file_commands.h"
#include "drivers/menu_table.h"
#include "drivers/placement.h"
#include "io/settings.h"
#include "ui/board_view.h"
#include "ui/dialogs.h"
#include "ui/fonts.h"
#include "ui/icons.h"
#include "ui/log_window.h"

namespace {

uint32_t VirtualKeyOf(int key) {
  switch (key) {
    case Qt::Key_Up: return VkUp;
    case Qt::Key_Down: return VkDown;
    case Qt::Key_Right: return VkRight;
    case Qt::Key_Left: return VkLeft;
    case Qt::Key_Home: return VkHome;
    case Qt::Key_PageUp: return VkPageUp;
    case Qt::Key_PageDown: return VkPageDown;
    case Qt::Key_Insert: return VkInsert;
    case Qt::Key_Delete: return VkDelete;
    case Qt::Key_Backspace: return VkBackspace;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VkEnter;
    case Qt::Key_Space: return VkSpace;
    default: return 0;
  }
}

}  // namespace

MainWindow::MainWindow() {
  setWindowTitle(Utf8(kAppTitle));
  setWindowIcon(ProgramIcon());
  setObjectName(QStringLiteral("VorelWinWClass"));
  board_ = new BoardView(this);
  board_->post = [this](std::function<void()> action) { Post(std::move(action)); };
  setCentralWidget(board_);
  BuildMenus();
  BuildToolbars();
  for (uint32_t part = 0; part < 2; ++part) {
    status_[part] = new QLabel(this);
    status_[part]->setObjectName(QStringLiteral("status%1").arg(part));
    // The parts end at 200 and 300 pixels from the left; a longer text in part 0 widens it
    // (and moves part 1 on) rather than being cut.
    if (part == 0)
      status_[part]->setMinimumWidth(200);
    else
      status_[part]->setFixedWidth(100);
    status_[part]->setFrameShape(QFrame::StyledPanel);
    status_[part]->setFrameShadow(QFrame::Sunken);
    statusBar()->addWidget(status_[part]);
  }
  statusBar()->setContentsMargins(0, 0, 0, 0);
  setAcceptDrops(true);
  qApp->installEventFilter(this);
  // However the program ends (the window closed, the desktop session over), the settings stay.
  connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { SaveSettingsOnce(); });
  auto* timer = new QTimer(this);
  connect(timer, &QTimer::timeout, this, [this] { TimerTick(); });
  timer->start(500);
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
  delete tray_;
}

void MainWindow::BuildMenus() {
  std::vector<QMenu*> open;
  for (uint32_t i = 0; i < kMenuRowCount; ++i) {
    const MenuRow& row = kMenuRows[i];
    open.resize(row.depth);
    if (row.depth == 0) {
      open.push_back(menuBar()->addMenu(Utf8(row.label)));
      continue;
    }
    QMenu* parent = open.back();
    if (!row.label) {
      parent->addSeparator();
      continue;
    }
    if (row.id == 0) {
      open.push_back(parent->addMenu(Utf8(row.label)));
      continue;
    }
    QString text = Utf8(row.label);
    if (row.keyText) text += QLatin1Char('\t') + QLatin1String(row.keyText);
    QAction* action = parent->addAction(text);
    action->setObjectName(QStringLiteral("command%1").arg(row.id));
    action->setCheckable(MenuItemCheckable(row.id));
    const uint32_t id = row.id;
    connect(action, &QAction::triggered, this, [this, id] {
      // The check mark is the engine's to set; undo Qt's own toggle first.
      if (QAction* a = MenuAction(id); a && a->isCheckable()) a->setChecked(!a->isChecked());
      PostCommand(id);
    });
    actions_[id] = action;
  }
}

void MainWindow::BuildToolbars() {
  for (uint32_t t = 0; t < 4; ++t) {
    QToolBar* bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("toolbar%1").arg(t));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    bar->setContextMenuPolicy(Qt::PreventContextMenu);
    bar->toggleViewAction()->setEnabled(false);
    for (const uint32_t* b = ToolbarButtons(t); *b != kToolbarEnd; ++b) {
      if (*b == 0) {
        bar->addSeparator();
        continue;
      }
      const uint32_t id = *b;
      QAction* action = bar->addAction(ToolbarIcon(id), QString());
      action->setObjectName(QStringLiteral("button%1").arg(id));
      action->setToolTip(Utf8(ToolbarTip(id)));
      connect(action, &QAction::triggered, this, [this, id] { PostCommand(id); });
      buttons_.emplace(id, action);
    }
    addToolBar(Qt::TopToolBarArea, bar);
    bar->setVisible(false);
    toolbars_[t] = bar;
  }
}

QAction* MainWindow::MenuAction(uint32_t id) const {
  auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

QAction* MainWindow::ToolbarAction(uint32_t which, uint32_t id) const {
  if (which > 3) return nullptr;
  for (QAction* a : toolbars_[which]->actions())
    if (a->objectName() == QStringLiteral("button%1").arg(id)) return a;
  return nullptr;
}

void MainWindow::EnableCommand(uint32_t id, bool enabled) {
  if (QAction* a = MenuAction(id)) a->setEnabled(enabled);
  auto [from, to] = buttons_.equal_range(id);
  for (auto it = from; it != to; ++it) it->second->setEnabled(enabled);
}

QWidget* MainWindow::Panel(uint32_t panel) const {
  if (panel == PanelTechniqueLog) return log_;
  auto it = panels_.find(panel);
  return it == panels_.end() ? nullptr : it->second;
}

void MainWindow::PostCommand(uint32_t id) {
  Post([id] { RunCommand(id); });
}

void MainWindow::Post(std::function<void()> action) {
  pending_.push_back(std::move(action));
  if (running_) return;
  running_ = true;
  while (!pending_.empty()) {
    std::function<void()> next = std::move(pending_.front());
    pending_.pop_front();
    next();
    if (QuitRequested()) {
      pending_.clear();
      g.quitRequested = 0;
      running_ = false;
      close();
      return;
    }
  }
  running_ = false;
  // The digit-input panel's captions follow the glyph set and the candidate font.
  RefreshInputPanel(this);
}

void MainWindow::DrainMessages() {
  if (draining_) return;
  draining_ = true;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  draining_ = false;
}

void MainWindow::TimerTick() {
  // A running command drains the queue itself; its status texts must not be cut short.
  if (running_) return;
  ::TimerTick();
}

void MainWindow::SetStatusText(uint32_t part, const QString& text) { status_[part ? 1 : 0]->setText(text); }

void MainWindow::ShowToolbarFor(uint32_t mode) {
  toolbarMode_ = ToolbarForMode(mode);
  for (uint32_t t = 0; t < 4; ++t) toolbars_[t]->setVisible(g.settings.toolBar != 0 && t == toolbarMode_);
}

void MainWindow::RepaintCell(uint32_t cell) {
  if (cell < 81) board_->update(board_->CellRect(cell));
}

void MainWindow::PlaceBeside(QWidget* panel, int32_t remembered) {
  const QRect main = frameGeometry();
  const QScreen* screen = this->screen();
  const int screenRight = screen ? screen->availableGeometry().right() : main.right() + panel->width() + 2;
  int32_t left = 0, top = 0;
  PlacePanel(main.left(), main.top(), main.right(), screenRight, panel->frameGeometry().width(),
             remembered, left, top);
  panel->move(left, top);
}

void MainWindow::OpenPanel(uint32_t panel) {
  if (panel == PanelTechniqueLog) {
    if (!log_) log_ = new LogWindow(this);
    log_->Clear();
    log_->resize(log_->width(), height());
    const int32_t remembered = RememberedPanelPosition(PanelTechniqueLog);
    PlaceBeside(log_, remembered);
    log_->show();
    // The window manager knows the frame only once the window is mapped: place it again then.
    QTimer::singleShot(0, log_, [this, remembered] { PlaceBeside(log_, remembered); });
    // 2140: the log window hands the focus straight back to the main window.
    QTimer::singleShot(0, this, [this] {
      activateWindow();
      raise();
      board_->setFocus();
    });
    return;
  }
  if (panels_.count(panel)) return;
  QWidget* widget = CreatePanel(panel, this);
  if (!widget) return;
  panels_[panel] = widget;
  widget->adjustSize();
  // Placed with the position remembered before showing: the moves of mapping it do not count.
  const int32_t remembered = RememberedPanelPosition(panel);
  PlaceBeside(widget, remembered);
  widget->show();
  QTimer::singleShot(0, widget, [this, widget, remembered] { PlaceBeside(widget, remembered); });
  QTimer::singleShot(0, this, [this] { activateWindow(); });
}

void MainWindow::ClosePanel(uint32_t panel) {
  if (panel == PanelTechniqueLog) {
    if (log_) log_->hide();
    return;
  }
  auto it = panels_.find(panel);
  if (it == panels_.end()) return;
  it->second->hide();
  it->second->deleteLater();
  panels_.erase(it);
}

bool MainWindow::LogAppend(const QString& line, bool caret) {
  if (!log_ || !log_->isVisible()) return false;
  log_->Append(line, caret);
  return true;
}

void MainWindow::LogClear() {
  if (log_) log_->Clear();
}

bool MainWindow::HandleKey(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
  uint32_t id = 0;
  if ((modifiers & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z)
    id = KeyCommand(KeyControl, static_cast<uint32_t>(key - Qt::Key_A + 1));
  else if (modifiers & (Qt::AltModifier | Qt::MetaModifier | Qt::ControlModifier))
    return false;
  else if (const uint32_t vk = VirtualKeyOf(key))
    id = KeyCommand(KeyVirtual, vk);
  else if (text.size() == 1 && text[0].unicode() < 0x80)
    id = KeyCommand(KeyTyped, text[0].unicode());
  if (id == 0) return false;
  PostCommand(id);
  return true;
}

bool MainWindow::OwnWindow(const QWidget* window) const {
  if (window == this || (log_ && window == log_)) return true;
  for (const auto& [id, panel] : panels_)
    if (window == panel) return true;
  return false;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
  auto* widget = qobject_cast<QWidget*>(watched);
  // The accelerators act on the main window whichever of its windows has the focus: the board,
  // the technique log, the usage window or a panel just clicked. Menus and modal dialogs keep
  // their keys.
  if (!widget || !OwnWindow(widget->window()) || QApplication::activePopupWidget() ||
      QApplication::activeModalWidget())
    return QMainWindow::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  return HandleKey(key->key(), key->modifiers(), key->text()) || QMainWindow::eventFilter(watched, event);
}

void MainWindow::StoreWindowRect() {
  if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) return;
  if (!isVisible()) return;
  const QRect frame = frameGeometry();
  g.settings.winLeft = frame.left();
  g.settings.winTop = frame.top();
  g.settings.winWidth = width();
  g.settings.winHigh = height();
}

void MainWindow::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  StoreWindowRect();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  StoreWindowRect();
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange && isMinimized() && QSystemTrayIcon::isSystemTrayAvailable())
    QTimer::singleShot(0, this, [this] { HideToTray(); });
}

void MainWindow::HideToTray() {
  if (!isMinimized() || tray_) return;
  tray_ = new QSystemTrayIcon(ProgramIcon(), this);
  tray_->setToolTip(QStringLiteral("Kelmo for Windows"));
  connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger) RestoreFromTray();
  });
  tray_->show();
  if (!tray_->isVisible()) {  // the desktop refused the icon: stay minimised
    delete tray_;
    tray_ = nullptr;
    return;
  }
  hide();
}

void MainWindow::RestoreFromTray() {
  showNormal();
  activateWindow();
  raise();
  if (tray_) {
    tray_->hide();
    tray_->deleteLater();
    tray_ = nullptr;
  }
}

void MainWindow::SaveSettingsOnce() {
  if (saved_) return;
  saved_ = true;
  // A settings file that cannot be written is left as it is; the user hears of it once.
  if (!SaveSettingsFile(SettingsPath()))
    std::fprintf(stderr, "vorel: cannot save the settings to %s\n", SettingsPath().c_str());
}

void MainWindow::closeEvent(QCloseEvent* event) {
  SaveSettingsOnce();
  if (log_) log_->close();
  for (auto& [id, panel] : panels_) panel->close();
  event->accept();
  QApplication::quit();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (g.acceptDrops && event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) {
      paths.push_back(ToUtf8(url.toLocalFile()));
      break;  // the first dropped file is the puzzle
    }
  if (paths.empty() || !g.acceptDrops) return;
  event->acceptProposedAction();
  Post([paths] { ReadDroppedFile(paths); });
}
