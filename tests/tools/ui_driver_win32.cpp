// Drives QV's windows as a user's hands would, from another process, for the Windows
// end-to-end tests: "pick PATH" fills the program picker's file name box with a path in
// any script and presses Open; "type TEXT" selects what the focused box of the window in
// front holds and types TEXT over it, character by character (an emoji as its two UTF-16
// units, as a keyboard or an input method sends it). Arguments come as Windows hands them
// over, in UTF-16.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
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

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc == 3 && std::wstring(argv[1]) == L"pick") return Pick(argv[2]);
  if (argc == 3 && std::wstring(argv[1]) == L"type") return Type(argv[2]);
  std::fprintf(stderr, "usage: ui_driver pick PATH | type TEXT\n");
  return 2;
}
