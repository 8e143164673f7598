// Starting programs on Linux: fork and exec, no shell, fire and forget. The started
// program is re-parented at once (no zombies), inherits no descriptor of ours (the
// instance lock, the X connection) and outlives the launcher.
#pragma once

#include <string>
#include <vector>

namespace qv {

// Starts argv[0] exactly as named, with these arguments. False when it could not be
// started (no such file, not executable, a directory); nothing else is ever run instead.
bool StartDetached(const std::vector<std::string>& argv);

// The desktop's nearest equivalent of a built-in tool's Windows command ("notepad.exe",
// "calc.exe", "winipcfg", "scandisk", "defrag"): the first candidate found on the PATH,
// with its arguments. Empty when none is installed.
std::vector<std::string> BuiltInCommandLine(const std::string& windowsCommand,
                                            const std::string& searchPath);

}  // namespace qv
