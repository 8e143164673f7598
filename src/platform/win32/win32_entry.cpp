// Start-up on Windows: the Win32 platform.
#include "platform/entry.h"
#include "platform/win32/win32_library.h"
#include "platform/win32/win32_platform.h"

namespace qv {

std::unique_ptr<Platform> MakePlatform(int&, char**) {
  LimitDllSearchToSystemFolder();  // before the first DLL loads late
  return std::make_unique<Win32Platform>();
}

}  // namespace qv
