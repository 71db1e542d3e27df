#include "messages.h"
#include "support/lines.h"
#include "texts.h"
#include "workspace.h"

#include <deque>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace veldora {
namespace {

using std::string;

class MemoryStore : public MixFileStore {
 public:
  bool exists(const string& path) const override { return files.contains(path); }
  std::optional<string> read(const string& path) const override {
    if (!exists(path)) return std::nullopt;
    return files.at(path);
  }
  bool write(const string& path, const string& bytes) override {
    if (failWrites) return false;
    files[path] = bytes;
    return true;
  }
  std::map<string, string> files;
  bool failWrites = false;
};

class ScriptedPrompter : public Prompter {
 public:
  void showMessage(const string& title, const string& text) override {
    shown.push_back(title + "|" + text);
  }
  bool askYesNo(const string&, const string&) override { return answer; }
  std::optional<string> chooseFile(const FileDialogRequest& request) override {
    requests.push_back(request);
    if (choices.empty()) return std::nullopt;
    std::optional<string> choice = choices.front();
    choices.pop_front();
    return choice;
  }
  std::vector<string> shown;
  std::deque<std::optional<string>> choices;
  std::vector<FileDialogRequest> requests;
  bool answer = true;
};

class FileCommands : public testing::Test {
 protected:
  MemoryStore store;
  ScriptedPrompter prompter;
  Workspace ws{prompter, &store};

  std::vector<string> saved(const string& path) {
    return testing_support::splitLines(store.files.at(path));
  }
};

TEST_F(FileCommands, DefaultDesignIsSavedByteForByte) {
  std::ifstream in(VELDORA_TEST_DATA "/default_design.vdr", std::ios::binary);
  const string golden((std::istreambuf_iterator<char>(in)), {});
  prompter.choices = {"/default.vdr"};
  ws.SVEAS();
  EXPECT_EQ(store.files.at("/default.vdr"), golden);
}

TEST_F(FileCommands, SaveWithoutANameAsksLikeSaveAs) {
  prompter.choices = {"/d/a.vdr"};
  ws.save();
  ASSERT_EQ(prompter.requests.size(), 1u);
  const FileDialogRequest& r = prompter.requests[0];
  EXPECT_TRUE(r.save);
  EXPECT_EQ(r.title, "select *.vdr file for save");
  EXPECT_EQ(r.filter, "text file(*.vdr)");
  EXPECT_EQ(r.defaultSuffix, "vdr");
  EXPECT_EQ(r.startName, "");
  EXPECT_EQ(ws.title(), "VELDORA  /d/a.vdr");
  EXPECT_TRUE(ws.sav());
  EXPECT_EQ(saved("/d/a.vdr").size(), 49u);

  ws.setText(Box::Text1, "60");
  ws.save();  // now without a dialog
  EXPECT_EQ(prompter.requests.size(), 1u);
  EXPECT_EQ(saved("/d/a.vdr")[0], "60");
}

TEST_F(FileCommands, CancelledDialogsChangeNothing) {
  ws.SVEAS();
  ws.OP();
  EXPECT_EQ(ws.title(), "VELDORA  UNTITLED");
  EXPECT_EQ(ws.filename(), "");
  EXPECT_FALSE(ws.sav());
  EXPECT_TRUE(store.files.empty());
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(FileCommands, SavedLinesBeforeAndAfterTheTrialBatch) {
  prompter.choices = {"/a.vdr", "/b.vdr"};
  ws.SVEAS();
  std::vector<string> lines = saved("/a.vdr");
  EXPECT_EQ((std::vector<string>(lines.begin() + 30, lines.begin() + 35)),
            (std::vector<string>{" 0", " 0", " 0", " 0", "True"}));
  EXPECT_TRUE(ws.trialBatch().loaded);  // reading the air box's state loaded the window

  ws.RN();
  ws.Command5();
  ws.setTrialText(2, "2350");
  ws.setTrialText(3, "2.5");
  ASSERT_TRUE(ws.trialBatchOk());
  ws.Command6();
  ASSERT_TRUE(ws.adjustedResultsVisible());
  ws.SVEAS();
  lines = saved("/b.vdr");
  EXPECT_EQ((std::vector<string>(lines.begin() + 12, lines.begin() + 15)),
            (std::vector<string>{"True", "True", "True"}));
  EXPECT_EQ((std::vector<string>(lines.begin() + 30, lines.begin() + 34)),
            (std::vector<string>{" 50", " 2350", " 2.5", " 0"}));  // loaded by the first save
}

TEST_F(FileCommands, RoundTripRestoresTheDesign) {
  ws.setText(Box::Text2, "");
  ws.setText(Box::Text5, "17OO kg");
  ws.chooseOption(OptionDialog::Dialog4, 1);
  ws.chooseOption(OptionDialog::Dialog1, 2);
  ws.chooseOption(OptionDialog::Dialog2, 2);
  ws.chooseOption(OptionDialog::Dialog3, 1);
  ws.RN();
  ws.Command5();
  ws.setTrialText(1, "30");
  ws.setTrialText(3, "5.5");
  ASSERT_TRUE(ws.trialBatchOk());
  prompter.choices = {"/m.vdr", "/m.vdr"};
  ws.SVEAS();
  const string first = store.files.at("/m.vdr");
  const DesignConditions conditions = ws.conditions();
  const ConditionsWindowState form4 = ws.conditionsWindow();

  ws.nw();
  prompter.shown.clear();
  ws.OP();
  EXPECT_EQ(prompter.shown.size(), 1u);  // the run's message: Text2 is empty
  EXPECT_EQ(ws.text(Box::Text2), "");
  EXPECT_EQ(ws.text(Box::Text5), "17OO kg");
  EXPECT_EQ(ws.conditions(), conditions);
  EXPECT_EQ(ws.conditionsWindow().texts, form4.texts);
  EXPECT_EQ(ws.conditionsWindow().offered, form4.offered);
  EXPECT_EQ(ws.trialBatch().text(1), " 30");
  EXPECT_EQ(ws.trialBatch().text(3), " 0");  // line 33 is airp1: no adjustment has run
  EXPECT_EQ(ws.title(), "VELDORA  /m.vdr");
  EXPECT_TRUE(ws.sav());
  ws.save();
  EXPECT_EQ(store.files.at("/m.vdr"), first);
}

TEST_F(FileCommands, OpenRunsTheDesign) {
  prompter.choices = {"/r.vdr", "/r.vdr"};
  ws.SVEAS();
  ws.OP();
  EXPECT_EQ(ws.results().size(), 15u);
  EXPECT_TRUE(ws.resultsVisible());
}

TEST_F(FileCommands, MissingFileKeepsTheCurrentFile) {
  prompter.choices = {"/kept.vdr", "/missing.vdr"};
  ws.SVEAS();
  ws.OP();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0], string(messages::kMissingFileTitle) + "|" + messages::kMissingFile);
  EXPECT_EQ(ws.filename(), "/kept.vdr");
  EXPECT_EQ(ws.title(), "VELDORA  /kept.vdr");
  ws.setText(Box::Text1, "70");
  ws.save();
  EXPECT_EQ(saved("/kept.vdr")[0], "70");
  EXPECT_FALSE(store.files.contains("/missing.vdr"));
  ws.SVEAS();  // the dialog starts at the name chosen last, even by a failed Open
  EXPECT_EQ(prompter.requests.back().startName, "/missing.vdr");
}

