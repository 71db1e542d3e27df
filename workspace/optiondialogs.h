#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace veldora {

// The eight option dialogs. The first six are the rows of the conditions window Form4, in row
// order; Dialog7 (design method) and Dialog8 (result view) belong to the main window.
enum class OptionDialog { Dialog, Dialog1, Dialog2, Dialog3, Dialog4, Dialog5, Dialog7, Dialog8 };

inline constexpr int kConditionRows = 6;
inline constexpr std::array<OptionDialog, 8> kOptionDialogs = {
    OptionDialog::Dialog,  OptionDialog::Dialog1, OptionDialog::Dialog2, OptionDialog::Dialog3,
    OptionDialog::Dialog4, OptionDialog::Dialog5, OptionDialog::Dialog7, OptionDialog::Dialog8};

// The conditions window's row of a condition dialog (0 workability .. 5 section), -1 for the
// method and result view dialogs.
constexpr int conditionRow(OptionDialog dialog) {
  const int row = static_cast<int>(dialog);
  return row < kConditionRows ? row : -1;
}

// The caption of a dialog's option, exactly as the dialog shows it.
std::string optionCaption(OptionDialog dialog, int option);

// "Dialog1", "Dialog7": the dialog's name as the program knows it.
const char* dialogName(OptionDialog dialog);

// A dialog's own state beside its selection (the selection is the DesignConditions field).
struct OptionDialogState {
  bool shown = false;
  std::int16_t DEF = 0;  // 1 + the index Cancel goes back to
};

// What the conditions window takes when it opens, for CANCEL to put back.
struct ConditionsSnapshot {
  std::array<double, kConditionRows> index{};  // selected option per row; 0 at creation
  std::array<bool, kConditionRows> offered{};
};

// Form4: six rows of a button (offered or not) and a text showing the choice. The texts are state
// of their own: they normally equal the selected option's caption but are not always.
struct ConditionsWindowState {
  bool created = false;
  bool shown = false;
  bool enabled = true;  // disabled while one of its dialogs is open
  std::array<std::string, kConditionRows> texts;
  std::array<bool, kConditionRows> offered{};
  ConditionsSnapshot snapshot;
};

}  // namespace veldora
