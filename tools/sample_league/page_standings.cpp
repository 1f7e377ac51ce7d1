#include <algorithm>

#include "calendar.h"
#include "fixed_lines.h"
#include "pages.h"

namespace sample {

std::string percent_text(int wins, int games) {
    const int thousandths = games > 0 ? (wins * 1000 + games / 2) / games : 0;
    if (thousandths >= 1000) return "1.000";
    std::string digits = num(thousandths);
    return "." + std::string(3 - digits.size(), '0') + digits;
}

std::string average_text(int total, int games) {
    const int tenths = games > 0 ? (total * 10 + games / 2) / games : 0;
    return num(tenths / 10) + "." + num(tenths % 10);
}

void write_standings(const League& league, TextOut& out) {
    const int last = league.options.last_simulated_day;
    out.line("<html>");
    out.line("<head>");
    out.line("<title>Marrowdeen Standings</title>");
    out.line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">");
    out.line("<style type=\"text/css\">");
    out.line("   body {font-family: verdana; font-size: 9pt; background: #FFFFFF; margin: 10px;}");
    out.line("   td.main {font-family: verdana; font-size: 8pt; color: #000000; border-bottom: 1px solid #CCCCCC;}");
    out.line("   td.header {font-family: verdana; font-size: 8pt; font-weight: bold; color: #FFFFFF; background: #002856;}");
    out.line("   td.confheader {font-family: verdana; font-size: 10pt; font-weight: bold; color: #002856; background: #DDE4EE;}");
    out.line("   a.link {color: #002856; text-decoration: none;}");
    out.line("   a.link:hover {text-decoration: underline;}");
    out.line("   .pagetitle {font-family: verdana; font-size: 16pt; font-weight: bold; color: #002856;}");
    out.line("</style>");
    out.line("</head>");
    out.line("<body>");
    out.line("<a name=top></a>");
    out << "<div class=pagetitle>Marrowdeen Standings</div><div class=main>Through " << date_text(last)
        << "</div>";
    out.end();
    out.line("<br>");

    const int conferences = static_cast<int>(league.conferences.size());
    for (int c = 0; c < conferences; ++c) {
        std::vector<const Team*> teams;
        for (const Team& t : league.teams)
            if (t.conference == c) teams.push_back(&t);
        // Conference standing first, then the overall record.
        auto key = [](const Team* t) {
            const int conf_games = t->conf_wins + t->conf_losses;
            const int games = t->wins + t->losses;
            return std::make_pair(conf_games ? t->conf_wins * 1000 / conf_games : 500,
                                  games ? t->wins * 1000 / games : 500);
        };
        std::stable_sort(teams.begin(), teams.end(), [&](const Team* a, const Team* b) { return key(a) > key(b); });

        out.line("<table class=standings width=700 cellspacing=0 cellpadding=2>");
        out << "   <tr><td class=confheader colspan=7>&nbsp;" << league.conferences[static_cast<std::size_t>(c)]
            << "</td></tr>";
        out.end();
        out.line(fixed::kRowStart);
        out.line("       <td class=header width=240>&nbsp;Team</td>");
        out.line("       <td class=header width=70>&nbsp;Conf</td>");
        out.line("       <td class=header width=60>&nbsp;Pct</td>");
        out.line("       <td class=header width=70>&nbsp;Overall</td>");
        out.line("       <td class=header width=60>&nbsp;Pct</td>");
        out.line("       <td class=header width=50>&nbsp;RPI</td>");
        out.line("       <td class=header width=50>&nbsp;Poll</td>");
        out.line(fixed::kRowEnd);
        for (const Team* t : teams) {
            out.line(fixed::kRowStart);
            fixed::standings_line(out, t->number, t->name);
            out << "       <td class=main>&nbsp;" << t->conf_wins << '-' << t->conf_losses << "</td>";
            out.end();
            out << "       <td class=main>&nbsp;" << percent_text(t->conf_wins, t->conf_wins + t->conf_losses) << "</td>";
            out.end();
            out << "       <td class=main>&nbsp;" << t->wins << '-' << t->losses << "</td>";
            out.end();
            out << "       <td class=main>&nbsp;" << percent_text(t->wins, t->wins + t->losses) << "</td>";
            out.end();
            out << "       <td class=main>&nbsp;" << t->rpi_rank << "</td>";
            out.end();
            out << "       <td class=main>&nbsp;" << (t->poll_rank > 0 ? num(t->poll_rank) : std::string("NR")) << "</td>";
            out.end();
            out.line(fixed::kRowEnd);
        }
        // Six spaces: looks like a team line but is not one.
        out.line("   <tr>");
        out.line("      <td class=main align=left>&nbsp;<a class=link href='#top'>Back to top</a></td>");
        out.line("   </tr>");
        out.line("</table>");
        out.line("<br>");
    }
    out.line("<div class=main>Conference records count games between members of the same conference.</div>");
    out.line("</body>");
    out.line("</html>");
}

}  // namespace sample
