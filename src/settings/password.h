// Reading the stored settings password, as the settings window and the password prompt
// both do: the pair is unscrambled through table B unless it is the unset pair, and the
// password is the text before its first "|||" ("(none)" when nothing is stored).
#pragma once

#include <string>

#include "settings/scramble.h"
#include "settings/store.h"

namespace qv {

std::string StoredPassword(SettingsStore& store, const KeyTable& tableB);

}  // namespace qv
