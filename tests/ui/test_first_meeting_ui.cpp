// The window as a new user meets it, offscreen: the first start, Qt's own dialogs in
// Japanese and paths the readers cannot take.
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLibraryInfo>
#include <QMimeData>
#include <QScreen>
#include <QUrl>

#include "drivers/sample.h"
#include "tests/ui/window_fixture.h"

namespace {

std::string BoardLine() {
  std::string line;
  for (uint32_t c = 0; c < 81; ++c) line += static_cast<char>('0' + g.board.value[c]);
  return line;
}

using FirstStart = WindowTest;  // no settings file at all

TEST_F(FirstStart, OpensOnTheSamplePuzzleWithCellsOfFortyEightPixels) {
  EXPECT_EQ(BoardLine(), std::string(kSamplePuzzle));
  QCoreApplication::processEvents();
  BoardView* board = app.window->Board();
  EXPECT_EQ(board->size(), QSize(9 * kFirstStartCell + 1, 9 * kFirstStartCell + 1));
  const QRect screen = app.window->screen()->availableGeometry();
  EXPECT_TRUE(screen.contains(app.window->geometry())) << app.window->geometry().width() << "x"
                                                       << app.window->geometry().height();
  EXPECT_EQ(app.window->StatusPart(1)->text(), QStringLiteral("空白残り[64]"));
  // The place and size are what the settings file will keep.
  EXPECT_EQ(g.settings.winWidth, app.window->width());
  EXPECT_EQ(g.settings.winHigh, app.window->height());

  // Its corner keeps its distance from the free area's corner, wherever that is.
  const QPoint corner(g.settings.winLeft, g.settings.winTop);
  FitFirstStart(app.window, QRect(100, 20, 1000, 800));
  EXPECT_EQ(app.window->pos(), QPoint(100, 20) + corner);
  // A screen too small for such cells: the window stays inside it.
  FitFirstStart(app.window, QRect(0, 0, 400, 380));
  EXPECT_LE(app.window->width(), 400);
  EXPECT_LE(app.window->height(), 380);
}

// Unlike vorel-cli, the window starts in the folder its settings name, and where they place it.
class StartFolder : public WindowTest {
  std::string StartSettings() const override {
    QDir(folder.path()).mkdir(QStringLiteral("start"));
    return "[WinPos]\nWinLeft=120\nWinTop=60\n[String]\nInitialDir=" + folder.path().toStdString() +
           "/start\n";
  }
  QString before = QDir::currentPath();
  void TearDown() override {
    WindowTest::TearDown();
    QDir::setCurrent(before);
  }
};

TEST_F(StartFolder, TheWindowStartsInTheFolderAndAtThePlaceItsSettingsName) {
  EXPECT_EQ(QDir::currentPath(), folder.path() + QStringLiteral("/start"));
  EXPECT_EQ(app.window->pos(), QPoint(120, 60));
}

TEST(QtTranslations, QtsOwnDialogsSpeakJapaneseWhenTheFileIsThere) {
  QTemporaryDir empty;
  EXPECT_FALSE(InstallQtTranslations(empty.path()));
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!QFile::exists(folder + QStringLiteral("/qtbase_ja.qm")))
    GTEST_SKIP() << "qtbase_ja.qm is not installed (Debian qt6-translations-l10n)";
  ASSERT_TRUE(InstallQtTranslations());
  EXPECT_NE(QCoreApplication::translate("QFontDialog", "Select Font"), QStringLiteral("Select Font"));
  EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
  EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
}

using LaterStart = LogWindowTest;

// With a settings file the window starts as the file says; a folder or a missing file dropped on
// it leaves the board with one message.
TEST_F(LaterStart, StartsAsTheFileSaysAndADroppedFolderOrMissingFileLeavesTheBoard) {
  EXPECT_NE(BoardLine(), std::string(kSamplePuzzle));
  EXPECT_EQ(app.window->size(), QSize(350, 300));
  EXPECT_EQ(app.window->pos(), QPoint(50, 50));
  const std::string before = BoardLine();
  QTemporaryDir dir;
  for (const QString& path : {dir.path(), dir.filePath(QStringLiteral("missing.txt"))}) {
    ModalAnswerer answerer;
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(app.window, &enter);
    QDropEvent drop(QPointF(100, 100), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(app.window, &drop);
    EXPECT_TRUE(QTest::qWaitFor([&answerer] { return !answerer.boxes.empty(); }, 5000));
    EXPECT_EQ(answerer.boxes, std::vector<QString>{QStringLiteral("ファイルがオープンできません\t") + path});
    EXPECT_EQ(BoardLine(), before);
  }
  // A drag is taken only of files, and only where files may be opened.
  QMimeData text, files;
  text.setText(QStringLiteral("x"));
  files.setUrls({QUrl::fromLocalFile(dir.path())});
  const auto taken = [this](QMimeData* data) {
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(app.window, &enter);
    return enter.isAccepted();
  };
  EXPECT_TRUE(taken(&files));
  EXPECT_FALSE(taken(&text));
  g.acceptDrops = 0;
  EXPECT_FALSE(taken(&files));
}

}  // namespace
