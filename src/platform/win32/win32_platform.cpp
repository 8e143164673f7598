// The Win32 backend's services.
#include "platform/win32/win32_platform.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>

#include "common/text_length.h"
#include "platform/session_end.h"
#include "platform/win32/builtin_tools_win32.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_library.h"
#include "platform/win32/win32_messages.h"
#include "platform/win32/win32_text.h"
#include "platform/win32/win32_window.h"

namespace qv {
namespace {

constexpr UINT kTrayIconId = 1;
constexpr const wchar_t* kTrayClass = L"QVTray";

class Win32Tray final : public TrayIcon {
 public:
  Win32Tray(TrayEvents& events, Win32Platform& platform) : events_(events), platform_(platform) {
    static const ATOM registered = [] {
      WNDCLASSW tray{};
      tray.lpfnWndProc = Procedure;
      tray.hInstance = GetModuleHandleW(nullptr);
      tray.lpszClassName = kTrayClass;
      return RegisterClassW(&tray);
    }();
    (void)registered;
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    exitRequest_ = RegisterWindowMessageW(kExitRequestMessage);
    // A hidden top-level window: message-only windows miss the TaskbarCreated broadcast.
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kTrayClass, L"QV tray", WS_POPUP, 0, 0, 0, 0,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    data_.cbSize = sizeof data_;
    data_.hWnd = window_;
    data_.uID = kTrayIconId;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kTrayCallback;
  }
  ~Win32Tray() override {
    Remove();
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }

  void SetIcon(const std::string& asset) override {
    data_.hIcon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), ResourceName(asset).c_str(), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    if (added_) Shell_NotifyIconW(NIM_MODIFY, &data_);
  }
  void SetTooltip(const std::string& text) override {
    lstrcpynW(data_.szTip, Wide(text).c_str(), ARRAYSIZE(data_.szTip));
    if (added_) Shell_NotifyIconW(NIM_MODIFY, &data_);
  }
  void Add() override { added_ = Shell_NotifyIconW(NIM_ADD, &data_) != FALSE || added_; }
  // Windows sends the right click itself, which opens QV's own menu.
  void SetMenu(const std::vector<TrayMenuEntry>&) override {}
  HWND Window() const { return window_; }
  void Remove() override {
    if (added_) Shell_NotifyIconW(NIM_DELETE, &data_);
    added_ = false;
  }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* tray = reinterpret_cast<Win32Tray*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!tray) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == kTrayCallback) {
      tray->events_.OnTrayMessage(static_cast<TrayMessage>(lParam));
      return 0;
    }
    if (message == tray->exitRequest_) {  // from any process: ending is no secret
      tray->events_.OnExitRequest();
      return 0;
    }
    if (message == tray->taskbarCreated_ && tray->added_) {
      Shell_NotifyIconW(NIM_ADD, &tray->data_);  // Explorer restarted: put the icon back
      return 0;
    }
    if (message == WM_QUERYENDSESSION) return TRUE;
    if (message == WM_ENDSESSION && wParam) {
      tray->platform_.EndSession();
      return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }

  TrayEvents& events_;
  Win32Platform& platform_;
  HWND window_ = nullptr;
  NOTIFYICONDATAW data_{};
  UINT taskbarCreated_ = 0;
  UINT exitRequest_ = 0;
  bool added_ = false;
};

}  // namespace

