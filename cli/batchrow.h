#pragma once

#include "cli/names.h"
#include "engine/adjustment.h"
#include "engine/conditions.h"
#include "engine/designrun.h"
#include "engine/mix.h"
#include "engine/strength.h"
#include "workspace/trialbatchcommands.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A batch's rows read and designed: which column holds which input, and each row's design as the
// command line makes it with the same arguments.
namespace veldora::cli {

// The cells of a row, as the reader gives them.
using Cells = std::vector<std::string_view>;

// A usage error at a line of the input.
struct BatchUsageError {
  std::string message;
};

// The cement condition's column as the output repeats it, beside the result column "cement" (its
// mass per cubic metre); an input takes it as well as "cement".
inline constexpr std::string_view kCementTypeColumn = "cement-type";

// A header cell as the name of its column: blanks around it and a trailing unit in brackets
// ("Slump (mm)") left out, in small letters, a blank or "_" between words as "-" ("Fine
// Moisture", "fine_moisture": fine-moisture).
std::string columnName(std::string_view header);

// Where each named input stands in a row: its column, or -1 where the header does not name it;
// the columns the program does not know pass through to the output as they are.
struct BatchColumns {
  std::array<int, kBoxCount> boxes;
  std::array<int, kConditionNames.size()> conditions;
  std::array<int, kTrialNames.size()> trials;
  std::array<int, kStrengthNames.size()> strength;
  int id = -1;
  std::vector<int> passThrough;
  std::vector<std::string> passThroughNames;  // their header cells, as written
  std::vector<std::string> names;             // the header's cells
  size_t count = 0;

  // Throws BatchUsageError where the header names an input twice or holds a NUL byte.
  explicit BatchColumns(const Cells& header);
  bool hasTrial() const;
  bool hasStrength() const;
};

enum class RowStatus { Ok, Stopped, Invalid };

// What a row gives: its inputs as read (what the boxes hold, the conditions chosen, the trial and
// strength texts), the design run's values when it went through, the adjusted masses when the
// adjustment did.
struct RowResult {
  RowStatus status = RowStatus::Ok;
  std::string message;
  std::array<std::string, kBoxCount> boxes;
  DesignConditions conditions;
  std::array<std::string, kTrialNames.size()> trials;
  std::array<std::string, kStrengthNames.size()> strengthTexts;
  std::optional<StrengthBasis> basis;
  bool designed = false;
  MixProportions design;
  bool adjusted = false;
  BatchMasses byWeight, byVolume;
};

// The design of a row as the command line makes it with the same arguments: the boxes set, the
// conditions chosen, f'cr written into the strength box where the row gives f'c, the run, and with
// any trial value the trial-batch window opened, the values typed, OK and the adjustment.
class RowDesigner {
 public:
  RowDesigner();

  // Reads the row's inputs into result; false, and the row invalid with its message, where a cell
  // holds a NUL byte (which no CSV reader downstream takes), a word the program does not know, a
  // number cell is not wholly a number (nor empty), or the strength cells are not what the
  // required-strength window takes.
  bool read(const Cells& cells, bool plainCells, const BatchColumns& columns, RowResult& result);
  // Reads the row and designs it.
  void design(const Cells& cells, bool plainCells, const BatchColumns& columns, RowResult& result);

 private:
  MixInputs mStartUp;  // the numbers of the boxes' start-up texts
  TrialTexts mTrialTexts;
  RunReport mRun;
};

}  // namespace veldora::cli
