// Building Win32 windows from declarations and routing their messages. A window that is
// unloaded inside one of its own handlers is hidden at once and destroyed later, from
// the message loop, so no window procedure ever runs on a freed object.
#include "platform/win32/win32_window.h"

#include "platform/win32/accessible_win32.h"
#include "platform/win32/win32_controls.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_messages.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"

namespace qv {
namespace {

constexpr const wchar_t* kWindowClass = L"QVWindow";

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
      if (ControlData* data = owner && lParam ? DataOf(reinterpret_cast<HWND>(lParam)) : nullptr) {
        if (HIWORD(wParam) == BN_CLICKED) owner->CheckBoxClicked(data->id);
        if (HIWORD(wParam) == EN_CHANGE) owner->BoxChanged(data->id);
      }
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
      if (IsOwnMessage(wParam)) DestroyWindow(hwnd);
      return 0;
    case WM_GETOBJECT:
      if (const LRESULT answer = AnswerGetObject(hwnd, wParam, lParam)) return answer;
      break;
    case WM_DPICHANGED:  // moved to a monitor of another scale: Windows suggests the place
      if (owner) owner->DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case kDescribeForAccessibility:
      if (!link || !IsOwnMessage(wParam)) break;
      *reinterpret_cast<AccessibleFacts*>(lParam) = FactsOfWindow(*link->layout);
      return TRUE;
    case WM_NCDESTROY:
      if (link) {
        delete link;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
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

void Win32Window::RegisterClasses() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSW window{};
  window.lpfnWndProc = WindowProc;
  window.hInstance = instance;
  window.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
  window.hIcon = LoadIconW(instance, L"QV");
  window.lpszClassName = kWindowClass;
  RegisterClassW(&window);
  RegisterControlClasses();
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
  PostMessageW(hwnd_, kDestroyLater, PrivateToken(), 0);  // we may be inside its handlers
}

void Win32Window::Build() {
  const DWORD extended = layout_.inTaskbar ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
  hwnd_ =
      CreateWindowExW(extended | WS_EX_CONTROLPARENT, kWindowClass, L"", WS_POPUP | WS_CLIPCHILDREN,
                      0, 0, Pixels(layout_.width), Pixels(layout_.height), nullptr, nullptr,
                      GetModuleHandleW(nullptr), nullptr);
  link_ = new WindowLink;
  link_->owner = this;
  link_->layout = &layout_;
  link_->dpi = dpi_;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(link_));
  for (std::size_t i = 0; i < layout_.controls.size(); ++i) {
    const ControlLayout& control = layout_.controls[i];
    HWND parent = control.parentId < 0 ? hwnd_ : controls_.at(control.parentId).hwnd;
    controls_[i].hwnd = MakeControl(control, static_cast<int>(i), parent, *link_);
  }
  // Sibling order is tab order: controls that take the focus go last, in their order.
  for (int id : TabOrder(layout_))
    SetWindowPos(controls_[id].hwnd, HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  // The picture strip lies over the first pixels of the menu's entries, and stays there
  // when they repaint: it goes on top, and every control leaves its siblings above alone.
  for (std::size_t i = 0; i < layout_.controls.size(); ++i)
    if (layout_.controls[i].kind == ControlKind::Picture)
      SetWindowPos(controls_[i].hwnd, HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  KeepCaptionsWhole();
}

// Check boxes whose caption is wider than their declared box grow to hold it.
void Win32Window::KeepCaptionsWhole() {
  const int tick = TwipsToPixelsAtDpi(13 * kTwipsPerPixel, dpi_);  // box and its gap
  for (std::size_t i = 0; i < layout_.controls.size(); ++i) {
    const ControlLayout& control = layout_.controls[i];
    if (control.kind != ControlKind::CheckBox) continue;
    HWND hwnd = controls_[i].hwnd;
    const int needed = TextSize(hwnd, *DataOf(hwnd), control.text).cx + tick + 4;
    const RECT place = PlaceInParent(hwnd);
    const Span declared{place.left, place.right - place.left};
    const Span grown = GrownToFit(declared, needed, control.look & kTickRight);
    if (grown.width == declared.width) continue;
    SetWindowPos(hwnd, nullptr, grown.left, place.top, grown.width, place.bottom - place.top,
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
      SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(*data)), TRUE);
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
  const int first =
      FirstFocus(layout_, [this](int id) { return IsWindowEnabled(controls_[id].hwnd) != FALSE; });
  if (first >= 0) SetFocus(controls_[first].hwnd);
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
  const std::string value = KeptText(layout, text);
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
  SetWindowTextW(hwnd, Wide(value).c_str());
}

std::string Win32Window::Text(int control) const {
  HWND hwnd = controls_.at(control).hwnd;
  ControlData* data = DataOf(hwnd);
  if (data && !data->original) return data->text;
  return TextOf(hwnd);
}

// A box with a limit holds that many characters as the user sees them (an emoji is one,
// where the edit control's own limit counts it as two); typing past it is undone.
void Win32Window::BoxChanged(int control) {
  const ControlLayout& layout = layout_.controls.at(control);
  if (layout.maxLength <= 0) return;
  HWND box = controls_[control].hwnd;
  const std::string text = TextOf(box);
  const std::string kept = KeptText(layout, text);
  if (kept.size() == text.size()) return;
  const std::wstring shown = Wide(kept);
  SetWindowTextW(box, shown.c_str());
  SendMessageW(box, EM_SETSEL, shown.size(), shown.size());
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
  switch (SendMessageW(controls_[control].hwnd, BM_GETCHECK, 0, 0)) {
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
    SetWindowLongPtrW(box, GWL_STYLE, (GetWindowLongPtrW(box, GWL_STYLE) & ~0xF) | BS_AUTO3STATE);
  SendMessageW(box, BM_SETCHECK,
               value == 0   ? BST_UNCHECKED
               : value == 2 ? BST_INDETERMINATE
                            : BST_CHECKED,
               0);
  CheckBoxClicked(control);  // a change by code runs the click handling too
}

void Win32Window::DragWithMouse() {
  ReleaseCapture();
  SendMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

}  // namespace qv
