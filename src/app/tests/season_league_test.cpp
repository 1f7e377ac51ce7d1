// Reading the season of a generated league: the window load and GO! run on
// the host's files, checked against the facts the generator wrote down.
#include "league/league_folder.h"
#include "app/run_sequences.h"
#include "testsupport/generated_league.h"
#include "testsupport/memory_league.h"
#include "text/file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <fstream>

namespace vr {
namespace {

namespace fs = std::filesystem;
using testing::Manifest;
using ManifestGame = Manifest::Game;
using testing::readBytes;

std::vector<std::string> crlfLines(const std::string& bytes) { return testing::splitOn(bytes, "\r\n"); }

// A poll rank as the poll has it: a whole rank from 1 to 25, spaces around
// allowed; "NR" and anything else is not in the top 25.
bool inTop25(const std::string& rank) {
    std::size_t b = rank.find_first_not_of(' ');
    if (b == std::string::npos) return false;
    std::size_t e = rank.find_last_not_of(' ');
    std::string digits = rank.substr(b, e - b + 1);
    if (digits.find_first_not_of("0123456789") != std::string::npos) return false;
    long v = std::stol(digits);
    return v >= 1 && v <= 25;
}

// An RPI rank counts by the whole number it starts with; "NR" is 0.
long rpiValue(const std::string& rank) {
    std::size_t b = rank.find_first_not_of(' ');
    if (b == std::string::npos || rank[b] < '0' || rank[b] > '9') return 0;
    return std::stol(rank.substr(b));
}

std::string spaced(long v) { return " " + std::to_string(v) + " "; }

// The records, top-25 lines and upsets the manifest calls for.
struct Expected {
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> topResults;
    std::vector<std::string> upsets;
    std::size_t ranked = 0;
};

Expected expectFrom(const Manifest& m) {
    Expected x;
    std::string rpiLine(14, ' ');
    for (const ManifestGame& g : m.games) {
        if (g.status == "unplayed") break;
        const Manifest::Team& t1 = m.teams.at(std::stol(g.team1));
        const Manifest::Team& t2 = m.teams.at(std::stol(g.team2));
        if (inTop25(t1.pollRank) || inTop25(t2.pollRank)) {
            long a = rpiValue(t1.rpiRank), b = rpiValue(t2.rpiRank);
            long sum = a + b, gap = a > b ? a - b : b - a;
            x.topResults.push_back(g.dayText + "," + g.numberText + "," + spaced(sum) + "," + spaced(gap));
            x.upsets.push_back(g.dayText + "," + g.numberText);
            rpiLine = spaced(sum);
            rpiLine.resize(14, ' ');
            rpiLine += spaced(gap);
            ++x.ranked;
        }
        bool top25 = t1.pollRank != "NR" && t2.pollRank != "NR";
        x.records.push_back({
            "GameDay:" + g.dayText,
            "Game Number:" + g.numberText,
            "Game Date:" + g.date,
            "Boxscore Link:./boxes/box" + g.dayText + "-" + g.numberText + ".htm",
            "Team #1 Number:" + g.team1,
            "Team #1 Poll Rank:" + t1.pollRank,
            "Team #1 RPI Rank:" + t1.rpiRank,
            "Team #1 Name:" + g.name1,
            "Team #1 Roster Link:rosters/roster" + g.team1 + ".htm",
            "Team #1 Score:" + g.score1,
            "Team #2 Number:" + g.team2,
            "Team #2 Poll Rank:" + t2.pollRank,
            "Team #2 RPI Rank:" + t2.rpiRank,
            "Team #2 Name:" + g.name2,
            "Team #2 Roster Link:rosters/roster" + g.team2 + ".htm",
            "Team #2 Score:" + g.score2,
            "Game MVP:" + g.player + ", " + g.playerTeam,
            std::string("Top 25 Game:") + (top25 ? "YES" : "NO"),
            rpiLine,
            std::string(120, '='),
        });
    }
    return x;
}

class GeneratedLeague : public ::testing::Test {
protected:
    void generate(const std::string& options) {
        league_ = std::make_unique<testing::GeneratedDrive>(options);
        if (!league_->ready()) GTEST_SKIP() << "no sample-league generator: " << testing::generatorPath();
        ASSERT_EQ(league_->error(), "");
        manifest_ = league_->manifest();
        ASSERT_FALSE(manifest_.games.empty());
    }
    fs::path file(const std::string& name) const { return league_->file(name); }

