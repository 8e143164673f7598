// Building Win32 windows from declarations and routing their messages. A window that is
// unloaded inside one of its own handlers is hidden at once and destroyed later, from
// the message loop, so no window procedure ever runs on a freed object.
#include "platform/win32/win32_window.h"

#include <oleacc.h>

#include <utility>

#include "platform/win32/accessible_win32.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_platform.h"

namespace qv {
namespace {

constexpr const char* kWindowClass = "QVWindow";
constexpr const char* kFrameClass = "QVFrame";
constexpr const char* kControlClass = "QVControl";
constexpr UINT kDestroyLater = WM_APP + 7;

}  // namespace

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

namespace {

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
      bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                               ResourceName(layout->picture).c_str(), IMAGE_BITMAP,
                                               0, 0, LR_CREATEDIBSECTION));
    return bitmap;
  }
};

ControlData* DataOf(HWND hwnd) {
  return reinterpret_cast<ControlData*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

WindowLink* LinkOf(HWND top) {
  return reinterpret_cast<WindowLink*>(GetWindowLongPtrA(top, GWLP_USERDATA));
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
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &needed, DT_CALCRECT | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  return {needed.right, needed.bottom};
}

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
    GetObjectA(bitmap, sizeof info, &info);
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
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    HGDIOBJ old = SelectObject(dc, FontFor(data));
    const bool centred = data.layout->look & (kClickable | kCentred);
    DrawTextA(dc, data.text.c_str(), static_cast<int>(data.text.size()), &area,
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
  GetTextExtentPoint32A(dc, data.text.c_str(), static_cast<int>(data.text.size()), &caption);
  RECT edge = area;
  edge.top = caption.cy / 2;
  DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
  SetBkColor(dc, RGB(255, 255, 255));
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  TextOutA(dc, 6, 0, data.text.c_str(), static_cast<int>(data.text.size()));
  SelectObject(dc, old);
  EndPaint(hwnd, &paint);
}

// What a screen reader is told of a control: labels and frames by what they show now.
AccessibleFacts FactsOf(const ControlData& data) {
  const ControlLayout& layout = *data.layout;
  AccessibleFacts facts{AccessibleNameOf(layout), 0, false};
  switch (layout.kind) {
    case ControlKind::Label:
      if (layout.accessibleName.empty())
        facts.name = data.text.empty() ? layout.blankName : data.text;
      facts.pressable = (layout.look & kClickable) != 0;
      facts.role = !facts.pressable                              ? ROLE_SYSTEM_STATICTEXT
                   : data.link->layout->role == WindowRole::Menu ? ROLE_SYSTEM_MENUITEM
                                                                 : ROLE_SYSTEM_PUSHBUTTON;
      break;
    case ControlKind::Frame:
      facts.name = data.text;
      facts.role = ROLE_SYSTEM_GROUPING;
      break;
    case ControlKind::Picture:
    case ControlKind::PictureBox:
      facts.role = ROLE_SYSTEM_GRAPHIC;
      break;
    default:
      break;  // EDIT and BUTTON keep their roles
  }
  return facts;
}

// A screen reader's questions to a control; true when answered, with the answer.
bool AnswerScreenReader(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                        const ControlData& data, LRESULT& answer) {
  switch (message) {
    case WM_GETOBJECT:
      answer = AnswerGetObject(hwnd, wParam, lParam);
      return answer != 0;
    case kDescribeForAccessibility:
      *reinterpret_cast<AccessibleFacts*>(lParam) = FactsOf(data);
      answer = TRUE;
      return true;
    case kPressForAccessibility:
      if (data.link->owner && IsWindowEnabled(hwnd))
        data.link->owner->Mouse(MouseEvent::Click, data.id);
      answer = 0;
      return true;
    default:
      return false;
  }
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
  if (!data) return DefWindowProcA(hwnd, message, wParam, lParam);
  if (message == WM_PAINT) {
    PaintControl(hwnd, *data);
    return 0;
  }
  if (message == WM_ERASEBKGND) return 1;
  if (LRESULT answer; AnswerScreenReader(hwnd, message, wParam, lParam, *data, answer))
    return answer;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    delete data;
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  if (RouteMouse(hwnd, message, lParam, *data)) return 0;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// EDIT and BUTTON controls keep their own behaviour; we only listen to the mouse.
LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ControlData* data = DataOf(hwnd);
  WNDPROC original = data->original;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    delete data;
  } else if (LRESULT answer; message != kPressForAccessibility &&
                             AnswerScreenReader(hwnd, message, wParam, lParam, *data, answer)) {
    return answer;
  } else {
    RouteMouse(hwnd, message, lParam, *data);
  }
  return CallWindowProcA(original, hwnd, message, wParam, lParam);
}

