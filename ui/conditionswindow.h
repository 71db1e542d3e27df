#pragma once

#include "workspace/workspace.h"

#include <QWidget>

#include <array>
#include <functional>

class QLabel;
class QPushButton;

namespace veldora {

// Form4: the six condition rows with their buttons and texts, DEFAULT, CANCEL and OK.
class ConditionsWindow : public QWidget {
  Q_OBJECT
 public:
  ConditionsWindow(Workspace& workspace, std::function<void()> changed, QWidget* parent);
  void refresh();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void command(void (ConditionCommands::*action)());

  Workspace& mWorkspace;
  std::function<void()> mChanged;
  std::array<QPushButton*, kConditionRows> mRowButtons{};
  std::array<QLabel*, kConditionRows> mRowTexts{};
};

}  // namespace veldora
