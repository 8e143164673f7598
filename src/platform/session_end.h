// Ending the desktop session: every window still loaded is asked to close with the
// session's unload mode, newest first, as the windows of the run were stacked. A window
// may unload others while it closes, so each is looked up again before it is asked.
#pragma once

#include <algorithm>
#include <vector>

#include "platform/platform.h"

namespace qv {

template <class W>
void CloseNewestFirst(const std::vector<W*>& windows, const bool& ending) {
  const std::vector<W*> newestFirst(windows.rbegin(), windows.rend());
  for (W* window : newestFirst)
    if (!ending && std::find(windows.begin(), windows.end(), window) != windows.end())
      window->RequestClose(UnloadMode::BySession);
}

}  // namespace qv
