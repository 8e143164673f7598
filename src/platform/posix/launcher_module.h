// Loading the Linux launcher: the executable links no Qt, so a duplicate start ends within
// a few milliseconds; once it holds the instance lock it loads libqv_app.so, beside
// itself, and runs it.
#pragma once

namespace qv {

// Runs the launcher module's entry and returns its exit code (1 when it cannot be loaded).
int RunLauncherModule(int argc, char** argv);

}  // namespace qv
