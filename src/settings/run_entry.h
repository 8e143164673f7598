// The start-at-logon entry: one named entry that starts the program at logon.
// On Windows a string value under the Run key; on Linux an XDG autostart file.
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
  virtual bool HasRunValue(std::string_view name) = 0;
  // The entry's name for a program path, in the platform's own rule (on Windows the
  // file name less ".exe", on Linux the file name itself).
  virtual std::string RunValueNameOf(std::string_view programPath) const = 0;
};

// The part of a path after its last separator (possibly nothing).
std::string FileNameOf(std::string_view path, char separator);

bool AddRunValue(RunEntries& entries, std::string_view path);
bool RemoveRunValue(RunEntries& entries, std::string_view path);

}  // namespace qv
