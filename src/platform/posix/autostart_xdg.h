// The start-at-logon entry on Linux desktops: an XDG autostart file
// $XDG_CONFIG_HOME/autostart/<name>.desktop whose Exec line starts the program's path.
#pragma once

#include <string>

#include "settings/run_entry.h"

namespace qv {

class XdgAutostart final : public RunEntries {
 public:
  // configHome: the folder holding "autostart"; empty for the XDG default.
  explicit XdgAutostart(std::string configHome = {});

  bool SaveRunValue(std::string_view name, std::string_view programPath) override;
  bool DeleteRunValue(std::string_view name) override;
  bool HasRunValue(std::string_view name) override;
  std::string RunValueNameOf(std::string_view programPath) const override;

  std::string EntryPath(std::string_view name) const;

 private:
  std::string folder_;
};

// The path quoted as one Exec argument, escaped for a desktop file's string value.
std::string ExecLineFor(std::string_view programPath);

}  // namespace qv
