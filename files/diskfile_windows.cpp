// Files on Windows: UTF-16 names, ReplaceFileW over an existing file, and the causes Windows gives
// (a file held open by another program among them).
#include "files/diskfile.h"
#include "files/temporaryname.h"
#include "platform/wide.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>
#include <vector>

#include <aclapi.h>
#include <windows.h>

namespace veldora {
namespace {

using platform::narrow;
using platform::widen;

// Closes a handle when it goes out of scope unless released.
class Handle {
 public:
  explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : mHandle(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (valid()) CloseHandle(mHandle);
  }
  HANDLE get() const { return mHandle; }
  bool valid() const { return mHandle != INVALID_HANDLE_VALUE && mHandle != nullptr; }
  HANDLE release() { return std::exchange(mHandle, INVALID_HANDLE_VALUE); }
  // Closes now and reports whether the close succeeded.
  bool close() { return CloseHandle(release()) != 0; }

 private:
  HANDLE mHandle;
};

bool isSharingError(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
         error == ERROR_UNABLE_TO_REMOVE_REPLACED || error == ERROR_USER_MAPPED_FILE;
}

FileContents::Status readProblem(DWORD error) {
  using Status = FileContents::Status;
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_INVALID_DRIVE:
      return Status::Missing;
    case ERROR_ACCESS_DENIED:
      return Status::NoPermission;
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_CANT_RESOLVE_FILENAME:
      return Status::LoopOrTooLong;
    default:
      return isSharingError(error) ? Status::InUse : Status::TooLargeOrBroken;
  }
}

WriteProblem writeProblem(DWORD error) {
  switch (error) {
    case ERROR_PATH_NOT_FOUND:
    case ERROR_FILE_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
      return WriteProblem::FolderMissing;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
      return WriteProblem::NoPermission;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_FILE_TOO_LARGE:
      return WriteProblem::DiskFull;
    case ERROR_FILENAME_EXCED_RANGE:
      return WriteProblem::NameTooLong;
    case ERROR_DIRECTORY:
      return WriteProblem::NotRegular;
    default:
      return isSharingError(error) ? WriteProblem::InUse : WriteProblem::Other;
  }
}

// The cause in the words of the C library's strerror, as on POSIX systems.
std::string causeText(DWORD error) {
  if (isSharingError(error)) return "The file is open in another program";
  switch (readProblem(error)) {
    case FileContents::Status::Missing:
      return std::strerror(ENOENT);
    case FileContents::Status::NoPermission:
      return std::strerror(EACCES);
    case FileContents::Status::LoopOrTooLong:
      return std::strerror(ENAMETOOLONG);
    default:
      return std::strerror(EIO);
  }
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kNoAttributes = INVALID_FILE_ATTRIBUTES;

// The folder of a path and its last component, "." for a bare name; either separator counts.
std::pair<std::wstring, std::wstring> splitPath(const std::wstring& path) {
  const size_t slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) {
    // "C:name" names a file in the drive's current folder.
    if (path.size() >= 2 && path[1] == L':') return {path.substr(0, 2), path.substr(2)};
    return {L".", path};
  }
  const bool root = slash == 0 || (slash == 2 && path[1] == L':');
  return {path.substr(0, root ? slash + 1 : slash), path.substr(slash + 1)};
}

std::wstring joined(const std::wstring& folder, const std::wstring& name) {
  if (folder.empty() || folder.back() == L'\\' || folder.back() == L'/' ||
      (folder.size() == 2 && folder[1] == L':')) {
    return folder + name;
  }
  return folder + L"\\" + name;
}

// A disk file (not a console, a printer port or a pipe named like a file: "CON", "NUL").
bool isDiskFile(HANDLE handle) { return GetFileType(handle) == FILE_TYPE_DISK; }

bool writeAll(HANDLE handle, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD wanted = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(handle, bytes.data(), wanted, &written, nullptr)) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

HANDLE handleOf(std::intptr_t value) { return reinterpret_cast<HANDLE>(value); }

// The absolute form of a path, as Windows resolves it against the current folder.
std::wstring fullPath(const std::wstring& path) {
  const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (length == 0) return path;
  std::wstring full(length, L'\0');
  full.resize(GetFullPathNameW(path.c_str(), length, full.data(), nullptr));
  return full;
}

// A disk file's identity through a handle to it; nullopt for a pipe or a console.
std::optional<FileIdentity> identityOf(HANDLE handle) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!isDiskFile(handle) || !GetFileInformationByHandle(handle, &info)) return std::nullopt;
  const auto joinedWords = [](DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
  };
  return FileIdentity{info.dwVolumeSerialNumber,
                      joinedWords(info.nFileIndexHigh, info.nFileIndexLow),
                      joinedWords(info.nFileSizeHigh, info.nFileSizeLow),
                      static_cast<std::int64_t>(joinedWords(info.ftLastWriteTime.dwHighDateTime,
                                                            info.ftLastWriteTime.dwLowDateTime))};
}

