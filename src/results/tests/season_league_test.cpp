// Reading the season of a generated league: the window load and GO! run on
// the host's files, checked against the facts the generator wrote down.
#include "app/league_folder.h"
#include "app/run_sequences.h"
#include "testsupport/memory_league.h"
#include "text/file_system.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace vr {
namespace {

namespace fs = std::filesystem;

const char* const kLeagueFolder =
    "Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen";

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> crlfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) end = bytes.size();
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

struct ManifestTeam {
    std::string pollRank;
    std::string rpiRank;
};

struct ManifestGame {
    std::string day, number, date;
    std::string team1, name1, score1, team2, name2, score2;
    std::string player, playerTeam, status;
};

struct Manifest {
    std::map<std::string, ManifestTeam> teams;
    std::vector<ManifestGame> games; // page order
};

Manifest readManifest(const fs::path& path) {
    Manifest m;
    std::istringstream in(readFile(path));
    std::string line;
    while (std::getline(in, line)) {
        auto f = splitTabs(line);
        if (f[0] == "team" && f.size() >= 8) m.teams[f[1]] = ManifestTeam{f[6], f[7]};
        if (f[0] == "game" && f.size() >= 13)
            m.games.push_back(ManifestGame{f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8], f[9], f[10], f[11], f[12]});
    }
    return m;
}

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
        const ManifestTeam& t1 = m.teams.at(g.team1);
        const ManifestTeam& t2 = m.teams.at(g.team2);
        if (inTop25(t1.pollRank) || inTop25(t2.pollRank)) {
            long a = rpiValue(t1.rpiRank), b = rpiValue(t2.rpiRank);
            long sum = a + b, gap = a > b ? a - b : b - a;
            x.topResults.push_back(g.day + "," + g.number + "," + spaced(sum) + "," + spaced(gap));
            x.upsets.push_back(g.day + "," + g.number);
            rpiLine = spaced(sum);
            rpiLine.resize(14, ' ');
            rpiLine += spaced(gap);
            ++x.ranked;
        }
        bool top25 = t1.pollRank != "NR" && t2.pollRank != "NR";
        x.records.push_back({
            "GameDay:" + g.day,
            "Game Number:" + g.number,
            "Game Date:" + g.date,
            "Boxscore Link:./boxes/box" + g.day + "-" + g.number + ".htm",
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
    void SetUp() override {
        const char* build = std::getenv("VR_BUILD_DIR");
        if (!build) GTEST_SKIP() << "VR_BUILD_DIR is not set";
        generator_ = fs::path(build) / "make-sample-league";
        if (!fs::exists(generator_)) GTEST_SKIP() << "no sample-league generator in " << build;
        std::string pattern = (fs::temp_directory_path() / "vr-season-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        drive_ = pattern;
    }
    void TearDown() override {
        if (!drive_.empty()) fs::remove_all(drive_);
    }

    void generate(const std::string& options) {
        std::string command = "\"" + generator_.string() + "\" --drive \"" + drive_.string() + "\" " + options + " >/dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        manifest_ = readManifest(drive_ / "manifest.txt");
        ASSERT_FALSE(manifest_.games.empty());
    }
    fs::path file(const std::string& name) const { return drive_ / kLeagueFolder / name; }

    // The window load, then one GO! run over the default period.
    void runWindow(int goRuns = 1) {
        LeagueFolder league(hostFileSystem(), drive_.string());
        testing::FakeWindow window;
        windowLoad(league, window, state_);
        for (int i = 0; i < goRuns; ++i) goRun(league, window, state_);
    }

    void checkOutputs(const Expected& x) {
        auto test = crlfLines(readFile(file("Test.txt")));
        ASSERT_GE(test.size(), x.records.size() * 20);
        for (std::size_t r = 0; r < x.records.size(); ++r)
            for (std::size_t k = 0; k < 20; ++k)
                ASSERT_EQ(test[r * 20 + k], x.records[r][k]) << "record " << r + 1 << ", line " << k + 1;
        // The box score section follows; no record after the last played game.
        for (std::size_t i = x.records.size() * 20; i < test.size(); ++i)
            ASSERT_NE(test[i].rfind("GameDay:", 0), 0u) << "line " << i + 1;
        EXPECT_EQ(crlfLines(readFile(file("TopResults.txt"))), x.topResults);
        EXPECT_EQ(crlfLines(readFile(file("Upsets.txt"))), x.upsets);
    }

    fs::path generator_;
    fs::path drive_;
    Manifest manifest_;
    LeagueState state_;
};

TEST_F(GeneratedLeague, DemoSeasonMatchesTheManifest) {
    generate("--preset demo --seed 11");
    if (HasFatalFailure()) return;

    // Turn a later row of the unplayed part into a "played" one that would
    // stop the run if it were read: reading must end at the first unplayed.
    const std::string endLine = "       <td class=main></font></td>";
    std::string page = readFile(file("html/leagueschedule.htm"));
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
        const GameEntry& e = state_.games.at(std::stol(g.day), std::stol(g.number));
        EXPECT_EQ(e.playerOfTheGame, g.player) << g.day << "-" << g.number;
        EXPECT_EQ(e.playerOfTheGameTeam, g.playerTeam) << g.day << "-" << g.number;
        EXPECT_EQ(e.team1Score, g.score1);
    }
}

TEST_F(GeneratedLeague, EdgeCaseSeasonMatchesTheManifest) {
    generate("--preset demo --seed 12 --all-edge-cases");
    if (HasFatalFailure()) return;
    bool noPbp = false;
    for (const ManifestGame& g : manifest_.games) noPbp = noPbp || g.status == "played-nopbp";
    EXPECT_TRUE(noPbp) << "the edge cases should include a game without a play-by-play file";
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
