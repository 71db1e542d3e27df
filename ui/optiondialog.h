#pragma once

#include "ui/followingwindow.h"
#include "ui/widgets.h"
#include "workspace/workspace.h"

#include <vector>

class QRadioButton;

namespace veldora {

// One option dialog: its option buttons Option1(0..2), OK and Cancel; Escape and the close box
// act as Cancel. The selection lives in the workspace; the dialog shows it and sends the user's
// clicks.
class OptionDialogWindow : public AnsweredWindow, public FollowingWindow {
  Q_OBJECT
 public:
  OptionDialogWindow(OptionDialog dialog, Workspace& workspace, QWidget* parent);
  QWidget* widget() override { return this; }
  void follow(const WorkspaceState& state) override;

 private:
  OptionDialog mDialog;
  Workspace& mWorkspace;
  std::vector<QRadioButton*> mOptions;
};

}  // namespace veldora
