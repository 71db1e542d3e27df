#include "workspace/workspace.h"

#include "workspace/messages.h"

#include <vector>

namespace veldora {

Workspace::Workspace(Prompter& prompter)
    : mDesign(*this, mState, prompter),
      mConditions(*this, mState, prompter),
      mTrialBatch(*this, mState, prompter),
      mFiles(*this, mState, prompter),
      mReport(*this, mState, prompter),
      mWindows(*this, mState, prompter),
      mStrength(*this, mState, prompter),
      mSieves(*this, mState, prompter),
      mStrengthTests(*this, mState, prompter) {
  mState.mainWindow.boxes = DesignCommands::initialTexts();
  mState.mainWindow.title = messages::kUntitledTitle;
  mFiles.rememberSavedDesign();
}

std::unique_ptr<Workspace::Subscription> Workspace::subscribe(std::function<void()> observer) {
  const int id = mNextObserver++;
  mObservers.emplace(id, std::move(observer));
  return std::make_unique<Subscription>(*this, id);
}

void Workspace::announce() {
  // An observer may end its own subscription or another's while it runs: each is looked up again
  // before it is called, and called from a copy that outlives its erasure.
  std::vector<int> ids;
  ids.reserve(mObservers.size());
  for (const auto& entry : mObservers) ids.push_back(entry.first);
  mAnnouncing = true;
  for (int id : ids) {
    const auto it = mObservers.find(id);
    if (it == mObservers.end()) continue;
    const std::function<void()> observer = it->second;
    observer();
  }
  mAnnouncing = false;
}

WorkspacePart::Command::Command(WorkspacePart& part) : mWorkspace(part.mWorkspace) {
  if (mWorkspace.mAnnouncing) ++mWorkspace.mCommandsWhileAnnouncing;
  ++mWorkspace.mOpenCommands;
}

WorkspacePart::Command::~Command() {
  if (--mWorkspace.mOpenCommands == 0) mWorkspace.announce();
}

template <typename Ask>
auto WorkspacePart::withMessageUp(Ask ask) {
  mWorkspace.announce();
  const bool outer = !mState.holder.message;
  mState.holder.message = true;
  auto answer = ask();
  if (outer) mState.holder.message = false;
  return answer;
}

void WorkspacePart::showMessage(const std::string& title, const std::string& text) {
  withMessageUp([&] {
    mPrompter.showMessage(title, text);
    return 0;
  });
}

bool WorkspacePart::askYesNo(const std::string& title, const std::string& text) {
  return withMessageUp([&] { return mPrompter.askYesNo(title, text); });
}

std::optional<std::string> WorkspacePart::chooseFile(const FileDialogRequest& request) {
  return withMessageUp([&] { return mPrompter.chooseFile(request); });
}

void WorkspacePart::requestFocus(Window window, int box) {
  mState.focus.target = FocusTarget{window, box};
  ++mState.focus.number;
}

void WorkspacePart::hold(Window window) { mState.holder.window = window; }

}  // namespace veldora
