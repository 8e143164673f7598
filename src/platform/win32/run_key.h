// The start-at-logon entry on Windows: a REG_SZ value named after the executable under
// SOFTWARE\Microsoft\Windows\CurrentVersion\Run, holding the program's quoted path (Windows
// runs it as a command line: unquoted, "C:\Program Files\QV\qv.exe" would start a
// C:\Program.exe). Values of earlier builds, unquoted, are still QV's by their name.
// The machine-wide key comes first; a standard account may not write there, so the same
// value then goes under the user's own Run key, which starts the program at that user's
// logon. Removing clears it from both.
#pragma once

#include <windows.h>

#include <string>

#include "settings/run_entry.h"

namespace qv {

constexpr const wchar_t* kRunKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// The registry calls the entry makes. Tests replace them: wine grants every access, and
// only a stand-in shows how Windows refuses a standard account.
struct RegistryCalls {
  LONG(WINAPI* createKey)(HKEY, LPCWSTR, PHKEY) = RegCreateKeyW;
  LONG(WINAPI* setValue)(HKEY, LPCWSTR, DWORD, DWORD, const BYTE*, DWORD) = RegSetValueExW;
  LONG(WINAPI* openKey)(HKEY, LPCWSTR, PHKEY) = RegOpenKeyW;
  LONG(WINAPI* queryValue)(HKEY, LPCWSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD) = RegQueryValueExW;
  LONG(WINAPI* deleteValue)(HKEY, LPCWSTR) = RegDeleteValueW;
  LONG(WINAPI* closeKey)(HKEY) = RegCloseKey;
};

class RegistryRunEntries final : public RunEntries {
 public:
  explicit RegistryRunEntries(HKEY machine = HKEY_LOCAL_MACHINE, HKEY user = HKEY_CURRENT_USER,
                              RegistryCalls calls = {})
      : roots_{machine, user}, calls_(calls) {}

  bool SaveRunValue(std::string_view name, std::string_view programPath) override;
  bool DeleteRunValue(std::string_view name) override;
  bool HasRunValue(std::string_view name) override;
  std::string RunValueNameOf(std::string_view programPath) const override;

  // Creates or opens the key, writes one string value, closes the key.
  bool SaveRegString(HKEY root, const std::wstring& keyPath, const std::wstring& name,
                     const std::wstring& data);
  // Opens the key, deletes the value if it is there, closes the key. A missing key or
  // value is no failure.
  bool DeleteRegValue(HKEY root, const std::wstring& keyPath, const std::wstring& name);

 private:
  bool HasRegValue(HKEY root, const std::wstring& name);

  HKEY roots_[2];  // first choice first
  RegistryCalls calls_;
};

}  // namespace qv
