// Saving and opening on Windows, each failure produced for real (under Wine here): a file marked
// read-only, a file another program holds open, a folder that does not exist, a Persian folder
// name. The file a failed save would replace is left whole, and the message names the cause.
#include "files/diskfile.h"
#include "platform/wide.h"
#include "tests/support/files.h"
#include "tests/support/names.h"
#include "tests/support/recordingprompter.h"
#include "workspace/messages.h"
#include "workspace/workspace.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>
#include <windows.h>

namespace veldora {
namespace {

using std::string;
using testing_support::pathOf;
using testing_support::readFile;
using testing_support::writeFile;

// holdfile (tests/support/holdfile.cpp) holding path open without sharing until destroyed.
class HeldOpen {
 public:
  explicit HeldOpen(const string& path) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE outRead, outWrite;
    CreatePipe(&outRead, &outWrite, &inherit, 0);
    CreatePipe(&mInRead, &mInWrite, &inherit, 0);
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(mInWrite, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = mInRead;
    startup.hStdOutput = outWrite;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    std::wstring commandLine = L"holdfile \"" + platform::widen(path) + L"\"";
    const std::wstring program = platform::widen(VELDORA_HOLDFILE);
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       nullptr, &startup, &mProcess)) {
      char line[8] = {};
      DWORD got = 0;
      mHeld = ReadFile(outRead, line, 4, &got, nullptr) && string(line, got) == "held";
    } else {
      mError = GetLastError();
    }
    CloseHandle(outWrite);
    CloseHandle(outRead);
  }
  ~HeldOpen() {
    CloseHandle(mInWrite);  // holdfile lets go and ends
    WaitForSingleObject(mProcess.hProcess, 10000);
    CloseHandle(mProcess.hProcess);
    CloseHandle(mProcess.hThread);
    CloseHandle(mInRead);
  }
  bool held() const { return mHeld; }
  DWORD error() const { return mError; }

 private:
  HANDLE mInRead = nullptr, mInWrite = nullptr;
  PROCESS_INFORMATION mProcess{};
  bool mHeld = false;
  DWORD mError = 0;  // why holdfile could not be started
};

const string kOldBytes = "old design\r\n";

struct WindowsFileCase {
  const char* name;
  bool save;  // Save As onto the path; otherwise Open
  // Makes the situation in the folder and returns the path; may keep something alive in held.
  std::function<string(const string& folder, std::unique_ptr<HeldOpen>& held)> setUp;
  string message;  // "" where the command succeeds
};

class WindowsFiles : public testing::TestWithParam<WindowsFileCase> {};

TEST_P(WindowsFiles, SaysTheCauseAndKeepsTheOldFile) {
  const WindowsFileCase& c = GetParam();
  testing_support::TemporaryFolder folder;
  std::unique_ptr<HeldOpen> held;
  const string path = c.setUp(folder.path(), held);
  if (held) {
    ASSERT_TRUE(held->held()) << "holdfile: " << path << ", error " << held->error();
  }
  const bool existed = std::filesystem::is_regular_file(pathOf(path));

  testing_support::RecordingPrompter prompter;
  Workspace ws(prompter);
  prompter.choices = {path};
  c.save ? ws.files().saveAs() : static_cast<void>(ws.files().open());
  const bool done = prompter.shown.empty();
  EXPECT_EQ(done ? "" : prompter.shown.back().text, c.message);
  held.reset();
  if (c.save && existed) {
    EXPECT_EQ(readFile(path) == kOldBytes, !done) << "the old file is whole after a failure";
  }
  // Nothing but what the case made is left in the folder (no temporary file beside it).
  size_t entries = 0;
  for ([[maybe_unused]] const auto& e :
       std::filesystem::directory_iterator(pathOf(folder.path()))) {
    ++entries;
  }
  EXPECT_EQ(entries, existed || done ? 1u : 0u) << folder.path();
}

string readOnlyFile(const string& folder) {
  writeFile(folder + "/old.vdr", kOldBytes);
  SetFileAttributesW(platform::widen(folder + "/old.vdr").c_str(), FILE_ATTRIBUTE_READONLY);
  return folder + "/old.vdr";
}

string heldFile(const string& folder, std::unique_ptr<HeldOpen>& held) {
  writeFile(folder + "/held.vdr", kOldBytes);
  held = std::make_unique<HeldOpen>(folder + "/held.vdr");
  return folder + "/held.vdr";
}

// A folder named in Persian, with a file in it to replace.
string persianFolder(const string& folder) {
  const string named = folder + "/طرح\u200cهای اختلاط";
  std::filesystem::create_directory(pathOf(named));
  writeFile(named + "/مخلوط.vdr", kOldBytes);
  return named + "/مخلوط.vdr";
}

// clang-format off
const WindowsFileCase kCases[] = {
    {"save_over_a_read_only_file", true,
     [](auto& f, auto&) { return readOnlyFile(f); }, messages::saveFailed(WriteProblem::NoPermission)},
    {"save_over_a_file_held_open", true, heldFile, messages::saveFailed(WriteProblem::InUse)},
    {"open_a_file_held_open", false, heldFile, messages::kOpenInAnotherProgram},
    {"save_into_a_missing_folder", true,
     [](auto& f, auto&) { return f + "/none/m.vdr"; }, messages::saveFailed(WriteProblem::FolderMissing)},
    {"save_under_a_name_too_long", true,
     [](auto& f, auto&) { return f + "/" + string(300, 'n') + ".vdr"; },
     messages::saveFailed(WriteProblem::NameTooLong)},
    {"save_onto_a_device", true,
     [](auto&, auto&) { return string("NUL"); }, messages::saveFailed(WriteProblem::NotRegular)},
    {"save_into_a_persian_folder", true, [](auto& f, auto&) { return persianFolder(f); }, ""},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Table, WindowsFiles, testing::ValuesIn(kCases),
                         testing_support::CaseName());

// A file named from the current folder, as a command line names it, is replaced like any other
// (Windows' ReplaceFileW takes a bare name for a folder).
TEST(WindowsFilesRelative, AreReplacedToo) {
  testing_support::TemporaryFolder folder;
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(pathOf(folder.path()));
  std::filesystem::create_directory("sub");
  for (const string name : {"y.vdr", "./y.vdr", "sub/y.vdr", "sub\\z.vdr"}) {
    writeFile(folder.path() + "/" + name, kOldBytes);
    EXPECT_EQ(replaceFileAt(name, "new"), std::nullopt) << name;
    EXPECT_EQ(readFile(folder.path() + "/" + name), "new") << name;
  }
  EXPECT_EQ(replaceFileAt("", "new"), WriteProblem::Other);
  std::filesystem::current_path(before);
}

// What Save wrote into a Persian folder opens again as the same design.
TEST(WindowsFilesRoundTrip, APersianFolderKeepsTheDesign) {
  testing_support::TemporaryFolder folder;
  const string path = persianFolder(folder.path());
  testing_support::RecordingPrompter prompter;
  Workspace ws(prompter);
  ws.design().setText(Box::Text1, "75");
  prompter.choices = {path, path};
  ws.files().saveAs();
  ws.design().setText(Box::Text1, "100");
  ASSERT_TRUE(ws.files().open());
  EXPECT_EQ(ws.state().mainWindow.text(Box::Text1), "75");
  EXPECT_TRUE(prompter.shown.empty());
}

}  // namespace
}  // namespace veldora
