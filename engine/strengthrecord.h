#pragma once

#include "engine/strength.h"

#include <array>
#include <compare>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// A plant's record of compressive strength tests: what each test is, what the tests say together
// (ACI 214R-02), whether the concrete they stand for is accepted for a specified strength (ACI
// 318-14 §26.12.3.1), and whether they make a record the required average strength may be taken
// from (ACI 318-11 §5.3.1.1). Strengths are in kg/cm^2 throughout; the limits the codes give in
// MPa are converted by megapascals() of engine/strength.h. Everything is recomputed from the
// list of tests, in microseconds for thousands of them: a window recomputes on every edit.
namespace veldora {

// A day of a calendar as it names it.
struct CalendarDay {
  int year = 0, month = 0, day = 0;
  friend bool operator==(const CalendarDay&, const CalendarDay&) = default;
};

// A day, whichever calendar names it. The Jalali (Solar Hijri) calendar is the one of Iran:
// months 1 to 6 of 31 days, 7 to 11 of 30, the twelfth of 29, or 30 in a leap year. Its leap
// years follow Borkowski's rule ("The Persian calendar for 3000 years", Earth, Moon, and Planets
// 74, 1996, 223-230), which places Farvardin 1 on the Gregorian day the vernal equinox gives it;
// the days taken are those of Jalali years 1 to 3176 (March 622 to March 3798).
class TestDate {
 public:
  // Nothing for a day the calendar does not have (1403/12/31, 2023-02-29) or one out of range.
  static std::optional<TestDate> fromJalali(CalendarDay day);
  static std::optional<TestDate> fromGregorian(CalendarDay day);

  CalendarDay jalali() const;
  CalendarDay gregorian() const;
  std::string jalaliText() const;  // "1403/09/18", as the window shows it and a file keeps it
  std::string isoText() const;     // "2024-12-08"

  friend auto operator<=>(const TestDate&, const TestDate&) = default;

 private:
  explicit TestDate(int daysSince1970) : mDaysSince1970(daysSince1970) {}
  int mDaysSince1970 = 0;
};

// A date as a laboratory writes it, blanks around allowed and Persian or Arabic-Indic digits read
// as typed: Jalali "1403/09/18" or ISO "2024-12-08" (a four-digit year, a month and a day of one
// or two digits). Nothing for any other text and for a day the calendar does not have.
std::optional<TestDate> readTestDate(std::string_view text);

// A cylinder's compressive strength as typed: wholly a number as the command line takes one
// (Persian and Arabic-Indic digits, "٫" and "/" between digits as the decimal mark, blanks around).
// Nothing for any other text, a line break in it included.
std::optional<double> readCylinderStrength(std::string_view text);

// The largest cylinder strength taken, kg/cm^2 (980 MPa: past any concrete), so that sums of
// squares stay finite.
inline constexpr double kHighestCylinderStrength = 10000;

// One strength test as ACI 318 defines it: the mean of two 150 x 300 mm cylinders or of three
// 100 x 200 mm ones, made from one sample and tested at one age.
struct StrengthTest {
  TestDate date;
  std::string label;                  // the mix or class, free text
  std::array<double, 3> cylinders{};  // kg/cm^2, each above zero; the first cylinderCount count
  int cylinderCount = 2;              // 2 or 3

