#include "workspace/windowcommands.h"

#include "workspace/messages.h"
#include "workspace/workspace.h"

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
  if (askYesNo(messages::kWarningTitle, messages::kExitQuestion)) {
    mState.mainWindow.programEnded = true;
  }
}

void WindowCommands::closeMainWindow() {
  const Command command(*this);
  if (mState.mainWindow.programEnded) return;
  if (mWorkspace.files().hasUnsavedWork() &&
      !askYesNo(messages::kWarningTitle, messages::kExitQuestion)) {
    return;
  }
  mState.mainWindow.programEnded = true;
}

void WindowCommands::refuseLongPaste() {
  const Command command(*this);
  if (mState.holder.message) return;
  showMessage(messages::kWarningTitle, messages::kPasteTooLong);
}

}  // namespace veldora
