// The Win32 backend's services.
#include "platform/win32/win32_platform.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>

#include "platform/session_end.h"
#include "platform/win32/win32_dpi.h"
#include "platform/win32/win32_library.h"
#include "platform/win32/win32_messages.h"
#include "platform/win32/win32_window.h"

namespace qv {
namespace {

constexpr UINT kTrayIconId = 1;
constexpr const char* kTrayClass = "QVTray";

class Win32Tray final : public TrayIcon {
 public:
  Win32Tray(TrayEvents& events, Win32Platform& platform) : events_(events), platform_(platform) {
    static const ATOM registered = [] {
      WNDCLASSA tray{};
      tray.lpfnWndProc = Procedure;
      tray.hInstance = GetModuleHandleA(nullptr);
      tray.lpszClassName = kTrayClass;
      return RegisterClassA(&tray);
    }();
    (void)registered;
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    // A hidden top-level window: message-only windows miss the TaskbarCreated broadcast.
    window_ = CreateWindowExA(WS_EX_TOOLWINDOW, kTrayClass, "QV tray", WS_POPUP, 0, 0, 0, 0,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    data_.cbSize = sizeof data_;
    data_.hWnd = window_;
    data_.uID = kTrayIconId;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kTrayCallback;
  }
  ~Win32Tray() override {
    Remove();
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }

  void SetIcon(const std::string& asset) override {
    data_.hIcon = static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), ResourceName(asset).c_str(), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    if (added_) Shell_NotifyIconA(NIM_MODIFY, &data_);
  }
  void SetTooltip(const std::string& text) override {
    lstrcpynA(data_.szTip, text.c_str(), sizeof data_.szTip);
    if (added_) Shell_NotifyIconA(NIM_MODIFY, &data_);
  }
  void Add() override { added_ = Shell_NotifyIconA(NIM_ADD, &data_) != FALSE || added_; }
  HWND Window() const { return window_; }
  void Remove() override {
    if (added_) Shell_NotifyIconA(NIM_DELETE, &data_);
    added_ = false;
  }

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* tray = reinterpret_cast<Win32Tray*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!tray) return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == kTrayCallback) {
      tray->events_.OnTrayMessage(static_cast<TrayMessage>(lParam));
      return 0;
    }
    if (message == tray->taskbarCreated_ && tray->added_) {
      Shell_NotifyIconA(NIM_ADD, &tray->data_);  // Explorer restarted: put the icon back
      return 0;
    }
    if (message == WM_QUERYENDSESSION) return TRUE;
    if (message == WM_ENDSESSION && wParam) {
      tray->platform_.EndSession();
      return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }

  TrayEvents& events_;
  Win32Platform& platform_;
  HWND window_ = nullptr;
  NOTIFYICONDATAA data_{};
  UINT taskbarCreated_ = 0;
  bool added_ = false;
};

}  // namespace

// Starts a process and lets it go. `application` is the file to run, or null to have
// Windows take it from the command line.
static bool StartProcess(const char* application, std::string commandLine, WindowStyle style) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(style);
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(application, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool StartProgramFile(const std::string& path, WindowStyle style) {
  if (path.empty()) return false;
  return StartProcess(path.c_str(), "\"" + path + "\"", style);
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
  return static_cast<Answer>(MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(),
                                         static_cast<UINT>(style) | MB_SETFOREGROUND));
}

std::string ProgramDialogFolder(const std::string& currentFile) {
  const std::size_t slash = currentFile.rfind('\\');
  if (slash != std::string::npos) {
    const std::string folder = currentFile.substr(0, slash);
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
      return folder;
  }
  char programs[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA("ProgramFiles", programs, MAX_PATH);
  return length > 0 && length < MAX_PATH ? programs : "C:\\";
}

// comdlg32 and what it pulls in (comctl32, ole32, ...) load when the picker first opens,
// not at every start: the icon comes sooner.
static decltype(&GetOpenFileNameA) OpenFileNameCall() {
  static const auto call =
      LibraryCall<decltype(&GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
  return call;
}

std::optional<std::string> Win32Platform::OpenFileDialog(const FileDialogOptions& options) {
  std::string filter = options.filterName + '\0' + options.patterns + '\0' + '\0';
  const std::string folder = ProgramDialogFolder(options.currentFile);
  std::string file(32768, '\0');
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetActiveWindow();
  dialog.lpstrFilter = filter.c_str();
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = options.title.c_str();
  dialog.lpstrInitialDir = folder.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  const auto openFileName = OpenFileNameCall();
  if (!openFileName || !openFileName(&dialog)) return std::nullopt;
  file.resize(file.find('\0'));
  return file;
}

void Win32Platform::StartBuiltIn(const std::string& command, WindowStyle style) {
  StartProcess(nullptr, command, style);
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
  if (top && IsDialogMessageA(top, &message)) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

bool Win32Platform::PumpPendingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
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
  GetMonitorInfoA(monitor, &info);
  const int dpi = MonitorDpi(monitor);
  const RECT& r = info.rcMonitor;
  return {PixelsToTwipsAtDpi(r.left, dpi), PixelsToTwipsAtDpi(r.top, dpi),
          PixelsToTwipsAtDpi(r.right - r.left, dpi), PixelsToTwipsAtDpi(r.bottom - r.top, dpi)};
}

std::string Win32Platform::ProgramPath() {
  std::string path(32768, '\0');
  path.resize(GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size())));
  // The folder, "\", the executable's name without its extension, and ".exe".
  const std::size_t slash = path.rfind('\\');
  const std::size_t dot = path.rfind('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) path.resize(dot);
  return path + ".exe";
}

int Win32Platform::Exec() {
  if (ending_) return 0;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) Dispatch(message);
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
