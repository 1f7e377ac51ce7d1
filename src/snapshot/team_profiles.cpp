#include "snapshot/team_profiles.h"

#include "league/page_end.h"
#include "text/cuts.h"
#include "text/errors.h"
#include "text/numbers.h"

namespace vr {
namespace {

// Marker lines of a roster page; a line too short for a test fails it.
bool isTeamColourLine(std::string_view line) { return startsWith(line, "   tr.teamcolor"); }
bool isLogoLine(std::string_view line) { return endsWith(line, "width=75 height=75></td>"); }
bool isPollRankLine(std::string_view line) { return mid(line, 29, 18) == "Current Poll Rank:"; }
bool isRpiRankLine(std::string_view line) { return mid(line, 33, 17) == "Current RPI Rank:"; }

// Reads on until a line passes the test; the page ending first is an
// "End of file" stop at the line that was missing.
template <class Test>
std::string_view readUntil(LineReader& page, Test isMarker) {
    for (;;) {
        std::string_view line = page.readLine();
        if (isMarker(line)) return line;
    }
}

// The record line less its closing tag, from after its last ":" (all of it
// when there is none), without its spaces. Only spaces go: tabs stay.
std::string recordOf(std::string_view recordLine) {
    std::string_view rest = dropLast(recordLine, 6);
    std::size_t colon = rest.rfind(':');
    if (colon != std::string_view::npos) rest.remove_prefix(colon + 1);
    std::string record;
    for (char c : rest)
        if (c != ' ') record += c;
    return record;
}

} // namespace

// A page that ends before a marker may be one the game is still writing.
void readTeamProfiles(LeagueFolder& league, long teamCount, TeamTable& teams, LineWriter& teamInfo) try {
    teams.clear(); // each window load takes a fresh snapshot
    std::string file;
    for (long n = 1; n <= teamCount; ++n) {
        file = "html\\rosters\\roster";
        file += plainDigits(n);
        file += ".htm";
        auto page = league.openInput(file);
        // A cut that fails names this page and the line just read.
        auto here = [&](auto&& step) -> decltype(auto) {
            return at(page->name(), page->lineNumber(), step);
        };

        page->readLine();
        std::string_view line2 = page->readLine();
        // The first value stored claims the team's row, so a team number
        // past the table's end stops here.
        TeamProfile& team = here([&]() -> TeamProfile& {
            std::string_view name = dropLast(dropFirst(line2, 7), 8);
            TeamProfile& row = teams.store(n);
            row = TeamProfile{};
            row.teamName.assign(name);
            return row;
        });

        std::string_view colours = readUntil(*page, isTeamColourLine);
        team.firstColour.assign(mid(colours, 30, 7));
        team.secondColour.assign(mid(colours, 46, 7));

        std::string_view logo = readUntil(*page, isLogoLine);
        here([&] { team.logoFile.assign(dropFirst(dropLast(logo, 25), 58)); });

        page->readLine();
        std::string_view recordLine = page->readLine();
        here([&] { team.teamRecord = recordOf(recordLine); });

        std::string_view poll = readUntil(*page, isPollRankLine);
        here([&] { team.pollRank.assign(dropFirst(dropLast(poll, 5), 66)); });

        std::string_view rpi = readUntil(*page, isRpiRankLine);
        here([&] { team.rpiRank.assign(dropFirst(dropLast(rpi, 5), 77)); });

        page->readLine();

        teamInfo.number(static_cast<double>(n));
        teamInfo.text(",").text(team.teamName);
        teamInfo.text(",").text(team.teamRecord);
        teamInfo.text(",").text(team.firstColour);
        teamInfo.text(",").text(team.secondColour);
        teamInfo.text(",").text(team.pollRank);
        teamInfo.text(",").text(team.rpiRank);
        teamInfo.text(",").text(team.logoFile, After::EndLine);

        // Nothing after the RPI rank is used, but a page cut short below it
        // is still one the game had not finished.
        checkPageEnd(league, *page);
        page->close();
    }
} catch (const Stop& stop) {
    throwIfCutShort(league, stop);
    throw;
}

} // namespace vr
