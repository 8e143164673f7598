// Module3's registry calls: the Run value is created and deleted in the same order of
// calls every time; unlike the calls' results of old, failures now reach the caller.
#include "platform/win32/run_key.h"

namespace qv {

std::string RegistryRunEntries::RunValueNameOf(std::string_view programPath) const {
  std::string name = FileNameOf(programPath, '\\');
  name.resize(name.size() > 4 ? name.size() - 4 : 0);  // less ".exe"
  return name;
}

bool SaveRegString(HKEY root, const std::string& keyPath, const std::string& name,
                   const std::string& data) {
  HKEY handle;
  if (RegCreateKeyA(root, keyPath.c_str(), &handle) != ERROR_SUCCESS) return false;
  LONG result =
      RegSetValueExA(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                     static_cast<DWORD>(data.size() + 1));
  RegCloseKey(handle);
  return result == ERROR_SUCCESS;
}

bool DeleteRegValue(HKEY root, const std::string& keyPath, const std::string& name) {
  HKEY handle;
  LONG opened = RegOpenKeyA(root, keyPath.c_str(), &handle);
  if (opened == ERROR_FILE_NOT_FOUND) return true;  // no key, so no value either
  if (opened != ERROR_SUCCESS) return false;
  LONG result = RegDeleteValueA(handle, name.c_str());
  RegCloseKey(handle);
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool RegistryRunEntries::SaveRunValue(std::string_view name, std::string_view programPath) {
  if (name.empty()) return false;
  return SaveRegString(root_, kRunKey, std::string(name), std::string(programPath));
}

bool RegistryRunEntries::DeleteRunValue(std::string_view name) {
  if (name.empty()) return true;
  return DeleteRegValue(root_, kRunKey, std::string(name));
}

}  // namespace qv
