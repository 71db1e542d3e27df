#include "engine/sieveanalysis.h"

#include "engine/boxtext.h"
#include "engine/numbers.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace veldora {
namespace {

// Masses are typed in decimals, which binary numbers hold only nearly: 6.4 + 30.9 is not exactly
// 37.3, and a sand weighed to 0.1 g that passes exactly 80 % computes to 79.99999999999999 %. A
// limit is judged on the unrounded value give or take this much, in percentage points, far below
// anything a balance weighs.
constexpr double kSlack = 1e-9;

bool validMass(const std::optional<double>& grams) {
  return !grams || (std::isfinite(*grams) && *grams >= 0);
}

CheckOutcome outcomeOf(bool passes) { return passes ? CheckOutcome::Pass : CheckOutcome::Fail; }

LimitCheck checkLimit(const SieveResults& results, const PassingLimit& limit) {
  LimitCheck check{limit, std::nullopt, CheckOutcome::NotTested, 0};
  if (const SieveRow* row = results.row(limit.sieve)) {
    const double passing = row->percentPassing;
    check.passing = passing;
    check.outcome =
        outcomeOf(passing >= limit.lowest - kSlack && passing <= limit.highest + kSlack);
    if (check.outcome == CheckOutcome::Fail) {
      check.outside = std::max(limit.lowest - passing, passing - limit.highest);
    }
  }
  return check;
}

}  // namespace

MassText readMass(std::string_view typed) {
  const std::string held = boxText(typed);
  if (held.find_first_not_of(" \t") == std::string::npos) return std::monostate{};
  const std::optional<double> grams = readWholeNumber(held);
  if (!grams) return MassProblem::NotANumber;
  if (*grams < 0) return MassProblem::Negative;
  return *grams;
}

std::string millimetreText(int micrometres) { return decimalText(micrometres / 1000.0, 3); }

const SieveRow* SieveResults::row(Sieve sieve) const {
  const auto found = std::find_if(rows.begin(), rows.end(),
                                  [sieve](const SieveRow& r) { return r.sieve == sieve; });
  return found == rows.end() ? nullptr : &*found;
}

std::variant<SieveResults, AnalysisProblem> analyseSieves(const SieveAnalysis& analysis) {
  if (!validMass(analysis.pan) || !validMass(analysis.originalMass) ||
      !std::all_of(analysis.retained.begin(), analysis.retained.end(), validMass)) {
    return AnalysisProblem::InvalidMass;
  }
  SieveResults results;
  results.panGrams = analysis.pan.value_or(0);
  double total = results.panGrams;
  for (const Sieve sieve : kSieves) {
    if (const std::optional<double>& grams = analysis.retainedOn(sieve)) {
      total += *grams;
      results.rows.push_back({sieve, *grams, 0, 0, 0});
    }
  }
  if (results.rows.empty()) return AnalysisProblem::NoSieve;
  if (total == 0) return AnalysisProblem::ZeroTotal;
  if (!std::isfinite(total)) return AnalysisProblem::InvalidMass;
  if (analysis.originalMass) {
    const double loss = (*analysis.originalMass - total) * 100 / *analysis.originalMass;
    if (!(loss >= -kSlack)) return AnalysisProblem::GainOverOriginal;  // NaN: 0 g of original
    results.lossPercent = std::max(loss, 0.0);
  }
  results.totalGrams = total;
  // Each percentage from the masses in one division, so that a sample exactly at a limit is at it.
  double cumulative = 0;
  for (SieveRow& row : results.rows) {
    cumulative += row.grams;
    row.percentRetained = row.grams * 100 / total;
    row.cumulativeRetained = cumulative * 100 / total;
    row.percentPassing = (total - cumulative) * 100 / total;
    if (cumulative == 0) results.maximumSize = row.sieve;
    if (row.cumulativeRetained <= 10 + kSlack) results.nominalMaximumSize = row.sieve;
  }
  results.panPercent = results.panGrams * 100 / total;

  // Sieves of the sum below the largest sieve of the analysis must be in it; above it they count as
  // nothing retained only when it retains nothing, and otherwise the next one above is wanted.
  const SieveRow& largest = results.rows.front();
  std::optional<int> wantedAbove;
  double sum = 0;
  for (const int opening : kFinenessSieveMicrometres) {
    const SieveRow* found = nullptr;
    for (const SieveRow& row : results.rows) {
      if (micrometres(row.sieve) == opening) found = &row;
    }
    if (found) {
      sum += found->cumulativeRetained;
    } else if (opening < micrometres(largest.sieve)) {
      results.finenessModulus.missingMicrometres.push_back(opening);
    } else if (largest.grams != 0) {
      wantedAbove = opening;  // the smallest of them, the sieves going from largest to smallest
    }
  }
  if (wantedAbove) {
    auto& missing = results.finenessModulus.missingMicrometres;
    missing.insert(missing.begin(), *wantedAbove);
  }
  if (results.finenessModulus.missingMicrometres.empty()) results.finenessModulus.value = sum / 100;
  return results;
}

