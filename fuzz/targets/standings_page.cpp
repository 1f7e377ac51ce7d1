// The standings page: teams.txt gets one line per team line of the page.
#include "input_league.h"
#include "snapshot/team_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vr;
    fuzz::InputLeague in(data, size, "html\\standings.htm");
    testing::MemoryLeague& m = in.memory;
    LeagueFolder& league = in.league;
    long teams = -1;
    if (fuzz::keepsContract([&] { teams = readTeamList(league); }))
        fuzz::require(fuzz::endedLines(m.get("teams.txt")) == static_cast<std::size_t>(teams),
                      "teams.txt holds one line per team counted");
    fuzz::require(m.fs.openHandles() == 0, "every file closed");
    return 0;
}
