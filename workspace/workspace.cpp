#include "workspace/workspace.h"

#include "engine/designrun.h"
#include "engine/numbers.h"
#include "engine/texts.h"
#include "workspace/messages.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace veldora {
namespace {

// clang-format off
const std::array<std::string, kBoxCount> kInitialTexts = {
    "50", "25.4", "210", "2.8", "1700", "3.15", "2.68", "2.64", "0.5", "0.7", "0.5", "0.7"};
// clang-format on

// The rows of the trial-batch window top to bottom, by box number.
constexpr int kSlumpBox = 1;
constexpr int kUnitWeightBox = 2;
constexpr int kAirBox = 3;
constexpr int kWaterBox = 4;
constexpr std::array<int, 4> kTrialRowOrder = {kSlumpBox, kUnitWeightBox, kWaterBox, kAirBox};

constexpr double kInt16Min = std::numeric_limits<std::int16_t>::min();
constexpr double kInt16Max = std::numeric_limits<std::int16_t>::max();

bool fitsInt16(double rounded) { return rounded >= kInt16Min && rounded <= kInt16Max; }

std::int16_t clampToInt16(double rounded) {
  return static_cast<std::int16_t>(std::clamp(rounded, kInt16Min, kInt16Max));
}

}  // namespace

std::string focusName(const FocusTarget& target) {
  const std::string box = "Text" + std::to_string(target.box);
  return target.window == Window::Dialog6 ? "Dialog6." + box : box;
}

Workspace::Workspace(Prompter& prompter)
    : mPrompter(prompter), mBoxes(kInitialTexts), mTitle(messages::kUntitledTitle) {}

void Workspace::ed() {
  if (!mMainEnabled) return;
  if (mPrompter.askYesNo(messages::kWarningTitle, messages::kExitQuestion)) mProgramEnded = true;
}

void Workspace::closeMainWindow() { mProgramEnded = true; }

Box Workspace::nextBox(Box box, bool forward) {
  const int n = static_cast<int>(box) - 1;
  return static_cast<Box>((n + (forward ? 1 : kBoxCount - 1)) % kBoxCount + 1);
}

const std::string& Workspace::initialText(Box box) { return kInitialTexts[index(box)]; }

std::optional<FocusTarget> Workspace::takeFocusRequest() {
  std::optional<FocusTarget> request = mFocusRequest;
  mFocusRequest.reset();
  return request;
}

void Workspace::RN() {
  if (!mMainEnabled) return;  // F5 while another window holds the user
  // Every member is read afresh, so even a run that stops holds the new values.
  std::array<double, kBoxCount> values;
  std::transform(mBoxes.begin(), mBoxes.end(), values.begin(), parseNumber);
  mInputs = MixInputs{values[0], values[1], values[2], values[3], values[4],  values[5],
                      values[6], values[7], values[8], values[9], values[10], values[11]};

  mResultsVisible = true;
  mAdjustedVisible = false;
  mResults.clear();
  mCommand5Enabled = true;

  RunReport report = designRun(mInputs, mConditions, mCodes, mProportions);
  mDesignComplete = report.end == RunEnd::Completed;
  switch (report.end) {
    case RunEnd::Completed:
      mResults = std::move(report.lines);
      break;
    case RunEnd::InputRejected:
      mResults = std::move(report.lines);
      mResultsVisible = false;
      mPrompter.showMessage(report.stop->title, report.stop->message);
      break;
    case RunEnd::Refused:
      mPrompter.showMessage(report.stop->title, report.stop->message);
      mResults.clear();
      mResultsVisible = false;
      break;
  }
  if (report.stop && report.stop->focus) {
    requestFocus(Window::Form1, static_cast<int>(*report.stop->focus));
  }
}

void Workspace::ensureTrialBatchLoaded() {
  if (mTrial.loaded) return;
  mTrial.loaded = true;
  // The first load offers the last run's values. Nobody can be asked to correct a value that a
  // 16-bit member cannot hold, so it is clamped and the box shows the clamped value.
  const std::array<std::pair<int, double>, 4> offered = {{
      {kSlumpBox, parseNumber(text(Box::Text1))},
      {kUnitWeightBox, mProportions.u},
      {kAirBox, mProportions.AIRP},
      {kWaterBox, mProportions.ewater},
  }};
  for (const auto& [box, value] : offered) {
    const double rounded = std::nearbyint(value);
    if (std::isfinite(rounded) && fitsInt16(rounded)) {
      mTrial.setText(box, plainText(value));
      mTrial.DEF[static_cast<size_t>(box - 1)] = static_cast<std::int16_t>(rounded);
    } else {
      const std::int16_t clamped = clampToInt16(std::isnan(rounded) ? 0 : rounded);
      mTrial.setText(box, plainText(clamped));
      mTrial.DEF[static_cast<size_t>(box - 1)] = clamped;
    }
  }
}

