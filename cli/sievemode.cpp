#include "cli/sievemode.h"

#include "cli/cliapp.h"
#include "cli/json.h"
#include "engine/boxtext.h"
#include "engine/numbers.h"
#include "engine/sieveanalysis.h"
#include "files/sievefile.h"
#include "workspace/sievetexts.h"

#include <algorithm>
#include <string_view>

namespace veldora::cli {
namespace {

namespace texts = sievetexts;

// A file's analysis and what is worked out from it.
struct Aggregate {
  std::string path;
  SieveAnalysis analysis;
  SieveResults results;
};

std::string percentText(double percent) { return fixedText(percent, 1); }
std::string sieveText(Sieve sieve) { return millimetreText(micrometres(sieve)); }

const char* outcomeText(CheckOutcome outcome) {
  switch (outcome) {
    case CheckOutcome::Pass:
      return texts::kPass;
    case CheckOutcome::Fail:
      return texts::kFail;
    case CheckOutcome::NotTested:
      break;
  }
  return texts::kNotTested;
}

const char* outcomeWord(CheckOutcome outcome) {
  switch (outcome) {
    case CheckOutcome::Pass:
      return "pass";
    case CheckOutcome::Fail:
      return "fail";
    case CheckOutcome::NotTested:
      break;
  }
  return "not_tested";
}

std::string statusCause(FileContents::Status status) {
  using Status = FileContents::Status;
  switch (status) {
    case Status::Missing:
      return "no such file";
    case Status::NotRegular:
      return "not a regular file";
    case Status::NoPermission:
      return "permission denied";
    case Status::LoopOrTooLong:
      return "a loop of symbolic links or a name too long";
    case Status::InUse:
      return "another program holds it";
    case Status::TooLargeOrBroken:
    case Status::Read:
      break;
  }
  std::string cause = "over ";
  return cause.append(std::to_string(kSieveFileSizeLimit >> 10))
      .append(" KB, or it changed or failed while it was read");
}

std::string refusal(const SieveFileError& e) {
  const std::string text = "'" + e.text + "'";
  std::string where;
  if (e.line > 0) where.append("line ").append(std::to_string(e.line)).append(": ");
  switch (e.cause) {
    case SieveFileCause::Unreadable:
      where = "cannot be read: ";
      return where.append(statusCause(e.status));
    case SieveFileCause::Header:
      return where + "the first row must be 'sieve_mm,retained_g', not " + text;
    case SieveFileCause::Cells:
      return where + "a row holds two cells, a sieve and a mass, not " + text;
    case SieveFileCause::NotStandardSieve:
      return where + text + " is no standard sieve in mm (75 to 0.15), nor pan or original";
    case SieveFileCause::GivenTwice:
      return where + text + " is given twice";
    case SieveFileCause::NotANumber:
      return where + "a mass must be a number of grams, not " + text;
    case SieveFileCause::NegativeMass:
      return where + "a mass cannot be negative: " + text;
    case SieveFileCause::NoSieve:
      return "no sieve has a mass";
    case SieveFileCause::ZeroTotal:
      return "the masses add up to 0 g";
    case SieveFileCause::TotalTooLarge:
      return "the masses add up to more than a number holds";
    case SieveFileCause::GainOverOriginal:
      return where + "the masses add up to more than the original dry mass " + text;
  }
  return where;
}

std::string sizeNames() {
  std::string names;
  for (const CoarseGrading& g : kCoarseGradings) {
    if (!names.empty()) names += '|';
    names += g.name;
  }
  return names;
}

void printTable(const Aggregate& a, const char* heading, std::ostream& out) {
  const SieveResults& r = a.results;
  out << heading << a.path << "\n" << texts::kColumns << "\n";
  for (const SieveRow& row : r.rows) {
    out << sieveText(row.sieve) << '\t' << decimalText(row.grams, 6) << '\t'
        << percentText(row.percentRetained) << '\t' << percentText(row.cumulativeRetained) << '\t'
        << percentText(row.percentPassing) << "\n";
  }
  out << texts::kPan << '\t' << decimalText(r.panGrams, 6) << '\t' << percentText(r.panPercent)
      << "\n";
  out << texts::kTotal << decimalText(r.totalGrams, 6) << texts::kGram << "\n";
  if (a.analysis.originalMass) {
    out << texts::kOriginal << decimalText(*a.analysis.originalMass, 6) << texts::kGram << "\n";
    out << texts::kLoss << percentText(*r.lossPercent) << texts::kPercent << "\n";
    if (r.lossTooLarge()) out << texts::kLossTooLarge << "\n";
  }
  if (r.finenessModulus.value) {
    out << texts::kFineness << fixedText(*r.finenessModulus.value, 2) << "\n";
  } else {
    out << texts::kNoFineness;
    for (const int missing : r.finenessModulus.missingMicrometres) {
      out << ' ' << millimetreText(missing) << texts::kMillimetre;
    }
    out << "\n";
  }
  for (const auto& [label, size] : {std::pair{texts::kMaximum, r.maximumSize},
                                    std::pair{texts::kNominal, r.nominalMaximumSize}}) {
    out << label << (size ? sieveText(*size) + texts::kMillimetre : texts::kUnknown) << "\n";
  }
}

void printLimit(const LimitCheck& c, std::ostream& out) {
  out << sieveText(c.limit.sieve) << texts::kMillimetre << texts::kPassing
      << (c.passing ? percentText(*c.passing) + texts::kPercent : "-") << texts::kLimits
      << decimalText(c.limit.lowest, 1) << texts::kTo << decimalText(c.limit.highest, 1) << ": "
      << outcomeText(c.outcome) << "\n";
}

void printFineCheck(const FineGradingCheck& check, const SieveResults& r, std::ostream& out) {
  out << texts::kFineCheck << (check.fails() ? texts::kFail : texts::kPass) << "\n";
  for (const LimitCheck& c : check.sieves) printLimit(c, out);
  for (const ConsecutiveCheck& c : check.consecutive) {
    out << texts::kRetainedOn << sieveText(c.smaller) << texts::kMillimetre
        << texts::kPassingThrough << sieveText(c.larger) << texts::kMillimetre << ": "
        << (c.percentBetween ? percentText(*c.percentBetween) + texts::kPercent : "-")
        << texts::kMost45 << ": " << outcomeText(c.outcome) << "\n";
  }
  out << texts::kFinenessCheck << ' '
      << (r.finenessModulus.value ? fixedText(*r.finenessModulus.value, 2) : "-") << texts::kLimits
      << decimalText(kLowestFinenessModulus, 1) << texts::kTo
      << decimalText(kHighestFinenessModulus, 1) << ": " << outcomeText(check.finenessModulus)
      << "\n";
}

void printCoarseCheck(const CoarseGradingCheck& check, const SizeSuggestion& suggestion,
                      std::ostream& out) {
  out << (suggestion.fits ? texts::kFits : texts::kNearest);
  for (size_t i = 0; i < suggestion.numbers.size(); ++i) {
    out << (i ? "، " : "") << coarseGrading(suggestion.numbers[i]).name;
  }
  out << "\n"
      << texts::kCoarseCheck << coarseGrading(check.number).name << ": "
      << (check.fails() ? texts::kFail : texts::kPass) << "\n";
  for (const LimitCheck& c : check.sieves) printLimit(c, out);
}

std::string orNull(const std::optional<double>& value) {
  return value ? json::number(*value) : std::string(json::null);
}

// An opening as its decimal, which is a JSON number: 2.36, not 2.3599999999999999.
std::string millimetresJson(const std::optional<Sieve>& sieve) {
  return sieve ? millimetreText(micrometres(*sieve)) : std::string(json::null);
}

std::string limitsJson(const std::vector<LimitCheck>& checks) {
  std::vector<std::string> items;
  for (const LimitCheck& c : checks) {
    items.push_back(json::object({{"sieve_mm", millimetresJson(c.limit.sieve)},
                                  {"lowest", json::number(c.limit.lowest)},
                                  {"highest", json::number(c.limit.highest)},
                                  {"percent_passing", orNull(c.passing)},
                                  {"outcome", json::string(outcomeWord(c.outcome))}}));
  }
  return json::array(items);
}

std::string failingJson(const std::vector<LimitCheck>& checks) {
  std::vector<std::string> failing;
  for (const LimitCheck& c : checks) {
    if (c.outcome == CheckOutcome::Fail) failing.push_back(millimetresJson(c.limit.sieve));
  }
  return json::array(failing);
}

std::string aggregateJson(const Aggregate& a, const std::string& check) {
  const SieveResults& r = a.results;
  std::vector<std::string> rows, missing;
  for (const SieveRow& row : r.rows) {
    rows.push_back(json::object({{"sieve_mm", millimetresJson(row.sieve)},
                                 {"retained_g", json::number(row.grams)},
                                 {"percent_retained", json::number(row.percentRetained)},
                                 {"cumulative_retained", json::number(row.cumulativeRetained)},
                                 {"percent_passing", json::number(row.percentPassing)}}));
  }
  for (const int m : r.finenessModulus.missingMicrometres) {
    missing.push_back(millimetreText(m));
  }
  std::string note(json::null);
  if (!r.finenessModulus.value) {
    std::string sieves;
    for (const int m : r.finenessModulus.missingMicrometres) {
      if (!sieves.empty()) sieves += ", ";
      sieves += millimetreText(m);
    }
    note = json::string("no fineness modulus: the analysis lacks the sieve(s) " + sieves + " mm");
  }
  return json::object({{"file", json::string(a.path)},
                       {"sieves", json::array(rows)},
                       {"pan_g", json::number(r.panGrams)},
                       {"pan_percent", json::number(r.panPercent)},
                       {"total_g", json::number(r.totalGrams)},
                       {"original_g", orNull(a.analysis.originalMass)},
                       {"loss_percent", orNull(r.lossPercent)},
                       {"loss_over_limit", json::boolean(r.lossTooLarge())},
                       {"fineness_modulus", orNull(r.finenessModulus.value)},
                       {"fineness_modulus_note", note},
                       {"fineness_modulus_missing_sieves_mm", json::array(missing)},
                       {"maximum_size_mm", millimetresJson(r.maximumSize)},
                       {"nominal_maximum_size_mm", millimetresJson(r.nominalMaximumSize)},
                       {"check", check}});
}

std::string fineCheckJson(const FineGradingCheck& check) {
  std::vector<std::string> pairs;
  for (const ConsecutiveCheck& c : check.consecutive) {
    pairs.push_back(json::object({{"larger_mm", millimetresJson(c.larger)},
                                  {"smaller_mm", millimetresJson(c.smaller)},
                                  {"percent_between", orNull(c.percentBetween)},
                                  {"outcome", json::string(outcomeWord(c.outcome))}}));
  }
  return json::object({{"grading", json::string("ASTM C33 Table 1")},
                       {"passes", json::boolean(!check.fails())},
                       {"failing_sieves_mm", failingJson(check.sieves)},
                       {"sieves", limitsJson(check.sieves)},
                       {"consecutive", json::array(pairs)},
                       {"fineness_modulus", json::string(outcomeWord(check.finenessModulus))}});
}

std::string coarseCheckJson(const CoarseGradingCheck& check, const SizeSuggestion& suggestion) {
  std::vector<std::string> numbers;
  for (const SizeNumber n : suggestion.numbers) {
    numbers.push_back(json::string(coarseGrading(n).name));
  }
  return json::object({{"grading", json::string("ASTM C33 size number")},
                       {"size_number", json::string(coarseGrading(check.number).name)},
                       {"suggested_size_numbers", json::array(numbers)},
                       {"suggestion_fits", json::boolean(suggestion.fits)},
                       {"passes", json::boolean(!check.fails())},
                       {"failing_sieves_mm", failingJson(check.sieves)},
                       {"sieves", limitsJson(check.sieves)}});
}

}  // namespace

std::optional<std::string> sieveOptionsRefusal(const std::vector<std::string>& given,
                                               bool mixFileGiven) {
  const auto named = [&given](std::string_view name) {
    return std::find(given.begin(), given.end(), name) != given.end();
  };
  const bool sieve = named("--sieve-fine") || named("--sieve-coarse");
  if (named("--coarse-size") && !named("--sieve-coarse")) {
    return "--coarse-size goes with --sieve-coarse";
  }
  if (!sieve) return std::nullopt;
  for (const std::string& name : given) {
    if (name != "--sieve-fine" && name != "--sieve-coarse" && name != "--coarse-size" &&
        name != "--json") {
      return "--sieve-fine and --sieve-coarse run no design; they take only --coarse-size and "
             "--json, not " +
             name;
    }
  }
  if (mixFileGiven) return "--sieve-fine and --sieve-coarse take no mix file";
  return std::nullopt;
}

int runSieves(const SieveRequest& request, std::ostream& out, std::ostream& err) {
  std::optional<SizeNumber> coarseSize;
  if (request.coarseSize) {
    coarseSize = sizeNumberNamed(*request.coarseSize);
    if (!coarseSize) {
      err << "veldora-cli: --coarse-size takes " << sizeNames() << ", not '" << *request.coarseSize
          << "'\n";
      return 2;
    }
  }
  // Both files whole before anything is printed.
  std::optional<Aggregate> fine, coarse;
  for (auto [path, aggregate] : {std::pair{&request.fine, &fine}, {&request.coarse, &coarse}}) {
    if (!*path) continue;
    if (!validUtf8(**path)) {
      err << "veldora-cli: a file name must be valid UTF-8\n";
      return 2;
    }
    const SieveFileReading read = openSieveFile(**path);
    if (const auto* e = std::get_if<SieveFileError>(&read)) {
      err << "veldora-cli: '" << **path << "': " << refusal(*e) << "\n";
      return 2;
    }
    const SieveAnalysis& analysis = std::get<SieveAnalysis>(read);
    *aggregate = Aggregate{**path, analysis, std::get<SieveResults>(analyseSieves(analysis))};
  }

  bool fails = false;
  std::string fineJson(json::null), coarseJson(json::null);
  if (fine) {
    const FineGradingCheck check = checkFineGrading(fine->results);
    fails = fails || check.fails();
    if (request.json) {
      fineJson = aggregateJson(*fine, fineCheckJson(check));
    } else {
      printTable(*fine, texts::kFineHeading, out);
      printFineCheck(check, fine->results, out);
    }
  }
  if (coarse) {
    const SizeSuggestion suggestion = suggestSizeNumbers(coarse->results);
    const CoarseGradingCheck check =
        checkCoarseGrading(coarse->results, coarseSize.value_or(suggestion.numbers.front()));
    fails = fails || check.fails();
    if (request.json) {
      coarseJson = aggregateJson(*coarse, coarseCheckJson(check, suggestion));
    } else {
      if (fine) out << "\n";
      printTable(*coarse, texts::kCoarseHeading, out);
      printCoarseCheck(check, suggestion, out);
    }
  }
  if (request.json) out << json::object({{"fine", fineJson}, {"coarse", coarseJson}}) << "\n";
  return fails ? 1 : 0;
}

}  // namespace veldora::cli
