#pragma once

#include <optional>
#include <string>

class QIODevice;

namespace veldora {

// The file system as the file commands see it; tests replace it to make a save fail.
class MixFileStore {
 public:
  virtual ~MixFileStore() = default;
  virtual bool exists(const std::string& path) const = 0;
  virtual std::optional<std::string> read(const std::string& path) const = 0;
  // Replaces the file with bytes, or leaves the old file untouched and returns false.
  virtual bool write(const std::string& path, const std::string& bytes) = 0;
};

// Files on disk. A save goes to a temporary file beside the target, which replaces the target
// only once it is complete, so a failure never destroys the previous file.
class DiskMixFileStore : public MixFileStore {
 public:
  bool exists(const std::string& path) const override;
  std::optional<std::string> read(const std::string& path) const override;
  bool write(const std::string& path, const std::string& bytes) override;

 protected:
  // Writes the bytes into the open temporary file; the seam where tests make a save fail.
  virtual bool writeBytes(QIODevice& file, const std::string& bytes);
};

}  // namespace veldora
