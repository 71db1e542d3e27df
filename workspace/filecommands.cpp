// New, Open, Save and Save As, and the mix file's 49 values taken from and put into the state.
#include "engine/boxtext.h"
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

// The condition dialogs' option lines of a mix file, one group per row of the conditions window
// in row order, one line per option.
size_t firstOptionLine(int row) {
  size_t first = 0;
  for (int r = 0; r < row; ++r) first += static_cast<size_t>(optionCount(rowDialog(r)));
  return first;
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
  showMessage(texts::kErrorTitle, messages::kUnsavableText);
  requestFocus(Window::Main, static_cast<int>(*box));
  return true;
}

std::optional<MixDocument> FileCommands::document() const {
  if (firstUnsavableBox()) return std::nullopt;
  const ConditionCommands& conditions = mWorkspace.conditions();
  MixDocument d;
  const MainWindowState& main = mState.mainWindow;
  d.boxes = main.boxes;
  d.commands = {main.conditionsButtonEnabled, main.trialBatchButtonEnabled,
                main.adjustButtonEnabled};
  for (int row = 0; row < kConditionRows; ++row) {
    const int selected = conditions.selection(rowDialog(row));
    for (int option = 0; option < optionCount(rowDialog(row)); ++option) {
      d.conditionOptions[firstOptionLine(row) + static_cast<size_t>(option)] = option == selected;
    }
  }
  // The remembered trial values as they stand: before the window's first load they are still 0.
  const TrialBatchWindowState& trial = mState.trialBatch;
  d.trial = {plainText(trial.rememberedValue(TrialBox::Slump)),
             plainText(trial.rememberedValue(TrialBox::UnitWeight)),
             plainText(mState.adjusted.measured.airContent),
             plainText(trial.rememberedValue(TrialBox::Water))};
  d.airBoxEnabled = trial.airBoxEnabled;
  const int view = conditions.selection(OptionDialog::ResultView);
  d.resultView = {view == 0, view == 1};
  d.rowTexts = conditions.rowTexts();
  d.rowOffered = conditions.rowsOffered();
  return d;
}

std::optional<MixDocument> FileCommands::currentDesign() const {
  std::optional<MixDocument> d = document();
  // Which buttons and rows a run has made available, and the rows' texts, follow from the runs
  // and the choices; the trial values the window offers on its first opening follow from the
  // run. None of them is work of the user's; the trial values the user accepts are.
  if (d) {
    d->commands = {};
    d->rowTexts = {};
    d->rowOffered = {};
    d->trial = {};
    d->airBoxEnabled = false;
  }
  return d;
}

bool FileCommands::hasUnsavedWork() const {
  return !mState.file.savedDesign || currentDesign() != mState.file.savedDesign ||
         mState.trialBatch.acceptances != mState.file.savedTrialAcceptances;
}

void FileCommands::rememberSavedDesign() {
  mState.file.savedDesign = currentDesign();
  mState.file.savedTrialAcceptances = mState.trialBatch.acceptances;
}

bool FileCommands::mayReplaceCurrentFile() {
  const std::optional<FileStamp> now = fileStampAt(mState.file.filename);
  if (!now || !mState.file.stamp || *now == *mState.file.stamp) return true;
  return askYesNo(messages::kWarningTitle, messages::fileChangedQuestion(mState.file.filename));
}

bool FileCommands::saveTo(const std::string& path) {
  const Command command(*this);
  if (refuseUnsavableBoxes()) return false;
  const std::optional<std::string> bytes = writeMixFile(*document());
  // Saving reads the trial-batch window's air box after the remembered values have gone out, which
  // loads that window, and writes the conditions window's rows, which creates it.
  mWorkspace.trialBatch().load();
  mWorkspace.conditions().ensureCreated();
  // A design whose file would be over the size limit is not written, as for any size limit.
  const std::optional<WriteProblem> problem =
      bytes ? replaceFileAt(path, *bytes) : WriteProblem::DiskFull;
  if (problem) {
    showMessage(texts::kErrorTitle, messages::saveFailed(*problem));
    return false;
  }
  mState.file.stamp = fileStampAt(path);
  rememberSavedDesign();
  return true;
}

void FileCommands::save() {
  const Command command(*this);
  if (!mState.holds(Window::Main)) return;
  if (mState.file.savedUnderFilename) {
    if (mayReplaceCurrentFile()) saveTo(mState.file.filename);
  } else {
    saveAs();
  }
}

