#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace veldora {

// What a file looks like from outside: its size and the time it was last written (as the file
// system keeps it, to the nanosecond where it can). Another program that writes the file changes
// one of them.
struct FileStamp {
  std::uintmax_t size = 0;
  std::int64_t modified = 0;  // in the file system clock's own ticks
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of the regular file at path (UTF-8), following symbolic links; nothing where there is
// no regular file or it cannot be looked at. The file is never opened.
std::optional<FileStamp> fileStampAt(const std::string& path);

}  // namespace veldora
