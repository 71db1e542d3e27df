#pragma once

#include "workspace/conditioncommands.h"
#include "workspace/designcommands.h"
#include "workspace/filecommands.h"
#include "workspace/prompter.h"
#include "workspace/reportcommands.h"
#include "workspace/sievecommands.h"
#include "workspace/state.h"
#include "workspace/strengthcommands.h"
#include "workspace/strengthtestcommands.h"
#include "workspace/trialbatchcommands.h"
#include "workspace/windowcommands.h"

#include <functional>
#include <map>
#include <memory>

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

  // The one change notification: observer is called once after every command, and before every
  // message or question, with the state as it then stands. An observer only reads the state. It
  // is called until the subscription ends.
  class Subscription {
   public:
    Subscription(Workspace& workspace, int id) : mWorkspace(&workspace), mId(id) {}
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;
    ~Subscription() { mWorkspace->mObservers.erase(mId); }

   private:
    Workspace* mWorkspace;
    int mId;
  };
  [[nodiscard]] std::unique_ptr<Subscription> subscribe(std::function<void()> observer);
  // How many commands were given while an observer ran: none, where the windows only read.
  int commandsWhileAnnouncing() const { return mCommandsWhileAnnouncing; }

  DesignCommands& design() { return mDesign; }
  ConditionCommands& conditions() { return mConditions; }
  TrialBatchCommands& trialBatch() { return mTrialBatch; }
  FileCommands& files() { return mFiles; }
  const FileCommands& files() const { return mFiles; }
  ReportCommands& report() { return mReport; }
  WindowCommands& windows() { return mWindows; }
  StrengthCommands& strength() { return mStrength; }
  SieveCommands& sieves() { return mSieves; }
  StrengthTestCommands& strengthTests() { return mStrengthTests; }

 private:
  friend class WorkspacePart;
  void announce();

  WorkspaceState mState;
  std::map<int, std::function<void()>> mObservers;
  int mNextObserver = 0;
  int mOpenCommands = 0;
  bool mAnnouncing = false;
  int mCommandsWhileAnnouncing = 0;
  DesignCommands mDesign;
  ConditionCommands mConditions;
  TrialBatchCommands mTrialBatch;
  FileCommands mFiles;
  ReportCommands mReport;
  WindowCommands mWindows;
  StrengthCommands mStrength;
  SieveCommands mSieves;
  StrengthTestCommands mStrengthTests;
};

}  // namespace veldora
