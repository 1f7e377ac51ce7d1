// Reading numbers from text.
#pragma once

#include "text/errors.h"

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

// readIndex, its stop saying what was read: name() (made only on a stop,
// "the day '2x5' in the box score link ...") followed by " is not a whole
// number" or " is not within <lo> to <hi>".
template <class Name>
long readIndexOf(std::string_view s, long lo, long hi, Name&& name) {
    try {
        return readIndex(s, lo, hi);
    } catch (Stop& stop) {
        stop.describe(name() + (stop.kind() == StopKind::TypeMismatch
                                    ? std::string(" is not a whole number")
                                    : " is not within " + std::to_string(lo) + " to " + std::to_string(hi)));
        throw;
    }
}

// Spaces, one optional sign, ASCII digits, spaces: the form a typed day or
// day count must have. nullopt for anything else (or a value too large).
std::optional<long> readWholeText(std::string_view s);

// Digits alone, as in file names: 245.
std::string plainDigits(long n);

} // namespace vr
