// A window of the Win32 backend, built from a declaration: a WS_POPUP window without
// caption or border, our own flat labels and frames, EDIT and BUTTON controls, and
// pictures from the program's bitmaps, placed in pixels at the screen's DPI.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/win32_controls.h"

namespace qv {

class Win32Platform;

class Win32Window final : public Window {
 public:
  // Tells the platform when it goes, if one is given.
  Win32Window(const WindowLayout& layout, WindowEvents& events, int dpi,
              Win32Platform* platform = nullptr);
  ~Win32Window() override;

  void Show() override;
  void Hide() override;
  void Close() override;
  void MakeTopmost() override;
  void MoveTo(float leftTwips, float topTwips) override;
  void SetText(int control, const std::string& text) override;
  std::string Text(int control) const override;
  void SetBackColour(int control, Colour colour) override;
  void SetEnabled(int control, bool enabled) override;
  int Value(int control) const override;
  void SetValue(int control, int value) override;
  void DragWithMouse() override;

  HWND Handle() const { return hwnd_; }
  HWND ControlHandle(int id) const { return controls_.at(id).hwnd; }
  COLORREF ControlBack(int id) const;
  int Paints(int id) const;
  HBITMAP Picture(int id) const;

  // Called by the window procedures.
  void Mouse(MouseEvent event, int control);
  void Key(qv::Key key);
  void RequestClose(UnloadMode mode);
  void CheckBoxClicked(int control);
  void BoxChanged(int control);
  void DpiChanged(int dpi, const RECT& suggested);

  // Lays the window's controls out again at another scale; its own size stays.
  void ApplyDpi(int dpi);
  int Dpi() const { return dpi_; }

  static void RegisterClasses();

 private:
  struct Control {
    HWND hwnd = nullptr;
    int lastValue = 0;
  };
  int Pixels(double twips) const { return TwipsToPixelsAtDpi(twips, dpi_); }
  void Build();
  void KeepCaptionsWhole();
  void FocusFirst();

  const WindowLayout& layout_;
  WindowEvents* events_;
  int dpi_;
  Win32Platform* platform_;
  HWND hwnd_ = nullptr;
  WindowLink* link_ = nullptr;
  std::vector<Control> controls_;
  bool placed_ = false;
  bool closed_ = false;
};

// The keys a window hears of, from Windows' virtual-key codes; nothing for the others.
std::optional<Key> KeyFor(int virtualKey);

}  // namespace qv
