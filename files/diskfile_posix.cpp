#include "files/diskfile.h"
#include "files/temporaryname.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <tuple>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veldora {
namespace {

// Closes a descriptor when it goes out of scope unless released.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : mFd(fd) {}
  Descriptor(Descriptor&& other) noexcept : mFd(std::exchange(other.mFd, -1)) {}
  Descriptor& operator=(Descriptor&&) = delete;
  ~Descriptor() {
    if (mFd >= 0) ::close(mFd);
  }
  int get() const { return mFd; }
  bool valid() const { return mFd >= 0; }
  // Closes now and reports whether the close succeeded (a write error can surface only here).
  bool close() {
    const int fd = mFd;
    mFd = -1;
    return ::close(fd) == 0 || errno == EINTR;
  }

 private:
  int mFd;
};

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

bool syncToDisk(int fd) {
  while (::fsync(fd) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

// The folder of a path and its last component, "." for a bare name.
std::pair<std::string, std::string> splitPath(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {".", path};
  return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

// A hidden name beside the target, with the target's name shortened where the whole would be
// longer than the folder allows (a target name may itself be as long as that).
std::string temporaryPathBeside(const std::string& folder, const std::string& name) {
  long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  if (longest < 16) longest = 255;
  return folder + "/" + temporaryNameFor(name, static_cast<size_t>(longest));
}

// A new, empty file beside the target; its name goes to temporaryPath.
Descriptor createTemporaryBeside(const std::string& folder, const std::string& name,
                                 std::string& temporaryPath) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporaryPath = temporaryPathBeside(folder, name);
    Descriptor fd(::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.valid() || errno != EEXIST) return fd;
  }
  return Descriptor();
}

// Gives the unnamed file fd a temporary name beside the target; false where it cannot (no /proc).
bool nameUnnamedFile(int fd, const std::string& folder, const std::string& name,
                     std::string& temporaryPath) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporaryPath = temporaryPathBeside(folder, name);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporaryPath.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      return true;
    }
    if (errno != EEXIST) break;
  }
  temporaryPath.clear();
  return false;
}

// Copies the whole file from to the end of to.
bool copyFile(int from, int to) {
  char buffer[65536];
  for (off_t at = 0;;) {
    const ssize_t got = ::pread(from, buffer, sizeof buffer, at);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return got == 0;
    if (!writeAll(to, std::string_view(buffer, static_cast<size_t>(got)))) return false;
    at += got;
  }
}

FileContents::Status readProblem(int error) {
  using Status = FileContents::Status;
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return Status::Missing;
    case EACCES:
    case EPERM:
      return Status::NoPermission;
    case ELOOP:
    case ENAMETOOLONG:
      return Status::LoopOrTooLong;
    default:
      return Status::TooLargeOrBroken;
  }
}

WriteProblem writeProblem(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return WriteProblem::FolderMissing;
    case EACCES:
    case EPERM:
    case EROFS:
      return WriteProblem::NoPermission;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return WriteProblem::DiskFull;
    case ENAMETOOLONG:
      return WriteProblem::NameTooLong;
    case EISDIR:
      return WriteProblem::NotRegular;
    default:
      return WriteProblem::Other;
  }
}

}  // namespace

FileContents readFileAt(const std::string& path, std::size_t limit) {
  using Status = FileContents::Status;
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) return {readProblem(errno), {}};
  if (!S_ISREG(info.st_mode)) return {Status::NotRegular, {}};
  if (static_cast<std::uintmax_t>(info.st_size) > limit) return {Status::TooLargeOrBroken, {}};
  // Non-blocking, and checked again once open: what is opened may not be what was looked at.
  Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (!fd.valid()) return {readProblem(errno), {}};
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return {Status::NotRegular, {}};

  FileContents contents{Status::Read, {}};
  char buffer[65536];
  while (contents.bytes.size() <= limit) {
    const size_t wanted = std::min(sizeof buffer, limit + 1 - contents.bytes.size());
    const ssize_t got = ::read(fd.get(), buffer, wanted);
    if (got < 0) {
      if (errno == EINTR) continue;
      return {Status::TooLargeOrBroken, {}};
    }
    if (got == 0) break;
    contents.bytes.append(buffer, static_cast<size_t>(got));
  }
  if (contents.bytes.size() > limit) return {Status::TooLargeOrBroken, {}};
  return contents;
}

