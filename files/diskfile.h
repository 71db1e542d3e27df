#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Whole files on disk, read with a size bound and replaced atomically, and files read piece by
// piece. Paths are UTF-8 (on POSIX systems, the bytes the system takes; on Windows, converted to
// its UTF-16 names). Each failure says its cause, taken from the error of the call that failed.
// One implementation per platform: diskfile_posix.cpp, diskfile_windows.cpp.
namespace veldora {

struct FileContents {
  enum class Status {
    Read,             // bytes holds the whole file
    Missing,          // nothing exists at the path (or a folder on it is a file)
    NotRegular,       // something exists but is a folder, a device or a FIFO
    NoPermission,     // the file, or a folder on its path, may not be read
    LoopOrTooLong,    // its symbolic links lead round in a loop, or its name is too long
    InUse,            // another program holds it open and lets nobody read it (Windows)
    TooLargeOrBroken  // over the size limit, reading it failed part-way, or it changed meanwhile
  };
  Status status = Status::Missing;
  std::string bytes;
};

// Reads the regular file at path. Anything else (a directory, a FIFO, a device) is refused
// without being opened, so that nothing blocks or never ends; so is a file over limit bytes,
// of which at most limit + 1 bytes are ever read, and a file that another program changed,
// truncated or replaced while it was read.
FileContents readFileAt(const std::string& path, std::size_t limit);

// Why a file could not be written. It is left exactly as it was whatever the cause.
enum class WriteProblem {
  FolderMissing,      // the folder of the name does not exist
  NoPermission,       // the folder (for a new file) or the file may not be written
  FolderNotWritable,  // the file may be written but its folder not, which a safe save needs
  DiskFull,           // no room left, or a size limit reached
  NameTooLong,
  NotRegular,  // the name is a folder, a device or a FIFO
  InUse,       // another program holds the file open and lets nobody replace it (Windows)
  Other,
};

// Replaces the file at path with bytes, or leaves it exactly as it was and returns the cause. The
// bytes go to a new file beside the target, are flushed to the disk and checked, and only then
// put in place of the target, so that a full disk, a size limit or a kill part-way never leaves a
// torn or empty file. It never writes in place: a file whose folder may not be written is refused.
// A target that exists and is not a regular file (a FIFO, a device, a directory) is refused; a
// symbolic link is followed to the file it names. On Windows a file marked read-only is refused,
// as Windows programs refuse it.
//
// What a kill leaves. On Linux the new file is written unnamed (O_TMPFILE); a new target gets its
// name in one step, but an existing one can only be replaced by renaming a named file over it, so
// a complete new file has the hidden name of temporaryNameFor() for the moment between naming and
// renaming. Where the file system has no unnamed files, and on Windows (ReplaceFileW takes named
// files only), the new file has that name all the time it is written. A kill in such a moment
// leaves the hidden file beside the target; the next replacement or removeLeftoverTemporaries()
// of the same target removes it.
std::optional<WriteProblem> replaceFileAt(const std::string& path, std::string_view bytes);

// Removes the new files that replacements of path left when they were killed part-way: regular
// files in its folder named as temporaryNameFor() names them for it, owned by the current user,
// that no living replacement is writing or placing (it holds them locked, or open unshared on
// Windows). A symbolic link is followed to the file it names. Failures are ignored.
void removeLeftoverTemporaries(const std::string& path);

// The same for a file written piece by piece, as long as it takes: nothing replaces the file at
// path until commit() has written every piece, flushed it to the disk and renamed it over the
// target; destroyed uncommitted, it leaves no trace.
class FileReplacement {
 public:
  explicit FileReplacement(const std::string& path);
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;
  ~FileReplacement();

  // Why the file cannot be replaced, once that is known (the target refused, a write failed).
  std::optional<WriteProblem> problem() const { return mProblem; }
  // Appends bytes; false, and nothing more written, after any failure.
  bool write(std::string_view bytes);
  // Puts the file in place of the target, or leaves the target as it was and says why.
  std::optional<WriteProblem> commit();

 private:
  std::optional<WriteProblem> mProblem;
  std::string mTarget, mFolder, mName;
  std::string mTemporaryPath;  // the new file's name, once it has one
  bool mTargetExists = false;
  std::intptr_t mHandle = -1;  // the new file's descriptor, or its HANDLE on Windows
};

// What tells a regular file and its content apart as far as the system says without reading it:
// its volume and number there, its size and the time it was last written.
struct FileIdentity {
  std::uint64_t device = 0, file = 0, size = 0;
  std::int64_t modified = 0;
  bool operator==(const FileIdentity&) const = default;
};

// A file read from its start, piece by piece, or the standard input.
class FileReader {
 public:
  // The standard input where path is empty.
  explicit FileReader(const std::string& path);
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;
  ~FileReader();

  // Why it cannot be read (nullopt: it can), and the cause as the system words it.
  std::optional<FileContents::Status> problem() const { return mProblem; }
  const std::string& cause() const { return mCause; }
  // Reads at most size bytes: how many, 0 at the end, nullopt when reading failed (cause() says
  // why).
  std::optional<std::size_t> read(char* data, std::size_t size);
  // Whether a regular file (named, or the standard input) is no longer what it was when opened:
  // another file has its name now, it has another size or time of change, or more or fewer bytes
  // were read from it than it held. Asked once read() gave its end; false for a pipe or a device.
  bool changedSinceOpened() const;

 private:
  std::optional<FileContents::Status> mProblem;
  std::string mCause;
  std::string mPath;
  bool mStandardInput = false;
  std::intptr_t mHandle = -1;
  std::optional<FileIdentity> mOpened;  // of a regular file; its size, what is left to read
  std::uint64_t mBytesRead = 0;
};

// Whether two paths name one file, existing or to be made: through symbolic links, hard links,
// "." and "..", and relative to the working folder.
bool sameFileAt(const std::string& a, const std::string& b);

}  // namespace veldora