// Colours of check boxes and read-only boxes, asked of their parent.
LRESULT ControlColour(HWND control, HDC dc) {
  ControlData* data = DataOf(control);
  const bool white =
      !data || data->layout->kind == ControlKind::TextBox || (data->layout->look & kWhiteBack);
  SetBkColor(dc, white ? RGB(255, 255, 255) : GetSysColor(COLOR_WINDOW));
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  return reinterpret_cast<LRESULT>(white ? GetStockObject(WHITE_BRUSH)
                                         : GetSysColorBrush(COLOR_WINDOW));
}

// Frames behave like the window for the controls on them.
LRESULT ForwardToTop(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendMessageA(GetAncestor(hwnd, GA_ROOT), message, wParam, lParam);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ControlData* data = DataOf(hwnd);
  if (!data) return DefWindowProcA(hwnd, message, wParam, lParam);
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
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      delete data;
      return DefWindowProcA(hwnd, message, wParam, lParam);
    case WM_GETOBJECT:
    case kDescribeForAccessibility:
      if (LRESULT answer; AnswerScreenReader(hwnd, message, wParam, lParam, *data, answer))
        return answer;
      return DefWindowProcA(hwnd, message, wParam, lParam);
    default:
      RouteMouse(hwnd, message, lParam, *data);
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowLink* link = LinkOf(hwnd);
  Win32Window* owner = link ? link->owner : nullptr;
  switch (message) {
    case WM_MOUSEMOVE:
      if (owner) owner->Mouse(MouseEvent::Move, kWindowItself);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      if (owner) owner->Mouse(MouseEvent::Down, kWindowItself);
      return 0;
    case WM_COMMAND:
      if (owner && HIWORD(wParam) == BN_CLICKED && lParam)
        if (ControlData* data = DataOf(reinterpret_cast<HWND>(lParam)))
          owner->CheckBoxClicked(data->id);
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
      return ControlColour(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
    case WM_CLOSE:
      if (owner) owner->RequestClose(UnloadMode::ByUser);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS;  // the dialog manager would take arrows, Return and Escape
    case WM_KEYDOWN:
      if (auto key = KeyFor(static_cast<int>(wParam)); owner && key) {
        owner->Key(*key);
        return 0;
      }
      break;
    case kDestroyLater:
      DestroyWindow(hwnd);
      return 0;
    case WM_GETOBJECT:
      if (const LRESULT answer = AnswerGetObject(hwnd, wParam, lParam)) return answer;
      break;
    case WM_DPICHANGED:  // moved to a monitor of another scale: Windows suggests the place
      if (owner) owner->DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case kDescribeForAccessibility:
      if (!link) break;
      *reinterpret_cast<AccessibleFacts*>(lParam) = {
          link->layout->accessibleName,
          link->layout->role == WindowRole::Menu ? ROLE_SYSTEM_MENUPOPUP : ROLE_SYSTEM_DIALOG,
          false};
      return TRUE;
    case WM_NCDESTROY:
      if (link) {
        delete link;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      }
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace

std::optional<Key> KeyFor(int virtualKey) {
  switch (virtualKey) {
    case VK_UP:
      return Key::Up;
    case VK_DOWN:
      return Key::Down;
    case VK_HOME:
      return Key::Home;
    case VK_END:
      return Key::End;
    case VK_RETURN:
      return Key::Return;
    case VK_ESCAPE:
      return Key::Escape;
    default:
      return std::nullopt;
  }
}

std::string ResourceName(const std::string& asset) {
  std::string name = asset;
  for (char& c : name) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return name;
}

COLORREF ToColorRef(Colour colour) {
  if (IsSystemColour(colour)) return GetSysColor(SystemColourIndex(colour));
  return RGB(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

void Win32Window::RegisterClasses() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA window{};
  window.lpfnWndProc = WindowProc;
  window.hInstance = instance;
  window.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  window.hIcon = LoadIconA(instance, "QV");
  window.lpszClassName = kWindowClass;
  RegisterClassA(&window);
  WNDCLASSA frame = window;
  frame.lpfnWndProc = FrameProc;
  frame.hIcon = nullptr;
  frame.lpszClassName = kFrameClass;
  RegisterClassA(&frame);
  WNDCLASSA control = frame;
  control.lpfnWndProc = ControlProc;
  control.lpszClassName = kControlClass;
  RegisterClassA(&control);
}

Win32Window::Win32Window(const WindowLayout& layout, WindowEvents& events, int dpi,
                         Win32Platform* platform)
    : layout_(layout),
      events_(&events),
      dpi_(dpi),
      platform_(platform),
      controls_(layout.controls.size()) {
  RegisterClasses();
  Build();
}

Win32Window::~Win32Window() {
  if (platform_) platform_->Forget(this);
  link_->owner = nullptr;
  ShowWindow(hwnd_, SW_HIDE);
  PostMessageA(hwnd_, kDestroyLater, 0, 0);  // we may be inside one of its handlers
}

void Win32Window::Build() {
  const DWORD extended = layout_.inTaskbar ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
  hwnd_ =
      CreateWindowExA(extended | WS_EX_CONTROLPARENT, kWindowClass, "", WS_POPUP | WS_CLIPCHILDREN,
                      0, 0, Pixels(layout_.width), Pixels(layout_.height), nullptr, nullptr,
                      GetModuleHandleA(nullptr), nullptr);
  link_ = new WindowLink;
  link_->owner = this;
  link_->layout = &layout_;
  link_->dpi = dpi_;
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(link_));
  for (std::size_t i = 0; i < layout_.controls.size(); ++i) {
    const ControlLayout& control = layout_.controls[i];
    HWND parent = control.parent.empty() ? hwnd_ : controls_.at(layout_.find(control.parent)).hwnd;
    controls_[i].hwnd = MakeControl(control, static_cast<int>(i), parent);
  }
  // Sibling order is tab order: controls that take the focus go last, in their order.
  for (int order = 0; order < 64; ++order)
    for (std::size_t i = 0; i < layout_.controls.size(); ++i)
      if (layout_.controls[i].tabOrder == order)
        SetWindowPos(controls_[i].hwnd, HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // The picture strip lies over the first pixels of the menu's entries, and stays there
  // when they repaint: it goes on top, and every control leaves its siblings above alone.
  for (std::size_t i = 0; i < layout_.controls.size(); ++i)
    if (layout_.controls[i].kind == ControlKind::Picture)
      SetWindowPos(controls_[i].hwnd, HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  KeepCaptionsWhole();
}

// Check boxes whose caption is wider than their declared box grow; one with its tick on
// the right grows to the left, so the tick stays where it was laid out.
void Win32Window::KeepCaptionsWhole() {
  const int tick = TwipsToPixelsAtDpi(13 * kTwipsPerPixel, dpi_);  // box and its gap
  for (std::size_t i = 0; i < layout_.controls.size(); ++i) {
    const ControlLayout& control = layout_.controls[i];
    if (control.kind != ControlKind::CheckBox) continue;
    HWND hwnd = controls_[i].hwnd;
    const int needed = TextSize(hwnd, *DataOf(hwnd), control.text).cx + tick + 4;
    RECT place = PlaceInParent(hwnd);
    const int missing = needed - (place.right - place.left);
    if (missing <= 0) continue;
    if (control.look & kTickRight) place.left -= missing;
    SetWindowPos(hwnd, nullptr, place.left, place.top, needed, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// Lays every control out again from its twips at another scale, with fonts made for it.
void Win32Window::ApplyDpi(int dpi) {
  if (dpi == dpi_ || dpi <= 0) return;
  dpi_ = dpi;
  WindowFonts old = link_->Rescale(dpi_);
  for (std::size_t i = 0; i < layout_.controls.size(); ++i) {
    const ControlLayout& control = layout_.controls[i];
    HWND hwnd = controls_[i].hwnd;
    ControlData* data = DataOf(hwnd);
    const TwipRect& p = control.place;
    UINT keep = SWP_NOZORDER | SWP_NOACTIVATE;
    if (control.kind == ControlKind::PictureBox) keep |= SWP_NOSIZE;  // its picture's size
    SetWindowPos(hwnd, nullptr, Pixels(p.left), Pixels(p.top), Pixels(p.width), Pixels(p.height),
                 keep);
    if (data && data->original)
      SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(*data)), TRUE);
    if (data && control.kind == ControlKind::Label && (control.look & kAutoSize)) {
      const SIZE size = TextSize(hwnd, *data, data->text);
      SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  KeepCaptionsWhole();
  DeleteWindowFonts(old);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void Win32Window::DpiChanged(int dpi, const RECT& suggested) {
  ApplyDpi(dpi);
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND Win32Window::MakeControl(const ControlLayout& control, int id, HWND parent) {
  const TwipRect& p = control.place;
  const char* windowClass = kControlClass;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | (control.look & kHidden ? 0 : WS_VISIBLE);
  DWORD extended = 0;
  switch (control.kind) {
    case ControlKind::TextBox:
      windowClass = "EDIT";
      style |= WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
      // A hidden box holds what no one should read, screen readers included.
      if (control.look & (kMasked | kHidden)) style |= ES_PASSWORD;
      if (control.look & kReadOnly) style |= ES_READONLY;
      break;
    case ControlKind::CheckBox:
      windowClass = "BUTTON";
      style |= WS_TABSTOP | BS_AUTOCHECKBOX | (control.look & kTickRight ? BS_LEFTTEXT : 0);
      break;
    case ControlKind::Frame:
      windowClass = kFrameClass;
      extended = WS_EX_CONTROLPARENT;
      break;
    default:
      break;
  }
  HWND hwnd = CreateWindowExA(extended, windowClass, control.text.c_str(), style, Pixels(p.left),
                              Pixels(p.top), Pixels(p.width), Pixels(p.height), parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id + 100)),
                              GetModuleHandleA(nullptr), nullptr);
  auto* data = new ControlData;
  data->link = link_;
  data->layout = &control;
  data->id = id;
  data->text = control.text;
  data->back = ToColorRef(control.look & kWhiteBack ? kWhite : kSystemWindow);
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
  if (windowClass == std::string("EDIT") || windowClass == std::string("BUTTON")) {
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(*data)), FALSE);
    data->original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
    if (control.look & kMasked) SendMessageA(hwnd, EM_SETPASSWORDCHAR, '#', 0);
    if (control.maxLength > 0) SendMessageA(hwnd, EM_SETLIMITTEXT, control.maxLength, 0);
  }
  if (control.kind == ControlKind::PictureBox && data->Bitmap()) {
    BITMAP info;
    GetObjectA(data->Bitmap(), sizeof info, &info);
    const int edge = 2 * GetSystemMetrics(SM_CXEDGE);
    SetWindowPos(hwnd, nullptr, 0, 0, info.bmWidth + edge, info.bmHeight + edge,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return hwnd;
}

void Win32Window::Mouse(MouseEvent event, int control) {
  if (!closed_ && events_) events_->OnMouse(event, control);
}

void Win32Window::Key(qv::Key key) {
  if (!closed_ && events_) events_->OnKey(key);
}

void Win32Window::RequestClose(UnloadMode mode) {
  if (!closed_ && events_) events_->OnCloseRequest(mode);
}

void Win32Window::CheckBoxClicked(int control) {
  const int value = Value(control);
  if (value == controls_.at(control).lastValue) return;
  controls_[control].lastValue = value;
  Mouse(MouseEvent::Click, control);
}

void Win32Window::FocusFirst() {
  int best = -1;
  for (std::size_t i = 0; i < layout_.controls.size(); ++i) {
    const ControlLayout& c = layout_.controls[i];
    if (c.tabOrder >= 0 && IsWindowEnabled(controls_[i].hwnd) && !(c.look & kHidden) &&
        (best < 0 || c.tabOrder < layout_.controls[best].tabOrder))
      best = static_cast<int>(i);
  }
  if (best >= 0) SetFocus(controls_[best].hwnd);
}

void Win32Window::Show() {
  if (closed_) return;
  if (layout_.centred && !placed_) {
    placed_ = true;
    RECT area;
    GetWindowRect(hwnd_, &area);
    const int width = area.right - area.left, height = area.bottom - area.top;
    SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  FocusFirst();
}

void Win32Window::Hide() {
  ShowWindow(hwnd_, SW_HIDE);
}

bool Win32Window::IsVisible() const {
  return IsWindowVisible(hwnd_) != FALSE;
}

void Win32Window::Close() {
  closed_ = true;
  ShowWindow(hwnd_, SW_HIDE);
}

void Win32Window::MakeTopmost() {
  SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// Twips become pixels at the scale of the monitor the window lands on, which also gives
// the window its size there; the place is asked again if that changed the monitor.
void Win32Window::MoveTo(float leftTwips, float topTwips) {
  placed_ = true;
  POINT at{};
  for (int pass = 0; pass < 2; ++pass) {
    at = {TwipsToPixelsAtDpi(leftTwips, dpi_), TwipsToPixelsAtDpi(topTwips, dpi_)};
    const int dpi = MonitorDpi(MonitorFromPoint(at, MONITOR_DEFAULTTONEAREST));
    if (dpi == dpi_) break;
    ApplyDpi(dpi);
    SetWindowPos(hwnd_, nullptr, 0, 0, Pixels(layout_.width), Pixels(layout_.height),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  SetWindowPos(hwnd_, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Window::SetText(int control, const std::string& text) {
  HWND hwnd = controls_.at(control).hwnd;
  const ControlLayout& layout = layout_.controls[control];
  const std::string value = layout.maxLength > 0 ? text.substr(0, layout.maxLength) : text;
  ControlData* data = DataOf(hwnd);
  if (data && !data->original && layout.kind != ControlKind::Frame) {
    if (data->text == value) return;
    data->text = value;
    if (layout.look & kAutoSize) {
      const SIZE size = TextSize(hwnd, *data, value);
      SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(hwnd, nullptr, FALSE);
    AnnounceNameChange(hwnd);  // a label's text is its name
    return;
  }
  if (data) data->text = value;
  SetWindowTextA(hwnd, value.c_str());
}

std::string Win32Window::Text(int control) const {
  HWND hwnd = controls_.at(control).hwnd;
  ControlData* data = DataOf(hwnd);
  if (data && !data->original) return data->text;
  std::string text(GetWindowTextLengthA(hwnd) + 1, '\0');
  text.resize(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size())));
  return text;
}

void Win32Window::SetBackColour(int control, Colour colour) {
  HWND hwnd = controls_.at(control).hwnd;
  ControlData* data = DataOf(hwnd);
  const COLORREF back = ToColorRef(colour);
  if (!data || data->back == back) return;
  data->back = back;
  InvalidateRect(hwnd, nullptr, FALSE);
}

COLORREF Win32Window::ControlBack(int id) const {
  return DataOf(controls_.at(id).hwnd)->back;
}

HBITMAP Win32Window::Picture(int id) const {
  return DataOf(controls_.at(id).hwnd)->Bitmap();
}

int Win32Window::Paints(int id) const {
  return DataOf(controls_.at(id).hwnd)->paints;
}

void Win32Window::SetEnabled(int control, bool enabled) {
  EnableWindow(controls_.at(control).hwnd, enabled);
}

int Win32Window::Value(int control) const {
  if (layout_.controls.at(control).kind != ControlKind::CheckBox) return 0;
  switch (SendMessageA(controls_[control].hwnd, BM_GETCHECK, 0, 0)) {
    case BST_CHECKED:
      return 1;
    case BST_INDETERMINATE:
      return 2;
    default:
      return 0;
  }
}

void Win32Window::SetValue(int control, int value) {
  if (layout_.controls.at(control).kind != ControlKind::CheckBox) return;
  HWND box = controls_[control].hwnd;
  if (value == 2)
    SetWindowLongPtrA(box, GWL_STYLE, (GetWindowLongPtrA(box, GWL_STYLE) & ~0xF) | BS_AUTO3STATE);
  SendMessageA(box, BM_SETCHECK,
               value == 0   ? BST_UNCHECKED
               : value == 2 ? BST_INDETERMINATE
                            : BST_CHECKED,
               0);
  CheckBoxClicked(control);  // a change by code runs the click handling too
}

void Win32Window::DragWithMouse() {
  ReleaseCapture();
  SendMessageA(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

}  // namespace qv
