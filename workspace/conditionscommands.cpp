// The option dialogs and the conditions window Form4: their state and commands.
#include "workspace/messages.h"
#include "workspace/workspace.h"

#include <array>

namespace veldora {
namespace {

// The texts of Form4's rows when it is created. Two differ from the option captions that the
// dialogs, CANCEL and DEFAULT write: the environment row's spelling and the concrete type row's
// missing final space.
const std::array<std::string, kConditionRows> kCreationTexts = {
    std::string(caption(Workability::Medium)),   messages::kNormalConditionsAtCreation,
    std::string(caption(ExposureClass::Normal)), std::string(caption(CementType::Ordinary)),
    messages::kNonAirEntrainedAtCreation,        std::string(caption(SectionType::Ordinary))};
constexpr std::array<bool, kConditionRows> kOfferedAtCreation = {true,  false, true,
                                                                 false, true,  false};

constexpr int kEnvironmentRow = 1;
constexpr int kCementRow = 3;
constexpr int kSectionRow = 5;

}  // namespace

std::string optionCaption(OptionDialog dialog, int option) {
  const auto i = static_cast<size_t>(option);
  switch (dialog) {
    case OptionDialog::Dialog:
      return std::string(optionCaptions(Workability{})[i]);
    case OptionDialog::Dialog1:
      return std::string(optionCaptions(EnvironmentClass{})[i]);
    case OptionDialog::Dialog2:
      return std::string(optionCaptions(ExposureClass{})[i]);
    case OptionDialog::Dialog3:
      return std::string(optionCaptions(CementType{})[i]);
    case OptionDialog::Dialog4:
      return std::string(optionCaptions(ConcreteType{})[i]);
    case OptionDialog::Dialog5:
      return std::string(optionCaptions(SectionType{})[i]);
    case OptionDialog::Dialog7:
      return std::string(optionCaptions(DesignMethod{})[i]);
    case OptionDialog::Dialog8:
      return std::string(optionCaptions(ResultView{})[i]);
  }
  return {};
}

const char* dialogName(OptionDialog dialog) {
  constexpr std::array<const char*, 8> kNames = {"Dialog",  "Dialog1", "Dialog2", "Dialog3",
                                                 "Dialog4", "Dialog5", "Dialog7", "Dialog8"};
  return kNames[static_cast<size_t>(dialog)];
}

int Workspace::optionCount(OptionDialog dialog) {
  switch (dialog) {
    case OptionDialog::Dialog:
    case OptionDialog::Dialog1:
    case OptionDialog::Dialog2:
      return 3;
    default:
      return 2;
  }
}

int Workspace::selection(OptionDialog dialog) const {
  const DesignConditions& c = mConditions;
  switch (dialog) {
    case OptionDialog::Dialog:
      return static_cast<int>(c.workability);
    case OptionDialog::Dialog1:
      return static_cast<int>(c.environment);
    case OptionDialog::Dialog2:
      return static_cast<int>(c.exposure);
    case OptionDialog::Dialog3:
      return static_cast<int>(c.cement);
    case OptionDialog::Dialog4:
      return static_cast<int>(c.concreteType);
    case OptionDialog::Dialog5:
      return static_cast<int>(c.section);
    case OptionDialog::Dialog7:
      return static_cast<int>(c.method);
    case OptionDialog::Dialog8:
      return static_cast<int>(c.resultView);
  }
  return 0;
}

void Workspace::select(OptionDialog dialog, int option) {
  if (option < 0 || option >= optionCount(dialog)) return;
  DesignConditions& c = mConditions;
  switch (dialog) {
    case OptionDialog::Dialog:
      c.workability = static_cast<Workability>(option);
      break;
    case OptionDialog::Dialog1:
      c.environment = static_cast<EnvironmentClass>(option);
      break;
    case OptionDialog::Dialog2:
      c.exposure = static_cast<ExposureClass>(option);
      break;
    case OptionDialog::Dialog3:
      c.cement = static_cast<CementType>(option);
      break;
    case OptionDialog::Dialog4:
      c.concreteType = static_cast<ConcreteType>(option);
      break;
    case OptionDialog::Dialog5:
      c.section = static_cast<SectionType>(option);
      break;
    case OptionDialog::Dialog7:
      c.method = static_cast<DesignMethod>(option);
      break;
    case OptionDialog::Dialog8:
      c.resultView = static_cast<ResultView>(option);
      break;
  }
}

void Workspace::ensureConditionsWindow() {
  if (mForm4.created) return;
  mForm4.created = true;
  resetConditionRows();
  mForm4.snapshot = ConditionsSnapshot{};
}

void Workspace::resetConditionRows() {
  mForm4.texts = kCreationTexts;
  mForm4.offered = kOfferedAtCreation;
}

void Workspace::openDialog(OptionDialog dialog) {
  const int row = conditionRow(dialog);
  if (row >= 0) {
    // Only an offered row of the shown, enabled conditions window can be pressed.
    if (!mForm4.shown || !mForm4.enabled || !mForm4.offered[static_cast<size_t>(row)]) return;
  } else if (!mMainEnabled ||
             !(dialog == OptionDialog::Dialog8 ? mMenViewEnabled : mSelectCodeEnabled)) {
    return;  // the menu entry that opens it is not available
  }
  OptionDialogState& d = mDialogs[index(dialog)];
  d.DEF = static_cast<std::int16_t>(1 + selection(dialog));
  d.shown = true;
  if (row >= 0) {
    mForm4.enabled = false;
  } else {
    mMainEnabled = false;
  }
}

void Workspace::selectOption(OptionDialog dialog, int option) {
  if (!mDialogs[index(dialog)].shown) return;
  select(dialog, option);
}

void Workspace::writeRowText(OptionDialog dialog) {
  const int row = conditionRow(dialog);
  if (row < 0) return;
  ensureConditionsWindow();
  mForm4.texts[static_cast<size_t>(row)] = optionCaption(dialog, selection(dialog));
}

void Workspace::applyOkEffects(OptionDialog dialog) {
  OptionDialogState& d = mDialogs[index(dialog)];
  d.DEF = static_cast<std::int16_t>(1 + selection(dialog));
  if (conditionRow(dialog) < 0) return;
  writeRowText(dialog);
  // A row that becomes unavailable keeps its selection and its text.
  if (dialog == OptionDialog::Dialog2) {
    mForm4.offered[kCementRow] = mConditions.exposure == ExposureClass::SeawaterSulfate;
    mForm4.offered[kSectionRow] = mConditions.exposure != ExposureClass::Normal;
  } else if (dialog == OptionDialog::Dialog4) {
    mForm4.offered[kEnvironmentRow] = mConditions.concreteType == ConcreteType::AirEntrained;
  }
}

void Workspace::dialogOk(OptionDialog dialog) {
  OptionDialogState& d = mDialogs[index(dialog)];
  if (!d.shown) return;
  applyOkEffects(dialog);
  d.shown = false;
  if (dialog == OptionDialog::Dialog8) {
    mMainEnabled = true;
    const bool before = mConditions.resultView == ResultView::BeforeCorrection;
    mResultsVisible = before;
    mAdjustedVisible = !before;
  } else if (conditionRow(dialog) >= 0) {
    mForm4.enabled = true;
  } else {
    mMainEnabled = true;
  }
}

void Workspace::dialogCancel(OptionDialog dialog) {
  OptionDialogState& d = mDialogs[index(dialog)];
  if (!d.shown) return;
  // The result view dialog goes back to option 0 for a return code of 1, else option 1.
  select(dialog, dialog == OptionDialog::Dialog8 ? (d.DEF == 1 ? 0 : 1) : d.DEF - 1);
  d.shown = false;
  if (conditionRow(dialog) >= 0) {
    mForm4.enabled = true;
  } else {
    mMainEnabled = true;
  }
}

void Workspace::chooseOption(OptionDialog dialog, int option) {
  select(dialog, option);
  applyOkEffects(dialog);
}

void Workspace::Command3() {
  if (!mMainEnabled || !mCommand3Enabled) return;
  ensureConditionsWindow();
  // DEF: the snapshot of the six selections and flags.
  for (int row = 0; row < kConditionRows; ++row) {
    mForm4.snapshot.index[static_cast<size_t>(row)] = selection(static_cast<OptionDialog>(row));
  }
  mForm4.snapshot.offered = mForm4.offered;
  mForm4.shown = true;
  mForm4.enabled = true;
  mMainEnabled = false;
}

void Workspace::conditionsOk() {
  if (!mForm4.shown || !mForm4.enabled) return;
  mForm4.shown = false;
  mMainEnabled = true;
}

void Workspace::conditionsCancel() {
  if (!mForm4.shown || !mForm4.enabled) return;
  mMainEnabled = true;
  mForm4.shown = false;
  // CANDEF: the selections, the flags, then every row text from its selection.
  for (int row = 0; row < kConditionRows; ++row) {
    select(static_cast<OptionDialog>(row),
           static_cast<int>(mForm4.snapshot.index[static_cast<size_t>(row)]));
  }
  mForm4.offered = mForm4.snapshot.offered;
  for (int row = 0; row < kConditionRows; ++row) writeRowText(static_cast<OptionDialog>(row));
}

void Workspace::conditionsDefault() {
  if (!mForm4.shown || !mForm4.enabled) return;
  const DesignConditions defaults;
  mConditions.workability = defaults.workability;
  mConditions.environment = defaults.environment;
  mConditions.exposure = defaults.exposure;
  mConditions.cement = defaults.cement;
  mConditions.concreteType = defaults.concreteType;
  mConditions.section = defaults.section;
  for (int row = 0; row < kConditionRows; ++row) writeRowText(static_cast<OptionDialog>(row));
  mForm4.offered[kEnvironmentRow] = false;
  mForm4.offered[kSectionRow] = false;
  mForm4.offered[kCementRow] = false;
}

}  // namespace veldora
