#include "workspace/state.h"

namespace veldora {

std::string focusName(const FocusTarget& target) {
  const std::string box = "Text" + std::to_string(target.box);
  return target.window == Window::TrialBatch ? "Dialog6." + box : box;
}

bool WorkspaceState::shows(Window window) const {
  if (mainWindow.programEnded) return false;  // every window closes with the program
  switch (window) {
    case Window::Main:
      return true;
    case Window::Conditions:
      return holder.window == Window::Conditions ||
             (holder.window == Window::OptionDialog && conditionsRow(holder.dialog) >= 0);
    default:
      return holder.window == window;
  }
}

}  // namespace veldora
