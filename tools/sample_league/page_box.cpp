#include "calendar.h"
#include "fixed_lines.h"
#include "pages.h"

// A box score page: head, title, line score, then one table per team. Each
// team table opens with the team header line and has one 16-line row per
// player (row start, name cell, 13 value cells, row end) and a totals row.
// Rebounds, assists and points are the 7th, 8th and 13th cells after the
// name cell.

namespace sample {
namespace {

void made_of(TextOut& out, int made, int tried, bool blank) {
    if (blank) {
        fixed::value_cell(out, "");
        return;
    }
    out << "       <td class=main>&nbsp;" << made << '-' << tried << "</td>";
    out.end();
}

// A count cell; with --empty-box-values a player who did not play shows
// empty cells and a zero shows as '-'.
void count_cell(TextOut& out, int value, bool blank, bool dash_zero) {
    if (blank)
        fixed::value_cell(out, "");
    else if (dash_zero && value == 0)
        fixed::value_cell(out, "-");
    else
        fixed::value_cell(out, value);
}

void stat_cells(TextOut& out, const StatLine& s, std::string_view position, bool empty_values) {
    const bool blank = empty_values && !s.played;
    fixed::value_cell(out, position);
    if (blank)
        fixed::value_cell(out, "DNP");
    else
        fixed::value_cell(out, s.minutes);
    made_of(out, s.fgm, s.fga, blank);
    made_of(out, s.tpm, s.tpa, blank);
    made_of(out, s.ftm, s.fta, blank);
    count_cell(out, s.oreb, blank, empty_values);
    count_cell(out, s.reb, blank, empty_values);
    count_cell(out, s.ast, blank, empty_values);
    count_cell(out, s.stl, blank, empty_values);
    count_cell(out, s.blk, blank, empty_values);
    count_cell(out, s.tov, blank, empty_values);
    count_cell(out, s.pf, blank, empty_values);
    count_cell(out, s.pts, blank, empty_values);
}

void team_table(const League& league, const Team& team, const std::vector<StatLine>& box, TextOut& out) {
    static const char* const kHeads[] = {"Pos", "Min", "FG", "3PT", "FT", "OReb", "Reb", "Ast",
                                         "Stl", "Blk", "TO", "PF", "Pts"};
    const bool empty_values = league.options.empty_box_values;
    out.line("<table class=box width=760 cellspacing=0 cellpadding=2>");
    fixed::team_header(out, team.name);
    out.line(fixed::kRowStart);
    out.line("       <td class=header width=180>&nbsp;Player</td>");
    for (const char* h : kHeads) {
        out << "       <td class=header width=42>&nbsp;" << h << "</td>";
        out.end();
    }
    out.line(fixed::kRowEnd);

    StatLine total;
    total.played = true;
    for (const StatLine& s : box) {
        const Player& p = team.players[static_cast<std::size_t>(s.player)];
        out.line(fixed::kRowStart);
        fixed::player_row(out, team.number, p.id, p.name);
        stat_cells(out, s, std::string_view(&p.position, 1), empty_values);
        out.line(fixed::kRowEnd);
        total.minutes += s.minutes;
        total.fgm += s.fgm;
        total.fga += s.fga;
        total.tpm += s.tpm;
        total.tpa += s.tpa;
        total.ftm += s.ftm;
        total.fta += s.fta;
        total.oreb += s.oreb;
        total.reb += s.reb;
        total.ast += s.ast;
        total.stl += s.stl;
        total.blk += s.blk;
        total.tov += s.tov;
        total.pf += s.pf;
        total.pts += s.pts;
    }
    out.line(fixed::kRowStart);
    fixed::totals_row(out, team.number);
    stat_cells(out, total, "", false);
    out.line(fixed::kRowEnd);
    out.line(fixed::kTableEnd);
    out.line("<br>");
}

void line_score_row(const Team& team, int first_half, int regulation, int final_score, int overtimes, TextOut& out) {
    out.line(fixed::kRowStart);
    out << "       <td class=main>&nbsp;<a href='../rosters/roster" << team.number << ".htm'>" << team.name << "</a></td>";
    out.end();
    fixed::value_cell(out, first_half);
    fixed::value_cell(out, regulation - first_half);
    if (overtimes > 0) fixed::value_cell(out, final_score - regulation);
    out << "       <td class=main>&nbsp;<b>" << final_score << "</b></td>";
    out.end();
    out.line(fixed::kRowEnd);
}

void percent_row(TextOut& out, std::string_view label, const std::vector<StatLine>& a, const std::vector<StatLine>& b,
                 int StatLine::*made, int StatLine::*tried) {
    auto sum = [](const std::vector<StatLine>& box, int StatLine::*field) {
        int total = 0;
        for (const auto& s : box) total += s.*field;
        return total;
    };
    out.line(fixed::kRowStart);
    out << "       <td class=main>&nbsp;" << label << "</td>";
    out.end();
    out << "       <td class=main>&nbsp;" << percent_text(sum(a, made), sum(a, tried)) << "</td>";
    out.end();
    out << "       <td class=main>&nbsp;" << percent_text(sum(b, made), sum(b, tried)) << "</td>";
    out.end();
    out.line(fixed::kRowEnd);
}

}  // namespace

void write_box(const League& league, const Game& g, TextOut& out) {
    const Team& t1 = league.team(g.team1);
    const Team& t2 = league.team(g.team2);
    out.line("<html>");
    out.line("<head>");
    out << "<title>Box Score: " << t1.name << " vs. " << t2.name << "</title>";
    out.end();
    out.line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">");
    out.line("<style type=\"text/css\">");
    out.line("   body {font-family: verdana; font-size: 9pt; background: #FFFFFF; margin: 10px;}");
    out.line("   td.main {font-family: verdana; font-size: 8pt; color: #000000; border-bottom: 1px solid #CCCCCC; text-align: center;}");
    out.line("   td.header {font-family: verdana; font-size: 8pt; font-weight: bold; color: #FFFFFF; background: #002856;}");
    out.line("   td.tableheader {font-family: verdana; font-size: 10pt; font-weight: bold; color: #002856; background: #DDE4EE;}");
    out.line("   a.plink {color: #002856; text-decoration: none;}");
    out.line("   a.teamtotals {display: none;}");
    out.line("   .pagetitle {font-family: verdana; font-size: 16pt; font-weight: bold; color: #002856;}");
    out.line("   .gameinfo {font-family: verdana; font-size: 9pt; color: #666666;}");
    out.line("   .notes {font-family: verdana; font-size: 8pt; color: #666666;}");
    out.line("</style>");
    out.line("</head>");
    out.line("<body>");
    out << "<div class=pagetitle>" << t1.name << ' ' << g.score1 << ", " << t2.name << ' ' << g.score2
        << (g.overtimes ? " (OT)" : "") << "</div>";
    out.end();
    out << "<div class=gameinfo>" << long_date_text(g.day) << " &nbsp;|&nbsp; Day " << g.day << ", Game " << g.number
        << " &nbsp;|&nbsp; " << (g.postseason ? "Postseason, neutral court" : t2.arena) << "</div>";
    out.end();
    out.line("<br>");

