#include "ui/program.h"

#include "ui/programicon.h"

#include <QApplication>
#include <QTimer>

namespace veldora {

Program::Program(const std::optional<std::string>& file)
    : mWorkspace(mPrompter), mWindow(mWorkspace) {
  QApplication::setWindowIcon(programIcons());
  mWindow.show();
  if (file) {
    QTimer::singleShot(0, &mWindow, [this, path = *file] { mWorkspace.files().open({path}); });
  }
}

}  // namespace veldora
