// Files that cannot be opened or written on a POSIX system, each failure produced for real.
#include "tests/support/files.h"
#include "tests/support/names.h"
#include "tests/support/recordingprompter.h"
#include "workspace/messages.h"
#include "workspace/workspace.h"

#include <filesystem>
#include <functional>
#include <string>

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace veldora {
namespace {

using std::string;
using testing_support::readFile;
using testing_support::writeFile;

// Files that cannot be opened or written, each failure produced for real in a child process (as a
// user who is not root where root could), against the message it gives; the file a failed save
// would replace is left as it was. A full disk is the file layer's test, on a tmpfs of its own.
struct FileFailureCase {
  const char* name;
  bool save;                                          // Save As onto the path; otherwise Open
  bool unprivileged;                                  // root may read and write anything
  std::function<string(const string& folder)> setUp;  // makes the failure, returns the path
  string message;
};

class FileFailure : public testing::TestWithParam<FileFailureCase> {};

// As the user nobody, where this runs as root; false where that is not possible.
bool dropToNobody() {
  if (geteuid() != 0) return true;
  return setgroups(0, nullptr) == 0 && setgid(65534) == 0 && setuid(65534) == 0;
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
  EXPECT_EQ(WEXITSTATUS(status), 0) << "3: no user; 5: the file was changed; 6: an exception";
  EXPECT_EQ(message, c.message);
}

string madeFolder(const string& path, mode_t mode) {
  std::filesystem::create_directories(path);
  chmod(path.c_str(), mode);
  return path;
}

// clang-format off
const FileFailureCase kFileFailures[] = {
    {"open_missing",       false, false, [](auto& f) { return f + "/none.vdr"; },
     messages::kMissingFile},
    {"open_a_folder",      false, false, [](auto& f) { return madeFolder(f + "/x.vdr", 0755); },
     messages::kNotARegularFile},
    {"open_unreadable",    false, true, [](auto& f) {
       writeFile(f + "/locked.vdr", "x");
       chmod((f + "/locked.vdr").c_str(), 0);
       return f + "/locked.vdr"; }, messages::kMayNotRead},
    {"open_link_loop",     false, false, [](auto& f) {
       symlink((f + "/b.vdr").c_str(), (f + "/a.vdr").c_str());
       symlink((f + "/a.vdr").c_str(), (f + "/b.vdr").c_str());
       return f + "/a.vdr"; }, messages::kLoopOrTooLong},
    {"open_damaged",       false, false, [](auto& f) {
       writeFile(f + "/damaged.vdr", "50\r\n");
       return f + "/damaged.vdr"; }, messages::kInvalidFile},
    {"save_removed_folder", true, false, [](auto& f) {
       madeFolder(f + "/gone", 0755);
       std::filesystem::remove(f + "/gone");
       return f + "/gone/m.vdr"; }, messages::saveFailed(WriteProblem::FolderMissing)},
    {"save_read_only_folder", true, true, [](auto& f) {
       return madeFolder(f + "/read-only", 0555) + "/m.vdr"; },
     messages::saveFailed(WriteProblem::NoPermission)},
    {"save_writable_file_in_read_only_folder", true, true, [](auto& f) {
       madeFolder(f + "/read-only", 0755);
       writeFile(f + "/read-only/m.vdr", "old");
       chmod((f + "/read-only/m.vdr").c_str(), 0666);
       chmod((f + "/read-only").c_str(), 0555);
       return f + "/read-only/m.vdr"; }, messages::saveFailed(WriteProblem::FolderNotWritable)},
    {"save_name_too_long", true,  false, [](auto& f) { return f + "/" + string(300, 'n'); },
     messages::saveFailed(WriteProblem::NameTooLong)},
    {"save_onto_a_folder", true,  false, [](auto& f) { return madeFolder(f + "/x.vdr", 0755); },
     messages::saveFailed(WriteProblem::NotRegular)},
    {"save_dangling_link", true,  false, [](auto& f) {
       symlink((f + "/gone.vdr").c_str(), (f + "/link.vdr").c_str());
       return f + "/link.vdr"; }, messages::saveFailed(WriteProblem::Other)},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Table, FileFailure, testing::ValuesIn(kFileFailures),
                         testing_support::CaseName());

}  // namespace
}  // namespace veldora
