// Writes seed inputs made with the page builders of the unit tests, so that
// the fuzzers start from the hand-made edge cases as well as from generated
// leagues: `fuzz-seed-pages OUT` fills OUT/<target>/.
#include "results/tests/publishing_fixture.h"
#include "results/tests/season_fixture.h"
#include "snapshot/tests/roster_page.h"
#include "testsupport/memory_league.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

fs::path out;
int written = 0;

void seed(const std::string& target, const std::string& bytes) {
    fs::create_directories(out / target);
    std::ofstream(out / target / ("test-page-" + std::to_string(++written)), std::ios::binary) << bytes;
}

// The same bytes behind a first byte of 128 or more: the targets then read
// them a few bytes at a time (see chunked_reads.h).
void seedInChunks(const std::string& target, const std::string& bytes, int chunk) {
    seed(target, std::string(1, static_cast<char>(128 + chunk - 1)) + bytes);
}

std::string crlf(const Lines& lines) { return vr::testing::crlf(lines); }

std::string standingsLine(const std::string& name) {
    return "       <td class=main align=left>&nbsp;<a class=link href=\"rosters/roster1.htm\">" + name +
           "</a></td>";
}

void standings() {
    seed("standings_page", crlf({"<html><table>", "       <td class=main align=left>Conference</td>",
                                 standingsLine("Alder State"), standingsLine("Texas A&amp;M"),
                                 standingsLine("<b>Corran</b> Tech"), "</table></html>"}));
    seed("standings_page", standingsLine("No line end"));
    seedInChunks("standings_page", crlf({"<html>", standingsLine("Alder State"), standingsLine("Brookhaven")}), 7);
}

void rosters() {
    vr::testing::RosterPage page;
    seed("roster_page", crlf(page.lines()));
    page.record = "12-5";
    page.pollRank = "NR";
    page.rpiRank = "";
    seed("roster_page", crlf(page.lines()));
    Lines cut = page.lines();
    cut.resize(10);
    seed("roster_page", crlf(cut));
    seedInChunks("roster_page", crlf(vr::testing::RosterPage().lines()), 13);
}

std::string schedulePage(const std::vector<vr::season::Row>& rows) {
    vr::season::SeasonLeague s;
    s.schedule(rows);
    return s.m.get(vr::season::kPage);
}

void schedules() {
    using namespace vr::season;
    seed("schedule_page", schedulePage({exampleRow()}));
    seedInChunks("schedule_page", schedulePage({exampleRow(), game(240, 1, 1, 2)}), 5);
    seed("schedule_page", schedulePage({game(240, 1, 1, 2), game(241, 2, 3, 4, "55-55"),
                                        game(242, 1, 5, 6, "80-79 OT"), game(245, 3, 7, 8, "1-0", "2/29/2010")}));
    SeasonLeague groups;
    Lines body = game(240, 1, 1, 2).lines();
    for (const Lines& g : {closingGroup(), tableEndGroup()}) body.insert(body.end(), g.begin(), g.end());
    groups.page(body);
    seed("schedule_page", groups.m.get(kPage));
}

void playByPlay() {
    seed("play_by_play", crlf({"Tip-off won by Team 1", "0:12 Jump shot made",
                               "Player of the Game: Tom Baker - North Ridge", "End of game"}));
    seed("play_by_play", crlf({"Player of the", "Player of the Game: Ann Lee-Park - Lake City"}));
    seed("play_by_play", "Player of the Game:   Tom\tBaker  -  North Ridge\t  ");
    // Line ends of every kind, a CR LF split between two reads.
    seedInChunks("play_by_play", "abc\r\r\nline\rPlay\nPlayer of the Game: Al Diaz - Lake City\r\nafter\r", 1);
    seedInChunks("play_by_play", std::string(100, 'x') + "\r\nPlayer of the Game: A - B\n", 3);
}

void boxScores() {
    using vr::testing::BoxPlayer;
    using vr::testing::BoxTeam;
    seed("box_score_page",
         crlf(vr::testing::boxPage({BoxTeam{"North Ridge", {BoxPlayer{"Tom Baker", "11", "4", "27"},
                                                            BoxPlayer{"Al Diaz", "-", "", "8"}}},
                                    BoxTeam{"Lake City", {BoxPlayer{"Ann Lee", "3", "12", "19"}}}})));
    seed("box_score_page", crlf(vr::testing::boxPage({BoxTeam{"Only", {BoxPlayer{"P", "1.5", "2e1", "30"}}}})));
    seedInChunks("box_score_page",
                 crlf(vr::testing::boxPage({BoxTeam{"A", {BoxPlayer{"P", "1", "2", "3"}}}, BoxTeam{"B", {}}})), 11);
}

void settings() {
    seed("settings_file", "http://www.marrowdeen.example/\r\n\r\n");
    seed("settings_file", "http://a.example/?x=1,2\r\nGames, \"all\" of them\r\n");
    seed("settings_file", "http://only.example/");
    seed("settings_file", "");
    seedInChunks("settings_file", "http://a.example/\r\nmessage\r", 2);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUT\n", argv[0]);
        return 2;
    }
    out = argv[1];
    standings();
    rosters();
    schedules();
    playByPlay();
    boxScores();
    settings();
    std::printf("%d seeds written to %s\n", written, out.string().c_str());
    return 0;
}
