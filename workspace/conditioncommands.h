#pragma once

#include "workspace/workspacepart.h"

namespace veldora {

// The conditions window and the option dialogs. A dialog's selection is the DesignConditions
// field itself: a click in an open dialog changes the design's condition at once, and Cancel puts
// back the selection the dialog was opened with.
class ConditionCommands : public WorkspacePart {
 public:
  using WorkspacePart::WorkspacePart;

  // The conditions window: the main window's Command3 opens it (taking the snapshot that its
  // CANCEL puts back); OK keeps everything, CANCEL puts the snapshot back, DEFAULT selects the
  // default conditions.
  void openWindow();
  void ok();
  void cancel();
  void restoreDefaults();

  // An option dialog, opened from its owner (a row of the conditions window, SELECT CODE or
  // VIEW); opening does nothing where that opener is not available.
  void openDialog(OptionDialog dialog);
  void selectOption(OptionDialog dialog, int option);  // the user clicks an option
  void dialogOk(OptionDialog dialog);
  void dialogCancel(OptionDialog dialog);

  // Selects an option and applies the dialog's OK (return code, row text, offered rows) without
  // any window opening: the command line's way to set a condition.
  void choose(OptionDialog dialog, int option);

  int selection(OptionDialog dialog) const;
  // The six row texts, as the window shows them or, before it exists, as it will at creation.
  std::array<std::string, kConditionRows> rowTexts() const;
  std::array<bool, kConditionRows> rowsOffered() const;

 private:
  friend class FileCommands;
  // For New and Open, which write the window without opening it: creates it on first use (its
  // rows then take their texts and availability at creation), sets a selection as New, Open and
  // CANCEL do (no OK effects), and puts back the rows' texts and availability at creation.
  void ensureCreated();
  void setSelection(OptionDialog dialog, int option);
  void resetRows();

  void writeRowText(OptionDialog dialog);  // of a row of the conditions window
  void applyOkEffects(OptionDialog dialog);
  void closeDialog(OptionDialog dialog);
};

}  // namespace veldora
