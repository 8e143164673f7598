// Registry access for the settings store, with the wide-character calls so that no code
// page conversion touches the bytes.
#include "platform/win32/store_registry.h"

#include <windows.h>

#include <vector>

namespace qv {
namespace {

std::wstring Widened(std::string_view bytes) {
  std::wstring wide(bytes.size(), L'\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) wide[i] = static_cast<unsigned char>(bytes[i]);
  return wide;
}

}  // namespace

std::wstring RegistryStore::KeyPath(std::string_view app, std::string_view section) const {
  return Widened(root_) + L"\\" + Widened(app) + L"\\" + Widened(section);
}

std::string RegistryStore::read(std::string_view app, std::string_view section,
                                std::string_view key, std::string_view fallback) {
  HKEY handle;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(app, section).c_str(), 0, KEY_QUERY_VALUE,
                    &handle) != ERROR_SUCCESS)
    return std::string(fallback);
  const std::wstring name = Widened(key);
  DWORD type = 0, size = 0;
  std::vector<wchar_t> data;
  LONG result = RegQueryValueExW(handle, name.c_str(), nullptr, &type, nullptr, &size);
  if (result == ERROR_SUCCESS) {
    data.resize(size / sizeof(wchar_t) + 1);
    result = RegQueryValueExW(handle, name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &size);
  }
  RegCloseKey(handle);
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::string(fallback);
  std::size_t length = size / sizeof(wchar_t);
  if (length > 0 && data[length - 1] == L'\0') --length;  // the terminator, not the value's
  std::string value(length, '\0');
  for (std::size_t i = 0; i < length; ++i) value[i] = static_cast<char>(data[i] & 0xFF);
  return value;
}

bool RegistryStore::write(std::string_view app, std::string_view section, std::string_view key,
                          std::string_view value) {
  HKEY handle;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(app, section).c_str(), 0, nullptr, 0,
                      KEY_SET_VALUE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
    return false;
  const std::wstring data = Widened(value);
  const DWORD size = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
  LONG result = RegSetValueExW(handle, Widened(key).c_str(), 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(data.c_str()), size);
  if (result == ERROR_SUCCESS) result = RegFlushKey(handle);
  RegCloseKey(handle);
  return result == ERROR_SUCCESS;
}

}  // namespace qv
