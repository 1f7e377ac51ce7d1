#include "league_archive.h"

namespace vr::fuzz {
namespace {

constexpr std::string_view kMarker = ">>> ";
constexpr std::size_t kLongestName = 120;
constexpr int kMostFiles = 400;

// The line at `pos` without its end; `pos` moves past the end.
std::string_view takeLine(std::string_view s, std::size_t& pos) {
    std::size_t end = s.find('\n', pos);
    if (end == std::string_view::npos) end = s.size();
    std::string_view line = s.substr(pos, end - pos);
    pos = end < s.size() ? end + 1 : end;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

// Where the next marker starts: at `pos` itself or after a line end.
std::size_t nextMarker(std::string_view s, std::size_t pos) {
    if (s.substr(pos, kMarker.size()) == kMarker) return pos;
    for (std::size_t at = s.find('\n', pos); at != std::string_view::npos; at = s.find('\n', at + 1))
        if (s.substr(at + 1, kMarker.size()) == kMarker) return at + 1;
    return s.size();
}

bool plausibleName(std::string_view name) {
    if (name.empty() || name.size() > kLongestName) return false;
    if (name.find('/') != std::string_view::npos || name.find('\0') != std::string_view::npos) return false;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = name.find('\\', start);
        std::string_view part = name.substr(start, end == std::string_view::npos ? end : end - start);
        if (part.empty() || part == "." || part == "..") return false;
        if (end == std::string_view::npos) return true;
        start = end + 1;
    }
}

} // namespace

DayBoxes unpackLeague(std::string_view input, testing::MemoryLeague& league) {
    DayBoxes boxes;
    std::size_t pos = 0;
    std::size_t first = nextMarker(input, 0);
    while (pos < first) {
        std::string_view line = takeLine(input.substr(0, first), pos);
        if (line.substr(0, 5) == "days ") boxes.days = std::string(line.substr(5));
        else if (line.substr(0, 9) == "last-day ") boxes.lastDay = std::string(line.substr(9));
    }
    pos = first;
    int files = 0;
    while (pos < input.size() && files < kMostFiles) {
        pos += kMarker.size();
        std::string_view name = takeLine(input, pos);
        std::size_t end = nextMarker(input, pos);
        if (plausibleName(name)) {
            league.put(name, std::string(input.substr(pos, end - pos)));
            ++files;
        }
        pos = end;
    }
    return boxes;
}

} // namespace vr::fuzz
