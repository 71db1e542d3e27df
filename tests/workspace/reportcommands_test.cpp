#include "workspace/reportcommands.h"

#include "engine/texts.h"
#include "tests/support/files.h"
#include "tests/support/names.h"
#include "tests/support/recordingprompter.h"
#include "tests/support/script.h"
#include "workspace/messages.h"
#include "workspace/workspace.h"

#include <gtest/gtest.h>

namespace veldora {
namespace {

using Shown = testing_support::RecordingPrompter::Shown;
using testing_support::play;

struct SettingsCase {
  const char* name;
  std::string projectName;
  const char* pourVolume;
  const char* bagMass;
  int refusedBox;  // the ReportBox; 0: accepted
};

class ReportSettingsCheck : public testing::TestWithParam<SettingsCase> {};

TEST_P(ReportSettingsCheck, AcceptsWhatFitsTheReport) {
  const SettingsCase& c = GetParam();
  const auto problem = checkReportSettings(c.projectName, c.pourVolume, c.bagMass);
  EXPECT_EQ(problem ? static_cast<int>(problem->box) : 0, c.refusedBox);
}

const std::string kPersian200 = [] {
  std::string name;
  for (int i = 0; i < 200; ++i) name += "ب";  // two bytes each
  return name;
}();

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, ReportSettingsCheck, testing::Values(
    SettingsCase{"defaults",            "",               "1",        "50",    0},
    SettingsCase{"fractions_blanks",    "برج آفتاب",      " 2.5 ",    "42.5",  0},
    SettingsCase{"bounds",              kPersian200,      "100000",   "2000",  0},
    SettingsCase{"lower_bounds",        "x",              "0.001",    "1",     0},
    SettingsCase{"exponent_and_sign",   "",               "+1e3",     "5E1",   0},
    SettingsCase{"name_too_long",       kPersian200 + "x", "1",       "50",    1},
    SettingsCase{"pour_over_100000",    "",               "100000.1", "50",    2},
    SettingsCase{"pour_under_a_litre",  "",               "0.00099",  "50",    2},
    SettingsCase{"pour_tiny",           "",               "1e-300",   "50",    2},
    SettingsCase{"pour_zero",           "",               "0",        "50",    2},
    SettingsCase{"pour_negative",       "",               "-3",       "50",    2},
    SettingsCase{"pour_two_signs",      "",               "+-3",      "50",    2},
    SettingsCase{"pour_empty",          "",               "",         "50",    2},
    SettingsCase{"pour_comma",          "",               "1,5",      "50",    2},
    SettingsCase{"pour_with_a_unit",    "",               "12m3",     "50",    2},
    SettingsCase{"pour_persian_digits", "",               "۱۲",       "50",    2},
    SettingsCase{"pour_infinite",       "",               "1e400",    "50",    2},
    SettingsCase{"pour_not_a_number",   "",               "nan",      "50",    2},
    SettingsCase{"bag_zero",            "",               "1",        "0",     3},
    SettingsCase{"bag_under_a_kilogram","",               "1",        "0.5",   3},
    SettingsCase{"bag_over_2000",       "",               "1",        "1e308", 3},
    SettingsCase{"bag_word",            "",               "1",        "kg",    3}), testing_support::CaseName());
// clang-format on

class ReportDialogTest : public testing::Test {
 protected:
  testing_support::RecordingPrompter prompter;
  Workspace ws{prompter};
  const WorkspaceState& s = ws.state();
};

// The report dialog refuses with a message naming the box and the focus in it, and stays open;
// its OK opens the print preview with the settings as typed (a name keeps its first line).
TEST_F(ReportDialogTest, RefusesABadValueWithItsBox) {
  play(ws, "run report");
  ASSERT_TRUE(s.holds(Window::Report));
  ws.report().setPourVolume("0");
  EXPECT_FALSE(ws.report().ok());
  EXPECT_EQ(prompter.shown,
            (std::vector<Shown>{{texts::kErrorTitle, messages::kPourVolumeInvalid}}));
  ws.report().setPourVolume("۱۲");
  ws.report().setBagMass("-50");
  EXPECT_FALSE(ws.report().ok());
  EXPECT_EQ(prompter.shown.back().text, messages::kBagMassInvalid);
  EXPECT_EQ(s.focus.target, (FocusTarget{Window::Report, int(ReportBox::BagMass)}));
  EXPECT_TRUE(s.holds(Window::Report));
  ws.report().setBagMass("25");
  ws.report().setProjectName("Tower A\r\nsecond line");
  const std::optional<ReportSettings> settings = ws.report().ok();
  ASSERT_TRUE(settings);
  EXPECT_EQ(settings->projectName, "Tower A");
  EXPECT_EQ(settings->pourVolume, 12);
  EXPECT_EQ(settings->bagMass, 25);
  EXPECT_TRUE(s.holds(Window::PrintPreview));
  play(ws, "preview-close");
  EXPECT_TRUE(s.holds(Window::Main));
}

// The report is of the last complete run: available after it, not before any run, after a
// stopped run or after New; Open makes it available by its run.
TEST_F(ReportDialogTest, IsAvailableAfterACompleteRunOnly) {
  testing_support::TemporaryFolder folder;
  prompter.answer = true;
  prompter.choices = {folder.path("a.vdr"), folder.path("a.vdr")};
  for (const auto& [script, available] : {std::pair{"report", false},
                                          {"run", true},
                                          {"Text3= run", false},
                                          {"Text3=210 run", true},
                                          {"save-as new", false},
                                          {"open", true}}) {
    play(ws, script);
    EXPECT_EQ(s.reportAvailable(), available) << script;
    EXPECT_EQ(s.completedRun.has_value(), available) << script;
  }
}

// The report shows what the run read, not the boxes as edited since; an adjustment only when it
// was made after the last complete run.
TEST_F(ReportDialogTest, ShowsTheRunNotTheBoxesAndOnlyItsOwnAdjustment) {
  play(ws, "run Text1=80 choose:Dialog=0");
  ASSERT_TRUE(s.completedRun);
  EXPECT_EQ(s.completedRun->boxes[0], "50");
  EXPECT_EQ(s.completedRun->conditions.workability, Workability::Medium);
  play(ws, "trial trial-ok adjust report");
  EXPECT_TRUE(s.reportDialog.adjustmentOffered);
  EXPECT_TRUE(s.reportDialog.includeAdjustment);
  play(ws, "report-cancel run report");  // a new run: the earlier adjustment is not its own
  EXPECT_FALSE(s.reportDialog.adjustmentOffered);
  ws.report().setIncludeAdjustment(true);
  EXPECT_FALSE(ws.report().ok()->includeAdjustment);
}

}  // namespace
}  // namespace veldora
