// The desktop window driven as a user drives it: keys, clicks and menu items in, the engine's
// state, the window's widgets and the painted pixels out.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QToolBar>

#include "drivers/commands.h"
#include "drivers/frame.h"
#include "drivers/menu_table.h"
#include "io/read.h"
#include "tests/ui/window_fixture.h"
#include "ui/icons.h"
#include "ui/log_window.h"

namespace {

// Pixels of one colour inside a rectangle.
int CountColour(const QImage& image, const QRect& rect, const QColor& colour) {
  int n = 0;
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x)
      if (QColor(image.pixel(x, y)) == colour) ++n;
  return n;
}

// Columns of a rectangle that hold any pixel differing from the background.
int InkWidth(const QImage& image, const QRect& rect, const QColor& background) {
  int left = rect.right() + 1, right = rect.left() - 1;
  for (int y = rect.top(); y <= rect.bottom(); ++y)
    for (int x = rect.left(); x <= rect.right(); ++x)
      if (QColor(image.pixel(x, y)) != background) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
  return right < left ? 0 : right - left + 1;
}

using Window = WindowTest;

class WindowWithLog : public WindowTest {
  std::string StartSettings() const override { return "[MODE]\nCandErase=1\n"; }
};

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
  EXPECT_TRUE(log->List()->item(lines - 1)->text().contains(QStringLiteral("> <")) ||
              log->List()->item(lines - 1)->text().contains(QLatin1Char('<')));
  // The list fills its window, but for a narrow margin, and follows it when resized.
  Settle();
  for (const QSize size : {QSize(300, 420), QSize(360, 500)}) {
    log->resize(size);
    Settle();
    const QRect inside = log->contentsRect();
    EXPECT_LE((inside.size() - log->List()->geometry().size()).width(), 8) << size.width();
    EXPECT_LE((inside.size() - log->List()->geometry().size()).height(), 8) << size.width();
  }

  // The half-second timer puts the screen's name back in the status bar once a message has
  // had its time.
  SetStatus(0, "x");
  g.messageCountdown = 2;
  QTest::qWait(1600);
  EXPECT_EQ(g.messageCountdown, 0u);
  EXPECT_EQ(app.window->StatusPart(0)->text(), QStringLiteral("＜候補表示画面＞"));

  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(g.screenMode, static_cast<uint32_t>(ModeNormal));
  EXPECT_FALSE(log->isVisible());
  EXPECT_FALSE(app.window->MenuAction(310)->isChecked());
  EXPECT_TRUE(app.window->Toolbar(0)->isVisible());
}

TEST_F(Window, MenuBarFollowsTheMenuTableAndPostsKnownCommands) {
  std::vector<std::string> built;
  std::function<void(QMenu*, uint32_t)> walk = [&](QMenu* menu, uint32_t depth) {
    for (QAction* a : menu->actions()) {
      if (a->isSeparator()) {
        built.push_back(std::to_string(depth) + "|-");
      } else if (a->menu()) {
        built.push_back(std::to_string(depth) + "|" + ToUtf8(a->text()));
        walk(a->menu(), depth + 1);
      } else {
        built.push_back(std::to_string(depth) + "|" + ToUtf8(a->text().section(QLatin1Char('\t'), 0, 0)) + "|" +
                        ToUtf8(a->objectName()));
      }
    }
  };
  for (QAction* top : app.window->menuBar()->actions()) {
    built.push_back("0|" + ToUtf8(top->text()));
    walk(top->menu(), 1);
  }
  std::vector<std::string> table;
  for (uint32_t i = 0; i < kMenuRowCount; ++i) {
    const MenuRow& row = kMenuRows[i];
    std::string line = std::to_string(row.depth) + "|" + (row.label ? row.label : "-");
    if (row.id) {
      line += "|command" + std::to_string(row.id);
      EXPECT_NE(FindCommand(row.id), nullptr) << row.label;
    }
    table.push_back(line);
  }
  EXPECT_EQ(built, table);
  // The start-up state comes from the engine: nothing checked, the analysis items disabled.
  for (uint32_t id : {880u, 960u, 1070u, 1080u, 1170u, 610u, 320u, 322u, 1210u, 1260u, 910u, 161u, 167u})
    EXPECT_FALSE(app.window->MenuAction(id)->isEnabled()) << id;
  for (uint32_t id : {280u, 825u, 310u}) EXPECT_FALSE(app.window->MenuAction(id)->isChecked()) << id;
  // The display switches show their state as a check mark.
  for (uint32_t id : {280u, 825u}) {
    app.window->MenuAction(id)->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(app.window->MenuAction(id)->isChecked()) << id;
    app.window->MenuAction(id)->trigger();
    QCoreApplication::processEvents();
    EXPECT_FALSE(app.window->MenuAction(id)->isChecked()) << id;
  }
  EXPECT_EQ(app.window->menuBar()->actions().at(0)->text(), QStringLiteral("設定"));
  // The window carries the program's icon, which the task bar and the window list show.
  EXPECT_EQ(app.window->windowIcon().pixmap(32).toImage(), ProgramIcon().pixmap(32).toImage());
  EXPECT_FALSE(app.window->windowIcon().isNull());
}

