// The floor on Windows: a tray icon and a 151 x 256 popup window shown when the icon is
// clicked and hidden when the window is, in plain Win32; single instance by a mutex.
#include <windows.h>

#include <shellapi.h>

namespace {

constexpr UINT kTrayMessage = WM_APP + 1;
HWND menu;

LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTrayMessage && (lParam == WM_LBUTTONUP || lParam == WM_RBUTTONUP)) {
    SetWindowPos(menu, HWND_TOPMOST, GetSystemMetrics(SM_CXSCREEN) - 164,
                 GetSystemMetrics(SM_CYSCREEN) - 269, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    return 0;
  }
  if (message == WM_LBUTTONUP && hwnd == menu) ShowWindow(menu, SW_HIDE);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  CreateMutexA(nullptr, FALSE, "Local\\qv-floor");
  if (GetLastError() == ERROR_ALREADY_EXISTS) return 0;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = "floor";
  RegisterClassA(&windowClass);
  menu = CreateWindowExA(WS_EX_TOOLWINDOW, "floor", "", WS_POPUP, 0, 0, 151, 256, nullptr, nullptr,
                         instance, nullptr);
  NOTIFYICONDATAA icon{};
  icon.cbSize = sizeof icon;
  icon.hWnd = menu;
  icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  icon.uCallbackMessage = kTrayMessage;
  icon.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  lstrcpyA(icon.szTip, "floor");
  Shell_NotifyIconA(NIM_ADD, &icon);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return 0;
}
