// Calls from system DLLs that QV loads when they are first needed rather than at every
// start (the file dialog, screen readers' objects, monitor scales), always from the
// system folder: a DLL of the same name beside qv.exe (the Downloads folder, say) or in
// the current folder is never loaded.
#pragma once

#include <windows.h>

#include <string>

namespace qv {

// The system folder (System32).
std::string SystemFolder();

// From now on the process looks for the DLLs it loads in the system folder only (Windows 8
// and later, and Windows 7 with its update KB2533623; elsewhere each load says it itself).
void LimitDllSearchToSystemFolder();

// The system DLL `dll`, loaded now if it is not yet; null when there is none.
HMODULE SystemLibrary(const wchar_t* dll);

// The function `name` of the system DLL `dll`; or null.
template <class F>
F LibraryCall(const wchar_t* dll, const char* name) {
  HMODULE module = SystemLibrary(dll);
  return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

}  // namespace qv
