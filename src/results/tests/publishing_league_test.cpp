// Publishing whole generated leagues, checked against the facts the generator
// writes beside them: the score list, a box per game of the walk with the
// winner in the winner cells, and the period's top five per stat.
#include "app/run_sequences.h"
#include "results/leader_date.h"
#include "testsupport/memory_league.h"
#include "text/cuts.h"
#include "text/line_writer.h"
#include "text/numbers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace vr {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

constexpr const char* kLeagueBelowDrive =
    "Users/Public/Documents/GDS/Fast Break College Basketball 2010/leaguedata/Marrowdeen";

std::string generator() {
    const char* build = std::getenv("VR_BUILD_DIR");
    return build ? std::string(build) + "/make-sample-league" : std::string();
}

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

Lines split(const std::string& s, const std::string& separator) {
    Lines out;
    std::size_t start = 0;
    while (start < s.size()) {
        std::size_t end = s.find(separator, start);
        if (end == std::string::npos) end = s.size();
        out.push_back(s.substr(start, end - start));
        start = end + separator.size();
    }
    return out;
}

struct Performance {
    std::string team, name;
    double points, rebounds, assists;
};

struct Manifest {
    std::map<long, std::string> pollRanks;                  // team number -> poll rank
    std::map<long, long> days;                              // D -> games the probe counts
    std::map<std::pair<long, long>, Lines> games;           // (D, G) -> the game line's fields
    std::map<std::pair<long, long>, std::vector<Performance>> players; // in page order
};

Manifest readManifest(const fs::path& path) {
    Manifest m;
    for (const std::string& line : split(readBytes(path), "\n")) {
        Lines f = split(line, "\t");
        while (f.size() < 14) f.emplace_back(); // trailing empty fields
        if (f[0] == "team") m.pollRanks[std::stol(f[1])] = f[6];
        else if (f[0] == "day") m.days[std::stol(f[1])] = std::stol(f[2]);
        else if (f[0] == "game") m.games[{std::stol(f[1]), std::stol(f[2])}] = f;
        else if (f[0] == "player")
            m.players[{std::stol(f[1]), std::stol(f[2])}].push_back(
                {f[3], f[4], std::stod(f[5]), std::stod(f[6]), std::stod(f[7])});
    }
    return m;
}

// A generated league after the window load and one GO! over the last
// `days` days (the window's default is 3).
struct PublishedLeague {
    fs::path drive;
    Manifest manifest;
    testing::FakeWindow window;
    std::unique_ptr<LeagueState> state = std::make_unique<LeagueState>();
    std::string stop;

    long days;

    explicit PublishedLeague(const std::string& options, long periodDays = 3) : days(periodDays) {
        std::string tool = generator();
        if (tool.empty() || !fs::exists(tool)) return;
        std::string pattern = (fs::temp_directory_path() / "vr-publish-XXXXXX").string();
        if (!mkdtemp(pattern.data())) return;
        drive = pattern;
        std::string command = "\"" + tool + "\" --drive \"" + drive.string() + "\" " + options + " >/dev/null";
        if (std::system(command.c_str()) != 0) {
            stop = "generator failed: " + command;
            return;
        }
        manifest = readManifest(drive / "manifest.txt");
        LeagueFolder league(hostFileSystem(), drive.string());
        stop = testing::stopMessage([&] {
            windowLoad(league, window, *state);
            window.setText(TextBox::DaysSimmed, std::to_string(days));
            goRun(league, window, *state);
        });
    }
    ~PublishedLeague() {
        std::error_code ignored;
        if (!drive.empty()) fs::remove_all(drive, ignored);
    }
    bool ready() const { return !drive.empty(); }
    Lines lines(const std::string& name) const { return split(readBytes(drive / kLeagueBelowDrive / name), "\r\n"); }

    // Calls f(D, G, game line) for each game of the period walk.
    template <class F>
    void walk(F&& f) const {
        long last = std::stol(window.text(TextBox::LastDay));
        for (long d = last - days + 1; d <= last; ++d) {
            auto count = manifest.days.find(d);
            for (long g = 1; count != manifest.days.end() && g <= count->second; ++g)
                f(d, g, manifest.games.at({d, g}));
        }
    }
    std::string date(long day) const {
        auto it = manifest.games.find({day, 1});
        return it == manifest.games.end() ? "" : it->second[3];
    }
};

Lines expectedScoreList(const PublishedLeague& p) {
    Lines out;
    long last = std::stol(p.window.text(TextBox::LastDay));
    for (long d = last - p.days + 1; d <= last; ++d) {
        out.push_back(p.date(d));
        auto count = p.manifest.days.find(d);
        for (long g = 1; count != p.manifest.days.end() && g <= count->second; ++g) {
            const Lines& f = p.manifest.games.at({d, g});
            out.push_back(f[5] + "-" + f[6] + ", " + f[8] + "-" + f[9]);
        }
    }
    return out;
}

// The five leader lines of one stat: the period's performances in reading
// order, the best first, an equal value below the earlier one.
Lines expectedLeaders(const PublishedLeague& p, double Performance::*stat) {
    struct Entry {
        double value;
        std::string label;
    };
    std::vector<Entry> all;
    p.walk([&](long d, long g, const Lines& game) {
        auto it = p.manifest.players.find({d, g});
        if (it == p.manifest.players.end()) return;
        for (const Performance& perf : it->second)
            if (perf.*stat > 0)
                all.push_back({perf.*stat, perf.name + ", " + perf.team + " (" + leaderDate(game[3]) + ")"});
    });
    std::stable_sort(all.begin(), all.end(), [](const Entry& a, const Entry& b) { return a.value > b.value; });
    Lines out;
    for (std::size_t i = 0; i < 5; ++i) {
        std::string rank = std::to_string(i + 1) + ") ";
        out.push_back(i < all.size() ? rank + formatNumber(all[i].value) + " " + all[i].label : rank + " ");
    }
    return out;
}