FileReplacement::FileReplacement(const std::string& path) {
  std::string target = path;
  struct stat info;
  if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    // A dangling link is refused, not followed to make its target.
    if (!resolved) {
      mProblem = errno == ENOENT ? WriteProblem::Other : writeProblem(errno);
      return;
    }
    target = resolved;
    std::free(resolved);
  }
  const bool exists = ::stat(target.c_str(), &info) == 0;
  if (!exists && errno != ENOENT) {
    mProblem = writeProblem(errno);
  } else if (exists && !S_ISREG(info.st_mode)) {
    mProblem = WriteProblem::NotRegular;
  } else if (exists && ::access(target.c_str(), W_OK) != 0) {
    mProblem = writeProblem(errno);
  }
  if (mProblem) return;
  std::tie(mFolder, mName) = splitPath(target);
  mTarget = target;
  mTargetExists = exists;
  if (mName.empty()) {
    mProblem = WriteProblem::Other;
    return;
  }
  // The file is written unnamed where the file system allows, so that a kill part-way leaves
  // nothing behind; it gets its temporary name only once it is complete.
  mHandle = ::open(mFolder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
  if (mHandle < 0) {
    const Descriptor named = createTemporaryBeside(mFolder, mName, mTemporaryPath);
    if (!named.valid()) {
      // A file that may itself be written needs its folder to be writable too, for a save that
      // never writes in place.
      const WriteProblem problem = writeProblem(errno);
      mProblem = exists && problem == WriteProblem::NoPermission ? WriteProblem::FolderNotWritable
                                                                 : problem;
      return;
    }
    mHandle = ::dup(named.get());
  }
  // The new file takes the old one's permissions and, where allowed, its owner.
  if (exists) {
    ::fchmod(static_cast<int>(mHandle), info.st_mode & 07777);
    if (::fchown(static_cast<int>(mHandle), info.st_uid, info.st_gid) != 0) {
      // Only the superuser may give a file away; the permissions are what matters.
    }
  }
}

FileReplacement::~FileReplacement() {
  if (mHandle >= 0) ::close(static_cast<int>(mHandle));
  if (!mTemporaryPath.empty()) ::unlink(mTemporaryPath.c_str());
}

bool FileReplacement::write(std::string_view bytes) {
  if (mProblem) return false;
  if (!writeAll(static_cast<int>(mHandle), bytes)) mProblem = writeProblem(errno);
  return !mProblem;
}

std::optional<WriteProblem> FileReplacement::commit() {
  if (mProblem) return mProblem;
  Descriptor fd(static_cast<int>(std::exchange(mHandle, -1)));
  const auto failed = [this](int error) {
    mProblem = writeProblem(error);
    return mProblem;
  };
  if (!syncToDisk(fd.get())) return failed(errno);
  if (mTemporaryPath.empty() && !nameUnnamedFile(fd.get(), mFolder, mName, mTemporaryPath)) {
    // Without /proc the unnamed file cannot be named: its bytes go to a named one.
    Descriptor named = createTemporaryBeside(mFolder, mName, mTemporaryPath);
    if (!named.valid()) return failed(errno);
    if (!copyFile(fd.get(), named.get()) || !syncToDisk(named.get())) return failed(errno);
    if (!named.close()) return failed(errno);
  }
  if (!fd.close()) return failed(errno);
  if (::rename(mTemporaryPath.c_str(), mTarget.c_str()) != 0) return failed(errno);
  mTemporaryPath.clear();
  // Make the rename itself durable; the new file is complete whether or not this succeeds.
  Descriptor directory(::open(mFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.valid()) syncToDisk(directory.get());
  return std::nullopt;
}

FileReader::FileReader(const std::string& path) : mStandardInput(path.empty()) {
  if (mStandardInput) {
    mHandle = STDIN_FILENO;
    return;
  }
  struct stat info;
  if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    mProblem = FileContents::Status::NotRegular;
    mCause = std::strerror(EISDIR);
    return;
  }
  mHandle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (mHandle < 0) {
    mProblem = readProblem(errno);
    mCause = std::strerror(errno);
  }
}

FileReader::~FileReader() {
  if (!mStandardInput && mHandle >= 0) ::close(static_cast<int>(mHandle));
}

std::optional<std::size_t> FileReader::read(char* data, std::size_t size) {
  if (mProblem) return std::nullopt;
  for (;;) {
    const ssize_t got = ::read(static_cast<int>(mHandle), data, size);
    if (got >= 0) return static_cast<size_t>(got);
    if (errno != EINTR) {
      mCause = std::strerror(errno);
      return std::nullopt;
    }
  }
}

}  // namespace veldora
