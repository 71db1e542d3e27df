#pragma once

#include "workspace/workspace.h"

#include <QWidget>

#include <functional>
#include <vector>

class QRadioButton;

namespace veldora {

// One option dialog: its option buttons Option1(0..2), OK and Cancel. The selection lives in the
// workspace; the dialog shows it and sends the user's clicks.
class OptionDialogWindow : public QWidget {
  Q_OBJECT
 public:
  OptionDialogWindow(OptionDialog dialog, Workspace& workspace, std::function<void()> changed,
                     QWidget* parent);
  OptionDialog dialog() const { return mDialog; }
  void refresh();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  OptionDialog mDialog;
  Workspace& mWorkspace;
  std::function<void()> mChanged;
  std::vector<QRadioButton*> mOptions;
};

}  // namespace veldora
