// Adding and removing the start-at-logon entry for a program path. The name is
// derived anew from the path on every call, so a renamed program gets an entry of its own.
#include "settings/run_entry.h"

namespace qv {

std::string FileNameOf(std::string_view path, char separator) {
  const std::size_t last = path.rfind(separator);
  return std::string(last == std::string_view::npos ? path : path.substr(last + 1));
}

bool AddRunValue(RunEntries& entries, std::string_view path) {
  return entries.SaveRunValue(entries.RunValueNameOf(path), path);
}

bool RemoveRunValue(RunEntries& entries, std::string_view path) {
  return entries.DeleteRunValue(entries.RunValueNameOf(path));
}

}  // namespace qv
