#include "snapshot/team_profiles.h"

#include "league/page_end.h"
#include "text/cuts.h"
#include "text/errors.h"
#include "text/numbers.h"
#include "text/quote.h"

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
        // A cut that fails names this page and the line just read, and says
        // what the line should have held.
        auto cut = [&](auto&& detail, auto&& step) -> decltype(auto) {
            return at(page->name(), page->lineNumber(),
                      [&]() -> decltype(auto) { return describing(StopKind::InvalidArgument, detail, step); });
        };
        // A page that ends too soon says what was still to come.
        auto read = [&](auto&& detail, auto&& step) -> decltype(auto) {
            return describing(StopKind::EndOfFile, detail, step);
        };
        auto tooShort = [](const char* what, std::string_view line, int least) {
            return [=] {
                return std::string("the ") + what + " " + quoteText(line) + " is too short: it should hold at least " +
                       plainDigits(least) + " characters";
            };
        };

        std::string_view line2 = read([] { return std::string("the page ends before its second line, the team's name"); },
                                      [&] {
                                          page->readLine();
                                          return page->readLine();
                                      });
        // The first value stored claims the team's row, so a team number
        // past the table's end stops here.
        TeamProfile& team = at(page->name(), page->lineNumber(), [&]() -> TeamProfile& {
            std::string_view name = describing(
                StopKind::InvalidArgument,
                [&] { return "the team's name line " + quoteText(line2) + " is too short: it should hold the name "
                                                                       "between its tags, 15 characters at least"; },
                [&] { return dropLast(dropFirst(line2, 7), 8); });
            TeamProfile& row = describing(
                StopKind::SubscriptOutOfRange,
                [] { return "the standings list more than " + plainDigits(TeamTable::kLastTeam) +
                            " teams, the most the program keeps"; },
                [&]() -> TeamProfile& { return teams.store(n); });
            row = TeamProfile{};
            row.teamName.assign(name);
            return row;
        });

        std::string_view colours = read(
            [] { return std::string("the page has no team colour line (one starting '   tr.teamcolor')"); },
            [&] { return readUntil(*page, isTeamColourLine); });
        team.firstColour.assign(mid(colours, 30, 7));
        team.secondColour.assign(mid(colours, 46, 7));

        std::string_view logo = read(
            [] { return std::string("the page has no logo line (one ending 'width=75 height=75></td>')"); },
            [&] { return readUntil(*page, isLogoLine); });
        cut(tooShort("logo line", logo, 83), [&] { team.logoFile.assign(dropFirst(dropLast(logo, 25), 58)); });

        std::string_view recordLine = read(
            [] { return std::string("the page ends before the team's record, two lines below its logo"); },
            [&] {
                page->readLine();
                return page->readLine();
            });
        cut(tooShort("record line", recordLine, 6), [&] { team.teamRecord = recordOf(recordLine); });

        std::string_view poll = read(
            [] { return std::string("the page has no poll rank line ('Current Poll Rank:' from its 29th character)"); },
            [&] { return readUntil(*page, isPollRankLine); });
        cut(tooShort("poll rank line", poll, 71), [&] { team.pollRank.assign(dropFirst(dropLast(poll, 5), 66)); });

        std::string_view rpi = read(
            [] { return std::string("the page has no RPI rank line ('Current RPI Rank:' from its 33rd character)"); },
            [&] { return readUntil(*page, isRpiRankLine); });
        cut(tooShort("RPI rank line", rpi, 82), [&] { team.rpiRank.assign(dropFirst(dropLast(rpi, 5), 77)); });

        read([] { return std::string("the page ends right after its RPI rank line"); }, [&] { page->readLine(); });

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
