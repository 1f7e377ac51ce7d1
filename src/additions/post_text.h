// Text of the game's pages made ready for people who read UTF-8: the bytes
// decoded from Windows-1252 through our code-page table and the HTML
// entities the game leaves in names ("A&amp;M") decoded as a browser would.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vr {

std::string decodeForPost(std::string_view bytes);

// The length a chat service counts: UTF-16 units of the UTF-8 text.
std::size_t chatLength(std::string_view utf8);

} // namespace vr
