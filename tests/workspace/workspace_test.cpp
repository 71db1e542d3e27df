#include "workspace/workspace.h"

#include "engine/texts.h"
#include "tests/support/names.h"
#include "tests/support/recordingprompter.h"
#include "workspace/messages.h"

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace veldora {
namespace {

using std::string;
using testing_support::CaseName;
using Shown = testing_support::RecordingPrompter::Shown;

class WorkspaceTest : public testing::Test {
 protected:
  testing_support::RecordingPrompter prompter;
  Workspace ws{prompter};

  void runAndAcceptTheTrialBatch() {
    ws.design().run();
    ws.trialBatch().open();
    ASSERT_TRUE(ws.trialBatch().ok());
  }
};

struct RunCase {
  const char* name;
  std::vector<std::pair<Box, const char*>> texts;
  const char* message;  // nullptr for a complete run
  std::optional<int> focus;
  size_t lines;
};

class RunOutcome : public WorkspaceTest, public testing::WithParamInterface<RunCase> {};

// Every run reads all twelve boxes and enables the trial batch; a stopped run hides the list with
// its heading, a refused one empties it.
TEST_P(RunOutcome, ShowsTheListOrTheMessageWithItsFocus) {
  const RunCase& c = GetParam();
  for (const auto& [box, text] : c.texts) ws.design().setText(box, text);
  ws.design().setText(Box::Text12, "9");
  ws.design().run();
  EXPECT_EQ(ws.state().design.inputs.fineAbsorption, 9);
  EXPECT_TRUE(ws.state().mainWindow.trialBatchButtonEnabled);
  EXPECT_EQ(ws.state().mainWindow.results.size(), c.lines);
  EXPECT_EQ(ws.state().mainWindow.resultsVisible, c.message == nullptr);
  if (c.message) {
    EXPECT_EQ(prompter.shown, (std::vector<Shown>{{texts::kErrorTitle, c.message}}));
  } else {
    EXPECT_TRUE(prompter.shown.empty());
  }
  const std::optional<FocusTarget> focus = ws.state().focus.target;
  EXPECT_EQ(focus.has_value(), c.focus.has_value());
  if (focus && c.focus) {
    EXPECT_EQ(*focus, (FocusTarget{Window::Main, *c.focus}));
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, RunOutcome, testing::Values(
    RunCase{"complete",           {},                                   nullptr, {}, 15},
    RunCase{"empty_strength",     {{Box::Text3, ""}},                   texts::kStrengthRangeMessage, 3, 1},
    RunCase{"overflowing_input",  {{Box::Text11, "1E400"}},             texts::kCoarseAbsorptionMessage, 11, 1},
    RunCase{"slump_size_refused", {{Box::Text1, "150"}, {Box::Text2, "100"}}, texts::kSlumpSizeRefusal, 1, 0},
    RunCase{"not_computable",     {{Box::Text6, "1E-307"}},             texts::kNotComputableRefusal, {}, 0}),
    CaseName());
// clang-format on

TEST_F(WorkspaceTest, TheNextRunAfterAStopShowsOnlyItsOwnLines) {
  ws.design().setText(Box::Text3, "");
  ws.design().run();
  ws.design().setText(Box::Text3, "210");
  ws.design().run();
  EXPECT_TRUE(ws.state().mainWindow.resultsVisible);
  EXPECT_EQ(ws.state().mainWindow.results.size(), 15u);
}

TEST_F(WorkspaceTest, MembersHoldTheLastRunWhateverTheBoxesAndRowsSayNow) {
  ws.conditions().choose(OptionDialog::Exposure, 2);
  ws.conditions().choose(OptionDialog::Cement, 1);
  ws.conditions().choose(OptionDialog::Exposure, 0);
  ws.conditions().choose(OptionDialog::ConcreteType, 1);
  ws.conditions().choose(OptionDialog::Environment, 2);
  ws.conditions().choose(OptionDialog::ConcreteType, 0);
  ws.design().run();
  EXPECT_EQ(ws.state().design.codes.cement, 2);
  EXPECT_EQ(ws.state().design.codes.environment, 3);
  EXPECT_EQ(ws.state().design.codes.concreteType, 1);
  ws.design().setText(Box::Text1, "100");
  EXPECT_EQ(ws.state().design.inputs.requiredSlump, 50);
}

TEST_F(WorkspaceTest, DisabledCommandsDoNothing) {
  EXPECT_FALSE(ws.state().mainWindow.trialBatchButtonEnabled);  // until a run
  EXPECT_FALSE(ws.state().mainWindow.adjustButtonEnabled);
  EXPECT_FALSE(ws.state().mainWindow.viewMenuEnabled);
  ws.trialBatch().open();
  ws.trialBatch().adjust();
  EXPECT_FALSE(ws.state().shows(Window::TrialBatch));
  EXPECT_TRUE(ws.state().mainWindow.adjustedResults.empty());
  ws.design().run();
  ws.trialBatch().open();
  // The main window is disabled while the trial-batch window is open: F5 and exit do nothing.
  ws.conditions().openWindow();
  EXPECT_FALSE(ws.state().shows(Window::Conditions));
  ws.design().setText(Box::Text1, "75");
  ws.design().run();
  EXPECT_EQ(ws.state().design.inputs.requiredSlump, 50);
  prompter.answer = true;
  ws.windows().confirmExit();
  EXPECT_FALSE(ws.state().mainWindow.programEnded);
  EXPECT_TRUE(prompter.shown.empty());
}

// The exit question ends the program on Yes only; the frame close box ends it and asks nothing,
// even while another window holds the user.
TEST_F(WorkspaceTest, TheProgramEndsOnExitYesOrTheFrameClose) {
  const Shown question{messages::kWarningTitle, messages::kExitQuestion, true};
  ws.windows().confirmExit();
  EXPECT_FALSE(ws.state().mainWindow.programEnded);
  prompter.answer = true;
  ws.windows().confirmExit();
  EXPECT_TRUE(ws.state().mainWindow.programEnded);
  EXPECT_EQ(prompter.shown, (std::vector<Shown>{question, question}));

  Workspace other(prompter);
  other.design().run();
  other.trialBatch().open();
  other.windows().closeMainWindow();
  EXPECT_TRUE(other.state().mainWindow.programEnded);
  EXPECT_EQ(prompter.shown.size(), 2u);
}

// "&SELECT CODE" is never available, so the design method dialog never opens from it; the
// method stays ACI-89 (the command line sets it directly).
TEST_F(WorkspaceTest, SelectCodeNeverOpensTheMethodDialog) {
  const auto openMethodDialog = [this] {
    ws.conditions().openDialog(OptionDialog::DesignMethod);
    EXPECT_FALSE(ws.state().mainWindow.selectCodeMenuEnabled);
    EXPECT_FALSE(ws.state().showsDialog(OptionDialog::DesignMethod));
    EXPECT_TRUE(ws.state().holds(Window::Main));
  };
  openMethodDialog();
  ws.design().run();
  openMethodDialog();
  prompter.answer = true;
  ws.files().newDesign();
  openMethodDialog();
  EXPECT_EQ(ws.state().conditions.method, DesignMethod::ACI89);
}

TEST(MainWindowRing, EnterDownAndUpGoRoundTwelveBoxes) {
  for (const auto& [box, forward, back] : {std::tuple{1, 2, 12}, {8, 9, 7}, {12, 1, 11}}) {
    EXPECT_EQ(DesignCommands::nextBox(static_cast<Box>(box), true), static_cast<Box>(forward));
    EXPECT_EQ(DesignCommands::nextBox(static_cast<Box>(box), false), static_cast<Box>(back));
  }
}

TEST_F(WorkspaceTest, TrialBatchFirstOpeningOffersTheLastRun) {
  ws.design().run();
  ws.trialBatch().open();
  const TrialBatchWindowState& t = ws.state().trialBatch;
  EXPECT_TRUE(ws.state().shows(Window::TrialBatch));
  EXPECT_FALSE(ws.state().holds(Window::Main));
  EXPECT_FALSE(t.airRowVisible);
  EXPECT_EQ(t.boxes, (std::array<string, 4>{" 50", " 2366", " 1.48", " 179"}));
  EXPECT_EQ(t.remembered, (std::array<std::int16_t, 4>{50, 2366, 1, 179}));
  EXPECT_EQ(ws.state().focus.target, (FocusTarget{Window::TrialBatch, 1}));

  ws.trialBatch().cancel();
  EXPECT_TRUE(ws.state().holds(Window::Main));
  EXPECT_FALSE(ws.state().mainWindow.adjustButtonEnabled);
  EXPECT_EQ(ws.state().trialBatch.text(3), " 1");  // Cancel restores the rounded value
}

// The first load comes after a run that stopped: the members are still zero, or the slump box
// holds what a 16-bit member cannot remember and the value is clamped.
TEST_F(WorkspaceTest, TrialBatchFirstLoadAfterAStoppedRun) {
  ws.design().setText(Box::Text1, "1E6");
  ws.design().run();
  ws.trialBatch().open();
  EXPECT_EQ(ws.state().trialBatch.boxes, (std::array<string, 4>{" 32767", " 0", " 0", " 0"}));
  EXPECT_EQ(ws.state().trialBatch.rememberedValue(1), 32767);
}

TEST_F(WorkspaceTest, TrialBatchLaterOpeningsKeepTheAcceptedValues) {
  ws.design().run();
  ws.trialBatch().open();
  ws.trialBatch().setText(2, "2400");
  ASSERT_TRUE(ws.trialBatch().ok());
  ws.design().setText(Box::Text1, "75");
  ws.design().run();
  ws.conditions().choose(OptionDialog::ConcreteType, 1);
  ws.trialBatch().open();
  EXPECT_TRUE(ws.state().trialBatch.airRowVisible);
  EXPECT_EQ(ws.state().trialBatch.text(1), " 50");
  EXPECT_EQ(ws.state().trialBatch.text(2), "2400");
}

struct CancelCase {
  const char* name;
  const char* typed;
  const char* restored;
};

class TrialBatchCancel : public WorkspaceTest, public testing::WithParamInterface<CancelCase> {};

TEST_P(TrialBatchCancel, RestoresTheRoundedAcceptedValue) {
  ws.conditions().choose(OptionDialog::ConcreteType, 1);
  ws.design().run();
  ws.trialBatch().open();
  ws.trialBatch().setText(3, GetParam().typed);
  ASSERT_TRUE(ws.trialBatch().ok());
  ws.trialBatch().open();
  ws.trialBatch().setText(3, "99");
  ws.trialBatch().cancel();
  EXPECT_EQ(ws.state().trialBatch.text(3), GetParam().restored);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, TrialBatchCancel, testing::Values(
    CancelCase{"half_down_to_even", "4.5",    " 4"},
    CancelCase{"half_up_to_even",   "5.5",    " 6"},
    CancelCase{"negative_half",     "-2.5",   "-2"},
    CancelCase{"empty",             "",       " 0"},
    CancelCase{"largest",           "32767",  " 32767"},
    CancelCase{"smallest",          "-32768", "-32768"}), CaseName());
// clang-format on

struct RangeCase {
  const char* name;
  bool airEntrained;
  std::array<const char*, 4> texts;  // boxes Text1..Text4
  int refusedBox;                    // 0: accepted
  std::int16_t airRemembered;
};

class TrialBatchRange : public WorkspaceTest, public testing::WithParamInterface<RangeCase> {};

TEST_P(TrialBatchRange, RefusesTheFirstVisibleBoxOutside16Bits) {
  const RangeCase& c = GetParam();
  if (c.airEntrained) ws.conditions().choose(OptionDialog::ConcreteType, 1);
  ws.design().run();
  ws.trialBatch().open();
  const auto before = ws.state().trialBatch.remembered;
  for (int box = 1; box <= 4; ++box)
    ws.trialBatch().setText(box, c.texts[static_cast<size_t>(box - 1)]);
  const bool accepted = ws.trialBatch().ok();
  if (c.refusedBox == 0) {
    EXPECT_TRUE(accepted);
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_TRUE(ws.state().mainWindow.adjustButtonEnabled);
    EXPECT_EQ(ws.state().trialBatch.rememberedValue(3),
              c.airRemembered);  // a hidden air box is clamped
    return;
  }
  EXPECT_FALSE(accepted);
  EXPECT_EQ(prompter.shown,
            (std::vector<Shown>{{texts::kErrorTitle, messages::kTrialValueOutOfRange}}));
  EXPECT_EQ(ws.state().focus.target, (FocusTarget{Window::TrialBatch, c.refusedBox}));
  EXPECT_EQ(ws.state().trialBatch.remembered, before);
  EXPECT_TRUE(ws.state().shows(Window::TrialBatch));
  EXPECT_FALSE(ws.state().holds(Window::Main));
  EXPECT_FALSE(ws.state().mainWindow.adjustButtonEnabled);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, TrialBatchRange, testing::Values(
    //        name                     air    slump      unit wt  air     water     refused air
    RangeCase{"in_range",              false, {"50",     "2400",  "2",    "200"},    0, 2},
    RangeCase{"just_in_range",         false, {"32767.4","2400",  "2",    "200"},    0, 2},
    RangeCase{"rounds_out_of_range",   false, {"32767.5","2400",  "2",    "200"},    1, 0},
    RangeCase{"unit_weight_too_large", false, {"50",     "40000", "2",    "200"},    2, 0},
    RangeCase{"top_to_bottom",         false, {"1E400",  "40000", "2",    "-1E9"},   1, 0},
    RangeCase{"water_too_small",       false, {"50",     "2400",  "2",    "-32769"}, 4, 0},
    RangeCase{"hidden_air_clamped",    false, {"50",     "2400",  "1E9",  "200"},    0, 32767},
    RangeCase{"hidden_air_clamped_low",false, {"50",     "2400",  "-1E9", "200"},    0, -32768},
    RangeCase{"shown_air_refused",     true,  {"50",     "2400",  "1E9",  "200"},    3, 0},
    RangeCase{"water_row_above_air",   true,  {"50",     "2400",  "1E9",  "1E9"},    4, 0}),
    CaseName());
// clang-format on

TEST_F(WorkspaceTest, TrialBatchKeysMoveCyclicallyOverTheVisibleBoxes) {
  ws.design().run();
  ws.trialBatch().open();
  // box, Enter or Down, Up; the air box Text3 is hidden and then shown.
  for (const auto& [box, forward, back] : {std::tuple{1, 2, 4}, {2, 4, 1}, {4, 1, 2}}) {
    EXPECT_EQ(ws.trialBatch().nextBox(box, true), forward);
    EXPECT_EQ(ws.trialBatch().nextBox(box, false), back);
  }
  ws.trialBatch().cancel();
  ws.conditions().choose(OptionDialog::ConcreteType, 1);
  ws.trialBatch().open();
  for (const auto& [box, forward, back] : {std::tuple{1, 2, 3}, {2, 4, 1}, {4, 3, 2}, {3, 1, 4}}) {
    EXPECT_EQ(ws.trialBatch().nextBox(box, true), forward);
    EXPECT_EQ(ws.trialBatch().nextBox(box, false), back);
  }
}

TEST_F(WorkspaceTest, AdjustmentFillsSecondListAndEnablesView) {
  runAndAcceptTheTrialBatch();
  EXPECT_TRUE(ws.state().mainWindow.adjustButtonEnabled);
  ws.trialBatch().adjust();
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_TRUE(ws.state().mainWindow.viewMenuEnabled);
  EXPECT_TRUE(ws.state().mainWindow.adjustedResultsVisible);
  EXPECT_FALSE(ws.state().mainWindow.resultsVisible);
  EXPECT_EQ(ws.state().mainWindow.results.size(), 15u);
  EXPECT_EQ(ws.state().mainWindow.adjustedResults.size(), 9u);
  EXPECT_NE(ws.state().design.proportions.airContent, 1.48);  // A' of the trial batch
  EXPECT_EQ(ws.state().adjusted.measured.unitWeight, 2366);

  const ResultsList adjusted = ws.state().mainWindow.adjustedResults;
  ws.design().run();
  EXPECT_TRUE(ws.state().mainWindow.resultsVisible);
  EXPECT_FALSE(ws.state().mainWindow.adjustedResultsVisible);
  EXPECT_EQ(ws.state().mainWindow.adjustedResults, adjusted);
  EXPECT_TRUE(ws.state().mainWindow.viewMenuEnabled);
  EXPECT_EQ(ws.state().design.proportions.airContent, 1.48);
}

TEST_F(WorkspaceTest, AdjustmentReadsConcreteTypeAndBoxesAtClickTime) {
  ws.design().run();
  ws.trialBatch().open();
  ws.trialBatch().setText(3, "5");
  ASSERT_TRUE(ws.trialBatch().ok());
  ws.conditions().choose(OptionDialog::ConcreteType, 1);
  ws.trialBatch().adjust();
  ASSERT_GE(ws.state().mainWindow.adjustedResults.size(), 2u);
  EXPECT_EQ(ws.state().mainWindow.adjustedResults[1], texts::kReduceAdmixture);  // 5 > 1.48
  EXPECT_EQ(ws.state().adjusted.measured.airContent, 5);
  EXPECT_EQ(ws.state().design.proportions.airContent, 1.48);
}

// After a stopped run the members are a mix of runs; a zero unit weight divides by zero. Either
// way the adjustment says so and changes nothing.
TEST_F(WorkspaceTest, AnAdjustmentThatCannotBeMadeChangesNothing) {
  for (const auto& [stopRun, unitWeight, message] :
       {std::tuple{true, "2366", messages::kAdjustmentNeedsRun},
        {false, "", texts::kAdjustmentNotComputable}}) {
    Workspace ws(prompter);
    prompter.shown.clear();
    ws.design().run();
    ws.trialBatch().open();
    ws.trialBatch().setText(2, unitWeight);
    ASSERT_TRUE(ws.trialBatch().ok());
    if (stopRun) {
      ws.design().setText(Box::Text4, "9");
      ws.design().run();
      prompter.shown.clear();
    }
    ws.trialBatch().adjust();
    EXPECT_EQ(prompter.shown, (std::vector<Shown>{{texts::kErrorTitle, message}}));
    EXPECT_FALSE(ws.state().mainWindow.viewMenuEnabled);
    EXPECT_FALSE(ws.state().mainWindow.adjustedResultsVisible);
    EXPECT_TRUE(ws.state().mainWindow.adjustedResults.empty());
    EXPECT_EQ(ws.state().adjusted.measured.slump, 0);
    EXPECT_EQ(ws.state().design.proportions.airContent, 1.48);
  }
}

}  // namespace
}  // namespace veldora
