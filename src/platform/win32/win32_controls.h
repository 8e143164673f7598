// The controls of a Win32 window: our own flat labels, frames and pictures, and EDIT and
// BUTTON controls subclassed to hear the mouse. What each control's window procedure
// needs lives in its ControlData; what a window and its controls share, in a WindowLink.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

#include "platform/platform.h"
#include "platform/win32/win32_dpi.h"

namespace qv {

class Win32Window;

// The resource name of a picture or icon asset: its name in capitals.
std::wstring ResourceName(const std::string& asset);

// Resolves system colours (0x80000000 + n) through GetSysColor.
COLORREF ToColorRef(Colour colour);
// The system's window text, unless the background QV gives a control would swallow it.
COLORREF TextColourOn(COLORREF back);

// Shared by a top-level window and its controls; freed with the top-level window.
struct WindowLink {
  Win32Window* owner = nullptr;
  const WindowLayout* layout = nullptr;
  int dpi = 96;

  // Made when first drawn or measured: the first font of a run makes wine read its font
  // list, which would hold up the tray icon at start.
  const WindowFonts& Fonts() {
    if (!fonts.bold) fonts = MakeWindowFonts(dpi);
    return fonts;
  }
  // The fonts of the old scale, for the caller to delete once no control uses them.
  WindowFonts Rescale(int newDpi) {
    dpi = newDpi;
    return std::exchange(fonts, {});
  }
  ~WindowLink() { DeleteWindowFonts(fonts); }

 private:
  WindowFonts fonts;
};

// What each control's window procedure needs; freed with the control.
struct ControlData {
  WindowLink* link = nullptr;
  const ControlLayout* layout = nullptr;
  int id = 0;
  COLORREF back = RGB(255, 255, 255);
  std::string text;
  HBITMAP bitmap = nullptr;
  WNDPROC original = nullptr;
  int paints = 0;
  bool pressed = false;

  ControlData() = default;
  ControlData(const ControlData&) = delete;
  ControlData& operator=(const ControlData&) = delete;
  // Its picture goes with it: every opening of a window loads its pictures anew, when
  // first drawn (the menu's strip is not needed before the first click).
  ~ControlData() {
    if (bitmap) DeleteObject(bitmap);
  }
  HBITMAP Bitmap() {
    if (!bitmap && !layout->picture.empty())
      bitmap = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                               ResourceName(layout->picture).c_str(), IMAGE_BITMAP,
                                               0, 0, LR_CREATEDIBSECTION));
    return bitmap;
  }
};

ControlData* DataOf(HWND control);
WindowLink* LinkOf(HWND top);
HFONT FontFor(const ControlData& data);
// A control's rectangle in its parent's client coordinates.
RECT PlaceInParent(HWND hwnd);
// The size a text needs in a control's font.
SIZE TextSize(HWND hwnd, const ControlData& data, const std::string& text);
// The text a control holds now.
std::string TextOf(HWND control);
// Colours of check boxes and read-only boxes, asked of their parent.
LRESULT ControlColour(HWND control, HDC dc);

// Makes the control `id` of a window, placed at the link's scale, with its data.
HWND MakeControl(const ControlLayout& control, int id, HWND parent, WindowLink& link);
// The classes of our own controls and frames, once per run.
void RegisterControlClasses();

}  // namespace qv
