// Text cuts on byte strings. Positions count from 1. Dropping more characters
// than a text holds, or looking for a separator that is not there, is an
// "Invalid argument" stop; the caller adds the file and line.
#pragma once

#include <string>
#include <string_view>

namespace vr {

std::string_view dropFirst(std::string_view s, std::size_t n);
std::string_view dropLast(std::string_view s, std::size_t n);
// n characters from position k (1-based); never fails.
std::string_view mid(std::string_view s, std::size_t k, std::size_t n);

// Position (0-based) of the separator, or a stop when it is missing.
std::size_t findFirst(std::string_view s, char separator);
std::size_t findLast(std::string_view s, char separator);

// Removes spaces (character 32 only) at both ends.
std::string_view trimSpaces(std::string_view s);

inline bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}
inline bool endsWith(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

} // namespace vr
