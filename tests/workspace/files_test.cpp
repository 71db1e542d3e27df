#include "tests/support/files.h"

#include "engine/texts.h"
#include "tests/support/lines.h"
#include "tests/support/names.h"
#include "tests/support/recordingprompter.h"
#include "tests/support/script.h"
#include "workspace/messages.h"
#include "workspace/workspace.h"

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace veldora {
namespace {

using std::string;

using Shown = testing_support::RecordingPrompter::Shown;
using testing_support::play;
using testing_support::readFile;
using testing_support::writeFile;

class FileCommands : public testing::Test {
 protected:
  testing_support::TemporaryFolder folder;
  testing_support::RecordingPrompter prompter;
  Workspace ws{prompter};
  void SetUp() override { prompter.answer = true; }  // Yes to New

  string at(const string& name) const { return folder.path(name); }
  std::vector<string> saved(const string& name) {
    return testing_support::splitLines(readFile(at(name)));
  }
  bool folderEmpty() const { return std::filesystem::is_empty(folder.path()); }
};

TEST_F(FileCommands, DefaultDesignIsSavedByteForByte) {
  prompter.choices = {at("default.vdr")};
  ws.files().saveAs();
  EXPECT_EQ(readFile(at("default.vdr")), readFile(VELDORA_TEST_DATA "/default_design.vdr"));
}

// Before the trial-batch window's first use its remembered values are 0; saving loads it. Line 33
// is the trial air content the last adjustment read.
TEST_F(FileCommands, SavedLinesBeforeAndAfterTheTrialBatch) {
  prompter.choices = {at("a.vdr"), at("b.vdr")};
  play(ws, "save-as");
  std::vector<string> lines = saved("a.vdr");
  EXPECT_EQ((std::vector<string>(lines.begin() + 30, lines.begin() + 35)),
            (std::vector<string>{" 0", " 0", " 0", " 0", "True"}));
  EXPECT_TRUE(ws.state().trialBatch.loaded);
  play(ws, "run trial Trial2=2350 Trial3=2.5 trial-ok adjust save-as");
  lines = saved("b.vdr");
  EXPECT_EQ((std::vector<string>(lines.begin() + 12, lines.begin() + 15)),
            (std::vector<string>{"True", "True", "True"}));
  EXPECT_EQ((std::vector<string>(lines.begin() + 30, lines.begin() + 34)),
            (std::vector<string>{" 50", " 2350", " 2.5", " 0"}));  // loaded by the first save
}

// A missing file keeps the current file, its title and Save's target; the dialogs start at the
// name chosen last, even by an Open that failed.
TEST_F(FileCommands, MissingFileKeepsTheCurrentFile) {
  prompter.choices = {at("kept.vdr"), at("missing.vdr")};
  play(ws, "save-as open");
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0], (Shown{messages::kMissingFileTitle, messages::kMissingFile}));
  EXPECT_EQ(ws.state().file.filename, at("kept.vdr"));
  EXPECT_EQ(ws.state().mainWindow.title, "VELDORA  " + at("kept.vdr"));
  play(ws, "Text1=70 save save-as");
  EXPECT_EQ(saved("kept.vdr")[0], "70");
  EXPECT_FALSE(std::filesystem::exists(at("missing.vdr")));
  EXPECT_EQ(prompter.requests.back().startName, at("missing.vdr"));
}

// Option groups with two true lines select the later; with none, what the run reads of an empty
// dialog. Open writes the trial values and remembers them (clamped to 16 bits).
TEST_F(FileCommands, OpenReadsOptionGroupsAndTrialValues) {
  prompter.choices = {at("g.vdr")};
  play(ws, "save-as");
  std::vector<string> lines = saved("g.vdr");
  lines[15] = "True";                                       // workability Low and Medium both true
  lines[26] = lines[27] = lines[18] = lines[35] = "False";  // concrete, environment, view: none
  lines[21] = "False";                                      // exposure: none true
  lines[30] = " 45";
  lines[31] = " 40000";
  lines[32] = " 3.5";
  lines[33] = "-2.5";
  lines[9] = "3/5";  // the fine aggregate's moisture as Iranian documents write 3.5
  writeFile(at("g2.vdr"), testing_support::joinLines(lines, "\n"));
  ASSERT_TRUE(ws.files().open({at("g2.vdr"), false}));
  const WorkspaceState& s = ws.state();
  EXPECT_EQ(s.mainWindow.text(Box::Text10), "3.5");
  EXPECT_EQ(s.conditions.workability, Workability::Medium);
  EXPECT_EQ(s.conditions.concreteType, ConcreteType::AirEntrained);
  EXPECT_EQ(s.conditions.environment, EnvironmentClass::Normal);
  EXPECT_EQ(s.conditions.exposure, ExposureClass::Normal);
  EXPECT_EQ(s.conditions.resultView, ResultView::BeforeCorrection);
  EXPECT_EQ(s.trialBatch.text(TrialBox::UnitWeight), " 40000");
  EXPECT_EQ(s.trialBatch.remembered, (std::array<std::int16_t, 4>{45, 32767, 4, -2}));
  EXPECT_EQ(s.adjusted.measured.airContent, 3.5);
  prompter.choices = {at("g3.vdr")};
  play(ws, "save-as");
  lines = saved("g3.vdr");
  EXPECT_EQ((std::vector<string>(lines.begin() + 30, lines.begin() + 34)),
            (std::vector<string>{" 45", " 32767", " 3.5", "-2"}));
}

