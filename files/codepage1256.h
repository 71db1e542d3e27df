#pragma once

#include <optional>
#include <string>
#include <string_view>

// Windows-1256, the Arabic-script code page of mix files, converted in the program itself: the same
// on every platform (Qt for Windows, built without ICU, has no such codec). Every byte stands for
// one character; 128 characters beyond ASCII have a byte.
namespace veldora {

// The bytes of a UTF-8 text, or nothing where the text is not UTF-8 or holds a character the code
// page lacks.
std::optional<std::string> toCodePage1256(std::string_view utf8);
// The UTF-8 text of bytes in the code page.
std::string fromCodePage1256(std::string_view bytes);

}  // namespace veldora
