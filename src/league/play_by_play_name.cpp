#include "league/play_by_play_name.h"

#include <charconv>

namespace vr {

std::string_view PlayByPlayName::of(long day, long game) {
    char* p = buffer_;
    char* const end = buffer_ + sizeof buffer_;
    for (char c : kPlayByPlayFolder) *p++ = c;
    *p++ = '\\';
    p = std::to_chars(p, end, day).ptr;
    *p++ = '-';
    p = std::to_chars(p, end, game).ptr;
    for (char c : std::string_view(".txt")) *p++ = c;
    return {buffer_, static_cast<std::size_t>(p - buffer_)};
}

std::string playByPlayFile(long day, long game) {
    PlayByPlayName name;
    return std::string(name.of(day, game));
}

bool parsePlayByPlayName(std::string_view name, long& day, long& game) {
    auto number = [](std::string_view& s, char end, long& value) {
        auto stop = s.find(end);
        if (stop == 0 || stop == std::string_view::npos || (s[0] == '0' && stop > 1)) return false;
        auto [p, ec] = std::from_chars(s.data(), s.data() + stop, value);
        if (ec != std::errc() || p != s.data() + stop) return false;
        s.remove_prefix(stop + 1);
        return true;
    };
    return number(name, '-', day) && number(name, '.', game) && name == "txt";
}

} // namespace vr
