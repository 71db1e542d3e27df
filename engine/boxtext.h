#pragma once

#include <string>
#include <string_view>

namespace veldora {

// What a box keeps of a text put into it, typed, pasted or given on the command line: its first
// line (a box holds one; a pasted line break and what follows it are not kept), with the digits
// of a Persian keyboard (U+06F0 to U+06F9) and of an Arabic one (U+0660 to U+0669) written as the
// ASCII digits, the Arabic decimal separator U+066B as ".", and "/" between two digits as "." (the
// decimal mark of Persian handwriting and most Iranian documents: "3/5" is 3.5). The lenient parse
// reads ASCII digits only, and a mix file cannot hold the others. Nothing else in the text changes.
std::string boxText(std::string_view entered);

// The text with the digits of a Persian keyboard and of an Arabic one written as the ASCII digits,
// and nothing else changed: where a "/" is no decimal mark, as in a date.
std::string asciiDigits(std::string_view text);

// A name's box keeps its first line, digits and all.
std::string firstLine(std::string_view entered);

// Whether text is valid UTF-8: the shortest form of each character, no surrogate halves, nothing
// past U+10FFFF. A file name is taken as UTF-8; any other bytes would name a different file once
// converted.
bool validUtf8(std::string_view text);

}  // namespace veldora
