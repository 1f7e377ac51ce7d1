// A play-by-play file: the player of the game and his team text. The line
// reader under it is held to a plain splitting of the same bytes: every line,
// line number and "End of file" stop, whether read line by line or found by
// the search for the first line with a given start, and however the reads
// are cut.
#include "input_league.h"
#include "results/player_of_the_game.h"
#include "text/cuts.h"

#include <vector>

namespace {

using vr::fuzz::require;

// Lines end at CR LF, a lone LF or a lone CR; a last line without an end
// counts, a file ending in a line end has no empty line after it.
std::vector<std::string_view> splitLines(std::string_view s) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < s.size();) {
        if (s[i] != '\r' && s[i] != '\n') {
            ++i;
            continue;
        }
        lines.push_back(s.substr(start, i - start));
        i += s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n' ? 2 : 1;
        start = i;
    }
    if (start < s.size()) lines.push_back(s.substr(start));
    return lines;
}

std::string endOfFile(std::size_t lines) { return "End of file: f, line " + std::to_string(lines + 1); }

// Reads the rest line by line, as the plain splitting has it from line `next`.
void readRest(vr::LineReader& r, const std::vector<std::string_view>& lines, std::size_t next) {
    for (std::size_t i = next; i < lines.size(); ++i) {
        require(!r.atEnd(), "a line left unread");
        require(r.readLine() == lines[i], "a line split otherwise");
        require(r.lineNumber() == static_cast<long>(i + 1), "a line numbered otherwise");
    }
    require(r.atEnd(), "a line past the end");
    std::string stop;
    try {
        r.readLine();
    } catch (const vr::Stop& s) {
        stop = s.message();
    }
    require(stop == endOfFile(lines.size()), "reading past the end is no \"End of file\" at the next line");
}

// The search for `prefix`, then the rest line by line.
void checkSearch(vr::FileSystem& fs, const std::string& path, const std::vector<std::string_view>& lines,
                 std::string_view prefix) {
    std::size_t hit = 0;
    while (hit < lines.size() && !vr::startsWith(lines[hit], prefix)) ++hit;
    vr::LineReader r(fs, fs.open(path, vr::OpenMode::Input), "f");
    std::string found, stop;
    try {
        found = std::string(r.readLineStartingWith(prefix));
    } catch (const vr::Stop& s) {
        stop = s.message();
    }
    if (hit == lines.size()) {
        require(stop == endOfFile(lines.size()), "a search without a match is no \"End of file\"");
        return;
    }
    require(stop.empty() && found == lines[hit], "the search found another line");
    require(r.lineNumber() == static_cast<long>(hit + 1), "the search numbered its line otherwise");
    readRest(r, lines, hit + 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vr;
    fuzz::InputLeague in(data, size);
    testing::MemoryLeague& m = in.memory;
    LeagueFolder& league = in.league;
    const std::string bytes = fuzz::bytesOf(data, size);
    m.put("pbp\\245-3.txt", bytes);
    GameEntry entry;
    GameInHand game{"245", "3", 245, 3, entry, "html\\leagueschedule.htm", 12, 13};
    if (fuzz::keepsContract([&] { lookUpPlayerOfTheGame(league, game); })) {
        for (const std::string_view text : {entry.playerOfTheGame(), entry.playerOfTheGameTeam()}) {
            fuzz::require(text.find_first_of("\r\n") == std::string_view::npos, "a name within one line");
            fuzz::require(text.empty() || (text.front() != ' ' && text.back() != ' '),
                          "a name without spaces around it");
        }
    }
    fuzz::require(m.fs.openHandles() == 0, "every file closed");

    const std::string path = testing::leaguePath("pbp\\245-3.txt");
    const std::vector<std::string_view> lines = splitLines(bytes);
    {
        LineReader r(in.chunked, in.chunked.open(path, OpenMode::Input), "f");
        readRest(r, lines, 0);
    }
    checkSearch(in.chunked, path, lines, "Player of the Game:");
    checkSearch(in.chunked, path, lines, "P");
    return 0;
}
