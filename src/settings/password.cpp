// The stored password's reading chain.
#include "settings/password.h"

namespace qv {

std::string StoredPassword(SettingsStore& store, const KeyTable& tableB) {
  std::string pair = store.read(kApp, kSection, "passwd", kUnsetPasswordPair);
  if (pair != kUnsetPasswordPair) pair = ScrambleBackwards(pair, tableB);
  return pair.substr(0, pair.find(kPasswordSeparator));
}

}  // namespace qv
