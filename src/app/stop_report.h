// What the user reads when a handler stops: the stop's own line, in the
// host's spelling of its file, or, when the league or one of the game's
// folders is missing, that folder first, where the program looked and what
// to do, in the host's own terms.
#pragma once

#include "host/drive.h"
#include "league/league_folder.h"
#include "text/errors.h"

#include <functional>
#include <string>
#include <string_view>

namespace vr {

// The last line of a stop that replaced no publication.
inline constexpr std::string_view kLeftAsTheyWere =
    "Nothing was published: the publications were left as they were.";

// UTF-8 lines, without a final line end: the stop's message, advice where
// there is some, then what became of the publications.
std::string stopReport(const Stop& stop, LeagueFolder& league);

// How a window's handler (the load, GO!) ended, and what the user is told.
struct HandlerEnd {
    enum class How {
        Done,
        Rejected, // the period's texts refused, nothing written: the user mends them
        Stopped,  // a stop, or no memory left: the window ends
    };
    How how = How::Done;
    std::string message; // UTF-8; empty when done
};

// Runs `handler` for one of the windows, catching how it stops.
HandlerEnd guardedRun(LeagueFolder& league, const std::function<void()>& handler);

} // namespace vr
