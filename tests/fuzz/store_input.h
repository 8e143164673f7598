// Feeds any bytes to the program as its settings file: the INI store reads it, and the
// menu, the password prompt and the settings window load from what it yields.
#pragma once

#include <cstddef>
#include <cstdint>

namespace qv {

// Returns the number of windows that loaded (the menu always does).
int ExerciseStoreFile(const std::uint8_t* data, std::size_t size);

}  // namespace qv
