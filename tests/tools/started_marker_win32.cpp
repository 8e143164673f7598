// A stand-in program for the Windows tests: it writes the full path it was started as to
// %TEMP%\qv-started.txt, so a test sees which file a start really ran.
#include <windows.h>

int main() {
  char path[MAX_PATH], file[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  GetTempPathA(MAX_PATH, file);
  lstrcatA(file, "qv-started.txt");
  HANDLE out = CreateFileA(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(out, path, length, &written, nullptr);
  CloseHandle(out);
  return 0;
}
