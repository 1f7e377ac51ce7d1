#include "calendar.h"
#include "fixed_lines.h"
#include "pages.h"

namespace sample {
namespace {

const char* const kYears[] = {"", "Fr", "So", "Jr", "Sr"};

void cell(TextOut& out, std::string_view text) {
    out << "       <td class=main>&nbsp;" << text << "</td>";
    out.end();
}

void cell(TextOut& out, int value) {
    out << "       <td class=main>&nbsp;" << value << "</td>";
    out.end();
}

void write_head(const Team& team, TextOut& out) {
    out.line("<html><head>");
    fixed::roster_title(out, team.name);
    out.line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">");
    out.line("<style type=\"text/css\">");
    out.line("   body {font-family: verdana; font-size: 9pt; background: #FFFFFF; margin: 10px;}");
    fixed::team_colour_line(out, team.color1, team.color2);
    out.line("   td.main {font-family: verdana; font-size: 8pt; color: #000000; border-bottom: 1px solid #CCCCCC;}");
    out.line("   td.header {font-family: verdana; font-size: 8pt; font-weight: bold; color: #FFFFFF; background: #002856;}");
    out.line("   td.tableheader {font-family: verdana; font-size: 10pt; font-weight: bold; color: #002856; background: #DDE4EE;}");
    out.line("   td.teaminfo {font-family: verdana; font-size: 9pt; font-weight: bold; text-align: right;}");
    out.line("   td.rank, td.rpi {font-family: verdana; font-size: 9pt; text-align: left;}");
    out.line("   .bigname {font-family: verdana; font-size: 18pt; font-weight: bold;}");
    out.line("   .record {font-family: verdana; font-size: 11pt;}");
    out.line("   a.plink {color: #002856; text-decoration: none;}");
    out.line("</style>");
    out.line("</head>");
    out.line("<body>");
}

void write_team_box(const League& league, const Team& team, TextOut& out) {
    int preseason = 1;
    for (const Team& other : league.teams)
        if (other.strength > team.strength) ++preseason;

    out.line("<table class=teaminfo width=760 cellspacing=0 cellpadding=3>");
    out.line("   <tr class=teamcolor>");
    fixed::logo_line(out, team.logo);
    out << "       <td class=teamname valign=bottom><div class=bigname>" << team.name << ' ' << team.nickname
        << "</div></td>";
    out.end();
    fixed::record_line(out, team.wins, team.losses, team.ties);
    out.line("       </td>");
    out.line(fixed::kRowEnd);
    out.line(fixed::kRowStart);
    out << "       <td class=teaminfo>" << league.conferences[static_cast<std::size_t>(team.conference)] << ":</td><td>"
        << team.conf_wins << " - " << team.conf_losses << "</td>";
    out.end();
    out.line(fixed::kRowEnd);
    out.line(fixed::kRowStart);
    // Not the current rank: the program must pass over it.
    out << "         <td class=teaminfo>Preseason Poll Rank:</td><td class=rank>"
        << (preseason <= 25 ? num(preseason) : std::string("NR")) << "</td>";
    out.end();
    out.line(fixed::kRowEnd);
    out.line(fixed::kRowStart);
    fixed::poll_rank_line(out, team.poll_text);
    out.line(fixed::kRowEnd);
    out.line(fixed::kRowStart);
    fixed::rpi_rank_line(out, team.rpi_text);
    out.line(fixed::kRowEnd);
    out.line(fixed::kRowStart);
    out << "         <td class=teaminfo>Home Court:</td><td class=rank>" << team.arena << "</td>";
    out.end();
    out.line(fixed::kRowEnd);
    out.line("</table>");
    out.line("<br>");
}

void write_players(const Team& team, TextOut& out) {
    static const char* const kHeads[] = {"#", "Player", "Pos", "Yr", "Ht", "Wt", "G", "MPG", "PPG", "RPG",
                                         "APG", "FG%", "3P%", "FT%"};
    out.line("<table class=roster width=760 cellspacing=0 cellpadding=2>");
    out.line("   <tr><td class=tableheader colspan=14>&nbsp;Roster and Season Statistics</td></tr>");
    out.line(fixed::kRowStart);
    for (const char* h : kHeads) {
        out << "       <td class=header>&nbsp;" << h << "</td>";
        out.end();
    }
    out.line(fixed::kRowEnd);
    for (const Player& p : team.players) {
        out.line(fixed::kRowStart);
        cell(out, p.jersey);
        out << "       <td class=main align=left>&nbsp;<a class=plink name=p" << p.id << ">" << p.name << "</a></td>";
        out.end();
        cell(out, std::string_view(&p.position, 1));
        cell(out, kYears[p.year]);
        cell(out, num(p.height_in / 12) + "-" + num(p.height_in % 12));
        cell(out, p.weight);
        cell(out, p.games);
        cell(out, average_text(p.minutes, p.games));
        cell(out, average_text(p.points, p.games));
        cell(out, average_text(p.rebounds, p.games));
        cell(out, average_text(p.assists, p.games));
        cell(out, percent_text(p.fgm, p.fga));
        cell(out, percent_text(p.tpm, p.tpa));
        cell(out, percent_text(p.ftm, p.fta));
        out.line(fixed::kRowEnd);
    }
    out.line("</table>");
    out.line("<br>");
}

void write_game_log(const League& league, const Team& team, TextOut& out) {
    out.line("<table class=gamelog width=560 cellspacing=0 cellpadding=2>");
    out.line("   <tr><td class=tableheader colspan=4>&nbsp;Schedule and Results</td></tr>");
    out.line(fixed::kRowStart);
    out.line("       <td class=header width=90>&nbsp;Date</td>");
    out.line("       <td class=header width=30>&nbsp;</td>");
    out.line("       <td class=header width=300>&nbsp;Opponent</td>");
    out.line("       <td class=header width=120>&nbsp;Result</td>");
    out.line(fixed::kRowEnd);
    // One line per game: a team plays thirty and more games a season.
    for (const Game& g : league.games) {
        if (g.team1 != team.number && g.team2 != team.number) continue;
        const bool home = g.team2 == team.number;
        const Team& opponent = league.team(home ? g.team1 : g.team2);
        out << "   <tr><td class=main>&nbsp;" << date_text(g.day) << "</td><td class=main>&nbsp;"
            << (g.postseason ? "n" : home ? "vs" : "at") << "</td><td class=main align=left>&nbsp;<a href='roster"
            << opponent.number << ".htm'>" << opponent.name << "</a></td><td class=main>&nbsp;";
        if (g.played) {
            const int own = home ? g.score2 : g.score1;
            const int other = home ? g.score1 : g.score2;
            out << "<a href='../boxes/box" << g.day << '-' << g.number << ".htm'>"
                << (own > other ? "W " : own < other ? "L " : "T ") << own << '-' << other
                << (g.overtimes ? " (OT)" : "") << "</a>";
        }
        out << "</td></tr>";
        out.end();
    }
    out.line("</table>");
}

}  // namespace

void write_roster(const League& league, const Team& team, TextOut& out) {
    write_head(team, out);
    write_team_box(league, team, out);
    write_players(team, out);
    write_game_log(league, team, out);
    out.line("<br>");
    out.line("<div class=footer>Exported by the league office. Statistics through the last simulated day.</div>");
    out.line("</body>");
    out.line("</html>");
}

}  // namespace sample
