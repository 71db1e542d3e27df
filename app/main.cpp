#include "ui/mainwindow.h"
#include "ui/widgetprompter.h"
#include "workspace/workspace.h"

#include <QApplication>

#include <csignal>
#include <cstdio>

int main(int argc, char** argv) {
  // Without a display the toolkit would abort with a message of its own; say it plainly.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    std::fputs("veldora: no display is available, so the windows cannot be shown.\n", stderr);
    return 3;
  }
  // Past a file-size limit a save must fail with its message, not end the program and the
  // user's unsaved work with it.
  std::signal(SIGXFSZ, SIG_IGN);
  QApplication app(argc, argv);
  veldora::WidgetPrompter prompter;
  veldora::Workspace workspace(prompter);
  veldora::MainWindow window(workspace);
  QObject::connect(&window, &veldora::MainWindow::programEnded, &app, &QApplication::quit);
  window.show();
  return app.exec();
}
