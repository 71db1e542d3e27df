#include "workspace.h"

#include "messages.h"
#include "texts.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace veldora {
namespace {

using std::string;

class FakePrompter : public Prompter {
 public:
  void showMessage(const string& title, const string& text) override {
    shown.push_back({title, text});
  }
  bool askYesNo(const string&, const string&) override {
    ++questions;
    return answer;
  }
  std::optional<string> chooseFile(const FileDialogRequest&) override { return std::nullopt; }
  struct Shown {
    string title, text;
  };
  std::vector<Shown> shown;
  int questions = 0;
  bool answer = false;
};

class WorkspaceTest : public testing::Test {
 protected:
  FakePrompter prompter;
  Workspace ws{prompter};

  void openTrialBatchAndAccept() {
    ws.Command5();
    ASSERT_TRUE(ws.trialBatchOk());
  }
};

TEST_F(WorkspaceTest, StartsWithInitialTextsAndDisabledCommands) {
  const char* initial[] = {"50",   "25.4", "210", "2.8", "1700", "3.15",
                           "2.68", "2.64", "0.5", "0.7", "0.5",  "0.7"};
  for (int i = 1; i <= kBoxCount; ++i) EXPECT_EQ(ws.text(static_cast<Box>(i)), initial[i - 1]);
  EXPECT_FALSE(ws.command5Enabled());
  EXPECT_FALSE(ws.command6Enabled());
  EXPECT_FALSE(ws.menViewEnabled());
  EXPECT_TRUE(ws.results().empty());
  EXPECT_FALSE(ws.adjustedResultsVisible());
  EXPECT_EQ(ws.inputs().SL, 0);
  EXPECT_EQ(ws.codes().WORK, 0);
}

TEST_F(WorkspaceTest, CompleteRunShowsFifteenLinesAndEnablesTrialBatch) {
  ws.RN();
  EXPECT_EQ(ws.results().size(), 15u);
  EXPECT_TRUE(ws.resultsVisible());
  EXPECT_TRUE(ws.command5Enabled());
  EXPECT_FALSE(ws.command6Enabled());
  EXPECT_FALSE(ws.menViewEnabled());
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_FALSE(ws.focusRequest());
}

TEST_F(WorkspaceTest, StoppedRunHidesListFocusesBoxAndStillReadsEveryBox) {
  ws.setText(Box::Text3, "");
  ws.setText(Box::Text12, "9");
  ws.RN();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].title, texts::kErrorTitle);
  EXPECT_EQ(prompter.shown[0].text, texts::kStrengthRangeMessage);
  EXPECT_FALSE(ws.resultsVisible());
  EXPECT_EQ(ws.results(), ResultsList{texts::kHeadingAci89});
  EXPECT_EQ(ws.takeFocusRequest(), (FocusTarget{Window::Form1, 3}));
  EXPECT_FALSE(ws.takeFocusRequest());
  EXPECT_TRUE(ws.command5Enabled());
  EXPECT_EQ(ws.inputs().FC, 0);
  EXPECT_EQ(ws.inputs().wgd, 9);

  ws.setText(Box::Text3, "210");
  ws.RN();
  EXPECT_TRUE(ws.resultsVisible());
  EXPECT_EQ(ws.results().size(), 15u);
}

TEST_F(WorkspaceTest, RefusedRunEmptiesTheList) {
  ws.setText(Box::Text1, "150");
  ws.setText(Box::Text2, "100");
  ws.RN();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, texts::kSlumpSizeRefusal);
  EXPECT_TRUE(ws.results().empty());
  EXPECT_FALSE(ws.resultsVisible());
  EXPECT_EQ(ws.takeFocusRequest(), (FocusTarget{Window::Form1, 1}));
}

TEST_F(WorkspaceTest, OverflowingInputFailsItsOwnCheck) {
  ws.setText(Box::Text11, "1E400");
  ws.RN();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, texts::kCoarseAbsorptionMessage);
  EXPECT_EQ(ws.takeFocusRequest(), (FocusTarget{Window::Form1, 11}));
}

TEST_F(WorkspaceTest, BoxesChangedAfterARunDoNotReachTheMembers) {
  ws.RN();
  ws.setText(Box::Text1, "100");
  EXPECT_EQ(ws.inputs().SL, 50);
}

