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
    ws.openDialog(dialog);
    ASSERT_TRUE(ws.dialogState(dialog).shown) << dialogName(dialog);
    ws.selectOption(dialog, option);
    ws.dialogOk(dialog);
  }
  const Offered& offered() const { return ws.conditionsWindow().offered; }
  const Texts& texts() const { return ws.conditionsWindow().texts; }
};

const Texts kCreationTexts = {
    cap(Workability::Medium),  messages::kNormalConditionsAtCreation, cap(ExposureClass::Normal),
    cap(CementType::Ordinary), messages::kNonAirEntrainedAtCreation,  cap(SectionType::Ordinary)};
const Texts kDefaultCaptions = {cap(Workability::Medium),           cap(EnvironmentClass::Normal),
                                cap(ExposureClass::Normal),         cap(CementType::Ordinary),
                                cap(ConcreteType::NonAirEntrained), cap(SectionType::Ordinary)};

TEST_F(ConditionsTest, OpensWithCreationTextsAndDisablesTheMainWindow) {
  ws.Command3();
  EXPECT_TRUE(ws.conditionsWindow().shown);
  EXPECT_FALSE(ws.mainWindowEnabled());
  EXPECT_EQ(texts(), kCreationTexts);
  EXPECT_EQ(offered(), (Offered{true, false, true, false, true, false}));
}

TEST_F(ConditionsTest, CancelAtOnceRewritesTextsAsCaptions) {
  ws.Command3();
  ws.conditionsCancel();
  EXPECT_TRUE(ws.mainWindowEnabled());
  EXPECT_FALSE(ws.conditionsWindow().shown);
  EXPECT_EQ(texts(), kDefaultCaptions);  // "شزايط عادي" and the concrete caption's final space
  EXPECT_EQ(ws.conditions(), DesignConditions{});
  EXPECT_EQ(offered(), (Offered{true, false, true, false, true, false}));
}

TEST_F(ConditionsTest, CancelPutsBackSelectionsFlagsAndTexts) {
  ws.Command3();
  choose(OptionDialog::Dialog2, 2);  // SeawaterSulfate
  choose(OptionDialog::Dialog3, 1);  // SulfateResisting
  EXPECT_EQ(offered(), (Offered{true, false, true, true, true, true}));
  EXPECT_EQ(texts()[3], cap(CementType::SulfateResisting));
  ws.conditionsCancel();
  EXPECT_EQ(ws.conditions().exposure, ExposureClass::Normal);
  EXPECT_EQ(ws.conditions().cement, CementType::Ordinary);
  EXPECT_EQ(offered(), (Offered{true, false, true, false, true, false}));
  EXPECT_EQ(texts(), kDefaultCaptions);
}

TEST_F(ConditionsTest, DefaultThenCancelReturnsToTheStateAtOpen) {
  ws.Command3();
  choose(OptionDialog::Dialog4, 1);
  choose(OptionDialog::Dialog1, 2);
  choose(OptionDialog::Dialog, 0);
  ws.conditionsOk();
  const DesignConditions atOpen = ws.conditions();
  const Offered offeredAtOpen = offered();
  ws.Command3();
  ws.conditionsDefault();
  EXPECT_TRUE(ws.conditionsWindow().shown);
  EXPECT_EQ(offered(), (Offered{true, false, true, false, true, false}));
  ws.conditionsCancel();
  EXPECT_EQ(ws.conditions(), atOpen);
  EXPECT_EQ(offered(), offeredAtOpen);
  EXPECT_EQ(texts()[1], cap(EnvironmentClass::Severe));
}

TEST_F(ConditionsTest, DefaultThenOkGivesTheDefaultCodes) {
  ws.Command3();
  choose(OptionDialog::Dialog4, 1);
  choose(OptionDialog::Dialog1, 1);
  choose(OptionDialog::Dialog2, 2);
  choose(OptionDialog::Dialog3, 1);
  choose(OptionDialog::Dialog5, 0);
  choose(OptionDialog::Dialog, 2);
  ws.conditionsDefault();
  ws.conditionsOk();
  ws.RN();
  const ConditionCodes& c = ws.codes();
  EXPECT_EQ((std::array<double, 6>{c.WORK, c.MH, c.RT, c.CEM, c.AIR, c.SEC}),
            (std::array<double, 6>{2, 1, 1, 1, 1, 2}));
}

TEST_F(ConditionsTest, RowsNotOfferedCannotBeOpened) {
  ws.Command3();
  ws.openDialog(OptionDialog::Dialog1);
  EXPECT_FALSE(ws.dialogState(OptionDialog::Dialog1).shown);
  choose(OptionDialog::Dialog4, 1);
  ws.openDialog(OptionDialog::Dialog1);
  EXPECT_TRUE(ws.dialogState(OptionDialog::Dialog1).shown);
  EXPECT_FALSE(ws.conditionsWindow().enabled);
  ws.dialogCancel(OptionDialog::Dialog1);
  EXPECT_TRUE(ws.conditionsWindow().enabled);
}

