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

void Workspace::setTitleFromFilename() { mTitle = messages::kTitlePrefix + mFilename; }

std::optional<Box> Workspace::firstUnsavableBox() const {
  for (int i = 1; i <= kBoxCount; ++i) {
    if (!encodableInMixFile(text(static_cast<Box>(i)))) return static_cast<Box>(i);
  }
  return std::nullopt;
}

// A box text that Windows-1256 cannot hold would be saved as "?" and lost: Save refuses it and
// puts the focus into the first such box.
bool Workspace::refuseUnsavableBoxes() {
  const std::optional<Box> box = firstUnsavableBox();
  if (!box) return false;
  mPrompter.showMessage(texts::kErrorTitle, messages::kUnsavableText);
  requestFocus(Window::Form1, static_cast<int>(*box));
  return true;
}

std::optional<MixDocument> Workspace::document() {
  if (firstUnsavableBox()) return std::nullopt;
  MixDocument d;
  d.boxes = mBoxes;
  d.commands = {mCommand3Enabled, mCommand5Enabled, mCommand6Enabled};
  for (int row = 0; row < kConditionRows; ++row) {
    const int selected = selection(static_cast<OptionDialog>(row));
    for (int i = 0; i < kOptionGroupSize[static_cast<size_t>(row)]; ++i) {
      d.conditionOptions[static_cast<size_t>(kOptionGroupStart[static_cast<size_t>(row)] + i)] =
          i == selected;
    }
  }
  // The remembered trial values go out before the window is touched: before its first load
  // they are still 0. Reading the air box's enabled state then loads it.
  d.trial = {plainText(mTrial.def(1)), plainText(mTrial.def(2)), plainText(mAdjusted.airp1),
             plainText(mTrial.def(4))};
  ensureTrialBatchLoaded();
  d.airBoxEnabled = mTrial.airBoxEnabled;
  const int view = selection(OptionDialog::Dialog8);
  d.resultView = {view == 0, view == 1};
  ensureConditionsWindow();
  d.rowTexts = mForm4.texts;
  d.rowOffered = mForm4.offered;
  return d;
}

bool Workspace::sve(const std::string& path) {
  if (refuseUnsavableBoxes()) return false;
  const std::optional<std::string> bytes = writeMixFile(*document());
  if (!bytes || !replaceFileAt(path, *bytes)) {
    mPrompter.showMessage(texts::kErrorTitle, messages::kSaveFailed);
    return false;
  }
  return true;
}

void Workspace::save() {
  if (!mMainEnabled) return;
  if (mSav) {
    sve(mFilename);
  } else {
    SVEAS();
  }
}

void Workspace::SVEAS() {
  if (!mMainEnabled) return;
  // A text the file cannot hold is refused before any dialog.
  if (refuseUnsavableBoxes()) return;
  const std::optional<std::string> chosen =
      mPrompter.chooseFile(dialogRequest(true, mLastChosenName));
  if (!chosen) return;
  mLastChosenName = *chosen;
  // The title, the file name and sav change only once the file is written.
  if (!sve(*chosen)) return;
  mFilename = *chosen;
  setTitleFromFilename();
  mSav = true;
}

void Workspace::OP() {
  if (!mMainEnabled) return;
  const std::optional<std::string> chosen =
      mPrompter.chooseFile(dialogRequest(false, mLastChosenName));
  if (!chosen) return;
  mLastChosenName = *chosen;
  openFile(*chosen, true);
}

bool Workspace::openFile(const std::string& path, bool run) {
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
  mFilename = path;
  setTitleFromFilename();
  applyDocument(*document);
  mSav = true;
  if (run) RN();
  return true;
}

void Workspace::applyDocument(const MixDocument& d) {
  mBoxes = d.boxes;
  mCommand3Enabled = d.commands[0];
  mCommand5Enabled = d.commands[1];
  mCommand6Enabled = d.commands[2];
  for (int row = 0; row < kConditionRows; ++row) {
    const auto dialog = static_cast<OptionDialog>(row);
    const int whenNone = dialog == OptionDialog::Dialog4 ? 1 : 0;
    const bool* flags = d.conditionOptions.data() + kOptionGroupStart[static_cast<size_t>(row)];
    select(dialog, selectedOption(flags, kOptionGroupSize[static_cast<size_t>(row)], whenNone));
  }
  setTrialBoxesRemembered(d.trial);
  mTrial.airBoxEnabled = d.airBoxEnabled;
  select(OptionDialog::Dialog8, selectedOption(d.resultView.data(), 2, 0));
  ensureConditionsWindow();
  mForm4.texts = d.rowTexts;
  mForm4.offered = d.rowOffered;
}

void Workspace::nw() {
  if (!mMainEnabled) return;
  if (!mPrompter.askYesNo(messages::kWarningTitle, messages::kNewQuestion)) return;
  mSav = false;
  mTitle = messages::kUntitledTitle;
  for (int i = 1; i <= kBoxCount; ++i)
    setText(static_cast<Box>(i), initialText(static_cast<Box>(i)));
  mMenViewEnabled = false;
  mCommand5Enabled = false;
  mCommand6Enabled = false;
  const DesignConditions defaults;
  mConditions = defaults;  // the six conditions, the method and the result view
  setTrialBoxesRemembered({"50", "2400", "2", "200"});
  mTrial.airBoxEnabled = true;
  ensureConditionsWindow();
  resetConditionRows();
  // The lines stay; the next run refills the lists.
  mResultsVisible = false;
  mAdjustedVisible = false;
}

}  // namespace veldora
