// What a completed GO! adds after its own publications: the period kept in
// the archive with its index page, and the digest as posts. They read the
// files the run has written and closed; a failure is a stop naming its file.
#pragma once

#include "league/league_folder.h"
#include "results/period.h"

#include <string_view>

namespace vr {

// `message` is TxtMessage's text (Windows-1252).
void publishAdditions(LeagueFolder& league, const Period& period, std::string_view message);

} // namespace vr