bool FineGradingCheck::fails() const {
  const auto failed = [](const auto& check) { return check.outcome == CheckOutcome::Fail; };
  return finenessModulus == CheckOutcome::Fail ||
         std::any_of(sieves.begin(), sieves.end(), failed) ||
         std::any_of(consecutive.begin(), consecutive.end(), failed);
}

FineGradingCheck checkFineGrading(const SieveResults& results) {
  FineGradingCheck check;
  for (const PassingLimit& limit : kFineGrading) check.sieves.push_back(checkLimit(results, limit));
  for (size_t i = 1; i < kFineGrading.size(); ++i) {
    ConsecutiveCheck pair{kFineGrading[i - 1].sieve, kFineGrading[i].sieve, std::nullopt,
                          CheckOutcome::NotTested};
    // The sieves of Table 1 are consecutive in the stack: with both tested, what passes the larger
    // and stays on the smaller is what the smaller retains.
    const SieveRow* smaller = results.row(pair.smaller);
    if (results.row(pair.larger) && smaller) {
      pair.percentBetween = smaller->percentRetained;
      pair.outcome = outcomeOf(smaller->percentRetained <= kMostBetweenConsecutiveSieves + kSlack);
    }
    check.consecutive.push_back(pair);
  }
  if (const std::optional<double> fm = results.finenessModulus.value) {
    check.finenessModulus = outcomeOf(*fm >= kLowestFinenessModulus - kSlack / 100 &&
                                      *fm <= kHighestFinenessModulus + kSlack / 100);
  }
  return check;
}

bool CoarseGradingCheck::fails() const { return failing() > 0; }

int CoarseGradingCheck::failing() const {
  return static_cast<int>(std::count_if(sieves.begin(), sieves.end(), [](const LimitCheck& c) {
    return c.outcome == CheckOutcome::Fail;
  }));
}

int CoarseGradingCheck::notTested() const {
  return static_cast<int>(std::count_if(sieves.begin(), sieves.end(), [](const LimitCheck& c) {
    return c.outcome == CheckOutcome::NotTested;
  }));
}

double CoarseGradingCheck::outside() const {
  double sum = 0;
  for (const LimitCheck& c : sieves) sum += c.outside;
  return sum;
}

CoarseGradingCheck checkCoarseGrading(const SieveResults& results, SizeNumber number) {
  CoarseGradingCheck check{number, {}};
  for (const PassingLimit& limit : coarseGrading(number).limits) {
    check.sieves.push_back(checkLimit(results, limit));
  }
  return check;
}

SizeSuggestion suggestSizeNumbers(const SieveResults& results) {
  SizeSuggestion suggestion;
  std::vector<CoarseGradingCheck> checks;
  for (const CoarseGrading& grading : kCoarseGradings) {
    checks.push_back(checkCoarseGrading(results, grading.number));
  }
  const auto distance = [](const CoarseGradingCheck& c) {
    return std::make_tuple(c.failing() + c.notTested(), c.outside());
  };
  const auto nearest = std::min_element(
      checks.begin(), checks.end(),
      [&distance](const auto& a, const auto& b) { return distance(a) < distance(b); });
  suggestion.fits = std::get<0>(distance(*nearest)) == 0;
  for (const CoarseGradingCheck& check : checks) {
    // Every fitting number has the distance (0, 0); ties of the nearest are all given.
    if (distance(check) == distance(*nearest)) suggestion.numbers.push_back(check.number);
  }
  return suggestion;
}

std::optional<SizeNumber> sizeNumberNamed(std::string_view name) {
  const std::string held = boxText(name);
  const size_t first = held.find_first_not_of(" \t");
  if (first == std::string::npos) return std::nullopt;
  const std::string_view trimmed =
      std::string_view(held).substr(first, held.find_last_not_of(" \t") + 1 - first);
  for (const CoarseGrading& grading : kCoarseGradings) {
    if (grading.name == trimmed) return grading.number;
  }
  return std::nullopt;
}

}  // namespace veldora
