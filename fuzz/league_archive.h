// A small league folder packed in one input, for the whole-run target:
//
//   days 2                      <- optional lines before the first file:
//   last-day 245                   what GO! finds in the two day boxes
//   >>> html\standings.htm      <- a file, named as the league names it
//   ...its bytes, up to the next ">>> " at the start of a line...
//   >>> html\rosters\roster1.htm
//   ...
//
// Names with "/", "..", empty parts or over 120 bytes are left out, and at
// most 400 files are laid out, so that the folder stays a plausible one.
#pragma once

#include "testsupport/memory_league.h"

#include <optional>
#include <string>
#include <string_view>

namespace vr::fuzz {

struct DayBoxes {
    std::optional<std::string> lastDay;
    std::optional<std::string> days;
};

// Puts the files into the league; returns the day boxes' texts.
DayBoxes unpackLeague(std::string_view input, testing::MemoryLeague& league);

} // namespace vr::fuzz
