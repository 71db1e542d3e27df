#pragma once

#include "engine/strengthrecord.h"
#include "files/diskfile.h"

#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// The strength tests file: CSV in UTF-8 (a byte-order mark before it allowed), a header row
// "date,label,cylinder-1,cylinder-2,cylinder-3" (blanks around a name and the case of its letters
// aside) and a test a row, strengths in kg/cm^2, the third cylinder empty for a test of two. Read
// all or nothing, like a mix file.
namespace veldora {

inline constexpr char kStrengthTestsHeader[] = "date,label,cylinder-1,cylinder-2,cylinder-3";
// No record of a plant is larger: ten thousand tests are well under a megabyte.
inline constexpr std::size_t kStrengthTestsFileSizeLimit = std::size_t{8} << 20;

// Why a file is refused, and where.
struct StrengthTestsFileProblem {
  enum class Cause {
    Unreadable,   // the file could not be read: status says why
    NotUtf8,      // its bytes are not UTF-8 text
    NotCsv,       // it breaks the rules of CSV: detail says how
    NoHeader,     // it is empty
    WrongHeader,  // its first row is not the header
    FieldCount,   // a row of other than five fields: detail holds the count
    Cell,         // a cell that is not what its column takes: cell says which and why
  };
  Cause cause = Cause::Unreadable;
  long line = 0;  // the physical line from 1, 0 for the file as a whole
  FileContents::Status status = FileContents::Status::Read;
  std::string detail;
  std::optional<TestCellRefusal> cell;
  std::string text;  // the cell as the file holds it
};

// The tests of a file's bytes, in its order; a row whose cells are all blank (a spreadsheet's
// empty last rows) is no test. Only a header: no tests.
std::variant<std::vector<StrengthTest>, StrengthTestsFileProblem> readStrengthTestsFile(
    const std::string& bytes);

// The same from the file at path.
std::variant<std::vector<StrengthTest>, StrengthTestsFileProblem> openStrengthTestsFile(
    const std::string& path);

// A test's cells as the file writes them: the date as Jalali "1403/09/18", strengths in the
// shortest form that reads back as the same number (250.5, never 250.50000000000001), the third
// empty for a test of two cylinders.
StrengthTestTexts strengthTestTexts(const StrengthTest& test);

// The file's bytes: the header and a row a test, lines ended by CR LF (as spreadsheets write
// them), dates as Jalali "1403/09/18", strengths in the shortest form that reads back as the same
// number (250.5, never 250.50000000000001), what readStrengthTestsFile reads back as it was.
std::string strengthTestsFileBytes(const std::vector<StrengthTest>& tests);

// Writes the file at path as a mix file is saved: the old file stays whole until the new one is
// complete on the disk.
std::optional<WriteProblem> saveStrengthTestsFile(const std::string& path,
                                                  const std::vector<StrengthTest>& tests);

}  // namespace veldora