    out.line("<table class=linescore cellspacing=0 cellpadding=2>");
    out.line(fixed::kRowStart);
    out.line("       <td class=header width=220>&nbsp;Team</td>");
    out.line("       <td class=header width=40>&nbsp;1st</td>");
    out.line("       <td class=header width=40>&nbsp;2nd</td>");
    if (g.overtimes > 0) out.line("       <td class=header width=40>&nbsp;OT</td>");
    out.line("       <td class=header width=50>&nbsp;Final</td>");
    out.line(fixed::kRowEnd);
    line_score_row(t1, g.half1_1, g.regulation1, g.score1, g.overtimes, out);
    line_score_row(t2, g.half1_2, g.regulation2, g.score2, g.overtimes, out);
    out.line(fixed::kTableEnd);
    out.line("<br>");

    team_table(league, t1, g.box1, out);
    team_table(league, t2, g.box2, out);

    out.line("<table class=teamstats width=400 cellspacing=0 cellpadding=2>");
    out.line(fixed::kRowStart);
    out.line("       <td class=header width=160>&nbsp;Shooting</td>");
    out << "       <td class=header width=120>&nbsp;" << t1.name << "</td>";
    out.end();
    out << "       <td class=header width=120>&nbsp;" << t2.name << "</td>";
    out.end();
    out.line(fixed::kRowEnd);
    percent_row(out, "Field goals", g.box1, g.box2, &StatLine::fgm, &StatLine::fga);
    percent_row(out, "Three pointers", g.box1, g.box2, &StatLine::tpm, &StatLine::tpa);
    percent_row(out, "Free throws", g.box1, g.box2, &StatLine::ftm, &StatLine::fta);
    out.line(fixed::kTableEnd);
    out.line("<br>");
    const Team& pog_team = g.pog_side == 1 ? t1 : t2;
    out << "<div class=notes>Player of the Game: "
        << pog_team.players[static_cast<std::size_t>(g.pog_player)].name << " (" << pog_team.name << ")</div>";
    out.end();
    out << "<div class=notes>Attendance: " << 2000 + static_cast<int>(g.seed % 9000) << "</div>";
    out.end();
    out.line("</body>");
    out.line("</html>");
}

}  // namespace sample