TEST_F(ConditionsTest, DialogCancelRestoresTheSelectionButNotTheText) {
  ws.Command3();
  choose(OptionDialog::Dialog, 2);
  ws.openDialog(OptionDialog::Dialog);
  ws.selectOption(OptionDialog::Dialog, 0);
  EXPECT_EQ(ws.conditions().workability, Workability::Low);  // at once the current value
  ws.dialogCancel(OptionDialog::Dialog);
  EXPECT_EQ(ws.conditions().workability, Workability::High);
  EXPECT_EQ(texts()[0], cap(Workability::High));
}

TEST_F(ConditionsTest, DialogCancelAfterWindowCancelReturnsToThePutBackSelection) {
  ws.Command3();
  choose(OptionDialog::Dialog, 2);
  ws.conditionsCancel();
  ws.Command3();
  ws.openDialog(OptionDialog::Dialog);
  ws.selectOption(OptionDialog::Dialog, 0);
  ws.dialogCancel(OptionDialog::Dialog);
  EXPECT_EQ(ws.conditions().workability, Workability::Medium);
}

struct ExposureCase {
  const char* name;
  int option;
  bool cementOffered;
  bool sectionOffered;
};

class ExposureOk : public ConditionsTest, public testing::WithParamInterface<ExposureCase> {};

TEST_P(ExposureOk, SetsCementAndSectionAvailability) {
  ws.Command3();
  choose(OptionDialog::Dialog2, 2);
  choose(OptionDialog::Dialog3, 1);
  choose(OptionDialog::Dialog5, 0);
  choose(OptionDialog::Dialog2, GetParam().option);
  EXPECT_EQ(offered()[3], GetParam().cementOffered);
  EXPECT_EQ(offered()[5], GetParam().sectionOffered);
  EXPECT_EQ(ws.conditions().cement, CementType::SulfateResisting);
  EXPECT_EQ(ws.conditions().section, SectionType::ThinOrSmallCover);
  EXPECT_EQ(texts()[3], cap(CementType::SulfateResisting));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, ExposureOk, testing::Values(
    ExposureCase{"normal",           0, false, false},
    ExposureCase{"wet_freeze_thaw",  1, false, true},
    ExposureCase{"seawater_sulfate", 2, true,  true}), testing_support::CaseName());
// clang-format on

TEST_F(ConditionsTest, NonAirEntrainedHidesEnvironmentButKeepsIt) {
  ws.Command3();
  choose(OptionDialog::Dialog4, 1);
  choose(OptionDialog::Dialog1, 2);
  choose(OptionDialog::Dialog4, 0);
  EXPECT_FALSE(offered()[1]);
  EXPECT_EQ(ws.conditions().environment, EnvironmentClass::Severe);
  ws.conditionsOk();
  ws.RN();
  EXPECT_EQ(ws.codes().MH, 3);
}

TEST_F(ConditionsTest, ChooseOptionAppliesOkWithoutOpeningAnything) {
  ws.chooseOption(OptionDialog::Dialog1, 1);  // environment is not offered at creation
  EXPECT_EQ(ws.conditions().environment, EnvironmentClass::Moderate);
  EXPECT_EQ(texts()[1], cap(EnvironmentClass::Moderate));
  ws.chooseOption(OptionDialog::Dialog2, 1);
  EXPECT_EQ(offered(), (Offered{true, false, true, false, true, true}));
  EXPECT_FALSE(ws.conditionsWindow().shown);
  EXPECT_TRUE(ws.mainWindowEnabled());
  EXPECT_EQ(ws.dialogState(OptionDialog::Dialog2).DEF, 2);
}

class ResultViewTest : public ConditionsTest {
 protected:
  void SetUp() override {
    ws.RN();
    ws.Command5();
    ASSERT_TRUE(ws.trialBatchOk());
    ws.Command6();
    ASSERT_TRUE(ws.adjustedResultsVisible());
  }
};

TEST_F(ResultViewTest, OkSwitchesTheVisibleList) {
  ws.openDialog(OptionDialog::Dialog8);
  EXPECT_FALSE(ws.mainWindowEnabled());
  ws.dialogOk(OptionDialog::Dialog8);  // option 0, the default
  EXPECT_TRUE(ws.resultsVisible());
  EXPECT_FALSE(ws.adjustedResultsVisible());
  EXPECT_TRUE(ws.mainWindowEnabled());
  ws.openDialog(OptionDialog::Dialog8);
  ws.selectOption(OptionDialog::Dialog8, 1);
  ws.dialogOk(OptionDialog::Dialog8);
  EXPECT_FALSE(ws.resultsVisible());
  EXPECT_TRUE(ws.adjustedResultsVisible());
}

TEST_F(ResultViewTest, CancelLeavesTheListAndRestoresTheSelection) {
  ws.openDialog(OptionDialog::Dialog8);
  ws.selectOption(OptionDialog::Dialog8, 1);
  ws.dialogCancel(OptionDialog::Dialog8);
  EXPECT_EQ(ws.conditions().resultView, ResultView::BeforeCorrection);
  EXPECT_TRUE(ws.adjustedResultsVisible());
  EXPECT_TRUE(ws.mainWindowEnabled());
}

TEST_F(ConditionsTest, ViewCannotOpenBeforeAnAdjustment) {
  ws.openDialog(OptionDialog::Dialog8);
  EXPECT_FALSE(ws.dialogState(OptionDialog::Dialog8).shown);
  EXPECT_TRUE(ws.mainWindowEnabled());
}

}  // namespace
}  // namespace veldora
