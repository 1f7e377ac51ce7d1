// What a completed GO! adds after its own publications: the period kept in
// the season's archive with its pages, and the digest as posts. They read
// the files the run has written and closed; a failure is a stop naming its
// file.
#pragma once

#include "additions/period_games.h"
#include "league/league_folder.h"
#include "results/period.h"

#include <string>
#include <string_view>

namespace vr {

// `message` is TxtMessage's text (Windows-1252); `web` where the html folder
// is seen on the web, for the posts' links ("" for none). Returns the line
// the run says about the archive ("replaced the archived periods 249-251"),
// or "".
std::string publishAdditions(LeagueFolder& league, const Period& period, std::string_view message,
                             const LeagueTables& tables, std::string_view web = {});

} // namespace vr
