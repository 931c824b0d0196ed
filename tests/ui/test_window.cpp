// The desktop window driven as a user drives it: keys, clicks and menu items in, the engine's
// state, the window's widgets and the painted pixels out.
#include <QAction>
#include <QClipboard>
#include <QListWidget>
#include <QMenuBar>
#include <QToolBar>
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "drivers/menu_table.h"
#include "drivers/path.h"
#include "drivers/placement.h"
#include "tests/ui/window_fixture.h"
#include "ui/icons.h"
#include "ui/log_window.h"

namespace {

using Window = WindowTest;

using WindowWithLog = LogWindowTest;

TEST_F(WindowWithLog, CtrlCOpensTheCandidateScreenWithItsLogWindow) {
  LoadGivens(kSample);
  Key(Qt::Key_C, Qt::ControlModifier);
  ASSERT_EQ(g.screenMode, static_cast<uint32_t>(ModeCandidateScreen));
  LogWindow* log = app.window->Log();
  ASSERT_NE(log, nullptr);
  EXPECT_TRUE(log->isVisible());
  EXPECT_EQ(log->windowTitle(), QStringLiteral("消去状況"));
  EXPECT_TRUE(app.window->MenuAction(310)->isChecked());
  EXPECT_EQ(app.window->StatusPart(0)->text(), QStringLiteral("＜候補表示画面＞"));
  EXPECT_TRUE(app.window->Toolbar(2)->isVisible());
  EXPECT_FALSE(app.window->Toolbar(0)->isVisible());

  // A technique from the menu writes its removals into the list, the caret on the last line.
  app.window->MenuAction(1080)->trigger();
  const int lines = log->List()->count();
  EXPECT_GT(lines, 0);
  EXPECT_EQ(log->List()->currentRow(), lines - 1);
  // The list fills its window, but for a narrow margin, and follows it when resized.
  Settle();
  for (const QSize size : {QSize(300, 420), QSize(360, 500)}) {
    log->resize(size);
    Settle();
    const QSize gap = log->contentsRect().size() - log->List()->geometry().size();
    EXPECT_TRUE(gap.width() <= 8 && gap.height() <= 8) << size.width();
  }
  // Moved while shown, its place is kept for the next opening.
  log->move(log->pos() + QPoint(40, 30));
  Settle();
  EXPECT_EQ(g.logWindowPosition, PackPosition(log->pos().x(), log->pos().y()));

  // The half-second timer puts the screen's name back once a message has had its time.
  SetStatus(0, "x");
  g.messageCountdown = 2;
  EXPECT_TRUE(QTest::qWaitFor([] { return g.messageCountdown == 0; }, 10000));
  EXPECT_EQ(app.window->StatusPart(0)->text(), QStringLiteral("＜候補表示画面＞"));

  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(g.screenMode, static_cast<uint32_t>(ModeNormal));
  EXPECT_FALSE(log->isVisible());
  EXPECT_FALSE(app.window->MenuAction(310)->isChecked());
  EXPECT_TRUE(app.window->Toolbar(0)->isVisible());
  const int32_t kept = g.logWindowPosition;  // moves while hidden are not the user's
  log->move(log->pos() + QPoint(5, 5));
  Settle();
  EXPECT_EQ(g.logWindowPosition, kept);
}

TEST_F(Window, MenuBarFollowsTheMenuTableAndToolbarsTheirsAndBothPostKnownCommands) {
  std::vector<std::string> built;
  std::function<void(QWidget*, uint32_t)> walk = [&](QWidget* menu, uint32_t depth) {
    for (QAction* a : menu->actions()) {
      const QString label = a->isSeparator() ? QStringLiteral("-") : a->text().section(QLatin1Char('\t'), 0, 0);
      built.push_back(std::to_string(depth) + "|" + ToUtf8(label) + (a->menu() || a->isSeparator() ? "" : "|" + ToUtf8(a->objectName())));
      if (a->menu()) walk(a->menu(), depth + 1);
    }
  };
  walk(app.window->menuBar(), 0);
  std::vector<std::string> table;
  for (uint32_t i = 0; i < kMenuRowCount; ++i) {
    const MenuRow& row = kMenuRows[i];
    table.push_back(std::to_string(row.depth) + "|" + (row.label ? row.label : "-") + (row.id ? "|command" + std::to_string(row.id) : ""));
  }
  EXPECT_EQ(built, table);
  for (uint32_t id : {280u, 825u, 310u}) EXPECT_FALSE(app.window->MenuAction(id)->isChecked()) << id;
  // The display switches and the toolbars' item show a check mark; "t" works it, hiding all.
  for (uint32_t id : {280u, 825u, 2060u})
    for (const bool second : {false, true}) {
      app.window->MenuAction(id)->trigger();
      QCoreApplication::processEvents();
      EXPECT_EQ(app.window->MenuAction(id)->isChecked(), (id == 2060) == second) << id;
    }
  Type(QStringLiteral("t"));
  EXPECT_FALSE(app.window->MenuAction(2060)->isChecked());
  for (uint32_t t = 0; t < 4; ++t) EXPECT_FALSE(app.window->Toolbar(t)->isVisible()) << t;
  Type(QStringLiteral("t"));
  EXPECT_TRUE(app.window->Toolbar(0)->isVisible());

  // The toolbars hold their table's buttons and separators, in 16-pixel pictures; a button posts.
  for (uint32_t t = 0; t < 4; ++t) {
    std::vector<std::string> shown, listed;
    for (QAction* a : app.window->Toolbar(t)->actions())
      shown.push_back(a->isSeparator() ? "|" : ToUtf8(a->objectName()));
    for (const uint32_t* b = ToolbarButtons(t); *b != kToolbarEnd; ++b)
      listed.push_back(*b ? "button" + std::to_string(*b) : "|");
    EXPECT_EQ(shown, listed) << t;
    EXPECT_EQ(app.window->Toolbar(t)->iconSize(), QSize(16, 16)) << t;
  }
  LoadGivens(kSample);
  app.window->Toolbar(0)->findChild<QAction*>(QStringLiteral("button310"))->trigger();
  EXPECT_TRUE(QTest::qWaitFor([] { return g.screenMode == ModeCandidateScreen; }, 5000));

  // The window carries the program's icon.
  EXPECT_EQ(app.window->windowIcon().pixmap(32).toImage(), ProgramIcon().pixmap(32).toImage());
  EXPECT_FALSE(app.window->windowIcon().isNull());
}

TEST_F(Window, CommandsArrivingDuringAFlushRunAfterIt) {
  LoadGivens(kSample);
  std::vector<uint32_t> columns;
  app.window->Post([&] {
    // A key pressed while a technique drains the event queue waits for the technique.
    QCoreApplication::postEvent(app.window->Board(),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier));
    P().DrainMessages();
    columns.push_back(g.cursorColumn);
  });
  columns.push_back(g.cursorColumn);
  EXPECT_EQ(columns, (std::vector<uint32_t>{0, 1}));
}

