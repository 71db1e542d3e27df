#include "tests/support/files.h"

#include "engine/texts.h"
#include "tests/support/lines.h"
#include "tests/support/recordingprompter.h"
#include "workspace/messages.h"
#include "workspace/workspace.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace veldora {
namespace {

using std::string;

using Shown = testing_support::RecordingPrompter::Shown;
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

TEST_F(FileCommands, SaveWithoutANameAsksLikeSaveAs) {
  prompter.choices = {at("a.vdr")};
  ws.files().save();
  ASSERT_EQ(prompter.requests.size(), 1u);
  const FileDialogRequest& r = prompter.requests[0];
  EXPECT_TRUE(r.save);
  EXPECT_EQ(r.title, "select *.vdr file for save");
  EXPECT_EQ(r.filter, "text file(*.vdr)");
  EXPECT_EQ(r.defaultSuffix, "vdr");
  EXPECT_EQ(r.startName, "");
  EXPECT_EQ(ws.state().mainWindow.title, "VELDORA  " + at("a.vdr"));
  EXPECT_TRUE(ws.state().file.savedUnderFilename);
  EXPECT_EQ(saved("a.vdr").size(), 49u);

  ws.design().setText(Box::Text1, "60");
  ws.files().save();  // now without a dialog
  EXPECT_EQ(prompter.requests.size(), 1u);
  EXPECT_EQ(saved("a.vdr")[0], "60");
}

TEST_F(FileCommands, CancelledDialogsChangeNothing) {
  ws.files().saveAs();
  ws.files().open();
  EXPECT_EQ(ws.state().mainWindow.title, "VELDORA  UNTITLED");
  EXPECT_EQ(ws.state().file.filename, "");
  EXPECT_FALSE(ws.state().file.savedUnderFilename);
  EXPECT_TRUE(folderEmpty());
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(FileCommands, SavedLinesBeforeAndAfterTheTrialBatch) {
  prompter.choices = {at("a.vdr"), at("b.vdr")};
  ws.files().saveAs();
  std::vector<string> lines = saved("a.vdr");
  EXPECT_EQ((std::vector<string>(lines.begin() + 30, lines.begin() + 35)),
            (std::vector<string>{" 0", " 0", " 0", " 0", "True"}));
  EXPECT_TRUE(ws.state().trialBatch.loaded);  // reading the air box's state loaded the window

  ws.design().run();
  ws.trialBatch().open();
  ws.trialBatch().setText(2, "2350");
  ws.trialBatch().setText(3, "2.5");
  ASSERT_TRUE(ws.trialBatch().ok());
  ws.trialBatch().adjust();
  ASSERT_TRUE(ws.state().mainWindow.adjustedResultsVisible);
  ws.files().saveAs();
  lines = saved("b.vdr");
  EXPECT_EQ((std::vector<string>(lines.begin() + 12, lines.begin() + 15)),
            (std::vector<string>{"True", "True", "True"}));
  EXPECT_EQ((std::vector<string>(lines.begin() + 30, lines.begin() + 34)),
            (std::vector<string>{" 50", " 2350", " 2.5", " 0"}));  // loaded by the first save
}

TEST_F(FileCommands, RoundTripRestoresTheDesign) {
  ws.design().setText(Box::Text2, "");
  ws.design().setText(Box::Text5, "17OO kg");
  ws.conditions().choose(OptionDialog::ConcreteType, 1);
  ws.conditions().choose(OptionDialog::Environment, 2);
  ws.conditions().choose(OptionDialog::Exposure, 2);
  ws.conditions().choose(OptionDialog::Cement, 1);
  ws.design().run();
  ws.trialBatch().open();
  ws.trialBatch().setText(1, "30");
  ws.trialBatch().setText(3, "5.5");
  ASSERT_TRUE(ws.trialBatch().ok());
  prompter.choices = {at("m.vdr"), at("m.vdr")};
  ws.files().saveAs();
  const string first = readFile(at("m.vdr"));
  const DesignConditions conditions = ws.state().conditions;
  const ConditionsWindowState form4 = ws.state().conditionsWindow;

  ws.files().newDesign();
  prompter.shown.clear();
  ws.files().open();
  EXPECT_EQ(prompter.shown.size(), 1u);  // the run's message: Text2 is empty
  EXPECT_EQ(ws.state().mainWindow.text(Box::Text2), "");
  EXPECT_EQ(ws.state().mainWindow.text(Box::Text5), "17OO kg");
  EXPECT_EQ(ws.state().conditions, conditions);
  EXPECT_EQ(ws.state().conditionsWindow.texts, form4.texts);
  EXPECT_EQ(ws.state().conditionsWindow.offered, form4.offered);
  EXPECT_EQ(ws.state().trialBatch.text(1), " 30");
  EXPECT_EQ(ws.state().trialBatch.text(3), " 0");  // line 33 is airp1: no adjustment has run
  EXPECT_EQ(ws.state().mainWindow.title, "VELDORA  " + at("m.vdr"));
  EXPECT_TRUE(ws.state().file.savedUnderFilename);
  ws.files().save();
  EXPECT_EQ(readFile(at("m.vdr")), first);
}

TEST_F(FileCommands, OpenRunsTheDesign) {
  prompter.choices = {at("r.vdr"), at("r.vdr")};
  ws.files().saveAs();
  ws.files().open();
  EXPECT_EQ(ws.state().mainWindow.results.size(), 15u);
  EXPECT_TRUE(ws.state().mainWindow.resultsVisible);
}

TEST_F(FileCommands, MissingFileKeepsTheCurrentFile) {
  prompter.choices = {at("kept.vdr"), at("missing.vdr")};
  ws.files().saveAs();
  ws.files().open();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0], (Shown{messages::kMissingFileTitle, messages::kMissingFile}));
  EXPECT_EQ(ws.state().file.filename, at("kept.vdr"));
  EXPECT_EQ(ws.state().mainWindow.title, "VELDORA  " + at("kept.vdr"));
  ws.design().setText(Box::Text1, "70");
  ws.files().save();
  EXPECT_EQ(saved("kept.vdr")[0], "70");
  EXPECT_FALSE(std::filesystem::exists(at("missing.vdr")));
  ws.files().saveAs();  // the dialog starts at the name chosen last, even by a failed Open
  EXPECT_EQ(prompter.requests.back().startName, at("missing.vdr"));
}

