// Dots per inch on Windows, where each monitor may have its own scale: the scale of a
// monitor, and the two fonts QV's windows use, made for a given scale.
#pragma once

#include <windows.h>

namespace qv {

// The scale of the desktop at logon, which windows start with.
int SystemDpi();

// A monitor's own scale (Windows 8.1 and later); the system's where it cannot be known.
int MonitorDpi(HMONITOR monitor);

// Verdana 9.75 pt bold, and the default interface font (MS Shell Dlg 8 pt), at a scale.
struct WindowFonts {
  HFONT bold = nullptr;
  HFONT plain = nullptr;
};
WindowFonts MakeWindowFonts(int dpi);
void DeleteWindowFonts(WindowFonts& fonts);

}  // namespace qv
