#pragma once

#include "workspace/prompter.h"
#include "workspace/state.h"

#include <optional>
#include <string>

namespace veldora {

class Workspace;

// A group of the workspace's commands: they change the one state, talk to the user through the
// prompter, and reach the other groups through the workspace.
class WorkspacePart {
 public:
  // Only the workspace makes its parts.
  WorkspacePart(Workspace& workspace, WorkspaceState& state, Prompter& prompter)
      : mWorkspace(workspace), mState(state), mPrompter(prompter) {}
  WorkspacePart(const WorkspacePart&) = delete;
  WorkspacePart& operator=(const WorkspacePart&) = delete;

 protected:
  ~WorkspacePart() = default;

  // Every public command that changes the state opens one of these first: when the outermost
  // ends, the workspace announces the state once, however many commands it called.
  class Command {
   public:
    explicit Command(WorkspacePart& part);
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;
    ~Command();

   private:
    Workspace& mWorkspace;
  };

  // The prompter's messages, questions and file dialogs. Each first announces the state as it
  // stands, so that the windows beside the message already show what it is about, and the
  // message holds the user while it is up.
  void showMessage(const std::string& title, const std::string& text);
  bool askYesNo(const std::string& title, const std::string& text);
  std::optional<std::string> chooseFile(const FileDialogRequest& request);

  void requestFocus(Window window, int box);
  void hold(Window window);

  Workspace& mWorkspace;
  WorkspaceState& mState;

 private:
  template <typename Ask>
  auto withMessageUp(Ask ask);

  Prompter& mPrompter;
};

}  // namespace veldora
