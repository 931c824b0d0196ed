#include "tests/ui/window_fixture.h"

#include <QFile>
#include <QMessageBox>

void Settle() {
  for (int i = 0; i < 4; ++i) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
}

void Click(QWidget* dialog, const char* name) {
  auto* button = dialog->findChild<QPushButton*>(QString::fromLatin1(name));
  ASSERT_NE(button, nullptr) << name;
  QTest::mouseClick(button, Qt::LeftButton);
}

ModalAnswerer::ModalAnswerer(QWidget* behind, std::function<void(QWidget*)> act)
    : behind_(behind), act_(std::move(act)) {
  timer_.setInterval(5);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Answer(); });
  timer_.start();
}

void ModalAnswerer::Answer() {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal) return;
  ++answered;
  if (behind_) behind_->repaint();
  if (auto* box = qobject_cast<QMessageBox*>(modal)) {
    boxes.push_back(box->windowTitle() + QLatin1Char('\t') + box->text());
    if (box->defaultButton()) box->defaultButton()->click();
    else box->accept();
  } else if (act_) {
    act_(modal);
  } else if (auto* ok = modal->findChild<QPushButton*>(QStringLiteral("ok"))) {
    ok->click();
  } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
    dialog->reject();
  }
}

void WindowTest::SetUp() {
  ASSERT_TRUE(folder.isValid());
  const std::string settings = StartSettings();
  if (!settings.empty()) {
    QFile file(folder.filePath(QStringLiteral("Vorel.ini")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(settings.data(), static_cast<qint64>(settings.size()));
  }
  StartApp(app, folder.path().toStdString() + "/");
  app.window->show();
}

void WindowTest::TearDown() {
  app.window->close();
  StopApp(app);
}

void WindowTest::LoadGivens(const std::string& grid) {
  for (uint32_t c = 0; c < 81; ++c) {
    const char ch = grid[c];
    g.board.value[c] = ch >= '1' && ch <= '9' ? static_cast<uint32_t>(ch - '0') : 0;
    g.board.kind[c] = g.board.value[c] ? KindGiven : KindEmpty;
  }
  RefreshStatus(1);
}

void WindowTest::Key(int key, Qt::KeyboardModifiers modifiers) {
  QTest::keyClick(app.window->Board(), static_cast<Qt::Key>(key), modifiers);
}

void WindowTest::Type(const QString& text) {
  for (QChar ch : text) QTest::keyClicks(app.window->Board(), QString(ch));
}

bool WindowTest::WithModal(const std::function<void()>& action,
                           const std::function<void(QWidget*)>& act) {
  bool seen = false;
  QTimer::singleShot(0, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    seen = true;
    act(modal);
  });
  action();
  return seen;
}

bool WindowTest::WithDialog(uint32_t command, const std::function<void(QWidget*)>& act) {
  return WithModal([command] { RunCommand(command); }, act);
}

QImage WindowTest::Paint(int width, int height) {
  BoardView view;
  view.resize(width, height);
  QImage image(width, height, QImage::Format_RGB32);
  QPainter painter(&image);
  view.PaintBoard(painter);
  return image;
}
