// vorel: the desktop program.
#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

#include "drivers/file_commands.h"
#include "ui/app.h"
#include "ui/main_window.h"
#include "ui/qt_platform.h"
#include "vorel_version.h"

namespace {

int g_signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] ssize_t n = write(g_signalPipe[0], &byte, 1);
}

std::string g_firstWarning;

std::string FirstLine(const QString& message) {
  std::string line = message.toLocal8Bit().toStdString();
  const size_t end = line.find('\n');
  if (end != std::string::npos) line.resize(end);
  return line;
}

// Qt ends the process on a fatal error (no display, no platform plugin) with an abort, after
// a few warnings; say what went wrong on one line (the warning about the display when there is
// one) and leave with a failure status instead.
void FatalToExit(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type != QtFatalMsg) {
    if (g_firstWarning.empty() && message.contains(QStringLiteral("display"), Qt::CaseInsensitive))
      g_firstWarning = FirstLine(message);
    return;
  }
  const std::string reason = g_firstWarning.empty() ? FirstLine(message) : g_firstWarning;
  std::fprintf(stderr, "vorel: cannot create the window: %s\n", reason.c_str());
  std::_Exit(1);
}

bool HasDisplay() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform && *platform) return true;
  const char* x = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x && *x) || (wayland && *wayland);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && (std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0)) {
    std::puts("usage: vorel [OPTIONS] [FILE]\n"
              "  Opens the Vorel window; FILE is read as a dropped puzzle file.\n"
              "  -h, --help   prints this text\n"
              "  --version    prints the version\n"
              "  and the options of every Qt program (see the manual page vorel(1)).");
    return 0;
  }
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::puts("vorel " VOREL_VERSION);
    return 0;
  }
  if (!HasDisplay()) {
    std::fputs("vorel: cannot create the window: no display (neither DISPLAY nor WAYLAND_DISPLAY is set)\n", stderr);
    return 1;
  }
  qInstallMessageHandler(FatalToExit);
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vorel"));
  QApplication::setDesktopFileName(QStringLiteral("vorel"));
  qInstallMessageHandler(nullptr);
  InstallQtTranslations();

  VorelApp app;
  StartApp(app, "");
  MainWindow* window = app.window;

  // SIGTERM, SIGINT and SIGHUP close the window the ordinary way, so the settings are saved.
  if (socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) == 0) {
    auto* notifier = new QSocketNotifier(g_signalPipe[1], QSocketNotifier::Read, window);
    QObject::connect(notifier, &QSocketNotifier::activated, window, [window] {
      char byte;
      [[maybe_unused]] ssize_t n = read(g_signalPipe[1], &byte, 1);
      window->close();
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) sigaction(sig, &action, nullptr);
  }

  window->show();
  if (argc > 1) {
    const std::vector<std::string> paths{argv[1]};
    window->Post([paths] { ReadDroppedFile(paths); });
  }
  const int status = application.exec();
  StopApp(app);
  return status;
}