// Open refuses what is not a mix file with its message and changes nothing; a FIFO or a device is
// refused without being opened (it would block, or never end).
TEST_F(FileCommands, WhatIsNotAMixFileChangesNothing) {
  prompter.choices = {at("good.vdr")};
  ws.files().saveAs();
  const string good = readFile(at("good.vdr"));
  std::vector<string> lines = saved("good.vdr");
  const auto variant = [&lines](size_t line, const string& text) {
    std::vector<string> changed = lines;
    changed[line] = text;
    return testing_support::joinLines(changed);
  };
  writeFile(at("flag.vdr"), variant(20, "maybe"));
  writeFile(at("short.vdr"), "1\r\n2\r\n");
  writeFile(at("bom.vdr"), "\xEF\xBB\xBF" + variant(0, "100"));
  writeFile(at("air.vdr"), variant(32, "1e999"));  // an infinite trial air content
  writeFile(at("huge.vdr"), good);
  std::filesystem::resize_file(at("huge.vdr"), 1ull << 31);  // sparse: takes no room
  mkfifo(at("fifo.vdr").c_str(), 0600);
  std::filesystem::create_directory(at("folder.vdr"));

  for (const string& path :
       {at("flag.vdr"), at("short.vdr"), at("bom.vdr"), at("air.vdr"), at("huge.vdr"),
        at("fifo.vdr"), at("folder.vdr"), string("/dev/zero")}) {
    prompter.shown.clear();
    prompter.choices = {path};
    ws.files().open();
    ASSERT_EQ(prompter.shown.size(), 1u) << path;
    EXPECT_EQ(prompter.shown[0], (Shown{texts::kErrorTitle, messages::kInvalidFile})) << path;
    EXPECT_EQ(ws.state().mainWindow.text(Box::Text1), "50");
    EXPECT_EQ(ws.state().file.filename, at("good.vdr"));
    EXPECT_EQ(ws.state().mainWindow.title, "VELDORA  " + at("good.vdr"));
    EXPECT_TRUE(ws.state().mainWindow.results.empty());  // no design ran
  }
}

TEST_F(FileCommands, OptionGroupsWithTwoOrNoTrueLines) {
  prompter.choices = {at("g.vdr")};
  ws.files().saveAs();
  std::vector<string> lines = saved("g.vdr");
  lines[15] = "True";   // workability Low and Medium both true: the later wins
  lines[26] = "False";  // concrete type: no option true reads as air-entrained
  lines[27] = "False";
  lines[18] = "False";  // environment: none true reads as the first
  lines[35] = "False";  // result view: none true reads as the first
  lines[21] = "False";  // exposure: none true
  const string bytes = testing_support::joinLines(lines, "\n");
  writeFile(at("g2.vdr"), bytes);
  ASSERT_TRUE(ws.files().open({at("g2.vdr"), false}));
  EXPECT_EQ(ws.state().conditions.workability, Workability::Medium);
  EXPECT_EQ(ws.state().conditions.concreteType, ConcreteType::AirEntrained);
  EXPECT_EQ(ws.state().conditions.environment, EnvironmentClass::Normal);
  EXPECT_EQ(ws.state().conditions.exposure, ExposureClass::Normal);
  EXPECT_EQ(ws.state().conditions.resultView, ResultView::BeforeCorrection);
}

