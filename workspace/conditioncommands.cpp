#include "workspace/conditioncommands.h"

#include "workspace/messages.h"

namespace veldora {
namespace {

// The texts of the conditions window's rows when it is created. Two differ from the option
// captions that the dialogs, CANCEL and DEFAULT write: the environment row's spelling and the
// concrete type row's missing final space.
const std::array<std::string, kConditionRows> kCreationTexts = {
    std::string(caption(Workability::Medium)),   messages::kNormalConditionsAtCreation,
    std::string(caption(ExposureClass::Normal)), std::string(caption(CementType::Ordinary)),
    messages::kNonAirEntrainedAtCreation,        std::string(caption(SectionType::Ordinary))};
constexpr std::array<bool, kConditionRows> kOfferedAtCreation = {true,  false, true,
                                                                 false, true,  false};

size_t rowOf(OptionDialog dialog) { return static_cast<size_t>(conditionsRow(dialog)); }

}  // namespace

std::array<std::string, kConditionRows> ConditionCommands::rowTexts() const {
  return mState.conditionsWindow.created ? mState.conditionsWindow.texts : kCreationTexts;
}

std::array<bool, kConditionRows> ConditionCommands::rowsOffered() const {
  return mState.conditionsWindow.created ? mState.conditionsWindow.offered : kOfferedAtCreation;
}

int ConditionCommands::selection(OptionDialog dialog) const {
  return optionDialogInfo(dialog).selection(mState.conditions);
}

void ConditionCommands::setSelection(OptionDialog dialog, int option) {
  if (option < 0 || option >= optionCount(dialog)) return;
  optionDialogInfo(dialog).select(mState.conditions, option);
}

void ConditionCommands::ensureCreated() {
  ConditionsWindowState& window = mState.conditionsWindow;
  if (window.created) return;
  window.created = true;
  resetRows();
  window.snapshot = ConditionsSnapshot{};
}

void ConditionCommands::resetRows() {
  mState.conditionsWindow.texts = kCreationTexts;
  mState.conditionsWindow.offered = kOfferedAtCreation;
}

void ConditionCommands::openDialog(OptionDialog dialog) {
  const Command command(*this);
  const int row = conditionsRow(dialog);
  const MainWindowState& main = mState.mainWindow;
  const bool available =
      row >= 0
          // Only an offered row of the conditions window, while it holds the user, can be pressed.
          ? mState.holds(Window::Conditions) &&
                mState.conditionsWindow.offered[static_cast<size_t>(row)]
          : mState.holds(Window::Main) &&
                (optionDialogInfo(dialog).okShowsTheChosenList ? main.viewMenuEnabled
                                                               : main.selectCodeMenuEnabled);
  if (!available) return;
  mState.dialogs[static_cast<size_t>(dialog)].returnCode =
      static_cast<std::int16_t>(1 + selection(dialog));
  mState.holder.window = Window::OptionDialog;
  mState.holder.dialog = dialog;
}

void ConditionCommands::selectOption(OptionDialog dialog, int option) {
  const Command command(*this);
  if (!mState.holdsDialog(dialog)) return;
  setSelection(dialog, option);
}

void ConditionCommands::writeRowText(OptionDialog dialog) {
  ensureCreated();
  mState.conditionsWindow.texts[rowOf(dialog)] = optionCaption(dialog, selection(dialog));
}

void ConditionCommands::applyOkEffects(OptionDialog dialog) {
  mState.dialogs[static_cast<size_t>(dialog)].returnCode =
      static_cast<std::int16_t>(1 + selection(dialog));
  if (conditionsRow(dialog) < 0) return;
  writeRowText(dialog);
  // A row that becomes unavailable keeps its selection and its text.
  for (const RowAvailability& rule : optionDialogInfo(dialog).okOffers) {
    mState.conditionsWindow.offered[rowOf(rule.row)] = rule.offered(mState.conditions);
  }
}

// The dialog hides and its owner holds the user again.
void ConditionCommands::closeDialog(OptionDialog dialog) {
  hold(conditionsRow(dialog) >= 0 ? Window::Conditions : Window::Main);
}

void ConditionCommands::dialogOk(OptionDialog dialog) {
  const Command command(*this);
  if (!mState.holdsDialog(dialog)) return;
  applyOkEffects(dialog);
  closeDialog(dialog);
  if (optionDialogInfo(dialog).okShowsTheChosenList) {
    const bool before = mState.conditions.resultView == ResultView::BeforeCorrection;
    mState.mainWindow.resultsVisible = before;
    mState.mainWindow.adjustedResultsVisible = !before;
  }
}

void ConditionCommands::dialogCancel(OptionDialog dialog) {
  const Command command(*this);
  if (!mState.holdsDialog(dialog)) return;
  const std::int16_t returnCode = mState.dialog(dialog).returnCode;
  // The result view dialog goes back to option 0 for a return code of 1, else option 1.
  setSelection(dialog, optionDialogInfo(dialog).okShowsTheChosenList ? (returnCode == 1 ? 0 : 1)
                                                                     : returnCode - 1);
  closeDialog(dialog);
}

void ConditionCommands::choose(OptionDialog dialog, int option) {
  const Command command(*this);
  setSelection(dialog, option);
  applyOkEffects(dialog);
}

void ConditionCommands::openWindow() {
  const Command command(*this);
  if (!mState.holds(Window::Main) || !mState.mainWindow.conditionsButtonEnabled) return;
  ensureCreated();
  ConditionsWindowState& window = mState.conditionsWindow;
  // The snapshot of the six selections and flags.
  for (int row = 0; row < kConditionRows; ++row) {
    window.snapshot.option[static_cast<size_t>(row)] = selection(rowDialog(row));
  }
  window.snapshot.offered = window.offered;
  hold(Window::Conditions);
}

void ConditionCommands::ok() {
  const Command command(*this);
  if (!mState.holds(Window::Conditions)) return;
  hold(Window::Main);
}

void ConditionCommands::cancel() {
  const Command command(*this);
  if (!mState.holds(Window::Conditions)) return;
  hold(Window::Main);
  ConditionsWindowState& window = mState.conditionsWindow;
  // The selections, the flags, then every row text from its selection.
  for (int row = 0; row < kConditionRows; ++row) {
    setSelection(rowDialog(row),
                 static_cast<int>(window.snapshot.option[static_cast<size_t>(row)]));
  }
  window.offered = window.snapshot.offered;
  for (int row = 0; row < kConditionRows; ++row) writeRowText(rowDialog(row));
}

void ConditionCommands::restoreDefaults() {
  const Command command(*this);
  if (!mState.holds(Window::Conditions)) return;
  const DesignConditions defaults;
  DesignConditions& c = mState.conditions;
  c.workability = defaults.workability;
  c.environment = defaults.environment;
  c.exposure = defaults.exposure;
  c.cement = defaults.cement;
  c.concreteType = defaults.concreteType;
  c.section = defaults.section;
  for (int row = 0; row < kConditionRows; ++row) writeRowText(rowDialog(row));
  // The environment, section and cement rows are not offered; the others keep their flags.
  for (OptionDialog row :
       {OptionDialog::Environment, OptionDialog::Section, OptionDialog::Cement}) {
    mState.conditionsWindow.offered[rowOf(row)] = false;
  }
}

}  // namespace veldora
