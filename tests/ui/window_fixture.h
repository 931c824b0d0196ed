// A started desktop program on the offscreen platform, its settings in a fresh folder, and what
// the window tests share: the sample puzzle, dialogs' controls, modal windows answered.
#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "board/state.h"
#include "drivers/commands.h"
#include "drivers/frame.h"
#include "ui/app.h"
#include "ui/board_view.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"

// The puzzle most tests start from: a given 1 at row 0, column 7, a given 4 at row 1, column 0.
inline constexpr const char* kSample =
    "000000010400000000020000000000050407008000300001090000300400200050100000000806000";

// Posted events delivered and processed, a few rounds over.
void Settle();

// A dialog's control by its command number (failing when missing); a click on a named button.
template <typename T>
T* Find(QWidget* dialog, uint32_t id) {
  T* w = dialog->findChild<T*>(QString::number(id));
  EXPECT_NE(w, nullptr) << id;
  return w;
}
void Click(QWidget* dialog, const char* name);

// Answers every modal window while it lives: a message box by its default button (kept in
// `boxes`), any other by `act`, else "OK" or "Cancel"; `behind` is repainted first.
class ModalAnswerer {
 public:
  explicit ModalAnswerer(QWidget* behind = nullptr, std::function<void(QWidget*)> act = {});
  int answered = 0;
  std::vector<QString> boxes;  // "title\ttext"

 private:
  void Answer();
  QWidget* behind_;
  std::function<void(QWidget*)> act_;
  QTimer timer_;
};

class WindowTest : public ::testing::Test {
 protected:
  QTemporaryDir folder;
  VorelApp app;
  // Settings text written to Vorel.ini before the start (empty: no file).
  virtual std::string StartSettings() const { return {}; }
  void SetUp() override;
  void TearDown() override;
  // Put a puzzle on the board as givens (81 characters, 0 or . for empty).
  void LoadGivens(const std::string& grid);
  // Press a key on the board area as a user would.
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  void Type(const QString& text);
  // The board area painted into an image of the given size.
  QImage Paint(int width, int height);
  // Runs `action`, handing the modal window that comes up to `act`; whether one came up.
  static bool WithModal(const std::function<void()>& action,
                        const std::function<void(QWidget*)>& act);
  // The same for a command's dialog.
  static bool WithDialog(uint32_t command, const std::function<void(QWidget*)>& act);
};

// A later start: a settings file with which the candidate screen opens its technique log.
class LogWindowTest : public WindowTest {
  std::string StartSettings() const override { return "[MODE]\nCandErase=1\n"; }
};
