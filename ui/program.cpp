#include "ui/program.h"

#include "ui/aboutwindow.h"

#include <QApplication>
#include <QTimer>

namespace veldora {

Program::Program(const std::optional<std::string>& file)
    : mWorkspace(mPrompter), mWindow(mWorkspace) {
  QApplication::setWindowIcon(programIcons());
  mWindow.show();
  if (file) QTimer::singleShot(0, &mWindow, [this, path = *file] { mWindow.openMixFile(path); });
}

}  // namespace veldora