  double strength() const;  // the test strength: the cylinders' mean
  double range() const;     // the within-test range: the largest cylinder less the smallest
};

// A test as the cells of a row hold it: date, label and three cylinder strengths, the third empty
// for a test of two cylinders.
struct StrengthTestTexts {
  std::string date, label;
  std::array<std::string, 3> cylinders;
};

// Why a row's cells are not a test, and the cell at fault.
enum class TestCellProblem {
  DateNotADate,         // the date is neither a Jalali nor an ISO date of a real day
  StrengthNotANumber,   // a cylinder's cell holds something other than a number
  StrengthNotPositive,  // a cylinder's strength is zero or below
  StrengthTooHigh,      // above kHighestCylinderStrength
  OneCylinderOnly,      // a test needs two cylinders at least
  NoCylinder,           // no cylinder's strength at all
  CylinderSkipped,      // the second cylinder is empty but the third is not
};
enum class TestCell { Date, Label, Cylinder1, Cylinder2, Cylinder3 };
struct TestCellRefusal {
  TestCellProblem problem;
  TestCell cell;
};

// The test the cells give, or the first cell at fault in the order date, cylinders 1 to 3.
std::variant<StrengthTest, TestCellRefusal> readStrengthTest(const StrengthTestTexts& texts);

// ACI 214R-02 Table 3.2, standards of control for general construction testing, by the overall
// standard deviation: below 2.8 MPa excellent, 2.8 to 3.4 very good, 3.4 to 4.1 good, 4.1 to 4.8
// fair, above 4.8 poor. A deviation on an inner boundary takes the lower class (3.4 MPa is
// good, not very good), so that a rating never flatters; 4.8 itself is fair, as only "above" it
// is poor.
enum class ControlRating { Excellent, VeryGood, Good, Fair, Poor };
ControlRating controlRating(double standardDeviation);  // kg/cm^2
// The class as ACI 214R names it in lower case: "very good".
const char* controlRatingName(ControlRating rating);

// The factor d2 that turns the mean range of groups of companion cylinders into the within-test
// standard deviation (ACI 214R-02, within-test variation): for two cylinders and for three.
inline constexpr double kRangeFactorTwoCylinders = 1.128;
inline constexpr double kRangeFactorThreeCylinders = 1.693;

// What the tests say together, whatever their labels, in kg/cm^2.
struct StrengthStatistics {
  int tests = 0;                                 // n
  std::optional<double> mean;                    // from one test
  std::optional<double> standardDeviation;       // s, with n - 1; from two tests
  std::optional<double> coefficientOfVariation;  // 100 s / mean, percent
  // s1 = R/d2, the mean within-test range over d2. Where tests of two and of three cylinders are
  // mixed, each group's R/d2 (each an estimate of the same s1) is weighted by its number of tests.
  std::optional<double> withinTestStandardDeviation;
  std::optional<ControlRating> rating;  // of s
};
StrengthStatistics strengthStatistics(const std::vector<StrengthTest>& tests);

// One test judged against a specified strength f'c.
struct TestVerdict {
  std::optional<double> averageOfThree;  // of the test and the two before it, from the third on
  bool testFails = false;                // below the single-test limit
  bool averageFails = false;             // averageOfThree below f'c
};

// ACI 318-14 §26.12.3.1 (ACI 318-11 §5.6.3.3): the strength is satisfactory when every average
// of three consecutive tests is at least f'c and no test is below f'c by more than 3.5 MPa where
// f'c is at most 35 MPa, or by more than 0.10 f'c above. The tests are taken in the order given;
// every limit is judged on unrounded values.
struct Acceptance {
  double specified = 0;            // f'c, kg/cm^2
  double singleTestLimit = 0;      // the lowest a test may be, kg/cm^2: f'c - 3.5 MPa or 0.90 f'c
  std::vector<TestVerdict> tests;  // one per test, in order

  bool accepted() const;
  // The tests below the limit, and the averages below f'c by their last test; indexes from 0.
  std::vector<std::size_t> failingTests() const;
  std::vector<std::size_t> failingAverages() const;
};
// f'c in kg/cm^2, above zero.
Acceptance acceptance(const std::vector<StrengthTest>& tests, double specified);

// Whether the tests make a record a standard deviation may be taken from (ACI 318-11 §5.3.1.1,
// §5.3.1.2): tests of one label make one group of consecutive tests in the order given, a record
// from 15 tests; tests of two labels make two groups (each label's tests in the order given),
// a record when they total 30 or more, with s pooled as
// s = sqrt(((n1 - 1) s1^2 + (n2 - 1) s2^2) / (n1 + n2 - 2)) and n = n1 + n2.
enum class RecordShortfall {
  None,               // a record
  FewerThan15,        // one group of fewer than 15 tests
  TwoGroupsUnder30,   // two groups totalling fewer than 30 tests
  GroupOfOne,         // two groups, one of a single test, which has no deviation
  MoreThanTwoGroups,  // three labels or more
};
// requiredAverageStrength(f'c, record) gives the f'cr the tests lead to.
struct RecordQualification {
  std::optional<StrengthRecord> record;  // s and n for the required-strength window, when one
  RecordShortfall shortfall = RecordShortfall::None;
  std::vector<std::string> groups;  // the labels, in the order they first appear
};
RecordQualification qualifyRecord(const std::vector<StrengthTest>& tests);

// A record's s as the required-strength window takes it typed: to 0.1 kg/cm^2, rounded up so that
// f'cr is never the less for it.
double typedStandardDeviation(const StrengthRecord& record);

// The tests dated before the test before them, indexes from 0: they are kept in the order given,
// and a window or a report notes them.
std::vector<std::size_t> testsOutOfDateOrder(const std::vector<StrengthTest>& tests);

}  // namespace veldora
