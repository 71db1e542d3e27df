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
  const char* batchVolume;
  int refusedBox;  // the ReportBox; 0: accepted
};

class ReportSettingsCheck : public testing::TestWithParam<SettingsCase> {};

TEST_P(ReportSettingsCheck, AcceptsWhatFitsTheReport) {
  const SettingsCase& c = GetParam();
  const auto problem = checkReportSettings({c.projectName, c.pourVolume, c.bagMass, c.batchVolume});
  EXPECT_EQ(problem ? static_cast<int>(problem->box) : 0, c.refusedBox);
}

const std::string kPersian200 = [] {
  std::string name;
  for (int i = 0; i < 200; ++i) name += "ب";  // two bytes each
  return name;
}();

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, ReportSettingsCheck, testing::Values(
    SettingsCase{"defaults",            "",               "1",        "50", "1",    0},
    SettingsCase{"fractions_blanks",    "برج آفتاب",      " 2.5 ",    "42.5", "1",  0},
    SettingsCase{"bounds",              kPersian200,      "100000",   "2000", "1",  0},
    SettingsCase{"lower_bounds",        "x",              "0.001",    "1", "1",     0},
    SettingsCase{"name_too_long",       kPersian200 + "x", "1",       "50", "1",    1},
    SettingsCase{"pour_over_100000",    "",               "100000.1", "50", "1",    2},
    SettingsCase{"pour_zero",           "",               "0",        "50", "1",    2},
    SettingsCase{"pour_negative",       "",               "-3",       "50", "1",    2},
    SettingsCase{"pour_empty",          "",               "",         "50", "1",    2},
    SettingsCase{"pour_comma",          "",               "1,5",      "50", "1",    2},
    SettingsCase{"pour_persian_digits", "",               "۱۲",       "50", "1",    2},
    SettingsCase{"pour_infinite",       "",               "1e400",    "50", "1",    2},
    SettingsCase{"bag_zero",            "",               "1",        "0", "1",     3},
    SettingsCase{"bag_over_2000",       "",               "1",        "1e308", "1", 3},
    SettingsCase{"batch_lab",           "",               "1",        "50", "0.001", 0},
    SettingsCase{"batch_truck",         "",               "1",        "50", "20",    0},
    SettingsCase{"batch_under_a_litre", "",               "1",        "50", "0.0009", 4},
    SettingsCase{"batch_over_20",       "",               "1",        "50", "20.01", 4}), testing_support::CaseName());
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
  play(ws, "Report2=0");
  EXPECT_FALSE(ws.report().ok());
  EXPECT_EQ(prompter.shown,
            (std::vector<Shown>{{texts::kErrorTitle, messages::kPourVolumeInvalid}}));
  play(ws, "Report2=۱۲ Report3=-50");
  EXPECT_FALSE(ws.report().ok());
  EXPECT_EQ(prompter.shown.back().text, messages::kBagMassInvalid);
  EXPECT_EQ(s.focus.target, (FocusTarget{Window::Report, int(ReportBox::BagMass)}));
  EXPECT_TRUE(s.holds(Window::Report));
  // The pour to the litre and the bag to the gram, halves up; the batch volume as typed.
  play(ws, "Report2=12.0005 Report3=25.00049 Report4=0.0125 batch-by-weight");
  ws.report().setText(ReportBox::ProjectName, "Tower A\r\nsecond line");
  const std::optional<ReportSettings> settings = ws.report().ok();
  ASSERT_TRUE(settings);
  EXPECT_EQ(settings->projectName, "Tower A");
  EXPECT_EQ(settings->pourVolume, 12.001);
  EXPECT_EQ(settings->bagMass, 25);
  EXPECT_EQ(settings->batchVolume, 0.0125);
  EXPECT_EQ(settings->method, BatchMethod::Weight);
  EXPECT_TRUE(s.holds(Window::PrintPreview));
  play(ws, "preview-close");
  EXPECT_TRUE(s.holds(Window::Main));
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

// The required-strength window writes f'cr into the strength box; the basis goes with that text
// into the run, and typing over it, New or Open ends it (that a run keeps its own is the sequence
// explorer's invariant of the basis and the box). f'cr outside the
// design's 150 to 400 is written too, and the run stops at the strength check.
struct StrengthCase {
  const char* name;
  const char* script;
  const char* strengthBox;  // Text3 afterwards
  bool basis;               // the box's text is the window's
  bool runBasis;            // the last complete run has one
  bool outsideRange;        // the window warns
};

class RequiredStrengthWindow : public testing::TestWithParam<StrengthCase> {};

