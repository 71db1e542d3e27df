#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Whole files on disk, read with a size bound and replaced atomically. Paths are the bytes the
// operating system takes; nothing converts them.
namespace veldora {

struct FileContents {
  enum class Status {
    Read,     // bytes holds the whole file
    Missing,  // nothing exists at the path
    Refused,  // something exists but is not a regular file, is over the limit or cannot be read
  };
  Status status = Status::Missing;
  std::string bytes;
};

// Reads the regular file at path. Anything else (a directory, a FIFO, a device) is refused
// without being opened, so that nothing blocks or never ends; so is a file over limit bytes,
// of which at most limit + 1 bytes are ever read.
FileContents readFileAt(const std::string& path, std::size_t limit);

// Replaces the file at path with bytes, or leaves it exactly as it was and returns false. The
// bytes go to a new file beside the target (unnamed until complete where the file system allows),
// are flushed to the disk and checked, and only then renamed over the target, so that a full disk,
// a size limit or a kill part-way never leaves a torn or empty file. A target that exists and is
// not a regular file (a FIFO, a device, a directory) is refused; a symbolic link is followed to the
// file it names.
bool replaceFileAt(const std::string& path, std::string_view bytes);

// Whether two paths name one file, existing or to be made: through symbolic links, hard links,
// "." and "..", and relative to the working folder.
bool sameFileAt(const std::string& a, const std::string& b);

}  // namespace veldora
