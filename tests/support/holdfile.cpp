// holdfile PATH: another program holding a file open as a spreadsheet holds a CSV file, letting
// nobody else read, write or delete it, until its standard input closes. It writes one line once
// the file is held ("held"). Windows only; the tests of saving on Windows start it.
#include <cstdio>

#include <windows.h>

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) return 2;
  HANDLE file = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  std::fputs("held\n", stdout);
  std::fflush(stdout);
  char buffer[64];
  DWORD got = 0;
  while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &got, nullptr) && got) {
  }
  CloseHandle(file);
  return 0;
}
