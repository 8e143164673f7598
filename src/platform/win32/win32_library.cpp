// Loading system DLLs by the system folder alone. The calls that limit the search are
// looked up at run time, so qv.exe still starts where they do not exist.
#include "platform/win32/win32_library.h"

#include "platform/win32/win32_text.h"

namespace qv {

std::string SystemFolder() {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  return length > 0 && length < MAX_PATH ? Utf8(folder) : "C:\\Windows\\System32";
}

void LimitDllSearchToSystemFolder() {
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  const auto set = reinterpret_cast<SetDirectories>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (set) set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE SystemLibrary(const wchar_t* dll) {
  if (HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
  if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
  // A Windows without the flag: the full path leaves nothing to search.
  return LoadLibraryW((Wide(SystemFolder()) + L"\\" + dll).c_str());
}

}  // namespace qv
