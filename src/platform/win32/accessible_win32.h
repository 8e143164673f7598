// What screen readers read of QV's windows. WM_GETOBJECT is answered with the standard
// accessible object of the window's client area, its name and role replaced by ours, and
// for the clickable labels a default action ("Press") that clicks them. No visible
// caption changes. oleacc.dll is loaded only when a screen reader first asks.
#pragma once

#include <windows.h>

#include <string>

namespace qv {

// What a window tells screen readers about itself; asked at every call, so it is current.
struct AccessibleFacts {
  std::string name;  // in the ANSI code page, like every text of this backend
  long role = 0;     // a ROLE_SYSTEM_* value; 0 keeps the standard object's role
  bool pressable = false;
};

// Sent to a window to fill the AccessibleFacts at lParam; it returns TRUE when it did.
constexpr UINT kDescribeForAccessibility = WM_APP + 8;
// Posted to a pressable window when a screen reader runs its default action.
constexpr UINT kPressForAccessibility = WM_APP + 9;

// The answer to WM_GETOBJECT: our object for the client area, else 0 (Windows' own).
LRESULT AnswerGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam);

// Tells screen readers that the name of a window's client area has changed.
void AnnounceNameChange(HWND hwnd);

}  // namespace qv
