// Where the XDG base directories put a user's configuration.
#pragma once

#include <string>

namespace qv {

// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config.
std::string ConfigHome();

}  // namespace qv
