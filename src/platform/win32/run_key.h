// The start-at-logon entry on Windows: a REG_SZ value named after the executable under
// SOFTWARE\Microsoft\Windows\CurrentVersion\Run, written with the advapi32 ANSI calls.
// The machine-wide key comes first; a standard account may not write there, so the same
// value then goes under the user's own Run key, which starts the program at that user's
// logon. Removing clears it from both.
#pragma once

#include <windows.h>

#include "settings/run_entry.h"

namespace qv {

constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// The registry calls the entry makes. Tests replace them: wine grants every access, and
// only a stand-in shows how Windows refuses a standard account.
struct RegistryCalls {
  LONG(WINAPI* createKey)(HKEY, LPCSTR, PHKEY) = RegCreateKeyA;
  LONG(WINAPI* setValue)(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD) = RegSetValueExA;
  LONG(WINAPI* openKey)(HKEY, LPCSTR, PHKEY) = RegOpenKeyA;
  LONG(WINAPI* queryValue)(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD) = RegQueryValueExA;
  LONG(WINAPI* deleteValue)(HKEY, LPCSTR) = RegDeleteValueA;
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
  bool SaveRegString(HKEY root, const std::string& keyPath, const std::string& name,
                     const std::string& data);
  // Opens the key, deletes the value if it is there, closes the key. A missing key or
  // value is no failure.
  bool DeleteRegValue(HKEY root, const std::string& keyPath, const std::string& name);

 private:
  bool HasRegValue(HKEY root, const std::string& name);

  HKEY roots_[2];  // first choice first
  RegistryCalls calls_;
};

}  // namespace qv
