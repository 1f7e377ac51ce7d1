// Names, colours and rosters of the sample league's teams.
#pragma once

#include <string>
#include <vector>

#include "league.h"
#include "rng.h"

namespace sample {

std::vector<std::string> conference_names(int count);

// Gives every team its name (some with "&amp;", some with accented letters,
// and under --odd-names a few with '-', '>', '=' or ','), nickname, arena,
// colours and logo file.
void name_teams(std::vector<Team>& teams, bool odd_names, Rng& rng);

// Fills a team's thirteen players, ids counting on from next_id.
void make_roster(Team& team, int& next_id, bool odd_names, Rng& rng);

// "AB&amp;C" -> "AB&C": page text to plain text.
std::string plain_text(const std::string& page_text);

}  // namespace sample
