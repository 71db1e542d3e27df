// What every platform shares of the files on disk: the temporary name beside a target, whether two
// paths name one file, and a whole file replaced in one call.
#include "files/diskfile.h"

#include "files/temporaryname.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>

namespace veldora {
namespace {

// A path from UTF-8, whatever the platform's own encoding of names (UTF-16 on Windows).
std::filesystem::path pathOf(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

}  // namespace

namespace {

constexpr char kSuffixLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr size_t kSuffixLength = 8;
// Before the letters: the program's own mark, so that another program's temporary of the same
// shape (".mix.vdr.k3x9a0qz", as Python's tempfile names one) is never taken for a leftover.
constexpr std::string_view kMarker = "veldora-";

// NAME as the temporary name holds it: shortened at a character's start, never inside a UTF-8
// sequence, where the whole would be longer than longestName.
std::string_view keptName(const std::string& name, std::size_t longestName) {
  size_t kept = std::min(name.size(), longestName - 2 - kMarker.size() - kSuffixLength);
  while (kept > 0 && kept < name.size() &&
         (static_cast<unsigned char>(name[kept]) & 0xC0) == 0x80) {
    --kept;
  }
  return std::string_view(name).substr(0, kept);
}

}  // namespace

std::string temporaryNameFor(const std::string& name, std::size_t longestName) {
  static std::mt19937_64 random(
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
      std::random_device()());
  std::string temporary = ".";
  temporary.append(keptName(name, longestName)).append(".").append(kMarker);
  for (size_t i = 0; i < kSuffixLength; ++i) {
    temporary += kSuffixLetters[random() % (sizeof kSuffixLetters - 1)];
  }
  return temporary;
}

bool isTemporaryNameFor(const std::string& candidate, const std::string& name,
                        std::size_t longestName) {
  const std::string_view kept = keptName(name, longestName);
  const size_t marker = kept.size() + 2;
  if (candidate.size() != marker + kMarker.size() + kSuffixLength || candidate[0] != '.' ||
      candidate.compare(1, kept.size(), kept) != 0 || candidate[kept.size() + 1] != '.' ||
      candidate.compare(marker, kMarker.size(), kMarker) != 0) {
    return false;
  }
  const std::string_view suffix = std::string_view(candidate).substr(marker + kMarker.size());
  return suffix.find_first_not_of(kSuffixLetters) == std::string_view::npos;
}

std::optional<WriteProblem> replaceFileAt(const std::string& path, std::string_view bytes) {
  FileReplacement file(path);
  file.write(bytes);
  return file.commit();
}

bool sameFileAt(const std::string& a, const std::string& b) {
  std::error_code error;
  if (std::filesystem::equivalent(pathOf(a), pathOf(b), error)) return true;
  // Neither need exist yet: compare the names the existing part of each resolves to.
  const auto resolved = [](const std::string& path, std::error_code& error) {
    const std::filesystem::path absolute = std::filesystem::absolute(pathOf(path), error);
    return error ? absolute : std::filesystem::weakly_canonical(absolute, error);
  };
  std::error_code errorA, errorB;
  const std::filesystem::path resolvedA = resolved(a, errorA);
  const std::filesystem::path resolvedB = resolved(b, errorB);
  return !errorA && !errorB && resolvedA == resolvedB;
}

}  // namespace veldora
