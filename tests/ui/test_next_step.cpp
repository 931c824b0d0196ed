// "次の一手" in the window: the N key marks the step's cells in the confirmation colour and
// changes nothing; the second press applies the step and the marks go.
#include <QAction>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <cstdlib>
#include <cstring>

#include "drivers/path.h"
#include "tests/ui/window_fixture.h"
#include "ui/log_window.h"

namespace {

// Single MAX leaves this one at locked candidates.
const char* const kPuzzle =
    "003050068000070000050008024010030080800004000007605000001007002500160000030000005";

class NextStepWindow : public WindowTest {
  std::string StartSettings() const override { return "[MODE]\nCandErase=1\n"; }
};

TEST_F(NextStepWindow, NMarksTheStepAndChangesNothingUntilPressedAgain) {
  LoadGivens(kPuzzle);
  g.settings.number2 = 11;  // a confirmation colour apart from the background
  app.window->PostCommand(310);
  app.window->PostCommand(910);
  g.cursorRow = 8;
  g.cursorColumn = 8;
  const CandidateTable before = g.cand;
  EXPECT_EQ(app.window->MenuAction(4100)->text().section(QLatin1Char('\t'), 0, 0),
            QStringLiteral("次の一手"));
  Type(QStringLiteral("n"));
  EXPECT_EQ(std::memcmp(&before, &g.cand, sizeof before), 0);
  const QString text = app.window->StatusPart(0)->text();
  EXPECT_TRUE(text.startsWith(QStringLiteral("Locked Candidates "))) << text.toStdString();

  const uint32_t* marks = NextStepMarks();
  uint32_t marked = 81, plain = 81;
  for (uint32_t c = 0; c < 80; ++c) {
    if (marks[c] && marked == 81) marked = c;
    if (!marks[c] && plain == 81) plain = c;
  }
  ASSERT_LT(marked, 81u);
  ASSERT_LT(plain, 81u);
  for (uint32_t layout : {0u, 1u}) {
    g.settings.kohoDisplayMode = static_cast<int32_t>(layout);
    const QImage image = Paint(451, 451);
    EXPECT_EQ(QColor(image.pixel(Inside(marked).topLeft())), PaletteColour(11)) << layout;
    EXPECT_NE(QColor(image.pixel(Inside(plain).topLeft())), PaletteColour(11)) << layout;
  }
  g.settings.kohoDisplayMode = 0;
  // The picture of the README: the window in its own colours (the candidates in navy) with
  // the technique log beside it.
  if (const char* dir = std::getenv("VOREL_SHOT_DIR")) {
    g.settings.calc = 1;
    app.window->resize(560, 620);
    QTest::qWait(50);
    const QPixmap main = app.window->grab();
    QPixmap log;
    if (app.window->Log()) {
      app.window->Log()->resize(440, 620);
      QTest::qWait(50);
      log = app.window->Log()->grab();
    }
    QImage shot(main.width() + log.width() + 8, std::max(main.height(), log.height()),
                QImage::Format_RGB32);
    shot.fill(Qt::white);
    QPainter painter(&shot);
    painter.drawPixmap(0, 0, main);
    if (!log.isNull()) painter.drawPixmap(main.width() + 8, 0, log);
    painter.end();
    shot.save(QString::fromUtf8(dir) + QStringLiteral("/next-step.png"));
  }

  Type(QStringLiteral("n"));
  EXPECT_LT(g.cand.total, before.total);
  const QImage after = Paint(451, 451);
  EXPECT_NE(QColor(after.pixel(Inside(marked).topLeft())), PaletteColour(11));
}

}  // namespace
