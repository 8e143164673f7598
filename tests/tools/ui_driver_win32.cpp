// Another process at QV's windows, for the Windows end-to-end tests:
//   pick PATH  fills the program picker's file name box with a path in any script and
//              presses Open;
//   type TEXT  selects what the focused box of the window in front holds and types TEXT
//              over it, character by character (an emoji as its two UTF-16 units, as a
//              keyboard or an input method sends it);
//   read       reads as a screen reader does, across processes: for every window of QV's
//              window class and each control on it, one line "name|role|action";
//   attack     sends every QV window and control the numbers of QV's private messages (a
//              pointer to write through, the order to destroy a window, a press) with any
//              wParam; QV must change nothing. Prints how many windows it reached.
// Arguments come as Windows hands them over, in UTF-16.
#include <windows.h>

#include <oleacc.h>
#include <shellapi.h>

#include <cstdio>
#include <initializer_list>
#include <string>

namespace {

HWND WaitForDialog(const wchar_t* title) {
  for (int i = 0; i < 200; ++i, Sleep(50))
    if (HWND dialog = FindWindowW(L"#32770", title)) return dialog;
  return nullptr;
}

int Pick(const std::wstring& file) {
  HWND dialog = WaitForDialog(L"Select A Program Or Cancel To Unset!!");
  if (!dialog) return std::fprintf(stderr, "no file dialog\n"), 1;
  // The file name box: a combo box in the Explorer-style dialog, an edit in the old one.
  if (!SetDlgItemTextW(dialog, 0x47C, file.c_str()) &&
      !SetDlgItemTextW(dialog, 0x480, file.c_str()))
    return std::fprintf(stderr, "no file name box\n"), 1;
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  for (int i = 0; i < 200 && IsWindow(dialog); ++i) Sleep(50);
  return IsWindow(dialog) ? (std::fprintf(stderr, "the dialog stayed\n"), 1) : 0;
}

int Type(const std::wstring& text) {
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  HWND box = nullptr;
  for (int i = 0; i < 100 && !box; ++i, Sleep(50))
    if (GetGUIThreadInfo(0, &gui)) box = gui.hwndFocus;
  if (!box) return std::fprintf(stderr, "no focused box\n"), 1;
  SendMessageW(box, EM_SETSEL, 0, -1);
  for (wchar_t unit : text) SendMessageW(box, WM_CHAR, unit, 1);
  return 0;
}

bool ClassIs(HWND hwnd, const wchar_t* name) {
  wchar_t found[64] = {};
  GetClassNameW(hwnd, found, 64);
  return lstrcmpW(found, name) == 0;
}

void (*eachAction)(HWND) = nullptr;
int reached = 0;

BOOL CALLBACK OnWindow(HWND hwnd, LPARAM) {
  ++reached;
  eachAction(hwnd);
  return TRUE;
}

BOOL CALLBACK OnTopLevel(HWND hwnd, LPARAM) {
  if (!ClassIs(hwnd, L"QVWindow")) return TRUE;
  OnWindow(hwnd, 0);
  EnumChildWindows(hwnd, OnWindow, 0);
  return TRUE;
}

// Runs the action on every QV window and every control on it; returns how many.
int ForEachQVWindow(void (*action)(HWND)) {
  eachAction = action;
  EnumWindows(OnTopLevel, 0);
  return reached;
}

// Names in UTF-8, whatever their script.
std::string Utf8(const wchar_t* text) {
  if (!text) return {};
  char out[1024] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof out - 1, nullptr, nullptr);
  return out;
}

void ReadAloud(HWND hwnd) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object))))
    return;
  VARIANT self{}, role{};
  self.vt = VT_I4, self.lVal = CHILDID_SELF;
  BSTR name = nullptr, action = nullptr;
  object->get_accName(self, &name);
  object->get_accRole(self, &role);
  object->get_accDefaultAction(self, &action);
  std::printf("%s|%ld|%s\n", Utf8(name).c_str(), role.lVal, Utf8(action).c_str());
  SysFreeString(name), SysFreeString(action);
  object->Release();
}

void Attack(HWND hwnd) {
  for (UINT message = WM_APP + 7; message <= WM_APP + 9; ++message)
    for (WPARAM wParam : {WPARAM(0), WPARAM(1), WPARAM(0x4141414141)}) {
      SendMessageTimeoutW(hwnd, message, wParam, 0x4141414141, SMTO_ABORTIFHUNG, 1000, nullptr);
      PostMessageW(hwnd, message, wParam, 0x4141414141);
    }
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (argc == 3 && command == L"pick") return Pick(argv[2]);
  if (argc == 3 && command == L"type") return Type(argv[2]);
  if (argc == 2 && command == L"read") {
    CoInitialize(nullptr);
    ForEachQVWindow(ReadAloud);
    CoUninitialize();
    return 0;
  }
  if (argc == 2 && command == L"attack") {
    const int reached = ForEachQVWindow(Attack);
    std::printf("reached %d windows\n", reached);
    return reached > 0 ? 0 : 1;
  }
  std::fprintf(stderr, "usage: ui_driver pick PATH | type TEXT | read | attack\n");
  return 2;
}
