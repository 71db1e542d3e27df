#pragma once

#include "files/csv.h"

#include <optional>
#include <ostream>
#include <string>

namespace veldora::cli {

// veldora-cli --batch: many designs from CSV rows, one output row (or JSON line) each.
struct BatchRequest {
  std::string input;               // a file, or "-" for the standard input
  std::optional<std::string> out;  // written whole or not at all; else the standard output
  bool json = false;               // JSON Lines instead of CSV
  bool bom = false;                // a UTF-8 byte-order mark before the CSV, for spreadsheets
};

// Runs the batch, writing rows to out as they are done unless the request names a file. Returns
// the exit status: 0 every row ok, 1 any row not (or the output file not written), 2 a usage
// error (a header or a line that breaks the format, an input that cannot be read).
int runBatch(const BatchRequest& request, std::ostream& out, std::ostream& err);

// The same from any input (the request's input aside).
int runBatch(const ReadSome& input, const BatchRequest& request, std::ostream& out,
             std::ostream& err);

}  // namespace veldora::cli
