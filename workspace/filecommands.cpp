// New, Open, Save and Save As, and the mix file's 49 values taken from and put into the state.
#include "engine/numbers.h"
#include "engine/texts.h"
#include "files/diskfile.h"
#include "workspace/messages.h"
#include "workspace/workspace.h"

#include <cmath>

namespace veldora {
namespace {

FileDialogRequest dialogRequest(bool save, const std::string& startName) {
  return FileDialogRequest{save, messages::kFileDialogTitle, messages::kFileDialogFilter,
                           messages::kFileDialogSuffix, startName};
}

// The selected option of a group of option lines: the last true line, or where none is true
// the option the design run reads for an empty dialog (the first; air-entrained concrete for
// the concrete type).
int selectedOption(const bool* flags, int count, int whenNone) {
  int selected = whenNone;
  for (int i = 0; i < count; ++i) {
    if (flags[i]) selected = i;
  }
  return selected;
}

}  // namespace

void FileCommands::setTitleFromFilename() {
  mState.mainWindow.title = messages::kTitlePrefix + mState.file.filename;
}

std::optional<Box> FileCommands::firstUnsavableBox() const {
  for (int i = 1; i <= kBoxCount; ++i) {
    const auto box = static_cast<Box>(i);
    if (!encodableInMixFile(mState.mainWindow.text(box))) return box;
  }
  return std::nullopt;
}

// A box text that Windows-1256 cannot hold would be saved as "?" and lost: Save refuses it and
// puts the focus into the first such box.
bool FileCommands::refuseUnsavableBoxes() {
  const std::optional<Box> box = firstUnsavableBox();
  if (!box) return false;
  mPrompter.showMessage(texts::kErrorTitle, messages::kUnsavableText);
  mState.focusRequest = FocusTarget{Window::Main, static_cast<int>(*box)};
  return true;
}

std::optional<MixDocument> FileCommands::document() {
  if (firstUnsavableBox()) return std::nullopt;
  ConditionCommands& conditions = mWorkspace.conditionWindows();
  MixDocument d;
  const MainWindowState& main = mState.mainWindow;
  d.boxes = main.boxes;
  d.commands = {main.conditionsButtonEnabled, main.trialBatchButtonEnabled,
                main.adjustButtonEnabled};
  for (int row = 0; row < kConditionRows; ++row) {
    const auto i = static_cast<size_t>(row);
    const int selected = conditions.selection(kOptionDialogs[i]);
    for (int option = 0; option < kOptionGroupSize[i]; ++option) {
      d.conditionOptions[static_cast<size_t>(kOptionGroupStart[i] + option)] = option == selected;
    }
  }
  // The remembered trial values go out before the window is touched: before its first load
  // they are still 0. Reading the air box's enabled state then loads it.
  const TrialBatchWindowState& trial = mState.trialBatch;
  d.trial = {plainText(trial.rememberedValue(1)), plainText(trial.rememberedValue(2)),
             plainText(mState.adjusted.measured.airContent), plainText(trial.rememberedValue(4))};
  mWorkspace.trialBatch().load();
  d.airBoxEnabled = trial.airBoxEnabled;
  const int view = conditions.selection(OptionDialog::ResultView);
  d.resultView = {view == 0, view == 1};
  conditions.ensureCreated();
  d.rowTexts = mState.conditionsWindow.texts;
  d.rowOffered = mState.conditionsWindow.offered;
  return d;
}

bool FileCommands::saveTo(const std::string& path) {
  if (refuseUnsavableBoxes()) return false;
  const std::optional<std::string> bytes = writeMixFile(*document());
  if (!bytes || !replaceFileAt(path, *bytes)) {
    mPrompter.showMessage(texts::kErrorTitle, messages::kSaveFailed);
    return false;
  }
  return true;
}

void FileCommands::save() {
  if (!mState.mainWindow.enabled) return;
  if (mState.file.savedUnderFilename) {
    saveTo(mState.file.filename);
  } else {
    saveAs();
  }
}

void FileCommands::saveAs() {
  if (!mState.mainWindow.enabled) return;
  // A text the file cannot hold is refused before any dialog.
  if (refuseUnsavableBoxes()) return;
  const std::optional<std::string> chosen =
      mPrompter.chooseFile(dialogRequest(true, mState.file.lastChosenName));
  if (!chosen) return;
  mState.file.lastChosenName = *chosen;
  // The title, the file name and the saved flag change only once the file is written.
  if (!saveTo(*chosen)) return;
  mState.file.filename = *chosen;
  setTitleFromFilename();
  mState.file.savedUnderFilename = true;
}

void FileCommands::open() {
  if (!mState.mainWindow.enabled) return;
  const std::optional<std::string> chosen =
      mPrompter.chooseFile(dialogRequest(false, mState.file.lastChosenName));
  if (!chosen) return;
  openChosen(*chosen);
}

void FileCommands::openChosen(const std::string& path) {
  if (!mState.mainWindow.enabled) return;
  mState.file.lastChosenName = path;
  openFile(path, true);
}

bool FileCommands::openFile(const std::string& path, bool runDesign) {
  const FileContents file = readFileAt(path, kMixFileSizeLimit);
  if (file.status == FileContents::Status::Missing) {
    mPrompter.showMessage(messages::kMissingFileTitle, messages::kMissingFile);
    return false;
  }
  // The whole file is read and checked before anything changes. A trial air content that is not
  // a finite number could never be saved again.
  std::optional<MixDocument> document;
  if (file.status == FileContents::Status::Read) document = readMixFile(file.bytes);
  if (document && !std::isfinite(parseNumber(document->trial[2]))) document.reset();
  if (!document) {
    mPrompter.showMessage(texts::kErrorTitle, messages::kInvalidFile);
    return false;
  }
  mState.file.filename = path;
  setTitleFromFilename();
  apply(*document);
  mState.file.savedUnderFilename = true;
  if (runDesign) mWorkspace.design().run();
  return true;
}

void FileCommands::apply(const MixDocument& d) {
  ConditionCommands& conditions = mWorkspace.conditionWindows();
  MainWindowState& main = mState.mainWindow;
  main.boxes = d.boxes;
  main.conditionsButtonEnabled = d.commands[0];
  main.trialBatchButtonEnabled = d.commands[1];
  main.adjustButtonEnabled = d.commands[2];
  for (int row = 0; row < kConditionRows; ++row) {
    const auto i = static_cast<size_t>(row);
    const OptionDialog dialog = kOptionDialogs[i];
    const int whenNone = dialog == OptionDialog::ConcreteType ? 1 : 0;
    const bool* flags = d.conditionOptions.data() + kOptionGroupStart[i];
    conditions.setSelection(dialog, selectedOption(flags, kOptionGroupSize[i], whenNone));
  }
  mWorkspace.trialBatch().setRemembered(d.trial);
  mState.trialBatch.airBoxEnabled = d.airBoxEnabled;
  conditions.setSelection(OptionDialog::ResultView, selectedOption(d.resultView.data(), 2, 0));
  conditions.ensureCreated();
  mState.conditionsWindow.texts = d.rowTexts;
  mState.conditionsWindow.offered = d.rowOffered;
}

void FileCommands::newDesign() {
  MainWindowState& main = mState.mainWindow;
  if (!main.enabled) return;
  if (!mPrompter.askYesNo(messages::kWarningTitle, messages::kNewQuestion)) return;
  mState.file.savedUnderFilename = false;
  main.title = messages::kUntitledTitle;
  for (int i = 1; i <= kBoxCount; ++i) {
    const auto box = static_cast<Box>(i);
    mWorkspace.design().setText(box, DesignCommands::initialText(box));
  }
  main.viewMenuEnabled = false;
  main.trialBatchButtonEnabled = false;
  main.adjustButtonEnabled = false;
  mState.completedRun.reset();
  mState.completedAdjustment.reset();
  mState.conditions = DesignConditions{};  // the six conditions, the method and the result view
  mWorkspace.trialBatch().setRemembered({"50", "2400", "2", "200"});
  mState.trialBatch.airBoxEnabled = true;
  mWorkspace.conditionWindows().ensureCreated();
  mWorkspace.conditionWindows().resetRows();
  // The lines stay; the next run refills the lists.
  main.resultsVisible = false;
  main.adjustedResultsVisible = false;
}

}  // namespace veldora
