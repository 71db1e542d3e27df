#pragma once

#include "workspace/workspace.h"

#include <QWidget>

#include <array>
#include <functional>

class QLabel;
class QLineEdit;

namespace veldora {

// Dialog6: the trial batch's measured slump, unit weight, water and (air-entrained concrete only)
// air content, with OK and Cancel stacked at the right.
class TrialBatchDialog : public QWidget {
  Q_OBJECT
 public:
  TrialBatchDialog(Workspace& workspace, std::function<void()> changed, QWidget* parent);
  QLineEdit* box(int n) const { return mBoxes[static_cast<size_t>(n - 1)]; }
  void refresh();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  Workspace& mWorkspace;
  std::function<void()> mChanged;
  std::array<QLineEdit*, 4> mBoxes{};  // Text1 slump, Text2 unit weight, Text3 air, Text4 water
  QLabel* mAirLabel = nullptr;
};

}  // namespace veldora