// Starts exactly the file `application` and lets it go; it is never searched for.
static bool StartProcess(const std::string& application, const std::string& commandLine,
                         WindowStyle style) {
  std::wstring line = Wide(commandLine);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(style);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(Wide(application).c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool StartProgramFile(const std::string& path, WindowStyle style) {
  if (path.empty()) return false;
  return StartProcess(path, "\"" + path + "\"", style);
}

Win32Platform::Win32Platform() : dpi_(SystemDpi()) {}

Win32Platform::~Win32Platform() = default;

std::unique_ptr<Window> Win32Platform::NewWindow(const WindowLayout& layout, WindowEvents& events) {
  auto window = std::make_unique<Win32Window>(layout, events, dpi_, this);
  windows_.push_back(window.get());
  return window;
}

void Win32Platform::Forget(Win32Window* window) {
  windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
}

std::unique_ptr<TrayIcon> Win32Platform::NewTrayIcon(TrayEvents& events) {
  auto tray = std::make_unique<Win32Tray>(events, *this);
  trayWindow_ = tray->Window();
  return tray;
}

Answer Win32Platform::ShowMessage(const std::string& text, MessageStyle style,
                                  const std::string& caption) {
  // Owned by the active window, so it stays above the topmost settings window.
  return static_cast<Answer>(MessageBoxW(GetActiveWindow(), Wide(text).c_str(),
                                         Wide(caption).c_str(),
                                         static_cast<UINT>(style) | MB_SETFOREGROUND));
}

std::string ProgramDialogFolder(const std::string& currentFile) {
  const std::size_t slash = currentFile.rfind('\\');
  if (slash != std::string::npos) {
    const std::string folder = currentFile.substr(0, slash);
    const DWORD attributes = GetFileAttributesW(Wide(folder).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
      return folder;
  }
  wchar_t programs[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(L"ProgramFiles", programs, MAX_PATH);
  return length > 0 && length < MAX_PATH ? Utf8(programs) : "C:\\";
}

// comdlg32 and what it pulls in (comctl32, ole32, ...) load when the picker first opens,
// not at every start: the icon comes sooner.
static decltype(&GetOpenFileNameW) OpenFileNameCall() {
  static const auto call =
      LibraryCall<decltype(&GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
  return call;
}

std::optional<std::string> Win32Platform::OpenFileDialog(const FileDialogOptions& options) {
  std::wstring filter = Wide(options.filterName) + L'\0' + Wide(options.patterns) + L'\0' + L'\0';
  const std::wstring folder = Wide(ProgramDialogFolder(options.currentFile));
  const std::wstring title = Wide(options.title);
  std::wstring file(32768, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetActiveWindow();
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrInitialDir = folder.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  const auto openFileName = OpenFileNameCall();
  if (!openFileName || !openFileName(&dialog)) return std::nullopt;
  file.resize(file.find(L'\0'));
  return Utf8(file);
}

void Win32Platform::StartBuiltIn(const std::string& command, WindowStyle style) {
  const std::string system = SystemFolder();
  const std::string line = BuiltInToolLine(command, system, [](const std::string& path) {
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
  });
  if (line.empty()) return;  // this Windows has no such tool: the entry does nothing
  StartProcess(line.substr(1, line.find('"', 1) - 1), line, style);
}

std::size_t Win32Platform::CharacterCount(std::string_view text) const {
  return Utf8CharacterCount(text);
}

void Win32Platform::StartFile(const std::string& path, WindowStyle style) {
  StartProgramFile(path, style);
}

double Win32Platform::Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / frequency;
}

// Tab and the other dialog keys move the focus within our windows; the rest is theirs.
static void Dispatch(MSG& message) {
  HWND top = GetAncestor(message.hwnd, GA_ROOT);
  if (top && IsDialogMessageW(top, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

bool Win32Platform::PumpPendingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for the outer loop
      return false;
    }
    Dispatch(message);
  }
  return true;
}

void Win32Platform::RunEventsUntil(double deadline) {
  for (double left = deadline - Now(); left > 0 && !ending_; left = deadline - Now()) {
    const DWORD milliseconds = static_cast<DWORD>(left * 1000) + 1;
    MsgWaitForMultipleObjectsEx(0, nullptr, milliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    if (!PumpPendingMessages()) return;
  }
}

// The monitor that holds the tray icon (the taskbar may be on any), else the primary
// one, in twips at that monitor's own scale.
TwipArea Win32Platform::MenuScreen() {
  HMONITOR monitor = MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
  NOTIFYICONIDENTIFIER icon{};
  icon.cbSize = sizeof icon;
  icon.hWnd = trayWindow_;
  icon.uID = kTrayIconId;
  RECT place;
  if (trayWindow_ && SUCCEEDED(Shell_NotifyIconGetRect(&icon, &place)))
    monitor = MonitorFromRect(&place, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(monitor, &info);
  const int dpi = MonitorDpi(monitor);
  const RECT& r = info.rcMonitor;
  return {PixelsToTwipsAtDpi(r.left, dpi), PixelsToTwipsAtDpi(r.top, dpi),
          PixelsToTwipsAtDpi(r.right - r.left, dpi), PixelsToTwipsAtDpi(r.bottom - r.top, dpi)};
}

std::string Win32Platform::ProgramPath() {
  std::wstring wide(32768, L'\0');
  wide.resize(GetModuleFileNameW(nullptr, wide.data(), static_cast<DWORD>(wide.size())));
  std::string path = Utf8(wide);
  // The folder, "\", the executable's name without its extension, and ".exe".
  const std::size_t slash = path.rfind('\\');
  const std::size_t dot = path.rfind('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.resize(dot);
  return path + ".exe";
}

int Win32Platform::Exec() {
  if (ending_) return 0;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
  return 0;
}

void Win32Platform::EndProgram() {
  if (ending_) return;
  ending_ = true;
  PostQuitMessage(0);
}

void Win32Platform::EndSession() {
  CloseNewestFirst(windows_, ending_);
  EndProgram();
}

}  // namespace qv
