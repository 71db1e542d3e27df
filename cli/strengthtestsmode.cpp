#include "cli/strengthtestsmode.h"

#include "cli/cliapp.h"
#include "cli/json.h"
#include "engine/boxtext.h"
#include "engine/numbers.h"
#include "engine/strengthrecord.h"
#include "files/strengthtestsfile.h"

#include <vector>

namespace veldora::cli {
namespace {

using Cause = StrengthTestsFileProblem::Cause;

const char* columnName(TestCell cell) {
  constexpr const char* kNames[] = {"date", "label", "cylinder-1", "cylinder-2", "cylinder-3"};
  return kNames[static_cast<size_t>(cell)];
}

const char* unreadable(FileContents::Status status) {
  using Status = FileContents::Status;
  switch (status) {
    case Status::Missing:
      return "no such file";
    case Status::NotRegular:
      return "not a file but a folder or a device";
    case Status::NoPermission:
      return "permission denied";
    case Status::LoopOrTooLong:
      return "a loop of links or a name too long";
    case Status::InUse:
      return "another program holds it open";
    case Status::Read:
    case Status::TooLargeOrBroken:
      break;
  }
  return "larger than 8 MiB, or it changed while it was read";
}

std::string refusal(const StrengthTestsFileProblem& p) {
  std::string line = "line ";
  line.append(std::to_string(p.line)).append(": ");
  switch (p.cause) {
    case Cause::Unreadable:
      return unreadable(p.status);
    case Cause::NotUtf8:
      return "not UTF-8 text (save the file as CSV UTF-8)";
    case Cause::NotCsv:
      return line + p.detail;
    case Cause::NoHeader:
    case Cause::WrongHeader:
      return line + "the first row must be the header " + kStrengthTestsHeader;
    case Cause::FieldCount:
      return line + p.detail + " of 5 fields";
    case Cause::Cell:
      break;
  }
  const std::string column = columnName(p.cell->cell);
  const std::string given = ", not '" + p.text + "'";
  switch (p.cell->problem) {
    case TestCellProblem::DateNotADate:
      return line + "the date is not a day of the calendar, Jalali 1403/09/18 or ISO 2024-12-08" +
             given;
    case TestCellProblem::StrengthNotANumber:
    case TestCellProblem::StrengthNotPositive:
      return line + column + " takes a strength above zero in kg/cm2" + given;
    case TestCellProblem::StrengthTooHigh:
      return line + column + " takes at most " + decimalText(kHighestCylinderStrength) + " kg/cm2" +
             given;
    case TestCellProblem::OneCylinderOnly:
      return line + "a test takes two or three cylinders, not one";
    case TestCellProblem::NoCylinder:
      return line + "a test takes two or three cylinders, not none";
    case TestCellProblem::CylinderSkipped:
      return line + "cylinder-3 is given but cylinder-2 is empty";
  }
  return line;
}

const char* shortfallText(RecordShortfall shortfall) {
  switch (shortfall) {
    case RecordShortfall::None:
      break;
    case RecordShortfall::FewerThan15:
      return "fewer than 15 tests";
    case RecordShortfall::TwoGroupsUnder30:
      return "two labels, fewer than 30 tests in all";
    case RecordShortfall::GroupOfOne:
      return "two labels, one of a single test";
    case RecordShortfall::MoreThanTwoGroups:
      return "more than two labels";
  }
  return "";
}

// Test numbers from 1.
std::vector<std::size_t> numbered(std::vector<std::size_t> indexes) {
  for (std::size_t& i : indexes) ++i;
  return indexes;
}

std::string listText(const std::vector<std::size_t>& numbers) {
  std::string text;
  for (const std::size_t n : numbers) {
    if (!text.empty()) text += ", ";
    text += std::to_string(n);
  }
  return text;
}

std::string numbersJson(const std::vector<std::size_t>& numbers) {
  std::vector<std::string> items;
  for (const std::size_t n : numbers) items.push_back(json::number(static_cast<double>(n)));
  return json::array(items);
}

std::string optionalJson(const std::optional<double>& value) {
  return value ? json::number(*value) : std::string(json::null);
}

// A strength as the report shows it: to 0.1 kg/cm^2.
std::string kg(double value) { return fixedText(value, 1) + " kg/cm2"; }

}  // namespace

std::string strengthBasisJson(const std::optional<StrengthBasis>& basis) {
  if (!basis) return std::string(json::null);
  using json::number;
  const std::optional<StrengthRecord>& record = basis->record;
  return json::object(
      {{"specified_strength", number(basis->specified)},
       {"standard_deviation", record ? number(record->standardDeviation) : std::string(json::null)},
       {"test_count", record ? number(record->tests) : std::string(json::null)},
       {"k", number(basis->k)},
       {"required_strength", number(basis->required)},
       {"rule", json::string(strengthRuleFormula(basis->rule))}});
}

int runStrengthTests(const std::string& path, std::optional<double> specified, bool json,
                     std::ostream& out, std::ostream& err) {
  if (!validUtf8(path)) {
    err << "veldora-cli: a file name must be valid UTF-8\n";
    return 2;
  }
  const auto opened = openStrengthTestsFile(path);
  if (const auto* problem = std::get_if<StrengthTestsFileProblem>(&opened)) {
    err << "veldora-cli: --strength-tests '" << path << "': " << refusal(*problem) << "\n";
    return 2;
  }
  const auto& tests = std::get<std::vector<StrengthTest>>(opened);
  const StrengthStatistics statistics = strengthStatistics(tests);
  const RecordQualification record = qualifyRecord(tests);
  const std::vector<std::size_t> early = numbered(testsOutOfDateOrder(tests));
  std::optional<Acceptance> judged;
  std::optional<StrengthBasis> basis;
  if (specified) {
    judged = acceptance(tests, *specified);
    basis = requiredAverageStrength(*specified, record.record);
  }
  const std::vector<std::size_t> failingTests =
      judged ? numbered(judged->failingTests()) : std::vector<std::size_t>();
  const std::vector<std::size_t> failingAverages =
      judged ? numbered(judged->failingAverages()) : std::vector<std::size_t>();

  if (json) {
    using json::number;
    const std::string null(json::null);
    out << json::object(
               {{"n", number(statistics.tests)},
                {"mean", optionalJson(statistics.mean)},
                {"standard_deviation", optionalJson(statistics.standardDeviation)},
                {"coefficient_of_variation", optionalJson(statistics.coefficientOfVariation)},
                {"within_test_standard_deviation",
                 optionalJson(statistics.withinTestStandardDeviation)},
                {"control_rating",
                 statistics.rating ? json::string(controlRatingName(*statistics.rating)) : null},
                {"record", record.record
                               ? json::object({{"standard_deviation",
                                                number(record.record->standardDeviation)},
                                               {"test_count", number(record.record->tests)}})
                               : null},
                {"record_shortfall",
                 record.record ? null : json::string(shortfallText(record.shortfall))},
                {"tests_out_of_date_order", numbersJson(early)},
                {"single_test_limit", judged ? number(judged->singleTestLimit) : null},
                {"failing_tests", judged ? numbersJson(failingTests) : null},
                {"failing_averages", judged ? numbersJson(failingAverages) : null},
                {"required_strength", strengthBasisJson(basis)}})
        << "\n";
  } else {
    out << "tests: " << statistics.tests << "\n";
    if (statistics.mean) out << "mean: " << kg(*statistics.mean) << "\n";
    if (statistics.standardDeviation) {
      out << "standard deviation: " << kg(*statistics.standardDeviation) << "\n"
          << "coefficient of variation: " << fixedText(*statistics.coefficientOfVariation, 1)
          << " %\n";
    }
    if (statistics.withinTestStandardDeviation) {
      out << "within-test standard deviation: " << kg(*statistics.withinTestStandardDeviation)
          << "\n";
    }
    if (statistics.rating) {
      out << "control: " << controlRatingName(*statistics.rating)
          << " (ACI 214R-02 Table 3.2, general construction)\n";
    }
    if (!early.empty()) {
      out << "note: dated before the test before them, kept in the order given: tests "
          << listText(early) << "\n";
    }
    if (record.record) {
      out << "record: s = " << kg(record.record->standardDeviation) << " of "
          << record.record->tests << " tests\n";
    } else {
      out << "record: none, " << shortfallText(record.shortfall) << "\n";
    }
    if (judged) {
      out << "acceptance for f'c = " << kg(*specified)
          << " (ACI 318-14 26.12.3.1): " << (judged->accepted() ? "accepted" : "not accepted")
          << "\n";
      if (!failingTests.empty()) {
        out << "  tests below " << kg(judged->singleTestLimit) << ": " << listText(failingTests)
            << "\n";
      }
      if (!failingAverages.empty()) {
        out << "  averages of three below f'c, by their last test: " << listText(failingAverages)
            << "\n";
      }
      out << "required strength: f'cr = " << kg(basis->required) << " by "
          << strengthRuleFormula(basis->rule);
      if (usesRecord(*basis)) out << " (k = " << decimalText(basis->k, 3) << ")";
      out << "\n";
    }
  }
  return judged && !judged->accepted() ? 1 : 0;
}

}  // namespace veldora::cli
