#include "files/filestamp.h"

#include <filesystem>
#include <system_error>

namespace veldora {

std::optional<FileStamp> fileStampAt(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code error;
  // UTF-8 bytes as the system's own name: the same bytes on POSIX systems, UTF-16 on Windows.
  const fs::path name(std::u8string(path.begin(), path.end()));
  if (!fs::is_regular_file(name, error) || error) return std::nullopt;
  const std::uintmax_t size = fs::file_size(name, error);
  if (error) return std::nullopt;
  const fs::file_time_type modified = fs::last_write_time(name, error);
  if (error) return std::nullopt;
  return FileStamp{size, static_cast<std::int64_t>(modified.time_since_epoch().count())};
}

}  // namespace veldora
