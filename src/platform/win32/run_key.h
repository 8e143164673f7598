// The start-at-logon entry on Windows: a REG_SZ value named after the executable under
// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Run, written with the
// advapi32 ANSI calls.
#pragma once

#include <windows.h>

#include "settings/run_entry.h"

namespace qv {

constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// Creates or opens the key, writes one string value, closes the key.
bool SaveRegString(HKEY root, const std::string& keyPath, const std::string& name,
                   const std::string& data);
// Opens the key, deletes one value, closes the key. A missing value is no failure.
bool DeleteRegValue(HKEY root, const std::string& keyPath, const std::string& name);

class RegistryRunEntries final : public RunEntries {
 public:
  explicit RegistryRunEntries(HKEY root = HKEY_LOCAL_MACHINE) : root_(root) {}
  bool SaveRunValue(std::string_view name, std::string_view programPath) override;
  bool DeleteRunValue(std::string_view name) override;
  std::string RunValueNameOf(std::string_view programPath) const override;

 private:
  HKEY root_;
};

}  // namespace qv