TEST_F(WorkspaceTest, ConditionsThatAreNoLongerOfferedStillCount) {
  ws.conditions().exposure = ExposureClass::SeawaterSulfate;
  ws.conditions().cement = CementType::SulfateResisting;
  ws.conditions().exposure = ExposureClass::Normal;
  ws.conditions().concreteType = ConcreteType::AirEntrained;
  ws.conditions().environment = EnvironmentClass::Severe;
  ws.conditions().concreteType = ConcreteType::NonAirEntrained;
  ws.RN();
  EXPECT_EQ(ws.codes().CEM, 2);
  EXPECT_EQ(ws.codes().MH, 3);
  EXPECT_EQ(ws.codes().AIR, 1);
}

TEST_F(WorkspaceTest, DisabledCommandsDoNothing) {
  ws.Command5();  // disabled until a run
  ws.Command6();
  EXPECT_FALSE(ws.trialBatch().shown);
  EXPECT_TRUE(ws.adjustedResults().empty());
  ws.RN();
  ws.Command5();
  // The main window is disabled while the trial-batch window is open: F5 and exit do nothing.
  ws.Command3();
  EXPECT_FALSE(ws.conditionsWindow().shown);
  ws.setText(Box::Text1, "75");
  ws.RN();
  EXPECT_EQ(ws.inputs().SL, 50);
  prompter.answer = true;
  ws.ed();
  EXPECT_FALSE(ws.programEnded());
}

// The exit question ends the program on Yes only; the frame close box ends it and asks nothing,
// even while another window holds the user.
TEST_F(WorkspaceTest, TheProgramEndsOnExitYesOrTheFrameClose) {
  prompter.answer = false;
  ws.ed();
  EXPECT_FALSE(ws.programEnded());
  prompter.answer = true;
  ws.ed();
  EXPECT_TRUE(ws.programEnded());

  Workspace other(prompter);
  other.RN();
  other.Command5();
  const int asked = prompter.questions;
  other.closeMainWindow();
  EXPECT_TRUE(other.programEnded());
  EXPECT_EQ(prompter.questions, asked);
}

// "&SELECT CODE" is never available, so the design method dialog never opens from it; the
// method stays ACI-89 (the command line sets it directly).
TEST_F(WorkspaceTest, SelectCodeNeverOpensTheMethodDialog) {
  const auto openMethodDialog = [this] {
    ws.openDialog(OptionDialog::Dialog7);
    EXPECT_FALSE(ws.selectCodeEnabled());
    EXPECT_FALSE(ws.dialogState(OptionDialog::Dialog7).shown);
    EXPECT_TRUE(ws.mainWindowEnabled());
  };
  openMethodDialog();
  ws.RN();
  openMethodDialog();
  ws.nw();
  openMethodDialog();
  EXPECT_EQ(ws.conditions().method, DesignMethod::ACI89);
}

struct RingCase {
  int box;
  int forward;
  int back;
};

class MainWindowRing : public testing::TestWithParam<RingCase> {};

TEST_P(MainWindowRing, EnterDownAndUpGoRoundTwelveBoxes) {
  EXPECT_EQ(Workspace::nextBox(static_cast<Box>(GetParam().box), true),
            static_cast<Box>(GetParam().forward));
  EXPECT_EQ(Workspace::nextBox(static_cast<Box>(GetParam().box), false),
            static_cast<Box>(GetParam().back));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, MainWindowRing, testing::Values(
    RingCase{1,  2, 12},
    RingCase{8,  9, 7},
    RingCase{12, 1, 11}));
// clang-format on

TEST_F(WorkspaceTest, TrialBatchFirstOpeningOffersTheLastRun) {
  ws.RN();
  ws.Command5();
  const TrialBatchWindow& t = ws.trialBatch();
  EXPECT_TRUE(t.shown);
  EXPECT_FALSE(ws.mainWindowEnabled());
  EXPECT_FALSE(t.airRowVisible);
  EXPECT_EQ(t.text(1), " 50");
  EXPECT_EQ(t.text(2), " 2366");
  EXPECT_EQ(t.text(3), " 1.48");
  EXPECT_EQ(t.text(4), " 179");
  EXPECT_EQ(t.def(1), 50);
  EXPECT_EQ(t.def(2), 2366);
  EXPECT_EQ(t.def(3), 1);
  EXPECT_EQ(t.def(4), 179);
  EXPECT_EQ(ws.takeFocusRequest(), (FocusTarget{Window::Dialog6, 1}));

  ws.trialBatchCancel();
  EXPECT_TRUE(ws.mainWindowEnabled());
  EXPECT_FALSE(ws.command6Enabled());
  EXPECT_EQ(ws.trialBatch().text(3), " 1");  // Cancel restores the rounded value
}

