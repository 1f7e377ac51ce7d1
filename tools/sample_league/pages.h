// Writers of the game's pages and files, one per kind. Each appends one
// whole file to `out`.
#pragma once

#include "league.h"
#include "text_out.h"

namespace sample {

void write_standings(const League& league, TextOut& out);
void write_roster(const League& league, const Team& team, TextOut& out);
void write_schedule(const League& league, TextOut& out);
void write_box(const League& league, const Game& game, TextOut& out);
void write_pbp(const League& league, const Game& game, TextOut& out);

// Shared by the page writers: ".750" for 3 of 4, ".000" for no games.
std::string percent_text(int wins, int games);
// "12.5" style average with one decimal.
std::string average_text(int total, int games);

}  // namespace sample