// Whether the file open at handle is still the one at path (when given) and as it was.
bool stillAsOpened(HANDLE handle, const std::string& path, const FileIdentity& opened) {
  if (identityOf(handle) != opened) return false;
  if (path.empty()) return true;
  Handle named(CreateFileW(widen(path).c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return named.valid() && identityOf(named.get()) == opened;
}

// The file a symbolic link at target leads to, else target itself; nullopt for a dangling link.
std::optional<std::wstring> followedLink(const std::wstring& target) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == kNoAttributes || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return target;
  Handle linked(CreateFileW(target.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!linked.valid()) return std::nullopt;
  std::wstring resolved(32768, L'\0');
  const DWORD length = GetFinalPathNameByHandleW(linked.get(), resolved.data(),
                                                 static_cast<DWORD>(resolved.size()), 0);
  if (length == 0 || length >= resolved.size()) return std::nullopt;
  resolved.resize(length);
  return resolved;
}

// The longest name a temporary beside a file in folder may have: 255 characters a component,
// MAX_PATH for the whole without long-path prefixes.
size_t longestTemporaryName(const std::wstring& folder) {
  const size_t full = fullPath(folder).size();
  return full + 2 >= MAX_PATH ? 0 : std::min<size_t>(255, MAX_PATH - 2 - full);
}

// Whether the file at path is owned by whom this process makes the owner of what it creates.
bool ownedByThisUser(const std::wstring& path) {
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(path.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                            nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
    return false;
  }
  bool same = false;
  HANDLE token = nullptr;
  if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
    DWORD size = 0;
    GetTokenInformation(token, TokenOwner, nullptr, 0, &size);
    std::vector<char> buffer(size);
    if (size > 0 && GetTokenInformation(token, TokenOwner, buffer.data(), size, &size)) {
      same = EqualSid(owner, reinterpret_cast<TOKEN_OWNER*>(buffer.data())->Owner) != 0;
    }
    CloseHandle(token);
  }
  LocalFree(descriptor);
  return same;
}

}  // namespace

