// The private window messages of the Win32 backend, in one place so no two share a
// number. Each is sent or posted only within QV's own process.
#pragma once

#include <windows.h>

namespace qv {

// The tray icon's mouse messages, as Shell_NotifyIcon reports them to the icon's window.
constexpr UINT kTrayCallback = WM_APP + 1;
// Destroys a window whose object went while one of its handlers may have been running.
constexpr UINT kDestroyLater = WM_APP + 7;
// Sent to a window to fill the AccessibleFacts at lParam; it returns TRUE when it did.
constexpr UINT kDescribeForAccessibility = WM_APP + 8;
// Posted to a pressable window when a screen reader runs its default action.
constexpr UINT kPressForAccessibility = WM_APP + 9;

}  // namespace qv
