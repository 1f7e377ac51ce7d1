// The league's publications sent on, after a GO! that put them in place (or
// for --send): the run sequences' one call into the sending. The league
// folder's lock is not held: sending waits on the network.
#pragma once

#include "league/league_folder.h"
#include "send/send_run.h"

#include <optional>
#include <ostream>

namespace vr {

// `lastDay`: the period just published; none: the last one archived.
// `progress`: a terminal for a long send's progress, or none.
SendOutcome sendAfterGo(LeagueFolder& league, std::optional<long> lastDay, std::ostream* progress);

// What sendAfterGo sends, worked out on the caller's thread so that the
// send itself may run on another without touching the league folder.
SendRequest sendRequestFor(LeagueFolder& league, std::optional<long> lastDay, std::ostream* progress);

// Each line of the outcome to `to`, failures last.
void reportSending(const SendOutcome& outcome, std::ostream& to);

} // namespace vr
