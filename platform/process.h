#pragma once

#include <optional>
#include <string>
#include <vector>

// What a program of VELDORA asks of the operating system about itself: its arguments, its standard
// streams, its folder, and another program run in its place. One implementation per platform
// (process_posix.cpp, process_windows.cpp), chosen when the build is configured.
namespace veldora::platform {

// Done first by every program: a write past a file-size limit fails and is reported instead of
// ending the program; the standard streams carry the bytes the program writes (no carriage return
// added before a line feed); a console shows them as UTF-8.
void prepareProcess();

// The arguments after the program's name as UTF-8: the bytes given on POSIX systems, the UTF-16
// command line converted on Windows (argv there holds the ANSI code page, which has no Persian).
// argv may be what Qt left of it once it took its own options out.
std::vector<std::string> programArguments(int argc, char** argv);

// The folder the running program was started from, ending with a separator; empty where unknown.
std::string programFolder();

// Runs the program at path with arguments (after its name) in place of this one, on the same
// standard streams. On success it does not return on POSIX systems (the program replaces this
// one) and returns the other program's exit status on Windows; nullopt when it cannot be run.
std::optional<int> runInPlace(const std::string& path, const std::vector<std::string>& arguments);

}  // namespace veldora::platform
