#include "platform/process.h"
#include "platform/wide.h"

#include <cstdio>
#include <cstdlib>

// windows.h first: the other Windows headers use its types.
// clang-format off
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
// clang-format on

namespace veldora::platform {

std::wstring widen(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int length =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
  return wide;
}

std::string narrow(std::wstring_view utf16) {
  if (utf16.empty()) return {};
  const int length = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), utf8.data(), length,
                      nullptr, nullptr);
  return utf8;
}

namespace {

// One argument as the C runtime of the started program splits its command line: quoted where it
// holds a blank or a quote, backslashes doubled before a quote.
std::wstring quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
    return argument;
  }
  std::wstring out = L"\"";
  size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out.push_back(c);
  }
  out.append(backslashes * 2, L'\\');
  out.push_back(L'"');
  return out;
}

}  // namespace

void prepareProcess() {
  // No "insert a disk" or "cannot open" boxes from the system for a name on an empty drive.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  // A window program started from a console has no standard streams of its own: its usage and
  // usage errors go to that console.
  if (!GetStdHandle(STD_ERROR_HANDLE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
  }
  for (FILE* stream : {stdin, stdout, stderr}) _setmode(_fileno(stream), _O_BINARY);
  // The console is the user's, shared with the shell it came from: its code pages go back as the
  // program ends.
  static const UINT outputPage = GetConsoleOutputCP();
  static const UINT inputPage = GetConsoleCP();
  if (outputPage != 0) {
    SetConsoleOutputCP(CP_UTF8);
    SetConsoleCP(CP_UTF8);
    std::atexit([] {
      SetConsoleOutputCP(outputPage);
      SetConsoleCP(inputPage);
    });
  }
}

std::vector<std::string> programArguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
  // argv may lack options Qt took out: keep the UTF-16 arguments that argv still holds, matched
  // in order through the ANSI text the C runtime made of each.
  std::vector<std::string> arguments;
  int kept = 1;
  for (int i = 1; i < count && kept < argc; ++i) {
    char ansi[32768];
    const int length =
        WideCharToMultiByte(CP_ACP, 0, wide[i], -1, ansi, sizeof ansi, nullptr, nullptr);
    if (length > 0 && std::string_view(ansi) == argv[kept]) {
      arguments.push_back(narrow(wide[i]));
      ++kept;
    }
  }
  if (kept != argc) {  // no match: the command line as Windows gave it
    arguments.clear();
    for (int i = 1; i < count; ++i) arguments.push_back(narrow(wide[i]));
  }
  LocalFree(wide);
  return arguments;
}

std::string programFolder() {
  std::wstring self(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
  if (length == 0 || length >= self.size()) return {};
  self.resize(length);
  self.resize(self.find_last_of(L"\\/") + 1);
  return narrow(self);
}

std::optional<int> runInPlace(const std::string& path, const std::vector<std::string>& arguments) {
  const std::wstring program = widen(path);
  std::wstring commandLine = quoted(program);
  for (const std::string& argument : arguments) commandLine += L" " + quoted(widen(argument));

  // The other program writes to this one's standard streams, as it would after exec.
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  HANDLE* streams[] = {&startup.hStdInput, &startup.hStdOutput, &startup.hStdError};
  const DWORD which[] = {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE};
  for (int i = 0; i < 3; ++i) {
    *streams[i] = GetStdHandle(which[i]);
    if (*streams[i] && *streams[i] != INVALID_HANDLE_VALUE) {
      SetHandleInformation(*streams[i], HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    }
  }
  // Ended with this program: a job that kills what it holds when its last handle closes.
  HANDLE job = CreateJobObjectW(nullptr, nullptr);
  if (job) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
  }
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED,
                      nullptr, nullptr, &startup, &process)) {
    if (job) CloseHandle(job);
    return std::nullopt;
  }
  if (job) AssignProcessToJobObject(job, process.hProcess);
  ResumeThread(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD status = 1;
  GetExitCodeProcess(process.hProcess, &status);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  if (job) CloseHandle(job);
  return static_cast<int>(status);
}

}  // namespace veldora::platform
