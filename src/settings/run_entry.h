// The start-at-logon entry (Module3): one named entry that starts the program at logon.
// On Windows a string value under the machine-wide Run key; on Linux an XDG autostart file.
#pragma once

#include <string>
#include <string_view>

namespace qv {

// Where the platform keeps named start-at-logon entries. Both calls report failure.
class RunEntries {
 public:
  virtual ~RunEntries() = default;
  virtual bool SaveRunValue(std::string_view name, std::string_view programPath) = 0;
  // Removing an entry that does not exist succeeds.
  virtual bool DeleteRunValue(std::string_view name) = 0;
};

// The part of a path after its last directory separator (possibly nothing).
std::string FileNameOf(std::string_view path);

// The entry's name for a program path: on Windows the file name less ".exe", on Linux
// the file name itself.
std::string RunValueNameOf(std::string_view path);

bool AddRunValue(RunEntries& entries, std::string_view path);
bool RemoveRunValue(RunEntries& entries, std::string_view path);

}  // namespace qv
