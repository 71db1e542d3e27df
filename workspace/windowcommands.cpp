#include "workspace/windowcommands.h"

#include "workspace/messages.h"

namespace veldora {

void WindowCommands::showInfoWindow(InfoWindow window) {
  const Command command(*this);
  if (!mState.holds(Window::Main)) return;
  InfoWindowState& info = mState.infoWindows[static_cast<size_t>(window)];
  info.shown = true;
  ++info.showings;
}

void WindowCommands::closeInfoWindow(InfoWindow window) {
  const Command command(*this);
  mState.infoWindows[static_cast<size_t>(window)].shown = false;
}

void WindowCommands::confirmExit() {
  const Command command(*this);
  if (!mState.holds(Window::Main)) return;
  if (askYesNo(messages::kWarningTitle, messages::kExitQuestion)) closeMainWindow();
}

void WindowCommands::closeMainWindow() {
  const Command command(*this);
  mState.mainWindow.programEnded = true;
}

}  // namespace veldora
