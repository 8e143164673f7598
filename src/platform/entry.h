// What each OS's backend provides to start-up: the previous-instance test, which must
// answer before anything connects to the display, and the platform itself.
#pragma once

#include <memory>

#include "platform/platform.h"

namespace qv {

// True when another instance of the program runs for this user session. Otherwise this
// process now holds the instance lock until it exits (or dies: the OS releases it).
bool PreviousInstanceRunning();

// The platform, or nothing, said on standard error, when it has nowhere to show windows.
std::unique_ptr<Platform> MakePlatform(int& argc, char** argv);

}  // namespace qv
