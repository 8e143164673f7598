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
  std::string name;  // UTF-8, like every text of QV
  long role = 0;     // a ROLE_SYSTEM_* value; 0 keeps the standard object's role
  bool pressable = false;
};

// The answer to WM_GETOBJECT: our object for the client area, else 0 (Windows' own).
LRESULT AnswerGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam);

// Tells screen readers that the name of a window's client area has changed.
void AnnounceNameChange(HWND hwnd);

struct ControlData;
struct WindowLayout;

// A screen reader's questions to one of our controls (WM_GETOBJECT and the two private
// messages); true when answered, with the answer.
bool AnswerScreenReader(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                        const ControlData& data, LRESULT& answer);
// What a screen reader is told of a whole window: its name and whether it is a menu.
AccessibleFacts FactsOfWindow(const WindowLayout& layout);

}  // namespace qv