TEST_F(FileCommands, OpenRemembersTheTrialValuesItWrites) {
  prompter.choices = {at("t.vdr")};
  ws.files().saveAs();
  std::vector<string> lines = saved("t.vdr");
  lines[30] = " 45";
  lines[31] = " 40000";
  lines[32] = " 3.5";
  lines[33] = "-2.5";
  const string bytes = testing_support::joinLines(lines);
  writeFile(at("t2.vdr"), bytes);
  ASSERT_TRUE(ws.files().open({at("t2.vdr"), true}));
  EXPECT_EQ(ws.state().trialBatch.text(2), " 40000");
  EXPECT_EQ(ws.state().trialBatch.remembered, (std::array<std::int16_t, 4>{45, 32767, 4, -2}));
  EXPECT_EQ(ws.state().adjusted.measured.airContent, 3.5);
  prompter.choices = {at("t3.vdr")};
  ws.files().saveAs();
  lines = saved("t3.vdr");
  EXPECT_EQ((std::vector<string>(lines.begin() + 30, lines.begin() + 34)),
            (std::vector<string>{" 45", " 32767", " 3.5", "-2"}));
}

TEST_F(FileCommands, TextsTheFileCannotHoldAreRefusedBeforeAnyDialog) {
  ws.design().setText(Box::Text7, "۲.۶۸");
  prompter.choices = {at("x.vdr")};
  ws.files().saveAs();
  EXPECT_TRUE(prompter.requests.empty());
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0], (Shown{texts::kErrorTitle, messages::kUnsavableText}));
  EXPECT_EQ(ws.state().focus.target, (FocusTarget{Window::Main, 7}));
  EXPECT_TRUE(folderEmpty());
  EXPECT_FALSE(ws.files().document());
}

// A save that fails for real (no such folder; a FIFO, which is not replaced) shows its message,
// and Save As keeps the title, the name and the saved flag.
TEST_F(FileCommands, FailedSaveAsKeepsTitleNameAndSav) {
  mkfifo(at("fifo.vdr").c_str(), 0600);
  for (const string& path : {at("no such folder/f.vdr"), at("fifo.vdr")}) {
    prompter.shown.clear();
    prompter.choices = {path};
    ws.files().saveAs();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0], (Shown{texts::kErrorTitle, messages::kSaveFailed}));
    EXPECT_EQ(ws.state().mainWindow.title, "VELDORA  UNTITLED");
    EXPECT_EQ(ws.state().file.filename, "");
    EXPECT_FALSE(ws.state().file.savedUnderFilename);
  }
  EXPECT_TRUE(std::filesystem::is_fifo(at("fifo.vdr")));
}

TEST_F(FileCommands, NewAnsweredNoChangesNothing) {
  ws.design().setText(Box::Text1, "80");
  ws.design().run();
  prompter.answer = false;
  ws.files().newDesign();
  EXPECT_EQ(ws.state().mainWindow.text(Box::Text1), "80");
  EXPECT_TRUE(ws.state().mainWindow.trialBatchButtonEnabled);
  EXPECT_TRUE(ws.state().mainWindow.resultsVisible);
}

TEST_F(FileCommands, NewResetsTheDesign) {
  prompter.choices = {at("n.vdr")};
  ws.files().saveAs();
  ws.design().setText(Box::Text1, "80");
  ws.conditions().choose(OptionDialog::ConcreteType, 1);
  ws.conditions().choose(OptionDialog::Workability, 0);
  ws.design().run();
  ws.trialBatch().open();
  ASSERT_TRUE(ws.trialBatch().ok());
  ws.trialBatch().adjust();
  const ResultsList lines = ws.state().mainWindow.results;
  ws.files().newDesign();
  EXPECT_EQ(ws.state().mainWindow.title, "VELDORA  UNTITLED");
  EXPECT_FALSE(ws.state().file.savedUnderFilename);
  EXPECT_EQ(ws.state().file.filename, at("n.vdr"));
  EXPECT_EQ(ws.state().mainWindow.text(Box::Text1), "50");
  EXPECT_EQ(ws.state().conditions, DesignConditions{});
  EXPECT_FALSE(ws.state().mainWindow.trialBatchButtonEnabled);
  EXPECT_FALSE(ws.state().mainWindow.adjustButtonEnabled);
  EXPECT_FALSE(ws.state().mainWindow.viewMenuEnabled);
  EXPECT_TRUE(ws.state().mainWindow.conditionsButtonEnabled);
  EXPECT_FALSE(ws.state().mainWindow.resultsVisible);
  EXPECT_FALSE(ws.state().mainWindow.adjustedResultsVisible);
  EXPECT_EQ(ws.state().mainWindow.results, lines);
  EXPECT_EQ(ws.state().trialBatch.boxes, (std::array<string, 4>{"50", "2400", "2", "200"}));
  EXPECT_EQ(ws.state().trialBatch.remembered, (std::array<std::int16_t, 4>{50, 2400, 2, 200}));
  EXPECT_EQ(ws.state().adjusted.measured.airContent, 2);
  EXPECT_EQ(ws.state().conditionsWindow.texts[1], messages::kNormalConditionsAtCreation);
  EXPECT_EQ(ws.state().conditionsWindow.offered,
            (std::array<bool, 6>{true, false, true, false, true, false}));

  ws.files().save();  // asks for a name although the old one is kept, starting at it
  ASSERT_EQ(prompter.requests.size(), 2u);
  EXPECT_EQ(prompter.requests[1].startName, at("n.vdr"));
}

}  // namespace
}  // namespace veldora