Lines after(const Lines& lines, const std::string& heading, std::size_t skip, std::size_t count) {
    auto it = std::find(lines.begin(), lines.end(), heading);
    if (lines.end() - it < static_cast<long>(skip + count)) return {"<" + heading + " missing>"};
    return Lines(it + static_cast<long>(skip), it + static_cast<long>(skip + count));
}

std::string rankTag(const std::string& rank) {
    std::optional<double> r = readNumber(rank);
    return r && *r < 26 ? "(" + std::string(trimSpaces(rank)) + ") " : "";
}

void checkScoreboard(const PublishedLeague& p) {
    Lines page = p.lines("html/scoreboard.html");
    std::size_t at = 0;
    long boxes = 0;
    p.walk([&](long d, long g, const Lines& game) {
        SCOPED_TRACE("game " + std::to_string(d) + "-" + std::to_string(g));
        while (at < page.size() && page[at] != "<div class=boxscore>") ++at;
        ASSERT_LT(at, page.size());
        ++boxes;
        std::size_t end = at;
        while (end < page.size() && page[end] != "</div>") ++end;
        Lines box(page.begin() + static_cast<long>(at), page.begin() + static_cast<long>(end));
        at = end;
        std::string link = "box" + std::to_string(d) + "-" + std::to_string(g) + ".htm>Boxscore</a></div>";
        EXPECT_TRUE(std::any_of(box.begin(), box.end(), [&](const std::string& l) { return endsWith(l, link); }));

        double s1 = leadingNumber(game[6]), s2 = leadingNumber(game[9]);
        auto find = [&](const std::string& line) { return std::find(box.begin(), box.end(), line) - box.begin(); };
        long rowspan = find("      <td rowspan=2 width=150><div class=mvpteam> Player of the Game:</div><br>");
        if (s1 == s2) {
            EXPECT_EQ(box.size(), 19u); // the two team rows hold no name cells
            return;
        }
        const bool first = s1 > s2;
        const Lines& w = first ? Lines{game[4], game[5], game[6]} : Lines{game[7], game[8], game[9]};
        const Lines& l = first ? Lines{game[7], game[8], game[9]} : Lines{game[4], game[5], game[6]};
        long win = find("        <div class=winteam>" + rankTag(p.manifest.pollRanks.at(std::stol(w[0]))) + w[1] + "<br></div>");
        long lose = find("        <div class=loseteam>" + rankTag(p.manifest.pollRanks.at(std::stol(l[0]))) + l[1] + "<br>");
        ASSERT_LT(win, static_cast<long>(box.size()));
        ASSERT_LT(lose, static_cast<long>(box.size()));
        EXPECT_EQ(win < rowspan, first);
        EXPECT_EQ(box[static_cast<std::size_t>(win) + 8], "        <div class=winscore>" + w[2] + "</div>");
        EXPECT_EQ(box[static_cast<std::size_t>(lose) + 9], "        <div class=losescore>" + l[2] + "</div>");
    });
    EXPECT_EQ(std::count(page.begin(), page.end(), "<div class=boxscore>"), boxes);
    EXPECT_EQ(page.back(), "</html>");
}

void checkPublication(const PublishedLeague& p) {
    ASSERT_EQ(p.stop, "");
    long last = std::stol(p.window.text(TextBox::LastDay));
    EXPECT_EQ(p.window.scores, expectedScoreList(p));

    Lines daily = p.lines("~daily.txt");
    ASSERT_GE(daily.size(), 2u);
    EXPECT_EQ(daily[1], "RESULTS FOR THE PERIOD OF: " + p.date(last - p.days + 1) + " - " + p.date(last));
    EXPECT_EQ(after(daily, "Points Scored in a Game", 2, 5), expectedLeaders(p, &Performance::points));
    EXPECT_EQ(after(daily, "Rebounds in a Game", 2, 5), expectedLeaders(p, &Performance::rebounds));
    EXPECT_EQ(after(daily, "Assists in a Game", 2, 5), expectedLeaders(p, &Performance::assists));
    EXPECT_EQ(daily.back(), std::string(52, '-'));
    checkScoreboard(p);
}

#define NEED_GENERATOR(p) \
    if (!(p).ready()) GTEST_SKIP() << "make-sample-league not built in " << generator()

TEST(PublishingLeague, DemoLeague) {
    PublishedLeague p("--preset demo");
    NEED_GENERATOR(p);
    checkPublication(p);
}

// The full season writes some 300 MB and takes seconds: run on demand with
// --gtest_also_run_disabled_tests.
TEST(PublishingLeague, DISABLED_FullLeagueOverThreeWeeks) {
    PublishedLeague p("--preset full", 21);
    NEED_GENERATOR(p);
    checkPublication(p);
}

TEST(PublishingLeague, EdgeCases) {
    PublishedLeague p("--preset demo --seed 11 --all-edge-cases");
    NEED_GENERATOR(p);
    checkPublication(p);
}

} // namespace
} // namespace vr
