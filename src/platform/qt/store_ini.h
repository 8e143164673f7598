// The settings store on Linux: an INI file at $XDG_CONFIG_HOME/<app>/<app>.ini, written
// through QSettings' atomic save, values mapped byte for byte through Latin-1. The
// folder is 0700 and the file 0600: it holds the scrambled password.
#pragma once

#include <memory>
#include <string>

#include "settings/store.h"

namespace qv {

class IniSettingsStore final : public SettingsStore {
 public:
  // configHome: the folder holding the application's folder; empty for the XDG default.
  explicit IniSettingsStore(std::string configHome = {});
  ~IniSettingsStore() override;

  std::string read(std::string_view app, std::string_view section, std::string_view key,
                   std::string_view fallback = {}) override;
  bool write(std::string_view app, std::string_view section, std::string_view key,
             std::string_view value) override;
  void Hold() override { holding_ = true; }
  bool Commit() override;

  std::string FilePath(std::string_view app) const;

 private:
  struct Files;
  bool RecoverDamagedFile(const std::string& path);
  bool Sync(const std::string& path);
  std::string configHome_;
  std::unique_ptr<Files> files_;
  bool holding_ = false;
};

}  // namespace qv
