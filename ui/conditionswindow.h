#pragma once

#include "ui/widgets.h"
#include "workspace/workspace.h"

#include <array>

class QLabel;
class QPushButton;

namespace veldora {

// Form4: the six condition rows with their buttons and texts, DEFAULT, CANCEL and OK. Escape and
// the close box act as CANCEL.
class ConditionsWindow : public AnsweredWindow {
  Q_OBJECT
 public:
  ConditionsWindow(Workspace& workspace, QWidget* parent);
  void follow(const WorkspaceState& state);

 private:
  Workspace& mWorkspace;
  std::array<QPushButton*, kConditionRows> mRowButtons{};
  std::array<QLabel*, kConditionRows> mRowTexts{};
};

}  // namespace veldora
