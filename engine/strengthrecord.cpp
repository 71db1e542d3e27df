#include "engine/strengthrecord.h"

#include "engine/boxtext.h"
#include "engine/numbers.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace veldora {
namespace {

using std::chrono::days;
using std::chrono::sys_days;

// The Jalali years that begin a new run of Borkowski's 33-year rule; his rule holds from the
// first to the year before the last.
constexpr int kRuleBreaks[] = {-61,  9,    38,   199,  426,  686,  756,  818,  1111, 1181,
                               1210, 1635, 2060, 2097, 2192, 2262, 2324, 2394, 2456, 3178};
constexpr int kFirstJalaliYear = 1;
constexpr int kLastJalaliYear = 3176;  // its successor's Farvardin 1 gives the length of Esfand

// The Gregorian day of Farvardin 1 of a Jalali year (Borkowski's "jalCal"): the leap days the
// Jalali calendar has counted since AD 621, less those of the Gregorian, from March 20.
sys_days farvardinFirst(int jalaliYear) {
  const int gregorianYear = jalaliYear + 621;
  int jalaliLeaps = -14;
  int runStart = kRuleBreaks[0];
  int runLength = 0;
  for (size_t i = 1; i < std::size(kRuleBreaks); ++i) {
    runLength = kRuleBreaks[i] - runStart;
    if (jalaliYear < kRuleBreaks[i]) break;
    jalaliLeaps += runLength / 33 * 8 + runLength % 33 / 4;
    runStart = kRuleBreaks[i];
  }
  const int intoRun = jalaliYear - runStart;
  jalaliLeaps += intoRun / 33 * 8 + (intoRun % 33 + 3) / 4;
  if (runLength % 33 == 4 && runLength - intoRun == 4) ++jalaliLeaps;
  const int gregorianLeaps = gregorianYear / 4 - (gregorianYear / 100 + 1) * 3 / 4 - 150;
  const int march = 20 + jalaliLeaps - gregorianLeaps;
  return sys_days(std::chrono::year(gregorianYear) / std::chrono::March / 1) + days(march - 1);
}

int jalaliMonthLength(int year, int month) {
  if (month <= 6) return 31;
  if (month <= 11) return 30;
  return (farvardinFirst(year + 1) - farvardinFirst(year)).count() - 336;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads digits from at: at least one and at most most of them; nothing where there are none or
// more.
std::optional<int> readDigits(std::string_view text, size_t& at, size_t most) {
  const size_t start = at;
  int value = 0;
  // Past most digits the text is no date; the value stops growing there, never past an int.
  for (; at < text.size() && isDigit(text[at]); ++at) {
    if (at - start < most) value = value * 10 + (text[at] - '0');
  }
  if (at == start || at - start > most) return std::nullopt;
  return value;
}

std::string twoDigits(int n) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d", n);
  return text;
}

double mean(const double* values, int count) {
  double sum = 0;
  for (int i = 0; i < count; ++i) sum += values[i];
  return sum / count;
}

// s with n - 1, from two values on.
std::optional<double> standardDeviation(const std::vector<double>& values) {
  if (values.size() < 2) return std::nullopt;
  const double m = mean(values.data(), static_cast<int>(values.size()));
  double squares = 0;
  for (const double x : values) squares += (x - m) * (x - m);
  return std::sqrt(squares / static_cast<double>(values.size() - 1));
}

}  // namespace

std::optional<TestDate> TestDate::fromJalali(CalendarDay d) {
  if (d.year < kFirstJalaliYear || d.year > kLastJalaliYear || d.month < 1 || d.month > 12 ||
      d.day < 1 || d.day > jalaliMonthLength(d.year, d.month)) {
    return std::nullopt;
  }
  const int intoYear = (d.month <= 6 ? (d.month - 1) * 31 : 186 + (d.month - 7) * 30) + d.day - 1;
  const sys_days day = farvardinFirst(d.year) + days(intoYear);
  return TestDate(static_cast<int>(day.time_since_epoch().count()));
}

std::optional<TestDate> TestDate::fromGregorian(CalendarDay d) {
  const std::chrono::year_month_day ymd{std::chrono::year(d.year),
                                        std::chrono::month(static_cast<unsigned>(d.month)),
                                        std::chrono::day(static_cast<unsigned>(d.day))};
  if (d.month < 1 || d.day < 1 || !ymd.ok()) return std::nullopt;
  const sys_days day(ymd);
  if (day < farvardinFirst(kFirstJalaliYear) || day >= farvardinFirst(kLastJalaliYear + 1)) {
    return std::nullopt;
  }
  return TestDate(static_cast<int>(day.time_since_epoch().count()));
}

