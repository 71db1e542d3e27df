#include "files/diskfile.h"
#include "tests/support/files.h"
#include "tests/support/names.h"

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <tuple>

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace veldora {
namespace {

using std::string;
using testing_support::readFile;
using testing_support::TemporaryFolder;
using testing_support::writeFile;
using Status = FileContents::Status;

constexpr size_t kLimit = 4096;

// The files in a folder, temporary ones included.
size_t entries(const string& folder) {
  size_t n = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++n;
  return n;
}

// Runs body in a child process and returns its exit status (-1 when it did not exit).
int inChild(const std::function<int()>& body) {
  const pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct ReadCase {
  const char* name;
  std::function<string(const TemporaryFolder&)> make;  // returns the path to read
  Status status;
};

class ReadingAPath : public testing::TestWithParam<ReadCase> {};

// A FIFO or a device is never opened for reading: this test would hang or run out of memory.
TEST_P(ReadingAPath, TakesOnlyARegularFileWithinTheLimit) {
  TemporaryFolder folder;
  const FileContents contents = readFileAt(GetParam().make(folder), kLimit);
  EXPECT_EQ(contents.status, GetParam().status);
  if (contents.status == Status::Read) {
    EXPECT_EQ(contents.bytes, string(kLimit, 'a'));
  }
}

string regularFile(const TemporaryFolder& f, size_t size) {
  writeFile(f.path("a.vdr"), string(size, 'a'));
  return f.path("a.vdr");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, ReadingAPath, testing::Values(
    ReadCase{"file_at_the_limit", [](auto& f) { return regularFile(f, kLimit); }, Status::Read},
    ReadCase{"symbolic_link_to_a_file", [](auto& f) {
      symlink(regularFile(f, kLimit).c_str(), f.path("link").c_str());
      return f.path("link"); }, Status::Read},
    ReadCase{"nothing_there", [](auto& f) { return f.path("none.vdr"); }, Status::Missing},
    ReadCase{"one_byte_over", [](auto& f) { return regularFile(f, kLimit + 1); }, Status::TooLargeOrBroken},
    ReadCase{"sparse_two_gigabytes", [](auto& f) {
      std::filesystem::resize_file(regularFile(f, 0), 2'000'000'000);
      return f.path("a.vdr"); }, Status::TooLargeOrBroken},
    ReadCase{"folder", [](auto& f) { return f.path(); }, Status::NotRegular},
    ReadCase{"fifo", [](auto& f) {
      mkfifo(f.path("fifo").c_str(), 0600);
      return f.path("fifo"); }, Status::NotRegular},
    ReadCase{"endless_device", [](auto&) { return string("/dev/zero"); }, Status::NotRegular},
    ReadCase{"link_loop", [](auto& f) {
      symlink(f.path("b").c_str(), f.path("a").c_str());
      symlink(f.path("a").c_str(), f.path("b").c_str());
      return f.path("a"); }, Status::LoopOrTooLong},
    ReadCase{"name_too_long", [](auto& f) { return f.path(string(300, 'n')); }, Status::LoopOrTooLong}),
    testing_support::CaseName());
// clang-format on

class Replacing : public testing::Test {
 protected:
  TemporaryFolder folder;
  const string target = folder.path("mix.vdr");
  const string oldBytes = "old design\r\n";
  const string newBytes = string(3000, 'n');
  void SetUp() override { writeFile(target, oldBytes); }
};

TEST_F(Replacing, PutsTheNewBytesInPlaceAndKeepsThePermissions) {
  chmod(target.c_str(), 0640);
  ASSERT_EQ(replaceFileAt(target, newBytes), std::nullopt);
  EXPECT_EQ(readFile(target), newBytes);
  struct stat info;
  stat(target.c_str(), &info);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  EXPECT_EQ(entries(folder.path()), 1u);
}

// A name may be as long as the folder allows; the temporary file beside it must still fit.
TEST_F(Replacing, TakesANameOfTheLongestLength) {
  for (const size_t length : {246u, 255u}) {
    const string longest = folder.path(string(length - 4, 'a') + ".vdr");
    writeFile(longest, oldBytes);
    EXPECT_EQ(replaceFileAt(longest, newBytes), std::nullopt) << length;
    EXPECT_EQ(readFile(longest), newBytes);
    std::filesystem::remove(longest);
  }
}

TEST_F(Replacing, FollowsASymbolicLinkToTheFileItNames) {
  symlink(target.c_str(), folder.path("link.vdr").c_str());
  ASSERT_EQ(replaceFileAt(folder.path("link.vdr"), newBytes), std::nullopt);
  EXPECT_TRUE(std::filesystem::is_symlink(folder.path("link.vdr")));
  EXPECT_EQ(readFile(target), newBytes);
}

// A real full disk: a small tmpfs mounted in a private mount namespace of a child process (a
// user namespace makes this work without root).
TEST_F(Replacing, OnAFullDiskFailsAndLeavesTheOldFile) {
  const int status = inChild([&] {
    const uid_t uid = getuid();
    const gid_t gid = getgid();
    if (unshare(CLONE_NEWNS | (uid == 0 ? 0 : CLONE_NEWUSER)) != 0) return 10;
    if (uid != 0) {
      writeFile("/proc/self/setgroups", "deny");
      writeFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1");
      writeFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
    }
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return 11;
    if (mount("veldora-full", folder.path().c_str(), "tmpfs", 0, "size=64k") != 0) return 12;
    writeFile(target, oldBytes);
    const int filler = open(folder.path("filler").c_str(), O_WRONLY | O_CREAT, 0600);
    const string block(4096, 'f');
    while (write(filler, block.data(), block.size()) > 0) {
    }
    if (errno != ENOSPC) return 13;
    close(filler);
    if (replaceFileAt(target, newBytes) != WriteProblem::DiskFull) return 14;
    if (readFile(target) != oldBytes || entries(folder.path()) != 2) return 15;
    unlink(folder.path("filler").c_str());  // room again: the same save now succeeds
    if (replaceFileAt(target, newBytes) || readFile(target) != newBytes) return 16;
    return 0;
  });
  EXPECT_EQ(status, 0) << "10-12: no private tmpfs could be mounted; 13-16: see the test";
}

TEST_F(Replacing, RefusesWhatIsNotARegularFile) {
  mkfifo(folder.path("fifo").c_str(), 0600);
  std::filesystem::create_directory(folder.path("folder"));
  for (const auto& [path, problem] : {std::pair{folder.path("fifo"), WriteProblem::NotRegular},
                                      {folder.path("folder"), WriteProblem::NotRegular},
                                      {folder.path("no/x.vdr"), WriteProblem::FolderMissing}}) {
    EXPECT_EQ(replaceFileAt(path, newBytes), problem) << path;
  }
  EXPECT_TRUE(std::filesystem::is_fifo(folder.path("fifo")));
  EXPECT_TRUE(std::filesystem::is_directory(folder.path("folder")));
  EXPECT_EQ(entries(folder.path()), 3u);
}

// What a save killed between naming its new file and renaming it left beside the file goes at the
// next save; anything else stays: a name not exactly of that pattern, what is no regular file, and
// the new file of a save going on in another process (it holds the file locked).
struct LeftoverCase {
  const char* name;  // beside mix.vdr
  std::function<void(const string& path)> make;
  bool removed;
};

class Leftovers : public Replacing, public testing::WithParamInterface<LeftoverCase> {};

TEST_P(Leftovers, GoAtTheNextSaveOnlyWhenAKilledSaveLeftThem) {
  const string leftover = folder.path(GetParam().name);
  int ready[2], release[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(release), 0);
  pid_t holder = -1;
  if (GetParam().make) {
    GetParam().make(leftover);
  } else {  // a save in progress: another process holds its new file locked
    writeFile(leftover, newBytes);
    holder = fork();
    if (holder == 0) {
      close(release[1]);
      const int fd = open(leftover.c_str(), O_RDONLY);
      char byte = 0;
      if (fd < 0 || flock(fd, LOCK_EX) != 0 || write(ready[1], "l", 1) != 1) _exit(1);
      _exit(read(release[0], &byte, 1) == 0 ? 0 : 1);  // until the test lets go
    }
    close(ready[1]);
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1) << "the holder did not lock the file";
  }
  EXPECT_EQ(replaceFileAt(target, newBytes), std::nullopt);
  close(release[1]);
  int status = 0;
  if (holder > 0) {
    EXPECT_EQ(waitpid(holder, &status, 0), holder);
    EXPECT_EQ(status, 0);
  }
  for (const int fd : {ready[0], ready[1], release[0]}) close(fd);
  EXPECT_EQ(readFile(target), newBytes);
  EXPECT_EQ(!std::filesystem::exists(std::filesystem::symlink_status(leftover)),
            GetParam().removed);
}

const auto kWhole = [](const string& path) { writeFile(path, "whole new design"); };

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Leftovers, testing::Values(
    LeftoverCase{".mix.vdr.veldora-k3x9a0qz", kWhole,  true},
    LeftoverCase{".mix.vdr.k3x9a0qz",         kWhole,  false},  // another program's temporary
    LeftoverCase{".mix.vdr.veldora-k3x9a0q",  kWhole,  false},
    LeftoverCase{".mix.vdr.veldora-K3X9A0QZ", kWhole,  false},
    LeftoverCase{".mix.vdr.veldora-k3x9-0qz", kWhole,  false},
    LeftoverCase{".max.vdr.veldora-k3x9a0qz", kWhole,  false},
    LeftoverCase{"mix.vdr.veldora-k3x9a0qz",  kWhole,  false},
    LeftoverCase{".mix.vdr.veldora-k3x9a0qz", nullptr, false},
    LeftoverCase{".mix.vdr.veldora-k3x9a0qz",
                 [](const string& path) { std::filesystem::create_directory(path); }, false},
    LeftoverCase{".mix.vdr.veldora-k3x9a0qz",
                 [](const string& path) { symlink("mix.vdr", path.c_str()); }, false}));
// clang-format on

}  // namespace
}  // namespace veldora
