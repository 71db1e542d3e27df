#pragma once

#include "workspace/conditioncommands.h"
#include "workspace/designcommands.h"
#include "workspace/filecommands.h"
#include "workspace/prompter.h"
#include "workspace/reportcommands.h"
#include "workspace/state.h"
#include "workspace/trialbatchcommands.h"

namespace veldora {

// The whole program: its state as plain data, and every command a user can give, grouped by
// concern. The windows render the state and forward their events to the commands; the command
// line drives the same commands. Messages and file choices go through the prompter.
class Workspace {
 public:
  explicit Workspace(Prompter& prompter);
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  const WorkspaceState& state() const { return mState; }

  DesignCommands& design() { return mDesign; }
  ConditionCommands& conditionWindows() { return mConditions; }
  TrialBatchCommands& trialBatch() { return mTrialBatch; }
  FileCommands& files() { return mFiles; }
  ReportCommands& report() { return mReport; }

 private:
  WorkspaceState mState;
  DesignCommands mDesign;
  ConditionCommands mConditions;
  TrialBatchCommands mTrialBatch;
  FileCommands mFiles;
  ReportCommands mReport;
};

}  // namespace veldora
