// The play-by-play files' names, made and read in one place: the folder
// "pbp" and its files "245-3.txt", the day and game as plain digits.
#pragma once

#include <string>
#include <string_view>

namespace vr {

// The league folder of the play-by-play files.
constexpr std::string_view kPlayByPlayFolder = "pbp";

// "pbp\245-3.txt", made in a buffer of its own: the period probe tests
// hundreds of these and needs no allocation for them.
class PlayByPlayName {
public:
    std::string_view of(long day, long game);

private:
    char buffer_[48];
};

// "pbp\245-3.txt".
std::string playByPlayFile(long day, long game);

// The day and game of a name within the folder ("245-3.txt"), as the program
// writes them: plain digits, no zeros first. False for any other name.
bool parsePlayByPlayName(std::string_view name, long& day, long& game);

} // namespace vr
