// Module3: adding and removing the start-at-logon entry for a program path. The name is
// derived anew from the path on every call, so a renamed program gets an entry of its own.
#include "settings/run_entry.h"

namespace qv {

bool AddRunValue(RunEntries& entries, std::string_view path) {
  return entries.SaveRunValue(RunValueNameOf(path), path);
}

bool RemoveRunValue(RunEntries& entries, std::string_view path) {
  return entries.DeleteRunValue(RunValueNameOf(path));
}

}  // namespace qv
