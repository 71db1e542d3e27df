#pragma once

#include <string>
#include <string_view>

// Windows names files and arguments in UTF-16; the program holds them as UTF-8. For the Windows
// implementations of the platform's interfaces only.
namespace veldora::platform {

std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace veldora::platform
