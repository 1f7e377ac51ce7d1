// Which league the program publishes: the one chosen, the window's last, the
// default, or the one league the game keeps; and what the user reads when
// none of those is there.
#include "app/last_league.h"
#include "app/stop_report.h"
#include "league/league_folder.h"
#include "text/memory_file_system.h"

#include <gtest/gtest.h>

namespace vr {
namespace {

const std::string kLeagues = "/c/Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata";

struct Leagues {
    MemoryFileSystem fs;
    explicit Leagues(std::initializer_list<const char*> names) {
        fs.addFolder(kLeagues);
        for (const char* name : names) fs.addFolder(kLeagues + "/" + name);
    }
    // The host path of teams.txt, or the report of the stop on the way.
    std::string teams(LeaguePlace place) {
        LeagueFolder league(fs, std::move(place));
        try {
            return league.hostPath("teams.txt");
        } catch (const Stop& stop) {
            return stopReport(stop, league);
        }
    }
};

LeaguePlace place(std::string league = "", std::string remembered = "") {
    LeaguePlace p("/c");
    p.league = std::move(league);
    p.remembered = std::move(remembered);
    return p;
}

TEST(LeagueChoice, TheDefaultThenTheOneLeagueThere) {
    EXPECT_EQ(Leagues({"Marrowdeen", "Eastfield"}).teams(place()), kLeagues + "/Marrowdeen/teams.txt");
    Leagues one({"Eastfield"});
    LeagueFolder league(one.fs, place());
    EXPECT_EQ(league.hostPath("teams.txt"), kLeagues + "/Eastfield/teams.txt");
    EXPECT_EQ(league.leagueName(), "Eastfield");
}

TEST(LeagueChoice, AChosenLeagueIsTakenAndNeverReplaced) {
    EXPECT_EQ(Leagues({"Marrowdeen", "Eastfield"}).teams(place("Eastfield")), kLeagues + "/Eastfield/teams.txt");
    // The case of the disk's folder does not matter, as on Windows.
    EXPECT_EQ(Leagues({"Marrowdeen", "Eastfield"}).teams(place("EASTFIELD")), kLeagues + "/Eastfield/teams.txt");
    // Misspelt: the one league there is not taken in its place.
    EXPECT_EQ(Leagues({"Eastfield"}).teams(place("Eastfeld")).rfind(
                  "Path not found: there is no league folder at " + displayPath(kLeagues + "/Eastfeld") +
                      "; the game keeps the league Eastfield in leaguedata: name one with --league NAME or the "
                      "variable VELLOR_LEAGUE.\n",
                  0),
              0u);
}

TEST(LeagueChoice, SeveralLeaguesAndNoneChosenAreListed) {
    const std::string report = Leagues({"Westmoor", "Eastfield"}).teams(place());
    EXPECT_EQ(report, "Path not found: there is no league folder at " + displayPath(kLeagues + "/Marrowdeen") +
                          "; the game keeps the leagues Eastfield and Westmoor in leaguedata: name one with "
                          "--league NAME or the variable VELLOR_LEAGUE.\n" +
                          std::string(kLeftAsTheyWere));
}

TEST(LeagueChoice, TheWindowsLastLeagueWhileItIsThere) {
    EXPECT_EQ(Leagues({"Marrowdeen", "Eastfield"}).teams(place("", "Eastfield")), kLeagues + "/Eastfield/teams.txt");
    EXPECT_EQ(Leagues({"Marrowdeen"}).teams(place("", "Eastfield")), kLeagues + "/Marrowdeen/teams.txt");
    // A choice made now wins over the last one.
    EXPECT_EQ(Leagues({"Westmoor", "Eastfield"}).teams(place("Westmoor", "Eastfield")),
              kLeagues + "/Westmoor/teams.txt");

    MemoryFileSystem fs;
    EXPECT_EQ(rememberedLeague(fs, "/home/u/.config/vellor-results"), "");
    rememberLeague(fs, "/home/u/.config/vellor-results", "Eastfield");
    EXPECT_EQ(rememberedLeague(fs, "/home/u/.config/vellor-results"), "Eastfield");
    // Nothing that leads out of leaguedata is kept or taken.
    rememberLeague(fs, "/home/u/.config/vellor-results", "../elsewhere");
    EXPECT_EQ(rememberedLeague(fs, "/home/u/.config/vellor-results"), "Eastfield");
    fs.setFile("/home/u/.config/vellor-results/league.txt", "..\r\n");
    EXPECT_EQ(rememberedLeague(fs, "/home/u/.config/vellor-results"), "");
}

TEST(StopReport, NamesLeagueFilesWithTheHostsSeparators) {
    Leagues m({"Marrowdeen"});
    LeagueFolder league(m.fs, place());
    const std::string roster = stopReport(Stop(StopKind::FileNotFound, "html\\rosters\\roster3.htm"), league);
    const std::string cut = stopReport(Stop(StopKind::EndOfFile, "pbp\\245-3.txt", 12), league);
    // What the line held is quoted as it stands, its bytes decoded for the user.
    Stop quoting(StopKind::InvalidArgument, "html\\boxes\\box245-1.htm", 3);
    quoting.describe("the line 'C:\\Caf\xE9' is too short");
    const std::string quoted = stopReport(quoting, league);
    EXPECT_EQ(quoted.substr(quoted.find(": the line")), ": the line 'C:\\Caf\u00e9' is too short\n" + std::string(kLeftAsTheyWere));
#ifdef _WIN32
    EXPECT_EQ(roster.substr(0, roster.find('\n')), "File not found: html\\rosters\\roster3.htm");
    EXPECT_EQ(cut.substr(0, cut.find('\n')), "End of file: pbp\\245-3.txt, line 12");
#else
    EXPECT_EQ(roster.substr(0, roster.find('\n')), "File not found: html/rosters/roster3.htm");
    EXPECT_EQ(cut.substr(0, cut.find('\n')), "End of file: pbp/245-3.txt, line 12");
#endif
}

} // namespace
} // namespace vr
