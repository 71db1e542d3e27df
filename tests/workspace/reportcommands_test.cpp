#include "workspace/reportcommands.h"

#include "engine/texts.h"
#include "tests/support/files.h"
#include "tests/support/names.h"
#include "tests/support/recordingprompter.h"
#include "workspace/messages.h"
#include "workspace/workspace.h"

#include <gtest/gtest.h>

namespace veldora {
namespace {

using Shown = testing_support::RecordingPrompter::Shown;

struct SettingsCase {
  const char* name;
  std::string projectName;
  const char* pourVolume;
  const char* bagMass;
  int refusedBox;  // 0: accepted
};

class ReportSettingsCheck : public testing::TestWithParam<SettingsCase> {};

TEST_P(ReportSettingsCheck, AcceptsWhatFitsTheReport) {
  const SettingsCase& c = GetParam();
  const auto problem = checkReportSettings(c.projectName, c.pourVolume, c.bagMass);
  EXPECT_EQ(problem ? problem->box : 0, c.refusedBox);
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
};

// The report dialog refuses with a message naming the box and the focus in it, and stays open.
TEST_F(ReportDialogTest, RefusesABadValueWithItsBox) {
  ws.design().run();
  ws.report().openDialog();
  ASSERT_TRUE(ws.state().shows(Window::Report));
  EXPECT_FALSE(ws.state().holds(Window::Main));
  ws.report().setPourVolume("0");
  EXPECT_FALSE(ws.report().ok());
  EXPECT_EQ(prompter.shown,
            (std::vector<Shown>{{texts::kErrorTitle, messages::kPourVolumeInvalid}}));
  ws.report().setPourVolume("12");
  ws.report().setBagMass("-50");
  EXPECT_FALSE(ws.report().ok());
  EXPECT_EQ(prompter.shown.back().text, messages::kBagMassInvalid);
  EXPECT_EQ(ws.state().focus.target, (FocusTarget{Window::Report, 3}));
  EXPECT_TRUE(ws.state().shows(Window::Report));

  ws.report().setBagMass("25");
  ws.report().setProjectName("Tower A\r\nsecond line");
  const std::optional<ReportSettings> settings = ws.report().ok();
  ASSERT_TRUE(settings);
  EXPECT_EQ(settings->projectName, "Tower A");
  EXPECT_EQ(settings->pourVolume, 12);
  EXPECT_EQ(settings->bagMass, 25);
  EXPECT_TRUE(ws.state().holds(Window::PrintPreview));
  EXPECT_FALSE(ws.state().shows(Window::Report));
  ws.report().closePreview();
  EXPECT_TRUE(ws.state().holds(Window::Main));
}

// The report is of the last complete run: available after it, not before any run, after a
// stopped run or after New; Open makes it available by its run.
TEST_F(ReportDialogTest, IsAvailableAfterACompleteRunOnly) {
  const auto available = [this] { return ws.state().reportAvailable(); };
  EXPECT_FALSE(available());
  ws.report().openDialog();
  EXPECT_FALSE(ws.state().shows(Window::Report));
  ws.design().run();
  EXPECT_TRUE(available());
  ws.design().setText(Box::Text3, "");
  ws.design().run();
  EXPECT_FALSE(available());
  EXPECT_FALSE(ws.state().completedRun);
  ws.design().setText(Box::Text3, "210");
  ws.design().run();
  testing_support::TemporaryFolder folder;
  ASSERT_TRUE(ws.files().saveTo(folder.path("a.vdr")));
  prompter.answer = true;
  ws.files().newDesign();
  EXPECT_FALSE(available());
  ASSERT_TRUE(ws.files().open({folder.path("a.vdr"), true}));
  EXPECT_TRUE(available());
}

// The report shows what the run read, not the boxes as edited since; an adjustment only when it
// was made after the last complete run.
TEST_F(ReportDialogTest, ShowsTheRunNotTheBoxesAndOnlyItsOwnAdjustment) {
  ws.design().run();
  ws.design().setText(Box::Text1, "80");
  ws.conditions().choose(OptionDialog::Workability, 0);
  ASSERT_TRUE(ws.state().completedRun);
  EXPECT_EQ(ws.state().completedRun->boxes[0], "50");
  EXPECT_EQ(ws.state().completedRun->conditions.workability, Workability::Medium);

  ws.trialBatch().open();
  ASSERT_TRUE(ws.trialBatch().ok());
  ws.trialBatch().adjust();
  ws.report().openDialog();
  EXPECT_TRUE(ws.state().reportDialog.adjustmentOffered);
  EXPECT_TRUE(ws.state().reportDialog.includeAdjustment);
  ws.report().cancel();

  ws.design().run();  // a new run: the earlier adjustment is not its own
  ws.report().openDialog();
  EXPECT_FALSE(ws.state().reportDialog.adjustmentOffered);
  ws.report().setIncludeAdjustment(true);
  EXPECT_FALSE(ws.report().ok()->includeAdjustment);
}

}  // namespace
}  // namespace veldora
