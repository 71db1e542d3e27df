#include "engine/strengthrecord.h"

#include "tests/support/names.h"

#include <gtest/gtest.h>

namespace veldora {
namespace {

using testing_support::CaseName;

// A test as a row gives it; rows are a day apart from 1403/01/01.
struct Row {
  const char* label;
  std::vector<double> cylinders;
};

std::vector<StrengthTest> testsOf(const std::vector<Row>& rows) {
  std::vector<StrengthTest> tests;
  for (const Row& row : rows) {
    StrengthTestTexts texts{"1403/01/", row.label, {}};
    texts.date += std::to_string(tests.size() % 31 + 1);
    for (size_t i = 0; i < row.cylinders.size(); ++i) {
      texts.cylinders[i] = std::to_string(row.cylinders[i]);
    }
    tests.push_back(std::get<StrengthTest>(readStrengthTest(texts)));
  }
  return tests;
}

std::vector<Row> alternating(int count, const char* label, double low, double high) {
  std::vector<Row> rows;
  for (int i = 0; i < count; ++i) rows.push_back({label, {i % 2 ? high : low, i % 2 ? high : low}});
  return rows;
}

std::vector<Row> joined(std::vector<Row> a, const std::vector<Row>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The 20 tests of a plant, two cylinders each, f'c 250: worked independently of this code from
// the cylinders' exact means. Test 11 is 210.5, below 250 - 3.5 MPa = 214.31; the average of tests
// 7 to 9 is 244.33.
const std::vector<Row> kTwentyTests = {
    {"C25", {282, 290}}, {"C25", {301, 295}}, {"C25", {268, 276}}, {"C25", {255, 249}},
    {"C25", {322, 330}}, {"C25", {290, 284}}, {"C25", {236, 244}}, {"C25", {242, 236}},
    {"C25", {250, 258}}, {"C25", {296, 288}}, {"C25", {208, 213}}, {"C25", {275, 281}},
    {"C25", {334, 326}}, {"C25", {288, 296}}, {"C25", {263, 257}}, {"C25", {279, 285}},
    {"C25", {318, 309}}, {"C25", {270, 262}}, {"C25", {284, 290}}, {"C25", {292, 300}}};

// Sets of tests worked by hand: the statistics, the acceptance for f'c (test numbers from 1, an
// average by its last test), the record and the f'cr it leads to.
struct SetCase {
  const char* name;
  std::vector<Row> rows;
  double specified;
  double mean, deviation, withinTest;
  ControlRating rating;
  std::vector<size_t> failingTests, failingAverages;
  RecordShortfall shortfall;
  double recordDeviation;  // where a record
  double required;         // f'cr, kg/cm^2
  StrengthRule rule;
};

class StrengthSets : public testing::TestWithParam<SetCase> {};

TEST_P(StrengthSets, GiveTheStatisticsTheAcceptanceAndTheRecord) {
  const SetCase& c = GetParam();
  const std::vector<StrengthTest> tests = testsOf(c.rows);
  const StrengthStatistics statistics = strengthStatistics(tests);
  EXPECT_EQ(statistics.tests, static_cast<int>(c.rows.size()));
  EXPECT_NEAR(*statistics.mean, c.mean, 1e-9);
  EXPECT_NEAR(*statistics.standardDeviation, c.deviation, 1e-9);
  EXPECT_NEAR(*statistics.coefficientOfVariation, c.deviation / c.mean * 100, 1e-9);
  EXPECT_NEAR(*statistics.withinTestStandardDeviation, c.withinTest, 1e-9);
  EXPECT_EQ(statistics.rating, c.rating);

  const Acceptance judged = acceptance(tests, c.specified);
  std::vector<size_t> failingTests, failingAverages;
  for (const size_t i : judged.failingTests()) failingTests.push_back(i + 1);
  for (const size_t i : judged.failingAverages()) failingAverages.push_back(i + 1);
  EXPECT_EQ(failingTests, c.failingTests);
  EXPECT_EQ(failingAverages, c.failingAverages);
  EXPECT_EQ(judged.accepted(), c.failingTests.empty() && c.failingAverages.empty());

  const RecordQualification record = qualifyRecord(tests);
  EXPECT_EQ(record.shortfall, c.shortfall);
  ASSERT_EQ(record.record.has_value(), c.shortfall == RecordShortfall::None);
  if (record.record) {
    EXPECT_NEAR(record.record->standardDeviation, c.recordDeviation, 1e-9);
    EXPECT_EQ(record.record->tests, static_cast<int>(c.rows.size()));
  }
  const StrengthBasis basis = requiredAverageStrength(c.specified, record.record);
  EXPECT_EQ(basis.required, c.required);
  EXPECT_EQ(basis.rule, c.rule);
}

using Q = ControlRating;
using W = RecordShortfall;
using R = StrengthRule;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, StrengthSets, testing::Values(
    // The average of three is f'c exactly.
    SetCase{"all_accepted", {{"", {240, 250}}, {"", {250, 260}}, {"", {250, 250}}}, 250,
            250, 5, 20.0 / 3 / 1.128, Q::Excellent, {}, {}, W::FewerThan15, 0, 335,
            R::NoRecordMiddle},
    SetCase{"average_of_three_below_fc", {{"", {240, 250}}, {"", {250, 250}}, {"", {250, 254}}},
            250, 249, 3.605551275463989, 14.0 / 3 / 1.128, Q::Excellent, {}, {3}, W::FewerThan15, 0, 335,
            R::NoRecordMiddle},
    // 214 is below 250 - 35.69 = 214.31; 214.5 is not.
    SetCase{"test_below_fc_less_3_5_mpa", {{"", {300, 300}}, {"", {213, 215}}, {"", {300, 300}},
            {"", {300, 300}}, {"", {214, 215}}, {"", {300, 300}}}, 250,
            271.4166666666667, 44.28139187815427, 0.5 / 1.128, Q::Fair, {2}, {}, W::FewerThan15, 0,
            335, R::NoRecordMiddle},
    // f'c 400 (39.2 MPa): the limit is 0.90 f'c = 360, so 359 fails and 362 (which 3.5 MPa, a
    // limit of 364.3, would fail) does not.
    SetCase{"fc_above_35_mpa_test_below_0_9_fc", {{"", {450, 450}}, {"", {358, 360}},
            {"", {450, 450}}, {"", {450, 450}}, {"", {362, 362}}, {"", {450, 450}}}, 400,
            420.1666666666667, 46.22733678968178, 1.0 / 3 / 1.128, Q::Fair, {2}, {}, W::FewerThan15,
            0, 491, R::NoRecordHigh},
    // s1: the two-cylinder tests' mean range 7 over 1.128 and the three-cylinder tests' 9 over
    // 1.693, two tests each.
    SetCase{"two_and_three_cylinders", {{"", {250, 260}}, {"", {250, 256, 262}}, {"", {270, 274}},
            {"", {240, 246, 243}}}, 250,
            256.5, 11.902380714238083, (2 * (7 / 1.128) + 2 * (9 / 1.693)) / 4, Q::Excellent, {},
            {}, W::FewerThan15, 0, 335, R::NoRecordMiddle},
    SetCase{"three_cylinders",
            {{"", {250, 256, 262}}, {"", {240, 246, 243}}, {"", {280, 281, 279}}}, 250, 259.6666666666667, 18.77054430040145, 20.0 / 3 / 1.693, Q::Excellent, {}, {},
            W::FewerThan15, 0, 335, R::NoRecordMiddle},
    SetCase{"tests_14", alternating(14, "", 270, 290), 250, 280, 10.377490433255417, 0,
            Q::Excellent, {}, {}, W::FewerThan15, 0, 335, R::NoRecordMiddle},
    SetCase{"tests_15", alternating(15, "", 270, 290), 250, 279.3333333333333, 10.327955589886445,
            0, Q::Excellent, {}, {}, W::None, 10.327955589886445, 267, R::MeanOfThree},
    SetCase{"tests_30", alternating(30, "", 270, 290), 250, 280, 10.170952554312155, 0,
            Q::Excellent, {}, {}, W::None, 10.170952554312155, 264, R::MeanOfThree},
    // s_A = 10.3280 (16 tests), s_B = 15.5662 (14): sqrt((15 s_A^2 + 13 s_B^2) / 28).
    SetCase{"two_groups_pooled", joined(alternating(16, "A", 260, 280),
            alternating(14, "B", 300, 330)), 250, 291, 26.175798245576075, 0, Q::Excellent, {}, {},
            W::None, 13.024701806293193, 268, R::MeanOfThree},
    SetCase{"two_groups_under_30", joined(alternating(15, "A", 260, 280),
            alternating(14, "B", 300, 330)), 250, 291.37931034482756, 26.555082635779982, 0,
            Q::Excellent, {}, {}, W::TwoGroupsUnder30, 0, 335, R::NoRecordMiddle},
    SetCase{"three_groups", joined(joined(alternating(10, "A", 270, 290),
            alternating(10, "B", 270, 290)), alternating(10, "C", 270, 290)), 250, 280,
            10.170952554312155, 0, Q::Excellent, {}, {}, W::MoreThanTwoGroups, 0, 335,
            R::NoRecordMiddle},
    // s = 29.83 kg/cm^2 = 2.93 MPa; s1 = 7.1 / 1.128; f'cr by k = 1.08 of 20 tests.
    SetCase{"twenty_tests_of_a_plant", kTwentyTests, 250, 278.05, 29.827089418142943,
            6.294326241134752, Q::VeryGood, {11}, {9}, W::None, 29.827089418142943, 294,
            R::MeanOfThree}),
    CaseName());
// clang-format on

// ACI 214R-02 Table 3.2 at its boundaries, a hair either side (in MPa).
// s typed to 0.1 kg/cm^2, rounded up: never past a tenth the arithmetic overshoots.
TEST(TypedStandardDeviation, RoundsUpToATenth) {
  for (const auto& [s, typed] : {std::pair{29.827, 29.9},
                                 {29.9, 29.9},
                                 {29.81, 29.9},
                                 {0.3, 0.3},
                                 {0.7, 0.7},
                                 {20.000001, 20.1}}) {
    EXPECT_EQ(typedStandardDeviation({s, 20}), typed) << s;
  }
}

TEST(ControlRating, ChangesClassAtTheTableBoundaries) {
  // clang-format off
  const struct { double megapascals; ControlRating rating; } cases[] = {
      {2.799, Q::Excellent}, {2.801, Q::VeryGood}, {3.399, Q::VeryGood}, {3.401, Q::Good},
      {4.099, Q::Good},      {4.101, Q::Fair},     {4.799, Q::Fair},     {4.801, Q::Poor}};
  // clang-format on
  for (const auto& c : cases) {
    EXPECT_EQ(controlRating(kilogramsPerSquareCentimetre(c.megapascals)), c.rating)
        << c.megapascals;
  }
}

// Known days in both calendars (Nowruz of 1403 and 1404; the jalaali-js tests' pairs; 1 January
// 2000 = 11 Dey 1378) and the leap days of each: 1399 and 1403 are Jalali leap years, 1402 is
// not; 2000 and 2024 are Gregorian leap years, 1900 and 2023 are not.
struct DateCase {
  const char* name;
  const char* typed;
  const char* jalali;  // nullptr: not a date
  const char* iso;
};

class Dates : public testing::TestWithParam<DateCase> {};

TEST_P(Dates, ReadAndConvertBothWays) {
  const DateCase& c = GetParam();
  const std::optional<TestDate> date = readTestDate(c.typed);
  ASSERT_EQ(date.has_value(), c.jalali != nullptr);
  if (!date) return;
  EXPECT_EQ(date->jalaliText(), c.jalali);
  EXPECT_EQ(date->isoText(), c.iso);
  EXPECT_EQ(readTestDate(c.jalali), date);
  EXPECT_EQ(readTestDate(c.iso), date);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Dates, testing::Values(
    DateCase{"nowruz_1403",             "1403/01/01",   "1403/01/01", "2024-03-20"},
    DateCase{"jalali_example",          "1403/09/18",   "1403/09/18", "2024-12-08"},
    DateCase{"iso_example",             "2024-12-08",   "1403/09/18", "2024-12-08"},
    DateCase{"leap_esfand_30_1403",     "1403/12/30",   "1403/12/30", "2025-03-20"},
    DateCase{"nowruz_1404",             "2025-03-21",   "1404/01/01", "2025-03-21"},
    DateCase{"leap_esfand_30_1399",     "1399/12/30",   "1399/12/30", "2021-03-20"},
    DateCase{"mordad_1360",             "1981-08-17",   "1360/05/26", "1981-08-17"},
    DateCase{"dey_1391",                "1391/10/21",   "1391/10/21", "2013-01-10"},
    DateCase{"tir_30_1400",             "1400/4/30",    "1400/04/30", "2021-07-21"},
    DateCase{"year_2000",               "2000-01-01",   "1378/10/11", "2000-01-01"},
    DateCase{"february_29_2000",        "2000-02-29",   "1378/12/10", "2000-02-29"},
    DateCase{"february_29_2024",        "2024-02-29",   "1402/12/10", "2024-02-29"},
    DateCase{"persian_digits",          " ۱۴۰۳/۰۹/۱۸ ", "1403/09/18", "2024-12-08"},
    DateCase{"arabic_indic_digits",     "٢٠٢٤-١٢-٠٨",   "1403/09/18", "2024-12-08"},
    DateCase{"no_esfand_30_in_1402",    "1402/12/30",   nullptr, nullptr},
    DateCase{"no_esfand_31",            "1403/12/31",   nullptr, nullptr},
    DateCase{"no_mehr_31",              "1403/07/31",   nullptr, nullptr},
    DateCase{"no_month_13",             "1403/13/01",   nullptr, nullptr},
    DateCase{"no_day_0",                "1403/09/00",   nullptr, nullptr},
    DateCase{"no_february_29_2023",     "2023-02-29",   nullptr, nullptr},
    DateCase{"digits_past_an_int",      "7777777777/01/01", nullptr, nullptr},
    DateCase{"day_past_an_int",         "1403/09/77777777777", nullptr, nullptr},
    DateCase{"no_february_29_1900",     "1900-02-29",   nullptr, nullptr},
    DateCase{"no_april_31",             "2024-04-31",   nullptr, nullptr},
    DateCase{"two_digit_year",          "03/09/18",     nullptr, nullptr},
    DateCase{"day_first",               "18/09/1403",   nullptr, nullptr},
    DateCase{"mixed_separators",        "1403-09/18",   nullptr, nullptr},
    DateCase{"trailing_text",           "1403/09/18x",  nullptr, nullptr},
    DateCase{"three_digit_month",       "1403/009/18",  nullptr, nullptr},
    DateCase{"before_the_calendar",     "0600-01-01",   nullptr, nullptr},
    DateCase{"empty",                   "",             nullptr, nullptr}),
    CaseName());
// clang-format on

// A row's cells: strengths wholly numbers as typed, two or three of them, and a real date.
struct CellCase {
  const char* name;
  StrengthTestTexts texts;
  std::optional<TestCellRefusal> refusal;
  double strength;  // the test's, where it is one
};

class TestCells : public testing::TestWithParam<CellCase> {};

TEST_P(TestCells, GiveATestOrTheCellAtFault) {
  const CellCase& c = GetParam();
  const auto read = readStrengthTest(c.texts);
  if (c.refusal) {
    ASSERT_TRUE(std::holds_alternative<TestCellRefusal>(read));
    EXPECT_EQ(std::get<TestCellRefusal>(read).problem, c.refusal->problem);
    EXPECT_EQ(std::get<TestCellRefusal>(read).cell, c.refusal->cell);
  } else {
    ASSERT_TRUE(std::holds_alternative<StrengthTest>(read));
    EXPECT_EQ(std::get<StrengthTest>(read).strength(), c.strength);
  }
}

using P = TestCellProblem;
using C = TestCell;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, TestCells, testing::Values(
    CellCase{"two_cylinders",         {"1403/09/18", "C25", {"250", "260", ""}},     {}, 255},
    CellCase{"three_cylinders",       {"1403/09/18", "", {"250", "260", "270"}},     {}, 260},
    CellCase{"as_typed_in_persian",   {"1403/09/18", "", {" ۲۵۰٫۵ ", "۲۶۰/۵", "\t"}}, {}, 255.5},
    CellCase{"exponent",              {"1403/09/18", "", {"2.5E2", "250", ""}},      {}, 250},
    CellCase{"not_a_date",            {"1403/12/31", "", {"250", "260", ""}},
             TestCellRefusal{P::DateNotADate, C::Date}, 0},
    CellCase{"unit_after_the_number", {"1403/09/18", "", {"250", "260kg", ""}},
             TestCellRefusal{P::StrengthNotANumber, C::Cylinder2}, 0},
    CellCase{"line_break_in_a_cell",  {"1403/09/18", "", {"250\n300", "260", ""}},
             TestCellRefusal{P::StrengthNotANumber, C::Cylinder1}, 0},
    CellCase{"zero",                  {"1403/09/18", "", {"250", "260", "0"}},
             TestCellRefusal{P::StrengthNotPositive, C::Cylinder3}, 0},
    CellCase{"negative",              {"1403/09/18", "", {"-250", "260", ""}},
             TestCellRefusal{P::StrengthNotPositive, C::Cylinder1}, 0},
    CellCase{"beyond_any_concrete",   {"1403/09/18", "", {"250", "1e300", ""}},
             TestCellRefusal{P::StrengthTooHigh, C::Cylinder2}, 0},
    CellCase{"one_cylinder",          {"1403/09/18", "", {"250", "", ""}},
             TestCellRefusal{P::OneCylinderOnly, C::Cylinder2}, 0},
    CellCase{"no_cylinder",           {"1403/09/18", "", {"", " ", ""}},
             TestCellRefusal{P::NoCylinder, C::Cylinder1}, 0},
    CellCase{"second_skipped",        {"1403/09/18", "", {"250", "", "260"}},
             TestCellRefusal{P::CylinderSkipped, C::Cylinder3}, 0}),
    CaseName());
// clang-format on

TEST(TestDates, OutOfOrderAreNamedAndKept) {
  std::vector<StrengthTest> tests;
  for (const char* date : {"1403/09/18", "1403/09/20", "2024-12-09", "1403/09/19", "1403/09/19"}) {
    tests.push_back(std::get<StrengthTest>(readStrengthTest({date, "", {"250", "260", ""}})));
  }
  EXPECT_EQ(testsOutOfDateOrder(tests), (std::vector<size_t>{2}));
}

}  // namespace
}  // namespace veldora
