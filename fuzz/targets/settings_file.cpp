// The settings file: read, saved again and read back unchanged.
#include "app/settings.h"
#include "input_league.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vr;
    fuzz::InputLeague in(data, size, "settings2.txt");
    testing::MemoryLeague& m = in.memory;
    LeagueFolder& league = in.league;
    Settings first;
    if (fuzz::keepsContract([&] { first = loadSettings(league); })) {
        Settings again;
        fuzz::require(fuzz::keepsContract([&] {
            saveSettings(league, first);
            again = loadSettings(league);
        }), "the settings saved and read back");
        fuzz::require(again.website == first.website && again.message == first.message,
                      "the settings read back as saved");
        fuzz::require(m.get("settings2.txt") == first.website + "\r\n" + first.message + "\r\n",
                      "settings2.txt holds the two lines");
        fuzz::require(!m.has("settings2.txt.new"), "no temporary file left");
    }
    fuzz::require(m.fs.openHandles() == 0, "every file closed");
    return 0;
}
