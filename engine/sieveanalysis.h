#pragma once

#include "engine/gradingtables.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// The sieve analysis of an aggregate (ASTM C136): from the masses retained on a stack of standard
// sieves to the percentages, the fineness modulus (ASTM C125), the maximum and nominal maximum
// sizes, and the grading checked against ASTM C33. Every percentage is of the sum of the masses,
// the pan included; every value is unrounded, and limits are judged on the unrounded values (a
// person reads percentages to 0.1 and the fineness modulus to 0.01), give or take 1e-9 percentage
// points, so that the binary rounding of sums of decimal masses never moves a sample exactly at a
// limit across it. Pure functions: a window recomputes the whole analysis each time a cell
// changes.
namespace veldora {

// A sieve analysis as the laboratory records it, in grams: the mass retained on each sieve of the
// stack (nothing for a sieve not in the stack, which is not the same as 0 g retained), the pan,
// and the sample's dry mass before sieving, which serves only for the loss.
struct SieveAnalysis {
  std::array<std::optional<double>, kSieves.size()> retained;
  std::optional<double> pan;
  std::optional<double> originalMass;

  std::optional<double>& retainedOn(Sieve sieve) { return retained[static_cast<size_t>(sieve)]; }
  const std::optional<double>& retainedOn(Sieve sieve) const {
    return retained[static_cast<size_t>(sieve)];
  }
  friend bool operator==(const SieveAnalysis&, const SieveAnalysis&) = default;
};

// Why a mass as typed is refused: it is not wholly a number, or it is below zero.
enum class MassProblem { NotANumber, Negative };
// A mass as typed into a cell or written in a file: nothing for a blank text (the sieve is not in
// the stack), else the number the text wholly is (Persian and Arabic-Indic digits, "٫" and "/"
// between digits as the decimal mark, blanks around it), or why it is refused.
using MassText = std::variant<std::monostate, double, MassProblem>;
MassText readMass(std::string_view typed);

// A sieve's opening in millimetres as an engineer writes it: "37.5", "4.75", "0.6", "150".
std::string millimetreText(int micrometres);

// Why an analysis has no results.
enum class AnalysisProblem {
  InvalidMass,       // a mass below zero or not a finite number
  NoSieve,           // no sieve has a mass (a pan alone is no analysis)
  ZeroTotal,         // the masses add up to nothing
  GainOverOriginal,  // the masses add up to more than the original dry mass
};

// One sieve of the analysis.
struct SieveRow {
  Sieve sieve;
  double grams;               // retained on it
  double percentRetained;     // of the total
  double cumulativeRetained;  // on it and every larger sieve, percent
  double percentPassing;      // 100 less the cumulative percentage retained
};

// The fineness modulus: the sum of the cumulative percentages retained on the sieves of
// kFinenessSieveMicrometres, divided by 100. A sieve of the sum larger than the largest sieve of
// the analysis counts as 0 % when that largest sieve retains nothing. Otherwise a sieve of the sum
// that the analysis lacks leaves no modulus, and missingMicrometres names what the analysis would
// need, largest first: the sieves of the sum below its largest sieve that it lacks, and where its
// largest sieve retains some, the next sieve of the sum above it.
struct FinenessModulus {
  std::optional<double> value;
  std::vector<int> missingMicrometres;
};

struct SieveResults {
  std::vector<SieveRow> rows;  // the sieves of the analysis, largest first
  double totalGrams = 0;       // the masses retained and the pan
  double panGrams = 0;
  double panPercent = 0;
  // The loss in sieving against the original dry mass, percent of it; nothing without one.
  std::optional<double> lossPercent;
  FinenessModulus finenessModulus;
  // The smallest sieve of the analysis through which all the sample passed; nothing where its
  // largest sieve retains some.
  std::optional<Sieve> maximumSize;
  // The smallest sieve of the analysis on which at most 10 % (cumulative) is retained; nothing
  // where its largest sieve retains more.
  std::optional<Sieve> nominalMaximumSize;

  // Whether the loss makes the results unfit for acceptance (ASTM C136: more than 0.3 %); the
  // results stand, with that warning.
  bool lossTooLarge() const { return lossPercent && *lossPercent > kMostLossPercent; }
  // The row of a sieve, or nullptr where the analysis lacks it.
  const SieveRow* row(Sieve sieve) const;
};

std::variant<SieveResults, AnalysisProblem> analyseSieves(const SieveAnalysis& analysis);

// How one requirement of a grading came out. A requirement on a sieve the analysis lacks (or on
// a fineness modulus it has none of) is not tested, which never fails a grading.
enum class CheckOutcome { Pass, Fail, NotTested };

// A sieve's percentage passing against its limits.
struct LimitCheck {
  PassingLimit limit;
  std::optional<double> passing;  // nothing where not tested
  CheckOutcome outcome = CheckOutcome::NotTested;
  // How far the percentage passing lies outside the limits (0 within them or not tested).
  double outside = 0;
};

// ASTM C33's 45 % rule for one pair of consecutive sieves of Table 1: the percentage passing the
// larger and retained on the smaller.
struct ConsecutiveCheck {
  Sieve larger;
  Sieve smaller;
  std::optional<double> percentBetween;  // nothing unless both sieves were tested
  CheckOutcome outcome = CheckOutcome::NotTested;
};

// Fine aggregate against ASTM C33 Table 1, the 45 % rule and the fineness modulus from 2.3 to 3.1.
struct FineGradingCheck {
  std::vector<LimitCheck> sieves;             // in the order of kFineGrading
  std::vector<ConsecutiveCheck> consecutive;  // larger pair first
  CheckOutcome finenessModulus = CheckOutcome::NotTested;

  bool fails() const;
};
FineGradingCheck checkFineGrading(const SieveResults& results);

// Coarse aggregate against one size number of ASTM C33 Table 3; the sieves it names only.
struct CoarseGradingCheck {
  SizeNumber number;
  std::vector<LimitCheck> sieves;  // in the order of the size number's limits

  bool fails() const;
  int failing() const;
  int notTested() const;
  double outside() const;  // the sum of how far the failing sieves lie outside their limits
};
CoarseGradingCheck checkCoarseGrading(const SieveResults& results, SizeNumber number);

// The size numbers a sample fits: those whose every sieve was tested and passes, in the order of
// kCoarseGradings (fits true). Where none does, the nearest (fits false): those with the fewest
// sieves that fail or were not tested, and among them the least sum of how far the failing ones
// lie outside their limits; ties all given, in table order.
struct SizeSuggestion {
  std::vector<SizeNumber> numbers;
  bool fits = false;
};
SizeSuggestion suggestSizeNumbers(const SieveResults& results);

// The size number named "57" (blanks around allowed), if it is one of kCoarseGradings.
std::optional<SizeNumber> sizeNumberNamed(std::string_view name);

}  // namespace veldora
