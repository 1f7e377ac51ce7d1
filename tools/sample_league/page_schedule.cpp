#include "calendar.h"
#include "fixed_lines.h"
#include "pages.h"

// The schedule page lists every game of the season, day by day, in tables of
// one week each. After its header line the program counts lines rather than
// reading markup, so every group of lines between game rows has a fixed
// length: an 11-line day break that starts with a stray "   </tr>", and an
// 11-line week break whose second line is "</table>". The page ends with an
// 11-line block of the week-break shape.

namespace sample {
namespace {

void header_cells(TextOut& out) {
    out.line(fixed::kScheduleHeader);
    out.line("       <td class=header width=220>&nbsp;Team</td>");
    out.line("       <td class=header width=220>&nbsp;Opponent</td>");
    out.line("       <td class=header width=85>&nbsp;Result</td>");
}

void day_break(TextOut& out, int day) {
    out.line(fixed::kRowEnd);
    out.line(fixed::kRowStart);
    out.line("       <td class=spacer colspan=4>&nbsp;</td>");
    out.line(fixed::kRowEnd);
    out.line("   <tr class=dayrow>");
    out << "       <td class=dayheader colspan=4>&nbsp;" << long_date_text(day) << "</td>";
    out.end();
    out.line(fixed::kRowEnd);
    out.line(fixed::kRowStart);
    out << "       <td class=main colspan=3>&nbsp;Day " << day << "</td>";
    out.end();
    out.line("       <td class=main>&nbsp;</td>");
    out.line(fixed::kRowEnd);
}

void week_break(TextOut& out, int week, int day) {
    out.line("   <tr><td class=spacer colspan=4>&nbsp;</td></tr>");
    out.line(fixed::kTableEnd);
    out.line("<br>");
    out << "<div class=weekheader>Week " << week << " &nbsp; " << long_date_text(day) << "</div>";
    out.end();
    out.line("<table class=sched width=600 cellspacing=0 cellpadding=2>");
    out.line(fixed::kRowStart);
    header_cells(out);
    out.line(fixed::kRowEnd);
}

void closing(TextOut& out) {
    out.line("   <tr><td class=spacer colspan=4>&nbsp;</td></tr>");
    out.line(fixed::kTableEnd);
    out.line("<br>");
    out.line("<div class=footer>Games without a result have not been played yet.</div>");
    out.line("<div class=footer>Click a result for the box score.</div>");
    out.line("<br>");
    out.line("<div class=footer>Exported by the league office.</div>");
    out.line("<br>");
    out.line("<br>");
    out.line("</body>");
    out.line("</html>");
}

void game_row(const League& league, const Game& g, TextOut& out) {
    out.line(fixed::kRowStart);
    fixed::date_cell(out, date_text(g.day));
    fixed::team_cell(out, g.team1, league.team(g.team1).name);
    fixed::team_cell(out, g.team2, league.team(g.team2).name);
    if (g.played)
        fixed::result_cell(out, g.day, g.number, g.score1, g.score2);
    else
        out.line(fixed::kUnplayedResult);
    out.line(fixed::kRowEnd);
}

}  // namespace

void write_schedule(const League& league, TextOut& out) {
    const int first = league.options.first_day;
    out.line("<html>");
    out.line("<head>");
    out.line("<title>Marrowdeen Schedule</title>");
    out.line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">");
    out.line("<style type=\"text/css\">");
    out.line("   body {font-family: verdana; font-size: 9pt; background: #FFFFFF; margin: 10px;}");
    out.line("   td.main {font-family: verdana; font-size: 8pt; color: #000000; border-bottom: 1px solid #CCCCCC;}");
    out.line("   td.header {font-family: verdana; font-size: 8pt; font-weight: bold; color: #FFFFFF; background: #002856;}");
    out.line("   td.dayheader {font-family: verdana; font-size: 9pt; font-weight: bold; color: #002856; background: #DDE4EE;}");
    out.line("   td.spacer {height: 6px;}");
    out.line("   .weekheader {font-family: verdana; font-size: 12pt; font-weight: bold; color: #002856;}");
    out.line("   .pagetitle {font-family: verdana; font-size: 16pt; font-weight: bold; color: #002856;}");
    out.line("</style>");
    out.line("</head>");
    out.line("<body>");
    out.line("<div class=pagetitle>Marrowdeen Schedule</div>");
    out.line("<br>");
    out << "<div class=weekheader>Week 1 &nbsp; " << long_date_text(first) << "</div>";
    out.end();
    out.line("<table class=sched width=600 cellspacing=0 cellpadding=2>");
    out.line(fixed::kRowStart);
    header_cells(out);
    out.line(fixed::kRowEnd);
    out.line("   <tr><td class=spacer colspan=4>&nbsp;</td></tr>");

    int previous_day = -1;
    for (const Game& g : league.games) {
        if (previous_day >= 0 && g.day != previous_day) {
            const int week = (g.day - first) / 7;
            if (week != (previous_day - first) / 7)
                week_break(out, week + 1, g.day);
            else
                day_break(out, g.day);
        }
        previous_day = g.day;
        game_row(league, g, out);
    }
    closing(out);
}

}  // namespace sample
