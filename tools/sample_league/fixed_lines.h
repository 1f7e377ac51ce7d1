// The lines of the game's pages whose form is fixed character by character:
// the program finds them by their markers and cuts its values out of them at
// fixed positions. Everything else on the pages is free markup.
#pragma once

#include <string_view>

#include "text_out.h"

namespace sample::fixed {

// standings.htm: a 52-character prefix, the link, the team name, and the
// link and cell closing in the last 9 characters.
inline void standings_line(TextOut& out, int team, std::string_view name) {
    out << "       <td class=main align=left>&nbsp;<a class=link href='rosters/roster" << team << ".htm'>" << name
        << "</a></td>";
    out.end();
}

// roster<N>.htm line 2: the name between 7 and 8 characters.
inline void roster_title(TextOut& out, std::string_view name) {
    out << "<title>" << name << "</title>";
    out.end();
}

// "   tr.teamcolor" at the start; colours at characters 30 and 46.
inline void team_colour_line(TextOut& out, std::string_view first, std::string_view second) {
    out << "   tr.teamcolor {background: " << first << "; color: " << second << ";}";
    out.end();
}

// 58 characters, the logo file, then " width=75 height=75></td>".
inline void logo_line(TextOut& out, std::string_view logo) {
    out << "       <td class=teamlogo rowspan=3 align=center><img src=" << logo << " width=75 height=75></td>";
    out.end();
}

// Two lines after the logo line: the record after the last ':', then 6
// closing characters.
inline void record_line(TextOut& out, int wins, int losses, int ties) {
    out << "       <td class=teamrecord valign=top><div class=record>Record: " << wins << " - " << losses;
    if (ties > 0) out << " - " << ties;
    out << "</div>";
    out.end();
}

// "Current Poll Rank:" at characters 29-46, the rank from character 67,
// then 5 closing characters.
inline void poll_rank_line(TextOut& out, std::string_view rank) {
    out << "         <td class=teaminfo>Current Poll Rank:</td><td class=rank>" << rank << "</td>";
    out.end();
}

// "Current RPI Rank:" at characters 33-49, the rank from character 78, then
// 5 closing characters.
inline void rpi_rank_line(TextOut& out, std::string_view rank) {
    out << "             <td class=teaminfo>Current RPI Rank:</td><td class=rpi width=40>" << rank << "</td>";
    out.end();
}

// leagueschedule.htm.
constexpr std::string_view kScheduleHeader = "       <td class=header width=75>&nbsp;Date</td>";
constexpr std::string_view kRowStart = "   <tr>";
constexpr std::string_view kRowEnd = "   </tr>";
constexpr std::string_view kTableEnd = "</table>";
constexpr std::string_view kUnplayedResult = "       <td class=main></font></td>";

inline void date_cell(TextOut& out, std::string_view date) {
    out << "       <td class=main>&nbsp;" << date << "</font></td>";
    out.end();
}

inline void team_cell(TextOut& out, int team, std::string_view name) {
    out << "       <td class=main align=left>&nbsp;<a href='rosters/roster" << team << ".htm'>" << name
        << "</a></font></td>";
    out.end();
}

inline void result_cell(TextOut& out, int day, int game, int score1, int score2) {
    out << "       <td class=main><a href=./boxes/box" << day << '-' << game << ".htm>" << score1 << '-' << score2
        << "</a></font></td>";
    out.end();
}

// box<day>-<game>.htm: the team header marker, the team text, 10 closing
// characters.
constexpr std::string_view kTeamHeaderMarker = "   <tr><td class=tableheader colspan=14>&nbsp;";

inline void team_header(TextOut& out, std::string_view team) {
    out << kTeamHeaderMarker << team << "</td></tr>";
    out.end();
}

// A player row: the 48-character marker, a link whose '>' stands after
// character 80 (team number and a four-digit id see to that), the name, and
// "</a></td>".
constexpr std::string_view kPlayerRowMarker = "       <td class=main align=left>&nbsp;<a class=";

inline void player_row(TextOut& out, int team, int player_id, std::string_view name) {
    out << kPlayerRowMarker << "plink href='../rosters/roster" << team << ".htm#p" << player_id << "'>" << name
        << "</a></td>";
    out.end();
}

// The row that closes a team block: the player-row marker, "Totals</td>".
inline void totals_row(TextOut& out, int team) {
    out << kPlayerRowMarker << "teamtotals name=totals" << team << "></a>Totals</td>";
    out.end();
}

// 28 characters of markup, the value, 5 closing characters.
inline void value_cell(TextOut& out, std::string_view value) {
    out << "       <td class=main>&nbsp;" << value << "</td>";
    out.end();
}

inline void value_cell(TextOut& out, int value) {
    out << "       <td class=main>&nbsp;" << value << "</td>";
    out.end();
}

// pbp/<day>-<game>.txt
constexpr std::string_view kPlayerOfTheGame = "Player of the Game: ";

}  // namespace sample::fixed
