#pragma once

#include "workspace/workspacepart.h"

#include <array>
#include <string>
#include <string_view>

namespace veldora {

// The main window's design: its twelve boxes and the design run.
class DesignCommands : public WorkspacePart {
 public:
  using WorkspacePart::WorkspacePart;

  // The boxes' texts at start and after New.
  static const std::string& initialText(Box box);
  static const std::array<std::string, kBoxCount>& initialTexts();

  // A box holds one line: a text put into it ends at its first line break, as a pasted text does
  // in a single-line box.
  void setText(Box box, std::string_view text);

  // The run button, "&RUN" (F5) and Open: reads the twelve boxes, checks them, computes the
  // design and fills the results list, or shows the message that stopped it.
  void run();

  // Enter and Down (forward) or Up (back) in a main-window box: the ring Text1 .. Text12.
  static Box nextBox(Box box, bool forward);
};

}  // namespace veldora