// Clipboard text comes as Unicode, then in the code page; a picture alone or nothing is no text.
TEST_F(Window, ClipboardTextComesAsUnicodeAndAsTheCodePage) {
  QApplication::clipboard()->setText(QStringLiteral("１2"));
  std::vector<ClipboardItem> items;
  ASSERT_TRUE(P().ClipboardRead(items));
  ASSERT_EQ(items.size(), 2u);  // UTF-16 little-endian with a closing NUL, then Shift_JIS
  EXPECT_EQ(std::make_pair(items[0].format, items[0].bytes),
            std::make_pair(uint32_t{ClipUnicodeText}, std::vector<uint8_t>{0x11, 0xFF, '2', 0, 0, 0}));
  EXPECT_EQ(std::make_pair(items[1].format, items[1].bytes),
            std::make_pair(uint32_t{ClipText}, std::vector<uint8_t>{0x82, 0x50, '2', 0}));

  ASSERT_EQ(RunCommand(300), CommandDone);  // the edit mode reads the clipboard
  QImage picture(8, 8, QImage::Format_RGB32);
  picture.fill(Qt::red);
  ModalAnswerer answerer;
  QApplication::clipboard()->setImage(picture);
  RunCommand(960);
  QApplication::clipboard()->clear();
  RunCommand(960);
  EXPECT_EQ(answerer.boxes, (std::vector<QString>{QStringLiteral("ClipBoard\tテキストファイルはありません"),
                                                  QStringLiteral("ClipBoard\tデータは登録されていません")}));

  // Japanese text reaches the byte readers as Shift_JIS: "１" is 0x82 0x50.
  const std::vector<uint8_t> wide = ClipboardAnsiBytes("１");
  EXPECT_EQ(wide, (std::vector<uint8_t>{0x82, 0x50, 0}));
  // A line feed gets its carriage return once, at the start of the text too.
  EXPECT_EQ(ClipboardAnsiBytes("\n"), (std::vector<uint8_t>{'\r', '\n', 0}));
  EXPECT_EQ(ClipboardAnsiBytes("\r\n1\n"), (std::vector<uint8_t>{'\r', '\n', '1', '\r', '\n', 0}));
  EXPECT_EQ(ClipboardTextFromAnsi(wide), "１");
  // A character the code page lacks becomes "?", and the text after it is kept.
  EXPECT_EQ(ClipboardAnsiBytes("1\U0001F600\u00E92"), (std::vector<uint8_t>{'1', '?', '?', '2', 0}));
  EXPECT_EQ(ClipboardTextFromAnsi({'1', 0xFF, '2'}), "1?2");
}

