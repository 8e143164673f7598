// A stand-in program for the Windows tests: it writes the full path it was started as
// (GetModuleFileNameW, in UTF-8) to %TEMP%\qv-started.txt, so a test sees which file a
// start really ran, whatever characters its path holds.
#include <windows.h>

int main() {
  wchar_t path[MAX_PATH], file[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  char utf8[4 * MAX_PATH];
  const int size = WideCharToMultiByte(CP_UTF8, 0, path, static_cast<int>(length), utf8,
                                       sizeof utf8, nullptr, nullptr);
  GetTempPathW(MAX_PATH, file);
  lstrcatW(file, L"qv-started.txt");
  HANDLE out = CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(out, utf8, static_cast<DWORD>(size), &written, nullptr);
  CloseHandle(out);
  return 0;
}
