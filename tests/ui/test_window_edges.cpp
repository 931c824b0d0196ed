// The window at the edges of its ranges: grid lines, font limits, palette entries, mouse buttons,
// message box answers and the edit dialog's buttons.
#include <QFontDatabase>
#include <QGroupBox>
#include <QMenu>
#include <QMessageBox>
#include <QToolBar>

#include "tests/ui/window_fixture.h"

namespace {

using WindowEdges = WindowTest;

// Lines 0..9 across and down, the last at the edges: block lines in "Line", the others "Line2".
TEST_F(WindowEdges, EveryGridLineFromTheFirstToTheLast) {
  LoadGivens(std::string(81, '0'));
  g.settings.line = 12;
  g.settings.line2 = 9;
  g.cursorRow = g.cursorColumn = 0;
  const QImage image = Paint(451, 451);
  for (int i = 0; i <= 9; ++i) {  // cells of 50 pixels
    const QColor want = PaletteColour(i % 3 == 0 ? g.settings.line : g.settings.line2);
    const int at = i == 9 ? 449 : i * 50;
    EXPECT_EQ(QColor(image.pixel(at, 225)), want) << "column line " << i;
    EXPECT_EQ(QColor(image.pixel(225, at)), want) << "row line " << i;
  }
}

// Heights: negative the character's, positive 7/8 of the cell's, at least 6; weights 100..900 or the face's.
TEST(WindowFonts, HeightsWeightsPaletteEntriesAndFaceNamesAtTheEndsOfTheirRanges) {
  const std::pair<int32_t, int> heights[] = {{-30, 30}, {-6, 6},  {-5, 6}, {-1, 6}, {0, 6},
                                             {1, 6},    {7, 6},   {8, 7},  {16, 14}, {99, 86}};
  for (const auto& [height, pixels] : heights)
    EXPECT_EQ(FontFromSettings("Noto Sans", height, 0, 0).pixelSize(), pixels) << height;
  const int plain = QFont(QStringLiteral("Noto Sans")).weight();  // no weight set
  const std::pair<int32_t, int> weights[] = {{0, plain}, {1, 100},   {99, 100},  {100, 100},
                                             {101, 101}, {700, 700}, {899, 899}, {900, 900},
                                             {901, 900}, {1000, 900}};
  for (const auto& [weight, want] : weights)
    EXPECT_EQ(FontFromSettings("Noto Sans", 16, weight, 0).weight(), want) << weight;
  EXPECT_TRUE(FontFromSettings("Noto Sans", 16, 0, 1).italic());
  EXPECT_FALSE(FontFromSettings("Noto Sans", 16, 0, 0).italic());

  // Palette entries 0..15 as stored (blue << 16 | green << 8 | red); outside, white.
  const Settings saved = g.settings;
  for (uint32_t i = 0; i < 16; ++i) g.settings.baseColor[i] = 0x010203u * (i + 1);
  for (int32_t i = 0; i < 16; ++i)
    EXPECT_EQ(PaletteColour(i), QColor(3 * (i + 1), 2 * (i + 1), i + 1)) << i;
  EXPECT_EQ(PaletteColour(-1), QColor(255, 255, 255));
  EXPECT_EQ(PaletteColour(16), QColor(255, 255, 255));
  // Of the three fonts only the digits' and the candidates' follow their italic setting.
  g.settings.fontItalic = g.settings.fontItalic2 = 1;
  RebuildFonts();
  EXPECT_EQ((std::vector<bool>{VorelFont(FontDigit).italic(), VorelFont(FontCandidate).italic(),
                               VorelFont(FontThird).italic()}),
            (std::vector<bool>{true, true, false}));
  g.settings = saved;
  RebuildFonts();
  // Windows face names map to the installed Japanese faces.
  if (!QFontDatabase::hasFamily(QStringLiteral("Noto Sans CJK JP"))) GTEST_SKIP() << "fonts-noto-cjk is not installed";
  EXPECT_EQ(InstalledFace("ＭＳ ゴシック"), QStringLiteral("Noto Sans CJK JP"));
  EXPECT_EQ(InstalledFace("ＭＳ 明朝"), QStringLiteral("Noto Serif CJK JP"));
  EXPECT_EQ(InstalledFace("Noto Sans CJK JP"), QStringLiteral("Noto Sans CJK JP"));
}

// The right button selects an empty cell and offers its digits (none in the candidate screen).
TEST_F(WindowEdges, TheRightButtonOffersTheCellsDigits) {
  LoadGivens(kSample);
  app.window->resize(460, 560);
  QTest::qWait(20);
  BoardView* board = app.window->Board();
  QStringList offered;
  auto rightClick = [&](uint32_t cell, const QString& pick = QString()) {
    offered.clear();
    QTimer::singleShot(50, [&] {
      if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
        for (QAction* a : menu->actions()) offered << a->text();
        if (offered.contains(pick))
          QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier,
                            menu->actionGeometry(menu->actions()[offered.indexOf(pick)]).center());
        else
          menu->close();
      }
    });
    QTest::mousePress(board, Qt::RightButton, Qt::NoModifier, board->CellRect(cell).center());
    QTest::qWait(100);
    QTest::mouseRelease(board, Qt::RightButton, Qt::NoModifier, board->CellRect(cell).center());
  };
  QTest::mouseClick(app.window->Toolbar(0), Qt::LeftButton, Qt::NoModifier, QPoint(200, 5));
  QTest::mouseClick(app.window->StatusPart(1), Qt::LeftButton);
  EXPECT_EQ(CursorCell(), 0u);
  rightClick(CellAt(8, 8));  // row 9 holds 8 and 6, column 9 holds 7, its block 2, 8, 6
  EXPECT_EQ(CursorCell(), CellAt(8, 8));
  EXPECT_EQ(offered, (QStringList{"1", "3", "4", "5", "9"}));
  rightClick(CellAt(8, 8), QStringLiteral("3"));
  EXPECT_EQ(g.board.value[CellAt(8, 8)], 3u);
  QTest::mouseClick(board, Qt::LeftButton, Qt::NoModifier, board->CellRect(CellAt(4, 5)).center());
  EXPECT_EQ(CursorCell(), CellAt(4, 5));
  QTest::mouseClick(board, Qt::LeftButton, Qt::NoModifier, QPoint(0, 1));  // the first column of pixels
  EXPECT_EQ(CursorCell(), 0u);
  QTest::mouseClick(board, Qt::LeftButton, Qt::NoModifier, board->CellRect(CellAt(4, 5)).center());
  // Clicks off the cells, past the last one and before the first, leave the cursor alone.
  for (const QPoint off : {board->CellRect(80).bottomRight() + QPoint(4, 4), QPoint(-3, 10)})
    QTest::mouseClick(board, Qt::LeftButton, Qt::NoModifier, off);
  EXPECT_EQ(CursorCell(), CellAt(4, 5));
  app.window->PostCommand(310);
  rightClick(CellAt(8, 8));
  EXPECT_EQ(CursorCell(), CellAt(4, 5));
  EXPECT_TRUE(offered.isEmpty());
}

