#include "workspace/trialbatchcommands.h"

#include "engine/boxtext.h"
#include "engine/numbers.h"
#include "engine/texts.h"
#include "workspace/messages.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

namespace veldora {
namespace {

// The rows of the window top to bottom.
constexpr std::array<TrialBox, 4> kRowOrder = {TrialBox::Slump, TrialBox::UnitWeight,
                                               TrialBox::Water, TrialBox::Air};

constexpr double kInt16Min = std::numeric_limits<std::int16_t>::min();
constexpr double kInt16Max = std::numeric_limits<std::int16_t>::max();

bool fitsInt16(double rounded) { return rounded >= kInt16Min && rounded <= kInt16Max; }

std::int16_t clampToInt16(double rounded) {
  return static_cast<std::int16_t>(std::clamp(rounded, kInt16Min, kInt16Max));
}

}  // namespace

namespace {

// The value the window offers in a box, and the 16-bit whole number it remembers of it.
std::pair<std::string, std::int16_t> offeredValue(TrialBox box, std::string_view slumpBox,
                                                  const MixProportions& p) {
  const double value = box == TrialBox::Slump        ? parseNumber(slumpBox)
                       : box == TrialBox::UnitWeight ? p.unitWeightByWeight
                       : box == TrialBox::Air        ? p.airContent
                                                     : p.batchWater;
  const double rounded = std::nearbyint(value);
  if (std::isfinite(rounded) && fitsInt16(rounded)) {
    return {plainText(value), static_cast<std::int16_t>(rounded)};
  }
  const std::int16_t clamped = clampToInt16(std::isnan(rounded) ? 0 : rounded);
  return {plainText(clamped), clamped};
}

}  // namespace

OfferedTrialBatch offeredTrialBatch(std::string_view slumpBox, const MixProportions& p) {
  OfferedTrialBatch offered;
  for (TrialBox box : kTrialBoxes) {
    const size_t i = TrialBatchWindowState::index(box);
    std::tie(offered.texts[i], offered.remembered[i]) = offeredValue(box, slumpBox, p);
  }
  return offered;
}

std::string offeredTrialText(TrialBox box, std::string_view slumpBox, const MixProportions& p) {
  return offeredValue(box, slumpBox, p).first;
}

TrialValues trialValues(const TrialTexts& texts) {
  TrialValues values;
  for (size_t i = 0; i < texts.size(); ++i) values[i] = parseNumber(texts[i]);
  return values;
}

std::optional<TrialBox> trialBoxOutOfRange(const TrialValues& values, bool airShown) {
  for (TrialBox box : kRowOrder) {
    const double value = std::nearbyint(values[TrialBatchWindowState::index(box)]);
    if ((box != TrialBox::Air || airShown) && !fitsInt16(value)) return box;
  }
  return std::nullopt;
}

TrialMeasurements trialMeasurements(const TrialValues& values) {
  const auto value = [&values](TrialBox box) { return values[TrialBatchWindowState::index(box)]; };
  return {value(TrialBox::Slump), value(TrialBox::Air), value(TrialBox::UnitWeight),
          value(TrialBox::Water)};
}

void TrialBatchCommands::load() {
  TrialBatchWindowState& window = mState.trialBatch;
  if (window.loaded) return;
  window.loaded = true;
  // The first load offers the last run's values. Nobody can be asked to correct a value that a
  // 16-bit member cannot hold, so it is clamped and the box shows the clamped value.
  OfferedTrialBatch offered =
      offeredTrialBatch(mState.mainWindow.text(Box::Text1), mState.design.proportions);
  window.boxes = std::move(offered.texts);
  window.remembered = offered.remembered;
}

void TrialBatchCommands::open() {
  const Command command(*this);
  if (!mState.holds(Window::Main) || !mState.mainWindow.trialBatchButtonEnabled) return;
  load();
  mState.trialBatch.airRowVisible = mState.conditions.concreteType == ConcreteType::AirEntrained;
  hold(Window::TrialBatch);
  requestFocus(Window::TrialBatch, static_cast<int>(TrialBox::Slump));
}

void TrialBatchCommands::setText(TrialBox box, std::string_view text) {
  const Command command(*this);
  if (!mState.holds(Window::TrialBatch)) return;
  mState.trialBatch.boxes[TrialBatchWindowState::index(box)] = boxText(text);
}

bool TrialBatchCommands::ok() {
  const Command command(*this);
  if (!mState.holds(Window::TrialBatch)) return false;
  TrialBatchWindowState& window = mState.trialBatch;
  const TrialValues values = trialValues(window.boxes);
  if (const std::optional<TrialBox> box = trialBoxOutOfRange(values, window.airRowVisible)) {
    showMessage(texts::kErrorTitle, messages::kTrialValueOutOfRange);
    requestFocus(Window::TrialBatch, static_cast<int>(*box));
    return false;
  }
  for (size_t i = 0; i < values.size(); ++i) {
    window.remembered[i] = clampToInt16(std::nearbyint(values[i]));
  }
  ++window.acceptances;
  hold(Window::Main);
  mState.mainWindow.adjustButtonEnabled = true;
  return true;
}

void TrialBatchCommands::setRemembered(const std::array<std::string, 4>& texts) {
  // Clamped as the first load clamps.
  load();
  TrialBatchWindowState& window = mState.trialBatch;
  for (size_t i = 0; i < texts.size(); ++i) {
    window.boxes[i] = texts[i];
    window.remembered[i] = clampToInt16(std::nearbyint(parseNumber(texts[i])));
  }
  mState.adjusted.measured.airContent = parseNumber(window.text(TrialBox::Air));
}

TrialBox TrialBatchCommands::nextBox(TrialBox box, bool forward) const {
  const int visible = mState.trialBatch.airRowVisible ? 4 : 3;  // the air row is last
  const auto at = std::find(kRowOrder.begin(), kRowOrder.begin() + visible, box);
  if (at == kRowOrder.begin() + visible) return box;
  const int row = static_cast<int>(at - kRowOrder.begin());
  return kRowOrder[static_cast<size_t>((row + (forward ? 1 : visible - 1)) % visible)];
}

void TrialBatchCommands::cancel() {
  const Command command(*this);
  if (!mState.holds(Window::TrialBatch)) return;
  TrialBatchWindowState& window = mState.trialBatch;
  for (TrialBox box : kTrialBoxes) {
    window.boxes[TrialBatchWindowState::index(box)] = plainText(window.rememberedValue(box));
  }
  hold(Window::Main);
}

TrialBatchOutcome trialBatchOutcome(const TrialValues& values, const TrialBatchDesign& design) {
  TrialBatchOutcome outcome;
  if (trialBoxOutOfRange(values, design.concreteType == ConcreteType::AirEntrained)) {
    outcome.refusal = Stop{texts::kErrorTitle, messages::kTrialValueOutOfRange, std::nullopt};
    return outcome;
  }
  // Before a complete run the design's values are a mix of new, old and zero ones.
  if (!design.complete) {
    outcome.refusal = Stop{texts::kErrorTitle, messages::kAdjustmentNeedsRun, std::nullopt};
    return outcome;
  }
  outcome.report = adjustProportions(design.inputs, design.proportions, design.concreteType,
                                     trialMeasurements(values));
  if (outcome.report.refusal) {
    outcome.refusal = std::move(outcome.report.refusal);
    return outcome;
  }
  outcome.warnings = messages::warningTexts(
      holdsNoMass(outcome.report.lines),
      implausibleMix(design.inputs, design.proportions, MoistureTrace{}, &outcome.report));
  return outcome;
}

void TrialBatchCommands::adjust() {
  const Command command(*this);
  MainWindowState& main = mState.mainWindow;
  if (!mState.holds(Window::Main) || !main.adjustButtonEnabled) return;
  if (mState.design.complete) load();
  TrialBatchOutcome outcome =
      trialBatchOutcome(trialValues(mState.trialBatch.boxes),
                        {mState.design.inputs, mState.design.proportions,
                         mState.conditions.concreteType, mState.design.complete});
  if (outcome.refusal) {
    showMessage(outcome.refusal->title, outcome.refusal->message);
    return;
  }
  AdjustmentReport& report = outcome.report;
  main.viewMenuEnabled = true;
  main.adjustedResults = std::move(report.lines);
  main.adjustedResultsWarnings = std::move(outcome.warnings);
  main.adjustedResultsVisible = true;
  main.resultsVisible = false;
  mState.adjusted = report.adjusted;
  mState.design.proportions.airContent = report.airContent;
  if (mState.completedRun) {
    report.lines = main.adjustedResults;
    mState.completedAdjustment = CompletedAdjustment{mState.conditions.concreteType, report};
  }
}

}  // namespace veldora
