#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace veldora {

inline constexpr int kMixFileLines = 49;
// No mix file is larger: a real one is well under a kilobyte. Bigger files are not read, and a
// design whose file would be bigger is not written.
inline constexpr std::size_t kMixFileSizeLimit = 1 << 20;

// The 49 values of a mix file, texts in UTF-8. Option groups are kept line by line, as flags, so
// a file with two or no selected options in a group is represented as it stands.
struct MixDocument {
  std::array<std::string, 12> boxes;        // lines 1-12: Text1..Text12 verbatim
  std::array<bool, 3> commands{};           // lines 13-15: conditions, trial batch, adjust buttons
  std::array<bool, 15> conditionOptions{};  // lines 16-30: the six condition dialogs' options
  std::array<std::string, 4> trial;         // lines 31-34: the trial batch, number forms as text
  bool airBoxEnabled = true;                // line 35
  std::array<bool, 2> resultView{};         // lines 36-37: the result view dialog's options
  std::array<std::string, 6> rowTexts;      // lines 38-43: the conditions window's row texts
  std::array<bool, 6> rowOffered{};         // lines 44-49: its rows offered (buttons enabled)

  friend bool operator==(const MixDocument&, const MixDocument&) = default;
};

// Whether a UTF-8 text can be written in Windows-1256 without loss.
bool encodableInMixFile(const std::string& text);

// The 49 lines of a mix file in order, UTF-8, without line ends.
std::array<std::string, kMixFileLines> mixFileLines(const MixDocument& document);

// The file's bytes: 49 lines of Windows-1256, each ended by CR LF, flags as "True"/"False".
// Nothing for what could not be read back as it was written: a text that cannot be encoded or
// that holds a line break, or a file over the size limit.
std::optional<std::string> writeMixFile(const MixDocument& document);

// Reads a whole file, all or nothing: the 49 lines (ended by CR LF or a bare LF; the last line
// may lack its end; later lines are ignored) with every flag line well formed; a text value ends
// at a carriage return inside its line. Nothing for a short, undecodable or malformed file, one
// that begins with a UTF-8 byte-order mark (it was re-saved as UTF-8, and every Persian text
// would be garbled), or one that is, or would be written back, over the size limit: whatever
// this reads, writeMixFile writes back.
std::optional<MixDocument> readMixFile(const std::string& bytes);

}  // namespace veldora