CalendarDay TestDate::gregorian() const {
  const std::chrono::year_month_day ymd{sys_days(days(mDaysSince1970))};
  return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
          static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

CalendarDay TestDate::jalali() const {
  const sys_days day{days(mDaysSince1970)};
  int year = gregorian().year - 621;
  if (day < farvardinFirst(year)) --year;
  const int intoYear = static_cast<int>((day - farvardinFirst(year)).count());
  if (intoYear < 186) return {year, intoYear / 31 + 1, intoYear % 31 + 1};
  return {year, (intoYear - 186) / 30 + 7, (intoYear - 186) % 30 + 1};
}

std::string TestDate::jalaliText() const {
  const CalendarDay d = jalali();
  std::string text = std::to_string(d.year);
  text += '/';
  text += twoDigits(d.month);
  text += '/';
  text += twoDigits(d.day);
  return text;
}

std::string TestDate::isoText() const {
  const CalendarDay d = gregorian();
  std::string text = std::to_string(d.year);
  text += '-';
  text += twoDigits(d.month);
  text += '-';
  text += twoDigits(d.day);
  return text;
}

std::optional<TestDate> readTestDate(std::string_view typed) {
  const std::string text = asciiDigits(typed);
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::nullopt;
  const std::string_view t =
      std::string_view(text).substr(first, text.find_last_not_of(" \t") + 1 - first);
  size_t at = 0;
  const std::optional<int> year = readDigits(t, at, 4);
  if (!year || at != 4 || at >= t.size() || (t[at] != '/' && t[at] != '-')) return std::nullopt;
  const char separator = t[at++];
  const std::optional<int> month = readDigits(t, at, 2);
  if (!month || at >= t.size() || t[at++] != separator) return std::nullopt;
  const std::optional<int> day = readDigits(t, at, 2);
  if (!day || at != t.size()) return std::nullopt;
  const CalendarDay d{*year, *month, *day};
  return separator == '/' ? TestDate::fromJalali(d) : TestDate::fromGregorian(d);
}

std::optional<double> readCylinderStrength(std::string_view text) {
  if (text.find_first_of("\r\n") != std::string_view::npos) return std::nullopt;
  return readWholeNumber(boxText(text));
}

double StrengthTest::strength() const { return mean(cylinders.data(), cylinderCount); }

double StrengthTest::range() const {
  const auto [low, high] =
      std::minmax_element(cylinders.begin(), cylinders.begin() + cylinderCount);
  return *high - *low;
}

std::variant<StrengthTest, TestCellRefusal> readStrengthTest(const StrengthTestTexts& texts) {
  const std::optional<TestDate> date = readTestDate(texts.date);
  if (!date) return TestCellRefusal{TestCellProblem::DateNotADate, TestCell::Date};
  StrengthTest test{*date, texts.label, {}, 0};
  constexpr TestCell kCells[] = {TestCell::Cylinder1, TestCell::Cylinder2, TestCell::Cylinder3};
  bool skipped = false;
  for (size_t i = 0; i < texts.cylinders.size(); ++i) {
    const std::string& text = texts.cylinders[i];
    if (text.find_first_not_of(" \t") == std::string::npos) {
      skipped = skipped || i == 1;
      continue;
    }
    if (skipped) return TestCellRefusal{TestCellProblem::CylinderSkipped, kCells[i]};
    const std::optional<double> strength = readCylinderStrength(text);
    if (!strength) return TestCellRefusal{TestCellProblem::StrengthNotANumber, kCells[i]};
    if (*strength <= 0) return TestCellRefusal{TestCellProblem::StrengthNotPositive, kCells[i]};
    if (*strength > kHighestCylinderStrength) {
      return TestCellRefusal{TestCellProblem::StrengthTooHigh, kCells[i]};
    }
    test.cylinders[static_cast<size_t>(test.cylinderCount++)] = *strength;
  }
  if (test.cylinderCount == 0) return TestCellRefusal{TestCellProblem::NoCylinder, kCells[0]};
  if (test.cylinderCount == 1) return TestCellRefusal{TestCellProblem::OneCylinderOnly, kCells[1]};
  return test;
}

ControlRating controlRating(double standardDeviation) {
  const double s = megapascals(standardDeviation);
  if (s < 2.8) return ControlRating::Excellent;
  if (s < 3.4) return ControlRating::VeryGood;
  if (s < 4.1) return ControlRating::Good;
  if (s <= 4.8) return ControlRating::Fair;
  return ControlRating::Poor;
}

const char* controlRatingName(ControlRating rating) {
  switch (rating) {
    case ControlRating::Excellent:
      return "excellent";
    case ControlRating::VeryGood:
      return "very good";
    case ControlRating::Good:
      return "good";
    case ControlRating::Fair:
      return "fair";
    case ControlRating::Poor:
      return "poor";
  }
  return "";
}

StrengthStatistics strengthStatistics(const std::vector<StrengthTest>& tests) {
  StrengthStatistics statistics;
  statistics.tests = static_cast<int>(tests.size());
  if (tests.empty()) return statistics;
  std::vector<double> strengths;
  for (const StrengthTest& test : tests) strengths.push_back(test.strength());
  statistics.mean = mean(strengths.data(), statistics.tests);
  statistics.standardDeviation = standardDeviation(strengths);
  if (statistics.standardDeviation) {
    statistics.coefficientOfVariation = *statistics.standardDeviation / *statistics.mean * 100;
    statistics.rating = controlRating(*statistics.standardDeviation);
  }
  // Each group of one size: its mean range over its d2.
  double ranges[2] = {0, 0};
  int counts[2] = {0, 0};
  for (const StrengthTest& test : tests) {
    const size_t group = test.cylinderCount == 2 ? 0 : 1;
    ranges[group] += test.range();
    ++counts[group];
  }
  const double factors[2] = {kRangeFactorTwoCylinders, kRangeFactorThreeCylinders};
  double weighted = 0;
  for (size_t g = 0; g < 2; ++g) {
    if (counts[g] == 0) continue;
    const double groupDeviation = ranges[g] / counts[g] / factors[g];
    if (counts[g] == statistics.tests) {
      statistics.withinTestStandardDeviation = groupDeviation;
      return statistics;
    }
    weighted += counts[g] * groupDeviation;
  }
  statistics.withinTestStandardDeviation = weighted / statistics.tests;
  return statistics;
}

bool Acceptance::accepted() const { return failingTests().empty() && failingAverages().empty(); }

std::vector<std::size_t> Acceptance::failingTests() const {
  std::vector<std::size_t> failing;
  for (size_t i = 0; i < tests.size(); ++i) {
    if (tests[i].testFails) failing.push_back(i);
  }
  return failing;
}

std::vector<std::size_t> Acceptance::failingAverages() const {
  std::vector<std::size_t> failing;
  for (size_t i = 0; i < tests.size(); ++i) {
    if (tests[i].averageFails) failing.push_back(i);
  }
  return failing;
}

Acceptance acceptance(const std::vector<StrengthTest>& tests, double specified) {
  Acceptance result;
  result.specified = specified;
  const double fc = megapascals(specified);
  const bool low = fc <= 35;
  // The most a test may fall short of f'c, MPa.
  const double allowedShortfall = low ? 3.5 : 0.10 * fc;
  result.singleTestLimit = kilogramsPerSquareCentimetre(fc - allowedShortfall);
  for (size_t i = 0; i < tests.size(); ++i) {
    TestVerdict verdict;
    const double strength = tests[i].strength();
    verdict.testFails = fc - megapascals(strength) > allowedShortfall;
    if (i >= 2) {
      verdict.averageOfThree = (tests[i - 2].strength() + tests[i - 1].strength() + strength) / 3;
      verdict.averageFails = *verdict.averageOfThree < specified;
    }
    result.tests.push_back(verdict);
  }
  return result;
}

RecordQualification qualifyRecord(const std::vector<StrengthTest>& tests) {
  RecordQualification q;
  std::vector<std::vector<double>> groups;
  for (const StrengthTest& test : tests) {
    const auto found = std::find(q.groups.begin(), q.groups.end(), test.label);
    if (found == q.groups.end()) {
      q.groups.push_back(test.label);
      groups.emplace_back();
    }
    groups[static_cast<size_t>(std::find(q.groups.begin(), q.groups.end(), test.label) -
                               q.groups.begin())]
        .push_back(test.strength());
  }
  if (groups.size() > 2) {
    q.shortfall = RecordShortfall::MoreThanTwoGroups;
  } else if (groups.size() < 2) {
    const int n = static_cast<int>(tests.size());
    if (n < kFewestTests) {
      q.shortfall = RecordShortfall::FewerThan15;
    } else {
      q.record = StrengthRecord{*standardDeviation(groups[0]), n};
    }
  } else {
    const auto n1 = static_cast<double>(groups[0].size());
    const auto n2 = static_cast<double>(groups[1].size());
    if (n1 + n2 < 30) {
      q.shortfall = RecordShortfall::TwoGroupsUnder30;
    } else if (n1 < 2 || n2 < 2) {
      q.shortfall = RecordShortfall::GroupOfOne;
    } else {
      const double s1 = *standardDeviation(groups[0]);
      const double s2 = *standardDeviation(groups[1]);
      const double pooled =
          std::sqrt(((n1 - 1) * (s1 * s1) + (n2 - 1) * (s2 * s2)) / (n1 + n2 - 2));
      q.record = StrengthRecord{pooled, static_cast<int>(tests.size())};
    }
  }
  return q;
}

double typedStandardDeviation(const StrengthRecord& record) {
  // A tenth the binary product leaves a hair over (0.3 x 10) is that tenth, not the next.
  return std::ceil(record.standardDeviation * 10 - 1e-9) / 10;
}

std::vector<std::size_t> testsOutOfDateOrder(const std::vector<StrengthTest>& tests) {
  std::vector<std::size_t> early;
  for (size_t i = 1; i < tests.size(); ++i) {
    if (tests[i].date < tests[i - 1].date) early.push_back(i);
  }
  return early;
}

}  // namespace veldora
