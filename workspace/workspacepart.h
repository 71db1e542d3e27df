#pragma once

#include "workspace/prompter.h"
#include "workspace/state.h"

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

  Workspace& mWorkspace;
  WorkspaceState& mState;
  Prompter& mPrompter;
};

}  // namespace veldora