// "t" and the menu item hide and show the toolbars; the item is checked while they show.
TEST_F(Window, TKeyAndTheCheckedMenuItemToggleTheToolbars) {
  QAction* item = app.window->MenuAction(2060);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->text().section(QLatin1Char('\t'), 0, 0), QStringLiteral("ツールバー(&T)"));
  EXPECT_TRUE(app.window->menuBar()->actions().at(1)->menu()->actions().contains(item));
  EXPECT_TRUE(item->isCheckable());
  EXPECT_TRUE(item->isChecked());
  EXPECT_TRUE(app.window->Toolbar(0)->isVisible());
  Type(QStringLiteral("t"));
  for (uint32_t t = 0; t < 4; ++t) EXPECT_FALSE(app.window->Toolbar(t)->isVisible());
  EXPECT_FALSE(item->isChecked());
  Type(QStringLiteral("t"));
  EXPECT_TRUE(app.window->Toolbar(0)->isVisible());
  EXPECT_TRUE(item->isChecked());
  item->trigger();
  EXPECT_FALSE(item->isChecked());
  EXPECT_FALSE(app.window->Toolbar(0)->isVisible());
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

TEST_F(Window, PaintingUsesTheColourRolesOfTheCellKinds) {
  LoadGivens(kSample);
  g.settings.number = 12;  // givens in a colour of their own
  g.settings.input = 9;
  g.board.value[2] = 7;    // row 0, column 2: an input digit
  g.board.kind[2] = KindInput;
  const QImage image = Paint(451, 451);
  const QColor background = PaletteColour(g.settings.bgc);
  EXPECT_EQ(QColor(image.pixel(Inside(0, 0).topLeft())), PaletteColour(g.settings.cursor));
  EXPECT_EQ(QColor(image.pixel(Inside(0, 1).topLeft())), background);
  EXPECT_GT(CountColour(image, Inside(1, 0), PaletteColour(12)), 8);  // the given 4
  EXPECT_EQ(CountColour(image, Inside(1, 0), PaletteColour(9)), 0);
  EXPECT_GT(CountColour(image, Inside(0, 2), PaletteColour(9)), 8);   // the input 7
  EXPECT_EQ(InkWidth(image, Inside(0, 1), background), 0);            // empty cells stay empty
  // Glyph sets draw their characters: "九字" draws the 1 as "臨", and its glyph for 0, an
  // ideographic space, leaves no ink.
  g.settings.kanSuuji = 4;
  EXPECT_GT(InkWidth(Paint(451, 451), Inside(0, 7), background), 10);
  QImage zero(60, 60, QImage::Format_RGB32);
  zero.fill(Qt::white);
  QPainter painter(&zero);
  painter.setFont(VorelFont(FontDigit));
  painter.drawText(zero.rect(), Qt::AlignCenter, Utf8(GlyphFor(0)));
  painter.end();
  EXPECT_EQ(InkWidth(zero, zero.rect(), Qt::white), 0);
}

TEST(WindowFonts, WindowsFaceNamesMapToInstalledJapaneseFaces) {
  const QString gothic = InstalledFace("ＭＳ ゴシック");
  const QString mincho = InstalledFace("ＭＳ 明朝");
  if (!QFontDatabase::hasFamily(QStringLiteral("Noto Sans CJK JP"))) GTEST_SKIP() << "fonts-noto-cjk is not installed";
  EXPECT_EQ(gothic, QStringLiteral("Noto Sans CJK JP"));
  EXPECT_EQ(mincho, QStringLiteral("Noto Serif CJK JP"));
  EXPECT_EQ(InstalledFace("Noto Sans CJK JP"), QStringLiteral("Noto Sans CJK JP"));
}

// Text on the clipboard is offered both as Unicode and in the code page, Unicode first; a
// picture alone is no text, and an empty clipboard holds nothing. Text read in the code page
// reaches the readers whole.
TEST_F(Window, ClipboardTextComesAsUnicodeAndAsTheCodePage) {
  QApplication::clipboard()->setText(QStringLiteral("１2"));
  std::vector<ClipboardItem> items;
  ASSERT_TRUE(P().ClipboardRead(items));
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].format, static_cast<uint32_t>(ClipUnicodeText));
  // UTF-16 little-endian with a closing NUL: U+FF11, '2'.
  EXPECT_EQ(items[0].bytes, (std::vector<uint8_t>{0x11, 0xFF, '2', 0, 0, 0}));
  EXPECT_EQ(items[1].format, static_cast<uint32_t>(ClipText));
  EXPECT_EQ(items[1].bytes, (std::vector<uint8_t>{0x82, 0x50, '2', 0}));

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

  // A spreadsheet row with line feeds keeps its empty last field.
  std::string rows;
  for (int r = 0; r < 9; ++r) rows += "1\t2\t3\t4\t5\t6\t7\t8\t\n";  // nine fields, the last empty
  const std::vector<uint8_t> bytes = ClipboardAnsiBytes(rows);
  ScanClipboardBytes(bytes.data(), bytes.size(), 2);
  for (uint32_t r = 0; r < 9; ++r) {
    EXPECT_EQ(g.board.value[CellAt(r, 0)], 1u) << r;
    EXPECT_EQ(g.board.value[CellAt(r, 8)], 0u) << r;
  }
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

}  // namespace
