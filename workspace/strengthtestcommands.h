#pragma once

#include "workspace/workspacepart.h"

#include <cstddef>
#include <string_view>

namespace veldora {

// The strength-tests window (on the OPTION menu): a plant's cylinder tests, what they
// say together, their acceptance for the f'c typed, and, when they make a record, the standard
// deviation and count handed to the required-strength window. The rows stay when the window
// closes; files are read and written all or nothing.
class StrengthTestCommands : public WorkspacePart {
 public:
  using WorkspacePart::WorkspacePart;

  void openWindow();
  void close();
  void setSpecified(std::string_view text);
  // A cell as typed: a date that is no day of the calendar, or a strength that is not wholly a
  // number above zero, is refused with a message, the cell keeping its text and taking the focus;
  // false then. Blank is taken in every cell: a row is filled one cell at a time.
  bool setCell(size_t row, TestCell cell, std::string_view text);
  void addRow();
  void removeRow(size_t row);
  // Rows copied from a spreadsheet, a line each, cells separated by tabs (date, label, two or
  // three cylinders; a header line first is skipped), added after the last test: all of them, or
  // none with a message naming the first row at fault.
  bool paste(std::string_view text);
  bool openFile();
  bool saveFile();
  // When the tests make a record: the required-strength window opens with f'c (when one is given
  // here), s and n in its boxes as if typed; otherwise a message says why not.
  bool fillRequiredStrength();

 private:
  void recompute();
  // The first row begun but not a test, with a message naming it; false when there is none.
  bool refuseIncompleteRow();
};

}  // namespace veldora
