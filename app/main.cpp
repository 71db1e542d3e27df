#include "platform/process.h"
#include "presentation/fonts.h"
#include "ui/program.h"
#include "ui/startup.h"

#include <QApplication>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

// Prints the usage or the usage error of request and gives the exit status, where it has one.
std::optional<int> answered(const veldora::StartupRequest& request) {
  if (request.usageError) {
    std::fprintf(stderr, "%s\n", request.usageError->c_str());
    return 2;
  }
  if (request.help) {
    std::printf("%s\n", veldora::kStartupUsage);
    return 0;
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  // Without a display the toolkit would abort with a message of its own; say it plainly, after
  // what needs no display (the usage, or what is wrong with the arguments).
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    if (const auto status = answered(
            veldora::readStartupArguments(veldora::platform::programArguments(argc, argv)))) {
      return *status;
    }
    std::fputs("veldora: no display is available, so the windows cannot be shown.\n", stderr);
    return 3;
  }
  // Past a file-size limit a save must fail with its message, not end the program and the
  // user's unsaved work with it.
  veldora::platform::prepareProcess();
  QApplication app(argc, argv);
  // Qt has taken its own options out of argv; the rest are the program's file names.
  const veldora::StartupRequest request =
      veldora::readStartupArguments(veldora::platform::programArguments(argc, argv));
  if (const auto status = answered(request)) return *status;
  veldora::loadBundledFonts();
  veldora::Program program(request.file);
  QObject::connect(&program.window(), &veldora::MainWindow::programEnded, &app,
                   &QApplication::quit);
  return app.exec();
}
