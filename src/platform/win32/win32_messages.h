// The private window messages of the Win32 backend, in one place so no two share a
// number. Any process may send a window any message, so QV's own carry a number of this
// run's own (PrivateToken) in wParam, and a window acts on one only when it came from
// QV itself: with the token and not sent from another thread. From anyone else such a
// message changes nothing (one carries a pointer, another destroys the window).
#pragma once

#include <windows.h>

namespace qv {

// The tray icon's mouse messages, as Shell_NotifyIcon reports them to the icon's window
// (from the shell: they carry only the mouse message).
constexpr UINT kTrayCallback = WM_APP + 1;
// Destroys a window whose object went while one of its handlers may have been running.
constexpr UINT kDestroyLater = WM_APP + 7;
// Sent to a window to fill the AccessibleFacts at lParam; it returns TRUE when it did.
constexpr UINT kDescribeForAccessibility = WM_APP + 8;
// Posted to a pressable window when a screen reader runs its default action.
constexpr UINT kPressForAccessibility = WM_APP + 9;

// What the installer sends the tray icon's window (class "QVTray") to end a running QV as
// "Exit Velmora" does, before it replaces or removes qv.exe: registered by this name.
constexpr const wchar_t* kExitRequestMessage = L"Velmora.TrayMenu.Exit";

// The wParam of every private message QV sends or posts itself.
WPARAM PrivateToken();
// True for a private message that came from QV itself.
bool IsOwnMessage(WPARAM wParam);

}  // namespace qv
