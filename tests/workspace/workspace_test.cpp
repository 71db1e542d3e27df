// The design run, the trial batch and its adjustment, and the windows as a whole, through the
// workspace's commands.
#include "workspace/workspace.h"

#include "engine/texts.h"
#include "tests/support/files.h"
#include "tests/support/names.h"
#include "tests/support/recordingprompter.h"
#include "tests/support/script.h"
#include "workspace/messages.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace veldora {
namespace {

using std::string;
using testing_support::CaseName;
using testing_support::play;
using Shown = testing_support::RecordingPrompter::Shown;

class WorkspaceTest : public testing::Test {
 protected:
  testing_support::RecordingPrompter prompter;
  Workspace ws{prompter};
  const WorkspaceState& s = ws.state();
};

struct RunCase {
  const char* name;
  const char* script;
  const char* message;  // nullptr for a complete run
  std::optional<int> focus;
  size_t lines;
};

class RunOutcome : public WorkspaceTest, public testing::WithParamInterface<RunCase> {};

// Every run reads all twelve boxes and enables the trial batch; a stopped run hides the list with
// its heading, a refused one empties it; the next good run shows only its own lines.
TEST_P(RunOutcome, ShowsTheListOrTheMessageWithItsFocus) {
  const RunCase& c = GetParam();
  play(ws, "Text12=9 " + string(c.script) + " run");
  EXPECT_EQ(s.design.inputs.fineAbsorption, 9);
  EXPECT_TRUE(s.mainWindow.trialBatchButtonEnabled);
  EXPECT_EQ(s.mainWindow.results.size(), c.lines);
  EXPECT_EQ(s.mainWindow.resultsVisible, c.message == nullptr);
  EXPECT_EQ(s.completedRun.has_value(), c.message == nullptr);
  if (c.message) {
    EXPECT_EQ(prompter.shown, (std::vector<Shown>{{texts::kErrorTitle, c.message}}));
    EXPECT_EQ(s.focus.target ? std::optional(s.focus.target->box) : std::nullopt, c.focus);
    play(ws, "Text1=50 Text2=25.4 Text3=210 Text6=3.15 Text11=0.5 run");
    EXPECT_TRUE(s.mainWindow.resultsVisible);
    EXPECT_EQ(s.mainWindow.results.size(), 15u);
  } else {
    EXPECT_TRUE(prompter.shown.empty());
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, RunOutcome, testing::Values(
    RunCase{"complete",           "",                       nullptr, {}, 15},
    RunCase{"empty_strength",     "Text3=",                 texts::kStrengthRangeMessage, 3, 1},
    RunCase{"overflowing_input",  "Text11=1E400",           texts::kCoarseAbsorptionMessage, 11, 1},
    RunCase{"slump_size_refused", "Text1=150 Text2=100",    texts::kSlumpSizeRefusal, 1, 0},
    RunCase{"not_computable",     "Text6=1E-307",           texts::kNotComputableRefusal, {}, 0}),
    CaseName());
// clang-format on

// While another window holds the user the main window's commands do nothing, and a window's
// commands do nothing while it does not hold the user.
TEST_F(WorkspaceTest, OnlyTheWindowThatHoldsTheUserTakesCommands) {
  play(ws, "trial adjust");  // the trial batch is offered by a run, the adjustment by its OK
  EXPECT_EQ(s.holder.window, Window::Main);
  EXPECT_TRUE(s.mainWindow.adjustedResults.empty());
  prompter.answer = true;
  play(ws, "run trial conditions Text1=75 run exit report Dialog8 ok dialog-ok");
  EXPECT_EQ(s.holder, (Holder{Window::TrialBatch, OptionDialog::Workability, false}));
  EXPECT_EQ(s.design.inputs.requiredSlump, 50);
  EXPECT_FALSE(s.mainWindow.programEnded);
  EXPECT_TRUE(prompter.shown.empty());
  play(ws, "trial-cancel trial-ok Trial1=9");
  EXPECT_EQ(s.trialBatch.text(TrialBox::Slump), " 50");
  EXPECT_FALSE(s.mainWindow.adjustButtonEnabled);
}

// The exit question ends the program on Yes only; the frame's close box ends it and asks nothing,
// even while another window holds the user.
TEST_F(WorkspaceTest, TheProgramEndsOnExitYesOrTheFrameClose) {
  const Shown question{messages::kWarningTitle, messages::kExitQuestion, true};
  play(ws, "exit");
  EXPECT_FALSE(s.mainWindow.programEnded);
  prompter.answer = true;
  play(ws, "exit");
  EXPECT_TRUE(s.mainWindow.programEnded);
  EXPECT_FALSE(s.shows(Window::Main));
  EXPECT_EQ(prompter.shown, (std::vector<Shown>{question, question}));

  Workspace other(prompter);
  play(other, "run trial");
  other.windows().closeMainWindow();
  EXPECT_TRUE(other.state().mainWindow.programEnded);
  EXPECT_FALSE(other.state().shows(Window::TrialBatch));
  EXPECT_EQ(prompter.shown.size(), 2u);
}

// Closing the main window through the window manager asks as Exit does only where the design
// differs from the one last opened, saved or started: the user's texts, choices and accepted
// trial values, not what the runs make available.
struct UnsavedCase {
  const char* name;
  const char* script;  // before the close; a Save As saves to a file of its own
  bool asks;
};

class UnsavedWork : public WorkspaceTest, public testing::WithParamInterface<UnsavedCase> {};

TEST_P(UnsavedWork, IsAskedForOnClose) {
  const testing_support::TemporaryFolder folder;
  prompter.answer = true;
  prompter.choices = {folder.path("d.vdr"), folder.path("d.vdr")};
  play(ws, GetParam().script);
  prompter.shown.clear();
  prompter.answer = false;
  play(ws, "close");
  const Shown question{messages::kWarningTitle, messages::kExitQuestion, true};
  EXPECT_EQ(prompter.shown, GetParam().asks ? std::vector<Shown>{question} : std::vector<Shown>{});
  EXPECT_EQ(s.mainWindow.programEnded, !GetParam().asks);  // No keeps the program
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, UnsavedWork, testing::Values(
    UnsavedCase{"at_start",                 "",                                     false},
    UnsavedCase{"after_runs_and_windows",   "run trial trial-cancel run conditions cancel", false},
    UnsavedCase{"a_box_typed",              "Text1=75",                             true},
    UnsavedCase{"typed_back_as_it_was",     "Text1=75 Text1=50",                    false},
    UnsavedCase{"a_condition_chosen",       "choose:Dialog4=1",                     true},
    UnsavedCase{"a_trial_batch_accepted",   "run trial Trial1=30 trial-ok",         true},
    UnsavedCase{"saved",                    "Text1=75 run trial trial-ok save-as",  false},
    UnsavedCase{"typed_after_the_save",     "Text1=75 save-as Text2=19",            true},
    UnsavedCase{"opened",                   "Text1=75 save-as Text1=100 open",      false},
    UnsavedCase{"new_design",               "Text1=75 new",                         false}),
    CaseName());
// clang-format on

// Save onto a file that another program has written since: asked first, No the default and
// nothing written; Yes writes; a file this program wrote last is saved without a word.
TEST_F(WorkspaceTest, SaveAsksBeforeReplacingAFileAnotherProgramWrote) {
  const testing_support::TemporaryFolder folder;
  const string path = folder.path("d.vdr");
  prompter.choices = {path};
  play(ws, "Text1=75 save-as Text1=100 save");
  EXPECT_TRUE(prompter.shown.empty());
  // Another program rewrites the file: a writer that is not the workspace, as an editor is.
  testing_support::writeFile(path, "another program");
  play(ws, "save");
  const Shown question{messages::kWarningTitle, messages::fileChangedQuestion(path), true};
  EXPECT_EQ(prompter.shown, std::vector<Shown>{question});
  EXPECT_EQ(testing_support::readFile(path), "another program");
  prompter.answer = true;
  play(ws, "save save");
  EXPECT_EQ(prompter.shown, (std::vector<Shown>{question, question}));
  EXPECT_EQ(testing_support::readFile(path).substr(0, 5), "100\r\n");
}

// The first opening offers the last run (clamped where a stopped run left a value 16 bits cannot
// hold); later openings keep the accepted values whatever runs came since.
TEST_F(WorkspaceTest, TrialBatchOpenings) {
  play(ws, "run trial");
  const TrialBatchWindowState& t = s.trialBatch;
  EXPECT_TRUE(s.shows(Window::TrialBatch));
  EXPECT_FALSE(s.holds(Window::Main));
  EXPECT_FALSE(t.airRowVisible);
  EXPECT_EQ(t.boxes, (std::array<string, 4>{" 50", " 2366", " 1.48", " 179"}));
  EXPECT_EQ(t.remembered, (std::array<std::int16_t, 4>{50, 2366, 1, 179}));
  EXPECT_EQ(s.focus.target, (FocusTarget{Window::TrialBatch, 1}));
  play(ws, "trial-cancel");
  EXPECT_FALSE(s.mainWindow.adjustButtonEnabled);
  EXPECT_EQ(t.text(TrialBox::Air), " 1");  // Cancel restores the rounded value

  play(ws, "trial Trial2=2400 trial-ok Text1=75 run choose:Dialog4=1 trial");
  EXPECT_TRUE(t.airRowVisible);
  EXPECT_EQ(t.text(TrialBox::Slump), " 50");
  EXPECT_EQ(t.text(TrialBox::UnitWeight), "2400");

  Workspace stopped(prompter);
  play(stopped, "Text1=1E6 run trial");
  EXPECT_EQ(stopped.state().trialBatch.boxes, (std::array<string, 4>{" 32767", " 0", " 0", " 0"}));
}

struct CancelCase {
  const char* name;
  const char* typed;
  const char* restored;
};

class TrialBatchCancel : public WorkspaceTest, public testing::WithParamInterface<CancelCase> {};

TEST_P(TrialBatchCancel, RestoresTheRoundedAcceptedValue) {
  play(ws, "choose:Dialog4=1 run trial Trial3=" + string(GetParam().typed) +
               " trial-ok trial Trial3=99 trial-cancel");
  EXPECT_EQ(s.trialBatch.text(TrialBox::Air), GetParam().restored);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, TrialBatchCancel, testing::Values(
    CancelCase{"half_down_to_even", "4.5",    " 4"},
    CancelCase{"negative_half",     "-2.5",   "-2"},
    CancelCase{"empty",             "",       " 0"},
    CancelCase{"smallest",          "-32768", "-32768"}), CaseName());
// clang-format on

struct RangeCase {
  const char* name;
  bool airEntrained;
  const char* texts;  // the boxes, Trial1..Trial4
  int refusedBox;     // 0: accepted
  std::int16_t airRemembered;
};

class TrialBatchRange : public WorkspaceTest, public testing::WithParamInterface<RangeCase> {};

// OK refuses the first visible box, top to bottom, outside 16 bits; a hidden air box is clamped.
TEST_P(TrialBatchRange, RefusesTheFirstVisibleBoxOutside16Bits) {
  const RangeCase& c = GetParam();
  play(ws, string(c.airEntrained ? "choose:Dialog4=1 " : "") + "run trial");
  const auto before = s.trialBatch.remembered;
  play(ws, string(c.texts) + " trial-ok");
  if (c.refusedBox == 0) {
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_TRUE(s.mainWindow.adjustButtonEnabled);
    EXPECT_EQ(s.trialBatch.rememberedValue(TrialBox::Air), c.airRemembered);
    return;
  }
  EXPECT_EQ(prompter.shown,
            (std::vector<Shown>{{texts::kErrorTitle, messages::kTrialValueOutOfRange}}));
  EXPECT_EQ(s.focus.target, (FocusTarget{Window::TrialBatch, c.refusedBox}));
  EXPECT_EQ(s.trialBatch.remembered, before);
  EXPECT_TRUE(s.holds(Window::TrialBatch));
  EXPECT_FALSE(s.mainWindow.adjustButtonEnabled);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, TrialBatchRange, testing::Values(
    RangeCase{"in_range",               false, "Trial1=50 Trial2=2400 Trial3=2 Trial4=200",           0, 2},
    RangeCase{"rounds_out_of_range",    false, "Trial1=32767.5",                                     1, 0},
    RangeCase{"top_to_bottom",          false, "Trial1=1E400 Trial2=40000 Trial4=-1E9",               1, 0},
    RangeCase{"water_too_small",        false, "Trial4=-32769",                                      4, 0},
    RangeCase{"hidden_air_clamped",     false, "Trial3=1E9",                                         0, 32767},
    RangeCase{"shown_air_refused",      true,  "Trial3=1E9",                                         3, 0},
    RangeCase{"water_row_above_air",    true,  "Trial3=1E9 Trial4=1E9",                               4, 0}),
    CaseName());
// clang-format on

// The adjustment fills the second list and enables VIEW; a new run shows the first list again and
// gives the design back its own air content, keeping the adjusted lines.
TEST_F(WorkspaceTest, AdjustmentFillsTheSecondList) {
  play(ws, "run trial trial-ok adjust");
  EXPECT_TRUE(prompter.shown.empty());
  EXPECT_TRUE(s.mainWindow.viewMenuEnabled);
  EXPECT_TRUE(s.mainWindow.adjustedResultsVisible);
  EXPECT_FALSE(s.mainWindow.resultsVisible);
  EXPECT_EQ(s.mainWindow.adjustedResults.size(), 9u);
  EXPECT_NE(s.design.proportions.airContent, 1.48);  // A' of the trial batch
  EXPECT_EQ(s.adjusted.measured.unitWeight, 2366);
  const ResultsList adjusted = s.mainWindow.adjustedResults;
  play(ws, "run");
  EXPECT_TRUE(s.mainWindow.resultsVisible);
  EXPECT_FALSE(s.mainWindow.adjustedResultsVisible);
  EXPECT_EQ(s.mainWindow.adjustedResults, adjusted);
  EXPECT_TRUE(s.mainWindow.viewMenuEnabled);
  EXPECT_EQ(s.design.proportions.airContent, 1.48);
}

// The boxes and the concrete type are read when Command6 is pressed.
TEST_F(WorkspaceTest, AdjustmentReadsConcreteTypeAndBoxesAtClickTime) {
  play(ws, "run trial Trial3=5 trial-ok choose:Dialog4=1 adjust");
  ASSERT_GE(s.mainWindow.adjustedResults.size(), 2u);
  EXPECT_EQ(s.mainWindow.adjustedResults[1], textLine(texts::kReduceAdmixture));  // 5 > 1.48
  EXPECT_EQ(s.adjusted.measured.airContent, 5);
  EXPECT_EQ(s.design.proportions.airContent, 1.48);
}

// After a stopped run the members are a mix of runs; a zero unit weight divides by zero. Either
// way the adjustment says so and changes nothing.
TEST_F(WorkspaceTest, AnAdjustmentThatCannotBeMadeChangesNothing) {
  for (const auto& [script, message] :
       {std::pair{"run trial trial-ok Text4=9 run", messages::kAdjustmentNeedsRun},
        {"run trial Trial2= trial-ok", texts::kAdjustmentNotComputable}}) {
    Workspace ws(prompter);
    play(ws, script);
    prompter.shown.clear();
    play(ws, "adjust");
    EXPECT_EQ(prompter.shown, (std::vector<Shown>{{texts::kErrorTitle, message}}));
    EXPECT_FALSE(ws.state().mainWindow.viewMenuEnabled);
    EXPECT_TRUE(ws.state().mainWindow.adjustedResults.empty());
    EXPECT_EQ(ws.state().adjusted.measured.slump, 0);
    EXPECT_EQ(ws.state().design.proportions.airContent, 1.48);
  }
}

// The windows follow one announcement per command, however many commands it gives inside, and
// one before each message or question, which then already sees the state it is about. Each entry
// is how many messages were up before that announcement.
struct AnnouncementCase {
  const char* name;
  const char* script;
  std::vector<size_t> messagesBefore;
};

class Announcements : public WorkspaceTest, public testing::WithParamInterface<AnnouncementCase> {};

TEST_P(Announcements, OnePerCommandAndOneBeforeEachMessage) {
  std::vector<size_t> seen;
  const auto subscription = ws.subscribe([&] { seen.push_back(prompter.shown.size()); });
  play(ws, GetParam().script);
  EXPECT_EQ(seen, GetParam().messagesBefore);
  EXPECT_EQ(ws.commandsWhileAnnouncing(), 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Announcements, testing::Values(
    AnnouncementCase{"typing",                "Text1=60",                {0}},
    AnnouncementCase{"run_and_its_lists",     "run",                     {0}},
    AnnouncementCase{"refused_run",           "Text3= run",              {0, 0, 1}},
    AnnouncementCase{"not_holding_the_user",  "trial-ok dialog-ok",      {0, 0}},
    AnnouncementCase{"new_asked_and_refused", "Text1=60 new",            {0, 0, 1}},
    AnnouncementCase{"conditions_and_dialog", "conditions Dialog1 option1 dialog-ok ok", {0, 0, 0, 0, 0}},
    AnnouncementCase{"trial_batch_refused",   "run trial Trial1=99999 trial-ok", {0, 0, 0, 0, 1}}),
    CaseName());
// clang-format on

// An observer may end another's subscription, or its own, while the state is announced: the ended
// one is called no more, the others still are.
TEST_F(WorkspaceTest, ASubscriptionEndedWhileAnnouncingIsCalledNoMore) {
  int calls = 0;
  std::unique_ptr<Workspace::Subscription> first;
  std::unique_ptr<Workspace::Subscription> second;
  first = ws.subscribe([&] {
    second.reset();
    first.reset();
  });
  second = ws.subscribe([&] { ++calls; });
  auto third = ws.subscribe([&] { ++calls; });
  play(ws, "Text1=60 Text1=70");
  EXPECT_EQ(calls, 2);
  EXPECT_FALSE(first);
}

}  // namespace
}  // namespace veldora
