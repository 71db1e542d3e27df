#pragma once

#include "tests/support/recordingprompter.h"
#include "ui/mainwindow.h"
#include "workspace/workspace.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace veldora::testing_support {

// A fresh workspace, whose messages a RecordingPrompter records, and its main window, for the
// window tests: open() in init(), close() in cleanup().
class MainWindowFixture {
 protected:
  RecordingPrompter prompter;
  std::unique_ptr<Workspace> workspace;
  std::unique_ptr<MainWindow> window;

  // Shows the window, and with active makes it the window that has the keyboard; false when the
  // platform never did.
  bool open(bool active) {
    close();
    prompter = RecordingPrompter();
    workspace = std::make_unique<Workspace>(prompter);
    window = std::make_unique<MainWindow>(*workspace);
    window->show();
    if (!active) return QTest::qWaitForWindowExposed(window.get());
    window->activateWindow();
    return QTest::qWaitForWindowActive(window.get());
  }
  void close() {
    window.reset();
    workspace.reset();
  }
};

// Runs check on the next modal window once it is up (a message box, a file dialog, the print
// preview); check must close it.
template <typename Dialog>
void whenModal(std::function<void(Dialog*)> check) {
  QTimer::singleShot(0, [check] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (!dialog) qFatal("no modal window of the expected kind is up");
    check(dialog);
  });
}

}  // namespace veldora::testing_support