void FileCommands::saveAs() {
  const Command command(*this);
  if (!mState.holds(Window::Main)) return;
  // A text the file cannot hold is refused before any dialog.
  if (refuseUnsavableBoxes()) return;
  const std::optional<std::string> chosen =
      chooseFile(dialogRequest(true, mState.file.lastChosenName));
  if (!chosen) return;
  mState.file.lastChosenName = *chosen;
  // The title, the file name and the saved flag change only once the file is written.
  if (!saveTo(*chosen)) return;
  mState.file.filename = *chosen;
  setTitleFromFilename();
  mState.file.savedUnderFilename = true;
}

bool FileCommands::open(const OpenRequest& request) {
  const Command command(*this);
  if (!mState.holds(Window::Main)) return false;
  const std::optional<std::string> path =
      request.path ? request.path : chooseFile(dialogRequest(false, mState.file.lastChosenName));
  if (!path) return false;
  mState.file.lastChosenName = *path;
  // A save of this file that was killed part-way may have left its new file beside it.
  removeLeftoverTemporaries(*path);
  // The whole file is read and checked before anything changes. A trial air content that is not
  // a finite number could never be saved again.
  const std::optional<FileStamp> stamp = fileStampAt(*path);
  const FileContents file = readFileAt(*path, kMixFileSizeLimit);
  std::optional<MixDocument> document;
  if (file.status == FileContents::Status::Read) document = readMixFile(file.bytes);
  if (document && !std::isfinite(parseNumber(document->trial[2]))) document.reset();
  if (!document) {
    const messages::OpenFailure failure = messages::openFailed(file.status);
    showMessage(failure.title, failure.text);
    return false;
  }
  mState.file.filename = *path;
  setTitleFromFilename();
  apply(*document);
  mState.file.savedUnderFilename = true;
  mState.file.stamp = stamp;
  if (request.runDesign) mWorkspace.design().run();
  rememberSavedDesign();
  return true;
}

void FileCommands::apply(const MixDocument& d) {
  ConditionCommands& conditions = mWorkspace.conditions();
  MainWindowState& main = mState.mainWindow;
  // As if typed: "3/5", which Iranian documents write for 3.5, reads 3.5 whichever version of the
  // program saved it.
  for (size_t i = 0; i < main.boxes.size(); ++i) main.boxes[i] = boxText(d.boxes[i]);
  mState.strengthBasis.reset();  // a file holds the strength as entered
  main.conditionsButtonEnabled = d.commands[0];
  main.trialBatchButtonEnabled = d.commands[1];
  main.adjustButtonEnabled = d.commands[2];
  for (int row = 0; row < kConditionRows; ++row) {
    const OptionDialog dialog = rowDialog(row);
    const int whenNone = dialog == OptionDialog::ConcreteType ? 1 : 0;
    const bool* flags = d.conditionOptions.data() + firstOptionLine(row);
    conditions.setSelection(dialog, selectedOption(flags, optionCount(dialog), whenNone));
  }
  mWorkspace.trialBatch().setRemembered(d.trial);
  mState.trialBatch.airBoxEnabled = d.airBoxEnabled;
  conditions.setSelection(OptionDialog::ResultView, selectedOption(d.resultView.data(), 2, 0));
  conditions.ensureCreated();
  mState.conditionsWindow.texts = d.rowTexts;
  mState.conditionsWindow.offered = d.rowOffered;
}

void FileCommands::newDesign() {
  const Command command(*this);
  MainWindowState& main = mState.mainWindow;
  if (!mState.holds(Window::Main)) return;
  if (!askYesNo(messages::kWarningTitle, messages::kNewQuestion)) return;
  mState.file.savedUnderFilename = false;
  mState.strengthBasis.reset();
  main.title = messages::kUntitledTitle;
  main.boxes = DesignCommands::initialTexts();
  main.viewMenuEnabled = false;
  main.trialBatchButtonEnabled = false;
  main.adjustButtonEnabled = false;
  mState.completedRun.reset();
  mState.completedAdjustment.reset();
  mState.conditions = DesignConditions{};  // the six conditions, the method and the result view
  mWorkspace.trialBatch().setRemembered({"50", "2400", "2", "200"});
  mState.trialBatch.airBoxEnabled = true;
  mWorkspace.conditions().ensureCreated();
  mWorkspace.conditions().resetRows();
  // The lines stay; the next run refills the lists.
  main.resultsVisible = false;
  main.adjustedResultsVisible = false;
  mState.file.stamp.reset();
  rememberSavedDesign();
}

}  // namespace veldora
