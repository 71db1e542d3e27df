#pragma once

#include "workspace/workspacepart.h"

#include <string>
#include <string_view>

namespace veldora {

// The sieve analysis window (OPTION > "دانه بندي سنگدانه ها..."): the masses retained on the
// standard sieves of a fine and a coarse aggregate, their percentages, fineness modulus, sizes and
// grading checked as they are typed; each table kept in its own CSV file; and the fine
// aggregate's fineness modulus and the coarse one's nominal maximum size put into the design's
// boxes as if typed there.
class SieveCommands : public WorkspacePart {
 public:
  using WorkspacePart::WorkspacePart;

  void openWindow();
  // A key typed into a cell: the cell shows text, and where text is a mass (or blank) the
  // analysis takes it at once.
  void editCell(AggregateTable table, size_t cell, std::string_view text);
  // The user leaves the cell: a text that is not wholly a number, a negative mass, or one that
  // makes the masses more than the original dry mass is refused with a message, the cell's last
  // mass put back and the focus in it. False where refused.
  bool leaveCell(AggregateTable table, size_t cell);
  void chooseSize(SizeNumber number);
  // The table from a file the user chooses, whole, or a message naming the line and the cause
  // of the fault with the table as it was.
  void openFile(AggregateTable table);
  // The table into a file the user chooses, whole or not at all; a table without results has
  // nothing a file could hold and is refused.
  void saveFile(AggregateTable table);
  // The fine aggregate's fineness modulus into the fineness box and the coarse aggregate's
  // nominal maximum size into the maximum-size box, each where its table gives it, as if typed;
  // then the window closes. A message where neither table gives one.
  bool useInDesign();
  // Escape and the close box too: a cell that holds no mass gets its last mass back.
  void close();

 private:
  // Refuses the first cell that holds no acceptable mass, as leaving it would; false then.
  bool leaveEveryCell();
  // Reads the accepted cells of table and checks both gradings.
  void analyse(AggregateTable table);
  void check();
  SieveTableState& table(AggregateTable which) {
    return mState.sieveWindow.tables[static_cast<size_t>(which)];
  }
};

}  // namespace veldora
