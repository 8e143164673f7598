// Calls from system DLLs that QV loads when they are first needed rather than at every
// start (the file dialog, screen readers' objects, monitor scales).
#pragma once

#include <windows.h>

namespace qv {

// The function `name` of the DLL `dll`, which is loaded now if it is not yet; or null.
template <class F>
F LibraryCall(const char* dll, const char* name) {
  HMODULE module = LoadLibraryA(dll);
  return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

}  // namespace qv
