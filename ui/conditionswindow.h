#pragma once

#include "ui/followingwindow.h"
#include "ui/widgets.h"
#include "workspace/workspace.h"

#include <array>

class QLabel;
class QPushButton;

namespace veldora {

// Form4: the six condition rows with their buttons and texts, DEFAULT, CANCEL and OK. Escape and
// the close box act as CANCEL.
class ConditionsWindow : public AnsweredWindow, public FollowingWindow {
  Q_OBJECT
 public:
  ConditionsWindow(Workspace& workspace, QWidget* parent);
  QWidget* widget() override { return this; }
  void follow(const WorkspaceState& state) override;

 private:
  Workspace& mWorkspace;
  std::array<QPushButton*, kConditionRows> mRowButtons{};
  std::array<QLabel*, kConditionRows> mRowTexts{};
  bool mSized = false;
};

}  // namespace veldora
