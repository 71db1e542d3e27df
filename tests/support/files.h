#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

namespace veldora::testing_support {

// A fresh folder in the system's folder for temporary files ($TMPDIR or /tmp; %TEMP% on
// Windows), removed with everything in it when the test ends. Its path is UTF-8 with "/".
class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::filesystem::path folder =
          base / ("veldora-test-" + std::to_string(random()) + std::to_string(random()));
      if (std::filesystem::create_directory(folder)) {
        // Private, as mkdtemp makes it (Qt takes no other as XDG_RUNTIME_DIR).
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
        const std::u8string utf8 = folder.generic_u8string();
        mPath.assign(utf8.begin(), utf8.end());
        if (mPath.size() > 1 && mPath.back() == '/') mPath.pop_back();
        return;
      }
    }
    throw std::runtime_error("cannot create a temporary folder");
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  ~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(std::u8string(mPath.begin(), mPath.end()), ignored);
  }
  const std::string& path() const { return mPath; }
  std::string path(const std::string& name) const { return mPath + "/" + name; }

 private:
  std::string mPath;
};

// A path from UTF-8 on every platform.
inline std::filesystem::path pathOf(const std::string& utf8) {
  return std::u8string(utf8.begin(), utf8.end());
}

inline std::string readFile(const std::string& path) {
  std::ifstream in(pathOf(path), std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

// A golden file of tests/data/, whole.
inline std::string golden(const std::string& name) {
  return readFile(std::string(VELDORA_TEST_DATA) + "/" + name);
}

inline void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(pathOf(path), std::ios::binary | std::ios::trunc);
  out << bytes;
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

}  // namespace veldora::testing_support
