// A roster page: the team's profile, one teaminfo.txt line.
#include "input_league.h"
#include "snapshot/team_profiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vr;
    fuzz::InputLeague in(data, size, "html\\rosters\\roster1.htm");
    testing::MemoryLeague& m = in.memory;
    LeagueFolder& league = in.league;
    TeamTable teams;
    bool done = fuzz::keepsContract([&] {
        auto teamInfo = league.openOutput("teaminfo.txt");
        readTeamProfiles(league, 1, teams, *teamInfo);
        teamInfo->close();
    });
    if (done) {
        fuzz::require(fuzz::endedLines(m.get("teaminfo.txt")) == 1, "one teaminfo.txt line per team");
        fuzz::require(teams.filled() == 2, "the team's row stored");
    }
    fuzz::require(m.fs.openHandles() == 0, "every file closed");
    return 0;
}
