#include "engine/texts.h"
#include "tests/support/files.h"
#include "tests/support/script.h"
#include "workspace/messages.h"
#include "workspace/strengthtestcommands.h"
#include "workspace/workspace.h"

#include <gtest/gtest.h>

namespace veldora {
namespace {

using testing_support::play;
using testing_support::RecordingPrompter;
const std::string kTwentyTests = std::string(VELDORA_TEST_DATA) + "/strength_tests_20.csv";

// The 20 tests of the file, worked by hand: the pairs' means give a mean of 278.05 and s (n - 1)
// of 29.827 kg/cm^2 (2.925 MPa: very good); the mean range 7.1 over d2 = 1.128 gives s1 = 6.294.
// For f'c = 250, test 11 (210.5) is below f'c - 3.5 MPa = 214.31 and the average of tests 7 to 9
// (246.0) below f'c. s, rounded up to 29.9 as typed, with k = 1.08 for 20 tests governs by
// f'c + 1.34 k s.
TEST(StrengthTestsWindow, TwentyTestsFillTheRequiredStrengthWindow) {
  RecordingPrompter prompter;
  prompter.choices = {kTwentyTests};
  Workspace ws(prompter);
  play(ws, "tests tests-fc=۲۵۰ tests-open");
  const StrengthTestsWindowState& t = ws.state().strengthTests;
  ASSERT_EQ(t.rows.size(), 20u);
  EXPECT_EQ(t.rows[4].date, "1403/07/29");  // ISO 2024-10-20 in the file
  EXPECT_EQ(t.statistics.tests, 20);
  EXPECT_NEAR(*t.statistics.mean, 278.05, 1e-9);
  EXPECT_NEAR(*t.statistics.standardDeviation, 29.827089418142943, 1e-9);
  EXPECT_NEAR(*t.statistics.withinTestStandardDeviation, 6.294326241134752, 1e-9);
  EXPECT_EQ(t.statistics.rating, ControlRating::VeryGood);
  ASSERT_TRUE(t.acceptance);
  EXPECT_EQ(t.acceptance->failingTests(), std::vector<size_t>{10});
  EXPECT_EQ(t.acceptance->failingAverages(), std::vector<size_t>{8});
  EXPECT_FALSE(t.modified);

  play(ws, "tests-fill");
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_TRUE(ws.state().holds(Window::RequiredStrength));
  const StrengthWindowState& r = ws.state().strengthWindow;
  EXPECT_EQ(r.boxes, (std::array<std::string, 3>{"250", "29.9", "20"}));
  ASSERT_TRUE(r.basis);
  EXPECT_EQ(r.basis->k, 1.08);
  EXPECT_EQ(r.basis->rule, StrengthRule::MeanOfThree);
  EXPECT_EQ(r.basis->required, 294);  // 250 + 1.34 k s = 293.27, up to a whole kg/cm^2
  // Cancel puts the boxes back as they were; the tests stay for the next opening.
  play(ws, "strength-cancel tests");
  EXPECT_EQ(ws.state().strengthWindow.boxes, (std::array<std::string, 3>{}));
  EXPECT_EQ(ws.state().strengthTests.rows.size(), 20u);
}

// A cell typed: what is refused keeps the cell's text and takes the focus (box 2 + 5 row + column).
struct CellCase {
  const char* script;  // after a row is added and filled with 1403/07/01, C25, 282, 290
  const char* cellAfter;
  bool refused;
};

class StrengthTestCell : public testing::TestWithParam<CellCase> {};

TEST_P(StrengthTestCell, TakesWhatIsATestCell) {
  const CellCase& c = GetParam();
  RecordingPrompter prompter;
  Workspace ws(prompter);
  play(ws,
       "tests tests-add tests-cell:0:0=1403/07/01 tests-cell:0:1=C25 tests-cell:0:2=282 "
       "tests-cell:0:3=290");
  play(ws, c.script);
  const std::string& cell = std::string(c.script).starts_with("tests-cell:0:0")
                                ? ws.state().strengthTests.rows[0].date
                                : ws.state().strengthTests.rows[0].cylinders[1];
  EXPECT_EQ(cell, c.cellAfter);
  EXPECT_EQ(prompter.shown.size(), c.refused ? 1u : 0u);
  if (c.refused) {
    const int column = std::string(c.script).starts_with("tests-cell:0:0") ? 0 : 3;
    EXPECT_EQ(ws.state().focus.target, (FocusTarget{Window::StrengthTests, 2 + column}));
  }
  EXPECT_EQ(ws.state().strengthTests.tests.size(), std::string(c.cellAfter).empty() ? 0u : 1u);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, StrengthTestCell, testing::Values(
    CellCase{"tests-cell:0:3=_۲۹۵٫۵_",         "295.5",      false},
    CellCase{"tests-cell:0:3=29/5",            "29.5",       false},
    CellCase{"tests-cell:0:3=0",               "290",        true},
    CellCase{"tests-cell:0:3=-5",              "290",        true},
    CellCase{"tests-cell:0:3=290kg",           "290",        true},
    CellCase{"tests-cell:0:3=",                "",           false},
    CellCase{"tests-cell:0:0=2024-12-08",      "1403/09/18", false},
    CellCase{"tests-cell:0:0=1403/12/31",      "1403/07/01", true},
    CellCase{"tests-cell:0:0=yesterday",       "1403/07/01", true}));
// clang-format on

TEST(StrengthTestsWindow, PastesAllRowsOrNone) {
  RecordingPrompter prompter;
  Workspace ws(prompter);
  play(ws, "tests tests-add");
  StrengthTestCommands& tests = ws.strengthTests();
  EXPECT_FALSE(tests.paste("1403/07/01\tC25\t282\t290\r\n1403/07/08\tC25\t301\r\n"));
  EXPECT_EQ(prompter.shown.at(0).text, std::string(messages::kRowPrefix) +
                                           "2: " + messages::kOneCylinderOnly +
                                           messages::kTestsTableUnchanged);
  EXPECT_EQ(ws.state().strengthTests.rows.size(), 1u);
  // A spreadsheet's header and the blank row left by Add are no tests.
  EXPECT_TRUE(
      tests.paste("Date\tlabel\tc1\tc2\tc3\n1403/07/01\tC25\t282\t290\t\n"
                  "2024-10-20\tC25\t۳۲۲\t330\t326\n"));
  const StrengthTestsWindowState& t = ws.state().strengthTests;
  ASSERT_EQ(t.rows.size(), 2u);
  EXPECT_EQ(t.rows[1].date, "1403/07/29");
  EXPECT_EQ(t.tests[1].cylinderCount, 3);
  EXPECT_EQ(t.tests[1].strength(), 326);
}

TEST(StrengthTestsWindow, FilesAreTakenWholeOrNotAtAll) {
  testing_support::TemporaryFolder folder;
  testing_support::writeFile(folder.path("bad.csv"),
                             "date,label,cylinder-1,cylinder-2,cylinder-3\r\n"
                             "1403/07/01,C25,282,290,\r\n1403/07/08,C25,3O1,295,\r\n");
  RecordingPrompter prompter;
  prompter.answer = true;  // to replace the rows typed
  prompter.choices = {folder.path("bad.csv"), folder.path("saved.csv"), folder.path("saved.csv")};
  Workspace ws(prompter);
  play(ws,
       "tests tests-add tests-cell:0:0=1403/07/01 tests-cell:0:2=282 tests-cell:0:3=290 "
       "tests-open");
  EXPECT_EQ(prompter.shown.back().text, std::string(messages::kLinePrefix) +
                                            "3: " + messages::kCylinderStrengthRefused +
                                            " («3O1»)" + messages::kTestsTableUnchanged);
  EXPECT_EQ(ws.state().strengthTests.tests.size(), 1u);
  // Saved and opened again: the same tests, nothing asked, as nothing changed since.
  play(ws, "tests-save tests-remove:0 tests-open");
  EXPECT_EQ(ws.state().strengthTests.rows.size(), 1u);
  EXPECT_EQ(ws.state().strengthTests.rows[0].cylinders[0], "282");
  EXPECT_FALSE(ws.state().strengthTests.modified);
}

// The button hands over only a record; an incomplete row is named first.
TEST(StrengthTestsWindow, FillsOnlyFromARecord) {
  RecordingPrompter prompter;
  Workspace ws(prompter);
  play(ws, "tests");
  std::string rows;
  for (int i = 1; i <= 14; ++i)
    rows += "1403/07/" + std::to_string(i) + "\tC25\t28" + std::to_string(i % 10) + "\t290\n";
  ASSERT_TRUE(ws.strengthTests().paste(rows));
  play(ws, "tests-fill");
  EXPECT_EQ(prompter.shown.back().text,
            std::string(messages::kNoRecordPrefix) + messages::kFewerThan15);
  play(ws,
       "tests-add tests-cell:14:0=1403/07/15 tests-cell:14:1=C25 tests-cell:14:2=280 tests-fill");
  EXPECT_EQ(prompter.shown.back().text, std::string(messages::kRowPrefix) +
                                            "15: " + messages::kOneCylinderOnly + " — " +
                                            messages::kRowIncomplete);
  EXPECT_EQ(ws.state().focus.target, (FocusTarget{Window::StrengthTests, 2 + 14 * 5 + 3}));
  play(ws, "tests-cell:14:3=290 tests-fill");
  EXPECT_TRUE(ws.state().holds(Window::RequiredStrength));
  EXPECT_EQ(ws.state().strengthWindow.boxes[2], "15");
}

}  // namespace
}  // namespace veldora