void removeLeftoverTemporaries(const std::string& path) {
  if (path.empty()) return;
  const std::optional<std::wstring> target = followedLink(fullPath(widen(path)));
  if (!target) return;
  const auto [folder, name] = splitPath(*target);
  const size_t longest = longestTemporaryName(folder);
  if (name.empty() || longest < 16) return;
  const std::string utf8Name = narrow(name);
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(joined(folder, L".*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
      continue;
    if (!isTemporaryNameFor(narrow(found.cFileName), utf8Name, longest)) continue;
    const std::wstring candidate = joined(folder, found.cFileName);
    // A replacement going on holds its new file open unshared, so that this deletion fails.
    if (ownedByThisUser(candidate)) DeleteFileW(candidate.c_str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

FileContents readFileAt(const std::string& path, std::size_t limit) {
  using Status = FileContents::Status;
  const std::wstring name = widen(path);
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes == kNoAttributes) {
    const DWORD error = GetLastError();
    // A device name ("NUL", "CON") has no attributes to look at; opening it shows what it is.
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
      return {readProblem(error), {}};
  } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    return {Status::NotRegular, {}};
  }
  Handle file(CreateFileW(name.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return {readProblem(GetLastError()), {}};
  if (!isDiskFile(file.get())) return {Status::NotRegular, {}};
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size)) return {Status::TooLargeOrBroken, {}};
  if (static_cast<unsigned long long>(size.QuadPart) > limit) return {Status::TooLargeOrBroken, {}};
  const std::optional<FileIdentity> opened = identityOf(file.get());
  if (!opened) return {Status::TooLargeOrBroken, {}};

  FileContents contents{Status::Read, {}};
  char buffer[65536];
  while (contents.bytes.size() <= limit) {
    const size_t wanted = std::min(sizeof buffer, limit + 1 - contents.bytes.size());
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer, static_cast<DWORD>(wanted), &got, nullptr)) {
      return {Status::TooLargeOrBroken, {}};
    }
    if (got == 0) break;
    contents.bytes.append(buffer, got);
  }
  if (contents.bytes.size() > limit) return {Status::TooLargeOrBroken, {}};
  // Another program wrote, truncated or replaced it meanwhile: what was read may be no file.
  if (contents.bytes.size() != opened->size || !stillAsOpened(file.get(), path, *opened)) {
    return {Status::TooLargeOrBroken, {}};
  }
  return contents;
}

