#include "files/diskfile.h"
#include "files/temporaryname.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <tuple>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace veldora {
namespace {

// Closes a descriptor when it goes out of scope unless released.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : mFd(fd) {}
  Descriptor(Descriptor&& other) noexcept : mFd(std::exchange(other.mFd, -1)) {}
  Descriptor& operator=(Descriptor&& other) noexcept {
    if (this != &other) {
      if (mFd >= 0) ::close(mFd);
      mFd = std::exchange(other.mFd, -1);
    }
    return *this;
  }
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

// The lock a replacement holds on its new file from its start until it is in place (or given up),
// so that removeLeftoverTemporaries() in another process leaves it alone.
void lockAsInUse(int fd) {
  while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
  }
}

// A new, empty file beside the target, locked as in use; its name goes to temporaryPath.
Descriptor createTemporaryBeside(const std::string& folder, const std::string& name,
                                 std::string& temporaryPath) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporaryPath = temporaryPathBeside(folder, name);
    Descriptor fd(::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.valid()) lockAsInUse(fd.get());
    if (fd.valid() || errno != EEXIST) return fd;
  }
  return Descriptor();
}

// Gives the unnamed file fd the name path; false where it cannot (the name taken, no /proc).
bool linkUnnamedFile(int fd, const std::string& path) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

// Gives the unnamed file fd a temporary name beside the target; false where it cannot (no /proc).
bool nameUnnamedFile(int fd, const std::string& folder, const std::string& name,
                     std::string& temporaryPath) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporaryPath = temporaryPathBeside(folder, name);
    if (linkUnnamedFile(fd, temporaryPath)) return true;
    if (errno != EEXIST) break;
  }
  temporaryPath.clear();
  return false;
}

void syncFolder(const std::string& folder) {
  Descriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.valid()) syncToDisk(directory.get());
}

// The file a symbolic link at path leads to, else path itself; nullopt for a dangling link (errno
// says why).
std::optional<std::string> followedLink(const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (!resolved) return std::nullopt;
  std::string target = resolved;
  std::free(resolved);
  return target;
}

