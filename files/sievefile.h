#pragma once

#include "engine/sieveanalysis.h"
#include "files/diskfile.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

// A sieve analysis kept as a CSV file a spreadsheet opens: UTF-8 (a byte-order mark allowed), a
// header row "sieve_mm,retained_g", then one row per sieve in any order ("4.75,20"; "0.6" or
// "0.600" for 600 µm), "pan,15" for the pan and "original,500" for the dry mass before sieving,
// both optional. Every cell is wholly a number as typed (Persian and Arabic-Indic digits, "٫" and
// "/" between digits as the decimal mark, blanks around it). Rows of blank cells are skipped.
// Read all or nothing: a file with any fault is refused whole.
namespace veldora {

// No sieve analysis file is larger: one holds at most seventeen short rows.
inline constexpr std::size_t kSieveFileSizeLimit = 64 << 10;

// Why a sieve analysis file is refused.
enum class SieveFileCause {
  Unreadable,        // the file could not be read: status says why
  Header,            // the first row is not sieve_mm,retained_g
  Cells,             // a row that is not two cells (or a quote out of place)
  NotStandardSieve,  // the first cell names no standard sieve, nor pan or original
  GivenTwice,        // a sieve, the pan or the original mass on a second row
  NotANumber,        // a mass that is not wholly a number
  NegativeMass,
  NoSieve,           // no row of a sieve
  ZeroTotal,         // the masses add up to nothing
  TotalTooLarge,     // the masses add up to more than a number holds
  GainOverOriginal,  // the masses add up to more than the original dry mass
};

struct SieveFileError {
  SieveFileCause cause = SieveFileCause::Unreadable;
  long line = 0;     // the line of the fault, from 1; 0 for the file as a whole
  std::string text;  // the cell at fault as written (the row, for Cells)
  FileContents::Status status = FileContents::Status::Read;  // for Unreadable
};

using SieveFileReading = std::variant<SieveAnalysis, SieveFileError>;

// The analysis a file's bytes hold, or the first fault in them.
SieveFileReading readSieveFile(std::string_view bytes);
// The same for the file at path (UTF-8), read whole within kSieveFileSizeLimit.
SieveFileReading openSieveFile(const std::string& path);

// A mass in full as a plain decimal, the shortest that reads back as the same number: "20",
// "12.5", "0.1".
std::string massText(double grams);

// The file's bytes: the header and a row per sieve of the analysis, largest first, then the pan
// and the original mass where given; lines ended by CR LF, masses in full as plain decimals.
// What this writes, readSieveFile reads back as it was.
std::string writeSieveFile(const SieveAnalysis& analysis);
// Replaces the file at path as mix files are saved (diskfile.h: replaceFileAt), or leaves it as
// it was and says why.
std::optional<WriteProblem> saveSieveFile(const std::string& path, const SieveAnalysis& analysis);

}  // namespace veldora
