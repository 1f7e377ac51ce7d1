// A roster page: the team's profile, one teaminfo.txt line.
#include "chunked_reads.h"
#include "contract.h"
#include "snapshot/team_profiles.h"
#include "testsupport/memory_league.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vr;
    testing::MemoryLeague m;
    fuzz::ChunkedReads chunked(m.fs, fuzz::ChunkedReads::chunkFor(data, size));
    LeagueFolder league(chunked, testing::kDrive);
    m.put("html\\rosters\\roster1.htm", fuzz::bytesOf(data, size));
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
