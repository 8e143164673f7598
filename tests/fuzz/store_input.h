// Feeds any bytes to the program as its settings file: the INI store reads it, and the
// menu, the password prompt and the settings window load from what it yields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace qv {

// What the windows made of the file: empty when they read it as they should (the menu
// loaded, "Settings" opened the prompt or the settings window, and that window shows
// each stored value as its reader reads it, or the default where none was stored);
// otherwise the first thing that went wrong.
std::string ExerciseStoreFile(const std::uint8_t* data, std::size_t size);

}  // namespace qv
