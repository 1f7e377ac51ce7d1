#include "results/box_score_reader.h"

#include "league/page_end.h"
#include "results/digest_lines.h"
#include "results/period_walk.h"
#include "results/stat_leaders.h"
#include "text/cuts.h"
#include "text/numbers.h"
#include "text/quote.h"

#include <string>

namespace vr {
namespace {

// "&nbsp;" belongs to the team header marker.
constexpr std::string_view kTeamHeaderMarker = "   <tr><td class=tableheader colspan=14>&nbsp;";
constexpr std::string_view kPlayerRowMarker = "       <td class=main align=left>&nbsp;<a class=";
constexpr std::string_view kTotals = "Totals</td>";
// A page holds two team blocks; a third is never read.
constexpr int kTeamBlocks = 2;

enum class ScanEnd { TeamHeader, Totals, EndOfPage };

class BoxScorePage {
public:
    BoxScorePage(LineReader& page, std::string_view gameDate, LeaderLists& leaders, LineWriter& test)
        : page_(page), gameDate_(gameDate), leaders_(leaders), test_(test) {}

    void read() {
        for (int blocks = 1; blocks <= kTeamBlocks; ++blocks) {
            std::string_view line = seekTeamHeader(blocks);
            ScanEnd end;
            do {
                startTeam(line);
                end = scan(line);
            } while (end == ScanEnd::TeamHeader);
            if (end == ScanEnd::EndOfPage) return;
        }
    }

private:
    // Runs a cut, giving a stop the page's name and the line read last and
    // detail(), what the line should have held.
    template <class D, class F>
    decltype(auto) cut(D&& detail, F&& f) {
        return at(page_.name(), page_.lineNumber(), [&]() -> decltype(auto) {
            return describing(StopKind::InvalidArgument, std::forward<D>(detail), std::forward<F>(f));
        });
    }

    // The search makes no end-of-file test: a page that ends before its
    // next team header stops the run.
    std::string_view seekTeamHeader(int block) {
        return describing(
            StopKind::EndOfFile,
            [&] {
                return block == 1 ? "the page has no team header line (one starting '" +
                                        std::string(kTeamHeaderMarker) + "')"
                                  : std::string("the page holds one team only: no second team header line follows "
                                                "the first team's totals");
            },
            [&] {
                for (;;) {
                    std::string_view line = page_.readLine();
                    if (startsWith(line, kTeamHeaderMarker)) return line;
                }
            });
    }

    void startTeam(std::string_view header) {
        team_.assign(cut(
            [&] {
                return "the team header line " + quoteText(header) +
                       " is too short: the team's name should follow '&nbsp;', then 10 characters of closing tags";
            },
            [&] { return dropLast(dropFirst(header, kTeamHeaderMarker.size()), 10); }));
        test_.line(kDashLine);
        test_.text("Team: ").text(team_, After::EndLine);
        test_.line(kDashLine);
    }

    // Scans to the next team header (left in `line`), the block's totals row
    // or the page's end, reading every player row met on the way.
    ScanEnd scan(std::string_view& line) {
        while (!page_.atEnd()) {
            line = page_.readLine();
            if (startsWith(line, kTeamHeaderMarker)) return ScanEnd::TeamHeader;
            if (!startsWith(line, kPlayerRowMarker)) continue;
            if (endsWith(line, kTotals)) return ScanEnd::Totals;
            readPlayer(line);
        }
        return ScanEnd::EndOfPage;
    }

    // A page that ends within a player's lines says whose.
    template <class F>
    decltype(auto) readInBlock(F&& f) {
        return describing(
            StopKind::EndOfFile,
            [&] { return "the page ends inside the lines of the player " + quoteText(name_) + " (15 follow each player row)"; },
            std::forward<F>(f));
    }

    // A value line: 28 characters of markup, the value, 5 closing characters.
    // Cut as soon as it is read, so a short one stops the run at once.
    double readValue(const char* what) {
        std::string_view line = readInBlock([&] { return page_.readLine(); });
        return leadingNumber(cut(
            [&] {
                return std::string("the ") + what + " line " + quoteText(line) + " of the player " + quoteText(name_) +
                       " is too short: it should hold the value between 28 characters of markup and 5 closing "
                       "ones";
            },
            [&] { return dropFirst(dropLast(line, 5), 28); }));
    }

    void skipLines(int n) {
        readInBlock([&] {
            for (int i = 0; i < n; ++i) page_.readLine();
        });
    }

    void readPlayer(std::string_view row) {
        std::string_view rest = cut(
            [&] {
                return "the player row " + quoteText(row) +
                       " is too short to hold a player's name: it should hold at least 89 characters";
            },
            [&] { return dropLast(dropFirst(row, 80), 9); });
        name_.assign(rest.substr(
            cut([&] { return "the player row " + quoteText(row) + " has no '>' before the player's name"; },
                [&] { return findFirst(rest, '>'); }) +
            1));

        skipLines(6);
        const double rebounds = readValue("rebounds"); // line 7
        const double assists = readValue("assists");   // line 8
        skipLines(4);
        const double points = readValue("points");     // line 13

        offer(leaders_.rebounds, rebounds, name_, team_, gameDate_);
        offer(leaders_.assists, assists, name_, team_, gameDate_);
        offer(leaders_.points, points, name_, team_, gameDate_);

        test_.text(name_).moveTo(30);
        test_.number(points, After::Zone).number(rebounds, After::Zone).number(assists, After::EndLine);
        const auto& best = leaders_.points.entries;
        for (std::size_t i = 0; i + 1 < best.size(); ++i) test_.number(best[i].value, After::Zone);
        test_.number(best.back().value, After::EndLine);

        skipLines(2);
    }

    LineReader& page_;
    std::string_view gameDate_;
    LeaderLists& leaders_;
    LineWriter& test_;
    std::string team_;
    std::string name_;
};

} // namespace

void readBoxScorePage(LineReader& page, std::string_view gameDate, LeaderLists& leaders,
                      LineWriter& test) {
    BoxScorePage(page, gameDate, leaders, test).read();
}

void readBoxScores(LeagueFolder& league, LeagueState& state, const Period& period, LineWriter& test) try {
    std::string name;
    periodWalk(
        period, state.days, [](long) {},
        [&](long day, long game) {
            name.assign("html\\boxes\\box").append(plainDigits(day)).append("-")
                .append(plainDigits(game)).append(".htm");
            auto page = league.openInput(name);
            readBoxScorePage(*page, state.games.at(day, game).gameDate(), state.leaders, test);
            // A page cut after its second team's totals, or in its first
            // team's block, reads as a shorter game: only its end tells.
            checkPageEnd(league, *page);
            page->close();
        });
} catch (const Stop& stop) {
    throwIfCutShort(league, stop);
    throw;
}

} // namespace vr
