#pragma once

#include "ui/mainwindow.h"
#include "ui/widgetprompter.h"
#include "workspace/workspace.h"

#include <optional>
#include <string>

namespace veldora {

// The program as it starts: its message boxes, its state and its main window, shown. A mix file
// it was started with (as a file manager starts it) opens once the event loop runs, so that a
// message about the file stands over the window.
class Program {
 public:
  explicit Program(const std::optional<std::string>& file);

  MainWindow& window() { return mWindow; }
  Workspace& workspace() { return mWorkspace; }

 private:
  WidgetPrompter mPrompter;
  Workspace mWorkspace;
  MainWindow mWindow;
};

}  // namespace veldora
