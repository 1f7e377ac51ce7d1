// A whole run, headless: the window load, then GO!, over a small league
// folder laid out from the input. A run either ends green with every output
// closed, or stops without ever showing green.
#include "app/run_sequences.h"
#include "input_league.h"
#include "league_archive.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vr;
    fuzz::InputLeague in(data, size);
    testing::MemoryLeague& m = in.memory;
    LeagueFolder& league = in.league;
    fuzz::DayBoxes boxes = fuzz::unpackLeague(fuzz::bytesOf(data, size), m);
    testing::FakeWindow window;
    auto state = std::make_unique<LeagueState>();
    bool done = fuzz::keepsContract([&] {
        windowLoad(league, window, *state);
        if (boxes.lastDay) window.setText(TextBox::LastDay, *boxes.lastDay);
        if (boxes.days) window.setText(TextBox::DaysSimmed, *boxes.days);
        goRun(league, window, *state);
    });
    if (done) {
        fuzz::require(window.colours.size() == 2 && window.colours.back() == GoColour::Green,
                      "a finished run ends green");
        for (const char* file : {"teams.txt", "teaminfo.txt", "schedfile.txt", "Upsets.txt",
                                 "TopResults.txt", "Test.txt", "~daily.txt", "html\\scoreboard.html"})
            fuzz::endedLines(m.get(file));
    } else {
        fuzz::require(window.colours.empty() || window.colours.back() != GoColour::Green,
                      "a stopped run never shows green");
    }
    fuzz::require(!m.has("settings2.txt.new"), "no temporary settings file left");
    fuzz::require(m.fs.openHandles() == 0, "every file closed");
    return 0;
}
