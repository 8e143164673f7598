// Start-up: the program's entry point. One copy runs at a time; it loads the menu window
// hidden and then lives in the platform's event loop.
#pragma once

#include <functional>
#include <memory>

#include "platform/platform.h"

namespace qv {

using PlatformMaker = std::function<std::unique_ptr<Platform>()>;

// A duplicate start returns 0 before it makes the platform, reads a setting or shows
// anything; a platform that cannot be made (no display) ends it with 1; otherwise the menu
// window is loaded and the event loop runs until the end.
int Main(bool previousInstance, const PlatformMaker& makePlatform);

}  // namespace qv
