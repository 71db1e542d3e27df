#include "workspace/designcommands.h"

#include "engine/boxtext.h"
#include "engine/designrun.h"
#include "engine/numbers.h"
#include "workspace/messages.h"
#include "workspace/workspace.h"

#include <utility>

namespace veldora {
namespace {

// clang-format off
const std::array<std::string, kBoxCount> kInitialTexts = {
    "50", "25.4", "210", "2.8", "1700", "3.15", "2.68", "2.64", "0.5", "0.7", "0.5", "0.7"};
// clang-format on

}  // namespace

const std::string& DesignCommands::initialText(Box box) {
  return kInitialTexts[static_cast<size_t>(box) - 1];
}

const std::array<std::string, kBoxCount>& DesignCommands::initialTexts() { return kInitialTexts; }

void DesignCommands::setText(Box box, std::string_view text) {
  const Command command(*this);
  if (!mState.holds(Window::Main)) return;
  mState.mainWindow.boxes[static_cast<size_t>(box) - 1] = boxText(text);
  // A strength typed over the one the required-strength window wrote is taken as entered.
  if (box == Box::Text3) mState.strengthBasis.reset();
}

void DesignCommands::run() {
  const Command command(*this);
  if (!mState.holds(Window::Main)) return;  // F5 while another window holds the user
  MainWindowState& window = mState.mainWindow;
  // Every input is read afresh, so even a run that stops holds the new values.
  DesignValues& design = mState.design;
  for (size_t i = 0; i < kBoxCount; ++i) {
    design.inputs.*kInputsInBoxOrder[i] = parseNumber(window.boxes[i]);
  }

  window.resultsVisible = true;
  window.adjustedResultsVisible = false;
  window.results.clear();
  window.trialBatchButtonEnabled = true;

  RunReport report = designRun(design.inputs, mState.conditions, design.codes, design.proportions);
  design.complete = report.end == RunEnd::Completed;
  // The report shows the last complete run and an adjustment made after it, nothing older.
  mState.completedAdjustment.reset();
  mState.completedRun.reset();
  switch (report.end) {
    case RunEnd::Completed:
      window.results = std::move(report.lines);
      mState.completedRun = CompletedRun{window.boxes,       mState.strengthBasis,
                                         mState.conditions,  mWorkspace.conditions().rowTexts(),
                                         design.inputs,      design.codes,
                                         design.proportions, report.trace,
                                         window.results};
      break;
    case RunEnd::InputRejected:
      window.results = std::move(report.lines);
      window.resultsVisible = false;
      showMessage(report.stop->title, report.stop->message);
      break;
    case RunEnd::Refused:
      window.results.clear();
      window.resultsVisible = false;
      showMessage(report.stop->title, report.stop->message);
      break;
  }
  window.resultsWarnings = messages::warningTexts(
      holdsNoMass(window.results),
      design.complete
          ? implausibleMix(design.inputs, design.proportions, report.trace.moisture, nullptr)
          : std::vector<MixWarningAt>{});
  if (report.stop && report.stop->focus) {
    requestFocus(Window::Main, static_cast<int>(*report.stop->focus));
  }
}

Box DesignCommands::nextBox(Box box, bool forward) {
  const int n = static_cast<int>(box) - 1;
  return static_cast<Box>((n + (forward ? 1 : kBoxCount - 1)) % kBoxCount + 1);
}

}  // namespace veldora
