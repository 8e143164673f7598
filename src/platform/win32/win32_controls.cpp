// Our own controls and frames of the Win32 backend: painting them, routing their mouse
// messages to the window, and making each control from its declaration.
#include "platform/win32/win32_controls.h"

#include "platform/win32/accessible_win32.h"
#include "platform/win32/win32_messages.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window.h"

namespace qv {
namespace {

constexpr const wchar_t* kFrameClass = L"QVFrame";
constexpr const wchar_t* kControlClass = L"QVControl";

void PaintControl(HWND hwnd, ControlData& data) {
  ++data.paints;
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  RECT area;
  GetClientRect(hwnd, &area);
  if (HBITMAP bitmap = data.Bitmap()) {
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmap);
    BITMAP info;
    GetObjectW(bitmap, sizeof info, &info);
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, 0, 0, area.right, area.bottom, source, 0, 0, info.bmWidth, info.bmHeight,
               SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    if (data.layout->look & kSunken) DrawEdge(dc, &area, EDGE_SUNKEN, BF_RECT);
  } else {
    HBRUSH brush = CreateSolidBrush(data.back);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TextColourOn(data.back));
    HGDIOBJ old = SelectObject(dc, FontFor(data));
    const bool centred = data.layout->look & (kClickable | kCentred);
    const std::wstring text = Wide(data.text);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
              (centred ? DT_CENTER : DT_LEFT) | DT_NOPREFIX);
    SelectObject(dc, old);
  }
  EndPaint(hwnd, &paint);
}

void PaintFrame(HWND hwnd, ControlData& data) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  RECT area;
  GetClientRect(hwnd, &area);
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HGDIOBJ old = SelectObject(dc, FontFor(data));
  SIZE caption{};
  const std::wstring text = Wide(data.text);
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &caption);
  RECT edge = area;
  edge.top = caption.cy / 2;
  DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
  SetBkColor(dc, RGB(255, 255, 255));
  SetTextColor(dc, TextColourOn(RGB(255, 255, 255)));
  TextOutW(dc, 6, 0, text.c_str(), static_cast<int>(text.size()));
  SelectObject(dc, old);
  EndPaint(hwnd, &paint);
}

// Mouse messages of any control; true when the message is fully handled.
bool RouteMouse(HWND hwnd, UINT message, LPARAM lParam, ControlData& data) {
  Win32Window* owner = data.link ? data.link->owner : nullptr;
  if (!owner) return false;
  const int id = data.id;
  const bool ownClass = data.original == nullptr;
  switch (message) {
    case WM_MOUSEMOVE:
      owner->Mouse(MouseEvent::Move, id);
      return false;
    case WM_LBUTTONDOWN:
      if (ownClass) {
        data.pressed = true;
        SetCapture(hwnd);
      }
      owner->Mouse(MouseEvent::Down, id);
      return ownClass;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      owner->Mouse(MouseEvent::Down, id);
      return ownClass;
    case WM_LBUTTONUP: {
      if (!ownClass) return false;
      const bool wasPressed = data.pressed;
      data.pressed = false;
      if (GetCapture() == hwnd) ReleaseCapture();
      RECT area;
      GetClientRect(hwnd, &area);
      POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      if (wasPressed && PtInRect(&area, at)) owner->Mouse(MouseEvent::Click, id);
      return true;
    }
    default:
      return false;
  }
}

LRESULT CALLBACK ControlProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ControlData* data = DataOf(hwnd);
  if (!data) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_PAINT) {
    PaintControl(hwnd, *data);
    return 0;
  }
  if (message == WM_ERASEBKGND) return 1;
  if (LRESULT answer; AnswerScreenReader(hwnd, message, wParam, lParam, *data, answer))
    return answer;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    delete data;
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  if (RouteMouse(hwnd, message, lParam, *data)) return 0;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// EDIT and BUTTON controls keep their own behaviour; we only listen to the mouse.
LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ControlData* data = DataOf(hwnd);
  WNDPROC original = data->original;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    delete data;
  } else if (LRESULT answer; message != kPressForAccessibility &&
                             AnswerScreenReader(hwnd, message, wParam, lParam, *data, answer)) {
    return answer;
  } else {
    RouteMouse(hwnd, message, lParam, *data);
  }
  return CallWindowProcW(original, hwnd, message, wParam, lParam);
}

