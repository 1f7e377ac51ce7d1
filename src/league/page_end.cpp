#include "league/page_end.h"

#include <optional>
#include <string>

namespace vr {
namespace {

bool isBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

// Reads on to the end: whether the last line that is not blank closes the
// page; none when every line left is blank.
std::optional<bool> endsClosed(LineReader& page) {
    std::optional<bool> closed;
    while (!page.atEnd()) {
        std::string_view line = page.readLine();
        if (!isBlank(line)) closed = isPageClose(line);
    }
    return closed;
}

} // namespace

PageCutShort::PageCutShort(std::string_view page) : Stop(StopKind::EndOfFile, std::string(page)) {
    describe("the page ends before its end (the game may still be writing it); export the league's pages again");
}

bool isPageClose(std::string_view line) {
    const std::size_t end = line.find_last_not_of(" \t");
    constexpr std::string_view kClose = "</html>";
    if (end == std::string_view::npos || end + 1 < kClose.size()) return false;
    line = line.substr(end + 1 - kClose.size(), kClose.size());
    for (std::size_t i = 0; i < kClose.size(); ++i) {
        const char c = line[i] >= 'A' && line[i] <= 'Z' ? static_cast<char>(line[i] - 'A' + 'a') : line[i];
        if (c != kClose[i]) return false;
    }
    return true;
}

bool pageEndsWhole(LeagueFolder& league, std::string_view page) {
    auto again = league.openInput(page);
    const bool whole = endsClosed(*again).value_or(false);
    again->close();
    return whole;
}

void throwIfCutShort(LeagueFolder& league, const Stop& stop) {
    const std::string& page = stop.where();
    if (dynamic_cast<const PageCutShort*>(&stop) || stop.kind() != StopKind::EndOfFile || page.size() < 4 ||
        page.compare(page.size() - 4, 4, ".htm") != 0)
        return;
    bool whole = true;
    try {
        whole = pageEndsWhole(league, page);
    } catch (const Stop&) {
        // The page cannot be read again: its first stop says more.
    }
    if (!whole) throw PageCutShort(page);
}

void checkPageEnd(LeagueFolder& league, LineReader& page) {
    // Lines already handed on may hold the close: the page is read again.
    std::optional<bool> closed = endsClosed(page);
    if (!(closed ? *closed : pageEndsWhole(league, page.name()))) throw PageCutShort(page.name());
}

} // namespace vr
