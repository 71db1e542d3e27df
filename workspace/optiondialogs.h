#pragma once

#include "engine/conditions.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace veldora {

// The eight option dialogs. The first six are the rows of the conditions window, in row order;
// the design method and result view dialogs belong to the main window.
enum class OptionDialog {
  Workability,
  Environment,
  Exposure,
  Cement,
  ConcreteType,
  Section,
  DesignMethod,
  ResultView
};

inline constexpr int kConditionRows = 6;
inline constexpr std::array<OptionDialog, 8> kOptionDialogs = {
    OptionDialog::Workability,  OptionDialog::Environment,  OptionDialog::Exposure,
    OptionDialog::Cement,       OptionDialog::ConcreteType, OptionDialog::Section,
    OptionDialog::DesignMethod, OptionDialog::ResultView};

// The row of the conditions window that opens a dialog; -1 for the main window's dialogs.
constexpr int conditionsRow(OptionDialog dialog) {
  const int row = static_cast<int>(dialog);
  return row < kConditionRows ? row : -1;
}

// The dialog of a row of the conditions window.
constexpr OptionDialog rowDialog(int row) { return kOptionDialogs[static_cast<size_t>(row)]; }

// A row of the conditions window whose availability a dialog's OK sets: offered while the rule
// holds for the conditions as they then are.
struct RowAvailability {
  OptionDialog row;
  bool (*offered)(const DesignConditions&);
};

// Everything that differs between the option dialogs, one entry each.
struct OptionDialogInfo {
  const char* objectName;                      // "Dialog1": the windows' and tests' name for it
  std::span<const std::string_view> captions;  // option captions, in option order
  int (*selection)(const DesignConditions&);   // the field's option index
  void (*select)(DesignConditions&, int option);
  std::span<const RowAvailability> okOffers;  // what its OK makes available, in order
  bool okShowsTheChosenList;                  // the result view dialog's OK switches the lists
};

const OptionDialogInfo& optionDialogInfo(OptionDialog dialog);

inline int optionCount(OptionDialog dialog) {
  return static_cast<int>(optionDialogInfo(dialog).captions.size());
}

// The caption of a dialog's option, exactly as the dialog shows it.
inline std::string optionCaption(OptionDialog dialog, int option) {
  return std::string(optionDialogInfo(dialog).captions[static_cast<size_t>(option)]);
}

}  // namespace veldora
