// The built-in tools on Windows, always from the system folder by their full path, never
// from the current folder or the PATH, where a planted file of the same name would run.
// Scandisk and Winipcfg left Windows with XP, and Defrag's window became "Optimize
// Drives": each entry starts the nearest tool this Windows has, or nothing.
#pragma once

#include <functional>
#include <string>

namespace qv {

// The command line that starts the tool named by its old Windows command ("calc.exe",
// "notepad.exe", "winipcfg", "scandisk", "defrag"), with the program's full path first,
// quoted; empty when this Windows has none of its candidates. `exists` tells whether a
// file of the system folder is there.
std::string BuiltInToolLine(const std::string& command, const std::string& systemFolder,
                            const std::function<bool(const std::string& path)>& exists);

}  // namespace qv
