// The date part of a leader label: a game date M/D/YYYY (month and day of one
// or two digits, a year of two or four, spaces around allowed) that names a
// real calendar day is written "mmmdd", e.g. "11/14/2009" -> "Nov14" and
// "1/5/2010" -> "Jan05". Any other text, the empty one included, gives an
// empty date part. Two-digit years 00-29 are 2000-2029, 30-99 are 1930-1999.
#pragma once

#include <string>
#include <string_view>

namespace vr {

std::string leaderDate(std::string_view gameDate);

} // namespace vr
