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

std::optional<std::string> RegistryStore::Stored(const Value& place) const {
  HKEY handle;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(place.app, place.section).c_str(), 0,
                    KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
    return std::nullopt;
  const std::wstring name = Widened(place.key);
  DWORD type = 0, size = 0;
  std::vector<wchar_t> data;
  LONG result = RegQueryValueExW(handle, name.c_str(), nullptr, &type, nullptr, &size);
  if (result == ERROR_SUCCESS) {
    data.resize(size / sizeof(wchar_t) + 1);
    result = RegQueryValueExW(handle, name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &size);
  }
  RegCloseKey(handle);
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  std::size_t length = size / sizeof(wchar_t);
  if (length > 0 && data[length - 1] == L'\0') --length;  // the terminator, not the value's
  std::string value(length, '\0');
  for (std::size_t i = 0; i < length; ++i) value[i] = static_cast<char>(data[i] & 0xFF);
  return value;
}

// Writes the value, or removes it when it has no text.
bool RegistryStore::Put(const Value& value) const {
  HKEY handle;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(value.app, value.section).c_str(), 0, nullptr, 0,
                      KEY_SET_VALUE, nullptr, &handle, nullptr) != ERROR_SUCCESS)
    return false;
  LONG result;
  if (value.text) {
    const std::wstring data = Widened(*value.text);
    const DWORD size = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    result = RegSetValueExW(handle, Widened(value.key).c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(data.c_str()), size);
  } else {
    result = RegDeleteValueW(handle, Widened(value.key).c_str());
  }
  if (result == ERROR_SUCCESS) result = RegFlushKey(handle);
  RegCloseKey(handle);
  return result == ERROR_SUCCESS;
}

std::string RegistryStore::Read(std::string_view app, std::string_view section,
                                std::string_view key, std::string_view fallback) {
  const Value place{std::string(app), std::string(section), std::string(key), std::nullopt};
  for (auto held = held_.rbegin(); held != held_.rend(); ++held)
    if (held->app == place.app && held->section == place.section && held->key == place.key)
      return *held->text;
  return Stored(place).value_or(std::string(fallback));
}

bool RegistryStore::Write(std::string_view app, std::string_view section, std::string_view key,
                          std::string_view value) {
  Value next{std::string(app), std::string(section), std::string(key), std::string(value)};
  if (!holding_) return Put(next);
  held_.push_back(std::move(next));
  return true;
}

// The held values one by one; at the first that fails, the ones written before it get
// their old values back, so the message that nothing was saved stays true.
bool RegistryStore::Commit() {
  holding_ = false;
  std::vector<Value> held;
  held.swap(held_);
  std::vector<Value> old;
  for (const Value& value : held) {
    old.push_back({value.app, value.section, value.key, Stored(value)});
    if (!Put(value)) {
      old.pop_back();
      Restore(old);
      return false;
    }
  }
  return true;
}

void RegistryStore::Restore(const std::vector<Value>& old) const {
  for (auto value = old.rbegin(); value != old.rend(); ++value) Put(*value);
}

void RegistryStore::Discard() {
  holding_ = false;
  held_.clear();
}

}  // namespace qv