TEST_F(WorkspaceTest, TrialBatchBeforeAnyCompleteRunOffersZeros) {
  ws.setText(Box::Text1, "abc");
  ws.setText(Box::Text2, "1");
  ws.RN();
  ws.Command5();
  EXPECT_EQ(ws.trialBatch().text(1), " 0");
  EXPECT_EQ(ws.trialBatch().text(2), " 0");
  EXPECT_EQ(ws.trialBatch().text(3), " 0");
  EXPECT_EQ(ws.trialBatch().text(4), " 0");
}

TEST_F(WorkspaceTest, TrialBatchLaterOpeningsKeepTheAcceptedValues) {
  ws.RN();
  ws.Command5();
  ws.setTrialText(2, "2400");
  ASSERT_TRUE(ws.trialBatchOk());
  ws.setText(Box::Text1, "75");
  ws.RN();
  ws.conditions().concreteType = ConcreteType::AirEntrained;
  ws.Command5();
  EXPECT_TRUE(ws.trialBatch().airRowVisible);
  EXPECT_EQ(ws.trialBatch().text(1), " 50");
  EXPECT_EQ(ws.trialBatch().text(2), "2400");
}

struct CancelCase {
  const char* typed;
  const char* restored;
};

class TrialBatchCancel : public testing::TestWithParam<CancelCase> {};

TEST_P(TrialBatchCancel, RestoresTheRoundedAcceptedValue) {
  FakePrompter prompter;
  Workspace ws(prompter);
  ws.conditions().concreteType = ConcreteType::AirEntrained;
  ws.RN();
  ws.Command5();
  ws.setTrialText(3, GetParam().typed);
  ASSERT_TRUE(ws.trialBatchOk());
  ws.Command5();
  ws.setTrialText(3, "99");
  ws.trialBatchCancel();
  EXPECT_EQ(ws.trialBatch().text(3), GetParam().restored);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, TrialBatchCancel, testing::Values(
    CancelCase{"4.5",    " 4"},
    CancelCase{"5.5",    " 6"},
    CancelCase{"-2.5",   "-2"},
    CancelCase{"",       " 0"},
    CancelCase{"32767",  " 32767"},
    CancelCase{"-32768", "-32768"}));
// clang-format on

struct RangeCase {
  bool airEntrained;
  std::array<const char*, 4> texts;  // boxes Text1..Text4
  int refusedBox;                    // 0: accepted
};

class TrialBatchRange : public testing::TestWithParam<RangeCase> {};

TEST_P(TrialBatchRange, RefusesTheFirstVisibleBoxOutside16Bits) {
  FakePrompter prompter;
  Workspace ws(prompter);
  if (GetParam().airEntrained) ws.conditions().concreteType = ConcreteType::AirEntrained;
  ws.RN();
  ws.Command5();
  ws.takeFocusRequest();
  const auto before = ws.trialBatch().DEF;
  for (int box = 1; box <= 4; ++box) ws.setTrialText(box, GetParam().texts[box - 1]);
  const bool accepted = ws.trialBatchOk();
  if (GetParam().refusedBox == 0) {
    EXPECT_TRUE(accepted);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_TRUE(ws.command6Enabled());
    return;
  }
  EXPECT_FALSE(accepted);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, messages::kTrialValueOutOfRange);
  EXPECT_EQ(ws.takeFocusRequest(), (FocusTarget{Window::Dialog6, GetParam().refusedBox}));
  EXPECT_EQ(ws.trialBatch().DEF, before);
  EXPECT_TRUE(ws.trialBatch().shown);
  EXPECT_FALSE(ws.mainWindowEnabled());
  EXPECT_FALSE(ws.command6Enabled());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, TrialBatchRange, testing::Values(
    //        air    slump     unit wt   air       water     refused
    RangeCase{false, {"50",    "2400",   "2",      "200"},   0},
    RangeCase{false, {"32767.4","2400",  "2",      "200"},   0},
    RangeCase{false, {"32767.5","2400",  "2",      "200"},   1},   // rounds to 32768
    RangeCase{false, {"50",    "40000",  "2",      "200"},   2},
    RangeCase{false, {"1E400", "40000",  "2",      "-1E9"},  1},   // top to bottom
    RangeCase{false, {"50",    "2400",   "2",      "-32769"},4},
    RangeCase{false, {"50",    "2400",   "1E9",    "200"},   0},   // hidden air is clamped
    RangeCase{true,  {"50",    "2400",   "1E9",    "200"},   3},
    RangeCase{true,  {"50",    "2400",   "1E9",    "1E9"},   4}));  // water row is above air
// clang-format on

struct MoveCase {
  bool airVisible;
  int box;
  int forward;
  int back;
};

class TrialBatchKeys : public testing::TestWithParam<MoveCase> {};

