#include "tests/support/files.h"

#include "engine/texts.h"
#include "tests/support/lines.h"
#include "tests/support/names.h"
#include "tests/support/recordingprompter.h"
#include "workspace/messages.h"
#include "workspace/workspace.h"

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

  for (const auto& [path, message] : {std::pair{at("flag.vdr"), messages::kInvalidFile},
                                      {at("short.vdr"), messages::kInvalidFile},
                                      {at("bom.vdr"), messages::kInvalidFile},
                                      {at("air.vdr"), messages::kInvalidFile},
                                      {at("huge.vdr"), messages::kInvalidFile},
                                      {at("fifo.vdr"), messages::kNotARegularFile},
                                      {string("/dev/zero"), messages::kNotARegularFile}}) {
    prompter.shown.clear();
    prompter.choices = {path};
    ws.files().open();
    ASSERT_EQ(prompter.shown.size(), 1u) << path;
    EXPECT_EQ(prompter.shown[0], (Shown{texts::kErrorTitle, message})) << path;
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
  ws.design().setText(Box::Text7, "2.68 ≈");
  prompter.choices = {at("x.vdr")};
  ws.files().saveAs();
  EXPECT_TRUE(prompter.requests.empty());
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0], (Shown{texts::kErrorTitle, messages::kUnsavableText}));
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

// Files that cannot be opened or written, each failure produced for real in a child process (as a
// user who is not root where root could, on a small full file system of its own where the disk is
// full), against the message it gives; the file a failed save would replace is left as it was.
struct FileFailureCase {
  const char* name;
  bool save;          // Save As onto the path; otherwise Open
  bool unprivileged;  // root may read and write anything
  bool fullDisk;
  std::function<string(const string& folder)> setUp;  // makes the failure, returns the path
  string message;
};

class FileFailure : public testing::TestWithParam<FileFailureCase> {};

// As the user nobody, where this runs as root; false where that is not possible.
bool dropToNobody() {
  if (geteuid() != 0) return true;
  return setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0;
}

// A small tmpfs over folder, filled up, in a mount namespace of this process alone.
bool fillDisk(const string& folder) {
  const uid_t uid = getuid();
  const gid_t gid = getgid();
  if (unshare(CLONE_NEWNS | (uid == 0 ? 0 : CLONE_NEWUSER)) != 0) return false;
  if (uid != 0) {
    writeFile("/proc/self/setgroups", "deny");
    writeFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1");
    writeFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
  }
  if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
      mount("veldora-full", folder.c_str(), "tmpfs", 0, "size=64k") != 0) {
    return false;
  }
  writeFile(folder + "/old.vdr", "old");
  const int filler = open((folder + "/filler").c_str(), O_WRONLY | O_CREAT, 0600);
  const string block(4096, 'f');
  while (write(filler, block.data(), block.size()) > 0) {
  }
  close(filler);
  return errno == ENOSPC;
}

TEST_P(FileFailure, SaysItsCause) {
  const FileFailureCase& c = GetParam();
  testing_support::TemporaryFolder folder;
  chmod(folder.path().c_str(), 0777);  // for nobody too
  int channel[2];
  ASSERT_EQ(pipe(channel), 0);
  const pid_t child = fork();
  if (child == 0) {  // never returns into the test runner
    try {
      close(channel[0]);
      if (c.fullDisk && !fillDisk(folder.path())) _exit(2);
      const string path = c.setUp(folder.path());
      std::error_code error;
      const bool existed = std::filesystem::is_regular_file(path, error);
      const string before = existed ? readFile(path) : "";
      if (c.unprivileged && !dropToNobody()) _exit(3);
      testing_support::RecordingPrompter prompter;
      Workspace ws(prompter);
      prompter.choices = {path};
      c.save ? ws.files().saveAs() : static_cast<void>(ws.files().open());
      const string message = prompter.shown.empty() ? "" : prompter.shown.back().text;
      if (write(channel[1], message.data(), message.size()) < 0) _exit(4);
      _exit(!c.save || !existed || readFile(path) == before ? 0 : 5);
    } catch (...) {
      _exit(6);
    }
  }
  close(channel[1]);
  string message;
  char buffer[1024];
  for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;) message.append(buffer, n);
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 0)
      << "2: no tmpfs; 3: no user; 5: the file was changed; 6: an exception";
  EXPECT_EQ(message, c.message);
}