TEST_P(RequiredStrengthWindow, WritesTheStrengthBoxAndItsBasis) {
  const StrengthCase& c = GetParam();
  testing_support::TemporaryFolder folder;
  testing_support::RecordingPrompter prompter;
  prompter.answer = true;
  prompter.choices = {folder.path("a.vdr"), folder.path("a.vdr")};
  Workspace ws(prompter);
  play(ws, c.script);
  const WorkspaceState& s = ws.state();
  EXPECT_EQ(s.mainWindow.text(Box::Text3), c.strengthBox);
  EXPECT_EQ(s.strengthBasis.has_value(), c.basis);
  EXPECT_EQ(s.completedRun && s.completedRun->strengthBasis, c.runBasis);
  EXPECT_EQ(s.strengthWindow.outsideDesignRange, c.outsideRange);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, RequiredStrengthWindow, testing::Values(
    StrengthCase{"no_record",        "strength Strength1=250 strength-ok run",       "335", true,  true,  false},
    StrengthCase{"persian_digits",   "strength Strength1=۲۵۰ Strength2=٣٠ Strength3=۲۰ strength-ok run",
                                                                                      "294", true,  true,  false},
    StrengthCase{"few_tests",        "strength Strength1=250 Strength2=30 Strength3=14 strength-ok",
                                                                                      "335", true,  false, false},
    StrengthCase{"typed_over",       "strength Strength1=250 strength-ok Text3=300 run",
                                                                                      "300", false, false, false},
    StrengthCase{"new_design",       "strength Strength1=250 strength-ok run new",   "210", false, false, false},
    StrengthCase{"open_a_file",      "save-as strength Strength1=250 strength-ok run open",
                                                                                      "210", false, false, false},
    StrengthCase{"above_400_stops",  "strength Strength1=360 strength-ok run",       "447", true,  false, true},
    StrengthCase{"tiny_stops",       "strength Strength1=10 strength-ok run",        "82",  true,  false, true},
    // The design's range, 150 to 400 kg/cm^2, holds its ends.
    StrengthCase{"just_below_150",   "strength Strength1=77 strength-ok run",        "149", true,  false, true},
    StrengthCase{"exactly_150",      "strength Strength1=78 strength-ok run",        "150", true,  true,  false},
    StrengthCase{"exactly_400",      "strength Strength1=315 strength-ok run",       "400", true,  true,  false},
    StrengthCase{"just_above_400",   "strength Strength1=316 strength-ok run",       "401", true,  false, true}),
    testing_support::CaseName());
// clang-format on

// A box the window cannot read keeps it open with a message and the focus in that box.
TEST(RequiredStrengthWindowBoxes, RefuseWithTheirBox) {
  testing_support::RecordingPrompter prompter;
  Workspace ws(prompter);
  for (const auto& [script, message, box] :
       {std::tuple{"Strength1=", messages::kSpecifiedStrengthInvalid, StrengthBox::Specified},
        {"Strength1=-250", messages::kSpecifiedStrengthInvalid, StrengthBox::Specified},
        {"Strength1=250 Strength2=30", messages::kTestCountInvalid, StrengthBox::Tests},
        {"Strength2= Strength3=20", messages::kStandardDeviationInvalid,
         StrengthBox::StandardDeviation},
        {"Strength2=-1", messages::kStandardDeviationInvalid, StrengthBox::StandardDeviation},
        {"Strength2=0", messages::kStandardDeviationInvalid, StrengthBox::StandardDeviation},
        {"Strength2=30 Strength3=20.5", messages::kTestCountInvalid, StrengthBox::Tests},
        {"Strength3=0", messages::kTestCountInvalid, StrengthBox::Tests},
        {"Strength1=1.7e308", messages::kSpecifiedStrengthInvalid, StrengthBox::Specified}}) {
    play(ws, std::string("strength ") + script);
    EXPECT_FALSE(ws.strength().ok()) << script;
    EXPECT_EQ(prompter.shown.back().text, message) << script;
    EXPECT_EQ(ws.state().focus.target, (FocusTarget{Window::RequiredStrength, int(box)}));
    EXPECT_TRUE(ws.state().holds(Window::RequiredStrength));
  }
  EXPECT_EQ(ws.state().mainWindow.text(Box::Text3), "210");
  // Cancel puts back the boxes as the window opened with them.
  play(ws,
       "Strength1=250 Strength2=30 Strength3=20 strength-ok strength Strength3=10 "
       "strength-cancel strength");
  EXPECT_EQ(ws.state().strengthWindow.boxes, (std::array<std::string, 3>{"250", "30", "20"}));
  EXPECT_EQ(ws.state().strengthWindow.basis->required, 294);
}

}  // namespace
}  // namespace veldora