using NextStepWindow = WindowWithLog;

// "次の一手" by its key: N marks the step's cells and changes nothing; the second applies it.
TEST_F(NextStepWindow, NMarksTheStepAndChangesNothingUntilPressedAgain) {
  // Single MAX leaves this one at locked candidates.
  LoadGivens("003050068000070000050008024010030080800004000007605000001007002500160000030000005");
  app.window->PostCommand(310);
  app.window->PostCommand(910);
  g.cursorRow = g.cursorColumn = 8;
  const CandidateTable before = g.cand;
  const auto marked = [] {
    return std::count_if(NextStepMarks(), NextStepMarks() + 81, [](uint32_t m) { return m != 0; });
  };
  Type(QStringLiteral("n"));
  EXPECT_EQ(std::memcmp(&before, &g.cand, sizeof before), 0);
  const QString text = app.window->StatusPart(0)->text();
  EXPECT_TRUE(text.startsWith(QStringLiteral("Locked Candidates "))) << text.toStdString();
  EXPECT_GT(marked(), 0);
  // The picture of the README: the window with the technique log beside it.
  if (const char* dir = std::getenv("VOREL_SHOT_DIR")) {
    g.settings.number2 = 11;
    g.settings.calc = 1;
    app.window->resize(560, 620);
    app.window->Log()->resize(440, 620);
    QTest::qWait(50);
    const QPixmap main = app.window->grab(), log = app.window->Log()->grab();
    QImage shot(main.width() + log.width() + 8, std::max(main.height(), log.height()), QImage::Format_RGB32);
    shot.fill(Qt::white);
    QPainter painter(&shot);
    painter.drawPixmap(0, 0, main);
    painter.drawPixmap(main.width() + 8, 0, log);
    painter.end();
    shot.save(QString::fromUtf8(dir) + QStringLiteral("/next-step.png"));
  }

  Type(QStringLiteral("n"));
  EXPECT_LT(g.cand.total, before.total);
  EXPECT_EQ(marked(), 0);
}

}  // namespace
