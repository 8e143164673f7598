// The settings store on Linux: an INI file at $XDG_CONFIG_HOME/<app>/<app>.ini in the
// format Qt's QSettings reads and writes, values kept byte for byte, and every line that
// is not one of the keys QV writes kept as it stands. Every save replaces
// the whole file through a temporary one that is checked on disk first, so the file is
// always either the old one or the new one whole, whatever fails or crashes. The folder
// is 0700 and the file 0600: it holds the scrambled password.
#pragma once

#include <map>
#include <string>

#include "settings/ini_format.h"
#include "settings/store.h"

namespace qv {

class IniSettingsStore final : public SettingsStore {
 public:
  // configHome: the folder holding the application's folder; empty for the XDG default.
  explicit IniSettingsStore(std::string configHome = {});

  std::string Read(std::string_view app, std::string_view section, std::string_view key,
                   std::string_view fallback = {}) override;
  bool Write(std::string_view app, std::string_view section, std::string_view key,
             std::string_view value) override;
  void Hold() override { holding_ = true; }
  bool Commit() override;
  void Discard() override;

  std::string FilePath(std::string_view app) const;

 private:
  // One file as this process last saw it on disk, and the writes held for it.
  struct File {
    std::string identity;  // device, inode, size and time of the file that was read
    std::string text;      // its bytes, which a save changes only where QV's keys stand
    ParsedIni saved;
    IniValues held;
    bool damaged = false;
    bool readable = true;
  };
  File& Current(const std::string& path);
  bool Save(const std::string& path, File& file, const IniValues& changes);

  std::string configHome_;
  std::map<std::string, File, std::less<>> files_;
  bool holding_ = false;
};

}  // namespace qv