void Workspace::Command5() {
  if (!mMainEnabled || !mCommand5Enabled) return;
  ensureTrialBatchLoaded();
  mTrial.airRowVisible = mConditions.concreteType == ConcreteType::AirEntrained;
  mMainEnabled = false;
  mTrial.shown = true;
  requestFocus(Window::Dialog6, kSlumpBox);
}

void Workspace::setTrialText(int box, std::string_view text) {
  ensureTrialBatchLoaded();
  mTrial.setText(box, singleLine(text));
}

bool Workspace::trialBatchOk() {
  ensureTrialBatchLoaded();
  std::array<double, 4> rounded;
  for (int box : kTrialRowOrder) {
    const double value = std::nearbyint(parseNumber(mTrial.text(box)));
    const bool visible = box != kAirBox || mTrial.airRowVisible;
    if (visible && !fitsInt16(value)) {
      mPrompter.showMessage(texts::kErrorTitle, messages::kTrialValueOutOfRange);
      requestFocus(Window::Dialog6, box);
      return false;
    }
    rounded[static_cast<size_t>(box - 1)] = value;
  }
  for (size_t i = 0; i < rounded.size(); ++i) mTrial.DEF[i] = clampToInt16(rounded[i]);
  mTrial.shown = false;
  mMainEnabled = true;
  mCommand6Enabled = true;
  return true;
}

void Workspace::setTrialBoxesRemembered(const std::array<std::string, 4>& texts) {
  // New and Open write the boxes and remember them as OK would, clamped as the first load
  // clamps, so that a later Save carries the trial batch the window shows.
  ensureTrialBatchLoaded();
  for (int box = 1; box <= 4; ++box) {
    const std::string& text = texts[static_cast<size_t>(box - 1)];
    mTrial.setText(box, text);
    const double rounded = std::nearbyint(parseNumber(text));
    mTrial.DEF[static_cast<size_t>(box - 1)] = clampToInt16(rounded);
  }
  mAdjusted.airp1 = parseNumber(mTrial.text(kAirBox));
}

int Workspace::nextTrialBox(int box, bool forward) const {
  const int visible = mTrial.airRowVisible ? 4 : 3;  // the air row is last
  const auto at = std::find(kTrialRowOrder.begin(), kTrialRowOrder.begin() + visible, box);
  if (at == kTrialRowOrder.begin() + visible) return box;
  const int row = static_cast<int>(at - kTrialRowOrder.begin());
  return kTrialRowOrder[static_cast<size_t>((row + (forward ? 1 : visible - 1)) % visible)];
}

void Workspace::trialBatchCancel() {
  ensureTrialBatchLoaded();
  for (int box = 1; box <= 4; ++box) mTrial.setText(box, plainText(mTrial.def(box)));
  mTrial.shown = false;
  mMainEnabled = true;
}

void Workspace::Command6() {
  if (!mMainEnabled || !mCommand6Enabled) return;
  // Before a complete run the design members are a mix of new, old and zero values.
  if (!mDesignComplete) {
    mPrompter.showMessage(texts::kErrorTitle, messages::kAdjustmentNeedsRun);
    return;
  }
  ensureTrialBatchLoaded();
  const TrialMeasurements trial{
      parseNumber(mTrial.text(kSlumpBox)), parseNumber(mTrial.text(kAirBox)),
      parseNumber(mTrial.text(kUnitWeightBox)), parseNumber(mTrial.text(kWaterBox))};
  AdjustmentReport report =
      adjustProportions(mInputs, mProportions, mConditions.concreteType, trial);
  if (report.refusal) {
    mPrompter.showMessage(report.refusal->title, report.refusal->message);
    return;
  }
  mMenViewEnabled = true;
  mAdjustedResults = std::move(report.lines);
  mAdjustedVisible = true;
  mResultsVisible = false;
  mAdjusted = report.members;
  mProportions.AIRP = report.AIRP;
}

}  // namespace veldora
