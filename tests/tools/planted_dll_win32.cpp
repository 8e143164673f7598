// A DLL planted beside qv.exe under the name of a system DLL (oleacc.dll), as a download
// could leave one in the Downloads folder: loading it leaves C:\qv-planted-dll-loaded,
// which QV must never do.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH)
    CloseHandle(CreateFileW(L"C:\\qv-planted-dll-loaded", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            0, nullptr));
  return TRUE;
}
