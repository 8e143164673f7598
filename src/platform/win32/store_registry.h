// The settings store on Windows: string values under HKEY_CURRENT_USER, key
// Software\<app>\<section>. Each byte of a value is kept as one UTF-16 unit, so every code 0 to
// 255, the code 0 included, comes back exactly whatever the ANSI code page.
#pragma once

#include <string>

#include "settings/store.h"

namespace qv {

class RegistryStore final : public SettingsStore {
 public:
  // root: the key path under HKEY_CURRENT_USER that holds the applications ("Software").
  explicit RegistryStore(std::string root = "Software") : root_(std::move(root)) {}

  std::string read(std::string_view app, std::string_view section, std::string_view key,
                   std::string_view fallback = {}) override;
  bool write(std::string_view app, std::string_view section, std::string_view key,
             std::string_view value) override;

 private:
  std::wstring KeyPath(std::string_view app, std::string_view section) const;
  std::string root_;
};

}  // namespace qv
