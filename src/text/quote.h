// Texts of the game's files quoted in a message: the message stays text
// whatever bytes the file holds, and a long line does not fill the screen.
#pragma once

#include <string>
#include <string_view>

namespace vr {

// The longest text quoted whole; a longer one keeps its start and its end.
constexpr std::size_t kLongestQuote = 100;

// "'" + bytes + "'", Windows-1252 bytes as the message's: control bytes
// (and the code page's five unassigned ones) shown as "[tab]" or "[byte 1B]",
// a text longer than kLongestQuote cut to its first 60 and last 30 bytes
// around " ... ".
std::string quoteText(std::string_view bytes);

} // namespace vr
