// A stand-in for a QV that will not end: a window of the tray icon's class that ignores
// the request to exit, for the installer's test. Once its window is there it makes
// C:\qv-stubborn-ready; it ends by itself after a minute.
#include <windows.h>

int main() {
  WNDCLASSW tray{};
  tray.lpfnWndProc = DefWindowProcW;
  tray.hInstance = GetModuleHandleW(nullptr);
  tray.lpszClassName = L"QVTray";
  RegisterClassW(&tray);
  CreateWindowExW(WS_EX_TOOLWINDOW, L"QVTray", L"QV tray", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                  tray.hInstance, nullptr);
  CloseHandle(CreateFileW(L"C:\\qv-stubborn-ready", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                          nullptr));
  SetTimer(nullptr, 0, 60000, nullptr);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0 && message.message != WM_TIMER)
    DispatchMessageW(&message);
  return 0;
}