string madeFolder(const string& path, mode_t mode) {
  std::filesystem::create_directories(path);
  chmod(path.c_str(), mode);
  return path;
}

// clang-format off
const FileFailureCase kFileFailures[] = {
    {"open_missing",       false, false, false, [](auto& f) { return f + "/none.vdr"; },
     messages::kMissingFile},
    {"open_a_folder",      false, false, false, [](auto& f) { return madeFolder(f + "/x.vdr", 0755); },
     messages::kNotARegularFile},
    {"open_unreadable",    false, true,  false, [](auto& f) {
       writeFile(f + "/locked.vdr", "x");
       chmod((f + "/locked.vdr").c_str(), 0);
       return f + "/locked.vdr"; }, messages::kMayNotRead},
    {"open_link_loop",     false, false, false, [](auto& f) {
       symlink((f + "/b.vdr").c_str(), (f + "/a.vdr").c_str());
       symlink((f + "/a.vdr").c_str(), (f + "/b.vdr").c_str());
       return f + "/a.vdr"; }, messages::kLoopOrTooLong},
    {"open_damaged",       false, false, false, [](auto& f) {
       writeFile(f + "/damaged.vdr", "50\r\n");
       return f + "/damaged.vdr"; }, messages::kInvalidFile},
    {"save_removed_folder", true, false, false, [](auto& f) {
       madeFolder(f + "/gone", 0755);
       std::filesystem::remove(f + "/gone");
       return f + "/gone/m.vdr"; }, messages::saveFailed(WriteProblem::FolderMissing)},
    {"save_read_only_folder", true, true, false, [](auto& f) {
       return madeFolder(f + "/read-only", 0555) + "/m.vdr"; },
     messages::saveFailed(WriteProblem::NoPermission)},
    {"save_writable_file_in_read_only_folder", true, true, false, [](auto& f) {
       madeFolder(f + "/read-only", 0755);
       writeFile(f + "/read-only/m.vdr", "old");
       chmod((f + "/read-only/m.vdr").c_str(), 0666);
       chmod((f + "/read-only").c_str(), 0555);
       return f + "/read-only/m.vdr"; }, messages::saveFailed(WriteProblem::FolderNotWritable)},
    {"save_full_disk",     true,  false, true,  [](auto& f) { return f + "/old.vdr"; },
     messages::saveFailed(WriteProblem::DiskFull)},
    {"save_name_too_long", true,  false, false, [](auto& f) { return f + "/" + string(300, 'n'); },
     messages::saveFailed(WriteProblem::NameTooLong)},
    {"save_onto_a_folder", true,  false, false, [](auto& f) { return madeFolder(f + "/x.vdr", 0755); },
     messages::saveFailed(WriteProblem::NotRegular)},
    {"save_dangling_link", true,  false, false, [](auto& f) {
       symlink((f + "/gone.vdr").c_str(), (f + "/link.vdr").c_str());
       return f + "/link.vdr"; }, messages::saveFailed(WriteProblem::Other)},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Table, FileFailure, testing::ValuesIn(kFileFailures),
                         testing_support::CaseName());

// Each failure of a group says its own cause.
TEST(FileFailureMessages, DifferWithinTheirGroup) {
  for (const bool save : {false, true}) {
    std::set<string> seen;
    for (const FileFailureCase& c : kFileFailures) {
      if (c.save == save) {
        EXPECT_TRUE(seen.insert(c.message).second) << c.name;
      }
    }
  }
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
