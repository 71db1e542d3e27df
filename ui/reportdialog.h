#pragma once

#include "workspace/workspace.h"

#include <QWidget>

#include <array>
#include <functional>

class QCheckBox;
class QLineEdit;

namespace veldora {

// The report dialog: the project name, the pour volume, the cement bag mass and whether to
// include the adjusted proportions. Its OK hands the settings to accepted(), which opens the print
// preview.
class ReportDialog : public QWidget {
  Q_OBJECT
 public:
  ReportDialog(Workspace& workspace, std::function<void()> changed,
               std::function<void(const ReportSettings&)> accepted, QWidget* parent);
  QLineEdit* box(int n) const { return mBoxes[static_cast<size_t>(n - 1)]; }
  void refresh();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Workspace& mWorkspace;
  std::function<void()> mChanged;
  std::function<void(const ReportSettings&)> mAccepted;
  std::array<QLineEdit*, 3> mBoxes{};  // Text1 project name, Text2 pour volume, Text3 bag mass
  QCheckBox* mIncludeAdjustment = nullptr;
};

}  // namespace veldora
