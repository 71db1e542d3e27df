// veldora-cli run as a program, as scripts run it: under a file-size limit, killed mid-save, with
// file names and texts that a pasted value or a careless script can give it.
#include "tests/support/files.h"
#include "tests/support/lines.h"
#include "workspace/messages.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace veldora {
namespace {

using std::string;
using testing_support::readFile;
using testing_support::TemporaryFolder;
using testing_support::writeFile;

struct Outcome {
  int status;  // the exit status, -1 when killed
  string out;
  string err;
};

// Starts veldora-cli with args; its standard output and error go to the descriptors given, its
// standard input comes from in where given.
pid_t start(const std::vector<string>& args, int out = -1, int err = -1, int in = -1) {
  std::vector<char*> argv = {const_cast<char*>(VELDORA_CLI)};
  for (const string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (in >= 0) posix_spawn_file_actions_adddup2(&actions, in, 0);
  for (const auto& [from, to] : {std::pair{out, 1}, std::pair{err, 2}}) {
    if (from >= 0) {
      posix_spawn_file_actions_adddup2(&actions, from, to);
    } else {
      posix_spawn_file_actions_addopen(&actions, to, "/dev/null", O_WRONLY, 0);
    }
  }
  pid_t pid = -1;
  posix_spawn(&pid, VELDORA_CLI, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

int waitFor(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

string drain(int fd) {
  string bytes;
  char buffer[4096];
  for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) bytes.append(buffer, size_t(n));
  close(fd);
  return bytes;
}

// Runs veldora-cli to its end, with a file-size limit of fileSizeLimit bytes when given. Its
// output goes through pipes, which no file-size limit touches (and it is far below their size).
Outcome run(const std::vector<string>& args, std::optional<rlim_t> fileSizeLimit = std::nullopt) {
  int out[2], err[2];
  if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) return {-2, "", "no pipe"};
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  if (fileSizeLimit) {  // inherited by the program; put back at once for this process
    const rlimit limit{*fileSizeLimit, saved.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  const pid_t pid = start(args, out[1], err[1]);
  setrlimit(RLIMIT_FSIZE, &saved);
  close(out[1]);
  close(err[1]);
  const int status = waitFor(pid);
  return {status, drain(out[0]), drain(err[0])};
}

const std::string kSaveFailed = messages::saveFailed(WriteProblem::DiskFull) + "\n";

// The default signal action of a file-size limit would kill the program; it must fail the save.
TEST(CliProcess, ASaveOverAFileSizeLimitFailsAndKeepsTheOldFile) {
  TemporaryFolder folder;
  const string mix = folder.path("old.vdr");
  ASSERT_EQ(run({"--save", mix}).status, 0);
  const string old = readFile(mix);
  for (rlim_t limit : {rlim_t{0}, rlim_t{100}}) {
    const Outcome o = run({"--strength", "300", "--save", mix}, limit);
    EXPECT_EQ(o.status, 1) << limit;
    EXPECT_TRUE(o.err.ends_with(kSaveFailed)) << o.err;
    EXPECT_EQ(readFile(mix), old);
  }
}

// Killed at random moments while it saves over an existing design, the program leaves exactly the
// old file or exactly the new one, never a torn or empty one. A kill between naming the new file
// and renaming it may leave it beside the old one; the next open of the file removes it.
TEST(CliProcess, ASaveKilledAtAnyMomentLeavesTheOldOrTheNewFile) {
  TemporaryFolder folder;
  const string mix = folder.path("out.vdr");
  ASSERT_EQ(run({"--strength", "250", "--save", mix}).status, 0);
  const string oldBytes = readFile(mix);
  const auto begin = std::chrono::steady_clock::now();
  ASSERT_EQ(run({"--strength", "300", "--save", mix}).status, 0);
  const auto runTime = std::chrono::steady_clock::now() - begin;
  const string newBytes = readFile(mix);
  ASSERT_NE(oldBytes, newBytes);
  const auto others = [&folder] {
    return std::distance(std::filesystem::directory_iterator(folder.path()), {}) - 1;
  };

  std::mt19937 random(2026);
  std::uniform_int_distribution<long> delay(
      0, std::chrono::duration_cast<std::chrono::microseconds>(runTime).count() * 5 / 4);
  int old = 0, replaced = 0, leftBehind = 0;
  for (int i = 0; i < 300; ++i) {
    writeFile(mix, oldBytes);
    const pid_t pid = start({"--strength", "300", "--save", mix});
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    kill(pid, SIGKILL);
    waitFor(pid);
    const string bytes = readFile(mix);
    ASSERT_TRUE(bytes == oldBytes || bytes == newBytes) << "kill " << i << ": " << bytes.size();
    (bytes == oldBytes ? old : replaced) += 1;
    if (others() > 0) {
      ++leftBehind;
      EXPECT_EQ(run({mix}).status, 0);
      ASSERT_EQ(others(), 0) << "kill " << i << ": the open left the new file beside the old";
    }
  }
  std::cout << "300 kills: " << old << " left the old file, " << replaced << " the new one, "
            << leftBehind << " a new file beside it (0 after the next open)\n";
  // The kills fell before and after the rename, not all on one side of it.
  EXPECT_GT(old, 0);
  EXPECT_GT(replaced, 0);
}

// A batch input that another program truncates while it is read gives no results as if complete:
// exit 1, the output file not written, the rows already on the standard output left there. The
// batch is held mid-input by its standard error, a pipe of one page that its first message (the
// long name of a column passed through) fills, until the input is truncated.
class ABatchInputTruncatedWhileRead : public testing::TestWithParam<bool> {};

TEST_P(ABatchInputTruncatedWhileRead, IsRefused) {
  const bool toFile = GetParam();
  TemporaryFolder folder;
  const string input = folder.path("in.csv"), out = folder.path("out.csv");
  string rows = "id,slump," + string(200000, 'x') + "\n";
  for (int i = 0; i < 100000; ++i) rows += std::to_string(i) + ",75,\n";
  writeFile(input, rows);
  writeFile(out, "old results\n");
  int err[2];
  ASSERT_EQ(pipe2(err, O_CLOEXEC), 0);
  ASSERT_GT(fcntl(err[0], F_SETPIPE_SZ, 4096), 0);
  const int stdoutFile = open(folder.path("stdout").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
  std::vector<string> args = {"--batch", input};
  if (toFile) args.insert(args.end(), {"--out", out});
  const pid_t pid = start(args, stdoutFile, err[1]);
  close(err[1]);
  close(stdoutFile);
  char first[4096];
  ASSERT_GT(read(err[0], first, sizeof first), 0);
  ASSERT_EQ(truncate(input.c_str(), 300000), 0);  // inside a row
  const string message = drain(err[0]);
  EXPECT_EQ(waitFor(pid), 1);
  EXPECT_TRUE(message.ends_with("'" + input + "' changed while it was read" +
                                (toFile ? "; '" + out + "' is not written" : "") +
                                ": run the batch again once no other program writes to it\n"))
      << message.substr(message.size() - std::min<size_t>(message.size(), 300));
  EXPECT_EQ(readFile(out), "old results\n");
  const string written = readFile(folder.path("stdout"));
  EXPECT_EQ(written.empty(), toFile);
  EXPECT_TRUE(written.empty() || (written.starts_with("row,id,") && written.ends_with("\n")));
}

INSTANTIATE_TEST_SUITE_P(Table, ABatchInputTruncatedWhileRead, testing::Bool());

// Without a report the command line starts without Qt Gui and what only the report needs (the
// dynamic loader lists what it loads); asked for one, it writes it through the report's program.
TEST(CliProcess, StartsWithoutQtGuiUnlessAReportIsAsked) {
  TemporaryFolder folder;
  testing_support::writeFile(folder.path("in.csv"), "slump\n75\n");
  setenv("LD_DEBUG", "libs", 1);
  const Outcome plain = run({"--json", "--strength", "250"});
  const Outcome batch = run({"--batch", folder.path("in.csv")});
  const Outcome report = run({"--report", folder.path("r.pdf"), "--pour-volume", "12"});
  unsetenv("LD_DEBUG");
  for (const Outcome* o : {&plain, &batch}) {
    EXPECT_EQ(o->status, 0);
    EXPECT_NE(o->err.find("libQt6Core.so"), string::npos) << "the loader's list is not there";
    for (const char* library : {"libQt6Gui.so", "libfontconfig.so", "libfreetype.so",
                                "libharfbuzz.so", "libX11.so", "libEGL.so"}) {
      EXPECT_EQ(o->err.find(library), string::npos) << library;
    }
  }
  EXPECT_EQ(report.status, 0);
  EXPECT_NE(report.err.find("libQt6Gui.so"), string::npos);
  EXPECT_EQ(readFile(folder.path("r.pdf")).substr(0, 5), "%PDF-");
  EXPECT_EQ(report.out, testing_support::golden("default_design.txt"));
}

// The laboratory's sand, typed with a Persian keyboard's digits and decimal mark, through the
// program: its modulus and sizes, and the failed check in the exit status.
TEST(CliProcess, ASandsSieveAnalysisAsTyped) {
  TemporaryFolder folder;
  writeFile(folder.path("sand.csv"),
            "sieve_mm,retained_g\n۹/۵,۰\n۴/۷۵,۲۰\n۲/۳۶,۸۵\n۱/۱۸,۱۱۰\n۰/۶,۱۳۰\n۰/۳,۹۰\n۰/۱۵,۵۰\n"
            "pan,۱۵\n");
  const Outcome o = run({"--sieve-fine", folder.path("sand.csv"), "--json"});
  EXPECT_EQ(o.status, 1);
  for (const char* part : {"\"fineness_modulus\":3.21,", "\"maximum_size_mm\":9.5,",
                           "\"nominal_maximum_size_mm\":4.75,", "\"failing_sieves_mm\":[2.36]"}) {
    EXPECT_NE(o.out.find(part), string::npos) << part << o.out;
  }
  EXPECT_EQ(o.err, "");
}

// A batch's output file is written whole or not at all: past a file-size limit, or with a line
// that breaks the format, the old file stays as it was.
TEST(CliProcess, ABatchOutputFileIsWholeOrNotThere) {
  TemporaryFolder folder;
  string rows = "id,strength\n";
  for (int i = 0; i < 500; ++i)
    rows += std::to_string(i) + "," + std::to_string(150 + i % 250) + "\n";
  testing_support::writeFile(folder.path("in.csv"), rows);
  testing_support::writeFile(folder.path("bad.csv"), rows + "\"x\"y,1\n");
  const string out = folder.path("out.csv");
  writeFile(out, "old results\n");
  const Outcome limited = run({"--batch", folder.path("in.csv"), "--out", out}, rlim_t{4096});
  EXPECT_EQ(limited.status, 1);
  EXPECT_EQ(limited.err, messages::resultsNotWritten(WriteProblem::DiskFull) + "\n");
  const Outcome malformed = run({"--batch", folder.path("bad.csv"), "--out", out});
  EXPECT_EQ(malformed.status, 2);
  EXPECT_NE(malformed.err.find("line 502"), string::npos) << malformed.err;
  EXPECT_EQ(readFile(out), "old results\n");
  EXPECT_EQ(malformed.out, "");
  const Outcome done = run({"--batch", folder.path("in.csv"), "--out", out});
  EXPECT_EQ(done.status, 0) << done.err;
  const string written = readFile(out);
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 501);
  // Rows that could not be written to the standard output (a full disk) are no success.
  const int full = open("/dev/full", O_WRONLY | O_CLOEXEC);
  EXPECT_EQ(waitFor(start({"--batch", folder.path("in.csv")}, full)), 1);
  EXPECT_EQ(waitFor(start({}, full)), 1);
  close(full);
  // Nothing left beside the three files.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 3);
}

// From a pipe, each row is written as soon as it is done, before the input ends.
TEST(CliProcess, ABatchFromAPipeAnswersEachRowAsItComes) {
  int in[2], out[2];
  ASSERT_EQ(pipe2(in, O_CLOEXEC), 0);
  ASSERT_EQ(pipe2(out, O_CLOEXEC), 0);
  const pid_t pid = start({"--batch", "-"}, out[1], -1, in[0]);
  close(in[0]);
  close(out[1]);
  FILE* results = fdopen(out[0], "r");
  char line[4096];
  for (const char* row : {"id,strength\n", "a,250\n", "b,500\n"}) {
    ASSERT_EQ(write(in[1], row, strlen(row)), static_cast<ssize_t>(strlen(row)));
    if (row[0] == 'i') continue;
    ASSERT_TRUE(fgets(line, sizeof line, results)) << "no answer to " << row;
    if (string(line).starts_with("row,")) {
      ASSERT_TRUE(fgets(line, sizeof line, results));
    }
    EXPECT_EQ(string(line).substr(0, 4), row[0] == 'a' ? "1,a," : "2,b,") << line;
  }
  close(in[1]);
  EXPECT_EQ(waitFor(pid), 1);  // the second row stopped
  fclose(results);
}

}  // namespace
}  // namespace veldora
