#include "files/diskfile.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
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

std::string randomSuffix() {
  static std::mt19937_64 random(static_cast<std::uint64_t>(
      std::chrono::steady_clock::now().time_since_epoch().count() ^ ::getpid()));
  constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string suffix;
  for (int i = 0; i < 8; ++i) suffix += kLetters[random() % (sizeof kLetters - 1)];
  return suffix;
}

// A hidden name beside the target, ".NAME.xxxxxxxx", with NAME shortened where the whole would be
// longer than the folder allows (a target name may itself be as long as that).
std::string temporaryPathBeside(const std::string& folder, const std::string& name) {
  long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  if (longest < 16) longest = 255;
  const std::string suffix = randomSuffix();
  return folder + "/." + name.substr(0, static_cast<size_t>(longest) - 2 - suffix.size()) + "." +
         suffix;
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

std::optional<WriteProblem> replaceFileAt(const std::string& path, std::string_view bytes) {
  std::string target = path;
  struct stat info;
  if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    // A dangling link is refused, not followed to make its target.
    if (!resolved) return errno == ENOENT ? WriteProblem::Other : writeProblem(errno);
    target = resolved;
    std::free(resolved);
  }
  const bool exists = ::stat(target.c_str(), &info) == 0;
  if (!exists && errno != ENOENT) return writeProblem(errno);
  if (exists && !S_ISREG(info.st_mode)) return WriteProblem::NotRegular;
  if (exists && ::access(target.c_str(), W_OK) != 0) return writeProblem(errno);

  const auto [folder, name] = splitPath(target);
  if (name.empty()) return WriteProblem::Other;
  // Why the file could not be made in the folder: a file that may itself be written needs its
  // folder to be writable too, for a save that never writes in place.
  const auto creationProblem = [exists](int error) {
    const WriteProblem problem = writeProblem(error);
    return exists && problem == WriteProblem::NoPermission ? WriteProblem::FolderNotWritable
                                                           : problem;
  };
  // The new file takes the old one's permissions and, where allowed, its owner; then every byte,
  // flushed to the disk.
  const auto fill = [&](int fd) -> std::optional<WriteProblem> {
    if (exists) {
      ::fchmod(fd, info.st_mode & 07777);
      if (::fchown(fd, info.st_uid, info.st_gid) != 0) {
        // Only the superuser may give a file away; the permissions are what matters.
      }
    }
    if (!writeAll(fd, bytes) || !syncToDisk(fd)) return writeProblem(errno);
    return std::nullopt;
  };
  // The file is written unnamed where the file system allows, so that a kill part-way leaves
  // nothing behind; it gets its temporary name only once it is complete.
  std::string temporaryPath;
  bool complete = false;
  if (Descriptor fd(::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666)); fd.valid()) {
    if (const auto problem = fill(fd.get())) return problem;
    complete = nameUnnamedFile(fd.get(), folder, name, temporaryPath) && fd.close();
  }
  if (!complete) {
    if (!temporaryPath.empty()) ::unlink(temporaryPath.c_str());
    Descriptor fd = createTemporaryBeside(folder, name, temporaryPath);
    if (!fd.valid()) return creationProblem(errno);
    if (const auto problem = fill(fd.get())) {
      ::unlink(temporaryPath.c_str());
      return problem;
    }
    if (!fd.close()) {
      const int error = errno;
      ::unlink(temporaryPath.c_str());
      return writeProblem(error);
    }
  }
  if (::rename(temporaryPath.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(temporaryPath.c_str());
    return writeProblem(error);
  }
  // Make the rename itself durable; the new file is complete whether or not this succeeds.
  Descriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.valid()) syncToDisk(directory.get());
  return std::nullopt;
}

bool sameFileAt(const std::string& a, const std::string& b) {
  std::error_code error;
  if (std::filesystem::equivalent(a, b, error)) return true;
  // Neither need exist yet: compare the names the existing part of each resolves to.
  const auto resolved = [](const std::string& path, std::error_code& error) {
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? absolute : std::filesystem::weakly_canonical(absolute, error);
  };
  std::error_code errorA, errorB;
  const std::filesystem::path resolvedA = resolved(a, errorA);
  const std::filesystem::path resolvedB = resolved(b, errorB);
  return !errorA && !errorB && resolvedA == resolvedB;
}

}  // namespace veldora
