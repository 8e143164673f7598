// A screen reader's first look, from another process as a real one reads: for every
// window of QV's window class and each control on it, one line "name|role|action" read
// through the accessible objects Windows hands across processes.
#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <string>

namespace {

// Names in UTF-8, whatever their script.
std::string Utf8(const wchar_t* text) {
  if (!text) return {};
  char out[1024] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof out - 1, nullptr, nullptr);
  return out;
}

void Read(HWND hwnd) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object))))
    return;
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr, action = nullptr;
  VARIANT role{};
  object->get_accName(self, &name);
  object->get_accRole(self, &role);
  object->get_accDefaultAction(self, &action);
  std::printf("%s|%ld|%s\n", Utf8(name).c_str(), role.lVal, Utf8(action).c_str());
  SysFreeString(name);
  SysFreeString(action);
  object->Release();
}

BOOL CALLBACK EachControl(HWND hwnd, LPARAM) {
  Read(hwnd);
  return TRUE;
}

BOOL CALLBACK EachWindow(HWND hwnd, LPARAM) {
  char name[32];
  GetClassNameA(hwnd, name, sizeof name);
  if (lstrcmpA(name, "QVWindow") == 0) {
    Read(hwnd);
    EnumChildWindows(hwnd, EachControl, 0);
  }
  return TRUE;
}

}  // namespace

int main() {
  CoInitialize(nullptr);
  EnumWindows(EachWindow, 0);
  CoUninitialize();
  return 0;
}
