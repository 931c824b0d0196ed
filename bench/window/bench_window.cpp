// Window timings: start-up to the first painted frame, and a full repaint of the candidate
// screen in the box layout at 900x800. Run under a real X server (xvfb-run) or offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>

#include "board/candidates.h"
#include "board/state.h"
#include "drivers/commands.h"
#include "ui/app.h"
#include "ui/board_view.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"

namespace {

const char* const kSample =
    "000000010400000000020000000000050407008000300001090000300400200050100000000806000";

// Catches the board's first paint event.
class FirstPaint : public QObject {
 public:
  bool painted = false;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return false;
  }
};

void StartupToFirstPaint(benchmark::State& state) {
  for (auto _ : state) {
    QTemporaryDir folder;
    QElapsedTimer clock;
    clock.start();
    VorelApp app;
    StartApp(app, folder.path().toStdString() + "/");
    FirstPaint watch;
    app.window->Board()->installEventFilter(&watch);
    app.window->show();
    while (!watch.painted) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
    app.window->Board()->removeEventFilter(&watch);
    app.window->close();
    StopApp(app);
  }
}
BENCHMARK(StartupToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

void BoxLayoutRepaint900x800(benchmark::State& state) {
  ApplyDefaultSettings(g.settings);
  ResetStartupState();
  g.settings.kohoDisplayMode = 1;
  g.settings.fontSize = -40;
  g.settings.fontSize2 = -20;
  for (uint32_t c = 0; c < 81; ++c) {
    g.board.value[c] = static_cast<uint32_t>(kSample[c] - '0');
    g.board.kind[c] = g.board.value[c] ? KindGiven : KindEmpty;
  }
  RunCommand(310);
  BoardView view;
  view.resize(900, 800);
  QImage image(900, 800, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&image);
    view.PaintBoard(painter);
    painter.end();
    benchmark::DoNotOptimize(image.bits());
  }
}
BENCHMARK(BoxLayoutRepaint900x800)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
