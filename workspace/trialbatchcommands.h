#pragma once

#include "workspace/workspacepart.h"

#include <array>
#include <string>
#include <string_view>

namespace veldora {

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

  // On first use (by open, or by New, Open or Save), the boxes are filled from the last run.
  void load();
  // New and Open write the boxes and remember them as OK would, so that a later Save carries
  // the trial batch the window shows.
  void setRemembered(const std::array<std::string, 4>& texts);
};

}  // namespace veldora
