// The standings page: teams.txt gets one line per team line of the page.
#include "chunked_reads.h"
#include "contract.h"
#include "snapshot/team_list.h"
#include "testsupport/memory_league.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vr;
    testing::MemoryLeague m;
    fuzz::ChunkedReads chunked(m.fs, fuzz::ChunkedReads::chunkFor(data, size));
    LeagueFolder league(chunked, testing::kDrive);
    m.put("html\\standings.htm", fuzz::bytesOf(data, size));
    long teams = -1;
    if (fuzz::keepsContract([&] { teams = readTeamList(league); }))
        fuzz::require(fuzz::endedLines(m.get("teams.txt")) == static_cast<std::size_t>(teams),
                      "teams.txt holds one line per team counted");
    fuzz::require(m.fs.openHandles() == 0, "every file closed");
    return 0;
}
