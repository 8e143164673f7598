// The previous-instance test on Windows: a named mutex in the session namespace. The
// handle stays open for the life of the process; Windows closes it when the process dies.
#include <windows.h>

#include "platform/entry.h"

namespace qv {

bool PreviousInstanceRunning() {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, L"Local\\Velmora.TrayMenu.qv");
  if (!mutex) return false;
  if (GetLastError() == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    return true;
  }
  return false;
}

}  // namespace qv