TEST_P(TrialBatchKeys, MoveCyclicallyOverTheVisibleBoxes) {
  FakePrompter prompter;
  Workspace ws(prompter);
  if (GetParam().airVisible) ws.conditions().concreteType = ConcreteType::AirEntrained;
  ws.RN();
  ws.Command5();
  EXPECT_EQ(ws.nextTrialBox(GetParam().box, true), GetParam().forward);
  EXPECT_EQ(ws.nextTrialBox(GetParam().box, false), GetParam().back);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, TrialBatchKeys, testing::Values(
    //       air    box  Enter/Down  Up
    MoveCase{true,  1,   2,          3},
    MoveCase{true,  2,   4,          1},
    MoveCase{true,  4,   3,          2},
    MoveCase{true,  3,   1,          4},
    MoveCase{false, 1,   2,          4},
    MoveCase{false, 2,   4,          1},
    MoveCase{false, 4,   1,          2}));
// clang-format on

TEST_F(WorkspaceTest, HiddenAirBoxIsClampedOnOk) {
  ws.RN();
  ws.Command5();
  ws.setTrialText(3, "-1E9");
  ASSERT_TRUE(ws.trialBatchOk());
  EXPECT_EQ(ws.trialBatch().def(3), -32768);
}

TEST_F(WorkspaceTest, FirstLoadClampsWhatA16BitMemberCannotHold) {
  ws.setText(Box::Text1, "1E6");
  ws.RN();  // stops at the slump check, but Command5 is enabled
  ws.Command5();
  EXPECT_EQ(ws.trialBatch().text(1), " 32767");
  EXPECT_EQ(ws.trialBatch().def(1), 32767);
}

TEST_F(WorkspaceTest, AdjustmentFillsSecondListAndEnablesView) {
  ws.RN();
  openTrialBatchAndAccept();
  EXPECT_TRUE(ws.command6Enabled());
  ws.Command6();
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_TRUE(ws.menViewEnabled());
  EXPECT_TRUE(ws.adjustedResultsVisible());
  EXPECT_FALSE(ws.resultsVisible());
  EXPECT_EQ(ws.results().size(), 15u);
  EXPECT_EQ(ws.adjustedResults().size(), 9u);
  EXPECT_NE(ws.proportions().AIRP, 1.48);  // A' of the trial batch
  EXPECT_EQ(ws.adjusted().roc1, 2366);

  const ResultsList adjusted = ws.adjustedResults();
  ws.RN();
  EXPECT_TRUE(ws.resultsVisible());
  EXPECT_FALSE(ws.adjustedResultsVisible());
  EXPECT_EQ(ws.adjustedResults(), adjusted);
  EXPECT_TRUE(ws.menViewEnabled());
  EXPECT_EQ(ws.proportions().AIRP, 1.48);
}

TEST_F(WorkspaceTest, AdjustmentReadsConcreteTypeAndBoxesAtClickTime) {
  ws.RN();
  openTrialBatchAndAccept();
  ws.conditions().concreteType = ConcreteType::AirEntrained;
  ws.setTrialText(3, "5");
  ws.Command6();
  ASSERT_GE(ws.adjustedResults().size(), 2u);
  EXPECT_EQ(ws.adjustedResults()[1], texts::kReduceAdmixture);  // 5 > 1.48
  EXPECT_EQ(ws.adjusted().airp1, 5);
  EXPECT_EQ(ws.proportions().AIRP, 1.48);
}

TEST_F(WorkspaceTest, AdjustmentAfterAStoppedRunChangesNothing) {
  ws.RN();
  openTrialBatchAndAccept();
  ws.setText(Box::Text4, "9");
  ws.RN();
  prompter.shown.clear();
  ws.Command6();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, messages::kAdjustmentNeedsRun);
  EXPECT_FALSE(ws.menViewEnabled());
  EXPECT_FALSE(ws.adjustedResultsVisible());
  EXPECT_TRUE(ws.adjustedResults().empty());
  EXPECT_EQ(ws.adjusted().sl1, 0);
}

TEST_F(WorkspaceTest, AdjustmentWithZeroUnitWeightChangesNothing) {
  ws.RN();
  ws.Command5();
  ws.setTrialText(2, "");
  ASSERT_TRUE(ws.trialBatchOk());
  ws.Command6();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, texts::kAdjustmentNotComputable);
  EXPECT_FALSE(ws.menViewEnabled());
  EXPECT_TRUE(ws.resultsVisible());
  EXPECT_FALSE(ws.adjustedResultsVisible());
  EXPECT_EQ(ws.proportions().AIRP, 1.48);
}

}  // namespace
}  // namespace veldora
