#include "workspace/workspace.h"

#include "workspace/messages.h"

namespace veldora {

Workspace::Workspace(Prompter& prompter)
    : mDesign(*this, mState, prompter),
      mConditions(*this, mState, prompter),
      mTrialBatch(*this, mState, prompter),
      mFiles(*this, mState, prompter),
      mReport(*this, mState, prompter) {
  for (int i = 1; i <= kBoxCount; ++i) {
    mState.mainWindow.boxes[static_cast<size_t>(i - 1)] =
        DesignCommands::initialText(static_cast<Box>(i));
  }
  mState.mainWindow.title = messages::kUntitledTitle;
}

}  // namespace veldora