TEST_F(FileCommands, TextsTheFileCannotHoldAreRefusedBeforeAnyDialog) {
  prompter.choices = {at("x.vdr")};
  play(ws, "Text7=2.68_≈ save-as");
  EXPECT_TRUE(prompter.requests.empty());
  EXPECT_EQ(prompter.shown, (std::vector<Shown>{{texts::kErrorTitle, messages::kUnsavableText}}));
  EXPECT_EQ(ws.state().focus.target, (FocusTarget{Window::Main, 7}));
  EXPECT_TRUE(folderEmpty());
  EXPECT_FALSE(ws.files().document());
}

// A failed Save As keeps the title, the name and the saved flag.
TEST_F(FileCommands, AFailedSaveAsKeepsTheTitleTheNameAndTheSavedFlag) {
  prompter.choices = {at("no such folder/f.vdr")};
  ws.files().saveAs();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0].text, messages::saveFailed(WriteProblem::FolderMissing));
  EXPECT_EQ(ws.state().mainWindow.title, "VELDORA  UNTITLED");
  EXPECT_EQ(ws.state().file.filename, "");
  EXPECT_FALSE(ws.state().file.savedUnderFilename);
}

// New asks first; on Yes the defaults everywhere, the lines kept but hidden, the file name kept
// for the save dialog to start at.
TEST_F(FileCommands, NewResetsTheDesign) {
  prompter.answer = false;
  play(ws, "Text1=80 run new");
  EXPECT_EQ(ws.state().mainWindow.text(Box::Text1), "80");
  EXPECT_TRUE(ws.state().mainWindow.resultsVisible);
  prompter.answer = true;
  prompter.choices = {at("n.vdr")};
  play(ws, "save-as choose:Dialog4=1 choose:Dialog=0 run trial trial-ok adjust");
  const ResultsList lines = ws.state().mainWindow.results;
  play(ws, "new");
  const WorkspaceState& s = ws.state();
  EXPECT_EQ(s.mainWindow.title, "VELDORA  UNTITLED");
  EXPECT_FALSE(s.file.savedUnderFilename);
  EXPECT_EQ(s.file.filename, at("n.vdr"));
  EXPECT_EQ(s.mainWindow.text(Box::Text1), "50");
  EXPECT_EQ(s.conditions, DesignConditions{});
  EXPECT_FALSE(s.mainWindow.trialBatchButtonEnabled || s.mainWindow.adjustButtonEnabled ||
               s.mainWindow.viewMenuEnabled || s.mainWindow.resultsVisible ||
               s.mainWindow.adjustedResultsVisible);
  EXPECT_TRUE(s.mainWindow.conditionsButtonEnabled);
  EXPECT_EQ(s.mainWindow.results, lines);
  EXPECT_EQ(s.trialBatch.boxes, (std::array<string, 4>{"50", "2400", "2", "200"}));
  EXPECT_EQ(s.trialBatch.remembered, (std::array<std::int16_t, 4>{50, 2400, 2, 200}));
  EXPECT_EQ(s.adjusted.measured.airContent, 2);
  EXPECT_EQ(s.conditionsWindow.texts[1], messages::kNormalConditionsAtCreation);
  EXPECT_EQ(s.conditionsWindow.offered,
            (std::array<bool, 6>{true, false, true, false, true, false}));
  EXPECT_FALSE(s.completedRun);
  play(ws, "save");  // asks for a name although the old one is kept, starting at it
  EXPECT_EQ(prompter.requests.back().startName, at("n.vdr"));
}

}  // namespace
}  // namespace veldora