// Every answer of a message box: each button, Enter, Escape and closing it; its text, title and icon.
TEST_F(WindowEdges, MessageBoxesAnswerWithTheButtonPressed) {
  const struct {
    uint32_t buttons;
    const char* press;  // the button's text, "Enter", "Escape", or "" to close the box
    uint32_t answer;
    uint32_t icon;
    QMessageBox::Icon shownIcon;
  } cases[] = {{ButtonsOkCancel, "OK", AnswerOk, IconQuestion, QMessageBox::Question},
               {ButtonsOkCancel, "キャンセル", AnswerCancel, IconStop, QMessageBox::Critical},
               {ButtonsOkCancel, "", AnswerCancel, IconExclamation, QMessageBox::Warning},
               {ButtonsOkCancel, "Enter", AnswerOk, IconInformation, QMessageBox::Information},
               {ButtonsOkCancel, "Escape", AnswerCancel, IconQuestion, QMessageBox::Question},
               {ButtonsOk, "OK", AnswerOk, IconInformation, QMessageBox::Information},
               {ButtonsOk, "Enter", AnswerOk, IconStop, QMessageBox::Critical},
               {ButtonsOk, "", AnswerOk, IconNone, QMessageBox::NoIcon}};
  for (const auto& c : cases) {
    QStringList shown;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      for (QAbstractButton* b : box->buttons()) shown << b->text();
      EXPECT_EQ(box->text(), QStringLiteral("本文"));
      EXPECT_EQ(box->windowTitle(), QStringLiteral("題"));
      EXPECT_EQ(box->icon(), c.shownIcon) << c.icon;
      const std::string press = c.press;
      if (press == "Enter" || press == "Escape")
        return QTest::keyClick(box, press == "Enter" ? Qt::Key_Return : Qt::Key_Escape);
      for (QAbstractButton* b : box->buttons())
        if (b->text() == QString::fromUtf8(c.press)) return b->click();
      box->reject();
    });
    EXPECT_EQ(P().MessageBox("本文", "題", c.icon, c.buttons), c.answer)
        << c.buttons << " " << c.press;
    EXPECT_EQ(shown, (c.buttons == ButtonsOk ? QStringList{"OK"} : QStringList{"OK", "キャンセル"}));
  }
}

// The edit dialog's groups in their columns; its 24 buttons move the board; cancel brings it back.
TEST_F(WindowEdges, EveryEditDialogButtonMovesTheBoard) {
  LoadGivens(kSample);
  auto values = [] { return std::vector<uint32_t>(g.board.value, g.board.value + 81); };
  const std::vector<uint32_t> start = values();
  for (const char* close : {"cancel", "ok"}) {
    std::vector<uint32_t> moved;
    size_t changed = 0;
    WithModal([&] { app.window->PostCommand(1190); }, [&](QWidget* dialog) {
      // Two block groups, then three bands, then three stacks, column by column.
      const QList<QGroupBox*> boxes = dialog->findChildren<QGroupBox*>();
      const int column[] = {0, 0, 1, 1, 1, 2, 2, 2}, row[] = {0, 1, 0, 1, 2, 0, 1, 2};
      EXPECT_EQ(boxes.size(), 8);
      for (int i = 0; i < 8 && boxes.size() == 8; ++i)
        for (int j = 0; j < 8; ++j) {
          EXPECT_EQ(boxes[i]->x() < boxes[j]->x(), column[i] < column[j]) << i << " " << j;
          EXPECT_EQ(boxes[i]->y() < boxes[j]->y(), row[i] < row[j]) << i << " " << j;
        }
      for (uint32_t id = 1750; id <= 1980; id += 10) {
        auto* button = dialog->findChild<QPushButton*>(QString::number(id));
        if (!button) continue;
        const std::vector<uint32_t> before = values();
        QTest::mouseClick(button, Qt::LeftButton);
        changed += values() != before;
      }
      moved = values();
      if (auto* b = dialog->findChild<QPushButton*>(QString::fromLatin1(close))) b->click();
    });
    EXPECT_EQ(changed, 24u) << close;
    EXPECT_EQ(values(), std::string(close) == "ok" ? moved : start) << close;
  }
}

}  // namespace
