// Character counts of ANSI texts: one byte is one character.
#include "common/text_length.h"

namespace qv {

std::size_t CharacterCount(std::string_view text) {
  return text.size();
}

}  // namespace qv
