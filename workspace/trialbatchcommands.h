#pragma once

#include "workspace/workspacepart.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veldora {

// The trial-batch window's rules apart from its state, which the command line's batch follows
// too. The boxes are in TrialBox order.
using TrialTexts = std::array<std::string, 4>;

// What the window offers on its first load: the last run's slump box as read, unit weight by the
// weight method, air content and water to add, each in the plain form, and the whole numbers it
// remembers of them; a value a 16-bit whole number cannot hold is clamped, in its box too.
struct OfferedTrialBatch {
  TrialTexts texts;
  std::array<std::int16_t, 4> remembered{};
};
OfferedTrialBatch offeredTrialBatch(std::string_view slumpBox, const MixProportions& p);
// The text the window offers in one box.
std::string offeredTrialText(TrialBox box, std::string_view slumpBox, const MixProportions& p);

// The numbers the boxes' texts are read as, in TrialBox order.
using TrialValues = std::array<double, 4>;
TrialValues trialValues(const TrialTexts& texts);

// The first box, in the window's order top to bottom, whose value OK refuses (rounded, it is
// outside 16 bits); the air box counts only while it is shown.
std::optional<TrialBox> trialBoxOutOfRange(const TrialValues& values, bool airShown);

// What the adjustment reads from the boxes.
TrialMeasurements trialMeasurements(const TrialValues& values);

// What a trial batch comes to, in the window (its OK, then Command6) and in a batch row alike:
// the adjusted proportions with the warnings on their mix, or why there are none.
struct TrialBatchOutcome {
  std::optional<Stop> refusal;  // nothing was adjusted
  AdjustmentReport report;
  std::vector<std::string> warnings;  // the adjusted mix's, one text each
};
struct TrialBatchDesign {
  const MixInputs& inputs;
  const MixProportions& proportions;  // of the last run
  ConcreteType concreteType;
  bool complete;  // the last run was complete
};
TrialBatchOutcome trialBatchOutcome(const TrialValues& values, const TrialBatchDesign& design);

// The trial-batch window and the adjustment of the design from the batch it measured.
class TrialBatchCommands : public WorkspacePart {
 public:
  using WorkspacePart::WorkspacePart;

  // The main window's Command5: shows the window (filled from the last run on its first use),
  // with the air row only for air-entrained concrete.
  void open();
  void setText(TrialBox box, std::string_view text);
  // OK remembers the four values; false when one is outside 16 bits and the window stays open.
  bool ok();
  // Cancel puts back the remembered values.
  void cancel();
  // Enter and Down (forward) or Up (back) in a box: the box that takes the focus, cyclic over
  // the visible boxes in the order slump, unit weight, water, air.
  TrialBox nextBox(TrialBox box, bool forward) const;

  // The main window's Command6: the adjusted proportions into the second list, or a message
  // and nothing changed when they cannot be computed.
  void adjust();

 private:
  friend class FileCommands;
  // On first use (by open, or by New, Open or Save), the boxes are filled from the last run.
  void load();
  // New and Open write the boxes and remember them as OK would, so that a later Save carries
  // the trial batch the window shows.
  void setRemembered(const std::array<std::string, 4>& texts);
};

}  // namespace veldora
