// A box score page: the player lines in Test.txt and the leader lists, then
// the leaders section written from them.
#include "input_league.h"
#include "results/box_score_reader.h"
#include "results/stat_leaders.h"

namespace {

// Best first, equal values in the order offered, nothing of 0 or less.
void checkOrder(const vr::LeaderList& list) {
    double above = 0;
    bool first = true;
    bool empty = false;
    for (const vr::LeaderEntry& entry : list.entries) {
        if (!entry.value) {
            empty = true;
            continue;
        }
        vr::fuzz::require(!empty, "a leader after an empty place");
        vr::fuzz::require(*entry.value > 0, "a leader of 0 or less");
        vr::fuzz::require(first || !(*entry.value > above), "leaders out of order");
        above = *entry.value;
        first = false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vr;
    fuzz::InputLeague in(data, size, "html\\boxes\\box245-3.htm");
    testing::MemoryLeague& m = in.memory;
    LeagueFolder& league = in.league;
    auto games = std::make_unique<GameTable>();
    games->entry(243, 1).set(GameEntry::GameDate, "11/12/2009");
    games->entry(245, 1).set(GameEntry::GameDate, "11/14/2009");
    LeaderLists leaders;
    bool done = fuzz::keepsContract([&] {
        auto test = league.openOutput("Test.txt");
        auto page = league.openInput("html\\boxes\\box245-3.htm");
        readBoxScorePage(*page, "11/14/2009", leaders, *test);
        page->close();
        test->close();
    });
    checkOrder(leaders.points);
    checkOrder(leaders.rebounds);
    checkOrder(leaders.assists);
    if (done) {
        fuzz::endedLines(m.get("Test.txt"));
        fuzz::require(fuzz::keepsContract([&] {
            auto daily = league.openOutput("~daily.txt");
            writeLeaders(*daily, leaders, *games, Period{245, 3}, "http://w.example/");
            daily->close();
        }), "the leaders section written");
        fuzz::require(fuzz::endedLines(m.get("~daily.txt")) == 30, "a leaders section of 30 lines");
    }
    fuzz::require(m.fs.openHandles() == 0, "every file closed");
    return 0;
}
