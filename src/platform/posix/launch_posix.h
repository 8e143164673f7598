// Starting programs on Linux: no shell, fire and forget. The started program gets a
// session of its own, inherits no descriptor of ours (the instance lock, the X
// connection), outlives the launcher, and is reaped when it ends (no zombies).
#pragma once

#include <string>
#include <vector>

namespace qv {

// Leaves a variable out of the environment of every program started from now on: one
// the launcher set for itself, which the programs it starts must not inherit.
void KeepFromStartedPrograms(const std::string& name);

// Starts argv[0] exactly as named, with these arguments. False when it could not be
// started (no such file, not executable, a directory), with the error in `error` if
// given; nothing else is ever run instead.
bool StartDetached(const std::vector<std::string>& argv, int* error = nullptr);

// Why a program could not be started, in words for the user's journal: "there is no such
// file", "it is a folder", "it is not executable", else the system's words for the error.
std::string WhyNotStarted(const std::string& path, int error);

// The desktop's nearest equivalent of a built-in tool's Windows command ("notepad.exe",
// "calc.exe", "winipcfg", "scandisk", "defrag"): the first candidate found on the PATH,
// with its arguments. Empty when none is installed.
std::vector<std::string> BuiltInCommandLine(const std::string& windowsCommand,
                                            const std::string& searchPath);

}  // namespace qv
