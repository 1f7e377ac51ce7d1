// Reading numbers from text.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vr {

// The whole text, spaces around allowed: optional sign, digits with an
// optional point and fraction (".5" and "5." count), optional exponent.
// Anything else, the empty text included, is no number.
std::optional<double> readNumber(std::string_view s);

// The decimal number the text starts with after spaces (sign, digits,
// optional point and digits); 0 when there is none. Never a stop.
double leadingNumber(std::string_view s);

// A whole number cut from a page: "Type mismatch" when the text is no number
// or not integral, "Subscript out of range" outside lo..hi.
long readIndex(std::string_view s, long lo, long hi);

// Spaces, one optional sign, ASCII digits, spaces: the form a typed day or
// day count must have. nullopt for anything else (or a value too large).
std::optional<long> readWholeText(std::string_view s);

// Digits alone, as in file names: 245.
std::string plainDigits(long n);

} // namespace vr
