// Format of DIR/manifest.txt (beside the drive's folders, never inside the
// league folder). Windows-1252 bytes like the pages, lines ending in LF,
// fields separated by one TAB. Every text field is exactly the text the
// program cuts from the pages, spaces included (a rank " 5 " keeps them).
//
//   league TAB teams=<n> TAB first_day=<d> TAB last_day=<d> TAB last_simulated_day=<d>
//       first_day and last_day are the first and last days of the schedule
//       page; last_simulated_day is the last day with a played game (0: none).
//   team TAB <N> TAB <name> TAB <record> TAB <first colour> TAB <second colour>
//        TAB <poll rank> TAB <RPI rank> TAB <logo file> TAB <standings link text>
//       one per team, N = 1..n: the values cut from roster<N>.htm (name from
//       line 2, record with spaces removed) and the link text the standings
//       line of that team gives.
//   day TAB <D> TAB <count>
//       one per day from 200 to 400 with a pbp/<D>-1.txt file, ascending:
//       the number of games 1, 2, ... in a row that have a play-by-play file.
//   game TAB <day> TAB <number> TAB <date> TAB <t1 number> TAB <t1 name>
//        TAB <t1 score> TAB <t2 number> TAB <t2 name> TAB <t2 score>
//        TAB <player of the game> TAB <player of the game team> TAB <status>
//       one per game row of the schedule page, in page order. status is
//       "played", "unplayed" (no result, no box score, no play-by-play; scores
//       and player fields empty) or "played-nopbp" (a result and a box score
//       page but no play-by-play file; player fields empty).
//   player TAB <day> TAB <number> TAB <team text> TAB <name> TAB <points>
//          TAB <rebounds> TAB <assists>
//       one per player row of each played game's box score page, games in
//       schedule order, rows in page order; team text as cut from the team
//       header line; the three values as the program reads them (0 for an
//       empty or "-" cell).

#include "manifest.h"

#include <set>

#include "calendar.h"
#include "expected_cuts.h"

namespace sample {

std::vector<std::pair<int, int>> probe_counts(const League& league) {
    std::set<std::pair<int, int>> files;
    for (const Game& g : league.games)
        if (g.played && g.has_pbp) files.insert({g.day, g.number});
    std::vector<std::pair<int, int>> days;
    for (int day = 200; day <= 400; ++day) {
        int count = 0;
        while (count < 300 && files.count({day, count + 1})) ++count;
        if (count > 0) days.push_back({day, count});
    }
    return days;
}

void write_manifest(const League& league, TextOut& out) {
    const char tab = '\t';
    int last_played = 0;
    for (const Game& g : league.games)
        if (g.played && g.day > last_played) last_played = g.day;

    out << "league" << tab << "teams=" << static_cast<int>(league.teams.size()) << tab
        << "first_day=" << league.options.first_day << tab << "last_day=" << league.options.last_day << tab
        << "last_simulated_day=" << last_played;
    out.end();

    for (const Team& t : league.teams) {
        out << "team" << tab << t.number << tab << t.name << tab << record_text(t) << tab << t.color1 << tab
            << t.color2 << tab << t.poll_text << tab << t.rpi_text << tab << t.logo << tab
            << standings_link_text(t.name);
        out.end();
    }

    for (const auto& [day, count] : probe_counts(league)) {
        out << "day" << tab << day << tab << count;
        out.end();
    }

    for (const Game& g : league.games) {
        out << "game" << tab << g.day << tab << g.number << tab << date_text(g.day) << tab << g.team1 << tab
            << league.team(g.team1).name << tab;
        if (g.played) out << g.score1;
        out << tab << g.team2 << tab << league.team(g.team2).name << tab;
        if (g.played) out << g.score2;
        out << tab;
        if (g.played && g.has_pbp) {
            const PlayerOfTheGame pog = split_player_of_the_game(player_of_the_game_text(league, g));
            out << pog.name << tab << pog.team << tab << "played";
        } else {
            out << tab << tab << (g.played ? "played-nopbp" : "unplayed");
        }
        out.end();
    }

    for (const Game& g : league.games) {
        if (!g.played) continue;
        for (int side = 1; side <= 2; ++side) {
            const Team& team = league.team(side == 1 ? g.team1 : g.team2);
            for (const StatLine& s : side == 1 ? g.box1 : g.box2) {
                out << "player" << tab << g.day << tab << g.number << tab << team.name << tab
                    << team.players[static_cast<std::size_t>(s.player)].name << tab << s.pts << tab << s.reb << tab
                    << s.ast;
                out.end();
            }
        }
    }
}

}  // namespace sample