FileIdentity identityOf(const struct stat& info) {
  return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
          static_cast<std::uint64_t>(info.st_size),
          static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

// Whether the file open at fd is still the one at path (when given) and as it was.
bool stillAsOpened(int fd, const std::string& path, const FileIdentity& opened) {
  struct stat now;
  if (::fstat(fd, &now) != 0 || identityOf(now) != opened) return false;
  return path.empty() || (::stat(path.c_str(), &now) == 0 && identityOf(now) == opened);
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
  const FileIdentity opened = identityOf(info);

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
  // Another program wrote, truncated or replaced it meanwhile: what was read may be no file.
  if (contents.bytes.size() != opened.size || !stillAsOpened(fd.get(), path, opened)) {
    return {Status::TooLargeOrBroken, {}};
  }
  return contents;
}

void removeLeftoverTemporaries(const std::string& path) {
  const std::optional<std::string> target = followedLink(path);
  if (!target) return;
  const auto [folder, name] = splitPath(*target);
  long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  if (longest < 16) longest = 255;
  std::error_code error;
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string found = entry->path().filename().string();
    if (!isTemporaryNameFor(found, name, static_cast<size_t>(longest))) continue;
    const std::string candidate = folder + "/" + found;
    struct stat named, opened;
    if (::lstat(candidate.c_str(), &named) != 0 || !S_ISREG(named.st_mode) ||
        named.st_uid != ::geteuid()) {
      continue;
    }
    Descriptor fd(::open(candidate.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    // Locked: a replacement in another process is writing it or putting it in place.
    if (!fd.valid() || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) continue;
    // Still the file looked at, not one that took its name meanwhile.
    if (::fstat(fd.get(), &opened) == 0 && opened.st_dev == named.st_dev &&
        opened.st_ino == named.st_ino && ::lstat(candidate.c_str(), &named) == 0 &&
        named.st_ino == opened.st_ino) {
      ::unlink(candidate.c_str());
    }
  }
}

FileReplacement::FileReplacement(const std::string& path) {
  // A dangling link is refused, not followed to make its target.
  const std::optional<std::string> followed = followedLink(path);
  if (!followed) {
    mProblem = errno == ENOENT ? WriteProblem::Other : writeProblem(errno);
    return;
  }
  const std::string& target = *followed;
  struct stat info;
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
  removeLeftoverTemporaries(target);
  // The file is written unnamed where the file system allows, so that a kill part-way leaves
  // nothing behind; it gets a name only once it is complete.
  mHandle = ::open(mFolder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
  if (mHandle >= 0) {
    lockAsInUse(static_cast<int>(mHandle));
  } else {
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
  // Holds the lock on the new file until it is in place.
  Descriptor lock(::dup(fd.get()));
  if (mTemporaryPath.empty() && !mTargetExists && linkUnnamedFile(fd.get(), mTarget)) {
    // A new target named at once: no moment in which the file has another name.
    if (!fd.close()) {
      const int error = errno;
      ::unlink(mTarget.c_str());
      return failed(error);
    }
    syncFolder(mFolder);
    return std::nullopt;
  }
  if (mTemporaryPath.empty() && !nameUnnamedFile(fd.get(), mFolder, mName, mTemporaryPath)) {
    // Without /proc the unnamed file cannot be named: its bytes go to a named one.
    Descriptor named = createTemporaryBeside(mFolder, mName, mTemporaryPath);
    if (!named.valid()) return failed(errno);
    lock = Descriptor(::dup(named.get()));
    if (!copyFile(fd.get(), named.get()) || !syncToDisk(named.get())) return failed(errno);
    if (!named.close()) return failed(errno);
  }
  if (!fd.close()) return failed(errno);
  if (::rename(mTemporaryPath.c_str(), mTarget.c_str()) != 0) return failed(errno);
  mTemporaryPath.clear();
  // Make the rename itself durable; the new file is complete whether or not this succeeds.
  syncFolder(mFolder);
  return std::nullopt;
}

FileReader::FileReader(const std::string& path) : mPath(path), mStandardInput(path.empty()) {
  struct stat info;
  if (mStandardInput) {
    mHandle = STDIN_FILENO;
    // Redirected from a file, it is read from where it stands.
    const off_t at = ::lseek(STDIN_FILENO, 0, SEEK_CUR);
    if (::fstat(STDIN_FILENO, &info) == 0 && S_ISREG(info.st_mode) && at >= 0) {
      mOpened = identityOf(info);
      mBytesRead = static_cast<std::uint64_t>(at);
    }
    return;
  }
  if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    mProblem = FileContents::Status::NotRegular;
    mCause = std::strerror(EISDIR);
    return;
  }
  mHandle = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (mHandle < 0) {
    mProblem = readProblem(errno);
    mCause = std::strerror(errno);
  } else if (::fstat(static_cast<int>(mHandle), &info) == 0 && S_ISREG(info.st_mode)) {
    mOpened = identityOf(info);
  }
}

FileReader::~FileReader() {
  if (!mStandardInput && mHandle >= 0) ::close(static_cast<int>(mHandle));
}

std::optional<std::size_t> FileReader::read(char* data, std::size_t size) {
  if (mProblem) return std::nullopt;
  for (;;) {
    const ssize_t got = ::read(static_cast<int>(mHandle), data, size);
    if (got >= 0) {
      mBytesRead += static_cast<std::uint64_t>(got);
      return static_cast<size_t>(got);
    }
    if (errno != EINTR) {
      mCause = std::strerror(errno);
      return std::nullopt;
    }
  }
}

bool FileReader::changedSinceOpened() const {
  return mOpened && (mBytesRead != mOpened->size ||
                     !stillAsOpened(static_cast<int>(mHandle), mPath, *mOpened));
}

}  // namespace veldora