// Frames behave like the window for the controls on them.
LRESULT ForwardToTop(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessageW(GetAncestor(hwnd, GA_ROOT), message, wParam, lParam);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ControlData* data = DataOf(hwnd);
  if (!data) return DefWindowProcW(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_PAINT:
      PaintFrame(hwnd, *data);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
      return ForwardToTop(hwnd, message, wParam, lParam);
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      delete data;
      return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_GETOBJECT:
    case kDescribeForAccessibility:
      if (LRESULT answer; AnswerScreenReader(hwnd, message, wParam, lParam, *data, answer))
        return answer;
      return DefWindowProcW(hwnd, message, wParam, lParam);
    default:
      RouteMouse(hwnd, message, lParam, *data);
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

ControlData* DataOf(HWND hwnd) {
  return reinterpret_cast<ControlData*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

WindowLink* LinkOf(HWND top) {
  return reinterpret_cast<WindowLink*>(GetWindowLongPtrW(top, GWLP_USERDATA));
}

HFONT FontFor(const ControlData& data) {
  if (data.layout->look & (kClickable | kBoldFont)) return data.link->Fonts().bold;
  return data.link->Fonts().plain;
}

// A control's rectangle in its parent's client coordinates.
RECT PlaceInParent(HWND hwnd) {
  RECT place;
  GetWindowRect(hwnd, &place);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

// The size a text needs in a control's font.
SIZE TextSize(HWND hwnd, const ControlData& data, const std::string& text) {
  HDC dc = GetDC(hwnd);
  HGDIOBJ old = SelectObject(dc, FontFor(data));
  RECT needed{0, 0, 0, 0};
  const std::wstring wide = Wide(text);
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &needed, DT_CALCRECT | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  return {needed.right, needed.bottom};
}

LRESULT ControlColour(HWND control, HDC dc) {
  ControlData* data = DataOf(control);
  const bool white =
      !data || data->layout->kind == ControlKind::TextBox || (data->layout->look & kWhiteBack);
  const COLORREF back = white ? RGB(255, 255, 255) : GetSysColor(COLOR_WINDOW);
  SetBkColor(dc, back);
  SetTextColor(dc, TextColourOn(back));
  return reinterpret_cast<LRESULT>(white ? GetStockObject(WHITE_BRUSH)
                                         : GetSysColorBrush(COLOR_WINDOW));
}

std::string TextOf(HWND control) {
  std::wstring text(GetWindowTextLengthW(control) + 1, L'\0');
  text.resize(GetWindowTextW(control, text.data(), static_cast<int>(text.size())));
  return Utf8(text);
}

std::wstring ResourceName(const std::string& asset) {
  std::wstring name(asset.begin(), asset.end());
  for (wchar_t& c : name) c = c >= L'a' && c <= L'z' ? c - 32 : c;
  return name;
}

COLORREF TextColourOn(COLORREF back) {
  return ReadableTextOn(back, GetSysColor(COLOR_WINDOWTEXT));
}

COLORREF ToColorRef(Colour colour) {
  if (IsSystemColour(colour)) return GetSysColor(SystemColourIndex(colour));
  return RGB(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

HWND MakeControl(const ControlLayout& control, int id, HWND parent, WindowLink& link) {
  const TwipRect& p = control.place;
  auto pixels = [&](int twips) { return TwipsToPixelsAtDpi(twips, link.dpi); };
  const wchar_t* windowClass = kControlClass;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (control.look & kHidden ? 0 : WS_VISIBLE);
  DWORD extended = 0;
  switch (control.kind) {
    case ControlKind::TextBox:
      windowClass = L"EDIT";
      style |= WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
      // A hidden box holds what no one should read, screen readers included.
      if (control.look & (kMasked | kHidden)) style |= ES_PASSWORD;
      if (control.look & kReadOnly) style |= ES_READONLY;
      break;
    case ControlKind::CheckBox:
      windowClass = L"BUTTON";
      style |= WS_TABSTOP | BS_AUTOCHECKBOX | (control.look & kTickRight ? BS_LEFTTEXT : 0);
      break;
    case ControlKind::Frame:
      windowClass = kFrameClass;
      extended = WS_EX_CONTROLPARENT;
      break;
    default:
      break;
  }
  HWND hwnd = CreateWindowExW(extended, windowClass, Wide(control.text).c_str(), style,
                              pixels(p.left), pixels(p.top), pixels(p.width), pixels(p.height),
                              parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id + 100)),
                              GetModuleHandleW(nullptr), nullptr);
  auto* data = new ControlData;
  data->link = &link;
  data->layout = &control;
  data->id = id;
  data->text = control.text;
  data->back = ToColorRef(control.look & kWhiteBack ? kWhite : kSystemWindow);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
  if (control.kind == ControlKind::TextBox || control.kind == ControlKind::CheckBox) {
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(*data)), FALSE);
    data->original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
    if (control.look & kMasked) SendMessageW(hwnd, EM_SETPASSWORDCHAR, '#', 0);
    // Room for the limit in UTF-16 units; the window keeps it in characters.
    if (control.maxLength > 0) SendMessageW(hwnd, EM_SETLIMITTEXT, 2 * control.maxLength, 0);
  }
  if (control.kind == ControlKind::PictureBox && data->Bitmap()) {
    BITMAP info;
    GetObjectW(data->Bitmap(), sizeof info, &info);
    const int edge = 2 * GetSystemMetrics(SM_CXEDGE);
    SetWindowPos(hwnd, nullptr, 0, 0, info.bmWidth + edge, info.bmHeight + edge,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return hwnd;
}

void RegisterControlClasses() {
  WNDCLASSW frame{};
  frame.lpfnWndProc = FrameProc;
  frame.hInstance = GetModuleHandleW(nullptr);
  frame.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  frame.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  frame.lpszClassName = kFrameClass;
  RegisterClassW(&frame);
  WNDCLASSW control = frame;
  control.lpfnWndProc = ControlProc;
  control.lpszClassName = kControlClass;
  RegisterClassW(&control);
}

}  // namespace qv