    // The window load, then one GO! run over the default period.
    void runWindow(int goRuns = 1) {
        LeagueFolder league(hostFileSystem(), league_->drive().string());
        testing::FakeWindow window;
        windowLoad(league, window, state_);
        for (int i = 0; i < goRuns; ++i) goRun(league, window, state_);
    }

    void checkOutputs(const Expected& x) {
        auto test = crlfLines(readBytes(file("Test.txt")));
        ASSERT_GE(test.size(), x.records.size() * 20);
        for (std::size_t r = 0; r < x.records.size(); ++r)
            for (std::size_t k = 0; k < 20; ++k)
                ASSERT_EQ(test[r * 20 + k], x.records[r][k]) << "record " << r + 1 << ", line " << k + 1;
        // The box score section follows; no record after the last played game.
        for (std::size_t i = x.records.size() * 20; i < test.size(); ++i)
            ASSERT_NE(test[i].rfind("GameDay:", 0), 0u) << "line " << i + 1;
        EXPECT_EQ(crlfLines(readBytes(file("TopResults.txt"))), x.topResults);
        EXPECT_EQ(crlfLines(readBytes(file("Upsets.txt"))), x.upsets);
    }

    std::unique_ptr<testing::GeneratedDrive> league_;
    Manifest manifest_;
    LeagueState state_;
};

TEST_F(GeneratedLeague, DemoSeasonMatchesTheManifest) {
    generate("--preset demo --seed 11");
    if (HasFatalFailure()) return;

    // Turn a later row of the unplayed part into a "played" one that would
    // stop the run if it were read: reading must end at the first unplayed.
    const std::string endLine = "       <td class=main></font></td>";
    std::string page = readBytes(file("html/leagueschedule.htm"));
    std::size_t first = page.find(endLine), last = page.rfind(endLine);
    ASSERT_NE(first, last) << "the demo schedule should hold several unplayed games";
    page.replace(last, endLine.size(), "       <td class=main><a href=./boxes/box999-1.htm>1-0</a></font></td>");
    std::ofstream(file("html/leagueschedule.htm"), std::ios::binary) << page;

    Expected x = expectFrom(manifest_);
    ASSERT_GT(x.records.size(), 0u);
    ASSERT_GT(x.ranked, 0u);
    ASSERT_LT(x.ranked, x.records.size());
    runWindow();
    checkOutputs(x);

    // The game table holds every played game with its player of the game.
    for (const ManifestGame& g : manifest_.games) {
        if (g.status == "unplayed") break;
        const GameEntry& e = state_.games.at(g.day, g.number);
        EXPECT_EQ(e.playerOfTheGame(), g.player) << g.day << "-" << g.number;
        EXPECT_EQ(e.playerOfTheGameTeam(), g.playerTeam) << g.day << "-" << g.number;
        EXPECT_EQ(e.team1Score(), g.score1);
    }
}

TEST_F(GeneratedLeague, EdgeCaseSeasonMatchesTheManifest) {
    generate("--preset demo --seed 12 --all-edge-cases");
    if (HasFatalFailure()) return;
    bool noPbp = false;
    for (const ManifestGame& g : manifest_.games) noPbp = noPbp || g.status == "played-nopbp";
    EXPECT_TRUE(noPbp) << "the edge cases should include a game without a play-by-play file";
    bool hyphen = false;
    for (const ManifestGame& g : manifest_.games) hyphen = hyphen || g.player.find('-') != std::string::npos;
    EXPECT_TRUE(hyphen) << "the edge cases should include a hyphenated player of the game";
    // Two GO! runs in one window: the second writes the same lists again.
    runWindow(2);
    checkOutputs(expectFrom(manifest_));
}

// A whole season with a postseason past day 365: about 5,600 games.
TEST_F(GeneratedLeague, FullSeasonMatchesTheManifest) {
    generate("--preset full --seed 13");
    if (HasFatalFailure()) return;
    runWindow();
    checkOutputs(expectFrom(manifest_));
}

} // namespace
} // namespace vr