TEST_F(FileCommands, InvalidFileChangesNothing) {
  prompter.choices = {"/good.vdr"};
  ws.SVEAS();
  std::vector<string> lines = saved("/good.vdr");
  lines[0] = "99";
  lines[20] = "maybe";
  const string broken = testing_support::joinLines(lines);
  store.files["/bad.vdr"] = broken;
  store.files["/short.vdr"] = "1\r\n2\r\n";

  for (const char* name : {"/bad.vdr", "/short.vdr"}) {
    prompter.shown.clear();
    prompter.choices = {name};
    ws.OP();
    ASSERT_EQ(prompter.shown.size(), 1u) << name;
    EXPECT_EQ(prompter.shown[0], string(texts::kErrorTitle) + "|" + messages::kInvalidFile);
    EXPECT_EQ(ws.text(Box::Text1), "50");
    EXPECT_EQ(ws.filename(), "/good.vdr");
    EXPECT_EQ(ws.title(), "VELDORA  /good.vdr");
    EXPECT_TRUE(ws.results().empty());  // no design ran
  }
}

TEST_F(FileCommands, OptionGroupsWithTwoOrNoTrueLines) {
  prompter.choices = {"/g.vdr"};
  ws.SVEAS();
  std::vector<string> lines = saved("/g.vdr");
  lines[15] = "True";   // workability Low and Medium both true: the later wins
  lines[26] = "False";  // concrete type: no option true reads as air-entrained
  lines[27] = "False";
  lines[18] = "False";  // environment: none true reads as the first
  lines[35] = "False";  // result view: none true reads as the first
  lines[21] = "False";  // exposure: none true
  const string bytes = testing_support::joinLines(lines, "\n");
  store.files["/g2.vdr"] = bytes;
  ASSERT_TRUE(ws.openFile("/g2.vdr", false));
  EXPECT_EQ(ws.conditions().workability, Workability::Medium);
  EXPECT_EQ(ws.conditions().concreteType, ConcreteType::AirEntrained);
  EXPECT_EQ(ws.conditions().environment, EnvironmentClass::Normal);
  EXPECT_EQ(ws.conditions().exposure, ExposureClass::Normal);
  EXPECT_EQ(ws.conditions().resultView, ResultView::BeforeCorrection);
}

