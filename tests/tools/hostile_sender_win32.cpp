// Another process sending QV's windows and controls the numbers of QV's private messages:
// a pointer to write through, the order to destroy a window, a press, with any wParam.
// QV must change nothing and keep working. Prints how many windows it reached.
#include <windows.h>

#include <cstdio>
#include <initializer_list>

namespace {

int reached = 0;

bool IsQVWindow(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return !lstrcmpW(name, L"QVWindow") || !lstrcmpW(name, L"QVControl") ||
         !lstrcmpW(name, L"QVFrame") || !lstrcmpW(name, L"Edit") || !lstrcmpW(name, L"Button");
}

BOOL CALLBACK Attack(HWND hwnd, LPARAM) {
  if (!IsQVWindow(hwnd)) return TRUE;
  ++reached;
  for (UINT message = WM_APP + 7; message <= WM_APP + 9; ++message)
    for (WPARAM wParam : {WPARAM(0), WPARAM(1), WPARAM(0x4141414141)}) {
      SendMessageTimeoutW(hwnd, message, wParam, 0x4141414141, SMTO_ABORTIFHUNG, 1000, nullptr);
      PostMessageW(hwnd, message, wParam, 0x4141414141);
    }
  return TRUE;
}

BOOL CALLBACK EachTopLevel(HWND hwnd, LPARAM) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  if (lstrcmpW(name, L"QVWindow")) return TRUE;
  Attack(hwnd, 0);
  EnumChildWindows(hwnd, Attack, 0);
  return TRUE;
}

}  // namespace

int main() {
  EnumWindows(EachTopLevel, 0);
  std::printf("reached %d windows\n", reached);
  return reached > 0 ? 0 : 1;
}
