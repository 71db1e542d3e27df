#include "tests/support/names.h"
#include "tests/support/recordingprompter.h"
#include "workspace/messages.h"
#include "workspace/workspace.h"

#include <array>
#include <string>

#include <gtest/gtest.h>

namespace veldora {
namespace {

using std::string;
using Offered = std::array<bool, kConditionRows>;
using Texts = std::array<string, kConditionRows>;

string cap(Workability e) { return string(caption(e)); }
string cap(EnvironmentClass e) { return string(caption(e)); }
string cap(ExposureClass e) { return string(caption(e)); }
string cap(CementType e) { return string(caption(e)); }
string cap(ConcreteType e) { return string(caption(e)); }
string cap(SectionType e) { return string(caption(e)); }

class ConditionsTest : public testing::Test {
 protected:
  testing_support::RecordingPrompter prompter;
  Workspace ws{prompter};

  // Opens a row's dialog from the open conditions window, selects and presses OK.
  void choose(OptionDialog dialog, int option) {
    ws.conditions().openDialog(dialog);
    ASSERT_TRUE(ws.state().showsDialog(dialog)) << optionDialogInfo(dialog).objectName;
    ws.conditions().selectOption(dialog, option);
    ws.conditions().dialogOk(dialog);
  }
  const Offered& offered() const { return ws.state().conditionsWindow.offered; }
  const Texts& texts() const { return ws.state().conditionsWindow.texts; }
};

const Texts kCreationTexts = {
    cap(Workability::Medium),  messages::kNormalConditionsAtCreation, cap(ExposureClass::Normal),
    cap(CementType::Ordinary), messages::kNonAirEntrainedAtCreation,  cap(SectionType::Ordinary)};
const Texts kDefaultCaptions = {cap(Workability::Medium),           cap(EnvironmentClass::Normal),
                                cap(ExposureClass::Normal),         cap(CementType::Ordinary),
                                cap(ConcreteType::NonAirEntrained), cap(SectionType::Ordinary)};

TEST_F(ConditionsTest, OpensWithCreationTextsAndDisablesTheMainWindow) {
  ws.conditions().openWindow();
  EXPECT_TRUE(ws.state().shows(Window::Conditions));
  EXPECT_FALSE(ws.state().holds(Window::Main));
  EXPECT_EQ(texts(), kCreationTexts);
  EXPECT_EQ(offered(), (Offered{true, false, true, false, true, false}));
}

TEST_F(ConditionsTest, CancelAtOnceRewritesTextsAsCaptions) {
  ws.conditions().openWindow();
  ws.conditions().cancel();
  EXPECT_TRUE(ws.state().holds(Window::Main));
  EXPECT_FALSE(ws.state().shows(Window::Conditions));
  EXPECT_EQ(texts(), kDefaultCaptions);  // "شزايط عادي" and the concrete caption's final space
  EXPECT_EQ(ws.state().conditions, DesignConditions{});
  EXPECT_EQ(offered(), (Offered{true, false, true, false, true, false}));
}

TEST_F(ConditionsTest, CancelPutsBackSelectionsFlagsAndTexts) {
  ws.conditions().openWindow();
  choose(OptionDialog::Exposure, 2);  // SeawaterSulfate
  choose(OptionDialog::Cement, 1);    // SulfateResisting
  EXPECT_EQ(offered(), (Offered{true, false, true, true, true, true}));
  EXPECT_EQ(texts()[3], cap(CementType::SulfateResisting));
  ws.conditions().cancel();
  EXPECT_EQ(ws.state().conditions.exposure, ExposureClass::Normal);
  EXPECT_EQ(ws.state().conditions.cement, CementType::Ordinary);
  EXPECT_EQ(offered(), (Offered{true, false, true, false, true, false}));
  EXPECT_EQ(texts(), kDefaultCaptions);
}

TEST_F(ConditionsTest, DefaultThenCancelReturnsToTheStateAtOpen) {
  ws.conditions().openWindow();
  choose(OptionDialog::ConcreteType, 1);
  choose(OptionDialog::Environment, 2);
  choose(OptionDialog::Workability, 0);
  ws.conditions().ok();
  const DesignConditions atOpen = ws.state().conditions;
  const Offered offeredAtOpen = offered();
  ws.conditions().openWindow();
  ws.conditions().restoreDefaults();
  EXPECT_TRUE(ws.state().shows(Window::Conditions));
  EXPECT_EQ(offered(), (Offered{true, false, true, false, true, false}));
  ws.conditions().cancel();
  EXPECT_EQ(ws.state().conditions, atOpen);
  EXPECT_EQ(offered(), offeredAtOpen);
  EXPECT_EQ(texts()[1], cap(EnvironmentClass::Severe));
}

TEST_F(ConditionsTest, DefaultThenOkGivesTheDefaultCodes) {
  ws.conditions().openWindow();
  choose(OptionDialog::ConcreteType, 1);
  choose(OptionDialog::Environment, 1);
  choose(OptionDialog::Exposure, 2);
  choose(OptionDialog::Cement, 1);
  choose(OptionDialog::Section, 0);
  choose(OptionDialog::Workability, 2);
  ws.conditions().restoreDefaults();
  ws.conditions().ok();
  ws.design().run();
  const ConditionCodes& c = ws.state().design.codes;
  EXPECT_EQ((std::array<double, 6>{c.workability, c.environment, c.exposure, c.cement,
                                   c.concreteType, c.section}),
            (std::array<double, 6>{2, 1, 1, 1, 1, 2}));
}

TEST_F(ConditionsTest, RowsNotOfferedCannotBeOpened) {
  ws.conditions().openWindow();
  ws.conditions().openDialog(OptionDialog::Environment);
  EXPECT_FALSE(ws.state().showsDialog(OptionDialog::Environment));
  choose(OptionDialog::ConcreteType, 1);
  ws.conditions().openDialog(OptionDialog::Environment);
  EXPECT_TRUE(ws.state().showsDialog(OptionDialog::Environment));
  EXPECT_FALSE(ws.state().holds(Window::Conditions));
  ws.conditions().dialogCancel(OptionDialog::Environment);
  EXPECT_TRUE(ws.state().holds(Window::Conditions));
}

TEST_F(ConditionsTest, DialogCancelRestoresTheSelectionButNotTheText) {
  ws.conditions().openWindow();
  choose(OptionDialog::Workability, 2);
  ws.conditions().openDialog(OptionDialog::Workability);
  ws.conditions().selectOption(OptionDialog::Workability, 0);
  EXPECT_EQ(ws.state().conditions.workability, Workability::Low);  // at once the current value
  ws.conditions().dialogCancel(OptionDialog::Workability);
  EXPECT_EQ(ws.state().conditions.workability, Workability::High);
  EXPECT_EQ(texts()[0], cap(Workability::High));
}

TEST_F(ConditionsTest, DialogCancelAfterWindowCancelReturnsToThePutBackSelection) {
  ws.conditions().openWindow();
  choose(OptionDialog::Workability, 2);
  ws.conditions().cancel();
  ws.conditions().openWindow();
  ws.conditions().openDialog(OptionDialog::Workability);
  ws.conditions().selectOption(OptionDialog::Workability, 0);
  ws.conditions().dialogCancel(OptionDialog::Workability);
  EXPECT_EQ(ws.state().conditions.workability, Workability::Medium);
}

struct ExposureCase {
  const char* name;
  int option;
  bool cementOffered;
  bool sectionOffered;
};

class ExposureOk : public ConditionsTest, public testing::WithParamInterface<ExposureCase> {};

TEST_P(ExposureOk, SetsCementAndSectionAvailability) {
  ws.conditions().openWindow();
  choose(OptionDialog::Exposure, 2);
  choose(OptionDialog::Cement, 1);
  choose(OptionDialog::Section, 0);
  choose(OptionDialog::Exposure, GetParam().option);
  EXPECT_EQ(offered()[3], GetParam().cementOffered);
  EXPECT_EQ(offered()[5], GetParam().sectionOffered);
  EXPECT_EQ(ws.state().conditions.cement, CementType::SulfateResisting);
  EXPECT_EQ(ws.state().conditions.section, SectionType::ThinOrSmallCover);
  EXPECT_EQ(texts()[3], cap(CementType::SulfateResisting));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, ExposureOk, testing::Values(
    ExposureCase{"normal",           0, false, false},
    ExposureCase{"wet_freeze_thaw",  1, false, true},
    ExposureCase{"seawater_sulfate", 2, true,  true}), testing_support::CaseName());
// clang-format on

TEST_F(ConditionsTest, NonAirEntrainedHidesEnvironmentButKeepsIt) {
  ws.conditions().openWindow();
  choose(OptionDialog::ConcreteType, 1);
  choose(OptionDialog::Environment, 2);
  choose(OptionDialog::ConcreteType, 0);
  EXPECT_FALSE(offered()[1]);
  EXPECT_EQ(ws.state().conditions.environment, EnvironmentClass::Severe);
  ws.conditions().ok();
  ws.design().run();
  EXPECT_EQ(ws.state().design.codes.environment, 3);
}

TEST_F(ConditionsTest, ChooseOptionAppliesOkWithoutOpeningAnything) {
  ws.conditions().choose(OptionDialog::Environment,
                         1);  // environment is not offered at creation
  EXPECT_EQ(ws.state().conditions.environment, EnvironmentClass::Moderate);
  EXPECT_EQ(texts()[1], cap(EnvironmentClass::Moderate));
  ws.conditions().choose(OptionDialog::Exposure, 1);
  EXPECT_EQ(offered(), (Offered{true, false, true, false, true, true}));
  EXPECT_FALSE(ws.state().shows(Window::Conditions));
  EXPECT_TRUE(ws.state().holds(Window::Main));
  EXPECT_EQ(ws.state().dialog(OptionDialog::Exposure).returnCode, 2);
}

class ResultViewTest : public ConditionsTest {
 protected:
  void SetUp() override {
    ws.design().run();
    ws.trialBatch().open();
    ASSERT_TRUE(ws.trialBatch().ok());
    ws.trialBatch().adjust();
    ASSERT_TRUE(ws.state().mainWindow.adjustedResultsVisible);
  }
};

TEST_F(ResultViewTest, OkSwitchesTheVisibleList) {
  ws.conditions().openDialog(OptionDialog::ResultView);
  EXPECT_FALSE(ws.state().holds(Window::Main));
  ws.conditions().dialogOk(OptionDialog::ResultView);  // option 0, the default
  EXPECT_TRUE(ws.state().mainWindow.resultsVisible);
  EXPECT_FALSE(ws.state().mainWindow.adjustedResultsVisible);
  EXPECT_TRUE(ws.state().holds(Window::Main));
  ws.conditions().openDialog(OptionDialog::ResultView);
  ws.conditions().selectOption(OptionDialog::ResultView, 1);
  ws.conditions().dialogOk(OptionDialog::ResultView);
  EXPECT_FALSE(ws.state().mainWindow.resultsVisible);
  EXPECT_TRUE(ws.state().mainWindow.adjustedResultsVisible);
}

TEST_F(ResultViewTest, CancelLeavesTheListAndRestoresTheSelection) {
  ws.conditions().openDialog(OptionDialog::ResultView);
  ws.conditions().selectOption(OptionDialog::ResultView, 1);
  ws.conditions().dialogCancel(OptionDialog::ResultView);
  EXPECT_EQ(ws.state().conditions.resultView, ResultView::BeforeCorrection);
  EXPECT_TRUE(ws.state().mainWindow.adjustedResultsVisible);
  EXPECT_TRUE(ws.state().holds(Window::Main));
}

TEST_F(ConditionsTest, ViewCannotOpenBeforeAnAdjustment) {
  ws.conditions().openDialog(OptionDialog::ResultView);
  EXPECT_FALSE(ws.state().showsDialog(OptionDialog::ResultView));
  EXPECT_TRUE(ws.state().holds(Window::Main));
}

}  // namespace
}  // namespace veldora
