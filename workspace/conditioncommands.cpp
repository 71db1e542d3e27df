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

OptionDialog rowDialog(int row) { return kOptionDialogs[static_cast<size_t>(row)]; }

}  // namespace

std::array<std::string, kConditionRows> ConditionCommands::rowTexts() const {
  return mState.conditionsWindow.created ? mState.conditionsWindow.texts : kCreationTexts;
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

void ConditionCommands::setOwnerEnabled(OptionDialog dialog, bool enabled) {
  if (optionDialogInfo(dialog).conditionsRow >= 0) {
    mState.conditionsWindow.enabled = enabled;
  } else {
    mState.mainWindow.enabled = enabled;
  }
}

void ConditionCommands::openDialog(OptionDialog dialog) {
  const OptionDialogInfo& info = optionDialogInfo(dialog);
  const ConditionsWindowState& window = mState.conditionsWindow;
  const MainWindowState& main = mState.mainWindow;
  const bool available =
      info.conditionsRow >= 0
          // Only an offered row of the shown, enabled conditions window can be pressed.
          ? window.shown && window.enabled &&
                window.offered[static_cast<size_t>(info.conditionsRow)]
          : main.enabled &&
                (info.okShowsTheChosenList ? main.viewMenuEnabled : main.selectCodeMenuEnabled);
  if (!available) return;
  OptionDialogState& state = mState.dialogs[static_cast<size_t>(dialog)];
  state.returnCode = static_cast<std::int16_t>(1 + selection(dialog));
  state.shown = true;
  setOwnerEnabled(dialog, false);
}

void ConditionCommands::selectOption(OptionDialog dialog, int option) {
  if (!mState.dialog(dialog).shown) return;
  setSelection(dialog, option);
}

void ConditionCommands::writeRowText(OptionDialog dialog) {
  const int row = optionDialogInfo(dialog).conditionsRow;
  if (row < 0) return;
  ensureCreated();
  mState.conditionsWindow.texts[static_cast<size_t>(row)] =
      optionCaption(dialog, selection(dialog));
}

void ConditionCommands::applyOkEffects(OptionDialog dialog) {
  mState.dialogs[static_cast<size_t>(dialog)].returnCode =
      static_cast<std::int16_t>(1 + selection(dialog));
  const OptionDialogInfo& info = optionDialogInfo(dialog);
  if (info.conditionsRow < 0) return;
  writeRowText(dialog);
  // A row that becomes unavailable keeps its selection and its text.
  for (const RowAvailability& rule : info.okOffers) {
    mState.conditionsWindow.offered[static_cast<size_t>(rule.row)] =
        rule.offered(mState.conditions);
  }
}

void ConditionCommands::dialogOk(OptionDialog dialog) {
  OptionDialogState& state = mState.dialogs[static_cast<size_t>(dialog)];
  if (!state.shown) return;
  applyOkEffects(dialog);
  state.shown = false;
  setOwnerEnabled(dialog, true);
  if (optionDialogInfo(dialog).okShowsTheChosenList) {
    const bool before = mState.conditions.resultView == ResultView::BeforeCorrection;
    mState.mainWindow.resultsVisible = before;
    mState.mainWindow.adjustedResultsVisible = !before;
  }
}

void ConditionCommands::dialogCancel(OptionDialog dialog) {
  OptionDialogState& state = mState.dialogs[static_cast<size_t>(dialog)];
  if (!state.shown) return;
  // The result view dialog goes back to option 0 for a return code of 1, else option 1.
  setSelection(dialog, optionDialogInfo(dialog).okShowsTheChosenList
                           ? (state.returnCode == 1 ? 0 : 1)
                           : state.returnCode - 1);
  state.shown = false;
  setOwnerEnabled(dialog, true);
}

void ConditionCommands::choose(OptionDialog dialog, int option) {
  setSelection(dialog, option);
  applyOkEffects(dialog);
}

void ConditionCommands::openWindow() {
  MainWindowState& main = mState.mainWindow;
  if (!main.enabled || !main.conditionsButtonEnabled) return;
  ensureCreated();
  ConditionsWindowState& window = mState.conditionsWindow;
  // The snapshot of the six selections and flags.
  for (int row = 0; row < kConditionRows; ++row) {
    window.snapshot.option[static_cast<size_t>(row)] = selection(rowDialog(row));
  }
  window.snapshot.offered = window.offered;
  window.shown = true;
  window.enabled = true;
  main.enabled = false;
}

void ConditionCommands::ok() {
  ConditionsWindowState& window = mState.conditionsWindow;
  if (!window.shown || !window.enabled) return;
  window.shown = false;
  mState.mainWindow.enabled = true;
}

void ConditionCommands::cancel() {
  ConditionsWindowState& window = mState.conditionsWindow;
  if (!window.shown || !window.enabled) return;
  mState.mainWindow.enabled = true;
  window.shown = false;
  // The selections, the flags, then every row text from its selection.
  for (int row = 0; row < kConditionRows; ++row) {
    setSelection(rowDialog(row),
                 static_cast<int>(window.snapshot.option[static_cast<size_t>(row)]));
  }
  window.offered = window.snapshot.offered;
  for (int row = 0; row < kConditionRows; ++row) writeRowText(rowDialog(row));
}

void ConditionCommands::restoreDefaults() {
  ConditionsWindowState& window = mState.conditionsWindow;
  if (!window.shown || !window.enabled) return;
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
  for (int row : {1, 5, 3}) window.offered[static_cast<size_t>(row)] = false;
}

}  // namespace veldora
