// The schedule page with its per-game steps: the player of the game lookup,
// the top-25 and upset lists and the game record, over a fixed team table
// and a few play-by-play files.
#include "input_league.h"
#include "results/season_reader.h"

#include <memory>

namespace {

struct Fixture {
    vr::TeamTable teams;
    Fixture() {
        // Ranked, unranked, spaced, empty and odd ranks for teams 1 to 8.
        const char* const poll[] = {"", " 3", "NR", "25", "26", " 12 ", "", "1e1", "abc"};
        const char* const rpi[] = {"", "4", "140", "NR", " 17 ", "2.5", "", "300", "-1"};
        for (long n = 1; n <= 8; ++n) {
            vr::TeamProfile& t = teams.store(n);
            t.teamName = "Team " + std::to_string(n);
            t.pollRank = poll[n];
            t.rpiRank = rpi[n];
        }
    }
};

const Fixture& fixture() {
    static const Fixture f;
    return f;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vr;
    fuzz::InputLeague in(data, size, "html\\leagueschedule.htm");
    testing::MemoryLeague& m = in.memory;
    LeagueFolder& league = in.league;
    // Files for games of the seeds' days, and two that stop the run.
    m.putLines("pbp\\240-1.txt", {"Tip-off", "Player of the Game: Tom Baker - North Ridge", "End"});
    m.putLines("pbp\\241-2.txt", {"Player of the Game: Ann Lee-Park - Lake City"});
    m.putLines("pbp\\242-1.txt", {"Player of the Game:   - "});
    m.putLines("pbp\\245-3.txt", {"Player of the Game: Al Diaz - Lake City"});
    m.putLines("pbp\\399-1.txt", {"no label here"});
    m.putLines("pbp\\399-2.txt", {"Player of the Game:x"});
    auto games = std::make_unique<GameTable>();
    bool done = fuzz::keepsContract([&] {
        auto upsets = league.openOutput("Upsets.txt");
        auto topResults = league.openOutput("TopResults.txt");
        auto test = league.openOutput("Test.txt");
        readSeason(league, fixture().teams, *games, SeasonFiles{*test, *topResults, *upsets});
        test->close();
        topResults->close();
        upsets->close();
    });
    if (done) {
        fuzz::require(fuzz::endedLines(m.get("Test.txt")) % 20 == 0, "twenty record lines per game");
        fuzz::require(fuzz::endedLines(m.get("TopResults.txt")) == fuzz::endedLines(m.get("Upsets.txt")),
                      "one top-25 and one upset line per ranked game");
    }
    fuzz::require(m.fs.openHandles() == 0, "every file closed");
    return 0;
}