TEST_F(FileCommands, OpenRemembersTheTrialValuesItWrites) {
  prompter.choices = {"/t.vdr"};
  ws.SVEAS();
  std::vector<string> lines = saved("/t.vdr");
  lines[30] = " 45";
  lines[31] = " 40000";
  lines[32] = " 3.5";
  lines[33] = "-2.5";
  const string bytes = testing_support::joinLines(lines);
  store.files["/t2.vdr"] = bytes;
  ASSERT_TRUE(ws.openFile("/t2.vdr", true));
  EXPECT_EQ(ws.trialBatch().text(2), " 40000");
  EXPECT_EQ(ws.trialBatch().DEF, (std::array<std::int16_t, 4>{45, 32767, 4, -2}));
  EXPECT_EQ(ws.adjusted().airp1, 3.5);
  prompter.choices = {"/t3.vdr"};
  ws.SVEAS();
  lines = saved("/t3.vdr");
  EXPECT_EQ((std::vector<string>(lines.begin() + 30, lines.begin() + 34)),
            (std::vector<string>{" 45", " 32767", " 3.5", "-2"}));
}

TEST_F(FileCommands, TextsTheFileCannotHoldAreRefusedBeforeAnyDialog) {
  ws.setText(Box::Text7, "۲.۶۸");
  prompter.choices = {"/x.vdr"};
  ws.SVEAS();
  EXPECT_TRUE(prompter.requests.empty());
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0], string(texts::kErrorTitle) + "|" + messages::kUnsavableText);
  EXPECT_EQ(ws.takeFocusRequest(), (FocusTarget{Window::Form1, 7}));
  EXPECT_TRUE(store.files.empty());
  EXPECT_FALSE(ws.document());
}

TEST_F(FileCommands, FailedSaveAsKeepsTitleNameAndSav) {
  store.failWrites = true;
  prompter.choices = {"/f.vdr"};
  ws.SVEAS();
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0], string(texts::kErrorTitle) + "|" + messages::kSaveFailed);
  EXPECT_EQ(ws.title(), "VELDORA  UNTITLED");
  EXPECT_EQ(ws.filename(), "");
  EXPECT_FALSE(ws.sav());
}

TEST_F(FileCommands, NewAnsweredNoChangesNothing) {
  ws.setText(Box::Text1, "80");
  ws.RN();
  prompter.answer = false;
  ws.nw();
  EXPECT_EQ(ws.text(Box::Text1), "80");
  EXPECT_TRUE(ws.command5Enabled());
  EXPECT_TRUE(ws.resultsVisible());
}

TEST_F(FileCommands, NewResetsTheDesign) {
  prompter.choices = {"/n.vdr"};
  ws.SVEAS();
  ws.setText(Box::Text1, "80");
  ws.chooseOption(OptionDialog::Dialog4, 1);
  ws.chooseOption(OptionDialog::Dialog, 0);
  ws.RN();
  ws.Command5();
  ASSERT_TRUE(ws.trialBatchOk());
  ws.Command6();
  const ResultsList lines = ws.results();
  ws.nw();
  EXPECT_EQ(ws.title(), "VELDORA  UNTITLED");
  EXPECT_FALSE(ws.sav());
  EXPECT_EQ(ws.filename(), "/n.vdr");
  EXPECT_EQ(ws.text(Box::Text1), "50");
  EXPECT_EQ(ws.conditions(), DesignConditions{});
  EXPECT_FALSE(ws.command5Enabled());
  EXPECT_FALSE(ws.command6Enabled());
  EXPECT_FALSE(ws.menViewEnabled());
  EXPECT_TRUE(ws.command3Enabled());
  EXPECT_FALSE(ws.resultsVisible());
  EXPECT_FALSE(ws.adjustedResultsVisible());
  EXPECT_EQ(ws.results(), lines);
  EXPECT_EQ(ws.trialBatch().boxes, (std::array<string, 4>{"50", "2400", "2", "200"}));
  EXPECT_EQ(ws.trialBatch().DEF, (std::array<std::int16_t, 4>{50, 2400, 2, 200}));
  EXPECT_EQ(ws.adjusted().airp1, 2);
  EXPECT_EQ(ws.conditionsWindow().texts[1], messages::kNormalConditionsAtCreation);
  EXPECT_EQ(ws.conditionsWindow().offered,
            (std::array<bool, 6>{true, false, true, false, true, false}));

  ws.save();  // asks for a name although the old one is kept, starting at it
  ASSERT_EQ(prompter.requests.size(), 2u);
  EXPECT_EQ(prompter.requests[1].startName, "/n.vdr");
}

}  // namespace
}  // namespace veldora
