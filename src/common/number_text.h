// Conversions between stored texts and numbers, with the forgiving rules the stored
// settings have always been read with: a leading number counts, anything else is 0.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace qv {

// The value of the text's leading decimal number, rounded to the nearest integer
// (half to even); empty or non-numeric text gives 0. " 1x" gives 1, "abc" gives 0.
int LeadingNumber(std::string_view text);

// The whole text as a 32-bit integer: optional blanks and sign, decimal digits or "&H" hex.
// Empty when the text is not such a number or lies outside the 32-bit range.
std::optional<std::int32_t> WholeNumber(std::string_view text);

}  // namespace qv
