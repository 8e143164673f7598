// The Run key's registry calls, made in the same order every time: the value is looked for
// before it is deleted, as a standard account may open the machine's Run key but never
// delete from it. Failures reach the caller.
#include "platform/win32/run_key.h"

#include "platform/win32/win32_text.h"

namespace qv {

std::string RegistryRunEntries::RunValueNameOf(std::string_view programPath) const {
  std::string name = FileNameOf(programPath, '\\');
  name.resize(name.size() > 4 ? name.size() - 4 : 0);  // less ".exe"
  return name;
}

bool RegistryRunEntries::SaveRegString(HKEY root, const std::wstring& keyPath,
                                       const std::wstring& name, const std::wstring& data) {
  HKEY handle;
  if (calls_.createKey(root, keyPath.c_str(), &handle) != ERROR_SUCCESS) return false;
  const LONG result =
      calls_.setValue(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                      static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  calls_.closeKey(handle);
  return result == ERROR_SUCCESS;
}

bool RegistryRunEntries::HasRegValue(HKEY root, const std::wstring& name) {
  HKEY handle;
  if (calls_.openKey(root, kRunKey, &handle) != ERROR_SUCCESS) return false;
  const LONG found = calls_.queryValue(handle, name.c_str(), nullptr, nullptr, nullptr, nullptr);
  calls_.closeKey(handle);
  return found == ERROR_SUCCESS;
}

bool RegistryRunEntries::DeleteRegValue(HKEY root, const std::wstring& keyPath,
                                        const std::wstring& name) {
  HKEY handle;
  const LONG opened = calls_.openKey(root, keyPath.c_str(), &handle);
  if (opened == ERROR_FILE_NOT_FOUND) return true;  // no key, so no value either
  if (opened != ERROR_SUCCESS) return false;
  LONG result = calls_.queryValue(handle, name.c_str(), nullptr, nullptr, nullptr, nullptr);
  if (result == ERROR_SUCCESS) result = calls_.deleteValue(handle, name.c_str());
  calls_.closeKey(handle);
  return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool RegistryRunEntries::SaveRunValue(std::string_view name, std::string_view programPath) {
  if (name.empty()) return false;
  const std::wstring value = Wide(name), data = L"\"" + Wide(programPath) + L"\"";
  return SaveRegString(roots_[0], kRunKey, value, data) ||
         SaveRegString(roots_[1], kRunKey, value, data);
}

bool RegistryRunEntries::DeleteRunValue(std::string_view name) {
  if (name.empty()) return true;
  const bool machine = DeleteRegValue(roots_[0], kRunKey, Wide(name));
  const bool user = DeleteRegValue(roots_[1], kRunKey, Wide(name));
  return machine && user;
}

bool RegistryRunEntries::HasRunValue(std::string_view name) {
  return !name.empty() &&
         (HasRegValue(roots_[0], Wide(name)) || HasRegValue(roots_[1], Wide(name)));
}

}  // namespace qv
