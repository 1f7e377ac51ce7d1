// A league folder in memory for tests: the drive is "/c" and the league
// folder lies at its fixed place below it.
#pragma once

#include "league/league_folder.h"
#include "results/league_state.h"
#include "app/window_port.h"
#include "text/memory_file_system.h"

#include <map>
#include <string>
#include <vector>

namespace vr::testing {

inline constexpr const char* kDrive = "/c";
inline constexpr const char* kLeague =
    "/c/Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen";

// "html\standings.htm" -> the host path in the memory league.
std::string leaguePath(std::string_view file);

// Lines joined with CR LF, each line ended.
std::string crlf(const std::vector<std::string>& lines);

struct MemoryLeague {
    MemoryFileSystem fs;
    LeagueFolder league{fs, kDrive};

    // Makes the league folder and its html folder.
    MemoryLeague();
    void put(std::string_view file, std::string bytes) { fs.setFile(leaguePath(file), std::move(bytes)); }
    void putLines(std::string_view file, const std::vector<std::string>& lines) { put(file, crlf(lines)); }
    bool has(std::string_view file) const { return fs.hasFile(leaguePath(file)); }
    const std::string& get(std::string_view file) const { return fs.file(leaguePath(file)); }
    // The file split at CR LF (a last line without one still counts).
    std::vector<std::string> lines(std::string_view file) const;
};

// A window port that records what the sequences do.
class FakeWindow : public WindowPort {
public:
    std::map<TextBox, std::string> texts;
    std::vector<std::string> scores;
    std::vector<GoColour> colours;
    int beeps = 0;

    std::string text(TextBox box) const override {
        auto it = texts.find(box);
        return it == texts.end() ? std::string() : it->second;
    }
    void setText(TextBox box, std::string_view bytes) override { texts[box] = std::string(bytes); }
    void addScore(std::string_view bytes) override { scores.emplace_back(bytes); }
    void setGoColour(GoColour colour) override { colours.push_back(colour); }
    void beep() override { ++beeps; }
};

// Runs f and returns the message of the stop it throws ("" when none).
template <class F>
std::string stopMessage(F&& f) {
    try {
        f();
    } catch (const Stop& s) {
        return s.message();
    }
    return "";
}

// The message without its detail: the kind and the place, for the tests of
// where a reader stops ("" when no stop).
template <class F>
std::string stopPlace(F&& f) {
    try {
        f();
    } catch (const Stop& s) {
        const std::string& m = s.message();
        return s.detail().empty() ? m : m.substr(0, m.size() - s.detail().size() - 2);
    }
    return "";
}

} // namespace vr::testing