FileReplacement::FileReplacement(const std::string& path) {
  if (path.empty()) {
    mProblem = WriteProblem::Other;
    return;
  }
  // Named in full: Windows' ReplaceFileW takes a bare name ("mix.vdr") for a folder. A device's
  // name ("NUL", "COM1") is named so in full, in the device namespace.
  std::wstring target = fullPath(widen(path));
  if (target.starts_with(L"\\\\.\\")) {
    mProblem = WriteProblem::NotRegular;
    return;
  }
  // A symbolic link is followed to the file it names; a dangling one is refused.
  const std::optional<std::wstring> followed = followedLink(target);
  if (!followed) {
    mProblem = WriteProblem::Other;
    return;
  }
  target = *followed;
  const DWORD attributes = GetFileAttributesW(target.c_str());
  const bool exists = attributes != kNoAttributes;
  if (!exists) {
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND) {
      mProblem = writeProblem(error);
      return;
    }
  } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    mProblem = WriteProblem::NotRegular;
    return;
  } else if (attributes & FILE_ATTRIBUTE_READONLY) {
    mProblem = WriteProblem::NoPermission;
    return;
  }
  if (exists) {
    // Open as the replacement will: a file another program holds without sharing says so now,
    // before anything is written; a device is no file to replace.
    Handle old(CreateFileW(target.c_str(), GENERIC_WRITE | DELETE, kShareAll, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!old.valid()) {
      mProblem = writeProblem(GetLastError());
      return;
    }
    if (!isDiskFile(old.get())) {
      mProblem = WriteProblem::NotRegular;
      return;
    }
  }
  const auto [folder, name] = splitPath(target);
  mTarget = narrow(target);
  mFolder = narrow(folder);
  mName = narrow(name);
  mTargetExists = exists;
  if (name.empty()) {
    mProblem = WriteProblem::Other;
    return;
  }
  // Names are limited as Windows limits them without long-path prefixes: 255 characters a
  // component, MAX_PATH for the whole; the temporary name is shortened to fit both.
  const std::wstring fullFolder = fullPath(folder);
  if (name.size() > 255 || fullFolder.size() + 1 + name.size() >= MAX_PATH) {
    mProblem = WriteProblem::NameTooLong;
    return;
  }
  const size_t longest = longestTemporaryName(folder);
  removeLeftoverTemporaries(mTarget);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::wstring temporary = joined(folder, widen(temporaryNameFor(mName, longest)));
    Handle file(CreateFileW(temporary.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.valid()) {
      mTemporaryPath = narrow(temporary);
      mHandle = reinterpret_cast<std::intptr_t>(file.release());
      return;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
    // A file that may itself be written needs its folder to be writable too, for a save that
    // never writes in place.
    const WriteProblem problem = writeProblem(error);
    mProblem =
        exists && problem == WriteProblem::NoPermission ? WriteProblem::FolderNotWritable : problem;
    return;
  }
  mProblem = WriteProblem::Other;
}

FileReplacement::~FileReplacement() {
  if (mHandle != -1) CloseHandle(handleOf(mHandle));
  if (!mTemporaryPath.empty()) DeleteFileW(widen(mTemporaryPath).c_str());
}

bool FileReplacement::write(std::string_view bytes) {
  if (mProblem) return false;
  if (!writeAll(handleOf(mHandle), bytes)) mProblem = writeProblem(GetLastError());
  return !mProblem;
}

std::optional<WriteProblem> FileReplacement::commit() {
  if (mProblem) return mProblem;
  Handle file(handleOf(std::exchange(mHandle, -1)));
  const auto failed = [this](DWORD error) {
    mProblem = writeProblem(error);
    return mProblem;
  };
  if (!FlushFileBuffers(file.get())) return failed(GetLastError());
  if (!file.close()) return failed(GetLastError());
  const std::wstring temporary = widen(mTemporaryPath);
  const std::wstring target = widen(mTarget);
  bool placed = false;
  if (mTargetExists) {
    placed = ReplaceFileW(target.c_str(), temporary.c_str(), nullptr,
                          REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0;
    // The old file is gone but the new one kept its temporary name: move it into place.
    if (!placed && GetLastError() != ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
      return failed(GetLastError());
    }
  }
  if (!placed && !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
    return failed(GetLastError());
  }
  mTemporaryPath.clear();
  return std::nullopt;
}

FileReader::FileReader(const std::string& path) : mPath(path), mStandardInput(path.empty()) {
  if (mStandardInput) {
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    mHandle = reinterpret_cast<std::intptr_t>(input);
    // Redirected from a file, it is read from where it stands.
    LARGE_INTEGER at{};
    mOpened = identityOf(input);
    if (mOpened && SetFilePointerEx(input, LARGE_INTEGER{}, &at, FILE_CURRENT)) {
      mBytesRead = static_cast<std::uint64_t>(at.QuadPart);
    } else {
      mOpened.reset();
    }
    return;
  }
  const std::wstring name = widen(path);
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes != kNoAttributes && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    mProblem = FileContents::Status::NotRegular;
    mCause = std::strerror(EISDIR);
    return;
  }
  HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    mProblem = readProblem(error);
    mCause = causeText(error);
    return;
  }
  mHandle = reinterpret_cast<std::intptr_t>(file);
  mOpened = identityOf(file);
}

FileReader::~FileReader() {
  if (!mStandardInput && mHandle != -1) CloseHandle(handleOf(mHandle));
}

std::optional<std::size_t> FileReader::read(char* data, std::size_t size) {
  if (mProblem) return std::nullopt;
  DWORD got = 0;
  const DWORD wanted = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
  if (ReadFile(handleOf(mHandle), data, wanted, &got, nullptr)) {
    mBytesRead += got;
    return got;
  }
  const DWORD error = GetLastError();
  // The writing end of a pipe closed: the end of the input.
  if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF) return 0;
  mCause = causeText(error);
  return std::nullopt;
}

bool FileReader::changedSinceOpened() const {
  return mOpened &&
         (mBytesRead != mOpened->size || !stillAsOpened(handleOf(mHandle), mPath, *mOpened));
}

}  // namespace veldora
