#pragma once

#include "workspace/prompter.h"

#include <QPointer>
#include <QWidget>

namespace veldora {

// The program's message boxes: modal, Persian text right to left, the given title, no icon.
class WidgetPrompter : public Prompter {
 public:
  void showMessage(const std::string& title, const std::string& text) override;
  bool askYesNo(const std::string& title, const std::string& text) override;
  std::optional<std::string> chooseFile(const FileDialogRequest& request) override;
};

// Gives every file dialog of the program (its own, and those Qt opens for the print preview) icons
// and types by what a name is, never by reading a file: a dialog showing /proc or /sys, or a FIFO,
// would otherwise block reading a file that never ends.
void guardFileDialogs();

}  // namespace veldora
