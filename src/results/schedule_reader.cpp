// Reads every played game of the schedule page, from the season's first on,
// into the game table and hands each on before the next row is read.
#include "results/season_reader.h"

#include "league/page_end.h"
#include "results/game_in_hand.h"
#include "results/game_record.h"
#include "results/player_of_the_game.h"
#include "results/schedule_row.h"
#include "results/top25_lists.h"
#include "text/errors.h"
#include "text/numbers.h"
#include "text/quote.h"

namespace vr {
namespace {

constexpr std::string_view kSchedulePage = "html\\leagueschedule.htm";
constexpr std::string_view kHeaderLine = "       <td class=header width=75>&nbsp;Date</td>";
// First lines of the two groups of 11 lines that are no game.
constexpr std::string_view kGroupStart = "   </tr>";
constexpr std::string_view kTableEnd = "</table>";
// The result cell of the first game without a result.
constexpr std::string_view kEndLine = "       <td class=main></font></td>";

void skipLines(LineReader& page, int n) {
    for (int i = 0; i < n; ++i) page.readLine();
}

void findHeader(LineReader& page) {
    describing(
        StopKind::EndOfFile,
        [] {
            return std::string("no line of the page is the heading of the schedule's Date column "
                               "('<td class=header width=75>&nbsp;Date</td>' after seven spaces): "
                               "it is not the game's schedule page");
        },
        [&] {
            while (page.readLine() != kHeaderLine) {
            }
        });
    describing(
        StopKind::EndOfFile, [] { return std::string("the page ends right after the heading of the schedule"); },
        [&] { skipLines(page, 5); });
}

// Reads up to the next game row. False at the end line or where the page
// ends before a new group; a page ending inside a group is "End of file".
bool readGameRow(LineReader& page, GameRowCells& cells) {
    for (;;) {
        if (page.atEnd()) return false;
        if (page.readLine() == kGroupStart) {
            skipLines(page, 10);
            continue;
        }
        long startLine = page.lineNumber();
        std::string_view date = page.readLine();
        if (date == kTableEnd) {
            skipLines(page, 9);
            continue;
        }
        cells.dateCell.assign(date);
        cells.team1Cell.assign(page.readLine());
        cells.team2Cell.assign(page.readLine());
        std::string_view result = page.readLine();
        if (result == kEndLine) return false;
        cells.resultCell.assign(result);
        page.readLine();
        cells.startLine = startLine;
        return true;
    }
}

void store(GameEntry& entry, const GameRow& row) {
    // The row's texts, and room for the player of the game and the flag.
    entry.reserve(row.boxScoreLink.size() + row.team1.name.size() + row.team1.rosterLink.size() +
                  row.team1.number.size() + row.team2.name.size() + row.team2.rosterLink.size() +
                  row.team2.number.size() + row.team1Score.size() + row.team2Score.size() +
                  row.gameDate.size() + 48);
    entry.set(GameEntry::BoxScoreLink, row.boxScoreLink);
    entry.set(GameEntry::Team1Name, row.team1.name);
    entry.set(GameEntry::Team1RosterLink, row.team1.rosterLink);
    entry.set(GameEntry::Team1Number, row.team1.number);
    entry.set(GameEntry::Team2Name, row.team2.name);
    entry.set(GameEntry::Team2RosterLink, row.team2.rosterLink);
    entry.set(GameEntry::Team2Number, row.team2.number);
    entry.set(GameEntry::Team1Score, row.team1Score);
    entry.set(GameEntry::Team2Score, row.team2Score);
    entry.set(GameEntry::GameDate, row.gameDate);
}

} // namespace

void readSeason(LeagueFolder& league, const TeamTable& teams, GameTable& games, SeasonFiles files,
                PlayByPlayIndex* index, std::vector<GameKey>* withoutPlayByPlay) try {
    auto page = league.openInput(kSchedulePage);
    findHeader(*page);

    GameRowCells cells;
    RunRpi rpi;
    auto inRow = [] {
        return std::string("the page ends inside a row of the schedule table");
    };
    while (describing(StopKind::EndOfFile, inRow, [&] { return readGameRow(*page, cells); })) {
        GameRow row = cutGameRow(cells, page->name());
        // The day first, then the number, each read strictly, then checked
        // against the table's range; both were cut from the result cell.
        auto ofLink = [&](const char* what, std::string_view text) {
            return std::string("the ") + what + " " + quoteText(text) + " in the box score link " +
                   quoteText(row.boxScoreLink);
        };
        long gameDay = at(page->name(), cells.resultLine(), [&] {
            return readIndexOf(row.gameDayText, 0, GameTable::kLastDay, [&] { return ofLink("day", row.gameDayText); });
        });
        long gameNumber = at(page->name(), cells.resultLine(), [&] {
            return readIndexOf(row.gameNumberText, 0, GameTable::kLastGame,
                               [&] { return ofLink("game number", row.gameNumberText); });
        });

        GameEntry& entry = games.entry(gameDay, gameNumber);
        store(entry, row);

        GameInHand game{row.gameDayText, row.gameNumberText, gameDay,           gameNumber,
                        entry,           page->name(),       cells.team1Line(), cells.team2Line()};
        const bool found = index ? index->lookUp(league, game) : lookUpPlayerOfTheGame(league, game);
        if (!found && withoutPlayByPlay) withoutPlayByPlay->push_back(GameKey{gameDay, gameNumber});
        TeamIndexes indexes = writeTop25Lines(teams, game, rpi, files.topResults, files.upsets);
        writeGameRecord(teams, game, indexes, rpi, files.test);
    }
    // The rows after the last game are not used, but a page cut short among
    // them is one the game had not finished: the games handed on go with
    // the run's other files.
    checkPageEnd(league, *page);
    page->close();
} catch (const Stop& stop) {
    throwIfCutShort(league, stop);
    throw;
}

} // namespace vr
